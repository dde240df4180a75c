// SPDX-License-Identifier: GPL-3.0-or-later
// A paint device that draws nothing and records where every piece of text
// was drawn: the text, its font and its box on the device (the font's
// bounding rectangle of the text at its baseline, mapped through the
// painter's transform).
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <QTextItem>
#include <QTransform>

#include <vector>

namespace zodivane::ui::testing {

struct DrawnText {
  QString text;
  QFont font;
  QRectF box;  ///< device coordinates
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
  }
  void drawPixmap(const QRectF& /*r*/, const QPixmap& /*pm*/, const QRectF& /*sr*/) override {}
  void drawPath(const QPainterPath& /*path*/) override {}
  void drawPolygon(const QPointF* /*points*/, int /*count*/, PolygonDrawMode /*mode*/) override {}
  void drawTextItem(const QPointF& baseline, const QTextItem& item) override {
    const QFontMetricsF metrics(item.font());
    const QRectF box = metrics.boundingRect(item.text()).translated(baseline);
    texts.push_back({item.text(), item.font(), transform_.mapRect(box)});
  }
  [[nodiscard]] Type type() const override { return QPaintEngine::User; }

  std::vector<DrawnText> texts;

 private:
  QTransform transform_;
};

/// A device of `size` pixels at 96 dots per inch that records text.
class TextRecordingDevice final : public QPaintDevice {
 public:
  explicit TextRecordingDevice(QSize size) : size_(size) {}
  ~TextRecordingDevice() override = default;
  [[nodiscard]] QPaintEngine* paintEngine() const override { return &engine_; }
  [[nodiscard]] const std::vector<DrawnText>& Texts() const { return engine_.texts; }

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
