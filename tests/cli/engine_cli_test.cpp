// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart's engine choice and further points: --ephemeris and
// --points for people and chart files, "ephemeris" and "points" in a JSON
// line; their errors; and every answer without them as it was.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "ephemeris/swiss_ephemeris.h"
#include "tests/cli/entries_json.h"
#include "tests/support/sample_entries.h"
#include "tests/support/tool_runs.h"
#include "tools/zodivane_chart/tool.h"

namespace zodivane::chart_tool {
namespace {

using Json = nlohmann::json;
using ::testing::HasSubstr;

std::string Line(const Json& extra = Json::object()) {
  Json line = test::EntriesJson(test::AnnaInDelhi());
  line.update(extra);
  return line.dump() + "\n";
}

bool SwissAvailable() {
  return !SwissEphemerisProblem().has_value();
}

// The built-in method named adds one line after the wheel; the points add
// their block, with the true node and Chiron not available.
TEST(ChartToolEngine, FlagsAddTheirLinesAfterTheWheel) {
  const ToolRun plain = RunTool(kAshaFlags);
  ASSERT_EQ(plain.status, kExitOk) << plain.err;
  EXPECT_EQ(RunTool(With(kAshaFlags, {"--ephemeris", "builtin"})).out,
            plain.out + "\nEphemeris:      Built-in method\n");
  EXPECT_EQ(RunTool(With(kAshaFlags, {"--points"})).out,
            plain.out +
                "\nFurther points\n"
                "  Midheaven   24 Sag 24\n"
                "  Imum Coeli  24 Gem 24\n"
                "  Descendant  21 Vir 19\n"
                "  Mean Node   28 Leo 30\n"
                "  True Node   (not available with the built-in method)\n"
                "  Chiron      (not available with the built-in method)\n");
  const ToolRun aspects = RunTool(With(kAshaFlags, {"--aspects"}));
  const ToolRun withNodes = RunTool(With(kAshaFlags, {"--aspects", "--points"}));
  EXPECT_THAT(withNodes.out, HasSubstr("\nNode aspects\n  Mean Node trine Venus, orb "));
  EXPECT_THAT(withNodes.out, HasSubstr(aspects.out.substr(plain.out.size())));
}

TEST(ChartToolEngine, ErrorsNameTheFlag) {
  struct Row {
    std::vector<std::string> extra;
    std::string message;
  };
  const Row rows[] = {
      {{"--ephemeris", "Swiss"}, "--ephemeris must be builtin or swiss, not \"Swiss\""},
      {{"--ephemeris", "jpl"}, "--ephemeris must be builtin or swiss, not \"jpl\""},
      {{"--ephemeris"}, "--ephemeris needs a value"},
      {{"--ephemeris="}, "--ephemeris needs a value"},
      {{"--ephemeris", "swiss", "--ephemeris", "swiss"}, "--ephemeris is given twice"},
      {{"--points=yes"}, "--points takes no value"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.message);
    const ToolRun run = RunTool(With(kAshaFlags, row.extra));
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_EQ(run.err, "zodivane-chart: " + row.message + "\nTry 'zodivane-chart --help'.\n");
  }
  const ToolRun json = RunTool({"--json", "--points"});
  EXPECT_EQ(json.status, kExitUsage);
}

TEST(ChartToolEngine, SwissEphemerisCastsOrSaysWhyNot) {
  const ToolRun run = RunTool(With(kAshaFlags, {"--ephemeris", "swiss", "--points"}));
  if (!SwissAvailable()) {
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_THAT(run.err, HasSubstr("zodivane-chart: --ephemeris: Swiss Ephemeris cannot cast"));
    return;
  }
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_THAT(run.out, HasSubstr("\nEphemeris:      Swiss Ephemeris (precise)\n"));
  EXPECT_THAT(run.out, HasSubstr("  True Node   29 Leo 14\n"));
  EXPECT_THAT(run.out, HasSubstr("  Chiron      10 Tau 08\n"));
}

TEST(ChartToolEngine, JsonKeysAddTheirMembersAtTheEnd) {
  const ToolRun plain = RunTool({"--json"}, Line());
  ASSERT_EQ(plain.status, kExitOk);
  const ToolRun named = RunTool({"--json"}, Line({{"ephemeris", "builtin"}}));
  EXPECT_EQ(named.out, plain.out.substr(0, plain.out.size() - 2) + ",\"ephemeris\":\"builtin\"}\n");
  EXPECT_EQ(RunTool({"--json"}, Line({{"points", false}})).out, plain.out);

  const Json answer = Json::parse(RunTool({"--json"}, Line({{"points", true}})).out);
  EXPECT_EQ(answer["points"]["mc"]["text"], "24 Sag 24");
  EXPECT_EQ(answer["points"]["meanNode"]["text"], "28 Leo 30");
  EXPECT_NEAR(answer["points"]["descendant"]["longitude"].get<double>(), 171.3, 0.1);
  EXPECT_TRUE(answer["points"]["trueNode"].is_null());
  EXPECT_TRUE(answer["points"]["chiron"].is_null());
  EXPECT_FALSE(answer.contains("nodeAspects"));
  const Json withAspects =
      Json::parse(RunTool({"--json"}, Line({{"points", true}, {"aspects", true}})).out);
  ASSERT_FALSE(withAspects["nodeAspects"].empty());
  EXPECT_EQ(withAspects["nodeAspects"][0]["a"], "Mean Node");

  for (const Json& bad : {Json("Swiss"), Json(1), Json(true)}) {
    const ToolRun run = RunTool({"--json"}, Line({{"ephemeris", bad}}));
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_EQ(run.out,
              "{\"error\":\"key \\\"ephemeris\\\" must be \\\"builtin\\\" or "
              "\\\"swiss\\\"\"}\n");
  }
}

}  // namespace
}  // namespace zodivane::chart_tool
