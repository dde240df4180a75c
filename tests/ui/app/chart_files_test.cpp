// SPDX-License-Identifier: GPL-3.0-or-later
// Chart files in the windows: saved and reopened to the same entries and
// chart, bad files refused with their message and the form unchanged, the
// File menus, the recent files, and a file named on the command line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocalServer>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <functional>

#include <nlohmann/json.hpp>

#include "aspects/aspect_settings_text.h"
#include "chartfile/chart_file.h"
#include "common/handoff_message.h"
#include "tests/support/chart_files.h"
#include "tests/support/sample_entries.h"
#include "tests/ui/support/fakes.h"
#include "tests/ui/support/reading_tools.h"
#include "tests/ui/support/windows.h"
#include "ui/app/chart_files.h"
#include "ui/app/shell.h"
#include "ui/platform/platform_qt.h"
#include "ui/windows/frm_aspect_settings.h"
#include "ui/windows/frm_display.h"
#include "ui/windows/frm_main.h"
#include "ui/windows/frm_transits.h"
#include "ui/windows/mdi.h"

namespace zodivane::ui {
namespace {

using testing::FakeClock;
using testing::FakeMessageBoxes;
using testing::FakeOpenDialog;
using testing::FakePrintDialog;
using testing::FakeSaveDialog;
using testing::FakeSettingsStore;
using testing::FakeWebBrowser;
using testing::ShownNotice;

/// The controls' own state, read from the widgets by name (not through
/// the form's CollectEntries), so that a control left out shows.
struct ControlState {
  QStringList texts;
  QList<int> positions;
  QList<bool> ticks;
  friend bool operator==(const ControlState&, const ControlState&) = default;
};

ControlState StateOf(const QWidget& form) {
  ControlState state;
  for (const char* box : {"txtName", "txtLonD", "txtLonM", "txtLatD", "txtLatM", "txtMCity",
                          "txtMState", "txtMCountry"}) {
    state.texts.append(testing::Child<QLineEdit>(form, box)->text());
  }
  for (const char* list :
       {"cboMonth", "cboDate", "cboYear", "cboHH", "cboMM", "cboSS", "cmbTimeZone"}) {
    state.positions.append(testing::Child<QComboBox>(form, list)->currentIndex());
  }
  for (const QRadioButton* option : form.findChildren<QRadioButton*>()) {
    state.ticks.append(option->isChecked());
  }
  state.ticks.append(testing::Child<QCheckBox>(form, "chkDST")->isChecked());
  return state;
}

class ChartFilesTest : public ::testing::Test {
 protected:
  ChartFilesTest() { shell.EnableChartFiles(openDialog, saveDialog); }

  QString Path(const QString& name) const { return folder.filePath(name); }

