// SPDX-License-Identifier: GPL-3.0-or-later
// Every sheet is a full record of its charts: the zone's warning on the
// chart, transit and synastry sheets, clear of every other text; the
// synastry sheet's births written as the rest of the program writes them;
// and every sheet's SVG well-formed XML whatever the names hold.
#include <gtest/gtest.h>

#include <QPainter>
#include <QStringList>

#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "chart/chart_driver.h"
#include "ephemeris/sky_at.h"
#include "tests/support/sample_entries.h"
#include "tests/ui/support/reading_tools.h"
#include "tests/ui/support/text_recorder.h"
#include "transits/transits.h"
#include "ui/sheet/chart_sheet.h"
#include "ui/sheet/synastry_sheet.h"
#include "ui/sheet/transit_sheet.h"

namespace zodivane::ui {
namespace {

using testing::DrawnText;

ChartView Cast(const FormEntries& entries) {
  ChartSession session;
  CastResult result = session.CastChart(entries);
  EXPECT_TRUE(std::holds_alternative<ChartView>(result));
  return std::get<ChartView>(std::move(result));
}

/// A warning as the input form gives it for a repeated clock time.
const std::string kClockWarning =
    "New York on 7 November 2021 at 1:30: this clock time happened twice, first EDT, UT-4:00, "
    "then EST, UT-5:00; the chart uses the first, EDT, UT-4:00";
/// A warning as it gives it for a zone the database disagrees with.
const std::string kMismatchWarning =
    "The form gives UT+12:00; Sydney on 15 January 2000 at 12:00 is UT+11:00 (AEDT): the chart "
    "would be 1 hour off";

/// A long one: a long place name and numeric abbreviations.
const std::string kLongWarning =
    "Santa Cruz de la Sierra on 30 September 2021 at 12:30: this clock time happened twice, "
    "first -03, UT-3:00, then -04, UT-4:00; the chart uses the second, -04, UT-4:00";

/// The transits of the sky at 2025-03-05 14:30 UT to `natal`, as the
/// transits window puts them on its sheet.
TransitSheet TransitSheetOf(const ChartView& natal) {
  const Sky sky = std::get<Sky>(SkyAt(Ephemeris::BuiltIn, JulianDayOfUt({2025, 3, 5, 14, 30, 0})));
  TransitSheet sheet;
  sheet.wheel.inner = natal;
  sheet.wheel.outer = OuterBodiesOfSky(sky);
  sheet.natal = NatalPointsOf(natal.points);
  sheet.aspects = std::get<Transits>(TransitsAt(Ephemeris::BuiltIn, sky.julianDayUt, sheet.natal,
                                                TransitSettings(DefaultAspectSettings())))
                      .aspects;
  sheet.wheel.lines = sheet.aspects;
  sheet.localMoment = QStringLiteral("5 March 2025, 15:30");
  sheet.zone = QStringLiteral("CET, UT+1:00");
  sheet.universalTime = QStringLiteral("5 March 2025, 14:30 UT");
  sheet.engine = QStringLiteral("built-in method");
  return sheet;
}

SynastrySheet SynastryOf(const ChartView& first, const ChartView& second) {
  return SynastrySheet{first, second, {}};
}

/// Every text `draw` puts on a page of the sheet's size.
std::vector<DrawnText> TextsOf(const std::function<void(QPainter&, const QRectF&)>& draw) {
  testing::TextRecordingDevice device(kSheetSize.toSize());
  QPainter painter(&device);
  draw(painter, QRectF(QPointF(0, 0), kSheetSize));
  painter.end();
  return device.Texts();
}

/// One sheet's first page with its charts.
struct SheetCase {
  const char* what;
  std::function<void(QPainter&, const QRectF&, const ChartView&, const ChartView&)> draw;
};

const std::vector<SheetCase>& Sheets() {
  static const std::vector<SheetCase> sheets = {
      {"chart sheet", [](QPainter& painter, const QRectF& page, const ChartView& warned,
                         const ChartView&) { DrawChartSheet(painter, page, warned); }},
      {"transit sheet",
       [](QPainter& painter, const QRectF& page, const ChartView& warned, const ChartView&) {
         DrawTransitSheet(painter, page, TransitSheetOf(warned));
       }},
      {"synastry sheet, first person warned",
       [](QPainter& painter, const QRectF& page, const ChartView& warned, const ChartView& other) {
         DrawSynastrySheetPage(painter, page, SynastryOf(warned, other), 0);
       }},
      {"synastry sheet, second person warned",
       [](QPainter& painter, const QRectF& page, const ChartView& warned, const ChartView& other) {
         DrawSynastrySheetPage(painter, page, SynastryOf(other, warned), 0);
       }},
  };
  return sheets;
}

// The warning the results window shows is on every sheet of the chart, whole
// (its lines read together give it word for word), and no other text is
// drawn over it; without a warning the sheet draws no warning sign.
TEST(SheetRecords, EverySheetCarriesTheZoneWarningClearOfOtherText) {
  const ChartView other = Cast(test::London1985Entries());
  for (const SheetCase& sheet : Sheets()) {
    for (const std::string& warning : {kClockWarning, kMismatchWarning, kLongWarning}) {
      SCOPED_TRACE(std::string(sheet.what) + ": " + warning);
      ChartView warned = Cast(test::AnnaInDelhi());
      warned.zoneWarning = warning;
      const std::vector<DrawnText> texts = TextsOf(
          [&](QPainter& painter, const QRectF& page) { sheet.draw(painter, page, warned, other); });
      // The warning's lines: from the one with the sign to the end of the warning.
      std::size_t first = texts.size();
      for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].text.startsWith(QStringLiteral("\u26A0 "))) {
          first = i;
          break;
        }
      }
      ASSERT_LT(first, texts.size()) << "no warning on the sheet";
      QStringList lines;
      std::size_t last = first;
      const QString whole = QStringLiteral("\u26A0 ") + QString::fromStdString(warning);
      while (last < texts.size() && lines.join(QLatin1Char(' ')).simplified() != whole) {
        lines.append(texts[last].text);
        ++last;
      }
      EXPECT_EQ(lines.join(QLatin1Char(' ')).simplified(), whole);
      for (std::size_t w = first; w < last; ++w) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
          if (i >= first && i < last) {
            continue;
          }
          const QRectF overlap = texts[w].box.intersected(texts[i].box);
          EXPECT_TRUE(overlap.width() < 1.0 || overlap.height() < 1.0)
              << texts[w].text.toStdString() << " / " << texts[i].text.toStdString();
        }
      }
    }
    SCOPED_TRACE(sheet.what);
    const ChartView plain = Cast(test::AnnaInDelhi());
    for (const DrawnText& text : TextsOf([&](QPainter&painter, const QRectF&page) {
           sheet.draw(painter, page, plain, other);
         })) {
      EXPECT_FALSE(text.text.contains(QChar(0x26A0))) << text.text.toStdString();
    }
  }
}

