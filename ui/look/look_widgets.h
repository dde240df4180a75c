// SPDX-License-Identifier: GPL-3.0-or-later
// Small widgets the shell's windows share: a label that reacts to a click,
// a push button whose caption wraps onto several lines, and the Help menu.
#pragma once

#include <QKeySequence>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

namespace zodivane::ui::look {

/// A label that emits clicked() when the left mouse button is released over
/// it, or Return, Enter or Space is pressed while it has the focus (the
/// window's focus ring shows where that is), and assistive technology sees
/// a link that can be pressed.
class ClickableLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool pressed_ = false;
};

/// Gives the focus to the first control of `window`'s focus chain that takes
/// it by Tab, passing over the clickable labels: the links are reached by
/// Tab but never hold a window's first focus.
void FocusFirstControl(QWidget& window);

/// A push button that wraps its caption to its width, centred; text()
/// keeps the caption as given (a doubled ampersand shows as one).
class WrappingButton : public QPushButton {
  Q_OBJECT
 public:
  explicit WrappingButton(const QString& caption, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

/// What the Help menu's four items do, and the names of its two separators
/// (the input form and the main window name them differently).
struct HelpMenuItems {
  std::function<void()> online;  ///< mnuOnline, "&Online Help", also the help key (F1)
  std::function<void()> visit;   ///< mnuVisit, "&Visit Us Online"
  std::function<void()> update;  ///< mnuUpdate, "Check for Software &Update"
  std::function<void()> about;   ///< mnuAbout, "&About Software"
  QString firstSeparator;        ///< between Visit and Update
  QString secondSeparator;       ///< between Update and About
};

/// Writes `text` into `label`, cut at the end with "…" where it runs wider
/// than the label so that it stays inside its frame; the label's position and
/// size stay. A cut text shows whole in the label's tooltip (an uncut one has
/// none), and assistive technology reads it whole.
void SetElidedText(QLabel& label, const QString& text);

/// A ring around whichever control of `window` holds the keyboard focus, so
/// that the focus shows on the dark panels and on the light forms alike: a
/// white band edged with black on both sides, kMargin pixels wide, drawn just
/// outside the control. It follows the focus and the control's moves, and
/// shows nothing while no control of the window has the focus; mouse clicks
/// pass through it.
class FocusRing : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kMargin = 4;

  explicit FocusRing(QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Follow(QWidget* focused);
  void Place();

  QPointer<QWidget> target_;
  std::vector<QPointer<QWidget>> watched_;  ///< the target and its ancestors below the window
};

/// The platform's keys for `key`; where the platform has none, the common
/// key of Quit (Ctrl+Q), Print (Ctrl+P), Save (Ctrl+S) or help (F1).
[[nodiscard]] QList<QKeySequence> StandardKeys(QKeySequence::StandardKey key);

/// Gives `window` a keyboard shortcut, the platform's `key`, that runs
/// `action` while the window is active; captions and their Alt keys stay.
QAction* AddStandardShortcut(QWidget& window, QKeySequence::StandardKey key,
                             const std::function<void()>& action);

/// Adds the Help menu (mnuHelp, "&Help") to `bar`; its items run their
/// actions while `receiver` lives.
QMenu* AddHelpMenu(QMenuBar& bar, QObject& receiver, const HelpMenuItems& items);

}  // namespace zodivane::ui::look
