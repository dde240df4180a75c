// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/look/layout_zoom.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace zodivane::ui {
namespace {

/// Steps closer than this count as the same factor.
constexpr double kSameFactor = 1e-6;

[[nodiscard]] int Scaled(int length, double factor) noexcept {
  return static_cast<int>(std::lround(length * factor));
}

[[nodiscard]] QRect Scaled(const QRect& rect, double factor) noexcept {
  // The edges are scaled, so that neighbours that touch keep touching.
  const int left = Scaled(rect.left(), factor);
  const int top = Scaled(rect.top(), factor);
  return {left, top, Scaled(rect.left() + rect.width(), factor) - left,
          Scaled(rect.top() + rect.height(), factor) - top};
}

}  // namespace

double ZoomedIn(double factor) noexcept {
  const auto next = std::find_if(kZoomSteps.begin(), kZoomSteps.end(),
                                 [factor](double step) { return step > factor + kSameFactor; });
  return next == kZoomSteps.end() ? kZoomSteps.back() : *next;
}

double ZoomedOut(double factor) noexcept {
  const auto next = std::find_if(kZoomSteps.rbegin(), kZoomSteps.rend(),
                                 [factor](double step) { return step < factor - kSameFactor; });
  return next == kZoomSteps.rend() ? kZoomSteps.front() : *next;
}

double FitFactor(QSize designed, QSize available) noexcept {
  if (designed.isEmpty() || available.isEmpty()) {
    return 1.0;
  }
  const double across = static_cast<double>(available.width()) / designed.width();
  const double down = static_cast<double>(available.height()) / designed.height();
  return std::clamp(std::min(across, down), kZoomSteps.front(), kZoomSteps.back());
}

QFont ScaledFont(const QFont& font, double factor) {
  QFont scaled = font;
  if (font.pixelSize() > 0) {
    scaled.setPixelSize(std::max(1, Scaled(font.pixelSize(), factor)));
  } else {
    scaled.setPointSizeF(font.pointSizeF() * factor);
  }
  return scaled;
}

QSize SizeWithin(QSize wanted, QSize room) noexcept {
  return wanted.boundedTo(room.expandedTo(QSize(0, 0)));
}

void ResizeWithinScreen(QWidget& window, QSize wanted) {
  // A window not yet shown has no frame of its own: its parent's tells
  // how the window manager decorates this program's windows.
  const QWidget* framed = window.isVisible() || window.parentWidget() == nullptr
                              ? &window
                              : window.parentWidget()->window();
  const QSize frame = framed->frameGeometry().size() - framed->geometry().size();
  const QScreen* screen = framed->screen();
  if (screen == nullptr) {
    window.resize(wanted);
    return;
  }
  window.resize(SizeWithin(wanted, screen->availableGeometry().size() - frame));
}

QString ZoomSettingText(const ZoomChoice& choice) {
  return choice.fit ? QStringLiteral("fit")
                    : QString::number(static_cast<int>(std::lround(choice.factor * 100.0)));
}

std::optional<ZoomChoice> ZoomChoiceFromSetting(const QString& text) {
  if (text == QStringLiteral("fit")) {
    return ZoomChoice{true, 1.0};
  }
  bool number = false;
  const int percent = text.toInt(&number);
  if (!number) {
    return std::nullopt;
  }
  for (const double step : kZoomSteps) {
    if (std::lround(step * 100.0) == percent) {
      return ZoomChoice{false, step};
    }
  }
  return std::nullopt;
}

WidgetScaler::WidgetScaler(QWidget& root, std::function<bool(const QWidget&)> skip)
    : root_(root), skip_(std::move(skip)) {}

void WidgetScaler::TakeDesign() {
  design_.clear();
  QList<QWidget*> widgets = root_.findChildren<QWidget*>();
  widgets.prepend(&root_);
  for (QWidget* widget : widgets) {
    if (skip_ && skip_(*widget)) {
      continue;
    }
    design_.push_back({widget, widget->geometry(), widget->minimumSize() == widget->maximumSize(),
                       widget->testAttribute(Qt::WA_SetFont), widget->font()});
  }
}

void WidgetScaler::Apply(double factor) {
  if (design_.empty()) {
    TakeDesign();
  }
  for (const Design& design : design_) {
    QWidget* widget = design.widget.data();
    if (widget == nullptr) {
      continue;
    }
    if (design.ownFont) {
      widget->setFont(ScaledFont(design.font, factor));
    }
    const QRect geometry = widget == &root_
                               ? QRect(design.geometry.topLeft(), design.geometry.size() * factor)
                               : Scaled(design.geometry, factor);
    if (design.fixedSize) {
      widget->setFixedSize(geometry.size());
    }
    if (widget == &root_) {
      widget->resize(geometry.size());
    } else {
      widget->setGeometry(geometry);
    }
  }
}

}  // namespace zodivane::ui
