// SPDX-License-Identifier: GPL-3.0-or-later
// The few services of the platform that the windows use, behind small
// interfaces so that tests can replace them: message boxes, the browser,
// the settings store, the clock and the open, save and print dialogs.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QUrl>

#include <optional>

#include "common/notice.h"

class QPrinter;
class QWidget;

namespace zodivane::ui {

/// Message boxes titled "Zodivane".
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  /// A notice with a single OK button; returns when the user has closed it.
  virtual void ShowNotice(QWidget* parent, const QString& text, MessageIcon icon) = 0;
  /// A Yes/No question with the information icon; true for Yes.
  virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
};

/// Opens an address in the user's browser without waiting for it.
class WebBrowser {
 public:
  virtual ~WebBrowser() = default;
  /// Hands the address to the browser; false when no browser could be started.
  virtual bool OpenWebPage(const QUrl& address) = 0;
};

/// The per-user settings store, for the one value the program keeps.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<QString> Read(const QString& key) = 0;
  virtual void Write(const QString& key, const QString& value) = 0;
};

/// Today's date, and the present moment in the computer's own time zone.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual QDate Today() = 0;
  /// Now, with the computer's time zone (QDateTime::timeZone names it).
  virtual QDateTime Now() = 0;
};

/// How the save dialog is set up.
struct SaveDialogSettings {
  QString title;            ///< the dialog's title
  QString filter;           ///< the one file filter, "description (*.ext)"
  QString defaultSuffix;    ///< added to a name typed without an extension, no dot
  bool confirmOverwrite{};  ///< ask before an existing file is replaced
  bool pathMustExist{};     ///< the chosen folder must exist
  QString suggestedName;    ///< the file name the dialog opens with; empty for none
};

/// The file-save dialog.
class SaveFileDialog {
 public:
  virtual ~SaveFileDialog() = default;
  /// The chosen path, or none when the user cancelled.
  virtual std::optional<QString> AskSavePath(QWidget* parent,
                                             const SaveDialogSettings& settings) = 0;
};

/// How the open dialog is set up.
struct OpenDialogSettings {
  QString title;   ///< the dialog's title
  QString filter;  ///< the one file filter, "description (*.ext)"
};

/// The file-open dialog.
class OpenFileDialog {
 public:
  virtual ~OpenFileDialog() = default;
  /// The chosen existing file, or none when the user cancelled.
  virtual std::optional<QString> AskOpenPath(QWidget* parent,
                                             const OpenDialogSettings& settings) = 0;
};

/// The printer dialog.
class PrintDialog {
 public:
  virtual ~PrintDialog() = default;
  /// Lets the user set up `printer`; false when the user cancelled. The
  /// page-range entry is off; the selection entry is on, and chosen at the
  /// start when `hasSelection`. The chosen range is left in `printer`.
  virtual bool AskPrinter(QWidget* parent, QPrinter& printer, bool hasSelection) = 0;
};

}  // namespace zodivane::ui
