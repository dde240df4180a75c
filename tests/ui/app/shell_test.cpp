// SPDX-License-Identifier: GPL-3.0-or-later
// The shell: one running copy, the update reminder's day rule, the main
// window's layout and links, the about box, and the moves between windows.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineF>
#include <QLockFile>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <variant>

#include "aspects/aspect_report.h"
#include "ephemeris/planets.h"
#include "ephemeris/swiss_ephemeris.h"
#include "report/report_sinks.h"
#include "tests/support/sample_entries.h"
#include "tests/ui/support/fakes.h"
#include "tests/ui/support/text_recorder.h"
#include "tests/ui/support/windows.h"
#include "ui/app/shell.h"
#include "ui/look/look.h"
#include "ui/sheet/aspect_marks.h"
#include "ui/sheet/wheel_layout.h"
#include "ui/windows/aspect_panel.h"
#include "ui/windows/frm_about.h"
#include "ui/windows/frm_aspect_settings.h"
#include "ui/windows/frm_display.h"
#include "ui/windows/frm_main.h"
#include "ui/windows/mdi.h"

namespace zodivane::ui {
namespace {

using testing::FakeClock;
using testing::FakeMessageBoxes;
using testing::FakeSettingsStore;
using testing::FakeWebBrowser;
using testing::ShownNotice;

// ---------------------------------------------------------------- reminder

class UpdateReminderTest : public ::testing::Test {
 protected:
  void Run() { UpdateReminder(settings, clock, messages, links); }
  void StoreDaysFromToday(int days) {
    settings.values[kLastReminderKey] = clock.today.addDays(days).toString(Qt::ISODate);
  }

  FakeSettingsStore settings;
  FakeClock clock;
  FakeMessageBoxes messages;
  FakeWebBrowser browser;
  WebLinks links{browser};
};

TEST_F(UpdateReminderTest, FirstRunOnlyStoresToday) {
  Run();
  EXPECT_TRUE(messages.questions.empty());
  EXPECT_EQ(settings.values[kLastReminderKey], QStringLiteral("2026-12-10"));
  EXPECT_TRUE(browser.opened.empty());
}

TEST_F(UpdateReminderTest, AsksWhenTheLastReminderIsFifteenDaysAwayEitherSide) {
  // Stored date relative to today; the question comes at 15 days or more.
  struct Row {
    int storedDays;
    bool asks;
  };
  const std::vector<Row> rows = {{0, false},   {-1, false}, {-14, false}, {-15, true},
                                 {-400, true}, {14, false}, {15, true},   {20, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.storedDays);
    messages.questions.clear();
    StoreDaysFromToday(row.storedDays);
    const QString before = settings.values[kLastReminderKey];
    Run();
    if (row.asks) {
      EXPECT_THAT(messages.questions, ::testing::ElementsAre(QStringLiteral(
                                          "There maybe an update to this software available\n"
                                          "Do you want to check for an update?")));
      EXPECT_EQ(settings.values[kLastReminderKey], QStringLiteral("2026-12-10"));
    } else {
      EXPECT_TRUE(messages.questions.empty());
      EXPECT_EQ(settings.values[kLastReminderKey], before);
    }
    EXPECT_TRUE(browser.opened.empty());  // the answer was No
  }
}

TEST_F(UpdateReminderTest, AnswersCountFromTheDayOfTheQuestion) {
  // Day 0 first run, then runs on the days below; Yes opens the download page.
  struct Row {
    int day;
    bool answerYes;
    bool asks;
    int pagesOpened;
  };
  const std::vector<Row> rows = {{0, false, false, 0}, {14, false, false, 0}, {15, false, true, 0},
                                 {29, true, false, 0}, {30, true, true, 1},   {44, true, false, 1},
                                 {45, true, true, 2}};
  const QDate start = clock.today;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.day);
    messages.questions.clear();
    messages.answerYes = row.answerYes;
    clock.today = start.addDays(row.day);
    Run();
    EXPECT_EQ(messages.questions.size(), row.asks ? 1U : 0U);
    EXPECT_EQ(static_cast<int>(browser.opened.size()), row.pagesOpened);
  }
  EXPECT_THAT(browser.opened, ::testing::Each(WebAddresses::DownloadPage()));
}

TEST_F(UpdateReminderTest, UnreadableStoredDateDoesNothing) {
  for (const char* stored : {"", "yesterday", "2026-13-40", "10/12/2026"}) {
    SCOPED_TRACE(stored);
    settings.values[kLastReminderKey] = QString::fromLatin1(stored);
    settings.writes = 0;
    Run();
    EXPECT_TRUE(messages.questions.empty());
    EXPECT_EQ(settings.writes, 0);
    EXPECT_EQ(settings.values[kLastReminderKey], QString::fromLatin1(stored));
  }
}

// ------------------------------------------------------------ main window

TEST(MdiLayoutTest, ButtonsFollowTheWindowsRightEdge) {
  // Design example: a window 19200 twips wide.
  const MdiLayout layout = ComputeMdiLayout(19200);
  EXPECT_EQ(layout.exitLeft, 17945);
  EXPECT_EQ(layout.backLeft, 16780);
  EXPECT_EQ(layout.printLeft, 15580);
  EXPECT_EQ(layout.bannerLeft, (19200 - 9480) / 2);
  EXPECT_EQ(layout.softwareNameLeft, (19200 - 6615) / 2);
  EXPECT_EQ(layout.displayLeft, (19200 - 13215) / 2);
}

class MainWindowTest : public ::testing::Test {
 protected:
  template <typename T>
  T* Find(const char* name) {
    return testing::Child<T>(*window, name);
  }

  FakeWebBrowser browser;
  WebLinks links{browser};
  // Deletes itself when closed.
  QPointer<MDI> window = new MDI(links);

  ~MainWindowTest() override { delete window.data(); }
};

