// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sheet/synastry_sheet.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <string>

#include "aspects/aspect_report.h"
#include "common/form_rules.h"
#include "ui/look/look_geometry.h"
#include "ui/sheet/aspect_marks.h"
#include "ui/sheet/bi_wheel.h"
#include "ui/sheet/sheet_files.h"
#include "ui/sheet/sheet_text.h"

namespace zodivane::ui {
namespace {

// Lengths are sheet units: pixels at 96 to the inch on kSheetSize.
constexpr double kMargin = 40.0;
constexpr double kColumnGap = 40.0;
constexpr double kHalf = (kSheetSize.width() - 2 * kMargin - kColumnGap) / 2.0;
const QColor kOuterColour{128, 0, 96};  ///< the second person, as the bi-wheel draws them
using look::FromUtf8;
using look::colours::kDetailsText;
using look::colours::kNavy;
using look::colours::kRed;

QString Name(const ChartView& chart) {
  const QString name = FromUtf8(chart.name).trimmed();
  return name.isEmpty() ? QStringLiteral("(no name)") : name;
}

QString PointName(std::size_t index) {
  return FromUtf8(AspectPointName(static_cast<ChartPoint>(index)));
}

void DrawPageHead(QPainter& painter, const SynastrySheet& sheet, const QString& title) {
  const double width = kSheetSize.width() - 2 * kMargin;
  DrawSheetLine(painter, QRectF(kMargin, kMargin - 8, width * 0.75, 36),
                Name(sheet.first) + QStringLiteral(" & ") + Name(sheet.second), SheetFont(20, true),
                kNavy);
  DrawSheetLine(painter, QRectF(kMargin + width * 0.75, kMargin - 8, width * 0.25, 36), title,
                SheetFont(12), kSheetRule, Qt::AlignRight);
  painter.setPen(QPen(kSheetRule, 1.0));
  painter.drawLine(QPointF(kMargin, 76), QPointF(kSheetSize.width() - kMargin, 76));
}

/// Where a person's lines start and how many there are (DrawPerson).
constexpr double kPersonLinesTop = 130;
constexpr int kPersonLines = 4;

/// One person's details in a column: the role and name, then the birth,
/// the place, the coordinates, the three signs and the zone's warning.
void DrawPerson(QPainter& painter, double left, const QString& role, const ChartView& chart,
                const QColor& colour) {
  DrawSheetLine(painter, QRectF(left, 88, kHalf, 18), role, SheetFont(11), kDetailsText);
  DrawSheetLine(painter, QRectF(left, 106, kHalf, 22), Name(chart), SheetFont(15, true), colour);
  QStringList place;
  for (const std::string* part : {&chart.city, &chart.state, &chart.country}) {
    if (!part->empty()) {
      place.append(FromUtf8(*part));
    }
  }
  const QString lines[] = {
      SynastryBirthText(chart),
      place.join(QStringLiteral(", ")),
      FromUtf8(chart.latitude) + QStringLiteral("   ") + FromUtf8(chart.longitude),
      QStringLiteral("Ascendant %1, Sun %2, Moon %3")
          .arg(FromUtf8(chart.ascendantSign.value_or(std::string())),
               FromUtf8(chart.sunSign.value_or(std::string())), FromUtf8(chart.moonSign)),
  };
  double top = kPersonLinesTop;
  for (const QString& line : lines) {
    DrawSheetLine(painter, QRectF(left, top, kHalf, 16), line, SheetFont(11), kSheetInk);
    top += 16;
  }
  DrawSheetWarning(painter,
                   QRectF(left, top + 2, kHalf, SheetWarningHeight(kHalf, chart.zoneWarning)),
                   chart.zoneWarning);
}

/// Both persons' positions, point by point, under the bi-wheel.
void DrawPositions(QPainter& painter, const SynastrySheet& sheet, double top) {
  DrawSheetLine(painter, QRectF(kMargin, top, kHalf, 20), QStringLiteral("Positions"),
                SheetFont(14, true), kNavy);
  constexpr double kRowStep = 18;
  constexpr int kFirstColumnRows = 6;
  for (int point = 0; point < kChartPointCount; ++point) {
    const auto index = static_cast<std::size_t>(point);
    const bool second = point >= kFirstColumnRows;
    const double left = second ? kMargin + kHalf + kColumnGap : kMargin;
    const double rowTop = top + 26 + kRowStep * (second ? point - kFirstColumnRows : point);
    DrawSheetLine(painter, QRectF(left, rowTop, 90, kRowStep), PointName(index),
                  SheetFont(12, true), kSheetInk);
    const auto position = [&](const ChartView& chart, double at, const QColor& colour) {
      QString text = QString::fromStdString(chart.positions[index]);
      if (chart.points[index].retrograde) {
        text += QStringLiteral(" (R)");
      }
      DrawSheetLine(painter, QRectF(at, rowTop, 110, kRowStep), text, SheetFont(12), colour);
    };
    position(sheet.first, left + 92, kSheetInk);
    position(sheet.second, left + 206, kOuterColour);
  }
}

void DrawChartsPage(QPainter& painter, const SynastrySheet& sheet) {
  DrawPerson(painter, kMargin, QStringLiteral("Inside the wheel"), sheet.first, kNavy);
  DrawPerson(painter, kMargin + kHalf + kColumnGap, QStringLiteral("Around the wheel"),
             sheet.second, kOuterColour);
  const BiWheelView view = SynastryBiWheel(sheet);
  // Below the longer of the two warnings, if any.
  const double warnings = std::max(SheetWarningHeight(kHalf, sheet.first.zoneWarning),
                                   SheetWarningHeight(kHalf, sheet.second.zoneWarning));
  const double wheelTop = std::max(206.0, kPersonLinesTop + kPersonLines * 16 + 2 + warnings + 4);
  constexpr double kWheelSide = 650;
  DrawBiWheel(painter,
              QRectF((kSheetSize.width() - kWheelSide) / 2.0, wheelTop, kWheelSide, kWheelSide),
              view);
  DrawPositions(painter, sheet, wheelTop + kWheelSide + 12);
}

void DrawAspectsPage(QPainter& painter, const SynastrySheet& sheet) {
  DrawSheetLine(painter, QRectF(kMargin, 96, kSheetSize.width() - 2 * kMargin, 20),
                QStringLiteral("Aspects between the charts, orb 6\u00B0 (%1 first, %2 second)")
                    .arg(Name(sheet.first), Name(sheet.second)),
                SheetFont(14, true), kNavy);
  std::vector<CrossAspect> sorted = sheet.aspects;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const CrossAspect& a, const CrossAspect& b) { return a.orb < b.orb; });
  const double top = 128;
  const double bottom = kSheetSize.height() - kMargin;
  const int rows = std::max(1, static_cast<int>((sorted.size() + 1) / 2));
  const double step = std::min(20.0, (bottom - top) / rows);
  const QFont font = SheetFont(step >= 16 ? 12 : 9);
  for (std::size_t index = 0; index < sorted.size(); ++index) {
    const CrossAspect& aspect = sorted[index];
    const int row = static_cast<int>(index) % rows;
    const double left = kMargin + (static_cast<int>(index) / rows) * (kHalf + kColumnGap);
    const double rowTop = top + row * step;
    DrawSheetLine(painter, QRectF(left, rowTop, 70, step), PointName(aspect.first), font,
                  kSheetInk);
    DrawSheetLine(painter, QRectF(left + 72, rowTop, 24, step), AspectGlyph(aspect.kind), font,
                  AspectColour(aspect.kind), Qt::AlignCenter);
    DrawSheetLine(painter, QRectF(left + 98, rowTop, 70, step), PointName(aspect.second), font,
                  kOuterColour);
    // Wide enough for the longest name, "sesquiquadrate".
    DrawSheetLine(painter, QRectF(left + 170, rowTop, 104, step),
                  FromUtf8(InfoOf(aspect.kind).name), font, kSheetInk);
    DrawSheetLine(painter, QRectF(left + 276, rowTop, 46, step), OrbText(aspect.orb), font,
                  kSheetInk, Qt::AlignRight);
    DrawSheetLine(painter, QRectF(left + 326, rowTop, 12, step),
                  aspect.applying ? QStringLiteral("a") : QStringLiteral("s"), font, kDetailsText);
  }
  if (sorted.empty()) {
    DrawSheetLine(painter, QRectF(kMargin, top, kHalf, 18), QStringLiteral("No aspects"),
                  SheetFont(12), kSheetInk);
  }
  DrawSheetLine(painter, QRectF(kMargin, bottom, kSheetSize.width() - 2 * kMargin, 16),
                QStringLiteral("a applying, s separating; the second person's points in colour"),
                SheetFont(10), kDetailsText);
}

}  // namespace

