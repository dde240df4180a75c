// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/zodivane_chart/points_output.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "aspects/aspect_report.h"
#include "common/json_escape.h"
#include "common/text_helpers.h"
#include "ephemeris/planets.h"
#include "tools/zodivane_chart/aspect_output.h"

namespace zodivane::chart_tool {
namespace {

/// Applying ones first, then by orb, then in the order found.
std::vector<NodeAspect> Sorted(std::vector<NodeAspect> aspects) {
  std::stable_sort(aspects.begin(), aspects.end(), [](const NodeAspect& a, const NodeAspect& b) {
    return std::tuple(!a.applying, a.orb) < std::tuple(!b.applying, b.orb);
  });
  return aspects;
}

}  // namespace

std::string EphemerisLine(Ephemeris ephemeris) {
  return Padded("Ephemeris:", 16) + std::string(EphemerisDisplayName(ephemeris)) + '\n';
}

std::string PointsBlock(const ChartView& view) {
  std::string text = "Further points\n";
  for (int index = 0; index < kExtraPointCount; ++index) {
    const auto point = static_cast<ExtraPoint>(index);
    text += "  " + Padded(InfoOf(point).name, 12);
    if (const std::optional<PointPosition>& position = view.extraPoints[point]) {
      text += ShortPositionTextOf(position->longitude);
    } else if (view.ephemeris == Ephemeris::BuiltIn) {
      text += "(not available with the built-in method)";
    } else {
      text += "(not available: its data file is missing)";
    }
    text += '\n';
  }
  return text;
}

std::string NodeAspectsBlock(const ChartAspects& found) {
  std::string text = "Node aspects\n";
  for (const NodeAspect& aspect : Sorted(found.nodeAspects)) {
    text += "  " + NodeAspectLine(aspect) + "\n";
  }
  if (found.nodeAspects.empty()) {
    text += "  (none)\n";
  }
  return text;
}

void AppendEphemerisMember(std::string& out, Ephemeris ephemeris) {
  out += ",\"ephemeris\":";
  AppendJsonString(out, EphemerisName(ephemeris));
}

void AppendPointsMembers(std::string& out, const ChartView& view, const ChartAspects* aspects) {
  out += ",\"points\":{";
  for (int index = 0; index < kExtraPointCount; ++index) {
    const auto point = static_cast<ExtraPoint>(index);
    if (index > 0) {
      out += ',';
    }
    AppendJsonString(out, InfoOf(point).key);
    out += ':';
    if (const std::optional<PointPosition>& position = view.extraPoints[point]) {
      out += "{\"longitude\":";
      AppendNumber(out, position->longitude);
      out += ",\"text\":";
      AppendJsonString(out, ShortPositionTextOf(position->longitude));
      out += '}';
    } else {
      out += "null";
    }
  }
  out += '}';
  if (aspects == nullptr) {
    return;
  }
  out += ",\"nodeAspects\":[";
  bool first = true;
  for (const NodeAspect& aspect : Sorted(aspects->nodeAspects)) {
    if (!first) {
      out += ',';
    }
    first = false;
    AppendAspectObject(out, InfoOf(aspect.node).name, AspectPointName(aspect.point), aspect.kind,
                       aspect.orb, aspect.applying, aspect.outOfSign);
  }
  out += ']';
}

}  // namespace zodivane::chart_tool
