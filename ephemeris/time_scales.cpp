#include "ephemeris/time_scales.h"

#include <array>
#include <charconv>
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

/// Days from 1970-01-01 to a proleptic Gregorian date (either sign).
[[nodiscard]] constexpr std::int64_t DaysFromCivil(std::int64_t year, int month, int day) noexcept {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = FloorDiv(year, 400);
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

struct CivilDate {
  std::int64_t year;
  int month;
  int day;
};

/// The proleptic Gregorian date `days` days after 1970-01-01.
[[nodiscard]] constexpr CivilDate CivilFromDays(std::int64_t days) noexcept {
  days += 719468;
  const std::int64_t era = FloorDiv(days, 146097);
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  return CivilDate{year, month, day};
}

/// Appends the decimal digits of `value` (a minus sign first when negative).
void AppendInteger(std::string& text, int value) {
  std::array<char, 12> digits{};  // "-2147483648" is 11 characters
  const std::to_chars_result written =
      std::to_chars(digits.data(), digits.data() + digits.size(), value);
  text.append(digits.data(), written.ptr);
}

static_assert(DaysFromCivil(1970, 1, 1) == 0);
static_assert(DaysFromCivil(2000, 3, 1) - DaysFromCivil(2000, 2, 28) == 2);
static_assert(CivilFromDays(DaysFromCivil(1900, 3, 1) - 1).day == 28);

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
  return static_cast<double>(input.hour) + static_cast<double>(input.minute) / 60.0 +
         static_cast<double>(input.toUtHours) + static_cast<double>(input.toUtMinutes) / 60.0 -
         daylightSaving;
}

CivilMoment ShiftCivilMoment(const CivilMoment& moment, int minutes) noexcept {
  const std::int64_t totalMinutes = DaysFromCivil(moment.year, moment.month, moment.day) * 1440 +
                                    moment.hour * 60 + moment.minute + minutes;
  const std::int64_t days = FloorDiv(totalMinutes, 1440);
  const std::int64_t minuteOfDay = totalMinutes - days * 1440;
  const CivilDate date = CivilFromDays(days);
  return CivilMoment{static_cast<int>(date.year), date.month, date.day,
                     static_cast<int>(minuteOfDay / 60), static_cast<int>(minuteOfDay % 60)};
}

CivilMoment CalendarUniversalTime(int year, int month, int day, int hour, int minute, int toUtHours,
                                  int toUtMinutes) noexcept {
  const CivilMoment local{year, month, day, hour, minute};
  const CivilMoment afterHours = ShiftCivilMoment(local, toUtHours * 60);
  return ShiftCivilMoment(afterHours, toUtMinutes);
}

CivilMoment PlanetUniversalMoment(const ChartInput& input) noexcept {
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

double DaysFromJ2000(int year, int month, int day, int hour, int minute) noexcept {
  const std::int64_t y = year;
  const std::int64_t wholeDays = 367 * y - FloorDiv(7 * (y + FloorDiv(month + 9, 12)), 4) +
                                 FloorDiv(275 * static_cast<std::int64_t>(month), 9) + day;
  double d = static_cast<double>(wholeDays) - 730531.5;
  d = d + (static_cast<double>(hour) + static_cast<double>(minute) / 60.0) / 24.0;
  return d;
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
  std::string text;
  text.reserve(24);  // "29° 59' 59\" Abc" is 17 bytes
  AppendInteger(text, degreeInSign);
  text += "\u00B0 ";
  AppendInteger(text, parts.minutes);
  text += "' ";
  AppendInteger(text, parts.seconds);
  text += "\" ";
  text += letters;
  return text;
}

}  // namespace zodivane
