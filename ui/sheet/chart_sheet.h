// SPDX-License-Identifier: GPL-3.0-or-later
// The chart sheet: a page with the person's details, the three signs, the
// eleven positions with their retrograde marks and the natal wheel, and,
// when the chart brings its aspects, their lines in the wheel and a second
// page with the aspect grid, the patterns and the list; drawn with a
// QPainter on any device (screen image, PDF, SVG, printer). Needs a
// QGuiApplication for fonts, but no window.
#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <array>
#include <optional>

#include "chart/chart_driver.h"
#include "ui/sheet/sheet_files.h"

class QPainter;

namespace zodivane::ui {

/// The sheet's own page: A4 upright in pixels at 96 to the inch. Everything
/// on the sheet is laid out in these units and scaled to the target.
inline constexpr QSizeF kSheetSize{794.0, 1123.0};

/// Draws the first page of the sheet of `chart` into `page` (the painter's
/// coordinates), scaled to fit with its proportions kept and centred.
void DrawChartSheet(QPainter& painter, const QRectF& page, const ChartView& chart);

/// How many pages the sheet of `chart` has: two when it brings its aspects.
[[nodiscard]] int SheetPageCount(const ChartView& chart) noexcept;

/// Draws page `index` (from 0) of the sheet as DrawChartSheet draws the first.
void DrawChartSheetPage(QPainter& painter, const QRectF& page, const ChartView& chart, int index);

/// The whole file of the sheet in `format`: PDF and SVG as vector drawings
/// with real text, PNG at `pngScale` times kSheetSize on white. A PDF has a
/// page for each page of the sheet; a PNG or SVG holds the pages one under
/// the other.
[[nodiscard]] QByteArray RenderChartSheet(const ChartView& chart, SheetFormat format,
                                          double pngScale = kDefaultPngScale);

/// The sheet's pages for RenderSheetPages, WriteSheetPages and printing;
/// `chart` must outlive them.
[[nodiscard]] SheetPages ChartSheetPages(const ChartView& chart);

/// Writes the sheet to `path` in the format of its extension. Either the
/// whole file is written or an existing file is left as it was. Returns none
/// on success, else the reason, ready to show.
[[nodiscard]] std::optional<QString> WriteChartSheet(const QString& path, const ChartView& chart,
                                                     double pngScale = kDefaultPngScale);

/// A file name for the sheet made from the person's name, with the
/// extension of `format`: characters no file name may hold become "_", and
/// an empty name gives "chart".
[[nodiscard]] QString SuggestedSheetFileName(const ChartView& chart, SheetFormat format);

}  // namespace zodivane::ui
