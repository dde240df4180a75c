// SPDX-License-Identifier: GPL-3.0-or-later
// The platform services of the windows as the running program provides them.
#pragma once

#include <QString>

#include "ui/platform/platform.h"

namespace zodivane::ui {

/// Message boxes titled "Zodivane", drawn by Qt.
class QtMessageBoxes final : public MessageBoxes {
 public:
  void ShowNotice(QWidget* parent, const QString& text, MessageIcon icon) override;
  bool AskYesNo(QWidget* parent, const QString& text) override;
};

/// Opens addresses with the desktop's default browser; never waits for it.
class DesktopWebBrowser final : public WebBrowser {
 public:
  bool OpenWebPage(const QUrl& address) override;
};

/// The per-user settings store of the organisation and application
/// "zodivane". Keys may name a section: "Settings/LastReminder".
class QtSettingsStore final : public SettingsStore {
 public:
  std::optional<QString> Read(const QString& key) override;
  void Write(const QString& key, const QString& value) override;
};

/// Today's date and now from the system clock, local time.
class SystemClock final : public Clock {
 public:
  QDate Today() override;
  QDateTime Now() override;
};

/// The platform's save dialog. A name typed without an extension gets the
/// default suffix, and the overwrite question is asked about that file.
class QtSaveFileDialog final : public SaveFileDialog {
 public:
  /// Opens in the user's documents folder, then in the folder used last.
  std::optional<QString> AskSavePath(QWidget* parent, const SaveDialogSettings& settings) override;
  [[nodiscard]] QString folder() const;

 private:
  static std::optional<QString> AskSavePathIn(QWidget* parent, const SaveDialogSettings& settings,
                                              const QString& folder);
  QString lastFolder_;
};

/// The platform's open dialog: one existing file.
class QtOpenFileDialog final : public OpenFileDialog {
 public:
  /// Opens in the user's documents folder, then in the folder used last.
  std::optional<QString> AskOpenPath(QWidget* parent, const OpenDialogSettings& settings) override;
  [[nodiscard]] QString folder() const;

 private:
  QString lastFolder_;
};

/// The platform's printer dialog.
class QtPrintDialog final : public PrintDialog {
 public:
  bool AskPrinter(QWidget* parent, QPrinter& printer, bool hasSelection) override;
};

}  // namespace zodivane::ui
