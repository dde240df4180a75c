// SPDX-License-Identifier: GPL-3.0-or-later
// The chart sheet: its files read back by real readers (pdftotext, an image
// loader, the SVG renderer and an XML parser), written whole or not at all,
// and Export Chart… and Print Chart… of the main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "aspects/aspect_report.h"
#include "chart/chart_driver.h"
#include "chartfile/chart_file.h"
#include "ephemeris/planets.h"
#include "tests/support/sample_entries.h"
#include "tests/ui/support/fakes.h"
#include "tests/ui/support/file_size_limit.h"
#include "tests/ui/support/reading_tools.h"
#include "tests/ui/support/text_recorder.h"
#include "tests/ui/support/windows.h"
#include "ui/sheet/aspect_marks.h"
#include "ui/sheet/chart_sheet.h"
#include "ui/windows/chart_sheet_actions.h"
#include "ui/windows/mdi.h"

namespace zodivane::ui {
namespace {

using testing::FakeMessageBoxes;
using testing::FakeWebBrowser;

/// The sample birth of the README: New Delhi, 5 March 1980, 7:05, India
/// Standard Time.
ChartView SampleChart() {
  FormEntries entries = zodivane::test::AnnaInDelhi();
  entries.txtName = "ASHA MEHRA";
  entries.txtMCity = "New Delhi";
  ChartSession session;
  CastResult result = session.CastChart(entries);
  EXPECT_TRUE(std::holds_alternative<ChartView>(result));
  return std::get<ChartView>(std::move(result));
}

using testing::RunTool;

/// Checks that the text of a sheet's PDF holds the chart: the name, the
/// details, the three signs, all eleven positions and the retrograde marks.
void ExpectSheetText(const QString& pdfPath, const ChartView& chart) {
  const std::optional<QString> text = RunTool(QStringLiteral("pdftotext"), {pdfPath, "-"});
  ASSERT_TRUE(text.has_value()) << "pdftotext could not read " << pdfPath.toStdString();
  std::vector<QString> expected = {QString::fromStdString(chart.name),
                                   QStringLiteral("Ascendant"),
                                   QStringLiteral("Sun Sign"),
                                   QStringLiteral("Moon Sign"),
                                   QStringLiteral("Planetary Positions"),
                                   QString::fromStdString(chart.city),
                                   QStringLiteral("5 March 1980"),
                                   QStringLiteral("07:05"),
                                   QString::fromStdString(chart.universalTime),
                                   QString::fromStdString(*chart.ascendantSign),
                                   QString::fromStdString(chart.moonSign),
                                   QStringLiteral("(R)")};
  for (const std::string& position : chart.positions) {
    expected.push_back(QString::fromStdString(position));
  }
  for (const QString& part : expected) {
    EXPECT_TRUE(text->contains(part)) << "missing " << part.toStdString();
  }
  const std::optional<QString> info = RunTool(QStringLiteral("pdfinfo"), {pdfPath});
  ASSERT_TRUE(info.has_value());
  EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
      << info->toStdString();
}

TEST(ChartSheet, RetrogradeMarksFollowTheChart) {
  const ChartView chart = SampleChart();
  // 5 March 1980: Mercury, Mars, Jupiter and Saturn were retrograde; the
  // Sun and the Moon never are, and Venus was direct.
  std::array<bool, kChartPointCount> marks{};
  for (std::size_t point = 0; point < marks.size(); ++point) {
    marks[point] = chart.points[point].retrograde;
  }
  EXPECT_EQ(marks, (std::array<bool, kChartPointCount>{false, false, true, false, true, true, true,
                                                       false, false, false, false}));
  // The sheet marks exactly those four rows.
  testing::TextRecordingDevice device(kSheetSize.toSize());
  QPainter painter(&device);
  DrawChartSheet(painter, QRectF(QPointF(0, 0), kSheetSize), chart);
  painter.end();
  const std::vector<testing::DrawnText> texts = device.Texts();
  EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                          [](const testing::DrawnText& text) { return text.text == "(R)"; }),
            4);
}

