// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart: charts from the command line. Two ways in: a JSON-lines
// protocol for scripts (one FormEntries object per input line, one answer
// object per output line) and a form of flags for people. Everything runs
// through ChartSession exactly as the input form's Proceed does.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "chart/chart_driver.h"
#include "tools/zodivane_chart/io.h"

namespace zodivane::chart_tool {

/// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
/// A form rejection, a refused key, a failed JSON line or an unwritable file.
inline constexpr int kExitFailed = 1;
/// A command line the tool cannot understand (unknown flag, missing value,
/// malformed value or a value outside the form's lists).
inline constexpr int kExitUsage = 2;

/// The text --help prints.
[[nodiscard]] std::string_view HelpText() noexcept;

/// The line --version prints: the program's name and version.
[[nodiscard]] std::string VersionText();

/// Writes the chart sheet of a cast chart to the file `path` names
/// (--export-chart); none on success, else the reason. The program's main
/// supplies it: the sheet is drawn with Qt, which this library does not use.
using SheetExporter =
    std::function<std::optional<std::string>(const std::string& path, const ChartView& chart)>;

/// The whole tool: reads `args` (without the program name), works on
/// `in`/`out`/`err` and returns the exit status. Without `exportSheet`,
/// --export-chart fails with a message.
[[nodiscard]] int Run(std::span<const std::string> args, InputSource& in, OutputSink& out,
                      std::ostream& err, const SheetExporter& exportSheet = {});

}  // namespace zodivane::chart_tool
