// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/look/look_widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace zodivane::ui::look {

namespace {

/// A clickable label as assistive technology sees it: a link named by its
/// text, with a press action.
class ClickableLabelAccessible final : public QAccessibleWidget {
 public:
  explicit ClickableLabelAccessible(ClickableLabel* label)
      : QAccessibleWidget(label, QAccessible::Link) {}

  QString text(QAccessible::Text kind) const override {
    const QString own = QAccessibleWidget::text(kind);
    if (kind == QAccessible::Name && own.isEmpty()) {
      return static_cast<const QLabel*>(widget())->text();
    }
    return own;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& action) override {
    if (action == pressAction()) {
      emit static_cast<ClickableLabel*>(widget())->clicked();
    }
  }
};

QAccessibleInterface* ClickableLabelInterface(const QString& className, QObject* object) {
  if (className == QLatin1String(ClickableLabel::staticMetaObject.className())) {
    return new ClickableLabelAccessible(static_cast<ClickableLabel*>(object));
  }
  return nullptr;
}

}  // namespace

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  static const bool registered = [] {
    QAccessible::installFactory(&ClickableLabelInterface);
    return true;
  }();
  (void)registered;
  setCursor(Qt::PointingHandCursor);
  // Reached by Tab like a link on a page; a click opens it without taking
  // the focus from the box being typed into.
  setFocusPolicy(Qt::TabFocus);
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
      event->key() == Qt::Key_Space) {
    event->accept();
    emit clicked();
    return;
  }
  QLabel::keyPressEvent(event);
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

void FocusFirstControl(QWidget& window) {
  for (QWidget* next = window.nextInFocusChain(); next != nullptr && next != &window;
       next = next->nextInFocusChain()) {
    if ((next->focusPolicy() & Qt::TabFocus) != 0 && next->isEnabled() &&
        qobject_cast<ClickableLabel*>(next) == nullptr) {
      next->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
}

void SetElidedText(QLabel& label, const QString& text) {
  const QString shown =
      QFontMetrics(label.font()).elidedText(text, Qt::ElideRight, label.contentsRect().width());
  label.setText(shown);
  label.setToolTip(shown == text ? QString() : text);
  label.setAccessibleName(text);
}

FocusRing::FocusRing(QWidget& window) : QWidget(&window) {
  setObjectName(QStringLiteral("focusRing"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget* /*old*/, QWidget* now) { Follow(now); });
}

void FocusRing::Follow(QWidget* focused) {
  for (const QPointer<QWidget>& widget : watched_) {
    if (widget != nullptr) {
      widget->removeEventFilter(this);
    }
  }
  watched_.clear();
  QWidget* window = parentWidget();
  target_ =
      focused != nullptr && focused != window && window->isAncestorOf(focused) ? focused : nullptr;
  for (QWidget* widget = target_; widget != nullptr && widget != window;
       widget = widget->parentWidget()) {
    widget->installEventFilter(this);
    watched_.emplace_back(widget);
  }
  Place();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
      Place();
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void FocusRing::Place() {
  if (target_ == nullptr || !target_->isVisible()) {
    hide();
    return;
  }
  const QPoint topLeft = target_->mapTo(parentWidget(), QPoint(0, 0));
  setGeometry(QRect(topLeft, target_->size()).adjusted(-kMargin, -kMargin, kMargin, kMargin));
  raise();
  show();
  update();
}

void FocusRing::paintEvent(QPaintEvent* /*event*/) {
  // From the outside in: one black pixel, two white, one black; the control
  // itself stays uncovered.
  QPainter painter(this);
  const QRect outer = rect();
  const auto band = [&](int from, int width, const QColor& colour) {
    const QRect edge = outer.adjusted(from, from, -from, -from);
    const QRect hole = edge.adjusted(width, width, -width, -width);
    QRegion region(edge);
    region -= QRegion(hole);
    for (const QRect& part : region) {
      painter.fillRect(part, colour);
    }
  };
  band(0, 1, Qt::black);
  band(1, 2, Qt::white);
  band(3, 1, Qt::black);
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

QList<QKeySequence> StandardKeys(QKeySequence::StandardKey key) {
  QList<QKeySequence> keys = QKeySequence::keyBindings(key);
  if (!keys.isEmpty()) {
    return keys;
  }
  switch (key) {
    case QKeySequence::Quit:
      return {QKeySequence(Qt::CTRL | Qt::Key_Q)};
    case QKeySequence::Print:
      return {QKeySequence(Qt::CTRL | Qt::Key_P)};
    case QKeySequence::Save:
      return {QKeySequence(Qt::CTRL | Qt::Key_S)};
    case QKeySequence::HelpContents:
      return {QKeySequence(Qt::Key_F1)};
    case QKeySequence::Back:
      return {QKeySequence(Qt::ALT | Qt::Key_Left)};
    default:
      return {};
  }
}

QAction* AddStandardShortcut(QWidget& window, QKeySequence::StandardKey key,
                             const std::function<void()>& action) {
  auto* shortcut = new QAction(&window);
  shortcut->setShortcuts(StandardKeys(key));
  shortcut->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(shortcut, &QAction::triggered, &window, action);
  window.addAction(shortcut);
  return shortcut;
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
  help->actions().constLast()->setShortcuts(StandardKeys(QKeySequence::HelpContents));
  add(QStringLiteral("&Visit Us Online"), "mnuVisit", items.visit);
  help->addSeparator()->setObjectName(items.firstSeparator);
  add(QStringLiteral("Check for Software &Update"), "mnuUpdate", items.update);
  help->addSeparator()->setObjectName(items.secondSeparator);
  add(QStringLiteral("&About Software"), "mnuAbout", items.about);
  return help;
}

}  // namespace zodivane::ui::look
