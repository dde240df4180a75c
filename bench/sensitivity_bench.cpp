// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the whole birth-time search of one chart: the Ascendant over ±3
// hours, the Moon over ±3 days, the Sun and the planets over ±1 day, and the
// chart with the opposite daylight-saving tick.
#include <benchmark/benchmark.h>

#include "chart/sensitivity.h"
#include "common/birth_record.h"
#include "tests/support/birth_records.h"

namespace zodivane {
namespace {

/// 1980-06-15 10:30 Indian Time (+5.5), 28°38' North, 77°12' East: the
/// Ascendant changes a minute earlier, the Moon the same evening.
ChartInput DelhiChart() {
  test::Birth delhi = test::kDelhi1980;
  delhi.lonMinutes = 12;
  delhi.latMinutes = 38;
  return test::MakeInput(delhi);
}

void BM_AnalyseBirthTime(benchmark::State& state) {
  const ChartInput input = DelhiChart();
  for (auto _ : state) {
    benchmark::DoNotOptimize(AnalyseBirthTime(input));
  }
}
BENCHMARK(BM_AnalyseBirthTime)->Unit(benchmark::kMicrosecond);

/// Above the polar circle (69°40' N, Tromsø) every minute of the Ascendant's
/// ±3 hours is cast: the slowest case.
void BM_AnalyseBirthTimePolar(benchmark::State& state) {
  ChartInput input = DelhiChart();
  input.latDegrees = 69;
  input.latMinutes = 40;
  input.lonDegrees = 18;
  input.lonMinutes = 56;
  for (auto _ : state) {
    benchmark::DoNotOptimize(AnalyseBirthTime(input));
  }
}
BENCHMARK(BM_AnalyseBirthTimePolar)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zodivane
