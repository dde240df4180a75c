// SPDX-License-Identifier: GPL-3.0-or-later
// The sky at a moment, aspects between two sets of points and the transit
// calendar. The calendar's moments are checked against scans written here,
// independently of its search: a one-minute scan around each moment and a
// coarse scan over the whole period that counts every crossing.
#include "transits/transits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "ephemeris/engines.h"
#include "ephemeris/planets.h"
#include "ephemeris/swiss_ephemeris.h"
#include "ephemeris/time_scales.h"
#include "tests/support/birth_records.h"

namespace zodivane {
namespace {

constexpr double kMinute = 1.0 / 1440.0;

/// The arc from `from` to `to` in (-180, 180], written for the tests.
double Arc(double from, double to) {
  double arc = to - from;
  while (arc > 180.0) {
    arc -= 360.0;
  }
  while (arc <= -180.0) {
    arc += 360.0;
  }
  return arc;
}

double Wrap(double degrees) {
  double wrapped = std::fmod(degrees, 360.0);
  return wrapped < 0 ? wrapped + 360.0 : wrapped;
}

// ---------------------------------------------------------------------------
// Julian days. Source: the Julian day of J2000.0 (2000-01-01 12:00 TT is
// JD 2451545.0) and of the Unix epoch (JD 2440587.5); exact.

TEST(JulianDayTest, KnownMomentsAndRoundTrip) {
  struct Row {
    CivilMoment ut;
    double julianDay;
  };
  const std::vector<Row> rows = {
      {{2000, 1, 1, 12, 0, 0}, 2451545.0},   {{1970, 1, 1, 0, 0, 0}, 2440587.5},
      {{1901, 1, 1, 0, 0, 0}, 2415385.5},    {{2020, 12, 21, 18, 0, 0}, 2459205.25},
      {{2050, 12, 31, 6, 0, 0}, 2470171.75},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.julianDay);
    EXPECT_DOUBLE_EQ(JulianDayOfUt(row.ut), row.julianDay);
    EXPECT_EQ(UtOfJulianDay(row.julianDay), row.ut);
  }
  // Every minute of a day and every day of a long span comes back.
  for (double day = 2415385.5; day < 2470172.0; day += 37.0) {
    for (int minute = 0; minute < 1440; minute += 97) {
      const double julianDay = day + minute * kMinute;
      ASSERT_NEAR(JulianDayOfUt(UtOfJulianDay(julianDay)), julianDay, 1e-6);
    }
  }
}

// ---------------------------------------------------------------------------
// The built-in sky at a birth's moment is the birth chart's: the same
// formulas read at the same moment. Tolerance: 1e-7 degrees (the two paths
// reach the same centuries through different roundings).

TEST(SkyAtTest, BuiltInSkyIsTheBirthChartsSky) {
  const std::vector<test::Birth> births = {
      test::kDelhi1980,
      {.year = 1903, .month = 2, .day = 28, .hour = 23, .minute = 59, .toUtHours = 5},
      {.year = 2049, .month = 12, .day = 31, .hour = 0, .minute = 1, .toUtHours = -9},
  };
  for (const test::Birth& birth : births) {
    const ChartInput input = test::MakeInput(birth);
    SCOPED_TRACE(birth.year);
    const CivilMoment ut = PlanetUniversalMoment(input);
    const auto sky = SkyAt(SkyEngine::BuiltIn, JulianDayOfUt(ut));
    ASSERT_TRUE(std::holds_alternative<Sky>(sky));
    const LongitudeTable chart = ComputeLongitudes(input);
    for (int body = 0; body < kSkyBodyCount; ++body) {
      SCOPED_TRACE(kChartPointNames[static_cast<std::size_t>(body)]);
      const double at = std::get<Sky>(sky).longitudeDeg[static_cast<std::size_t>(body)];
      EXPECT_NEAR(Arc(chart[static_cast<std::size_t>(body)], at), 0.0, 1e-7);
      EXPECT_DOUBLE_EQ(at, BodyLongitudeAt(SkyEngine::BuiltIn, static_cast<ChartPoint>(body),
                                           JulianDayOfUt(ut)));
    }
    // The Moon runs 11.8 to 15.4 degrees a day and never turns; the Sun
    // about a degree a day.
    const Sky& s = std::get<Sky>(sky);
    EXPECT_GT(s.speedDegPerDay[1], 11.5);
    EXPECT_LT(s.speedDegPerDay[1], 15.5);
    EXPECT_NEAR(s.speedDegPerDay[0], 1.0, 0.05);
  }
}

TEST(SkyAtTest, SwissEngineAgreesWithTheBuiltInWithinItsPrecision) {
  if (!SwissEphemerisBuiltIn()) {
    GTEST_SKIP() << "this build has no Swiss Ephemeris";
  }
  // Tolerance: the built-in method's mean elements are good to a few
  // arc-minutes for the planets, 0.3 degrees for the Moon and Pluto.
  for (const double julianDay : {2415385.5, 2451545.0, 2469807.5}) {
    const auto precise = SkyAt(SkyEngine::Swiss, julianDay);
    ASSERT_TRUE(std::holds_alternative<Sky>(precise)) << std::get<std::string>(precise);
    const Sky builtIn = std::get<Sky>(SkyAt(SkyEngine::BuiltIn, julianDay));
    for (int body = 0; body < kSkyBodyCount; ++body) {
      SCOPED_TRACE(kChartPointNames[static_cast<std::size_t>(body)]);
      const auto slot = static_cast<std::size_t>(body);
      EXPECT_NEAR(Arc(builtIn.longitudeDeg[slot], std::get<Sky>(precise).longitudeDeg[slot]), 0,
                  0.5);
      EXPECT_NEAR(BodyLongitudeAt(SkyEngine::Swiss, static_cast<ChartPoint>(body), julianDay),
                  std::get<Sky>(precise).longitudeDeg[slot], 1e-9);
    }
  }
}

// ---------------------------------------------------------------------------
// Aspects between two sets of points.

TEST(CrossAspectsTest, TableOfPairs) {
  struct Row {
    double first;
    double firstMotion;
    double second;
    std::optional<AspectKind> kind;
    double orb;
    bool applying;
  };
  // Transit orbs: 3 degrees for every aspect, no widening for the Sun.
  const std::vector<Row> rows = {
      {10.0, 1.0, 12.0, AspectKind::Conjunction, 2.0, true},
      {14.0, 1.0, 12.0, AspectKind::Conjunction, 2.0, false},
      {10.0, 1.0, 13.5, std::nullopt, 0, false},  // 3.5 degrees: outside 3
      {100.0, 0.1, 12.0, AspectKind::Square, 2.0, true},
      {100.0, -0.1, 12.0, AspectKind::Square, 2.0, false},  // retrograde: opening
      {192.0, 0.1, 12.0, AspectKind::Opposition, 0.0, false},
      {73.0, 0.1, 12.0, AspectKind::Sextile, 1.0, false},
      {359.0, 1.0, 1.0, AspectKind::Conjunction, 2.0, true},  // across 0 Aries
      {250.0, 1.0, 12.0, AspectKind::Trine, 2.0, true},
  };
  const AspectSettings settings = TransitSettings(DefaultAspectSettings());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.first);
    const std::vector<AspectPoint> first = {{row.first, row.firstMotion, std::nullopt}};
    const std::vector<AspectPoint> second = {{row.second, 0.0, std::nullopt}};
    const std::vector<CrossAspect> found = FindCrossAspects(first, second, settings);
    if (!row.kind) {
      EXPECT_TRUE(found.empty());
      continue;
    }
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].kind, *row.kind);
    EXPECT_NEAR(found[0].orb, row.orb, 1e-9);
    EXPECT_EQ(found[0].applying, row.applying);
  }
}