TEST_F(MainWindowTest, LaysOutBarsAndButtonsForItsWidthAndAgainWhenResized) {
  // The window 1280 pixels = 19200 twips wide; then 1600 = 24000 twips.
  for (const int width : {1280, 1600}) {
    SCOPED_TRACE(width);
    window->resize(width, 800);
    window->show();
    QApplication::processEvents();
    ASSERT_EQ(window->width(), width);
    const MdiLayout layout = ComputeMdiLayout(width * 15);
    EXPECT_EQ(Find<QWidget>("cmdMdiExit")->x(), look::Px(layout.exitLeft));
    EXPECT_EQ(Find<QWidget>("cmdBack")->x(), look::Px(layout.backLeft));
    EXPECT_EQ(Find<QWidget>("Command1")->x(), look::Px(layout.printLeft));
    EXPECT_EQ(Find<QWidget>("lblQuorvelBanner")->x(), look::Px(layout.bannerLeft));
    EXPECT_EQ(Find<QWidget>("lblSoftwareName")->x(), look::Px(layout.softwareNameLeft));
    EXPECT_EQ(window->Display().x(), look::Px(layout.displayLeft));
  }
  // Narrower than the results form (881 pixels): the form starts at the left and scrolls.
  window->resize(700, 500);
  QApplication::processEvents();
  EXPECT_EQ(window->Display().x(), 0);
  EXPECT_GE(Find<QWidget>("MDIClient")->width(), window->Display().width());
  EXPECT_EQ(Find<QWidget>("cmdMdiExit")->x(), look::Px(ComputeMdiLayout(700 * 15).exitLeft));

  EXPECT_EQ(Find<QWidget>("cmdMdiExit")->geometry().size(), QSize(73, 33));
  EXPECT_EQ(Find<QWidget>("cmdBack")->geometry().size(), QSize(68, 31));
  EXPECT_EQ(Find<QWidget>("Picture1")->height(), 41);
  EXPECT_EQ(Find<QWidget>("Picture3")->height(), 24);
  EXPECT_EQ(Find<QWidget>("Picture2")->height(), 41);
  EXPECT_EQ(Find<QPushButton>("Command1")->text(), QStringLiteral("&Print"));
  EXPECT_EQ(Find<QPushButton>("cmdBack")->text(), QStringLiteral("&Back"));
  EXPECT_EQ(Find<QPushButton>("cmdMdiExit")->text(), QStringLiteral("&Exit"));
  EXPECT_EQ(Find<QLabel>("lblSoftwareName")->text(), QStringLiteral("Zodivane"));
}

// The aspects beside the results: the grid is a staircase (rows Moon to
// Asc under columns Sun to Pluto: no empty Sun row, no empty Asc column); it
// holds each aspect the chart has, in the cell of its pair, its glyph in
// the aspect's colour, and names it as a sentence; every other cell of the
// stairs says there is none; the list sorts by orb; View > Aspects hides
// the panel, and the next window remembers it.
TEST_F(MainWindowTest, TheAspectPanelShowsTheChartsAspectsAndHides) {
  ChartSession session;
  CastResult cast = session.CastChart(test::DelhiEntries());
  ASSERT_TRUE(std::holds_alternative<ChartView>(cast));
  const ChartAspects aspects = session.Aspects(DefaultAspectSettings());
  ASSERT_FALSE(aspects.aspects.empty());
  window->ShowAspects(aspects, DefaultAspectSettings());
  FakeSettingsStore settings;
  window->UseViewSettings(settings);
  window->resize(1600, 900);
  window->show();
  QApplication::processEvents();

  auto* grid = Find<QTableWidget>("grdAspects");
  ASSERT_TRUE(grid->isVisible());
  // The panel stands right of the results form, over none of its controls.
  EXPECT_GE(Find<QWidget>("AspectPanel")->x(), window->Display().x() + window->Display().width());
  ASSERT_EQ(grid->rowCount(), kChartPointCount - 1);
  ASSERT_EQ(grid->columnCount(), kChartPointCount - 1);
  EXPECT_EQ(grid->verticalHeaderItem(0)->text(), QStringLiteral("Moo"));
  EXPECT_EQ(grid->verticalHeaderItem(kChartPointCount - 2)->text(), QStringLiteral("Asc"));
  EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Sun"));
  EXPECT_EQ(grid->horizontalHeaderItem(kChartPointCount - 2)->text(), QStringLiteral("Plu"));
  std::size_t found = 0;
  for (int row = 1; row < kChartPointCount; ++row) {
    for (int col = 0; col < row; ++col) {
      SCOPED_TRACE(std::to_string(row) + "," + std::to_string(col));
      const QTableWidgetItem* cell = grid->item(row - 1, col);
      ASSERT_NE(cell, nullptr);
      const QString speech = cell->data(Qt::AccessibleTextRole).toString();
      EXPECT_FALSE(speech.isEmpty());
      const auto aspect =
          std::find_if(aspects.aspects.begin(), aspects.aspects.end(), [&](const Aspect& a) {
            return static_cast<int>(a.a) == col && static_cast<int>(a.b) == row;
          });
      if (aspect == aspects.aspects.end()) {
        EXPECT_TRUE(cell->text().isEmpty());
        EXPECT_TRUE(speech.endsWith(QStringLiteral(": no aspect")));
      } else {
        ++found;
        EXPECT_TRUE(cell->text().startsWith(AspectGlyph(aspect->kind)));
        EXPECT_EQ(cell->foreground().color(), AspectColour(aspect->kind));
        EXPECT_EQ(speech, AspectSpeech(*aspect));
      }
    }
  }
  EXPECT_EQ(found, aspects.aspects.size());

  auto* list = Find<QTreeWidget>("lstAspects");
  ASSERT_EQ(list->topLevelItemCount(), static_cast<int>(aspects.aspects.size()));
  for (int k = 1; k < list->topLevelItemCount(); ++k) {
    EXPECT_LE(list->topLevelItem(k - 1)->data(2, Qt::UserRole).toDouble(),
              list->topLevelItem(k)->data(2, Qt::UserRole).toDouble());
  }

  Find<QAction>("mnuAspects")->trigger();
  EXPECT_FALSE(grid->isVisible());
  EXPECT_EQ(settings.values[kAspectPanelKey], QStringLiteral("hidden"));
  FakeWebBrowser otherBrowser;
  WebLinks otherLinks{otherBrowser};
  MDI next(otherLinks);
  next.UseViewSettings(settings);
  EXPECT_FALSE(testing::Child<QAction>(next, "mnuAspects")->isChecked());
}

