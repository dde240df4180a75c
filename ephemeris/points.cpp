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

ChartPoints ChartPointsOf(double midheavenDeg, double ascendantDeg, double meanNodeDeg,
                          std::optional<double> trueNodeDeg,
                          std::optional<double> chironDeg) noexcept {
  const auto positionOf = [](std::optional<double> longitude) -> std::optional<PointPosition> {
    if (!longitude) {
      return std::nullopt;
    }
    return PointPositionOf(*longitude);
  };
  ChartPoints points;
  points[ExtraPoint::Midheaven] = PointPositionOf(midheavenDeg);
  points[ExtraPoint::ImumCoeli] = PointPositionOf(ReduceDegrees(midheavenDeg + 180.0));
  points[ExtraPoint::Descendant] = PointPositionOf(ReduceDegrees(ascendantDeg + 180.0));
  points[ExtraPoint::MeanNode] = PointPositionOf(meanNodeDeg);
  points[ExtraPoint::TrueNode] = positionOf(trueNodeDeg);
  points[ExtraPoint::Chiron] = positionOf(chironDeg);
  return points;
}

ChartPoints BuiltInChartPoints(const ChartInput& input, double ascendantDeg) noexcept {
  return ChartPointsOf(MidheavenLongitude(input), ascendantDeg, MeanNodeLongitude(input),
                       std::nullopt, std::nullopt);
}

}  // namespace zodivane
