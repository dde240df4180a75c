// SPDX-License-Identifier: GPL-3.0-or-later
// Hand-made wheel houses: one list of entries written both as the house's
// entries and as the text the wheel lists them in.
#pragma once

#include <cstddef>
#include <string>

#include "chart/wheel.h"

namespace zodivane::test {

/// Shorthands for the entries of hand-made houses.
inline constexpr WheelEntry Plain(ChartPoint point) {
  return WheelEntry{point, false};
}
inline constexpr WheelEntry Marked(ChartPoint point) {
  return WheelEntry{point, true};
}

/// The house text the wheel writes for `entries`: each entry on a line of
/// its own introduced by CR LF, a retrograde entry ending in a blank.
inline std::string HouseText(const WheelEntries& entries) {
  std::string text;
  for (const WheelEntry& entry : entries) {
    text += "\r\n";
    text += WheelEntryText(entry);
    if (entry.retrograde) {
      text += ' ';
    }
  }
  return text;
}

/// Puts `entries` into wheel position `position` (0 to 11) of `wheel`.
inline void SetHouse(WheelView& wheel, int position, const WheelEntries& entries) {
  const auto index = static_cast<std::size_t>(position);
  wheel.houseEntries[index] = entries;
  wheel.houseTexts[index] = HouseText(entries);
}

}  // namespace zodivane::test