TEST(CrossAspectsTest, SynastryUsesItsOwnOrbAndEveryPair) {
  AspectPoints one{};
  AspectPoints two{};
  for (std::size_t i = 0; i < one.size(); ++i) {
    one[i] = {30.0 * static_cast<double>(i), 0.0, static_cast<int>(i)};
    two[i] = {30.0 * static_cast<double>(i) + 5.5, 0.0, static_cast<int>(i)};
  }
  const std::vector<CrossAspect> found =
      SynastryAspects(one, two, SynastrySettings(DefaultAspectSettings()));
  // Each of one's points is 5.5 degrees from a conjunction with the same
  // point of two (within 6), and from a sextile and a square to others.
  int conjunctions = 0;
  for (const CrossAspect& aspect : found) {
    EXPECT_LE(aspect.orb, kSynastryOrb + 1e-9);
    if (aspect.first == aspect.second) {
      EXPECT_EQ(aspect.kind, AspectKind::Conjunction);
      ++conjunctions;
    }
  }
  EXPECT_EQ(conjunctions, kChartPointCount);
  EXPECT_TRUE(std::is_sorted(found.begin(), found.end(), [](const auto& a, const auto& b) {
    return std::tie(a.first, a.second) < std::tie(b.first, b.second);
  }));
}

