// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart's JSON-lines protocol: one FormEntries object per input
// line, one answer object per output line.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <variant>

#include <nlohmann/json.hpp>

#include "chart/birth_data.h"
#include "chart/chart_driver.h"

namespace zodivane::chart_tool {

/// One input line of the JSON protocol read into form entries, or the text
/// of the error line that answers it.
using EntriesOrError = std::variant<FormEntries, std::string>;

/// Reads one line (a JSON object holding every FormEntries field under its
/// field name). Extra keys are ignored. Never throws.
[[nodiscard]] EntriesOrError ParseEntriesLine(std::string_view line);

/// The answer object for a cast chart: the view, the engines' long texts and
/// wheel names from `session`, and with `withReport` the report's plain text.
[[nodiscard]] nlohmann::ordered_json ChartJson(const ChartView& view, ChartSession& session,
                                               bool withReport);

/// The answer object for a rejected cast.
[[nodiscard]] nlohmann::ordered_json RejectionJson(const Rejection& rejection);

/// Serialises an answer as one line of UTF-8 (no line break); invalid UTF-8
/// in any string is replaced, never thrown.
[[nodiscard]] std::string DumpLine(const nlohmann::ordered_json& answer);

/// Answers one non-blank input line. Sets `failed` when the answer is an
/// error line. Never throws.
[[nodiscard]] std::string AnswerLine(ChartSession& session, std::string_view line, bool withReport,
                                     bool& failed);

/// Reads lines from `in` until its end and writes one answer line per
/// non-blank input line to `out`, flushing after each. Blank lines (empty or
/// whitespace only) are skipped without an answer. Returns kExitFailed when
/// any line got an error line, else kExitOk.
[[nodiscard]] int RunJson(std::istream& in, std::ostream& out, bool withReport);

}  // namespace zodivane::chart_tool
