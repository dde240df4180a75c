// SPDX-License-Identifier: GPL-3.0-or-later
// The synastry sheet: two persons' charts compared on paper. The first page
// holds both persons' details, the bi-wheel (the first chart inside, the
// second around it, the aspects between them across the middle) and both
// sets of positions; the second the aspects between them by orb. Written
// in the formats of the chart sheet (PDF, PNG, SVG) and printed like it.
#pragma once

#include <QByteArray>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

#include "aspects/aspects.h"
#include "chart/chart_driver.h"
#include "ui/sheet/bi_wheel.h"
#include "ui/sheet/chart_sheet.h"

class QPainter;

namespace zodivane::ui {

/// What the synastry sheet shows.
struct SynastrySheet {
  ChartView first;   ///< inside the bi-wheel; its points are each aspect's `first`
  ChartView second;  ///< around it; its points are each aspect's `second`
  /// The aspects between them (SynastryAspects): ChartPoint indices.
  std::vector<CrossAspect> aspects;
};

/// A person's birth as the synastry window and sheet show it: the date,
/// the clock time as the rest of the program writes it, the zone and the
/// UT: "5 March 1980, 07:05, IST, UT+5:30 = 01:35 UT" (the UT's date too
/// when it falls on another day: "= 4 March 1980, 20:35 UT").
[[nodiscard]] QString SynastryBirthText(const ChartView& chart);

/// True when both charts are the same birth (the same moment and place):
/// a chart compared with itself.
[[nodiscard]] bool SameBirth(const ChartView& first, const ChartView& second);

/// The bi-wheel of a comparison: the first chart inside, the second's
/// points around it, the aspects between them as lines.
[[nodiscard]] BiWheelView SynastryBiWheel(const SynastrySheet& sheet);

/// The sheet's pages: the charts, and the aspects.
inline constexpr int kSynastrySheetPages = 2;

/// Draws page `index` (from 0) of the sheet into `page` (the painter's
/// coordinates), scaled to fit with its proportions kept and centred.
void DrawSynastrySheetPage(QPainter& painter, const QRectF& page, const SynastrySheet& sheet,
                           int index);

/// The whole file of the sheet in `format`, as RenderChartSheet makes the
/// chart sheet's.
[[nodiscard]] QByteArray RenderSynastrySheet(const SynastrySheet& sheet, SheetFormat format,
                                             double pngScale = kDefaultPngScale);

/// Writes the sheet to `path` in the format of its extension, whole or not
/// at all. None on success, else the reason, ready to show.
[[nodiscard]] std::optional<QString> WriteSynastrySheet(const QString& path,
                                                        const SynastrySheet& sheet,
                                                        double pngScale = kDefaultPngScale);

/// A file name for the sheet made from both names: "ASHA and RAVI.pdf".
[[nodiscard]] QString SuggestedSynastryFileName(const SynastrySheet& sheet, SheetFormat format);

}  // namespace zodivane::ui
