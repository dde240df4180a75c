// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart with the place finder: --place casts the same chart as the
// same place entered by hand, given flags and keys win, a query without
// matches is an error; --find-place lists; the JSON key "place".
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "common/text_helpers.h"
#include "tests/support/tool_runs.h"
#include "tools/zodivane_chart/io.h"
#include "tools/zodivane_chart/place_lookup.h"
#include "tools/zodivane_chart/tool.h"

namespace zodivane::chart_tool {
namespace {

// The zone database's answers (checked with Python's zoneinfo, same tzdata)
// and the GeoNames coordinates rounded to the minute, entered by hand.
TEST(PlaceFlags, PlaceCastsTheChartEnteredByHandAndPrintsTheNote) {
  struct Case {
    const char* query;
    const char* date;
    const char* time;
    std::vector<std::string> byHand;  // zone, coordinates, place
    const char* place;
    const char* note;
    /// The warning line of a clock time skipped or repeated; none otherwise.
    const char* warning = nullptr;
  };
  const std::vector<Case> cases = {
      {"Delhi",
       "1980-03-05",
       "10:30",
       {"--zone", "34", "--lat", "28N39", "--lon", "77E14", "--city", "Delhi", "--state",
        "National Capital Territory of Delhi", "--country", "India"},
       "Delhi, National Capital Territory of Delhi, India",
       "Asia/Kolkata on 5 March 1980 at 10:30: IST, UT+5:30, no daylight saving"},
      {"New York",
       "1990-07-04",
       "12:00",
       {"--zone", "Eastern Daylight Time,EDT,-4.0", "--lat", "40N43", "--lon", "74W0", "--city",
        "New York", "--state", "New York", "--country", "United States of America"},
       "New York, New York, United States of America",
       "America/New_York on 4 July 1990 at 12:00: EDT, UT-4:00, daylight saving"},
      {"Paris, France",
       "1990-07-14",
       "12:00",
       {"--zone", "Central European Time,CET,+1.0", "--dst", "--lat", "48N51", "--lon", "2E21",
        "--city", "Paris", "--state", "Île-de-France Region", "--country", "France"},
       "Paris, Île-de-France Region, France",
       "Europe/Paris on 14 July 1990 at 12:00: CEST, UT+2:00, daylight saving"},
      {"London",
       "1944-06-06",
       "06:30",
       {"--zone", "British Double Summer Time,BDST,+2.0", "--lat", "51N31", "--lon", "0W8",
        "--city", "London", "--state", "England", "--country", "United Kingdom"},
       "London, England, United Kingdom",
       "Europe/London on 6 June 1944 at 6:30: BDST, UT+2:00, daylight saving"},
      {"Sydney",
       "2000-01-15",
       "23:59",
       {"--zone", "Australian Eastern Daylight Time,AEDT,+11.0", "--lat", "33S52", "--lon",
        "151E12", "--city", "Sydney", "--state", "New South Wales", "--country", "Australia"},
       "Sydney, New South Wales, Australia",
       "Australia/Sydney on 15 January 2000 at 23:59: AEDT, UT+11:00, daylight saving"},
      {"New York",
       "2021-03-14",
       "02:30",
       {"--zone", "27", "--lat", "40N43", "--lon", "74W0", "--city", "New York", "--state",
        "New York", "--country", "United States of America"},
       "New York, New York, United States of America",
       "America/New_York on 14 March 2021 at 2:30: this clock time never happened, the clocks "
       "jumped from EST, UT-5:00, no daylight saving to EDT, UT-4:00, daylight saving; cast as "
       "02:30 EST, UT-5:00",
       "New York on 14 March 2021 at 2:30: this clock time never happened, the clocks jumped "
       "from EST, UT-5:00 to EDT, UT-4:00; the chart reads it as EST, UT-5:00"},
      {"New York",
       "2021-11-07",
       "01:30",
       {"--zone", "24", "--lat", "40N43", "--lon", "74W0", "--city", "New York", "--state",
        "New York", "--country", "United States of America"},
       "New York, New York, United States of America",
       "America/New_York on 7 November 2021 at 1:30: this clock time happened twice, first EDT, "
       "UT-4:00, daylight saving, then EST, UT-5:00, no daylight saving; the chart uses the "
       "first. For the second, choose \"Eastern Standard Time\" with Daylight Saving Time clear",
       "New York on 7 November 2021 at 1:30: this clock time happened twice, first EDT, "
       "UT-4:00, then EST, UT-5:00; the chart uses the first, EDT, UT-4:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.query) + " " + c.date);
    const std::vector<std::string> common = {"--name", "Asha", "--date", c.date, "--time", c.time};
    std::vector<std::string> found = common;
    found.insert(found.end(), {"--place", c.query});
    std::vector<std::string> hand = common;
    hand.insert(hand.end(), c.byHand.begin(), c.byHand.end());

    const ToolRun byFinder = RunTool(found);
    const ToolRun byHand = RunTool(hand);
    ASSERT_EQ(byHand.status, 0) << byHand.err;
    ASSERT_EQ(byFinder.status, 0) << byFinder.err;
    EXPECT_EQ(byFinder.out,
              byHand.out + "\nPlace:          " + c.place + "\nZone:           " + c.note +
                  (c.warning != nullptr ? std::string("\nWarning:        ") + c.warning : "") +
                  "\n");
  }
}

// An explicit flag wins over the finder's value; the others are filled.
TEST(PlaceFlags, GivenFlagsWin) {
  const ToolRun mixed =
      RunTool({"--name", "Asha", "--date", "1980-03-05", "--time", "7:05", "--place", "Delhi",
               "--lat", "28N38", "--zone", "0", "--dst", "--city", "Old Delhi"});
  const ToolRun hand =
      RunTool({"--name", "Asha", "--date", "1980-03-05", "--time", "7:05", "--lat", "28N38",
               "--lon", "77E14", "--zone", "0", "--dst", "--city", "Old Delhi", "--state",
               "National Capital Territory of Delhi", "--country", "India"});
  ASSERT_EQ(mixed.status, 0) << mixed.err;
  // Both charts alike; the hand-entered one warns of the daylight row ticked
  // twice, the placed one that the form disagrees with Delhi's zone.
  const std::string chart = hand.out.substr(0, hand.out.find("\nWarning:"));
  EXPECT_TRUE(mixed.out.starts_with(chart));
  EXPECT_NE(hand.out.find("Warning:        Alaska/Hawaii Daylight Time already includes"),
            std::string::npos);
  EXPECT_NE(mixed.out.find("Warning:        The form gives UT-8:00; Delhi on 5 March 1980 at "
                           "7:05 is UT+5:30 (IST)"),
            std::string::npos)
      << mixed.out;

  // --dst alone ticks the box over the finder's choice of EST.
  const ToolRun ticked = RunTool(
      {"--name", "A", "--date", "1990-01-04", "--time", "12:00", "--place", "New York", "--dst"});
  const ToolRun tickedByHand =
      RunTool({"--name", "A", "--date", "1990-01-04", "--time", "12:00", "--zone", "27", "--dst",
               "--lat", "40N43", "--lon", "74W0", "--city", "New York", "--state", "New York",
               "--country", "United States of America"});
  EXPECT_TRUE(ticked.out.starts_with(tickedByHand.out));
}

TEST(PlaceFlags, AQueryWithoutMatchesIsAnErrorNamingIt) {
  const ToolRun cast =
      RunTool({"--name", "A", "--date", "1990-01-04", "--time", "12:00", "--place", "Xyzzyville"});
  EXPECT_EQ(cast.status, 1);
  EXPECT_TRUE(cast.out.empty());
  EXPECT_EQ(cast.err, "zodivane-chart: no place matches \"Xyzzyville\"\n");

  const ToolRun find = RunTool({"--find-place", "Xyzzyville"});
  EXPECT_EQ(find.status, 1);
  EXPECT_TRUE(find.out.empty());
  EXPECT_EQ(find.err, "zodivane-chart: no place matches \"Xyzzyville\"\n");
}

// A letter or a short word begins many names: unless a place bears it whole
// ("Aue"), --place and a line's "place" do not pick the most populous of
// them silently, while --find-place lists them as for any query.
TEST(PlaceFlags, AShortNameThatIsNoPlacesWholeNameIsAmbiguous) {
  struct Case {
    std::string query;
    bool ambiguous;
  };
  const std::vector<Case> cases = {
      {"x", true},   {"X", true},     {"Au", true},      {"Aue", false},
      {" x ", true}, {"Auer", false}, {"New Yo", false},
  };
  const auto message = [](const std::string& query) {
    return "the place name " + Quoted(query) +
           " is ambiguous: it begins the names of several places and is none's whole name; "
           "give more of the name (--find-place lists the matches)";
  };
  PlaceBook book;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    const auto found = FindPlace(book, c.query);
    if (!c.ambiguous) {
      EXPECT_TRUE(std::holds_alternative<places::Place>(found));
      continue;
    }
    ASSERT_TRUE(std::holds_alternative<std::string>(found));
    EXPECT_EQ(std::get<std::string>(found), message(c.query));
    EXPECT_GT(book.gazetteer().Search(c.query).size(), 1u);
  }
  const ToolRun cast =
      RunTool({"--name", "A", "--date", "1990-01-04", "--time", "12:00", "--place", "x"});
  EXPECT_EQ(cast.status, 1);
  EXPECT_TRUE(cast.out.empty());
  EXPECT_EQ(cast.err, "zodivane-chart: " + message("x") + "\n");
  const ToolRun find = RunTool({"--find-place", "x"});
  EXPECT_EQ(find.status, 0) << find.err;
  EXPECT_GT(std::count(find.out.begin(), find.out.end(), '\n'), 1);
  const ToolRun line = RunTool(
      {"--json"}, R"({"txtName":"A","place":"x","cboMonthIndex":0,"cboDateIndex":0,)"
                  R"("cboDateText":"1","cboYearText":"1990","cboHHText":"0","cboMMText":"0"})"
                  "\n");
  EXPECT_EQ(line.status, 1);
  EXPECT_EQ(line.out,
            "{\"error\":\"the place name \\\"x\\\" is ambiguous: it begins the "
            "names of several places and is none's whole name; give more of the name "
            "(--find-place lists the matches)\"}\n");
}

TEST(PlaceFlags, FindPlaceListsTheMatches) {
  const ToolRun run = RunTool({"--find-place", "Paris, Texas"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "Paris, Texas, United States of America  33N40 95W33  America/Chicago  population "
            "24782\n");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--find-place", "Paris", "--json"},
        std::vector<std::string>{"--find-place", "Paris", "--name", "A"},
        std::vector<std::string>{"--find-place"}}) {
    EXPECT_EQ(RunTool(args).status, 2);
  }
  // --place stands in for --zone, --lat and --lon, not for the date.
  EXPECT_EQ(RunTool({"--name", "A", "--time", "12:00", "--place", "Delhi"}).status, 2);
}

// A JSON line naming a place answers as the full line would, with the zone.
TEST(PlaceJson, APlaceLineAnswersAsTheFullLineWithTheZone) {
  const std::string date =
      R"("txtName":"ANNA","cboMonthIndex":6,"cboDateIndex":3,"cboDateText":"4",)"
      R"("cboYearText":"1990","cboHHText":"12","cboMMText":"0")";
  const std::string placeLine = "{" + date + R"(,"place":"New York"})";
  const std::string fullLine = "{" + date +
                               R"(,"txtLonD":"74","txtLonM":"0","txtLatD":"40","txtLatM":"43",)"
                               R"("txtMCity":"New York","txtMState":"New York",)"
                               R"("txtMCountry":"United States of America",)"
                               R"("cmbTimeZoneIndex":24,"optEast":false,"optSouth":false,)"
                               R"("chkDST":false})";
  const ToolRun run = RunTool({"--json"}, placeLine + "\n" + fullLine + "\n");
  ASSERT_EQ(run.status, 0) << run.out;
  std::istringstream lines(run.out);
  std::string placed;
  std::string full;
  std::getline(lines, placed);
  std::getline(lines, full);
  auto answer = nlohmann::ordered_json::parse(placed);
  const auto zone = answer.at("zone");
  EXPECT_EQ(zone.at("name"), "America/New_York");
  EXPECT_EQ(zone.at("offset"), -14400);
  EXPECT_EQ(zone.at("dst"), true);
  EXPECT_EQ(zone.at("abbreviation"), "EDT");
  EXPECT_EQ(zone.at("row"), 24);
  EXPECT_EQ(zone.at("chkDST"), false);
  EXPECT_TRUE(zone.at("warning").is_null());
  answer.erase("zone");
  EXPECT_EQ(answer, nlohmann::ordered_json::parse(full));
  // Lines without the key answer exactly as before.
  EXPECT_EQ(full.find("\"zone\""), std::string::npos);
}

// The zone and the sensitivity (in the place's clock, a repeated hour here)
// are members of the one answer object, byte for byte as recorded; so is the
// zone of a rejected cast.
TEST(PlaceJson, ZoneAndSensitivityAreMembersOfTheOneAnswer) {
  const auto read = [](const std::string& name) {
    std::ifstream file(std::string(ZODIVANE_CLI_TEST_DATA) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  };
  const std::string lines = read("place_sensitivity.jsonl");
  const std::string answers = read("place_sensitivity.answers.jsonl");
  ASSERT_FALSE(answers.empty());
  const ToolRun run = RunTool({"--json"}, lines);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, answers);
}

// A "place" that is no text is named in the error as every value is: cut
// after 64 bytes.
TEST(PlaceJson, APlaceThatIsNoTextIsCutInTheError) {
  const std::string line = R"({"txtName":"A","place":{"a":")" + std::string(40000, 'p') +
                           R"("},"cboMonthIndex":0,"cboDateIndex":0,"cboDateText":"1",)"
                           R"("cboYearText":"1990","cboHHText":"0","cboMMText":"0"})"
                           "\n";
  const ToolRun run = RunTool({"--json"}, line);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            R"({"error":"key \"place\" must be a string (a place name, e.g. \"Delhi\"), not )"
            R"({\"a\":\")" +
                std::string(58, 'p') + R"(..."})" + "\n");
}

TEST(PlaceJson, AQueryWithoutMatchesIsAnErrorLine) {
  const ToolRun run = RunTool(
      {"--json"}, R"({"txtName":"A","place":"Xyzzyville","cboMonthIndex":0,"cboDateIndex":0,)"
                  R"("cboDateText":"1","cboYearText":"1990","cboHHText":"0","cboMMText":"0"})"
                  "\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "{\"error\":\"no place matches \\\"Xyzzyville\\\"\"}\n");
}

}  // namespace
}  // namespace zodivane::chart_tool