// The grid's glyphs are drawn large (no less than 14 pixels, half again the
// orb's type) in their aspects' colours; the key names every aspect by its
// glyph in the corner above the stairs, over none of the grid's cells.
TEST_F(MainWindowTest, TheAspectGridsGlyphsReadLargeBesideTheirKey) {
  ChartSession session;
  CastResult cast = session.CastChart(test::DelhiEntries());
  ASSERT_TRUE(std::holds_alternative<ChartView>(cast));
  const ChartAspects aspects = session.Aspects(DefaultAspectSettings());
  window->ShowAspects(aspects, DefaultAspectSettings());
  FakeSettingsStore settings;
  window->UseViewSettings(settings);
  window->resize(1600, 900);
  window->show();
  QApplication::processEvents();
  auto* grid = Find<QTableWidget>("grdAspects");

  testing::TextRecordingDevice device(grid->viewport()->size());
  grid->viewport()->render(&device, QPoint(), QRegion(), QWidget::DrawChildren);
  for (const Aspect& aspect : aspects.aspects) {
    SCOPED_TRACE(std::string(AspectPointName(aspect.a)) + " " +
                 std::string(AspectPointName(aspect.b)));
    const QRect cell = grid->visualItemRect(StaircaseCell(*grid, aspect.a, aspect.b));
    const testing::DrawnText* glyph = nullptr;
    const testing::DrawnText* orb = nullptr;
    for (const testing::DrawnText& text : device.Texts()) {
      if (cell.contains(text.inkBox.center().toPoint())) {
        (text.text == OrbText(aspect.orb) ? orb : glyph) = &text;
      }
    }
    ASSERT_NE(glyph, nullptr);
    ASSERT_NE(orb, nullptr);
    EXPECT_EQ(glyph->text, AspectGlyph(aspect.kind));
    EXPECT_EQ(glyph->colour, AspectColour(aspect.kind));
    EXPECT_GE(glyph->font.pixelSize(), 14);
    EXPECT_GE(glyph->font.pixelSize(), 1.5 * QFontInfo(orb->font).pixelSize());
    EXPECT_TRUE(cell.contains(glyph->inkBox.toAlignedRect()));
  }

  auto* key = Find<QLabel>("lblAspectKey");
  ASSERT_TRUE(key->isVisible());
  const QRect keyBox(key->mapTo(grid->viewport(), QPoint(0, 0)), key->sizeHint());
  EXPECT_TRUE(grid->viewport()->rect().contains(keyBox));
  for (int kind = 0; kind < kAspectKindCount; ++kind) {
    const auto aspectKind = static_cast<AspectKind>(kind);
    EXPECT_TRUE(key->text().contains(AspectGlyph(aspectKind)));
    EXPECT_TRUE(key->text().contains(QString::fromStdString(std::string(InfoOf(aspectKind).name))));
  }
  for (int row = 0; row < grid->rowCount(); ++row) {
    for (int col = 0; col <= row; ++col) {
      EXPECT_FALSE(keyBox.intersects(grid->visualItemRect(grid->item(row, col))))
          << row << "," << col;
    }
  }
}

// View > Aspect Lines: off at first; switched on, lines in the aspects'
// colours stand inside the wheel's inner circle, at the points' degrees,
// and reach across the large disc the sheet draws them on (64 pixels of the
// picture), not only the Earth's hub in the middle.
TEST_F(MainWindowTest, AspectLinesAppearInTheWheelWhenSwitchedOn) {
  ChartSession session;
  CastResult cast = session.CastChart(test::DelhiEntries());
  ASSERT_TRUE(std::holds_alternative<ChartView>(cast));
  window->Display().ShowChart(std::get<ChartView>(cast), {});
  const ChartAspects aspects = session.Aspects(DefaultAspectSettings());
  window->ShowAspects(aspects, DefaultAspectSettings());
  FakeSettingsStore settings;
  window->UseViewSettings(settings);
  window->show();
  auto* lines = Find<QWidget>("picAspectLines");
  EXPECT_FALSE(lines->isVisible());

  Find<QAction>("mnuAspectLines")->trigger();
  EXPECT_TRUE(lines->isVisible());
  EXPECT_EQ(settings.values[kAspectLinesKey], QStringLiteral("on"));
  QImage image(lines->size(), QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  lines->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  int red = 0;
  int outside = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor colour = image.pixelColor(x, y);
      if (colour.alpha() == 0) {
        continue;
      }
      const double fromCentre =
          std::hypot(x + 0.5 - wheel::kCentre.x(), y + 0.5 - wheel::kCentre.y());
      outside += fromCentre > wheel::kAspectRingRadius + 5.0 ? 1 : 0;
      red += colour.red() > 150 && colour.green() < 100 ? 1 : 0;
    }
  }
  EXPECT_GT(red, 20);  // the squares and oppositions of the chart
  EXPECT_EQ(outside, 0);

  testing::TextRecordingDevice device(lines->size());
  lines->render(&device, QPoint(), QRegion(), QWidget::DrawChildren);
  std::size_t aspectLines = 0;
  for (const testing::DrawnLine& line : device.Lines()) {
    const bool ofAnAspect =
        std::any_of(aspects.aspects.begin(), aspects.aspects.end(),
                    [&](const Aspect& aspect) { return AspectColour(aspect.kind) == line.colour; });
    if (!ofAnAspect) {
      continue;  // the disc's edge and the points' marks
    }
    ++aspectLines;
    for (const QPointF& end : {line.line.p1(), line.line.p2()}) {
      EXPECT_NEAR(QLineF(wheel::kCentre, end).length(), 64.0, 0.5);
    }
  }
  EXPECT_EQ(aspectLines, aspects.aspects.size());
}

