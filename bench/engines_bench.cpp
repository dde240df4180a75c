// Cost of the three ephemeris engines for one chart (time per chart).
#include <benchmark/benchmark.h>

#include <string>

#include "common/birth_record.h"
#include "ephemeris/engines.h"

namespace zodivane {
namespace {

/// 1980-06-15 10:30 Indian Time (+5.5), 28°37' North, 77°13' East.
ChartInput BenchmarkChart() {
  ChartInput input;
  input.year = 1980;
  input.month = 6;
  input.day = 15;
  input.hour = 10;
  input.minute = 30;
  input.toUtHours = -5;
  input.toUtMinutes = -30;
  input.zoneHours = 5;
  input.zoneMinutes = 30;
  input.lonDegrees = 77;
  input.lonMinutes = 13;
  input.isEast = Flag16::Of(true);
  input.latDegrees = 28;
  input.latMinutes = 37;
  return input;
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
