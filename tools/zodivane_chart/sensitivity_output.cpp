// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/zodivane_chart/sensitivity_output.h"

#include "ephemeris/time_scales.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdio>
#include <optional>
#include <string_view>

#include "chart/sensitivity_text.h"
#include "common/json_escape.h"

namespace zodivane::chart_tool {
namespace {

/// The order the sentences are listed in: the two points that move fastest first.
constexpr std::array<ChartPoint, kChartPointCount> kListOrder{
    ChartPoint::Ascendant, ChartPoint::Moon,    ChartPoint::Sun,     ChartPoint::Mercury,
    ChartPoint::Venus,     ChartPoint::Mars,    ChartPoint::Jupiter, ChartPoint::Saturn,
    ChartPoint::Uranus,    ChartPoint::Neptune, ChartPoint::Pluto,
};

void AppendNumber(std::string& out, int number) {
  std::array<char, 12> digits{};
  const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
  out.append(digits.data(), end);
}

void AppendBool(std::string& out, bool value) {
  out += value ? "true" : "false";
}

/// A sign's full name, or null when the engine named none.
void AppendSign(std::string& out, int sign) {
  if (sign < 0 || sign >= kSignCount) {
    out += "null";
    return;
  }
  AppendJsonString(out, kSigns[static_cast<std::size_t>(sign)].name);
}

void AppendChange(std::string& out, const ChartInput& input,
                  const std::optional<SignChange>& change, const PlaceClock* clock) {
  if (!change) {
    out += "null";
    return;
  }
  const ChartInput at = ShiftBirthTime(input, change->minutes);
  int year = at.year;
  int month = at.month;
  int day = at.day;
  int hour = at.hour;
  int minute = at.minute;
  std::optional<PlaceClockReading> reading;
  if (clock != nullptr && *clock) {
    // The place's own clock at that moment.
    const CivilMoment ut = PlanetUniversalMoment(at);
    reading = (*clock)(ut.year, ut.month, ut.day, ut.hour, ut.minute, ut.second);
    if (reading) {
      year = reading->year;
      month = reading->month;
      day = reading->day;
      hour = reading->hour;
      minute = reading->minute;
    }
  }
  std::array<char, 48> date{};
  std::array<char, 48> time{};
  std::snprintf(date.data(), date.size(), "%04d-%02d-%02d", year, month, day);
  std::snprintf(time.data(), time.size(), "%02d:%02d", hour, minute);
  out += "{\"minutes\":";
  AppendNumber(out, change->minutes);
  out += ",\"sign\":";
  AppendSign(out, change->sign);
  out += ",\"date\":";
  AppendJsonString(out, date.data());
  out += ",\"time\":";
  AppendJsonString(out, time.data());
  if (reading) {
    out += ",\"abbreviation\":";
    AppendJsonString(out, reading->abbreviation);
    if (reading->repeat != 0) {
      out += ",\"reading\":";
      out += reading->repeat == 1 ? "\"first\"" : "\"second\"";
    }
  }
  out += '}';
}

/// One point's object: {"point","sign","windowMinutes","earlier","later",
/// "earlierStopsAtRange","laterStopsAtRange","text"}.
void AppendPointObject(std::string& out, const ChartInput& input, std::string_view name,
                       const PointSensitivity& point, const std::string& text,
                       const PlaceClock* clock) {
  out += "{\"point\":";
  AppendJsonString(out, name);
  out += ",\"sign\":";
  AppendSign(out, point.sign);
  out += ",\"windowMinutes\":";
  AppendNumber(out, point.windowMinutes);
  out += ",\"earlier\":";
  AppendChange(out, input, point.earlier, clock);
  out += ",\"later\":";
  AppendChange(out, input, point.later, clock);
  out += ",\"earlierStopsAtRange\":";
  AppendBool(out, point.earlierStopsAtRange);
  out += ",\"laterStopsAtRange\":";
  AppendBool(out, point.laterStopsAtRange);
  out += ",\"text\":";
  AppendJsonString(out, text);
  out += '}';
}

}  // namespace

std::string SensitivityBlock(const ChartInput& input, const BirthTimeSensitivity& sensitivity,
                             const PlaceClock* clock) {
  std::string text = "Birth-time sensitivity\n";
  for (const ChartPoint point : kListOrder) {
    text += "  " +
            SensitivityText(input, sensitivity.points[static_cast<std::size_t>(point)], clock) +
            "\n";
    // The Midheaven, when searched, after the Ascendant it turns with.
    if (point == ChartPoint::Ascendant && sensitivity.midheaven) {
      text += "  " + MidheavenSensitivityText(input, *sensitivity.midheaven, clock) + "\n";
    }
  }
  text += "  " + DaylightSavingText(sensitivity) + "\n";
  if (const std::optional<std::string> warning = BirthTimeWarning(sensitivity)) {
    text += "  " + *warning + "\n";
  }
  return text;
}

void AppendSensitivityObject(std::string& out, const ChartInput& input,
                             const BirthTimeSensitivity& sensitivity, const PlaceClock* clock) {
  out += "{\"points\":[";
  bool first = true;
  for (const PointSensitivity& point : sensitivity.points) {
    if (!first)
      out += ',';
    first = false;
    AppendPointObject(out, input, PointName(point.point), point,
                      SensitivityText(input, point, clock), clock);
  }
  out += "],\"warning\":";
  if (const std::optional<std::string> warning = BirthTimeWarning(sensitivity))
    AppendJsonString(out, *warning);
  else
    out += "null";
  out += ",\"dst\":{\"ticked\":";
  AppendBool(out, sensitivity.oppositeDst);
  out += ",\"differences\":[";
  first = true;
  for (const DstDifference& difference : sensitivity.dstDifferences) {
    if (!first)
      out += ',';
    first = false;
    out += "{\"point\":";
    AppendJsonString(out, PointName(difference.point));
    out += ",\"sign\":";
    AppendSign(out, difference.sign);
    out += ",\"oppositeSign\":";
    AppendSign(out, difference.oppositeSign);
    out += '}';
  }
  out += "],\"text\":";
  AppendJsonString(out, DaylightSavingText(sensitivity));
  out += '}';
  if (sensitivity.midheaven) {
    out += ",\"midheaven\":";
    AppendPointObject(out, input, "Midheaven", *sensitivity.midheaven,
                      MidheavenSensitivityText(input, *sensitivity.midheaven, clock), clock);
  }
  out += '}';
}

}  // namespace zodivane::chart_tool
