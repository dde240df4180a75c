// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart's birth-time sensitivity: the text block of --sensitivity
// and the object a JSON line with "sensitivity": true adds to its answer.
#pragma once

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "chart/sensitivity.h"
#include "chart/sensitivity_text.h"
#include "common/birth_record.h"

namespace zodivane::chart_tool {

/// The text block for people: a heading line, then one indented sentence per
/// point (Ascendant, Moon, Sun, Mercury .. Pluto), the daylight-saving
/// sentence and, for a sensitive chart, the warning. Lines end in "\n".
[[nodiscard]] std::string SensitivityBlock(const ChartInput& input,
                                           const BirthTimeSensitivity& sensitivity,
                                           const PlaceClock* clock = nullptr);

/// The answer's "sensitivity" object:
/// {"points":[11 objects in position-table order, each
///   {"point","sign","windowMinutes","earlier","later","earlierStopsAtRange",
///    "laterStopsAtRange","text"}, where "earlier" and "later" are null or
///   {"minutes","sign","date":"YYYY-MM-DD","time":"HH:MM"}],
///  "warning": text or null,
///  "dst":{"ticked","differences":[{"point","sign","oppositeSign"}],"text"}}.
/// Signs are full names (null when the engine named none).
[[nodiscard]] nlohmann::ordered_json SensitivityJson(const ChartInput& input,
                                                     const BirthTimeSensitivity& sensitivity,
                                                     const PlaceClock* clock = nullptr);

/// Whether a JSON input line asks for the sensitivity: its object has the
/// key "sensitivity" with the value true. Any other value, or no such key,
/// asks for nothing (the answer stays as without the key). Lines without
/// the word are not parsed a second time. Never throws.
[[nodiscard]] bool AsksForSensitivity(std::string_view line) noexcept;

}  // namespace zodivane::chart_tool