TEST(TransitsAtTest, AspectsOfTheSkyToTheNatalPoints) {
  const double julianDay = JulianDayOfUt({2024, 4, 8, 18, 0, 0});  // a total solar eclipse
  // A natal point on the Sun of that moment: the Sun and the Moon both conjoin it.
  const double sun = BodyLongitudeAt(SkyEngine::BuiltIn, ChartPoint::Sun, julianDay);
  const std::vector<NatalPoint> natal = {{std::nullopt, "Point", sun}};
  const auto found =
      TransitsAt(SkyEngine::BuiltIn, julianDay, natal, TransitSettings(DefaultAspectSettings()));
  ASSERT_TRUE(std::holds_alternative<Transits>(found));
  std::vector<std::size_t> conjoined;
  for (const CrossAspect& aspect : std::get<Transits>(found).aspects) {
    EXPECT_EQ(aspect.second, 0u);
    EXPECT_LE(aspect.orb, kTransitOrb + 1e-9);
    if (aspect.kind == AspectKind::Conjunction) {
      conjoined.push_back(aspect.first);
    }
  }
  EXPECT_NE(std::find(conjoined.begin(), conjoined.end(), 0u), conjoined.end());
  EXPECT_NE(std::find(conjoined.begin(), conjoined.end(), 1u), conjoined.end());
}

// ---------------------------------------------------------------------------
// The calendar against independent scans.

struct NatalCase {
  test::Birth birth;
  double fromJulianDay;
};

std::vector<NatalPoint> NatalOf(const test::Birth& birth) {
  const LongitudeTable longitudes = ComputeLongitudes(test::MakeInput(birth));
  std::vector<NatalPoint> natal;
  for (int i = 0; i < kChartPointCount; ++i) {
    natal.push_back({static_cast<ChartPoint>(i), NatalPointName(static_cast<ChartPoint>(i)),
                     longitudes[static_cast<std::size_t>(i)]});
  }
  natal.push_back({std::nullopt, "MC", Wrap(longitudes[10] + 275.25)});  // a further point
  return natal;
}

const std::vector<NatalCase>& NatalCases() {
  static const std::vector<NatalCase> cases = {
      {test::kDelhi1980, JulianDayOfUt({2024, 1, 1, 0, 0, 0})},
      {{.year = 1950,
        .month = 7,
        .day = 4,
        .hour = 6,
        .minute = 10,
        .toUtHours = 5,
        .lonDegrees = 74,
        .latDegrees = 40},
       JulianDayOfUt({2010, 3, 15, 0, 0, 0})},
      {{.year = 1991,
        .month = 11,
        .day = 23,
        .hour = 21,
        .minute = 45,
        .toUtHours = -1,
        .lonDegrees = 13,
        .east = true,
        .latDegrees = 52},
       JulianDayOfUt({1999, 6, 30, 12, 0, 0})},
      {{.year = 2033,
        .month = 2,
        .day = 2,
        .hour = 2,
        .minute = 2,
        .toUtHours = 3,
        .lonDegrees = 46,
        .latDegrees = 23,
        .south = true},
       JulianDayOfUt({2040, 9, 9, 9, 0, 0})},
  };
  return cases;
}

