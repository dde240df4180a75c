// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart run in the test's own process: the arguments and standard
// input in, the exit status and both outputs back.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "tools/zodivane_chart/io.h"
#include "tools/zodivane_chart/tool.h"

namespace zodivane::chart_tool {

/// What one run of the tool answered.
struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

/// Runs the tool with `args` (without the program name) on `input`.
[[nodiscard]] inline ToolRun RunTool(const std::vector<std::string>& args,
                                     const std::string& input = "") {
  StringInput in(input);
  StringOutput out;
  std::ostringstream err;
  ToolRun run;
  run.status = Run(args, in, out, err);
  run.out = out.Text();
  run.err = err.str();
  return run;
}

}  // namespace zodivane::chart_tool
