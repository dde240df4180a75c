// SPDX-License-Identifier: GPL-3.0-or-later
// Real birth places and moments through the whole finder: search, zone
// database, zone row and box, form entries, cast chart.
#include <gtest/gtest.h>
#include <array>

#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "chart/chart_driver.h"
#include "chart/sensitivity.h"
#include "chart/sensitivity_text.h"
#include "chart/time_zones.h"
#include "ephemeris/time_scales.h"
#include "places/gazetteer.h"
#include "places/place_entries.h"
#include "places/zone_history.h"
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
  constexpr auto kMonthDays = std::to_array<int>({31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31});
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
      {.query = "Delhi",
       .local = {1980, 3, 5, 10, 30},
       .zone = "Asia/Kolkata",
       .clockTime = ClockTime::Unique,
       .first = {19800, false, "IST"},
       .second = std::nullopt,
       .rowText = "Indian Time, IST, +5.3",
       .box = false,
       .errorSeconds = 0,
       .lonD = "77",
       .lonM = "14",
       .east = true,
       .latD = "28",
       .latM = "39",
       .south = false,
       .note = "Asia/Kolkata on 5 March 1980 at 10:30: IST, UT+5:30, no daylight saving"},
      {.query = "New York",
       .local = {1990, 7, 4, 12, 0},
       .zone = "America/New_York",
       .clockTime = ClockTime::Unique,
       .first = {-14400, true, "EDT"},
       .second = std::nullopt,
       .rowText = "Eastern Daylight Time,EDT,-4.0",
       .box = false,
       .errorSeconds = 0,
       .lonD = "74",
       .lonM = "0",
       .east = false,
       .latD = "40",
       .latM = "43",
       .south = false,
       .note = "America/New_York on 4 July 1990 at 12:00: EDT, UT-4:00, daylight saving"},
      {.query = "New York",
       .local = {1990, 1, 4, 7, 5},
       .zone = "America/New_York",
       .clockTime = ClockTime::Unique,
       .first = {-18000, false, "EST"},
       .second = std::nullopt,
       .rowText = "Eastern Standard Time,EST,-5.0",
       .box = false,
       .errorSeconds = 0,
       .lonD = "74",
       .lonM = "0",
       .east = false,
       .latD = "40",
       .latM = "43",
       .south = false,
       .note = "America/New_York on 4 January 1990 at 7:05: EST, UT-5:00, no daylight saving"},
      // Double summer time in the war.
      {.query = "London",
       .local = {1944, 6, 6, 6, 30},
       .zone = "Europe/London",
       .clockTime = ClockTime::Unique,
       .first = {7200, true, "BDST"},
       .second = std::nullopt,
       .rowText = "British Double Summer Time,BDST,+2.0",
       .box = false,
       .errorSeconds = 0,
       .lonD = "0",
       .lonM = "8",
       .east = false,
       .latD = "51",
       .latM = "31",
       .south = false,
       .note = "Europe/London on 6 June 1944 at 6:30: BDST, UT+2:00, daylight saving"},
      {.query = "Sydney",
       .local = {2000, 1, 15, 23, 59},
       .zone = "Australia/Sydney",
       .clockTime = ClockTime::Unique,
       .first = {39600, true, "AEDT"},
       .second = std::nullopt,
       .rowText = "Australian Eastern Daylight Time,AEDT,+11.0",
       .box = false,
       .errorSeconds = 0,
       .lonD = "151",
       .lonM = "12",
       .east = true,
       .latD = "33",
       .latM = "52",
       .south = true,
       .note = "Australia/Sydney on 15 January 2000 at 23:59: AEDT, UT+11:00, daylight saving"},
      // No row with the abbreviation CEST: the standard time's row, box ticked.
      {.query = "Paris, France",
       .local = {1990, 7, 14, 12, 0},
       .zone = "Europe/Paris",
       .clockTime = ClockTime::Unique,
       .first = {7200, true, "CEST"},
       .second = std::nullopt,
       .rowText = "Central European Time,CET,+1.0",
       .box = true,
       .errorSeconds = 0,
       .lonD = "2",
       .lonM = "21",
       .east = true,
       .latD = "48",
       .latM = "51",
       .south = false,
       .note = "Europe/Paris on 14 July 1990 at 12:00: CEST, UT+2:00, daylight saving"},
      // +5:45: no row expresses it.
      {.query = "Kathmandu",
       .local = {1990, 6, 1, 12, 0},
       .zone = "Asia/Kathmandu",
       .clockTime = ClockTime::Unique,
       .first = {20700, false, "+0545"},
       .second = std::nullopt,
       .rowText = "Indian Time, IST, +5.3",
       .box = false,
       .errorSeconds = 15 * 60,
       .lonD = "85",
       .lonM = "19",
       .east = true,
       .latD = "27",
       .latM = "42",
       .south = false,
       .note =
           "Asia/Kathmandu on 1 June 1990 at 12:00: +0545, UT+5:45, no daylight saving. No row of "
           "the "
           "list gives UT+5:45: the chart uses the place's own offset, the entry after the rows"},
      // Amsterdam summer time before 1937: +1:19:32.
      {.query = "Amsterdam",
       .local = {1930, 7, 1, 12, 0},
       .zone = "Europe/Amsterdam",
       .clockTime = ClockTime::Unique,
       .first = {4772, true, "NST"},
       .second = std::nullopt,
       .rowText = "Greenwich Mean Time,GMT,0.0",
       .box = true,
       .errorSeconds = 19 * 60 + 32,
       .lonD = "4",
       .lonM = "53",
       .east = true,
       .latD = "52",
       .latM = "22",
       .south = false,
       .note = "Europe/Amsterdam on 1 July 1930 at 12:00: NST, UT+1:19:32, daylight saving. No row "
               "of the "
               "list gives UT+1:19:32: the chart uses the place's own offset, the entry after the "
               "rows"},
      {.query = "Amsterdam",
       .local = {1930, 1, 15, 12, 0},
       .zone = "Europe/Amsterdam",
       .clockTime = ClockTime::Unique,
       .first = {1172, false, "AMT"},
       .second = std::nullopt,
       .rowText = "Greenwich Mean Time,GMT,0.0",
       .box = false,
       .errorSeconds = 19 * 60 + 32,
       .lonD = "4",
       .lonM = "53",
       .east = true,
       .latD = "52",
       .latM = "22",
       .south = false,
       .note = "Europe/Amsterdam on 15 January 1930 at 12:00: AMT, UT+0:19:32, no daylight saving. "
               "No row "
               "of the list gives UT+0:19:32: the chart uses the place's own offset, the entry "
               "after the "
               "rows"},
      // The clocks jumped from 2:00 to 3:00: cast with the offset before.
      {.query = "New York",
       .local = {2021, 3, 14, 2, 30},
       .zone = "America/New_York",
       .clockTime = ClockTime::Nonexistent,
       .first = {-18000, false, "EST"},
       .second = ZoneState{-14400, true, "EDT"},
       .rowText = "Eastern Standard Time,EST,-5.0",
       .box = false,
       .errorSeconds = 0,
       .lonD = "74",
       .lonM = "0",
       .east = false,
       .latD = "40",
       .latM = "43",
       .south = false,
       .note =
           "America/New_York on 14 March 2021 at 2:30: this clock time never happened, the clocks "
           "jumped from EST, UT-5:00, no daylight saving to EDT, UT-4:00, daylight saving; cast as "
           "02:30 EST, UT-5:00"},
      // 1:30 came twice: cast with the first.
      {.query = "New York",
       .local = {2021, 11, 7, 1, 30},
       .zone = "America/New_York",
       .clockTime = ClockTime::Ambiguous,
       .first = {-14400, true, "EDT"},
       .second = ZoneState{-18000, false, "EST"},
       .rowText = "Eastern Daylight Time,EDT,-4.0",
       .box = false,
       .errorSeconds = 0,
       .lonD = "74",
       .lonM = "0",
       .east = false,
       .latD = "40",
       .latM = "43",
       .south = false,
       .note =
           "America/New_York on 7 November 2021 at 1:30: this clock time happened twice, first "
           "EDT, "
           "UT-4:00, daylight saving, then EST, UT-5:00, no daylight saving; the chart uses the "
           "first. For the second, choose \"Eastern Standard Time\" with Daylight Saving Time "
           "clear"},
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

