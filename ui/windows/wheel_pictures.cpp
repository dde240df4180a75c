// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/wheel_pictures.h"

#include <QFont>
#include <QPainter>
#include <QPen>

#include <string>

#include "ui/look/look_geometry.h"
#include "ui/sheet/wheel_layout.h"

namespace zodivane::ui {

SvgPicture::SvgPicture(QWidget* parent) : QWidget(parent) {}

void SvgPicture::SetSource(const QString& path) {
  source_ = path;
  renderer_.load(path);
  update();
}

void SvgPicture::paintEvent(QPaintEvent* /*event*/) {
  if (!renderer_.isValid()) {
    return;
  }
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer_.render(&painter, QRectF(rect()));
}

AspectLinesPicture::AspectLinesPicture(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void AspectLinesPicture::SetLines(std::vector<Aspect> aspects, const PointPositions& points,
                                  std::optional<int> firstHouseSign) {
  aspects_ = std::move(aspects);
  points_ = points;
  firstHouseSign_ = firstHouseSign;
  update();
}

void AspectLinesPicture::paintEvent(QPaintEvent* /*event*/) {
  if (!firstHouseSign_) {
    return;
  }
  QPainter painter(this);
  painter.scale(width() / wheel::kPictureSize.width(), height() / wheel::kPictureSize.height());
  wheel::PaintAspectDisc(painter, aspects_, points_, *firstHouseSign_);
}

MidheavenMark::MidheavenMark(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MidheavenMark::SetMark(std::optional<double> longitude, std::optional<int> firstHouseSign) {
  longitude_ = longitude;
  firstHouseSign_ = firstHouseSign;
  update();
}

void MidheavenMark::paintEvent(QPaintEvent* /*event*/) {
  if (!longitude_ || !firstHouseSign_) {
    return;
  }
  QPainter painter(this);
  painter.scale(width() / wheel::kPictureSize.width(), height() / wheel::kPictureSize.height());
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(160, 0, 0), 1.5));
  painter.drawLine(wheel::WheelPointOf(*longitude_, *firstHouseSign_, wheel::kHouseOuterRadius),
                   wheel::WheelPointOf(*longitude_, *firstHouseSign_, wheel::kRingOuterRadius));
  // The label in the ring, a few degrees on from the line.
  constexpr double kLabelOffset = 4.5;  // degrees
  const QPointF at =
      wheel::WheelPointOf(*longitude_ + kLabelOffset, *firstHouseSign_,
                          (wheel::kHouseOuterRadius + wheel::kRingOuterRadius) / 2.0);
  QFont font = painter.font();
  font.setPixelSize(9);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRectF(at.x() - 10.0, at.y() - 6.0, 20.0, 12.0), Qt::AlignCenter,
                   QStringLiteral("MC"));
}

SignImageList::SignImageList(QObject* parent) : QObject(parent) {}

QString SignImageList::PicturePath(int number) {
  return wheel::SignArtwork(number);
}

QString SignImageList::Key(int number) {
  if (number < kFirstPicture || number > kLastPicture) {
    return {};
  }
  return look::FromUtf8(kSigns[static_cast<std::size_t>(number - 1)].name);
}

SignImage::SignImage(QWidget* parent) : SvgPicture(parent) {}

void SignImage::SetPicture(int number) {
  const QString path = SignImageList::PicturePath(number);
  if (path.isEmpty()) {
    return;
  }
  picture_ = number;
  SetSource(path);
}

}  // namespace zodivane::ui
