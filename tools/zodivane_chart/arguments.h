// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart's command line: the flags, and the form's entries they fill.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "aspects/aspects.h"
#include "chart/birth_data.h"
#include "common/ephemeris_choice.h"
#include "tools/zodivane_chart/transit_output.h"

namespace zodivane::chart_tool {

/// The flags of the form for people, as given (not yet interpreted).
struct PeopleFlags {
  std::optional<std::string> name;     ///< --name
  std::optional<std::string> date;     ///< --date YYYY-MM-DD
  std::optional<std::string> time;     ///< --time HH:MM, 24-hour local clock time
  std::optional<std::string> zone;     ///< --zone, list position 0..70 or a zone's exact text
  bool dst = false;                    ///< --dst
  std::optional<std::string> lat;      ///< --lat, e.g. 28N38 (degrees, N or S, minutes)
  std::optional<std::string> lon;      ///< --lon, e.g. 77E12 (degrees, E or W, minutes)
  std::optional<std::string> city;     ///< --city, may be absent (empty box)
  std::optional<std::string> state;    ///< --state
  std::optional<std::string> country;  ///< --country
  std::optional<std::string> place;    ///< --place QUERY: the finder fills what is left out
};

/// What the command line asks for.
struct Options {
  enum class Mode { Help, Version, ListZones, Json, People, FindPlace, ChartFile };
  Mode mode = Mode::People;
  bool report = false;  ///< --report: append the report's plain text
  std::optional<std::string>
      reportRtf;  ///< --report-rtf FILE (form for people and --chart); "-" for standard output
  bool sensitivity = false;  ///< --sensitivity: the birth-time sensitivity after the chart
  /// --export-chart FILE (form for people only): the chart sheet, PDF, PNG or
  /// SVG by the file's extension.
  std::optional<std::string> exportChart;
  std::optional<std::string> chartFile;  ///< --chart FILE: the entries of a chart file
  unsigned jobs = 0;  ///< --jobs N (--json only): threads; 0 for one per processor
  PeopleFlags flags;
  std::optional<std::string> findPlace;  ///< --find-place QUERY: list the matches
  /// --aspects (form for people only): the aspects and patterns after the
  /// wheel, and the report's section "Aspects"; under the settings --orb
  /// and --aspect-set chose.
  std::optional<AspectSettings> aspects;
  /// --orb or --aspect-set was given: the settings above win over a chart
  /// file's own.
  bool aspectSettingsGiven = false;
  /// --ephemeris builtin|swiss (form for people and --chart): the engine;
  /// none when not given (the built-in method, or a chart file's own).
  std::optional<Ephemeris> ephemeris;
  /// --points (form for people and --chart): the further points after the
  /// wheel and, with --aspects, the nodes' aspects.
  bool points = false;
  /// --transits, --transit-calendar, --ics and --compare (form for people
  /// and --chart): printed instead of the chart.
  std::optional<TransitRequest> transits;
};

/// Most threads --jobs asks for.
inline constexpr unsigned kMostJobs = 64;

/// A command line the tool cannot use; the message says why.
struct UsageError {
  std::string message;
  friend bool operator==(const UsageError&, const UsageError&) = default;
};

/// Reads the arguments after the program name. Flags take their value as
/// the next argument or after "=" (--name=ANNA).
[[nodiscard]] std::variant<Options, UsageError> ParseArguments(std::span<const std::string> args);

/// A key a box's filter refused while a flag's value was typed into it.
struct FlagNotice {
  std::string flag;  ///< e.g. "--name"
  Notice notice;     ///< the filter's message
};

/// How the form's entries came out of the flags: the entries, a malformed
/// value (usage error), or a character a key filter refused (its notice).
using FlagsResult = std::variant<FormEntries, UsageError, FlagNotice>;

/// Fills the form's entries from the flags as the input form would hold
/// them: the name typed key by key through txtName_KeyPress, the date and
/// time as list positions and texts, the zone as a list position, the
/// coordinates as the four box texts (digits typed through the coordinate
/// key filter, at most as many as each box takes; decimal degrees rounded
/// to the minute) and the hemisphere options.
[[nodiscard]] FlagsResult EntriesFromFlags(const PeopleFlags& flags);

/// The flag whose value fills the control a rejection gives the focus to
/// ("txtLatM" → "--lat", the engine choice → "--ephemeris"); the date's
/// checks have no control: "--date".
[[nodiscard]] std::string_view FlagOfControl(const std::optional<std::string>& control) noexcept;

}  // namespace zodivane::chart_tool