/// The UT of a cast birth record in seconds since 1901, the place's own
/// offset included.
long ChartUtSeconds(const ChartInput& input) {
  if (!input.exactUtOffsetSeconds) {
    return ChartUtMinutes(input) * 60;
  }
  const LocalDateTime local{input.year, input.month, input.day, input.hour, input.minute};
  return MinutesSince1901(local) * 60 - *input.exactUtOffsetSeconds -
         (input.dst.IsSet() ? 3600 : 0);
}

// Where no row gives the database's offset, the finder selects the place's
// own zone and the chart is cast at the database's UT to the second; where
// a row gives it, the row as before. Offsets from Python's zoneinfo (same
// tzdata): datetime(..., tzinfo=ZoneInfo(zone)).utcoffset(); after 2037 the
// zone file's rule. Where the offset is whole minutes, the positions equal
// those of the chart entered by hand at the same UT with the Universal Time row.
TEST_F(PlaceChartsTest, TheChartIsCastAtTheDatabaseOffset) {
  struct Case {
    const char* query;
    LocalDateTime local;
    std::int32_t offsetSeconds;
    bool placeEntry;  ///< the zone list's entry after the rows is chosen
    const char* label;
  };
  const std::vector<Case> cases = {
      {"Kathmandu",
       {2000, 5, 10, 9, 15},
       20700,
       true,
       "Asia/Kathmandu, UT+5:45, from the birth place"},
      {"Caracas",
       {2010, 6, 1, 18, 0},
       -16200,
       true,
       "America/Caracas, UT-4:30, from the birth place"},
      {"Amsterdam",
       {1930, 1, 15, 12, 0},
       1172,
       true,
       "Europe/Amsterdam, UT+0:19:32, from the birth place"},
      // Local mean time before Nepal's first zone rule.
      {"Kathmandu",
       {1910, 3, 1, 6, 0},
       20476,
       true,
       "Asia/Kathmandu, UT+5:41:16, from the birth place"},
      {"New York", {2045, 7, 1, 12, 0}, -14400, false, ""},
      {"New York", {2038, 3, 14, 2, 30}, -18000, false, ""},
      {"Sydney", {2038, 7, 1, 12, 0}, 36000, false, ""},
      {"Auckland", {2040, 4, 1, 2, 30}, 46800, false, ""},
  };
  int universalRow = -1;
  for (int row = 0; row < kTimeZoneCount; ++row) {
    if (RowOffsetSeconds(row) == 0 && RowAbbreviation(row) == "UT") {
      universalRow = row;
    }
  }
  ASSERT_GE(universalRow, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.query) + " " + std::to_string(c.local.year));
    const std::vector<Place> matches = gazetteer().Search(c.query);
    ASSERT_FALSE(matches.empty());
    const std::optional<ZoneSuggestion> suggestion = SuggestZone(matches.front().zone, c.local);
    ASSERT_TRUE(suggestion);
    EXPECT_EQ(suggestion->moment.first.utOffsetSeconds, c.offsetSeconds);
    EXPECT_EQ(suggestion->placeZone.has_value(), c.placeEntry);
    FormEntries found =
        HandEntries(c.local, "0", "0", true, "0", "0", false, kDefaultTimeZone, false);
    FillPlace(matches.front(), found);
    FillZone(*suggestion, found);
    EXPECT_EQ(found.cmbTimeZoneIndex == kPlaceZoneIndex, c.placeEntry);
    if (c.placeEntry) {
      ASSERT_TRUE(found.placeZone);
      EXPECT_EQ(PlaceZoneLabel(*found.placeZone), c.label);
    }
    EXPECT_EQ(FormOffsetSeconds(found), c.offsetSeconds);

    ChartSession byFinder;
    ASSERT_TRUE(std::holds_alternative<ChartView>(byFinder.CastChart(found)));
    EXPECT_EQ(ChartUtSeconds(byFinder.chartInput()),
              MinutesSince1901(c.local) * 60 - c.offsetSeconds);
    if (c.offsetSeconds % 60 != 0) {
      continue;
    }
    const CivilMoment ut = ShiftCivilMoment(
        CivilMoment{c.local.year, c.local.month, c.local.day, c.local.hour, c.local.minute},
        -c.offsetSeconds / 60);
    FormEntries hand = HandEntries(LocalDateTime{ut.year, ut.month, ut.day, ut.hour, ut.minute},
                                   found.txtLonD.c_str(), found.txtLonM.c_str(), found.optEast,
                                   found.txtLatD.c_str(), found.txtLatM.c_str(), found.optSouth,
                                   universalRow, false);
    ChartSession byHand;
    const CastResult handResult = byHand.CastChart(hand);
    ASSERT_TRUE(std::holds_alternative<ChartView>(handResult));
    EXPECT_EQ(byFinder.positionTable(), byHand.positionTable());
    EXPECT_EQ(byFinder.ascendantText(), byHand.ascendantText());
    EXPECT_EQ(byFinder.moonText(), byHand.moonText());
  }
}

