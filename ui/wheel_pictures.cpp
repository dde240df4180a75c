// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wheel_pictures.h"

#include <QPainter>

#include <string>

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

SignImageList::SignImageList(QObject* parent) : QObject(parent) {}

QString SignImageList::PicturePath(int number) {
  const QString key = Key(number);
  if (key.isEmpty()) {
    return {};
  }
  return QStringLiteral(":/assets/signs/%1.svg").arg(key.toLower());
}

QString SignImageList::Key(int number) {
  if (number < kFirstPicture || number > kLastPicture) {
    return {};
  }
  const std::string_view name = kSigns[static_cast<std::size_t>(number - 1)].name;
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
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
