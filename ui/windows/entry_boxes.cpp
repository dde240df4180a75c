// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/entry_boxes.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>

#include <string>

namespace zodivane::ui {

namespace {

constexpr int kBackspace = 8;
constexpr int kCarriageReturn = 13;

bool IsDigitsOnly(const QString& text) {
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
      return false;
    }
  }
  return true;
}

/// Most characters of the coordinate box `name`.
int MaxLengthOf(const QString& name) {
  return static_cast<int>(name == QStringLiteral("txtLonD") ? kLonDegreesMaxLength
                                                            : kCoordinateMaxLength);
}

}  // namespace

FilteredBox::FilteredBox(const QString& name, KeyFilter filter, QWidget* parent)
    : QLineEdit(parent), filter_(filter) {
  setObjectName(name);
}

void FilteredBox::keyPressEvent(QKeyEvent* event) {
  const bool typesNothing =
      (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0 ||
      event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab ||
      event->key() == Qt::Key_Delete || event->text().isEmpty();
  if (!typesNothing) {
    QString typed = event->text();
    if (event->key() == Qt::Key_Backspace) {
      typed = QString(QChar(kBackspace));
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      typed = QString(QChar(kCarriageReturn));
    }
    if (FilterTypedText(typed)) {
      event->accept();
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

bool FilteredBox::FilterTypedText(const QString& typed) {
  QString passed;
  bool changed = false;
  for (const QChar c : typed) {
    const int code = c.unicode();
    const KeyFilterResult result = filter_(code);
    if (result.notice) {
      emit NoticeRaised(*result.notice);
    }
    if (result.keyCode == 0) {
      changed = true;
      continue;
    }
    changed = changed || result.keyCode != code;
    passed += QChar(result.keyCode);
  }
  if (!changed) {
    return false;  // the key reaches the box unchanged
  }
  // A replaced key is typed in its new form; control characters among them
  // keep their usual effect.
  for (const QChar c : passed) {
    if (c.unicode() == kBackspace) {
      backspace();
    } else if (c.unicode() >= ' ') {
      insert(QString(c));
    }
  }
  return true;
}

CoordinateBox::CoordinateBox(const QString& name, QWidget* parent)
    : FilteredBox(name, &CoordinateKeyPress, parent) {
  setMaxLength(MaxLengthOf(name));
  connect(this, &QLineEdit::textEdited, this, &CoordinateBox::CheckEdit);
  connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (IsDigitsOnly(text)) {
      lastDigits_ = text;
    }
  });
}

void CoordinateBox::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    PasteChecked();
    event->accept();
    return;
  }
  FilteredBox::keyPressEvent(event);
}

void CoordinateBox::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  // The menu's paste item, known by its connection to this box's paste(),
  // goes through the same check as the paste keys.
  for (QAction* item : menu->actions()) {
    const bool pastes = QObject::disconnect(item, SIGNAL(triggered()), this, SLOT(paste())) ||
                        QObject::disconnect(item, &QAction::triggered, this, &QLineEdit::paste);
    if (pastes) {
      connect(item, &QAction::triggered, this, &CoordinateBox::PasteChecked);
    }
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
  event->accept();
}

void CoordinateBox::PasteChecked() {
  if (!IsDigitsOnly(QGuiApplication::clipboard()->text())) {
    Refuse();
    return;
  }
  paste();
}

void CoordinateBox::CheckEdit(const QString& text) {
  if (IsDigitsOnly(text)) {
    return;
  }
  setText(lastDigits_);
  Refuse();
}

void CoordinateBox::Refuse() {
  if (const std::optional<Notice> notice = CoordinateRangeNotice(objectName().toStdString())) {
    emit NoticeRaised(*notice);
  }
  setFocus(Qt::OtherFocusReason);
}

NumberList::NumberList(QWidget* parent)
    : QComboBox(parent), typingIntervalMs_(QApplication::keyboardInputInterval()) {
  setEditable(false);
}

void NumberList::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  const bool digit = text.size() == 1 && text[0] >= QLatin1Char('0') &&
                     text[0] <= QLatin1Char('9') &&
                     (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
  if (!digit) {
    typed_.clear();
    QComboBox::keyPressEvent(event);
    return;
  }
  if (!sinceTyped_.isValid() || sinceTyped_.elapsed() > typingIntervalMs_) {
    typed_.clear();
  }
  sinceTyped_.start();
  typed_ += text;
  // The number typed, without its leading zeros ("0" for zeros only).
  QString number = typed_;
  while (number.size() > 1 && number.startsWith(QLatin1Char('0'))) {
    number.remove(0, 1);
  }
  int found = findText(number, Qt::MatchExactly);
  if (found < 0) {
    found = findText(number, Qt::MatchStartsWith);
  }
  if (found >= 0) {
    setCurrentIndex(found);
  }
  event->accept();
}

void NumberList::focusOutEvent(QFocusEvent* event) {
  typed_.clear();
  QComboBox::focusOutEvent(event);
}

}  // namespace zodivane::ui