TEST(ChartSheet, PdfHoldsTheChartAsTextOnOnePage) {
  const ChartView chart = SampleChart();
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("sheet.pdf"));
  ASSERT_EQ(WriteChartSheet(path, chart), std::nullopt);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(5).startsWith("%PDF-"));
  ExpectSheetText(path, chart);
}

TEST(ChartSheet, PngHasTheSizeAskedFor) {
  const ChartView chart = SampleChart();
  struct Row {
    double scale;
    QSize size;
  };
  const auto rows = std::to_array<Row>(
      {{kDefaultPngScale, {1588, 2246}}, {1.0, {794, 1123}}, {3.0, {2382, 3369}}});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.scale);
    QImage image;
    ASSERT_TRUE(image.loadFromData(RenderChartSheet(chart, SheetFormat::Png, row.scale), "PNG"));
    EXPECT_EQ(image.size(), row.size);
    // White paper with the drawing on it: the wheel's middle is not blank.
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));
    const QPoint wheelEdge(image.width() / 2, static_cast<int>(row.size.height() * 0.32));
    int inked = 0;
    for (int x = 0; x < image.width(); ++x) {
      inked += image.pixelColor(x, wheelEdge.y()) != QColor(Qt::white) ? 1 : 0;
    }
    EXPECT_GT(inked, image.width() / 4);
  }
}

TEST(ChartSheet, SvgParsesAndHoldsTheText) {
  const ChartView chart = SampleChart();
  const QByteArray svg = RenderChartSheet(chart, SheetFormat::Svg);
  QSvgRenderer renderer(svg);
  EXPECT_TRUE(renderer.isValid());
  EXPECT_EQ(testing::XmlProblems(svg), QString());
  EXPECT_EQ(renderer.viewBoxF(), QRectF(QPointF(0, 0), kSheetSize));

  QXmlStreamReader xml(svg);
  QString text;
  while (!xml.atEnd()) {
    if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"text") {
      text += xml.readElementText(QXmlStreamReader::IncludeChildElements) + u'\n';
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("ASHA MEHRA")));
  EXPECT_TRUE(text.contains(QStringLiteral("Ascendant")));
  EXPECT_TRUE(text.contains(QString::fromStdString(chart.positions[10])));
}

// With its aspects the sheet gains a page: the grid, the patterns and the
// list, read back from the PDF; the images hold both pages one under the other.
TEST(ChartSheet, AspectsTakeASecondPage) {
  FormEntries entries = zodivane::test::AnnaInDelhi();
  entries.txtName = "ASHA MEHRA";
  ChartSession session;
  ChartView chart = std::get<ChartView>(session.CastChart(entries));
  chart.aspects = session.Aspects(DefaultAspectSettings());
  ASSERT_FALSE(chart.aspects->aspects.empty());
  ASSERT_FALSE(chart.aspects->patterns.empty());
  EXPECT_EQ(SheetPageCount(chart), 2);

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("aspects.pdf"));
  ASSERT_EQ(WriteChartSheet(path, chart), std::nullopt);
  const std::optional<QString> info = RunTool(QStringLiteral("pdfinfo"), {path});
  ASSERT_TRUE(info.has_value());
  EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))));
  const std::optional<QString> second =
      RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("2"), path, "-"});
  ASSERT_TRUE(second.has_value());
  for (const char* heading : {"Aspect Grid", "Patterns", "Aspect List"}) {
    EXPECT_TRUE(second->contains(QLatin1String(heading))) << heading;
  }
  // Every aspect is listed by its pair and its orb, and every pattern named.
  for (const Aspect& aspect : chart.aspects->aspects) {
    const QString pair = QString::fromStdString(std::string(AspectPointName(aspect.a))) +
                         QStringLiteral(" \u2013 ") +
                         QString::fromStdString(std::string(AspectPointName(aspect.b)));
    EXPECT_TRUE(second->contains(pair)) << pair.toStdString();
    EXPECT_TRUE(second->contains(OrbText(aspect.orb))) << pair.toStdString();
  }
  for (const Pattern& pattern : chart.aspects->patterns) {
    EXPECT_TRUE(second->simplified().contains(QString::fromStdString(PatternLine(pattern))))
        << PatternLine(pattern);
  }

  QImage image;
  ASSERT_TRUE(image.loadFromData(RenderChartSheet(chart, SheetFormat::Png, 1.0), "PNG"));
  EXPECT_EQ(image.size(), QSize(794, 2 * 1123));
  const QByteArray bytes = RenderChartSheet(chart, SheetFormat::Svg);
  EXPECT_EQ(testing::XmlProblems(bytes), QString());
  QSvgRenderer svg(bytes);
  EXPECT_EQ(svg.viewBoxF(), QRectF(0, 0, 794, 2 * 1123));
}

