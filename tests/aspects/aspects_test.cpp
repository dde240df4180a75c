// SPDX-License-Identifier: GPL-3.0-or-later
#include "aspects/aspects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "aspects/aspect_report.h"
#include "tests/support/chart_points.h"

namespace zodivane {
namespace {

using namespace test::points;  // NOLINT(google-build-using-namespace)

/// One point placed by hand: longitude and daily motion.
struct Placed {
  ChartPoint point;
  double longitude;
  double motion = 0.5;
};

/// The chart points of a case: those placed where the case puts them, with
/// the sign their longitude falls in; the rest at 0 degrees with no sign
/// (cases look only at the pairs and patterns of the points they place).
AspectPoints PointsWith(std::initializer_list<Placed> placed) {
  AspectPoints points{};
  for (const Placed& one : placed) {
    AspectPoint& point = points[static_cast<std::size_t>(one.point)];
    point.longitude = one.longitude;
    point.dailyMotion = one.motion;
    point.sign = static_cast<int>(std::floor(one.longitude / 30.0)) % kSignCount;
  }
  return points;
}

/// The aspects among the points a case placed.
std::vector<Aspect> AspectsAmong(const AspectPoints& points, const AspectSettings& settings) {
  std::vector<Aspect> aspects = FindAspects(points, settings);
  std::erase_if(aspects, [&](const Aspect& aspect) {
    return !points[static_cast<std::size_t>(aspect.a)].sign ||
           !points[static_cast<std::size_t>(aspect.b)].sign;
  });
  return aspects;
}

const Aspect* Between(const std::vector<Aspect>& aspects, ChartPoint a, ChartPoint b) {
  for (const Aspect& aspect : aspects) {
    if ((aspect.a == a && aspect.b == b) || (aspect.a == b && aspect.b == a)) {
      return &aspect;
    }
  }
  return nullptr;
}

AspectSettings AllAspects() {
  return WithAspectSet(DefaultAspectSettings(), AspectSet::All);
}

// The boundary cases, one row each: two points placed, and what is
// expected between them (no aspect when `kind` is empty).
struct BoundaryCase {
  const char* what;
  Placed first;
  Placed second;
  std::optional<AspectKind> kind;
  double orb = 0;
  bool applying = false;
  bool outOfSign = false;
};

TEST(FindAspects, BoundaryCases) {
  const auto cases = std::to_array<BoundaryCase>({
      {"square at exactly its orb of 7 degrees",
       {Mars, 10.0},
       {Jupiter, 107.0},
       AspectKind::Square,
       7.0,
       false,
       false},
      {"square just past its orb", {Mars, 10.0}, {Jupiter, 107.001}, std::nullopt},
      {"conjunction at exactly 8 degrees from sums that do not add up exactly",
       {Venus, 10.1, 1.2},
       {Mars, 18.1, 0.6},
       AspectKind::Conjunction,
       8.0,
       true,
       false},
      {"opposition at exactly 8 degrees",
       {Saturn, 8.25},
       {Uranus, 180.25},
       AspectKind::Opposition,
       8.0,
       false,
       false},
      {"conjunction across 0 degrees Aries, closing, out of sign",
       {Venus, 359.5, 1.2},
       {Mars, 0.5, 0.7},
       AspectKind::Conjunction,
       1.0,
       true,
       true},
      {"trine across 0 degrees Aries",
       {Jupiter, 358.0, 0.1},
       {Saturn, 118.5, 0.05},
       AspectKind::Trine,
       0.5,
       true,
       false},
      {"29 Aries trine 1 Virgo is out of sign",
       {Mercury, 29.5, 1.5},
       {Saturn, 151.0, 0.1},
       AspectKind::Trine,
       1.5,
       true,
       true},
      {"an in-sign trine is not",
       {Mercury, 5.0, 1.5},
       {Saturn, 126.0, 0.1},
       AspectKind::Trine,
       1.0,
       true,
       false},
      {"Sun and Moon 8 degrees 30 apart are conjunct by the widening",
       {Sun, 100.0, 1.0},
       {Moon, 108.5, 13.0},
       AspectKind::Conjunction,
       8.5,
       false,
       false},
      {"two planets 8 degrees 30 apart are not", {Mercury, 100.0}, {Venus, 108.5}, std::nullopt},
      {"the Sun widens once: 9 degrees is in, 9 degrees 1 is out",
       {Sun, 100.0},
       {Venus, 109.0},
       AspectKind::Conjunction,
       9.0,
       false,
       false},
      {"the Sun widens once, not twice", {Sun, 100.0}, {Venus, 109.02}, std::nullopt},
      {"a retrograde planet backing into a conjunction applies",
       {Sun, 100.0, 1.0},
       {Mercury, 105.0, -0.8},
       AspectKind::Conjunction,
       5.0,
       true,
       false},
      {"the same planet direct and faster separates",
       {Sun, 100.0, 1.0},
       {Mercury, 105.0, 1.6},
       AspectKind::Conjunction,
       5.0,
       false,
       false},
      {"a retrograde planet backing out of a square separates",
       {Mars, 10.0, 0.5},
       {Jupiter, 97.0, -0.1},
       AspectKind::Square,
       3.0,
       false,
       false},
      {"a retrograde planet backing into a square applies",
       {Mars, 10.0, 0.5},
       {Jupiter, 103.0, -0.1},
       AspectKind::Square,
       3.0,
       true,
       false},
      {"an exact aspect separates",
       {Venus, 10.0, 1.2},
       {Saturn, 70.0, 0.1},
       AspectKind::Sextile,
       0.0,
       false,
       false},
      {"the Ascendant squares a planet, and its own motion closes the orb",
       {Asc, 0.0, 360.0},
       {Saturn, 95.0, 0.03},
       AspectKind::Square,
       5.0,
       true,
       false},
      {"the Ascendant moving past a trine separates",
       {Asc, 125.0, 360.0},
       {Saturn, 0.0, 0.03},
       AspectKind::Trine,
       5.0,
       false,
       false},
      {"the Sun widens the Ascendant's opposition",
       {Sun, 10.0, 1.0},
       {Asc, 198.8, 300.0},
       AspectKind::Opposition,
       8.8,
       false,
       false},
  });
  for (const BoundaryCase& row : cases) {
    SCOPED_TRACE(row.what);
    const AspectPoints points = PointsWith({row.first, row.second});
    const std::vector<Aspect> aspects = FindAspects(points, DefaultAspectSettings());
    const Aspect* found = Between(aspects, row.first.point, row.second.point);
    if (!row.kind) {
      EXPECT_EQ(found, nullptr);
      continue;
    }
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->kind, *row.kind);
    EXPECT_NEAR(found->orb, row.orb, 1e-9);
    EXPECT_EQ(found->applying, row.applying);
    EXPECT_EQ(found->outOfSign, row.outOfSign);
    EXPECT_LT(found->a, found->b);
  }
}

TEST(FindAspects, OutOfSignAspectsCanBeLeftOut) {
  // Mercury at 29 Aries trines Saturn at 1 Virgo out of sign and Mars at
  // 28 Leo in sign.
  const AspectPoints points = PointsWith({{Mercury, 29.5}, {Saturn, 151.0}, {Mars, 148.0}});
  AspectSettings settings = DefaultAspectSettings();
  ASSERT_NE(Between(FindAspects(points, settings), Mercury, Saturn), nullptr);
  settings.outOfSign = false;
  const std::vector<Aspect> aspects = FindAspects(points, settings);
  EXPECT_EQ(Between(aspects, Mercury, Saturn), nullptr);
  ASSERT_NE(Between(aspects, Mercury, Mars), nullptr);
  EXPECT_FALSE(Between(aspects, Mercury, Mars)->outOfSign);
}

TEST(FindAspects, MinorAspectsOnlyWhenInUseAndTheClosestAspectWins) {
  // 146 degrees between the Sun and the Moon: a biquintile 2 degrees off
  // (allowed 3.5) and a quincunx 4 degrees off (allowed 5). The closer wins.
  const AspectPoints points = PointsWith({{Sun, 10.0}, {Moon, 156.0}});
  EXPECT_EQ(Between(FindAspects(points, DefaultAspectSettings()), Sun, Moon), nullptr);
  const std::vector<Aspect> all = FindAspects(points, AllAspects());
  const Aspect* found = Between(all, Sun, Moon);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->kind, AspectKind::Biquintile);
  EXPECT_NEAR(found->orb, 2.0, 1e-9);

