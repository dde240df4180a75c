// SPDX-License-Identifier: GPL-3.0-or-later
// Chart > Transits…: the window opens on the clock's now in the user's own
// zone, Now and a day back or forward move the moment and recast the wheel
// and the list at once, the wheel's outer bodies are the sky of the moment,
// each row reads as a sentence, the keyboard reaches everything, and the
// transit sheet goes to a file and a printer.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "chart/chart_driver.h"
#include "ephemeris/sky_at.h"
#include "tests/support/sample_entries.h"
#include "tests/ui/support/fakes.h"
#include "tests/ui/support/reading_tools.h"
#include "tests/ui/support/windows.h"
#include "transits/transits.h"
#include "ui/platform/web_links.h"
#include "ui/sheet/bi_wheel.h"
#include "ui/windows/frm_transits.h"
#include "ui/windows/mdi.h"

namespace zodivane::ui {
namespace {

using testing::Child;

ChartView London1985() {
  ChartSession session;
  return std::get<ChartView>(session.CastChart(test::London1985Entries()));
}

double JulianDayOf(const QDateTime& moment) {
  const QDateTime ut = moment.toUTC();
  return JulianDayOfUt({ut.date().year(), ut.date().month(), ut.date().day(), ut.time().hour(),
                        ut.time().minute(), ut.time().second()});
}

/// Shows `window` and makes it the active window, as a click on it would.
void Activate(QWidget& window) {
  window.show();
  window.activateWindow();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

class TransitsWindow : public ::testing::Test {
 protected:
  /// Every row of the list as its sentence, in the list's order.
  QStringList Rows() {
    auto* table = Child<QTableWidget>(window, "tblTransits");
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row) {
      rows << table->item(row, 0)->data(Qt::AccessibleTextRole).toString();
    }
    return rows;
  }
  void Click(const char* button) {
    QTest::mouseClick(Child<QPushButton>(window, button), Qt::LeftButton);
  }

  ChartView chart = London1985();
  testing::FakeClock clock;
  testing::FakeMessageBoxes messages;
  testing::FakeSaveDialog saveDialog;
  testing::FakePrintDialog printDialog;
  frmTransits window{chart, DefaultAspectSettings(), clock,
                     ChartSheetServices{messages, saveDialog, printDialog}};
};

TEST_F(TransitsWindow, OpensOnTheClocksNowInTheUsersZone) {
  EXPECT_EQ(window.objectName(), QStringLiteral("frmTransits"));
  EXPECT_EQ(window.Moment(), QDateTime(QDate(2026, 12, 10), QTime(8, 30), Qt::UTC));
  auto* date = Child<QDateTimeEdit>(window, "dtpTransit");
  EXPECT_EQ(date->date(), QDate(2026, 12, 10));
  EXPECT_EQ(date->time(), QTime(9, 30));
  EXPECT_EQ(Child<QLabel>(window, "lblTransitZone")->text(),
            QStringLiteral("Your time zone: CET, UT+1:00"));
  EXPECT_EQ(window.Sheet().universalTime, QStringLiteral("10 December 2026, 08:30 UT"));
  EXPECT_EQ(window.Sheet().localMoment, QStringLiteral("10 December 2026, 09:30"));
}

TEST_F(TransitsWindow, NowMovesToTheClocksTimeAndItsZone) {
  window.SetMoment(QDateTime(QDate(2025, 3, 5), QTime(14, 30), Qt::UTC));
  EXPECT_EQ(window.Moment(), QDateTime(QDate(2025, 3, 5), QTime(14, 30), Qt::UTC));
  clock.now = QDateTime(QDate(2026, 7, 1), QTime(12, 15), clock.now.timeZone());
  Click("cmdNow");
  EXPECT_EQ(window.Moment(), QDateTime(QDate(2026, 7, 1), QTime(10, 15), Qt::UTC));
  EXPECT_EQ(Child<QDateTimeEdit>(window, "dtpTransit")->time(), QTime(12, 15));
  // Summer time in the same zone.
  EXPECT_EQ(Child<QLabel>(window, "lblTransitZone")->text(),
            QStringLiteral("Your time zone: CEST, UT+2:00"));
}

TEST_F(TransitsWindow, DaysMoveByTwentyFourHoursAndTheListFollows) {
  const QDateTime start = window.Moment();
  const QStringList first = Rows();
  struct Step {
    const char* button;
    qint64 hoursFromStart;
  };
  for (const Step& step :
       {Step{"cmdDayForward", 24}, Step{"cmdDayForward", 48}, Step{"cmdDayBack", 24},
        Step{"cmdDayBack", 0}, Step{"cmdDayBack", -24}}) {
    SCOPED_TRACE(step.button);
    Click(step.button);
    EXPECT_EQ(window.Moment(), start.addSecs(step.hoursFromStart * 3600));
    // The list is that of the moment shown, recast at once.
    const auto transits =
        TransitsAt(chart.ephemeris, JulianDayOf(window.Moment()), NatalPointsOf(chart.points),
                   TransitSettings(DefaultAspectSettings()));
    EXPECT_EQ(Rows().size(), static_cast<qsizetype>(std::get<Transits>(transits).aspects.size()));
    if (step.hoursFromStart != 0) {
      EXPECT_NE(Rows(), first);  // the Moon alone moves some 13 degrees a day
    } else {
      EXPECT_EQ(Rows(), first);
    }
  }
}

TEST_F(TransitsWindow, TheWheelShowsTheSkyOfTheMomentInItsSigns) {
  const QDateTime moment(QDate(2025, 3, 5), QTime(14, 30), Qt::UTC);
  window.SetMoment(moment);
  const Sky sky = std::get<Sky>(SkyAt(chart.ephemeris, JulianDayOf(moment)));
  const BiWheelView& view = Child<BiWheelPicture>(window, "picBiWheel")->View();
  ASSERT_EQ(view.outer.size(), static_cast<std::size_t>(kSkyBodyCount));
  for (const OuterPlacement& placement : PlaceOuterBodies(view)) {
    SCOPED_TRACE(view.outer[placement.index].name.toStdString());
    EXPECT_DOUBLE_EQ(view.outer[placement.index].longitude, sky.longitudeDeg[placement.index]);
    EXPECT_EQ(placement.sign, static_cast<int>(sky.longitudeDeg[placement.index] / 30.0));
  }
  // The picture reads its bodies out: Venus retrograde in Aries that day.
  EXPECT_TRUE(Child<BiWheelPicture>(window, "picBiWheel")
                  ->accessibleDescription()
                  .contains(QRegularExpression(QStringLiteral("Venus, \\d+ degrees? \\d+ "
                                                              "minutes? Aries, in house \\d+, "
                                                              "retrograde"))));
}

TEST_F(TransitsWindow, EachRowReadsAsASentenceAndTheLinesCanBeHidden) {
  auto* table = Child<QTableWidget>(window, "tblTransits");
  ASSERT_GT(table->rowCount(), 0);
  const QRegularExpression sentence(QStringLiteral(
      "^Transiting (Sun|Moon|Mercury|Venus|Mars|Jupiter|Saturn|Uranus|Neptune|Pluto) "
      "(conjunction|opposition|trine|square|sextile) natal [A-Za-z]+, orb \\d degrees? \\d+ "
      "minutes?, (applying|separating)(, out of sign)?$"));
  for (int row = 0; row < table->rowCount(); ++row) {
    for (int column = 0; column < table->columnCount(); ++column) {
      EXPECT_TRUE(sentence.match(table->item(row, column)->data(Qt::AccessibleTextRole).toString())
                      .hasMatch())
          << row << ", " << column;
    }
  }
  auto* lines = Child<QCheckBox>(window, "chkTransitLines");
  auto* picture = Child<BiWheelPicture>(window, "picBiWheel");
  EXPECT_TRUE(picture->View().showLines);
  EXPECT_FALSE(picture->View().lines.empty());
  lines->setChecked(false);
  EXPECT_FALSE(picture->View().showLines);
  EXPECT_FALSE(window.Sheet().wheel.showLines);
}

TEST_F(TransitsWindow, TheKeyboardReachesEveryControlInOrder) {
  Activate(window);
  auto* date = Child<QDateTimeEdit>(window, "dtpTransit");
  EXPECT_EQ(QApplication::focusWidget(), date);
  // Tab first steps through the box's parts (day, month, year, hour,
  // minute), as in every date box, then on through the window.
  for (int step = 0; step < 8 && QApplication::focusWidget() == date; ++step) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  QStringList reached{QApplication::focusWidget()->objectName()};
  for (int step = 0; step < 5; ++step) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    reached << QApplication::focusWidget()->objectName();
  }
  EXPECT_EQ(reached, QStringList({"cmdDayBack", "cmdNow", "cmdDayForward", "chkTransitLines",
                                  "tblTransits", "cmdCloseTransits"}));
  // Each button and caption has an access key of its own (Alt+F is the File menu).
  for (const auto& [name, key] :
       std::to_array<std::pair<const char*, Qt::Key>>({{"cmdDayBack", Qt::Key_B},
                                                       {"cmdNow", Qt::Key_N},
                                                       {"cmdDayForward", Qt::Key_W},
                                                       {"cmdCloseTransits", Qt::Key_C}})) {
    EXPECT_EQ(Child<QPushButton>(window, name)->shortcut(), QKeySequence(Qt::ALT | key)) << name;
  }
  for (const auto& [name, key] : std::to_array<std::pair<const char*, Qt::Key>>(
           {{"lblTransitDate", Qt::Key_T}, {"lblTransitsCaption", Qt::Key_A}})) {
    EXPECT_EQ(QKeySequence::mnemonic(Child<QLabel>(window, name)->text()),
              QKeySequence(Qt::ALT | key))
        << name;
  }
  EXPECT_EQ(QKeySequence::mnemonic(Child<QCheckBox>(window, "chkTransitLines")->text()),
            QKeySequence(Qt::ALT | Qt::Key_L));
}

TEST_F(TransitsWindow, TheSheetGoesToAFileAndToThePrinter) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  saveDialog.typedName = folder.filePath(QStringLiteral("transits"));
  Child<QAction>(window, "mnuExportTransits")->trigger();
  ASSERT_EQ(saveDialog.asked.size(), 1U);
  EXPECT_EQ(saveDialog.asked[0].suggestedName,
            QString::fromStdString(chart.name) + QStringLiteral("-transits-2026-12-10.pdf"));
  const QString pdf = folder.filePath(QStringLiteral("transits.pdf"));
  ASSERT_TRUE(QFile::exists(pdf));
  EXPECT_TRUE(messages.notices.empty());
  if (const std::optional<QString> text =
          testing::RunTool(QStringLiteral("pdftotext"), {pdf, "-"})) {
    for (const QString& expected :
         {QString::fromStdString(chart.name), QStringLiteral("10 December 2026, 09:30"),
          QStringLiteral("CET, UT+1:00"), QStringLiteral("10 December 2026, 08:30 UT"),
          QStringLiteral("Transits to the natal chart")}) {
      EXPECT_TRUE(text->contains(expected)) << expected.toStdString();
    }
  }
  printDialog.pdfPath = folder.filePath(QStringLiteral("printed.pdf"));
  Child<QAction>(window, "mnuPrintTransits")->trigger();
  EXPECT_TRUE(QFile::exists(printDialog.pdfPath));
  EXPECT_TRUE(messages.notices.empty());
}

