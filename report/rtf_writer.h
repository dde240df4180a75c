// Writes styled text as a Rich Text Format document.
#pragma once

#include <span>
#include <string>

#include "report/report.h"

namespace zodivane {

/// A piece of text with one style.
struct StyledRun {
  std::string text;                  ///< UTF-8; CR LF (or a lone LF) is a paragraph break
  bool bold = false;
  Rgb colour{};
  std::string fontName = "Verdana";
  double pointSize = 8.25;
};

/// The runs as an RTF document. Every character that RTF treats specially
/// (\, {, }) and every non-ASCII character is escaped, so no text can carry
/// control words into the document.
[[nodiscard]] std::string WriteRtf(std::span<const StyledRun> runs);

}  // namespace zodivane
