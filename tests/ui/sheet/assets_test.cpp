// SPDX-License-Identifier: GPL-3.0-or-later
// The artwork compiled into the program opens from the resources and renders.
#include <gtest/gtest.h>

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <array>

#include "ui/windows/wheel_pictures.h"

namespace {

TEST(Assets, EverySvgOpensAndRenders) {
  constexpr std::array<const char*, 14> kFiles{
      ":/assets/zodivane.svg",          ":/assets/wheel.svg",
      ":/assets/signs/aries.svg",       ":/assets/signs/taurus.svg",
      ":/assets/signs/gemini.svg",      ":/assets/signs/cancer.svg",
      ":/assets/signs/leo.svg",         ":/assets/signs/virgo.svg",
      ":/assets/signs/libra.svg",       ":/assets/signs/scorpio.svg",
      ":/assets/signs/sagittarius.svg", ":/assets/signs/capricorn.svg",
      ":/assets/signs/aquarius.svg",    ":/assets/signs/pisces.svg",
  };
  for (const char* name : kFiles) {
    SCOPED_TRACE(name);
    QFile file(QString::fromLatin1(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QSvgRenderer renderer(QString::fromLatin1(name));
    EXPECT_TRUE(renderer.isValid());
  }
}

TEST(Assets, SignGlyphsAreSquareAndTheWheelFitsThePicture) {
  QSvgRenderer leo(QStringLiteral(":/assets/signs/leo.svg"));
  EXPECT_EQ(leo.viewBoxF().width(), leo.viewBoxF().height());
  // The wheel is drawn in the picture's own pixels, 452 x 433.
  QSvgRenderer wheel(QStringLiteral(":/assets/wheel.svg"));
  EXPECT_EQ(wheel.viewBoxF(), QRectF(0, 0, 452, 433));
}

TEST(Assets, ProgramIconHasPixmaps) {
  const QIcon icon(QStringLiteral(":/assets/zodivane.svg"));
  EXPECT_FALSE(icon.isNull());
  EXPECT_FALSE(icon.pixmap(32, 32).isNull());
}

TEST(SignImageList, PictureNIsTheGlyphOfSignNMinusOne) {
  EXPECT_EQ(zodivane::ui::SignImageList::PicturePath(1), ":/assets/signs/aries.svg");
  EXPECT_EQ(zodivane::ui::SignImageList::PicturePath(12), ":/assets/signs/pisces.svg");
  EXPECT_EQ(zodivane::ui::SignImageList::Key(9), "Sagittarius");
  EXPECT_TRUE(zodivane::ui::SignImageList::PicturePath(0).isEmpty());
  EXPECT_TRUE(zodivane::ui::SignImageList::PicturePath(13).isEmpty());
}

TEST(SignImage, KeepsItsPictureWhenGivenANumberOutsideTheList) {
  zodivane::ui::SignImage image;
  image.SetPicture(5);
  image.SetPicture(0);
  image.SetPicture(13);
  EXPECT_EQ(image.picture(), 5);
  EXPECT_EQ(image.source(), ":/assets/signs/leo.svg");
}

// A sign image is drawn from its vector drawing at the device's resolution:
// at a device pixel ratio of 2 it holds 40 x 40 pixels of detail, the same as
// the drawing rendered straight at that size, not a 20 x 20 picture scaled up.
TEST(SignImage, IsDrawnAtTheDevicePixelRatio) {
  for (const double ratio : {1.0, 2.0}) {
    SCOPED_TRACE(ratio);
    zodivane::ui::SignImage image;
    image.setGeometry(0, 0, 20, 20);
    image.SetPicture(5);
    const int side = static_cast<int>(20 * ratio);

    QImage drawn(side, side, QImage::Format_ARGB32_Premultiplied);
    drawn.setDevicePixelRatio(ratio);
    drawn.fill(Qt::transparent);
    image.render(&drawn, QPoint(), QRegion(), QWidget::DrawChildren);

    QImage expected(side, side, QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::transparent);
    QPainter painter(&expected);
    painter.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer(QStringLiteral(":/assets/signs/leo.svg"))
        .render(&painter, QRectF(0, 0, side, side));
    painter.end();

    drawn.setDevicePixelRatio(1.0);
    EXPECT_EQ(drawn, expected);
  }
}

}  // namespace