// The form's zone checked against the database: a box ticked by hand over
// the finder's daylight row, and a daylight row ticked without any place.
TEST_F(PlaceChartsTest, AFormThatDisagreesWithTheDatabaseIsWarnedAbout) {
  const std::optional<ZoneSuggestion> sydney =
      SuggestZone("Australia/Sydney", LocalDateTime{2000, 1, 15, 12, 0});
  ASSERT_TRUE(sydney);
  FormEntries entries;
  FillZone(*sydney, entries);
  ASSERT_EQ(FormOffsetSeconds(entries), 39600);
  EXPECT_EQ(ZoneMismatchWarning(sydney->moment, "Sydney", 39600), "");
  entries.chkDST = true;  // ticked by hand
  EXPECT_EQ(ZoneMismatchWarning(sydney->moment, "Sydney", *FormOffsetSeconds(entries)),
            "The form gives UT+12:00; Sydney on 15 January 2000 at 12:00 is UT+11:00 (AEDT): "
            "the chart would be 1 hour off");
  EXPECT_EQ(DoubleDaylightWarning(entries),
            "Australian Eastern Daylight Time already includes daylight saving: with the box "
            "ticked too the chart is cast at UT+12:00, two hours ahead of standard time");
  entries.chkDST = false;
  EXPECT_EQ(DoubleDaylightWarning(entries), "");

  // Amsterdam 1930 with CET ticked by hand: 40 minutes 28 seconds ahead.
  const std::optional<ZoneSuggestion> amsterdam =
      SuggestZone("Europe/Amsterdam", LocalDateTime{1930, 7, 1, 12, 0});
  ASSERT_TRUE(amsterdam);
  EXPECT_EQ(ZoneMismatchWarning(amsterdam->moment, "Amsterdam", 7200),
            "The form gives UT+2:00; Amsterdam on 1 July 1930 at 12:00 is UT+1:19:32 (NST): the "
            "chart would be 40 minutes 28 seconds off");
  // Either reading of a repeated clock time is the database's.
  const std::optional<ZoneSuggestion> repeated =
      SuggestZone("America/New_York", LocalDateTime{2021, 11, 7, 1, 30});
  ASSERT_TRUE(repeated);
  EXPECT_EQ(ZoneMismatchWarning(repeated->moment, "New York", -18000), "");
}