// Chart > Aspect Settings…: the dialog opens on the settings given, reads
// back what its controls hold, and Reset gives the defaults.
TEST(AspectSettingsDialog, OpensOnTheSettingsAndResets) {
  AspectSettings changed = WithAspectSet(DefaultAspectSettings(), AspectSet::All);
  changed.orbs[static_cast<std::size_t>(AspectKind::Square)] = 5.5;
  changed.outOfSign = false;
  frmAspectSettings dialog(changed);
  EXPECT_EQ(dialog.Settings(), changed);
  testing::Child<QDoubleSpinBox>(dialog, "spnOrb_trine")->setValue(6.0);
  testing::Child<QCheckBox>(dialog, "chkAspect_quintile")->setChecked(false);
  AspectSettings expected = changed;
  expected.orbs[static_cast<std::size_t>(AspectKind::Trine)] = 6.0;
  expected.inUse[static_cast<std::size_t>(AspectKind::Quintile)] = false;
  EXPECT_EQ(dialog.Settings(), expected);
  testing::Child<QPushButton>(dialog, "cmdReset")->click();
  EXPECT_EQ(dialog.Settings(), DefaultAspectSettings());
}

// The group Positions opens on the engine given and reads back the one
// chosen; Swiss Ephemeris is disabled, with the reason, where it cannot cast.
TEST(AspectSettingsDialog, ThePositionsGroupHoldsTheEngine) {
  const std::optional<std::string> problem = SwissEphemerisProblem();
  for (const Ephemeris engine : {Ephemeris::BuiltIn, Ephemeris::Swiss}) {
    SCOPED_TRACE(std::string(EphemerisName(engine)));
    frmAspectSettings dialog(DefaultAspectSettings(), nullptr, engine);
    auto* swiss = testing::Child<QRadioButton>(dialog, "optEphemeris_swiss");
    EXPECT_EQ(swiss->text(), QStringLiteral("Swiss Ephemeris (precise)"));
    EXPECT_EQ(swiss->isEnabled(), !problem);
    EXPECT_EQ(swiss->toolTip(), problem ? QString::fromStdString(*problem) : QString());
    EXPECT_EQ(dialog.ChosenEphemeris(), problem ? Ephemeris::BuiltIn : engine);
    testing::Child<QRadioButton>(dialog, "optEphemeris_builtin")->click();
    EXPECT_EQ(dialog.ChosenEphemeris(), Ephemeris::BuiltIn);
  }
}

// View > Aspects in Report: off, the report is the planet-in-sign report
// alone; on, the section on the aspects follows it; the choice is kept.
TEST_F(MainWindowTest, AspectsInReportAddsTheSectionWhenChosen) {
  ChartSession session;
  ASSERT_TRUE(std::holds_alternative<ChartView>(session.CastChart(test::DelhiEntries())));
  StyledRunRecorder planets;
  session.WritePlanetInSignReport(planets);
  StyledRunRecorder aspects;
  WriteAspectReport(session.Aspects(DefaultAspectSettings()).aspects, aspects);
  FakeSettingsStore settings;
  window->UseViewSettings(settings);
  window->SetReportSections(planets.Runs(), aspects.Runs());
  const QString alone = window->Display().ReportPlainText();
  EXPECT_FALSE(alone.contains(QStringLiteral("\nAspects\n")));

  Find<QAction>("mnuAspectsInReport")->trigger();
  const QString whole = window->Display().ReportPlainText();
  EXPECT_TRUE(whole.startsWith(alone));
  EXPECT_TRUE(whole.contains(QStringLiteral("\nAspects\n")));
  EXPECT_EQ(settings.values[kAspectsInReportKey], QStringLiteral("on"));

  Find<QAction>("mnuAspectsInReport")->trigger();
  EXPECT_EQ(window->Display().ReportPlainText(), alone);
}

