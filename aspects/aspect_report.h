// SPDX-License-Identifier: GPL-3.0-or-later
// The report's optional section "Aspects": one paragraph for each major
// aspect of the chart, applying aspects first, then by orb.
#pragma once

#include <string>
#include <vector>

#include "aspects/aspects.h"
#include "report/report.h"

namespace zodivane {

/// The heading of the section.
inline constexpr std::string_view kAspectSectionHeading = "Aspects";

/// A point's name as the aspect texts spell it ("Ascendant" for the
/// Ascendant).
[[nodiscard]] std::string_view AspectPointName(ChartPoint point) noexcept;

/// An aspect as a short line: "Sun square Moon, orb 2°14', applying"
/// (UTF-8), with ", out of sign" when it is.
[[nodiscard]] std::string AspectLine(const Aspect& aspect);

/// The same line for a node's aspect: "Mean Node trine Sun, orb 1°02', applying".
[[nodiscard]] std::string NodeAspectLine(const NodeAspect& aspect);

/// A pattern as a short line: "T-square: Sun, Moon, Mars" or "stellium in
/// Aries: Sun, Mercury, Venus".
[[nodiscard]] std::string PatternLine(const Pattern& pattern);

/// Writes the section after the planet-in-sign report (which ends without a
/// line break): the heading, then for each major aspect among `aspects` a
/// heading line and a paragraph made of the aspect's nature and the pair's
/// theme. Minor aspects are left out.
void WriteAspectReport(std::vector<Aspect> aspects, RichTextSink& box);

}  // namespace zodivane
