// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart's transits and synastry: --transits, --compare and
// --transit-calendar as text and JSON, --ics read back with libical, and
// the errors of the flags.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <libical/ical.h>
#include <nlohmann/json.hpp>

#include "ephemeris/sky_at.h"
#include "tests/cli/entries_json.h"
#include "tests/support/sample_entries.h"
#include "tests/support/tool_runs.h"
#include "tools/zodivane_chart/transit_output.h"

namespace zodivane::chart_tool {
namespace {

using Json = nlohmann::json;
using ::testing::HasSubstr;

// Asha Mehra: New Delhi, 5 March 1980, 07:05 Indian Time.
const std::string kAnnaFile = std::string(ZODIVANE_CLI_TEST_DATA) + "/anna.zchart";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);)
    lines.push_back(line);
  return lines;
}

TEST(TransitsCliTest, TransitsAtAMomentAsTextAndJson) {
  const ToolRun text = RunTool(With(kAshaFlags, {"--transits", "2025-03-05T14:30"}));
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_THAT(text.out, HasSubstr("Transits at 2025-03-05 14:30 UT (orb 3\u00B0)\n"));

  const ToolRun json = RunTool(With(kAshaFlags, {"--transits=2025-03-05T14:30", "--json"}));
  ASSERT_EQ(json.status, 0) << json.err;
  const Json answer = Json::parse(json.out);
  EXPECT_EQ(answer["transits"]["at"], "2025-03-05T14:30Z");
  EXPECT_EQ(answer["transits"]["orb"], 3.0);
  const Json& aspects = answer["transits"]["aspects"];
  ASSERT_FALSE(aspects.empty());
  // One text line per aspect after the heading.
  EXPECT_EQ(Lines(text.out).size(), aspects.size() + 1);
  for (const Json& aspect : aspects) {
    EXPECT_LE(aspect["orb"].get<double>(), 3.0);
    EXPECT_THAT(text.out, HasSubstr(aspect["transiting"].get<std::string>()));
  }
  // Left out, the moment is now.
  const ToolRun now = RunTool(With(kAshaFlags, {"--transits"}));
  ASSERT_EQ(now.status, 0) << now.err;
  EXPECT_THAT(now.out, HasSubstr("Transits at "));
}

// A JSON line's "transits" key adds the member --transits --json prints,
// as the answer's last; false or no key leave the answer as it was.
TEST(TransitsCliTest, TransitsInAJsonLine) {
  auto line = [](const Json& extra) {
    Json entries = test::EntriesJson(test::AnnaInDelhi());
    entries.update(extra);
    return entries.dump() + "\n";
  };
  const ToolRun plain = RunTool({"--json"}, line(Json::object()));
  ASSERT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(RunTool({"--json"}, line({{"transits", false}})).out, plain.out);

  const ToolRun asked = RunTool({"--json"}, line({{"transits", "2025-03-05T14:30"}}));
  ASSERT_EQ(asked.status, 0) << asked.err;
  Json answer = Json::parse(asked.out);
  const Json transits = answer["transits"];
  answer.erase("transits");
  EXPECT_EQ(answer, Json::parse(plain.out));
  const ToolRun flags = RunTool({"--chart", std::string(ZODIVANE_CLI_TEST_DATA) + "/anna.zchart",
                                 "--transits", "2025-03-05T14:30", "--json"});
  ASSERT_EQ(flags.status, 0) << flags.err;
  EXPECT_EQ(transits, Json::parse(flags.out)["transits"]);

  EXPECT_TRUE(
      Json::parse(RunTool({"--json"}, line({{"transits", true}})).out).contains("transits"));
  for (const Json& bad : {Json(5), Json("2025-13-01"), Json("1850-01-01")}) {
    const Json error = Json::parse(RunTool({"--json"}, line({{"transits", bad}})).out);
    EXPECT_THAT(error["error"].get<std::string>(), HasSubstr("key \"transits\""));
  }
}

