#include "ui/text_edit_sink.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QTextCursor>
#include <QTextEdit>

namespace zodivane::ui {

TextEditSink::TextEditSink(QTextEdit& box) : box_(box) {
  format_.setFontWeight(QFont::Normal);
  format_.setForeground(QColor(0, 0, 0));
}

void TextEditSink::SetBold(bool bold) {
  format_.setFontWeight(bold ? QFont::Bold : QFont::Normal);
}

void TextEditSink::SetColour(Rgb colour) {
  format_.setForeground(QColor(colour.red, colour.green, colour.blue));
}

void TextEditSink::InsertText(std::string_view text) {
  QTextCursor cursor = box_.textCursor();
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    const std::string_view piece =
        text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (!piece.empty()) {
      cursor.insertText(QString::fromUtf8(piece.data(), static_cast<qsizetype>(piece.size())),
                        format_);
    }
    if (end == std::string_view::npos) {
      break;
    }
    cursor.insertBlock(cursor.blockFormat(), format_);
    // CR LF is one line break.
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
      ++start;
    }
  }
  box_.setTextCursor(cursor);
}

}  // namespace zodivane::ui
