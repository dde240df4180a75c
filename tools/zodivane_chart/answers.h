// SPDX-License-Identifier: GPL-3.0-or-later
// The answer lines of zodivane-chart's JSON protocol, written straight into
// an output buffer: one JSON object and a line feed per answer.
#pragma once

#include <string>
#include <string_view>

#include "chart/chart_driver.h"

namespace zodivane::chart_tool {

/// A cast chart: the view, the engines' long texts and wheel names from
/// `session`, and with `withReport` the report's plain text.
void AppendChartAnswer(std::string& out, const ChartView& view, ChartSession& session,
                       bool withReport);

/// A rejected cast: {"rejected":{"message":...,"icon":...,"focus":...}}.
void AppendRejectionAnswer(std::string& out, const Rejection& rejection);

/// A line that could not be answered: {"error":...}.
void AppendErrorAnswer(std::string& out, std::string_view message);

}  // namespace zodivane::chart_tool
