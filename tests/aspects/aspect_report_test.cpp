// SPDX-License-Identifier: GPL-3.0-or-later
#include "aspects/aspect_report.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "aspects/aspect_texts.h"
#include "report/report_sinks.h"

namespace zodivane {
namespace {

// Every pair of points has its own sentence, in plain ASCII like the rest
// of the report, and every major aspect its paragraph.
TEST(AspectTexts, EveryPairAndEveryMajorAspectHasItsOwnWords) {
  std::set<std::string_view> sentences;
  for (int a = 0; a < kChartPointCount; ++a) {
    for (int b = 0; b < kChartPointCount; ++b) {
      if (a == b) {
        continue;
      }
      const std::string_view text =
          PairThemeText(static_cast<ChartPoint>(a), static_cast<ChartPoint>(b));
      SCOPED_TRACE(std::to_string(a) + " " + std::to_string(b));
      ASSERT_FALSE(text.empty());
      EXPECT_EQ(text, PairThemeText(static_cast<ChartPoint>(b), static_cast<ChartPoint>(a)));
      for (const char c : text) {
        EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "not plain ASCII: " << text;
      }
      EXPECT_TRUE(text.ends_with('.'));
      sentences.insert(text);
    }
  }
  EXPECT_EQ(sentences.size(), static_cast<std::size_t>(kPointPairCount));
  EXPECT_TRUE(PairThemeText(ChartPoint::Sun, ChartPoint::Sun).empty());
  for (int kind = 0; kind < kAspectKindCount; ++kind) {
    EXPECT_EQ(AspectNatureText(static_cast<AspectKind>(kind)).empty(), kind >= kMajorAspectCount);
  }
}

// The section: its heading after three line breaks, then the major aspects,
// applying ones first and each group by orb, each a heading line and one
// paragraph of the aspect's nature and the pair's theme; minor aspects are
// left out and the section ends without a line break.
TEST(WriteAspectReport, ApplyingFirstThenByOrbMajorOnly) {
  const std::vector<Aspect> aspects{
      {ChartPoint::Sun, ChartPoint::Moon, AspectKind::Square, 93.0, 3.0, false, false},
      {ChartPoint::Sun, ChartPoint::Mars, AspectKind::Trine, 125.0, 5.0, true, false},
      {ChartPoint::Venus, ChartPoint::Saturn, AspectKind::Quincunx, 150.5, 0.5, true, false},
      {ChartPoint::Mars, ChartPoint::Ascendant, AspectKind::Sextile, 61.0, 1.0, true, true},
      {ChartPoint::Moon, ChartPoint::Pluto, AspectKind::Opposition, 179.0, 1.0, false, false},
  };
  PlainTextSink sink;
  WriteAspectReport(aspects, sink);
  const auto paragraph = [](ChartPoint a, ChartPoint b, AspectKind kind) {
    return std::string(AspectNatureText(kind)) + " " + std::string(PairThemeText(a, b));
  };
  const std::string expected =
      "\r\n\r\n\r\nAspects\r\n\r\n"
      "Mars sextile Ascendant, orb 1\u00B000', applying, out of sign\r\n" +
      paragraph(ChartPoint::Mars, ChartPoint::Ascendant, AspectKind::Sextile) + "\r\n\r\n" +
      "Sun trine Mars, orb 5\u00B000', applying\r\n" +
      paragraph(ChartPoint::Sun, ChartPoint::Mars, AspectKind::Trine) + "\r\n\r\n" +
      "Moon opposition Pluto, orb 1\u00B000', separating\r\n" +
      paragraph(ChartPoint::Moon, ChartPoint::Pluto, AspectKind::Opposition) + "\r\n\r\n" +
      "Sun square Moon, orb 3\u00B000', separating\r\n" +
      paragraph(ChartPoint::Sun, ChartPoint::Moon, AspectKind::Square);
  EXPECT_EQ(sink.Text(), expected);
}

TEST(WriteAspectReport, AChartWithoutMajorAspectsSaysSo) {
  PlainTextSink sink;
  WriteAspectReport(
      {{ChartPoint::Venus, ChartPoint::Saturn, AspectKind::Semisquare, 45.0, 0.0, false, false}},
      sink);
  EXPECT_TRUE(sink.Text().starts_with("\r\n\r\n\r\nAspects\r\n\r\nYour chart has no major aspect"));
}

}  // namespace
}  // namespace zodivane