// Dublin's zone file counts winter as the daylight-saving period: the note
// names GMT and its offset without calling it daylight saving.
TEST(ZoneNotes, WinterTimeIsNotCalledDaylightSaving) {
  const std::optional<ZoneSuggestion> dublin =
      SuggestZone("Europe/Dublin", LocalDateTime{2000, 1, 15, 12, 0});
  ASSERT_TRUE(dublin);
  EXPECT_EQ(dublin->note, "Europe/Dublin on 15 January 2000 at 12:00: GMT, UT+0:00");
  EXPECT_EQ(kTimeZoneTable[static_cast<std::size_t>(dublin->choice.row)].text,
            "Greenwich Mean Time,GMT,0.0");
  EXPECT_FALSE(dublin->choice.daylightSaving);
}

// London, 28 March 2021, 0:30 GMT: British Summer Time began at 1:00. The
// sensitivity's times are London's own clock, looked up at each moment: the
// Moon's change is offered at 6:23 BST (cast by hand with the BST row, the
// Moon is in Virgo at 6:23 and in Libra at 6:24), and no time of the
// skipped hour is offered. (zoneinfo: 2021-03-28 05:23 UT is 06:23 BST.)
TEST_F(PlaceChartsTest, SensitivityTimesAreThePlacesOwnClock) {
  const LocalDateTime birth{2021, 3, 28, 0, 30};
  const std::vector<Place> matches = gazetteer().Search("London, United Kingdom");
  ASSERT_FALSE(matches.empty());
  ASSERT_EQ(matches.front().zone, "Europe/London");
  const std::optional<ZoneSuggestion> suggestion = SuggestZone("Europe/London", birth);
  ASSERT_TRUE(suggestion);
  FormEntries entries =
      HandEntries(birth, "0", "0", true, "0", "0", false, kDefaultTimeZone, false);
  FillPlace(matches.front(), entries);
  FillZone(*suggestion, entries);
  ChartSession session;
  ASSERT_TRUE(std::holds_alternative<ChartView>(session.CastChart(entries)));
  const BirthTimeSensitivity sensitivity = AnalyseBirthTime(session.chartInput());
  const PlaceClock clock = ClockOfZone("Europe/London");
  const std::string moon = SensitivityText(
      session.chartInput(), sensitivity.points[static_cast<std::size_t>(ChartPoint::Moon)], &clock);
  EXPECT_NE(moon.find("Libra if born after March/28 6:23"), std::string::npos) << moon;
  for (int point = 0; point < kChartPointCount; ++point) {
    const std::string text = SensitivityText(
        session.chartInput(), sensitivity.points[static_cast<std::size_t>(point)], &clock);
    EXPECT_EQ(text.find("March/28 1:"), std::string::npos) << text;
  }

  int summerRow = -1;
  for (int row = 0; row < kTimeZoneCount; ++row) {
    if (RowAbbreviation(row) == "BST" && RowOffsetSeconds(row) == 3600) {
      summerRow = row;
    }
  }
  ASSERT_GE(summerRow, 0);
  for (const auto& [minute, sign] : {std::pair{"23", "Virgo"}, std::pair{"24", "Libra"}}) {
    FormEntries byHand = entries;
    byHand.cboHHText = "6";
    byHand.cboMMText = minute;
    byHand.cmbTimeZoneIndex = summerRow;
    ChartSession hand;
    const CastResult cast = hand.CastChart(byHand);
    ASSERT_TRUE(std::holds_alternative<ChartView>(cast));
    EXPECT_EQ(std::get<ChartView>(cast).moonSign, sign) << "6:" << minute;
  }
}

