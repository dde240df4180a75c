// SPDX-License-Identifier: GPL-3.0-or-later
// The natal wheel: bodies gathered into their signs, then the twelve
// whole-sign houses turned so that house 1 holds the Ascendant's sign.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/extra_points.h"
#include "common/vocabulary.h"

namespace zodivane {

/// One text per sign index: empty, or lines each introduced by CR LF.
using SignLists = std::array<std::string, kSignCount>;

/// One entry of a house list: Sun to Saturn or the Ascendant.
struct WheelEntry {
  ChartPoint point = ChartPoint::Sun;
  bool retrograde = false;  ///< listed with the mark " (R) "
  friend bool operator==(const WheelEntry&, const WheelEntry&) = default;
};

/// The entries of one house or sign, in the order of its text.
using WheelEntries = std::vector<WheelEntry>;

/// One entry list per sign index, as CollectSignLists writes the texts.
using SignEntries = std::array<WheelEntries, kSignCount>;

/// What the wheel shows at positions 0..11 (house k + 1 at position k).
struct WheelView {
  std::array<std::string, kSignCount> houseTexts;       ///< list of bodies per house
  std::optional<std::array<int, kSignCount>> pictures;  ///< glyph numbers 1..12 (sign n-1), or none
  std::array<WheelEntries, kSignCount> houseEntries;    ///< the same lists as entries
  friend bool operator==(const WheelView&, const WheelView&) = default;
};

/// An entry as it is read and drawn: the point's name with " (R)" when it
/// is marked ("Mercury (R)"), "Asc" for the Ascendant; no trailing blank.
/// (Inline: the chart sheet module, built without the core's objects, reads it.)
[[nodiscard]] inline std::string WheelEntryText(const WheelEntry& entry) {
  std::string text(kChartPointNames[static_cast<std::size_t>(entry.point)]);
  if (entry.retrograde) {
    text += " (R)";
  }
  return text;
}

/// The short label of a further point in the wheel: its abbreviation and
/// its whole degrees within the sign ("MC 12°", "IC 12°", "Dsc 3°", "Node 3°"
/// for the mean node, "True Node 4°", "Chiron 5°").
/// (Inline: the chart sheet module, built without the core's objects, reads it.)
[[nodiscard]] inline std::string WheelPointText(ExtraPoint point, const PointPosition& position) {
  constexpr std::array<std::string_view, kExtraPointCount> kAbbreviations{
      "MC", "IC", "Dsc", "Node", "True Node", "Chiron"};
  std::string text(kAbbreviations[static_cast<std::size_t>(point)]);
  text += ' ';
  text += std::to_string(position.degree);
  text += "\u00B0";
  return text;
}

/// The further points of `points` the wheel shows in each whole-sign house,
/// by wheel position (0 to 11, house 1 holding the sign `firstHouseSign`),
/// each list in ExtraPoint order as WheelPointText labels them; a point the
/// engine did not give, or one that names no sign, is left out.
[[nodiscard]] inline std::array<std::vector<std::string>, kSignCount> WheelPointTexts(
    const ChartPoints& points, int firstHouseSign) {
  std::array<std::vector<std::string>, kSignCount> houses;
  for (int index = 0; index < kExtraPointCount; ++index) {
    const auto point = static_cast<ExtraPoint>(index);
    const std::optional<PointPosition>& position = points[point];
    if (!position || !position->sign) {
      continue;
    }
    const int house = ((*position->sign - firstHouseSign) % kSignCount + kSignCount) % kSignCount;
    houses[static_cast<std::size_t>(house)].push_back(WheelPointText(point, *position));
  }
  return houses;
}

/// The collection stage: Sun to Saturn (with their wheel names) and "Asc"
/// appended to the lists of their signs.
[[nodiscard]] SignLists CollectSignLists(const PositionTable& positions, const WheelNames& names);

/// The collection stage as entries: the same bodies in the same lists and
/// order as CollectSignLists, each with its retrograde flag.
[[nodiscard]] SignEntries CollectSignEntries(const PositionTable& positions,
                                             const RetrogradeFlags& retrograde);

/// Lays the sign lists onto the houses, turned to the Ascendant (the lists
/// are taken by value so that a caller done with them can move them in).
/// The entry lists, when given, are turned with the texts.
[[nodiscard]] WheelView HouseWheel(SignLists lists, const PositionTable& positions,
                                   SignEntries entries = {});

}  // namespace zodivane
