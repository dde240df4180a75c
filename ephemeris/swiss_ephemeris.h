// SPDX-License-Identifier: GPL-3.0-or-later
// Positions from Swiss Ephemeris and its data files, where the build has
// them: the apparent geocentric longitudes of date of the Sun, the Moon and
// the planets with their daily motions, the Ascendant and the Midheaven, the
// lunar nodes and Chiron.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "common/birth_record.h"
#include "common/extra_points.h"
#include "common/vocabulary.h"
#include "ephemeris/engines.h"

namespace zodivane {

/// The bodies Swiss Ephemeris places, in ChartPoint order (Sun .. Pluto).
inline constexpr int kPreciseBodyCount = 10;

/// One chart's sky by Swiss Ephemeris.
struct PreciseSky {
  /// Apparent geocentric ecliptic longitude of date, degrees [0, 360), Sun .. Pluto.
  std::array<double, kPreciseBodyCount> longitudeDeg{};
  /// Daily motion in longitude, degrees per day; negative while retrograde.
  std::array<double, kPreciseBodyCount> speedDegPerDay{};
  double ascendantDeg = 0;          ///< degrees [0, 360)
  double midheavenDeg = 0;          ///< degrees [0, 360)
  double meanNodeDeg = 0;           ///< the Moon's mean ascending node, degrees [0, 360)
  double trueNodeDeg = 0;           ///< the true (osculating) node, degrees [0, 360)
  std::optional<double> chironDeg;  ///< none when its data file is missing
};

/// True when this build includes Swiss Ephemeris.
[[nodiscard]] bool SwissEphemerisBuiltIn() noexcept;

/// Why Swiss Ephemeris cannot cast a chart here (the build has none, or its
/// data files are missing), tried once at J2000; none when it can.
[[nodiscard]] std::optional<std::string> SwissEphemerisProblem();

/// The package that installs the data files.
inline constexpr std::string_view kSwissEphemerisDataPackage = "swe-basic-data";

/// Our words for the library's own message about its data files (e.g.
/// "SwissEph file 'sepl_18.se1' not found in PATH '...' \nusing Moshier
/// eph."): which data file is missing and how to install it, on one line,
/// without the library's text or the data folder's path.
[[nodiscard]] std::string SwissEphemerisMessage(std::string_view libraryText);

/// The sky of the birth record's UT (the zone rules of the built-in method:
/// row or exact offset, daylight-saving hour) at its place; the message
/// when this build has no Swiss Ephemeris or its data files are missing.
/// Thread-safe (the library keeps its state per thread).
[[nodiscard]] std::variant<PreciseSky, std::string> PreciseSkyOf(const ChartInput& input);

/// The same at a Julian day in UT and a place (latitude north positive,
/// longitude EAST positive, degrees).
[[nodiscard]] std::variant<PreciseSky, std::string> PreciseSkyAt(double julianDayUt,
                                                                 double latitudeDeg,
                                                                 double eastLongitudeDeg);

/// A sky of Swiss Ephemeris written as the built-in engines write theirs:
/// the same long and short texts, truncated the same way, and the Moon's
/// sign name read from its text.
struct PreciseChart {
  AscendantPosition ascendant;
  MoonPosition moon;
  ChartPositions positions;  ///< the eleven short texts and longitudes
  /// Mercury to Saturn: set when the daily motion is negative at the moment
  /// (the Sun and the Moon never are).
  RetrogradeFlags retrograde{};
  ChartPoints extraPoints;  ///< every further point; Chiron none without its file
};

[[nodiscard]] PreciseChart PreciseChartOf(const PreciseSky& sky);

/// The eleven longitudes of a sky, indexed by ChartPoint.
[[nodiscard]] LongitudeTable PreciseLongitudes(const PreciseSky& sky) noexcept;

}  // namespace zodivane
