// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/zodivane_chart/sheet_module.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>
#include <vector>

#include "ui/sheet/chart_sheet_module.h"

namespace zodivane::chart_tool {

std::optional<std::string> ExportSheetWithModule(const std::string& path, const ChartView& chart) {
  std::vector<std::filesystem::path> candidates;
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    candidates.push_back(program.parent_path() / ZODIVANE_CHART_SHEET_MODULE);
  }
  candidates.emplace_back(ZODIVANE_CHART_SHEET_MODULE_DIR "/" ZODIVANE_CHART_SHEET_MODULE);
  std::string reason = "the chart-sheet module " ZODIVANE_CHART_SHEET_MODULE " is not installed";
  for (const std::filesystem::path& candidate : candidates) {
    if (!std::filesystem::exists(candidate, error)) {
      continue;
    }
    // Kept loaded until the program ends: Qt does not unload cleanly.
    void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
      const char* why = dlerror();
      reason = why != nullptr ? why : "the chart-sheet module could not be loaded";
      continue;
    }
    const auto entry = reinterpret_cast<ChartSheetEntry>(dlsym(module, ZODIVANE_CHART_SHEET_ENTRY));
    if (entry == nullptr) {
      reason = "the chart-sheet module has no entry point";
      continue;
    }
    std::string failure;
    if (entry(&path, &chart, &failure)) {
      return std::nullopt;
    }
    return failure;
  }
  return reason;
}

}  // namespace zodivane::chart_tool
