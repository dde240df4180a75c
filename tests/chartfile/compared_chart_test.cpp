// SPDX-License-Identifier: GPL-3.0-or-later
// The other chart of a comparison: cast from its file as the input form
// casts the same entries, by the engine asked for; a bad file or a refused
// chart gives its message.
#include "chartfile/compared_chart.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "chart/chart_aspects.h"
#include "chartfile/chart_file.h"
#include "tests/support/sample_entries.h"

namespace zodivane::chartfile {
namespace {

TEST(ComparedChart, IsTheChartOfTheFileByTheEngineAskedFor) {
  const FormEntries entries = test::London1985Entries();
  ChartFile file{entries, {}, {}};
  file.ephemeris = Ephemeris::Swiss;  // the file's own choice is not read
  const auto compared = CastComparedChart(WriteChartFile(file), Ephemeris::BuiltIn);
  ASSERT_TRUE(std::holds_alternative<ComparedChart>(compared));
  const ComparedChart& chart = std::get<ComparedChart>(compared);

  ChartSession session;
  const CastResult cast = session.CastChart(entries, Ephemeris::BuiltIn);
  ASSERT_TRUE(std::holds_alternative<ChartView>(cast));
  EXPECT_EQ(chart.view, std::get<ChartView>(cast));
  const AspectPoints points = AspectPointsOf(session.chartInput(), session.points());
  for (int point = 0; point < kChartPointCount; ++point) {
    SCOPED_TRACE(point);
    const auto i = static_cast<std::size_t>(point);
    EXPECT_EQ(chart.points[i].longitude, points[i].longitude);
    EXPECT_EQ(chart.points[i].dailyMotion, points[i].dailyMotion);
    EXPECT_EQ(chart.points[i].sign, points[i].sign);
  }
}

TEST(ComparedChart, ABadFileOrARefusedChartGivesItsMessage) {
  FormEntries refused = test::London1985Entries();
  refused.txtLatD = "95";
  struct Row {
    std::string what;
    std::string bytes;
  };
  const Row rows[] = {
      {"not JSON", "{ not json"},
      {"no chart file", "[1, 2]"},
      {"a latitude out of range", WriteChartFile(ChartFile{refused, {}, {}})},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const auto compared = CastComparedChart(row.bytes, Ephemeris::BuiltIn);
    ASSERT_TRUE(std::holds_alternative<std::string>(compared));
    EXPECT_FALSE(std::get<std::string>(compared).empty());
  }
}

}  // namespace
}  // namespace zodivane::chartfile
