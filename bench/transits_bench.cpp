// SPDX-License-Identifier: GPL-3.0-or-later
// The transit calendar of a year: the slow bodies (Jupiter to Pluto) to the
// eleven points of a chart with the house entries, by each engine.
#include <benchmark/benchmark.h>

#include <variant>
#include <vector>

#include "ephemeris/engines.h"
#include "ephemeris/swiss_ephemeris.h"
#include "transits/transits.h"

namespace zodivane {
namespace {

std::vector<NatalPoint> SampleNatal() {
  ChartInput input;
  input.year = 1980;
  input.month = 6;
  input.day = 15;
  input.hour = 10;
  input.minute = 30;
  input.toUtHours = -5;
  input.toUtMinutes = -30;
  input.lonDegrees = 77;
  input.lonMinutes = 13;
  input.latDegrees = 28;
  input.latMinutes = 37;
  const LongitudeTable longitudes = ComputeLongitudes(input);
  std::vector<NatalPoint> natal;
  for (int i = 0; i < kChartPointCount; ++i) {
    const auto point = static_cast<ChartPoint>(i);
    natal.push_back({point, NatalPointName(point), longitudes[static_cast<std::size_t>(i)]});
  }
  return natal;
}

void YearCalendar(benchmark::State& state, SkyEngine engine, bool withMars) {
  const std::vector<NatalPoint> natal = SampleNatal();
  CalendarSettings settings;
  settings.fromJulianDayUt = 2460310.5;  // 2024-01-01 00:00 UT
  settings.toJulianDayUt = settings.fromJulianDayUt + 365.0;
  settings.ascendantSign = static_cast<int>(natal.back().longitudeDeg / 30.0);
  if (withMars) {
    settings.bodies.insert(settings.bodies.begin(), ChartPoint::Mars);
  }
  if (std::holds_alternative<std::string>(SkyAt(engine, settings.fromJulianDayUt))) {
    state.SkipWithError("the engine is not available");
    return;
  }
  std::size_t passages = 0;
  for (auto _ : state) {
    auto calendar = FindTransitCalendar(engine, natal, settings);
    passages = std::get<TransitCalendar>(calendar).passages.size();
    benchmark::DoNotOptimize(calendar);
  }
  state.counters["passages"] = static_cast<double>(passages);
}

void BM_TransitCalendarYearBuiltIn(benchmark::State& state) {
  YearCalendar(state, SkyEngine::BuiltIn, false);
}
BENCHMARK(BM_TransitCalendarYearBuiltIn)->Unit(benchmark::kMillisecond);

void BM_TransitCalendarYearWithMarsBuiltIn(benchmark::State& state) {
  YearCalendar(state, SkyEngine::BuiltIn, true);
}
BENCHMARK(BM_TransitCalendarYearWithMarsBuiltIn)->Unit(benchmark::kMillisecond);

void BM_TransitCalendarYearSwiss(benchmark::State& state) {
  YearCalendar(state, SkyEngine::Swiss, false);
}
BENCHMARK(BM_TransitCalendarYearSwiss)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zodivane
