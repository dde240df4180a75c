// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sheet/chart_sheet.h"

#include <QBuffer>
#include <QColor>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "common/form_rules.h"
#include "ui/look/look_geometry.h"
#include "ui/sheet/wheel_layout.h"
#include "ui/sheet/whole_file.h"

namespace zodivane::ui {
namespace {

// Lengths are sheet units: pixels at 96 to the inch on kSheetSize.
constexpr double kMargin = 40.0;
constexpr double kColumnGap = 40.0;
constexpr double kRightColumn = kSheetSize.width() / 2.0 + kColumnGap / 2.0;
constexpr double kWheelScale = 1.42;  ///< the wheel at 1.42 times its size on the results form
constexpr double kWheelTop = 296.0;

using look::colours::kDetailsText;
const QColor kInk{0, 0, 0};
const QColor kRule{110, 75, 51};  ///< the wheel drawing's brown
using look::FromUtf8;
using look::colours::kBlue;
using look::colours::kNavy;
using look::colours::kRed;

/// Verdana (DejaVu Sans where it is missing) at `pixels` sheet units.
QFont SheetFont(int pixels, bool bold = false) {
  QFont font = look::VerdanaFamily();
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

/// Draws `text` on one line in `box`, cut with "…" where it does not fit.
void DrawLine(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
              const QColor& colour, Qt::Alignment alignment = Qt::AlignLeft) {
  painter.setFont(font);
  painter.setPen(colour);
  const QString shown = QFontMetricsF(font).elidedText(text, Qt::ElideRight, box.width());
  painter.drawText(box, static_cast<int>(alignment | Qt::AlignVCenter) | Qt::TextSingleLine, shown);
}

/// A length in twips as whole pixels of the wheel picture.
double Px(int twips) {
  return static_cast<double>(look::Px(twips));
}

/// The wheel as the results form shows it, in `target`.
void DrawWheel(QPainter& painter, const QRectF& target, const WheelView& wheelView) {
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(target.width() / wheel::kPictureSize.width(),
                target.height() / wheel::kPictureSize.height());
  QSvgRenderer artwork(wheel::kWheelArtwork);
  artwork.render(&painter, QRectF(QPointF(0, 0), wheel::kPictureSize));

  const QFont numberFont = SheetFont(16);
  const QFont listFont = SheetFont(11);
  for (const wheel::WheelPlace& place : wheel::kWheelPlaces) {
    const auto position = static_cast<std::size_t>(place.house - 1);
    const int picture = wheelView.pictures ? (*wheelView.pictures)[position] : place.designSign + 1;
    QSvgRenderer glyph(wheel::SignArtwork(picture));
    const double glyphSize = Px(wheel::kSignImageSize);
    glyph.render(&painter,
                 QRectF(Px(place.signImage.left), Px(place.signImage.top), glyphSize, glyphSize));

    const QString number = QString::number(place.house);
    const double width = Px(number.size() == 1 ? wheel::kHouseNumberWidthOneDigit
                                               : wheel::kHouseNumberWidthTwoDigits);
    painter.setFont(numberFont);
    painter.setPen(kInk);
    painter.drawText(QRectF(Px(place.houseNumber.left), Px(place.houseNumber.top), width,
                            Px(wheel::kHouseNumberHeight)),
                     Qt::AlignCenter | Qt::TextDontClip, number);

    const wheel::HouseListLayout list = wheel::LayOutHouseList(
        static_cast<int>(position), wheel::EntryTexts(wheelView.houseEntries[position]), listFont);
    wheel::PaintHouseList(painter, list, kBlue);
  }
  painter.restore();
}

/// Draws `text` in `box`, wrapped at word boundaries onto as many lines as
/// the box holds; returns the height the text took (at least one line).
double DrawWrapped(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                   const QColor& colour) {
  painter.setFont(font);
  painter.setPen(colour);
  const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
  const QRectF needed = QFontMetricsF(font).boundingRect(box, flags, text);
  const double height = std::min(box.height(), std::max(needed.height(), 0.0));
  painter.drawText(QRectF(box.left(), box.top(), box.width(), height), flags, text);
  return height;
}

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
  DrawLine(painter, QRectF(left, top, kSheetSize.width() / 2.0 - kMargin, 20), text,
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
    DrawLine(painter, QRectF(kMargin, top, kCaptionWidth, kRowStep), FromUtf8(row.caption),
             SheetFont(11), kDetailsText);
    // A long value wraps onto further lines rather than being cut.
    const double used = DrawWrapped(
        painter, QRectF(kMargin + kCaptionWidth, top + 1, valueWidth, kDetailsBottom - top),
        QString::fromStdString(*row.value), SheetFont(11, true), kDetailsText);
    top += std::max(kRowStep, used + 1);
  }
  if (!chart.zoneWarning.empty()) {
    DrawWrapped(
        painter,
        QRectF(kRightColumn, kWheelTop - 34, kSheetSize.width() - kMargin - kRightColumn, 34),
        QStringLiteral("\u26A0 ") + QString::fromStdString(chart.zoneWarning), SheetFont(10, true),
        kRed);
  }
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
  const double width = kSheetSize.width() - kMargin - kRightColumn;
  for (const auto& [caption, value] : pairs) {
    DrawLine(painter, QRectF(kRightColumn, top, width, 20), FromUtf8(caption), SheetFont(13, true),
             kInk);
    DrawLine(painter, QRectF(kRightColumn, top + 20, width, 20), value, SheetFont(13), kInk);
    top += 44;
  }
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
    DrawLine(painter, QRectF(left, rowTop, 100, kRowStep), FromUtf8(kChartPointNames[index]),
             SheetFont(13, true), kInk);
    DrawLine(painter, QRectF(left + 104, rowTop, 90, kRowStep),
             QString::fromStdString(chart.positions[index]), SheetFont(13), kInk);
    if (chart.points[index].retrograde) {
      DrawLine(painter, QRectF(left + 196, rowTop, 60, kRowStep), QStringLiteral("(R)"),
               SheetFont(13, true), kRed);
    }
  }
}

}  // namespace

