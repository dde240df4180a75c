// SPDX-License-Identifier: GPL-3.0-or-later
// The sky at any moment: the Sun, the Moon and Mercury to Pluto at a Julian
// day in Universal Time, by the built-in method (the same mean elements and
// lunar series as a birth chart, read at a continuous time) or by Swiss
// Ephemeris where the build has it. Transits and the transit calendar read
// the sky through this unit alone, whatever the engine.
#pragma once

#include <array>
#include <string>
#include <variant>

#include "common/ephemeris_choice.h"
#include "common/vocabulary.h"
#include "ephemeris/time_scales.h"

namespace zodivane {

/// Which engine places the bodies: the chart's own choice.
using SkyEngine = Ephemeris;

/// The bodies the sky holds: the Sun, the Moon, Mercury .. Pluto, in
/// ChartPoint order (ChartPoint::Sun = 0 .. ChartPoint::Pluto = 9).
inline constexpr int kSkyBodyCount = 10;

/// True for the ten bodies of the sky (every ChartPoint but the Ascendant).
[[nodiscard]] constexpr bool IsSkyBody(ChartPoint point) noexcept {
  return static_cast<int>(point) >= 0 && static_cast<int>(point) < kSkyBodyCount;
}

/// The ten bodies at one moment.
struct Sky {
  double julianDayUt = 0;  ///< the moment, Julian day in UT (fractional)
  /// Geocentric ecliptic longitude of date, degrees [0, 360), indexed by ChartPoint.
  std::array<double, kSkyBodyCount> longitudeDeg{};
  /// Daily motion in longitude, degrees per day; negative while retrograde.
  /// The built-in method takes it from its longitudes an hour either side.
  std::array<double, kSkyBodyCount> speedDegPerDay{};
};

/// The Julian day in UT of a UT civil moment (proleptic Gregorian calendar):
/// 2000-01-01 12:00 gives 2451545.0. Seconds count.
[[nodiscard]] double JulianDayOfUt(const CivilMoment& ut) noexcept;

/// The UT civil moment of a Julian day, rounded to the nearest minute
/// (second 0).
[[nodiscard]] CivilMoment UtOfJulianDay(double julianDayUt) noexcept;

/// Julian centuries from J2000.0 of a Julian day in UT, as the built-in
/// method reads time: (julianDayUt - 2451545) / 36525 (UT stands for TT).
[[nodiscard]] double CenturiesOfJulianDay(double julianDayUt) noexcept;

/// The sky at `julianDayUt` by `engine`; the message when the engine is not
/// available (a build without Swiss Ephemeris, or its files missing).
[[nodiscard]] std::variant<Sky, std::string> SkyAt(SkyEngine engine, double julianDayUt);

/// One body's geocentric longitude of date in degrees [0, 360) at
/// `julianDayUt`: the cheap call the searches bisect on. `body` must be a sky
/// body (IsSkyBody). With SkyEngine::Swiss, check SkyAt once first: when
/// the engine is not available this gives NaN.
[[nodiscard]] double BodyLongitudeAt(SkyEngine engine, ChartPoint body,
                                     double julianDayUt) noexcept;

/// The signed arc from `fromDeg` to `toDeg`, degrees, in (-180, 180].
[[nodiscard]] double SignedArcDeg(double fromDeg, double toDeg) noexcept;

}  // namespace zodivane