// The synastry window and sheet write a birth as the rest of the program
// does: the clock time with two digits each, the zone, and the UT (with its
// date when that is another day).
TEST(SheetRecords, SynastryBirthsAreWrittenWithTheZoneAndUniversalTime) {
  FormEntries early = test::AnnaInDelhi();
  early.cboHHText = "3";
  early.cboMMText = "0";
  struct Case {
    FormEntries entries;
    const char* text;
  };
  const std::vector<Case> cases = {
      {test::AnnaInDelhi(), "5 March 1980, 07:05, IST, UT+5:30 = 01:35 UT"},
      {early, "5 March 1980, 03:00, IST, UT+5:30 = 4 March 1980, 21:30 UT"},
      {test::London1985Entries(), "15 August 1985, 14:30, GMT with DST, UT+1:00 = 13:30 UT"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const ChartView chart = Cast(c.entries);
    EXPECT_EQ(SynastryBirthText(chart), QString::fromUtf8(c.text));
  }
  const ChartView asha = Cast(test::AnnaInDelhi());
  const ChartView jane = Cast(test::London1985Entries());
  QStringList drawn;
  for (const DrawnText& text : TextsOf([&](QPainter&painter, const QRectF&page) {
         DrawSynastrySheetPage(painter, page, SynastryOf(asha, jane), 0);
       })) {
    drawn.append(text.text);
  }
  EXPECT_TRUE(drawn.contains(SynastryBirthText(asha)));
  EXPECT_TRUE(drawn.contains(SynastryBirthText(jane)));
}

// Names with the characters XML reserves: each sheet's SVG is a well-formed
// document (xmllint accepts it, as librsvg must) whose title reads back as
// the names were typed.
TEST(SheetRecords, EverySvgIsWellFormedWhateverTheNamesHold) {
  FormEntries entries = test::AnnaInDelhi();
  entries.txtName = "NINA YORK & TEST <\"O'Neil\">";
  const ChartView hostile = Cast(entries);
  const ChartView other = Cast(test::London1985Entries());
  const QString name = QString::fromStdString(hostile.name);
  const TransitSheet transits = TransitSheetOf(hostile);
  const SynastrySheet synastry = SynastryOf(hostile, other);
  struct Case {
    const char* what;
    QByteArray svg;
    QString title;
  };
  const std::vector<Case> cases = {
      {"chart sheet", RenderChartSheet(hostile, SheetFormat::Svg), name},
      {"transit sheet", RenderSheetPages(TransitSheetPages(transits), SheetFormat::Svg),
       name + QStringLiteral(": transits")},
      {"synastry sheet", RenderSynastrySheet(synastry, SheetFormat::Svg),
       name + QStringLiteral(" & JANE DOE")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_FALSE(c.svg.isEmpty());
    EXPECT_EQ(testing::XmlProblems(c.svg), QString());
    EXPECT_EQ(testing::XmlElementText(c.svg, u"title"), c.title);
  }
}

}  // namespace
}  // namespace zodivane::ui
