// SPDX-License-Identifier: GPL-3.0-or-later
// Chart files: a person's birth data kept as one JSON object, the same keys
// and values as one input line of zodivane-chart --json, plus the format
// marker "zodivane" and, when the place finder filled the form, the place
// it chose. So `jq -c . anna.zchart | zodivane-chart --json` casts it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "aspects/aspects.h"
#include "common/birth_record.h"
#include "common/ephemeris_choice.h"

namespace zodivane::chartfile {

/// The key of the format marker and the format this version writes and reads.
inline constexpr std::string_view kFormatKey = "zodivane";
inline constexpr int kFormatVersion = 1;
/// The most bytes a chart file may hold (a chart file is well under 2 KiB).
inline constexpr std::size_t kMostChartFileBytes = 1024 * 1024;
/// The file name extension, with its dot.
inline constexpr std::string_view kExtension = ".zchart";
/// The key of the place the place finder chose.
inline constexpr std::string_view kPlaceKey = "chosenPlace";
/// The key of the place's own zone, when the zone list's entry after its
/// rows is chosen (cmbTimeZoneIndex 71).
inline constexpr std::string_view kPlaceZoneKey = "placeZone";
/// The key of the engine the chart is cast with ("builtin" or "swiss"),
/// written only when it is not the built-in method.
inline constexpr std::string_view kEphemerisKey = "ephemeris";
/// The key of the aspect settings the chart was saved with (the settings'
/// text form, e.g. "conjunction=8;...;outOfSign=yes"), written only when
/// they differ from the defaults.
inline constexpr std::string_view kAspectSettingsKey = "aspectSettings";

/// The contents of one chart file.
struct ChartFile {
  FormEntries entries;
  std::optional<ChosenPlace> place;
  /// The object as it was read (compact JSON), so that a file saved again
  /// keeps the keys this version does not know; empty for a new chart.
  std::string original;
  /// The engine the file names; none when it names none (the built-in method).
  std::optional<Ephemeris> ephemeris = std::nullopt;
  /// The aspect settings the file names; none when it names none (the defaults).
  std::optional<AspectSettings> aspectSettings = std::nullopt;
};

/// Reads a chart file's bytes: the chart, or a message saying what is wrong
/// and where (line and column of bad JSON, the key of a bad value). Never
/// throws.
[[nodiscard]] std::variant<ChartFile, std::string> ReadChartFile(std::string_view bytes);

/// The bytes of a chart file: the object read (when any) with the marker,
/// the entries and the chosen place written over their keys and every other
/// key kept; indented, UTF-8, ending with a line feed. Without a chosen
/// place, a place key of the object read is dropped (the entries no longer
/// come from it).
[[nodiscard]] std::string WriteChartFile(const ChartFile& file);

/// A file name for the chart of `name`: FileNameStem, then the extension
/// ("chart.zchart" for a name left empty).
[[nodiscard]] std::string SuggestedFileName(std::string_view name);

}  // namespace zodivane::chartfile
