// SPDX-License-Identifier: GPL-3.0-or-later
// The transit sheet: one page with the natal chart's details, the moment of
// the transits, the bi-wheel (the natal wheel inside, the sky of the moment
// around it) and the list of the transiting bodies' aspects to the natal
// points; drawn with a QPainter on any device and written as the chart
// sheet is (PDF, PNG, SVG).
#pragma once

#include <QString>

#include <optional>
#include <vector>

#include "transits/transits.h"
#include "ui/sheet/bi_wheel.h"
#include "ui/sheet/sheet_files.h"

class QPainter;

namespace zodivane::ui {

/// What the transit sheet shows.
struct TransitSheet {
  /// The natal chart inside, the sky of the moment outside, the aspects as lines.
  BiWheelView wheel;
  /// The natal points the aspects name by `second` (NatalPointsOf).
  std::vector<NatalPoint> natal;
  /// The aspects, `first` the transiting body (ChartPoint index), `second`
  /// the natal point.
  std::vector<CrossAspect> aspects;
  QString localMoment;    ///< the moment on the user's clock: "10 December 2026, 09:30"
  QString zone;           ///< the user's zone at that moment: "CET, UT+1:00"
  QString universalTime;  ///< the moment in UT: "10 December 2026, 08:30 UT"
  QString engine;         ///< the engine that placed the bodies: "built-in method"
};

/// How a transit reads aloud and on the sheet: "Transiting Mars square natal
/// Sun, orb 1 degree 12 minutes, applying" (", out of sign" added when it is).
[[nodiscard]] QString TransitSpeech(const CrossAspect& aspect,
                                    const std::vector<NatalPoint>& natal);

/// The aspects in the order the window and the sheet list them: by orb,
/// the closest first (ties keep their order).
[[nodiscard]] std::vector<CrossAspect> TransitsByOrb(std::vector<CrossAspect> aspects);

/// Draws the sheet into `page` (the painter's coordinates), scaled to fit
/// with its proportions kept and centred.
void DrawTransitSheet(QPainter& painter, const QRectF& page, const TransitSheet& sheet);

/// The sheet's pages for RenderSheetPages and WriteSheetPages; `sheet`
/// must outlive them.
[[nodiscard]] SheetPages TransitSheetPages(const TransitSheet& sheet);

/// Writes the sheet to `path` in the format of its extension, whole or not
/// at all. None on success, else the reason, ready to show.
[[nodiscard]] std::optional<QString> WriteTransitSheet(const QString& path,
                                                       const TransitSheet& sheet,
                                                       double pngScale = kDefaultPngScale);

/// A file name for the sheet: the person's name as the chart sheet makes
/// it, "-transits-" and the date of the moment on the user's clock
/// ("ASHA MEHRA-transits-2026-12-10.pdf").
[[nodiscard]] QString SuggestedTransitSheetFileName(const TransitSheet& sheet, const QDate& date,
                                                    SheetFormat format);

}  // namespace zodivane::ui
