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
#include <thread>
#include <vector>

#include "ephemeris/ascendant.h"
#include "ephemeris/planets.h"
#include "ephemeris/time_scales.h"

#ifdef ZODIVANE_TEST_SWE
#include <swephexp.h>
#endif

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

/// Why these tests cannot run here (no Swiss Ephemeris in the build, or its
/// data files missing); empty when they can.
std::string SwissUnavailable() {
  return SwissEphemerisProblem().value_or("");
}

// 1,000 random moments of 1901-2050. Tolerances in arc-seconds: 5 for the
// Sun to Neptune, 20 for Pluto, 30 for the Moon (PyEphem's own distance
// from Swiss Ephemeris over these years, measured: 2.8", 14", 22").
// The library's own words never reach a user: ours name the missing file
// and the package, on one line, without the folder searched.
TEST(SwissEphemeris, MessagesAboutTheDataFilesAreOurs) {
  struct Case {
    std::string library;
    std::string ours;
  };
  const std::vector<Case> cases = {
      {"SwissEph file 'sepl_18.se1' not found in PATH '/usr/share/libswe/ephe/' \nusing Moshier "
       "eph.; ",
       "the Swiss Ephemeris data file sepl_18.se1 is missing; install the package "
       "swe-basic-data (apt install swe-basic-data)"},
      {"SwissEph file 'semo_18.se1' not found in PATH '.:/users/ephe2/:/users/ephe/'",
       "the Swiss Ephemeris data file semo_18.se1 is missing; install the package "
       "swe-basic-data (apt install swe-basic-data)"},
      {"SwissEph file '/home/a\x1b]0;x\x07/sepl_18.se1' not found",
       "the Swiss Ephemeris data files are missing or cannot be read; install the package "
       "swe-basic-data (apt install swe-basic-data)"},
      {"",
       "the Swiss Ephemeris data files are missing or cannot be read; install the package "
       "swe-basic-data (apt install swe-basic-data)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.library);
    EXPECT_EQ(SwissEphemerisMessage(c.library), c.ours);
  }
#ifdef ZODIVANE_TEST_SWE
  // The library's real text, from a thread whose path names an empty folder.
  std::string library;
  std::thread([&library] {
    swe_set_ephe_path(const_cast<char*>("/nonexistent-zodivane-ephe"));
    std::array<double, 6> xx{};
    std::array<char, AS_MAXCH> message{};
    swe_calc_ut(2451545.0, SE_SUN, SEFLG_SWIEPH | SEFLG_SPEED, xx.data(), message.data());
    library = message.data();
    swe_close();
  }).join();
  ASSERT_NE(library.find("not found"), std::string::npos) << library;
  const std::string ours = SwissEphemerisMessage(library);
  EXPECT_NE(ours.find("data file se"), std::string::npos) << ours;
  EXPECT_NE(ours.find("swe-basic-data"), std::string::npos) << ours;
  EXPECT_EQ(ours.find_first_of("\n/"), std::string::npos) << ours;
#endif
}

TEST(SwissEphemeris, AgreesWithAnIndependentEphemeris) {
  if (const std::string problem = SwissUnavailable(); !problem.empty()) {
    GTEST_SKIP() << problem;
  }
  if (RunPython("import ephem\nprint('ok')\n", "") != "ok\n") {
    GTEST_SKIP() << "python3-ephem is not installed";
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

ChartInput RandomBirth(std::mt19937& random) {
  const auto uniform = [&random](int low, int high) {
    return static_cast<std::int16_t>(std::uniform_int_distribution(low, high)(random));
  };
  ChartInput input;
  input.year = uniform(1901, 2050);
  input.month = uniform(1, 12);
  input.day = uniform(1, 28);
  input.hour = uniform(0, 23);
  input.minute = uniform(0, 59);
  input.toUtHours = uniform(-12, 12);
  input.toUtMinutes = uniform(0, 1) * 30;
  input.lonDegrees = uniform(0, 179);
  input.lonMinutes = uniform(0, 59);
  input.latDegrees = uniform(0, 65);
  input.latMinutes = uniform(0, 59);
  input.isEast = Flag16::Of(uniform(0, 1) == 1);
  input.isSouth = Flag16::Of(uniform(0, 1) == 1);
  input.dst = Flag16::Of(uniform(0, 1) == 1);
  return input;
}

#ifdef ZODIVANE_TEST_SWE
// The Ascendant and the Midheaven of 1,000 random births against the
// library's house routine called here directly, with the birth's UT worked
// out from its fields and the place's east longitude: so the engine's
// West-positive longitude is turned the right way round and the moment is
// the chart's (a minute's error would move the angles by a quarter degree).
TEST(SwissEphemeris, AnglesAreTheLibrarysOwn) {
  if (const std::string problem = SwissUnavailable(); !problem.empty()) {
    GTEST_SKIP() << problem;
  }
  swe_set_ephe_path(const_cast<char*>(ZODIVANE_TEST_SWE_EPHE_DIR));
  std::mt19937 random(1980);
  for (int i = 0; i < 1000; ++i) {
    const ChartInput input = RandomBirth(random);
    const double latitude =
        (input.latDegrees + input.latMinutes / 60.0) * (input.isSouth.IsSet() ? -1 : 1);
    const double eastLongitude =
        (input.lonDegrees + input.lonMinutes / 60.0) * (input.isEast.IsSet() ? 1 : -1);
    // Local clock minus the zone's hours and minutes, one hour less with DST.
    const int utMinutes = input.hour * 60 + input.minute + input.toUtHours * 60 +
                          input.toUtMinutes - (input.dst.IsSet() ? 60 : 0);
    const double julianDay =
        swe_julday(input.year, input.month, input.day, 0.0, SE_GREG_CAL) + utMinutes / 1440.0;
    std::array<double, 13> cusps{};
    std::array<double, 10> ascmc{};
    ASSERT_GE(swe_houses_ex(julianDay, 0, latitude, eastLongitude, 'P', cusps.data(), ascmc.data()),
              0);
    const auto sky = PreciseSkyOf(input);
    ASSERT_TRUE(std::holds_alternative<PreciseSky>(sky)) << std::get<std::string>(sky);
    SCOPED_TRACE(testing::Message()
                 << input.year << "-" << input.month << "-" << input.day << " " << input.hour << ":"
                 << input.minute << " at " << latitude << ", " << eastLongitude);
    // The two ways to the Julian day differ in its last bits only.
    EXPECT_NEAR(std::remainder(std::get<PreciseSky>(sky).ascendantDeg - ascmc[SE_ASC], 360.0), 0.0,
                1e-6);
    EXPECT_NEAR(std::remainder(std::get<PreciseSky>(sky).midheavenDeg - ascmc[SE_MC], 360.0), 0.0,
                1e-6);
  }
}

// The built-in Ascendant against the library's house routine fed the
// built-in method's own sidereal time and obliquity (no data files needed):
// the same point to a millionth of a degree at every latitude the form
// takes. Beyond the polar circles (from 66.56 degrees) the library, too,
// keeps the eastern of the ecliptic's two points on the horizon while the
// Midheaven is below it (6% of the sidereal day at 67 degrees, nearly
// half at 89), and there the two would otherwise stand half a turn apart.
TEST(SwissEphemeris, BuiltInAscendantIsTheLibrarysAtTheSameSiderealTime) {
  std::mt19937 random(6656);
  for (int i = 0; i < 5000; ++i) {
    ChartInput input = RandomBirth(random);
    input.latDegrees = static_cast<std::int16_t>(std::uniform_int_distribution(0, 89)(random));
    const double ut = UniversalTimeHours(input);
    const double t = CenturiesFrom1900(JulianDayNumber(input.month, input.day, input.year), ut);
    const double ramcDeg = ReduceDegrees(LocalSiderealDegrees(t, ut, ObserverLongitude(input)));
    const double latitudeDeg = ObserverLatitude(input);
    std::array<double, 13> cusps{};
    std::array<double, 10> ascmc{};
    ASSERT_GE(
        swe_houses_armc(ramcDeg, latitudeDeg, MeanObliquity(t), 'O', cusps.data(), ascmc.data()),
        0);
    const double ascendantDeg = AscendantLongitude(input);
    EXPECT_NEAR(std::remainder(ascendantDeg - ascmc[SE_ASC], 360.0), 0.0, 1e-6)
        << "latitude " << latitudeDeg << ", RAMC " << ramcDeg << ": ours " << ascendantDeg
        << ", the library's " << ascmc[SE_ASC];
  }
}
#endif

// A sky written as the built-in engines write theirs: the same long and
// short texts from the same numbers, the opposite points, and retrograde
// marks from the sign of the daily motion, Mercury to Saturn only.
TEST(SwissEphemeris, ChartTextsFollowTheBuiltInRules) {
  PreciseSky sky;
  sky.longitudeDeg = {344.99999999, 29.999999, 0.0,   359.9999999, 150.5,
                      151.0,        152.0,     200.0, 260.0,       200.5};
  sky.speedDegPerDay = {0.98, 13.0, -0.5, 1.1, -0.2, -0.01, 0.03, -0.04, 0.01, -0.02};
  sky.ascendantDeg = 84.25;
  sky.midheavenDeg = 359.5;
  sky.meanNodeDeg = 148.5;
  sky.trueNodeDeg = 149.25;
  const PreciseChart chart = PreciseChartOf(sky);
  EXPECT_EQ(chart.ascendant.text, SignPositionText(84.25));
  EXPECT_EQ(chart.moon.moonText, "29\u00B0 59' 59\" Ari");
  EXPECT_EQ(chart.moon.moonSignName, "Aries");
  for (std::size_t body = 0; body < kPreciseBodyCount; ++body) {
    SCOPED_TRACE(body);
    EXPECT_EQ(chart.positions.texts[body], ShortPositionTextOf(sky.longitudeDeg[body]));
    EXPECT_EQ(chart.positions.longitudes[body], sky.longitudeDeg[body]);
  }
  EXPECT_EQ(chart.positions.texts[static_cast<std::size_t>(ChartPoint::Ascendant)], "24 Gem 15");
  EXPECT_EQ(chart.retrograde, (RetrogradeFlags{false, false, true, false, true, true, false}));
  ASSERT_TRUE(chart.extraPoints[ExtraPoint::ImumCoeli]);
  EXPECT_DOUBLE_EQ(chart.extraPoints[ExtraPoint::ImumCoeli]->longitude, 179.5);
  EXPECT_DOUBLE_EQ(chart.extraPoints[ExtraPoint::Descendant]->longitude, 264.25);
  EXPECT_DOUBLE_EQ(chart.extraPoints[ExtraPoint::TrueNode]->longitude, 149.25);
  EXPECT_FALSE(chart.extraPoints[ExtraPoint::Chiron]);
}

}  // namespace
}  // namespace zodivane