QString SynastryBirthText(const ChartView& chart) {
  const CivilMoment& clock = chart.birthClock;
  const QString month = clock.month >= 1 && clock.month <= kMonthCount
                            ? FromUtf8(kMonthNames[static_cast<std::size_t>(clock.month - 1)])
                            : QString();
  const QString date = QStringLiteral("%1 %2 %3").arg(clock.day).arg(month).arg(clock.year);
  QString text = date + QStringLiteral(", %1:%2")
                            .arg(clock.hour, 2, 10, QLatin1Char('0'))
                            .arg(clock.minute, 2, 10, QLatin1Char('0'));
  if (!chart.zoneUsedShort.empty()) {
    text += QStringLiteral(", ") + FromUtf8(chart.zoneUsedShort);
  }
  if (!chart.universalTime.empty()) {
    QString universal = FromUtf8(chart.universalTime);
    const QString sameDay = date + QStringLiteral(", ");
    if (universal.startsWith(sameDay)) {
      universal.remove(0, sameDay.size());
    }
    text += QStringLiteral(" = ") + universal;
  }
  return text;
}

bool SameBirth(const ChartView& first, const ChartView& second) {
  return first.universalTime == second.universalTime && first.latitude == second.latitude &&
         first.longitude == second.longitude && first.positions == second.positions;
}

