// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/snapshots.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <memory>

#include "ui/app/shell.h"
#include "ui/windows/frm_about.h"
#include "ui/windows/frm_aspect_settings.h"
#include "ui/windows/frm_main.h"
#include "ui/windows/frm_save.h"
#include "ui/windows/frm_synastry.h"
#include "ui/windows/frm_transit_calendar.h"
#include "ui/windows/frm_transits.h"
#include "ui/windows/mdi.h"

namespace zodivane::ui {

namespace {

/// Fills the input form with a sample birth (New Delhi, 5 March 1980, 7:05).
void FillSampleBirth(frmMain& form) {
  form.findChild<QLineEdit*>(QStringLiteral("txtName"))->setText(QStringLiteral("ASHA MEHRA"));
  form.findChild<QComboBox*>(QStringLiteral("cboMonth"))->setCurrentIndex(2);
  form.findChild<QComboBox*>(QStringLiteral("cboDate"))->setCurrentIndex(4);
  form.findChild<QComboBox*>(QStringLiteral("cboYear"))->setCurrentText(QStringLiteral("1980"));
  form.findChild<QComboBox*>(QStringLiteral("cboHH"))->setCurrentIndex(7);
  form.findChild<QComboBox*>(QStringLiteral("cboMM"))->setCurrentIndex(5);
  form.findChild<QComboBox*>(QStringLiteral("cmbTimeZone"))->setCurrentIndex(34);
  form.findChild<QLineEdit*>(QStringLiteral("txtLatD"))->setText(QStringLiteral("28"));
  form.findChild<QLineEdit*>(QStringLiteral("txtLatM"))->setText(QStringLiteral("38"));
  form.findChild<QLineEdit*>(QStringLiteral("txtLonD"))->setText(QStringLiteral("77"));
  form.findChild<QLineEdit*>(QStringLiteral("txtLonM"))->setText(QStringLiteral("12"));
  form.findChild<QLineEdit*>(QStringLiteral("txtMCity"))->setText(QStringLiteral("New Delhi"));
  form.findChild<QLineEdit*>(QStringLiteral("txtMState"))->setText(QStringLiteral("Delhi"));
  form.findChild<QLineEdit*>(QStringLiteral("txtMCountry"))->setText(QStringLiteral("India"));
  form.findChild<QLineEdit*>(QStringLiteral("txtName"))->setFocus();
}

/// A second person for Compare With (Ravi Kumar, Mumbai, 21 June 1982, 18:40).
constexpr const char* kSecondChartFile = R"({
  "zodivane": 1,
  "txtName": "RAVI KUMAR",
  "cboMonthIndex": 5,
  "cboDateIndex": 20,
  "cboDateText": "21",
  "cboYearText": "1982",
  "cboHHText": "18",
  "cboMMText": "40",
  "cmbTimeZoneIndex": 34,
  "txtLatD": "19",
  "txtLatM": "4",
  "txtLonD": "72",
  "txtLonM": "52",
  "optEast": true,
  "optSouth": false,
  "chkDST": false,
  "txtMCity": "Mumbai",
  "txtMState": "Maharashtra",
  "txtMCountry": "India"
}
)";

/// Saves `window` as `name`.png in `folder`.
void Save(QWidget& window, const QDir& folder, const QString& name) {
  window.grab().save(folder.filePath(name + QStringLiteral(".png")));
}

/// Milliseconds since the process started (from the kernel's record of its
/// start, 10 ms steps); -1 where unknown.
double MillisecondsSinceProcessStart() {
  QFile stat(QStringLiteral("/proc/self/stat"));
  if (!stat.open(QIODevice::ReadOnly)) {
    return -1;
  }
  const QByteArray line = stat.readAll();
  const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
  constexpr int kStartTimeField = 19;  // field 22 of the line, counted after the name
  timespec now{};
  if (fields.size() <= kStartTimeField || clock_gettime(CLOCK_BOOTTIME, &now) != 0) {
    return -1;
  }
  const double ticksPerSecond = static_cast<double>(sysconf(_SC_CLK_TCK));
  const double startSeconds = fields[kStartTimeField].toDouble() / ticksPerSecond;
  const double nowSeconds =
      static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
  return (nowSeconds - startSeconds) * 1000.0;
}

/// Calls `onPainted` once, when `window` is first painted.
class FirstPaint : public QObject {
 public:
  FirstPaint(QWidget& window, std::function<void()> onPainted)
      : QObject(&window), onPainted_(std::move(onPainted)) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && onPainted_) {
      auto done = std::move(onPainted_);
      onPainted_ = nullptr;
      QTimer::singleShot(0, this, done);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> onPainted_;
};