  // A changed orb is the one used.
  AspectSettings narrow = DefaultAspectSettings();
  narrow.orbs[static_cast<std::size_t>(AspectKind::Square)] = 2.0;
  const AspectPoints square = PointsWith({{Mars, 10.0}, {Jupiter, 103.0}});
  EXPECT_NE(Between(FindAspects(square, DefaultAspectSettings()), Mars, Jupiter), nullptr);
  EXPECT_EQ(Between(FindAspects(square, narrow), Mars, Jupiter), nullptr);
}

// One row per pattern: the points placed, and the pattern expected with its
// members in their order.
struct PatternCase {
  const char* what;
  std::vector<Placed> placed;
  Pattern expected;
  bool allAspects = false;
};

TEST(FindPatterns, EachPatternWithItsMembers) {
  const std::vector<PatternCase> cases{
      {"T-square: Moon opposite Saturn, both square Mars",
       {{Moon, 10.0}, {Saturn, 188.0}, {Mars, 280.0}},
       {PatternKind::TSquare, {Moon, Saturn, Mars}, std::nullopt}},
      {"grand trine of Venus, Jupiter and Neptune",
       {{Venus, 15.0}, {Jupiter, 137.0}, {Neptune, 253.0}},
       {PatternKind::GrandTrine, {Venus, Jupiter, Neptune}, std::nullopt}},
      {"grand cross of Sun, Mercury, Mars and Uranus",
       {{Sun, 5.0}, {Mars, 95.0}, {Mercury, 183.0}, {Uranus, 277.0}},
       {PatternKind::GrandCross, {Sun, Mercury, Mars, Uranus}, std::nullopt}},
      {"yod: Venus sextile Mars, both quincunx Pluto",
       {{Venus, 10.0}, {Mars, 70.0}, {Pluto, 220.0}},
       {PatternKind::Yod, {Venus, Mars, Pluto}, std::nullopt},
       true},
      {"stellium in Gemini of Sun, Mercury and Venus",
       {{Sun, 61.0}, {Mercury, 75.0}, {Venus, 88.0}},
       {PatternKind::Stellium, {Sun, Mercury, Venus}, 2}},
  };
  for (const PatternCase& row : cases) {
    SCOPED_TRACE(row.what);
    AspectPoints points{};
    for (const Placed& one : row.placed) {
      points[static_cast<std::size_t>(one.point)] =
          PointsWith({one})[static_cast<std::size_t>(one.point)];
    }
    const AspectSettings settings = row.allAspects ? AllAspects() : DefaultAspectSettings();
    const std::vector<Pattern> patterns = FindPatterns(AspectsAmong(points, settings), points);
    ASSERT_EQ(patterns.size(), 1U) << (patterns.empty() ? "" : PatternLine(patterns[0]));
    EXPECT_EQ(patterns[0], row.expected) << PatternLine(patterns[0]);
  }
  // The yod needs the quincunx in use.
  const AspectPoints yod = PointsWith({{Venus, 10.0}, {Mars, 70.0}, {Pluto, 220.0}});
  EXPECT_TRUE(FindPatterns(AspectsAmong(yod, DefaultAspectSettings()), yod).empty());
}

