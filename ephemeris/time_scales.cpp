// SPDX-License-Identifier: GPL-3.0-or-later
#include "ephemeris/time_scales.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>

namespace zodivane {

namespace {

/// Floor division of integers (rounds toward minus infinity).
[[nodiscard]] constexpr std::int64_t FloorDiv(std::int64_t numerator,
                                              std::int64_t denominator) noexcept {
  std::int64_t quotient = numerator / denominator;
  if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0))) {
    --quotient;
  }
  return quotient;
}

/// Copies as much of `text` to `out` as fits before `last`; returns the end
/// of the copy.
char* AppendText(char* out, char* last, std::string_view text) noexcept {
  for (const char character : text) {
    if (out == last) {
      break;
    }
    *out++ = character;
  }
  return out;
}

}  // namespace

double ObserverLongitude(const ChartInput& input) noexcept {
  const double magnitude =
      static_cast<double>(input.lonDegrees) + static_cast<double>(input.lonMinutes) / 60.0;
  // A zero longitude stays +0 whatever the hemisphere flag says.
  return (input.isEast.IsSet() && magnitude != 0.0) ? -magnitude : magnitude;
}

double ObserverLatitude(const ChartInput& input) noexcept {
  const double magnitude =
      static_cast<double>(input.latDegrees) + static_cast<double>(input.latMinutes) / 60.0;
  return (input.isSouth.IsSet() && magnitude != 0.0) ? -magnitude : magnitude;
}

double UniversalTimeHours(const ChartInput& input) noexcept {
  const double daylightSaving = input.dst.IsSet() ? 1.0 : 0.0;
  if (input.exactUtOffsetSeconds) {
    return static_cast<double>(input.hour) + static_cast<double>(input.minute) / 60.0 -
           static_cast<double>(*input.exactUtOffsetSeconds) / 3600.0 - daylightSaving;
  }
  return static_cast<double>(input.hour) + static_cast<double>(input.minute) / 60.0 +
         static_cast<double>(input.toUtHours) + static_cast<double>(input.toUtMinutes) / 60.0 -
         daylightSaving;
}

CivilMoment ShiftCivilMomentSeconds(const CivilMoment& moment, std::int32_t seconds) noexcept {
  namespace chrono = std::chrono;
  const chrono::sys_days date{chrono::year{moment.year} /
                              chrono::month{static_cast<unsigned>(moment.month)} /
                              chrono::day{static_cast<unsigned>(moment.day)}};
  const chrono::sys_seconds shifted = date + chrono::hours{moment.hour} +
                                      chrono::minutes{moment.minute} +
                                      chrono::seconds{moment.second} + chrono::seconds{seconds};
  const chrono::sys_days day = chrono::floor<chrono::days>(shifted);
  const chrono::year_month_day civil{day};
  const chrono::hh_mm_ss clock{shifted - day};
  return CivilMoment{static_cast<int>(civil.year()),
                     static_cast<int>(unsigned{civil.month()}),
                     static_cast<int>(unsigned{civil.day()}),
                     static_cast<int>(clock.hours().count()),
                     static_cast<int>(clock.minutes().count()),
                     static_cast<int>(clock.seconds().count())};
}

CivilMoment ShiftCivilMoment(const CivilMoment& moment, int minutes) noexcept {
  return ShiftCivilMomentSeconds(moment, minutes * 60);
}

CivilMoment CalendarUniversalTime(int year, int month, int day, int hour, int minute, int toUtHours,
                                  int toUtMinutes) noexcept {
  const CivilMoment local{year, month, day, hour, minute};
  const CivilMoment afterHours = ShiftCivilMoment(local, toUtHours * 60);
  return ShiftCivilMoment(afterHours, toUtMinutes);
}

CivilMoment PlanetUniversalMoment(const ChartInput& input) noexcept {
  if (input.exactUtOffsetSeconds) {
    const CivilMoment local{input.year, input.month, input.day, input.hour, input.minute};
    const CivilMoment ut = ShiftCivilMomentSeconds(local, -*input.exactUtOffsetSeconds);
    return input.dst.IsSet() ? ShiftCivilMoment(ut, -60) : ut;
  }
  const CivilMoment ut = CalendarUniversalTime(input.year, input.month, input.day, input.hour,
                                               input.minute, input.toUtHours, input.toUtMinutes);
  return input.dst.IsSet() ? ShiftCivilMoment(ut, -60) : ut;
}

std::int64_t JulianDayNumber(int month, int day, int year) noexcept {
  const std::int64_t m = 12 * (static_cast<std::int64_t>(year) + 4800) + month - 3;
  const std::int64_t mMod12 = m - 12 * FloorDiv(m, 12);
  std::int64_t j = day + FloorDiv(365 * m + 7 + 2 * mMod12, 12) + FloorDiv(m, 48) - 32083;
  if (j > 2299171) {
    j = j + FloorDiv(m, 4800) - FloorDiv(m, 1200) + 38;
  }
  return j;
}

