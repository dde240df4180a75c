// Small widgets the shell's windows share: a label that reacts to a click,
// a push button whose caption wraps onto several lines, and the Help menu.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QString>

#include <functional>

class QMenu;
class QMenuBar;

namespace zodivane::ui::look {

/// A label that emits clicked() when the left mouse button is released over it.
class ClickableLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

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
  std::function<void()> online;  ///< mnuOnline, "&Online Help"
  std::function<void()> visit;   ///< mnuVisit, "&Visit Us Online"
  std::function<void()> update;  ///< mnuUpdate, "Check for Software &Update"
  std::function<void()> about;   ///< mnuAbout, "&About Software"
  QString firstSeparator;        ///< between Visit and Update
  QString secondSeparator;       ///< between Update and About
};

/// Adds the Help menu (mnuHelp, "&Help") to `bar`; its items run their
/// actions while `receiver` lives.
QMenu* AddHelpMenu(QMenuBar& bar, QObject& receiver, const HelpMenuItems& items);

}  // namespace zodivane::ui::look
