// SPDX-License-Identifier: GPL-3.0-or-later
// Birth records for the ephemeris tests, written as the form would fill them.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "common/birth_record.h"

namespace zodivane::test {

/// A birth as entered: local date and clock time, the signed correction to
/// UT of the chosen zone (a zone listed "-5.0" gives +5, "+5.5" gives -5 and
/// -30), the place and the daylight-saving tick.
struct Birth {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 12;
  int minute = 0;
  int toUtHours = 0;
  int toUtMinutes = 0;
  int lonDegrees = 0;
  int lonMinutes = 0;
  bool east = false;
  int latDegrees = 0;
  int latMinutes = 0;
  bool south = false;
  bool dst = false;
};

/// 15 June 1980, 10:30 Indian Time (+5:30) at 28°37' N, 77°13' E: a
/// reference birth of the Ascendant and Moon tables.
inline constexpr Birth kDelhi1980{.year = 1980,
                                  .month = 6,
                                  .day = 15,
                                  .hour = 10,
                                  .minute = 30,
                                  .toUtHours = -5,
                                  .toUtMinutes = -30,
                                  .lonDegrees = 77,
                                  .lonMinutes = 13,
                                  .east = true,
                                  .latDegrees = 28,
                                  .latMinutes = 37};

[[nodiscard]] inline ChartInput MakeInput(const Birth& birth) {
  const auto i16 = [](int value) { return static_cast<std::int16_t>(value); };
  ChartInput input;
  input.year = i16(birth.year);
  input.month = i16(birth.month);
  input.day = i16(birth.day);
  input.hour = i16(birth.hour);
  input.minute = i16(birth.minute);
  input.toUtHours = i16(birth.toUtHours);
  input.toUtMinutes = i16(birth.toUtMinutes);
  input.zoneHours = i16(std::abs(birth.toUtHours));
  input.zoneMinutes = i16(std::abs(birth.toUtMinutes));
  input.lonDegrees = i16(birth.lonDegrees);
  input.lonMinutes = i16(birth.lonMinutes);
  input.isEast = Flag16::Of(birth.east);
  input.latDegrees = i16(birth.latDegrees);
  input.latMinutes = i16(birth.latMinutes);
  input.isSouth = Flag16::Of(birth.south);
  input.dst = Flag16::Of(birth.dst);
  return input;
}

}  // namespace zodivane::test
