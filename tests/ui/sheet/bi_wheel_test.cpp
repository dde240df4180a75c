// SPDX-License-Identifier: GPL-3.0-or-later
// The bi-wheel: the outer bodies stand in the signs the sky puts them in,
// drawn where their placements say, with their retrograde marks; crowded
// bodies are spread so that no two labels cover each other, each as near
// its own degree as the crowd allows; the aspect lines cross the middle.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <cmath>
#include <numbers>
#include <string>
#include <variant>
#include <vector>

#include "chart/chart_driver.h"
#include "ephemeris/sky_at.h"
#include "tests/support/sample_entries.h"
#include "tests/ui/support/text_recorder.h"
#include "transits/transits.h"
#include "ui/sheet/bi_wheel.h"
#include "ui/sheet/wheel_layout.h"

namespace zodivane::ui {
namespace {

using testing::DrawnText;
using testing::TextRecordingDevice;

ChartView London1985() {
  ChartSession session;
  return std::get<ChartView>(session.CastChart(test::London1985Entries()));
}

/// The sky at 2025-03-05 14:30 UT, the moment the command line's example
/// takes: Venus retrograde in Aries, Neptune at the end of Pisces.
Sky KnownSky() {
  return std::get<Sky>(SkyAt(Ephemeris::BuiltIn, JulianDayOfUt({2025, 3, 5, 14, 30, 0})));
}

BiWheelView KnownView() {
  BiWheelView view;
  view.inner = London1985();
  const Sky sky = KnownSky();
  view.outer = OuterBodiesOfSky(sky);
  const std::vector<NatalPoint> natal = NatalPointsOf(view.inner.points);
  view.lines = std::get<Transits>(TransitsAt(Ephemeris::BuiltIn, sky.julianDayUt, natal,
                                             TransitSettings(DefaultAspectSettings())))
                   .aspects;
  return view;
}

/// The angle of `point` around the wheel's centre in the drawing `transform`
/// maps to the device: degrees counter-clockwise from the right, [0, 360).
double AngleOnDevice(const QPointF& point, const QTransform& transform) {
  const QPointF centre = transform.map(wheel::kCentre);
  const double angle =
      std::atan2(centre.y() - point.y(), point.x() - centre.x()) * 180.0 / std::numbers::pi;
  return angle < 0 ? angle + 360.0 : angle;
}

/// The difference of two angles, degrees, in [0, 180].
double AngleApart(double a, double b) {
  const double apart = std::fmod(std::abs(a - b), 360.0);
  return apart > 180.0 ? 360.0 - apart : apart;
}

TEST(BiWheel, OuterBodiesStandInTheSignsOfTheSky) {
  const BiWheelView view = KnownView();
  const Sky sky = KnownSky();
  const std::vector<OuterPlacement> placements = PlaceOuterBodies(view);
  ASSERT_EQ(placements.size(), static_cast<std::size_t>(kSkyBodyCount));
  const int ascendantSign =
      *view.inner.points[static_cast<std::size_t>(ChartPoint::Ascendant)].sign;
  for (const OuterPlacement& placement : placements) {
    SCOPED_TRACE(view.outer[placement.index].name.toStdString());
    const int skySign = static_cast<int>(sky.longitudeDeg[placement.index] / 30.0);
    EXPECT_EQ(placement.sign, skySign);
    // Whole signs: the house is counted from the Ascendant's sign.
    EXPECT_EQ(placement.house, (skySign - ascendantSign + 12) % 12 + 1);
    EXPECT_EQ(view.outer[placement.index].retrograde, sky.speedDegPerDay[placement.index] < 0);
  }
  // The two that sit near the ends of their signs.
  EXPECT_EQ(placements[static_cast<std::size_t>(ChartPoint::Venus)].sign, 0);     // Aries
  EXPECT_EQ(placements[static_cast<std::size_t>(ChartPoint::Neptune)].sign, 11);  // Pisces
  EXPECT_TRUE(view.outer[static_cast<std::size_t>(ChartPoint::Venus)].retrograde);
}

TEST(BiWheel, GlyphsAreDrawnWherePlacedWithTheirRetrogradeMarks) {
  const BiWheelView view = KnownView();
  const QRectF target(0, 0, 600, 600);
  TextRecordingDevice device(target.size().toSize());
  {
    QPainter painter(&device);
    DrawBiWheel(painter, target, view);
  }
  const QTransform transform = BiWheelTransform(target);
  const std::vector<OuterPlacement> placements = PlaceOuterBodies(view);
  int retrogradeMarks = 0;
  for (const DrawnText& text : device.Texts()) {
    retrogradeMarks += text.text == QStringLiteral("\u211E") ? 1 : 0;
  }
  int retrograde = 0;
  for (const OuterPlacement& placement : placements) {
    const OuterBody& body = view.outer[placement.index];
    SCOPED_TRACE(body.name.toStdString());
    retrograde += body.retrograde ? 1 : 0;
    std::vector<QPointF> drawn;
    for (const DrawnText& text : device.Texts()) {
      if (text.text == body.label) {
        drawn.push_back(text.box.center());
      }
    }
    ASSERT_EQ(drawn.size(), 1U);
    EXPECT_LT(AngleApart(AngleOnDevice(drawn[0], transform), placement.labelAngle), 1.0);
    // The label stands in the outer ring, outside the natal wheel.
    const double radius = std::hypot(drawn[0].x() - transform.map(wheel::kCentre).x(),
                                     drawn[0].y() - transform.map(wheel::kCentre).y());
    EXPECT_GT(radius, transform.m11() * biwheel::kRingInnerRadius);
    EXPECT_LT(radius, transform.m11() * biwheel::kRingOuterRadius);
  }
  EXPECT_GT(retrograde, 0);
  EXPECT_EQ(retrogradeMarks, retrograde);
}

struct Crowd {
  const char* what;
  std::vector<double> longitudes;
};

class CrowdedRing : public ::testing::TestWithParam<Crowd> {};

TEST_P(CrowdedRing, LabelsNeverCoverEachOtherAndStayNearTheirDegrees) {
  BiWheelView view;
  view.inner = London1985();
  for (const double longitude : GetParam().longitudes) {
    view.outer.push_back({longitude, false, BodyGlyph(ChartPoint::Mars), QStringLiteral("Mars")});
  }
  const std::vector<OuterPlacement> placements = PlaceOuterBodies(view);
  ASSERT_EQ(placements.size(), view.outer.size());
  const double spread = std::min(biwheel::kLeastSpread, 360.0 / view.outer.size());
  for (std::size_t a = 0; a < placements.size(); ++a) {
    // No further from its degree than half the crowd's width.
    EXPECT_LE(AngleApart(placements[a].labelAngle, placements[a].markAngle),
              spread * static_cast<double>(view.outer.size()) / 2.0 + 1e-9)
        << a;
    for (std::size_t b = a + 1; b < placements.size(); ++b) {
      EXPECT_GE(AngleApart(placements[a].labelAngle, placements[b].labelAngle), spread - 1e-9)
          << a << " and " << b;
      for (const QRectF& first : {placements[a].glyphBox, placements[a].degreeBox}) {
        for (const QRectF& second : {placements[b].glyphBox, placements[b].degreeBox}) {
          EXPECT_FALSE(first.intersects(second)) << a << " and " << b;
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Crowds, CrowdedRing,
    ::testing::Values(Crowd{"apart", {10, 100, 200, 300}},
                      Crowd{"five within two degrees", {50, 50.5, 51, 51.5, 52, 200}},
                      Crowd{"across the start of Aries", {358, 359, 0, 0.5, 1.5, 180}},
                      Crowd{"two runs that meet", {10, 11, 12, 19, 20, 21}},
                      Crowd{"all at one degree", {7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7}},
                      Crowd{"fifty all round",
                            [] {
                              std::vector<double> all;
                              for (int k = 0; k < 50; ++k) {
                                all.push_back(k * 7.1);
                              }
                              return all;
                            }()}),
    [](const ::testing::TestParamInfo<Crowd>& info) {
      std::string name;
      for (const char c : std::string(info.param.what)) {
        name += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
      }
      return name;
    });

// A body near each degree of the circle in turn, named by a glyph (and
// retrograde, so that its degree is at its widest) or by the three letters
// of the Ascendant: the ring's edges, the sign boundaries across it, its ticks and the
// marks break around the labels or keep clear of them, so that no line runs
// through a label's ink, no label covers another, and each stays inside the
// ring. ("1°℞" stood on the ring's edge and on a sign boundary near the
// horizon, the Ascendant's "Asc" on a boundary.)
TEST(BiWheel, NoLineRunsThroughAnOuterLabel) {
  const QRectF target(0, 0, 540, 540);
  const QTransform transform = BiWheelTransform(target);
  const QPointF centre = transform.map(wheel::kCentre);
  for (const QString& label : {BodyGlyph(ChartPoint::Neptune), BodyGlyph(ChartPoint::Ascendant)}) {
    for (double longitude = 0.25; longitude < 360.0; longitude += 2.5) {
      SCOPED_TRACE(label.toStdString() + " at " + std::to_string(longitude));
      BiWheelView view;
      view.inner = London1985();
      const bool retrograde = label != BodyGlyph(ChartPoint::Ascendant);
      view.outer = {{longitude, retrograde, label, QStringLiteral("Body")}};
      TextRecordingDevice device(target.size().toSize());
      {
        QPainter painter(&device);
        DrawBiWheel(painter, target, view);
      }
      const double ringInner = transform.m11() * biwheel::kRingInnerRadius;
      std::vector<QRectF> labels;
      for (const DrawnText& text : device.Texts()) {
        const QPointF middle = text.inkBox.center() - centre;
        if (std::hypot(middle.x(), middle.y()) < ringInner) {
          continue;  // the natal wheel's own
        }
        for (const QRectF& other : labels) {
          const QRectF overlap = other.intersected(text.inkBox);
          EXPECT_TRUE(overlap.width() < 1.0 || overlap.height() < 1.0) << text.text.toStdString();
        }
        labels.push_back(text.inkBox);
        for (const testing::DrawnLine& line : device.Lines()) {
          EXPECT_FALSE(testing::Crosses(line.line, text.inkBox))
              << text.text.toStdString() << " crossed by a line from " << line.line.p1().x() << ","
              << line.line.p1().y() << " to " << line.line.p2().x() << "," << line.line.p2().y();
        }
        for (const QPointF& corner : {text.inkBox.topLeft(), text.inkBox.topRight(),
                                      text.inkBox.bottomLeft(), text.inkBox.bottomRight()}) {
          const double radius = std::hypot(corner.x() - centre.x(), corner.y() - centre.y());
          EXPECT_LT(radius,
                    transform.m11() * (biwheel::kRingOuterRadius - 2.0))  // the edge is 2 px wide
              << text.text.toStdString();
          EXPECT_GT(radius, ringInner + 1.0) << text.text.toStdString();
        }
      }
      // The label, the degree and the retrograde mark.
      EXPECT_EQ(labels.size(), retrograde ? 3U : 2U);
    }
  }
}

/// The pixels that differ between two drawings inside the middle disc,
/// clear of the ticks at its edge.
int PixelsChangedInTheMiddle(const QImage& a, const QImage& b, const QTransform& transform) {
  const QPointF centre = transform.map(wheel::kCentre);
  const double radius = transform.m11() * (wheel::kAspectRingRadius - 6.0);
  int count = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (std::hypot(x - centre.x(), y - centre.y()) < radius && a.pixel(x, y) != b.pixel(x, y)) {
        ++count;
      }
    }
  }
  return count;
}

TEST(BiWheel, AspectLinesCrossTheMiddleOnlyWhenShown) {
  const BiWheelView view = KnownView();
  ASSERT_FALSE(view.lines.empty());
  BiWheelView withoutLines = view;
  withoutLines.lines.clear();
  const QRectF target(0, 0, 600, 600);
  const auto render = [&target](const BiWheelView& shown, bool showLines) {
    BiWheelView drawn = shown;
    drawn.showLines = showLines;
    QImage image(target.size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawBiWheel(painter, target, drawn);
    return image;
  };
  const QTransform transform = BiWheelTransform(target);
  EXPECT_GT(PixelsChangedInTheMiddle(render(view, true), render(withoutLines, true), transform),
            100);
  EXPECT_EQ(render(view, false), render(withoutLines, false));
}

TEST(BiWheel, ReadsEachOuterBodyAsASentence) {
  BiWheelView view;
  view.inner = London1985();
  const int ascendant = *view.inner.points[static_cast<std::size_t>(ChartPoint::Ascendant)].sign;
  view.outer = {{30.0 * ascendant + 19.075, true, BodyGlyph(ChartPoint::Mars), "Mars"}};
  EXPECT_EQ(
      OuterBodiesSpeech(view),
      QStringLiteral("Mars, 19 degrees 4 minutes %1, in house 1, retrograde.")
          .arg(QString::fromUtf8(
              kSigns[static_cast<std::size_t>(ascendant)].name.data(),
              static_cast<qsizetype>(kSigns[static_cast<std::size_t>(ascendant)].name.size()))));
}

}  // namespace
}  // namespace zodivane::ui
