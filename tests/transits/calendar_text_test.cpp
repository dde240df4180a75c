// SPDX-License-Identifier: GPL-3.0-or-later
// The transit calendar in words and as an iCalendar file: the texts of
// hand-made moments compared exactly, and the file read back with libical.
#include "transits/calendar_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "transits/transit_ics.h"

#ifdef ZODIVANE_ICAL
#include <libical/ical.h>
#endif

namespace zodivane {
namespace {

std::vector<NatalPoint> Natal() {
  return {{ChartPoint::Sun, "Sun", 345.0}, {ChartPoint::Ascendant, "Ascendant", 350.0}};
}

CalendarEvent Event(CalendarEvent::Kind kind, double julianDayUt) {
  CalendarEvent event;
  event.kind = kind;
  event.julianDayUt = julianDayUt;
  return event;
}

// The texts as zodivane-chart --transit-calendar writes them after the
// moment, and its iCalendar titles and identifiers. Source: the tool's
// output of anna.zchart for 2025 (tests/cli), written out by hand.
TEST(CalendarTextTest, EachKindOfMomentInWords) {
  struct Row {
    CalendarEvent event;
    std::string columns;
    std::string uid;
  };
  // 2025-01-02 05:24:55 UT.
  const double jd = 2460677.5 + (5 * 3600 + 24 * 60 + 55) / 86400.0;
  CalendarEvent exact = Event(CalendarEvent::Kind::Exact, jd);
  exact.body = ChartPoint::Saturn;
  exact.hit = 1;
  exact.hits = 1;
  CalendarEvent second = exact;
  second.hit = 2;
  second.hits = 3;
  second.aspect = AspectKind::Square;
  second.natal = 1;
  CalendarEvent enters = Event(CalendarEvent::Kind::EntersOrb, jd);
  enters.body = ChartPoint::Jupiter;
  enters.aspect = AspectKind::Sesquiquadrate;
  CalendarEvent leaves = Event(CalendarEvent::Kind::LeavesOrb, jd);
  leaves.body = ChartPoint::Pluto;
  CalendarEvent house = Event(CalendarEvent::Kind::EntersHouse, jd);
  house.body = ChartPoint::Uranus;
  house.house = 4;
  house.sign = 2;
  house.retrograde = true;
  const std::vector<Row> rows = {
      {exact, "Saturn   exact       conjunction     natal Sun",
       "20250102t0525zexactsaturnconjunctionsun1@zodivane"},
      {second, "Saturn   exact       square          natal Ascendant (2 of 3)",
       "20250102t0525zexactsaturnsquareascendant2@zodivane"},
      {enters, "Jupiter  enters orb  sesquiquadrate  natal Sun",
       "20250102t0525zentersorbjupitersesquiquadratesun@zodivane"},
      {leaves, "Pluto    leaves orb  conjunction     natal Sun",
       "20250102t0525zleavesorbplutoconjunctionsun@zodivane"},
      {house, "Uranus   enters house 4 (Gemini), retrograde",
       "20250102t0525zentershouseuranushouse4@zodivane"},
  };
  const std::vector<NatalPoint> natal = Natal();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.columns);
    EXPECT_EQ(CalendarEventColumns(row.event, natal), row.columns);
    EXPECT_EQ(CalendarEventSummary(row.event, natal), row.columns);
    EXPECT_EQ(CalendarEventUid(row.event, natal), row.uid);
  }
  EXPECT_EQ(UtMinuteText(jd), "2025-01-02 05:25 UT");
  EXPECT_EQ(UtMinuteText(jd, true), "2025-01-02T05:25Z");
}

TEST(CalendarTextTest, TheIcsEventsOfACalendarAreItsMomentsInOrder) {
  TransitCalendar calendar;
  TransitPassage passage;
  passage.body = ChartPoint::Neptune;
  passage.entersJulianDayUt = 2460700.25;
  passage.exactJulianDaysUt = {2460750.5, 2460800.5};
  passage.leavesJulianDayUt = 2460850.75;
  calendar.passages.push_back(passage);
  calendar.houseEntries.push_back({ChartPoint::Saturn, 1, 11, 2460760.0, false});
  const std::vector<NatalPoint> natal = Natal();
  const std::vector<IcsEvent> events = IcsEventsOf(calendar, natal);
  const std::vector<CalendarEvent> moments = CalendarEvents(calendar);
  ASSERT_EQ(events.size(), 5u);
  ASSERT_EQ(moments.size(), events.size());
  std::set<std::string> uids;
  for (std::size_t i = 0; i < events.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(events[i].julianDayUt, moments[i].julianDayUt);
    EXPECT_EQ(events[i].summary, CalendarEventSummary(moments[i], natal));
    uids.insert(events[i].uid);
  }
  EXPECT_EQ(uids.size(), events.size());
  EXPECT_EQ(events[2].summary, "Saturn   enters house 1 (Pisces)");

#ifdef ZODIVANE_ICAL
  ASSERT_TRUE(IcsAvailable());
  const std::optional<std::string> text = IcsText("zodivane", "Transits of ANNA", events);
  ASSERT_TRUE(text.has_value());
  EXPECT_NE(text->find("PRODID:-//Zodivane//zodivane//EN\r\n"), std::string::npos);
  EXPECT_NE(text->find("X-WR-CALNAME:Transits of ANNA\r\n"), std::string::npos);
  icalcomponent* parsed = icalparser_parse_string(text->c_str());
  ASSERT_NE(parsed, nullptr);
  std::size_t index = 0;
  for (icalcomponent* event = icalcomponent_get_first_component(parsed, ICAL_VEVENT_COMPONENT);
       event != nullptr;
       event = icalcomponent_get_next_component(parsed, ICAL_VEVENT_COMPONENT), ++index) {
    ASSERT_LT(index, events.size());
    EXPECT_EQ(std::string(icalcomponent_get_summary(event)), events[index].summary);
    EXPECT_EQ(std::string(icalcomponent_get_uid(event)), events[index].uid);
    // The start to the second: JD 2460700.25 is 2025-01-24 18:00:00 UT.
    const icaltimetype start = icalcomponent_get_dtstart(event);
    EXPECT_TRUE(icaltime_is_utc(start));
    if (index == 0) {
      EXPECT_EQ(std::string(icaltime_as_ical_string(start)), "20250124T180000Z");
    }
  }
  EXPECT_EQ(index, events.size());
  icalcomponent_free(parsed);
#else
  EXPECT_FALSE(IcsAvailable());
  EXPECT_FALSE(IcsText("zodivane", "Transits", events).has_value());
#endif
}

}  // namespace
}  // namespace zodivane
