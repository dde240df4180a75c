// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart's JSON protocol on a thousand lines, the built tool as a
// process on a file of 50,000 lines, and one whole cast.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "chart/chart_driver.h"
#include "tools/zodivane_chart/json_protocol.h"

namespace {

/// Throws every answer away, so that the benchmark measures the tool and
/// not the growth of a string.
class DiscardOutput final : public zodivane::chart_tool::OutputSink {
 public:
  void Write(std::string_view) override {}
};

zodivane::FormEntries DelhiEntries() {
  return zodivane::FormEntries{
      .txtName = "ANNA",
      .txtLonD = "77",
      .txtLonM = "12",
      .txtLatD = "28",
      .txtLatM = "38",
      .txtMCity = "Delhi",
      .txtMState = "Delhi",
      .txtMCountry = "India",
      .cboMonthIndex = 2,
      .cboDateIndex = 4,
      .cmbTimeZoneIndex = 34,
      .cboDateText = "5",
      .cboYearText = "1980",
      .cboHHText = "7",
      .cboMMText = "5",
  };
}

/// A thousand different valid charts, one JSON object per line: the years,
/// days, hours, zones and hemispheres vary.
std::string ThousandLines() {
  std::string lines;
  for (int i = 0; i < 1000; ++i) {
    const int day = i % 28;
    const nlohmann::json entries{
        {"txtName", "PERSON"},
        {"txtLonD", std::to_string(i % 180)},
        {"txtLonM", std::to_string(i % 60)},
        {"txtLatD", std::to_string(i % 90)},
        {"txtLatM", std::to_string((i * 7) % 60)},
        {"txtMCity", "City"},
        {"txtMState", "State"},
        {"txtMCountry", "Country"},
        {"cboMonthIndex", i % 12},
        {"cboDateIndex", day},
        {"cmbTimeZoneIndex", i % 71},
        {"cboDateText", std::to_string(day + 1)},
        {"cboYearText", std::to_string(1901 + (i * 37) % 150)},
        {"cboHHText", std::to_string(i % 24)},
        {"cboMMText", std::to_string((i * 13) % 60)},
        {"optEast", i % 2 == 0},
        {"optSouth", i % 3 == 0},
        {"chkDST", i % 5 == 0},
    };
    lines += entries.dump() + "\n";
  }
  return lines;
}

void BM_ChartToolThousandJsonLines(benchmark::State& state) {
  const std::string input = ThousandLines();
  const bool withReport = state.range(0) != 0;
  const auto threads = static_cast<unsigned>(state.range(1));
  DiscardOutput out;
  std::ostringstream err;
  for (auto _ : state) {
    zodivane::chart_tool::StringInput in(input);
    benchmark::DoNotOptimize(zodivane::chart_tool::RunJson(
        in, out, err, zodivane::chart_tool::JsonOptions{withReport, threads}));
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ChartToolThousandJsonLines)
    ->ArgNames({"report", "threads"})
    ->ArgsProduct({{0, 1}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

#ifdef ZODIVANE_BENCH_CHART_TOOL

/// Lines in the file the tool reads as a process.
constexpr int kFileLines = 50'000;

/// kFileLines random valid charts, one JSON object per line, as
/// tools/json_lines.py writes its valid lines: any day of 1901-2050, any
/// minute, zone and place, names and cities with and without non-ASCII
/// characters, escaped or not. The same lines on every run (fixed seed).
std::string RandomLines() {
  constexpr std::array<int, 12> kMonthDays{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  constexpr std::array<const char*, 6> kCities{"Delhi", "São Paulo", "Zürich",
                                               "",      "New York",  "Ōsaka"};
  constexpr std::array<const char*, 3> kStates{"", "NY", "Delhi"};
  constexpr std::array<const char*, 4> kCountries{"India", "", "USA", "Brasil"};
  std::mt19937 random(20261211);
  const auto uniform = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  std::string lines;
  for (int i = 0; i < kFileLines; ++i) {
    const int month = uniform(0, 11);
    const int day = uniform(0, kMonthDays[static_cast<std::size_t>(month)] - 1);
    std::string name(static_cast<std::size_t>(uniform(1, 24)), 'A');
    for (char& letter : name)
      letter = static_cast<char>('A' + uniform(0, 25));
    const nlohmann::json entries{
        {"txtName", name},
        {"txtLonD", std::to_string(uniform(0, 179))},
        {"txtLonM", std::to_string(uniform(0, 59))},
        {"txtLatD", std::to_string(uniform(0, 66))},
        {"txtLatM", std::to_string(uniform(0, 59))},
        {"txtMCity", kCities[static_cast<std::size_t>(uniform(0, 5))]},
        {"txtMState", kStates[static_cast<std::size_t>(uniform(0, 2))]},
        {"txtMCountry", kCountries[static_cast<std::size_t>(uniform(0, 3))]},
        {"cboMonthIndex", month},
        {"cboDateIndex", day},
        {"cmbTimeZoneIndex", uniform(0, 70)},
        {"cboDateText", std::to_string(day + 1)},
        {"cboYearText", std::to_string(uniform(1901, 2050))},
        {"cboHHText", std::to_string(uniform(0, 23))},
        {"cboMMText", std::to_string(uniform(0, 59))},
        {"optEast", uniform(0, 1) == 1},
        {"optSouth", uniform(0, 9) < 3},
        {"chkDST", uniform(0, 9) < 3},
    };
    lines += entries.dump(-1, ' ', uniform(0, 1) == 1) + "\n";
  }
  return lines;
}

/// A file removed when the benchmark ends.
class BenchFile {
 public:
  explicit BenchFile(std::string_view name)
      : path_(std::filesystem::temp_directory_path() /
              ("zodivane_bench_" + std::to_string(::getpid()) + "_" + std::string(name))) {}
  BenchFile(const BenchFile&) = delete;
  BenchFile& operator=(const BenchFile&) = delete;
  ~BenchFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  [[nodiscard]] const std::filesystem::path& path() const noexcept { return path_; }

 private:
  std::filesystem::path path_;
};

/// Runs `zodivane-chart --json` with its default threads, reading `input`
/// and writing `output`; returns its exit status, or -1 when it did not run.
int RunChartTool(const std::filesystem::path& input, const std::filesystem::path& output) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, input.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::string program = ZODIVANE_BENCH_CHART_TOOL;
  std::string json = "--json";
  std::array<char*, 3> argv{program.data(), json.data(), nullptr};
  pid_t child = 0;
  const int failed = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0)
    return -1;
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
    return -1;
  return WEXITSTATUS(status);
}

/// The built tool end to end: a process that reads 50,000 lines from a file
/// and writes its answers to a file, timed by the wall clock from its start
/// to its end. "charts_per_s" is the lines answered per second; compare it
/// with BM_SwissEphemerisRandomDates's in the same run.
void BM_ChartToolProcessFileLines(benchmark::State& state) {
  const BenchFile input("lines.jsonl");
  const BenchFile output("answers.jsonl");
  {
    std::ofstream file(input.path(), std::ios::binary);
    file << RandomLines();
  }
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const int status = RunChartTool(input.path(), output.path());
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (status != 0) {
      state.SkipWithError("zodivane-chart did not answer every line");
      break;
    }
    seconds += took.count();
    state.SetIterationTime(took.count());
  }
  if (seconds > 0) {
    state.counters["charts_per_s"] = static_cast<double>(state.iterations()) * kFileLines / seconds;
  }
}
BENCHMARK(BM_ChartToolProcessFileLines)->UseManualTime()->Unit(benchmark::kMillisecond);

#endif

void BM_CastChart(benchmark::State& state) {
  const zodivane::FormEntries entries = DelhiEntries();
  zodivane::ChartSession session;
  for (auto _ : state) {
    zodivane::CastResult result = session.CastChart(entries);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_CastChart)->Unit(benchmark::kMicrosecond);

/// The aspect search of a cast chart with the default settings: the daily
/// motions (a second run of the engines an hour later), the aspects and the
/// patterns. Beside BM_CastChart it gives the search's share of a cast.
void BM_ChartAspects(benchmark::State& state) {
  zodivane::ChartSession session;
  benchmark::DoNotOptimize(session.CastChart(DelhiEntries()));
  const zodivane::AspectSettings settings = zodivane::DefaultAspectSettings();
  for (auto _ : state) {
    benchmark::DoNotOptimize(session.Aspects(settings));
  }
}
BENCHMARK(BM_ChartAspects)->Unit(benchmark::kMicrosecond);

/// The search alone, on points whose daily motions are known: the aspects
/// and the patterns, without the second run of the engines.
void BM_AspectSearch(benchmark::State& state) {
  zodivane::ChartSession session;
  benchmark::DoNotOptimize(session.CastChart(DelhiEntries()));
  const zodivane::AspectPoints points =
      zodivane::AspectPointsOf(session.chartInput(), session.points());
  const zodivane::AspectSettings settings = zodivane::DefaultAspectSettings();
  for (auto _ : state) {
    benchmark::DoNotOptimize(zodivane::FindChartAspects(points, settings));
  }
}
BENCHMARK(BM_AspectSearch)->Unit(benchmark::kMicrosecond);

}  // namespace
