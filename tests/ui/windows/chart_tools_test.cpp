// SPDX-License-Identifier: GPL-3.0-or-later
// Chart > Transit Calendar… and Chart > Compare With…: the calendar's table
// against the core's calendar of the same period, its iCalendar file read
// back with libical, and a chart file compared with the chart shown.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimeZone>

#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <variant>
#include <vector>

#ifdef ZODIVANE_ICAL
#include <libical/ical.h>
#endif

#include "chart/chart_aspects.h"
#include "chart/chart_driver.h"
#include "chartfile/chart_file.h"
#include "tests/support/sample_entries.h"
#include "tests/ui/support/fakes.h"
#include "tests/ui/support/reading_tools.h"
#include "tests/ui/support/windows.h"
#include "transits/transit_ics.h"
#include "transits/transits.h"
#include "ui/app/chart_files.h"
#include "ui/app/shell.h"
#include "ui/windows/frm_main.h"
#include "ui/windows/frm_synastry.h"
#include "ui/windows/frm_transit_calendar.h"
#include "ui/windows/mdi.h"

namespace zodivane::ui {
namespace {

using testing::Child;
using testing::FakeClock;
using testing::FakeMessageBoxes;
using testing::FakeOpenDialog;
using testing::FakePrintDialog;
using testing::FakeSaveDialog;
using testing::FakeSettingsStore;
using testing::FakeWebBrowser;

ChartView Cast(ChartSession& session, const FormEntries& entries) {
  const CastResult cast = session.CastChart(entries);
  EXPECT_TRUE(std::holds_alternative<ChartView>(cast));
  return std::get<ChartView>(cast);
}

/// The zone of the fake clock, the user's.
const QTimeZone kBerlin(QByteArrayLiteral("Europe/Berlin"));

/// "2025-03-04 14:22 CET" in the user's zone, worked out here from the
/// seconds since 1970 rather than through the window's helpers.
QString LocalText(double julianDayUt) {
  const auto seconds = std::llround((julianDayUt - 2440587.5) * 86400.0);
  const QDateTime moment =
      QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc()).toTimeZone(kBerlin);
  return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm ")) + kBerlin.abbreviation(moment);
}

/// The row of `table` whose Planet, Aspect and Natal point columns read so
/// and whose Enters column reads `enters`; -1 when there is none.
int FindRow(const QTableWidget& table, const QStringList& key) {
  for (int row = 0; row < table.rowCount(); ++row) {
    QStringList cells;
    for (int column = 1; column <= 4; ++column) {
      cells.append(table.item(row, column)->text());
    }
    if (cells == key) {
      return row;
    }
  }
  return -1;
}

class TransitCalendarWindowTest : public ::testing::Test {
 protected:
  TransitCalendarWindowTest() {
    clock.today = QDate(2025, 1, 1);
    owned = std::make_unique<frmTransitCalendar>(
        chart, DefaultAspectSettings(), TransitCalendarServices{messages, saveDialog, clock});
  }