// The clock at a UT moment, each reading checked with zoneinfo: 1:30 on
// 31 October 2021 came twice in London (00:30 UT in BST, 01:30 UT in GMT);
// after 2037 the zone file's rule answers.
TEST(ClockReadings, SayWhichReadingOfARepeatedTime) {
  const std::optional<PlaceClockReading> first =
      ClockReadingAt("Europe/London", 2021, 10, 31, 0, 30, 0);
  const std::optional<PlaceClockReading> second =
      ClockReadingAt("Europe/London", 2021, 10, 31, 1, 30, 0);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(*first, (PlaceClockReading{2021, 10, 31, 1, 30, 1, "BST"}));
  EXPECT_EQ(*second, (PlaceClockReading{2021, 10, 31, 1, 30, 2, "GMT"}));
  EXPECT_EQ(ClockReadingAt("America/New_York", 2045, 7, 1, 16, 0, 0),
            (PlaceClockReading{2045, 7, 1, 12, 0, 0, "EDT"}));
  EXPECT_EQ(ClockReadingAt("Asia/Kathmandu", 2000, 5, 10, 3, 30, 0),
            (PlaceClockReading{2000, 5, 10, 9, 15, 0, "+0545"}));
  EXPECT_FALSE(ClockReadingAt("Nowhere/Atlantis", 2000, 1, 1, 0, 0, 0));
}

}  // namespace
}  // namespace zodivane::places
