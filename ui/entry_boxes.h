// SPDX-License-Identifier: GPL-3.0-or-later
// The input form's text boxes that filter what is typed into them: the name
// box and the four coordinate boxes.
#pragma once

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

}  // namespace zodivane::ui
