// SPDX-License-Identifier: GPL-3.0-or-later
// The running program's platform services: message boxes titled "Zodivane"
// with their icon and buttons, the browser hand-off and the settings store.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <vector>

#include "ui/app/shell.h"
#include "ui/platform/platform_qt.h"

namespace zodivane::ui {
namespace {

/// What a message box showed, read while it is open; then it is answered.
struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
};

void AnswerNextBox(SeenBox& seen, QMessageBox::StandardButton answer) {
  QTimer::singleShot(0, [&seen, answer] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
    box->button(answer)->click();
  });
}

TEST(QtMessageBoxesTest, NoticesAndQuestionsCarryTitleIconAndButtons) {
  QtMessageBoxes messages;
  struct Row {
    MessageIcon icon;
    QMessageBox::Icon shown;
  };
  for (const Row& row : {Row{MessageIcon::Critical, QMessageBox::Critical},
                         Row{MessageIcon::Information, QMessageBox::Information}}) {
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    messages.ShowNotice(nullptr, QStringLiteral("Please Enter Name"), row.icon);
    EXPECT_EQ(seen.title, QStringLiteral("Zodivane"));
    EXPECT_EQ(seen.text, QStringLiteral("Please Enter Name"));
    EXPECT_EQ(seen.icon, row.shown);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  }
  for (const auto answer : {QMessageBox::Yes, QMessageBox::No}) {
    SeenBox seen;
    AnswerNextBox(seen, answer);
    EXPECT_EQ(messages.AskYesNo(nullptr, kUpdateQuestion), answer == QMessageBox::Yes);
    EXPECT_EQ(seen.title, QStringLiteral("Zodivane"));
    EXPECT_EQ(seen.text, kUpdateQuestion);
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
  }
}

class UrlCatcher : public QObject {
  Q_OBJECT
 public slots:
  void Open(const QUrl& url) { opened.push_back(url); }

 public:
  std::vector<QUrl> opened;
};

TEST(DesktopWebBrowserTest, HandsTheAddressToTheDesktop) {
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "Open");
  DesktopWebBrowser browser;
  browser.OpenWebPage(QUrl(QStringLiteral("https://www.example.org/zodivane/help")));
  QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
  EXPECT_THAT(catcher.opened, ::testing::ElementsAre(
                                  QUrl(QStringLiteral("https://www.example.org/zodivane/help"))));
}

// The file dialogs open in the user's documents folder, then in the folder
// used last.
TEST(QtFileDialogTest, OpensInTheDocumentsFolderThenInTheLastOneUsed) {
  QTemporaryDir other;
  QFile chart(other.filePath(QStringLiteral("anna.zchart")));
  ASSERT_TRUE(chart.open(QIODevice::WriteOnly));
  chart.close();
  QtOpenFileDialog dialog;
  QString firstFolder;
  QTimer::singleShot(0, [&] {
    auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(shown, nullptr);
    firstFolder = shown->directory().absolutePath();
    shown->selectFile(chart.fileName());
    QMetaObject::invokeMethod(shown, "accept");
  });
  const std::optional<QString> path = dialog.AskOpenPath(
      nullptr,
      OpenDialogSettings{QStringLiteral("Open Chart"), QStringLiteral("Charts (*.zchart)")});
  ASSERT_TRUE(path);
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  EXPECT_EQ(firstFolder,
            QFileInfo(documents).isDir() ? QDir(documents).absolutePath() : QDir::homePath());
  EXPECT_EQ(QDir(dialog.folder()).absolutePath(), QDir(other.path()).absolutePath());
}

// A window deleted while a dialog of the platform runs over it (and with it
// the dialog, its child) leaves nothing to be deleted again: each service
// returns as if the user had cancelled. Before, the dialogs were objects on
// the stack, deleted a second time ("double free or corruption").
TEST(QtDialogsTest, SurviveTheirWindowBeingDeletedWhileTheyRun) {
  QtMessageBoxes messages;
  QtOpenFileDialog openDialog;
  QtSaveFileDialog saveDialog;
  struct Case {
    const char* what;
    std::function<bool(QWidget*)> ask;  ///< true when it answered as cancelled
  };
  const std::vector<Case> cases = {
      {"a notice",
       [&](QWidget* parent) {
         messages.ShowNotice(parent, QStringLiteral("Cannot open"), MessageIcon::Critical);
         return true;
       }},
      {"a question", [&](QWidget* parent) { return !messages.AskYesNo(parent, kUpdateQuestion); }},
      {"the open dialog",
       [&](QWidget* parent) {
         return !openDialog.AskOpenPath(parent, OpenDialogSettings{QStringLiteral("Open Chart"),
                                                                   QStringLiteral("(*.zchart)")});
       }},
      {"the save dialog",
       [&](QWidget* parent) {
         SaveDialogSettings settings;
         settings.title = QStringLiteral("Save Chart");
         settings.filter = QStringLiteral("(*.zchart)");
         return !saveDialog.AskSavePath(parent, settings);
       }},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.what);
    QPointer<QWidget> window = new QWidget;
    window->show();
    // Deletes the window once the dialog runs over it.
    QTimer deleter;
    QObject::connect(&deleter, &QTimer::timeout, [&] {
      if (QApplication::activeModalWidget() != nullptr && window) {
        deleter.stop();
        delete window.data();
      }
    });
    deleter.start(0);
    EXPECT_TRUE(row.ask(window.data()));
    EXPECT_TRUE(window.isNull());
    delete window.data();
  }
}

TEST(QtSettingsStoreTest, KeepsTheReminderDateInTheSettingsSection) {
  QtSettingsStore store;
  QSettings("zodivane", "zodivane").remove(kLastReminderKey);
  EXPECT_EQ(store.Read(kLastReminderKey), std::nullopt);
  store.Write(kLastReminderKey, QStringLiteral("2026-12-10"));
  EXPECT_EQ(store.Read(kLastReminderKey), QStringLiteral("2026-12-10"));
  QSettings settings(QStringLiteral("zodivane"), QStringLiteral("zodivane"));
  settings.beginGroup(QStringLiteral("Settings"));
  EXPECT_EQ(settings.value(QStringLiteral("LastReminder")).toString(),
            QStringLiteral("2026-12-10"));
  settings.endGroup();
  settings.remove(kLastReminderKey);
}

}  // namespace
}  // namespace zodivane::ui

#include "platform_qt_test.moc"
