// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_aspects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "aspects/aspect_report.h"
#include "chart/chart_driver.h"
#include "tests/support/chart_points.h"
#include "tests/support/sample_entries.h"

namespace zodivane {
namespace {

using namespace test::points;  // NOLINT(google-build-using-namespace)

struct Cast {
  ChartInput input;
  PointPositions points;
};

Cast CastOf(const FormEntries& entries) {
  ChartSession session;
  const CastResult result = session.CastChart(entries);
  EXPECT_TRUE(std::holds_alternative<ChartView>(result));
  return {session.chartInput(), session.points()};
}

/// An aspect as the second search below reports it.
struct Found {
  ChartPoint a;
  ChartPoint b;
  AspectKind kind;
  double orb;
  bool applying;
  bool outOfSign;
};

/// A second search written another way: the separation folded from the
/// plain difference, every angle tried with the smallest orb kept,
/// applying decided by stepping both points a little forward along their
/// motions, and the signs taken from the longitudes themselves.
std::vector<Found> SecondSearch(const AspectPoints& points, const AspectSettings& settings) {
  const auto separationOf = [](double a, double b) {
    double difference = std::fabs(a - b);
    while (difference >= 360.0) {
      difference -= 360.0;
    }
    return difference > 180.0 ? 360.0 - difference : difference;
  };
  std::vector<Found> found;
  for (int i = 0; i < kChartPointCount; ++i) {
    for (int j = i + 1; j < kChartPointCount; ++j) {
      const AspectPoint& a = points[static_cast<std::size_t>(i)];
      const AspectPoint& b = points[static_cast<std::size_t>(j)];
      const double separation = separationOf(a.longitude, b.longitude);
      const int luminaries = (i <= 1 ? 1 : 0) + (j <= 1 ? 1 : 0);
      std::optional<Found> best;
      for (int k = 0; k < kAspectKindCount; ++k) {
        if (!settings.inUse[static_cast<std::size_t>(k)]) {
          continue;
        }
        const double angle = kAspectKinds[static_cast<std::size_t>(k)].angle;
        const double orb = std::fabs(separation - angle);
        if (orb - (settings.orbs[static_cast<std::size_t>(k)] + luminaries) > 1e-9) {
          continue;
        }
        if (best && best->orb <= orb) {
          continue;
        }
        constexpr double kStep = 1e-5;  // days
        const double later = std::fabs(
            separationOf(a.longitude + a.dailyMotion * kStep, b.longitude + b.dailyMotion * kStep) -
            angle);
        bool outOfSign = false;
        if (std::fmod(angle, 30.0) == 0.0) {
          const int signA = static_cast<int>(a.longitude / 30.0);
          const int signB = static_cast<int>(b.longitude / 30.0);
          const int apart = std::abs(signA - signB);
          outOfSign = std::min(apart, 12 - apart) * 30 != static_cast<int>(angle);
        }
        best = Found{static_cast<ChartPoint>(i),
                     static_cast<ChartPoint>(j),
                     static_cast<AspectKind>(k),
                     orb,
                     later < orb,
                     outOfSign};
      }
      if (best && (settings.outOfSign || !best->outOfSign)) {
        found.push_back(*best);
      }
    }
  }
  return found;
}

// Real charts from 1901 to 2050, every aspect in use and the defaults: the
// search agrees with the second search in every pair, kind, orb, direction
// and sign relation.
TEST(ChartAspects, RealChartsAgreeWithASecondSearch) {
  AspectSettings noOutOfSign = DefaultAspectSettings();
  noOutOfSign.outOfSign = false;
  const auto settingsList = std::to_array<AspectSettings>(
      {DefaultAspectSettings(), WithAspectSet(DefaultAspectSettings(), AspectSet::All),
       noOutOfSign});
  int compared = 0;
  int applying = 0;
  int outOfSign = 0;
  for (int step = 0; step < 150; ++step) {
    FormEntries entries = test::DelhiEntries();
    test::SetDate(entries, step % 12, step * 7 % 28 + 1, 1901 + step);
    entries.cboHHText = std::to_string(step * 5 % 24);
    entries.cboMMText = std::to_string(step * 13 % 60);
    const Cast cast = CastOf(entries);
    const AspectPoints points = AspectPointsOf(cast.input, cast.points);
    for (const AspectSettings& settings : settingsList) {
      SCOPED_TRACE(entries.cboYearText);
      const std::vector<Aspect> ours = FindAspects(points, settings);
      const std::vector<Found> theirs = SecondSearch(points, settings);
      ASSERT_EQ(ours.size(), theirs.size());
      for (std::size_t k = 0; k < ours.size(); ++k) {
        SCOPED_TRACE(AspectLine(ours[k]));
        EXPECT_EQ(ours[k].a, theirs[k].a);
        EXPECT_EQ(ours[k].b, theirs[k].b);
        EXPECT_EQ(ours[k].kind, theirs[k].kind);
        EXPECT_NEAR(ours[k].orb, theirs[k].orb, 1e-9);
        EXPECT_EQ(ours[k].applying, theirs[k].applying);
        EXPECT_EQ(ours[k].outOfSign, theirs[k].outOfSign);
        applying += ours[k].applying ? 1 : 0;
        outOfSign += ours[k].outOfSign ? 1 : 0;
        ++compared;
      }
    }
  }
  // The table holds both directions and out-of-sign aspects.
  EXPECT_GT(compared, 1000);
  EXPECT_GT(applying, compared / 4);
  EXPECT_GT(outOfSign, 10);
}

// The reference moment of 2000 January 1, 12:00 UT at Greenwich, worked out
// by hand from its published positions (to the minute, so each orb is
// known to within a minute): Sun 10 Cap 22, Moon 13 Sco 18, Mercury 01 Cap
// 54, Venus 01 Sag 34, Mars 27 Aqu 58, Jupiter 25 Ari 21, Saturn 10 Tau 12,
// Uranus 14 Aqu 47, Neptune 03 Aqu 11, Pluto 11 Sag 27, Ascendant 24 Ari 17.
TEST(ChartAspects, TheGreenwichReferenceChartWorkedByHand) {
  struct ByHand {
    ChartPoint a;
    ChartPoint b;
    AspectKind kind;
    int orbMinutes;
  };
  const auto expected = std::to_array<ByHand>({
      {Sun, Moon, AspectKind::Sextile, 2 * 60 + 56},
      {Sun, Mercury, AspectKind::Conjunction, 8 * 60 + 28},  // in by the Sun's widening
      {Sun, Saturn, AspectKind::Trine, 10},
      {Moon, Saturn, AspectKind::Opposition, 3 * 60 + 6},
      {Moon, Uranus, AspectKind::Square, 60 + 29},
      {Mercury, Mars, AspectKind::Sextile, 3 * 60 + 56},
      {Mercury, Jupiter, AspectKind::Trine, 6 * 60 + 33},
      {Mercury, Asc, AspectKind::Trine, 7 * 60 + 37},
      {Venus, Mars, AspectKind::Square, 3 * 60 + 36},
      {Venus, Neptune, AspectKind::Sextile, 60 + 37},
      {Mars, Jupiter, AspectKind::Sextile, 2 * 60 + 37},
      {Mars, Asc, AspectKind::Sextile, 3 * 60 + 41},
      {Jupiter, Asc, AspectKind::Conjunction, 64},
      {Saturn, Uranus, AspectKind::Square, 4 * 60 + 35},
      {Uranus, Pluto, AspectKind::Sextile, 3 * 60 + 20},
  });
  // Just outside: Mercury trine Saturn 8°18', Jupiter square Neptune 7°50',
  // Moon square Neptune 10°07' (8 allowed), Saturn square Neptune 7°01',
  // Venus conjunct Pluto 9°53'. None of them may appear.
  const Cast cast = CastOf(test::Greenwich2000Entries());
  const std::vector<Aspect> aspects =
      FindAspects(AspectPointsOf(cast.input, cast.points), DefaultAspectSettings());
  ASSERT_EQ(aspects.size(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) {
    SCOPED_TRACE(AspectLine(aspects[k]));
    EXPECT_EQ(aspects[k].a, expected[k].a);
    EXPECT_EQ(aspects[k].b, expected[k].b);
    EXPECT_EQ(aspects[k].kind, expected[k].kind);
    EXPECT_NEAR(aspects[k].orb * 60.0, expected[k].orbMinutes, 1.0);
  }
}

// 5 March 1980 in Delhi: Mercury, Mars, Jupiter and Saturn are retrograde
// and move backwards, the Sun, the Moon and Venus forwards (the Sun about a
// degree a day, the Moon 11 to 15), and the Ascendant about a turn a day.
TEST(ChartAspects, DailyMotionsComeFromALaterCast) {
  const Cast cast = CastOf(test::AnnaInDelhi());
  const AspectPoints points = AspectPointsOf(cast.input, cast.points);
  for (int point = 0; point < kChartPointCount; ++point) {
    SCOPED_TRACE(kChartPointNames[point]);
    EXPECT_EQ(points[point].longitude, cast.points[point].longitude);
    EXPECT_EQ(points[point].sign, cast.points[point].sign);
    if (point < kWheelBodyCount) {
      EXPECT_EQ(points[point].dailyMotion < 0, cast.points[point].retrograde);
    }
  }
  EXPECT_NEAR(points[0].dailyMotion, 1.0, 0.05);
  EXPECT_GT(points[1].dailyMotion, 11.0);
  EXPECT_LT(points[1].dailyMotion, 15.5);
  EXPECT_GT(points[10].dailyMotion, 250.0);
}

}  // namespace
}  // namespace zodivane