  QString WriteFile(const QString& name, const std::string& bytes) const {
    QFile file(Path(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return file.fileName();
  }

  QString WriteChart(const QString& name, const FormEntries& entries) const {
    return WriteFile(name, chartfile::WriteChartFile(chartfile::ChartFile{entries, {}, {}}));
  }

  /// The report text of the chart the main window shows; empty when none.
  QString ShownReport() const {
    return shell.MainWindow() != nullptr ? shell.MainWindow()->Display().ReportPlainText()
                                         : QString();
  }

  void Back() {
    ASSERT_NE(shell.MainWindow(), nullptr);
    shell.MainWindow()->cmdBack_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  QTemporaryDir folder;
  FakeMessageBoxes messages;
  FakeWebBrowser browser;
  FakeSettingsStore settings;
  FakeClock clock;
  FakeOpenDialog openDialog;
  FakeSaveDialog saveDialog;
  int ended = 0;
  Shell shell{ShellServices{messages, browser, settings, clock},
              folder.filePath(QStringLiteral("zodivane.lock")), [this] { ++ended; }};
};

TEST_F(ChartFilesTest, EveryCastableFormStateSavesAndReopensToTheSameEntriesAndChart) {
  ASSERT_TRUE(shell.ProgramStart());
  frmMain& form = *shell.InputForm();
  ChartFiles& charts = *shell.Charts();
  int row = 0;
  for (const auto& [what, entries] : test::RoundTripEntries()) {
    SCOPED_TRACE(what);
    form.SetEntries(entries);
    ASSERT_TRUE(form.CollectEntries() == entries);
    const ControlState typed = StateOf(form);
    form.cmdRashi_Click();
    const QString report = ShownReport();
    ASSERT_FALSE(report.isEmpty());
    const QString shownName = testing::Child<QLabel>(*shell.MainWindow(), "lblName")->text();
    Back();

    saveDialog.typedName = Path(QStringLiteral("chart%1").arg(++row));
    ASSERT_TRUE(charts.AskAndSave(&form));
    form.SetEntries(test::Greenwich2000Entries());  // something else in between

    ASSERT_TRUE(charts.Open(Path(QStringLiteral("chart%1.zchart").arg(row)), &form));
    EXPECT_TRUE(messages.notices.empty());
    EXPECT_EQ(StateOf(form), typed);
    EXPECT_TRUE(form.CollectEntries() == entries);
    ASSERT_NE(shell.MainWindow(), nullptr);
    EXPECT_TRUE(shell.MainWindow()->isVisible());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(ShownReport(), report);
    EXPECT_EQ(testing::Child<QLabel>(*shell.MainWindow(), "lblName")->text(), shownName);
    Back();
  }
}

// The first save fills the greyed Recent Charts menu at once: a disabled
// menu never opens, so it cannot wait to be filled when it opens.
TEST_F(ChartFilesTest, RecentChartsIsFilledAtTheFirstSave) {
  ASSERT_TRUE(shell.ProgramStart());
  frmMain& form = *shell.InputForm();
  auto* recent = testing::Child<QMenu>(form, "mnuRecentCharts");
  ASSERT_FALSE(recent->isEnabled());
  form.SetEntries(test::DelhiEntries());
  saveDialog.typedName = Path(QStringLiteral("asha"));
  ASSERT_TRUE(shell.Charts()->AskAndSave(&form));
  EXPECT_TRUE(recent->isEnabled());
  ASSERT_EQ(recent->actions().size(), 1);
  EXPECT_EQ(recent->actions().front()->text(), QStringLiteral("&1 asha.zchart"));
}

// Every action of the File menus shows a shortcut; after Back a long country
// shows its beginning.
TEST_F(ChartFilesTest, FileMenusShowShortcutsAndBackShowsBeginnings) {
  ASSERT_TRUE(shell.ProgramStart());
  frmMain& form = *shell.InputForm();
  FormEntries entries = test::DelhiEntries();
  entries.txtMCountry = "The United Kingdom of Great Britain and Northern Ireland";
  form.SetEntries(entries);
  auto* country = testing::Child<QLineEdit>(form, "txtMCountry");
  country->setCursorPosition(static_cast<int>(entries.txtMCountry.size()));
  form.cmdRashi_Click();
  ASSERT_NE(shell.MainWindow(), nullptr);
  for (QWidget* window :
       {static_cast<QWidget*>(&form), static_cast<QWidget*>(shell.MainWindow())}) {
    auto* file = testing::Child<QMenu>(*window, "mnuFile");
    for (QAction* action : file->actions()) {
      if (action->isSeparator() || action->menu() != nullptr) {
        continue;
      }
      SCOPED_TRACE(action->objectName().toStdString());
      EXPECT_FALSE(action->shortcut().isEmpty());
    }
  }
  Back();
  EXPECT_EQ(country->cursorPosition(), 0);
}

// When no browser can be started, the web buttons say so and show the address.
TEST_F(ChartFilesTest, NoBrowserSaysSoAndShowsTheAddress) {
  ASSERT_TRUE(shell.ProgramStart());
  browser.starts = false;
  shell.InputForm()->mnuOnline_Click();
  ASSERT_EQ(messages.notices.size(), 1u);
  EXPECT_EQ(messages.notices.front().text,
            QStringLiteral("No web browser could be started. Open this address in one:\n") +
                WebAddresses::HelpPage().toString());
}

TEST_F(ChartFilesTest, BadFilesSayWhatIsWrongAndChangeNothing) {
  ASSERT_TRUE(shell.ProgramStart());
  frmMain& form = *shell.InputForm();
  form.SetEntries(test::DelhiEntries());
  const ControlState before = StateOf(form);

  const std::string good =
      chartfile::WriteChartFile(chartfile::ChartFile{test::Greenwich2000Entries(), {}, {}});
  const auto with = [&good](const char* key, nlohmann::json value) {
    nlohmann::ordered_json object = nlohmann::ordered_json::parse(good);
    if (value.is_discarded()) {
      object.erase(key);
    } else {
      object[key] = value;
    }
    return object.dump(2);
  };
  struct Row {
    std::string what;
    std::string bytes;
    QString reason;
  };
  const std::vector<Row> rows{
      {"bad JSON", good.substr(0, good.size() / 2),
       QStringLiteral("the file is not valid JSON: parse error at line 11, column 15: syntax error "
                      "while parsing object key - invalid string: missing closing quote; last "
                      "read: '\"cboMonthInd'; expected string literal")},
      {"no marker", with("zodivane", nlohmann::json(nlohmann::json::value_t::discarded)),
       QStringLiteral(
           "the file has no \"zodivane\" format marker: it is not a Zodivane chart file")},
      {"a newer version", with("zodivane", 7),
       QStringLiteral("the file is of format 7, written by a newer version of Zodivane; this "
                      "version reads format 1")},
      {"a value of the wrong type", with("optSouth", "no"),
       QStringLiteral(
           "Latitude, North or South (key \"optSouth\") must be a boolean, not a string")},
      {"a list position out of range", with("cboDateIndex", 31),
       QStringLiteral("Date of Birth, day (key \"cboDateIndex\") must be a position in the day "
                      "list, 0 to 30, not 31")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    messages.notices.clear();
    const auto shown = [this] {
      return messages.notices.empty() ? std::string() : messages.notices[0].text.toStdString();
    };
    const QString path = WriteFile(QStringLiteral("bad.zchart"), row.bytes);
    EXPECT_FALSE(shell.Charts()->Open(path, &form));
    EXPECT_THAT(messages.notices,
                ::testing::ElementsAre(ShownNotice{
                    QStringLiteral("Cannot open the chart file \"bad.zchart\":\n") + row.reason,
                    MessageIcon::Critical}))
        << shown();
    EXPECT_EQ(StateOf(form), before);
    EXPECT_EQ(shell.MainWindow(), nullptr);
    EXPECT_TRUE(form.isVisible());
  }

  messages.notices.clear();
  EXPECT_FALSE(shell.Charts()->Open(Path(QStringLiteral("missing.zchart")), &form));
  ASSERT_EQ(messages.notices.size(), 1U);
  EXPECT_EQ(
      messages.notices[0].text,
      QStringLiteral("Cannot open the chart file \"missing.zchart\":\nNo such file or directory"));
  EXPECT_EQ(StateOf(form), before);
  EXPECT_TRUE(shell.Charts()->RecentCharts().isEmpty());
}

TEST_F(ChartFilesTest, ARejectedChartShowsItsMessageAndLeavesTheFormFilled) {
  ASSERT_TRUE(shell.ProgramStart());
  frmMain& form = *shell.InputForm();
  FormEntries entries = test::DelhiEntries();
  entries.txtLatD = "95";
  const QString path = WriteChart(QStringLiteral("far north.zchart"), entries);

  // From the main window: the results give way to the filled form.
  form.SetEntries(test::Greenwich2000Entries());
  form.cmdRashi_Click();
  ASSERT_NE(shell.MainWindow(), nullptr);
  const QPointer<MDI> results = shell.MainWindow();
  EXPECT_FALSE(shell.Charts()->Open(path, results));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_THAT(messages.notices,
              ::testing::ElementsAre(ShownNotice{
                  QStringLiteral("Please Enter Value Between 0 And 89 in the Degree of Latitude"),
                  MessageIcon::Critical}));
  EXPECT_EQ(results, nullptr);
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(form.CollectEntries() == entries);
  EXPECT_EQ(form.focusWidget(), testing::Child<QLineEdit>(form, "txtLatD"));
}

TEST_F(ChartFilesTest, FileMenusOfBothWindowsOfferOpenSaveAndRecentBelowTheirOwnItems) {
  ASSERT_TRUE(shell.ProgramStart());
  frmMain& form = *shell.InputForm();
  const auto names = [](const QMenu& menu) {
    QStringList list;
    for (const QAction* action : menu.actions()) {
      list.append(action->objectName());
    }
    return list;
  };
  const QStringList added{QStringLiteral("mnuSepCharts"), QStringLiteral("mnuOpenChart"),
                          QStringLiteral("mnuSaveChart"), QString()};
  const QMenu* formFile = testing::Child<QMenu>(form, "mnuFile");
  ASSERT_NE(formFile, nullptr);
  EXPECT_EQ(names(*formFile),
            QStringList({QStringLiteral("mnuNext"), QStringLiteral("mnuExit")}) + added);
  const auto* open = testing::Child<QAction>(form, "mnuOpenChart");
  EXPECT_EQ(open->text(), QStringLiteral("&Open Chart\u2026"));
  EXPECT_EQ(open->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
  EXPECT_EQ(testing::Child<QAction>(form, "mnuSaveChart")->text(),
            QStringLiteral("&Save Chart\u2026"));
  EXPECT_FALSE(testing::Child<QMenu>(form, "mnuRecentCharts")->isEnabled());  // nothing yet

  form.SetEntries(test::DelhiEntries());
  form.cmdRashi_Click();
  ASSERT_NE(shell.MainWindow(), nullptr);
  const QMenu* mainFile = testing::Child<QMenu>(*shell.MainWindow(), "mnuFile");
  ASSERT_NE(mainFile, nullptr);
  const QStringList mainNames = names(*mainFile);
  ASSERT_GE(mainNames.size(), 2);
  EXPECT_EQ(mainNames.mid(0, 2),
            QStringList({QStringLiteral("mnuBack"), QStringLiteral("mnuExit")}));
  EXPECT_TRUE(mainNames.contains(QStringLiteral("mnuOpenChart")));
  EXPECT_TRUE(mainNames.contains(QStringLiteral("mnuSaveChart")));

  // Open from the main window's menu: the dialog's file replaces the chart.
  FormEntries other = test::Greenwich2000Entries();
  openDialog.chosen = WriteChart(QStringLiteral("other.zchart"), other);
  const QPointer<MDI> first = shell.MainWindow();
  testing::Child<QAction>(*first, "mnuOpenChart")->trigger();
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(openDialog.asked.size(), 1U);
  EXPECT_EQ(openDialog.asked[0].filter, QStringLiteral("Zodivane charts (*.zchart)"));
  EXPECT_EQ(first, nullptr);
  ASSERT_NE(shell.MainWindow(), nullptr);
  EXPECT_EQ(testing::Child<QLabel>(*shell.MainWindow(), "lblName")->text(),
            QStringLiteral("GREENWICH"));
}

TEST_F(ChartFilesTest, SavingSuggestsTheNameAsksBeforeReplacingAndReportsFailures) {
  ASSERT_TRUE(shell.ProgramStart());
  frmMain& form = *shell.InputForm();
  form.SetEntries(test::DelhiEntries());
  ChartFiles& charts = *shell.Charts();

  saveDialog.typedName.reset();  // cancelled: nothing written
  EXPECT_FALSE(charts.AskAndSave(&form));
  ASSERT_EQ(saveDialog.asked.size(), 1U);
  const SaveDialogSettings& asked = saveDialog.asked[0];
  EXPECT_EQ(asked.suggestedName, QStringLiteral("ASHA.zchart"));
  EXPECT_EQ(asked.defaultSuffix, QStringLiteral("zchart"));
  EXPECT_TRUE(asked.confirmOverwrite);
  EXPECT_TRUE(
      QDir(folder.path()).entryList(QDir::Files).filter(QStringLiteral(".zchart")).isEmpty());

  // An existing file is replaced only when the user says so.
  const QString path = WriteFile(QStringLiteral("asha.zchart"), "keep me");
  saveDialog.typedName = path;
  saveDialog.replaceExisting = false;
  EXPECT_FALSE(charts.AskAndSave(&form));
  EXPECT_EQ(saveDialog.overwriteQuestions, 1);
  QFile kept(path);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), QByteArray("keep me"));
  kept.close();
  saveDialog.replaceExisting = true;
  EXPECT_TRUE(charts.AskAndSave(&form));
  EXPECT_EQ(charts.RecentCharts(), QStringList{path});

  // A folder that is not there: the reason is shown, nothing is written.
  const QString missing = Path(QStringLiteral("no such folder/asha.zchart"));
  saveDialog.typedName = missing;
  EXPECT_FALSE(charts.AskAndSave(&form));
  EXPECT_THAT(messages.notices,
              ::testing::ElementsAre(ShownNotice{
                  QStringLiteral("Cannot save the chart file \"%1\":\nNo such file or directory")
                      .arg(missing),
                  MessageIcon::Critical}));
  EXPECT_FALSE(QFile::exists(missing));
  EXPECT_EQ(charts.RecentCharts(), QStringList{path});
}

TEST_F(ChartFilesTest, SavingAgainKeepsTheKeysOfANewerVersion) {
  ASSERT_TRUE(shell.ProgramStart());
  frmMain& form = *shell.InputForm();
  nlohmann::ordered_json object = nlohmann::ordered_json::parse(
      chartfile::WriteChartFile(chartfile::ChartFile{test::DelhiEntries(), {}, {}}));
  object["notes"] = "born at home";
  object["chosenPlace"] = {{"name", "Delhi"},         {"state", "Delhi"},
                           {"country", "India"},      {"zone", "Asia/Kolkata"},
                           {"latitudeDeg", 28.65195}, {"longitudeDeg", 77.23149}};
  const QString path = WriteFile(QStringLiteral("asha.zchart"), object.dump(2));
  ASSERT_TRUE(shell.Charts()->Open(path, &form));
  Back();

  saveDialog.typedName = path;
  saveDialog.replaceExisting = true;
  ASSERT_TRUE(shell.Charts()->AskAndSave(&form));
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  const auto again = nlohmann::ordered_json::parse(saved.readAll().toStdString());
  EXPECT_EQ(again, object);

  // Coordinates typed over: the place no longer filled them, the notes stay.
  testing::Child<QLineEdit>(form, "txtLonM")->setText(QStringLiteral("13"));
  ASSERT_TRUE(shell.Charts()->AskAndSave(&form));
  saved.close();
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  const auto typedOver = nlohmann::ordered_json::parse(saved.readAll().toStdString());
  EXPECT_EQ(typedOver["notes"], "born at home");
  EXPECT_EQ(typedOver["txtLonM"], "13");
  EXPECT_FALSE(typedOver.contains("chosenPlace"));
}

// A chart saved under aspect settings of the user's own keeps them; opening
// it shows that chart under them, and the user's own settings stay as they
// were, for the next chart and in the settings store.
TEST_F(ChartFilesTest, ChartFilesKeepTheAspectSettings) {
  ASSERT_TRUE(shell.ProgramStart());
  frmMain& form = *shell.InputForm();
  form.SetEntries(test::DelhiEntries());
  const AspectSettings all = WithAspectSet(DefaultAspectSettings(), AspectSet::All);
  settings.values[kAspectSettingsKey] = QString::fromStdString(AspectSettingsText(all));
  saveDialog.typedName = Path(QStringLiteral("asha"));
  ASSERT_TRUE(shell.Charts()->AskAndSave(&form));
  QFile saved(Path(QStringLiteral("asha.zchart")));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  const auto object = nlohmann::json::parse(saved.readAll().toStdString());
  EXPECT_EQ(object["aspectSettings"], AspectSettingsText(all));

  const auto showsAMinorAspect = [this] {
    const auto* list = testing::Child<QTreeWidget>(*shell.MainWindow(), "lstAspects");
    bool minor = false;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
      minor = minor || list->topLevelItem(row)->text(1) == QStringLiteral("quincunx");
    }
    return minor;
  };
  settings.values.erase(kAspectSettingsKey);  // the user's own: the defaults
  ASSERT_TRUE(shell.Charts()->Open(Path(QStringLiteral("asha.zchart")), &form));
  ASSERT_NE(shell.MainWindow(), nullptr);
  EXPECT_TRUE(showsAMinorAspect());
  EXPECT_EQ(settings.values.count(kAspectSettingsKey), 0U);
  // Saved again, the chart keeps its own settings.
  saveDialog.typedName = Path(QStringLiteral("asha-again"));
  ASSERT_TRUE(shell.Charts()->AskAndSave(&form));
  QFile again(Path(QStringLiteral("asha-again.zchart")));
  ASSERT_TRUE(again.open(QIODevice::ReadOnly));
  EXPECT_EQ(nlohmann::json::parse(again.readAll().toStdString())["aspectSettings"],
            AspectSettingsText(all));

  // Another chart is cast under the user's own settings.
  ASSERT_TRUE(shell.Charts()->Open(
      WriteChart(QStringLiteral("joao.zchart"), test::RoundTripEntries()[1].entries), &form));
  ASSERT_NE(shell.MainWindow(), nullptr);
  EXPECT_FALSE(showsAMinorAspect());
  EXPECT_EQ(settings.values.count(kAspectSettingsKey), 0U);
}

// A chart saved while Swiss Ephemeris is the engine chosen names it; one
// saved under the built-in method names none.
TEST_F(ChartFilesTest, ChartFilesKeepTheEngineChosen) {
  ASSERT_TRUE(shell.ProgramStart());
  frmMain& form = *shell.InputForm();
  form.SetEntries(test::DelhiEntries());
  struct Row {
    Ephemeris chosen;
    const char* name;
    std::optional<std::string> written;
  };
  for (const Row& row : {Row{Ephemeris::Swiss, "swiss", "swiss"},
                         Row{Ephemeris::BuiltIn, "builtin", std::nullopt}}) {
    SCOPED_TRACE(row.name);
    form.SetEphemeris(row.chosen);
    saveDialog.typedName = Path(QString::fromLatin1(row.name));
    ASSERT_TRUE(shell.Charts()->AskAndSave(&form));
    QFile saved(Path(QString::fromLatin1(row.name) + QStringLiteral(".zchart")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const auto object = nlohmann::json::parse(saved.readAll().toStdString());
    if (row.written) {
      EXPECT_EQ(object.value("ephemeris", ""), *row.written);
    } else {
      EXPECT_FALSE(object.contains("ephemeris"));
    }
    const auto read = chartfile::ReadChartFile(object.dump());
    ASSERT_TRUE(std::holds_alternative<chartfile::ChartFile>(read));
    EXPECT_EQ(std::get<chartfile::ChartFile>(read).ephemeris,
              row.written ? std::optional(row.chosen) : std::nullopt);
  }
}

TEST_F(ChartFilesTest, RecentChartsKeepTheLastEightThatStillExist) {
  ASSERT_TRUE(shell.ProgramStart());
  frmMain& form = *shell.InputForm();
  QStringList paths;
  for (int i = 0; i < 10; ++i) {
    paths.prepend(WriteChart(QStringLiteral("chart%1.zchart").arg(i), test::DelhiEntries()));
    ASSERT_TRUE(shell.Charts()->Open(paths.front(), &form));
    Back();
  }
  EXPECT_EQ(shell.Charts()->RecentCharts(), paths.mid(0, kMostRecentCharts));

  ASSERT_TRUE(QFile::remove(paths[1]));
  EXPECT_EQ(shell.Charts()->RecentCharts(),
            QStringList{paths[0]} + paths.mid(2, kMostRecentCharts - 2));
  EXPECT_EQ(settings.values[kRecentChartsKey].split(QLatin1Char('\n')).size(),
            kMostRecentCharts - 1);

  // The menu lists them, and a click opens one.
  auto* recent = testing::Child<QMenu>(form, "mnuRecentCharts");
  QMetaObject::invokeMethod(recent, "aboutToShow");
  ASSERT_EQ(recent->actions().size(), kMostRecentCharts - 1);
  EXPECT_EQ(recent->actions()[0]->text(), QStringLiteral("&1 chart9.zchart"));
  EXPECT_EQ(recent->actions()[1]->data().toString(), paths[2]);
  recent->actions()[1]->trigger();
  QCoreApplication::processEvents();
  ASSERT_NE(shell.MainWindow(), nullptr);
  EXPECT_EQ(shell.Charts()->RecentCharts().front(), paths[2]);
}

TEST(ChartFileArgument, IsTheFirstArgumentThatIsNoOption) {
  const auto argument = [](std::initializer_list<const char*> list) {
    QStringList arguments;
    for (const char* item : list) {
      arguments.append(QString::fromUtf8(item));
    }
    return ChartFileArgument(arguments);
  };
  EXPECT_EQ(argument({"zodivane"}), QString());
  EXPECT_EQ(argument({"zodivane", "anna.zchart"}), QStringLiteral("anna.zchart"));
  EXPECT_EQ(argument({"zodivane", "--measure", "/tmp/Zoë.zchart"}),
            QStringLiteral("/tmp/Zoë.zchart"));
  EXPECT_EQ(argument({"zodivane", "--screenshot", "shots"}), QString());
}

TEST_F(ChartFilesTest, AFileNamedAtTheStartOpensWithItsChartInTheResults) {
  FormEntries entries = test::RoundTripEntries()[1].entries;
  const QString path = WriteChart(QStringLiteral("joao.zchart"), entries);
  ASSERT_TRUE(shell.ProgramStart(ChartFileArgument({QStringLiteral("zodivane"), path})));
  ASSERT_NE(shell.MainWindow(), nullptr);
  EXPECT_TRUE(shell.MainWindow()->isVisible());
  EXPECT_FALSE(shell.InputForm()->isVisible());
  EXPECT_EQ(testing::Child<QLabel>(*shell.MainWindow(), "lblName")->text(),
            QStringLiteral("JOAO SILVA"));
  EXPECT_TRUE(shell.InputForm()->CollectEntries() == entries);
  EXPECT_TRUE(messages.notices.empty());

  // A second copy started with a file hands it to this one, which opens it;
  // the second ends without a message.
  const QString other = WriteChart(QStringLiteral("asha.zchart"), test::DelhiEntries());
  FakeMessageBoxes secondMessages;
  FakeSettingsStore secondSettings;
  int secondEnded = 0;
  Shell second{ShellServices{secondMessages, browser, secondSettings, clock},
               folder.filePath(QStringLiteral("zodivane.lock")), [&secondEnded] { ++secondEnded; }};
  second.EnableChartFiles(openDialog, saveDialog);
  EXPECT_FALSE(second.ProgramStart(other));
  EXPECT_TRUE(secondMessages.notices.empty());
  EXPECT_EQ(secondEnded, 1);
  EXPECT_EQ(second.MainWindow(), nullptr);
  EXPECT_EQ(secondSettings.values.count(kRecentChartsKey), 0U);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        return shell.MainWindow() != nullptr &&
               testing::Child<QLabel>(*shell.MainWindow(), "lblName")->text() ==
                   QString::fromStdString(test::DelhiEntries().txtName);
      },
      5000));
  EXPECT_TRUE(messages.notices.empty());

  // Without a file the documented message stays.
  FakeMessageBoxes thirdMessages;
  Shell third{ShellServices{thirdMessages, browser, secondSettings, clock},
              folder.filePath(QStringLiteral("zodivane.lock")), [] {}};
  third.EnableChartFiles(openDialog, saveDialog);
  EXPECT_FALSE(third.ProgramStart(QString()));
  EXPECT_THAT(thirdMessages.notices,
              ::testing::ElementsAre(ShownNotice{QStringLiteral("Application is already running"),
                                                 MessageIcon::Information}));
}

// ------------------------------------------------------------ the hand-off

class HandOffTest : public ChartFilesTest {
 protected:
  QString LockPath() const { return folder.filePath(QStringLiteral("zodivane.lock")); }
  QString SocketPath() const { return LockPath() + QStringLiteral(".socket"); }