// View > Zoom: the steps, the fit and the remembered text.
TEST(LayoutZoom, StepsFitAndRememberedTexts) {
  EXPECT_DOUBLE_EQ(ZoomedIn(1.0), 1.1);
  EXPECT_DOUBLE_EQ(ZoomedOut(1.0), 0.9);
  EXPECT_DOUBLE_EQ(ZoomedIn(1.3), 1.5);  // a fitted factor steps to the next step
  EXPECT_DOUBLE_EQ(ZoomedOut(1.3), 1.25);
  EXPECT_DOUBLE_EQ(ZoomedIn(3.0), 3.0);  // the ends stay
  EXPECT_DOUBLE_EQ(ZoomedOut(0.5), 0.5);
  const QSize designed = frmDisplay::DesignedSize();  // 881 x 621
  EXPECT_DOUBLE_EQ(FitFactor(designed, designed * 2), 2.0);
  EXPECT_DOUBLE_EQ(FitFactor(designed, QSize(1762, 700)), 700.0 / 621.0);  // the tighter side
  EXPECT_DOUBLE_EQ(FitFactor(designed, QSize(100, 100)), 0.5);             // the smallest step
  EXPECT_DOUBLE_EQ(FitFactor(designed, QSize()), 1.0);

  struct Row {
    const char* text;
    std::optional<ZoomChoice> choice;
  };
  const std::vector<Row> rows = {
      {"fit", ZoomChoice{true, 1.0}},
      {"100", ZoomChoice{false, 1.0}},
      {"67", ZoomChoice{false, 0.67}},
      {"250", ZoomChoice{false, 2.5}},
      {"120", std::nullopt},  // no step
      {"", std::nullopt},
      {"Fit", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    const std::optional<ZoomChoice> read = ZoomChoiceFromSetting(QString::fromLatin1(row.text));
    EXPECT_EQ(read, row.choice);
    if (read) {
      EXPECT_EQ(ZoomSettingText(*read), QString::fromLatin1(row.text));
    }
  }
}

// Zoom In scales the whole results form, type and wheel lists included;
// Actual Size gives back the designed geometry to the pixel; the choice is
// kept and read again by the next window.
TEST_F(MainWindowTest, ZoomScalesTheWholeFormEvenlyAndIsRemembered) {
  ChartSession session;
  CastResult cast = session.CastChart(test::DelhiEntries());
  ASSERT_TRUE(std::holds_alternative<ChartView>(cast));
  window->Display().ShowChart(std::get<ChartView>(cast), {});
  FakeSettingsStore settings;
  settings.values[kZoomKey] = QStringLiteral("100");
  settings.values[kAspectPanelKey] = QStringLiteral("hidden");  // the form alone fits
  window->UseViewSettings(settings);
  window->resize(1000, 700);
  window->show();
  QApplication::processEvents();

  struct Look {
    QRect geometry;
    double points;
  };
  const auto looks = [this] {
    std::map<QString, Look> found;
    for (const QWidget* widget : window->Display().findChildren<QWidget*>()) {
      if (!widget->objectName().isEmpty()) {
        found[widget->objectName()] = {widget->geometry(), widget->font().pointSizeF()};
      }
    }
    return found;
  };
  const std::map<QString, Look> designed = looks();
  auto* list = Find<QWidget>("lblNatal_0");  // the Sun, Mercury and the Ascendant
  const QRect designedList = list->geometry();

  QTest::keyClick(window, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(settings.values[kZoomKey], QStringLiteral("110"));
  EXPECT_EQ(window->Display().size(), frmDisplay::DesignedSize() * 1.1);
  EXPECT_NEAR(Find<QWidget>("lblPlanet_3")->font().pointSizeF(), 9.75 * 1.1, 1e-9);
  EXPECT_NEAR(Find<QWidget>("picNatal")->width(), designed.at("picNatal").geometry.width() * 1.1,
              1.0);
  EXPECT_NEAR(list->x(), designedList.x() * 1.1, 1.0);
  EXPECT_NEAR(list->width(), designedList.width() * 1.1, 2.0);

  QTest::keyClick(window, Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(settings.values[kZoomKey], QStringLiteral("100"));
  const std::map<QString, Look> restored = looks();
  for (const auto& [name, look] : designed) {
    SCOPED_TRACE(name.toStdString());
    EXPECT_EQ(restored.at(name).geometry, look.geometry);
    EXPECT_EQ(restored.at(name).points, look.points);
  }

  // Fit to Window fills the window's free area without scrolling, and follows it.
  Find<QAction>("mnuFitToWindow")->trigger();
  EXPECT_EQ(settings.values[kZoomKey], QStringLiteral("fit"));
  window->resize(1800, 1300);
  QApplication::processEvents();
  const QSize area = Find<QScrollArea>("MDIClientScroll")->maximumViewportSize();
  const QSize shown = window->Display().size();
  EXPECT_LE(shown.width(), area.width());
  EXPECT_LE(shown.height(), area.height());
  EXPECT_TRUE(shown.width() >= area.width() - 2 || shown.height() >= area.height() - 2);
  EXPECT_GT(window->Display().Zoom(), 1.5);

  // The next window starts where this one was left.
  FakeWebBrowser otherBrowser;
  WebLinks otherLinks{otherBrowser};
  MDI next(otherLinks);
  next.UseViewSettings(settings);
  EXPECT_TRUE(next.Zoom().fit);
}

TEST_F(MainWindowTest, LinkTriggersOpenTheirPagesOnce) {
  struct Row {
    const char* trigger;
    QUrl page;
  };
  const std::vector<Row> rows = {
      {"lblQuorvelBanner", WebAddresses::HomePage()},
      {"mnuVisit", WebAddresses::HomePage()},
      {"mnuOnline", WebAddresses::HelpPage()},
      {"mnuUpdate", WebAddresses::DownloadPage()},
  };
  window->show();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.trigger);
    browser.opened.clear();
    if (auto* label = window->findChild<QLabel*>(QString::fromLatin1(row.trigger))) {
      QTest::mouseClick(label, Qt::LeftButton);
    } else {
      window->findChild<QAction*>(QString::fromLatin1(row.trigger))->trigger();
    }
    EXPECT_THAT(browser.opened, ::testing::ElementsAre(row.page));
    EXPECT_TRUE(window->isVisible());
  }
}

TEST_F(MainWindowTest, PrintAsksForTheReportWindow) {
  int requests = 0;
  QObject::connect(window, &MDI::ReportRequested, [&requests] { ++requests; });
  QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
  EXPECT_EQ(requests, 1);
}

TEST(AboutBoxTest, ShowsNameAndPurposeAndLinksToTheHomePage) {
  FakeWebBrowser browser;
  WebLinks links{browser};
  frmAbout about(links);
  EXPECT_EQ(about.windowTitle(), QStringLiteral("Zodivane v1.25"));
  EXPECT_EQ(about.size(), QSize(473, 217));  // 7095 x 3255 twips
  EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("Label2"))->text(),
            QStringLiteral("Zodivane v1.25"));
  auto* home = about.findChild<QLabel*>(QStringLiteral("lblHomePage"));
  ASSERT_NE(home, nullptr);
  EXPECT_EQ(home->text(), QStringLiteral("Click here to visit ") + WebAddresses::HomePageText());
  about.show();
  QTest::mouseClick(home, Qt::LeftButton);
  EXPECT_THAT(browser.opened, ::testing::ElementsAre(WebAddresses::HomePage()));
  QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST(AboutBoxTest, NamesTheLicenceOnOneLineAboveTheRules) {
  FakeWebBrowser browser;
  WebLinks links{browser};
  frmAbout about(links);
  about.show();
  auto* licence = about.findChild<QLabel*>(QStringLiteral("lblLicence"));
  ASSERT_NE(licence, nullptr);
  EXPECT_THAT(licence->text().toStdString(), ::testing::HasSubstr("GNU GPL version 3 or later"));
  // Wholly visible: between the link and the first rule, its text not cut.
  const QRect home = about.findChild<QLabel*>(QStringLiteral("lblHomePage"))->geometry();
  const QRect rule = about.findChild<QFrame*>(QStringLiteral("Line1"))->geometry();
  EXPECT_GE(licence->geometry().top(), home.bottom());
  EXPECT_LE(licence->geometry().bottom(), rule.top());
  EXPECT_LE(licence->fontMetrics().horizontalAdvance(licence->text()), licence->width());
}

