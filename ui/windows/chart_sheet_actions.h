// SPDX-License-Identifier: GPL-3.0-or-later
// Export Chart… and Print Chart… of the main window: the chart sheet to a
// PDF, PNG or SVG file chosen in the save dialog, or to a printer.
#pragma once

#include <QString>

#include "chart/chart_driver.h"
#include "ui/platform/platform.h"
#include "ui/sheet/sheet_files.h"

class QPrinter;
class QWidget;

namespace zodivane::ui {

/// The dialogs and message boxes the sheet's actions use; all outlive them.
struct ChartSheetServices {
  MessageBoxes& messages;
  SaveFileDialog& saveDialog;
  PrintDialog& printDialog;
};

/// How the save dialog opens for Export Chart…: a PDF named after the person.
[[nodiscard]] SaveDialogSettings ExportChartSettings(const ChartView& chart);

/// Export Chart…: asks for a file and writes the sheet in the format of its
/// extension. A name the user leaves without an extension gets ".pdf". A
/// failed write names the file and the reason and leaves an existing file
/// as it was. True when a file was written.
bool ExportChart(QWidget* parent, const ChartView& chart, ChartSheetServices services);

/// Prints the sheet on `printer`, a page for each of its pages. False when the printer could
/// not be started.
bool PrintChartSheet(QPrinter& printer, const ChartView& chart);

/// Print Chart…: the print dialog, then the sheet. True when printed.
bool PrintChart(QWidget* parent, const ChartView& chart, ChartSheetServices services);

/// Export of any sheet, as Export Chart… does it: asks for a file with
/// `settings` and writes `pages` in the format of its extension. True when
/// a file was written.
bool ExportSheet(QWidget* parent, const SheetPages& pages, const SaveDialogSettings& settings,
                 ChartSheetServices services);

/// Prints `pages` on `printer`, one printed page each. False when the
/// printer could not be started.
bool PrintSheetPages(QPrinter& printer, const SheetPages& pages);

/// Print of any sheet, as Print Chart… does it. True when printed.
bool PrintSheet(QWidget* parent, const SheetPages& pages, ChartSheetServices services);

}  // namespace zodivane::ui
