#include "ui/platform_qt.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QSettings>

namespace zodivane::ui {

namespace {

const QString kMessageTitle = QStringLiteral("Zodivane");
const QString kSettingsName = QStringLiteral("zodivane");

}  // namespace

void QtMessageBoxes::ShowNotice(QWidget* parent, const QString& text, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information,
                  kMessageTitle, text, QMessageBox::Ok, parent);
  box.exec();
}

bool QtMessageBoxes::AskYesNo(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Information, kMessageTitle, text, QMessageBox::Yes | QMessageBox::No,
                  parent);
  return box.exec() == QMessageBox::Yes;
}

void DesktopWebBrowser::OpenWebPage(const QUrl& address) {
  // The result is not examined: a page that cannot be opened is not reported.
  QDesktopServices::openUrl(address);
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

}  // namespace zodivane::ui
