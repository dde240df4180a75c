// SPDX-License-Identifier: GPL-3.0-or-later
// The aspects of a cast chart: its numbers, with each point's daily motion
// from the same engines cast a moment later, searched for aspects and
// patterns.
#pragma once

#include <vector>

#include "aspects/aspects.h"
#include "common/birth_record.h"
#include "common/ephemeris_choice.h"
#include "common/extra_points.h"
#include "common/vocabulary.h"

namespace zodivane {

/// How far ahead the engines are cast for the daily motions, minutes.
inline constexpr int kMotionStepMinutes = 60;

/// The aspect search's points of a birth: the chart's longitudes and signs
/// from `points`, and daily motions from the engines cast kMotionStepMinutes
/// later (a point moving backwards has a negative motion), by `ephemeris`,
/// the engine that cast the chart. With Swiss Ephemeris unavailable the
/// motions are 0.
[[nodiscard]] AspectPoints AspectPointsOf(const ChartInput& input, const PointPositions& points,
                                          Ephemeris ephemeris = Ephemeris::BuiltIn);

/// The lunar nodes among `extraPoints` (the mean node, and the true node
/// where the engine gives it) as the aspect search reads them, with daily
/// motions from `ephemeris` cast kMotionStepMinutes later.
[[nodiscard]] std::vector<NodePoint> NodePointsOf(const ChartInput& input,
                                                  const ChartPoints& extraPoints,
                                                  Ephemeris ephemeris = Ephemeris::BuiltIn);

/// The aspects and patterns of a chart.
struct ChartAspects {
  std::vector<Aspect> aspects;
  std::vector<Pattern> patterns;
  /// The nodes' aspects (FindNodeAspects); empty unless the further points
  /// were asked for.
  std::vector<NodeAspect> nodeAspects;
  friend bool operator==(const ChartAspects&, const ChartAspects&) = default;
};

[[nodiscard]] ChartAspects FindChartAspects(const AspectPoints& points,
                                            const AspectSettings& settings);

}  // namespace zodivane
