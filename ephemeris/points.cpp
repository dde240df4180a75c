// SPDX-License-Identifier: GPL-3.0-or-later
#include "ephemeris/points.h"

#include <cmath>
#include <cstdint>

#include "ephemeris/time_scales.h"

namespace zodivane {

double MidheavenLongitude(const ChartInput& input) noexcept {
  const double ut = UniversalTimeHours(input);
  const std::int64_t julianDay = JulianDayNumber(input.month, input.day, input.year);
  const double t = CenturiesFrom1900(julianDay, ut);
  const double ramc = LocalSiderealDegrees(t, ut, ObserverLongitude(input)) * kDegreesToRadians;
  const double obliquity = MeanObliquity(t) * kDegreesToRadians;
  const double midheaven = QuadrantAngle(std::sin(ramc), std::cos(ramc) * std::cos(obliquity));
  return ReduceDegrees(midheaven * kRadiansToDegrees);
}

double MeanNodeAt(double centuriesFromJ2000) noexcept {
  const double t = centuriesFromJ2000;
  const double node = 125.0445479 - 1934.1362891 * t + 0.0020754 * t * t + t * t * t / 467441.0 -
                      t * t * t * t / 60616000.0;
  return ReduceDegrees(node);
}

double MeanNodeLongitude(const ChartInput& input) noexcept {
  const double ut = UniversalTimeHours(input);
  const std::int64_t julianDay = JulianDayNumber(input.month, input.day, input.year);
  return MeanNodeAt(CenturiesFromJ2000(julianDay, ut));
}

}  // namespace zodivane
