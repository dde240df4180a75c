// SPDX-License-Identifier: GPL-3.0-or-later
// CastChart against Swiss Ephemeris on the same random birth moments
// (1901-2050): the Sun, the Moon, Mercury to Pluto and the Ascendant. Swiss
// Ephemeris reads its data files (the basic set); it is a yardstick only and
// is linked into this benchmark alone.
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstddef>
#include <ctime>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "chart/chart_driver.h"
#include "chart/time_zones.h"

#ifdef ZODIVANE_BENCH_SWISS_EPHEMERIS
#include <swephexp.h>
#endif

namespace zodivane {
namespace {

/// One random birth: what the form holds and the same moment in UT.
struct BirthSample {
  FormEntries entries;
  int year = 1901;
  int month = 1;
  int day = 1;
  double utHours = 0;        ///< local clock time corrected to UT, may leave 0..24
  double longitudeEast = 0;  ///< degrees, positive East
  double latitudeNorth = 0;  ///< degrees, positive North
};

/// The same 4096 random births on every run (fixed seed): any day of
/// 1901-2050, any minute, any of the zones, any place.
const std::vector<BirthSample>& Samples() {
  static const std::vector<BirthSample> samples = [] {
    std::mt19937 random(20261210);
    auto uniform = [&random](int low, int high) {
      return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::vector<BirthSample> list;
    for (int n = 0; n < 4096; ++n) {
      BirthSample s;
      s.year = uniform(1901, 2050);
      s.month = uniform(1, 12);
      const std::chrono::year_month_day_last last{
          std::chrono::year{s.year} / std::chrono::month{static_cast<unsigned>(s.month)} /
          std::chrono::last};
      s.day = uniform(1, static_cast<int>(static_cast<unsigned>(last.day())));
      const int hour = uniform(0, 23);
      const int minute = uniform(0, 59);
      const int zone = uniform(0, 70);
      const int lonDegrees = uniform(0, 179);
      const int lonMinutes = uniform(0, 59);
      const int latDegrees = uniform(0, 65);
      const int latMinutes = uniform(0, 59);
      const bool east = uniform(0, 1) == 1;
      const bool south = uniform(0, 1) == 1;
      s.entries = FormEntries{
          .txtName = "PERSON",
          .txtLonD = std::to_string(lonDegrees),
          .txtLonM = std::to_string(lonMinutes),
          .txtLatD = std::to_string(latDegrees),
          .txtLatM = std::to_string(latMinutes),
          .txtMCity = "City",
          .txtMState = "State",
          .txtMCountry = "Country",
          .cboMonthIndex = s.month - 1,
          .cboDateIndex = s.day - 1,
          .cmbTimeZoneIndex = zone,
          .cboDateText = std::to_string(s.day),
          .cboYearText = std::to_string(s.year),
          .cboHHText = std::to_string(hour),
          .cboMMText = std::to_string(minute),
          .optEast = east,
          .optSouth = south,
          .chkDST = false,
      };
      ChartInput zoneOnly;
      Zone_Calculation(zone, zoneOnly);
      s.utHours = hour + minute / 60.0 + zoneOnly.toUtHours + zoneOnly.toUtMinutes / 60.0;
      s.longitudeEast = (lonDegrees + lonMinutes / 60.0) * (east ? 1.0 : -1.0);
      s.latitudeNorth = (latDegrees + latMinutes / 60.0) * (south ? -1.0 : 1.0);
      list.push_back(std::move(s));
    }
    return list;
  }();
  return samples;
}

/// Casts one chart of `sample`; false when it was rejected (it never is).
bool Cast(ChartSession& session, const BirthSample& sample) {
  CastResult result = session.CastChart(sample.entries);
  benchmark::DoNotOptimize(result);
  return std::holds_alternative<ChartView>(result);
}

void BM_CastChartRandomDates(benchmark::State& state) {
  const std::vector<BirthSample>& samples = Samples();
  ChartSession session;
  std::size_t next = 0;
  for (auto _ : state) {
    if (!Cast(session, samples[next])) {
      state.SkipWithError("a random chart was rejected");
      break;
    }
    next = (next + 1) % samples.size();
  }
}
BENCHMARK(BM_CastChartRandomDates)->Unit(benchmark::kMicrosecond);

/// A whole cast of the same random births with each engine: 0 the built-in
/// method, 1 Swiss Ephemeris (reported as an error where the build has none).
void BM_CastChartEachEngine(benchmark::State& state) {
  const auto ephemeris = static_cast<Ephemeris>(state.range(0));
  state.SetLabel(std::string(EphemerisName(ephemeris)));
  const std::vector<BirthSample>& samples = Samples();
  ChartSession session;
  std::size_t next = 0;
  for (auto _ : state) {
    CastResult result = session.CastChart(samples[next].entries, ephemeris);
    benchmark::DoNotOptimize(result);
    if (!std::holds_alternative<ChartView>(result)) {
      state.SkipWithError("the engine cannot cast here");
      break;
    }
    next = (next + 1) % samples.size();
  }
}
BENCHMARK(BM_CastChartEachEngine)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

#ifdef ZODIVANE_BENCH_SWISS_EPHEMERIS

/// Swiss Ephemeris from its files: the ten bodies and the Placidus houses'
/// Ascendant of one birth; returns a sum of the results to keep them alive.
double SwissChart(const BirthSample& sample) {
  const double julianDayUt =
      swe_julday(sample.year, sample.month, sample.day, sample.utHours, SE_GREG_CAL);
  double sum = 0;
  std::array<double, 6> xx{};
  std::array<char, AS_MAXCH> error{};
  for (int body = SE_SUN; body <= SE_PLUTO; ++body) {
    swe_calc_ut(julianDayUt, body, SEFLG_SWIEPH | SEFLG_SPEED, xx.data(), error.data());
    sum += xx[0];
  }
  std::array<double, 13> cusps{};
  std::array<double, 10> ascmc{};
  swe_houses(julianDayUt, sample.latitudeNorth, sample.longitudeEast, 'P', cusps.data(),
             ascmc.data());
  return sum + ascmc[0];
}

/// The CPU time of this thread, in seconds.
double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

/// Births per timed batch: enough to make the clock's own cost negligible.
constexpr std::size_t kBatch = 16;

/// Swiss Ephemeris's CPU time per chart. Each iteration casts a batch of
/// births with Swiss Ephemeris and then the same births with CastChart, so
/// that a busy machine slows both alike; "ratio" is Swiss Ephemeris's CPU
/// time over CastChart's, "CastChart_us" CastChart's CPU time per chart in
/// that comparison, and "charts_per_s" Swiss Ephemeris's charts per CPU
/// second (the yardstick of BM_ChartToolProcessFileLines).
void BM_SwissEphemerisRandomDates(benchmark::State& state) {
  swe_set_ephe_path(const_cast<char*>(ZODIVANE_BENCH_SWE_EPHE_DIR));
  const std::vector<BirthSample>& samples = Samples();
  static_assert(kBatch > 0);
  ChartSession session;
  std::size_t next = 0;
  double swissTotal = 0;
  double oursTotal = 0;
  for (auto _ : state) {
    const double start = ThreadCpuSeconds();
    for (std::size_t k = 0; k < kBatch; ++k) {
      benchmark::DoNotOptimize(SwissChart(samples[(next + k) % samples.size()]));
    }
    const double swissDone = ThreadCpuSeconds();
    bool allCast = true;
    for (std::size_t k = 0; k < kBatch; ++k) {
      allCast = Cast(session, samples[(next + k) % samples.size()]) && allCast;
    }
    const double oursDone = ThreadCpuSeconds();
    if (!allCast) {
      state.SkipWithError("a random chart was rejected");
      break;
    }
    swissTotal += swissDone - start;
    oursTotal += oursDone - swissDone;
    state.SetIterationTime((swissDone - start) / static_cast<double>(kBatch));
    next = (next + kBatch) % samples.size();
  }
  swe_close();
  if (oursTotal > 0 && state.iterations() > 0) {
    state.counters["ratio"] = swissTotal / oursTotal;
    state.counters["CastChart_us"] =
        oursTotal * 1e6 / static_cast<double>(state.iterations() * kBatch);
  }
  if (swissTotal > 0) {
    state.counters["charts_per_s"] = static_cast<double>(state.iterations() * kBatch) / swissTotal;
  }
}
BENCHMARK(BM_SwissEphemerisRandomDates)->UseManualTime()->Unit(benchmark::kMicrosecond);

#endif

}  // namespace
}  // namespace zodivane
