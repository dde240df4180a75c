// SPDX-License-Identifier: GPL-3.0-or-later
// The shared arithmetic of the ephemeris: observer coordinates, Universal
// Time, calendar carry, day numbers, century counts, sidereal time, angles
// and the long position text.
#include "ephemeris/time_scales.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <string>
#include <vector>

#include "tests/support/birth_records.h"

namespace zodivane {
namespace {

using test::Birth;
using test::MakeInput;

TEST(ObserverCoordinates, AreSignedWestAndNorthPositive) {
  EXPECT_DOUBLE_EQ(ObserverLongitude(MakeInput({.lonDegrees = 74, .lonMinutes = 30})), 74.5);
  EXPECT_DOUBLE_EQ(ObserverLongitude(MakeInput({.lonDegrees = 77, .lonMinutes = 13, .east = true})),
                   -(77.0 + 13.0 / 60.0));
  EXPECT_DOUBLE_EQ(ObserverLatitude(MakeInput({.latDegrees = 40, .latMinutes = 43})),
                   40.0 + 43.0 / 60.0);
  EXPECT_DOUBLE_EQ(ObserverLatitude(MakeInput({.latDegrees = 40, .latMinutes = 43, .south = true})),
                   -(40.0 + 43.0 / 60.0));
  // 0°00' East is not negative: it counts as West.
  const double zeroEast = ObserverLongitude(MakeInput({.east = true}));
  EXPECT_EQ(zeroEast, 0.0);
  EXPECT_FALSE(std::signbit(zeroEast));
}

// Universal Time of the Ascendant and the Moon: clock time plus the signed
// correction of the chosen zone, minus one hour for daylight saving. The
// hemisphere of the birthplace plays no part.
TEST(UniversalTimeHoursTest, AddsTheSignedZoneCorrection) {
  struct Row {
    const char* what;
    Birth birth;
    double ut;  // hours, exact
  };
  const auto rows = std::to_array<Row>({
      {"late evening far West carries past 24",
       {.hour = 23, .minute = 30, .toUtHours = 5, .lonDegrees = 74},
       28.5},
      {"EST -5.0 with an eastern birthplace is local + 5",
       {.hour = 10, .toUtHours = 5, .lonDegrees = 30, .east = true},
       15.0},
      {"EDT -4.0 with daylight saving is local + 3",
       {.hour = 10, .toUtHours = 4, .lonDegrees = 74, .dst = true},
       13.0},
      {"EDT -4.0 in the East with daylight saving is local + 3",
       {.hour = 10, .toUtHours = 4, .lonDegrees = 30, .east = true, .dst = true},
       13.0},
      {"BST +1.0 in London is local - 1", {.hour = 10, .toUtHours = -1, .lonMinutes = 7}, 9.0},
      {"IST +5.5 is local - 5.5",
       {.hour = 10,
        .minute = 30,
        .toUtHours = -5,
        .toUtMinutes = -30,
        .lonDegrees = 77,
        .east = true},
       5.0},
      {"longitude 0°00' East is no different", {.hour = 10, .toUtHours = -1, .east = true}, 9.0},
      {"daylight saving in zone 0 in the West", {.hour = 10, .dst = true}, 9.0},
      {"daylight saving in zone 0 in the East",
       {.hour = 10, .lonDegrees = 10, .east = true, .dst = true},
       9.0},
      {"early morning far East goes below 0",
       {.hour = 1, .toUtHours = -10, .lonDegrees = 150, .east = true},
       -9.0},
  });
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(UniversalTimeHours(MakeInput(row.birth)), row.ut);
  }
}

TEST(UniversalTimeHoursTest, EvaluatesLeftToRight) {
  const ChartInput input =
      MakeInput({.hour = 7, .minute = 13, .toUtHours = -9, .toUtMinutes = -30, .dst = true});
  const double expected = 7.0 + 13.0 / 60.0 + -9.0 + -30.0 / 60.0 - 1.0;
  EXPECT_EQ(UniversalTimeHours(input), expected);
}

TEST(CalendarUniversalTimeTest, CarriesIntoDayMonthAndYear) {
  struct Row {
    const char* what;
    CivilMoment local;
    int toUtHours;
    int toUtMinutes;
    CivilMoment ut;
  };
  const auto rows = std::to_array<Row>({
      {"31 Dec 22:00 +5 h is 1 Jan 03:00 of the next year",
       {1999, 12, 31, 22, 0},
       5,
       0,
       {2000, 1, 1, 3, 0}},
      {"1 Jan 05:00 -9:30 is the evening before",
       {1950, 1, 1, 5, 0},
       -9,
       -30,
       {1949, 12, 31, 19, 30}},
      {"into a leap day", {2000, 2, 28, 22, 0}, 5, 0, {2000, 2, 29, 3, 0}},
      {"1900 has no leap day", {1900, 3, 1, 1, 0}, 5, -30, {1900, 3, 1, 5, 30}},
      {"back across the end of February 1900", {1900, 3, 1, 1, 0}, -5, 0, {1900, 2, 28, 20, 0}},
      {"minutes carry the hour", {1980, 6, 30, 23, 45}, 0, 30, {1980, 7, 1, 0, 15}},
      {"no correction", {2050, 12, 31, 23, 59}, 0, 0, {2050, 12, 31, 23, 59}},
  });
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(CalendarUniversalTime(row.local.year, row.local.month, row.local.day, row.local.hour,
                                    row.local.minute, row.toUtHours, row.toUtMinutes),
              row.ut);
  }
}

