// SPDX-License-Identifier: GPL-3.0-or-later
#include "ephemeris/points.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "ephemeris/ascendant.h"
#include "ephemeris/time_scales.h"

namespace zodivane {
namespace {

// Meeus, Astronomical Algorithms (2nd ed.), example 47.a: 1992 April 12,
// 0h TD, T = -0.077221081451, the mean node Omega = 274.400656 degrees.
TEST(Points, MeanNodeMatchesThePublishedExample) {
  EXPECT_NEAR(MeanNodeAt(-0.077221081451), 274.400656, 1e-6);
  // J2000.0 itself: the series' constant term.
  EXPECT_NEAR(MeanNodeAt(0.0), 125.0445479, 1e-9);
  // The node goes backwards about 19.34 degrees a year.
  EXPECT_NEAR(MeanNodeAt(-0.01) - MeanNodeAt(0.0), 19.341362891, 1e-6);
}

ChartInput RandomBirth(std::mt19937& random) {
  ChartInput input;
  input.year = static_cast<std::int16_t>(std::uniform_int_distribution(1901, 2050)(random));
  input.month = static_cast<std::int16_t>(std::uniform_int_distribution(1, 12)(random));
  input.day = static_cast<std::int16_t>(std::uniform_int_distribution(1, 28)(random));
  input.hour = static_cast<std::int16_t>(std::uniform_int_distribution(0, 23)(random));
  input.minute = static_cast<std::int16_t>(std::uniform_int_distribution(0, 59)(random));
  input.toUtHours = static_cast<std::int16_t>(std::uniform_int_distribution(-12, 12)(random));
  input.lonDegrees = static_cast<std::int16_t>(std::uniform_int_distribution(0, 179)(random));
  input.lonMinutes = static_cast<std::int16_t>(std::uniform_int_distribution(0, 59)(random));
  input.latDegrees = static_cast<std::int16_t>(std::uniform_int_distribution(0, 60)(random));
  input.latMinutes = static_cast<std::int16_t>(std::uniform_int_distribution(0, 59)(random));
  input.isEast = Flag16::Of(random() % 2 == 0);
  input.isSouth = Flag16::Of(random() % 2 == 0);
  return input;
}

// The Midheaven culminates: its right ascension, computed back from its
// longitude (tan RA = tan MC cos e), is the RAMC; and it lies within 90
// degrees before the Ascendant, which rises a quarter turn or less after it
// on the ecliptic at these latitudes (below 61 degrees). A second formula checks it too: the
// arctangent of tan RAMC / cos e, put in RAMC's half of the circle.
TEST(Points, TheMidheavenCulminates) {
  std::mt19937 random(7);
  for (int i = 0; i < 2000; ++i) {
    const ChartInput input = RandomBirth(random);
    const double ut = UniversalTimeHours(input);
    const double t = CenturiesFrom1900(JulianDayNumber(input.month, input.day, input.year), ut);
    const double ramcDeg = std::fmod(
        std::fmod(LocalSiderealDegrees(t, ut, ObserverLongitude(input)), 360.0) + 360.0, 360.0);
    const double obliquityRad = MeanObliquity(t) * kDegreesToRadians;
    const double mcDeg = MidheavenLongitude(input);
    SCOPED_TRACE(testing::Message() << input.year << "-" << input.month << "-" << input.day
                                    << " RAMC " << ramcDeg << " MC " << mcDeg);
    ASSERT_GE(mcDeg, 0.0);
    ASSERT_LT(mcDeg, 360.0);
    const double mcRad = mcDeg * kDegreesToRadians;
    double raDeg =
        std::atan2(std::sin(mcRad) * std::cos(obliquityRad), std::cos(mcRad)) / kDegreesToRadians;
    raDeg = std::fmod(raDeg + 360.0, 360.0);
    const double raError = std::remainder(raDeg - ramcDeg, 360.0);
    EXPECT_NEAR(raError, 0.0, 1e-7);

    double second = std::atan(std::tan(ramcDeg * kDegreesToRadians) / std::cos(obliquityRad)) /
                    kDegreesToRadians;
    if (std::cos(ramcDeg * kDegreesToRadians) < 0) {
      second += 180.0;
    }
    EXPECT_NEAR(std::remainder(second - mcDeg, 360.0), 0.0, 1e-7);

    const double ascendantAhead = std::fmod(AscendantLongitude(input) - mcDeg + 720.0, 360.0);
    EXPECT_GT(ascendantAhead, 0.0);
    EXPECT_LT(ascendantAhead, 180.0);
  }
}

}  // namespace
}  // namespace zodivane
