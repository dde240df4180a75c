// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_aspects.h"

#include <cmath>
#include <cstddef>
#include <variant>

#include "chart/sensitivity.h"
#include "ephemeris/engines.h"
#include "ephemeris/points.h"
#include "ephemeris/swiss_ephemeris.h"
#include "ephemeris/time_scales.h"

namespace zodivane {
namespace {

constexpr double kStepsPerDay = 24.0 * 60.0 / kMotionStepMinutes;

/// Degrees per day from a longitude now and one kMotionStepMinutes later,
/// the shorter way round: no point moves half a turn in the step.
double DailyMotion(double now, double later) noexcept {
  double moved = std::fmod(later - now, 360.0);
  if (moved > 180.0) {
    moved -= 360.0;
  } else if (moved < -180.0) {
    moved += 360.0;
  }
  return moved * kStepsPerDay;
}

}  // namespace

AspectPoints AspectPointsOf(const ChartInput& input, const PointPositions& points,
                            Ephemeris ephemeris) {
  const ChartInput step = ShiftBirthTime(input, kMotionStepMinutes);
  LongitudeTable later{};
  if (ephemeris == Ephemeris::Swiss) {
    const auto sky = PreciseSkyOf(step);
    for (std::size_t point = 0; point < later.size(); ++point) {
      later[point] = points[point].longitude;  // no motion when it cannot cast
    }
    if (const auto* precise = std::get_if<PreciseSky>(&sky)) {
      later = PreciseLongitudes(*precise);
    }
  } else {
    later = ComputeLongitudes(step);
  }
  AspectPoints result;
  for (std::size_t point = 0; point < result.size(); ++point) {
    result[point] =
        AspectPoint{points[point].longitude, DailyMotion(points[point].longitude, later[point]),
                    points[point].sign};
  }
  return result;
}

std::vector<NodePoint> NodePointsOf(const ChartInput& input, const ChartPoints& extraPoints,
                                    Ephemeris ephemeris) {
  const ChartInput step = ShiftBirthTime(input, kMotionStepMinutes);
  ChartPoints later;
  if (ephemeris == Ephemeris::Swiss) {
    const auto sky = PreciseSkyOf(step);
    if (const auto* precise = std::get_if<PreciseSky>(&sky)) {
      later = PreciseChartOf(*precise).extraPoints;
    }
  } else {
    later[ExtraPoint::MeanNode] = PointPositionOf(MeanNodeLongitude(step));
  }
  std::vector<NodePoint> nodes;
  for (const ExtraPoint node : {ExtraPoint::MeanNode, ExtraPoint::TrueNode}) {
    const std::optional<PointPosition>& now = extraPoints[node];
    if (!now) {
      continue;
    }
    const double laterLongitude = later[node] ? later[node]->longitude : now->longitude;
    nodes.push_back(NodePoint{
        node, AspectPoint{now->longitude, DailyMotion(now->longitude, laterLongitude), now->sign}});
  }
  return nodes;
}

ChartAspects FindChartAspects(const AspectPoints& points, const AspectSettings& settings) {
  ChartAspects result;
  result.aspects = FindAspects(points, settings);
  result.patterns = FindPatterns(result.aspects, points);
  return result;
}

}  // namespace zodivane
