// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/time_zones.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace zodivane {
namespace {

// Rows that show every kind of entry: half hours, the ".3" that means 30
// minutes, the largest corrections, both zero rows, the spaced texts and the
// rows whose names or abbreviations repeat. Values from the zone list.
TEST(TimeZoneTable, TellingRowsHoldTheirTextsAndCorrections) {
  struct Row {
    int position;
    const char* text;
    int hours;
    int minutes;
  };
  const std::vector<Row> rows = {
      {0, "Alaska/Hawaii Daylight Time,AHDT,-9.0", 9, 0},
      {5, "Australian Central Daylight Time,ACDT,+10.5", -10, -30},
      {11, "Azores Time, AT, -2.0", 2, 0},
      {24, "Eastern Daylight Time,EDT,-4.0", 4, 0},
      {27, "Eastern Standard Time,EST,-5.0", 5, 0},
      {29, "Greenwich Mean Time,GMT,0.0", 0, 0},
      {31, "Hawaiian Daylight Time,HDT,-9.5", 9, 30},
      {32, "Hawaiian Standard Time,HST,-10.5", 10, 30},
      {34, "Indian Time, IST, +5.3", -5, -30},
      {35, "Int'l Date Line East,IDLE,+12.0", -12, 0},
      {36, "Int'l Date Line West,IDLW,-12.0", 12, 0},
      {46, "New Zealand Std Summer Time,NZST,+13.0", -13, 0},
      {50, "Newfoundland Standard Time,NST,-3.5", 3, 30},
      {51, "Nome Time, NT, -11.0", 11, 0},
      {52, "North Sumatra Time,NST,+6.5", -6, -30},
      {56, "South Australia Daylight Time,SAD,+10.5", -10, -30},
      {57, "South Australia Daylight Time,SDT,+10.5", -10, -30},
      {58, "South Australia Standard Time,SAST,+9.5", -9, -30},
      {59, "South Australia Standard Time,SAT,+9.5", -9, -30},
      {61, "Universal Time, UT, 0.0", 0, 0},
      {70, "Yukon War Time,YWT,-8.0", 8, 0},
  };
  ASSERT_EQ(kTimeZoneTable.size(), 71u);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.position);
    const TimeZoneRow& zone = kTimeZoneTable[row.position];
    EXPECT_EQ(zone.text, row.text);
    EXPECT_EQ(zone.toUtHours, row.hours);
    EXPECT_EQ(zone.toUtMinutes, row.minutes);
  }
  EXPECT_EQ(kTimeZoneTable[kDefaultTimeZone].text, "Greenwich Mean Time,GMT,0.0");
}

// Every row's stored correction agrees with its offset text: sign reversed,
// whole hours from the integer part, ".5" and ".3" as 30 minutes of the same
// sign, ".0" as none. Catches a row typed with the wrong correction.
TEST(TimeZoneTable, EveryCorrectionFollowsTheOffsetInItsText) {
  std::set<std::string_view> texts;
  for (int position = 0; position < kTimeZoneCount; ++position) {
    const TimeZoneRow& zone = kTimeZoneTable[position];
    SCOPED_TRACE(zone.text);
    texts.insert(zone.text);
    const std::string_view offset = zone.text.substr(zone.text.rfind(',') + 1);
    const std::string trimmed(offset.substr(offset.find_first_not_of(' ')));
    const int sign = trimmed.front() == '-' ? -1 : 1;
    const std::size_t digits = trimmed.find_first_of("0123456789");
    const std::size_t point = trimmed.find('.');
    ASSERT_NE(point, std::string::npos);
    const int hours = std::stoi(trimmed.substr(digits, point - digits));
    const std::string fraction = trimmed.substr(point + 1);
    ASSERT_TRUE(fraction == "0" || fraction == "5" || fraction == "3");
    const int minutes = fraction == "0" ? 0 : 30;
    EXPECT_EQ(zone.toUtHours, -sign * hours);
    EXPECT_EQ(zone.toUtMinutes, -sign * minutes);
    EXPECT_TRUE(zone.toUtMinutes == 0 || (zone.toUtMinutes > 0) == (zone.toUtHours > 0));
  }
  EXPECT_EQ(texts.size(), 71u) << "every text appears once";
}

TEST(ZoneCalculation, WritesTheRowsPairAndNothingElse) {
  ChartInput input;
  input.zoneHours = 7;
  input.year = 1980;
  Zone_Calculation(34, input);
  EXPECT_EQ(input.toUtHours, -5);
  EXPECT_EQ(input.toUtMinutes, -30);
  EXPECT_EQ(input.zoneHours, 7);
  EXPECT_EQ(input.year, 1980);

  Zone_Calculation(50, input);
  EXPECT_EQ(input.toUtHours, 3);
  EXPECT_EQ(input.toUtMinutes, 30);
}

TEST(ZoneCalculation, PositionOutsideTheListChangesNothing) {
  for (const int position : {-1, 71, 1000}) {
    SCOPED_TRACE(position);
    ChartInput input;
    EXPECT_EQ(input.toUtHours, 0);
    Zone_Calculation(position, input);
    EXPECT_EQ(input, ChartInput{});

    Zone_Calculation(46, input);
    Zone_Calculation(position, input);
    EXPECT_EQ(input.toUtHours, -13);
    EXPECT_EQ(input.toUtMinutes, 0);
  }
}

}  // namespace
}  // namespace zodivane