// Page 1 names the engine that cast the chart and lists the further points
// beside the three signs: each point's short position, or "not available"
// where the engine gives none; no text it draws covers another.
TEST(ChartSheet, FirstPageNamesTheEngineAndListsTheFurtherPoints) {
  const ChartView chart = SampleChart();
  ASSERT_EQ(chart.ephemeris, Ephemeris::BuiltIn);
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("points.pdf"));
  ASSERT_EQ(WriteChartSheet(path, chart), std::nullopt);
  const std::optional<QString> text = RunTool(QStringLiteral("pdftotext"), {path, "-"});
  ASSERT_TRUE(text.has_value());
  EXPECT_TRUE(text->contains(QStringLiteral("Positions: Built-in method")));
  EXPECT_TRUE(text->contains(QStringLiteral("Further Points")));
  for (int index = 0; index < kExtraPointCount; ++index) {
    const auto point = static_cast<ExtraPoint>(index);
    SCOPED_TRACE(std::string(InfoOf(point).name));
    EXPECT_TRUE(text->contains(QString::fromStdString(std::string(InfoOf(point).name))));
    if (const std::optional<PointPosition>& position = chart.extraPoints[point]) {
      EXPECT_TRUE(text->contains(QString::fromStdString(ShortPositionTextOf(position->longitude))));
    }
  }
  // The built-in method gives neither the true node nor Chiron.
  EXPECT_EQ(text->count(QStringLiteral("not available")), 2);
  ExpectSheetText(path, chart);

  // As cast, and with the longer engine name (two lines) over a zone warning.
  ChartView crowded = chart;
  crowded.ephemeris = Ephemeris::Swiss;
  crowded.zoneWarning =
      "The zone chosen differs from the zone the place kept on that date; the chart uses the "
      "zone chosen.";
  for (const ChartView& shown : {chart, crowded}) {
    testing::TextRecordingDevice device(kSheetSize.toSize());
    QPainter painter(&device);
    DrawChartSheet(painter, QRectF(QPointF(0, 0), kSheetSize), shown);
    painter.end();
    const std::vector<testing::DrawnText> texts = device.Texts();
    for (std::size_t a = 0; a < texts.size(); ++a) {
      for (std::size_t b = a + 1; b < texts.size(); ++b) {
        // Ink boxes of one line's parts may touch; none may cover another.
        const QRectF overlap = texts[a].box.intersected(texts[b].box);
        EXPECT_TRUE(overlap.width() < 1.0 || overlap.height() < 1.0)
            << texts[a].text.toStdString() << " / " << texts[b].text.toStdString();
      }
    }
  }
}

