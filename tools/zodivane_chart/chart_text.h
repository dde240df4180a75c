// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart's texts for people: the chart, the zone list and the report.
#pragma once

#include <string>

#include "chart/chart_driver.h"

namespace zodivane::chart_tool {

/// The chart as readable text: details, signs, the eleven positions and
/// the wheel by house. Lines end in "\n".
[[nodiscard]] std::string ChartText(const ChartView& view, const ChartSession& session);

/// The time-zone list, one "position  text" line per row.
[[nodiscard]] std::string ZoneListText();

/// The report of the session's last chart as plain text (CR LF kept), with
/// `aspects` its section "Aspects" after the planet-in-sign paragraphs.
[[nodiscard]] std::string ReportPlainText(ChartSession& session,
                                          const ChartAspects* aspects = nullptr);

/// The report of the session's last chart as an RTF document (bold and
/// colours kept, Verdana 8.25), with `aspects` its section "Aspects".
[[nodiscard]] std::string ReportRtf(ChartSession& session, const ChartAspects* aspects = nullptr);

}  // namespace zodivane::chart_tool
