// SPDX-License-Identifier: GPL-3.0-or-later
// The planet-in-sign report: ten sections written as styled runs into a
// rich-text sink.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/vocabulary.h"

namespace zodivane {

/// A colour as red, green, blue.
struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend constexpr bool operator==(Rgb, Rgb) = default;
};

/// Where the report is written: a rich-text box with an insertion point.
/// The report sets bold, then colour, then inserts each run's text (UTF-8;
/// line breaks are CR LF).
class RichTextSink {
 public:
  virtual ~RichTextSink() = default;
  virtual void SetBold(bool bold) = 0;
  virtual void SetColour(Rgb colour) = 0;
  virtual void InsertText(std::string_view text) = 0;
};

/// What the report found for one body. Kept for the whole run of the
/// program: a field changes only when the report finds a match for it.
struct PlanetPlacement {
  std::string signName;
  std::string paragraph;
  std::string keywords;
  std::string element;
  std::string ruler;
  friend bool operator==(const PlanetPlacement&, const PlanetPlacement&) = default;
};

inline constexpr int kReportPlanetCount = 10;  ///< Sun to Pluto
using PlanetPlacements = std::array<PlanetPlacement, kReportPlanetCount>;

/// Updates `records` from entries 0..9 of `positions` and writes the 110
/// runs of the report into `box`.
void WritePlanetInSignReport(const PositionTable& positions, PlanetPlacements& records,
                             RichTextSink& box);

}  // namespace zodivane
