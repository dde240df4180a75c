#include "ui/look_widgets.h"

#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace zodivane::ui::look {

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setCursor(Qt::PointingHandCursor);
}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  QLabel::mousePressEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
  pressed_ = false;
  QLabel::mouseReleaseEvent(event);
  if (click) {
    emit clicked();
  }
}

WrappingButton::WrappingButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {}

void WrappingButton::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButton, option);
  const QRect textRect =
      style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(2, 0, -2, 0);
  painter.drawItemText(textRect, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic,
                       option.palette, isEnabled(), caption, QPalette::ButtonText);
}

}  // namespace zodivane::ui::look
