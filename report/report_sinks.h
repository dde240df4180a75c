// SPDX-License-Identifier: GPL-3.0-or-later
// Rich-text sinks that need no window: one that keeps only the characters
// and one that keeps every inserted text with its style.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "report/report.h"
#include "report/rtf_writer.h"

namespace zodivane {

/// Keeps the inserted characters and drops bold and colour, as a rich-text
/// box's plain text reads.
class PlainTextSink final : public RichTextSink {
 public:
  void SetBold(bool) override {}
  void SetColour(Rgb) override {}
  void InsertText(std::string_view text) override { text_ += text; }

  /// Everything inserted so far, line breaks as inserted (CR LF).
  [[nodiscard]] const std::string& Text() const noexcept { return text_; }

 private:
  std::string text_;
};

/// Records one StyledRun per InsertText, with the bold attribute and colour
/// set before it; the runs can go straight to WriteRtf.
class StyledRunRecorder final : public RichTextSink {
 public:
  /// `fontName` and `pointSize` (points, > 0) are given to every run.
  explicit StyledRunRecorder(std::string fontName = "Verdana", double pointSize = 8.25)
      : fontName_(std::move(fontName)), pointSize_(pointSize) {}

  void SetBold(bool bold) override { bold_ = bold; }
  void SetColour(Rgb colour) override { colour_ = colour; }
  void InsertText(std::string_view text) override {
    runs_.push_back({std::string(text), bold_, colour_, fontName_, pointSize_});
  }

  /// The runs in insertion order.
  [[nodiscard]] const std::vector<StyledRun>& Runs() const noexcept { return runs_; }

 private:
  std::string fontName_;
  double pointSize_;
  bool bold_ = false;  ///< attribute of the insertion point; starts off
  Rgb colour_{};       ///< colour of the insertion point; starts black
  std::vector<StyledRun> runs_;
};

}  // namespace zodivane