// The sheet's keys answer wherever the focus is: also in the date box,
// which on X11 takes Ctrl+E as the end of its line (the test
// zodivane.transits_keys_on_x11 runs this one there).
TEST_F(TransitsWindow, ExportAndPrintKeysWorkFromEveryControl) {
  Activate(window);
  printDialog.cancel = true;
  // Rows: the control with the focus, the key, and the dialog it opens.
  struct Row {
    const char* control;
    Qt::Key key;
    bool saves;  ///< false: prints
  };
  for (const Row& row : std::to_array<Row>({
           {"dtpTransit", Qt::Key_E, true},
           {"dtpTransit", Qt::Key_P, false},
           {"cmdNow", Qt::Key_E, true},
           {"tblTransits", Qt::Key_E, true},
           {"tblTransits", Qt::Key_P, false},
       })) {
    SCOPED_TRACE(std::string(row.control) + (row.saves ? " Ctrl+E" : " Ctrl+P"));
    Child<QWidget>(window, row.control)->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), Child<QWidget>(window, row.control));
    const std::size_t saves = saveDialog.asked.size();
    const std::size_t prints = printDialog.selectionOffered.size();
    QTest::keyClick(QApplication::focusWidget(), row.key, Qt::ControlModifier);
    EXPECT_EQ(saveDialog.asked.size(), saves + (row.saves ? 1 : 0));
    EXPECT_EQ(printDialog.selectionOffered.size(), prints + (row.saves ? 0 : 1));
  }
}

