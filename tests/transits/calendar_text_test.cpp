// SPDX-License-Identifier: GPL-3.0-or-later
// The transit calendar in words and as an iCalendar file: the texts of
// hand-made moments compared exactly, and the file read back with libical.
#include "transits/calendar_text.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <variant>
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
// moment, and its iCalendar titles (the columns in single spaces) and
// identifiers (before the chart's tag). Source: the tool's output of
// anna.zchart for 2025 (tests/cli), written out by hand.
TEST(CalendarTextTest, EachKindOfMomentInWords) {
  struct Row {
    CalendarEvent event;
    std::string columns;
    std::string summary;
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
       "Saturn exact conjunction natal Sun", "20250102t0525zexactsaturnconjunctionsun1"},
      {second, "Saturn   exact       square          natal Ascendant (2 of 3)",
       "Saturn exact square natal Ascendant (2 of 3)", "20250102t0525zexactsaturnsquareascendant2"},
      {enters, "Jupiter  enters orb  sesquiquadrate  natal Sun",
       "Jupiter enters orb sesquiquadrate natal Sun",
       "20250102t0525zentersorbjupitersesquiquadratesun"},
      {leaves, "Pluto    leaves orb  conjunction     natal Sun",
       "Pluto leaves orb conjunction natal Sun", "20250102t0525zleavesorbplutoconjunctionsun"},
      {house, "Uranus   enters house 4 (Gemini), retrograde",
       "Uranus enters house 4 (Gemini), retrograde", "20250102t0525zentershouseuranushouse4"},
  };
  const std::vector<NatalPoint> natal = Natal();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.columns);
    EXPECT_EQ(CalendarEventColumns(row.event, natal), row.columns);
    EXPECT_EQ(CalendarEventSummary(row.event, natal), row.summary);
    EXPECT_EQ(CalendarEventUid(row.event, natal, "0123456789abcdef"),
              row.uid + "-0123456789abcdef@zodivane");
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
  const std::vector<IcsEvent> events = IcsEventsOf(calendar, natal, "ANNA");
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
  EXPECT_EQ(events[2].summary, "Saturn enters house 1 (Pisces)");

#ifdef ZODIVANE_ICAL
  ASSERT_TRUE(IcsAvailable());
  const std::optional<std::string> text =
      IcsText("zodivane", "Transits of ANNA", events, 2460700.25);
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
  EXPECT_FALSE(IcsText("zodivane", "Transits", events, 2460700.25).has_value());
#endif
}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);)
    lines.push_back(line);
  return lines;
}

// Two people whose Ascendants share a sign have house entries at the same
// moments: their events must not share a name, or a calendar program that
// holds both files keeps only one of them.
TEST(CalendarTextTest, TwoChartsNameTheirEventsApart) {
  const std::vector<NatalPoint> anna = Natal();
  const std::vector<NatalPoint> ravi = {{ChartPoint::Sun, "Sun", 100.25},
                                        {ChartPoint::Ascendant, "Ascendant", 335.5}};
  CalendarEvent house = Event(CalendarEvent::Kind::EntersHouse, 2460760.0);
  house.body = ChartPoint::Saturn;
  house.house = 1;
  house.sign = 11;
  CalendarEvent exact = Event(CalendarEvent::Kind::Exact, 2460760.0);
  exact.hit = 1;
  exact.hits = 1;
  for (const CalendarEvent& event : {house, exact}) {
    SCOPED_TRACE(CalendarEventSummary(event, anna));
    EXPECT_NE(CalendarEventUid(event, anna, ChartTag("ANNA", anna)),
              CalendarEventUid(event, ravi, ChartTag("RAVI", ravi)));
  }
  TransitCalendar calendar;
  calendar.houseEntries.push_back({ChartPoint::Saturn, 1, 11, 2460760.0, false});
  TransitPassage passage;
  passage.exactJulianDaysUt = {2460760.0};
  calendar.passages.push_back(passage);
  for (const IcsEventKind kind : {IcsEventKind::Moments, IcsEventKind::Passages}) {
    const std::vector<IcsEvent> first = IcsEventsOf(calendar, anna, "ANNA", kind);
    const std::vector<IcsEvent> second = IcsEventsOf(calendar, ravi, "RAVI", kind);
    ASSERT_EQ(first.size(), 2u);
    ASSERT_EQ(second.size(), first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
      EXPECT_NE(first[i].uid, second[i].uid);
    }
    // The same chart again: the same names, run after run.
    EXPECT_EQ(IcsEventsOf(calendar, Natal(), " ANNA ", kind), first);
  }
  // The tag: the name and every point's longitude count.
  const std::string tag = ChartTag("ANNA", anna);
  EXPECT_TRUE(std::regex_match(tag, std::regex("[0-9a-f]{16}")));
  EXPECT_NE(ChartTag("ASHA", anna), tag);  // twins
  std::vector<NatalPoint> moved = anna;
  moved[1].longitudeDeg += 1e-5;
  EXPECT_NE(ChartTag("ANNA", moved), tag);
}

