// SPDX-License-Identifier: GPL-3.0-or-later
// --export-chart's drawing, loaded from the chart-sheet module on first use.
#pragma once

#include <optional>
#include <string>

#include "chart/chart_driver.h"

namespace zodivane::chart_tool {

/// Loads the chart-sheet module (beside the program, else where it is
/// installed) and writes the sheet of `chart` to `path` with it. None on
/// success, else the reason (a module that cannot be loaded included).
[[nodiscard]] std::optional<std::string> ExportSheetWithModule(const std::string& path,
                                                               const ChartView& chart);

}  // namespace zodivane::chart_tool
