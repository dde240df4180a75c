// SPDX-License-Identifier: GPL-3.0-or-later
// Writes styled text as a Rich Text Format document.
#pragma once

#include <span>
#include <string>

#include "report/report.h"

namespace zodivane {

/// A piece of text with one style.
struct StyledRun {
  std::string text;  ///< UTF-8; CR LF (or a lone LF) is a paragraph break
  bool bold = false;
  Rgb colour{};
  std::string fontName = "Verdana";
  double pointSize = 8.25;
};

/// The runs as an RTF document. Every character that RTF treats specially
/// (\, {, }) and every non-ASCII character is escaped, so no text can carry
/// control words into the document.
///
/// Each run is its own group with font, size, bold and colour. Sizes are
/// written in half-points, rounded to the nearest with halves up, so the
/// report's 8.25 pt becomes \fs17 (8.5 pt). Non-ASCII characters are written
/// as one group each, {\uN\'xx} for Latin-1 letters and {\uN?} otherwise
/// (N the signed 16-bit UTF-16 unit, surrogate pairs above U+FFFF); invalid
/// UTF-8 becomes U+FFFD; CR LF, LF and CR become \par; a tab becomes \tab
/// and other control characters are dropped.
[[nodiscard]] std::string WriteRtf(std::span<const StyledRun> runs);

}  // namespace zodivane