void DrawChartSheet(QPainter& painter, const QRectF& page, const ChartView& chart) {
  painter.save();
  const double scale =
      std::min(page.width() / kSheetSize.width(), page.height() / kSheetSize.height());
  painter.translate(page.center());
  painter.scale(scale, scale);
  painter.translate(-kSheetSize.width() / 2.0, -kSheetSize.height() / 2.0);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);

  const double width = kSheetSize.width() - 2 * kMargin;
  // A long name goes onto two lines in a smaller size rather than being cut.
  const QString name = QString::fromStdString(chart.name);
  const QRectF nameBox(kMargin, kMargin - 8, width * 0.75, 36);
  if (QFontMetricsF(SheetFont(24, true)).horizontalAdvance(name) <= nameBox.width()) {
    DrawLine(painter, nameBox, name, SheetFont(24, true), kNavy);
  } else {
    DrawWrapped(painter, nameBox, name, SheetFont(14, true), kNavy);
  }
  DrawLine(painter, QRectF(kMargin + width * 0.75, kMargin - 8, width * 0.25, 36),
           QStringLiteral("Natal chart"), SheetFont(12), kRule, Qt::AlignRight);
  painter.setPen(QPen(kRule, 1.0));
  painter.drawLine(QPointF(kMargin, 76), QPointF(kSheetSize.width() - kMargin, 76));

  DrawDetails(painter, chart);
  DrawSigns(painter, chart);

  const QSizeF wheelSize = wheel::kPictureSize * kWheelScale;
  const QRectF wheelBox(QPointF((kSheetSize.width() - wheelSize.width()) / 2.0, kWheelTop),
                        wheelSize);
  DrawWheel(painter, wheelBox, chart.wheel);

  DrawPositions(painter, chart, wheelBox.bottom() + 14);
  painter.restore();
}