/// Prints the start-up times, then times a Proceed to the results shown,
/// prints it with the peak memory, and ends the program.
void Measure(Shell& shell, const QElapsedTimer& sinceMain) {
  const double startMs = MillisecondsSinceProcessStart();
  const double mainMs = static_cast<double>(sinceMain.nsecsElapsed()) / 1e6;
  std::printf("start to input form shown: %.0f ms since process start, %.1f ms since main\n",
              startMs, mainMs);
  frmMain& form = *shell.InputForm();
  FillSampleBirth(form);
  auto proceed = std::make_shared<QElapsedTimer>();
  proceed->start();
  form.cmdRashi_Click();
  MDI* results = shell.MainWindow();
  if (results == nullptr) {
    shell.QuitProgram();
    return;
  }
  new FirstPaint(*results, [&shell, proceed] {
    std::printf("Proceed to results shown: %.1f ms\n",
                static_cast<double>(proceed->nsecsElapsed()) / 1e6);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    std::fflush(stdout);
    shell.QuitProgram();
  });
}

}  // namespace

void TakeScreenshots(Shell& shell, const QDir& folder) {
  frmMain& form = *shell.InputForm();
  FillSampleBirth(form);
  QApplication::processEvents();
  Save(form, folder, QStringLiteral("input-form"));

  frmAbout about(shell.Links(), &form);
  about.show();
  QApplication::processEvents();
  Save(about, folder, QStringLiteral("about"));
  about.close();

  form.cmdRashi_Click();
  QApplication::processEvents();
  if (MDI* results = shell.MainWindow()) {
    QApplication::processEvents();
    Save(*results, folder, QStringLiteral("main-window"));
    if (auto* lines = results->findChild<QAction*>(QStringLiteral("mnuAspectLines"))) {
      lines->trigger();
      QApplication::processEvents();
      if (auto* wheel = results->findChild<QWidget*>(QStringLiteral("picNatal"))) {
        Save(*wheel, folder, QStringLiteral("wheel-aspect-lines"));
      }
      lines->trigger();
    }
    if (auto* points = results->findChild<QAction*>(QStringLiteral("mnuPointsInWheel"))) {
      points->trigger();
      QApplication::processEvents();
      Save(*results, folder, QStringLiteral("main-window-points"));
      if (auto* wheel = results->findChild<QWidget*>(QStringLiteral("picNatal"))) {
        Save(*wheel, folder, QStringLiteral("wheel-points"));
      }
      points->trigger();
    }
    results->Command1_Click();
    QApplication::processEvents();
    if (auto* report = results->findChild<frmSave*>()) {
      Save(*report, folder, QStringLiteral("report-window"));
      report->close();
    }
    // Chart > Transit Calendar… over a fixed year, so that the picture stays the same.
    results->mnuTransitCalendar_Click();
    QApplication::processEvents();
    if (auto* calendar = results->findChild<frmTransitCalendar*>()) {
      calendar->findChild<QDateEdit*>(QStringLiteral("dtpTo"))->setDate(QDate(2026, 12, 31));
      calendar->findChild<QDateEdit*>(QStringLiteral("dtpFrom"))->setDate(QDate(2026, 1, 1));
      calendar->resize(1000, 640);
      QApplication::processEvents();
      Save(*calendar, folder, QStringLiteral("transit-calendar"));
      calendar->close();
    }
    // Chart > Compare With… a second person's chart file.
    const QTemporaryDir temporary;
    const QString second = temporary.filePath(QStringLiteral("ravi-kumar.zchart"));
    QFile file(second);
    if (temporary.isValid() && file.open(QIODevice::WriteOnly) &&
        file.write(kSecondChartFile) > 0) {
      file.close();
      results->CompareWith(second);
      QApplication::processEvents();
      if (auto* synastry = results->findChild<frmSynastry*>()) {
        Save(*synastry, folder, QStringLiteral("synastry"));
        // Its sheet, as Export… writes it.
        (void)WriteSynastrySheet(folder.filePath(QStringLiteral("synastry-sheet.png")),
                                 synastry->Sheet(), 1.0);
        synastry->close();
      }
    }
    frmAspectSettings settings(DefaultAspectSettings(), results);
    settings.show();
    QApplication::processEvents();
    Save(settings, folder, QStringLiteral("aspect-settings"));
    settings.close();
    results->mnuTransits_Click();
    QApplication::processEvents();
    if (auto* transits = results->findChild<frmTransits*>()) {
      QApplication::processEvents();
      Save(*transits, folder, QStringLiteral("transits"));
      // The transit sheet as its PDF's page shows it.
      if (WriteTransitSheet(folder.filePath(QStringLiteral("transit-sheet.png")), transits->Sheet(),
                            1.0)) {
        std::fprintf(stderr, "the transit sheet could not be written\n");
      }
      transits->close();
    }
  }
  shell.QuitProgram();
}

void MeasureOnceShown(Shell& shell, const QElapsedTimer& sinceMain) {
  new FirstPaint(*shell.InputForm(), [&shell, sinceMain] { Measure(shell, sinceMain); });
}

}  // namespace zodivane::ui
