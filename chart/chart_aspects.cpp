// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_aspects.h"

#include <cmath>
#include <cstddef>

#include "chart/sensitivity.h"
#include "ephemeris/engines.h"

namespace zodivane {

AspectPoints AspectPointsOf(const ChartInput& input, const PointPositions& points) {
  const LongitudeTable later = ComputeLongitudes(ShiftBirthTime(input, kMotionStepMinutes));
  constexpr double kStepsPerDay = 24.0 * 60.0 / kMotionStepMinutes;
  AspectPoints result;
  for (std::size_t point = 0; point < result.size(); ++point) {
    // The shorter way round from now to later: no point moves half a turn
    // in the step.
    double moved = std::fmod(later[point] - points[point].longitude, 360.0);
    if (moved > 180.0) {
      moved -= 360.0;
    } else if (moved < -180.0) {
      moved += 360.0;
    }
    result[point] = AspectPoint{points[point].longitude, moved * kStepsPerDay, points[point].sign};
  }
  return result;
}

ChartAspects FindChartAspects(const AspectPoints& points, const AspectSettings& settings) {
  ChartAspects result;
  result.aspects = FindAspects(points, settings);
  result.patterns = FindPatterns(result.aspects, points);
  return result;
}

}  // namespace zodivane
