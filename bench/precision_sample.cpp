// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane_precision: how far the built-in method's positions lie from Swiss
// Ephemeris's on a sample of random births: per point, the largest distance
// and the 99th percentile, in arc-minutes, and how many births lie over a
// degree apart. A measurement run by hand, not a
// test: a sample of 100,000 births takes some seconds of CPU per thread.
//
//   zodivane_precision [--births N] [--latitudes MIN..MAX] [--seed S] [--jobs J]
//
// Births: any day of 1901-2050, any minute, a zone of -12 to +12 hours (on
// the hour or half past), the daylight-saving tick or not, any longitude and
// a latitude of MIN to MAX degrees (whole degrees, MAX included with its
// minutes 0 to 59 up to MAX degrees 59'), North or South. Both engines cast
// the same birth record, so they share its moment and its place; the sample
// is the same for every number of jobs.
#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <variant>
#include <vector>

#include "common/birth_record.h"
#include "common/vocabulary.h"
#include "ephemeris/engines.h"
#include "ephemeris/points.h"
#include "ephemeris/swiss_ephemeris.h"

namespace zodivane {
namespace {

/// The compared points, in the README's column order: the Sun to Pluto, the
/// Ascendant, the Midheaven and the mean node.
constexpr auto kPointNames =
    std::to_array<std::string_view>({"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn",
                                     "Uranus", "Neptune", "Pluto", "Asc", "MC", "mean node"});
constexpr std::size_t kPointCount = kPointNames.size();
static_assert(kPointCount == kChartPointCount + 2);
constexpr std::size_t kMidheavenColumn = kChartPointCount;
constexpr std::size_t kMeanNodeColumn = kChartPointCount + 1;

/// The exit status when this build or machine has no Swiss Ephemeris to
/// measure against (a test reads it as skipped).
constexpr int kCannotMeasure = 77;

struct Options {
  int births = 100000;
  int lowestLatitudeDeg = 0;    ///< whole degrees, North or South
  int highestLatitudeDeg = 60;  ///< whole degrees; its minutes 0..59 are drawn too
  unsigned seed = 2026;
  int jobs = 2;
};

/// One distance per point and birth, arc-minutes, for one slice of births.
using Distances = std::array<std::vector<double>, kPointCount>;

bool ParseInt(std::string_view text, int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string_view flag = argv[i];
    const std::string_view value = argv[i + 1];
    int number = 0;
    if (flag == "--latitudes") {
      const std::size_t dots = value.find("..");
      if (dots == std::string_view::npos ||
          !ParseInt(value.substr(0, dots), options.lowestLatitudeDeg) ||
          !ParseInt(value.substr(dots + 2), options.highestLatitudeDeg) ||
          options.lowestLatitudeDeg < 0 || options.highestLatitudeDeg > 89 ||
          options.lowestLatitudeDeg > options.highestLatitudeDeg) {
        return false;
      }
    } else if (!ParseInt(value, number) || number < 1) {
      return false;
    } else if (flag == "--births") {
      options.births = number;
    } else if (flag == "--seed") {
      options.seed = static_cast<unsigned>(number);
    } else if (flag == "--jobs") {
      options.jobs = number;
    } else {
      return false;
    }
  }
  return argc % 2 == 1;
}

std::vector<ChartInput> RandomBirths(const Options& options) {
  std::mt19937 random(options.seed);
  const auto uniform = [&random](int low, int high) {
    return static_cast<std::int16_t>(std::uniform_int_distribution(low, high)(random));
  };
  std::vector<ChartInput> births;
  births.reserve(static_cast<std::size_t>(options.births));
  for (int n = 0; n < options.births; ++n) {
    ChartInput input;
    input.year = uniform(1901, 2050);
    input.month = uniform(1, 12);
    const std::chrono::year_month_day_last last{
        std::chrono::year{input.year} / std::chrono::month{static_cast<unsigned>(input.month)} /
        std::chrono::last};
    input.day = uniform(1, static_cast<int>(static_cast<unsigned>(last.day())));
    input.hour = uniform(0, 23);
    input.minute = uniform(0, 59);
    input.toUtHours = uniform(-12, 12);
    input.toUtMinutes = static_cast<std::int16_t>(uniform(0, 1) * (input.toUtHours < 0 ? -30 : 30));
    input.zoneHours = static_cast<std::int16_t>(std::abs(input.toUtHours));
    input.zoneMinutes = static_cast<std::int16_t>(std::abs(input.toUtMinutes));
    input.lonDegrees = uniform(0, 179);
    input.lonMinutes = uniform(0, 59);
    input.isEast = Flag16::Of(uniform(0, 1) == 1);
    input.latDegrees = uniform(options.lowestLatitudeDeg, options.highestLatitudeDeg);
    input.latMinutes = uniform(0, 59);
    input.isSouth = Flag16::Of(uniform(0, 1) == 1);
    input.dst = Flag16::Of(uniform(0, 1) == 1);
    births.push_back(input);
  }
  return births;
}

/// |a - b| on the circle, degrees to arc-minutes.
double DistanceArcmin(double aDeg, double bDeg) {
  return std::abs(std::remainder(aDeg - bDeg, 360.0)) * 60.0;
}

/// Casts births [begin, end) with both engines into `distances`; the
/// message of the first failure of Swiss Ephemeris, or empty.
std::string Measure(const std::vector<ChartInput>& births, std::size_t begin, std::size_t end,
                    Distances& distances) {
  for (std::size_t i = begin; i < end; ++i) {
    const ChartInput& input = births[i];
    const auto sky = PreciseSkyOf(input);
    if (const auto* problem = std::get_if<std::string>(&sky)) {
      return *problem;
    }
    const PreciseSky& precise = std::get<PreciseSky>(sky);
    const LongitudeTable builtIn = ComputeLongitudes(input);
    const LongitudeTable swiss = PreciseLongitudes(precise);
    for (std::size_t point = 0; point < kChartPointCount; ++point) {
      distances[point].push_back(DistanceArcmin(builtIn[point], swiss[point]));
    }
    distances[kMidheavenColumn].push_back(
        DistanceArcmin(MidheavenLongitude(input), precise.midheavenDeg));
    distances[kMeanNodeColumn].push_back(
        DistanceArcmin(MeanNodeLongitude(input), precise.meanNodeDeg));
  }
  return {};
}

/// The nearest-rank percentile (0 < fraction <= 1) of sorted values.
double Percentile(const std::vector<double>& sorted, double fraction) {
  const auto rank =
      static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(sorted.size())));
  return sorted[std::max<std::size_t>(rank, 1) - 1];
}