TEST(PlanetUniversalMomentTest, DaylightSavingTakesOneHourWithCarry) {
  EXPECT_EQ(PlanetUniversalMoment(
                MakeInput({.year = 1999, .month = 12, .day = 31, .hour = 22, .toUtHours = 5})),
            (CivilMoment{2000, 1, 1, 3, 0}));
  EXPECT_EQ(PlanetUniversalMoment(MakeInput(
                {.year = 1999, .month = 12, .day = 31, .hour = 22, .toUtHours = 5, .dst = true})),
            (CivilMoment{2000, 1, 1, 2, 0}));
  EXPECT_EQ(PlanetUniversalMoment(MakeInput(
                {.year = 1970, .month = 3, .day = 1, .hour = 0, .minute = 30, .dst = true})),
            (CivilMoment{1970, 2, 28, 23, 30}));
  // EDT -4.0 with daylight saving ticked: local + 3 hours.
  EXPECT_EQ(PlanetUniversalMoment(MakeInput(
                {.year = 1990, .month = 7, .day = 4, .hour = 22, .toUtHours = 4, .dst = true})),
            (CivilMoment{1990, 7, 5, 1, 0}));
}

TEST(JulianDayNumberTest, KnownDays) {
  EXPECT_EQ(JulianDayNumber(1, 1, 2000), 2451545);
  EXPECT_EQ(JulianDayNumber(1, 1, 1901), 2415386);
  EXPECT_EQ(JulianDayNumber(12, 31, 2050), 2470172);
  // The calendar changes after 15 October 1582 as written.
  EXPECT_EQ(JulianDayNumber(10, 15, 1582), 2299171);
  EXPECT_EQ(JulianDayNumber(10, 16, 1582), 2299162);
}

TEST(DaysFromJ2000Test, KnownMoments) {
  EXPECT_EQ(DaysFromJ2000(2000, 1, 1, 0, 0), -0.5);
  EXPECT_EQ(DaysFromJ2000(2000, 1, 1, 12, 0), 0.0);
  EXPECT_EQ(DaysFromJ2000(2000, 1, 1, 18, 0), 0.25);
  EXPECT_EQ(DaysFromJ2000(2000, 1, 2, 12, 0), 1.0);
  // No Gregorian century rule: one day off before 1 March 1900.
  EXPECT_EQ(DaysFromJ2000(1900, 2, 28, 0, 0), -36467.5);
  EXPECT_EQ(DaysFromJ2000(1900, 3, 1, 0, 0), -36465.5);
}

// Every day of the years the form offers, against the standard library's
// calendar: the day numbers are consecutive and agree with each other, and
// a 12-hour correction lands on the next day.
TEST(DayNumbers, RoundTripEveryDayFrom1901To2050) {
  using std::chrono::days;
  using std::chrono::sys_days;
  using std::chrono::year_month_day;
  constexpr std::int64_t kJulianDayOfUnixEpoch = 2440588;  // 1970-01-01
  const sys_days first =
      year_month_day{std::chrono::year{1901}, std::chrono::January, std::chrono::day{1}};
  const sys_days last =
      year_month_day{std::chrono::year{2050}, std::chrono::December, std::chrono::day{31}};
  std::int64_t previous = JulianDayNumber(12, 31, 1900);
  int failures = 0;
  for (sys_days date = first; date <= last && failures < 5; date += days{1}) {
    const year_month_day ymd{date};
    const int y = static_cast<int>(ymd.year());
    const int m = static_cast<int>(static_cast<unsigned>(ymd.month()));
    const int d = static_cast<int>(static_cast<unsigned>(ymd.day()));
    const std::int64_t jdn = JulianDayNumber(m, d, y);
    const year_month_day next{date + days{1}};
    const CivilMoment nextMidnight{static_cast<int>(next.year()),
                                   static_cast<int>(static_cast<unsigned>(next.month())),
                                   static_cast<int>(static_cast<unsigned>(next.day())), 0, 0};
    const bool ok = jdn == previous + 1 &&
                    jdn == date.time_since_epoch().count() + kJulianDayOfUnixEpoch &&
                    DaysFromJ2000(y, m, d, 12, 0) == static_cast<double>(jdn - 2451545) &&
                    DaysFromJ2000(y, m, d, 0, 0) == static_cast<double>(jdn - 2451545) - 0.5 &&
                    CalendarUniversalTime(y, m, d, 12, 0, 12, 0) == nextMidnight;
    if (!ok) {
      ++failures;
      ADD_FAILURE() << "day " << y << "-" << m << "-" << d << ": JulianDayNumber " << jdn
                    << ", DaysFromJ2000 at noon " << DaysFromJ2000(y, m, d, 12, 0);
    }
    previous = jdn;
  }
}

