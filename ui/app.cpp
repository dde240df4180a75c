#include "ui/app.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QTimer>

#include <map>

#include "ui/frm_about.h"
#include "ui/frm_main.h"
#include "ui/mdi.h"
#include "ui/platform_qt.h"
#include "ui/shell.h"

namespace zodivane::ui {

namespace {

const QString kIconResource = QStringLiteral(":/assets/zodivane.svg");

/// A settings store that keeps its values for one run only (screenshots
/// must not touch the user's reminder date).
class MemorySettingsStore final : public SettingsStore {
 public:
  std::optional<QString> Read(const QString& key) override {
    const auto found = values_.find(key);
    return found == values_.end() ? std::nullopt : std::optional<QString>(found->second);
  }
  void Write(const QString& key, const QString& value) override { values_[key] = value; }

 private:
  std::map<QString, QString> values_;
};

/// Saves `window` as `name`.png in `folder`.
void Save(QWidget& window, const QDir& folder, const QString& name) {
  window.grab().save(folder.filePath(name + QStringLiteral(".png")));
}

/// Fills the input form with a sample birth, saves pictures of the input
/// form, the about box and a result, and ends the program.
void TakeScreenshots(Shell& shell, const QDir& folder) {
  frmMain& form = *shell.InputForm();
  form.findChild<QLineEdit*>(QStringLiteral("txtName"))->setText(QStringLiteral("ASHA MEHRA"));
  form.findChild<QComboBox*>(QStringLiteral("cboMonth"))->setCurrentIndex(2);
  form.findChild<QComboBox*>(QStringLiteral("cboDate"))->setCurrentIndex(4);
  form.findChild<QComboBox*>(QStringLiteral("cboYear"))->setCurrentText(QStringLiteral("1980"));
  form.findChild<QComboBox*>(QStringLiteral("cboHH"))->setCurrentIndex(7);
  form.findChild<QComboBox*>(QStringLiteral("cboMM"))->setCurrentIndex(5);
  form.findChild<QComboBox*>(QStringLiteral("cmbTimeZone"))->setCurrentIndex(34);
  form.findChild<QLineEdit*>(QStringLiteral("txtLatD"))->setText(QStringLiteral("28"));
  form.findChild<QLineEdit*>(QStringLiteral("txtLatM"))->setText(QStringLiteral("38"));
  form.findChild<QLineEdit*>(QStringLiteral("txtLonD"))->setText(QStringLiteral("77"));
  form.findChild<QLineEdit*>(QStringLiteral("txtLonM"))->setText(QStringLiteral("12"));
  form.findChild<QLineEdit*>(QStringLiteral("txtMCity"))->setText(QStringLiteral("New Delhi"));
  form.findChild<QLineEdit*>(QStringLiteral("txtMState"))->setText(QStringLiteral("Delhi"));
  form.findChild<QLineEdit*>(QStringLiteral("txtMCountry"))->setText(QStringLiteral("India"));
  form.findChild<QLineEdit*>(QStringLiteral("txtName"))->setFocus();
  QApplication::processEvents();
  Save(form, folder, QStringLiteral("input-form"));

  frmAbout about(shell.Links(), &form);
  about.show();
  QApplication::processEvents();
  Save(about, folder, QStringLiteral("about"));
  about.close();

  form.cmdRashi_Click();
  QApplication::processEvents();
  if (MDI* results = shell.MainWindow()) {
    QApplication::processEvents();
    Save(*results, folder, QStringLiteral("results"));
  }
  shell.QuitProgram();
}

}  // namespace

int RunProgram(QApplication& app) {
  QApplication::setApplicationName(QStringLiteral("zodivane"));
  QApplication::setOrganizationName(QStringLiteral("zodivane"));
  QApplication::setApplicationVersion(QStringLiteral(ZODIVANE_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("zodivane"));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  if (QFile::exists(kIconResource)) {
    QApplication::setWindowIcon(QIcon(kIconResource));
  }

  // A hidden option for the documentation: --screenshot FOLDER.
  const QStringList arguments = app.arguments();
  const qsizetype option = arguments.indexOf(QStringLiteral("--screenshot"));
  const bool screenshots = option > 0 && option + 1 < arguments.size();

  QtMessageBoxes messages;
  DesktopWebBrowser browser;
  QtSettingsStore userSettings;
  MemorySettingsStore runSettings;
  SystemClock clock;
  SettingsStore& settings = screenshots ? static_cast<SettingsStore&>(runSettings) : userSettings;
  if (screenshots) {
    runSettings.Write(kLastReminderKey, clock.Today().toString(QStringLiteral("yyyy-MM-dd")));
  }

  Shell shell(ShellServices{messages, browser, settings, clock},
              screenshots ? QDir::temp().filePath(QStringLiteral("zodivane-screenshot.lock"))
                          : DefaultLockPath());
  if (!shell.ProgramStart()) {
    return 0;
  }
  if (screenshots) {
    const QDir folder(arguments.at(option + 1));
    QTimer::singleShot(300, &shell, [&shell, folder] { TakeScreenshots(shell, folder); });
  }
  return app.exec();
}

}  // namespace zodivane::ui
