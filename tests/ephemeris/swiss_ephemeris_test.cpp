// SPDX-License-Identifier: GPL-3.0-or-later
// Swiss Ephemeris as the precise engine, checked against an independent
// ephemeris: PyEphem (python3-ephem, its own theories and data), run here at
// test time on the same moments.
#include "ephemeris/swiss_ephemeris.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace zodivane {
namespace {

/// PyEphem's apparent geocentric longitude of date (degrees) of the Sun,
/// the Moon and Mercury to Pluto at each Julian day (UT) of the input file,
/// one line per day. PyEphem counts days from 1899-12-31 12:00 (JD 2415020).
constexpr const char* kPyEphemScript = R"(
import math, sys, ephem
bodies = [ephem.Sun, ephem.Moon, ephem.Mercury, ephem.Venus, ephem.Mars, ephem.Jupiter,
          ephem.Saturn, ephem.Uranus, ephem.Neptune, ephem.Pluto]
for line in open(sys.argv[1]):
    d = ephem.Date(float(line) - 2415020.0)
    out = []
    for make in bodies:
        b = make()
        b.compute(d, epoch=d)
        ecl = ephem.Ecliptic(ephem.Equatorial(b.g_ra, b.g_dec, epoch=d), epoch=d)
        out.append('%.9f' % math.degrees(ecl.lon))
    print(' '.join(out))
)";

std::string RunPython(const std::string& script, const std::string& argument) {
  const std::string scriptPath = testing::TempDir() + "zodivane_pyephem.py";
  std::ofstream(scriptPath) << script;
  const std::string command = "/usr/bin/python3 " + scriptPath + " " + argument + " 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string output;
  std::array<char, 4096> buffer{};
  while (pipe && std::fgets(buffer.data(), buffer.size(), pipe.get()) != nullptr) {
    output += buffer.data();
  }
  return output;
}

// 1,000 random moments of 1901-2050. Tolerances in arc-seconds: 5 for the
// Sun to Neptune, 20 for Pluto, 30 for the Moon (PyEphem's own distance
// from Swiss Ephemeris over these years, measured: 2.8", 14", 22").
TEST(SwissEphemeris, AgreesWithAnIndependentEphemeris) {
  if (!SwissEphemerisBuiltIn()) {
    GTEST_SKIP() << "this build has no Swiss Ephemeris";
  }
  std::mt19937_64 random(2026);
  // 1901-01-01 to 2050-12-31, UT.
  std::uniform_real_distribution<double> day(2415385.5, 2470171.5);
  std::vector<double> days(1000);
  const std::string daysPath = testing::TempDir() + "zodivane_days.txt";
  {
    std::ofstream out(daysPath);
    out.precision(17);
    for (double& jd : days) {
      jd = day(random);
      out << jd << '\n';
    }
  }
  std::istringstream answers(RunPython(kPyEphemScript, daysPath));
  constexpr std::array<double, kPreciseBodyCount> kToleranceArcsec = {5, 30, 5, 5, 5,
                                                                      5, 5,  5, 5, 20};
  constexpr std::array<const char*, kPreciseBodyCount> kNames = {
      "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"};
  std::array<double, kPreciseBodyCount> worst{};
  for (const double jd : days) {
    std::string line;
    ASSERT_TRUE(std::getline(answers, line))
        << "PyEphem gave no answer: is python3-ephem installed?";
    std::istringstream values(line);
    const auto sky = PreciseSkyAt(jd, 51.5, -0.1);
    ASSERT_TRUE(std::holds_alternative<PreciseSky>(sky)) << std::get<std::string>(sky);
    for (int body = 0; body < kPreciseBodyCount; ++body) {
      double expected = 0;
      ASSERT_TRUE(values >> expected) << line;
      const double ours = std::get<PreciseSky>(sky).longitudeDeg[static_cast<std::size_t>(body)];
      const double errorArcsec = std::abs(std::remainder(ours - expected, 360.0)) * 3600.0;
      worst[static_cast<std::size_t>(body)] =
          std::max(worst[static_cast<std::size_t>(body)], errorArcsec);
      EXPECT_LE(errorArcsec, kToleranceArcsec[static_cast<std::size_t>(body)])
          << kNames[static_cast<std::size_t>(body)] << " at JD " << jd << ": ours " << ours
          << ", PyEphem " << expected;
    }
  }
  for (int body = 0; body < kPreciseBodyCount; ++body) {
    std::printf("largest difference, %s: %.2f\"\n", kNames[static_cast<std::size_t>(body)],
                worst[static_cast<std::size_t>(body)]);
  }
}

}  // namespace
}  // namespace zodivane
