// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sheet/aspect_marks.h"

#include <QGlyphRun>
#include <QTextLayout>

#include <array>
#include <cstddef>

#include "ui/look/look_geometry.h"

namespace zodivane::ui {
namespace {

/// An aspect's symbol and the text that stands in for it where no font
/// of the system has the symbol.
struct GlyphRow {
  const char16_t* symbol;
  const char16_t* fallback;
};

/// In the order of AspectKind.
constexpr auto kAspectGlyphs = std::to_array<GlyphRow>({
    {u"\u260C", u"\u260C"},        // conjunction
    {u"\u260D", u"\u260D"},        // opposition
    {u"\u25B3", u"\u25B3"},        // trine
    {u"\u25A1", u"\u25A1"},        // square
    {u"\u2731", u"\u2731"},        // sextile
    {u"\u26BB", u"Qx"},            // quincunx
    {u"\u26BA", u"\u2228"},        // semisextile
    {u"\u2220", u"\u2220"},        // semisquare
    {u"\u26BC", u"\u2220\u00BD"},  // sesquiquadrate
    {u"Q", u"Q"},                  // quintile
    {u"bQ", u"bQ"},                // biquintile
});
static_assert(kAspectGlyphs.size() == kAspectKindCount);

}  // namespace

bool DrawnWithoutBoxes(const QString& text, const QFont& font) {
  QTextLayout layout(text, font);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  // Glyph 0 of every font is its missing-glyph box.
  for (const QGlyphRun& run : layout.glyphRuns()) {
    for (const quint32 glyph : run.glyphIndexes()) {
      if (glyph == 0) {
        return false;
      }
    }
  }
  return true;
}

QString AspectGlyph(AspectKind kind, const QFont& font) {
  const GlyphRow& row = kAspectGlyphs[static_cast<std::size_t>(kind)];
  const QString symbol = QString::fromUtf16(row.symbol);
  return DrawnWithoutBoxes(symbol, font) ? symbol : QString::fromUtf16(row.fallback);
}

QString AspectGlyph(AspectKind kind) {
  return AspectGlyph(kind, look::VerdanaFamily());
}

QString OrbText(double orb) {
  const OrbParts parts = OrbPartsOf(orb);
  return QStringLiteral("%1\u00B0%2'")
      .arg(parts.degrees)
      .arg(parts.minutes, 2, 10, QLatin1Char('0'));
}

QColor AspectColour(AspectKind kind) {
  switch (kind) {
    case AspectKind::Conjunction:
      return {0, 128, 0};
    case AspectKind::Opposition:
    case AspectKind::Square:
      return {200, 0, 0};
    case AspectKind::Trine:
    case AspectKind::Sextile:
      return {0, 0, 200};
    default:
      return {128, 128, 128};
  }
}

}  // namespace zodivane::ui