BiWheelView SynastryBiWheel(const SynastrySheet& sheet) {
  BiWheelView view;
  view.inner = sheet.first;
  view.inner.aspects.reset();  // the lines between the two charts only
  view.outer = OuterBodiesOfChart(sheet.second.points);
  view.outerColour = kOuterColour;
  for (const CrossAspect& aspect : sheet.aspects) {
    CrossAspect line = aspect;
    line.first = aspect.second;  // the outer ring's body
    line.second = aspect.first;  // the inner chart's point
    view.lines.push_back(line);
  }
  return view;
}

void DrawSynastrySheetPage(QPainter& painter, const QRectF& page, const SynastrySheet& sheet,
                           int index) {
  painter.save();
  const double scale =
      std::min(page.width() / kSheetSize.width(), page.height() / kSheetSize.height());
  painter.translate(page.center());
  painter.scale(scale, scale);
  painter.translate(-kSheetSize.width() / 2.0, -kSheetSize.height() / 2.0);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  DrawPageHead(painter, sheet, index == 0 ? QStringLiteral("Synastry") : QStringLiteral("Aspects"));
  if (index == 0) {
    DrawChartsPage(painter, sheet);
  } else {
    DrawAspectsPage(painter, sheet);
  }
  painter.restore();
}

namespace {

SheetPages SynastrySheetPages(const SynastrySheet& sheet) {
  SheetPages pages;
  pages.pageSize = kSheetSize;
  pages.count = kSynastrySheetPages;
  pages.draw = [&sheet](QPainter& painter, const QRectF& page, int index) {
    DrawSynastrySheetPage(painter, page, sheet, index);
  };
  pages.title = Name(sheet.first) + QStringLiteral(" & ") + Name(sheet.second);
  pages.description = QStringLiteral("Synastry made by Zodivane");
  return pages;
}

}  // namespace

QByteArray RenderSynastrySheet(const SynastrySheet& sheet, SheetFormat format, double pngScale) {
  return RenderSheetPages(SynastrySheetPages(sheet), format, pngScale);
}

std::optional<QString> WriteSynastrySheet(const QString& path, const SynastrySheet& sheet,
                                          double pngScale) {
  return WriteSheetPages(path, SynastrySheetPages(sheet), pngScale);
}

QString SuggestedSynastryFileName(const SynastrySheet& sheet, SheetFormat format) {
  const QString name = FromUtf8(FileNameStem(sheet.first.name)) + QStringLiteral(" and ") +
                       FromUtf8(FileNameStem(sheet.second.name));
  return name + SheetFileExtension(format);
}

}  // namespace zodivane::ui
