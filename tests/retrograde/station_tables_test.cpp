// SPDX-License-Identifier: GPL-3.0-or-later
// The station tables: row splitting and parsing, the file format, and the
// compiled-in data (counts, published rows and the invariants of every table).
#include "retrograde/station_tables.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace zodivane {
namespace {

using ::testing::ElementsAre;

TEST(SplitStationRow, FiveNumbersAndAnEmptySixthPiece) {
  EXPECT_THAT(SplitStationRow("11,6,2050,19,4,"), ElementsAre("11", "6", "2050", "19", "4", ""));
  EXPECT_THAT(SplitStationRow(""), ElementsAre(""));
  EXPECT_THAT(SplitStationRow("1,,2"), ElementsAre("1", "", "2"));
}

TEST(ParseStationRow, ReadsMonthDayYearHourMinute) {
  EXPECT_EQ(ParseStationRow("11,6,2050,19,4,"), (StationMoment{11, 6, 2050, 19, 4}));
  EXPECT_EQ(ParseStationRow("3,15,1900,13,19,"), (StationMoment{3, 15, 1900, 13, 19}));
  EXPECT_EQ(ParseStationRow("2,29,2000,0,0,"), (StationMoment{2, 29, 2000, 0, 0}));
  EXPECT_EQ(ParseStationRow("12,31,2051,23,59,"), (StationMoment{12, 31, 2051, 23, 59}));
}

TEST(ParseStationRow, RefusesMalformedRows) {
  // Rows that are not five plain numbers each followed by a comma, or name
  // no real moment.
  constexpr std::array<std::string_view, 12> kBadRows{
      "",
      "11,6,2050,19,4",    // last comma missing
      "11,6,2050,19,",     // four numbers
      "11,6,,19,4,",       // empty field
      "11,6,2050,19,x,",   // not a number
      "11,6,2050,-1,4,",   // sign
      "11, 6,2050,19,4,",  // space
      "13,6,2050,19,4,",   // month 13
      "0,6,2050,19,4,",    // month 0
      "2,29,1900,19,4,",   // 1900 is no leap year
      "4,31,2050,19,4,",   // April has 30 days
      "11,6,2050,24,0,",   // hour 24
  };
  for (const std::string_view row : kBadRows) {
    SCOPED_TRACE(std::string(row));
    EXPECT_EQ(ParseStationRow(row), std::nullopt);
  }
}

TEST(ParseStationFile, ReadsBothListsAndKeepsRowTexts) {
  const std::string_view text =
      "retrograde\n3,15,1900,13,19,\n7,17,1900,2,26,\n\ndirect\n4,7,1900,18,42,\n8,10,1900,6,5,\n";
  const std::optional<StationTable> table = ParseStationFile("Mercury", text);
  ASSERT_TRUE(table.has_value());
  EXPECT_EQ(table->planetName, "Mercury");
  ASSERT_EQ(table->size(), 2U);
  ASSERT_EQ(table->stationDirect.size(), 2U);
  EXPECT_EQ(table->stationRetrograde[1].row, "7,17,1900,2,26,");
  EXPECT_EQ(table->stationRetrograde[1].moment, (StationMoment{7, 17, 1900, 2, 26}));
  EXPECT_EQ(table->stationDirect[0].row, "4,7,1900,18,42,");
  EXPECT_EQ(table->stationDirect[1].moment, (StationMoment{8, 10, 1900, 6, 5}));
}

TEST(ParseStationFile, RefusesFilesOfTheWrongShape) {
  constexpr std::array<std::string_view, 6> kBadFiles{
      "retrograde\n3,15,1900,13,19,\n\ndirect\n",                     // lists of unequal length
      "retrograde\n3,15,1900,13,19,\n\ndirect\n4,7,1900,18,42,",      // last line unterminated
      "retrograde\n3,15,1900,13,19,\ndirect\n4,7,1900,18,42,\n",      // no empty line
      "direct\n4,7,1900,18,42,\n\nretrograde\n3,15,1900,13,19,\n",    // sections swapped
      "retrograde\n3,15,1900,13,19\n\ndirect\n4,7,1900,18,42,\n",     // bad row
      "retrograde\n3,15,1900,13,19,\n\ndirect\n4,7,1900,18,42,\n\n",  // trailing empty line
  };
  for (const std::string_view text : kBadFiles) {
    SCOPED_TRACE(std::string(text));
    EXPECT_EQ(ParseStationFile("Mercury", text), std::nullopt);
  }
}

TEST(CivilDayNumber, CountsMidnightsBetweenDates) {
  EXPECT_EQ(CivilDayNumber(1970, 1, 1), 0);
  EXPECT_EQ(CivilDayNumber(2000, 1, 1), 10957);
  EXPECT_EQ(CivilDayNumber(1900, 1, 1), -25567);
  EXPECT_EQ(CivilDayNumber(1900, 3, 1) - CivilDayNumber(1900, 2, 28), 1);  // not a leap year
  EXPECT_EQ(CivilDayNumber(2000, 3, 1) - CivilDayNumber(2000, 2, 28), 2);  // a leap year
  EXPECT_EQ(CivilDayNumber(2050, 1, 1) - CivilDayNumber(2049, 12, 31), 1);
  EXPECT_EQ(CivilDayNumber(2051, 1, 1) - CivilDayNumber(1901, 1, 1), 150 * 365 + 37);
}

TEST(FindStationTable, OnlyTheFivePlanetsHaveTables) {
  for (const std::string_view name : {"Mercury", "Venus", "Mars", "Jupiter", "Saturn"}) {
    SCOPED_TRACE(std::string(name));
    const StationTable* table = FindStationTable(name);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->planetName, name);
  }
  for (const std::string_view name : {"Sun", "Moon", "Asc", "Ascendant", "Uranus", "mercury", ""}) {
    SCOPED_TRACE(std::string(name));
    EXPECT_EQ(FindStationTable(name), nullptr);
  }
}

