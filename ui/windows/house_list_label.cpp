// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/house_list_label.h"

#include <QPainter>

#include <cmath>

namespace zodivane::ui {

HouseListLabel::HouseListLabel(int position, const QString& caption, QWidget* parent)
    : QLabel(caption, parent), position_(position) {
  setTextFormat(Qt::PlainText);
}

void HouseListLabel::SetHouse(const QString& houseText, const WheelEntries& entries) {
  setText(houseText);
  layout_ = wheel::LayOutHouseList(position_, wheel::EntryTexts(entries), font());
  PlaceOnList();
}

void HouseListLabel::SetZoom(double factor) {
  zoom_ = factor;
  if (layout_) {
    PlaceOnList();
  }
}

void HouseListLabel::PlaceOnList() {
  const QRectF bounds(layout_->bounds.topLeft() * zoom_, layout_->bounds.size() * zoom_);
  // Whole pixels around the list's boxes, which start at whole-pixel baselines.
  const int left = static_cast<int>(std::floor(bounds.left()));
  const int top = static_cast<int>(std::floor(bounds.top()));
  const int right = static_cast<int>(std::ceil(bounds.right()));
  const int bottom = static_cast<int>(std::ceil(bounds.bottom()));
  setGeometry(left, top, right - left, bottom - top);
  update();
}

void HouseListLabel::paintEvent(QPaintEvent* event) {
  if (!layout_) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  painter.translate(-QPointF(pos()));
  painter.scale(zoom_, zoom_);
  wheel::PaintHouseList(painter, *layout_, palette().color(QPalette::WindowText));
}

}  // namespace zodivane::ui