// The sheet takes the chart file's name with its own extension: "Anna/Bob"
// was once AnnaBob.zchart beside Anna_Bob.pdf.
TEST(ChartSheet, FileNamesFromThePersonsName) {
  struct Row {
    const char* name;
    SheetFormat format;
    const char* file;
  };
  const auto rows = std::to_array<Row>({
      {"ASHA MEHRA", SheetFormat::Pdf, "ASHA MEHRA.pdf"},
      {"  Jane Doe ", SheetFormat::Png, "Jane Doe.png"},
      {"A/B:C*D?", SheetFormat::Svg, "ABCD.svg"},
      {"Anna/Bob", SheetFormat::Pdf, "AnnaBob.pdf"},
      {"..hidden", SheetFormat::Pdf, "hidden.pdf"},
      {"", SheetFormat::Pdf, "chart.pdf"},
      {"   ", SheetFormat::Png, "chart.png"},
  });
  for (const Row& row : rows) {
    ChartView chart;
    chart.name = row.name;
    const QString file = SuggestedSheetFileName(chart, row.format);
    EXPECT_EQ(file, QString::fromUtf8(row.file)) << row.name;
    EXPECT_EQ(QFileInfo(file).completeBaseName(),
              QFileInfo(QString::fromStdString(chartfile::SuggestedFileName(row.name)))
                  .completeBaseName())
        << row.name;
  }
  const auto formats = std::to_array<std::pair<const char*, std::optional<SheetFormat>>>({
      {"a.pdf", SheetFormat::Pdf},
      {"b.PNG", SheetFormat::Png},
      {"c.Svg", SheetFormat::Svg},
      {"d.jpg", std::nullopt},
      {"pdf", std::nullopt},
      {"e.pdf.txt", std::nullopt},
  });
  for (const auto& [path, format] : formats) {
    EXPECT_EQ(SheetFormatOfPath(QString::fromLatin1(path)), format) << path;
  }
}

using testing::FileSizeLimit;

TEST(ChartSheet, AFailedWriteSaysWhyAndKeepsTheOldFile) {
  const ChartView chart = SampleChart();
  QTemporaryDir folder;
  const QByteArray oldContent = QByteArray("an earlier chart\n").repeated(4);
  const QString existing = folder.filePath(QStringLiteral("kept.png"));
  {
    QFile old(existing);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(oldContent);
  }
  QFile notAFolder(folder.filePath(QStringLiteral("plain")));
  ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
  notAFolder.close();

  struct Row {
    const char* what;
    QString path;
    bool limitSize;
  };
  const auto rows = std::to_array<Row>({
      {"file too large", existing, true},
      {"parent is a file", folder.filePath(QStringLiteral("plain/chart.pdf")), false},
      {"no known extension", folder.filePath(QStringLiteral("chart.jpg")), false},
  });
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::optional<QString> failure;
    {
      std::optional<FileSizeLimit> limit;
      if (row.limitSize) {
        limit.emplace(200);
      }
      failure = WriteChartSheet(row.path, chart);
    }
    ASSERT_TRUE(failure.has_value());
    EXPECT_FALSE(failure->isEmpty());
    QFile kept(existing);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), oldContent);
  }
  // Nothing half-written is left behind.
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

using testing::FakeSaveDialog;

using testing::FakePrintDialog;

class MainWindowSheet : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    window = new MDI(links);
    window->SetChartSheet(chart, ChartSheetServices{messages, saveDialog, printDialog});
  }
  void TearDown() override { delete window; }

  QAction* Action(const char* name) { return testing::Child<QAction>(*window, name); }
  QString Path(const QString& name) const { return folder.filePath(name); }

  ChartView chart = SampleChart();
  FakeWebBrowser browser;
  WebLinks links{browser};
  FakeMessageBoxes messages;
  FakeSaveDialog saveDialog;
  FakePrintDialog printDialog;
  QTemporaryDir folder;
  MDI* window = nullptr;
};

// The File menu keeps Back and Exit first; the sheet's entries follow.
TEST_F(MainWindowSheet, TheFileMenuKeepsItsItemsAndAddsTheSheet) {
  auto* file = window->findChild<QMenu*>(QStringLiteral("mnuFile"));
  ASSERT_NE(file, nullptr);
  QStringList names;
  QStringList texts;
  for (const QAction* action : file->actions()) {
    names << action->objectName();
    texts << action->text();
  }
  EXPECT_EQ(names,
            QStringList({"mnuBack", "mnuExit", "mnuSepChart", "mnuExportChart", "mnuPrintChart"}));
  EXPECT_EQ(texts[0], QStringLiteral("&Back"));
  EXPECT_EQ(texts[1], QStringLiteral("E&xit"));
  EXPECT_EQ(texts[3], QStringLiteral("&Export Chart\u2026"));
  EXPECT_EQ(texts[4], QStringLiteral("&Print Chart\u2026"));
  EXPECT_TRUE(Action("mnuExportChart")->isEnabled());

  // Without the services (a window made for tests) both stay disabled.
  MDI bare(links);
  EXPECT_FALSE(bare.findChild<QAction*>(QStringLiteral("mnuExportChart"))->isEnabled());
  EXPECT_FALSE(bare.findChild<QAction*>(QStringLiteral("mnuPrintChart"))->isEnabled());
}

