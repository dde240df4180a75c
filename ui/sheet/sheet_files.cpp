// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sheet/sheet_files.h"

#include <QBuffer>
#include <QColor>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QPen>
#include <QSvgGenerator>

#include <cmath>
#include <cstdio>

#include "ui/sheet/sheet_text.h"
#include "ui/sheet/whole_file.h"

namespace zodivane::ui {
namespace {

/// The size of a PNG or SVG of the sheet: its pages one under the other.
QSizeF ImageSize(const SheetPages& pages) {
  return {pages.pageSize.width(), pages.pageSize.height() * pages.count};
}

/// Every page, one under the other, at `scale` times the page's size.
void DrawStackedPages(QPainter& painter, const SheetPages& pages, double scale) {
  const QSizeF page = pages.pageSize * scale;
  for (int index = 0; index < pages.count; ++index) {
    pages.draw(painter, QRectF(QPointF(0, page.height() * index), page), index);
    if (index > 0) {
      // A fine rule where one page ends and the next begins.
      painter.setPen(QPen(kSheetRule, 1.0));
      painter.drawLine(QPointF(0, page.height() * index),
                       QPointF(page.width(), page.height() * index));
    }
  }
}

}  // namespace

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

QString SheetFileExtension(SheetFormat format) {
  switch (format) {
    case SheetFormat::Pdf:
      return QStringLiteral(".pdf");
    case SheetFormat::Png:
      return QStringLiteral(".png");
    case SheetFormat::Svg:
      return QStringLiteral(".svg");
  }
  return {};
}

QByteArray RenderSheetPages(const SheetPages& pages, SheetFormat format, double pngScale) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  switch (format) {
    case SheetFormat::Pdf: {
      QPdfWriter writer(&buffer);
      writer.setPageSize(QPageSize(QPageSize::A4));
      writer.setPageMargins(QMarginsF(0, 0, 0, 0));
      writer.setTitle(pages.title);
      writer.setCreator(QStringLiteral("Zodivane"));
      QPainter painter;
      if (!painter.begin(&writer)) {
        return {};
      }
      for (int index = 0; index < pages.count; ++index) {
        if (index > 0) {
          writer.newPage();
        }
        pages.draw(painter, QRectF(0, 0, writer.width(), writer.height()), index);
      }
      painter.end();
      break;
    }
    case SheetFormat::Png: {
      const QSize size = (ImageSize(pages) * pngScale).toSize();
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
        DrawStackedPages(painter, pages, pngScale);
      }
      if (!image.save(&buffer, "PNG")) {
        return {};
      }
      break;
    }
    case SheetFormat::Svg: {
      QSvgGenerator generator;
      generator.setOutputDevice(&buffer);
      generator.setSize(ImageSize(pages).toSize());
      generator.setViewBox(QRectF(QPointF(0, 0), ImageSize(pages)));
      generator.setResolution(96);
      // The generator writes the title and the description into the XML as
      // they are: "&" or "<" in a name must reach it escaped.
      generator.setTitle(pages.title.toHtmlEscaped());
      generator.setDescription(pages.description.toHtmlEscaped());
      QPainter painter;
      if (!painter.begin(&generator)) {
        return {};
      }
      DrawStackedPages(painter, pages, 1.0);
      painter.end();
      break;
    }
  }
  return bytes;
}

std::optional<QString> WriteSheetPages(const QString& path, const SheetPages& pages,
                                       double pngScale) {
  if (path == QStringLiteral("-")) {
    // Standard output: the sheet as a PDF.
    const QByteArray pdf = RenderSheetPages(pages, SheetFormat::Pdf, pngScale);
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
  const QByteArray bytes = RenderSheetPages(pages, *format, pngScale);
  if (bytes.isEmpty()) {
    return QStringLiteral("The chart could not be drawn in this format.");
  }
  return WriteWholeFile(path, bytes);
}

}  // namespace zodivane::ui
