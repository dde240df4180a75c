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

/// The Ascendant's longitude and the long text made from it.
struct AscendantPosition {
  std::string text;      ///< as ComputeAscendant writes it
  double longitude = 0;  ///< degrees, the number the text was made from
};

[[nodiscard]] AscendantPosition ComputeAscendantPosition(const ChartInput& input);

struct MoonPosition {
  std::string moonText;      ///< long position text, e.g. `13° 18' 57" Sco` (UTF-8)
  std::string moonSignName;  ///< full name of the Moon's sign, e.g. "Scorpio"
  double longitude = 0;      ///< degrees, the number the text was made from
};

[[nodiscard]] MoonPosition ComputeMoon(const ChartInput& input);

/// The Sun and the planets of the birth moment, assembled with the Moon's and
/// the Ascendant's texts (from the two engines above, same chart) into the
/// eleven short position texts.
[[nodiscard]] PositionTable ComputePlanets(const ChartInput& input, const std::string& moonText,
                                           const std::string& ascendantText);

/// The eleven short position texts and the longitudes they were made from.
struct ChartPositions {
  PositionTable texts;        ///< as ComputePlanets writes them
  LongitudeTable longitudes;  ///< indexed by ChartPoint
};

/// The eleven longitudes alone, indexed by ChartPoint, computed as
/// ComputePositions computes them but without writing any text.
[[nodiscard]] LongitudeTable ComputeLongitudes(const ChartInput& input);

/// ComputePlanets with the numbers beside the texts: the Moon's and the
/// Ascendant's longitudes are taken from the same positions as their texts.
[[nodiscard]] ChartPositions ComputePositions(const ChartInput& input, const MoonPosition& moon,
                                              const AscendantPosition& ascendant);

}  // namespace zodivane
