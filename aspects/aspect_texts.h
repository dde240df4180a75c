// SPDX-License-Identifier: GPL-3.0-or-later
// The words of the report's aspect section: what each major aspect means,
// and what each pair of chart points is about.
#pragma once

#include <string_view>

#include "aspects/aspects.h"
#include "common/vocabulary.h"

namespace zodivane {

/// The paragraph on the nature of a major aspect; empty for a minor one.
[[nodiscard]] std::string_view AspectNatureText(AspectKind kind) noexcept;

/// The sentence on the theme of the pair `a` and `b` (in either order; the
/// two must differ).
[[nodiscard]] std::string_view PairThemeText(ChartPoint a, ChartPoint b) noexcept;

/// How many pairs the eleven chart points make.
inline constexpr int kPointPairCount = kChartPointCount * (kChartPointCount - 1) / 2;

}  // namespace zodivane
