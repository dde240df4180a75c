// SPDX-License-Identifier: GPL-3.0-or-later
#include "ephemeris/ascendant.h"

#include <cmath>
#include <cstdint>

#include "ephemeris/engines.h"
#include "ephemeris/time_scales.h"

namespace zodivane {

double AscendantLongitude(const ChartInput& input) noexcept {
  const double longitude = ObserverLongitude(input);
  const double latitude = ObserverLatitude(input);
  const double ut = UniversalTimeHours(input);
  const std::int64_t julianDay = JulianDayNumber(input.month, input.day, input.year);
  const double t = CenturiesFrom1900(julianDay, ut);
  const double sidereal = LocalSiderealDegrees(t, ut, longitude);

  const double ramc = sidereal * kDegreesToRadians;
  const double obliquity = MeanObliquity(t) * kDegreesToRadians;
  const double phi = latitude * kDegreesToRadians;

  const double y = std::cos(ramc);
  const double x = -(std::sin(ramc) * std::cos(obliquity)) - std::sin(obliquity) * std::tan(phi);
  double ascendant = QuadrantAngle(y, x);
  // Rising, not setting: the Ascendant lies in 0..180 degrees when cos RAMC
  // is positive and in 180..360 degrees when it is negative.
  if (ascendant < 0.0) {
    ascendant += kPi;
  }
  if (std::cos(ramc) < 0.0) {
    ascendant += kPi;
  }
  return ReduceDegrees(ascendant * kRadiansToDegrees);
}

std::string ComputeAscendant(const ChartInput& input) {
  return SignPositionText(AscendantLongitude(input));
}

AscendantPosition ComputeAscendantPosition(const ChartInput& input) {
  AscendantPosition ascendant;
  ascendant.longitude = AscendantLongitude(input);
  ascendant.text = SignPositionText(ascendant.longitude);
  return ascendant;
}

}  // namespace zodivane
