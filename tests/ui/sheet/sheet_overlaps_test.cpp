// SPDX-License-Identifier: GPL-3.0-or-later
// Every page of the chart, transit and synastry sheets, with an aspect of
// every kind at its widest orb between the points of the longest names: no
// text is cut short ("sesquiquadr…"), no text's ink covers another's, and no
// line (a grid's cell, a cusp, a ring's edge, the key's) runs through a
// text's ink. Proven from what the sheets draw, recorded by a paint device.
#include <gtest/gtest.h>

#include <QPainter>

#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "chart/chart_driver.h"
#include "tests/support/sample_entries.h"
#include "tests/ui/support/text_recorder.h"
#include "transits/transits.h"
#include "ui/sheet/aspect_marks.h"
#include "ui/sheet/bi_wheel.h"
#include "ui/sheet/chart_sheet.h"
#include "ui/sheet/synastry_sheet.h"
#include "ui/sheet/transit_sheet.h"

namespace zodivane::ui {
namespace {

using testing::DrawnLine;
using testing::DrawnText;
using testing::TextRecordingDevice;

ChartView Cast(FormEntries entries, const char* name) {
  entries.txtName = name;
  ChartSession session;
  return std::get<ChartView>(session.CastChart(entries));
}

/// Pairs of points with long names, one for each kind of aspect.
const std::pair<ChartPoint, ChartPoint> kPairs[] = {
    {ChartPoint::Mercury, ChartPoint::Ascendant}, {ChartPoint::Jupiter, ChartPoint::Ascendant},
    {ChartPoint::Neptune, ChartPoint::Ascendant}, {ChartPoint::Mercury, ChartPoint::Neptune},
    {ChartPoint::Jupiter, ChartPoint::Neptune},   {ChartPoint::Mercury, ChartPoint::Jupiter},
    {ChartPoint::Saturn, ChartPoint::Neptune},    {ChartPoint::Uranus, ChartPoint::Ascendant},
    {ChartPoint::Mercury, ChartPoint::Saturn},    {ChartPoint::Saturn, ChartPoint::Ascendant},
    {ChartPoint::Jupiter, ChartPoint::Saturn},
};
static_assert(std::size(kPairs) == kAspectKindCount);

/// An aspect of each kind at the widest orb a list writes ("10°59'").
std::vector<Aspect> EveryKind() {
  std::vector<Aspect> aspects;
  for (int kind = 0; kind < kAspectKindCount; ++kind) {
    const auto& [a, b] = kPairs[kind];
    aspects.push_back({a, b, static_cast<AspectKind>(kind), 0, 10.99, kind % 2 == 0, false});
  }
  return aspects;
}

std::vector<CrossAspect> EveryKindAcross() {
  std::vector<CrossAspect> aspects;
  for (const Aspect& aspect : EveryKind()) {
    aspects.push_back({static_cast<std::size_t>(aspect.a), static_cast<std::size_t>(aspect.b),
                       aspect.kind, 0, aspect.orb, aspect.applying, false});
  }
  return aspects;
}

/// Checks one page as drawn by `draw`.
template <typename Draw>
void ExpectNothingCutOrCovered(const std::string& page, Draw draw) {
  SCOPED_TRACE(page);
  TextRecordingDevice device(kSheetSize.toSize());
  {
    QPainter painter(&device);
    draw(painter, QRectF(QPointF(0, 0), kSheetSize));
  }
  const std::vector<DrawnText>& texts = device.Texts();
  ASSERT_FALSE(texts.empty());
  for (std::size_t a = 0; a < texts.size(); ++a) {
    const DrawnText& text = texts[a];
    EXPECT_FALSE(text.text.contains(QChar(0x2026))) << "cut: " << text.text.toStdString();
    for (std::size_t b = a + 1; b < texts.size(); ++b) {
      const QRectF overlap = text.inkBox.intersected(texts[b].inkBox);
      EXPECT_TRUE(overlap.width() < 1.0 || overlap.height() < 1.0)
          << text.text.toStdString() << " / " << texts[b].text.toStdString();
    }
    for (const DrawnLine& line : device.Lines()) {
      EXPECT_FALSE(testing::Crosses(line.line, text.inkBox))
          << text.text.toStdString() << " crossed by the line from (" << line.line.p1().x() << ", "
          << line.line.p1().y() << ") to (" << line.line.p2().x() << ", " << line.line.p2().y()
          << ")";
    }
  }
}

TEST(SheetOverlaps, ChartSheet) {
  ChartView chart = Cast(test::DelhiEntries(), "ASHA MEHRA");
  ChartSession session;
  session.CastChart(test::DelhiEntries());
  // The chart's own patterns beside the made-up aspects.
  chart.aspects = ChartAspects{EveryKind(), session.Aspects(DefaultAspectSettings()).patterns, {}};
  for (int page = 0; page < SheetPageCount(chart); ++page) {
    ExpectNothingCutOrCovered("chart sheet, page " + std::to_string(page + 1),
                              [&](QPainter& painter, const QRectF& target) {
                                DrawChartSheetPage(painter, target, chart, page);
                              });
  }
}

TEST(SheetOverlaps, TransitSheet) {
  TransitSheet sheet;
  sheet.wheel.inner = Cast(test::DelhiEntries(), "ASHA MEHRA");
  sheet.natal = NatalPointsOf(sheet.wheel.inner.points);
  sheet.aspects = EveryKindAcross();
  sheet.wheel.outer = OuterBodiesOfChart(Cast(test::London1985Entries(), "B").points);
  sheet.wheel.outer.pop_back();  // the sky has no Ascendant
  sheet.wheel.lines = sheet.aspects;
  sheet.localMoment = QStringLiteral("10 December 2026, 09:30");
  sheet.zone = QStringLiteral("CET, UT+1:00");
  sheet.universalTime = QStringLiteral("10 December 2026, 08:30 UT");
  sheet.engine = QStringLiteral("built-in method");
  ExpectNothingCutOrCovered("transit sheet", [&](QPainter& painter, const QRectF& target) {
    DrawTransitSheet(painter, target, sheet);
  });
}

TEST(SheetOverlaps, SynastrySheet) {
  SynastrySheet sheet;
  sheet.first = Cast(test::DelhiEntries(), "ASHA MEHRA");
  sheet.second = Cast(test::London1985Entries(), "RAVI MEHRA");
  sheet.aspects = EveryKindAcross();
  for (int page = 0; page < kSynastrySheetPages; ++page) {
    ExpectNothingCutOrCovered("synastry sheet, page " + std::to_string(page + 1),
                              [&](QPainter& painter, const QRectF& target) {
                                DrawSynastrySheetPage(painter, target, sheet, page);
                              });
  }
}

}  // namespace
}  // namespace zodivane::ui
