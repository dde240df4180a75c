// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_driver.h"

#include <array>
#include <charconv>
#include <exception>
#include <string_view>
#include <utility>
#include <variant>

#include "chart/birth_data.h"
#include "chart/time_zones.h"
#include "ephemeris/engines.h"
#include "ephemeris/points.h"
#include "ephemeris/swiss_ephemeris.h"
#include "ephemeris/time_scales.h"
#include "retrograde/retrograde.h"

namespace zodivane {
namespace {

constexpr std::string_view kDegreeSign = "\u00B0";

/// A list or box text read as a 16-bit integer from its leading digits; a
/// text without digits reads 0 (validation has refused such coordinate
/// boxes, and the lists only offer numbers).
std::int16_t ReadInteger(std::string_view text) noexcept {
  return static_cast<std::int16_t>(LeadingDigitsValue(text).value_or(0));
}

std::int16_t Magnitude(std::int16_t value) noexcept {
  return static_cast<std::int16_t>(value < 0 ? -value : value);
}

/// The sun sign: characters 4 to 6 of the Sun's entry, trimmed of
/// surrounding spaces first.
std::optional<std::string> SunSignOf(const PositionTable& positions) {
  const auto sun = static_cast<std::size_t>(ChartPoint::Sun);
  return SignNameOf(SignIndexOfShortText(TrimSpaces(positions[sun])));
}

/// Appends the decimal digits of `value` (a minus sign first when negative).
void AppendInteger(std::string& text, int value) {
  std::array<char, 12> digits{};  // "-2147483648" is 11 characters
  const std::to_chars_result written =
      std::to_chars(digits.data(), digits.data() + digits.size(), value);
  text.append(digits.data(), written.ptr);
}

std::string DateText(const ChartInput& input) {
  std::string text;
  text.reserve(24);
  if (input.month >= 1 && input.month <= 12) {
    text = kMonthNames[static_cast<std::size_t>(input.month - 1)];
  }
  text += '/';
  AppendInteger(text, input.day);
  text += '/';
  AppendInteger(text, input.year);
  return text;
}

std::string TimeText(const ChartInput& input) {
  std::string text;
  AppendInteger(text, input.hour);
  text += ':';
  AppendInteger(text, input.minute);
  return text;
}

std::string AngleText(std::int16_t degrees, std::int16_t minutes, std::string_view hemisphere) {
  std::string text;
  text.reserve(16 + hemisphere.size());
  AppendInteger(text, degrees);
  text.append(kDegreeSign).append(" ");
  AppendInteger(text, minutes);
  text.append("'");
  return text.append(" ").append(hemisphere);
}

/// "5 March 1980, 01:35 UT"; "..., 11:40:28 UT" when the moment has seconds.
std::string UniversalTimeText(const CivilMoment& ut) {
  const auto twoDigits = [](std::string& text, int value) {
    text += static_cast<char>('0' + value / 10);
    text += static_cast<char>('0' + value % 10);
  };
  std::string text;
  AppendInteger(text, ut.day);
  text += ' ';
  if (ut.month >= 1 && ut.month <= 12) {
    text += kMonthNames[static_cast<std::size_t>(ut.month - 1)];
  }
  text += ' ';
  AppendInteger(text, ut.year);
  text += ", ";
  twoDigits(text, ut.hour);
  text += ':';
  twoDigits(text, ut.minute);
  if (ut.second != 0) {
    text += ':';
    twoDigits(text, ut.second);
  }
  return text + " UT";
}

/// Runs one step of the cast; false when it failed. A step that fails at
/// run time is skipped without a message and the cast goes on with the
/// previous chart's values for it; validated input makes no step fail.
template <typename Step>
bool RunStep(Step&& step) noexcept {
  try {
    std::forward<Step>(step)();
    return true;
  } catch (const std::exception&) {
    return false;  // skipped; the next step runs
  }
}

/// The chart's positions as numbers: each longitude with the sign, degree
/// and minutes its text shows, and the wheel bodies' retrograde flags.
PointPositions PointPositionsOf(const LongitudeTable& longitudes,
                                const RetrogradeFlags& retrograde) noexcept {
  PointPositions points;
  for (std::size_t point = 0; point < points.size(); ++point) {
    points[point] = PointPositionOf(longitudes[point]);
    points[point].retrograde = point < retrograde.size() && retrograde[point];
  }
  return points;
}

}  // namespace

CastResult ChartSession::CastChart(const FormEntries& entries, Ephemeris ephemeris) {
  if (std::optional<Rejection> rejection = ValidateBirthData(entries)) {
    return std::move(*rejection);
  }

  // Everything below is built aside and moved into the session only at the
  // end. Starting from the previous chart's values keeps a skipped step, or
  // a zone position outside the list, at what the last chart left.
  ChartInput input = input_;
  input.name = entries.txtName;
  if (entries.cmbTimeZoneIndex == kPlaceZoneIndex && entries.placeZone) {
    input.toUtHours = 0;
    input.toUtMinutes = 0;
    input.exactUtOffsetSeconds = entries.placeZone->utOffsetSeconds;
  } else if (entries.cmbTimeZoneIndex >= 0 && entries.cmbTimeZoneIndex < kTimeZoneCount) {
    input.exactUtOffsetSeconds.reset();
    Zone_Calculation(entries.cmbTimeZoneIndex, input);
  }
  input.month = static_cast<std::int16_t>(entries.cboMonthIndex + 1);
  input.day = ReadInteger(entries.cboDateText);
  input.year = ReadInteger(entries.cboYearText);
  input.hour = ReadInteger(entries.cboHHText);
  input.minute = ReadInteger(entries.cboMMText);
  input.zoneHours = Magnitude(input.toUtHours);
  input.zoneMinutes = Magnitude(input.toUtMinutes);
  input.lonDegrees = ReadInteger(entries.txtLonD);
  input.lonMinutes = ReadInteger(entries.txtLonM);
  input.latDegrees = ReadInteger(entries.txtLatD);
  input.latMinutes = ReadInteger(entries.txtLatM);
  input.isEast = Flag16::Of(entries.optEast);
  input.isSouth = Flag16::Of(entries.optSouth);
  input.dst = Flag16::Of(entries.chkDST);

  AscendantPosition ascendant;
  MoonPosition moon;
  ChartPositions positions;
  RetrogradeFlags retrograde{};
  WheelNames wheelNames;
  ChartPoints extraPoints;
  if (ephemeris == Ephemeris::Swiss) {
    // One sky from the files gives every point; its texts are written as
    // the built-in engines write theirs, and its daily motions mark the
    // retrogrades.
    auto sky = PreciseSkyOf(input);
    if (const auto* message = std::get_if<std::string>(&sky)) {
      return Rejection{
          Notice{"Swiss Ephemeris cannot cast this chart: " + *message, MessageIcon::Critical},
          std::string(kEphemerisControl)};
    }
    PreciseChart chart = PreciseChartOf(std::get<PreciseSky>(sky));
    ascendant = std::move(chart.ascendant);
    moon = std::move(chart.moon);
    positions = std::move(chart.positions);
    retrograde = chart.retrograde;
    wheelNames = MarkRetrogrades(retrograde);
    extraPoints = chart.extraPoints;
  } else {
    // The engines in their fixed order: the planet engine copies the Moon's
    // and the Ascendant's texts, and the wheel reads the marked names. A
    // step that fails leaves its values at the previous chart's.
    if (!RunStep([&] { ascendant = ComputeAscendantPosition(input); })) {
      ascendant = ascendant_;
    }
    if (!RunStep([&] { moon = ComputeMoon(input); })) {
      moon = moon_;
    }
    if (!RunStep([&] { positions = ComputePositions(input, moon, ascendant); })) {
      positions.texts = positions_;
      positions.longitudes = longitudes_;
    }
    if (!RunStep([&] {
          retrograde = RetrogradeFlagsOf(input);
          wheelNames = MarkRetrogrades(retrograde);
        })) {
      retrograde = retrograde_;
      wheelNames = wheelNames_;
    }
    extraPoints = BuiltInChartPoints(input, ascendant.longitude);
  }
  const PointPositions points = PointPositionsOf(positions.longitudes, retrograde);

  // The view is built in place inside the result, so that returning it
  // moves none of its texts.
  CastResult result{std::in_place_type<ChartView>};
  ChartView& view = std::get<ChartView>(result);
  RunStep([&] {
    view.positions = positions.texts;
    view.points = points;
    view.moonSign = moon.moonSignName;
    view.sunSign = SunSignOf(positions.texts);
    view.ascendantSign = SignNameOf(SignIndexOfLongText(ascendant.text));
    view.name = input.name;
    view.dateOfBirth = DateText(input);
    view.timeOfBirth = TimeText(input);
    view.birthClock = {input.year, input.month, input.day, input.hour, input.minute, 0};
    view.latitude = AngleText(input.latDegrees, input.latMinutes, entries.optSouth ? "S" : "N");
    view.longitude = AngleText(input.lonDegrees, input.lonMinutes, entries.optEast ? "E" : "W");
    view.zoneUsed = ZoneUsedText(entries);
    view.zoneUsedShort = ZoneUsedShortText(entries);
    view.universalTime = UniversalTimeText(PlanetUniversalMoment(input));
    view.city = entries.txtMCity;
    view.state = entries.txtMState;
    view.country = entries.txtMCountry;
    view.ephemeris = ephemeris;
    view.extraPoints = extraPoints;
  });
  RunStep([&] {
    view.wheel = HouseWheel(CollectSignLists(positions.texts, wheelNames), positions.texts,
                            CollectSignEntries(positions.texts, retrograde));
  });

  // Commit: moves only, which cannot fail.
  input_ = std::move(input);
  ascendant_ = std::move(ascendant);
  moon_ = std::move(moon);
  positions_ = std::move(positions.texts);
  longitudes_ = positions.longitudes;
  wheelNames_ = std::move(wheelNames);
  retrograde_ = retrograde;
  points_ = points;
  ephemeris_ = ephemeris;
  extraPoints_ = extraPoints;
  return result;
}

void ChartSession::WritePlanetInSignReport(RichTextSink& box) {
  zodivane::WritePlanetInSignReport(positions_, placements_, box);
}

ChartAspects ChartSession::Aspects(const AspectSettings& settings, bool withNodes) const {
  const AspectPoints points = AspectPointsOf(input_, points_, ephemeris_);
  ChartAspects result = FindChartAspects(points, settings);
  if (withNodes) {
    result.nodeAspects =
        FindNodeAspects(points, NodePointsOf(input_, extraPoints_, ephemeris_), settings);
  }
  return result;
}

BirthTimeSensitivity ChartSession::Sensitivity(bool withMidheaven) const {
  return AnalyseBirthTime(input_, SensitivityOptions{ephemeris_, withMidheaven});
}

}  // namespace zodivane
