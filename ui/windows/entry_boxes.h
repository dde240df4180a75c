// SPDX-License-Identifier: GPL-3.0-or-later
// The input form's entry controls that read what is typed into them: the
// name box, the four coordinate boxes and the lists of numbers.
#pragma once

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QString>

#include "chart/birth_data.h"

class QContextMenuEvent;
class QKeyEvent;

namespace zodivane::ui {

/// A text box whose typed characters go through one of the core's key
/// filters: a refused key is dropped, a replaced key (a small letter made
/// capital) is typed in its new form. Shortcuts and keys that type nothing
/// (arrows, Tab, Delete) pass unfiltered.
class FilteredBox : public QLineEdit {
  Q_OBJECT

 public:
  using KeyFilter = KeyFilterResult (*)(int keyCode);

  FilteredBox(const QString& name, KeyFilter filter, QWidget* parent = nullptr);

 signals:
  /// A notice for the user: a refused key, or refused text.
  void NoticeRaised(const zodivane::Notice& notice);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  /// Runs `typed` through the filter; true when the box has handled it.
  bool FilterTypedText(const QString& typed);

  KeyFilter filter_;
};

/// A coordinate box: digits only, at most the core's length for the box.
/// Text that arrives other than by typing (pasted by key or context menu,
/// dropped) is refused unless it is made of digits: the box keeps its last
/// text of digits, raises its range notice and takes the focus.
class CoordinateBox final : public FilteredBox {
  Q_OBJECT

 public:
  /// `name` is one of "txtLonD", "txtLonM", "txtLatD", "txtLatM".
  explicit CoordinateBox(const QString& name, QWidget* parent = nullptr);

  /// Pastes the clipboard when it holds digits only, else refuses it.
  void PasteChecked();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void CheckEdit(const QString& text);
  void Refuse();

  QString lastDigits_;  ///< the last text of the box made of digits only
};

/// A drop-down list of numbers (days, years, hours, minutes, seconds) that
/// never takes free text. Digits typed in quick succession select the entry
/// of their number: leading zeros count for nothing, so "09" selects 9 and
/// "00" selects 0. Digits that name no entry leave the selection as it was;
/// other keys work as in any list.
class NumberList final : public QComboBox {
  Q_OBJECT

 public:
  explicit NumberList(QWidget* parent = nullptr);

  /// Digits typed within `ms` milliseconds of each other make one number
  /// (the platform's keyboard input interval unless set).
  void SetTypingInterval(int ms) noexcept { typingIntervalMs_ = ms; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QString typed_;             ///< the digits typed so far
  QElapsedTimer sinceTyped_;  ///< since the last typed digit
  int typingIntervalMs_;
};

}  // namespace zodivane::ui