int Run(const Options& options) {
  if (const auto problem = SwissEphemerisProblem()) {
    std::fprintf(stderr, "zodivane_precision: %s\n", problem->c_str());
    return kCannotMeasure;
  }
  const std::vector<ChartInput> births = RandomBirths(options);
  const auto jobs = static_cast<std::size_t>(std::min(options.jobs, options.births));
  std::vector<Distances> slices(jobs);
  std::vector<std::string> problems(jobs);
  {
    std::vector<std::jthread> threads;
    for (std::size_t job = 0; job < jobs; ++job) {
      threads.emplace_back([&, job] {
        problems[job] = Measure(births, births.size() * job / jobs,
                                births.size() * (job + 1) / jobs, slices[job]);
      });
    }
  }
  for (const std::string& problem : problems) {
    if (!problem.empty()) {
      std::fprintf(stderr, "zodivane_precision: %s\n", problem.c_str());
      return 1;
    }
  }
  std::printf(
      "%d births of 1901-2050, latitude %d to %d deg 59', seed %u: the built-in method's "
      "distance from Swiss Ephemeris, arc-minutes\n\n",
      options.births, options.lowestLatitudeDeg, options.highestLatitudeDeg, options.seed);
  std::string header = "|";
  std::string rule = "|---|";
  std::string largest = "| largest |";
  std::string percentile = "| 99th percentile |";
  std::string overDegree = "| births over 1 deg |";
  header += " |";
  for (std::size_t point = 0; point < kPointCount; ++point) {
    std::vector<double> all;
    for (const Distances& slice : slices) {
      all.insert(all.end(), slice[point].begin(), slice[point].end());
    }
    std::sort(all.begin(), all.end());
    std::array<char, 32> cell{};
    header += " " + std::string(kPointNames[point]) + " |";
    rule += "---:|";
    std::snprintf(cell.data(), cell.size(), " %.2f |", all.back());
    largest += cell.data();
    std::snprintf(cell.data(), cell.size(), " %.2f |", Percentile(all, 0.99));
    percentile += cell.data();
    const auto over = all.end() - std::upper_bound(all.begin(), all.end(), 60.0);
    std::snprintf(cell.data(), cell.size(), " %td |", over);
    overDegree += cell.data();
  }
  std::printf("%s\n%s\n%s\n%s\n%s\n", header.c_str(), rule.c_str(), largest.c_str(),
              percentile.c_str(), overDegree.c_str());
  return 0;
}

}  // namespace
}  // namespace zodivane

int main(int argc, char** argv) {
  zodivane::Options options;
  if (!zodivane::ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: zodivane_precision [--births N] [--latitudes MIN..MAX] [--seed S] "
                 "[--jobs J]\n  MIN and MAX whole degrees, 0 to 89\n");
    return 2;
  }
  return zodivane::Run(options);
}
