// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart's JSON-lines protocol: one FormEntries object per input
// line, one answer object per output line, in the order of the lines.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

#include "chart/chart_driver.h"
#include "chartfile/entries_reader.h"
#include "tools/zodivane_chart/io.h"
#include "tools/zodivane_chart/place_lookup.h"

namespace zodivane::chart_tool {

/// The longest input line answered, in bytes (without its line feed). A
/// longer one is answered with an error line without being held whole.
inline constexpr std::size_t kMaxLineBytes = 64 * 1024;

/// How many of `threads` answer a batch of `lines`: by the work in them
/// (each line's cast, and reading its bytes), never more than the lines,
/// so that a few long lines run in parallel as many short ones do.
[[nodiscard]] std::size_t ThreadsForLines(std::span<const std::string_view> lines,
                                          std::size_t threads);

/// Answers lines one after another; one per thread.
class LineAnswerer {
 public:
  /// `places` answers lines with a "place" key; without it they are read
  /// like any other line.
  explicit LineAnswerer(bool withReport, PlaceBook* places = nullptr)
      : withReport_(withReport), places_(places) {}

  /// Appends the answer to one non-blank line (with its line feed) to
  /// `out`. Returns false when the answer is an error line. Never throws.
  bool Answer(std::string_view line, std::string& out);

 private:
  bool withReport_;
  PlaceBook* places_;
  ChartSession session_;
  chartfile::EntriesReader reader_;
};

/// How the JSON protocol runs.
struct JsonOptions {
  bool withReport = false;      ///< --report: each chart carries the report's text
  unsigned threads = 1;         ///< threads that cast when many lines are waiting
  PlaceBook* places = nullptr;  ///< the gazetteer for lines with a "place" key
};

/// Reads lines from `in` until its end and writes one answer line per
/// non-blank input line to `out`. Blank lines (empty or whitespace only)
/// are skipped without an answer. Answers are gathered in a buffer and
/// written whenever the tool is about to wait for more input (so a peer
/// that sends one line and waits gets its answer at once), when the buffer
/// is large, and at the end. Returns kExitFailed when any line got an error
/// line, else kExitOk. A read or write error ends the run with a message
/// on `err` and kExitFailed.
[[nodiscard]] int RunJson(InputSource& in, OutputSink& out, std::ostream& err,
                          const JsonOptions& options);

}  // namespace zodivane::chart_tool
