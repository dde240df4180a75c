// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart: see tools/zodivane_chart/tool.h and --help.
#include <unistd.h>

#include <csignal>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "tools/zodivane_chart/io.h"
#include "tools/zodivane_chart/tool.h"
#ifdef ZODIVANE_CHART_SHEET
#include "tools/zodivane_chart/sheet_module.h"
#endif

int main(int argc, char** argv) {
  try {
    std::ios::sync_with_stdio(false);
    // A write beyond a file-size limit fails with a reason instead of
    // ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    zodivane::chart_tool::FdInput in(STDIN_FILENO, "standard input");
    zodivane::chart_tool::FdOutput out(STDOUT_FILENO, "standard output");
    zodivane::chart_tool::SheetExporter exportSheet;
#ifdef ZODIVANE_CHART_SHEET
    exportSheet = zodivane::chart_tool::ExportSheetWithModule;
#endif
    return zodivane::chart_tool::Run(args, in, out, std::cerr, exportSheet);
  } catch (const std::exception& error) {
    std::cerr << "zodivane-chart: " << error.what() << '\n';
    return zodivane::chart_tool::kExitFailed;
  }
}
