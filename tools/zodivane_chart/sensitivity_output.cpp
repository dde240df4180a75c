// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/zodivane_chart/sensitivity_output.h"

#include "ephemeris/time_scales.h"

#include <array>
#include <cstddef>
#include <cstdio>
#include <optional>
#include <utility>

#include "chart/sensitivity_text.h"

namespace zodivane::chart_tool {
namespace {

/// The order the sentences are listed in: the two points that move fastest first.
constexpr std::array<ChartPoint, kChartPointCount> kListOrder{
    ChartPoint::Ascendant, ChartPoint::Moon,    ChartPoint::Sun,     ChartPoint::Mercury,
    ChartPoint::Venus,     ChartPoint::Mars,    ChartPoint::Jupiter, ChartPoint::Saturn,
    ChartPoint::Uranus,    ChartPoint::Neptune, ChartPoint::Pluto,
};

nlohmann::ordered_json SignJson(int sign) {
  if (sign < 0 || sign >= kSignCount) {
    return nullptr;
  }
  return std::string(kSigns[static_cast<std::size_t>(sign)].name);
}

nlohmann::ordered_json ChangeJson(const ChartInput& input, const std::optional<SignChange>& change,
                                  const PlaceClock* clock) {
  if (!change) {
    return nullptr;
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
  nlohmann::ordered_json json;
  json["minutes"] = change->minutes;
  json["sign"] = SignJson(change->sign);
  json["date"] = date.data();
  json["time"] = time.data();
  if (reading) {
    json["abbreviation"] = reading->abbreviation;
    if (reading->repeat != 0) {
      json["reading"] = reading->repeat == 1 ? "first" : "second";
    }
  }
  return json;
}

}  // namespace

bool AsksForSensitivity(std::string_view line) noexcept {
  if (line.find("sensitivity") == std::string_view::npos) {
    return false;
  }
  const nlohmann::json parsed = nlohmann::json::parse(line, nullptr, false);
  if (!parsed.is_object()) {
    return false;
  }
  const auto found = parsed.find("sensitivity");
  return found != parsed.end() && found->is_boolean() && found->get<bool>();
}

std::string SensitivityBlock(const ChartInput& input, const BirthTimeSensitivity& sensitivity,
                             const PlaceClock* clock) {
  std::string text = "Birth-time sensitivity\n";
  for (const ChartPoint point : kListOrder) {
    text += "  " +
            SensitivityText(input, sensitivity.points[static_cast<std::size_t>(point)], clock) +
            "\n";
  }
  text += "  " + DaylightSavingText(sensitivity) + "\n";
  if (const std::optional<std::string> warning = BirthTimeWarning(sensitivity)) {
    text += "  " + *warning + "\n";
  }
  return text;
}

nlohmann::ordered_json SensitivityJson(const ChartInput& input,
                                       const BirthTimeSensitivity& sensitivity,
                                       const PlaceClock* clock) {
  nlohmann::ordered_json points = nlohmann::ordered_json::array();
  for (const PointSensitivity& point : sensitivity.points) {
    nlohmann::ordered_json json;
    json["point"] = PointName(point.point);
    json["sign"] = SignJson(point.sign);
    json["windowMinutes"] = point.windowMinutes;
    json["earlier"] = ChangeJson(input, point.earlier, clock);
    json["later"] = ChangeJson(input, point.later, clock);
    json["earlierStopsAtRange"] = point.earlierStopsAtRange;
    json["laterStopsAtRange"] = point.laterStopsAtRange;
    json["text"] = SensitivityText(input, point, clock);
    points.push_back(std::move(json));
  }
  nlohmann::ordered_json differences = nlohmann::ordered_json::array();
  for (const DstDifference& difference : sensitivity.dstDifferences) {
    nlohmann::ordered_json json;
    json["point"] = PointName(difference.point);
    json["sign"] = SignJson(difference.sign);
    json["oppositeSign"] = SignJson(difference.oppositeSign);
    differences.push_back(std::move(json));
  }
  nlohmann::ordered_json dst;
  dst["ticked"] = sensitivity.oppositeDst;
  dst["differences"] = std::move(differences);
  dst["text"] = DaylightSavingText(sensitivity);

  nlohmann::ordered_json json;
  json["points"] = std::move(points);
  const std::optional<std::string> warning = BirthTimeWarning(sensitivity);
  json["warning"] = warning ? nlohmann::ordered_json(*warning) : nlohmann::ordered_json(nullptr);
  json["dst"] = std::move(dst);
  return json;
}

}  // namespace zodivane::chart_tool
