// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's further points beside the eleven of the position table: the
// Midheaven, the Imum Coeli, the Descendant, the Moon's nodes and Chiron.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "common/vocabulary.h"

namespace zodivane {

/// The further points, in the order they are listed.
enum class ExtraPoint : int {
  Midheaven = 0,  ///< MC: the ecliptic degree culminating on the meridian
  ImumCoeli,      ///< IC: the Midheaven + 180 degrees
  Descendant,     ///< the Ascendant + 180 degrees
  MeanNode,       ///< the Moon's mean ascending node (both engines)
  TrueNode,       ///< the Moon's true (osculating) ascending node (Swiss Ephemeris only)
  Chiron,         ///< Chiron (Swiss Ephemeris only, with its data file)
};

inline constexpr int kExtraPointCount = 6;

/// One further point's names.
struct ExtraPointInfo {
  std::string_view key;   ///< the JSON key, e.g. "meanNode"
  std::string_view name;  ///< as the text output and the windows show it, e.g. "Mean Node"
};

/// Indexed by ExtraPoint.
inline constexpr auto kExtraPoints = std::to_array<ExtraPointInfo>({
    {"mc", "Midheaven"},
    {"ic", "Imum Coeli"},
    {"descendant", "Descendant"},
    {"meanNode", "Mean Node"},
    {"trueNode", "True Node"},
    {"chiron", "Chiron"},
});
static_assert(kExtraPoints.size() == kExtraPointCount);

[[nodiscard]] constexpr const ExtraPointInfo& InfoOf(ExtraPoint point) noexcept {
  return kExtraPoints[static_cast<std::size_t>(point)];
}

/// The further points of one chart, indexed by ExtraPoint. Each is its
/// longitude with the sign, degree and minutes, truncated as the position
/// texts are (PointPositionOf; the retrograde flag stays false); none when
/// the engine that cast the chart does not give it (the true node and
/// Chiron with the built-in method, Chiron without its data file).
struct ChartPoints {
  std::array<std::optional<PointPosition>, kExtraPointCount> positions{};

  [[nodiscard]] const std::optional<PointPosition>& operator[](ExtraPoint point) const noexcept {
    return positions[static_cast<std::size_t>(point)];
  }
  [[nodiscard]] std::optional<PointPosition>& operator[](ExtraPoint point) noexcept {
    return positions[static_cast<std::size_t>(point)];
  }
  friend bool operator==(const ChartPoints&, const ChartPoints&) = default;
};

}  // namespace zodivane