  FakeMessageBoxes messages;
  FakeSaveDialog saveDialog;
  FakeClock clock;
  ChartSession session;
  ChartView chart = Cast(session, test::DelhiEntries());
  std::unique_ptr<frmTransitCalendar> owned;
};

TEST_F(TransitCalendarWindowTest, TheTableHoldsTheCalendarOfTheChosenPeriod) {
  frmTransitCalendar& window = *owned;
  // Today to twelve months on, from the clock.
  EXPECT_EQ(Child<QDateEdit>(window, "dtpFrom")->date(), QDate(2025, 1, 1));
  EXPECT_EQ(Child<QDateEdit>(window, "dtpTo")->date(), QDate(2026, 1, 1));
  const auto [from, to] = window.Period();
  EXPECT_NEAR(
      from,
      2440587.5 + QDateTime(QDate(2025, 1, 1), QTime(0, 0), kBerlin).toSecsSinceEpoch() / 86400.0,
      1e-9);
  EXPECT_NEAR(
      to,
      2440587.5 + QDateTime(QDate(2026, 1, 2), QTime(0, 0), kBerlin).toSecsSinceEpoch() / 86400.0,
      1e-9);

  // The core's calendar of the same period, asked for here.
  const std::vector<NatalPoint> natal = NatalPointsOf(chart.points);
  CalendarSettings settings;
  settings.fromJulianDayUt = from;
  settings.toJulianDayUt = to;
  settings.ascendantSign = chart.points[static_cast<std::size_t>(ChartPoint::Ascendant)].sign;
  const auto found = FindTransitCalendar(chart.ephemeris, natal, settings);
  ASSERT_TRUE(std::holds_alternative<TransitCalendar>(found));
  const TransitCalendar& expected = std::get<TransitCalendar>(found);
  ASSERT_GE(expected.passages.size(), 5u);

  auto* table = Child<QTableWidget>(window, "tblCalendar");
  ASSERT_EQ(table->rowCount(),
            static_cast<int>(expected.passages.size() + expected.houseEntries.size()));
  ASSERT_EQ(table->columnCount(), 7);
  for (std::size_t i = 0; i < 5; ++i) {
    const TransitPassage& passage = expected.passages[i];
    SCOPED_TRACE(i);
    const QStringList key = {
        QString::fromUtf8(kChartPointNames[static_cast<std::size_t>(passage.body)].data()),
        QString::fromUtf8(InfoOf(passage.kind).name.data(), InfoOf(passage.kind).name.size()),
        QString::fromStdString(natal[passage.natal].name)};
    int row = -1;
    for (int r = 0; r < table->rowCount() && row < 0; ++r) {
      const bool same = table->item(r, 1)->text() == key[0] &&
                        table->item(r, 2)->text() == key[1] &&
                        table->item(r, 3)->text() == key[2] &&
                        table->item(r, 4)->text() == (passage.entersJulianDayUt
                                                          ? LocalText(*passage.entersJulianDayUt)
                                                          : QStringLiteral("already within"));
      row = same ? r : -1;
    }
    ASSERT_GE(row, 0) << key.join(u' ').toStdString();
    QStringList hits;
    for (const double hit : passage.exactJulianDaysUt) {
      hits.append(LocalText(hit));
    }
    EXPECT_EQ(table->item(row, 5)->text(),
              hits.isEmpty() ? QStringLiteral("\u2013") : hits.join(QStringLiteral("; ")));
    EXPECT_EQ(table->item(row, 6)->text(), passage.leavesJulianDayUt
                                               ? LocalText(*passage.leavesJulianDayUt)
                                               : QStringLiteral("still within"));
    // Each cell reads its row as a sentence.
    const QString speech = table->item(row, 0)->data(Qt::AccessibleTextRole).toString();
    EXPECT_TRUE(speech.startsWith(key[0] + QLatin1Char(' ') + key[1] + QStringLiteral(" natal ") +
                                  key[2] + QStringLiteral(": ")))
        << speech.toStdString();
    for (int column = 1; column < 7; ++column) {
      EXPECT_EQ(table->item(row, column)->data(Qt::AccessibleTextRole).toString(), speech);
    }
  }
  // A house entry is a row of its own.
  ASSERT_FALSE(expected.houseEntries.empty());
  const HouseEntry& entry = expected.houseEntries.front();
  const int houseRow = FindRow(
      *table, {QString::fromUtf8(kChartPointNames[static_cast<std::size_t>(entry.body)].data()),
               QStringLiteral("enters house %1").arg(entry.house) +
                   (entry.retrograde ? QStringLiteral(", retrograde") : QString()),
               QString::fromUtf8(kSigns[static_cast<std::size_t>(entry.sign)].name.data()),
               LocalText(entry.julianDayUt)});
  EXPECT_GE(houseRow, 0);

  // Sorted by a moment's column, the moments run in order.
  table->sortByColumn(4, Qt::AscendingOrder);
  for (int row = 1; row < table->rowCount(); ++row) {
    EXPECT_LE(table->item(row - 1, 4)->data(Qt::UserRole).toDouble(),
              table->item(row, 4)->data(Qt::UserRole).toDouble());
  }

  // Mars joins when asked for.
  const auto marsRows = [table] {
    int rows = 0;
    for (int row = 0; row < table->rowCount(); ++row) {
      rows += table->item(row, 1)->text() == QStringLiteral("Mars") ? 1 : 0;
    }
    return rows;
  };
  EXPECT_EQ(marsRows(), 0);
  Child<QCheckBox>(window, "chkMars")->setChecked(true);
  EXPECT_GT(marsRows(), 0);

  // A period that ends before it begins shows why, and nothing to export.
  Child<QDateEdit>(window, "dtpTo")->setDate(QDate(2024, 6, 1));
  EXPECT_EQ(table->rowCount(), 0);
  EXPECT_FALSE(Child<QLabel>(window, "lblCalendarNote")->text().isEmpty());
  EXPECT_FALSE(Child<QPushButton>(window, "cmdExportIcs")->isEnabled());
}

#ifdef ZODIVANE_ICAL
TEST_F(TransitCalendarWindowTest, ExportWritesACalendarThatLibicalReadsBackWithTheSameEvents) {
  frmTransitCalendar& window = *owned;
  QTemporaryDir folder;
  auto* button = Child<QPushButton>(window, "cmdExportIcs");
  ASSERT_TRUE(button->isEnabled());
  saveDialog.typedName = folder.filePath(QStringLiteral("asha"));
  button->click();
  ASSERT_EQ(saveDialog.asked.size(), 1u);
  EXPECT_EQ(saveDialog.asked[0].defaultSuffix, QStringLiteral("ics"));
  EXPECT_EQ(saveDialog.asked[0].suggestedName, QStringLiteral("ASHA-transits.ics"));
  EXPECT_TRUE(messages.notices.empty());

  QFile file(folder.filePath(QStringLiteral("asha.ics")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray contents = file.readAll();
  icalcomponent* parsed = icalparser_parse_string(contents.constData());
  ASSERT_NE(parsed, nullptr);
  std::vector<std::string> summaries;
  std::set<std::string> uids;
  for (icalcomponent* event = icalcomponent_get_first_component(parsed, ICAL_VEVENT_COMPONENT);
       event != nullptr; event = icalcomponent_get_next_component(parsed, ICAL_VEVENT_COMPONENT)) {
    summaries.emplace_back(icalcomponent_get_summary(event));
    uids.insert(icalcomponent_get_uid(event));
  }
  icalcomponent_free(parsed);
  // The same events as the core makes of the calendar shown, in its order.
  ASSERT_TRUE(window.Calendar().has_value());
  std::vector<std::string> expected;
  for (const IcsEvent& event :
       IcsEventsOf(*window.Calendar(), NatalPointsOf(chart.points), chart.name)) {
    expected.push_back(event.summary);
  }
  EXPECT_EQ(summaries.size(), CalendarEvents(*window.Calendar()).size());
  EXPECT_EQ(summaries, expected);
  EXPECT_EQ(uids.size(), summaries.size());
  EXPECT_THAT(summaries, ::testing::Contains(::testing::HasSubstr("enters house")));

  // A folder that does not exist: the reason in a message box, no file.
  saveDialog.typedName = folder.filePath(QStringLiteral("missing/asha.ics"));
  EXPECT_FALSE(window.cmdExportIcs_Click());
  ASSERT_EQ(messages.notices.size(), 1u);
  EXPECT_EQ(messages.notices[0].icon, MessageIcon::Critical);
  EXPECT_TRUE(messages.notices[0].text.contains(QStringLiteral("asha.ics")));
}
#endif

class CompareWithTest : public ::testing::Test {
 protected:
  CompareWithTest() {
    shell.EnableChartFiles(openDialog, saveDialog);
    shell.SetChartSheetServices(ChartSheetServices{messages, saveDialog, printDialog});
  }

  QString WriteChart(const QString& name, const FormEntries& entries) const {
    QFile file(folder.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    const std::string bytes = chartfile::WriteChartFile(chartfile::ChartFile{entries, {}, {}});
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return file.fileName();
  }

  QTemporaryDir folder;
  FakeMessageBoxes messages;
  FakeWebBrowser browser;
  FakeSettingsStore settings;
  FakeClock clock;
  FakeOpenDialog openDialog;
  FakeSaveDialog saveDialog;
  FakePrintDialog printDialog;
  Shell shell{ShellServices{messages, browser, settings, clock},
              folder.filePath(QStringLiteral("zodivane.lock")), [] {}};
};

TEST_F(CompareWithTest, AChartFileFillsBothNamesAndTheListOfSynastry) {
  ASSERT_TRUE(shell.ProgramStart());
  shell.InputForm()->SetEntries(test::DelhiEntries());
  ASSERT_TRUE(shell.InputForm()->Cast());
  MDI* main = shell.MainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(Child<QAction>(*main, "mnuTransitCalendar")->isEnabled());
  EXPECT_TRUE(Child<QMenu>(*main, "mnuCompareWith")->isEnabled());

  openDialog.chosen = WriteChart(QStringLiteral("jane.zchart"), test::London1985Entries());
  Child<QAction>(*main, "mnuCompareWithFile")->trigger();
  EXPECT_TRUE(messages.notices.empty());
  auto* window = main->findChild<frmSynastry*>();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Child<QLabel>(*window, "lblFirstName")->text(), QStringLiteral("ASHA"));
  EXPECT_EQ(Child<QLabel>(*window, "lblSecondName")->text(), QStringLiteral("JANE DOE"));
  // Each birth as the rest of the program writes it: the clock time, the
  // zone and the UT.
  EXPECT_EQ(Child<QLabel>(*window, "lblFirstBirth")->text(),
            QStringLiteral("1 January 1901, 00:00, GMT, UT+0:00 = 00:00 UT"));
  EXPECT_EQ(Child<QLabel>(*window, "lblSecondBirth")->text(),
            QStringLiteral("15 August 1985, 14:30, GMT with DST, UT+1:00 = 13:30 UT  London"));
  EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("lblSameChart")), nullptr);

  // The core's synastry of the two births, asked for here.
  ChartSession first;
  ChartSession second;
  Cast(first, test::DelhiEntries());
  Cast(second, test::London1985Entries());
  const std::vector<CrossAspect> expected =
      SynastryAspects(AspectPointsOf(first.chartInput(), first.points()),
                      AspectPointsOf(second.chartInput(), second.points()),
                      SynastrySettings(DefaultAspectSettings()));
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(window->Aspects(), expected);
  auto* list = Child<QTableWidget>(*window, "tblSynastry");
  ASSERT_EQ(list->rowCount(), static_cast<int>(expected.size()));
  std::multiset<std::string> shown;
  std::multiset<std::string> wanted;
  for (int row = 0; row < list->rowCount(); ++row) {
    shown.insert(list->item(row, 0)->text().toStdString() + " " +
                 list->item(row, 1)->text().toStdString() + " " +
                 list->item(row, 2)->text().toStdString());
    // Sorted by orb.
    if (row > 0) {
      EXPECT_LE(list->item(row - 1, 2)->data(Qt::UserRole).toDouble(),
                list->item(row, 2)->data(Qt::UserRole).toDouble());
    }
  }
  // Each pair names whose point is whose.
  for (const CrossAspect& aspect : expected) {
    const OrbParts orb = OrbPartsOf(aspect.orb);
    wanted.insert("ASHA's " + std::string(NatalPointName(static_cast<ChartPoint>(aspect.first))) +
                  " \u2013 JANE DOE's " +
                  std::string(NatalPointName(static_cast<ChartPoint>(aspect.second))) + " " +
                  std::string(InfoOf(aspect.kind).name) + " " + std::to_string(orb.degrees) +
                  "\u00B0" + (orb.minutes < 10 ? "0" : "") + std::to_string(orb.minutes) + "'");
  }
  EXPECT_EQ(shown, wanted);

  // The grid: the first person's points down, the second's across, every
  // cell a sentence.
  auto* grid = Child<QTableWidget>(*window, "grdSynastry");
  ASSERT_EQ(grid->rowCount(), kChartPointCount);
  ASSERT_EQ(grid->columnCount(), kChartPointCount);
  const CrossAspect& one = expected.front();
  EXPECT_EQ(grid->item(static_cast<int>(one.first), static_cast<int>(one.second))
                ->data(Qt::AccessibleTextRole)
                .toString(),
            SynastrySpeech(one, QStringLiteral("ASHA"), QStringLiteral("JANE DOE")));
  for (int row = 0; row < kChartPointCount; ++row) {
    for (int column = 0; column < kChartPointCount; ++column) {
      EXPECT_TRUE(grid->item(row, column)
                      ->data(Qt::AccessibleTextRole)
                      .toString()
                      .startsWith(QStringLiteral("ASHA's ")));
    }
  }
}

TEST_F(CompareWithTest, ExportAndPrintPutTheSynastrySheetOnPaper) {
  ASSERT_TRUE(shell.ProgramStart());
  shell.InputForm()->SetEntries(test::DelhiEntries());
  ASSERT_TRUE(shell.InputForm()->Cast());
  MDI* main = shell.MainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(
      main->CompareWith(WriteChart(QStringLiteral("jane.zchart"), test::London1985Entries())));
  auto* window = main->findChild<frmSynastry*>();
  ASSERT_NE(window, nullptr);
  // The bi-wheel: the second person's bodies read aloud.
  auto* wheel = Child<QWidget>(*window, "picBiWheel");
  EXPECT_TRUE(wheel->accessibleDescription().contains(QStringLiteral("Sun")));

  saveDialog.typedName = folder.filePath(QStringLiteral("both"));
  Child<QPushButton>(*window, "cmdExport")->click();
  ASSERT_EQ(saveDialog.asked.size(), 1u);
  EXPECT_EQ(saveDialog.asked[0].suggestedName, QStringLiteral("ASHA and JANE DOE.pdf"));
  EXPECT_TRUE(messages.notices.empty());
  printDialog.pdfPath = folder.filePath(QStringLiteral("printed.pdf"));
  Child<QPushButton>(*window, "cmdPrint")->click();
  EXPECT_TRUE(messages.notices.empty());
  for (const QString& pdf : {folder.filePath(QStringLiteral("both.pdf")), printDialog.pdfPath}) {
    SCOPED_TRACE(pdf.toStdString());
    ASSERT_TRUE(QFileInfo(pdf).isFile());
    const std::optional<QString> text = testing::RunTool(QStringLiteral("pdftotext"), {pdf, "-"});
    if (!text) {
      continue;  // no reader on this machine
    }
    EXPECT_TRUE(text->contains(QStringLiteral("ASHA & JANE DOE")));
    EXPECT_TRUE(text->contains(QStringLiteral("Synastry")));
    // The list: every aspect on the second page.
    EXPECT_EQ(text->count(QStringLiteral("conjunction")) +
                  text->count(QStringLiteral("opposition")) + text->count(QStringLiteral("trine")) +
                  text->count(QStringLiteral("square")) + text->count(QStringLiteral("sextile")),
              static_cast<qsizetype>(window->Aspects().size()));
  }
  // A folder that does not exist: the reason, no file.
  saveDialog.typedName = folder.filePath(QStringLiteral("missing/both.pdf"));
  EXPECT_FALSE(window->cmdExport_Click());
  ASSERT_EQ(messages.notices.size(), 1u);
  EXPECT_EQ(messages.notices[0].icon, MessageIcon::Critical);
}

TEST_F(CompareWithTest, RecentChartsAreOfferedAndABadFileIsReported) {
  ASSERT_TRUE(shell.ProgramStart());
  const QString anna = WriteChart(QStringLiteral("anna.zchart"), test::AnnaInDelhi());
  // Opening a chart file makes it recent and shows its chart.
  ASSERT_TRUE(shell.Charts()->Open(anna, shell.InputForm()));
  MDI* main = shell.MainWindow();
  ASSERT_NE(main, nullptr);
  auto* menu = Child<QMenu>(*main, "mnuCompareWith");
  emit menu->aboutToShow();
  auto* recent = Child<QAction>(*main, "mnuCompareRecent0");
  ASSERT_NE(recent, nullptr);
  EXPECT_EQ(recent->data().toString(), QFileInfo(anna).absoluteFilePath());
  // The file and, beside it, whose chart it holds.
  EXPECT_EQ(recent->text(), QStringLiteral("&1 anna.zchart \u2013 ANNA"));
  recent->trigger();
  auto* window = main->findChild<frmSynastry*>();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Child<QLabel>(*window, "lblSecondName")->text(), QStringLiteral("ANNA"));
  // The chart shown is the file's: the window says it is compared with itself.
  auto* same = window->findChild<QLabel*>(QStringLiteral("lblSameChart"));
  ASSERT_NE(same, nullptr);
  EXPECT_TRUE(same->text().contains(QStringLiteral("compared with itself")));