TEST(CenturyCounts, VanishAtTheirEpochs) {
  EXPECT_EQ(CenturiesFromJ2000(2451545, 12.0), 0.0);
  EXPECT_EQ(CenturiesFrom1900(2415020, 12.0), 0.0);
  EXPECT_EQ(CenturiesFromJ2000(2451545 + 36525, 12.0), 1.0);
  // A UT beyond 24 hours carries into the next day.
  EXPECT_EQ(CenturiesFromJ2000(2451545, 36.0), CenturiesFromJ2000(2451546, 12.0));
  EXPECT_EQ(CenturiesFrom1900(2415020, 0.0), -0.5 / 36525.0);
}

TEST(LocalSiderealDegreesTest, ReducesOnlyFromAbove) {
  // Values computed by hand from 15 * (6.6460656 + 2400.0513 T + 0.0000258 T^2 + UT) - longitude.
  // Tolerance 1e-9 degrees: rounding of the hand computation only.
  EXPECT_NEAR(LocalSiderealDegrees(0.0, 0.0, 0.0), 99.690984, 1e-9);
  EXPECT_NEAR(LocalSiderealDegrees(0.0, 18.0, 0.0), 9.690984, 1e-9);
  // A western longitude is subtracted; a negative result stays negative.
  EXPECT_NEAR(LocalSiderealDegrees(0.0, 0.0, 200.0), -100.309016, 1e-9);
  EXPECT_NEAR(LocalSiderealDegrees(0.0, 0.0, -100.0), 199.690984, 1e-9);
  EXPECT_NEAR(LocalSiderealDegrees(1.0, 0.0, 0.0), 100.460871, 1e-9);
  const double large = LocalSiderealDegrees(1.0, 30.0, -179.0);
  EXPECT_GE(large, 0.0);
  EXPECT_LT(large, 360.0);
}

TEST(MeanObliquityTest, LinearInCenturiesFrom1900) {
  EXPECT_EQ(MeanObliquity(0.0), 23.452294);
  EXPECT_DOUBLE_EQ(MeanObliquity(1.0), 23.4392815);
}

TEST(QuadrantAngleTest, CoversEveryQuadrantAndAxis) {
  struct Row {
    double y;
    double x;
    double angle;  // radians, exact
  };
  const double quarter = std::atan(1.0);
  const auto rows = std::to_array<Row>({
      {0.0, -1.0, kPi},
      {0.0, 0.0, 0.0},
      {1.0, 0.0, kPi / 2.0},
      {-1.0, 0.0, -kPi / 2.0},
      {1.0, 1.0, quarter},
      {-1.0, 1.0, -quarter},
      {1.0, -1.0, kPi - quarter},
      {-1.0, -1.0, -(kPi - quarter)},
      {0.0, 2.0, 0.0},
  });
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << "y " << row.y << " x " << row.x);
    EXPECT_EQ(QuadrantAngle(row.y, row.x), row.angle);
  }
}

TEST(ReduceTwoPiTest, LandsInOneTurn) {
  const auto angles = std::to_array<double>({0.0, 1.0, kTwoPi, 7.0, -0.5, -7.0, 123.456, -1000.25});
  for (const double angle : angles) {
    SCOPED_TRACE(angle);
    const double reduced = ReduceTwoPi(angle);
    EXPECT_GE(reduced, 0.0);
    EXPECT_LT(reduced, kTwoPi);
    const double turns = (angle - reduced) / kTwoPi;
    EXPECT_NEAR(turns, std::round(turns), 1e-12);
  }
  EXPECT_EQ(ReduceTwoPi(kTwoPi), 0.0);
  EXPECT_NEAR(ReduceTwoPi(-0.5), kTwoPi - 0.5, 1e-15);
}

