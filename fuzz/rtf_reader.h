// SPDX-License-Identifier: GPL-3.0-or-later
// A small reader for the RTF documents that WriteRtf makes: the font and
// colour tables and one group per run. It knows only the control words the
// writer uses and says what it did not understand, so that a round trip
// through it shows whether the writer's escaping holds.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/report.h"

namespace zodivane::fuzz {

/// One run group as read back.
struct ReadRun {
  std::size_t font = 0;    ///< index into ReadDocument::fonts (\fN)
  long halfPoints = 0;     ///< \fsN
  bool bold = false;       ///< \b or \b0
  std::size_t colour = 0;  ///< index into ReadDocument::colours (\cfN; 0 is automatic)
  std::u32string text;     ///< \par as U+000A, \tab as U+0009
};

struct ReadDocument {
  std::vector<std::u32string> fonts;
  std::vector<Rgb> colours;  ///< index 0 is the reader's automatic colour (\cf0)
  std::vector<ReadRun> runs;
};

/// The document, or nullopt with `why` set when it is not one the writer
/// could have made (unbalanced groups, an unknown control word, text
/// outside a run, a broken \u pair).
[[nodiscard]] std::optional<ReadDocument> ReadRtf(std::string_view rtf, std::string& why);

}  // namespace zodivane::fuzz
