// SPDX-License-Identifier: GPL-3.0-or-later
// The retrograde test on calendar dates and the marking of the wheel names.
#include "retrograde/retrograde.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "retrograde/station_tables.h"

namespace zodivane {
namespace {

/// A birth record with the given local date and clock time; the zone and
/// daylight-saving fields are left for the caller to vary.
ChartInput Birth(int year, int month, int day, int hour = 12, int minute = 0) {
  ChartInput input;
  input.year = static_cast<std::int16_t>(year);
  input.month = static_cast<std::int16_t>(month);
  input.day = static_cast<std::int16_t>(day);
  input.hour = static_cast<std::int16_t>(hour);
  input.minute = static_cast<std::int16_t>(minute);
  return input;
}

/// The calendar day after `date`, same time of day.
BirthMoment NextDay(BirthMoment date) {
  const int nextMonth = date.month == 12 ? 1 : date.month + 1;
  const int nextMonthYear = date.month == 12 ? date.year + 1 : date.year;
  if (CivilDayNumber(date.year, date.month, date.day + 1) <
      CivilDayNumber(nextMonthYear, nextMonth, 1)) {
    ++date.day;
    return date;
  }
  return {nextMonth, 1, nextMonthYear, date.hour, date.minute};
}

struct RetrogradeCase {
  std::string_view what;
  std::string_view planet;
  BirthMoment birth;  ///< month, day, year, hour, minute
  bool retrograde;
};

// Periods from the station tables: Venus "5,13,2020,7,3," to "6,25,2020,7,5,",
// Mercury "12,17,2049,20,47," to "1,6,2050,18,50,", Mars from
// "1,13,1901,6,16," to "4,4,1901,7,21,", then "2,18,1903,14,29,".
constexpr auto kCases = std::to_array<RetrogradeCase>({
    {"day after the retrograde station", "Venus", {5, 14, 2020, 0, 0}, true},
    {"day before the direct station", "Venus", {6, 24, 2020, 23, 59}, true},
    {"retrograde station day, after the station time", "Venus", {5, 13, 2020, 23, 59}, false},
    {"retrograde station day, before the station time", "Venus", {5, 13, 2020, 0, 0}, false},
    {"direct station day, before the station time", "Venus", {6, 25, 2020, 0, 1}, false},
    {"direct station day, after the station time", "Venus", {6, 25, 2020, 23, 59}, false},
    {"mid-period", "Venus", {6, 1, 2020, 12, 0}, true},
    {"day before the retrograde station", "Venus", {5, 12, 2020, 12, 0}, false},
    {"day after the direct station", "Venus", {6, 26, 2020, 12, 0}, false},
    {"period across the new year, after it", "Mercury", {1, 1, 2050, 0, 0}, true},
    {"period across the new year, before it", "Mercury", {12, 31, 2049, 23, 59}, true},
    {"between two Mercury periods", "Mercury", {1, 7, 2050, 12, 0}, false},
    {"before the first Mars period", "Mars", {1, 12, 1901, 23, 59}, false},
    {"first day of 1901", "Mars", {1, 1, 1901, 0, 0}, false},
    {"first Mars period", "Mars", {1, 14, 1901, 0, 0}, true},
    {"between the first two Mars periods", "Mars", {1, 1, 1902, 12, 0}, false},
    {"no table for the Sun", "Sun", {6, 1, 2020, 12, 0}, false},
});
static_assert(kCases.size() == 17);

TEST(IsRetrograde, ComparesCalendarDatesOnly) {
  for (const RetrogradeCase& c : kCases) {
    SCOPED_TRACE(std::string(c.planet) + ": " + std::string(c.what));
    EXPECT_EQ(IsRetrograde(c.birth, c.planet), c.retrograde);
  }
}

TEST(IsRetrograde, NamesWithoutATableAreNeverRetrograde) {
  // 1 June 2020 lies inside a Venus period.
  const BirthMoment birth{6, 1, 2020, 12, 0};
  for (const std::string_view name : {"Sun", "Moon", "Asc", "Uranus", "venus", "Venus "}) {
    SCOPED_TRACE(std::string(name));
    EXPECT_FALSE(IsRetrograde(birth, name));
  }
}

TEST(IsRetrograde, MatchesEveryDayStrictlyInsideEachPeriod) {
  // Walks every period of every table day by day, from the retrograde
  // station's date to the day after the direct station's: the station days
  // and the day after are plain, every day in between is retrograde.
  for (const std::string_view planet : {"Mercury", "Venus", "Mars", "Jupiter", "Saturn"}) {
    SCOPED_TRACE(std::string(planet));
    const StationTable* table = FindStationTable(planet);
    ASSERT_NE(table, nullptr);
    for (std::size_t i = 0; i < table->size(); ++i) {
      SCOPED_TRACE(std::string(table->stationRetrograde[i].row));
      const StationMoment& start = table->stationRetrograde[i].moment;
      const StationMoment& end = table->stationDirect[i].moment;
      const std::int64_t first = CivilDayNumber(start.year, start.month, start.day);
      const std::int64_t last = CivilDayNumber(end.year, end.month, end.day);
      BirthMoment birth{start.month, start.day, start.year, 23, 59};
      for (std::int64_t n = first; n <= last + 1; ++n, birth = NextDay(birth)) {
        ASSERT_EQ(CivilDayNumber(birth.year, birth.month, birth.day), n);
        EXPECT_EQ(IsRetrograde(birth, planet), n > first && n < last)
            << birth.year << '-' << birth.month << '-' << birth.day;
      }
    }
  }
}

TEST(IsRetrograde, AgreesWithThePeriodsOnEveryDayOfTheTables) {
  // Every day from 1 January 1900 to 31 December 2051, inside the periods
  // and between them, against the set of days the periods hold strictly.
  for (const std::string_view planet : {"Mercury", "Venus", "Mars", "Jupiter", "Saturn"}) {
    SCOPED_TRACE(std::string(planet));
    const StationTable* table = FindStationTable(planet);
    ASSERT_NE(table, nullptr);
    const std::int64_t firstDay = CivilDayNumber(1900, 1, 1);
    const std::int64_t lastDay = CivilDayNumber(2051, 12, 31);
    std::vector<bool> inside(static_cast<std::size_t>(lastDay - firstDay + 1), false);
    for (std::size_t i = 0; i < table->size(); ++i) {
      const StationMoment& start = table->stationRetrograde[i].moment;
      const StationMoment& end = table->stationDirect[i].moment;
      for (std::int64_t n = CivilDayNumber(start.year, start.month, start.day) + 1;
           n < CivilDayNumber(end.year, end.month, end.day); ++n) {
        inside[static_cast<std::size_t>(n - firstDay)] = true;
      }
    }
    BirthMoment birth{1, 1, 1900, 12, 0};
    for (std::int64_t n = firstDay; n <= lastDay; ++n, birth = NextDay(birth)) {
      ASSERT_EQ(IsRetrograde(birth, planet), inside[static_cast<std::size_t>(n - firstDay)])
          << birth.year << '-' << birth.month << '-' << birth.day;
    }
  }
}

TEST(MarkRetrogrades, VenusOnItsStationDays) {
  const WheelNames inside = MarkRetrogrades(Birth(2020, 5, 14, 0, 0));
  EXPECT_EQ(inside[3], "Venus (R) ");
  EXPECT_EQ(MarkRetrogrades(Birth(2020, 6, 24, 23, 59))[3], "Venus (R) ");
  EXPECT_EQ(MarkRetrogrades(Birth(2020, 5, 13, 23, 59))[3], "Venus");
  EXPECT_EQ(MarkRetrogrades(Birth(2020, 6, 25, 0, 1))[3], "Venus");
}

TEST(MarkRetrogrades, UsesTheDateAsEnteredWhateverTheZone) {
  for (const int toUtHours : {-13, -5, 0, 5, 12}) {
    for (const bool dst : {false, true}) {
      for (const int hour : {0, 23}) {
        SCOPED_TRACE(std::to_string(toUtHours) + (dst ? " DST " : " ") + std::to_string(hour));
        ChartInput input = Birth(2020, 6, 1, hour, 30);
        input.toUtHours = static_cast<std::int16_t>(toUtHours);
        input.zoneHours = static_cast<std::int16_t>(toUtHours < 0 ? -toUtHours : toUtHours);
        input.toUtMinutes = 30;
        input.zoneMinutes = 30;
        input.dst = Flag16::Of(dst);
        EXPECT_EQ(MarkRetrogrades(input)[3], "Venus (R) ");
      }
    }
  }
}

TEST(MarkRetrogrades, MarksEachRetrogradePlanetOnce) {
  // 1 June 2020: Venus (13 May to 25 June), Jupiter (14 May to 13 September)
  // and Saturn (11 May to 29 September) retrograde; Mercury turns on 18 June,
  // Mars on 9 September.
  const WheelNames expected{"Sun",  "Moon",         "Mercury",    "Venus (R) ",
                            "Mars", "Jupiter (R) ", "Saturn (R) "};
  EXPECT_EQ(MarkRetrogrades(Birth(2020, 6, 1)), expected);
  // A second chart for the same birth gives the same names, one mark each.
  const ChartInput input = Birth(2020, 6, 1);
  const WheelNames first = MarkRetrogrades(input);
  EXPECT_EQ(MarkRetrogrades(input), first);
  EXPECT_EQ(MarkRetrogrades(input), expected);
}

TEST(MarkRetrogrades, MarksOnlyPlanetsInsideAPeriod) {
  // 20 January 2020 lies between periods of all five planets.
  const WheelNames base{"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn"};
  EXPECT_EQ(MarkRetrogrades(Birth(2020, 1, 20)), base);
  EXPECT_EQ(MarkRetrogrades(Birth(2050, 1, 1))[2], "Mercury (R) ");
  EXPECT_EQ(MarkRetrogrades(Birth(1901, 1, 12))[4], "Mars");
}

TEST(MarkRetrogrades, FollowsIsRetrogradeOnEveryFirstOfTheMonth) {
  // Over the whole span of birth dates: the Sun and the Moon stay plain and
  // each planet carries at most one mark, exactly when it is retrograde.
  constexpr std::array<std::string_view, kWheelBodyCount> kBase{
      "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn"};
  for (int year = 1901; year <= 2050; ++year) {
    for (int month = 1; month <= 12; ++month) {
      const WheelNames names = MarkRetrogrades(Birth(year, month, 1));
      EXPECT_EQ(names[0], "Sun");
      EXPECT_EQ(names[1], "Moon");
      for (std::size_t k = 2; k < kBase.size(); ++k) {
        const bool retrograde = IsRetrograde({month, 1, year, 12, 0}, kBase[k]);
        EXPECT_EQ(names[k], retrograde ? std::string(kBase[k]) + " (R) " : std::string(kBase[k]))
            << year << '-' << month;
      }
    }
  }
}

}  // namespace
}  // namespace zodivane
