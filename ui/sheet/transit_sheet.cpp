// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sheet/transit_sheet.h"

#include <QColor>
#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <string>

#include "common/form_rules.h"
#include "ui/look/look_geometry.h"
#include "ui/sheet/aspect_marks.h"
#include "ui/sheet/chart_sheet.h"
#include "ui/sheet/sheet_text.h"

namespace zodivane::ui {
namespace {

using look::FromUtf8;

// Lengths are sheet units: pixels at 96 to the inch on kSheetSize.
constexpr double kMargin = 40.0;
constexpr double kColumnGap = 40.0;
constexpr double kRightColumn = kSheetSize.width() / 2.0 + kColumnGap / 2.0;
constexpr double kDetailsTop = 96.0;
constexpr double kWheelTop = 218.0;
constexpr double kWheelSide = 540.0;

using look::colours::kDetailsText;
using look::colours::kNavy;

/// "5 March 1980, 07:05".
QString BirthMoment(const CivilMoment& clock) {
  const QString month = clock.month >= 1 && clock.month <= kMonthCount
                            ? FromUtf8(kMonthNames[static_cast<std::size_t>(clock.month - 1)])
                            : QString();
  return QStringLiteral("%1 %2 %3, %4:%5")
      .arg(clock.day)
      .arg(month)
      .arg(clock.year)
      .arg(clock.hour, 2, 10, QLatin1Char('0'))
      .arg(clock.minute, 2, 10, QLatin1Char('0'));
}

/// "New Delhi, Delhi, India": the place's parts that are filled in.
QString PlaceText(const ChartView& chart) {
  QStringList parts;
  for (const std::string* part : {&chart.city, &chart.state, &chart.country}) {
    if (!part->empty()) {
      parts.append(QString::fromStdString(*part));
    }
  }
  return parts.join(QStringLiteral(", "));
}

struct DetailRow {
  const char* caption;
  QString value;
};

/// A heading and rows of caption and value, from `top` in the column at `left`.
void DrawDetails(QPainter& painter, double left, const QString& heading,
                 const std::vector<DetailRow>& rows) {
  const double width = kSheetSize.width() / 2.0 - kMargin - kColumnGap / 2.0;
  DrawSheetLine(painter, QRectF(left, kDetailsTop, width, 20), heading, SheetFont(14, true), kNavy);
  constexpr double kCaptionWidth = 96;
  constexpr double kRowStep = 16;
  double top = kDetailsTop + 24;
  for (const DetailRow& row : rows) {
    DrawSheetLine(painter, QRectF(left, top, kCaptionWidth, kRowStep),
                  QString::fromLatin1(row.caption), SheetFont(11), kDetailsText);
    DrawSheetLine(painter, QRectF(left + kCaptionWidth, top, width - kCaptionWidth, kRowStep),
                  row.value, SheetFont(11, true), kDetailsText);
    top += kRowStep;
  }
}

void DrawHead(QPainter& painter, const TransitSheet& sheet) {
  const double width = kSheetSize.width() - 2 * kMargin;
  DrawSheetLine(painter, QRectF(kMargin, kMargin - 8, width * 0.75, 36),
                QString::fromStdString(sheet.wheel.inner.name), SheetFont(24, true), kNavy);
  DrawSheetLine(painter, QRectF(kMargin + width * 0.75, kMargin - 8, width * 0.25, 36),
                QStringLiteral("Transits"), SheetFont(12), kSheetRule, Qt::AlignRight);
  painter.setPen(QPen(kSheetRule, 1.0));
  painter.drawLine(QPointF(kMargin, 76), QPointF(kSheetSize.width() - kMargin, 76));
}

void DrawList(QPainter& painter, const TransitSheet& sheet, double headTop) {
  DrawSheetLine(painter, QRectF(kMargin, headTop, kSheetSize.width() - 2 * kMargin, 20),
                QStringLiteral("Transits to the natal chart (orb %1\u00B0)").arg(kTransitOrb),
                SheetFont(14, true), kNavy);
  const std::vector<CrossAspect> sorted = TransitsByOrb(sheet.aspects);
  const double top = headTop + 26;
  const double bottom = kSheetSize.height() - kMargin;
  const int rows = std::max(1, static_cast<int>((sorted.size() + 1) / 2));
  const double step = std::min(17.0, (bottom - top) / rows);
  const double columnWidth = (kSheetSize.width() - 2 * kMargin - kColumnGap) / 2.0;
  const QFont font = SheetFont(step >= 15 ? 11 : 9);
  for (std::size_t index = 0; index < sorted.size(); ++index) {
    const CrossAspect& aspect = sorted[index];
    const int row = static_cast<int>(index) % rows;
    const double left = kMargin + (static_cast<int>(index) / rows) * (columnWidth + kColumnGap);
    const double rowTop = top + row * step;
    const QString body = FromUtf8(kChartPointNames[aspect.first]);
    const QString natal = aspect.second < sheet.natal.size()
                              ? QString::fromStdString(sheet.natal[aspect.second].name)
                              : QString();
    DrawSheetLine(painter, QRectF(left, rowTop, 64, step), body, font, kSheetInk);
    DrawSheetLine(painter, QRectF(left + 64, rowTop, 20, step), AspectGlyph(aspect.kind), font,
                  AspectColour(aspect.kind), Qt::AlignCenter);
    DrawSheetLine(painter, QRectF(left + 86, rowTop, 98, step), FromUtf8(InfoOf(aspect.kind).name),
                  font, kSheetInk);
    DrawSheetLine(painter, QRectF(left + 186, rowTop, 76, step), natal, font, kSheetInk);
    DrawSheetLine(painter, QRectF(left + 262, rowTop, 46, step), OrbText(aspect.orb), font,
                  kSheetInk, Qt::AlignRight);
    DrawSheetLine(painter, QRectF(left + 312, rowTop, 12, step),
                  aspect.applying ? QStringLiteral("a") : QStringLiteral("s"), font, kDetailsText);
  }
  if (sorted.empty()) {
    DrawSheetLine(painter, QRectF(kMargin, top, columnWidth, 18), QStringLiteral("No aspects"),
                  SheetFont(11), kSheetInk);
  }
}

}  // namespace

QString TransitSpeech(const CrossAspect& aspect, const std::vector<NatalPoint>& natal) {
  const OrbParts orb = OrbPartsOf(aspect.orb);
  const auto count = [](int number, const char* unit) {
    return QStringLiteral("%1 %2%3")
        .arg(number)
        .arg(QLatin1String(unit))
        .arg(number == 1 ? QString() : QStringLiteral("s"));
  };
  const QString body =
      aspect.first < kChartPointNames.size() ? FromUtf8(kChartPointNames[aspect.first]) : QString();
  const QString point =
      aspect.second < natal.size() ? QString::fromStdString(natal[aspect.second].name) : QString();
  QString speech =
      QStringLiteral("Transiting ") + body + QLatin1Char(' ') + FromUtf8(InfoOf(aspect.kind).name) +
      QStringLiteral(" natal ") + point + QStringLiteral(", orb ") + count(orb.degrees, "degree") +
      QLatin1Char(' ') + count(orb.minutes, "minute") +
      (aspect.applying ? QStringLiteral(", applying") : QStringLiteral(", separating"));
  if (aspect.outOfSign) {
    speech += QStringLiteral(", out of sign");
  }
  return speech;
}

std::vector<CrossAspect> TransitsByOrb(std::vector<CrossAspect> aspects) {
  std::stable_sort(aspects.begin(), aspects.end(),
                   [](const CrossAspect& a, const CrossAspect& b) { return a.orb < b.orb; });
  return aspects;
}

void DrawTransitSheet(QPainter& painter, const QRectF& page, const TransitSheet& sheet) {
  painter.save();
  const double scale =
      std::min(page.width() / kSheetSize.width(), page.height() / kSheetSize.height());
  painter.translate(page.center());
  painter.scale(scale, scale);
  painter.translate(-kSheetSize.width() / 2.0, -kSheetSize.height() / 2.0);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);

