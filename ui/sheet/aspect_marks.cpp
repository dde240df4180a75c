// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sheet/aspect_marks.h"

#include <array>
#include <cstddef>

namespace zodivane::ui {
namespace {

/// The glyphs, in the order of AspectKind.
const auto kAspectGlyphs = std::to_array<QString>({
    QStringLiteral("\u260C"),        // conjunction
    QStringLiteral("\u260D"),        // opposition
    QStringLiteral("\u25B3"),        // trine
    QStringLiteral("\u25A1"),        // square
    QStringLiteral("\u2731"),        // sextile
    QStringLiteral("Qx"),            // quincunx
    QStringLiteral("\u2228"),        // semisextile
    QStringLiteral("\u2220"),        // semisquare
    QStringLiteral("\u2220\u00BD"),  // sesquiquadrate
    QStringLiteral("Q"),             // quintile
    QStringLiteral("bQ"),            // biquintile
});
static_assert(kAspectGlyphs.size() == kAspectKindCount);

}  // namespace

QString AspectGlyph(AspectKind kind) {
  return kAspectGlyphs[static_cast<std::size_t>(kind)];
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