TEST(AboutBoxTest, CreditsTheGazetteer) {
  FakeWebBrowser browser;
  WebLinks links{browser};
  frmAbout about(links);
  auto* credits = about.findChild<QLabel*>(QStringLiteral("lblCredits"));
  ASSERT_NE(credits, nullptr);
  EXPECT_EQ(credits->text(), QStringLiteral("Place data: GeoNames (www.geonames.org), CC BY 4.0"));
  // Shown in full within the box, clear of the rules and the OK button.
  EXPECT_LE(credits->fontMetrics().horizontalAdvance(credits->text()), credits->width());
  const QRect rule = about.findChild<QFrame*>(QStringLiteral("Line2"))->geometry();
  EXPECT_GE(credits->geometry().top(), rule.bottom());
  EXPECT_FALSE(credits->geometry().intersects(
      about.findChild<QPushButton*>(QStringLiteral("cmdOK"))->geometry()));
  EXPECT_LE(credits->geometry().bottom(), about.height());
}

// ------------------------------------------------------------------ shell

class ShellTest : public ::testing::Test {
 protected:
  ShellServices Services() { return ShellServices{messages, browser, settings, clock}; }
  QString LockPath() const { return folder.filePath(QStringLiteral("zodivane.lock")); }

  template <typename T>
  static T* Find(QWidget& window, const char* name) {
    return testing::Child<T>(window, name);
  }

  void FillValidEntries(frmMain& form) {
    testing::TypeValidBirth(form);
    Find<QLineEdit>(form, "txtMCity")->setText(QStringLiteral("New Delhi"));
  }

  QTemporaryDir folder;
  FakeMessageBoxes messages;
  FakeWebBrowser browser;
  FakeSettingsStore settings;
  FakeClock clock;
  int ended = 0;
  Shell shell{Services(), LockPath(), [this] { ++ended; }};
};

TEST_F(ShellTest, StartShowsTheInputFormCentredWithNothingElse) {
  ASSERT_TRUE(shell.ProgramStart());
  ASSERT_NE(shell.InputForm(), nullptr);
  EXPECT_TRUE(shell.InputForm()->isVisible());
  EXPECT_EQ(shell.MainWindow(), nullptr);
  EXPECT_TRUE(messages.notices.empty());
  EXPECT_TRUE(messages.questions.empty());  // first run: the reminder only stores the date
  EXPECT_EQ(settings.values.count(kLastReminderKey), 1U);
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE((shell.InputForm()->frameGeometry().center() - screen.center()).manhattanLength(), 2);
  EXPECT_EQ(ended, 0);
}

TEST_F(ShellTest, SecondCopyIsRefusedAndShowsNoWindow) {
  ASSERT_TRUE(shell.ProgramStart());

  FakeMessageBoxes secondMessages;
  int secondEnded = 0;
  Shell second{ShellServices{secondMessages, browser, settings, clock}, LockPath(),
               [&secondEnded] { ++secondEnded; }};
  EXPECT_FALSE(second.ProgramStart());
  EXPECT_THAT(secondMessages.notices,
              ::testing::ElementsAre(ShownNotice{QStringLiteral("Application is already running"),
                                                 MessageIcon::Information}));
  EXPECT_TRUE(secondMessages.questions.empty());
  EXPECT_EQ(second.InputForm(), nullptr);
  EXPECT_EQ(secondEnded, 1);
  // The running copy is untouched.
  EXPECT_TRUE(shell.InputForm()->isVisible());
  EXPECT_EQ(ended, 0);
}

TEST_F(ShellTest, LockOfACopyThatDiedDoesNotBlockTheStart) {
  // A lock exactly as a running copy writes it, naming a process that has ended.
  QByteArray content;
  {
    QLockFile probe(LockPath());
    ASSERT_TRUE(probe.tryLock(0));
    QFile written(LockPath());
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    content = written.readAll();
    probe.unlock();
  }
  QProcess finished;
  finished.start(QStringLiteral("true"), {});
  ASSERT_TRUE(finished.waitForStarted());
  const qint64 deadPid = finished.processId();
  ASSERT_TRUE(finished.waitForFinished());
  QByteArray stale = QByteArray::number(deadPid) + content.mid(content.indexOf('\n'));
  {
    QFile lock(LockPath());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(stale);
  }
  EXPECT_TRUE(shell.ProgramStart());
  EXPECT_TRUE(messages.notices.empty());
}

/// The lock file as a running copy of this program writes it, with its
/// process number and host name replaced.
QByteArray LockContent(const QString& path, qint64 pid, const QString& host) {
  QByteArray written;
  {
    QLockFile probe(path);
    if (!probe.tryLock(0)) {
      return {};
    }
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
      written = file.readAll();
    }
    probe.unlock();
  }
  QList<QByteArray> lines = written.split('\n');
  if (lines.size() < 3) {
    return {};
  }
  lines[0] = QByteArray::number(pid);
  lines[2] = host.toUtf8();
  return lines.join('\n');
}