double DaysFromJ2000(int year, int month, int day, int hour, int minute, int second) noexcept {
  const std::int64_t y = year;
  const std::int64_t wholeDays = 367 * y - FloorDiv(7 * (y + FloorDiv(month + 9, 12)), 4) +
                                 FloorDiv(275 * static_cast<std::int64_t>(month), 9) + day;
  double d = static_cast<double>(wholeDays) - 730531.5;
  d = d + (static_cast<double>(hour) + static_cast<double>(minute) / 60.0 +
           static_cast<double>(second) / 3600.0) /
              24.0;
  return d;
}

double ReduceDegrees(double degrees) noexcept {
  // Stepping by 360 is exact while the value stays at least 360 away from
  // zero (360 is a multiple of the spacing of doubles that large, and each
  // step shrinks the magnitude), so all those steps together are the exact
  // remainder that std::fmod returns. Only the last step from [-360, 0)
  // up into [0, 360] can round, and it is taken as before.
  if (degrees < 0.0) {
    const double remainder = std::fmod(degrees, 360.0);  // exact, in (-360, 0]
    // A whole number of turns below zero steps up to +0, never -0.
    degrees = remainder < 0.0 ? remainder + 360.0 : 0.0;
  }
  if (degrees >= 360.0) {
    degrees = std::fmod(degrees, 360.0);  // exact, in [0, 360)
  }
  return degrees;
}

double CenturiesFrom1900(std::int64_t julianDay, double ut) noexcept {
  return (static_cast<double>(julianDay - 2415020) + ut / 24.0 - 0.5) / 36525.0;
}

double CenturiesFromJ2000(std::int64_t julianDay, double ut) noexcept {
  return (static_cast<double>(julianDay - 2451545) + ut / 24.0 - 0.5) / 36525.0;
}

double LocalSiderealDegrees(double centuriesFrom1900, double ut,
                            double observerLongitude) noexcept {
  const double t = centuriesFrom1900;
  const double greenwichHours = 6.6460656 + 2400.0513 * t + 0.0000258 * (t * t) + ut;
  double local = 15.0 * greenwichHours - observerLongitude;
  while (local >= 360.0) {
    local -= 360.0;
  }
  return local;
}

double MeanObliquity(double centuriesFrom1900) noexcept {
  return 23.452294 - 0.0130125 * centuriesFrom1900;
}

double QuadrantAngle(double y, double x) noexcept {
  if (x > 0.0) {
    return std::atan(y / x);
  }
  if (x < 0.0) {
    const double reference = kPi - std::atan(std::fabs(y / x));
    return y >= 0.0 ? reference : -reference;
  }
  if (y > 0.0) {
    return kPi / 2.0;
  }
  if (y < 0.0) {
    return -kPi / 2.0;
  }
  return 0.0;
}

double ReduceTwoPi(double angle) noexcept {
  const double turns = angle / kTwoPi;
  double reduced = kTwoPi * (turns - std::trunc(turns));
  if (reduced < 0.0) {
    reduced += kTwoPi;
  }
  return reduced;
}

TruncatedDms TruncateDms(double degrees) noexcept {
  const double x = std::fabs(degrees);
  const double whole = std::floor(x);
  const double minutesWithFraction = 60.0 * (x - whole);
  const double minutes = std::floor(minutesWithFraction);
  const double seconds = std::floor(60.0 * (minutesWithFraction - minutes));
  return TruncatedDms{static_cast<int>(whole), static_cast<int>(minutes),
                      static_cast<int>(seconds)};
}

std::string SignPositionText(double longitude) {
  const TruncatedDms parts = TruncateDms(longitude);
  const int sign = parts.degrees / 30;
  int degreeInSign = parts.degrees;
  while (degreeInSign >= 30) {
    degreeInSign -= 30;
  }
  // Sign k owns three characters of the joined abbreviations; past Pisces
  // there are no characters left, so an unreduced longitude names no sign.
  const std::string_view letters =
      sign < kSignCount ? SignAbbreviations.substr(static_cast<std::size_t>(3 * sign), 3)
                        : std::string_view{};
  // Written into a fixed buffer and copied into the string once: three
  // integers of at most 11 characters, 7 bytes of separators and 3 letters.
  std::array<char, 48> buffer{};
  char* const last = buffer.data() + buffer.size();
  char* end = std::to_chars(buffer.data(), last, degreeInSign).ptr;
  end = AppendText(end, last, "\u00B0 ");
  end = std::to_chars(end, last, parts.minutes).ptr;
  end = AppendText(end, last, "' ");
  end = std::to_chars(end, last, parts.seconds).ptr;
  end = AppendText(end, last, "\" ");
  end = AppendText(end, last, letters);
  return std::string(buffer.data(), end);
}

PointPosition PointPositionOf(double longitude) noexcept {
  const TruncatedDms parts = TruncateDms(longitude);
  const int sign = parts.degrees / 30;
  PointPosition position;
  position.longitude = longitude;
  if (sign < kSignCount) {
    position.sign = sign;
  }
  position.degree = parts.degrees % 30;
  position.minute = parts.minutes;
  return position;
}

}  // namespace zodivane
