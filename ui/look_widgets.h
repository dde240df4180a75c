// Small widgets the shell's windows share: a label that reacts to a click and
// a push button whose caption wraps onto several lines.
#pragma once

#include <QLabel>
#include <QPushButton>

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

}  // namespace zodivane::ui::look
