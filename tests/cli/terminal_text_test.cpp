// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart's text for people and its messages: what a chart file or a
// command line holds (a name, a place, a file path) reaches the terminal
// shown, never obeyed; and a file flag never replaces the file standard
// output writes to.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "chartfile/chart_file.h"
#include "tests/support/sample_entries.h"
#include "tests/support/tool_runs.h"
#include "tools/zodivane_chart/io.h"
#include "tools/zodivane_chart/tool.h"

namespace zodivane::chart_tool {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

/// What a hostile name holds: a screen clear, a window title (OSC ended by
/// BEL), a NUL and a line separator; and the same as the text shows it.
const std::string kHostile = std::string("A\x1b[2J\x1b]0;owned\x07N") + '\0' + "L\xe2\x80\xa8Z";
constexpr const char* kShown = "A\\x1b[2J\\x1b]0;owned\\x07N\\x00L\\u2028Z";
/// A file name can hold all of that but the NUL.
const std::string kHostilePath = "A\x1b[2J\x1b]0;owned\x07L\xe2\x80\xa8Z";
constexpr const char* kPathShown = "A\\x1b[2J\\x1b]0;owned\\x07L\\u2028Z";

/// The first byte (or line separator) a terminal would obey; npos when
/// there is none. The line feeds that end lines are allowed.
std::size_t FirstObeyed(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte < 0x20 && byte != '\n') || byte == 0x7f)
      return i;
    if (text.compare(i, 3, "\xe2\x80\xa8") == 0 || text.compare(i, 3, "\xe2\x80\xa9") == 0)
      return i;
  }
  return std::string::npos;
}

/// A folder of its own for one test, removed at its end.
class Folder {
 public:
  Folder()
      : path_(fs::temp_directory_path() /
              ("zodivane-terminal-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~Folder() { fs::remove_all(path_); }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
  [[nodiscard]] std::string operator/(const std::string& name) const {
    return (path_ / name).string();
  }

 private:
  fs::path path_;
};

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A chart file's name and place (a file is written by any program: the name
// box's key filter never saw them) are shown in the chart's text and in the
// synastry's heading as characters to read.
TEST(ChartToolTerminal, NamesAndPlacesFromAFileAreShownNotObeyed) {
  const Folder folder;
  FormEntries entries = test::DelhiEntries();
  entries.txtName = kHostile;
  entries.txtMCity = kHostile;
  const std::string path = folder / "hostile.zchart";
  WriteFile(path, chartfile::WriteChartFile(chartfile::ChartFile{entries, {}, {}}));

  const ToolRun chart = RunTool({"--chart", path});
  ASSERT_EQ(chart.status, kExitOk) << chart.err;
  EXPECT_THAT(chart.out, HasSubstr(std::string("Name:           ") + kShown + "\n"));
  EXPECT_THAT(chart.out, HasSubstr(std::string("City:           ") + kShown + "\n"));
  EXPECT_EQ(FirstObeyed(chart.out), std::string::npos) << chart.out;

  const ToolRun synastry = RunTool(With(kAshaFlags, {"--compare", path}));
  ASSERT_EQ(synastry.status, kExitOk) << synastry.err;
  EXPECT_THAT(synastry.out, HasSubstr(std::string("Synastry with ") + kShown + " (orb"));
  EXPECT_EQ(FirstObeyed(synastry.out), std::string::npos) << synastry.out;

  // The JSON answer escapes as JSON does, as before.
  const ToolRun json = RunTool(With(kAshaFlags, {"--compare", path, "--json"}));
  ASSERT_EQ(json.status, kExitOk) << json.err;
  EXPECT_THAT(json.out, HasSubstr(R"("with":"A\u001b[2J\u001b]0;owned\u0007N\u0000L)"));
}

// Every message that names a file names it as Printable shows it.
TEST(ChartToolTerminal, FilePathsInMessagesAreShownNotObeyed) {
  const Folder folder;
  const std::string badChart = folder / (kHostilePath + ".zchart");
  WriteFile(badChart, "{\"zodivane\": 1, \"txtName\": \"\xe2\x80\xa8\"}");
  const std::string missing = folder / (kHostilePath + "/x");
  const std::vector<std::vector<std::string>> runs = {
      {"--chart", missing + ".zchart"},
      {"--chart", badChart},
      With(kAshaFlags, {"--compare", missing + ".zchart"}),
      With(kAshaFlags, {"--compare", badChart}),
      With(kAshaFlags, {"--report-rtf", missing + ".rtf"}),
      With(kAshaFlags, {"--export-chart", missing + ".txt"}),
      With(kAshaFlags, {"--transit-calendar", "2025-01-01..2025-01-31", "--ics", missing + ".ics"}),
  };
  for (const std::vector<std::string>& args : runs) {
    SCOPED_TRACE(args[args.size() - 2]);
    const ToolRun run = RunTool(args);
    EXPECT_NE(run.status, kExitOk);
    EXPECT_THAT(run.err, HasSubstr(kPathShown));
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(FirstObeyed(run.err), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
  }
}

// Standard output named as a file (/dev/stdout is a link to the descriptor,
// and so is the file the shell sent it to) is refused before anything is
// written: writing it would replace the file under the chart text.
TEST(ChartToolTerminal, AFileFlagNamingStandardOutputIsRefused) {
  const Folder folder;
  const std::string output = folder / "out.txt";
  WriteFile(output, "");
  const int fd = ::open(output.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  const std::string descriptor = "/proc/self/fd/" + std::to_string(fd);
  fs::create_symlink(output, folder / "sheet.pdf");
  const struct Case {
    std::vector<std::string> args;
    std::string flag;
  } cases[] = {
      {With(kAshaFlags, {"--report-rtf", descriptor}), "--report-rtf"},
      {With(kAshaFlags, {"--report-rtf", output}), "--report-rtf"},
      {With(kAshaFlags, {"--export-chart", folder / "sheet.pdf"}), "--export-chart"},
      {With(kAshaFlags, {"--transit-calendar", "2025-01-01..2025-01-31", "--ics", descriptor}),
       "--ics"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    StringInput in("");
    FdOutput out(fd, "standard output");
    std::ostringstream err;
    EXPECT_EQ(chart_tool::Run(c.args, in, out, err), kExitUsage);
    EXPECT_THAT(err.str(), HasSubstr(c.flag + ": "));
    EXPECT_THAT(err.str(), HasSubstr("is the standard output; give - to write there"));
    std::ifstream written(output, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), "");
  }
  // Another file is written as before.
  StringInput in("");
  FdOutput out(fd, "standard output");
  std::ostringstream err;
  EXPECT_EQ(
      chart_tool::Run(With(kAshaFlags, {"--report-rtf", folder / "report.rtf"}), in, out, err),
      kExitOk)
      << err.str();
  std::ifstream written(output, std::ios::binary);
  EXPECT_THAT(std::string(std::istreambuf_iterator<char>(written), {}),
              ::testing::StartsWith("Name:"));
  ::close(fd);
}

}  // namespace
}  // namespace zodivane::chart_tool
