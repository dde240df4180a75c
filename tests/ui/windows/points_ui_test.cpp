// SPDX-License-Identifier: GPL-3.0-or-later
// The further points in the windows: View > Points in Wheel puts them in the
// wheel's houses, the engine and the points hide with the aspect panel, and
// a cast the chosen engine refuses leads to the engine choice.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "chart/chart_driver.h"
#include "ephemeris/swiss_ephemeris.h"
#include "tests/support/sample_entries.h"
#include "tests/ui/support/fakes.h"
#include "tests/ui/support/windows.h"
#include "ui/app/shell.h"
#include "ui/sheet/wheel_layout.h"
#include "ui/windows/frm_aspect_settings.h"
#include "ui/windows/frm_display.h"
#include "ui/windows/frm_main.h"
#include "ui/windows/house_list_label.h"
#include "ui/windows/mdi.h"

namespace zodivane::ui {
namespace {

using testing::Child;

/// Each house list's entries as laid out: text and box.
std::vector<std::vector<std::pair<QString, QRectF>>> HouseLists(MDI& window) {
  std::vector<std::vector<std::pair<QString, QRectF>>> lists;
  for (int position = 0; position < kSignCount; ++position) {
    auto* label = Child<HouseListLabel>(window, ("lblNatal_" + std::to_string(position)).c_str());
    std::vector<std::pair<QString, QRectF>> entries;
    if (label->Layout()) {
      for (const wheel::PlacedEntry& entry : label->Layout()->entries) {
        entries.emplace_back(entry.text, entry.box);
      }
    }
    lists.push_back(std::move(entries));
  }
  return lists;
}

/// Pixels of the further points' colour inside the houses of the wheel.
int PointPixelsInHouses(MDI& window) {
  auto* wheel = Child<QWidget>(window, "picNatal");
  QImage image(wheel->size(), QImage::Format_ARGB32);
  image.fill(Qt::white);
  wheel->render(&image);
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor colour = image.pixelColor(x, y);
      const double radius = std::hypot(x + 0.5 - wheel::kCentre.x(), y + 0.5 - wheel::kCentre.y());
      if (radius < wheel::kHouseOuterRadius - 2.0 && colour.red() > 120 && colour.green() < 60 &&
          colour.blue() < 60) {
        ++count;
      }
    }
  }
  return count;
}

class PointsWindowTest : public ::testing::Test {
 protected:
  PointsWindowTest() {
    CastResult cast = session.CastChart(test::DelhiEntries());
    EXPECT_TRUE(std::holds_alternative<ChartView>(cast));
    view = std::get<ChartView>(cast);
    window->Display().ShowChart(view, {});
    window->SetChartSheet(view, std::nullopt);
    window->ShowAspects(session.Aspects(DefaultAspectSettings()), DefaultAspectSettings());
    window->UseViewSettings(settings);
    window->resize(1600, 900);
    window->show();
    QApplication::processEvents();
  }
  ~PointsWindowTest() override { delete window.data(); }

  ChartSession session;
  ChartView view;
  testing::FakeSettingsStore settings;
  testing::FakeWebBrowser browser;
  WebLinks links{browser};
  QPointer<MDI> window = new MDI(links);
};

// View > Points in Wheel: off at first, and the lists hold the bodies alone;
// on, each further point stands in the list of its sign's house, inside the
// house and drawn in its colour; off again, the lists are as they were.
TEST_F(PointsWindowTest, PointsInWheelPutsEachPointInTheHouseOfItsSign) {
  auto* item = Child<QAction>(*window, "mnuPointsInWheel");
  EXPECT_TRUE(item->isCheckable());
  EXPECT_FALSE(item->isChecked());
  EXPECT_EQ(item->text(), QStringLiteral("Points in &Wheel"));
  const auto before = HouseLists(*window);
  EXPECT_EQ(PointPixelsInHouses(*window), 0);

  item->trigger();
  EXPECT_EQ(settings.values[kPointsInWheelKey], QStringLiteral("on"));
  const auto after = HouseLists(*window);
  const std::optional<int> first =
      view.points[static_cast<std::size_t>(ChartPoint::Ascendant)].sign;
  ASSERT_TRUE(first.has_value());
  const std::optional<PointPosition>& midheaven = view.extraPoints[ExtraPoint::Midheaven];
  ASSERT_TRUE(midheaven && midheaven->sign);
  const int midheavenHouse = ((*midheaven->sign - *first) % kSignCount + kSignCount) % kSignCount;
  const QString midheavenLabel = QStringLiteral("MC %1\u00B0").arg(midheaven->degree);
  const auto expected = WheelPointTexts(view.extraPoints, *first);
  int points = 0;
  for (std::size_t position = 0; position < after.size(); ++position) {
    SCOPED_TRACE(position);
    const auto& bodies = before[position];
    ASSERT_EQ(after[position].size(), bodies.size() + expected[position].size());
    for (std::size_t k = 0; k < after[position].size(); ++k) {
      const QString text = after[position][k].first;
      EXPECT_EQ(text, k < bodies.size()
                          ? bodies[k].first
                          : QString::fromStdString(expected[position][k - bodies.size()]));
      EXPECT_TRUE(wheel::SectorOf(static_cast<int>(position))
                      .Holds(after[position][k].second, wheel::kClearance))
          << text.toStdString();
      if (text == midheavenLabel) {
        EXPECT_EQ(static_cast<int>(position), midheavenHouse);
      }
    }
    points += static_cast<int>(expected[position].size());
  }
  // The built-in method: the Midheaven, IC, Descendant and the mean node.
  EXPECT_EQ(points, 4);
  EXPECT_GT(PointPixelsInHouses(*window), 0);

  item->trigger();
  EXPECT_EQ(settings.values[kPointsInWheelKey], QStringLiteral("off"));
  EXPECT_EQ(HouseLists(*window), before);
  EXPECT_EQ(PointPixelsInHouses(*window), 0);

  // Remembered: the next window opens with them shown.
  settings.values[kPointsInWheelKey] = QStringLiteral("on");
  testing::FakeWebBrowser otherBrowser;
  WebLinks otherLinks{otherBrowser};
  MDI next(otherLinks);
  next.UseViewSettings(settings);
  EXPECT_TRUE(Child<QAction>(next, "mnuPointsInWheel")->isChecked());
  EXPECT_TRUE(next.Display().PointsInWheelShown());
}