  DrawHead(painter, sheet);
  const ChartView& natal = sheet.wheel.inner;
  DrawDetails(painter, kMargin, QStringLiteral("Natal chart"),
              {{"Born :", BirthMoment(natal.birthClock)},
               {"Zone :", QString::fromStdString(natal.zoneUsedShort)},
               {"Universal Time :", QString::fromStdString(natal.universalTime)},
               {"Place :", PlaceText(natal)},
               {"Coordinates :", QString::fromStdString(natal.latitude) + QStringLiteral(", ") +
                                     QString::fromStdString(natal.longitude)}});
  DrawDetails(painter, kRightColumn, QStringLiteral("Transits"),
              {{"Moment :", sheet.localMoment},
               {"Zone :", sheet.zone},
               {"Universal Time :", sheet.universalTime},
               {"Positions :", sheet.engine}});
  // The natal chart's zone warning across the page under both columns; the
  // wheel and the list move down by the room it takes.
  constexpr double kWarningTop = kDetailsTop + 24 + 5 * 16 + 4;
  const double warningWidth = kSheetSize.width() - 2 * kMargin;
  const double warning =
      DrawSheetWarning(painter,
                       QRectF(kMargin, kWarningTop, warningWidth,
                              SheetWarningHeight(warningWidth, natal.zoneWarning)),
                       natal.zoneWarning);
  const double wheelTop = warning > 0 ? std::max(kWheelTop, kWarningTop + warning + 4) : kWheelTop;
  const QRectF wheelBox((kSheetSize.width() - kWheelSide) / 2.0, wheelTop, kWheelSide, kWheelSide);
  DrawBiWheel(painter, wheelBox, sheet.wheel);
  DrawList(painter, sheet, wheelBox.bottom() + 14);
  painter.restore();
}

SheetPages TransitSheetPages(const TransitSheet& sheet) {
  SheetPages pages;
  pages.pageSize = kSheetSize;
  pages.count = 1;
  pages.title =
      QString::fromStdString(sheet.wheel.inner.name).trimmed() + QStringLiteral(": transits");
  pages.description = QStringLiteral("Transits made by Zodivane");
  pages.draw = [&sheet](QPainter& painter, const QRectF& page, int /*index*/) {
    DrawTransitSheet(painter, page, sheet);
  };
  return pages;
}

std::optional<QString> WriteTransitSheet(const QString& path, const TransitSheet& sheet,
                                         double pngScale) {
  return WriteSheetPages(path, TransitSheetPages(sheet), pngScale);
}

QString SuggestedTransitSheetFileName(const TransitSheet& sheet, const QDate& date,
                                      SheetFormat format) {
  const QString name = FromUtf8(FileNameStem(sheet.wheel.inner.name)) +
                       QStringLiteral("-transits-") + date.toString(Qt::ISODate);
  return name + SheetFileExtension(format);
}

}  // namespace zodivane::ui
