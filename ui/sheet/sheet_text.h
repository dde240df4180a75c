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

}  // namespace zodivane::ui
