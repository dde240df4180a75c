// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/zone_rows.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "chart/time_zones.h"
#include "places/place_entries.h"

namespace zodivane::places {
namespace {

int RowWithText(std::string_view text) {
  for (int row = 0; row < kTimeZoneCount; ++row) {
    if (kTimeZoneTable[static_cast<std::size_t>(row)].text == text) {
      return row;
    }
  }
  ADD_FAILURE() << "no row " << text;
  return -1;
}

// Rows read from the list: offsets east positive, trimmed names and
// abbreviations of the spaced rows.
TEST(ZoneRows, RowsReadTheirOffsetNameAndAbbreviation) {
  struct Case {
    const char* text;
    std::int32_t offsetSeconds;
    const char* name;
    const char* abbreviation;
  };
  const std::vector<Case> cases = {
      {"Indian Time, IST, +5.3", 19800, "Indian Time", "IST"},
      {"Eastern Daylight Time,EDT,-4.0", -14400, "Eastern Daylight Time", "EDT"},
      {"Newfoundland Standard Time,NST,-3.5", -12600, "Newfoundland Standard Time", "NST"},
      {"Universal Time, UT, 0.0", 0, "Universal Time", "UT"},
      {"New Zealand Std Summer Time,NZST,+13.0", 46800, "New Zealand Std Summer Time", "NZST"},
      {"Hawaiian Standard Time,HST,-10.5", -37800, "Hawaiian Standard Time", "HST"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const int row = RowWithText(c.text);
    EXPECT_EQ(RowOffsetSeconds(row), c.offsetSeconds);
    EXPECT_EQ(RowName(row), c.name);
    EXPECT_EQ(RowAbbreviation(row), c.abbreviation);
  }
}

// Whatever the database says, an offset some row and box can give is given
// exactly: every row's offset, with and without an added daylight hour,
// under an abbreviation no row has.
TEST(ZoneRows, EveryExpressibleOffsetIsChosenExactly) {
  for (int row = 0; row < kTimeZoneCount; ++row) {
    for (const bool daylight : {false, true}) {
      const ZoneState state{RowOffsetSeconds(row) + (daylight ? 3600 : 0), daylight, "+XYZ"};
      SCOPED_TRACE(FormatUtOffset(state.utOffsetSeconds));
      const ZoneRowChoice choice = ChooseZoneRow(state, std::nullopt);
      EXPECT_TRUE(choice.exact());
      EXPECT_EQ(RowOffsetSeconds(choice.row) + (choice.daylightSaving ? 3600 : 0),
                state.utOffsetSeconds);
      EXPECT_EQ(choice.chartOffsetSeconds, state.utOffsetSeconds);
    }
  }
}

// Which row and box among those giving the same offset: the database's
// abbreviation first, then the standard time's row with the box, then a
// standard row whose box shows the database's daylight saving.
TEST(ZoneRows, PrefersTheRowTheDatabaseNames) {
  struct Case {
    const char* label;
    ZoneState inForce;
    std::optional<ZoneState> standard;
    const char* rowText;
    bool box;
  };
  const std::vector<Case> cases = {
      {"EDT",
       {-14400, true, "EDT"},
       ZoneState{-18000, false, "EST"},
       "Eastern Daylight Time,EDT,-4.0",
       false},
      {"BST",
       {3600, true, "BST"},
       ZoneState{0, false, "GMT"},
       "British Summer Time,BST,+1.0",
       false},
      {"IST", {19800, false, "IST"}, std::nullopt, "Indian Time, IST, +5.3", false},
      {"NST of Newfoundland, not of Sumatra",
       {-12600, false, "NST"},
       std::nullopt,
       "Newfoundland Standard Time,NST,-3.5",
       false},
      {"CEST: CET and the box",
       {7200, true, "CEST"},
       ZoneState{3600, false, "CET"},
       "Central European Time,CET,+1.0",
       true},
      {"Lagos WAT +1: a standard row, not summer time",
       {3600, false, "WAT"},
       std::nullopt,
       "Central European Time,CET,+1.0",
       false},
      {"SAST +2 (not South Australia)",
       {7200, false, "SAST"},
       std::nullopt,
       "Eastern European Time,EET,+2.0",
       false},
      {"daylight with no known standard: a standard row and the box",
       {-10800, true, "-03"},
       std::nullopt,
       "Atlantic Standard Time,AST,-4.0",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const ZoneRowChoice choice = ChooseZoneRow(c.inForce, c.standard);
    EXPECT_EQ(kTimeZoneTable[static_cast<std::size_t>(choice.row)].text, c.rowText);
    EXPECT_EQ(choice.daylightSaving, c.box);
    EXPECT_TRUE(choice.exact());
  }
}

// An offset no row gives: the nearest row, never further than any other
// row and box, with the difference stated.
TEST(ZoneRows, InexpressibleOffsetsTakeTheNearestRow) {
  for (const std::int32_t offset : {20700, 4772, 1172, -16966, 31500, 49500}) {
    SCOPED_TRACE(offset);
    const ZoneRowChoice choice = ChooseZoneRow(ZoneState{offset, false, "LMT"}, std::nullopt);
    EXPECT_FALSE(choice.exact());
    EXPECT_EQ(choice.errorSeconds, offset - choice.chartOffsetSeconds);
    for (int row = 0; row < kTimeZoneCount; ++row) {
      for (const int hour : {0, 3600}) {
        EXPECT_LE(std::abs(choice.errorSeconds), std::abs(offset - RowOffsetSeconds(row) - hour));
      }
    }
  }
}

TEST(ZoneRows, FormatsUtOffsets) {
  struct Case {
    std::int32_t seconds;
    const char* text;
  };
  for (const Case& c : std::vector<Case>{{19800, "UT+5:30"},
                                         {-14400, "UT-4:00"},
                                         {0, "UT+0:00"},
                                         {4772, "UT+1:19:32"},
                                         {-1800, "UT-0:30"},
                                         {46800, "UT+13:00"},
                                         {-16966, "UT-4:42:46"}}) {
    EXPECT_EQ(FormatUtOffset(c.seconds), c.text);
  }
}

// Rounding to the nearest minute, the carry into the degree, the largest
// entry the form takes, and the sign.
TEST(PlaceEntries, RoundsCoordinatesToTheNearestMinute) {
  struct Case {
    double angleDeg;
    int maxDegrees;
    DegreesMinutes expected;
  };
  const std::vector<Case> cases = {
      {28.6519, 89, {28, 39, false}},    {-74.0060, 179, {74, 0, true}},
      {10.99999, 179, {11, 0, false}},   {10.991, 179, {10, 59, false}},
      {179.9999, 179, {179, 59, false}}, {-179.9999, 179, {179, 59, true}},
      {0.0083, 179, {0, 0, false}},      {0.0084, 179, {0, 1, false}},
      {-33.8678, 89, {33, 52, true}},    {0.0, 89, {0, 0, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angleDeg);
    EXPECT_EQ(ToNearestMinute(c.angleDeg, c.maxDegrees), c.expected);
  }
}

TEST(PlaceEntries, ReadsTheFormsClockReading) {
  FormEntries entries;
  entries.cboMonthIndex = 10;
  entries.cboDateText = "7";
  entries.cboYearText = "2021";
  entries.cboHHText = "1";
  entries.cboMMText = "30";
  EXPECT_EQ(LocalDateTimeOf(entries), (LocalDateTime{2021, 11, 7, 1, 30}));
  entries.cboHHText = "";
  EXPECT_EQ(LocalDateTimeOf(entries), std::nullopt);
}

// Zones and dates the database cannot answer give no suggestion.
TEST(ZoneRows, UnknownZonesAndDatesGiveNoSuggestion) {
  EXPECT_FALSE(SuggestZone("Atlantis/Capital", LocalDateTime{1980, 3, 5, 10, 30}).has_value());
  EXPECT_FALSE(SuggestZone("Asia/Kolkata", LocalDateTime{1981, 2, 29, 10, 30}).has_value());
  EXPECT_FALSE(SuggestZone("Asia/Kolkata", LocalDateTime{1980, 3, 5, 24, 0}).has_value());
  EXPECT_TRUE(SuggestZone("Asia/Kolkata", LocalDateTime{1980, 2, 29, 10, 30}).has_value());
}

// The warning every record of a chart carries about its zone. A clock time
// the clocks skipped or repeated names the reading the chart uses and its
// offset; a form that gives neither reading is warned about as disagreeing
// with the database; without a place only a daylight row ticked as well is.
// Offsets and abbreviations from Python's zoneinfo on the same files:
// New York 2021-11-07 01:30 fold 0 EDT -4:00, fold 1 EST -5:00; 2021-03-14
// 02:30 fold 0 EST -5:00, fold 1 EDT -4:00; London 2021-03-28 01:30 fold 0
// GMT +0:00, fold 1 BST +1:00.
TEST(ZoneWarnings, EveryRecordIsToldWhichReadingOfASkippedOrRepeatedClockTime) {
  const ChosenPlace newYork{"New York",         "New York", "United States of America",
                            "America/New_York", 40.71,      -74.01};
  const ChosenPlace london{"London", "England", "United Kingdom", "Europe/London", 51.51, -0.13};
  struct Case {
    const char* what;
    std::optional<ChosenPlace> place;
    LocalDateTime local;
    const char* row;
    bool dst;
    std::string warning;
  };
  const std::vector<Case> cases = {
      {"repeated, the first reading",
       newYork,
       {2021, 11, 7, 1, 30},
       "Eastern Daylight Time,EDT,-4.0",
       false,
       "New York on 7 November 2021 at 1:30: this clock time happened twice, first EDT, "
       "UT-4:00, then EST, UT-5:00; the chart uses the first, EDT, UT-4:00"},
      {"repeated, the second reading",
       newYork,
       {2021, 11, 7, 1, 30},
       "Eastern Standard Time,EST,-5.0",
       false,
       "New York on 7 November 2021 at 1:30: this clock time happened twice, first EDT, "
       "UT-4:00, then EST, UT-5:00; the chart uses the second, EST, UT-5:00"},
      {"repeated, the second reading as a standard row with the box",
       newYork,
       {2021, 11, 7, 1, 30},
       "Central Standard Time,CST,-6.0",
       true,
       "New York on 7 November 2021 at 1:30: this clock time happened twice, first EDT, "
       "UT-4:00, then EST, UT-5:00; the chart uses the second, EST, UT-5:00"},
      {"repeated, neither reading",
       newYork,
       {2021, 11, 7, 1, 30},
       "Eastern Daylight Time,EDT,-4.0",
       true,
       "The form gives UT-3:00; New York on 7 November 2021 at 1:30 is UT-4:00 (EDT): the "
       "chart would be 1 hour off"},
      {"skipped, read before the jump",
       newYork,
       {2021, 3, 14, 2, 30},
       "Eastern Standard Time,EST,-5.0",
       false,
       "New York on 14 March 2021 at 2:30: this clock time never happened, the clocks jumped "
       "from EST, UT-5:00 to EDT, UT-4:00; the chart reads it as EST, UT-5:00"},
      {"skipped, read after the jump",
       newYork,
       {2021, 3, 14, 2, 30},
       "Eastern Daylight Time,EDT,-4.0",
       false,
       "New York on 14 March 2021 at 2:30: this clock time never happened, the clocks jumped "
       "from EST, UT-5:00 to EDT, UT-4:00; the chart reads it as EDT, UT-4:00"},
      {"skipped in London",
       london,
       {2021, 3, 28, 1, 30},
       "Greenwich Mean Time,GMT,0.0",
       false,
       "London on 28 March 2021 at 1:30: this clock time never happened, the clocks jumped "
       "from GMT, UT+0:00 to BST, UT+1:00; the chart reads it as GMT, UT+0:00"},
      {"an ordinary clock time",
       newYork,
       {2021, 7, 1, 12, 0},
       "Eastern Daylight Time,EDT,-4.0",
       false,
       ""},
      {"no place: nothing to check the clock time against",
       std::nullopt,
       {2021, 11, 7, 1, 30},
       "Eastern Standard Time,EST,-5.0",
       false,
       ""},
      {"no place: a daylight row ticked as well",
       std::nullopt,
       {2021, 7, 1, 12, 0},
       "Eastern Daylight Time,EDT,-4.0",
       true,
       "Eastern Daylight Time already includes daylight saving: with the box ticked too the "
       "chart is cast at UT-3:00, two hours ahead of standard time"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FormEntries entries;
    entries.cboMonthIndex = c.local.month - 1;
    entries.cboDateText = std::to_string(c.local.day);
    entries.cboYearText = std::to_string(c.local.year);
    entries.cboHHText = std::to_string(c.local.hour);
    entries.cboMMText = std::to_string(c.local.minute);
    entries.cmbTimeZoneIndex = RowWithText(c.row);
    entries.chkDST = c.dst;
    EXPECT_EQ(ChartZoneWarning(entries, c.place), c.warning);
  }
}

}  // namespace
}  // namespace zodivane::places
