// SPDX-License-Identifier: GPL-3.0-or-later
// The Sun and the planets Mercury to Pluto from Keplerian mean elements:
// heliocentric ellipses whose J2000.0 elements change linearly with time,
// differenced with the Earth's to give the geocentric direction, then
// carried from the equinox of J2000.0 to the equinox of date by the general
// precession in longitude. The tropical zodiac; no nutation, aberration or
// light time.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "common/birth_record.h"

namespace zodivane {

/// Bodies of the planet engine, in the order they are computed. The Earth's
/// slot yields the geocentric Sun.
enum class PlanetBody : int {
  Mercury = 0,
  Venus,
  Earth,
  Mars,
  Jupiter,
  Saturn,
  Uranus,
  Neptune,
  Pluto,
};

inline constexpr int kPlanetBodyCount = 9;

/// Mean elements of one body at J2000.0 with their linear rates per Julian
/// century (T = days from J2000.0 / 36525).
struct PlanetElements {
  double a;            ///< semi-major axis, AU
  double aRate;        ///< AU per century
  double e;            ///< eccentricity, 0..1
  double eRate;        ///< per century
  double i;            ///< inclination to the J2000 ecliptic, degrees
  double iRate;        ///< arcseconds per century
  double node;         ///< longitude of the ascending node (Omega), degrees
  double nodeRate;     ///< arcseconds per century
  double peri;         ///< longitude of perihelion (varpi), degrees
  double periRate;     ///< arcseconds per century
  double meanLon;      ///< mean longitude (L), degrees
  double meanLonRate;  ///< arcseconds per century
};

// clang-format off
/// Rows indexed by PlanetBody; columns a, rate, e, rate, i, rate, Omega, rate,
/// varpi, rate, L, rate. Each value is the double nearest to the decimal shown.
inline constexpr auto kPlanetElements = std::to_array<PlanetElements>({
    { 0.38709893, +0.00000066, 0.20563069, +0.00002527,  7.00487, -23.51,  48.33167,   -446.30,  77.45645,  +573.57, 252.25084, +538101628.29},
    { 0.72333199, +0.00000092, 0.00677323, -0.00004938,  3.39471,  -2.86,  76.68069,   -996.89, 131.53298,  -108.80, 181.97973, +210664136.06},
    { 1.00000011, -0.00000005, 0.01671022, -0.00003804,  0.00005, -46.94, -11.26064, -18228.25, 102.94719, +1198.28, 100.46435, +129597740.63},
    { 1.52366231, -0.00007221, 0.09341233, +0.00011902,  1.85061, -25.47,  49.57854,  -1020.19, 336.04084, +1560.78, 355.45332,  +68905103.78},
    { 5.20336301, +0.00060737, 0.04839266, -0.00012880,  1.30530,  -4.15, 100.55615,  +1217.17,  14.75385,  +839.93,  34.40438,  +10925078.35},
    { 9.53707032, -0.00301530, 0.05415060, -0.00036762,  2.48446,  +6.11, 113.71504,  -1591.05,  92.43194, -1948.89,  49.94432,   +4401052.95},
    {19.19126393, +0.00152025, 0.04716771, -0.00019150,  0.76986,  -2.09,  74.22988,  -1681.40, 170.96424, +1312.56, 313.23218,   +1542547.79},
    {30.06896348, -0.00125196, 0.00858587, +0.00002510,  1.76917,  -3.64, 131.72169,   -151.25,  44.97135,  -844.43, 304.88003,    +786449.21},
    {39.48168677, -0.00076912, 0.24880766, +0.00006465, 17.14175, +11.07, 110.30347,    -37.33, 224.06676,  -132.25, 238.92881,    +522747.90},
});
// clang-format on
static_assert(kPlanetElements.size() == kPlanetBodyCount);

/// True anomaly in radians, in [0, 2 pi), from the mean anomaly `meanAnomaly`
/// (radians) and the eccentricity `e` (0 <= e < 1), by Newton iteration on
/// Kepler's equation until successive eccentric anomalies differ by at most 1e-12.
[[nodiscard]] double SolveKepler(double meanAnomaly, double e) noexcept;

/// Heliocentric position of a body on its mean ellipse.
struct HeliocentricCoordinates {
  double x = 0;            ///< AU, towards the J2000 equinox
  double y = 0;            ///< AU, 90 degrees ahead in the J2000 ecliptic
  double z = 0;            ///< AU, towards the north ecliptic pole
  double radius = 0;       ///< r, distance from the Sun, AU
  double trueAnomaly = 0;  ///< nu, radians in [0, 2 pi)
};

/// The body's heliocentric ecliptic coordinates at `centuries` Julian
/// centuries from J2000.0 (referred to the J2000 ecliptic and equinox).
[[nodiscard]] HeliocentricCoordinates HeliocentricPosition(PlanetBody body,
                                                           double centuries) noexcept;

/// General precession in longitude from J2000.0 to the equinox of date, in
/// degrees: (5028.796195 T + 1.1054348 T T) / 3600, T in Julian centuries.
[[nodiscard]] double PrecessionInLongitude(double centuries) noexcept;

/// Geocentric ecliptic longitude of `body` in degrees, [0, 360), referred to
/// the equinox of date, at `centuries` Julian centuries from J2000.0. For
/// PlanetBody::Earth it is the longitude of the Sun.
[[nodiscard]] double GeocentricLongitude(PlanetBody body, double centuries) noexcept;

/// Julian centuries from J2000.0 of the planets' UT moment of a birth
/// (zone correction and daylight saving applied with calendar carry).
[[nodiscard]] double PlanetCenturies(const ChartInput& input) noexcept;

/// Geocentric longitudes in degrees, [0, 360), of the nine bodies of a
/// birth, indexed by PlanetBody (the Earth's slot holds the Sun).
[[nodiscard]] std::array<double, kPlanetBodyCount> PlanetLongitudes(
    const ChartInput& input) noexcept;

/// The short form of a long position text: "10° 22' 46\" Cap" becomes
/// "10 Cap 22" (degree and minutes each at least two digits, the sign's
/// three letters between). Surrounding spaces of `longText` are ignored. A
/// text without a degree sign or apostrophe gives empty (then "0") fields.
[[nodiscard]] std::string ShortPositionText(std::string_view longText);

/// The short text of an ecliptic longitude in degrees, [0, 360):
/// ShortPositionText(SignPositionText(longitude)) without writing the long
/// text first, e.g. "03 Aqu 11" for 303.1916.
[[nodiscard]] std::string ShortPositionTextOf(double longitude);

}  // namespace zodivane