/// The exact longitudes of every aspect in use to every natal point, with
/// the passage key they belong to.
struct TestTarget {
  std::size_t natal;
  AspectKind kind;
  double exactDeg;
};

std::vector<TestTarget> TargetsOf(const std::vector<NatalPoint>& natal) {
  std::vector<TestTarget> targets;
  for (std::size_t i = 0; i < natal.size(); ++i) {
    for (int kind = 0; kind < kMajorAspectCount; ++kind) {
      const double angle = kAspectKinds[static_cast<std::size_t>(kind)].angle;
      targets.push_back({i, static_cast<AspectKind>(kind), Wrap(natal[i].longitudeDeg + angle)});
      if (angle != 0.0 && angle != 180.0) {
        targets.push_back({i, static_cast<AspectKind>(kind), Wrap(natal[i].longitudeDeg - angle)});
      }
    }
  }
  return targets;
}

TEST(TransitCalendarTest, EveryExactHitIsAMinimumAndNoneIsMissed) {
  const std::vector<ChartPoint> bodies = {ChartPoint::Mars,    ChartPoint::Jupiter,
                                          ChartPoint::Saturn,  ChartPoint::Uranus,
                                          ChartPoint::Neptune, ChartPoint::Pluto};
  for (const NatalCase& natalCase : NatalCases()) {
    SCOPED_TRACE(natalCase.birth.year);
    const std::vector<NatalPoint> natal = NatalOf(natalCase.birth);
    CalendarSettings settings;
    settings.fromJulianDayUt = natalCase.fromJulianDay;
    settings.toJulianDayUt = natalCase.fromJulianDay + 365.0;
    settings.bodies = bodies;
    const auto found = FindTransitCalendar(SkyEngine::BuiltIn, natal, settings);
    ASSERT_TRUE(std::holds_alternative<TransitCalendar>(found));
    const TransitCalendar& calendar = std::get<TransitCalendar>(found);

    // Exact hits per (body, natal point, exact longitude), from the calendar.
    std::map<std::tuple<ChartPoint, std::size_t, long>, int> hits;
    const auto key = [](ChartPoint body, std::size_t point, double exactDeg) {
      return std::make_tuple(body, point, std::lround(exactDeg * 1e6));
    };
    for (const TransitPassage& passage : calendar.passages) {
      const auto at = [&](double t) {
        return Arc(passage.targetDeg, BodyLongitudeAt(SkyEngine::BuiltIn, passage.body, t));
      };
      hits[key(passage.body, passage.natal, passage.targetDeg)] +=
          static_cast<int>(passage.exactJulianDaysUt.size());
      for (const double hit : passage.exactJulianDaysUt) {
        // The one-minute scan over two hours around the hit: the smallest
        // |arc - aspect| lies within two minutes of it, or the hit's own
        // value is as small (a planet near its station barely moves).
        double bestTime = 0;
        double best = 1e9;
        for (int minute = -60; minute <= 60; ++minute) {
          const double value = std::fabs(at(hit + minute * kMinute));
          if (value < best) {
            best = value;
            bestTime = hit + minute * kMinute;
          }
        }
        EXPECT_TRUE(std::fabs(bestTime - hit) <= 2 * kMinute || std::fabs(at(hit)) <= best + 1e-6)
            << "hit " << hit << " scan " << bestTime;
        EXPECT_LT(std::fabs(at(hit)), 1e-3);
        EXPECT_GE(hit, settings.fromJulianDayUt);
        EXPECT_LE(hit, settings.toJulianDayUt);
      }
      // The orb's edges: |arc| equals the orb there, and the order holds.
      if (passage.entersJulianDayUt) {
        EXPECT_NEAR(std::fabs(at(*passage.entersJulianDayUt)), settings.orbDeg, 1e-3);
      }
      if (passage.leavesJulianDayUt) {
        EXPECT_NEAR(std::fabs(at(*passage.leavesJulianDayUt)), settings.orbDeg, 1e-3);
      }
      std::vector<double> moments;
      if (passage.entersJulianDayUt) {
        moments.push_back(*passage.entersJulianDayUt);
      }
      moments.insert(moments.end(), passage.exactJulianDaysUt.begin(),
                     passage.exactJulianDaysUt.end());
      if (passage.leavesJulianDayUt) {
        moments.push_back(*passage.leavesJulianDayUt);
      }
      EXPECT_TRUE(std::is_sorted(moments.begin(), moments.end()));
      // Within the orb half-way between two of its moments.
      for (std::size_t i = 1; i < moments.size(); ++i) {
        EXPECT_LE(std::fabs(at(0.5 * (moments[i - 1] + moments[i]))), settings.orbDeg + 1e-9);
      }
    }

    // The coarse scan: every sign change of the arc to each exact longitude
    // on a six-hour step is a hit the calendar found.
    for (const ChartPoint body : bodies) {
      std::vector<double> longitudes;
      for (double t = settings.fromJulianDayUt; t <= settings.toJulianDayUt; t += 0.25) {
        longitudes.push_back(BodyLongitudeAt(SkyEngine::BuiltIn, body, t));
      }
      for (const TestTarget& target : TargetsOf(natal)) {
        int changes = 0;
        for (std::size_t i = 1; i < longitudes.size(); ++i) {
          const double before = Arc(target.exactDeg, longitudes[i - 1]);
          const double after = Arc(target.exactDeg, longitudes[i]);
          if (std::fabs(before) < 90 && std::fabs(after) < 90 && (before < 0) != (after < 0)) {
            ++changes;
          }
        }
        const auto counted = hits.find(key(body, target.natal, target.exactDeg));
        EXPECT_EQ(changes, counted == hits.end() ? 0 : counted->second)
            << kChartPointNames[static_cast<std::size_t>(body)] << " to "
            << natal[target.natal].name << " "
            << kAspectKinds[static_cast<std::size_t>(target.kind)].name;
      }
    }
  }
}

