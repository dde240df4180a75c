// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sheet/sheet_pages.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>

namespace zodivane::ui {
namespace {

const QColor kRule{110, 75, 51};  ///< the wheel drawing's brown

/// The size of a PNG or SVG of the sheet: its pages one under the other.
QSizeF StackedSize(const SheetPages& sheet) {
  return {kSheetSize.width(), kSheetSize.height() * sheet.count};
}

/// Every page, one under the other, at `scale` times the sheet's size.
void DrawStackedPages(QPainter& painter, const SheetPages& sheet, double scale) {
  const QSizeF page = kSheetSize * scale;
  for (int index = 0; index < sheet.count; ++index) {
    sheet.draw(painter, QRectF(QPointF(0, page.height() * index), page), index);
    if (index > 0) {
      // A fine rule where one page ends and the next begins.
      painter.setPen(QPen(kRule, 1.0));
      painter.drawLine(QPointF(0, page.height() * index),
                       QPointF(page.width(), page.height() * index));
    }
  }
}

}  // namespace

QByteArray RenderSheetPages(const SheetPages& sheet, SheetFormat format, double pngScale) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  switch (format) {
    case SheetFormat::Pdf: {
      QPdfWriter writer(&buffer);
      writer.setPageSize(QPageSize(QPageSize::A4));
      writer.setPageMargins(QMarginsF(0, 0, 0, 0));
      writer.setTitle(sheet.title);
      writer.setCreator(QStringLiteral("Zodivane"));
      QPainter painter;
      if (!painter.begin(&writer)) {
        return {};
      }
      for (int index = 0; index < sheet.count; ++index) {
        if (index > 0) {
          writer.newPage();
        }
        sheet.draw(painter, QRectF(0, 0, writer.width(), writer.height()), index);
      }
      painter.end();
      break;
    }
    case SheetFormat::Png: {
      const QSize size = (StackedSize(sheet) * pngScale).toSize();
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
        DrawStackedPages(painter, sheet, pngScale);
      }
      if (!image.save(&buffer, "PNG")) {
        return {};
      }
      break;
    }
    case SheetFormat::Svg: {
      QSvgGenerator generator;
      generator.setOutputDevice(&buffer);
      generator.setSize(StackedSize(sheet).toSize());
      generator.setViewBox(QRectF(QPointF(0, 0), StackedSize(sheet)));
      generator.setResolution(96);
      generator.setTitle(sheet.title);
      generator.setDescription(sheet.description);
      QPainter painter;
      if (!painter.begin(&generator)) {
        return {};
      }
      DrawStackedPages(painter, sheet, 1.0);
      painter.end();
      break;
    }
  }
  return bytes;
}

}  // namespace zodivane::ui
