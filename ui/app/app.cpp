// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/app.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QStyleFactory>
#include <QTimer>

#include "ui/app/shell.h"
#include "ui/app/snapshots.h"
#include "ui/look/look.h"
#include "ui/platform/platform_qt.h"
#include "ui/windows/frm_save.h"

namespace zodivane::ui {

namespace {

const QString kIconResource = QStringLiteral(":/assets/zodivane.svg");

}  // namespace

int RunProgram(QApplication& app) {
  QElapsedTimer sinceMain;
  sinceMain.start();
  QApplication::setApplicationName(QStringLiteral("zodivane"));
  QApplication::setOrganizationName(QStringLiteral("zodivane"));
  QApplication::setApplicationVersion(QStringLiteral(ZODIVANE_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("zodivane"));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  // Every window, message boxes and menus included, uses Verdana.
  QApplication::setFont(look::VerdanaFont(look::points::kBody));
  if (QFile::exists(kIconResource)) {
    QApplication::setWindowIcon(QIcon(kIconResource));
  }

  // Hidden options for the documentation and the measurements:
  // --screenshot FOLDER and --measure. Both run on their own settings and lock.
  const QStringList arguments = app.arguments();
  const qsizetype option = arguments.indexOf(QStringLiteral("--screenshot"));
  const bool measure = arguments.contains(QStringLiteral("--measure"));
  const bool screenshots = (option > 0 && option + 1 < arguments.size()) || measure;

  QtMessageBoxes messages;
  DesktopWebBrowser browser;
  QtSettingsStore userSettings;
  MemorySettingsStore runSettings;
  SystemClock clock;
  SettingsStore& settings = screenshots ? static_cast<SettingsStore&>(runSettings) : userSettings;
  if (screenshots) {
    runSettings.Write(kLastReminderKey, clock.Today().toString(QStringLiteral("yyyy-MM-dd")));
  }

  // The lock of the screenshots and measurements sits beside the program's own.
  QString lockPath = DefaultLockPath();
  if (screenshots && !lockPath.isEmpty()) {
    lockPath = QFileInfo(lockPath).dir().filePath(QStringLiteral("zodivane-screenshot.lock"));
  }
  Shell shell(ShellServices{messages, browser, settings, clock}, lockPath);
#if !ZODIVANE_UPDATE_REMINDER
  shell.TurnOffUpdateReminder();
#endif
  QtSaveFileDialog saveDialog;
  QtPrintDialog printDialog;
  QtOpenFileDialog openDialog;
  shell.EnableChartFiles(openDialog, saveDialog);
  shell.SetReportWindow([&shell, &messages, &saveDialog, &printDialog](MDI& main) {
    OpenReportWindow(main, ReportWindowServices{shell.Links(), messages, saveDialog, printDialog});
  });
  shell.SetChartSheetServices(ChartSheetServices{messages, saveDialog, printDialog});
  if (!shell.ProgramStart(screenshots ? QString() : ChartFileArgument(arguments))) {
    return 0;
  }
  if (measure) {
    MeasureOnceShown(shell, sinceMain);
  } else if (screenshots) {
    const QDir folder(arguments.at(option + 1));
    QTimer::singleShot(300, &shell, [&shell, folder] { TakeScreenshots(shell, folder); });
  }
  return app.exec();
}

}  // namespace zodivane::ui
