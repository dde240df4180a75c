// SPDX-License-Identifier: GPL-3.0-or-later
// Short names of the chart points for tables of test cases.
#pragma once

#include "common/vocabulary.h"

namespace zodivane::test::points {

inline constexpr ChartPoint Sun = ChartPoint::Sun;
inline constexpr ChartPoint Moon = ChartPoint::Moon;
inline constexpr ChartPoint Mercury = ChartPoint::Mercury;
inline constexpr ChartPoint Venus = ChartPoint::Venus;
inline constexpr ChartPoint Mars = ChartPoint::Mars;
inline constexpr ChartPoint Jupiter = ChartPoint::Jupiter;
inline constexpr ChartPoint Saturn = ChartPoint::Saturn;
inline constexpr ChartPoint Uranus = ChartPoint::Uranus;
inline constexpr ChartPoint Neptune = ChartPoint::Neptune;
inline constexpr ChartPoint Pluto = ChartPoint::Pluto;
inline constexpr ChartPoint Asc = ChartPoint::Ascendant;

}  // namespace zodivane::test::points