TEST(TransitsZone, TheZoneIsNamedByItsAbbreviationAndOffset) {
  struct Case {
    QTimeZone zone;
    QDateTime moment;
    const char* caption;
  };
  const QDateTime winter(QDate(2026, 1, 15), QTime(12, 0), Qt::UTC);
  const QDateTime summer(QDate(2026, 7, 15), QTime(12, 0), Qt::UTC);
  for (const Case& item : {
           Case{QTimeZone("Europe/Berlin"), winter, "Your time zone: CET, UT+1:00"},
           Case{QTimeZone("Europe/Berlin"), summer, "Your time zone: CEST, UT+2:00"},
           Case{QTimeZone("Asia/Kolkata"), winter, "Your time zone: IST, UT+5:30"},
           Case{QTimeZone("America/New_York"), summer, "Your time zone: EDT, UT-4:00"},
           Case{QTimeZone("UTC"), winter, "Your time zone: UTC, UT+0:00"},
           // Zones whose abbreviation is only their offset again.
           Case{QTimeZone("Asia/Dubai"), winter, "Your time zone: UT+4:00"},
           Case{QTimeZone(3 * 3600), winter, "Your time zone: UT+3:00"},
       }) {
    EXPECT_EQ(ZoneCaption(item.zone, item.moment), QString::fromLatin1(item.caption));
  }
}

