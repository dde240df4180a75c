// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed list of 71 time zones and the correction each gives to reach UT.
#pragma once

#include <array>
#include <cstdint>
#include <string>
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

/// Field `field` (0 = name, 1 = abbreviation) of row `row`'s text, trimmed:
/// "Indian Time" and "IST" of "Indian Time, IST, +5.3"; empty outside the list.
[[nodiscard]] std::string_view TimeZoneRowField(int row, int field) noexcept;

/// "UT+5:30", "UT-4:00", "UT+0:00", "UT+1:19:32": an offset east of UT in seconds.
[[nodiscard]] std::string FormatUtOffset(std::int32_t offsetSeconds);

/// The zone a chart is cast with, as the results and the sheet name it:
/// "Indian Time (IST), UT+5:30", "Eastern Standard Time (EST), UT-5:00,
/// daylight saving ticked: UT-4:00", "Asia/Kathmandu (+0545), UT+5:45";
/// empty for a position outside the list.
[[nodiscard]] std::string ZoneUsedText(const FormEntries& entries);

/// The same in short, for a narrow row: "IST, UT+5:30", "EST with DST,
/// UT-4:00", "+0545, UT+5:45"; empty for a position outside the list.
[[nodiscard]] std::string ZoneUsedShortText(const FormEntries& entries);

}  // namespace zodivane
