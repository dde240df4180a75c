// SPDX-License-Identifier: GPL-3.0-or-later
// How an aspect is written and drawn wherever the chart shows it (the
// panel beside the results, the wheel's lines, the chart sheet): its glyph,
// its orb in degrees and minutes, and the colour of its line.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include "aspects/aspects.h"

namespace zodivane::ui {

/// The glyph of an aspect in the grids and lists: the astrological symbol
/// (☌ ☍ △ □ ✱, and ⚻ quincunx, ⚺ semisextile, ∠ semisquare, ⚼
/// sesquiquadrate, Q quintile, bQ biquintile) wherever `font`, with the
/// system's fallback fonts, has it; else a plain text that it does have
/// ("Qx", "∨", "∠½"), never a missing-glyph box.
[[nodiscard]] QString AspectGlyph(AspectKind kind, const QFont& font);
/// The glyph in the sheets' and windows' own type (Verdana, or DejaVu Sans).
[[nodiscard]] QString AspectGlyph(AspectKind kind);

/// True when every character of `text` is drawn from a real glyph in
/// `font` or a font the system falls back on: no missing-glyph box.
[[nodiscard]] bool DrawnWithoutBoxes(const QString& text, const QFont& font);

/// An orb as the grids and lists write it: "2°14'".
[[nodiscard]] QString OrbText(double orb);

/// The colour of an aspect's line and glyph: conjunctions green, the hard
/// aspects red, the soft ones blue, the minor ones grey.
[[nodiscard]] QColor AspectColour(AspectKind kind);

}  // namespace zodivane::ui
