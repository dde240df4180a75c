#include "ui/look_widgets.h"

#include <QMenu>
#include <QMenuBar>
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
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
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

QMenu* AddHelpMenu(QMenuBar& bar, QObject& receiver, const HelpMenuItems& items) {
  QMenu* help = bar.addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  const auto add = [help, &receiver](const QString& caption, const char* name,
                                     const std::function<void()>& action) {
    QAction* item = help->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    QObject::connect(item, &QAction::triggered, &receiver, action);
  };
  add(QStringLiteral("&Online Help"), "mnuOnline", items.online);
  add(QStringLiteral("&Visit Us Online"), "mnuVisit", items.visit);
  help->addSeparator()->setObjectName(items.firstSeparator);
  add(QStringLiteral("Check for Software &Update"), "mnuUpdate", items.update);
  help->addSeparator()->setObjectName(items.secondSeparator);
  add(QStringLiteral("&About Software"), "mnuAbout", items.about);
  return help;
}

}  // namespace zodivane::ui::look