/// Extent of one table as published: count, first and last periods, and the
/// ranges of period length and of spacing of retrograde stations, in tenths
/// of a day.
struct TableExtent {
  std::string_view planet;
  std::size_t periods;
  std::array<std::string_view, 2> first;  ///< retrograde, direct station rows
  std::array<std::string_view, 2> last;
  std::array<std::int64_t, 2> lengthTenths;   ///< least and greatest period length
  std::array<std::int64_t, 2> spacingTenths;  ///< least and greatest spacing
};

// Published extents; rows compare exactly, lengths and spacings after
// rounding to the 0.1 day they are given to.
constexpr auto kExtents = std::to_array<TableExtent>({
    {"Mercury",
     476,
     {"3,15,1900,13,19,", "4,7,1900,18,42,"},
     {"12,1,2050,17,17,", "12,21,2050,11,33,"},
     {194, 246},
     {1079, 1257}},
    {"Venus",
     95,
     {"6,16,1900,22,56,", "7,30,1900,2,44,"},
     {"9,25,2050,22,15,", "11,6,2050,19,4,"},
     {404, 436},
     {5792, 5880}},
    {"Mars",
     71,
     {"1,13,1901,6,16,", "4,4,1901,7,21,"},
     {"7,15,2050,5,50,", "9,13,2050,9,41,"},
     {599, 811},
     {7644, 8104}},
    {"Jupiter",
     139,
     {"3,27,1900,20,39,", "7,29,1900,1,35,"},
     {"12,21,2050,13,21,", "4,21,2051,23,46,"},
     {1167, 1246},
     {3946, 4033}},
    {"Saturn",
     146,
     {"4,14,1900,6,2,", "9,2,1900,14,39,"},
     {"5,18,2050,13,6,", "10,6,2050,11,5,"},
     {1334, 1419},
     {3763, 3800}},
});
static_assert(kExtents.size() == 5);

void PrintTo(const TableExtent& extent, std::ostream* out) {
  *out << extent.planet;
}

/// Minutes since 1 January 1970 00:00 of a stored station.
std::int64_t Minutes(const StationMoment& m) {
  return CivilDayNumber(m.year, m.month, m.day) * 1440 + m.hour * 60 + m.minute;
}

/// A span of minutes in tenths of a day, rounded half up (144 minutes a tenth).
std::int64_t Tenths(std::int64_t minutes) {
  return (2 * minutes + 144) / 288;
}

/// The row a moment is written as: five numbers without leading zeros, each
/// followed by a comma.
std::string RowText(const StationMoment& m) {
  return std::to_string(m.month) + ',' + std::to_string(m.day) + ',' + std::to_string(m.year) +
         ',' + std::to_string(m.hour) + ',' + std::to_string(m.minute) + ',';
}

class StationTableData : public ::testing::TestWithParam<TableExtent> {};

TEST_P(StationTableData, HasThePublishedCountAndFirstAndLastPeriods) {
  const TableExtent& extent = GetParam();
  const StationTable* table = FindStationTable(extent.planet);
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(table->size(), extent.periods);
  ASSERT_EQ(table->stationDirect.size(), extent.periods);
  EXPECT_EQ(table->stationRetrograde.front().row, extent.first[0]);
  EXPECT_EQ(table->stationDirect.front().row, extent.first[1]);
  EXPECT_EQ(table->stationRetrograde.back().row, extent.last[0]);
  EXPECT_EQ(table->stationDirect.back().row, extent.last[1]);
}

