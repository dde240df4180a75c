// SPDX-License-Identifier: GPL-3.0-or-later
// The chart sheet as a loadable module for the command-line tool: the tool
// loads it (and with it Qt) only when --export-chart asks for a sheet, so
// every other run starts without Qt.
#include <optional>
#include <string>

#include "ui/sheet/chart_sheet_headless.h"
#include "ui/sheet/chart_sheet_module.h"

extern "C" __attribute__((visibility("default"))) bool zodivane_export_chart_sheet(
    const std::string* path, const zodivane::ChartView* chart, std::string* reason) {
  const std::optional<std::string> failure = zodivane::ui::ExportChartSheetHeadless(*path, *chart);
  if (failure) {
    *reason = *failure;
    return false;
  }
  return true;
}