TEST(TransitCalendarTest, HouseEntriesAreTheSignChangesOfTheBodies) {
  const std::vector<ChartPoint> bodies = {ChartPoint::Sun, ChartPoint::Mercury, ChartPoint::Mars,
                                          ChartPoint::Jupiter, ChartPoint::Saturn};
  for (const NatalCase& natalCase : NatalCases()) {
    SCOPED_TRACE(natalCase.birth.year);
    const std::vector<NatalPoint> natal = NatalOf(natalCase.birth);
    const int ascendantSign = static_cast<int>(natal[10].longitudeDeg / 30.0);
    CalendarSettings settings;
    settings.fromJulianDayUt = natalCase.fromJulianDay;
    settings.toJulianDayUt = natalCase.fromJulianDay + 365.0;
    settings.bodies = bodies;
    settings.ascendantSign = ascendantSign;
    const auto found = FindTransitCalendar(SkyEngine::BuiltIn, natal, settings);
    ASSERT_TRUE(std::holds_alternative<TransitCalendar>(found));
    const std::vector<HouseEntry>& entries = std::get<TransitCalendar>(found).houseEntries;
    const auto signAt = [](ChartPoint body, double t) {
      return static_cast<int>(BodyLongitudeAt(SkyEngine::BuiltIn, body, t) / 30.0);
    };
    for (const ChartPoint body : bodies) {
      int changes = 0;
      for (double t = settings.fromJulianDayUt + 0.25; t <= settings.toJulianDayUt; t += 0.25) {
        changes += signAt(body, t - 0.25) != signAt(body, t) ? 1 : 0;
      }
      const auto own = std::count_if(entries.begin(), entries.end(),
                                     [body](const HouseEntry& e) { return e.body == body; });
      EXPECT_EQ(own, changes) << kChartPointNames[static_cast<std::size_t>(body)];
    }
    for (const HouseEntry& entry : entries) {
      EXPECT_EQ(signAt(entry.body, entry.julianDayUt + kMinute), entry.sign);
      EXPECT_NE(signAt(entry.body, entry.julianDayUt - kMinute), entry.sign);
      EXPECT_EQ(entry.house, (entry.sign - ascendantSign + 12) % 12 + 1);
      const double motion =
          Arc(BodyLongitudeAt(SkyEngine::BuiltIn, entry.body, entry.julianDayUt),
              BodyLongitudeAt(SkyEngine::BuiltIn, entry.body, entry.julianDayUt + 0.01));
      EXPECT_EQ(entry.retrograde, motion < 0);
    }
  }
}

