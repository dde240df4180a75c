// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart's aspects: --aspects with --aspect-set and --orb for people,
// "aspects", "aspectSet" and "orbs" in a JSON line; their errors; and every
// answer without them byte for byte as it was.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "aspects/aspect_report.h"
#include "chart/chart_driver.h"
#include "tests/cli/entries_json.h"
#include "tests/support/tool_runs.h"
#include "tools/zodivane_chart/answers.h"
#include "tools/zodivane_chart/chart_text.h"
#include "tools/zodivane_chart/tool.h"

namespace zodivane::chart_tool {
namespace {

using Json = nlohmann::json;
using ::testing::HasSubstr;
using ::testing::Not;

// Asha Mehra: New Delhi, 5 March 1980, 07:05 Indian Time.
// The major aspects of the chart. From the printed positions (Sun 14 Pis 38,
// Mercury 16 Pis 58, Neptune 22 Sag 35, Ascendant 21° 19' 21" Pis): Sun and
// Mercury 2°20' apart; Neptune and the Ascendant 88°44' apart, a square
// 1°16' wide.
constexpr const char* kMajorBlock =
    "Aspects\n"
    "  Neptune square Ascendant, orb 1°16', applying\n"
    "  Saturn square Neptune, orb 1°48', applying\n"
    "  Moon conjunction Pluto, orb 2°09', applying\n"
    "  Sun conjunction Mercury, orb 2°20', applying\n"
    "  Saturn opposition Ascendant, orb 3°04', applying\n"
    "  Moon sextile Neptune, orb 3°24', applying\n"
    "  Uranus trine Ascendant, orb 4°15', applying\n"
    "  Venus trine Mars, orb 4°18', applying, out of sign\n"
    "  Venus trine Jupiter, orb 6°00', applying, out of sign\n"
    "  Mars square Uranus, orb 6°47', applying, out of sign\n"
    "  Sun square Neptune, orb 7°56', applying\n"
    "  Moon opposition Venus, orb 8°53', applying\n"
    "  Saturn sextile Uranus, orb 1°11', separating\n"
    "  Neptune sextile Pluto, orb 1°15', separating\n"
    "  Mars conjunction Jupiter, orb 1°43', separating\n"
    "  Mercury conjunction Ascendant, orb 4°21', separating\n"
    "  Venus trine Neptune, orb 5°28', separating\n"
    "  Mercury square Neptune, orb 5°37', separating\n"
    "  Sun conjunction Ascendant, orb 6°41', separating\n"
    "  Venus opposition Pluto, orb 6°43', separating\n"
    "  Mercury opposition Saturn, orb 7°25', separating\n"
    "\n"
    "Patterns\n"
    "  T-square: Mercury, Saturn, Neptune\n"
    "  T-square: Saturn, Ascendant, Neptune\n"
    "  stellium in Virgo: Mars, Jupiter, Saturn\n";

/// The chart cast as the tool casts it, and its aspects under `settings`.
struct Cast {
  ChartSession session;
  ChartAspects found;
};

void CastAsha(Cast& cast, const AspectSettings& settings) {
  ASSERT_TRUE(std::holds_alternative<ChartView>(cast.session.CastChart(test::AnnaInDelhi())));
  cast.found = cast.session.Aspects(settings);
}

AspectSettings AllWithOrbs() {
  AspectSettings settings = WithAspectSet(DefaultAspectSettings(), AspectSet::All);
  settings.orbs[static_cast<std::size_t>(AspectKind::Square)] = 6;
  settings.orbs[static_cast<std::size_t>(AspectKind::Quincunx)] = 2.5;
  return settings;
}

TEST(ChartToolAspects, TheBlockFollowsTheWheel) {
  const ToolRun plain = RunTool(kAshaFlags);
  ASSERT_EQ(plain.status, kExitOk) << plain.err;
  const ToolRun aspects = RunTool(With(kAshaFlags, {"--aspects"}));
  ASSERT_EQ(aspects.status, kExitOk) << aspects.err;
  EXPECT_EQ(aspects.out, plain.out + "\n" + kMajorBlock);
  EXPECT_EQ(RunTool(With(kAshaFlags, {"--aspects", "--aspect-set", "major"})).out, aspects.out);
}

TEST(ChartToolAspects, TheSetAndTheOrbsChooseTheAspects) {
  Cast cast;
  CastAsha(cast, AllWithOrbs());
  const ToolRun plain = RunTool(kAshaFlags);
  const ToolRun run = RunTool(With(
      kAshaFlags, {"--aspects", "--aspect-set=all", "--orb", "square=6", "--orb=quincunx=2.5"}));
  ASSERT_EQ(run.status, kExitOk) << run.err;
  std::string block = "Aspects\n";
  std::vector<Aspect> sorted = cast.found.aspects;
  SortApplyingFirst(sorted);
  for (const Aspect& aspect : sorted)
    block += "  " + AspectLine(aspect) + "\n";
  block += "\nPatterns\n";
  for (const Pattern& pattern : cast.found.patterns)
    block += "  " + PatternLine(pattern) + "\n";
  EXPECT_EQ(run.out, plain.out + "\n" + block);
  // The narrower square drops Mars square Uranus (6°47'); the minor ones come in.
  EXPECT_THAT(run.out, Not(HasSubstr("Mars square Uranus")));
  EXPECT_THAT(run.out, HasSubstr("  Moon semisquare Jupiter, orb 0°07', separating\n"));
  EXPECT_THAT(run.out, HasSubstr("  Moon quincunx Ascendant, orb 2°08', separating\n"));
}

TEST(ChartToolAspects, TheReportGainsItsSectionAfterThePlanetsInSigns) {
  Cast cast;
  CastAsha(cast, DefaultAspectSettings());
  const std::string plainReport = ReportPlainText(cast.session);
  const std::string report = ReportPlainText(cast.session, &cast.found);
  ASSERT_TRUE(report.starts_with(plainReport));
  EXPECT_TRUE(report.substr(plainReport.size())
                  .starts_with("\r\n\r\n\r\nAspects\r\n\r\nNeptune square Ascendant, orb 1°16', "
                               "applying\r\n"));

  const ToolRun aspects = RunTool(With(kAshaFlags, {"--aspects"}));
  const ToolRun withReport = RunTool(With(kAshaFlags, {"--aspects", "--report"}));
  ASSERT_EQ(withReport.status, kExitOk) << withReport.err;
  std::string lines;
  for (const char c : report) {
    if (c != '\r')
      lines += c;
  }
  EXPECT_EQ(withReport.out, aspects.out + "\n" + lines + "\n");
  EXPECT_EQ(RunTool(With(kAshaFlags, {"--aspects", "--report-rtf", "-"})).out,
            ReportRtf(cast.session, &cast.found));
}

struct UsageCase {
  std::vector<std::string> extra;
  std::string message;
};

TEST(ChartToolAspects, MalformedFlagsAreUsageErrorsNamingTheFlag) {
  const std::string names =
      "(the aspects: conjunction, opposition, trine, square, sextile, quincunx, semisextile, "
      "semisquare, sesquiquadrate, quintile, biquintile)";
  const std::vector<UsageCase> cases{
      {{"--orb", "square=6"}, "--orb goes with --aspects"},
      {{"--aspect-set", "all"}, "--aspect-set goes with --aspects"},
      {{"--aspects", "--orb", "squares=6"}, "--orb: unknown aspect \"squares\" " + names},
      {{"--aspects", "--orb", "Square=6"}, "--orb: unknown aspect \"Square\" " + names},
      {{"--aspects", "--orb", "square=15.5"},
       "--orb: the orb of square must be a number of degrees from 0 to 15, not \"15.5\""},
      {{"--aspects", "--orb", "trine=-1"},
       "--orb: the orb of trine must be a number of degrees from 0 to 15, not \"-1\""},
      {{"--aspects", "--orb", "trine=6."},
       "--orb: the orb of trine must be a number of degrees from 0 to 15, not \"6.\""},
      {{"--aspects", "--orb", "trine=\x1b[2J"},
       "--orb: the orb of trine must be a number of degrees from 0 to 15, not \"\\x1b[2J\""},
      {{"--aspects", "--orb", "trine"},
       "--orb must be NAME=DEGREES (e.g. square=6), not \"trine\""},
      {{"--aspects", "--orb"}, "--orb needs a value"},
      {{"--aspects", "--orb", "trine=6", "--orb", "trine=5"},
       "--orb: the orb of trine is given twice"},
      {{"--aspects", "--aspect-set", "minor"}, "--aspect-set must be major or all, not \"minor\""},
      {{"--aspects", "--aspect-set", "all", "--aspect-set", "all"}, "--aspect-set is given twice"},
      {{"--aspects", "--aspects"}, "--aspects is given twice"},
  };
  for (const UsageCase& c : cases) {
    const ToolRun run = RunTool(With(kAshaFlags, c.extra));
    EXPECT_EQ(run.status, kExitUsage) << c.message;
    EXPECT_EQ(run.err, "zodivane-chart: " + c.message + "\nTry 'zodivane-chart --help'.\n");
    EXPECT_EQ(run.out, "");
  }
  // Orbs at both ends of the range are taken.
  for (const char* orb : {"square=0", "square=15", "biquintile=0.75"}) {
    EXPECT_EQ(RunTool(With(kAshaFlags, {"--aspects", "--orb", orb})).status, kExitOk) << orb;
  }
}

/// The JSON line of the chart with `extra` members.
std::string Line(const Json& extra = Json::object()) {
  Json line = test::EntriesJson(test::AnnaInDelhi());
  line.update(extra);
  return line.dump() + "\n";
}

TEST(ChartToolAspects, AJsonLineGetsTheArraysAfterTheRestOfTheAnswer) {
  Cast cast;
  CastAsha(cast, AllWithOrbs());
  const ToolRun plain = RunTool({"--json"}, Line());
  const ToolRun run = RunTool({"--json"}, Line({{"aspects", true},
                                                {"aspectSet", "all"},
                                                {"orbs", {{"square", 6}, {"quincunx", 2.5}}}}));
  ASSERT_EQ(run.status, kExitOk) << run.out;
  // The rest of the answer is as it was; the arrays come last.
  ASSERT_TRUE(run.out.starts_with(plain.out.substr(0, plain.out.size() - 2) + ",\"aspects\":["))
      << run.out;
  const Json answer = Json::parse(run.out);
  std::vector<Aspect> sorted = cast.found.aspects;
  SortApplyingFirst(sorted);
  ASSERT_EQ(answer["aspects"].size(), sorted.size());
  for (std::size_t i = 0; i < sorted.size(); ++i) {
    const Json& got = answer["aspects"][i];
    const Aspect& want = sorted[i];
    EXPECT_EQ(got["a"], AspectPointName(want.a));
    EXPECT_EQ(got["b"], AspectPointName(want.b));
    EXPECT_EQ(got["aspect"], InfoOf(want.kind).name);
    EXPECT_EQ(got["angle"], InfoOf(want.kind).angle);
    EXPECT_EQ(got["orb"], want.orb);
    EXPECT_EQ(got["applying"], want.applying);
    EXPECT_EQ(got["outOfSign"], want.outOfSign);
    EXPECT_EQ(got.size(), 7u);
  }
  // Worked out from the printed positions above: 1°16', applying.
  const auto square =
      std::find_if(answer["aspects"].begin(), answer["aspects"].end(),
                   [](const Json& a) { return a["b"] == "Ascendant" && a["a"] == "Neptune"; });
  ASSERT_NE(square, answer["aspects"].end());
  EXPECT_EQ((*square)["aspect"], "square");
  EXPECT_EQ((*square)["angle"], 90);
  EXPECT_EQ(OrbPartsOf((*square)["orb"].get<double>()).minutes, 16);
  EXPECT_EQ((*square)["applying"], true);
  EXPECT_EQ(answer["patterns"],
            Json::parse(R"([{"pattern":"T-square","members":["Mercury","Saturn","Neptune"]},)"
                        R"({"pattern":"T-square","members":["Saturn","Ascendant","Neptune"]},)"
                        R"({"pattern":"stellium","members":["Mars","Jupiter","Saturn"],)"
                        R"("sign":"Virgo"}])"));

  // With --report the report carries the section.
  const ToolRun reported = RunTool({"--json", "--report"}, Line({{"aspects", true}}));
  Cast major;
  CastAsha(major, DefaultAspectSettings());
  EXPECT_EQ(Json::parse(reported.out)["report"], ReportPlainText(major.session, &major.found));
}

struct LineCase {
  std::string extra;  ///< members added inside the line's object
  std::string error;
};

TEST(ChartToolAspects, WrongKeysGetAnErrorAnswerNamingTheKey) {
  const std::string entries = Line();
  const std::string head = entries.substr(0, entries.size() - 2);
  const std::vector<LineCase> cases{
      {R"("aspects":1)", R"(key \"aspects\" must be a boolean, not a number)"},
      {R"("aspects":"yes")", R"(key \"aspects\" must be a boolean, not a string)"},
      {R"("aspects":null)", R"(key \"aspects\" must be a boolean, not null)"},
      {R"("orbs":{"square":6})", R"(key \"orbs\" goes with \"aspects\": true)"},
      {R"("aspects":false,"aspectSet":"all")", R"(key \"aspectSet\" goes with \"aspects\": true)"},
      {R"("aspects":true,"aspectSet":"minor")",
       R"(key \"aspectSet\" must be \"major\" or \"all\", not \"minor\")"},
      {R"("aspects":true,"aspectSet":["all"])",
       R"(key \"aspectSet\" must be \"major\" or \"all\", not an array)"},
      {R"("aspects":true,"orbs":[6])",
       R"(key \"orbs\" must be an object of orbs in degrees (e.g. {\"square\": 6}), not an array)"},
      {R"("aspects":true,"orbs":{"squares":6})",
       R"(key \"orbs\": unknown aspect \"squares\" (the aspects: conjunction, opposition, trine, )"
       R"(square, sextile, quincunx, semisextile, semisquare, sesquiquadrate, quintile, )"
       R"(biquintile))"},
      {R"("aspects":true,"orbs":{"square":"6"})",
       R"(key \"orbs\": the orb of square must be a number of degrees from 0 to 15, not a string)"},
      {R"("aspects":true,"orbs":{"square":15.25})",
       R"(key \"orbs\": the orb of square must be a number of degrees from 0 to 15, not 15.25)"},
      {R"("aspects":true,"orbs":{"square":-1})",
       R"(key \"orbs\": the orb of square must be a number of degrees from 0 to 15, not -1)"},
      {R"("aspects":true,"orbs":{"square":{"x":1}})",
       R"(key \"orbs\": the orb of square must be a number of degrees from 0 to 15, not an object)"},
      // Of a repeated key the last one counts, as for the entries.
      {R"("aspects":true,"orbs":{"square":6,"square":16})",
       R"(key \"orbs\": the orb of square must be a number of degrees from 0 to 15, not 16)"},
      // Every boolean key answers a value of another kind alike.
      {R"("points":"yes")", R"(key \"points\" must be a boolean, not a string)"},
      {R"("points":1)", R"(key \"points\" must be a boolean, not a number)"},
      {R"("points":null)", R"(key \"points\" must be a boolean, not null)"},
      {R"("points":{})", R"(key \"points\" must be a boolean, not an object)"},
      {R"("sensitivity":"yes")", R"(key \"sensitivity\" must be a boolean, not a string)"},
      {R"("sensitivity":1)", R"(key \"sensitivity\" must be a boolean, not a number)"},
      {R"("sensitivity":null)", R"(key \"sensitivity\" must be a boolean, not null)"},
      {R"("sensitivity":{})", R"(key \"sensitivity\" must be a boolean, not an object)"},
      {R"("sensitivity":[true])", R"(key \"sensitivity\" must be a boolean, not an array)"},
  };
  for (const LineCase& c : cases) {
    const std::string line = head + "," + c.extra + "}\n";
    const ToolRun run = RunTool({"--json"}, line);
    EXPECT_EQ(run.out, "{\"error\":\"" + c.error + "\"}\n") << c.extra;
    EXPECT_EQ(run.status, kExitFailed);
    // The same line read by nlohmann's parser (an escaped surrogate pair in
    // the city) answers alike.
    const std::string slow =
        std::string(line).replace(line.find("\"Delhi\""), 7, "\"D\\ud83d\\ude00\"");
    EXPECT_EQ(RunTool({"--json"}, slow).out, run.out) << c.extra;
  }
}

// --orb and "orbs" read the same numbers: minus zero and a number too small
// for a double's normal range are orbs as 0 is, by flag and by line alike.
TEST(ChartToolAspects, FlagsAndLinesReadTheSameOrbs) {
  const std::string entries = Line();
  const std::string head = entries.substr(0, entries.size() - 2);
  const auto flagRun = [](const std::string& orb) {
    return RunTool(With(kAshaFlags, {"--aspects", "--orb", "square=" + orb}));
  };
  const auto lineRun = [&head](const std::string& orb) {
    return RunTool({"--json"}, head + R"(,"aspects":true,"orbs":{"square":)" + orb + "}}\n");
  };
  const ToolRun flagZero = flagRun("0");
  const ToolRun lineZero = lineRun("0");
  ASSERT_EQ(flagZero.status, kExitOk) << flagZero.err;
  ASSERT_EQ(lineZero.status, kExitOk) << lineZero.out;
  for (const std::string orb : {"-0", "-0.0", "1e-320", "0.0e5"}) {
    SCOPED_TRACE(orb);
    const ToolRun byFlag = flagRun(orb);
    EXPECT_EQ(byFlag.status, kExitOk) << byFlag.err;
    EXPECT_EQ(byFlag.out, flagZero.out);
    const ToolRun byLine = lineRun(orb);
    EXPECT_EQ(byLine.status, kExitOk) << byLine.out;
    EXPECT_EQ(byLine.out, lineZero.out);
  }
  // Below zero, or not a number as JSON writes one, is refused by both.
  for (const std::string orb : {"-1", "-1e-320"}) {
    SCOPED_TRACE(orb);
    EXPECT_EQ(flagRun(orb).status, kExitUsage);
    EXPECT_EQ(lineRun(orb).status, kExitFailed);
  }
  EXPECT_EQ(flagRun("1e").status, kExitUsage);
  EXPECT_EQ(flagRun(".5").status, kExitUsage);
}

TEST(ChartToolAspects, LinesWithoutTheKeysAreAnsweredAsBefore) {
  const std::string entries = Line();
  const std::string head = entries.substr(0, entries.size() - 2);
  for (const char* flags : {"", "--report"}) {
    std::vector<std::string> args{"--json"};
    if (*flags != '\0')
      args.emplace_back(flags);
    ChartSession session;
    const CastResult result = session.CastChart(test::AnnaInDelhi());
    std::string expected;
    AppendChartAnswer(expected, std::get<ChartView>(result), session, *flags != '\0');
    EXPECT_EQ(RunTool(args, entries).out, expected);
    // "aspects": false, and a key not spelled as written, ask for nothing.
    EXPECT_EQ(RunTool(args, head + ",\"aspects\":false}\n").out, expected);
    EXPECT_EQ(RunTool(args, head + ",\"\\u0061spects\":true}\n").out, expected);
    EXPECT_EQ(RunTool(args, head + ",\"aspects\":false,\"place\":5}\n").out,
              RunTool(args, head + ",\"place\":5}\n").out);
  }
}

}  // namespace
}  // namespace zodivane::chart_tool
