// SPDX-License-Identifier: GPL-3.0-or-later
// JSON string literals written straight into an output buffer: the answers of
// zodivane-chart, the entry reader's messages. The bytes are those of nlohmann::json's dump
// with ensure_ascii off and invalid UTF-8 replaced: '"', '\\', \b \t \n \f \r and the other control
// characters escaped (\u00xx, lower-case hex), every other valid character copied as it is, and
// each invalid sequence (the longest start of a well-formed one, or a byte that starts none)
// written as one U+FFFD.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace zodivane {

/// Appends `text` to `out` as a JSON string literal, quotes included.
void AppendJsonString(std::string& out, std::string_view text);

/// Writes one JSON string literal from pieces, as AppendJsonString writes
/// their concatenation: a character split between two pieces is joined.
class JsonStringWriter {
 public:
  /// Writes the opening quote.
  explicit JsonStringWriter(std::string& out);
  JsonStringWriter(const JsonStringWriter&) = delete;
  JsonStringWriter& operator=(const JsonStringWriter&) = delete;
  ~JsonStringWriter() = default;

  void Append(std::string_view piece);
  /// Ends the literal: an unfinished character becomes U+FFFD, then the
  /// closing quote.
  void Finish();

 private:
  /// Escapes `text` whole; a well-formed start of a character cut off by
  /// the end of `text` is kept back for the next piece.
  void Escape(std::string_view text);

  std::string& out_;
  std::array<char, 4> pending_{};  ///< the start of a character cut off at the end of a piece
  std::size_t pendingSize_ = 0;
};

}  // namespace zodivane
