// SPDX-License-Identifier: GPL-3.0-or-later
#include "ephemeris/swiss_ephemeris.h"

#include <algorithm>
#include <utility>

#include "ephemeris/planets.h"
#include "ephemeris/points.h"
#include "ephemeris/time_scales.h"

#ifdef ZODIVANE_SWISS_EPHEMERIS
#include <swephexp.h>
#endif

namespace zodivane {

std::optional<std::string> SwissEphemerisProblem() {
  constexpr double kJ2000 = 2451545.0;
  auto sky = PreciseSkyAt(kJ2000, 0.0, 0.0);
  if (auto* message = std::get_if<std::string>(&sky)) {
    return std::move(*message);
  }
  return std::nullopt;
}

std::string SwissEphemerisMessage(std::string_view libraryText) {
  const std::string install = "install the package " + std::string(kSwissEphemerisDataPackage) +
                              " (apt install " + std::string(kSwissEphemerisDataPackage) + ")";
  // The library names the file between quotes after "file".
  constexpr std::string_view kFile = "file '";
  const std::size_t start = libraryText.find(kFile);
  if (start != std::string_view::npos) {
    const std::size_t from = start + kFile.size();
    const std::size_t end = libraryText.find('\'', from);
    const std::string_view file =
        end == std::string_view::npos ? std::string_view() : libraryText.substr(from, end - from);
    // Only a plain file name is repeated, never a path or what the library adds.
    const bool plain =
        !file.empty() && file.size() <= 32 && std::all_of(file.begin(), file.end(), [](char c) {
          return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                 c == '_' || c == '.' || c == '-';
        });
    if (plain)
      return "the Swiss Ephemeris data file " + std::string(file) + " is missing; " + install;
  }
  return "the Swiss Ephemeris data files are missing or cannot be read; " + install;
}

LongitudeTable PreciseLongitudes(const PreciseSky& sky) noexcept {
  LongitudeTable longitudes{};
  // The bodies are in ChartPoint order, Sun to Pluto; the Ascendant last.
  for (std::size_t body = 0; body < sky.longitudeDeg.size(); ++body) {
    longitudes[body] = sky.longitudeDeg[body];
  }
  longitudes[static_cast<std::size_t>(ChartPoint::Ascendant)] = sky.ascendantDeg;
  return longitudes;
}

PreciseChart PreciseChartOf(const PreciseSky& sky) {
  PreciseChart chart;
  chart.ascendant.longitude = sky.ascendantDeg;
  chart.ascendant.text = SignPositionText(sky.ascendantDeg);
  const auto moonSlot = static_cast<std::size_t>(ChartPoint::Moon);
  const auto ascendantSlot = static_cast<std::size_t>(ChartPoint::Ascendant);
  chart.moon.longitude = sky.longitudeDeg[moonSlot];
  chart.moon.moonText = SignPositionText(chart.moon.longitude);
  chart.moon.moonSignName = SignNameOf(SignIndexOfLongText(chart.moon.moonText)).value_or("");
  chart.positions.longitudes = PreciseLongitudes(sky);
  for (std::size_t body = 0; body < sky.longitudeDeg.size(); ++body) {
    if (body != moonSlot) {
      chart.positions.texts[body] = ShortPositionTextOf(sky.longitudeDeg[body]);
    }
  }
  chart.positions.texts[moonSlot] = ShortPositionText(chart.moon.moonText);
  chart.positions.texts[ascendantSlot] = ShortPositionText(chart.ascendant.text);
  // The wheel's bodies from Mercury on; the Sun and the Moon never go backwards.
  for (auto body = static_cast<std::size_t>(ChartPoint::Mercury); body < chart.retrograde.size();
       ++body) {
    chart.retrograde[body] = sky.speedDegPerDay[body] < 0.0;
  }
  chart.extraPoints = ChartPointsOf(sky.midheavenDeg, sky.ascendantDeg, sky.meanNodeDeg,
                                    sky.trueNodeDeg, sky.chironDeg);
  return chart;
}

#ifdef ZODIVANE_SWISS_EPHEMERIS

namespace {

constexpr std::array<int, kPreciseBodyCount> kBodies = {
    SE_SUN,     SE_MOON,   SE_MERCURY, SE_VENUS,   SE_MARS,
    SE_JUPITER, SE_SATURN, SE_URANUS,  SE_NEPTUNE, SE_PLUTO};

/// Points the library at the data files, once per thread (its state is per thread).
void UseDataFiles() {
  thread_local bool pointed = false;
  if (!pointed) {
    swe_set_ephe_path(const_cast<char*>(ZODIVANE_SWE_EPHE_DIR));
    pointed = true;
  }
}

/// One body's longitude and speed from the data files; false with the
/// library's message when it could not read them.
bool Place(double julianDayUt, int body, double& longitude, double& speed, std::string& error) {
  std::array<double, 6> xx{};
  std::array<char, AS_MAXCH> message{};
  const int32 flags = SEFLG_SWIEPH | SEFLG_SPEED;
  const int32 used = swe_calc_ut(julianDayUt, body, flags, xx.data(), message.data());
  if (used < 0 || (used & SEFLG_SWIEPH) == 0) {
    // Without its files the library falls back to a coarser method: refuse that.
    error = SwissEphemerisMessage(message.data());
    return false;
  }
  longitude = xx[0];
  speed = xx[3];
  return true;
}

}  // namespace

bool SwissEphemerisBuiltIn() noexcept {
  return true;
}

std::variant<PreciseSky, std::string> PreciseSkyAt(double julianDayUt, double latitudeDeg,
                                                   double eastLongitudeDeg) {
  UseDataFiles();
  PreciseSky sky;
  std::string error;
  for (std::size_t body = 0; body < kBodies.size(); ++body) {
    if (!Place(julianDayUt, kBodies[body], sky.longitudeDeg[body], sky.speedDegPerDay[body],
               error)) {
      return error;
    }
  }
  double speed = 0;
  if (!Place(julianDayUt, SE_MEAN_NODE, sky.meanNodeDeg, speed, error) ||
      !Place(julianDayUt, SE_TRUE_NODE, sky.trueNodeDeg, speed, error)) {
    return error;
  }
  double chiron = 0;
  std::string chironError;
  if (Place(julianDayUt, SE_CHIRON, chiron, speed, chironError)) {
    sky.chironDeg = chiron;
  }
  std::array<double, 13> cusps{};
  std::array<double, 10> ascmc{};
  if (swe_houses_ex(julianDayUt, 0, latitudeDeg, eastLongitudeDeg, 'W', cusps.data(),
                    ascmc.data()) < 0) {
    return std::string("Swiss Ephemeris could not place the Ascendant here");
  }
  sky.ascendantDeg = ascmc[SE_ASC];
  sky.midheavenDeg = ascmc[SE_MC];
  return sky;
}

std::variant<PreciseSky, std::string> PreciseSkyOf(const ChartInput& input) {
  const CivilMoment ut = PlanetUniversalMoment(input);
  const double hours = ut.hour + ut.minute / 60.0 + ut.second / 3600.0;
  const double julianDayUt = swe_julday(ut.year, ut.month, ut.day, hours, SE_GREG_CAL);
  // The record's longitude counts West positive; the library's East.
  return PreciseSkyAt(julianDayUt, ObserverLatitude(input), -ObserverLongitude(input));
}

#else

bool SwissEphemerisBuiltIn() noexcept {
  return false;
}

std::variant<PreciseSky, std::string> PreciseSkyAt(double, double, double) {
  return std::string("this build has no Swiss Ephemeris");
}

std::variant<PreciseSky, std::string> PreciseSkyOf(const ChartInput&) {
  return std::string("this build has no Swiss Ephemeris");
}

#endif

}  // namespace zodivane
