// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sheet/chart_sheet_headless.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>
#include <QtGlobal>

#include <csignal>
#include <memory>

#include "ui/sheet/chart_sheet.h"

namespace zodivane::ui {
namespace {

/// Drops Qt's own warnings while it lives (a missing runtime folder, font
/// notes): the tool reports its failures itself.
class QuietQt {
 public:
  QuietQt() : previous_(qInstallMessageHandler(Drop)) {}
  ~QuietQt() { qInstallMessageHandler(previous_); }
  QuietQt(const QuietQt&) = delete;
  QuietQt& operator=(const QuietQt&) = delete;

 private:
  static void Drop(QtMsgType /*type*/, const QMessageLogContext& /*context*/,
                   const QString& /*message*/) {}
  QtMessageHandler previous_;
};

/// While it lives, a write beyond the file-size limit fails with a reason
/// instead of ending the program.
class WritesMayFail {
 public:
  WritesMayFail() : previous_(std::signal(SIGXFSZ, SIG_IGN)) {}
  ~WritesMayFail() { std::signal(SIGXFSZ, previous_); }
  WritesMayFail(const WritesMayFail&) = delete;
  WritesMayFail& operator=(const WritesMayFail&) = delete;

 private:
  void (*previous_)(int);
};

}  // namespace

std::optional<std::string> ExportChartSheetHeadless(const std::string& path,
                                                    const ChartView& chart) {
  const QuietQt quiet;
  const WritesMayFail writes;
  // The application lives for this call only; its arguments outlive it.
  int argc = 1;
  char name[] = "zodivane-chart";
  char* argv[] = {name, nullptr};
  std::unique_ptr<QGuiApplication> application;
  if (QCoreApplication::instance() == nullptr) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application = std::make_unique<QGuiApplication>(argc, argv);
  }
  const std::optional<QString> failure = WriteChartSheet(QString::fromStdString(path), chart);
  if (failure) {
    return failure->toStdString();
  }
  return std::nullopt;
}

}  // namespace zodivane::ui
