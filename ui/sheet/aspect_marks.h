// SPDX-License-Identifier: GPL-3.0-or-later
// How an aspect is written and drawn wherever the chart shows it (the
// panel beside the results, the wheel's lines, the chart sheet): its glyph,
// its orb in degrees and minutes, and the colour of its line.
#pragma once

#include <QColor>
#include <QString>

#include "aspects/aspects.h"

namespace zodivane::ui {

/// The glyph of an aspect in the grids.
[[nodiscard]] QString AspectGlyph(AspectKind kind);

/// An orb as the grids and lists write it: "2°14'".
[[nodiscard]] QString OrbText(double orb);

/// The colour of an aspect's line: conjunctions green, the hard aspects
/// red, the soft ones blue, the minor ones grey.
[[nodiscard]] QColor AspectColour(AspectKind kind);

}  // namespace zodivane::ui
