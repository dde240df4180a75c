// SPDX-License-Identifier: GPL-3.0-or-later
// A second person's chart read from a chart file and cast, for synastry:
// what the command line's --compare and the program's Compare With read.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "aspects/aspects.h"
#include "chart/chart_driver.h"
#include "common/ephemeris_choice.h"

namespace zodivane::chartfile {

/// The other chart of a comparison.
struct ComparedChart {
  ChartView view;       ///< as the results would show it (its name, positions, wheel)
  AspectPoints points;  ///< as the aspect search reads it (AspectPointsOf), for SynastryAspects
  FormEntries entries;  ///< the file's entries, as cast
  /// The place the file's zone was chosen for, if any: what its zone is
  /// checked against.
  std::optional<ChosenPlace> place;
};

/// Reads the chart file's `bytes` and casts its chart with `engine` (the
/// engine of the chart it is compared with, so that both sets of positions
/// come from the same method, whatever the file names): the chart, or the
/// message saying what is wrong with the file or why the chart was refused.
[[nodiscard]] std::variant<ComparedChart, std::string> CastComparedChart(std::string_view bytes,
                                                                         Ephemeris engine);

}  // namespace zodivane::chartfile
