// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed list of 71 time zones and the correction each gives to reach UT.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "common/birth_record.h"

namespace zodivane {

/// One row of the time-zone list: the text shown and the signed correction
/// (local clock time + correction = UT).
struct TimeZoneRow {
  std::string_view text;     ///< e.g. "Indian Time, IST, +5.3"
  std::int16_t toUtHours;    ///< whole hours, the offset's sign reversed
  std::int16_t toUtMinutes;  ///< 0 or 30 with the sign of the hours
};

inline constexpr int kTimeZoneCount = 71;
inline constexpr int kDefaultTimeZone = 29;  ///< "Greenwich Mean Time,GMT,0.0"
/// The zone list's position after its rows: the place's own zone
/// (FormEntries::placeZone), shown only while the finder offers one.
inline constexpr int kPlaceZoneIndex = kTimeZoneCount;

/// The 71 rows in list order, position 0 to 70.
extern const std::array<TimeZoneRow, kTimeZoneCount> kTimeZoneTable;

/// Writes the correction of row `listPosition` into input.toUtHours and
/// input.toUtMinutes; a position outside 0..70 changes nothing.
void Zone_Calculation(int listPosition, ChartInput& input) noexcept;

}  // namespace zodivane
