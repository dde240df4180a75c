// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's further points and the engine that cast it, as zodivane-chart
// writes them: lines of text and members of a JSON answer.
#pragma once

#include <string>

#include "chart/chart_aspects.h"
#include "chart/chart_driver.h"

namespace zodivane::chart_tool {

/// "Ephemeris:      Swiss Ephemeris (precise)" and a line feed, as a line
/// of the chart's details.
[[nodiscard]] std::string EphemerisLine(Ephemeris ephemeris);

/// The block "Further points": one line per point with its short position
/// text ("24 Vir 23"), or why it is not available.
[[nodiscard]] std::string PointsBlock(const ChartView& view);

/// The block "Node aspects": the nodes' aspects, applying ones first, then by orb.
[[nodiscard]] std::string NodeAspectsBlock(const ChartAspects& found);

/// ,"ephemeris":"swiss"
void AppendEphemerisMember(std::string& out, Ephemeris ephemeris);

/// ,"points":{"mc":{"longitude":...,"text":"24 Vir 23"},...,"chiron":null}
/// and, with `aspects`, ,"nodeAspects":[{"a" (the node),"b","aspect",
/// "angle","orb","applying","outOfSign"}] in the order of NodeAspectsBlock.
void AppendPointsMembers(std::string& out, const ChartView& view, const ChartAspects* aspects);

}  // namespace zodivane::chart_tool
