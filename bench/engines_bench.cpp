// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the three ephemeris engines for one chart (time per chart).
#include <benchmark/benchmark.h>

#include <string>

#include "common/birth_record.h"
#include "ephemeris/engines.h"
#include "tests/support/birth_records.h"

namespace zodivane {
namespace {

/// 1980-06-15 10:30 Indian Time (+5.5), 28°37' North, 77°13' East.
ChartInput BenchmarkChart() {
  return test::MakeInput(test::kDelhi1980);
}

void BM_ComputeAscendant(benchmark::State& state) {
  const ChartInput input = BenchmarkChart();
  for (auto _ : state) {
    benchmark::DoNotOptimize(ComputeAscendant(input));
  }
}
BENCHMARK(BM_ComputeAscendant);

void BM_ComputeMoon(benchmark::State& state) {
  const ChartInput input = BenchmarkChart();
  for (auto _ : state) {
    benchmark::DoNotOptimize(ComputeMoon(input));
  }
}
BENCHMARK(BM_ComputeMoon);

void BM_ComputePlanets(benchmark::State& state) {
  const ChartInput input = BenchmarkChart();
  const std::string moonText = ComputeMoon(input).moonText;
  const std::string ascendantText = ComputeAscendant(input);
  for (auto _ : state) {
    benchmark::DoNotOptimize(ComputePlanets(input, moonText, ascendantText));
  }
}
BENCHMARK(BM_ComputePlanets);

/// The whole ephemeris run of one chart, in the driver's order.
void BM_AllEngines(benchmark::State& state) {
  const ChartInput input = BenchmarkChart();
  for (auto _ : state) {
    const std::string ascendantText = ComputeAscendant(input);
    const MoonPosition moon = ComputeMoon(input);
    benchmark::DoNotOptimize(ComputePlanets(input, moon.moonText, ascendantText));
  }
}
BENCHMARK(BM_AllEngines);

}  // namespace
}  // namespace zodivane
