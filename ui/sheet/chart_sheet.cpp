// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sheet/chart_sheet.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "aspects/aspect_report.h"
#include "common/form_rules.h"
#include "ephemeris/planets.h"
#include "ui/look/look_geometry.h"
#include "ui/sheet/aspect_marks.h"
#include "ui/sheet/sheet_files.h"
#include "ui/sheet/sheet_text.h"
#include "ui/sheet/wheel_layout.h"

namespace zodivane::ui {
namespace {

// Lengths are sheet units: pixels at 96 to the inch on kSheetSize.
constexpr double kMargin = 40.0;
constexpr double kColumnGap = 40.0;
constexpr double kRightColumn = kSheetSize.width() / 2.0 + kColumnGap / 2.0;
constexpr double kWheelScale = 1.42;  ///< the wheel at 1.42 times its size on the results form
constexpr double kWheelTop = 296.0;
/// The further points' column, right of the three signs.
constexpr double kFurtherPointsLeft = 574.0;

using look::FromUtf8;
using look::colours::kBlue;
using look::colours::kDetailsText;
using look::colours::kNavy;
using look::colours::kRed;

/// The wheel as the results form shows it, in `target`, with the lines of
/// `aspects` in its Earth disc when there are any.
void DrawWheel(QPainter& painter, const QRectF& target, const WheelView& wheelView,
               const ChartView& chart) {
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(target.width() / wheel::kPictureSize.width(),
                target.height() / wheel::kPictureSize.height());
  wheel::PaintWheelArtwork(painter);

  // The aspects on a disc over the middle of the houses, under their lists.
  const std::optional<int> firstHouseSign =
      chart.points[static_cast<std::size_t>(ChartPoint::Ascendant)].sign;
  if (chart.aspects && firstHouseSign) {
    wheel::PaintAspectDisc(painter, chart.aspects->aspects, chart.points, *firstHouseSign);
  }
  wheel::PaintWheelMarks(painter, wheelView, SheetFont(16), SheetFont(11), kSheetInk, kBlue);
  painter.restore();
}

/// Text wrapped onto the lines its box holds, as every sheet draws it.
constexpr auto* DrawWrapped = &DrawSheetWrapped;

/// "07:05": the clock time with two digits each.
QString PaddedTime(const CivilMoment& clock) {
  return QStringLiteral("%1:%2")
      .arg(clock.hour, 2, 10, QLatin1Char('0'))
      .arg(clock.minute, 2, 10, QLatin1Char('0'));
}

/// "5 March 1980".
QString FullDate(const CivilMoment& clock) {
  const QString month = clock.month >= 1 && clock.month <= kMonthCount
                            ? look::FromUtf8(kMonthNames[static_cast<std::size_t>(clock.month - 1)])
                            : QString();
  return QStringLiteral("%1 %2 %3").arg(clock.day).arg(month).arg(clock.year);
}

void DrawHeading(QPainter& painter, double left, double top, const QString& text) {
  DrawSheetLine(painter, QRectF(left, top, kSheetSize.width() / 2.0 - kMargin, 20), text,
                SheetFont(14, true), kNavy);
}

void DrawDetails(QPainter& painter, const ChartView& chart) {
  namespace captions = look::captions;
  DrawHeading(painter, kMargin, 96, FromUtf8(captions::kYourDetails));
  struct Row {
    std::string_view caption;
    const std::string* value;
  };
  const std::string date = FullDate(chart.birthClock).toStdString();
  const std::string time = PaddedTime(chart.birthClock).toStdString();
  const Row rows[] = {
      {captions::kDateOfBirth, &date},          {captions::kTimeOfBirth, &time},
      {captions::kZone, &chart.zoneUsed},       {"Universal Time :", &chart.universalTime},
      {captions::kLongitude, &chart.longitude}, {captions::kLatitude, &chart.latitude},
      {captions::kCity, &chart.city},           {captions::kState, &chart.state},
      {captions::kCountry, &chart.country},
  };
  double top = 118;
  constexpr double kCaptionWidth = 112;
  constexpr double kRowStep = 15;
  constexpr double kDetailsBottom = kWheelTop - 4;
  const double valueWidth = kRightColumn - kColumnGap - kMargin - kCaptionWidth;
  for (const Row& row : rows) {
    if (row.value->empty() && (row.value == &chart.zoneUsed || row.value == &chart.universalTime)) {
      continue;
    }
    DrawSheetLine(painter, QRectF(kMargin, top, kCaptionWidth, kRowStep), FromUtf8(row.caption),
                  SheetFont(11), kDetailsText);
    // A long value wraps onto further lines rather than being cut.
    const double used = DrawWrapped(
        painter, QRectF(kMargin + kCaptionWidth, top + 1, valueWidth, kDetailsBottom - top),
        QString::fromStdString(*row.value), SheetFont(11, true), kDetailsText);
    top += std::max(kRowStep, used + 1);
  }
  DrawSheetWarning(
      painter,
      QRectF(kRightColumn, kWheelTop - 34, kSheetSize.width() - kMargin - kRightColumn, 34),
      chart.zoneWarning);
}

void DrawSigns(QPainter& painter, const ChartView& chart) {
  namespace captions = look::captions;
  DrawHeading(painter, kRightColumn, 96, FromUtf8(captions::kOtherDetails));
  const std::pair<std::string_view, QString> pairs[] = {
      {captions::kAscendant, QString::fromStdString(chart.ascendantSign.value_or(std::string()))},
      {captions::kSunSign, QString::fromStdString(chart.sunSign.value_or(std::string()))},
      {captions::kMoonSign, QString::fromStdString(chart.moonSign)},
  };
  double top = 122;
  const double width = kFurtherPointsLeft - kColumnGap / 2.0 - kRightColumn;
  for (const auto& [caption, value] : pairs) {
    DrawSheetLine(painter, QRectF(kRightColumn, top, width, 20), FromUtf8(caption),
                  SheetFont(13, true), kSheetInk);
    DrawSheetLine(painter, QRectF(kRightColumn, top + 20, width, 20), value, SheetFont(13),
                  kSheetInk);
    top += 44;
  }
}

/// The further points beside the three signs, each with its short
/// position or "not available", and the engine that cast the chart under them.
void DrawFurtherPoints(QPainter& painter, const ChartView& chart) {
  const double width = kSheetSize.width() - kMargin - kFurtherPointsLeft;
  DrawSheetLine(painter, QRectF(kFurtherPointsLeft, 96, width, 20),
                QStringLiteral("Further Points"), SheetFont(14, true), kNavy);
  constexpr double kNameWidth = 84;
  constexpr double kRowStep = 15;
  double top = 122;
  for (int index = 0; index < kExtraPointCount; ++index) {
    const auto point = static_cast<ExtraPoint>(index);
    const std::optional<PointPosition>& position = chart.extraPoints[point];
    DrawSheetLine(painter, QRectF(kFurtherPointsLeft, top, kNameWidth, kRowStep),
                  FromUtf8(InfoOf(point).name), SheetFont(11, true), kSheetInk);
    DrawSheetLine(painter,
                  QRectF(kFurtherPointsLeft + kNameWidth, top, width - kNameWidth, kRowStep),
                  position ? QString::fromStdString(ShortPositionTextOf(position->longitude))
                           : QStringLiteral("not available"),
                  SheetFont(11), position ? kSheetInk : kDetailsText);
    top += kRowStep;
  }
  DrawWrapped(painter, QRectF(kFurtherPointsLeft, top + 6, width, kWheelTop - 36 - (top + 6)),
              QStringLiteral("Positions: ") + FromUtf8(EphemerisDisplayName(chart.ephemeris)),
              SheetFont(11), kDetailsText);
}

void DrawPositions(QPainter& painter, const ChartView& chart, double top) {
  DrawHeading(painter, kMargin, top, FromUtf8(look::captions::kPlanetaryPositions));
  constexpr int kFirstColumnRows = 6;
  constexpr double kRowStep = 22;
  for (int point = 0; point < kChartPointCount; ++point) {
    const auto index = static_cast<std::size_t>(point);
    const bool second = point >= kFirstColumnRows;
    const double left = second ? kRightColumn : kMargin;
    const double rowTop = top + 28 + kRowStep * (second ? point - kFirstColumnRows : point);
    DrawSheetLine(painter, QRectF(left, rowTop, 100, kRowStep), FromUtf8(kChartPointNames[index]),
                  SheetFont(13, true), kSheetInk);
    DrawSheetLine(painter, QRectF(left + 104, rowTop, 90, kRowStep),
                  QString::fromStdString(chart.positions[index]), SheetFont(13), kSheetInk);
    if (chart.points[index].retrograde) {
      DrawSheetLine(painter, QRectF(left + 196, rowTop, 60, kRowStep), QStringLiteral("(R)"),
                    SheetFont(13, true), kRed);
    }
  }
}

/// The name across the top of a page, `title` at its right and the rule under them.
void DrawPageHead(QPainter& painter, const ChartView& chart, const QString& title) {
  const double width = kSheetSize.width() - 2 * kMargin;
  // A long name goes onto two lines in a smaller size rather than being cut.
  const QString name = QString::fromStdString(chart.name);
  const QRectF nameBox(kMargin, kMargin - 8, width * 0.75, 36);
  if (QFontMetricsF(SheetFont(24, true)).horizontalAdvance(name) <= nameBox.width()) {
    DrawSheetLine(painter, nameBox, name, SheetFont(24, true), kNavy);
  } else {
    DrawWrapped(painter, nameBox, name, SheetFont(14, true), kNavy);
  }
  DrawSheetLine(painter, QRectF(kMargin + width * 0.75, kMargin - 8, width * 0.25, 36), title,
                SheetFont(12), kSheetRule, Qt::AlignRight);
  painter.setPen(QPen(kSheetRule, 1.0));
  painter.drawLine(QPointF(kMargin, 76), QPointF(kSheetSize.width() - kMargin, 76));
}

// The aspect page: the grid at the top left, the patterns and the colours'
// key in the free corner above its diagonal, the list under it.
constexpr double kGridTop = 124;
constexpr double kGridLabelWidth = 70;
constexpr double kGridHeadHeight = 22;
constexpr double kCellWidth = 58;
constexpr double kCellHeight = 44;
constexpr int kGridRows = kChartPointCount - 1;  ///< Moon .. Asc; the Sun heads a column only
constexpr double kGridBottom = kGridTop + kGridHeadHeight + kGridRows * kCellHeight;

/// The cell of the pair in row `row` (point row + 1) and column `column`.
QRectF CellBox(int row, int column) {
  return {kMargin + kGridLabelWidth + column * kCellWidth,
          kGridTop + kGridHeadHeight + row * kCellHeight, kCellWidth, kCellHeight};
}

void DrawAspectGrid(QPainter& painter, const ChartAspects& aspects) {
  DrawHeading(painter, kMargin, 96, QStringLiteral("Aspect Grid"));
  const QColor lines(205, 185, 165);
  for (int column = 0; column < kGridRows; ++column) {
    const QRectF head(CellBox(0, column).left(), kGridTop, kCellWidth, kGridHeadHeight);
    DrawSheetLine(painter, head,
                  FromUtf8(kChartPointNames[static_cast<std::size_t>(column)]).left(3),
                  SheetFont(12, true), kSheetInk, Qt::AlignCenter);
  }
  for (int row = 0; row < kGridRows; ++row) {
    const QRectF first = CellBox(row, 0);
    DrawSheetLine(painter, QRectF(kMargin, first.top(), kGridLabelWidth - 6, kCellHeight),
                  FromUtf8(kChartPointNames[static_cast<std::size_t>(row + 1)]),
                  SheetFont(12, true), kSheetInk);
    painter.setPen(QPen(lines, 1.0));
    painter.setBrush(Qt::NoBrush);
    for (int column = 0; column <= row; ++column) {
      painter.drawRect(CellBox(row, column));
    }
  }
  for (const Aspect& aspect : aspects.aspects) {
    const int first = static_cast<int>(aspect.a);
    const int second = static_cast<int>(aspect.b);
    const QRectF cell = CellBox(std::max(first, second) - 1, std::min(first, second));
    const QRectF upper(cell.left(), cell.top() + 3, cell.width(), cell.height() * 0.55);
    DrawSheetLine(painter, upper, AspectGlyph(aspect.kind), SheetFont(18),
                  AspectColour(aspect.kind), Qt::AlignCenter);
    const QRectF lower(cell.left(), upper.bottom() - 2, cell.width(),
                       cell.bottom() - upper.bottom());
    DrawSheetLine(
        painter, lower,
        OrbText(aspect.orb) + (aspect.applying ? QStringLiteral(" a") : QStringLiteral(" s")),
        SheetFont(10), kSheetInk, Qt::AlignCenter);
  }

  // The free corner above the stairs: the key to the glyphs and their
  // colours at the foot of the room right of the sixth column, down to the
  // sixth row; the patterns above it, right of the fifth column.
  constexpr double kKeyStep = 17;
  constexpr int kKeyColumns = 2;
  constexpr int kKeyRows = (kAspectKindCount + kKeyColumns - 1) / kKeyColumns;
  const double keyLeft = CellBox(0, kKeyRows).left() + 10;
  const double keyTop = CellBox(kKeyRows - 1, 0).bottom() - 4 - (kKeyRows + 1) * kKeyStep;
  const double keyColumnWidth = (kSheetSize.width() - kMargin - keyLeft) / kKeyColumns;
  for (int kind = 0; kind < kAspectKindCount; ++kind) {
    const auto aspect = static_cast<AspectKind>(kind);
    const double left = keyLeft + (kind / kKeyRows) * keyColumnWidth;
    const double top = keyTop + (kind % kKeyRows) * kKeyStep;
    DrawSheetLine(painter, QRectF(left, top, 22, kKeyStep), AspectGlyph(aspect), SheetFont(14),
                  AspectColour(aspect), Qt::AlignCenter);
    DrawSheetLine(painter, QRectF(left + 26, top, keyColumnWidth - 26, kKeyStep),
                  FromUtf8(InfoOf(aspect).name), SheetFont(11), kSheetInk);
  }
  DrawSheetLine(painter,
                QRectF(keyLeft, keyTop + kKeyRows * kKeyStep + 2,
                       kSheetSize.width() - kMargin - keyLeft, kKeyStep),
                QStringLiteral("a applying, s separating"), SheetFont(11), kDetailsText);

  const double left = CellBox(0, 5).left() + 10;
  const double width = kSheetSize.width() - kMargin - left;
  DrawHeading(painter, left, CellBox(0, 0).top(), QStringLiteral("Patterns"));
  QStringList patterns;
  for (const Pattern& pattern : aspects.patterns) {
    patterns.append(FromUtf8(PatternLine(pattern)));
  }
  if (patterns.isEmpty()) {
    patterns.append(QStringLiteral("None"));
  }
  double top = CellBox(0, 0).top() + 26;
  const double patternsBottom = keyTop - 6;
  for (const QString& line : patterns) {
    if (top >= patternsBottom) {
      break;
    }
    top += DrawWrapped(painter, QRectF(left, top, width, patternsBottom - top), line, SheetFont(12),
                       kSheetInk) +
           4;
  }
}

void DrawAspectList(QPainter& painter, const ChartAspects& aspects) {
  const double headTop = kGridBottom + 22;
  DrawHeading(painter, kMargin, headTop, QStringLiteral("Aspect List"));
  std::vector<Aspect> sorted = aspects.aspects;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const Aspect& a, const Aspect& b) { return a.orb < b.orb; });
  const double top = headTop + 28;
  const double bottom = kSheetSize.height() - kMargin;
  const int rows = std::max(1, static_cast<int>((sorted.size() + 1) / 2));
  const double step = std::min(18.0, (bottom - top) / rows);
  const double columnWidth = (kSheetSize.width() - 2 * kMargin - kColumnGap) / 2.0;
  const QFont font = SheetFont(step >= 16 ? 11 : 9);
  for (std::size_t index = 0; index < sorted.size(); ++index) {
    const Aspect& aspect = sorted[index];
    const int row = static_cast<int>(index) % rows;
    const double left = kMargin + (static_cast<int>(index) / rows) * (columnWidth + kColumnGap);
    const double rowTop = top + row * step;
    DrawSheetLine(painter, QRectF(left, rowTop, 140, step),
                  FromUtf8(AspectPointName(aspect.a)) + QStringLiteral(" \u2013 ") +
                      FromUtf8(AspectPointName(aspect.b)),
                  font, kSheetInk);
    DrawSheetLine(painter, QRectF(left + 142, rowTop, 22, step), AspectGlyph(aspect.kind), font,
                  AspectColour(aspect.kind), Qt::AlignCenter);
    DrawSheetLine(painter, QRectF(left + 166, rowTop, 104, step),
                  FromUtf8(InfoOf(aspect.kind).name), font, kSheetInk);
    DrawSheetLine(painter, QRectF(left + 272, rowTop, 46, step), OrbText(aspect.orb), font,
                  kSheetInk, Qt::AlignRight);
    DrawSheetLine(painter, QRectF(left + 322, rowTop, 12, step),
                  aspect.applying ? QStringLiteral("a") : QStringLiteral("s"), font, kDetailsText);
  }
  if (sorted.empty()) {
    DrawSheetLine(painter, QRectF(kMargin, top, columnWidth, 18), QStringLiteral("No aspects"),
                  SheetFont(11), kSheetInk);
  }
}

}  // namespace

