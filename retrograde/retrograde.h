// SPDX-License-Identifier: GPL-3.0-or-later
// Whether Mercury to Saturn were retrograde on the birth date, looked up in
// the station tables, and the wheel names marked " (R) " accordingly.
#pragma once

#include <string_view>

#include "common/birth_record.h"
#include "common/vocabulary.h"

namespace zodivane {

/// A local calendar date and clock time as entered (no zone correction).
struct BirthMoment {
  int month = 1;  ///< 1..12
  int day = 1;    ///< 1..31
  int year = 1901;
  int hour = 0;
  int minute = 0;
};

/// True when the birth date lies strictly between the calendar dates of a
/// retrograde station and its direct station of `planetName` ("Mercury",
/// "Venus", "Mars", "Jupiter" or "Saturn"); false for any other name.
[[nodiscard]] bool IsRetrograde(const BirthMoment& birth, std::string_view planetName);

/// Which of the seven wheel bodies, Sun to Saturn, are retrograde on the
/// birth date of `input`.
[[nodiscard]] RetrogradeFlags RetrogradeFlagsOf(const ChartInput& input);

/// The seven wheel names "Sun" to "Saturn", each retrograde planet followed
/// by " (R) ".
[[nodiscard]] WheelNames MarkRetrogrades(const RetrogradeFlags& retrograde);

/// MarkRetrogrades for the birth date of `input`.
[[nodiscard]] WheelNames MarkRetrogrades(const ChartInput& input);

}  // namespace zodivane