// Exact values: whole turns of 360 are added or subtracted one at a time,
// and a sum that rounds up to 360 itself lands on 0, never on 360.
TEST(ReduceDegreesTest, LandsInZeroTo360) {
  struct Case {
    double degrees;
    double reduced;
  };
  constexpr auto kCases = std::to_array<Case>({
      {0.0, 0.0},
      {359.75, 359.75},
      {360.0, 0.0},
      {720.5, 0.5},
      {-0.5, 359.5},
      {-360.0, 0.0},
      {-719.5, 0.5},
      {-1e-15, 0.0},
  });
  for (const Case& row : kCases) {
    SCOPED_TRACE(row.degrees);
    EXPECT_EQ(ReduceDegrees(row.degrees), row.reduced);
  }
}

// The reduction without steps gives, bit for bit (the sign of zero included),
// what stepping by 360 one turn at a time gives: over a sweep of the Moon's
// range, around every whole turn to within a few units in the last place,
// and for values too small to survive adding 360.
TEST(ReduceDegreesTest, MatchesStepByStepReductionBitForBit) {
  const auto stepwise = [](double degrees) {
    while (degrees < 0.0) {
      degrees += 360.0;
    }
    while (degrees >= 360.0) {
      degrees -= 360.0;
    }
    return degrees;
  };
  std::vector<double> values;
  for (double degrees = -5.0e5; degrees <= 5.0e5; degrees += 0.7071067811865476) {
    values.push_back(degrees);
  }
  for (int turns = -1400; turns <= 1400; ++turns) {
    double below = 360.0 * turns;
    double above = below;
    values.push_back(below);
    for (int step = 0; step < 4; ++step) {
      below = std::nextafter(below, -1e9);
      above = std::nextafter(above, 1e9);
      values.push_back(below);
      values.push_back(above);
    }
  }
  for (const double tiny : {-1e-300, -1e-20, -1e-14, -5e-324, 1e-300, -0.0}) {
    values.push_back(tiny);
  }
  for (const double degrees : values) {
    const double expected = stepwise(degrees);
    const double reduced = ReduceDegrees(degrees);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(reduced), std::bit_cast<std::uint64_t>(expected))
        << std::setprecision(17) << "degrees " << degrees << ": expected " << expected << ", got "
        << reduced;
  }
}

// The parts are truncated, never rounded, including just below a sign
// boundary and just below a full circle.
TEST(TruncateDmsTest, NeverRoundsUp) {
  const double belowThirty = std::nextafter(30.0, 0.0);
  EXPECT_EQ(TruncateDms(belowThirty), (TruncatedDms{29, 59, 59}));
  EXPECT_EQ(TruncateDms(29.99999), (TruncatedDms{29, 59, 59}));
  EXPECT_EQ(TruncateDms(30.0), (TruncatedDms{30, 0, 0}));
  EXPECT_EQ(TruncateDms(359.99999), (TruncatedDms{359, 59, 59}));
  EXPECT_EQ(TruncateDms(std::nextafter(360.0, 0.0)), (TruncatedDms{359, 59, 59}));
  EXPECT_EQ(TruncateDms(10.1), (TruncatedDms{10, 5, 59}));
  EXPECT_EQ(TruncateDms(-45.5), (TruncatedDms{45, 30, 0}));
}

TEST(SignPositionTextTest, Examples) {
  struct Row {
    double longitude;
    const char* text;
  };
  const auto rows = std::to_array<Row>({
      {0.0, "0\u00B0 0' 0\" Ari"},
      {45.5, "15\u00B0 30' 0\" Tau"},
      {123.456, "3\u00B0 27' 21\" Leo"},
      {10.1, "10\u00B0 5' 59\" Ari"},  // the double nearest 10.1 lies below it
      {359.99999, "29\u00B0 59' 59\" Pis"},
      {29.99999, "29\u00B0 59' 59\" Ari"},
      {std::nextafter(30.0, 0.0), "29\u00B0 59' 59\" Ari"},
      {30.0, "0\u00B0 0' 0\" Tau"},  // a boundary belongs to the later sign
      {330.0, "0\u00B0 0' 0\" Pis"},
      {280.37963, "10\u00B0 22' 46\" Cap"},
  });
  for (const Row& row : rows) {
    SCOPED_TRACE(row.longitude);
    EXPECT_EQ(SignPositionText(row.longitude), row.text);
  }
  // The degree sign is U+00B0 in UTF-8.
  EXPECT_EQ(SignPositionText(0.0), std::string("0\xC2\xB0 0' 0\" Ari"));
}

}  // namespace
}  // namespace zodivane
