// SPDX-License-Identifier: GPL-3.0-or-later
// The chart of the Greenwich reference moment (Greenwich2000Entries), as
// every way of casting it must show it. Positions from the published
// ephemeris tables of 2000 January 1, 12:00 UT, compared exactly as printed.
#pragma once

#include <gtest/gtest.h>

#include "chart/chart_driver.h"

namespace zodivane::test {

/// The eleven short position texts, Sun to Pluto and the Ascendant.
inline const PositionTable kGreenwich2000Positions{
    "10 Cap 22", "13 Sco 18", "01 Cap 54", "01 Sag 34", "27 Aqu 58", "25 Ari 21",
    "10 Tau 12", "14 Aqu 47", "03 Aqu 11", "11 Sag 27", "24 Ari 17"};

/// Checks every text of the results form of the reference chart: positions,
/// the three signs and the birth data as shown.
inline void ExpectGreenwich2000View(const ChartView& view) {
  EXPECT_EQ(view.positions, kGreenwich2000Positions);
  EXPECT_EQ(view.moonSign, "Scorpio");
  EXPECT_EQ(view.sunSign, "Capricorn");
  EXPECT_EQ(view.ascendantSign, "Aries");
  EXPECT_EQ(view.name, "GREENWICH");
  EXPECT_EQ(view.dateOfBirth, "January/1/2000");
  EXPECT_EQ(view.timeOfBirth, "12:0");
  EXPECT_EQ(view.latitude, "51\u00B0 30' N");
  EXPECT_EQ(view.longitude, "0\u00B0 0' W");
  EXPECT_EQ(view.city, "London");
  EXPECT_EQ(view.state, "");
  EXPECT_EQ(view.country, "England");
}

}  // namespace zodivane::test
