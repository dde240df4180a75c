// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart --chart FILE: a chart file cast as the flags cast the same
// entries, and a file that is not a chart file refused with what is wrong.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "chart/chart_driver.h"
#include "chartfile/chart_file.h"
#include "tests/support/chart_files.h"
#include "tests/support/sample_entries.h"
#include "tests/support/tool_runs.h"
#include "tools/zodivane_chart/chart_text.h"
#include "tools/zodivane_chart/io.h"
#include "tools/zodivane_chart/tool.h"

namespace zodivane::chart_tool {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

/// A file in the temporary folder, removed at the end of the test.
class TempFile {
 public:
  explicit TempFile(const std::string& bytes)
      : path_(std::filesystem::temp_directory_path() /
              ("chart_option_test_" + std::to_string(++count_) + ".zchart")) {
    std::ofstream(path_, std::ios::binary) << bytes;
  }
  ~TempFile() { std::filesystem::remove(path_); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  [[nodiscard]] std::string path() const { return path_.string(); }

 private:
  static inline int count_ = 0;
  std::filesystem::path path_;
};

TEST(ChartToolChartFile, PrintsTheChartOfTheFilesEntries) {
  for (const auto& row : test::RoundTripEntries()) {
    SCOPED_TRACE(row.what);
    const TempFile file(chartfile::WriteChartFile(chartfile::ChartFile{row.entries, {}, {}}));
    const ToolRun run = RunTool({"--chart", file.path(), "--report"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.err, "");

    ChartSession session;
    const CastResult cast = session.CastChart(row.entries);
    ASSERT_TRUE(std::holds_alternative<ChartView>(cast));
    // Text for people ends its lines with LF alone, the report's included.
    std::string report = ReportPlainText(session);
    std::erase(report, '\r');
    EXPECT_EQ(run.out, ChartText(std::get<ChartView>(cast), session) + "\n" + report + "\n");
  }
}

// A chart file whose place's clocks skipped or repeated its clock time: the
// text ends with the warning the results window gives, naming the reading
// the chart uses; the same file at an ordinary time prints the chart alone.
TEST(ChartToolChartFile, ASkippedOrRepeatedClockTimeOfTheFilesPlaceIsWarnedAbout) {
  const ChosenPlace newYork{"New York",         "New York", "United States of America",
                            "America/New_York", 40.71,      -74.01};
  struct Case {
    int month;  ///< list position
    int day;
    const char* hour;
    int row;  ///< 24 Eastern Daylight Time, 27 Eastern Standard Time
    std::string warning;
  };
  const std::vector<Case> cases = {
      {10, 7, "1", 27,
       "New York on 7 November 2021 at 1:30: this clock time happened twice, first EDT, "
       "UT-4:00, then EST, UT-5:00; the chart uses the second, EST, UT-5:00"},
      {2, 14, "2", 24,
       "New York on 14 March 2021 at 2:30: this clock time never happened, the clocks jumped "
       "from EST, UT-5:00 to EDT, UT-4:00; the chart reads it as EDT, UT-4:00"},
      {6, 4, "12", 24, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.warning);
    FormEntries entries = test::DelhiEntries();
    test::SetDate(entries, c.month, c.day, 2021);
    entries.cboHHText = c.hour;
    entries.cboMMText = "30";
    entries.cmbTimeZoneIndex = c.row;
    const TempFile file(chartfile::WriteChartFile(chartfile::ChartFile{entries, newYork, {}}));
    const ToolRun run = RunTool({"--chart", file.path()});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    ChartSession session;
    const CastResult cast = session.CastChart(entries);
    ASSERT_TRUE(std::holds_alternative<ChartView>(cast));
    const std::string chart = ChartText(std::get<ChartView>(cast), session);
    EXPECT_EQ(run.out, c.warning.empty() ? chart : chart + "\nWarning:        " + c.warning + "\n");
  }
  // The file's place name reaches the terminal with its control characters escaped.
  FormEntries entries = test::DelhiEntries();
  test::SetDate(entries, 10, 7, 2021);
  entries.cboHHText = "1";
  entries.cboMMText = "30";
  entries.cmbTimeZoneIndex = 27;
  ChosenPlace hostile = newYork;
  hostile.name = "New\x1b]0;York\a";
  const TempFile file(chartfile::WriteChartFile(chartfile::ChartFile{entries, hostile, {}}));
  const ToolRun run = RunTool({"--chart", file.path()});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_THAT(run.out, HasSubstr("Warning:        New\\x1b]0;York\\x07 on 7 November 2021"));
  EXPECT_THAT(run.out, Not(HasSubstr("\x1b")));
}

TEST(ChartToolChartFile, RefusesWhatCannotBeCast) {
  FormEntries rejected = test::DelhiEntries();
  rejected.txtLatD = "95";
  const TempFile rejectedFile(chartfile::WriteChartFile(chartfile::ChartFile{rejected, {}, {}}));
  const TempFile notAChart("{\"txtName\": \"ASHA\"}");
  // 100,000 levels of nesting: refused, where walking them overflowed the stack.
  const TempFile deep(std::string(100000, '[') + std::string(100000, ']'));
  struct Row {
    std::vector<std::string> args;
    int status;
    std::string err;
  };
  const std::vector<Row> rows{
      {{"--chart", rejectedFile.path()},
       kExitFailed,
       "zodivane-chart: " + rejectedFile.path() +
           ": Please Enter Value Between 0 And 89 in the Degree of Latitude\n"},
      {{"--chart", notAChart.path()},
       kExitFailed,
       "zodivane-chart: " + notAChart.path() +
           ": the file has no \"zodivane\" format marker: it is not a Zodivane chart file\n"},
      {{"--chart", deep.path()},
       kExitFailed,
       "zodivane-chart: " + deep.path() +
           ": the file nests arrays and objects deeper than 64 levels\n"},
      {{"--chart", "/dev/zero"},
       kExitFailed,
       "zodivane-chart: cannot read /dev/zero: a device, not a regular file\n"},
      {{"--chart", "/nonexistent-directory/anna.zchart"},
       kExitFailed,
       "zodivane-chart: cannot read /nonexistent-directory/anna.zchart: No such file or "
       "directory\n"},
      {{"--chart", notAChart.path(), "--json"},
       kExitUsage,
       "zodivane-chart: --chart takes no other flag than --report, --report-rtf, --sensitivity, "
       "--export-chart, --ephemeris, --points and --aspects with its --orb and --aspect-set\n"
       "Try 'zodivane-chart --help'.\n"},
      {{"--chart", notAChart.path(), "--name", "ANNA"},
       kExitUsage,
       "zodivane-chart: --chart takes no other flag than --report, --report-rtf, --sensitivity, "
       "--export-chart, --ephemeris, --points and --aspects with its --orb and --aspect-set\n"
       "Try 'zodivane-chart --help'.\n"},
      {{"--chart", notAChart.path(), "--jobs", "2"},
       kExitUsage,
       "zodivane-chart: --chart takes no other flag than --report, --report-rtf, --sensitivity, "
       "--export-chart, --ephemeris, --points and --aspects with its --orb and --aspect-set\n"
       "Try 'zodivane-chart --help'.\n"},
      {{"--chart"},
       kExitUsage,
       "zodivane-chart: --chart needs a value\nTry 'zodivane-chart --help'.\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.args.back());
    const ToolRun run = RunTool(row.args);
    EXPECT_EQ(run.status, row.status);
    EXPECT_EQ(run.err, row.err);
    EXPECT_EQ(run.out, "");
  }
}

// A chart file keeps the engine it was saved with; --chart casts with it
// and says so, and --ephemeris wins.
TEST(ChartToolEngine, ChartFilesCarryTheEngine) {
  chartfile::ChartFile swiss{test::AnnaInDelhi(), {}, {}, Ephemeris::Swiss};
  nlohmann::json file = nlohmann::json::parse(chartfile::WriteChartFile(swiss));
  EXPECT_EQ(file["ephemeris"], "swiss");
  swiss.ephemeris = Ephemeris::BuiltIn;
  EXPECT_FALSE(nlohmann::json::parse(chartfile::WriteChartFile(swiss)).contains("ephemeris"));
  file["ephemeris"] = "builtin";
  const TempFile named(file.dump());
  const ToolRun run = RunTool({"--chart", named.path()});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_THAT(run.out, HasSubstr("\nEphemeris:      Built-in method\n"));
  file["ephemeris"] = "moon";
  const TempFile bad(file.dump());
  const ToolRun refused = RunTool({"--chart", bad.path()});
  EXPECT_EQ(refused.status, kExitFailed);
  EXPECT_THAT(refused.err, HasSubstr("key \"ephemeris\" must be \"builtin\" or \"swiss\""));
}

// A chart file keeps aspect settings that differ from the defaults;
// --chart --aspects lists the aspects under them, unless --orb or
// --aspect-set say otherwise.
TEST(ChartToolAspects, ChartFilesCarryTheAspectSettings) {
  chartfile::ChartFile chart;
  chart.entries = test::AnnaInDelhi();
  chart.aspectSettings = DefaultAspectSettings();
  EXPECT_FALSE(nlohmann::json::parse(chartfile::WriteChartFile(chart)).contains("aspectSettings"));
  // Every aspect in use, with an orb of 1 degree for the square.
  chart.aspectSettings = WithAspectSet(DefaultAspectSettings(), AspectSet::All);
  chart.aspectSettings->orbs[static_cast<std::size_t>(AspectKind::Square)] = 1;
  const std::string bytes = chartfile::WriteChartFile(chart);
  const auto read = chartfile::ReadChartFile(bytes);
  ASSERT_TRUE(std::holds_alternative<chartfile::ChartFile>(read));
  EXPECT_EQ(std::get<chartfile::ChartFile>(read).aspectSettings, chart.aspectSettings);

  const TempFile named(bytes);
  const ToolRun own = RunTool({"--chart", named.path(), "--aspects"});
  ASSERT_EQ(own.status, kExitOk) << own.err;
  EXPECT_THAT(own.out, HasSubstr("quincunx"));       // a minor aspect: the file's set
  EXPECT_THAT(own.out, Not(HasSubstr(" square ")));  // the square's 1 degree leaves none
  const ToolRun flags = RunTool({"--chart", named.path(), "--aspects", "--aspect-set", "major"});
  ASSERT_EQ(flags.status, kExitOk) << flags.err;
  EXPECT_THAT(flags.out, Not(HasSubstr("quincunx")));
  EXPECT_THAT(flags.out, HasSubstr(" square "));

  nlohmann::json file = nlohmann::json::parse(bytes);
  file["aspectSettings"] = "square=99";
  const TempFile bad(file.dump());
  const ToolRun refused = RunTool({"--chart", bad.path()});
  EXPECT_EQ(refused.status, kExitFailed);
  EXPECT_THAT(refused.err, HasSubstr("key \"aspectSettings\" must name each aspect"));
}

}  // namespace
}  // namespace zodivane::chart_tool
