// SPDX-License-Identifier: GPL-3.0-or-later
// The chart sheet for programs without windows (the command-line tool).
#pragma once

#include <optional>
#include <string>

#include "chart/chart_driver.h"

namespace zodivane::ui {

/// Writes the chart sheet of `chart` to `path`, as PDF, PNG (at twice the
/// sheet's size) or SVG by its extension. When no Qt application runs, one
/// is started for the call on Qt's offscreen platform, so no display is
/// needed, and Qt's own messages are kept off the program's output. Either
/// the file is written whole or an existing file is left as it was. Returns
/// none on success, else the reason.
[[nodiscard]] std::optional<std::string> ExportChartSheetHeadless(const std::string& path,
                                                                  const ChartView& chart);

}  // namespace zodivane::ui
