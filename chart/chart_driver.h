// SPDX-License-Identifier: GPL-3.0-or-later
// Casting a chart: from the form entries to everything the results show.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "chart/chart_aspects.h"
#include "chart/sensitivity.h"
#include "chart/wheel.h"
#include "common/birth_record.h"
#include "common/ephemeris_choice.h"
#include "common/extra_points.h"
#include "common/notice.h"
#include "common/vocabulary.h"
#include "ephemeris/engines.h"
#include "ephemeris/time_scales.h"
#include "report/report.h"

namespace zodivane {

/// What the results form shows for one chart.
struct ChartView {
  PositionTable positions;             ///< the eleven short position texts
  PointPositions points;               ///< the same eleven positions as numbers
  std::string moonSign;                ///< full name of the Moon's sign
  std::optional<std::string> sunSign;  ///< none when no abbreviation matched
  std::optional<std::string> ascendantSign;
  std::string name;
  std::string dateOfBirth;  ///< e.g. "March/5/1980"
  std::string timeOfBirth;  ///< e.g. "7:5"
  /// The same date and clock time as numbers (second 0), as the sheet prints them.
  CivilMoment birthClock;
  std::string latitude;   ///< e.g. "28° 38' N" (UTF-8)
  std::string longitude;  ///< e.g. "77° 12' E"
  std::string city;
  std::string state;
  std::string country;
  WheelView wheel;
  /// The zone as the chart used it, e.g. "Indian Time (IST), UT+5:30" (see ZoneUsedText).
  std::string zoneUsed;
  /// The same in short, e.g. "IST, UT+5:30" (see ZoneUsedShortText).
  std::string zoneUsedShort;
  /// The moment of birth in UT, e.g. "5 March 1980, 01:35 UT" (seconds
  /// shown when the zone's offset has them).
  std::string universalTime;
  /// Set by the window that cast the chart when the form's zone disagrees
  /// with the zone database for the chosen place, or counts daylight saving
  /// twice; empty otherwise.
  std::string zoneWarning;
  /// Set by the window or tool that cast the chart when its zone came from a
  /// chosen place: the place's IANA zone, e.g. "Europe/London"; empty otherwise.
  std::string placeZone;
  /// The engine that cast the chart.
  Ephemeris ephemeris = Ephemeris::BuiltIn;
  /// The Midheaven, IC, Descendant, nodes and Chiron by the same engine
  /// (the true node and Chiron none with the built-in method).
  ChartPoints extraPoints;
  /// The aspects the chart sheet shows (the grid, the patterns and the lines
  /// in its wheel), set by the window or tool that draws the sheet under the
  /// user's aspect settings; none leaves them off the sheet.
  std::optional<ChartAspects> aspects;
  friend bool operator==(const ChartView&, const ChartView&) = default;
};

using CastResult = std::variant<ChartView, Rejection>;

/// The control a rejection names when the chosen engine cannot cast (Swiss
/// Ephemeris left out of the build or its data files missing): the engine
/// choice.
inline constexpr std::string_view kEphemerisControl = "cmbEphemeris";

/// The chart state of one run of the program: the birth record, the engines'
/// outputs and the report's records. A rejected cast leaves all of it as it
/// was; an accepted cast rewrites it.
class ChartSession {
 public:
  /// Validates, fills the birth record, runs the engines of `ephemeris` in
  /// their fixed order and composes the view. The built-in method places
  /// the points with its series and marks retrogrades from the station
  /// tables; Swiss Ephemeris places the Ascendant, the Moon, the Sun and the
  /// planets from its files, writes them with the same texts and marks a
  /// planet retrograde when its daily motion is negative. When Swiss
  /// Ephemeris cannot cast, the cast is rejected (focus kEphemerisControl)
  /// and the session keeps the previous chart.
  CastResult CastChart(const FormEntries& entries, Ephemeris ephemeris = Ephemeris::BuiltIn);

  /// Writes the planet-in-sign report of the last chart into `box`.
  void WritePlanetInSignReport(RichTextSink& box);

  /// The aspects and patterns of the last chart under `settings`, with its
  /// engine's daily motions; with `withNodes` also the lunar nodes' aspects
  /// (ChartAspects::nodeAspects).
  [[nodiscard]] ChartAspects Aspects(const AspectSettings& settings, bool withNodes = false) const;

  /// The birth-time sensitivity of the last chart, searched with its engine;
  /// with `withMidheaven` the Midheaven's too.
  [[nodiscard]] BirthTimeSensitivity Sensitivity(bool withMidheaven = false) const;

  [[nodiscard]] const ChartInput& chartInput() const noexcept { return input_; }
  [[nodiscard]] const std::string& ascendantText() const noexcept { return ascendant_.text; }
  [[nodiscard]] const std::string& moonText() const noexcept { return moon_.moonText; }
  [[nodiscard]] const std::string& moonSignName() const noexcept { return moon_.moonSignName; }
  [[nodiscard]] const PositionTable& positionTable() const noexcept { return positions_; }
  [[nodiscard]] const WheelNames& wheelNames() const noexcept { return wheelNames_; }
  /// The positions of the last chart as numbers, retrograde flags included.
  [[nodiscard]] const PointPositions& points() const noexcept { return points_; }
  [[nodiscard]] const PlanetPlacements& placements() const noexcept { return placements_; }
  /// The engine of the last chart.
  [[nodiscard]] Ephemeris ephemeris() const noexcept { return ephemeris_; }
  /// The further points of the last chart.
  [[nodiscard]] const ChartPoints& extraPoints() const noexcept { return extraPoints_; }

 private:
  ChartInput input_;
  AscendantPosition ascendant_;
  MoonPosition moon_;
  PositionTable positions_;
  LongitudeTable longitudes_{};
  WheelNames wheelNames_;
  RetrogradeFlags retrograde_{};
  PointPositions points_;
  PlanetPlacements placements_;
  Ephemeris ephemeris_ = Ephemeris::BuiltIn;
  ChartPoints extraPoints_;
};

}  // namespace zodivane
