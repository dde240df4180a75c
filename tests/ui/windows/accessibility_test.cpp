// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology reads: every control of every window has a
// name, labels name their boxes, the results read as sentences, and the
// links work from the keyboard.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <array>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <string>
#include <variant>
#include <vector>

#include "chartfile/chart_file.h"
#include "report/report_sinks.h"
#include "tests/support/sample_entries.h"
#include "tests/ui/support/fakes.h"
#include "tests/ui/support/windows.h"
#include "ui/look/look_widgets.h"
#include "ui/windows/frm_about.h"
#include "ui/windows/frm_display.h"
#include "ui/windows/frm_main.h"
#include "ui/windows/frm_save.h"
#include "ui/windows/frm_synastry.h"
#include "ui/windows/frm_transit_calendar.h"
#include "ui/windows/mdi.h"

namespace zodivane::ui {
namespace {

using testing::Child;

/// Roles of the controls a user works with or reads.
bool IsControl(QAccessible::Role role) {
  switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::Link:
    case QAccessible::Graphic:
    case QAccessible::StaticText:
    case QAccessible::MenuItem:
    case QAccessible::Grouping:
      return true;
    default:
      return false;
  }
}

/// Every visible control under `window` whose accessible name is empty, as
/// "objectName (role)".
std::vector<std::string> UnnamedControls(QWidget& window) {
  std::vector<std::string> unnamed;
  std::vector<QAccessibleInterface*> pending{QAccessible::queryAccessibleInterface(&window)};
  while (!pending.empty()) {
    QAccessibleInterface* node = pending.back();
    pending.pop_back();
    if (node == nullptr || !node->isValid() || node->state().invisible) {
      continue;
    }
    if (IsControl(node->role()) && node->text(QAccessible::Name).trimmed().isEmpty()) {
      const QObject* object = node->object();
      unnamed.push_back((object ? object->objectName().toStdString() : std::string("?")) + " (" +
                        std::to_string(node->role()) + ")");
    }
    for (int i = 0; i < node->childCount(); ++i) {
      pending.push_back(node->child(i));
    }
  }
  return unnamed;
}

class AccessibilityTest : public ::testing::Test {
 protected:
  /// The main window with a cast chart in it.
  std::unique_ptr<MDI> MainWithChart() {
    CastResult result = session.CastChart(zodivane::test::London1985Entries());
    EXPECT_TRUE(std::holds_alternative<ChartView>(result));
    view = std::get<ChartView>(result);
    StyledRunRecorder report;
    session.WritePlanetInSignReport(report);
    auto main = std::make_unique<MDI>(links);
    main->setAttribute(Qt::WA_DeleteOnClose, false);
    main->Display().ShowChart(view, report.Runs());
    main->show();
    return main;
  }