TEST(TransitsCliTest, SynastryWithAChartFile) {
  const ToolRun json = RunTool({"--chart", kAnnaFile, "--compare", kAnnaFile, "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  const Json answer = Json::parse(json.out);
  EXPECT_EQ(answer["synastry"]["with"], "ANNA");
  // A chart compared with itself: each point conjoins itself exactly.
  int selfConjunctions = 0;
  for (const Json& aspect : answer["synastry"]["aspects"]) {
    EXPECT_LE(aspect["orb"].get<double>(), 6.0);
    if (aspect["a"] == aspect["b"]) {
      EXPECT_EQ(aspect["aspect"], "conjunction");
      EXPECT_EQ(aspect["orb"], 0.0);
      ++selfConjunctions;
    }
  }
  EXPECT_EQ(selfConjunctions, 11);
  const ToolRun text = RunTool(With(kAshaFlags, {"--compare", kAnnaFile}));
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_THAT(text.out, HasSubstr("Synastry with ANNA (orb 6\u00B0)\n"));
}

TEST(TransitsCliTest, CalendarLinesJsonLinesAndIcsAgree) {
  const std::vector<std::string> calendar =
      With(kAshaFlags, {"--transit-calendar", "2025-01-01..2025-12-31"});
  const ToolRun text = RunTool(calendar);
  ASSERT_EQ(text.status, 0) << text.err;
  const ToolRun json = RunTool(With(calendar, {"--json"}));
  ASSERT_EQ(json.status, 0) << json.err;
  const std::vector<std::string> textLines = Lines(text.out);
  const std::vector<std::string> jsonLines = Lines(json.out);
  ASSERT_EQ(textLines.size(), jsonLines.size());
  ASSERT_GT(jsonLines.size(), 5u);
  std::string previous;
  for (std::size_t i = 0; i < jsonLines.size(); ++i) {
    const Json event = Json::parse(jsonLines[i]);
    const std::string time = event["time"];
    EXPECT_GE(time, "2025-01-01T00:00Z");
    EXPECT_LE(time, "2026-01-01T00:00Z");
    EXPECT_GE(time, previous);
    previous = time;
    // The text line starts with the same moment and names the body.
    EXPECT_EQ(textLines[i].substr(0, 16), time.substr(0, 10) + " " + time.substr(11, 5));
    EXPECT_THAT(textLines[i], HasSubstr(event["body"].get<std::string>()));
  }

  // The iCalendar file, read back with libical: the same moments in order.
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("zodivane-transits-" + std::to_string(::getpid()) + ".ics");
  const ToolRun ics = RunTool(With(calendar, {"--ics", path.string()}));
  ASSERT_EQ(ics.status, 0) << ics.err;
  EXPECT_TRUE(ics.out.empty());
  std::ifstream file(path);
  const std::string contents((std::istreambuf_iterator<char>(file)), {});
  std::filesystem::remove(path);
  // "-" writes the same calendar to standard output, as --report-rtf - does.
  const ToolRun toOutput = RunTool(With(calendar, {"--ics", "-"}));
  EXPECT_EQ(toOutput.status, 0) << toOutput.err;
  EXPECT_EQ(toOutput.out, contents);
  EXPECT_FALSE(std::filesystem::exists("-"));
  icalcomponent* parsed = icalparser_parse_string(contents.c_str());
  ASSERT_NE(parsed, nullptr);
  std::vector<std::string> summaries;
  std::size_t index = 0;
  for (icalcomponent* event = icalcomponent_get_first_component(parsed, ICAL_VEVENT_COMPONENT);
       event != nullptr;
       event = icalcomponent_get_next_component(parsed, ICAL_VEVENT_COMPONENT), ++index) {
    ASSERT_LT(index, jsonLines.size());
    const Json expected = Json::parse(jsonLines[index]);
    const icaltimetype start = icalcomponent_get_dtstart(event);
    EXPECT_TRUE(icaltime_is_utc(start));
    // Seconds rounded to the minute may carry into the hour: compare as moments.
    const double startDay =
        JulianDayOfUt({start.year, start.month, start.day, start.hour, start.minute, start.second});
    const std::string want = expected["time"];
    const double wantDay = JulianDayOfUt(
        {std::stoi(want.substr(0, 4)), std::stoi(want.substr(5, 2)), std::stoi(want.substr(8, 2)),
         std::stoi(want.substr(11, 2)), std::stoi(want.substr(14, 2)), 0});
    EXPECT_NEAR(startDay, wantDay, 31.0 / 86400.0) << want;
    const std::string summary = icalcomponent_get_summary(event);
    EXPECT_THAT(summary, HasSubstr(expected["body"].get<std::string>()));
    EXPECT_NE(icalcomponent_get_uid(event), nullptr);
  }
  EXPECT_EQ(index, jsonLines.size());
  icalcomponent_free(parsed);
}

TEST(TransitsCliTest, ErrorsNameTheFlag) {
  struct Row {
    std::vector<std::string> extra;
    int status;
    std::string message;
  };
  const std::vector<Row> rows = {
      {{"--transits", "2025-13-01"}, 2, "--transits must be a UT date"},
      {{"--transits", "2025-03-05 14:30"}, 2, "--transits must be a UT date"},
      {{"--transits", "1850-01-01"}, 2, "--transits: the year must be 1900 to 2099"},
      {{"--transit-calendar", "2025-01-01"}, 2, "--transit-calendar must be FROM..TO"},
      {{"--transit-calendar", "2025-02-01..2025-01-01"}, 2, "must end after it begins"},
      {{"--transit-calendar", "2020-01-01..2035-01-01"}, 2, "at most ten years"},
      // Ten years from a day are 3,652 or 3,653 days, never 3,660.
      {{"--transit-calendar", "2025-01-01..2035-01-08"}, 2, "at most ten years"},
      {{"--transit-calendar", "2025-01-01..2035-01-01"}, 2, "at most ten years"},
      {{"--transit-calendar", "2024-02-29..2034-03-01"}, 2, "at most ten years"},
      {{"--transit-calendar", "--ics", "-", "--transits"}, 2, "leave out --transits"},
      {{"--ics", "x.ics"}, 2, "--ics goes with --transit-calendar"},
      {{"--transit-calendar", "--ics", "x.ics", "--json"}, 2, "leave out --json"},
      {{"--transits", "--transits"}, 2, "--transits is given twice"},
      {{"--compare", "/nonexistent/b.zchart"}, 1, "--compare: cannot read /nonexistent/b.zchart"},
      {{"--compare"}, 2, "--compare needs a value"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.message);
    const ToolRun run = RunTool(With(kAshaFlags, row.extra));
    EXPECT_EQ(run.status, row.status);
    EXPECT_THAT(run.err, HasSubstr(row.message));
    EXPECT_TRUE(run.out.empty());
  }
  // The longest periods that are still ten years.
  for (const std::string period : {"2025-01-01..2034-12-31", "2024-02-29..2034-02-28"}) {
    SCOPED_TRACE(period);
    TransitFlags flags;
    flags.calendar = period;
    EXPECT_TRUE(std::holds_alternative<TransitRequest>(ReadTransitFlags(flags)));
  }
  const ToolRun listed = RunTool({"--list-zones", "--transits"});
  EXPECT_EQ(listed.status, 2);
}

/// The VEVENTs of an iCalendar file the tool wrote, read back with libical.
struct IcsRead {
  std::string summary;
  std::string description;
  std::string uid;
  double startDay = 0;  ///< Julian days in UT
  double endDay = 0;
  double stampDay = 0;
};

double DayOf(const icaltimetype& time) {
  return JulianDayOfUt({time.year, time.month, time.day, time.hour, time.minute, time.second});
}

std::vector<IcsRead> WriteAndReadIcs(const std::vector<std::string>& args) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() /
      ("zodivane-transits-read-" + std::to_string(::getpid()) + ".ics");
  std::vector<std::string> all = args;
  all.insert(all.end(), {"--ics", path.string()});
  const ToolRun run = RunTool(all);
  EXPECT_EQ(run.status, 0) << run.err;
  std::ifstream file(path);
  const std::string contents((std::istreambuf_iterator<char>(file)), {});
  std::filesystem::remove(path);
  std::vector<IcsRead> events;
  icalcomponent* parsed = icalparser_parse_string(contents.c_str());
  if (parsed == nullptr) {
    ADD_FAILURE() << "libical could not read the file";
    return events;
  }
  for (icalcomponent* event = icalcomponent_get_first_component(parsed, ICAL_VEVENT_COMPONENT);
       event != nullptr; event = icalcomponent_get_next_component(parsed, ICAL_VEVENT_COMPONENT)) {
    const char* description = icalcomponent_get_description(event);
    events.push_back({icalcomponent_get_summary(event), description ? description : "",
                      icalcomponent_get_uid(event), DayOf(icalcomponent_get_dtstart(event)),
                      DayOf(icalcomponent_get_dtend(event)),
                      DayOf(icalcomponent_get_dtstamp(event))});
  }
  icalcomponent_free(parsed);
  return events;
}

// The file's events: titles in single spaces, a description with the
// aspect, its orb and both positions, the stamp of the moment the file was
// written, names that differ from another chart's, and with --ics-passages
// one event per passage holding the same exact moments as the lines.
TEST(TransitsCliTest, IcsEventsDescribeStampAndNameEachChartApart) {
  const std::vector<std::string> period = {"--transit-calendar", "2025-01-01..2025-12-31"};
  const double before = TransitMomentNow();
  const std::vector<IcsRead> asha = WriteAndReadIcs(With(kAshaFlags, period));
  const double after = TransitMomentNow();
  ASSERT_GT(asha.size(), 5u);
  for (const IcsRead& event : asha) {
    SCOPED_TRACE(event.summary);
    EXPECT_EQ(event.summary.find("  "), std::string::npos);
    EXPECT_GE(event.stampDay, before - 1.0 / 86400.0);
    EXPECT_LE(event.stampDay, after + 1.0 / 86400.0);
    const std::vector<std::string> lines = Lines(event.description);
    ASSERT_EQ(lines.size(), 2u);
    if (event.summary.find("enters house") == std::string::npos) {
      // "Saturn conjunction natal Sun, orb 0°00'" over both positions.
      EXPECT_THAT(lines[0], ::testing::MatchesRegex(".* natal .*, orb [01]°[0-9][0-9]'"));
      EXPECT_THAT(lines[1], ::testing::MatchesRegex(".* at .*, natal .* at .*"));
    } else {
      EXPECT_EQ(lines[0], event.summary);
    }
  }
  // ANNA was born when and where Asha was: still no name in common.
  std::vector<std::string> annaArgs = {"--chart", kAnnaFile};
  annaArgs.insert(annaArgs.end(), period.begin(), period.end());
  const std::vector<IcsRead> anna = WriteAndReadIcs(annaArgs);
  ASSERT_FALSE(anna.empty());
  std::set<std::string> uids;
  for (const IcsRead& event : asha)
    uids.insert(event.uid);
  for (const IcsRead& event : anna)
    EXPECT_EQ(uids.count(event.uid), 0u) << event.uid;

  // One event per passage: its exact moments are the lines' exact moments.
  const ToolRun json = RunTool(With(With(kAshaFlags, period), {"--json"}));
  std::multiset<std::string> exactLines;
  std::size_t houseLines = 0;
  for (const std::string& line : Lines(json.out)) {
    const Json event = Json::parse(line);
    const std::string time = event["time"];
    if (event["event"] == "exact")
      exactLines.insert(time.substr(0, 10) + " " + time.substr(11, 5) + " UT");
    houseLines += event["event"] == "entersHouse" ? 1 : 0;
  }
  std::vector<std::string> passageArgs = With(kAshaFlags, period);
  passageArgs.push_back("--ics-passages");
  const std::vector<IcsRead> passages = WriteAndReadIcs(passageArgs);
  std::multiset<std::string> exactInDescriptions;
  std::size_t houseEvents = 0;
  for (const IcsRead& event : passages) {
    SCOPED_TRACE(event.summary);
    if (event.summary.find("enters house") != std::string::npos) {
      ++houseEvents;
      continue;
    }
    EXPECT_LT(event.startDay, event.endDay);
    const std::regex exact(R"(exact (\(\d of \d\) )?(\d{4}-\d\d-\d\d \d\d:\d\d UT), .*)");
    for (const std::string& line : Lines(event.description)) {
      std::smatch match;
      if (std::regex_match(line, match, exact))
        exactInDescriptions.insert(match[2]);
    }
  }
  EXPECT_EQ(houseEvents, houseLines);
  EXPECT_FALSE(exactLines.empty());
  EXPECT_EQ(exactInDescriptions, exactLines);
  EXPECT_LT(passages.size(), asha.size());

  const ToolRun alone = RunTool(With(With(kAshaFlags, period), {"--ics-passages"}));
  EXPECT_EQ(alone.status, 2);
  EXPECT_THAT(alone.err, HasSubstr("--ics-passages goes with --ics"));
}

}  // namespace
}  // namespace zodivane::chart_tool
