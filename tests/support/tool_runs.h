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

/// The sample birth (Asha Mehra, New Delhi, 5 March 1980, 07:05) as flags.
inline const std::vector<std::string> kAshaFlags{
    "--name", "Asha Mehra", "--date", "1980-03-05", "--time", "07:05",
    "--zone", "34",         "--lat",  "28N38",      "--lon",  "77E12",
};

/// `args` followed by `extra`.
[[nodiscard]] inline std::vector<std::string> With(std::vector<std::string> args,
                                                   const std::vector<std::string>& extra) {
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

}  // namespace zodivane::chart_tool
