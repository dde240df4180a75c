// zodivane-chart: charts from the command line. Two ways in: a JSON-lines
// protocol for scripts (one FormEntries object per input line, one answer
// object per output line) and a form of flags for people. Everything runs
// through ChartSession exactly as the input form's Proceed does.
#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include <nlohmann/json.hpp>

#include "chart/birth_data.h"
#include "chart/chart_driver.h"

namespace zodivane::chart_tool {

/// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
/// A form rejection, a refused key, a failed JSON line or an unwritable file.
inline constexpr int kExitFailed = 1;
/// A command line the tool cannot understand (unknown flag, missing value,
/// malformed value or a value outside the form's lists).
inline constexpr int kExitUsage = 2;

/// The text --help prints.
[[nodiscard]] std::string_view HelpText() noexcept;

// ---------------------------------------------------------------------------
// JSON lines

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

// ---------------------------------------------------------------------------
// The form for people

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
};

/// What the command line asks for.
struct Options {
  enum class Mode { Help, ListZones, Json, People };
  Mode mode = Mode::People;
  bool report = false;                   ///< --report: append the report's plain text
  std::optional<std::string> reportRtf;  ///< --report-rtf FILE (form for people only)
  PeopleFlags flags;
};

/// A command line the tool cannot use; the message says why.
struct UsageError {
  std::string message;
  friend bool operator==(const UsageError&, const UsageError&) = default;
};

/// Reads the arguments after the program name. Flags take their value as
/// the next argument or after "=" (--name=ANNA).
[[nodiscard]] std::variant<Options, UsageError> ParseArguments(std::span<const std::string> args);

/// How the form's entries came out of the flags: the entries, a malformed
/// value (usage error), or a character a key filter refused (its notice).
using FlagsResult = std::variant<FormEntries, UsageError, Notice>;

/// Fills the form's entries from the flags as the input form would hold
/// them: the name typed key by key through txtName_KeyPress, the date and
/// time as list positions and texts, the zone as a list position, the
/// coordinates as the four box texts (digits typed through the coordinate
/// key filter) and the hemisphere options.
[[nodiscard]] FlagsResult EntriesFromFlags(const PeopleFlags& flags);

/// The chart as readable text: details, signs, the eleven positions and
/// the wheel by house. Lines end in "\n".
[[nodiscard]] std::string ChartText(const ChartView& view, const ChartSession& session);

/// The report of the session's last chart as plain text (CR LF kept).
[[nodiscard]] std::string ReportPlainText(ChartSession& session);

/// The report of the session's last chart as an RTF document (bold and
/// colours kept, Verdana 8.25).
[[nodiscard]] std::string ReportRtf(ChartSession& session);

/// The whole tool: reads `args` (without the program name), works on
/// `in`/`out`/`err` and returns the exit status.
[[nodiscard]] int Run(std::span<const std::string> args, std::istream& in, std::ostream& out,
                      std::ostream& err);

}  // namespace zodivane::chart_tool
