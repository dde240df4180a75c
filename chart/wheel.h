// SPDX-License-Identifier: GPL-3.0-or-later
// The natal wheel: bodies gathered into their signs, then the twelve
// whole-sign houses turned so that house 1 holds the Ascendant's sign.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "common/vocabulary.h"

namespace zodivane {

/// One text per sign index: empty, or lines each introduced by CR LF.
using SignLists = std::array<std::string, kSignCount>;

/// What the wheel shows at positions 0..11 (house k + 1 at position k).
struct WheelView {
  std::array<std::string, kSignCount> houseTexts;       ///< list of bodies per house
  std::optional<std::array<int, kSignCount>> pictures;  ///< glyph numbers 1..12 (sign n-1), or none
  friend bool operator==(const WheelView&, const WheelView&) = default;
};

/// The collection stage: Sun to Saturn (with their wheel names) and "Asc"
/// appended to the lists of their signs.
[[nodiscard]] SignLists CollectSignLists(const PositionTable& positions, const WheelNames& names);

/// Lays the sign lists onto the houses, turned to the Ascendant (the lists
/// are taken by value so that a caller done with them can move them in).
[[nodiscard]] WheelView HouseWheel(SignLists lists, const PositionTable& positions);

}  // namespace zodivane
