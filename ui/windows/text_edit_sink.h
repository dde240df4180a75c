// SPDX-License-Identifier: GPL-3.0-or-later
// A QTextEdit as rich text: the report's styled runs written at the box's
// insertion point, and a document read back as styled runs.
#pragma once

#include <QTextCharFormat>

#include <span>
#include <string_view>
#include <vector>

#include "report/report.h"
#include "report/rtf_writer.h"

class QTextDocument;
class QTextEdit;

namespace zodivane::ui {

/// Writes into `box` at its insertion point (its text cursor), with the bold
/// attribute and colour last set. A CR LF in the text (or a lone CR or LF)
/// ends the paragraph: the box gets one paragraph break for it. The insertion
/// point moves past every inserted text.
class TextEditSink final : public RichTextSink {
 public:
  /// The insertion point starts regular and black. `box` must outlive the sink.
  explicit TextEditSink(QTextEdit& box);
  /// The insertion point starts in `start`; an empty format writes in the
  /// box's own look, with no weight or colour of its own.
  TextEditSink(QTextEdit& box, const QTextCharFormat& start);

  /// Writes `runs` in order, each with its bold attribute and colour (their
  /// font and size are the box's).
  void InsertRuns(std::span<const StyledRun> runs);

  void SetBold(bool bold) override;
  void SetColour(Rgb colour) override;
  /// `text` is UTF-8; invalid bytes show as replacement characters.
  void InsertText(std::string_view text) override;

 private:
  QTextEdit& box_;
  QTextCharFormat format_;
};

/// The styled runs of `document`, one per stretch of equal look, with CR LF
/// between paragraphs; fonts as the document's default font where a
/// stretch sets none.
[[nodiscard]] std::vector<StyledRun> DocumentRuns(const QTextDocument& document);

}  // namespace zodivane::ui
