// SPDX-License-Identifier: GPL-3.0-or-later
// The Ascendant: the point of the ecliptic rising on the eastern horizon,
// from classical local sidereal time, the mean obliquity and the standard
// Ascendant formula with an explicit quadrant rule that keeps the eastern
// intersection at every latitude, beyond the polar circles too. Tropical zodiac.
#pragma once

#include "common/birth_record.h"

namespace zodivane {

/// The Ascendant's ecliptic longitude in degrees, [0, 360), for a birth: UT
/// from UniversalTimeHours, carried from the local calendar date; latitude
/// and longitude from the birth record.
[[nodiscard]] double AscendantLongitude(const ChartInput& input) noexcept;

}  // namespace zodivane
