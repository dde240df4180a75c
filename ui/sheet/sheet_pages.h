// SPDX-License-Identifier: GPL-3.0-or-later
// The files of a sheet of pages (the chart sheet, the synastry sheet): a
// PDF with a page for each, or PNG and SVG with the pages one under the
// other, every page drawn by the sheet's own function.
#pragma once

#include <QByteArray>
#include <QRectF>
#include <QString>

#include <functional>

#include "ui/sheet/chart_sheet.h"

class QPainter;

namespace zodivane::ui {

/// A sheet as its files need it.
struct SheetPages {
  int count = 1;  ///< pages, at least 1
  /// Draws page `index` (from 0) into `page` (the painter's coordinates),
  /// scaled to fit kSheetSize with its proportions kept.
  std::function<void(QPainter& painter, const QRectF& page, int index)> draw;
  QString title;        ///< the PDF's and SVG's title
  QString description;  ///< the SVG's description
};

/// The whole file of `sheet` in `format`: PDF (A4, no margins) and SVG as
/// vector drawings with real text, PNG at `pngScale` times kSheetSize on
/// white; empty when it could not be drawn.
[[nodiscard]] QByteArray RenderSheetPages(const SheetPages& sheet, SheetFormat format,
                                          double pngScale);

}  // namespace zodivane::ui
