// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart's JSON protocol on a thousand lines, and one whole cast.
#include <benchmark/benchmark.h>

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

void BM_CastChart(benchmark::State& state) {
  const zodivane::FormEntries entries = DelhiEntries();
  zodivane::ChartSession session;
  for (auto _ : state) {
    zodivane::CastResult result = session.CastChart(entries);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_CastChart)->Unit(benchmark::kMicrosecond);

}  // namespace
