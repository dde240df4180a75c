// The rich-text sink of a QTextEdit: the report's styled runs written at the
// box's insertion point.
#pragma once

#include <QTextCharFormat>

#include <string_view>

#include "report/report.h"

class QTextEdit;

namespace zodivane::ui {

/// Writes into `box` at its insertion point (its text cursor), with the bold
/// attribute and colour last set. A CR LF in the text (or a lone CR or LF)
/// ends the paragraph: the box gets one paragraph break for it. The insertion
/// point starts regular and black and moves past every inserted text.
class TextEditSink final : public RichTextSink {
 public:
  /// `box` must outlive the sink.
  explicit TextEditSink(QTextEdit& box);

  void SetBold(bool bold) override;
  void SetColour(Rgb colour) override;
  /// `text` is UTF-8; invalid bytes show as replacement characters.
  void InsertText(std::string_view text) override;

 private:
  QTextEdit& box_;
  QTextCharFormat format_;
};

}  // namespace zodivane::ui
