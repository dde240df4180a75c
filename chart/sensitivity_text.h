// SPDX-License-Identifier: GPL-3.0-or-later
// The birth-time sensitivity of a chart in words, as the results' tooltips,
// the warning line and the command line's text show it.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "chart/sensitivity.h"
#include "common/birth_record.h"
#include "common/vocabulary.h"

namespace zodivane {

/// A change of the Ascendant or the Moon at most this many minutes from the
/// entered time earns the warning line.
inline constexpr int kWarningMinutes = 30;

/// The name a sentence gives a chart point: "Sun" .. "Pluto", "Ascendant".
[[nodiscard]] std::string PointName(ChartPoint point);

/// The full name of sign index `sign`; "no sign" outside 0..11.
[[nodiscard]] std::string SignNameText(int sign);

/// The local clock time of the birth moved by `minutes`, as H:MM ("7:05");
/// preceded by the month and day ("March/16 7:05") when the date differs
/// from the entered one.
[[nodiscard]] std::string ShiftedTimeText(const ChartInput& input, int minutes);

/// One sentence about one point, e.g.
/// "Ascendant Taurus from 10:18 to 12:07; Aries if born before 10:18,
/// Gemini if born after 12:07". A side without a change within the window
/// is left out ("Sun Aries from 7:21; Pisces if born before 7:21"); with no
/// change on either side: "Jupiter Leo for a day either side of the birth
/// time" (3 hours for the Ascendant, 3 days for the Moon).
[[nodiscard]] std::string SensitivityText(const ChartInput& input, const PointSensitivity& point);

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
                                           ChartPoint point);

/// What the results show of a chart's sensitivity.
struct SensitivityView {
  /// PointTooltipText of each chart point, indexed by ChartPoint.
  std::array<std::string, kChartPointCount> tooltips;
  /// BirthTimeWarning: the one line for a sensitive chart, none for a stable one.
  std::optional<std::string> warning;
  friend bool operator==(const SensitivityView&, const SensitivityView&) = default;
};

/// Searches around the birth record of a cast chart (AnalyseBirthTime) and
/// words the result for the results.
[[nodiscard]] SensitivityView SensitivityViewOf(const ChartInput& input);

}  // namespace zodivane
