// SPDX-License-Identifier: GPL-3.0-or-later
// Chart files in the windows: File > Open Chart..., Save Chart... and Recent
// Charts in the input form and the main window. Opening fills the input form
// and casts the chart as Proceed does; saving writes the form's entries.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

#include "chartfile/chart_file.h"
#include "ui/platform/platform.h"

class QMenu;
class QWidget;

namespace zodivane::ui {

class frmMain;

/// The key of the recent chart files in the settings store: their paths,
/// the most recent first, one a line (a path with a line feed is not kept).
inline const QString kRecentChartsKey = QStringLiteral("Charts/Recent");
/// How many recent chart files the menu offers.
inline constexpr int kMostRecentCharts = 8;

/// The services chart files use; all outlive the object.
struct ChartFileServices {
  MessageBoxes& messages;
  SettingsStore& settings;
  OpenFileDialog& openDialog;
  SaveFileDialog& saveDialog;
};

class ChartFiles : public QObject {
  Q_OBJECT

 public:
  /// Works on the input form `form`, which outlives the object.
  ChartFiles(frmMain& form, ChartFileServices services, QObject* parent = nullptr);

  /// Adds a separator, "Open Chart..." (Ctrl+O), "Save Chart..." and the
  /// "Recent Charts" submenu below the items of `fileMenu`; `window` owns
  /// the menu and is the parent of the dialogs and messages.
  void AddMenuItems(QMenu& fileMenu, QWidget& window);

  /// Opens the file at `path`: fills the input form and casts the chart as
  /// Proceed does, under the file's aspect settings when it names any
  /// (FileAspectSettings) without changing the user's remembered ones. A file that cannot be read
  /// or is no chart file is reported and changes nothing; false then, and when the chart is
  /// rejected (its message shown, the form left filled). Messages go over
  /// `parent`.
  bool Open(const QString& path, QWidget* parent);
  /// Asks for a chart file and opens it.
  void AskAndOpen(QWidget* parent);
  /// Asks where to save the form's entries and saves them there. False when
  /// cancelled or the file could not be written (the reason is shown).
  bool AskAndSave(QWidget* parent);

  /// The aspect settings of the chart file opened last, while `entries`
  /// are still that file's and until ForgetFileAspectSettings; none when the
  /// file named none (the user's own settings apply).
  [[nodiscard]] std::optional<AspectSettings> FileAspectSettings(const FormEntries& entries) const;
  /// The user chose aspect settings: from now on they apply to the chart
  /// opened last too.
  void ForgetFileAspectSettings() noexcept { fileAspectsInUse_ = false; }

  /// The recent chart files that still exist, the most recent first.
  [[nodiscard]] QStringList RecentCharts();

  /// The message shown when a file cannot be opened: its name and what is wrong.
  [[nodiscard]] static QString OpenFailureText(const QString& path, const QString& reason);
  /// The message shown when a file cannot be saved: its name and the reason.
  [[nodiscard]] static QString SaveFailureText(const QString& path, const QString& reason);

 signals:
  /// A file was opened and its chart rejected: the input form, filled, is
  /// to be shown for correction.
  void Rejected();

 private:
  void Remember(const QString& path);
  void FillRecentMenu(QMenu& menu, QWidget& window);

  frmMain& form_;
  ChartFileServices services_;
  /// Every Recent Charts menu made, with its window: each is filled again
  /// when the list changes (a disabled menu never asks to be filled).
  std::vector<std::pair<QPointer<QMenu>, QPointer<QWidget>>> recentMenus_;
  /// The file opened last, for the keys a newer version wrote and the
  /// chosen place, written back when its entries are saved again.
  std::optional<chartfile::ChartFile> opened_;
  /// Whether the aspect settings of opened_ apply to its chart.
  bool fileAspectsInUse_ = false;
};

}  // namespace zodivane::ui
