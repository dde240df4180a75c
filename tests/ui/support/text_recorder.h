// SPDX-License-Identifier: GPL-3.0-or-later
// A paint device that draws nothing and records where every piece of text
// was drawn: the text, its font, its pen and its box on the device (the
// font's bounding rectangle of the text at its baseline, mapped through the
// painter's transform); and every line, rectangle edge and outline (paths
// and polygons as their straight pieces, curves flattened) on the device.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTextItem>
#include <QTransform>

#include <algorithm>
#include <vector>

namespace zodivane::ui::testing {

struct DrawnText {
  QString text;
  QFont font;
  QRectF box;     ///< device coordinates
  QColor colour;  ///< the pen the text was drawn with
  QRectF inkBox;  ///< the glyphs' own ink, device coordinates
};

/// One straight piece of a drawn line or outline.
struct DrawnLine {
  QLineF line;    ///< device coordinates
  QColor colour;  ///< the pen's colour
};

class TextRecordingEngine final : public QPaintEngine {
 public:
  TextRecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice* /*device*/) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState& state) override {
    if ((state.state() & QPaintEngine::DirtyTransform) != 0) {
      transform_ = state.transform();
    }
    if ((state.state() & QPaintEngine::DirtyPen) != 0) {
      pen_ = state.pen();
    }
  }
  void drawPixmap(const QRectF& /*r*/, const QPixmap& /*pm*/, const QRectF& /*sr*/) override {}
  void drawPath(const QPainterPath& path) override {
    if (pen_.style() == Qt::NoPen) {
      return;
    }
    for (const QPolygonF& piece : path.toSubpathPolygons(transform_)) {
      AddPolyline(piece);
    }
  }
  void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
    if (pen_.style() == Qt::NoPen) {
      return;
    }
    QPolygonF polygon;
    for (int k = 0; k < count; ++k) {
      polygon.append(transform_.map(points[k]));
    }
    if (mode != PolylineMode && count > 2) {
      polygon.append(polygon.first());
    }
    AddPolyline(polygon);
  }
  void drawLines(const QLineF* drawn, int count) override {
    for (int k = 0; k < count; ++k) {
      if (pen_.style() != Qt::NoPen) {
        lines.push_back({transform_.map(drawn[k]), pen_.color()});
      }
    }
  }
  void drawRects(const QRectF* rects, int count) override {
    for (int k = 0; k < count; ++k) {
      drawPolygon(QPolygonF(rects[k]).data(), 4, OddEvenMode);
    }
  }
  void drawTextItem(const QPointF& baseline, const QTextItem& item) override {
    const QFontMetricsF metrics(item.font());
    const QRectF box = metrics.boundingRect(item.text()).translated(baseline);
    const QRectF ink = metrics.tightBoundingRect(item.text()).translated(baseline);
    texts.push_back(
        {item.text(), item.font(), transform_.mapRect(box), pen_.color(), transform_.mapRect(ink)});
  }
  [[nodiscard]] Type type() const override { return QPaintEngine::User; }

  std::vector<DrawnText> texts;
  std::vector<DrawnLine> lines;

 private:
  void AddPolyline(const QPolygonF& polyline) {
    for (int k = 1; k < polyline.size(); ++k) {
      lines.push_back({QLineF(polyline[k - 1], polyline[k]), pen_.color()});
    }
  }

  QTransform transform_;
  QPen pen_;
};

/// True when `line` runs through `box` shrunk by `margin` on every side:
/// a line that only touches a text's edge does not cross it.
[[nodiscard]] inline bool Crosses(const QLineF& line, const QRectF& box, double margin = 0.25) {
  const QRectF inner = box.adjusted(margin, margin, -margin, -margin);
  if (inner.isEmpty()) {
    return false;
  }
  double enter = 0.0;
  double leave = 1.0;
  const QPointF delta = line.p2() - line.p1();
  const double sides[4][2] = {{-delta.x(), line.p1().x() - inner.left()},
                              {delta.x(), inner.right() - line.p1().x()},
                              {-delta.y(), line.p1().y() - inner.top()},
                              {delta.y(), inner.bottom() - line.p1().y()}};
  for (const auto& side : sides) {
    if (side[0] == 0.0) {
      if (side[1] < 0.0) {
        return false;
      }
      continue;
    }
    const double at = side[1] / side[0];
    if (side[0] < 0.0) {
      enter = std::max(enter, at);
    } else {
      leave = std::min(leave, at);
    }
  }
  return enter < leave;
}

/// A device of `size` pixels at 96 dots per inch that records text.
class TextRecordingDevice final : public QPaintDevice {
 public:
  explicit TextRecordingDevice(QSize size) : size_(size) {}
  ~TextRecordingDevice() override = default;
  [[nodiscard]] QPaintEngine* paintEngine() const override { return &engine_; }
  [[nodiscard]] const std::vector<DrawnText>& Texts() const { return engine_.texts; }
  [[nodiscard]] const std::vector<DrawnLine>& Lines() const { return engine_.lines; }

 protected:
  [[nodiscard]] int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth:
        return size_.width();
      case PdmHeight:
        return size_.height();
      case PdmWidthMM:
        return size_.width() * 254 / 960;
      case PdmHeightMM:
        return size_.height() * 254 / 960;
      case PdmNumColors:
        return 0x7fffffff;
      case PdmDepth:
        return 32;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return 96;
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
  }

 private:
  QSize size_;
  mutable TextRecordingEngine engine_;
};

}  // namespace zodivane::ui::testing
