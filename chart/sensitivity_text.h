// SPDX-License-Identifier: GPL-3.0-or-later
// The birth-time sensitivity of a chart in words, as the results' tooltips,
// the warning line and the command line's text show it.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "chart/sensitivity.h"
#include "common/birth_record.h"
#include "common/vocabulary.h"

namespace zodivane {

/// How the clocks of the birth place read at a UT moment.
struct PlaceClockReading {
  int year = 0;    ///< local calendar date and clock time
  int month = 0;   ///< 1..12
  int day = 0;     ///< 1..31
  int hour = 0;    ///< 0..23
  int minute = 0;  ///< 0..59
  /// 0 when the clocks showed this reading once; 1 or 2 when they showed it
  /// twice (the clocks were set back over it) and this is the first or the
  /// second time.
  int repeat = 0;
  std::string abbreviation;  ///< the zone's abbreviation then, e.g. "BST"
  friend bool operator==(const PlaceClockReading&, const PlaceClockReading&) = default;
};

/// The birth place's clock at a UT moment (year, month, day, hour, minute,
/// second of UT); none when the zone database cannot say. Given when the
/// chart's zone came from a chosen place, so that birth times are offered in
/// the place's own clock time, looked up again at each moment: a time the
/// clocks skipped is never offered, and a repeated one says which reading.
using PlaceClock = std::function<std::optional<PlaceClockReading>(
    int year, int month, int day, int hour, int minute, int second)>;

/// A change of the Ascendant or the Moon at most this many minutes from the
/// entered time earns the warning line.
inline constexpr int kWarningMinutes = 30;

/// The name a sentence gives a chart point: "Sun" .. "Pluto", "Ascendant".
[[nodiscard]] std::string PointName(ChartPoint point);

/// The full name of sign index `sign`; "no sign" outside 0..11.
[[nodiscard]] std::string SignNameText(int sign);

/// The local clock time of the birth moved by `minutes`, as H:MM ("7:05");
/// preceded by the month and day ("March/16 7:05") when the date differs
/// from the entered one, or always when `withDay`. With a place's clock, the
/// time that clock showed at that moment, and for a repeated reading which
/// one ("1:30 (the second, GMT)").
[[nodiscard]] std::string ShiftedTimeText(const ChartInput& input, int minutes,
                                          const PlaceClock* clock = nullptr, bool withDay = false);

/// One sentence about one point, e.g.
/// "Ascendant Taurus from 10:18 to 12:07; Aries if born before 10:18,
/// Gemini if born after 12:07". A side without a change within the window
/// is left out ("Sun Aries from 7:21; Pisces if born before 7:21"); with no
/// change on either side: "Jupiter Leo for a day either side of the birth
/// time" (3 hours for the Ascendant, 3 days for the Moon).
/// When one end of the sign falls on another day than the birth, both ends
/// name their day ("from November/5 20:56 to November/7 21:04").
[[nodiscard]] std::string SensitivityText(const ChartInput& input, const PointSensitivity& point,
                                          const PlaceClock* clock = nullptr);

/// The same sentence about the Midheaven's nearest sign changes
/// (BirthTimeSensitivity::midheaven), e.g. "Midheaven Capricorn from 6:12 to
/// 8:01; Sagittarius if born before 6:12, Aquarius if born after 8:01".
[[nodiscard]] std::string MidheavenSensitivityText(const ChartInput& input,
                                                   const PointSensitivity& midheaven,
                                                   const PlaceClock* clock = nullptr);

/// The calm warning for a chart whose Ascendant or Moon changes sign within
/// kWarningMinutes of the entered time, naming the nearer change of each,
/// e.g. "Ascendant changes to Aries 12 minutes earlier: check the birth
/// time"; nullopt for a chart that is stable there.
[[nodiscard]] std::optional<std::string> BirthTimeWarning(const BirthTimeSensitivity& sensitivity);

/// What the opposite daylight-saving tick would change, e.g. "With Daylight
/// Saving Time ticked: Ascendant Leo instead of Virgo" or "With Daylight
/// Saving Time not ticked: no sign changes".
[[nodiscard]] std::string DaylightSavingText(const BirthTimeSensitivity& sensitivity);

/// The tooltip of a point's labels on the results: its sentence, and when
/// the opposite daylight-saving tick moves this point to another sign, a
/// second line such as "With Daylight Saving Time ticked: Leo".
[[nodiscard]] std::string PointTooltipText(const ChartInput& input,
                                           const BirthTimeSensitivity& sensitivity,
                                           ChartPoint point, const PlaceClock* clock = nullptr);

/// What the results show of a chart's sensitivity.
struct SensitivityView {
  /// PointTooltipText of each chart point, indexed by ChartPoint.
  std::array<std::string, kChartPointCount> tooltips;
  /// BirthTimeWarning: the one line for a sensitive chart, none for a stable one.
  std::optional<std::string> warning;
  /// MidheavenSensitivityText, when the Midheaven was searched too.
  std::optional<std::string> midheaven;
  friend bool operator==(const SensitivityView&, const SensitivityView&) = default;
};

/// Searches around the birth record of a cast chart (AnalyseBirthTime) and
/// words the result for the results; with `withMidheaven` the Midheaven's
/// sentence too. `engine` is the one that cast the chart.
[[nodiscard]] SensitivityView SensitivityViewOf(const ChartInput& input,
                                                const PlaceClock* clock = nullptr,
                                                bool withMidheaven = false,
                                                Ephemeris engine = Ephemeris::BuiltIn);

}  // namespace zodivane
