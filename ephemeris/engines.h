// SPDX-License-Identifier: GPL-3.0-or-later
// The three ephemeris engines as the chart driver runs them, in this order:
// Ascendant, Moon, planets. Each is a function of the birth record.
#pragma once

#include <string>

#include "common/birth_record.h"
#include "common/vocabulary.h"

namespace zodivane {

/// The Ascendant's long position text, e.g. `24° 17' 52" Ari` (UTF-8).
[[nodiscard]] std::string ComputeAscendant(const ChartInput& input);

struct MoonPosition {
  std::string moonText;      ///< long position text, e.g. `13° 18' 57" Sco` (UTF-8)
  std::string moonSignName;  ///< full name of the Moon's sign, e.g. "Scorpio"
};

[[nodiscard]] MoonPosition ComputeMoon(const ChartInput& input);

/// The Sun and the planets of the birth moment, assembled with the Moon's and
/// the Ascendant's texts (from the two engines above, same chart) into the
/// eleven short position texts.
[[nodiscard]] PositionTable ComputePlanets(const ChartInput& input, const std::string& moonText,
                                           const std::string& ascendantText);

}  // namespace zodivane