  /// A later start with `path`: true when the running copy took the file.
  bool HandOver(const QString& path) {
    FakeMessageBoxes laterMessages;
    FakeSettingsStore laterSettings;
    Shell later{ShellServices{laterMessages, browser, laterSettings, clock}, LockPath(), [] {}};
    EXPECT_FALSE(later.ProgramStart(path));
    return laterMessages.notices.empty();
  }

  /// The name the results window shows; empty without one.
  QString ShownName() const {
    return shell.MainWindow() != nullptr
               ? testing::Child<QLabel>(*shell.MainWindow(), "lblName")->text()
               : QString();
  }

  bool WaitForName(const std::string& name) {
    return QTest::qWaitFor([&] { return ShownName() == QString::fromStdString(name); }, 5000);
  }
};

// The running copy opens exactly the path it was handed: before, the path
// was cut at a line feed and trimmed, and another person's chart opened.
TEST_F(HandOffTest, TheRunningCopyOpensExactlyThePathHanded) {
  ASSERT_TRUE(shell.ProgramStart());
  struct Case {
    const char* handed;
    const char* other;  ///< what the path became when cut or trimmed
  };
  const FormEntries asha = test::DelhiEntries();
  const FormEntries joao = test::RoundTripEntries()[1].entries;
  ASSERT_NE(asha.txtName, joao.txtName);
  for (const Case& row : {Case{"a\nb.zchart", "a"}, Case{"t.zchart ", "t.zchart"},
                          Case{" lead.zchart", "lead.zchart"}}) {
    SCOPED_TRACE(row.handed);
    WriteChart(QString::fromUtf8(row.other), joao);
    const QString handed = WriteChart(QString::fromUtf8(row.handed), asha);
    ASSERT_TRUE(HandOver(handed));
    ASSERT_TRUE(WaitForName(asha.txtName));
    EXPECT_TRUE(messages.notices.empty());
    // Recent Charts keeps a path a line: one with a line feed is not kept,
    // so that it never comes back as the other file.
    const QStringList recent = shell.Charts()->RecentCharts();
    EXPECT_FALSE(recent.contains(Path(QString::fromUtf8(row.other))));
    if (!handed.contains(QLatin1Char('\n'))) {
      EXPECT_EQ(recent.value(0), handed);
    }
    Back();
  }
}

// Files handed over while a message box runs over the results wait until it
// is closed: the results window is not replaced under it. Before, the first
// good file replaced the window, and with it the box, inside the box's own
// event loop ("double free or corruption"). A bad file, then a good one, as
// two double-clicks in a file manager give them.
TEST_F(HandOffTest, HandedFilesWaitUntilAMessageBoxIsClosed) {
  const FormEntries joao = test::RoundTripEntries()[1].entries;
  ASSERT_TRUE(shell.ProgramStart(WriteChart(QStringLiteral("joao.zchart"), joao)));
  const QPointer<MDI> first = shell.MainWindow();
  ASSERT_FALSE(first.isNull());
  const QString bad = WriteFile(QStringLiteral("bad.zchart"), "{ not json");
  const QString good = WriteChart(QStringLiteral("asha.zchart"), test::DelhiEntries());

  QPointer<QMessageBox> box =
      new QMessageBox(QMessageBox::Critical, QStringLiteral("Zodivane"),
                      QStringLiteral("Something went wrong"), QMessageBox::Ok, first.data());
  bool taken = false;
  bool untouchedWhileOpen = false;
  QTimer::singleShot(0, [&] {
    ASSERT_EQ(QApplication::activeModalWidget(), box.data());
    taken = HandOver(bad) && HandOver(good);
    for (int i = 0; i < 10; ++i) {
      QCoreApplication::processEvents();
    }
    untouchedWhileOpen = shell.MainWindow() == first.data() && !box.isNull() &&
                         ShownName() == QString::fromStdString(joao.txtName) &&
                         messages.notices.empty();
    if (box) {
      box->done(QMessageBox::Ok);
    }
  });
  box->exec();
  EXPECT_TRUE(taken);
  EXPECT_TRUE(untouchedWhileOpen);
  delete box.data();

  // Once it is closed, both open in turn: the bad one says what is wrong.
  ASSERT_TRUE(WaitForName(test::DelhiEntries().txtName));
  ASSERT_EQ(messages.notices.size(), 1U);
  EXPECT_TRUE(
      messages.notices[0].text.startsWith(ChartFiles::OpenFailureText(bad, QString()).trimmed()));
  EXPECT_TRUE(shell.MainWindow()->isVisible());
}

// The two double-clicks of a file manager that ended the program: a bad
// file, whose message box (the program's own) is still open when the good
// one comes. The good one waits for the box, then opens.
TEST_F(HandOffTest, AGoodFileWaitsForTheMessageOfABadOne) {
  QtMessageBoxes realMessages;
  Shell running{ShellServices{realMessages, browser, settings, clock},
                folder.filePath(QStringLiteral("running.lock")), [] {}};
  running.EnableChartFiles(openDialog, saveDialog);
  const FormEntries joao = test::RoundTripEntries()[1].entries;
  ASSERT_TRUE(running.ProgramStart(WriteChart(QStringLiteral("joao.zchart"), joao)));
  const QPointer<MDI> first = running.MainWindow();
  ASSERT_FALSE(first.isNull());
  const QString bad = WriteFile(QStringLiteral("bad.zchart"), "{ not json");
  const QString good = WriteChart(QStringLiteral("asha.zchart"), test::DelhiEntries());
  const auto handOver = [&](const QString& path) {
    FakeMessageBoxes laterMessages;
    FakeSettingsStore laterSettings;
    Shell later{ShellServices{laterMessages, browser, laterSettings, clock},
                folder.filePath(QStringLiteral("running.lock")), [] {}};
    EXPECT_FALSE(later.ProgramStart(path));
    return laterMessages.notices.empty();
  };

  // While the bad file's message is open: the good file comes, and the
  // results window stays; then the message is answered.
  QString shownText;
  bool goodTaken = false;
  bool untouchedWhileOpen = false;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      return;
    }
    answer.stop();
    shownText = box->text();
    goodTaken = handOver(good);
    for (int i = 0; i < 10; ++i) {
      QCoreApplication::processEvents();
    }
    untouchedWhileOpen =
        running.MainWindow() == first.data() && QApplication::activeModalWidget() == box;
    box->button(QMessageBox::Ok)->click();
  });
  answer.start(0);
  ASSERT_TRUE(handOver(bad));
  const auto name = [&] {
    return running.MainWindow() != nullptr
               ? testing::Child<QLabel>(*running.MainWindow(), "lblName")->text()
               : QString();
  };
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return name() == QString::fromStdString(test::DelhiEntries().txtName); }, 10000));
  EXPECT_TRUE(shownText.startsWith(ChartFiles::OpenFailureText(bad, QString()).trimmed()));
  EXPECT_TRUE(goodTaken);
  EXPECT_TRUE(untouchedWhileOpen);
  EXPECT_TRUE(running.MainWindow()->isVisible());
  running.QuitProgram();
}

