// SPDX-License-Identifier: GPL-3.0-or-later
// Access keys: in every window each Alt+letter belongs to one control or
// menu title (Qt presses a button only when its letter is its own; with a
// second taker it merely moves the focus), each menu's items have letters
// of their own, and the documented keys press their buttons over a chart
// with everything beside the results shown.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "chartfile/chart_file.h"
#include "tests/support/sample_entries.h"
#include "tests/ui/support/fakes.h"
#include "tests/ui/support/windows.h"
#include "ui/app/shell.h"
#include "ui/windows/aspect_panel.h"
#include "ui/windows/frm_about.h"
#include "ui/windows/frm_aspect_settings.h"
#include "ui/windows/frm_main.h"
#include "ui/windows/frm_save.h"
#include "ui/windows/frm_synastry.h"
#include "ui/windows/frm_transit_calendar.h"
#include "ui/windows/frm_transits.h"
#include "ui/windows/mdi.h"

namespace zodivane::ui {
namespace {

using testing::Child;

/// Shows `window` and makes it the active window, as a click on it would.
void Activate(QWidget& window) {
  window.show();
  window.activateWindow();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

/// The takers of each access key, by key ("Alt+P"), from `captions`: pairs
/// of a caption and the name of what it belongs to.
using Takers = std::map<QString, QStringList>;

void Take(Takers& takers, const QString& caption, const QString& owner) {
  const QKeySequence key = QKeySequence::mnemonic(caption);
  if (!key.isEmpty()) {
    takers[key.toString()].append(owner + QStringLiteral(" \"") + caption + QLatin1Char('"'));
  }
}

/// The Alt+letters of `window` as Qt answers them: its buttons, the
/// captions that name a control, the group boxes and its menu bar's titles,
/// where shown (a window opened from it is a window of its own).
Takers WindowAccessKeys(const QWidget& window) {
  Takers takers;
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    if (widget->window() != &window || !widget->isVisibleTo(&window)) {
      continue;
    }
    const QString name = widget->objectName();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
      Take(takers, button->text(), name);
    } else if (const auto* label = qobject_cast<const QLabel*>(widget);
               label != nullptr && label->buddy() != nullptr) {
      Take(takers, label->text(), name);
    } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
      Take(takers, group->title(), name);
    } else if (const auto* bar = qobject_cast<const QMenuBar*>(widget)) {
      for (const QAction* title : bar->actions()) {
        Take(takers, title->text(), QStringLiteral("menu"));
      }
    }
  }
  return takers;
}

/// The letters of each menu of `window` that two items share, as "menu:
/// Alt+A by ...; ...", empty when there are none.
std::string SharedMenuLetters(const QWidget& window) {
  QStringList shared;
  for (const QMenu* menu : window.findChildren<QMenu*>()) {
    Takers takers;
    for (const QAction* item : menu->actions()) {
      if (item->isVisible() && !item->isSeparator()) {
        Take(takers, item->text(), item->objectName());
      }
    }
    for (const auto& [key, items] : takers) {
      if (items.size() > 1) {
        shared.append(menu->objectName() + QStringLiteral(": ") + key + QStringLiteral(" by ") +
                      items.join(QStringLiteral(", ")));
      }
    }
  }
  return shared.join(QStringLiteral("; ")).toStdString();
}

/// The keys of `takers` with more than one taker, with their takers, as
/// "Alt+P by ...; ...", empty when there are none.
std::string Shared(const Takers& takers) {
  QStringList shared;
  for (const auto& [key, owners] : takers) {
    if (owners.size() > 1) {
      shared.append(key + QStringLiteral(" by ") + owners.join(QStringLiteral(", ")));
    }
  }
  return shared.join(QStringLiteral("; ")).toStdString();
}

class AccessKeysTest : public ::testing::Test {
 protected:
  AccessKeysTest() {
    shell.EnableChartFiles(openDialog, saveDialog);
    shell.SetChartSheetServices(ChartSheetServices{messages, saveDialog, printDialog});
    shell.SetReportWindow([this](MDI& main) {
      OpenReportWindow(main,
                       ReportWindowServices{shell.Links(), messages, saveDialog, printDialog});
    });
  }

  /// The results of the sample chart, the aspect panel beside them.
  MDI& CastChart() {
    shell.InputForm()->SetEntries(test::DelhiEntries());
    EXPECT_TRUE(shell.InputForm()->Cast());
    MDI* main = shell.MainWindow();
    EXPECT_NE(main, nullptr);
    EXPECT_TRUE(Child<AspectPanel>(*main, "AspectPanel")->isVisible());
    return *main;
  }

