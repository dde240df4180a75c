// The artwork compiled into the program opens from the resources and renders.
#include <gtest/gtest.h>

#include <QFile>
#include <QIcon>
#include <QSvgRenderer>

#include <array>

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

}  // namespace