/// Runs `child` in a child process as the user "nobody" (uid 65534) and
/// returns its process number. What `child` does must be safe after fork:
/// system calls only.
pid_t StartAsOtherUser(const std::function<int()>& child) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::alarm(60);  // a child left waiting ends
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
      ::_exit(100);
    }
    ::_exit(child());
  }
  return pid;
}

sockaddr_un SocketAddress(const QString& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path - 1);
  return address;
}

// Another user's process that reaches the running copy's socket (made
// open to all here) is refused before anything it sends is read.
TEST_F(HandOffTest, TheRunningCopyRefusesAnotherUsersProcess) {
  if (::geteuid() != 0) {
    GTEST_SKIP() << "another user's process needs root";
  }
  ASSERT_TRUE(shell.ProgramStart());
  const QString chart = WriteChart(QStringLiteral("asha.zchart"), test::DelhiEntries());
  ASSERT_EQ(::chmod(QFile::encodeName(folder.path()).constData(), 0777), 0);
  ASSERT_EQ(::chmod(QFile::encodeName(SocketPath()).constData(), 0777), 0);
  const sockaddr_un address = SocketAddress(SocketPath());
  const std::string message = HandoffMessage(QFile::encodeName(chart).toStdString());
  const pid_t pid = StartAsOtherUser([&] {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
      return 3;
    }
    (void)::write(fd, message.data(), message.size());
    char answer[16] = {};
    const ssize_t read = ::read(fd, answer, sizeof answer);
    return read > 0 ? 2 : 0;  // 0: closed without an answer
  });
  int status = -1;
  ASSERT_TRUE(QTest::qWaitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, 10000));
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  for (int i = 0; i < 10; ++i) {
    QCoreApplication::processEvents();
  }
  EXPECT_EQ(shell.MainWindow(), nullptr);
  EXPECT_TRUE(messages.notices.empty());
}

