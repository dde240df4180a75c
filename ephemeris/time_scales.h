// SPDX-License-Identifier: GPL-3.0-or-later
// The arithmetic the three ephemeris engines share: the observer's signed
// coordinates, Universal Time, day numbers, century counts, sidereal time,
// the obliquity of the ecliptic, the quadrant-correct arctangent, angle
// reduction and the long text form of an ecliptic longitude.
//
// Everything is IEEE double precision, evaluated in the order written in the
// definitions; results are compared to the last printed character, so the
// order of the operations is part of each function's contract.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/birth_record.h"
#include "common/vocabulary.h"

namespace zodivane {

/// Pi as the ephemeris uses it: the 15-digit decimal 3.14159265358979, not
/// the double nearest to pi. Every angle formula uses this value.
inline constexpr double kPi = 3.14159265358979;
static_assert(kPi != 3.141592653589793, "the 15-digit decimal, not the double nearest to pi");
/// Two pi, the 15-digit decimal 6.28318530717958 (not 2 * kPi).
inline constexpr double kTwoPi = 6.28318530717958;
/// Factor from degrees to radians.
inline constexpr double kDegreesToRadians = 0.0174532925199433;
/// Factor from radians to degrees.
inline constexpr double kRadiansToDegrees = 57.2957795130823;

namespace detail {
[[nodiscard]] constexpr std::array<char, 3 * kSignCount> JoinSignAbbreviations() noexcept {
  std::array<char, 3 * kSignCount> joined{};
  for (int sign = 0; sign < kSignCount; ++sign) {
    for (int letter = 0; letter < 3; ++letter) {
      joined[3 * sign + letter] = kSigns[sign].abbreviation[letter];
    }
  }
  return joined;
}
inline constexpr std::array<char, 3 * kSignCount> kJoinedSignAbbreviations =
    JoinSignAbbreviations();
}  // namespace detail

/// The twelve sign abbreviations of the shared sign table joined into one
/// 36-character string; sign k (0 = Aries) owns characters 3k to 3k+2
/// (counted from 0). The ephemeris names signs only through this string.
inline constexpr std::string_view SignAbbreviations{detail::kJoinedSignAbbreviations.data(),
                                                    detail::kJoinedSignAbbreviations.size()};
static_assert(SignAbbreviations == "AriTauGemCanLeoVirLibScoSagCapAquPis");

/// The birth longitude in degrees, positive West, negative East:
/// lonDegrees + lonMinutes / 60, negated when isEast is set. 0°00' is +0
/// whatever the flag.
[[nodiscard]] double ObserverLongitude(const ChartInput& input) noexcept;

/// The birth latitude in degrees, positive North, negative South:
/// latDegrees + latMinutes / 60, negated when isSouth is set.
[[nodiscard]] double ObserverLatitude(const ChartInput& input) noexcept;

/// Universal Time of the birth in decimal hours, relative to the local
/// calendar date of the birth record:
/// hour + minute / 60 + toUtHours + toUtMinutes / 60 - (dst ? 1 : 0),
/// evaluated left to right; with an exact offset from the zone database,
/// hour + minute / 60 - exactUtOffsetSeconds / 3600 - (dst ? 1 : 0). The result is not folded into
/// a day: it may lie below 0 or at or above 24, and the day-number arithmetic of the caller carries
/// the overflow. Used by the Ascendant and the Moon.
[[nodiscard]] double UniversalTimeHours(const ChartInput& input) noexcept;

/// A civil date and clock time on the proleptic Gregorian calendar.
struct CivilMoment {
  int year = 0;    ///< calendar year, e.g. 1980
  int month = 0;   ///< 1 = January .. 12
  int day = 0;     ///< 1 .. length of the month
  int hour = 0;    ///< 0 .. 23
  int minute = 0;  ///< 0 .. 59
  int second = 0;  ///< 0 .. 59; only a zone offset with seconds (local mean time) sets it
  friend bool operator==(const CivilMoment&, const CivilMoment&) = default;
};

/// `moment` moved by `minutes` (either sign), with full carry into the
/// hour, day, month and year. `moment` must be a valid date and time.
[[nodiscard]] CivilMoment ShiftCivilMoment(const CivilMoment& moment, int minutes) noexcept;

/// `moment` moved by `seconds` (either sign), with full carry.
[[nodiscard]] CivilMoment ShiftCivilMomentSeconds(const CivilMoment& moment,
                                                  std::int32_t seconds) noexcept;

/// The UT date and time of a civil birth moment: `toUtHours` whole hours
/// then `toUtMinutes` minutes are added (each may be negative), with full
/// calendar carry. The daylight-saving flag is not applied here.
/// 22:00 on 31 December with +5 hours gives 03:00 on 1 January of the next year.
[[nodiscard]] CivilMoment CalendarUniversalTime(int year, int month, int day, int hour, int minute,
                                                int toUtHours, int toUtMinutes) noexcept;

/// The UT moment the planets are computed for: CalendarUniversalTime with the
/// signed zone correction of the birth record (or its exact offset from the
/// zone database, to the second), then one hour earlier (with calendar
/// carry) when the daylight-saving flag is set.
[[nodiscard]] CivilMoment PlanetUniversalMoment(const ChartInput& input) noexcept;

/// The Julian day number of a civil date: the Julian Date at 12:00 UT of
/// that day. Dates up to 15 October 1582 as written are read in the Julian
/// calendar, later ones in the Gregorian calendar. 1 January 2000 gives 2451545.
[[nodiscard]] std::int64_t JulianDayNumber(int month, int day, int year) noexcept;

/// Days from 2000 January 1, 12:00 UT to the given UT moment. Exact from
/// 1 March 1900 to 28 February 2100 (the Gregorian century rule is not
/// applied); one day off outside that span. 2000-01-01 00:00 gives -0.5.
/// The seconds add second / 3600 to the hours; 0 leaves every bit as
/// without them.
[[nodiscard]] double DaysFromJ2000(int year, int month, int day, int hour, int minute,
                                   int second = 0) noexcept;

/// Julian centuries from 1900 January 0.5:
/// (J - 2415020 + ut / 24 - 0.5) / 36525.
/// `julianDay` from JulianDayNumber; `ut` in hours, any value.
[[nodiscard]] double CenturiesFrom1900(std::int64_t julianDay, double ut) noexcept;

/// Julian centuries from J2000.0: (J - 2451545 + ut / 24 - 0.5) / 36525.
[[nodiscard]] double CenturiesFromJ2000(std::int64_t julianDay, double ut) noexcept;

/// `degrees` brought into [0, 360): bit for bit what adding 360 while it is
/// negative, then subtracting 360 while it is at least 360, one step at a
/// time, gives (the engines' arithmetic has always reduced that way), but
/// without the steps: a Moon longitude far from J2000 is over a thousand turns.
[[nodiscard]] double ReduceDegrees(double degrees) noexcept;

/// Local sidereal time in degrees:
/// 15 * (6.6460656 + 2400.0513 T + 0.0000258 T^2 + ut) - longitude, reduced
/// by subtracting 360 while it is at least 360 (a negative value stays).
/// `centuriesFrom1900` from CenturiesFrom1900 of the same moment, `ut` in
/// hours, `observerLongitude` in degrees positive West.
[[nodiscard]] double LocalSiderealDegrees(double centuriesFrom1900, double ut,
                                          double observerLongitude) noexcept;

/// Mean obliquity of the ecliptic in degrees: 23.452294 - 0.0130125 T, with
/// T from CenturiesFrom1900. No higher-order term and no nutation.
[[nodiscard]] double MeanObliquity(double centuriesFrom1900) noexcept;

/// The angle of the vector (x, y) in radians, in (-kPi, kPi]; 0 for (0, 0).
[[nodiscard]] double QuadrantAngle(double y, double x) noexcept;

/// An angle in radians reduced into [0, kTwoPi) by removing whole turns
/// (the integer part of angle / kTwoPi, toward zero).
[[nodiscard]] double ReduceTwoPi(double angle) noexcept;

/// An angle split into whole degrees, arc-minutes and arc-seconds, each part
/// truncated (never rounded).
struct TruncatedDms {
  int degrees = 0;  ///< whole degrees of the angle, >= 0
  int minutes = 0;  ///< whole arc-minutes, 0..59
  int seconds = 0;  ///< whole arc-seconds, 0..59
  friend bool operator==(const TruncatedDms&, const TruncatedDms&) = default;
};

/// Splits |degrees| into truncated degrees, minutes and seconds:
/// d = floor(x); f = 60 (x - d); m = floor(f); s = floor(60 (f - m)).
[[nodiscard]] TruncatedDms TruncateDms(double degrees) noexcept;

/// The long text of an ecliptic longitude in degrees (callers pass [0, 360)):
/// degree within the sign, "° ", minutes, "' ", seconds, "\" " and the
/// sign's three letters, all truncated, e.g. `15° 30' 0" Tau` (UTF-8,
/// U+00B0 degree sign). A longitude of exactly 30 k belongs to sign k.
[[nodiscard]] std::string SignPositionText(double longitude);

/// The numbers behind SignPositionText: the longitude itself, its sign and
/// the truncated degree within the sign and minutes, exactly as the text
/// writes them (a longitude that truncates to 360 degrees names no sign).
/// The retrograde flag is left false.
[[nodiscard]] PointPosition PointPositionOf(double longitude) noexcept;

}  // namespace zodivane