std::optional<SheetFormat> SheetFormatOfPath(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QStringLiteral("pdf")) {
    return SheetFormat::Pdf;
  }
  if (suffix == QStringLiteral("png")) {
    return SheetFormat::Png;
  }
  if (suffix == QStringLiteral("svg")) {
    return SheetFormat::Svg;
  }
  return std::nullopt;
}

QByteArray RenderChartSheet(const ChartView& chart, SheetFormat format, double pngScale) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const QString title = QString::fromStdString(chart.name).trimmed();
  switch (format) {
    case SheetFormat::Pdf: {
      QPdfWriter writer(&buffer);
      writer.setPageSize(QPageSize(QPageSize::A4));
      writer.setPageMargins(QMarginsF(0, 0, 0, 0));
      writer.setTitle(title);
      writer.setCreator(QStringLiteral("Zodivane"));
      QPainter painter;
      if (!painter.begin(&writer)) {
        return {};
      }
      DrawChartSheet(painter, QRectF(0, 0, writer.width(), writer.height()), chart);
      painter.end();
      break;
    }
    case SheetFormat::Png: {
      const QSize size = (kSheetSize * pngScale).toSize();
      QImage image(size, QImage::Format_ARGB32_Premultiplied);
      if (image.isNull()) {
        return {};
      }
      image.fill(Qt::white);
      const int dotsPerMetre = static_cast<int>(std::lround(96.0 * pngScale / 0.0254));
      image.setDotsPerMeterX(dotsPerMetre);
      image.setDotsPerMeterY(dotsPerMetre);
      {
        QPainter painter(&image);
        DrawChartSheet(painter, QRectF(QPointF(0, 0), QSizeF(size)), chart);
      }
      if (!image.save(&buffer, "PNG")) {
        return {};
      }
      break;
    }
    case SheetFormat::Svg: {
      QSvgGenerator generator;
      generator.setOutputDevice(&buffer);
      generator.setSize(kSheetSize.toSize());
      generator.setViewBox(QRectF(QPointF(0, 0), kSheetSize));
      generator.setResolution(96);
      generator.setTitle(title);
      generator.setDescription(QStringLiteral("Natal chart made by Zodivane"));
      QPainter painter;
      if (!painter.begin(&generator)) {
        return {};
      }
      DrawChartSheet(painter, QRectF(QPointF(0, 0), kSheetSize), chart);
      painter.end();
      break;
    }
  }
  return bytes;
}

std::optional<QString> WriteChartSheet(const QString& path, const ChartView& chart,
                                       double pngScale) {
  if (path == QStringLiteral("-")) {
    // Standard output: the sheet as a PDF.
    const QByteArray pdf = RenderChartSheet(chart, SheetFormat::Pdf, pngScale);
    const bool written = !pdf.isEmpty() &&
                         std::fwrite(pdf.constData(), 1, static_cast<std::size_t>(pdf.size()),
                                     stdout) == static_cast<std::size_t>(pdf.size()) &&
                         std::fflush(stdout) == 0;
    return written ? std::nullopt
                   : std::optional<QString>(QStringLiteral("standard output could not be written"));
  }
  const std::optional<SheetFormat> format = SheetFormatOfPath(path);
  if (!format) {
    return QStringLiteral("The file name must end in .pdf, .png or .svg.");
  }
  const QByteArray bytes = RenderChartSheet(chart, *format, pngScale);
  if (bytes.isEmpty()) {
    return QStringLiteral("The chart could not be drawn in this format.");
  }
  return WriteWholeFile(path, bytes);
}

QString SuggestedSheetFileName(const ChartView& chart, SheetFormat format) {
  // The same name as the chart file's, so that a person's files sort together.
  const QString name = look::FromUtf8(FileNameStem(chart.name));
  switch (format) {
    case SheetFormat::Pdf:
      return name + QStringLiteral(".pdf");
    case SheetFormat::Png:
      return name + QStringLiteral(".png");
    case SheetFormat::Svg:
      return name + QStringLiteral(".svg");
  }
  return name;
}

}  // namespace zodivane::ui