// A later start sends nothing to a socket of another user's process planted
// where the running copy's should be; it says that a copy runs.
TEST_F(HandOffTest, ALaterStartSendsNothingToAnotherUsersSocket) {
  if (::geteuid() != 0) {
    GTEST_SKIP() << "another user's process needs root";
  }
  ASSERT_TRUE(shell.ProgramStart());
  const QString chart = WriteChart(QStringLiteral("asha.zchart"), test::DelhiEntries());
  ASSERT_EQ(::chmod(QFile::encodeName(folder.path()).constData(), 0777), 0);
  ASSERT_TRUE(QLocalServer::removeServer(SocketPath()));
  const sockaddr_un address = SocketAddress(SocketPath());
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t pid = StartAsOtherUser([&] {
    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (::bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(address.sun_path, 0777) != 0 || ::listen(server, 1) != 0) {
      return 101;
    }
    (void)::write(ready[1], "r", 1);
    const int fd = ::accept(server, nullptr, nullptr);
    char buffer[8192];
    ssize_t total = 0;
    for (ssize_t got = 0; (got = ::read(fd, buffer, sizeof buffer)) > 0;) {
      total += got;
    }
    return total > 99 ? 99 : static_cast<int>(total);  // the bytes received
  });
  ::close(ready[1]);
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  ::close(ready[0]);

  FakeMessageBoxes laterMessages;
  FakeSettingsStore laterSettings;
  Shell later{ShellServices{laterMessages, browser, laterSettings, clock}, LockPath(), [] {}};
  EXPECT_FALSE(later.ProgramStart(chart));
  EXPECT_THAT(laterMessages.notices,
              ::testing::ElementsAre(ShownNotice{QStringLiteral("Application is already running"),
                                                 MessageIcon::Information}));
  int status = -1;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);  // not a byte of the path
}

