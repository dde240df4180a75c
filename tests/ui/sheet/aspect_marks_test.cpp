// SPDX-License-Identifier: GPL-3.0-or-later
// The aspects' glyphs: the minor aspects take the astrologers' symbols (⚻
// quincunx, ⚺ semisextile, ∠ semisquare, ⚼ sesquiquadrate, Q quintile, bQ
// biquintile) wherever the system has a font that draws them, and a plain
// text otherwise; no glyph is ever drawn as a missing-glyph box.
#include <gtest/gtest.h>

#include <QFont>
#include <QString>

#include <string>

#include "ui/look/look_geometry.h"
#include "ui/sheet/aspect_marks.h"

namespace zodivane::ui {
namespace {

struct StandardGlyph {
  AspectKind kind;
  const char16_t* symbol;
};

// The symbols of the minor aspects, as astrologers write them.
constexpr StandardGlyph kMinorGlyphs[] = {
    {AspectKind::Quincunx, u"\u26BB"},   {AspectKind::Semisextile, u"\u26BA"},
    {AspectKind::Semisquare, u"\u2220"}, {AspectKind::Sesquiquadrate, u"\u26BC"},
    {AspectKind::Quintile, u"Q"},        {AspectKind::Biquintile, u"bQ"},
};

TEST(AspectGlyphs, MinorAspectsTakeTheirSymbolsWhereAFontDrawsThem) {
  for (const QFont& font : {look::VerdanaFamily(), QFont(QStringLiteral("DejaVu Sans"))}) {
    for (const StandardGlyph& row : kMinorGlyphs) {
      const QString symbol = QString::fromUtf16(row.symbol);
      SCOPED_TRACE(symbol.toStdString() + " in " + font.family().toStdString());
      const QString glyph = AspectGlyph(row.kind, font);
      EXPECT_TRUE(DrawnWithoutBoxes(glyph, font));
      if (DrawnWithoutBoxes(symbol, font)) {
        EXPECT_EQ(glyph, symbol);
      }
    }
  }
  // The symbols' font is one the program's install brings (fonts-symbola).
  for (const StandardGlyph& row : kMinorGlyphs) {
    EXPECT_EQ(AspectGlyph(row.kind), QString::fromUtf16(row.symbol));
  }
}

TEST(AspectGlyphs, EveryGlyphIsDrawnWithoutBoxes) {
  for (int kind = 0; kind < kAspectKindCount; ++kind) {
    SCOPED_TRACE(kind);
    EXPECT_TRUE(
        DrawnWithoutBoxes(AspectGlyph(static_cast<AspectKind>(kind)), look::VerdanaFamily()));
  }
  // A character no font has is a box.
  EXPECT_FALSE(DrawnWithoutBoxes(QString(QChar(0xE000)), look::VerdanaFamily()));
}

}  // namespace
}  // namespace zodivane::ui
