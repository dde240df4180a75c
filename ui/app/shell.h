// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and navigation: one running copy, the update reminder, the input
// form first, the results in the main window, Back, and the end of the program.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "chart/chart_driver.h"
#include "report/rtf_writer.h"
#include "ui/platform/platform.h"
#include "ui/platform/web_links.h"
#include "ui/windows/chart_sheet_actions.h"

class QLocalServer;
class QLocalSocket;

namespace zodivane::ui {

class ChartFiles;
class frmMain;
class MDI;

/// The key of the update reminder's date in the settings store (section
/// "Settings"); the value is an ISO date, "yyyy-MM-dd".
inline const QString kLastReminderKey = QStringLiteral("Settings/LastReminder");

/// The question of the update reminder, two lines.
inline const QString kUpdateQuestion = QStringLiteral(
    "There maybe an update to this software available\nDo you want to check for an update?");

/// At most once every fifteen days, offers to open the download page.
/// A first run only stores today's date; an unreadable stored date makes
/// it do nothing and store nothing.
void UpdateReminder(SettingsStore& settings, Clock& clock, MessageBoxes& messages, WebLinks& links);

/// The chart file named on the command line: the first argument after the
/// program's name that is not an option (nor the folder of --screenshot);
/// empty when there is none.
[[nodiscard]] QString ChartFileArgument(const QStringList& arguments);

/// Where the running copy keeps its lock: "zodivane.lock" in the folder of
/// this user's own that PrivateRuntimeFolder gives; empty, with the reason
/// written on standard error, when there is none (the program then runs
/// without the lock and the socket).
[[nodiscard]] QString DefaultLockPath();

/// The platform services the shell and its windows use; all outlive the shell.
struct ShellServices {
  MessageBoxes& messages;
  WebBrowser& browser;
  SettingsStore& settings;
  Clock& clock;
};

class Shell : public QObject {
  Q_OBJECT

 public:
  /// `lockPath` names the lock that marks a running copy; `endProcess` ends
  /// the process once every window is closed (the event loop's quit).
  explicit Shell(ShellServices services, QString lockPath = DefaultLockPath(),
                 std::function<void()> endProcess = {});
  ~Shell() override;

  /// Refuses a second copy, runs the update reminder and shows the input
  /// form. False when another copy runs: nothing was shown but the refusal.
  /// A `chartFile` given is then opened as File > Open Chart opens it.
  bool ProgramStart(const QString& chartFile = {});

  /// Offers chart files (Open, Save, Recent Charts) in the File menus of the
  /// input form and of each main window; call before ProgramStart.
  void EnableChartFiles(OpenFileDialog& openDialog, SaveFileDialog& saveDialog) {
    openDialog_ = &openDialog;
    saveDialog_ = &saveDialog;
  }
  /// The chart files of the windows; none unless enabled and started.
  [[nodiscard]] ChartFiles* Charts() const noexcept { return charts_.get(); }

  /// Shows a cast chart: a new main window with a fresh results form, the
  /// chart in it, the main window shown and the input form hidden.
  void ShowResults(const zodivane::ChartView& chart);

  /// Closes every window, visible or hidden, and ends the process.
  void QuitProgram();

  /// Leaves the update reminder out of the start (a distribution's package
  /// manager brings the updates).
  void TurnOffUpdateReminder() noexcept { updateReminder_ = false; }

  /// What Print opens over the main window (the report window); none by default.
  void SetReportWindow(std::function<void(MDI&)> openReport) {
    openReport_ = std::move(openReport);
  }

  /// What Export Chart… and Print Chart… of the main window use; without
  /// them both stay disabled.
  void SetChartSheetServices(ChartSheetServices services) { sheetServices_.emplace(services); }

  [[nodiscard]] frmMain* InputForm() const noexcept { return input_.get(); }
  [[nodiscard]] MDI* MainWindow() const noexcept;
  [[nodiscard]] ChartSession& Session() noexcept { return session_; }
  [[nodiscard]] WebLinks& Links() noexcept { return links_; }

 private:
  /// Back: the main window has closed; the input form returns with its entries.
  void ShowInputForm();
  /// Listens beside the lock for the files that later starts hand over.
  void ListenForFiles();
  /// Reads a later start's message from `socket` into `received`; a whole
  /// one is answered and its file waits in handedFiles_.
  void TakeHandedFile(QLocalSocket* socket, QByteArray& received);
  /// Whether a handed file may open now: no modal dialog, menu or nested
  /// event loop runs (an opened chart replaces the results window).
  [[nodiscard]] static bool ReadyForHandedFile();
  /// Opens the handed files, one after the other, once ReadyForHandedFile;
  /// this copy comes to the front.
  void OpenHandedFiles();
  /// Hands `chartFile` to the running copy; true when it took it.
  bool HandToRunningCopy(const QString& chartFile);
  /// The aspect settings last chosen, or the defaults.
  [[nodiscard]] AspectSettings ChosenAspectSettings();
  /// The aspect settings of the chart in the form: those of the chart file
  /// it came from, when it names any, else ChosenAspectSettings.
  [[nodiscard]] AspectSettings ShownAspectSettings();
  /// The engine last chosen ("Chart/Ephemeris"), or the built-in method.
  [[nodiscard]] Ephemeris ChosenEphemeris();
  /// After a cast the chosen engine refused: Chart > Aspect Settings… on
  /// the engine choice, over the results window where it is shown, else
  /// over the input form (the choice then kept for the next cast).
  void ChooseEphemerisAgain();
  /// The last chart's aspects under `settings` in `window`: the panel, and
  /// the report's section after the `planets` paragraphs.
  void ShowAspects(MDI& window, const std::vector<StyledRun>& planets,
                   const AspectSettings& settings);

  ShellServices services_;
  WebLinks links_;
  ChartSession session_;
  QLockFile instanceLock_;
  /// Where later starts hand over their file: beside the lock, this user's only.
  std::unique_ptr<QLocalServer> handoff_;
  /// Files later starts handed over that wait for the dialogs to close.
  QStringList handedFiles_;
  std::function<void()> endProcess_;
  std::function<void(MDI&)> openReport_;
  std::optional<ChartSheetServices> sheetServices_;
  std::unique_ptr<frmMain> input_;
  OpenFileDialog* openDialog_ = nullptr;
  SaveFileDialog* saveDialog_ = nullptr;
  std::unique_ptr<ChartFiles> charts_;
  QPointer<MDI> main_;
  bool quitting_ = false;
  bool updateReminder_ = true;
};

}  // namespace zodivane::ui
