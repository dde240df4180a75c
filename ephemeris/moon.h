// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's geocentric ecliptic longitude from a truncated lunar series:
// the mean longitude plus the 25 largest periodic terms of the longitude,
// referred to the mean equinox of date (no nutation).
#pragma once

#include <array>

#include "common/birth_record.h"

namespace zodivane {

/// One periodic term of the Moon's longitude: coefficient *
/// sin(d D + m M + m' M' + f F) degrees, times the eccentricity factor E
/// when |m| is 1.
struct MoonLongitudeTerm {
  int d;               ///< multiple of the mean elongation D
  int m;               ///< multiple of the Sun's mean anomaly M
  int mPrime;          ///< multiple of the Moon's mean anomaly M'
  int f;               ///< multiple of the argument of latitude F
  double coefficient;  ///< degrees
  bool timesE;         ///< the term is multiplied by E
};

inline constexpr int kMoonLongitudeTermCount = 25;

// clang-format off
/// The terms in the order they are summed.
inline constexpr auto kMoonLongitudeTerms = std::to_array<MoonLongitudeTerm>({
    {0,  0,  1,  0, +6.288774, false},
    {2,  0, -1,  0, +1.274027, false},
    {2,  0,  0,  0, +0.658314, false},
    {0,  0,  2,  0, +0.213618, false},
    {0,  1,  0,  0, -0.185116, true},
    {0,  0,  0,  2, -0.114332, false},
    {2,  0, -2,  0, +0.058793, false},
    {2, -1, -1,  0, +0.057066, true},
    {2,  0,  1,  0, +0.053322, false},
    {2, -1,  0,  0, +0.045758, true},
    {0,  1, -1,  0, -0.040923, true},
    {1,  0,  0,  0, -0.034720, false},
    {0,  1,  1,  0, -0.030383, true},
    {2,  0,  0, -2, +0.015327, false},
    {0,  0,  1,  2, -0.012528, false},
    {0,  0,  1, -2, +0.010980, false},
    {4,  0, -1,  0, +0.010675, false},
    {0,  0,  3,  0, +0.010034, false},
    {4,  0, -2,  0, +0.008548, false},
    {2,  1, -1,  0, -0.007888, true},
    {2,  1,  0,  0, -0.006766, true},
    {1,  0, -1,  0, -0.005163, false},
    {1,  1,  0,  0, +0.004987, true},
    {2, -1,  1,  0, +0.004036, true},
    {2,  0,  2,  0, +0.003994, false},
});
// clang-format on
static_assert(kMoonLongitudeTerms.size() == kMoonLongitudeTermCount);

/// The Moon's geocentric ecliptic longitude in degrees, [0, 360), at
/// `centuries` Julian centuries from J2000.0 (UT taken as the time scale).
[[nodiscard]] double MoonLongitudeAt(double centuries) noexcept;

/// The Moon's longitude in degrees, [0, 360), for a birth: UT from
/// UniversalTimeHours, carried from the local calendar date.
[[nodiscard]] double MoonLongitude(const ChartInput& input) noexcept;

}  // namespace zodivane
