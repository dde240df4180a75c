// The few services of the platform that the windows use, behind small
// interfaces so that tests can replace them.
#pragma once

#include <QDate>
#include <QString>
#include <QUrl>

#include <optional>

class QWidget;

namespace zodivane::ui {

enum class MessageIcon { Critical, Information };

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
  virtual void OpenWebPage(const QUrl& address) = 0;
};

/// The per-user settings store, for the one value the program keeps.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<QString> Read(const QString& key) = 0;
  virtual void Write(const QString& key, const QString& value) = 0;
};

/// Today's date.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual QDate Today() = 0;
};

}  // namespace zodivane::ui
