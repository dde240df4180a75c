// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart: see tools/zodivane_chart/tool.h and --help.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "tools/zodivane_chart/tool.h"

int main(int argc, char** argv) {
  try {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return zodivane::chart_tool::Run(args, std::cin, std::cout, std::cerr);
  } catch (const std::exception& error) {
    std::cerr << "zodivane-chart: " << error.what() << '\n';
    return zodivane::chart_tool::kExitFailed;
  }
}