TEST_F(MainWindowSheet, ExportWritesEachFormatByItsExtension) {
  struct Row {
    QString typed;
    QString written;
  };
  const auto rows = std::to_array<Row>({
      {Path("chart"), Path("chart.pdf")},  // no extension: a PDF
      {Path("chart.png"), Path("chart.png")},
      {Path("chart.SVG"), Path("chart.SVG")},
  });
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed.toStdString());
    saveDialog.typedName = row.typed;
    Action("mnuExportChart")->trigger();
    ASSERT_TRUE(QFileInfo::exists(row.written));
  }
  EXPECT_TRUE(messages.notices.empty());
  ASSERT_EQ(saveDialog.asked.size(), 3U);
  EXPECT_EQ(saveDialog.asked[0].suggestedName, QStringLiteral("ASHA MEHRA.pdf"));
  EXPECT_TRUE(saveDialog.asked[0].confirmOverwrite);
  EXPECT_EQ(saveDialog.asked[0].defaultSuffix, QStringLiteral("pdf"));

  ExpectSheetText(Path("chart.pdf"), chart);
  QImage png;
  ASSERT_TRUE(png.load(Path("chart.png")));
  EXPECT_EQ(png.size(), QSize(1588, 2246));
  QSvgRenderer svg(Path("chart.SVG"));
  EXPECT_TRUE(svg.isValid());
  QFile written(Path("chart.SVG"));
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(testing::XmlProblems(written.readAll()), QString());
}

TEST_F(MainWindowSheet, ExportAsksBeforeReplacingAndSaysWhyItFailed) {
  const QString existing = Path("ASHA MEHRA.pdf");
  {
    QFile old(existing);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("kept");
  }
  // The suggested name exists: the user is asked and says no.
  saveDialog.typedName = existing;
  Action("mnuExportChart")->trigger();
  EXPECT_EQ(saveDialog.overwriteQuestions, 1);
  QFile kept(existing);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "kept");
  EXPECT_TRUE(messages.notices.empty());

  // A folder that cannot hold files: one critical message naming the file.
  saveDialog.typedName = Path("kept-as-file/chart.png");
  {
    QFile plain(Path("kept-as-file"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  }
  Action("mnuExportChart")->trigger();
  ASSERT_EQ(messages.notices.size(), 1U);
  EXPECT_EQ(messages.notices[0].icon, MessageIcon::Critical);
  EXPECT_TRUE(messages.notices[0].text.startsWith(
      QStringLiteral("The chart could not be saved to ") + Path("kept-as-file/chart.png")));

  // Cancel writes nothing and says nothing.
  saveDialog.typedName.reset();
  Action("mnuExportChart")->trigger();
  EXPECT_EQ(messages.notices.size(), 1U);
}

TEST_F(MainWindowSheet, PrintPutsTheSheetOnOnePage) {
  for (const QPrinter::ColorMode mode : {QPrinter::Color, QPrinter::GrayScale}) {
    SCOPED_TRACE(mode);
    printDialog.pdfPath = Path(mode == QPrinter::Color ? "colour.pdf" : "grey.pdf");
    printDialog.colourMode = mode;
    Action("mnuPrintChart")->trigger();
    ASSERT_TRUE(QFileInfo::exists(printDialog.pdfPath));
    ExpectSheetText(printDialog.pdfPath, chart);
  }
  // Cancel prints nothing.
  printDialog.cancel = true;
  printDialog.pdfPath = Path("cancelled.pdf");
  Action("mnuPrintChart")->trigger();
  EXPECT_FALSE(QFileInfo::exists(printDialog.pdfPath));
  EXPECT_EQ(printDialog.selectionOffered.size(), 3U);
  EXPECT_TRUE(messages.notices.empty());
}

}  // namespace
}  // namespace zodivane::ui
