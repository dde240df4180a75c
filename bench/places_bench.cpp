// SPDX-License-Identifier: GPL-3.0-or-later
// The place finder: what one keystroke in the city box costs, and one zone
// lookup for a date and time.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "places/gazetteer.h"
#include "places/zone_rows.h"

namespace zodivane::places {
namespace {

const Gazetteer& SharedGazetteer() {
  static const Gazetteer gazetteer;
  return gazetteer;
}

// Reading and folding the whole gazetteer (done once per run, off the
// window's thread).
void BM_GazetteerLoad(benchmark::State& state) {
  for (auto _ : state) {
    Gazetteer gazetteer;
    benchmark::DoNotOptimize(gazetteer.size());
  }
}
BENCHMARK(BM_GazetteerLoad)->Unit(benchmark::kMillisecond);

// One search per keystroke: the query after the first, second, ... typed
// character. One-letter queries match thousands of cities.
void BM_SearchPerKeystroke(benchmark::State& state) {
  const std::string typed = "Springfield, Illinois";
  const std::string query = typed.substr(0, static_cast<std::size_t>(state.range(0)));
  const Gazetteer& gazetteer = SharedGazetteer();
  for (auto _ : state) {
    benchmark::DoNotOptimize(gazetteer.Search(query));
  }
  state.SetLabel(query);
}
BENCHMARK(BM_SearchPerKeystroke)->DenseRange(1, 21, 1)->Unit(benchmark::kMicrosecond);

// Typing a whole name, one search per keystroke, as the city box does.
void BM_SearchWholeTyping(benchmark::State& state) {
  const std::vector<std::string> names = {"s",       "sa",       "san", "san ", "san f", "san fr",
                                          "san fra", "san fran", "x",   "xy",   "xyz"};
  const Gazetteer& gazetteer = SharedGazetteer();
  for (auto _ : state) {
    for (const std::string& query : names) {
      benchmark::DoNotOptimize(gazetteer.Search(query));
    }
  }
}
BENCHMARK(BM_SearchWholeTyping)->Unit(benchmark::kMicrosecond);

// The dearest queries a user can type: ten one-letter words (every city
// checked against every word), and the longest name taken.
void BM_SearchWorstQuery(benchmark::State& state) {
  const std::vector<std::string> queries = {"a b c d e f g h i j", "e e e e e e e e e e",
                                            std::string(200, 'a'), "a, b"};
  const Gazetteer& gazetteer = SharedGazetteer();
  const std::string& query = queries[static_cast<std::size_t>(state.range(0))];
  for (auto _ : state) {
    benchmark::DoNotOptimize(gazetteer.Search(query));
  }
}
BENCHMARK(BM_SearchWorstQuery)->DenseRange(0, 3, 1)->Unit(benchmark::kMicrosecond);

// A zone after 2037, where the zone file's rule is read.
void BM_ZoneLookupAfter2037(benchmark::State& state) {
  const LocalDateTime local{2045, 7, 1, 12, 0};
  for (auto _ : state) {
    benchmark::DoNotOptimize(SuggestZone("America/New_York", local));
  }
}
BENCHMARK(BM_ZoneLookupAfter2037)->Unit(benchmark::kMicrosecond);

// The zone database, the row choice and the note for one clock reading.
void BM_ZoneLookup(benchmark::State& state) {
  const LocalDateTime local{1990, 7, 4, 12, 0};
  for (auto _ : state) {
    benchmark::DoNotOptimize(SuggestZone("America/New_York", local));
  }
}
BENCHMARK(BM_ZoneLookup)->Unit(benchmark::kMicrosecond);

// The same across zones and centuries (different periods of the history).
void BM_ZoneLookupVaried(benchmark::State& state) {
  const std::vector<std::string> zones = {"Asia/Kolkata", "Europe/London", "Australia/Sydney",
                                          "Asia/Kathmandu", "Europe/Amsterdam"};
  int year = 1901;
  for (auto _ : state) {
    for (const std::string& zone : zones) {
      benchmark::DoNotOptimize(SuggestZone(zone, LocalDateTime{year, 6, 15, 12, 0}));
    }
    year = year == 2050 ? 1901 : year + 1;
  }
}
BENCHMARK(BM_ZoneLookupVaried)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zodivane::places
