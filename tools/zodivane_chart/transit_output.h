// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart's transits and synastry: the flags --transits,
// --transit-calendar, --ics and --compare, and what they print for a cast
// chart: text for people, JSON with --json, an iCalendar file with --ics.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "aspects/aspects.h"
#include "chart/chart_driver.h"
#include "tools/zodivane_chart/io.h"

namespace zodivane::chart_tool {

/// The transit flags as given (not yet interpreted). An empty value of
/// --transits or --transit-calendar stands for the flag given without one.
struct TransitFlags {
  std::optional<std::string> transits;  ///< --transits [DATE[THH:MM]] (UT)
  std::optional<std::string> calendar;  ///< --transit-calendar [FROM..TO] (dates YYYY-MM-DD)
  std::optional<std::string> ics;       ///< --ics FILE (or -): the calendar as iCalendar
  bool icsPassages = false;             ///< --ics-passages: one event per passage in the file
  std::optional<std::string> compare;   ///< --compare FILE.zchart: synastry with that chart
  bool json = false;                    ///< --json beside them: JSON instead of text

  [[nodiscard]] bool Any() const noexcept {
    return transits || calendar || ics || icsPassages || compare;
  }
};

/// What the transit flags ask for, read and checked.
struct TransitRequest {
  bool transits = false;
  /// --transits' moment, Julian day in UT; none for the moment the tool runs.
  std::optional<double> transitsAt;
  bool calendar = false;
  /// --transit-calendar's period, Julian days in UT, from the start of the
  /// first day to the end of the last; none for the next 12 months from
  /// the day the tool runs.
  std::optional<std::pair<double, double>> period;
  std::optional<std::string> ics;
  /// The file's events: a passage each (--ics-passages), else a moment each.
  bool icsPassages = false;
  std::optional<std::string> compare;
  bool json = false;
};

/// Reads the flags; the usage message, naming the flag, when they are
/// malformed or do not go together.
[[nodiscard]] std::variant<TransitRequest, std::string> ReadTransitFlags(const TransitFlags& flags);

/// A transit moment, "YYYY-MM-DD" or "YYYY-MM-DDTHH:MM" in UT, of the years
/// both engines cover, as a Julian day; else the reason, written to follow
/// the name of the flag or key that gave it (" must be ...", ": the year ...").
[[nodiscard]] std::variant<double, std::string> ReadTransitMoment(std::string_view text);

/// The Julian day (UT) of the moment the tool runs.
[[nodiscard]] double TransitMomentNow();

/// Appends the member "transits":{"at","orb","aspects"} (as --transits
/// --json prints it) for the chart `session` cast, at `julianDayUt`, by the
/// chart's engine, with the aspects in use of `settings`. Returns the
/// engine's message when it is not available (nothing appended then).
[[nodiscard]] std::optional<std::string> AppendTransitsMember(std::string& out,
                                                              const ChartSession& session,
                                                              const AspectSettings& settings,
                                                              double julianDayUt);

/// Prints what `request` asks for about the chart `session` cast: the
/// transits at a moment, the synastry with another chart, the transit
/// calendar (as lines, or written as an iCalendar file). `settings` chooses
/// the aspects in use (their orbs are the transits' and synastry's own);
/// `nowJulianDayUt` is the moment the tool runs (UT): the transits' moment
/// and the calendar's period when the flags leave them out, and the stamp
/// of the iCalendar file. Returns the exit status.
[[nodiscard]] int RunTransits(const TransitRequest& request, const ChartSession& session,
                              const AspectSettings& settings, double nowJulianDayUt,
                              OutputSink& out, std::ostream& err);

}  // namespace zodivane::chart_tool