// A chart file whose place's clocks showed the birth time twice (New York,
// 7 November 2021, 1:30), cast with the second reading: every record of the
// chart says so in the same words, with the offset used: the bottom bar,
// the zone line's tooltip, the chart sheet and the transit sheet.
TEST_F(ChartFilesTest, ARepeatedClockTimeIsWarnedAboutOnEveryRecord) {
  FakePrintDialog printDialog;
  shell.SetChartSheetServices(ChartSheetServices{messages, saveDialog, printDialog});
  ASSERT_TRUE(shell.ProgramStart());
  FormEntries entries = test::London1985Entries();
  entries.txtName = "RAVI";
  test::SetDate(entries, 10, 7, 2021);
  entries.cboHHText = "1";
  entries.cboMMText = "30";
  entries.chkDST = false;
  entries.cmbTimeZoneIndex = 27;  // Eastern Standard Time: the second reading
  const ChosenPlace newYork{"New York",         "New York", "United States of America",
                            "America/New_York", 40.71,      -74.01};
  const QString path =
      WriteFile(QStringLiteral("ravi.zchart"),
                chartfile::WriteChartFile(chartfile::ChartFile{entries, newYork, {}}));
  ASSERT_TRUE(shell.Charts()->Open(path, shell.InputForm()));
  MDI* main = shell.MainWindow();
  ASSERT_NE(main, nullptr);
  const QString warning = QStringLiteral(
      "New York on 7 November 2021 at 1:30: this clock time happened twice, first EDT, UT-4:00, "
      "then EST, UT-5:00; the chart uses the second, EST, UT-5:00");

  auto* bar = testing::Child<QLabel>(*main, "lblBirthTimeNote");
  EXPECT_TRUE(bar->isVisibleTo(main));
  EXPECT_TRUE(bar->toolTip().split(QLatin1Char('\n')).contains(warning))
      << bar->toolTip().toStdString();
  EXPECT_TRUE(testing::Child<QLabel>(*main, "lblZone")->toolTip().endsWith(warning));

  saveDialog.typedName = Path(QStringLiteral("ravi.pdf"));
  testing::Child<QAction>(*main, "mnuExportChart")->trigger();
  ASSERT_TRUE(QFileInfo::exists(Path(QStringLiteral("ravi.pdf"))));
  if (const std::optional<QString> text =
          testing::RunTool(QStringLiteral("pdftotext"), {Path(QStringLiteral("ravi.pdf")), "-"})) {
    // pdftotext gives the "fi" of "first" as its ligature.
    QString read = text->simplified();
    read.replace(QChar(0xFB01), QStringLiteral("fi"));
    EXPECT_TRUE(read.contains(warning)) << text->toStdString();
  }

  testing::Child<QAction>(*main, "mnuTransits")->trigger();
  auto* transits = main->findChild<frmTransits*>();
  ASSERT_NE(transits, nullptr);
  EXPECT_EQ(QString::fromStdString(transits->Sheet().wheel.inner.zoneWarning), warning);
}

}  // namespace
}  // namespace zodivane::ui
