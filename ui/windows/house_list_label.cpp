// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/house_list_label.h"

#include <QPainter>
#include <QStringList>

#include <cmath>
#include <cstddef>
#include <utility>

namespace zodivane::ui {

HouseListLabel::HouseListLabel(int position, const QString& caption, QWidget* parent)
    : QLabel(caption, parent), position_(position) {
  setTextFormat(Qt::PlainText);
}

void HouseListLabel::SetHouse(const QString& houseText, const WheelEntries& entries) {
  setText(houseText);
  bodies_ = wheel::EntryTexts(entries);
  LayOut();
}

void HouseListLabel::SetPoints(std::vector<QString> points) {
  points_ = std::move(points);
  setAccessibleDescription(
      points_.empty() ? QString()
                      : QStringLiteral("Also ") +
                            QStringList(points_.begin(), points_.end()).join(QStringLiteral(", ")));
  if (layout_) {
    LayOut();
  }
}

void HouseListLabel::LayOut() {
  std::vector<QString> entries = bodies_;
  entries.insert(entries.end(), points_.begin(), points_.end());
  layout_ = wheel::LayOutHouseList(position_, entries, font());
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
  if (points_.empty()) {
    wheel::PaintHouseList(painter, *layout_, palette().color(QPalette::WindowText));
    return;
  }
  // The bodies in the list's colour, the points after them in their own.
  painter.setFont(layout_->font);
  for (std::size_t index = 0; index < layout_->entries.size(); ++index) {
    painter.setPen(index < bodies_.size() ? palette().color(QPalette::WindowText) : kPointColour);
    painter.drawText(layout_->entries[index].baseline, layout_->entries[index].text);
  }
}

}  // namespace zodivane::ui