// The engine's name and the further points belong to the aspect panel:
// View > Aspects hides and shows them with it.
TEST_F(PointsWindowTest, TheEngineAndThePointsHideWithTheAspectPanel) {
  auto* engine = Child<QLabel>(*window, "lblEphemeris");
  auto* points = Child<QTableWidget>(*window, "tblPoints");
  EXPECT_EQ(engine->text(), QStringLiteral("Positions: Built-in method"));
  EXPECT_TRUE(engine->isVisible());
  EXPECT_TRUE(points->isVisible());
  auto* aspects = Child<QAction>(*window, "mnuAspects");
  aspects->trigger();
  EXPECT_FALSE(engine->isVisible());
  EXPECT_FALSE(points->isVisible());
  aspects->trigger();
  EXPECT_TRUE(engine->isVisible());
  EXPECT_TRUE(points->isVisible());
}

class RefusedEngineTest : public ::testing::Test {
 protected:
  /// The focus widget of the modal dialog that `act` opens, which is then closed.
  QString FocusInDialogOpenedBy(const std::function<void()>& act) {
    QString focused;
    QTimer::singleShot(0, [&focused] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        focused = dialog->focusWidget() != nullptr ? dialog->focusWidget()->objectName()
                                                   : QStringLiteral("(none)");
        dialog->reject();
      }
    });
    act();
    return focused;
  }

  QTemporaryDir folder;
  testing::FakeMessageBoxes messages;
  testing::FakeWebBrowser browser;
  testing::FakeSettingsStore settings;
  testing::FakeClock clock;
  Shell shell{ShellServices{messages, browser, settings, clock},
              folder.filePath(QStringLiteral("zodivane.lock")), [] {}};
};

// A cast the chosen engine refuses opens Aspect Settings on the engine
// choice: over the results window where it is shown, else over the input
// form.
TEST_F(RefusedEngineTest, TheEngineChoiceTakesTheFocus) {
  ASSERT_TRUE(shell.ProgramStart());
  frmMain& form = *shell.InputForm();
  const QString onInputForm = FocusInDialogOpenedBy([&form] { emit form.EphemerisRefused(); });
  EXPECT_EQ(onInputForm, QStringLiteral("optEphemeris_builtin"));

  testing::TypeValidBirth(form);
  form.cmdRashi_Click();
  ASSERT_NE(shell.MainWindow(), nullptr);
  const QString onResults = FocusInDialogOpenedBy([&form] { emit form.EphemerisRefused(); });
  EXPECT_EQ(onResults, QStringLiteral("optEphemeris_builtin"));
}

// Where Swiss Ephemeris cannot cast, a cast with it is refused with a
// message through the platform's message boxes, then the engine choice
// opens.
TEST_F(RefusedEngineTest, ARefusedSwissCastSaysWhy) {
  if (!SwissEphemerisProblem()) {
    GTEST_SKIP() << "Swiss Ephemeris casts here";
  }
  ASSERT_TRUE(shell.ProgramStart());
  frmMain& form = *shell.InputForm();
  testing::TypeValidBirth(form);
  form.SetEphemeris(Ephemeris::Swiss);
  bool refused = false;
  QObject::connect(&form, &frmMain::EphemerisRefused, [&refused] { refused = true; });
  const QString focused = FocusInDialogOpenedBy([&form] { EXPECT_FALSE(form.Cast()); });
  EXPECT_TRUE(refused);
  ASSERT_EQ(messages.notices.size(), 1U);
  EXPECT_EQ(focused, QStringLiteral("optEphemeris_builtin"));
}

}  // namespace
}  // namespace zodivane::ui
