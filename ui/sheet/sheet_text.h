// SPDX-License-Identifier: GPL-3.0-or-later
// What every sheet draws its text and rules with: the sheet's font, a line
// of text cut to its box, and the two colours of ink.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>
#include <QString>

#include <algorithm>
#include <string>

#include "ui/look/look_geometry.h"

namespace zodivane::ui {

/// Black, for the sheets' text.
inline const QColor kSheetInk{0, 0, 0};
/// The wheel drawing's brown, for the sheets' rules.
inline const QColor kSheetRule{110, 75, 51};

/// Verdana (DejaVu Sans where it is missing) at `pixels` sheet units.
[[nodiscard]] inline QFont SheetFont(int pixels, bool bold = false) {
  QFont font = look::VerdanaFamily();
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

/// Draws `text` on one line in `box`, cut with "…" where it does not fit.
inline void DrawSheetLine(QPainter& painter, const QRectF& box, const QString& text,
                          const QFont& font, const QColor& colour,
                          Qt::Alignment alignment = Qt::AlignLeft) {
  painter.setFont(font);
  painter.setPen(colour);
  const QString shown = QFontMetricsF(font).elidedText(text, Qt::ElideRight, box.width());
  painter.drawText(box, static_cast<int>(alignment | Qt::AlignVCenter) | Qt::TextSingleLine, shown);
}

/// Draws `text` in `box`, wrapped at word boundaries onto as many lines as
/// the box holds; returns the height the text took.
inline double DrawSheetWrapped(QPainter& painter, const QRectF& box, const QString& text,
                               const QFont& font, const QColor& colour) {
  painter.setFont(font);
  painter.setPen(colour);
  const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
  const QRectF needed = QFontMetricsF(font).boundingRect(box, flags, text);
  const double height = std::min(box.height(), std::max(needed.height(), 0.0));
  painter.drawText(QRectF(box.left(), box.top(), box.width(), height), flags, text);
  return height;
}

/// A chart's zone warning as every sheet shows it: "⚠ " and the text in
/// red, wrapped in `box`; returns the height it took, none for no warning.
inline double DrawSheetWarning(QPainter& painter, const QRectF& box, const std::string& warning) {
  if (warning.empty()) {
    return 0;
  }
  return DrawSheetWrapped(painter, box, QStringLiteral("\u26A0 ") + QString::fromStdString(warning),
                          SheetFont(10, true), look::colours::kRed);
}

/// The height DrawSheetWarning takes for `warning` in a box `width` wide.
[[nodiscard]] inline double SheetWarningHeight(double width, const std::string& warning) {
  if (warning.empty()) {
    return 0;
  }
  const QRectF needed =
      QFontMetricsF(SheetFont(10, true))
          .boundingRect(QRectF(0, 0, width, 1000), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                        QStringLiteral("\u26A0 ") + QString::fromStdString(warning));
  return needed.height();
}

}  // namespace zodivane::ui
