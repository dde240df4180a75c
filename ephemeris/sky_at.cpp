// SPDX-License-Identifier: GPL-3.0-or-later
#include "ephemeris/sky_at.h"

#include <chrono>
#include <cmath>
#include <cstddef>
#include <limits>

#include "ephemeris/moon.h"
#include "ephemeris/planets.h"
#include "ephemeris/swiss_ephemeris.h"

#ifdef ZODIVANE_SWISS_EPHEMERIS
#include <swephexp.h>
#endif

namespace zodivane {
namespace {

/// The Julian day of 1970-01-01 00:00 UT, the epoch of std::chrono::sys_days.
constexpr double kUnixEpochJulianDay = 2440587.5;
constexpr double kJ2000JulianDay = 2451545.0;
constexpr double kDaysPerCentury = 36525.0;
constexpr double kMinutesPerDay = 1440.0;

/// Half the span the built-in method's daily motion is read over, days (an hour).
constexpr double kMotionHalfSpanDays = 1.0 / 24.0;

/// The planet engine's body of each sky body, indexed by ChartPoint (the
/// Moon has its own series: its slot is unused).
constexpr auto kPlanetBodyOfPoint = std::to_array<PlanetBody>({
    PlanetBody::Earth,  // the Earth's slot yields the Sun
    PlanetBody::Earth,  // the Moon: not read
    PlanetBody::Mercury,
    PlanetBody::Venus,
    PlanetBody::Mars,
    PlanetBody::Jupiter,
    PlanetBody::Saturn,
    PlanetBody::Uranus,
    PlanetBody::Neptune,
    PlanetBody::Pluto,
});
static_assert(kPlanetBodyOfPoint.size() == kSkyBodyCount);

double BuiltInLongitude(ChartPoint body, double julianDayUt) noexcept {
  const double centuries = CenturiesOfJulianDay(julianDayUt);
  if (body == ChartPoint::Moon) {
    return MoonLongitudeAt(centuries);
  }
  return GeocentricLongitude(kPlanetBodyOfPoint[static_cast<std::size_t>(body)], centuries);
}

Sky BuiltInSky(double julianDayUt) noexcept {
  Sky sky;
  sky.julianDayUt = julianDayUt;
  for (int index = 0; index < kSkyBodyCount; ++index) {
    const auto body = static_cast<ChartPoint>(index);
    const auto slot = static_cast<std::size_t>(index);
    sky.longitudeDeg[slot] = BuiltInLongitude(body, julianDayUt);
    const double before = BuiltInLongitude(body, julianDayUt - kMotionHalfSpanDays);
    const double after = BuiltInLongitude(body, julianDayUt + kMotionHalfSpanDays);
    sky.speedDegPerDay[slot] = SignedArcDeg(before, after) / (2.0 * kMotionHalfSpanDays);
  }
  return sky;
}

#ifdef ZODIVANE_SWISS_EPHEMERIS
constexpr auto kSwissBodies =
    std::to_array<int>({SE_SUN, SE_MOON, SE_MERCURY, SE_VENUS, SE_MARS, SE_JUPITER, SE_SATURN,
                        SE_URANUS, SE_NEPTUNE, SE_PLUTO});
static_assert(kSwissBodies.size() == kSkyBodyCount);

double SwissLongitude(ChartPoint body, double julianDayUt) noexcept {
  // The library keeps its state per thread: each thread points it at the files.
  thread_local bool pointed = false;
  if (!pointed) {
    swe_set_ephe_path(const_cast<char*>(ZODIVANE_SWE_EPHE_DIR));
    pointed = true;
  }
  std::array<double, 6> xx{};
  std::array<char, AS_MAXCH> message{};
  const int32 used = swe_calc_ut(julianDayUt, kSwissBodies[static_cast<std::size_t>(body)],
                                 SEFLG_SWIEPH, xx.data(), message.data());
  if (used < 0 || (used & SEFLG_SWIEPH) == 0) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  return xx[0];
}
#else
double SwissLongitude(ChartPoint, double) noexcept {
  return std::numeric_limits<double>::quiet_NaN();
}
#endif

}  // namespace

double JulianDayOfUt(const CivilMoment& ut) noexcept {
  const std::chrono::sys_days day{std::chrono::year{ut.year} /
                                  std::chrono::month{static_cast<unsigned>(ut.month)} /
                                  std::chrono::day{static_cast<unsigned>(ut.day)}};
  const double dayFraction = (ut.hour * 3600.0 + ut.minute * 60.0 + ut.second) / 86400.0;
  return kUnixEpochJulianDay + static_cast<double>(day.time_since_epoch().count()) + dayFraction;
}

CivilMoment UtOfJulianDay(double julianDayUt) noexcept {
  const auto minutes =
      static_cast<long long>(std::llround((julianDayUt - kUnixEpochJulianDay) * kMinutesPerDay));
  const long long minutesPerDay = static_cast<long long>(kMinutesPerDay);
  long long days = minutes / minutesPerDay;
  long long minuteOfDay = minutes % minutesPerDay;
  if (minuteOfDay < 0) {
    minuteOfDay += minutesPerDay;
    --days;
  }
  const std::chrono::year_month_day date{
      std::chrono::sys_days{std::chrono::days{static_cast<int>(days)}}};
  CivilMoment moment;
  moment.year = static_cast<int>(date.year());
  moment.month = static_cast<int>(static_cast<unsigned>(date.month()));
  moment.day = static_cast<int>(static_cast<unsigned>(date.day()));
  moment.hour = static_cast<int>(minuteOfDay / 60);
  moment.minute = static_cast<int>(minuteOfDay % 60);
  return moment;
}

double CenturiesOfJulianDay(double julianDayUt) noexcept {
  return (julianDayUt - kJ2000JulianDay) / kDaysPerCentury;
}

double SignedArcDeg(double fromDeg, double toDeg) noexcept {
  double arc = std::fmod(toDeg - fromDeg, 360.0);
  if (arc > 180.0) {
    arc -= 360.0;
  } else if (arc <= -180.0) {
    arc += 360.0;
  }
  return arc;
}

std::variant<Sky, std::string> SkyAt(SkyEngine engine, double julianDayUt) {
  if (engine == SkyEngine::BuiltIn) {
    return BuiltInSky(julianDayUt);
  }
  // The place only matters for the Ascendant, which the sky does not hold.
  auto precise = PreciseSkyAt(julianDayUt, 0.0, 0.0);
  if (const auto* message = std::get_if<std::string>(&precise)) {
    return *message;
  }
  const PreciseSky& found = std::get<PreciseSky>(precise);
  Sky sky;
  sky.julianDayUt = julianDayUt;
  sky.longitudeDeg = found.longitudeDeg;
  sky.speedDegPerDay = found.speedDegPerDay;
  return sky;
}

double BodyLongitudeAt(SkyEngine engine, ChartPoint body, double julianDayUt) noexcept {
  if (!IsSkyBody(body)) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  return engine == SkyEngine::BuiltIn ? BuiltInLongitude(body, julianDayUt)
                                      : SwissLongitude(body, julianDayUt);
}

}  // namespace zodivane
