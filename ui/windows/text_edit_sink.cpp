// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/text_edit_sink.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace zodivane::ui {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

zodivane::Rgb ToRgb(const QColor& colour) {
  return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
          static_cast<std::uint8_t>(colour.blue())};
}

/// The run of `text` in `format`, over the document's default font.
zodivane::StyledRun Run(const QString& text, const QTextCharFormat& format,
                        const QFont& defaultFont) {
  const QFont font = format.font().resolve(defaultFont);
  zodivane::StyledRun run;
  QString plain = text;
  plain.replace(QChar::LineSeparator, kCrLf);
  run.text = plain.toStdString();
  run.bold = font.weight() >= QFont::Bold;
  run.colour = format.hasProperty(QTextFormat::ForegroundBrush) ? ToRgb(format.foreground().color())
                                                                : zodivane::Rgb{};
  run.fontName = font.family().toStdString();
  run.pointSize = font.pointSizeF() > 0 ? font.pointSizeF() : defaultFont.pointSizeF();
  return run;
}

bool SameLook(const zodivane::StyledRun& a, const zodivane::StyledRun& b) {
  return a.bold == b.bold && a.colour == b.colour && a.fontName == b.fontName &&
         a.pointSize == b.pointSize;
}

void Append(std::vector<zodivane::StyledRun>& runs, zodivane::StyledRun run) {
  if (!runs.empty() && SameLook(runs.back(), run)) {
    runs.back().text += run.text;
  } else {
    runs.push_back(std::move(run));
  }
}

}  // namespace

TextEditSink::TextEditSink(QTextEdit& box) : box_(box) {
  format_.setFontWeight(QFont::Normal);
  format_.setForeground(QColor(0, 0, 0));
}

TextEditSink::TextEditSink(QTextEdit& box, const QTextCharFormat& start)
    : box_(box), format_(start) {}

void TextEditSink::InsertRuns(std::span<const StyledRun> runs) {
  for (const StyledRun& run : runs) {
    SetBold(run.bold);
    SetColour(run.colour);
    InsertText(run.text);
  }
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

std::vector<zodivane::StyledRun> DocumentRuns(const QTextDocument& document) {
  std::vector<zodivane::StyledRun> runs;
  const QFont defaultFont = document.defaultFont();
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      Append(runs, Run(fragment.text(), fragment.charFormat(), defaultFont));
    }
    if (block.next().isValid()) {
      Append(runs, Run(kCrLf, block.charFormat(), defaultFont));
    }
  }
  return runs;
}

}  // namespace zodivane::ui
