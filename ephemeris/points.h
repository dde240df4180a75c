// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's further points by the built-in method: the Midheaven, from
// the same sidereal time and obliquity as the Ascendant, and the Moon's
// mean ascending node.
#pragma once

#include <optional>

#include "common/birth_record.h"
#include "common/extra_points.h"

namespace zodivane {

/// The Midheaven (MC): the ecliptic longitude culminating on the meridian,
/// in degrees [0, 360). tan MC = tan RAMC / cos e, in RAMC's quadrant, with
/// the RAMC and mean obliquity the Ascendant engine uses for the record.
[[nodiscard]] double MidheavenLongitude(const ChartInput& input) noexcept;

/// The longitude of the Moon's mean ascending node of the date, in degrees
/// [0, 360) (Meeus, Astronomical Algorithms, 2nd ed., eq. 47.7):
/// 125.0445479 - 1934.1362891 T + 0.0020754 T^2 + T^3 / 467441 - T^4 / 60616000,
/// T in Julian centuries from J2000 (UT stands for TT: the node moves
/// 0.05" a minute, far below the texts' minute).
[[nodiscard]] double MeanNodeLongitude(const ChartInput& input) noexcept;

/// MeanNodeLongitude for T Julian centuries from J2000.
[[nodiscard]] double MeanNodeAt(double centuriesFromJ2000) noexcept;

/// The further points from their longitudes in degrees [0, 360): the IC
/// and the Descendant opposite the Midheaven and the Ascendant; a point
/// given as none stays none.
[[nodiscard]] ChartPoints ChartPointsOf(double midheavenDeg, double ascendantDeg,
                                        double meanNodeDeg, std::optional<double> trueNodeDeg,
                                        std::optional<double> chironDeg) noexcept;

/// The further points by the built-in method: MidheavenLongitude and
/// MeanNodeLongitude of the record, the Descendant opposite
/// `ascendantDeg` (the Ascendant engine's longitude of the same record);
/// no true node and no Chiron.
[[nodiscard]] ChartPoints BuiltInChartPoints(const ChartInput& input, double ascendantDeg) noexcept;

}  // namespace zodivane
