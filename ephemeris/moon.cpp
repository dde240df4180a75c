// SPDX-License-Identifier: GPL-3.0-or-later
#include "ephemeris/moon.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/vocabulary.h"
#include "ephemeris/engines.h"
#include "ephemeris/time_scales.h"

namespace zodivane {

namespace {

/// Mean longitude, elongation and anomalies at J2000.0 and their linear
/// rates per Julian century, degrees.
struct FundamentalArgument {
  double atEpoch;  ///< degrees at J2000.0
  double rate;     ///< degrees per century
};

constexpr FundamentalArgument kMeanLongitude{218.3164591, 481267.88134236};
constexpr FundamentalArgument kMeanElongation{297.8502042, 445267.1115168};
constexpr FundamentalArgument kSunMeanAnomaly{357.5291092, 35999.0502909};
constexpr FundamentalArgument kMoonMeanAnomaly{134.9634114, 477198.8676313};
constexpr FundamentalArgument kArgumentOfLatitude{93.2720993, 483202.0175273};

[[nodiscard]] double DegreesAt(const FundamentalArgument& argument, double centuries) noexcept {
  return argument.atEpoch + argument.rate * centuries;
}

}  // namespace

double MoonLongitudeAt(double centuries) noexcept {
  const double t = centuries;
  const double meanLongitude = DegreesAt(kMeanLongitude, t);
  const double elongation = DegreesAt(kMeanElongation, t) * kDegreesToRadians;
  const double sunAnomaly = DegreesAt(kSunMeanAnomaly, t) * kDegreesToRadians;
  const double moonAnomaly = DegreesAt(kMoonMeanAnomaly, t) * kDegreesToRadians;
  const double latitudeArgument = DegreesAt(kArgumentOfLatitude, t) * kDegreesToRadians;
  const double eccentricityFactor = 1.0 - 0.002516 * t - 0.0000074 * (t * t);

  double sum = 0.0;
  for (const MoonLongitudeTerm& term : kMoonLongitudeTerms) {
    const double argument = term.d * elongation + term.m * sunAnomaly + term.mPrime * moonAnomaly +
                            term.f * latitudeArgument;
    double contribution = term.coefficient * std::sin(argument);
    if (term.timesE) {
      contribution = contribution * eccentricityFactor;
    }
    sum += contribution;
  }

  return ReduceDegrees(meanLongitude + sum);
}

double MoonLongitude(const ChartInput& input) noexcept {
  const double ut = UniversalTimeHours(input);
  const std::int64_t julianDay = JulianDayNumber(input.month, input.day, input.year);
  return MoonLongitudeAt(CenturiesFromJ2000(julianDay, ut));
}

MoonPosition ComputeMoon(const ChartInput& input) {
  MoonPosition moon;
  moon.longitude = MoonLongitude(input);
  moon.moonText = SignPositionText(moon.longitude);
  moon.moonSignName = SignNameOf(SignIndexOfLongText(moon.moonText)).value_or("");
  return moon;
}

}  // namespace zodivane