  const QString broken = folder.filePath(QStringLiteral("broken.zchart"));
  QFile file(broken);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("{ not json");
  file.close();
  EXPECT_FALSE(main->CompareWith(broken));
  ASSERT_EQ(messages.notices.size(), 1u);
  EXPECT_EQ(messages.notices[0].icon, MessageIcon::Critical);
  EXPECT_TRUE(messages.notices[0].text.contains(QStringLiteral("broken.zchart")));
}

// A chart file whose place's clocks showed its birth time twice: the
// window and its sheet carry the same warning as the file's own results
// would, beside the second person's birth.
TEST_F(CompareWithTest, TheSecondPersonsZoneWarningReachesTheWindowAndTheSheet) {
  ASSERT_TRUE(shell.ProgramStart());
  shell.InputForm()->SetEntries(test::DelhiEntries());
  ASSERT_TRUE(shell.InputForm()->Cast());
  MDI* main = shell.MainWindow();
  ASSERT_NE(main, nullptr);

  FormEntries repeated = test::London1985Entries();
  repeated.txtName = "RAVI";
  test::SetDate(repeated, 10, 7, 2021);
  repeated.cboHHText = "1";
  repeated.cboMMText = "30";
  repeated.chkDST = false;
  repeated.cmbTimeZoneIndex = 24;  // Eastern Daylight Time: the first reading
  const ChosenPlace newYork{"New York",         "New York", "United States of America",
                            "America/New_York", 40.71,      -74.01};
  const QString path = folder.filePath(QStringLiteral("ravi.zchart"));
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const std::string bytes =
        chartfile::WriteChartFile(chartfile::ChartFile{repeated, newYork, {}});
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
  ASSERT_TRUE(main->CompareWith(path));
  auto* window = main->findChild<frmSynastry*>();
  ASSERT_NE(window, nullptr);
  const std::string warning =
      "New York on 7 November 2021 at 1:30: this clock time happened twice, first EDT, UT-4:00, "
      "then EST, UT-5:00; the chart uses the first, EDT, UT-4:00";
  EXPECT_EQ(window->Sheet().second.zoneWarning, warning);
  EXPECT_EQ(window->Sheet().first.zoneWarning, "");
  EXPECT_EQ(Child<QLabel>(*window, "lblSecondBirth")->text(),
            QStringLiteral("7 November 2021, 01:30, EDT, UT-4:00 = 05:30 UT  London"));
  EXPECT_EQ(Child<QLabel>(*window, "lblSecondWarning")->text(),
            QStringLiteral("\u26A0 RAVI: ") + QString::fromStdString(warning));
  EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("lblFirstWarning")), nullptr);
  EXPECT_TRUE(Child<QLabel>(*window, "lblSecondName")
                  ->accessibleDescription()
                  .endsWith(QStringLiteral("Warning: ") + QString::fromStdString(warning)));
}

}  // namespace
}  // namespace zodivane::ui