TEST_F(ShellTest, LockThatCannotBeUsedDoesNotBlockTheStart) {
  // A process that has ended, and one that runs another program.
  QProcess finished;
  finished.start(QStringLiteral("true"), {});
  ASSERT_TRUE(finished.waitForStarted());
  const qint64 deadPid = finished.processId();
  ASSERT_TRUE(finished.waitForFinished());
  QProcess other;
  other.start(QStringLiteral("sleep"), {QStringLiteral("30")});
  ASSERT_TRUE(other.waitForStarted());
  const qint64 otherProgramPid = other.processId();

  enum class Kind { File, EmptyFolder, FullFolder };
  struct Case {
    const char* what;
    Kind kind;
    QByteArray content;
    bool readable = true;
  };
  const QString path = LockPath();
  const QByteArray ours = LockContent(path, QCoreApplication::applicationPid(), QString());
  ASSERT_FALSE(ours.isEmpty());
  const auto cases = std::to_array<Case>({
      {"an empty file", Kind::File, QByteArray()},
      {"garbage", Kind::File, QByteArray("\x01\xff not a lock\n\n", 15)},
      {"a process number only", Kind::File, QByteArray("12x\n")},
      {"an empty folder", Kind::EmptyFolder, {}},
      {"a folder holding a file", Kind::FullFolder, {}},
      {"another host's lock of an ended process", Kind::File,
       LockContent(path, deadPid, QStringLiteral("elsewhere.example"))},
      {"another host's lock naming a process of another program", Kind::File,
       LockContent(path, otherProgramPid, QStringLiteral("elsewhere.example"))},
      {"a lock nobody may read, of an ended process", Kind::File,
       LockContent(path, deadPid, QString()), false},
  });
  for (const Case& row : cases) {
    SCOPED_TRACE(row.what);
    switch (row.kind) {
      case Kind::File: {
        QFile lock(path);
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
        lock.write(row.content);
        lock.close();
        if (!row.readable) {
          lock.setPermissions(QFileDevice::Permissions());
        }
        break;
      }
      case Kind::EmptyFolder:
        ASSERT_TRUE(QDir().mkpath(path));
        break;
      case Kind::FullFolder:
        ASSERT_TRUE(QDir().mkpath(path));
        ASSERT_TRUE(QFile(QDir(path).filePath(QStringLiteral("keep"))).open(QIODevice::WriteOnly));
        break;
    }
    FakeMessageBoxes startMessages;
    int startEnded = 0;
    Shell start{ShellServices{startMessages, browser, settings, clock}, path,
                [&startEnded] { ++startEnded; }};
    EXPECT_TRUE(start.ProgramStart());
    EXPECT_TRUE(startMessages.notices.empty());
    EXPECT_EQ(startEnded, 0);
    start.QuitProgram();
    QDir(path).removeRecursively();
    QFile::remove(path);
  }
  other.kill();
  other.waitForFinished();
}

TEST_F(ShellTest, LockOfARunningCopyRefusesEvenUnderAnotherHostName) {
  // This test program stands for the running copy; the host name of the
  // machine may have changed since it wrote its lock.
  const QByteArray running =
      LockContent(LockPath(), QCoreApplication::applicationPid(), QStringLiteral("oldname"));
  ASSERT_FALSE(running.isEmpty());
  {
    QFile lock(LockPath());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(running);
  }
  EXPECT_FALSE(shell.ProgramStart());
  EXPECT_THAT(messages.notices,
              ::testing::ElementsAre(ShownNotice{QStringLiteral("Application is already running"),
                                                 MessageIcon::Information}));
  EXPECT_EQ(ended, 1);
}

TEST_F(ShellTest, WithoutTheUpdateReminderAnOldDateBringsNoQuestion) {
  const QString old = clock.today.addDays(-30).toString(Qt::ISODate);
  settings.values[kLastReminderKey] = old;
  shell.TurnOffUpdateReminder();
  ASSERT_TRUE(shell.ProgramStart());
  EXPECT_TRUE(messages.questions.empty());
  EXPECT_EQ(settings.values[kLastReminderKey], old);
  EXPECT_TRUE(browser.opened.empty());
}

TEST_F(ShellTest, ProceedShowsTheResultsAndBackReturnsWithEveryEntry) {
  ASSERT_TRUE(shell.ProgramStart());
  frmMain& form = *shell.InputForm();
  FillValidEntries(form);
  Find<QPushButton>(form, "cmdRashi")->click();
  QPointer<MDI> first = shell.MainWindow();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  EXPECT_FALSE(form.isVisible());
  const QString firstReport = first->Display().ReportPlainText();

  Find<QPushButton>(*first, "cmdBack")->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(first, nullptr);  // discarded with its results form
  EXPECT_EQ(shell.MainWindow(), nullptr);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(ended, 0);
  EXPECT_EQ(Find<QLineEdit>(form, "txtName")->text(), QStringLiteral("ASHA"));
  EXPECT_EQ(Find<QLineEdit>(form, "txtLonD")->text(), QStringLiteral("77"));
  EXPECT_EQ(Find<QLineEdit>(form, "txtMCity")->text(), QStringLiteral("New Delhi"));

  // Proceed again without changes: a fresh results form with the same content, once.
  Find<QPushButton>(form, "cmdRashi")->click();
  ASSERT_NE(shell.MainWindow(), nullptr);
  MDI& second = *shell.MainWindow();
  EXPECT_EQ(second.Display().ReportPlainText(), firstReport);
  EXPECT_EQ(second.findChildren<frmDisplay*>().size(), 1);
  EXPECT_TRUE(messages.notices.empty());

  // The natal wheel lists each body once over its twelve houses.
  QString wheel;
  for (int position = 0; position < 12; ++position) {
    const auto* house = second.findChild<QLabel*>(QStringLiteral("lblNatal_%1").arg(position));
    ASSERT_NE(house, nullptr) << position;
    wheel += house->text() + QLatin1Char('\n');
  }
  const QStringList lines =
      wheel.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
  for (const char* body : {"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Asc"}) {
    SCOPED_TRACE(body);
    const QRegularExpression listed(QStringLiteral("^%1( \\(R\\) ?)?$").arg(QLatin1String(body)));
    EXPECT_EQ(lines.filter(listed).size(), 1);
  }
  // One report: its first heading stands in it once.
  const QString heading = firstReport.section(QLatin1Char('\n'), 0, 0);
  ASSERT_FALSE(heading.isEmpty());
  EXPECT_EQ(firstReport.count(heading), 1);
}

