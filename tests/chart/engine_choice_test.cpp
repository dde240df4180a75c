// SPDX-License-Identifier: GPL-3.0-or-later
// Casting with a chosen engine: the built-in method as before, Swiss
// Ephemeris written the same way, the further points, the nodes' aspects
// and the sensitivity by the chosen engine.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <variant>

#include "chart/chart_driver.h"
#include "chart/sensitivity.h"
#include "ephemeris/planets.h"
#include "ephemeris/points.h"
#include "ephemeris/swiss_ephemeris.h"
#include "retrograde/retrograde.h"
#include "tests/support/sample_entries.h"

namespace zodivane {
namespace {

std::string SwissUnavailable() {
  return SwissEphemerisProblem().value_or("");
}

TEST(EngineChoice, TheBuiltInMethodIsTheDefaultAndGivesNoTrueNodeOrChiron) {
  ChartSession byDefault;
  ChartSession chosen;
  const CastResult a = byDefault.CastChart(test::AnnaInDelhi());
  const CastResult b = chosen.CastChart(test::AnnaInDelhi(), Ephemeris::BuiltIn);
  ASSERT_TRUE(std::holds_alternative<ChartView>(a));
  EXPECT_EQ(a, b);
  const ChartView& view = std::get<ChartView>(a);
  EXPECT_EQ(view.ephemeris, Ephemeris::BuiltIn);
  const ChartInput& input = byDefault.chartInput();
  EXPECT_EQ(view.extraPoints[ExtraPoint::Midheaven], PointPositionOf(MidheavenLongitude(input)));
  EXPECT_EQ(view.extraPoints[ExtraPoint::MeanNode], PointPositionOf(MeanNodeLongitude(input)));
  EXPECT_FALSE(view.extraPoints[ExtraPoint::TrueNode]);
  EXPECT_FALSE(view.extraPoints[ExtraPoint::Chiron]);
}

// The opposite points, with the wrap-around at 0 Aries pinned; a point
// given as none stays none.
TEST(EngineChoice, OppositePointsWrapAround) {
  struct Row {
    double midheaven, ascendant, ic, descendant;
  };
  const Row rows[] = {
      {264.4, 141.3, 84.4, 321.3},
      {180.0, 0.0, 0.0, 180.0},
      {359.5, 179.99, 179.5, 359.99},
      {0.25, 200.0, 180.25, 20.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.midheaven);
    const ChartPoints points =
        ChartPointsOf(row.midheaven, row.ascendant, 10.0, std::nullopt, 33.0);
    EXPECT_NEAR(points[ExtraPoint::ImumCoeli]->longitude, row.ic, 1e-9);
    EXPECT_NEAR(points[ExtraPoint::Descendant]->longitude, row.descendant, 1e-9);
    EXPECT_FALSE(points[ExtraPoint::TrueNode]);
    EXPECT_EQ(points[ExtraPoint::Chiron], PointPositionOf(33.0));
  }
}

TEST(EngineChoice, SwissEphemerisCastsOrRefusesWithAMessage) {
  ChartSession session;
  ASSERT_TRUE(std::holds_alternative<ChartView>(session.CastChart(test::London1985Entries())));
  const ChartInput before = session.chartInput();
  const CastResult result = session.CastChart(test::AnnaInDelhi(), Ephemeris::Swiss);
  if (const std::string problem = SwissUnavailable(); !problem.empty()) {
    ASSERT_TRUE(std::holds_alternative<Rejection>(result));
    const Rejection& rejection = std::get<Rejection>(result);
    EXPECT_EQ(rejection.focus, std::string(kEphemerisControl));
    EXPECT_NE(rejection.notice.message.find("Swiss Ephemeris"), std::string::npos);
    EXPECT_EQ(session.chartInput(), before);
    EXPECT_EQ(session.ephemeris(), Ephemeris::BuiltIn);
    return;
  }
  ASSERT_TRUE(std::holds_alternative<ChartView>(result));
  const ChartView& view = std::get<ChartView>(result);
  const auto sky = PreciseSkyOf(session.chartInput());
  const PreciseChart expected = PreciseChartOf(std::get<PreciseSky>(sky));
  EXPECT_EQ(view.ephemeris, Ephemeris::Swiss);
  EXPECT_EQ(session.ephemeris(), Ephemeris::Swiss);
  EXPECT_EQ(view.positions, expected.positions.texts);
  EXPECT_EQ(session.ascendantText(), expected.ascendant.text);
  EXPECT_EQ(session.moonText(), expected.moon.moonText);
  EXPECT_EQ(view.extraPoints, expected.extraPoints);
  EXPECT_TRUE(view.extraPoints[ExtraPoint::TrueNode]);
  // Mercury, Mars, Jupiter and Saturn go backwards that morning.
  EXPECT_EQ(session.wheelNames()[2], "Mercury (R) ");
  EXPECT_EQ(session.wheelNames()[3], "Venus");
  // The same day's Sun is within a minute of arc of the built-in method's.
  ChartSession builtIn;
  ASSERT_TRUE(std::holds_alternative<ChartView>(builtIn.CastChart(test::AnnaInDelhi())));
  EXPECT_NEAR(std::remainder(view.points[0].longitude - builtIn.points()[0].longitude, 360.0), 0,
              1.0 / 60);
}

// The retrograde marks from Swiss Ephemeris's daily motions against the
// station tables on 600 random days at noon UT, 1901-2050, leaving out the
// days within a day of a station (where the motion's sign is not the same a
// day before and a day after) since the tables count whole dates.
TEST(EngineChoice, SwissRetrogradesAgreeWithTheStationTables) {
  if (const std::string problem = SwissUnavailable(); !problem.empty()) {
    GTEST_SKIP() << problem;
  }
  std::mt19937 random(1901);
  int compared = 0;
  for (int i = 0; i < 600; ++i) {
    ChartInput input;
    input.year = static_cast<std::int16_t>(std::uniform_int_distribution(1901, 2050)(random));
    input.month = static_cast<std::int16_t>(std::uniform_int_distribution(1, 12)(random));
    input.day = static_cast<std::int16_t>(std::uniform_int_distribution(2, 27)(random));
    input.hour = 12;
    const auto dayBefore = PreciseSkyOf(ShiftBirthTime(input, -1440));
    const auto now = PreciseSkyOf(input);
    const auto dayAfter = PreciseSkyOf(ShiftBirthTime(input, 1440));
    const RetrogradeFlags tables = RetrogradeFlagsOf(input);
    const RetrogradeFlags swiss = PreciseChartOf(std::get<PreciseSky>(now)).retrograde;
    for (auto body = static_cast<std::size_t>(ChartPoint::Mercury); body < tables.size(); ++body) {
      const bool before = std::get<PreciseSky>(dayBefore).speedDegPerDay[body] < 0;
      const bool after = std::get<PreciseSky>(dayAfter).speedDegPerDay[body] < 0;
      if (before != swiss[body] || after != swiss[body]) {
        continue;  // a station within a day
      }
      ++compared;
      EXPECT_EQ(swiss[body], tables[body]) << kChartPointNames[body] << " on " << input.year << "-"
                                           << input.month << "-" << input.day;
    }
  }
  EXPECT_GT(compared, 2900);
}

// Each node's aspects are within 2 degrees whatever the aspect's own orb,
// the Sun and the Moon widen nothing, the nodes are not aspected to each
// other, and only the aspects in use count.
TEST(EngineChoice, NodeAspectsTakeATwoDegreeOrb) {
  AspectPoints points{};
  for (std::size_t point = 0; point < points.size(); ++point) {
    points[point] = AspectPoint{125.0, 1.0, std::nullopt};  // 25 degrees from the node: none
  }
  points[0].longitude = 101.9;  // Sun: conjunction 1.9 from the mean node
  points[1].longitude = 222.5;  // Moon: trine 2.5, too wide even for the Moon
  points[4].longitude = 190.5;  // Mars: square 0.5
  points[5].longitude = 171.5;  // Jupiter: quintile 1.5, not in use
  const NodePoint nodes[] = {{ExtraPoint::MeanNode, {100.0, -0.05, std::nullopt}}};
  const std::vector<NodeAspect> found = FindNodeAspects(points, nodes, DefaultAspectSettings());
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].point, ChartPoint::Sun);
  EXPECT_EQ(found[0].kind, AspectKind::Conjunction);
  EXPECT_NEAR(found[0].orb, 1.9, 1e-9);
  EXPECT_TRUE(found[0].applying == false);  // the Sun runs away from the node
  EXPECT_EQ(found[1].point, ChartPoint::Mars);
  EXPECT_EQ(found[1].kind, AspectKind::Square);
}

