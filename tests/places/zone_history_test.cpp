// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/zone_history.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "places/posix_zone_rule.h"

namespace zodivane::places {
namespace {

// After 2037 the system's zone files list no transitions; the rule on their
// last line carries the clock changes on. Expected values from Python's
// zoneinfo (3.11) on the same tzdata, which applies those rules:
//   datetime(y, m, d, h, mi, tzinfo=ZoneInfo(zone), fold=0/1).utcoffset(), .tzname(),
//   and a round trip through UTC to tell a time that never happened.
TEST(ZoneHistory, TheZoneFileRuleGoesOnAfterTheLastListedTransition) {
  struct Case {
    const char* zone;
    LocalDateTime local;
    ClockTime clockTime;
    ZoneState first;
    std::optional<ZoneState> second;
  };
  const std::vector<Case> cases = {
      {"America/New_York", {2045, 7, 1, 12, 0}, ClockTime::Unique, {-14400, true, "EDT"}, {}},
      {"America/New_York",
       {2038, 3, 14, 2, 30},
       ClockTime::Nonexistent,
       {-18000, false, "EST"},
       ZoneState{-14400, true, "EDT"}},
      {"Australia/Sydney", {2038, 7, 1, 12, 0}, ClockTime::Unique, {36000, false, "AEST"}, {}},
      {"Australia/Sydney",
       {2039, 10, 2, 2, 30},
       ClockTime::Nonexistent,
       {36000, false, "AEST"},
       ZoneState{39600, true, "AEDT"}},
      {"Pacific/Auckland",
       {2040, 4, 1, 2, 30},
       ClockTime::Ambiguous,
       {46800, true, "NZDT"},
       ZoneState{43200, false, "NZST"}},
      {"Europe/London",
       {2050, 10, 30, 1, 30},
       ClockTime::Ambiguous,
       {3600, true, "BST"},
       ZoneState{0, false, "GMT"}},
      // Greenland changes its clocks at 22:00 the day before (a negative hour).
      {"America/Nuuk", {2045, 3, 25, 22, 30}, ClockTime::Unique, {-7200, false, "-02"}, {}},
      {"America/Nuuk",
       {2045, 3, 25, 23, 30},
       ClockTime::Nonexistent,
       {-7200, false, "-02"},
       ZoneState{-3600, true, "-01"}},
      {"America/Nuuk",
       {2045, 10, 28, 23, 30},
       ClockTime::Ambiguous,
       {-3600, true, "-01"},
       ZoneState{-7200, false, "-02"}},
      // Dublin's zone file counts winter as the daylight-saving period.
      {"Europe/Dublin", {2044, 1, 10, 12, 0}, ClockTime::Unique, {0, true, "GMT"}, {}},
      {"Europe/Dublin", {2044, 7, 10, 12, 0}, ClockTime::Unique, {3600, false, "IST"}, {}},
      {"America/Santiago", {2041, 1, 15, 12, 0}, ClockTime::Unique, {-10800, true, "-03"}, {}},
      {"Asia/Kathmandu", {2040, 1, 1, 0, 0}, ClockTime::Unique, {20700, false, "+0545"}, {}},
      // Before 2038 the listed transitions answer, as always.
      {"America/New_York", {2030, 7, 1, 12, 0}, ClockTime::Unique, {-14400, true, "EDT"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.local.year) + "-" +
                 std::to_string(c.local.month) + "-" + std::to_string(c.local.day) + " " +
                 std::to_string(c.local.hour) + ":" + std::to_string(c.local.minute));
    const std::optional<ZoneAtMoment> moment = ZoneAt(c.zone, c.local);
    ASSERT_TRUE(moment);
    EXPECT_EQ(moment->clockTime, c.clockTime);
    EXPECT_EQ(moment->first, c.first);
    EXPECT_EQ(moment->second, c.second);
  }
}

// New York in July 2045 is daylight saving over Eastern Standard Time, so
// the zone list can show it as EST with the box ticked.
TEST(ZoneHistory, TheRuleNamesTheStandardTimeOfADaylightPeriod) {
  const std::optional<ZoneAtMoment> moment = ZoneAt("America/New_York", {2045, 7, 1, 12, 0});
  ASSERT_TRUE(moment);
  ASSERT_TRUE(moment->standard);
  EXPECT_EQ(*moment->standard, (ZoneState{-18000, false, "EST"}));
}

TEST(PosixZoneRule, ReadsTheFormsItMeetsAndRefusesOthers) {
  for (const char* text : {"EST5EDT,M3.2.0,M11.1.0", "<+0545>-5:45", "IST-1GMT0,M10.5.0,M3.5.0/1",
                           "<-02>2<-01>,M3.5.0/-1,M10.5.0/0", "AEST-10AEDT,M10.1.0,M4.1.0/3",
                           "<-04>4<-03>,M9.1.6/24,M4.1.6/24", "WET0WEST,J60/1,J300/2", "UTC0"}) {
    SCOPED_TRACE(text);
    EXPECT_TRUE(PosixZoneRule::Parse(text));
  }
  for (const char* text : {"", "E5", "EST", "EST5EDT,M13.1.0,M11.1.0", "EST5EDT,M3.2.0",
                           "EST5EDT,M3.2.0,M11.1.0/200", "<+05", "EST5EDT,J0,J300"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(PosixZoneRule::Parse(text));
  }
}

}  // namespace
}  // namespace zodivane::places
