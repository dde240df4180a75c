// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart's birth-time sensitivity: the text block of --sensitivity
// and the object a JSON line with "sensitivity": true adds to its answer.
#pragma once

#include <string>

#include "chart/sensitivity.h"
#include "chart/sensitivity_text.h"
#include "common/birth_record.h"

namespace zodivane::chart_tool {

/// The text block for people: a heading line, then one indented sentence per
/// point (Ascendant, Moon, Sun, Mercury .. Pluto), the daylight-saving
/// sentence and, for a sensitive chart, the warning; when the Midheaven was
/// searched, its sentence follows the Ascendant's. Lines end in "\n".
[[nodiscard]] std::string SensitivityBlock(const ChartInput& input,
                                           const BirthTimeSensitivity& sensitivity,
                                           const PlaceClock* clock = nullptr);

/// Appends the answer's "sensitivity" object to `out`:
/// {"points":[11 objects in position-table order, each
///   {"point","sign","windowMinutes","earlier","later","earlierStopsAtRange",
///    "laterStopsAtRange","text"}, where "earlier" and "later" are null or
///   {"minutes","sign","date":"YYYY-MM-DD","time":"HH:MM"} (with a place's
///   clock also "abbreviation" and, for a repeated clock time, "reading")],
///  "warning": text or null,
///  "dst":{"ticked","differences":[{"point","sign","oppositeSign"}],"text"}
///  and, when the Midheaven was searched, "midheaven": an object as those of
///  "points" with "point":"Midheaven"}.
/// Signs are full names (null when the engine named none).
void AppendSensitivityObject(std::string& out, const ChartInput& input,
                             const BirthTimeSensitivity& sensitivity,
                             const PlaceClock* clock = nullptr);

}  // namespace zodivane::chart_tool
