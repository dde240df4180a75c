// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/compared_chart.h"

#include "chart/chart_aspects.h"
#include "chartfile/chart_file.h"

namespace zodivane::chartfile {

std::variant<ComparedChart, std::string> CastComparedChart(std::string_view bytes,
                                                           Ephemeris engine) {
  auto read = ReadChartFile(bytes);
  if (auto* message = std::get_if<std::string>(&read)) {
    return std::move(*message);
  }
  ChartFile& file = std::get<ChartFile>(read);
  ChartSession other;
  CastResult cast = other.CastChart(file.entries, engine);
  if (const auto* rejection = std::get_if<Rejection>(&cast)) {
    return rejection->notice.message;
  }
  return ComparedChart{std::get<ChartView>(std::move(cast)),
                       AspectPointsOf(other.chartInput(), other.points(), engine),
                       std::move(file.entries), std::move(file.place)};
}

}  // namespace zodivane::chartfile
