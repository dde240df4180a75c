// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/platform_qt.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QStandardPaths>

#include "ui/platform/owned_dialog.h"

namespace zodivane::ui {

namespace {

const QString kMessageTitle = QStringLiteral("Zodivane");
const QString kSettingsName = QStringLiteral("zodivane");

}  // namespace

void QtMessageBoxes::ShowNotice(QWidget* parent, const QString& text, MessageIcon icon) {
  OwnedDialog<QMessageBox> box(
      icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information,
      kMessageTitle, text, QMessageBox::Ok, parent);
  box.exec();
}

bool QtMessageBoxes::AskYesNo(QWidget* parent, const QString& text) {
  OwnedDialog<QMessageBox> box(QMessageBox::Information, kMessageTitle, text,
                               QMessageBox::Yes | QMessageBox::No, parent);
  return box.exec() == QMessageBox::Yes;
}

bool DesktopWebBrowser::OpenWebPage(const QUrl& address) {
  return QDesktopServices::openUrl(address);
}

std::optional<QString> QtSettingsStore::Read(const QString& key) {
  QSettings settings(kSettingsName, kSettingsName);
  if (!settings.contains(key)) {
    return std::nullopt;
  }
  return settings.value(key).toString();
}

void QtSettingsStore::Write(const QString& key, const QString& value) {
  QSettings settings(kSettingsName, kSettingsName);
  settings.setValue(key, value);
}

QDate SystemClock::Today() {
  return QDate::currentDate();
}

QDateTime SystemClock::Now() {
  return QDateTime::currentDateTime();
}

namespace {

/// Where a file dialog opens: the folder used last, else the documents folder.
QString StartFolder(const QString& lastFolder) {
  if (!lastFolder.isEmpty() && QFileInfo(lastFolder).isDir()) {
    return lastFolder;
  }
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

}  // namespace

QString QtSaveFileDialog::folder() const {
  return StartFolder(lastFolder_);
}

QString QtOpenFileDialog::folder() const {
  return StartFolder(lastFolder_);
}

std::optional<QString> QtSaveFileDialog::AskSavePath(QWidget* parent,
                                                     const SaveDialogSettings& settings) {
  const std::optional<QString> path = AskSavePathIn(parent, settings, folder());
  if (path) {
    lastFolder_ = QFileInfo(*path).absolutePath();
  }
  return path;
}

std::optional<QString> QtSaveFileDialog::AskSavePathIn(QWidget* parent,
                                                       const SaveDialogSettings& settings,
                                                       const QString& folder) {
  OwnedDialog<QFileDialog> dialog(parent, settings.title);
  dialog->setDirectory(folder);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  // A save dialog only accepts names in folders that exist.
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setNameFilters({settings.filter});
  dialog->setDefaultSuffix(settings.defaultSuffix);
  dialog->setOption(QFileDialog::DontConfirmOverwrite, !settings.confirmOverwrite);
  dialog->selectFile(settings.suggestedName);
  for (;;) {
    if (dialog.exec() != QDialog::Accepted || !dialog || dialog->selectedFiles().isEmpty()) {
      return std::nullopt;
    }
    QString path = dialog->selectedFiles().constFirst();
    const QFileInfo typed(path);
    if (settings.defaultSuffix.isEmpty() || !typed.suffix().isEmpty() || typed.isDir()) {
      return path;  // the dialog has asked about an existing file itself
    }
    // Qt's own dialog leaves a typed name without its extension and so asks
    // about the wrong file: the extension is added and the question asked here.
    path += QStringLiteral(".") + settings.defaultSuffix;
    if (!settings.confirmOverwrite || !QFileInfo::exists(path)) {
      return path;
    }
    OwnedDialog<QMessageBox> question(
        QMessageBox::Warning, settings.title,
        QStringLiteral("%1 already exists.\nDo you want to replace it?")
            .arg(QFileInfo(path).fileName()),
        QMessageBox::Yes | QMessageBox::No, &*dialog);
    question->setDefaultButton(QMessageBox::No);
    if (question.exec() == QMessageBox::Yes) {
      return path;
    }
    if (!dialog) {
      return std::nullopt;
    }
    dialog->selectFile(QFileInfo(path).fileName());  // No: the user picks again
  }
}

bool QtPrintDialog::AskPrinter(QWidget* parent, QPrinter& printer, bool hasSelection) {
  printer.setPrintRange(hasSelection ? QPrinter::Selection : QPrinter::AllPages);
  OwnedDialog<QPrintDialog> dialog(&printer, parent);
  dialog->setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog->setOption(QAbstractPrintDialog::PrintSelection, true);
  return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> QtOpenFileDialog::AskOpenPath(QWidget* parent,
                                                     const OpenDialogSettings& settings) {
  OwnedDialog<QFileDialog> dialog(parent, settings.title);
  dialog->setDirectory(folder());
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setNameFilters({settings.filter, QStringLiteral("All files (*)")});
  if (dialog.exec() != QDialog::Accepted || !dialog || dialog->selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  lastFolder_ = QFileInfo(dialog->selectedFiles().constFirst()).absolutePath();
  return dialog->selectedFiles().constFirst();
}

}  // namespace zodivane::ui
