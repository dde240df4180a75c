// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/chart_sheet_actions.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>

#include <optional>

#include "ui/sheet/chart_sheet.h"

namespace zodivane::ui {

SaveDialogSettings ExportChartSettings(const ChartView& chart) {
  SaveDialogSettings settings;
  settings.title = QStringLiteral("Export Chart");
  settings.filter = QStringLiteral("Chart sheet (*.pdf *.png *.svg)");
  settings.defaultSuffix = QStringLiteral("pdf");
  settings.confirmOverwrite = true;
  settings.pathMustExist = true;
  settings.suggestedName = SuggestedSheetFileName(chart, SheetFormat::Pdf);
  return settings;
}

bool ExportChart(QWidget* parent, const ChartView& chart, ChartSheetServices services) {
  return ExportSheet(parent, ChartSheetPages(chart), ExportChartSettings(chart), services);
}

bool PrintChartSheet(QPrinter& printer, const ChartView& chart) {
  return PrintSheetPages(printer, ChartSheetPages(chart));
}

bool PrintChart(QWidget* parent, const ChartView& chart, ChartSheetServices services) {
  return PrintSheet(parent, ChartSheetPages(chart), services);
}

bool ExportSheet(QWidget* parent, const SheetPages& pages, const SaveDialogSettings& settings,
                 ChartSheetServices services) {
  const std::optional<QString> path = services.saveDialog.AskSavePath(parent, settings);
  if (!path || path->isEmpty()) {
    return false;
  }
  const std::optional<QString> failure = WriteSheetPages(*path, pages);
  if (failure) {
    services.messages.ShowNotice(parent,
                                 QStringLiteral("The chart could not be saved to %1.\n%2")
                                     .arg(QDir::toNativeSeparators(*path), *failure),
                                 MessageIcon::Critical);
    return false;
  }
  return true;
}

bool PrintSheetPages(QPrinter& printer, const SheetPages& pages) {
  printer.setDocName(pages.title);
  QPainter painter;
  if (!painter.begin(&printer)) {
    return false;
  }
  const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
  for (int index = 0; index < pages.count; ++index) {
    if (index > 0 && !printer.newPage()) {
      painter.end();
      return false;
    }
    pages.draw(painter, page, index);
  }
  return painter.end();
}

bool PrintSheet(QWidget* parent, const SheetPages& pages, ChartSheetServices services) {
  QPrinter printer(QPrinter::HighResolution);
  if (!services.printDialog.AskPrinter(parent, printer, false)) {
    return false;
  }
  if (!PrintSheetPages(printer, pages)) {
    services.messages.ShowNotice(parent, QStringLiteral("The chart could not be printed."),
                                 MessageIcon::Critical);
    return false;
  }
  return true;
}

}  // namespace zodivane::ui
