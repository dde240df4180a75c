// SPDX-License-Identifier: GPL-3.0-or-later
// Real birth places and moments through the whole finder: search, zone
// database, zone row and box, form entries, cast chart.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "chart/chart_driver.h"
#include "chart/time_zones.h"
#include "places/gazetteer.h"
#include "places/place_entries.h"
#include "places/zone_rows.h"
#include "tests/support/shared_gazetteer.h"

namespace zodivane::places {
namespace {

using PlaceChartsTest = zodivane::test::SharedGazetteerTest;

/// A form filled by hand at a clock reading; the rest as the form's defaults.
FormEntries HandEntries(const LocalDateTime& local, const char* lonD, const char* lonM, bool east,
                        const char* latD, const char* latM, bool south, int row, bool dst) {
  FormEntries entries;
  entries.txtName = "TEST";
  entries.cboMonthIndex = local.month - 1;
  entries.cboDateIndex = local.day - 1;
  entries.cboDateText = std::to_string(local.day);
  entries.cboYearText = std::to_string(local.year);
  entries.cboHHText = std::to_string(local.hour);
  entries.cboMMText = std::to_string(local.minute);
  entries.txtLonD = lonD;
  entries.txtLonM = lonM;
  entries.optEast = east;
  entries.txtLatD = latD;
  entries.txtLatM = latM;
  entries.optSouth = south;
  entries.cmbTimeZoneIndex = row;
  entries.chkDST = dst;
  return entries;
}

/// Minutes from 1 January 1901 0:00 to a clock reading (every fourth year a
/// leap year, right for 1901 to 2050).
long MinutesSince1901(const LocalDateTime& local) {
  long days = 0;
  for (int year = 1901; year < local.year; ++year) {
    days += year % 4 == 0 ? 366 : 365;
  }
  constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int month = 1; month < local.month; ++month) {
    days += kMonthDays[month - 1] + (month == 2 && local.year % 4 == 0 ? 1 : 0);
  }
  days += local.day - 1;
  return days * 1440 + local.hour * 60 + local.minute;
}

/// The UT of a cast birth record in minutes since 1901: local clock time
/// plus the row's correction, less an hour when the box is ticked.
long ChartUtMinutes(const ChartInput& input) {
  const LocalDateTime local{input.year, input.month, input.day, input.hour, input.minute};
  return MinutesSince1901(local) + input.toUtHours * 60 + input.toUtMinutes -
         (input.dst.IsSet() ? 60 : 0);
}

// Each case was checked against the zone database with Python's zoneinfo
// (same tzdata): datetime(..., tzinfo=ZoneInfo(zone), fold=0).utcoffset(),
// .tzname() and .dst(). The hand entries are the GeoNames coordinates
// rounded to the minute and the row an astrologer would pick from the list.
TEST_F(PlaceChartsTest, RealCasesFillTheFormAndCastTheSameChartAsByHand) {
  struct Case {
    const char* query;
    LocalDateTime local;
    const char* zone;
    ClockTime clockTime;
    ZoneState first;
    std::optional<ZoneState> second;
    // expected choice
    const char* rowText;
    bool box;
    int errorSeconds;
    // the same place entered by hand
    const char* lonD;
    const char* lonM;
    bool east;
    const char* latD;
    const char* latM;
    bool south;
    const char* note;
  };
  const std::vector<Case> cases = {
      {"Delhi",
       {1980, 3, 5, 10, 30},
       "Asia/Kolkata",
       ClockTime::Unique,
       {19800, false, "IST"},
       std::nullopt,
       "Indian Time, IST, +5.3",
       false,
       0,
       "77",
       "14",
       true,
       "28",
       "39",
       false,
       "Asia/Kolkata on 5 March 1980 at 10:30: IST, UT+5:30, no daylight saving"},
      {"New York",
       {1990, 7, 4, 12, 0},
       "America/New_York",
       ClockTime::Unique,
       {-14400, true, "EDT"},
       std::nullopt,
       "Eastern Daylight Time,EDT,-4.0",
       false,
       0,
       "74",
       "0",
       false,
       "40",
       "43",
       false,
       "America/New_York on 4 July 1990 at 12:00: EDT, UT-4:00, daylight saving"},
      {"New York",
       {1990, 1, 4, 7, 5},
       "America/New_York",
       ClockTime::Unique,
       {-18000, false, "EST"},
       std::nullopt,
       "Eastern Standard Time,EST,-5.0",
       false,
       0,
       "74",
       "0",
       false,
       "40",
       "43",
       false,
       "America/New_York on 4 January 1990 at 7:05: EST, UT-5:00, no daylight saving"},
      // Double summer time in the war.
      {"London",
       {1944, 6, 6, 6, 30},
       "Europe/London",
       ClockTime::Unique,
       {7200, true, "BDST"},
       std::nullopt,
       "British Double Summer Time,BDST,+2.0",
       false,
       0,
       "0",
       "8",
       false,
       "51",
       "31",
       false,
       "Europe/London on 6 June 1944 at 6:30: BDST, UT+2:00, daylight saving"},
      {"Sydney",
       {2000, 1, 15, 23, 59},
       "Australia/Sydney",
       ClockTime::Unique,
       {39600, true, "AEDT"},
       std::nullopt,
       "Australian Eastern Daylight Time,AEDT,+11.0",
       false,
       0,
       "151",
       "12",
       true,
       "33",
       "52",
       true,
       "Australia/Sydney on 15 January 2000 at 23:59: AEDT, UT+11:00, daylight saving"},
      // No row with the abbreviation CEST: the standard time's row, box ticked.
      {"Paris, France",
       {1990, 7, 14, 12, 0},
       "Europe/Paris",
       ClockTime::Unique,
       {7200, true, "CEST"},
       std::nullopt,
       "Central European Time,CET,+1.0",
       true,
       0,
       "2",
       "21",
       true,
       "48",
       "51",
       false,
       "Europe/Paris on 14 July 1990 at 12:00: CEST, UT+2:00, daylight saving"},
      // +5:45: no row expresses it.
      {"Kathmandu",
       {1990, 6, 1, 12, 0},
       "Asia/Kathmandu",
       ClockTime::Unique,
       {20700, false, "+0545"},
       std::nullopt,
       "Indian Time, IST, +5.3",
       false,
       15 * 60,
       "85",
       "19",
       true,
       "27",
       "42",
       false,
       "Asia/Kathmandu on 1 June 1990 at 12:00: +0545, UT+5:45, no daylight saving. No zone row "
       "gives UT+5:45: the nearest is Indian Time (UT+5:30), so the chart is 15 minutes off"},
      // Amsterdam summer time before 1937: +1:19:32.
      {"Amsterdam",
       {1930, 7, 1, 12, 0},
       "Europe/Amsterdam",
       ClockTime::Unique,
       {4772, true, "NST"},
       std::nullopt,
       "Greenwich Mean Time,GMT,0.0",
       true,
       19 * 60 + 32,
       "4",
       "53",
       true,
       "52",
       "22",
       false,
       "Europe/Amsterdam on 1 July 1930 at 12:00: NST, UT+1:19:32, daylight saving. No zone row "
       "gives UT+1:19:32: the nearest is Greenwich Mean Time with daylight saving (UT+1:00), so "
       "the chart is 19 minutes 32 seconds off"},
      {"Amsterdam",
       {1930, 1, 15, 12, 0},
       "Europe/Amsterdam",
       ClockTime::Unique,
       {1172, false, "AMT"},
       std::nullopt,
       "Greenwich Mean Time,GMT,0.0",
       false,
       19 * 60 + 32,
       "4",
       "53",
       true,
       "52",
       "22",
       false,
       "Europe/Amsterdam on 15 January 1930 at 12:00: AMT, UT+0:19:32, no daylight saving. No "
       "zone row gives UT+0:19:32: the nearest is Greenwich Mean Time (UT+0:00), so the chart is "
       "19 minutes 32 seconds off"},
      // The clocks jumped from 2:00 to 3:00: cast with the offset before.
      {"New York",
       {2021, 3, 14, 2, 30},
       "America/New_York",
       ClockTime::Nonexistent,
       {-18000, false, "EST"},
       ZoneState{-14400, true, "EDT"},
       "Eastern Standard Time,EST,-5.0",
       false,
       0,
       "74",
       "0",
       false,
       "40",
       "43",
       false,
       "America/New_York on 14 March 2021 at 2:30: this clock time never happened, the clocks "
       "jumped from EST, UT-5:00, no daylight saving to EDT, UT-4:00, daylight saving; the chart "
       "uses the time before the jump"},
      // 1:30 came twice: cast with the first.
      {"New York",
       {2021, 11, 7, 1, 30},
       "America/New_York",
       ClockTime::Ambiguous,
       {-14400, true, "EDT"},
       ZoneState{-18000, false, "EST"},
       "Eastern Daylight Time,EDT,-4.0",
       false,
       0,
       "74",
       "0",
       false,
       "40",
       "43",
       false,
       "America/New_York on 7 November 2021 at 1:30: this clock time happened twice, first EDT, "
       "UT-4:00, daylight saving, then EST, UT-5:00, no daylight saving; the chart uses the "
       "first"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.query) + " " + std::to_string(c.local.year) + "-" +
                 std::to_string(c.local.month) + "-" + std::to_string(c.local.day));
    const std::vector<Place> matches = gazetteer().Search(c.query);
    ASSERT_FALSE(matches.empty());
    const Place& place = matches.front();
    EXPECT_EQ(place.zone, c.zone);

    const std::optional<ZoneSuggestion> suggestion = SuggestZone(place.zone, c.local);
    ASSERT_TRUE(suggestion.has_value());
    EXPECT_EQ(suggestion->moment.clockTime, c.clockTime);
    EXPECT_EQ(suggestion->moment.first, c.first);
    EXPECT_EQ(suggestion->moment.second, c.second);
    EXPECT_EQ(kTimeZoneTable[static_cast<std::size_t>(suggestion->choice.row)].text, c.rowText);
    EXPECT_EQ(suggestion->choice.daylightSaving, c.box);
    EXPECT_EQ(suggestion->choice.errorSeconds, c.errorSeconds);
    EXPECT_EQ(suggestion->note, c.note);

    // The form filled by the finder equals the form filled by hand...
    FormEntries found =
        HandEntries(c.local, "0", "0", true, "0", "0", false, kDefaultTimeZone, false);
    FillPlace(place, found);
    FillZone(suggestion->choice, found);
    int handRow = -1;
    for (int row = 0; row < kTimeZoneCount; ++row) {
      if (kTimeZoneTable[static_cast<std::size_t>(row)].text == c.rowText) {
        handRow = row;
        break;
      }
    }
    FormEntries hand =
        HandEntries(c.local, c.lonD, c.lonM, c.east, c.latD, c.latM, c.south, handRow, c.box);
    hand.txtMCity = place.name;
    hand.txtMState = place.state;
    hand.txtMCountry = place.country;
    EXPECT_EQ(found.txtLonD, hand.txtLonD);
    EXPECT_EQ(found.txtLonM, hand.txtLonM);
    EXPECT_EQ(found.optEast, hand.optEast);
    EXPECT_EQ(found.txtLatD, hand.txtLatD);
    EXPECT_EQ(found.txtLatM, hand.txtLatM);
    EXPECT_EQ(found.optSouth, hand.optSouth);
    EXPECT_EQ(found.cmbTimeZoneIndex, hand.cmbTimeZoneIndex);
    EXPECT_EQ(found.chkDST, hand.chkDST);

    // ...so both cast the same chart, positions to the last character.
    ChartSession byFinder;
    ChartSession byHand;
    const CastResult foundResult = byFinder.CastChart(found);
    const CastResult handResult = byHand.CastChart(hand);
    ASSERT_TRUE(std::holds_alternative<ChartView>(foundResult));
    ASSERT_TRUE(std::holds_alternative<ChartView>(handResult));
    EXPECT_EQ(std::get<ChartView>(foundResult), std::get<ChartView>(handResult));
    EXPECT_EQ(byFinder.ascendantText(), byHand.ascendantText());
    EXPECT_EQ(byFinder.moonText(), byHand.moonText());

    // The chart's UT is the database's UT, up to the stated error.
    const long localMinutes = MinutesSince1901(c.local);
    const long databaseUtSeconds = localMinutes * 60 - c.first.utOffsetSeconds;
    EXPECT_EQ(ChartUtMinutes(byFinder.chartInput()) * 60 - c.errorSeconds, databaseUtSeconds);
  }
}

}  // namespace
}  // namespace zodivane::places
