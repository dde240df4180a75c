// SPDX-License-Identifier: GPL-3.0-or-later
// The files a sheet is written to: PDF with a page for each of its pages,
// PNG and SVG with the pages one under the other, each written whole or not
// at all. The chart sheet and the transit sheet share them.
#pragma once

#include <QByteArray>
#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <optional>

namespace zodivane::ui {

enum class SheetFormat { Pdf, Png, Svg };

/// The format named by `path`'s extension (.pdf, .png, .svg, any letter
/// case); none for any other name.
[[nodiscard]] std::optional<SheetFormat> SheetFormatOfPath(const QString& path);

/// The file name extension of `format`: ".pdf", ".png" or ".svg".
[[nodiscard]] QString SheetFileExtension(SheetFormat format);

/// PNG pictures are this many times the sheet's size in pixels unless asked
/// otherwise: 1588 x 2246.
inline constexpr double kDefaultPngScale = 2.0;

/// A sheet of pages, each drawn by `draw` into the page's box.
struct SheetPages {
  QSizeF pageSize;      ///< a page in sheet units (pixels at 96 to the inch), A4 upright
  int count = 1;        ///< pages
  QString title;        ///< the document's title (PDF, SVG)
  QString description;  ///< the SVG's description
  /// Draws page `index` (from 0) into `page` (the painter's coordinates),
  /// scaled to fit.
  std::function<void(QPainter& painter, const QRectF& page, int index)> draw;
};

/// The whole file of `pages` in `format`: PDF and SVG as vector drawings
/// with real text, PNG at `pngScale` times the pages' size on white. A PDF
/// has a page for each page; a PNG or SVG holds the pages one under the
/// other. Empty when it could not be drawn.
[[nodiscard]] QByteArray RenderSheetPages(const SheetPages& pages, SheetFormat format,
                                          double pngScale = kDefaultPngScale);

/// Writes `pages` to `path` in the format of its extension ("-": a PDF to
/// standard output). Either the whole file is written or an existing file
/// is left as it was. Returns none on success, else the reason, ready to
/// show.
[[nodiscard]] std::optional<QString> WriteSheetPages(const QString& path, const SheetPages& pages,
                                                     double pngScale = kDefaultPngScale);

}  // namespace zodivane::ui