TEST(TransitsZone, AClockTimeTheZoneSkipsIsTakenAnHourOn) {
  testing::FakeClock clock;  // Central European Time
  frmTransits window{London1985(), DefaultAspectSettings(), clock, std::nullopt};
  auto* date = Child<QDateTimeEdit>(window, "dtpTransit");
  // Clocks go from 02:00 to 03:00 on 29 March 2026.
  date->setDateTime(QDateTime(QDate(2026, 3, 29), QTime(2, 30), Qt::UTC));
  EXPECT_EQ(window.Moment(), QDateTime(QDate(2026, 3, 29), QTime(1, 30), Qt::UTC));
}

TEST(TransitsMenu, CtrlTOpensTheWindowOnceAChartIsShown) {
  testing::FakeWebBrowser browser;
  WebLinks links{browser};
  testing::FakeClock clock;
  auto* mdi = new MDI(links);
  auto* item = Child<QAction>(*mdi, "mnuTransits");
  EXPECT_EQ(item->text(), QStringLiteral("&Transits\u2026"));
  EXPECT_FALSE(item->isEnabled());
  mdi->SetTransitClock(clock);
  EXPECT_FALSE(item->isEnabled());  // no chart yet
  mdi->SetChartSheet(London1985(), std::nullopt);
  EXPECT_TRUE(item->isEnabled());
  Activate(*mdi);
  QTest::keyClick(mdi, Qt::Key_T, Qt::ControlModifier);
  auto* transits = mdi->findChild<frmTransits*>();
  ASSERT_NE(transits, nullptr);
  EXPECT_TRUE(transits->isVisible());
  // Without the sheet's services there is nothing to export or print with.
  EXPECT_FALSE(Child<QAction>(*transits, "mnuExportTransits")->isEnabled());
  // A second Ctrl+T brings the same window back.
  transits->hide();
  Activate(*mdi);
  QTest::keyClick(mdi, Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(mdi->findChildren<frmTransits*>().size(), 1);
  EXPECT_TRUE(transits->isVisible());
  delete mdi;
}

}  // namespace
}  // namespace zodivane::ui
