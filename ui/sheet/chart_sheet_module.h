// SPDX-License-Identifier: GPL-3.0-or-later
// The entry point of the chart-sheet module (libzodivane-chart-sheet.so).
#pragma once

#include <string>

#include "chart/chart_driver.h"

/// The module's file name.
#define ZODIVANE_CHART_SHEET_MODULE "libzodivane-chart-sheet.so"
/// The name of its entry point, a ChartSheetEntry.
#define ZODIVANE_CHART_SHEET_ENTRY "zodivane_export_chart_sheet"

/// Writes the sheet of `chart` to `path` (see ExportChartSheetHeadless);
/// false with `reason` set when it could not.
using ChartSheetEntry = bool (*)(const std::string* path, const zodivane::ChartView* chart,
                                 std::string* reason);