TEST_P(StationTableData, HoldsTheInvariantsOfEveryTable) {
  const TableExtent& extent = GetParam();
  const StationTable* table = FindStationTable(extent.planet);
  ASSERT_NE(table, nullptr);
  ASSERT_GT(table->size(), 1U);
  for (std::size_t i = 0; i < table->size(); ++i) {
    SCOPED_TRACE("period " + std::to_string(i) + ": " +
                 std::string(table->stationRetrograde[i].row) + " to " +
                 std::string(table->stationDirect[i].row));
    const StationMoment& start = table->stationRetrograde[i].moment;
    const StationMoment& end = table->stationDirect[i].moment;
    // The kept periods are those whose retrograde station falls in 1900 to 2050.
    EXPECT_GE(start.year, 1900);
    EXPECT_LE(start.year, 2050);
    EXPECT_LE(end.year, 2051);
    // Rows are written without leading zeros, exactly as they parse.
    EXPECT_EQ(table->stationRetrograde[i].row, RowText(start));
    EXPECT_EQ(table->stationDirect[i].row, RowText(end));

    const std::int64_t length = Minutes(end) - Minutes(start);
    EXPECT_GT(length, 0);
    EXPECT_GE(Tenths(length), extent.lengthTenths[0]);
    EXPECT_LE(Tenths(length), extent.lengthTenths[1]);
    if (i + 1 < table->size()) {
      const StationMoment& next = table->stationRetrograde[i + 1].moment;
      // No overlap and no touch: the next period begins on a later moment.
      EXPECT_LT(Minutes(end), Minutes(next));
      // No period missing: successive retrograde stations are one synodic
      // period apart.
      const std::int64_t spacing = Minutes(next) - Minutes(start);
      EXPECT_GE(Tenths(spacing), extent.spacingTenths[0]);
      EXPECT_LE(Tenths(spacing), extent.spacingTenths[1]);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryPlanet, StationTableData, ::testing::ValuesIn(kExtents),
                         [](const ::testing::TestParamInfo<TableExtent>& info) {
                           return std::string(info.param.planet);
                         });

TEST(StationTableData, HoldsThePublishedSamplePeriods) {
  // Published periods inside the tables, by period index counted from 0.
  struct SamplePeriod {
    std::string_view planet;
    std::size_t index;
    std::string_view retrograde;
    std::string_view direct;
  };
  constexpr auto kSamples = std::to_array<SamplePeriod>({
      {"Mercury", 2, "11,9,1900,23,33,", "11,29,1900,21,28,"},
      {"Venus", 75, "5,13,2020,7,3,", "6,25,2020,7,5,"},
      {"Mars", 1, "2,18,1903,14,29,", "5,9,1903,16,14,"},
  });
  static_assert(kSamples.size() == 3);
  for (const SamplePeriod& sample : kSamples) {
    SCOPED_TRACE(std::string(sample.planet) + " period " + std::to_string(sample.index));
    const StationTable* table = FindStationTable(sample.planet);
    ASSERT_NE(table, nullptr);
    ASSERT_LT(sample.index, table->size());
    EXPECT_EQ(table->stationRetrograde[sample.index].row, sample.retrograde);
    EXPECT_EQ(table->stationDirect[sample.index].row, sample.direct);
  }
}

TEST(StationTableData, KeepsTheMercuryPeriodAcrossTheNewYearAsOnePeriod) {
  const StationTable* table = FindStationTable("Mercury");
  ASSERT_NE(table, nullptr);
  std::size_t found = 0;
  for (std::size_t i = 0; i < table->size(); ++i) {
    if (table->stationRetrograde[i].row == "12,17,2049,20,47,") {
      ++found;
      EXPECT_EQ(table->stationDirect[i].row, "1,6,2050,18,50,");
    }
    // No period begins or ends between the two stations of that period.
    EXPECT_FALSE(table->stationRetrograde[i].moment.year == 2050 &&
                 table->stationRetrograde[i].moment.month == 1 &&
                 table->stationRetrograde[i].moment.day <= 6);
  }
  EXPECT_EQ(found, 1U);
}

TEST(StationTableData, NoMarsPeriodTouches1900) {
  const StationTable* table = FindStationTable("Mars");
  ASSERT_NE(table, nullptr);
  for (std::size_t i = 0; i < table->size(); ++i) {
    EXPECT_GE(table->stationRetrograde[i].moment.year, 1901);
  }
}

}  // namespace
}  // namespace zodivane