TEST(TransitCalendarTest, EventsAreInTimeOrderAndCountEveryMoment) {
  const std::vector<NatalPoint> natal = NatalOf(test::kDelhi1980);
  CalendarSettings settings;
  settings.fromJulianDayUt = JulianDayOfUt({2024, 1, 1, 0, 0, 0});
  settings.toJulianDayUt = settings.fromJulianDayUt + 366.0;
  settings.ascendantSign = 4;
  const auto calendar =
      std::get<TransitCalendar>(FindTransitCalendar(SkyEngine::BuiltIn, natal, settings));
  const std::vector<CalendarEvent> events = CalendarEvents(calendar);
  std::size_t moments = calendar.houseEntries.size();
  for (const TransitPassage& passage : calendar.passages) {
    moments += passage.exactJulianDaysUt.size() + (passage.entersJulianDayUt ? 1 : 0) +
               (passage.leavesJulianDayUt ? 1 : 0);
  }
  EXPECT_EQ(events.size(), moments);
  EXPECT_TRUE(std::is_sorted(events.begin(), events.end(), [](const auto& a, const auto& b) {
    return a.julianDayUt < b.julianDayUt;
  }));
  EXPECT_FALSE(calendar.passages.empty());
}

TEST(TransitCalendarTest, UnusableSettingsAreRefused) {
  const std::vector<NatalPoint> natal = NatalOf(test::kDelhi1980);
  struct Row {
    const char* what;
    void (*change)(CalendarSettings&);
  };
  const std::vector<Row> rows = {
      {"end before start", [](CalendarSettings& s) { s.toJulianDayUt = s.fromJulianDayUt - 1; }},
      {"two centuries", [](CalendarSettings& s) { s.toJulianDayUt = s.fromJulianDayUt + 73050; }},
      {"no orb", [](CalendarSettings& s) { s.orbDeg = 0; }},
      {"Ascendant transits", [](CalendarSettings& s) { s.bodies = {ChartPoint::Ascendant}; }},
      {"twice",
       [](CalendarSettings& s) {
         s.bodies = {ChartPoint::Mars, ChartPoint::Mars};
       }},
      {"sign 12", [](CalendarSettings& s) { s.ascendantSign = 12; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    CalendarSettings settings;
    settings.fromJulianDayUt = 2460000.5;
    settings.toJulianDayUt = 2460100.5;
    row.change(settings);
    EXPECT_TRUE(std::holds_alternative<std::string>(
        FindTransitCalendar(SkyEngine::BuiltIn, natal, settings)));
  }
}

// ---------------------------------------------------------------------------
// With Swiss Ephemeris: known events.

TEST(TransitCalendarSwissTest, GreatConjunctionOf2020) {
  if (!SwissEphemerisBuiltIn()) {
    GTEST_SKIP() << "this build has no Swiss Ephemeris";
  }
  // Source: the Jupiter-Saturn conjunction in longitude of 21 December 2020
  // at 18:20 UT (published almanacs; within a few minutes).
  const auto found = ExactAspectMoments(
      SkyEngine::Swiss, ChartPoint::Jupiter, ChartPoint::Saturn, AspectKind::Conjunction,
      JulianDayOfUt({2020, 6, 1, 0, 0, 0}), JulianDayOfUt({2021, 6, 1, 0, 0, 0}));
  ASSERT_TRUE(std::holds_alternative<std::vector<double>>(found)) << std::get<std::string>(found);
  const std::vector<double>& moments = std::get<std::vector<double>>(found);
  ASSERT_EQ(moments.size(), 1u);
  EXPECT_NEAR(moments[0], JulianDayOfUt({2020, 12, 21, 18, 20, 0}), 5 * kMinute);
  // The built-in method finds it within a day.
  const auto builtIn = std::get<std::vector<double>>(ExactAspectMoments(
      SkyEngine::BuiltIn, ChartPoint::Jupiter, ChartPoint::Saturn, AspectKind::Conjunction,
      JulianDayOfUt({2020, 6, 1, 0, 0, 0}), JulianDayOfUt({2021, 6, 1, 0, 0, 0})));
  ASSERT_EQ(builtIn.size(), 1u);
  EXPECT_NEAR(builtIn[0], moments[0], 1.0);
}

TEST(TransitCalendarSwissTest, SaturnReturnOfA1990Birth) {
  if (!SwissEphemerisBuiltIn()) {
    GTEST_SKIP() << "this build has no Swiss Ephemeris";
  }
  // Born 1990-03-01 12:00 UT: Saturn then at about 22 Capricorn; it comes
  // back after one Saturn period (29.46 years), in 2019-2020, on a loop.
  const double birth = JulianDayOfUt({1990, 3, 1, 12, 0, 0});
  const double natalSaturn = BodyLongitudeAt(SkyEngine::Swiss, ChartPoint::Saturn, birth);
  const std::vector<NatalPoint> natal = {{ChartPoint::Saturn, "Saturn", natalSaturn}};
  CalendarSettings settings;
  settings.fromJulianDayUt = JulianDayOfUt({2018, 1, 1, 0, 0, 0});
  settings.toJulianDayUt = JulianDayOfUt({2021, 1, 1, 0, 0, 0});
  settings.bodies = {ChartPoint::Saturn};
  settings.aspects = WithAspectSet(DefaultAspectSettings(), AspectSet::Major);
  settings.aspects.inUse.fill(false);
  settings.aspects.inUse[0] = true;
  std::vector<double> returns;
  for (const SkyEngine engine : {SkyEngine::Swiss, SkyEngine::BuiltIn}) {
    const auto found = FindTransitCalendar(engine, natal, settings);
    ASSERT_TRUE(std::holds_alternative<TransitCalendar>(found));
    std::vector<double> hits;
    for (const TransitPassage& passage : std::get<TransitCalendar>(found).passages) {
      hits.insert(hits.end(), passage.exactJulianDaysUt.begin(), passage.exactJulianDaysUt.end());
    }
    ASSERT_FALSE(hits.empty());
    ASSERT_LE(hits.size(), 3u);
    for (const double hit : hits) {
      EXPECT_NEAR(Arc(natalSaturn, BodyLongitudeAt(engine, ChartPoint::Saturn, hit)), 0, 1e-4);
      // One Saturn period after birth, give or take the loop's months.
      EXPECT_NEAR((hit - birth) / 365.25, 29.46, 0.6);
    }
    if (returns.empty()) {
      returns = hits;
    } else {
      // The built-in method's first hit within a week of Swiss Ephemeris's.
      EXPECT_NEAR(hits.front(), returns.front(), 7.0);
    }
  }
}

}  // namespace
}  // namespace zodivane
