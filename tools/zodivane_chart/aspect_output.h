// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart's aspects: the settings --orb and --aspect-set (or a JSON
// line's "orbs" and "aspectSet") choose, the text block of --aspects and the
// arrays a JSON line with "aspects": true adds to its answer.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "aspects/aspects.h"
#include "chart/chart_aspects.h"
#include "chartfile/entries_reader.h"

namespace zodivane::chart_tool {

/// The aspect settings of the flags: the default settings with the set of
/// `aspectSet` ("major" or "all") in use and each `orbs` value
/// ("NAME=DEGREES") applied; else the usage message, naming the flag.
[[nodiscard]] std::variant<AspectSettings, std::string> SettingsFromFlags(
    std::span<const std::string> orbs, const std::optional<std::string>& aspectSet);

/// The aspect settings a JSON line asks for with "aspects": true, "orbs"
/// and "aspectSet"; none when it asks for no aspects; else the error
/// message, naming the key. The keys count only where `line` spells them
/// as written.
[[nodiscard]] std::variant<std::optional<AspectSettings>, std::string> SettingsFromLine(
    std::string_view line, const chartfile::LineValue& aspects, const chartfile::LineValue& orbs,
    const chartfile::LineValue& aspectSet);

/// Whether a JSON line asks for the boolean key `key` ("aspects", "points",
/// "sensitivity"): false when `line` does not spell the key as written, its
/// value when it is a boolean, else the error message ("key \"points\"
/// must be a boolean, not a string").
[[nodiscard]] std::variant<bool, std::string> BooleanOfLine(std::string_view line,
                                                            const chartfile::LineValue& value,
                                                            std::string_view key);

/// The text block for people: "Aspects" and one indented AspectLine per
/// aspect (applying first, then by orb), then "Patterns" and one indented
/// PatternLine per pattern; "(none)" for an empty list. Lines end in "\n".
[[nodiscard]] std::string AspectsBlock(const ChartAspects& found);

/// Appends the answer's members `"aspects":[...]` and `"patterns":[...]`,
/// each preceded by a comma: an aspect is {"a","b","aspect","angle","orb",
/// "applying","outOfSign"} in the order of the text block, a pattern
/// {"pattern","members"} with "sign" for a stellium. Points are named as the
/// rest of the answer names them ("Ascendant" for the Ascendant).
void AppendAspectMembers(std::string& out, const ChartAspects& found);

/// Appends one aspect as the answer writes it: {"a","b","aspect","angle",
/// "orb","applying","outOfSign"}.
void AppendAspectObject(std::string& out, std::string_view a, std::string_view b, AspectKind kind,
                        double orb, bool applying, bool outOfSign);

/// A JSON number: the shortest text that reads back as `number`.
void AppendNumber(std::string& out, double number);

}  // namespace zodivane::chart_tool