TEST(EngineChoice, SessionAspectsAddTheNodesOnlyWhenAsked) {
  ChartSession session;
  ASSERT_TRUE(std::holds_alternative<ChartView>(session.CastChart(test::AnnaInDelhi())));
  const ChartAspects plain = session.Aspects(DefaultAspectSettings());
  const ChartAspects withNodes = session.Aspects(DefaultAspectSettings(), true);
  EXPECT_TRUE(plain.nodeAspects.empty());
  EXPECT_EQ(plain.aspects, withNodes.aspects);
  // The mean node at 28 Leo 30 trines Venus at 27 Ari: the built-in method
  // gives the mean node alone.
  ASSERT_FALSE(withNodes.nodeAspects.empty());
  for (const NodeAspect& aspect : withNodes.nodeAspects) {
    EXPECT_EQ(aspect.node, ExtraPoint::MeanNode);
    EXPECT_LE(aspect.orb, kNodeOrb);
  }
}

// The sensitivity's sign changes are where the chosen engine puts them: a
// minute before a change the sign is the entered one, at the change the
// new one. With the Midheaven asked for, its changes too.
TEST(EngineChoice, SensitivityFollowsTheChosenEngine) {
  ChartSession session;
  ASSERT_TRUE(std::holds_alternative<ChartView>(session.CastChart(test::AnnaInDelhi())));
  const ChartInput& input = session.chartInput();
  const BirthTimeSensitivity builtIn = session.Sensitivity(true);
  ASSERT_TRUE(builtIn.midheaven);
  EXPECT_FALSE(session.Sensitivity().midheaven);
  const auto midheavenSign = [&](int shift) {
    return PointPositionOf(MidheavenLongitude(ShiftBirthTime(input, shift))).sign.value_or(-1);
  };
  for (const auto& change : {builtIn.midheaven->earlier, builtIn.midheaven->later}) {
    ASSERT_TRUE(change);  // the Midheaven changes sign within 3 hours
    const int inside = change->minutes + (change->minutes < 0 ? 1 : -1);
    EXPECT_EQ(midheavenSign(change->minutes), change->sign);
    EXPECT_EQ(midheavenSign(inside), builtIn.midheaven->sign);
  }
  if (const std::string problem = SwissUnavailable(); !problem.empty()) {
    GTEST_SKIP() << problem;
  }
  const BirthTimeSensitivity swiss = AnalyseBirthTime(input, {Ephemeris::Swiss, false});
  const auto swissSign = [&](ChartPoint point, int shift) {
    const auto sky = PreciseSkyOf(ShiftBirthTime(input, shift));
    return PointPositionOf(
               PreciseLongitudes(std::get<PreciseSky>(sky))[static_cast<std::size_t>(point)])
        .sign.value_or(-1);
  };
  for (const PointSensitivity& point : swiss.points) {
    SCOPED_TRACE(kChartPointNames[static_cast<std::size_t>(point.point)]);
    EXPECT_EQ(swissSign(point.point, 0), point.sign);
    for (const auto& change : {point.earlier, point.later}) {
      if (change) {
        const int inside = change->minutes + (change->minutes < 0 ? 1 : -1);
        EXPECT_EQ(swissSign(point.point, change->minutes), change->sign);
        EXPECT_EQ(swissSign(point.point, inside), point.sign);
      }
    }
  }
}

}  // namespace
}  // namespace zodivane
