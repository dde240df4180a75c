// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/look/look.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

namespace zodivane::ui::look {

QFont VerdanaFont(double points, bool bold, bool underline) {
  static const QFont family = VerdanaFamily();
  QFont font = family;
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setUnderline(underline);
  return font;
}

void CentreOnScreen(QWidget& window) {
  const QScreen* screen =
      window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return;
  }
  QRect frame = window.frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window.move(frame.topLeft());
}

void SetBackground(QWidget& widget, const QColor& colour) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, colour);
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

void SetTextColour(QWidget& widget, const QColor& colour) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::WindowText, colour);
  palette.setColor(QPalette::ButtonText, colour);
  palette.setColor(QPalette::Text, colour);
  widget.setPalette(palette);
}

void SetBoxColours(QWidget& widget, const QColor& background, const QColor& text) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Base, background);
  palette.setColor(QPalette::Button, background);
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::ButtonText, text);
  palette.setColor(QPalette::WindowText, text);
  widget.setPalette(palette);
}

}  // namespace zodivane::ui::look
