// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/sensitivity_text.h"

#include <array>
#include <cstddef>
#include <cstdlib>
#include <string_view>

#include "ephemeris/time_scales.h"

namespace zodivane {
namespace {

std::string MinutesText(int minutes) {
  const int count = std::abs(minutes);
  return std::to_string(count) + (count == 1 ? " minute" : " minutes");
}

/// "3 hours", "3 days", "a day": the half-width of a point's window.
std::string WindowText(int windowMinutes) {
  if (windowMinutes == 24 * 60) {
    return "a day";
  }
  if (windowMinutes % (24 * 60) == 0) {
    return std::to_string(windowMinutes / (24 * 60)) + " days";
  }
  if (windowMinutes % 60 == 0) {
    return std::to_string(windowMinutes / 60) + " hours";
  }
  return MinutesText(windowMinutes);
}

/// The nearer of the two changes of a point, the earlier one on a tie.
const std::optional<SignChange>& NearerChange(const PointSensitivity& point) {
  if (point.earlier && point.later) {
    return -point.earlier->minutes <= point.later->minutes ? point.earlier : point.later;
  }
  return point.earlier ? point.earlier : point.later;
}

/// "With Daylight Saving Time ticked: " or "... not ticked: ".
std::string TickText(bool ticked) {
  return std::string("With Daylight Saving Time ") + (ticked ? "ticked" : "not ticked") + ": ";
}

}  // namespace

std::string PointName(ChartPoint point) {
  if (point == ChartPoint::Ascendant) {
    return "Ascendant";
  }
  return std::string(kChartPointNames[static_cast<std::size_t>(point)]);
}

std::string SignNameText(int sign) {
  if (sign < 0 || sign >= kSignCount) {
    return "no sign";
  }
  return std::string(kSigns[static_cast<std::size_t>(sign)].name);
}

std::string ShiftedTimeText(const ChartInput& input, int minutes, const PlaceClock* clock,
                            bool withDay) {
  const ChartInput shifted = ShiftBirthTime(input, minutes);
  int year = shifted.year;
  int month = shifted.month;
  int day = shifted.day;
  int hour = shifted.hour;
  int minute = shifted.minute;
  std::string which;
  if (clock != nullptr && *clock) {
    const CivilMoment ut = PlanetUniversalMoment(shifted);
    if (const std::optional<PlaceClockReading> reading =
            (*clock)(ut.year, ut.month, ut.day, ut.hour, ut.minute, ut.second)) {
      year = reading->year;
      month = reading->month;
      day = reading->day;
      hour = reading->hour;
      minute = reading->minute;
      if (reading->repeat != 0) {
        which = std::string(" (the ") + (reading->repeat == 1 ? "first" : "second") + ", " +
                reading->abbreviation + ")";
      }
    }
  }
  std::string text;
  if (withDay || year != input.year || month != input.month || day != input.day) {
    if (month >= 1 && month <= 12) {
      text = kMonthNames[static_cast<std::size_t>(month - 1)];
    }
    text += "/" + std::to_string(day) + " ";
  }
  text += std::to_string(hour) + ":";
  if (minute < 10) {
    text += "0";
  }
  return text + std::to_string(minute) + which;
}

namespace {

/// The sentence of SensitivityText about the point called `name`.
std::string Sentence(const std::string& name, const ChartInput& input,
                     const PointSensitivity& point, const PlaceClock* clock) {
  std::string text = name + " " + SignNameText(point.sign);
  if (!point.earlier && !point.later) {
    // Where the years the form takes end, the search stopped there: say so.
    if (point.earlierStopsAtRange) {
      return text + " from 1 January 1901, 0:00 (the first birth time taken) to " +
             WindowText(point.windowMinutes) + " after the birth time";
    }
    if (point.laterStopsAtRange) {
      return text + " from " + WindowText(point.windowMinutes) +
             " before the birth time to 31 December 2050, 23:59 (the last birth time taken)";
    }
    return text + " for " + WindowText(point.windowMinutes) + " either side of the birth time";
  }
  // The first and the last minute of the entered sign; when either falls on
  // another day, both say their day, so that neither reads as the other's.
  std::string from = point.earlier ? ShiftedTimeText(input, point.earlier->minutes + 1, clock) : "";
  std::string until = point.later ? ShiftedTimeText(input, point.later->minutes - 1, clock) : "";
  const auto namesDay = [](const std::string& time) { return time.find('/') != std::string::npos; };
  if (point.earlier && point.later && namesDay(from) != namesDay(until)) {
    from = ShiftedTimeText(input, point.earlier->minutes + 1, clock, true);
    until = ShiftedTimeText(input, point.later->minutes - 1, clock, true);
  }
  constexpr std::string_view kFirstTaken = "1 January 1901, 0:00 (the first birth time taken)";
  constexpr std::string_view kLastTaken = "31 December 2050, 23:59 (the last birth time taken)";
  if (point.earlier) {
    text += " from " + from;
  } else if (point.earlierStopsAtRange) {
    text += " from " + std::string(kFirstTaken);
  }
  if (point.later) {
    text += (point.earlier || point.earlierStopsAtRange ? " to " : " until ") + until;
  } else if (point.laterStopsAtRange) {
    text += " to " + std::string(kLastTaken);
  }
  text += ";";
  if (point.earlier) {
    text += " " + SignNameText(point.earlier->sign) + " if born before " + from;
  }
  if (point.later) {
    text += std::string(point.earlier ? "," : "") + " " + SignNameText(point.later->sign) +
            " if born after " + until;
  }
  return text;
}

}  // namespace

std::string SensitivityText(const ChartInput& input, const PointSensitivity& point,
                            const PlaceClock* clock) {
  return Sentence(PointName(point.point), input, point, clock);
}

std::string MidheavenSensitivityText(const ChartInput& input, const PointSensitivity& midheaven,
                                     const PlaceClock* clock) {
  return Sentence("Midheaven", input, midheaven, clock);
}

std::optional<std::string> BirthTimeWarning(const BirthTimeSensitivity& sensitivity) {
  std::string text;
  for (const ChartPoint point : {ChartPoint::Ascendant, ChartPoint::Moon}) {
    const std::optional<SignChange>& change =
        NearerChange(sensitivity.points[static_cast<std::size_t>(point)]);
    if (!change || std::abs(change->minutes) > kWarningMinutes) {
      continue;
    }
    if (!text.empty()) {
      text += ", ";
    }
    text += PointName(point) + " changes to " + SignNameText(change->sign) + " " +
            MinutesText(change->minutes) + (change->minutes < 0 ? " earlier" : " later");
  }
  if (text.empty()) {
    return std::nullopt;
  }
  return text + ": check the birth time";
}

std::string DaylightSavingText(const BirthTimeSensitivity& sensitivity) {
  std::string text = TickText(sensitivity.oppositeDst);
  if (sensitivity.dstDifferences.empty()) {
    return text + "no sign changes";
  }
  bool first = true;
  for (const DstDifference& difference : sensitivity.dstDifferences) {
    text += std::string(first ? "" : ", ") + PointName(difference.point) + " " +
            SignNameText(difference.oppositeSign) + " instead of " + SignNameText(difference.sign);
    first = false;
  }
  return text;
}

std::string PointTooltipText(const ChartInput& input, const BirthTimeSensitivity& sensitivity,
                             ChartPoint point, const PlaceClock* clock) {
  std::string text =
      SensitivityText(input, sensitivity.points[static_cast<std::size_t>(point)], clock);
  for (const DstDifference& difference : sensitivity.dstDifferences) {
    if (difference.point == point) {
      text += "\n" + TickText(sensitivity.oppositeDst) + SignNameText(difference.oppositeSign);
    }
  }
  return text;
}

SensitivityView SensitivityViewOf(const ChartInput& input, const PlaceClock* clock,
                                  bool withMidheaven, Ephemeris engine) {
  const BirthTimeSensitivity sensitivity =
      AnalyseBirthTime(input, SensitivityOptions{engine, withMidheaven});
  SensitivityView view;
  for (int point = 0; point < kChartPointCount; ++point) {
    view.tooltips[static_cast<std::size_t>(point)] =
        PointTooltipText(input, sensitivity, static_cast<ChartPoint>(point), clock);
  }
  view.warning = BirthTimeWarning(sensitivity);
  if (sensitivity.midheaven) {
    view.midheaven = MidheavenSensitivityText(input, *sensitivity.midheaven, clock);
  }
  return view;
}

}  // namespace zodivane
