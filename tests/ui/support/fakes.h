// SPDX-License-Identifier: GPL-3.0-or-later
// Test doubles of the platform services: they record what the windows ask
// of them and answer from the test's script.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QPrinter>
#include <QString>
#include <QTimeZone>
#include <QUrl>

#include <map>
#include <optional>
#include <vector>

#include "ui/platform/platform.h"

namespace zodivane::ui::testing {

struct ShownNotice {
  QString text;
  MessageIcon icon;
  friend bool operator==(const ShownNotice&, const ShownNotice&) = default;
};

class FakeMessageBoxes final : public MessageBoxes {
 public:
  void ShowNotice(QWidget* /*parent*/, const QString& text, MessageIcon icon) override {
    notices.push_back({text, icon});
  }
  bool AskYesNo(QWidget* /*parent*/, const QString& text) override {
    questions.push_back(text);
    return answerYes;
  }

  std::vector<ShownNotice> notices;
  std::vector<QString> questions;
  bool answerYes = false;
};

class FakeWebBrowser final : public WebBrowser {
 public:
  bool OpenWebPage(const QUrl& address) override {
    opened.push_back(address);
    return starts;
  }
  std::vector<QUrl> opened;
  bool starts = true;  ///< false: no browser can be started
};

class FakeSettingsStore final : public SettingsStore {
 public:
  std::optional<QString> Read(const QString& key) override {
    const auto found = values.find(key);
    return found == values.end() ? std::nullopt : std::optional<QString>(found->second);
  }
  void Write(const QString& key, const QString& value) override {
    values[key] = value;
    ++writes;
  }
  std::map<QString, QString> values;
  int writes = 0;
};

class FakeClock final : public Clock {
 public:
  QDate Today() override { return today; }
  QDateTime Now() override { return now; }
  QDate today{2026, 12, 10};
  /// 10 December 2026, 9:30 in Central European Time (8:30 UT).
  QDateTime now{QDate(2026, 12, 10), QTime(9, 30), QTimeZone(QByteArrayLiteral("Europe/Berlin"))};
};

/// Acts as the platform's save dialog does: a name without an extension
/// gets the default suffix, and an existing file is replaced only when the
/// scripted answer to the overwrite question is yes.
class FakeSaveDialog final : public SaveFileDialog {
 public:
  std::optional<QString> AskSavePath(QWidget* /*parent*/,
                                     const SaveDialogSettings& settings) override {
    asked.push_back(settings);
    if (!typedName) {
      return std::nullopt;
    }
    QString path = *typedName;
    if (QFileInfo(path).suffix().isEmpty() && !settings.defaultSuffix.isEmpty()) {
      path += QStringLiteral(".") + settings.defaultSuffix;
    }
    if (settings.confirmOverwrite && QFileInfo::exists(path)) {
      ++overwriteQuestions;
      if (!replaceExisting) {
        return std::nullopt;
      }
    }
    return path;
  }

  std::optional<QString> typedName;  ///< none: the user cancels
  bool replaceExisting = false;
  int overwriteQuestions = 0;
  std::vector<SaveDialogSettings> asked;
};

/// Answers the open dialog with the scripted path.
class FakeOpenDialog final : public OpenFileDialog {
 public:
  std::optional<QString> AskOpenPath(QWidget* /*parent*/,
                                     const OpenDialogSettings& settings) override {
    asked.push_back(settings);
    return chosen;
  }
  std::optional<QString> chosen;  ///< none: the user cancels
  std::vector<OpenDialogSettings> asked;
};

/// Sends the printout to a PDF file; the user keeps the range the dialog
/// opened with.
class FakePrintDialog final : public PrintDialog {
 public:
  bool AskPrinter(QWidget* /*parent*/, QPrinter& printer, bool hasSelection) override {
    selectionOffered.push_back(hasSelection);
    if (cancel) {
      return false;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setPrintRange(hasSelection ? QPrinter::Selection : QPrinter::AllPages);
    if (colourMode) {
      printer.setColorMode(*colourMode);
    }
    return true;
  }
  QString pdfPath;
  bool cancel = false;
  std::optional<QPrinter::ColorMode> colourMode;  ///< as the printer is set, when given
  std::vector<bool> selectionOffered;
};

}  // namespace zodivane::ui::testing