  QString WriteChart(const QString& name, const FormEntries& entries) const {
    QFile file(folder.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    const std::string bytes = chartfile::WriteChartFile(chartfile::ChartFile{entries, {}, {}});
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return file.fileName();
  }

  QTemporaryDir folder;
  testing::FakeMessageBoxes messages;
  testing::FakeWebBrowser browser;
  testing::FakeSettingsStore settings;
  testing::FakeClock clock;
  testing::FakeOpenDialog openDialog;
  testing::FakeSaveDialog saveDialog;
  testing::FakePrintDialog printDialog;
  Shell shell{ShellServices{messages, browser, settings, clock},
              folder.filePath(QStringLiteral("zodivane.lock")), [] {}};
};

TEST_F(AccessKeysTest, NoTwoControlsOrMenuTitlesOfAWindowShareALetter) {
  ASSERT_TRUE(shell.ProgramStart());
  frmMain& form = *shell.InputForm();
  MDI& main = CastChart();
  main.show();

  Child<QPushButton>(main, "Command1")->click();
  auto* report = main.findChild<frmSave*>();
  ASSERT_NE(report, nullptr);
  frmAbout about(shell.Links(), &main);
  about.show();
  frmAspectSettings aspectSettings(DefaultAspectSettings(), &main);
  aspectSettings.show();
  Child<QAction>(main, "mnuTransits")->trigger();
  Child<QAction>(main, "mnuTransitCalendar")->trigger();
  ASSERT_TRUE(
      main.CompareWith(WriteChart(QStringLiteral("jane.zchart"), test::London1985Entries())));
  ASSERT_TRUE(messages.notices.empty());

  // Rows: the window, its name in a failure, and one of its letters that
  // the walk must find (none in the about box).
  struct Row {
    QWidget* window;
    const char* name;
    const char* known;
  };
  const auto windows = std::to_array<Row>({
      {&form, "input form", "Alt+F"},
      {&main, "results", "Alt+P"},
      {report, "report", "Alt+S"},
      {&about, "about box", nullptr},
      {&aspectSettings, "aspect settings", "Alt+R"},
      {main.findChild<frmTransits*>(), "transits", "Alt+N"},
      {main.findChild<frmTransitCalendar*>(), "transit calendar", "Alt+T"},
      {main.findChild<frmSynastry*>(), "compare with", "Alt+E"},
  });
  for (const Row& row : windows) {
    SCOPED_TRACE(row.name);
    ASSERT_NE(row.window, nullptr);
    row.window->show();
    const Takers takers = WindowAccessKeys(*row.window);
    if (row.known != nullptr) {
      EXPECT_TRUE(takers.contains(QString::fromLatin1(row.known))) << row.known;
    }
    EXPECT_EQ(Shared(takers), "");
    EXPECT_EQ(SharedMenuLetters(*row.window), "");
  }
}

// The documented letters press their buttons, the aspect panel with its
// captions shown beside the results: Alt+P opens the report at once.
TEST_F(AccessKeysTest, DocumentedLettersPressTheirButtonsOverAChart) {
  ASSERT_TRUE(shell.ProgramStart());
  MDI& main = CastChart();
  Activate(main);
  QTest::keyClick(&main, Qt::Key_P, Qt::AltModifier);
  // A button pressed by its letter shows the press before it clicks.
  ASSERT_TRUE(QTest::qWaitFor([&main] { return main.findChild<frmSave*>() != nullptr; }));
  auto* report = main.findChild<frmSave*>();
  EXPECT_TRUE(report->isVisible());

  // In the report window: Alt+S saves, Alt+P prints.
  Activate(*report);
  saveDialog.typedName.reset();
  printDialog.cancel = true;
  QTest::keyClick(report, Qt::Key_S, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([this] { return saveDialog.asked.size() == 1; }));
  QTest::keyClick(report, Qt::Key_P, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([this] { return printDialog.selectionOffered.size() == 1; }));
  report->close();

  // Rows: the button, and its letter; each pressed in a window of its own.
  const auto buttons = std::to_array<std::pair<const char*, Qt::Key>>({
      {"Command1", Qt::Key_P},
      {"cmdBack", Qt::Key_B},
      {"cmdMdiExit", Qt::Key_E},
  });
  for (const auto& [button, key] : buttons) {
    SCOPED_TRACE(button);
    MDI* shown = shell.MainWindow();
    // Back and Exit close the window (and free it): each row gets its own.
    const QPointer<MDI> results = shown != nullptr && shown->isVisible() ? shown : &CastChart();
    Activate(*results);
    QSignalSpy pressed(Child<QPushButton>(*results, button), &QPushButton::clicked);
    QTest::keyClick(results.data(), key, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&pressed] { return pressed.count() == 1; }));
    if (results != nullptr) {
      if (auto* opened = results->findChild<frmSave*>()) {
        opened->close();
      }
    }
  }
}

}  // namespace
}  // namespace zodivane::ui