void DrawChartSheet(QPainter& painter, const QRectF& page, const ChartView& chart) {
  DrawChartSheetPage(painter, page, chart, 0);
}

int SheetPageCount(const ChartView& chart) noexcept {
  return chart.aspects ? 2 : 1;
}

void DrawChartSheetPage(QPainter& painter, const QRectF& page, const ChartView& chart, int index) {
  painter.save();
  const double scale =
      std::min(page.width() / kSheetSize.width(), page.height() / kSheetSize.height());
  painter.translate(page.center());
  painter.scale(scale, scale);
  painter.translate(-kSheetSize.width() / 2.0, -kSheetSize.height() / 2.0);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);

  DrawPageHead(painter, chart,
               index == 0 ? QStringLiteral("Natal chart") : QStringLiteral("Aspects"));
  if (index == 0) {
    DrawDetails(painter, chart);
    DrawSigns(painter, chart);
    DrawFurtherPoints(painter, chart);
    const QSizeF wheelSize = wheel::kPictureSize * kWheelScale;
    const QRectF wheelBox(QPointF((kSheetSize.width() - wheelSize.width()) / 2.0, kWheelTop),
                          wheelSize);
    DrawWheel(painter, wheelBox, chart.wheel, chart);
    DrawPositions(painter, chart, wheelBox.bottom() + 14);
  } else if (chart.aspects) {
    DrawAspectGrid(painter, *chart.aspects);
    DrawAspectList(painter, *chart.aspects);
  }
  painter.restore();
}

SheetPages ChartSheetPages(const ChartView& chart) {
  SheetPages pages;
  pages.pageSize = kSheetSize;
  pages.count = SheetPageCount(chart);
  pages.title = QString::fromStdString(chart.name).trimmed();
  pages.description = QStringLiteral("Natal chart made by Zodivane");
  pages.draw = [&chart](QPainter& painter, const QRectF& page, int index) {
    DrawChartSheetPage(painter, page, chart, index);
  };
  return pages;
}

QByteArray RenderChartSheet(const ChartView& chart, SheetFormat format, double pngScale) {
  return RenderSheetPages(ChartSheetPages(chart), format, pngScale);
}

std::optional<QString> WriteChartSheet(const QString& path, const ChartView& chart,
                                       double pngScale) {
  return WriteSheetPages(path, ChartSheetPages(chart), pngScale);
}

QString SuggestedSheetFileName(const ChartView& chart, SheetFormat format) {
  // The same name as the chart file's, so that a person's files sort together.
  const QString name = look::FromUtf8(FileNameStem(chart.name));
  return name + SheetFileExtension(format);
}

}  // namespace zodivane::ui