  testing::FakeMessageBoxes messages;
  testing::FakeWebBrowser browser;
  WebLinks links{browser};
  ChartSession session;
  ChartView view;
};

TEST_F(AccessibilityTest, EveryControlOfEveryWindowHasAName) {
  frmMain form(session, links, messages);
  form.show();
  EXPECT_THAT(UnnamedControls(form), ::testing::IsEmpty()) << "input form";

  std::unique_ptr<MDI> main = MainWithChart();
  EXPECT_THAT(UnnamedControls(*main), ::testing::IsEmpty()) << "main window";

  frmAbout about(links, &form);
  about.show();
  EXPECT_THAT(UnnamedControls(about), ::testing::IsEmpty()) << "about box";
  about.close();

  testing::FakeSaveDialog saveDialog;
  testing::FakePrintDialog printDialog;
  frmSave* report =
      OpenReportWindow(*main, ReportWindowServices{links, messages, saveDialog, printDialog});
  EXPECT_THAT(UnnamedControls(*report), ::testing::IsEmpty()) << "report window";
  report->close();

  testing::FakeClock clock;
  frmTransitCalendar calendar(view, DefaultAspectSettings(),
                              TransitCalendarServices{messages, saveDialog, clock}, main.get());
  calendar.show();
  EXPECT_THAT(UnnamedControls(calendar), ::testing::IsEmpty()) << "transit calendar";
  calendar.close();

  const auto person = [](const FormEntries& entries) {
    auto cast = chartfile::CastComparedChart(
        chartfile::WriteChartFile(chartfile::ChartFile{entries, {}, {}}), Ephemeris::BuiltIn);
    EXPECT_TRUE(std::holds_alternative<chartfile::ComparedChart>(cast));
    return std::get<chartfile::ComparedChart>(std::move(cast));
  };
  frmSynastry synastry(person(zodivane::test::London1985Entries()),
                       person(zodivane::test::DelhiEntries()), DefaultAspectSettings(),
                       SynastryServices{messages, saveDialog, printDialog}, main.get());
  synastry.show();
  EXPECT_THAT(UnnamedControls(synastry), ::testing::IsEmpty()) << "synastry";
  synastry.close();
}

TEST_F(AccessibilityTest, InputFormControlsSayWhatTheyAreAndLabelsNameTheirBoxes) {
  frmMain form(session, links, messages);
  // Rows: the control, and the name it reads.
  const auto names = std::to_array<std::pair<const char*, const char*>>({
      {"txtName", "Name"},
      {"cboMonth", "Birth month"},
      {"cboDate", "Birth day"},
      {"cboYear", "Birth year"},
      {"cboHH", "Birth hour"},
      {"cboMM", "Birth minute"},
      {"cboSS", "Birth second"},
      {"cmbTimeZone", "Time zone"},
      {"txtLatD", "Latitude degrees"},
      {"txtLatM", "Latitude minutes"},
      {"txtLonD", "Longitude degrees"},
      {"txtLonM", "Longitude minutes"},
      {"txtMCity", "City"},
      {"txtMState", "State"},
      {"txtMCountry", "Country"},
  });
  for (const auto& [control, name] : names) {
    SCOPED_TRACE(control);
    EXPECT_EQ(Child<QWidget>(form, control)->accessibleName(), QString::fromLatin1(name));
  }
  // Rows: the label, and the box it names.
  const auto buddies = std::to_array<std::pair<const char*, const char*>>({
      {"Label13", "txtName"},
      {"Label5", "cboMonth"},
      {"Label1", "cboHH"},
      {"Label7", "txtLatD"},
      {"Label9", "txtLatM"},
      {"Label6", "txtLonD"},
      {"Label8", "txtLonM"},
      {"Label54", "txtMCity"},
      {"Label55", "txtMState"},
      {"Label4", "txtMCountry"},
  });
  for (const auto& [label, box] : buddies) {
    SCOPED_TRACE(label);
    EXPECT_EQ(Child<QLabel>(form, label)->buddy(), Child<QWidget>(form, box));
  }
}

TEST_F(AccessibilityTest, PositionsReadAsSentencesAndTheWheelListsItsHouses) {
  const auto at = [](int sign, int degree, int minute, bool retrograde) {
    return PointPosition{30.0 * sign + degree + minute / 60.0, sign, degree, minute, retrograde};
  };
  EXPECT_EQ(PositionSpeech("Mars", at(5, 2, 21, true)),
            QStringLiteral("Mars, 2 degrees 21 minutes Virgo, retrograde"));
  EXPECT_EQ(PositionSpeech("Sun", at(0, 1, 1, false)),
            QStringLiteral("Sun, 1 degree 1 minute Aries"));
  EXPECT_EQ(PositionSpeech("Asc", at(11, 29, 0, false)),
            QStringLiteral("Ascendant, 29 degrees 0 minutes Pisces"));
  EXPECT_EQ(PositionSpeech("Moon", PointPosition{}), QStringLiteral("Moon"));

  std::unique_ptr<MDI> main = MainWithChart();
  frmDisplay& display = main->Display();
  // Mercury is retrograde on 15 August 1985 (its wheel entry is marked).
  ASSERT_TRUE(view.points[static_cast<std::size_t>(ChartPoint::Mercury)].retrograde);
  const QString mercury = Child<QLabel>(display, "lblPlanet_2")->accessibleName();
  EXPECT_TRUE(mercury.startsWith(QStringLiteral("Mercury, "))) << mercury.toStdString();
  EXPECT_TRUE(mercury.endsWith(QStringLiteral(", retrograde"))) << mercury.toStdString();

  const QString wheel = Child<QWidget>(display, "picNatal")->accessibleDescription();
  for (int house = 1; house <= kSignCount; ++house) {
    EXPECT_TRUE(wheel.contains(QStringLiteral("House %1, ").arg(house))) << house;
  }
  EXPECT_TRUE(wheel.contains(QStringLiteral("Asc"))) << wheel.toStdString();
  EXPECT_FALSE(Child<QWidget>(display, "picNatal")->accessibleName().isEmpty());
}

TEST_F(AccessibilityTest, LinksAreOpenedFromTheKeyboardAndPressedByAssistiveTechnology) {
  frmMain form(session, links, messages);
  form.show();
  auto* link = Child<QLabel>(form, "Label61");
  link->setFocus();
  QTest::keyClick(link, Qt::Key_Return);
  QTest::keyClick(link, Qt::Key_Space);
  EXPECT_EQ(browser.opened,
            (std::vector<QUrl>{WebAddresses::HomePage(), WebAddresses::HomePage()}));
  QAccessibleInterface* node = QAccessible::queryAccessibleInterface(link);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->role(), QAccessible::Link);
  ASSERT_NE(node->actionInterface(), nullptr);
  node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(browser.opened.size(), 3U);
}

}  // namespace
}  // namespace zodivane::ui
