// SPDX-License-Identifier: GPL-3.0-or-later
// The answer lines of zodivane-chart's JSON protocol, written straight into
// an output buffer: one JSON object and a line feed per answer.
#pragma once

#include <string>
#include <string_view>

#include "chart/chart_driver.h"
#include "chart/sensitivity_text.h"
#include "tools/zodivane_chart/place_lookup.h"

namespace zodivane::chart_tool {

/// The place the finder chose for a line and the entries cast with it: the
/// answer's last member, "zone" (AppendZoneMember).
struct AnswerZone {
  const PlaceChoice& choice;
  const FormEntries& entries;
};

/// A cast chart: the view, the engines' long texts and wheel names from
/// `session`, with `withReport` the report's plain text, with
/// `withSensitivity` the birth-time sensitivity of the chart
/// (AppendSensitivityObject), with `aspects` the aspects and patterns
/// (AppendAspectMembers) and the report's section "Aspects", and with
/// `zone` the chosen place's zone. `clock`, when the zone came from a
/// chosen place, words the sensitivity's times in the place's own clock
/// time. With `withEphemeris` the answer names the engine ("ephemeris"),
/// with `withPoints` it holds the further points ("points") and, with
/// `aspects`, the nodes' aspects ("nodeAspects").
void AppendChartAnswer(std::string& out, const ChartView& view, ChartSession& session,
                       bool withReport, bool withSensitivity = false,
                       const PlaceClock* clock = nullptr, const AnswerZone* zone = nullptr,
                       const ChartAspects* aspects = nullptr, bool withEphemeris = false,
                       bool withPoints = false);

/// A rejected cast: {"rejected":{"message":...,"icon":...,"focus":...}},
/// with `zone` also the chosen place's zone.
void AppendRejectionAnswer(std::string& out, const Rejection& rejection,
                           const AnswerZone* zone = nullptr);

/// A line that could not be answered: {"error":...}.
void AppendErrorAnswer(std::string& out, std::string_view message);

}  // namespace zodivane::chart_tool
