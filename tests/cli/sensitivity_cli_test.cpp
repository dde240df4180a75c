// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart's birth-time sensitivity: --sensitivity after the chart for
// people, and "sensitivity": true in a JSON line; without them every answer
// stays byte for byte as it was.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "chart/chart_driver.h"
#include "tests/support/tool_runs.h"
#include "tools/zodivane_chart/chart_text.h"
#include "tools/zodivane_chart/json_protocol.h"
#include "tools/zodivane_chart/tool.h"

namespace zodivane::chart_tool {
namespace {

using Json = nlohmann::json;
using ::testing::HasSubstr;

// New Delhi, 15 June 1980, 10:30 Indian Time: Virgo rose at 10:30 itself.
const std::vector<std::string> kDelhiFlags{
    "--name", "Asha", "--date", "1980-06-15", "--time", "10:30",
    "--zone", "34",   "--lat",  "28N38",      "--lon",  "77E12",
};

Json DelhiLine() {
  return Json{
      {"txtName", "ASHA"},     {"txtLonD", "77"},        {"txtLonM", "12"},
      {"txtLatD", "28"},       {"txtLatM", "38"},        {"txtMCity", ""},
      {"txtMState", ""},       {"txtMCountry", ""},      {"cboMonthIndex", 5},
      {"cboDateIndex", 14},    {"cmbTimeZoneIndex", 34}, {"cboDateText", "15"},
      {"cboYearText", "1980"}, {"cboHHText", "10"},      {"cboMMText", "30"},
      {"optEast", true},       {"optSouth", false},      {"chkDST", false},
  };
}

/// The sentences of the chart above, as the results' tooltips word them.
constexpr const char* kDelhiBlock =
    "Birth-time sensitivity\n"
    "  Ascendant Virgo from 10:30 to 12:46; Leo if born before 10:30, Libra if born after 12:46\n"
    "  Moon Cancer from June/13 16:02 to June/15 21:54; Gemini if born before June/13 16:02, Leo "
    "if born "
    "after June/15 21:54\n"
    "  Sun Gemini for a day either side of the birth time\n"
    "  Mercury Cancer for a day either side of the birth time\n"
    "  Venus Gemini for a day either side of the birth time\n"
    "  Mars Virgo for a day either side of the birth time\n"
    "  Jupiter Virgo for a day either side of the birth time\n"
    "  Saturn Virgo for a day either side of the birth time\n"
    "  Uranus Scorpio for a day either side of the birth time\n"
    "  Neptune Sagittarius for a day either side of the birth time\n"
    "  Pluto Libra for a day either side of the birth time\n"
    "  With Daylight Saving Time ticked: Ascendant Leo instead of Virgo\n"
    "  Ascendant changes to Leo 1 minute earlier: check the birth time\n";

TEST(ChartToolSensitivity, PeopleGetTheBlockAfterTheChartAndBeforeTheReport) {
  const ToolRun plain = RunTool(kDelhiFlags);
  ASSERT_EQ(plain.status, kExitOk) << plain.err;
  const ToolRun sensitive = RunTool(With(kDelhiFlags, {"--sensitivity"}));
  ASSERT_EQ(sensitive.status, kExitOk) << sensitive.err;
  EXPECT_EQ(sensitive.out, plain.out + "\n" + kDelhiBlock);

  const ToolRun withReport = RunTool(With(kDelhiFlags, {"--report", "--sensitivity"}));
  const ToolRun reportOnly = RunTool(With(kDelhiFlags, {"--report"}));
  EXPECT_EQ(withReport.out,
            plain.out + "\n" + kDelhiBlock + reportOnly.out.substr(plain.out.size()));

  // A stable birth (11:30) has no warning line.
  std::vector<std::string> stable = With(kDelhiFlags, {"--sensitivity"});
  stable[5] = "11:30";
  const ToolRun calm = RunTool(stable);
  EXPECT_THAT(calm.out, HasSubstr("  Ascendant Virgo from 10:30 to 12:46;"));
  EXPECT_THAT(calm.out, ::testing::Not(HasSubstr("check the birth time")));
}

TEST(ChartToolSensitivity, FlagBelongsToTheFormForPeople) {
  for (const auto& args : {std::vector<std::string>{"--json", "--sensitivity"},
                           std::vector<std::string>{"--list-zones", "--sensitivity"},
                           With(kDelhiFlags, {"--sensitivity", "--sensitivity"}),
                           With(kDelhiFlags, {"--sensitivity=yes"})}) {
    SCOPED_TRACE(::testing::PrintToString(args));
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_EQ(run.out, "");
  }
}

TEST(ChartToolSensitivity, JsonKeyAddsTheObjectAndNothingElse) {
  const std::string plainLine = DelhiLine().dump();
  const ToolRun plain = RunTool({"--json"}, plainLine + "\n");
  ASSERT_EQ(plain.status, kExitOk);
  ASSERT_THAT(plain.out, ::testing::EndsWith("}\n"));

  Json asking = DelhiLine();
  asking["sensitivity"] = true;
  const ToolRun run = RunTool({"--json"}, asking.dump() + "\n");
  ASSERT_EQ(run.status, kExitOk);
  // The chart answer unchanged, the object appended as its last key.
  const std::string head = plain.out.substr(0, plain.out.size() - 2);
  ASSERT_EQ(run.out.substr(0, head.size()), head);
  EXPECT_EQ(run.out.substr(head.size(), 16), ",\"sensitivity\":{");

  const Json answer = Json::parse(run.out);
  const Json& sensitivity = answer.at("sensitivity");
  const Json& ascendant = sensitivity.at("points").at(10);
  EXPECT_EQ(ascendant.at("point"), "Ascendant");
  EXPECT_EQ(ascendant.at("sign"), "Virgo");
  EXPECT_EQ(ascendant.at("windowMinutes"), 180);
  EXPECT_EQ(ascendant.at("earlier"),
            (Json{{"minutes", -1}, {"sign", "Leo"}, {"date", "1980-06-15"}, {"time", "10:29"}}));
  EXPECT_EQ(ascendant.at("later"),
            (Json{{"minutes", 137}, {"sign", "Libra"}, {"date", "1980-06-15"}, {"time", "12:47"}}));
  EXPECT_EQ(ascendant.at("earlierStopsAtRange"), false);
  const Json& moon = sensitivity.at("points").at(1);
  EXPECT_EQ(
      moon.at("earlier"),
      (Json{{"minutes", -2549}, {"sign", "Gemini"}, {"date", "1980-06-13"}, {"time", "16:01"}}));
  const Json& sun = sensitivity.at("points").at(0);
  EXPECT_TRUE(sun.at("earlier").is_null());
  EXPECT_EQ(sun.at("text"), "Sun Gemini for a day either side of the birth time");
  EXPECT_EQ(sensitivity.at("warning"),
            "Ascendant changes to Leo 1 minute earlier: check the birth time");
  EXPECT_EQ(
      sensitivity.at("dst"),
      (Json{{"ticked", true},
            {"differences",
             Json::array({{{"point", "Ascendant"}, {"sign", "Virgo"}, {"oppositeSign", "Leo"}}})},
            {"text", "With Daylight Saving Time ticked: Ascendant Leo instead of Virgo"}}));

  // False, a key in a name's text, or a rejected form: as without it; a
  // value that is no boolean: an error, as for every boolean key.
  Json unasked = DelhiLine();
  unasked["sensitivity"] = false;
  EXPECT_EQ(RunTool({"--json"}, unasked.dump() + "\n").out, plain.out);
  for (const Json& value : {Json("yes"), Json(1), Json(nullptr)}) {
    Json line = DelhiLine();
    line["sensitivity"] = value;
    const ToolRun wrong = RunTool({"--json"}, line.dump() + "\n");
    EXPECT_EQ(wrong.status, kExitFailed) << value;
    EXPECT_THAT(wrong.out,
                ::testing::StartsWith(R"({"error":"key \"sensitivity\" must be a boolean, not )"))
        << value;
  }
  Json city = DelhiLine();
  city["txtMCity"] = "sensitivity";
  Json cityPlain = city;
  city["sensitivity"] = false;
  EXPECT_EQ(RunTool({"--json"}, city.dump() + "\n").out,
            RunTool({"--json"}, cityPlain.dump() + "\n").out);
  Json rejected = DelhiLine();
  rejected["txtLatD"] = "95";
  const std::string rejectedAnswer = RunTool({"--json"}, rejected.dump() + "\n").out;
  rejected["sensitivity"] = true;
  EXPECT_EQ(RunTool({"--json"}, rejected.dump() + "\n").out, rejectedAnswer);
}

// With --points (or "points": true) the Midheaven's sentence follows the
// Ascendant's and the object gains "midheaven" at its end; every other line
// and member stays as it is without the further points.
TEST(ChartToolSensitivity, PointsAddTheMidheavensSignChange) {
  const ToolRun sensitive = RunTool(With(kDelhiFlags, {"--sensitivity"}));
  const ToolRun withPoints = RunTool(With(kDelhiFlags, {"--sensitivity", "--points"}));
  ASSERT_EQ(withPoints.status, kExitOk) << withPoints.err;
  EXPECT_THAT(sensitive.out, ::testing::Not(HasSubstr("Midheaven")));
  const std::string ascendantLine =
      "  Ascendant Virgo from 10:30 to 12:46; Leo if born before 10:30, Libra if born after "
      "12:46\n";
  const std::string midheavenLine =
      "  Midheaven Taurus from 8:39 to 10:37; Aries if born before 8:39, Gemini if born after "
      "10:37\n";
  const std::size_t ascendant = withPoints.out.find(ascendantLine);
  ASSERT_NE(ascendant, std::string::npos);
  EXPECT_EQ(withPoints.out.substr(ascendant + ascendantLine.size(), midheavenLine.size()),
            midheavenLine);
  // Taking the line out gives the block without it.
  std::string without = withPoints.out;
  const std::size_t lineStart = ascendant + ascendantLine.size();
  without.erase(lineStart, without.find('\n', lineStart) + 1 - lineStart);
  const ToolRun points = RunTool(With(kDelhiFlags, {"--points"}));
  EXPECT_EQ(without, points.out + "\n" + kDelhiBlock);

  Json asking = DelhiLine();
  asking["sensitivity"] = true;
  const Json plain = Json::parse(RunTool({"--json"}, asking.dump() + "\n").out);
  EXPECT_FALSE(plain.at("sensitivity").contains("midheaven"));
  asking["points"] = true;
  const Json answer = Json::parse(RunTool({"--json"}, asking.dump() + "\n").out);
  const Json& sensitivity = answer.at("sensitivity");
  const Json& midheaven = sensitivity.at("midheaven");
  EXPECT_EQ(midheaven.at("point"), "Midheaven");
  EXPECT_EQ(midheaven.at("sign"), "Taurus");
  EXPECT_EQ(midheaven.at("windowMinutes"), 180);
  EXPECT_EQ(midheaven.at("text"), midheavenLine.substr(2, midheavenLine.size() - 3));
  Json others = sensitivity;
  others.erase("midheaven");
  EXPECT_EQ(others, plain.at("sensitivity"));
}

}  // namespace
}  // namespace zodivane::chart_tool
