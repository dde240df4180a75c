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
  // The ecliptic meets the horizon at two opposite points; the formula gives
  // their direction, the quadrant rule picks one of them: the point in 0..180
  // degrees when cos RAMC is positive and in 180..360 degrees when it is
  // negative, the same point atan2(y, x) gives.
  if (ascendant < 0.0) {
    ascendant += kPi;
  }
  if (std::cos(ramc) < 0.0) {
    ascendant += kPi;
  }
  // That point's distance east of the meridian's plane is, up to a positive
  // factor, cos e + sin e tan phi sin RAMC. Below the polar circles (|phi|
  // under 90 degrees minus e) tan e tan |phi| < 1 keeps it positive: the
  // point rises, as it must. Beyond them it turns negative while the
  // Midheaven is below the horizon; the point is then the setting one, in
  // the west, and the Ascendant is its opposite.
  if (std::cos(obliquity) + std::sin(obliquity) * std::tan(phi) * std::sin(ramc) < 0.0) {
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