// The descriptions of a real calendar: Saturn over a natal Sun at 15° Pisces
// exactly in the first months of 2025 (already within 1° on 1 January, exact
// in January, leaving in February). The positions are read from the text
// alone: at the exact hit Saturn stands within a few arc seconds of 15°
// Pisces, at its departure of 16° (the search finds the moments to a few
// seconds of time; Saturn moves 0.1° a day).
TEST(CalendarTextTest, DescriptionsGiveTheAspectItsOrbAndBothPositions) {
  const std::vector<NatalPoint> natal = {{ChartPoint::Sun, "Sun", 345.0}};
  CalendarSettings settings;
  settings.fromJulianDayUt = 2460676.5;  // 2025-01-01 00:00 UT
  settings.toJulianDayUt = 2460766.5;    // 2025-04-01 00:00 UT
  settings.bodies = {ChartPoint::Saturn};
  const auto found = FindTransitCalendar(SkyEngine::BuiltIn, natal, settings);
  ASSERT_TRUE(std::holds_alternative<TransitCalendar>(found));
  const TransitCalendar& calendar = std::get<TransitCalendar>(found);
  ASSERT_EQ(calendar.passages.size(), 1u);
  const TransitPassage& passage = calendar.passages.front();
  ASSERT_FALSE(passage.entersJulianDayUt.has_value());
  ASSERT_EQ(passage.exactJulianDaysUt.size(), 1u);
  ASSERT_TRUE(passage.leavesJulianDayUt.has_value());

  const std::string natalSun = R"(natal Sun at 15° 0' 0" Pis)";
  const std::string atExact = R"re(Saturn at (15° 0' [0-9]|14° 59' 5[0-9])" Pis)re";
  const std::string atLeaving = R"re(Saturn at (16° 0' [0-9]|15° 59' 5[0-9])" Pis)re";
  struct Row {
    CalendarEvent::Kind kind;
    std::string first;
    std::string second;  // a regular expression
  };
  const std::vector<Row> rows = {
      {CalendarEvent::Kind::Exact, "Saturn conjunction natal Sun, orb 0°00'",
       atExact + ", " + natalSun},
      {CalendarEvent::Kind::LeavesOrb, "Saturn conjunction natal Sun, orb 1°00'",
       atLeaving + ", " + natalSun},
  };
  const std::vector<CalendarEvent> events = CalendarEvents(calendar);
  ASSERT_EQ(events.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(rows[i].first);
    ASSERT_EQ(events[i].kind, rows[i].kind);
    const std::vector<std::string> lines =
        LinesOf(CalendarEventDescription(events[i], natal, SkyEngine::BuiltIn));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], rows[i].first);
    EXPECT_TRUE(std::regex_match(lines[1], std::regex(rows[i].second))) << lines[1];
  }

  // The passage as one event: from the start of the period (already within)
  // to the moment it leaves, each moment a line of its description.
  const std::vector<IcsEvent> passages =
      IcsEventsOf(calendar, natal, "ANNA", IcsEventKind::Passages);
  ASSERT_EQ(passages.size(), 1u);
  EXPECT_EQ(passages[0].summary, "Saturn conjunction natal Sun");
  EXPECT_EQ(passages[0].julianDayUt, settings.fromJulianDayUt);
  EXPECT_EQ(passages[0].endJulianDayUt, *passage.leavesJulianDayUt);
  const std::vector<std::string> lines = LinesOf(passages[0].description);
  ASSERT_EQ(lines.size(), 4u) << passages[0].description;
  EXPECT_EQ(lines[0], "Saturn conjunction natal Sun within 1°00', " + natalSun);
  EXPECT_TRUE(std::regex_match(
      lines[1], std::regex(R"(already within orb at the start of the period, 2025-01-01 00:00 UT, )"
                           R"(Saturn at 14° [0-9]+' [0-9]+" Pis, orb 0°[0-9]{2}')")))
      << lines[1];
  EXPECT_TRUE(std::regex_match(lines[2], std::regex("exact " + UtMinuteText(events[0].julianDayUt) +
                                                    ", " + atExact + ", orb 0°00'")))
      << lines[2];
  EXPECT_TRUE(
      std::regex_match(lines[3], std::regex("leaves orb " + UtMinuteText(events[1].julianDayUt) +
                                            ", " + atLeaving + ", orb 1°00'")))
      << lines[3];

#ifdef ZODIVANE_ICAL
  // Read back: the description whole (commas, degree signs, line breaks),
  // the passage's end, and the stamp of the moment the file was written,
  // whatever the events' moments.
  const double written = 2461000.5;  // 2025-11-21 00:00 UT
  for (const IcsEventKind kind : {IcsEventKind::Moments, IcsEventKind::Passages}) {
    const std::vector<IcsEvent> expected = IcsEventsOf(calendar, natal, "ANNA", kind);
    const std::optional<std::string> text = IcsText("zodivane", "Transits", expected, written);
    ASSERT_TRUE(text.has_value());
    icalcomponent* parsed = icalparser_parse_string(text->c_str());
    ASSERT_NE(parsed, nullptr);
    std::size_t index = 0;
    for (icalcomponent* event = icalcomponent_get_first_component(parsed, ICAL_VEVENT_COMPONENT);
         event != nullptr;
         event = icalcomponent_get_next_component(parsed, ICAL_VEVENT_COMPONENT), ++index) {
      ASSERT_LT(index, expected.size());
      EXPECT_EQ(std::string(icalcomponent_get_description(event)), expected[index].description);
      EXPECT_EQ(std::string(icaltime_as_ical_string(icalcomponent_get_dtstamp(event))),
                "20251121T000000Z");
      const icaltimetype end = icalcomponent_get_dtend(event);
      const double endDay =
          JulianDayOfUt({end.year, end.month, end.day, end.hour, end.minute, end.second});
      EXPECT_NEAR(endDay, expected[index].endJulianDayUt, 0.51 / 86400.0);
    }
    EXPECT_EQ(index, expected.size());
    icalcomponent_free(parsed);
  }
#endif
}

}  // namespace
}  // namespace zodivane
