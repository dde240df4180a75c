// SPDX-License-Identifier: GPL-3.0-or-later
// The natal wheel's house lists stay inside their own house sectors: proven
// from the text the results form actually draws (recorded by a paint
// device), for the fullest list the wheel can hold in each of the twelve
// houses and for real crowded charts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineF>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "chart/chart_driver.h"
#include "tests/support/wheel_houses.h"
#include "tests/ui/support/fakes.h"
#include "tests/ui/support/text_recorder.h"
#include "ui/platform/web_links.h"
#include "ui/sheet/wheel_layout.h"
#include "ui/windows/frm_display.h"

namespace zodivane::ui {
namespace {

using testing::DrawnText;
using testing::TextRecordingDevice;

using test::Marked;
using test::Plain;

/// The longest list a house can hold: all seven bodies, every planet marked
/// retrograde, and the Ascendant.
const WheelEntries kFullestHouse{Plain(ChartPoint::Sun),      Plain(ChartPoint::Moon),
                                 Marked(ChartPoint::Mercury), Marked(ChartPoint::Venus),
                                 Marked(ChartPoint::Mars),    Marked(ChartPoint::Jupiter),
                                 Marked(ChartPoint::Saturn),  Plain(ChartPoint::Ascendant)};

/// A view with `entries` at wheel position `position` and every other house empty.
ChartView OneHouseView(int position, const WheelEntries& entries) {
  ChartView view;
  view.positions.fill("01 Ari 00");
  view.moonSign = "Aries";
  view.name = "TEST";
  test::SetHouse(view.wheel, position, entries);
  return view;
}

/// Every text the wheel picture draws, in picture coordinates.
std::vector<DrawnText> DrawnWheelTexts(frmDisplay& form) {
  auto* picture = form.findChild<QWidget*>(QStringLiteral("picNatal"));
  EXPECT_NE(picture, nullptr);
  TextRecordingDevice device(picture->size());
  picture->render(&device);
  return device.Texts();
}

/// The smallest type in which a name still reads as itself at 100% ("Saturn"
/// set in 9 pixels reads as "Satum").
constexpr int kLegiblePixels = 10;

/// Checks that each of `entries` is drawn once, in type of at least
/// `smallestPixels`, and inside the sector of `position`.
void ExpectListInsideItsHouse(const std::vector<DrawnText>& drawn, int position,
                              const WheelEntries& entries, int smallestPixels = kLegiblePixels) {
  const wheel::HouseSector sector = wheel::SectorOf(position);
  for (const QString& entry : wheel::EntryTexts(entries)) {
    SCOPED_TRACE(entry.toStdString());
    const auto count = std::count_if(drawn.begin(), drawn.end(), [&](const DrawnText& text) {
      return text.text.trimmed() == entry;
    });
    EXPECT_EQ(count, 1);
    for (const DrawnText& text : drawn) {
      if (text.text.trimmed() != entry) {
        continue;
      }
      const QRectF& box = text.box;
      // Half a pixel for the width of the lines, the rest kept clear.
      EXPECT_TRUE(sector.Holds(box, 0.5))
          << "box " << box.left() << "," << box.top() << " " << box.width() << "x" << box.height()
          << " outside house " << position + 1;
      EXPECT_GE(text.font.pixelSize(), smallestPixels);
    }
  }
}

// All eight entries, the longest names, in one house, for each house in turn.
// No sky gives this list (Mars, Jupiter and Saturn turn retrograde only far
// from the Sun), so it may take type below the legible size, down to 8 pixels.
TEST(WheelHouseLists, TheFullestListStaysInsideEachHouse) {
  for (int position = 0; position < kSignCount; ++position) {
    SCOPED_TRACE("house " + std::to_string(position + 1));
    testing::FakeWebBrowser browser;
    WebLinks links{browser};
    frmDisplay form{links};
    form.ShowChart(OneHouseView(position, kFullestHouse), {});
    ExpectListInsideItsHouse(DrawnWheelTexts(form), position, kFullestHouse, 8);
  }
}

// Every count from one to eight entries, the longest names first.
TEST(WheelHouseLists, EveryLengthOfListStaysInsideEachHouse) {
  const WheelEntries longest{Marked(ChartPoint::Jupiter), Marked(ChartPoint::Mercury),
                             Marked(ChartPoint::Saturn),  Marked(ChartPoint::Venus),
                             Marked(ChartPoint::Mars),    Plain(ChartPoint::Moon),
                             Plain(ChartPoint::Sun),      Plain(ChartPoint::Ascendant)};
  testing::FakeWebBrowser browser;
  WebLinks links{browser};
  for (int count = 1; count <= 8; ++count) {
    const WheelEntries list(longest.begin(), longest.begin() + count);
    for (int position = 0; position < kSignCount; ++position) {
      SCOPED_TRACE(std::to_string(count) + " entries in house " + std::to_string(position + 1));
      frmDisplay form{links};
      form.ShowChart(OneHouseView(position, list), {});
      ExpectListInsideItsHouse(DrawnWheelTexts(form), position, list);
    }
  }
}

// The disc the aspect lines cross (View > Aspect Lines) lies under no list
// of up to five bodies in any house: the lists keep their places and the
// lines never run under them. (A house of six or more, as in February 1962,
// sets its list nearer the middle, over the lines.)
TEST(WheelHouseLists, ListsOfUpToFiveStayClearOfTheAspectDisc) {
  const WheelEntries longest{Marked(ChartPoint::Jupiter), Marked(ChartPoint::Mercury),
                             Marked(ChartPoint::Saturn),  Marked(ChartPoint::Venus),
                             Marked(ChartPoint::Mars),    Plain(ChartPoint::Moon),
                             Plain(ChartPoint::Sun),      Plain(ChartPoint::Ascendant)};
  testing::FakeWebBrowser browser;
  WebLinks links{browser};
  for (int count = 1; count <= 5; ++count) {
    const WheelEntries list(longest.begin(), longest.begin() + count);
    for (int position = 0; position < kSignCount; ++position) {
      SCOPED_TRACE(std::to_string(count) + " entries in house " + std::to_string(position + 1));
      frmDisplay form{links};
      form.ShowChart(OneHouseView(position, list), {});
      for (const DrawnText& text : DrawnWheelTexts(form)) {
        const QRectF& box = text.box;
        const QPointF nearest(std::clamp(wheel::kCentre.x(), box.left(), box.right()),
                              std::clamp(wheel::kCentre.y(), box.top(), box.bottom()));
        EXPECT_GE(QLineF(wheel::kCentre, nearest).length(), wheel::kAspectRingRadius + 1.0)
            << text.text.toStdString();
      }
    }
  }
}

// A one-entry list keeps its designed place and full size: "Sun" one line
// below the label's designed corner (house 3's corner lies on its cusp line,
// so its list moves the few pixels needed to clear the line); the longest
// entry moves as far as it must but keeps full size.
TEST(WheelHouseLists, AShortListKeepsItsAnchorAndSize) {
  testing::FakeWebBrowser browser;
  WebLinks links{browser};
  for (int position = 0; position < kSignCount; ++position) {
    for (const WheelEntry& only : {Plain(ChartPoint::Sun), Marked(ChartPoint::Jupiter)}) {
      const QString entry = QString::fromStdString(WheelEntryText(only));
      SCOPED_TRACE(entry.toStdString() + " in house " + std::to_string(position + 1));
      frmDisplay form{links};
      form.ShowChart(OneHouseView(position, {only}), {});
      const std::vector<DrawnText> drawn = DrawnWheelTexts(form);
      const auto found = std::find_if(drawn.begin(), drawn.end(), [&](const DrawnText& text) {
        return text.text.trimmed() == entry;
      });
      ASSERT_NE(found, drawn.end());
      EXPECT_EQ(found->font.pixelSize(), 11);
      if (entry == QStringLiteral("Sun")) {
        const wheel::WheelPlace& place = wheel::kWheelPlaces[static_cast<std::size_t>(position)];
        const QPointF designed((place.planetList.left + 7) / 15,
                               (place.planetList.top + 7) / 15 + 13);  // one 13-pixel line down
        const double moved = QLineF(designed, found->box.topLeft()).length();
        EXPECT_LE(moved, position == 2 ? 8.0 : 1.0);
      }
    }
  }
}

FormEntries GreenwichEntries(int hour) {
  FormEntries entries;
  entries.txtName = "AQUARIUS 1962";
  entries.txtLatD = "51";
  entries.txtLatM = "30";
  entries.txtLonD = "0";
  entries.txtLonM = "7";
  entries.optEast = false;
  entries.cboMonthIndex = 1;  // February
  entries.cboDateIndex = 3;
  entries.cboDateText = "4";
  entries.cboYearText = "1962";
  entries.cboHHText = std::to_string(hour);
  entries.cboMMText = "0";
  entries.cmbTimeZoneIndex = 29;  // Greenwich Mean Time
  return entries;
}

// 4 February 1962 at Greenwich: the Sun, the Moon and all five planets in
// Aquarius. At 02:00 Saturn lay on the Aquarius glyph, at 03:00 the list
// crossed two house lines and then shrank to 9 pixels ("Satum"), at 08:00
// "Asc" stood in house 2.
TEST(WheelHouseLists, TheCrowdedChartsOfFebruary1962) {
  testing::FakeWebBrowser browser;
  WebLinks links{browser};
  for (const int hour : {2, 3, 8}) {
    SCOPED_TRACE(std::to_string(hour) + ":00");
    ChartSession session;
    CastResult result = session.CastChart(GreenwichEntries(hour));
    ASSERT_TRUE(std::holds_alternative<ChartView>(result));
    const ChartView& view = std::get<ChartView>(result);
    frmDisplay form{links};
    form.ShowChart(view, {});
    const std::vector<DrawnText> drawn = DrawnWheelTexts(form);
    std::size_t listed = 0;
    for (int position = 0; position < kSignCount; ++position) {
      SCOPED_TRACE("house " + std::to_string(position + 1));
      const WheelEntries& entries = view.wheel.houseEntries[static_cast<std::size_t>(position)];
      listed += entries.size();
      ExpectListInsideItsHouse(drawn, position, entries);
    }
    EXPECT_EQ(listed, 8U);  // the seven bodies and the Ascendant
  }
}

}  // namespace
}  // namespace zodivane::ui