// Chart > Aspect Settings…: another engine is remembered and recasts the
// chart shown; the panel names the engine and lists the further points.
TEST_F(ShellTest, TheChosenEngineIsRememberedAndRecastsTheChart) {
  if (const std::optional<std::string> problem = SwissEphemerisProblem()) {
    GTEST_SKIP() << *problem;
  }
  ASSERT_TRUE(shell.ProgramStart());
  FillValidEntries(*shell.InputForm());
  shell.InputForm()->cmdRashi_Click();
  const auto expectShown = [this](const char* label) {
    ASSERT_NE(shell.MainWindow(), nullptr);
    MDI& window = *shell.MainWindow();
    EXPECT_EQ(Find<QLabel>(window, "lblEphemeris")->text(), QString::fromLatin1(label));
    const ChartPoints& points = shell.Session().extraPoints();
    auto* table = Find<QTableWidget>(window, "tblPoints");
    for (int row = 0; row < kExtraPointCount; ++row) {
      const std::optional<PointPosition>& position = points[static_cast<ExtraPoint>(row)];
      const QString text = position
                               ? QString::fromStdString(ShortPositionTextOf(position->longitude))
                               : QStringLiteral("not available");
      EXPECT_EQ(table->item(row, 0)->text(), text) << row;
      EXPECT_TRUE(table->item(row, 0)->data(Qt::AccessibleTextRole).toString().endsWith(text));
    }
    ASSERT_TRUE(points[ExtraPoint::Midheaven].has_value());
  };
  expectShown("Positions: Built-in method");
  EXPECT_FALSE(shell.Session().extraPoints()[ExtraPoint::TrueNode].has_value());

  // Picks `option` in the dialog; answers whether it opened on Swiss Ephemeris.
  const auto choose = [this](const char* option) {
    bool openedOnSwiss = false;
    QTimer::singleShot(0, [option, &openedOnSwiss] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        openedOnSwiss = testing::Child<QRadioButton>(*dialog, "optEphemeris_swiss")->isChecked();
        testing::Child<QRadioButton>(*dialog, option)->click();
        dialog->accept();
      }
    });
    shell.MainWindow()->findChild<QAction*>(QStringLiteral("mnuAspectSettings"))->trigger();
    QApplication::processEvents();
    return openedOnSwiss;
  };
  EXPECT_FALSE(choose("optEphemeris_swiss"));
  EXPECT_EQ(settings.values[kEphemerisKey], QStringLiteral("swiss"));
  EXPECT_EQ(shell.Session().ephemeris(), Ephemeris::Swiss);
  expectShown("Positions: Swiss Ephemeris (precise)");
  EXPECT_TRUE(shell.Session().extraPoints()[ExtraPoint::TrueNode].has_value());

  // The dialog opens on the engine remembered.
  EXPECT_TRUE(choose("optEphemeris_builtin"));
  EXPECT_EQ(settings.values[kEphemerisKey], QStringLiteral("builtin"));
  expectShown("Positions: Built-in method");
  EXPECT_TRUE(messages.notices.empty());
}

TEST_F(ShellTest, ExitFromTheMainWindowEndsTheProgram) {
  struct Row {
    const char* how;
    std::function<void(MDI&)> close;
  };
  const std::vector<Row> rows = {
      {"Exit button", [](MDI& w) { Find<QPushButton>(w, "cmdMdiExit")->click(); }},
      {"File > Exit", [](MDI& w) { w.findChild<QAction*>(QStringLiteral("mnuExit"))->trigger(); }},
      {"close box", [](MDI& w) { w.close(); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.how);
    QTemporaryDir runFolder;
    int runEnded = 0;
    Shell run{Services(), runFolder.filePath(QStringLiteral("lock")), [&runEnded] { ++runEnded; }};
    ASSERT_TRUE(run.ProgramStart());
    FillValidEntries(*run.InputForm());
    run.InputForm()->cmdRashi_Click();
    ASSERT_NE(run.MainWindow(), nullptr);
    row.close(*run.MainWindow());
    EXPECT_EQ(runEnded, 1);
    EXPECT_FALSE(run.InputForm()->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(run.MainWindow(), nullptr);
  }
}

TEST_F(ShellTest, ClosingTheInputFormEndsTheProgram) {
  ASSERT_TRUE(shell.ProgramStart());
  shell.InputForm()->close();
  EXPECT_EQ(ended, 1);
}

TEST_F(ShellTest, PrintOpensTheReportWindowHook) {
  ASSERT_TRUE(shell.ProgramStart());
  std::vector<MDI*> opened;
  shell.SetReportWindow([&opened](MDI& window) { opened.push_back(&window); });
  FillValidEntries(*shell.InputForm());
  shell.InputForm()->cmdRashi_Click();
  ASSERT_NE(shell.MainWindow(), nullptr);
  Find<QPushButton>(*shell.MainWindow(), "Command1")->click();
  EXPECT_THAT(opened, ::testing::ElementsAre(shell.MainWindow()));
}

TEST_F(ShellTest, AboutSoftwareOpensTheModalAboutBox) {
  ASSERT_TRUE(shell.ProgramStart());
  QString shown;
  QTimer::singleShot(0, [&shown] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      shown = modal->objectName();
      modal->close();
    }
  });
  shell.InputForm()->findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();
  EXPECT_EQ(shown, QStringLiteral("frmAbout"));
  EXPECT_TRUE(shell.InputForm()->isVisible());

  // The same from the main window's Help menu.
  FillValidEntries(*shell.InputForm());
  shell.InputForm()->cmdRashi_Click();
  ASSERT_NE(shell.MainWindow(), nullptr);
  shown.clear();
  QTimer::singleShot(0, [&shown] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      shown = modal->objectName();
      modal->close();
    }
  });
  shell.MainWindow()->findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();
  EXPECT_EQ(shown, QStringLiteral("frmAbout"));
  EXPECT_TRUE(shell.MainWindow()->isVisible());
  EXPECT_TRUE(browser.opened.empty());
}

}  // namespace
}  // namespace zodivane::ui