// A grand cross holds four T-squares; they are not named again.
TEST(FindPatterns, AGrandCrossIsNotAlsoFourTSquares) {
  const AspectPoints points =
      PointsWith({{Sun, 5.0}, {Mars, 95.0}, {Mercury, 183.0}, {Uranus, 277.0}});
  const std::vector<Pattern> patterns =
      FindPatterns(AspectsAmong(points, DefaultAspectSettings()), points);
  EXPECT_EQ(
      std::count_if(patterns.begin(), patterns.end(),
                    [](const Pattern& pattern) { return pattern.kind == PatternKind::TSquare; }),
      0);
}

TEST(AspectSettings, NamesSetsAndDefaults) {
  const AspectSettings defaults = DefaultAspectSettings();
  EXPECT_EQ(defaults.orbs,
            (std::array<double, kAspectKindCount>{8, 8, 8, 7, 6, 3, 2, 2, 2, 1.5, 1.5}));
  EXPECT_EQ(defaults.inUse,
            (std::array<bool, kAspectKindCount>{true, true, true, true, true, false, false, false,
                                                false, false, false}));
  EXPECT_TRUE(defaults.outOfSign);
  for (int kind = 0; kind < kAspectKindCount; ++kind) {
    const auto aspect = static_cast<AspectKind>(kind);
    EXPECT_EQ(AspectKindFromName(InfoOf(aspect).name), aspect);
  }
  EXPECT_EQ(AspectKindFromName("Trine"), std::nullopt);
  EXPECT_EQ(AspectSetFromName("all"), AspectSet::All);
  EXPECT_EQ(AspectSetFromName("minor"), std::nullopt);
  EXPECT_EQ(WithAspectSet(AllAspects(), AspectSet::Major), defaults);
}

TEST(AspectLine, ReadsAsTheListShowsIt) {
  const Aspect aspect{Sun, Moon, AspectKind::Square, 92.2339, 2.2339, true, false};
  EXPECT_EQ(AspectLine(aspect), "Sun square Moon, orb 2\u00B014', applying");
  const Aspect late{Mercury, Asc, AspectKind::Trine, 121.0, 0.9999, false, true};
  EXPECT_EQ(AspectLine(late), "Mercury trine Ascendant, orb 1\u00B000', separating, out of sign");
  EXPECT_EQ(OrbPartsOf(8.5).minutes, 30);
}

}  // namespace
}  // namespace zodivane
