// SPDX-License-Identifier: GPL-3.0-or-later
#include "ephemeris/planets.h"

#include <cmath>
#include <cstddef>

#include "common/vocabulary.h"
#include "ephemeris/ascendant.h"
#include "ephemeris/engines.h"
#include "ephemeris/moon.h"
#include "ephemeris/time_scales.h"

namespace zodivane {

namespace {

/// The elements of one body evaluated at a moment; angles in radians.
struct ElementsAtDate {
  double a;        ///< AU
  double e;        ///< eccentricity
  double i;        ///< radians
  double node;     ///< radians
  double peri;     ///< radians
  double meanLon;  ///< radians, in [0, 2 pi)
};

[[nodiscard]] double AngleAtDate(double epochDegrees, double arcsecondsPerCentury,
                                 double centuries) noexcept {
  return (epochDegrees + arcsecondsPerCentury * centuries / 3600.0) * kDegreesToRadians;
}

[[nodiscard]] ElementsAtDate ElementsOf(PlanetBody body, double centuries) noexcept {
  const PlanetElements& row = kPlanetElements[static_cast<std::size_t>(body)];
  ElementsAtDate at{};
  at.a = row.a + row.aRate * centuries;
  at.e = row.e + row.eRate * centuries;
  at.i = AngleAtDate(row.i, row.iRate, centuries);
  at.node = AngleAtDate(row.node, row.nodeRate, centuries);
  at.peri = AngleAtDate(row.peri, row.periRate, centuries);
  at.meanLon = ReduceTwoPi(AngleAtDate(row.meanLon, row.meanLonRate, centuries));
  return at;
}

/// Position on the orbit: true anomaly and radius vector.
struct OrbitPoint {
  double trueAnomaly;  ///< radians
  double radius;       ///< AU
};

[[nodiscard]] OrbitPoint OrbitPointOf(const ElementsAtDate& at) noexcept {
  const double meanAnomaly = ReduceTwoPi(at.meanLon - at.peri);
  const double nu = SolveKepler(meanAnomaly, at.e);
  const double r = at.a * (1.0 - at.e * at.e) / (1.0 + at.e * std::cos(nu));
  return OrbitPoint{nu, r};
}

/// Index into PositionTable of each body's text; the Earth's slot is the Sun.
constexpr std::array<ChartPoint, kPlanetBodyCount> kTableSlotOfBody{
    ChartPoint::Mercury, ChartPoint::Venus,   ChartPoint::Sun,
    ChartPoint::Mars,    ChartPoint::Jupiter, ChartPoint::Saturn,
    ChartPoint::Uranus,  ChartPoint::Neptune, ChartPoint::Pluto,
};

/// The Earth's heliocentric position in the plane of the ecliptic, AU.
struct EarthPosition {
  double x;
  double y;
};

/// The Earth from its own elements, in the plane of the ecliptic.
[[nodiscard]] EarthPosition EarthInEcliptic(double centuries) noexcept {
  const ElementsAtDate earth = ElementsOf(PlanetBody::Earth, centuries);
  const OrbitPoint earthOrbit = OrbitPointOf(earth);
  const double xEarth = earthOrbit.radius * std::cos(earthOrbit.trueAnomaly + earth.peri);
  const double yEarth = earthOrbit.radius * std::sin(earthOrbit.trueAnomaly + earth.peri);
  return EarthPosition{xEarth, yEarth};
}

/// GeocentricLongitude with the Earth's position of the same moment given.
[[nodiscard]] double GeocentricLongitudeFrom(const EarthPosition& earth, PlanetBody body,
                                             double centuries) noexcept {
  // The Earth's slot stands for the Sun: a body at the origin.
  HeliocentricCoordinates position;
  if (body != PlanetBody::Earth) {
    position = HeliocentricPosition(body, centuries);
  }
  const double dx = position.x - earth.x;
  const double dy = position.y - earth.y;

  double lambda = QuadrantAngle(dy, dx) * 180.0 / kPi;
  // Reduced up from below zero first: a sum a hair below zero comes out as
  // 0 (Aries), never as 360, which names no sign.
  return ReduceDegrees(lambda + PrecessionInLongitude(centuries));
}

/// Appends `field`, led by a "0" when it has fewer than two characters.
void AppendPaddedToTwo(std::string& text, std::string_view field) {
  if (field.size() <= 1) {
    text += '0';
  }
  text += field;
}

}  // namespace

double SolveKepler(double meanAnomaly, double e) noexcept {
  const double m = meanAnomaly;
  double eccentric = m + e * std::sin(m) * (1.0 + e * std::cos(m));
  double previous = 0.0;
  do {
    previous = eccentric;
    eccentric = previous - (previous - e * std::sin(previous) - m) / (1.0 - e * std::cos(previous));
  } while (std::fabs(eccentric - previous) > 1e-12);
  double nu = 2.0 * std::atan(std::sqrt((1.0 + e) / (1.0 - e)) * std::tan(eccentric / 2.0));
  if (nu < 0.0) {
    nu += kTwoPi;
  }
  return nu;
}

HeliocentricCoordinates HeliocentricPosition(PlanetBody body, double centuries) noexcept {
  const ElementsAtDate at = ElementsOf(body, centuries);
  const OrbitPoint orbit = OrbitPointOf(at);
  const double u = orbit.trueAnomaly + at.peri - at.node;
  const double r = orbit.radius;
  HeliocentricCoordinates position;
  position.x =
      r * (std::cos(at.node) * std::cos(u) - std::sin(at.node) * std::sin(u) * std::cos(at.i));
  position.y =
      r * (std::sin(at.node) * std::cos(u) + std::cos(at.node) * std::sin(u) * std::cos(at.i));
  position.z = r * std::sin(u) * std::sin(at.i);
  position.radius = r;
  position.trueAnomaly = orbit.trueAnomaly;
  return position;
}

double PrecessionInLongitude(double centuries) noexcept {
  const double t = centuries;
  return (5028.796195 * t + 1.1054348 * t * t) / 3600.0;
}

double GeocentricLongitude(PlanetBody body, double centuries) noexcept {
  return GeocentricLongitudeFrom(EarthInEcliptic(centuries), body, centuries);
}

double PlanetCenturies(const ChartInput& input) noexcept {
  const CivilMoment ut = PlanetUniversalMoment(input);
  const double days = DaysFromJ2000(ut.year, ut.month, ut.day, ut.hour, ut.minute, ut.second);
  return days / 36525.0;
}

std::array<double, kPlanetBodyCount> PlanetLongitudes(const ChartInput& input) noexcept {
  const double centuries = PlanetCenturies(input);
  // All nine bodies are seen from the Earth of the same moment.
  const EarthPosition earth = EarthInEcliptic(centuries);
  std::array<double, kPlanetBodyCount> longitudes{};
  for (int body = 0; body < kPlanetBodyCount; ++body) {
    longitudes[static_cast<std::size_t>(body)] =
        GeocentricLongitudeFrom(earth, static_cast<PlanetBody>(body), centuries);
  }
  return longitudes;
}

std::string ShortPositionText(std::string_view longText) {
  const std::string_view text = TrimSpaces(longText);
  constexpr std::string_view kDegreeSign = "\u00B0";
  const std::size_t degreeAt = text.find(kDegreeSign);
  const std::size_t apostropheAt = text.find('\'');

  std::string_view degrees;
  std::string_view minutes;
  if (degreeAt != std::string_view::npos) {
    degrees = TrimSpaces(text.substr(0, degreeAt));
    const std::size_t minutesFrom = degreeAt + kDegreeSign.size();
    if (apostropheAt != std::string_view::npos && apostropheAt > minutesFrom) {
      minutes = TrimSpaces(text.substr(minutesFrom, apostropheAt - minutesFrom));
    }
  }
  const std::string_view sign = text.size() >= 3 ? text.substr(text.size() - 3) : text;

  std::string shortText;
  shortText.reserve(degrees.size() + sign.size() + minutes.size() + 4);
  AppendPaddedToTwo(shortText, degrees);
  shortText += ' ';
  shortText += sign;
  shortText += ' ';
  AppendPaddedToTwo(shortText, minutes);
  return shortText;
}

std::string ShortPositionTextOf(double longitude) {
  const TruncatedDms parts = TruncateDms(longitude);
  const int sign = parts.degrees / 30;
  if (sign >= kSignCount) {
    return ShortPositionText(SignPositionText(longitude));  // names no sign
  }
  // The truncated parts are never negative, so the degree in the sign is
  // 0..29 and the minutes 0..59: two digits each, nine characters in all.
  const int degreeInSign = parts.degrees - 30 * sign;
  const std::string_view letters = SignAbbreviations.substr(static_cast<std::size_t>(3 * sign), 3);
  const std::array<char, 9> text{
      static_cast<char>('0' + degreeInSign / 10),
      static_cast<char>('0' + degreeInSign % 10),
      ' ',
      letters[0],
      letters[1],
      letters[2],
      ' ',
      static_cast<char>('0' + parts.minutes / 10),
      static_cast<char>('0' + parts.minutes % 10),
  };
  return std::string(text.data(), text.size());
}

namespace {

/// The short texts of the nine planet-engine bodies written into their
/// slots of `table`, and their longitudes into `longitudes` when given.
void PlacePlanets(const ChartInput& input, PositionTable& table, LongitudeTable* longitudes) {
  const std::array<double, kPlanetBodyCount> planets = PlanetLongitudes(input);
  for (int body = 0; body < kPlanetBodyCount; ++body) {
    const auto slot = static_cast<std::size_t>(kTableSlotOfBody[static_cast<std::size_t>(body)]);
    table[slot] = ShortPositionTextOf(planets[static_cast<std::size_t>(body)]);
    if (longitudes != nullptr) {
      (*longitudes)[slot] = planets[static_cast<std::size_t>(body)];
    }
  }
}

}  // namespace

PositionTable ComputePlanets(const ChartInput& input, const std::string& moonText,
                             const std::string& ascendantText) {
  PositionTable table;
  PlacePlanets(input, table, nullptr);
  table[static_cast<std::size_t>(ChartPoint::Moon)] = ShortPositionText(moonText);
  table[static_cast<std::size_t>(ChartPoint::Ascendant)] = ShortPositionText(ascendantText);
  return table;
}

LongitudeTable ComputeLongitudes(const ChartInput& input) {
  LongitudeTable longitudes{};
  const std::array<double, kPlanetBodyCount> planets = PlanetLongitudes(input);
  for (int body = 0; body < kPlanetBodyCount; ++body) {
    longitudes[static_cast<std::size_t>(kTableSlotOfBody[static_cast<std::size_t>(body)])] =
        planets[static_cast<std::size_t>(body)];
  }
  longitudes[static_cast<std::size_t>(ChartPoint::Moon)] = MoonLongitude(input);
  longitudes[static_cast<std::size_t>(ChartPoint::Ascendant)] = AscendantLongitude(input);
  return longitudes;
}

ChartPositions ComputePositions(const ChartInput& input, const MoonPosition& moon,
                                const AscendantPosition& ascendant) {
  ChartPositions positions{};
  PlacePlanets(input, positions.texts, &positions.longitudes);
  const auto moonSlot = static_cast<std::size_t>(ChartPoint::Moon);
  const auto ascendantSlot = static_cast<std::size_t>(ChartPoint::Ascendant);
  positions.texts[moonSlot] = ShortPositionText(moon.moonText);
  positions.longitudes[moonSlot] = moon.longitude;
  positions.texts[ascendantSlot] = ShortPositionText(ascendant.text);
  positions.longitudes[ascendantSlot] = ascendant.longitude;
  return positions;
}

}  // namespace zodivane
