// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/sensitivity.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <variant>

#include "chart/chart_driver.h"
#include "ephemeris/engines.h"
#include "ephemeris/time_scales.h"
#include "tests/support/birth_records.h"

namespace zodivane {

// Readable failures: "-29 min to sign 4".
void PrintTo(const SignChange& change, std::ostream* out) {
  *out << change.minutes << " min to sign " << change.sign;
}
void PrintTo(const DstDifference& difference, std::ostream* out) {
  *out << "point " << static_cast<int>(difference.point) << ": sign " << difference.sign << " -> "
       << difference.oppositeSign;
}

namespace {

/// A birth as the user enters it on the form.
struct Birth {
  const char* label;
  int year, month, day, hour, minute;
  int zoneIndex;  ///< position in the time-zone list
  bool dst;
  int latDegrees, latMinutes;
  bool south;
  int lonDegrees, lonMinutes;
  bool east;
};

FormEntries EntriesOf(const Birth& birth, const CivilMoment& moment) {
  FormEntries entries;
  entries.txtName = "TEST";
  entries.txtLatD = std::to_string(birth.latDegrees);
  entries.txtLatM = std::to_string(birth.latMinutes);
  entries.txtLonD = std::to_string(birth.lonDegrees);
  entries.txtLonM = std::to_string(birth.lonMinutes);
  entries.optSouth = birth.south;
  entries.optEast = birth.east;
  entries.cmbTimeZoneIndex = birth.zoneIndex;
  entries.chkDST = birth.dst;
  entries.cboMonthIndex = moment.month - 1;
  entries.cboDateIndex = moment.day - 1;
  entries.cboDateText = std::to_string(moment.day);
  entries.cboYearText = std::to_string(moment.year);
  entries.cboHHText = std::to_string(moment.hour);
  entries.cboMMText = std::to_string(moment.minute);
  return entries;
}

CivilMoment MomentOf(const Birth& birth) {
  return CivilMoment{birth.year, birth.month, birth.day, birth.hour, birth.minute};
}

/// The sign of `point` in the chart the user gets by entering `birth` with
/// its clock time moved by `shift` minutes: the results' own texts, read as
/// the results form shows them.
int SignShownAt(const Birth& birth, int shift, ChartPoint point) {
  ChartSession session;
  const CastResult result =
      session.CastChart(EntriesOf(birth, ShiftCivilMoment(MomentOf(birth), shift)));
  const auto* view = std::get_if<ChartView>(&result);
  if (view == nullptr) {
    ADD_FAILURE() << "rejected at shift " << shift << ": "
                  << std::get<Rejection>(result).notice.message;
    return -2;
  }
  std::optional<int> sign;
  switch (point) {
    case ChartPoint::Ascendant:
      sign = view->ascendantSign ? SignIndexFromName(*view->ascendantSign) : std::nullopt;
      break;
    case ChartPoint::Moon:
      sign = SignIndexFromName(view->moonSign);
      break;
    case ChartPoint::Sun:
      sign = view->sunSign ? SignIndexFromName(*view->sunSign) : std::nullopt;
      break;
    default:
      sign = SignIndexFromAbbreviation(
          SignCharactersOf(view->positions[static_cast<std::size_t>(point)]));
      break;
  }
  return sign.value_or(-1);
}

BirthTimeSensitivity AnalyseEntered(const Birth& birth) {
  ChartSession session;
  const CastResult result = session.CastChart(EntriesOf(birth, MomentOf(birth)));
  EXPECT_TRUE(std::holds_alternative<ChartView>(result));
  return AnalyseBirthTime(session.chartInput());
}

/// Every change found is confirmed on the charts the user would get: at the
/// found minute the other sign, one minute nearer the entered time the
/// entered sign; and every entered sign is the one the results show.
void ExpectChangesConfirmedByCasting(const Birth& birth, const BirthTimeSensitivity& found) {
  for (const PointSensitivity& point : found.points) {
    SCOPED_TRACE(std::string(kChartPointNames[static_cast<std::size_t>(point.point)]));
    EXPECT_EQ(point.sign, SignShownAt(birth, 0, point.point));
    for (const std::optional<SignChange>& change : {point.earlier, point.later}) {
      if (!change) {
        continue;
      }
      SCOPED_TRACE("change at " + std::to_string(change->minutes) + " minutes");
      const int nearer = change->minutes < 0 ? change->minutes + 1 : change->minutes - 1;
      EXPECT_EQ(change->sign, SignShownAt(birth, change->minutes, point.point));
      EXPECT_NE(change->sign, point.sign);
      EXPECT_EQ(point.sign, SignShownAt(birth, nearer, point.point));
    }
  }
}

constexpr int kAries = 0, kTaurus = 1, kGemini = 2, kCancer = 3, kLeo = 4, kVirgo = 5, kLibra = 6,
              kScorpio = 7, kCapricorn = 9, kPisces = 11;

// Real births, each with the Ascendant's and the Moon's nearest changes
// (minutes, sign on the other side; 0 and -1 for none in the window). The
// figures are this program's own: each is confirmed below by casting the
// chart at the found minute and at the minute next to it.
struct ChangeCase {
  Birth birth;
  int ascEarlier, ascEarlierSign, ascLater, ascLaterSign;
  int moonEarlier, moonEarlierSign, moonLater, moonLaterSign;
};

// New Delhi, 28°38' N 77°12' E, Indian Time (+5.3 in the list).
constexpr Birth kDelhi{
    "Delhi 1980-06-15 10:30", 1980, 6, 15, 10, 30, 34, false, 28, 38, false, 77, 12, true};

const auto kChangeCases = std::to_array<ChangeCase>({
    // Virgo rose at 10:30 itself: one minute earlier the Ascendant is in Leo.
    // The Moon enters Leo the same evening.
    {kDelhi, -1, kLeo, 137, kLibra, -2549, kGemini, 685, kLeo},
    // One minute before Libra rises.
    {{"Delhi 12:46, one minute before Libra rises", 1980, 6, 15, 12, 46, 34, false, 28, 38, false,
      77, 12, true},
     -137,
     kLeo,
     1,
     kLibra,
     -2685,
     kGemini,
     549,
     kLeo},
    // Stable: nothing within an hour for the Ascendant, ten hours for the Moon.
    {{"Delhi 11:30, stable", 1980, 6, 15, 11, 30, 34, false, 28, 38, false, 77, 12, true},
     -61,
     kLeo,
     77,
     kLibra,
     -2609,
     kGemini,
     625,
     kLeo},
    // Cusp birth at London on the Sun's entry into Aries (see the Sun test).
    {{"London 2000-03-20 12:00 GMT", 2000, 3, 20, 12, 0, 29, false, 51, 30, false, 0, 7, false},
     -125,
     kGemini,
     26,
     kLeo,
     -421,
     kVirgo,
     2840,
     kScorpio},
    // Santiago, 33°27' S 70°40' W, Eastern Standard Time row, a late-evening
    // birth whose Ascendant change lies on the next day.
    {{"Santiago 1975-02-10 23:40", 1975, 2, 10, 23, 40, 27, false, 33, 27, true, 70, 40, false},
     -25,
     kScorpio,
     94,
     kCapricorn,
     -2604,
     kCapricorn,
     1027,
     kPisces},
});

TEST(BirthTimeSensitivity, AscendantAndMoonChangesFlipExactlyAtTheFoundMinute) {
  for (const ChangeCase& row : kChangeCases) {
    SCOPED_TRACE(row.birth.label);
    const BirthTimeSensitivity found = AnalyseEntered(row.birth);
    const PointSensitivity& asc = found.points[static_cast<std::size_t>(ChartPoint::Ascendant)];
    const PointSensitivity& moon = found.points[static_cast<std::size_t>(ChartPoint::Moon)];
    EXPECT_EQ(asc.earlier, (SignChange{row.ascEarlier, row.ascEarlierSign}));
    EXPECT_EQ(asc.later, (SignChange{row.ascLater, row.ascLaterSign}));
    EXPECT_EQ(moon.earlier, (SignChange{row.moonEarlier, row.moonEarlierSign}));
    EXPECT_EQ(moon.later, (SignChange{row.moonLater, row.moonLaterSign}));
    EXPECT_FALSE(asc.earlierStopsAtRange || asc.laterStopsAtRange);
    EXPECT_EQ(asc.windowMinutes, kAscendantWindowMinutes);
    EXPECT_EQ(moon.windowMinutes, kMoonWindowMinutes);
    ExpectChangesConfirmedByCasting(row.birth, found);
  }
}

TEST(BirthTimeSensitivity, SunChangesOnTheCuspDayAndPlanetsHoldOnAnOrdinaryDay) {
  // London, 20 March 2000: the Sun entered Aries at 7:21 (this program's
  // engine; the ingress was at 7:35 UT). Born at 12:00, the Sun is in Aries
  // and was in Pisces up to 7:20, 280 minutes earlier.
  const BirthTimeSensitivity cusp = AnalyseEntered(kChangeCases[3].birth);
  const PointSensitivity& sun = cusp.points[static_cast<std::size_t>(ChartPoint::Sun)];
  EXPECT_EQ(sun.sign, kAries);
  EXPECT_EQ(sun.earlier, (SignChange{-280, kPisces}));
  EXPECT_EQ(sun.later, std::nullopt);
  EXPECT_EQ(sun.windowMinutes, kPlanetWindowMinutes);

  // Delhi, 15 June 1980: no body but the Moon changes sign within a day.
  const BirthTimeSensitivity ordinary = AnalyseEntered(kDelhi);
  for (const PointSensitivity& point : ordinary.points) {
    if (point.point == ChartPoint::Moon || point.point == ChartPoint::Ascendant) {
      continue;
    }
    SCOPED_TRACE(std::string(kChartPointNames[static_cast<std::size_t>(point.point)]));
    EXPECT_EQ(point.earlier, std::nullopt);
    EXPECT_EQ(point.later, std::nullopt);
  }
  EXPECT_EQ(ordinary.points[static_cast<std::size_t>(ChartPoint::Sun)].sign, kGemini);
}

TEST(BirthTimeSensitivity, SearchStopsAtTheFirstAndLastBirthTimesTheFormTakes) {
  // 1 January 1901, 0:10 GMT at Greenwich: only ten minutes exist before it.
  const Birth first{"1901-01-01 0:10", 1901, 1, 1, 0, 10, 29, false, 51, 28, false, 0, 0, false};
  const BirthTimeSensitivity atStart = AnalyseEntered(first);
  for (const PointSensitivity& point : atStart.points) {
    SCOPED_TRACE(std::string(kChartPointNames[static_cast<std::size_t>(point.point)]));
    EXPECT_TRUE(point.earlierStopsAtRange);
    EXPECT_FALSE(point.laterStopsAtRange);
    EXPECT_EQ(point.earlier, std::nullopt);
  }
  const PointSensitivity& startAsc =
      atStart.points[static_cast<std::size_t>(ChartPoint::Ascendant)];
  EXPECT_EQ(startAsc.sign, kLibra);
  EXPECT_EQ(startAsc.later, (SignChange{121, kScorpio}));
  ExpectChangesConfirmedByCasting(first, atStart);

  // 31 December 2050, 23:50: nine minutes remain after it.
  const Birth last{"2050-12-31 23:50", 2050, 12, 31, 23, 50, 29, false, 51, 28, false, 0, 0, false};
  const BirthTimeSensitivity atEnd = AnalyseEntered(last);
  for (const PointSensitivity& point : atEnd.points) {
    SCOPED_TRACE(std::string(kChartPointNames[static_cast<std::size_t>(point.point)]));
    EXPECT_FALSE(point.earlierStopsAtRange);
    EXPECT_TRUE(point.laterStopsAtRange);
    EXPECT_EQ(point.later, std::nullopt);
  }
  const PointSensitivity& endMoon = atEnd.points[static_cast<std::size_t>(ChartPoint::Moon)];
  EXPECT_EQ(endMoon.earlier, (SignChange{-2847, kCancer}));
  ExpectChangesConfirmedByCasting(last, atEnd);

  // Born at the last minute the form takes: nothing later is searched.
  const Birth lastMinute{
      "2050-12-31 23:59", 2050, 12, 31, 23, 59, 29, false, 51, 28, false, 0, 0, false};
  for (const PointSensitivity& point : AnalyseEntered(lastMinute).points) {
    EXPECT_TRUE(point.laterStopsAtRange);
    EXPECT_EQ(point.later, std::nullopt);
  }
}

TEST(BirthTimeSensitivity, OppositeDaylightSavingTickListsTheSignsItChanges) {
  // Delhi 10:30: a minute earlier the Ascendant was in Leo, so ticking the
  // box (UT one hour earlier) moves it there; nothing else moves.
  const BirthTimeSensitivity unticked = AnalyseEntered(kDelhi);
  EXPECT_TRUE(unticked.oppositeDst);
  ASSERT_EQ(unticked.dstDifferences.size(), 1U);
  EXPECT_EQ(unticked.dstDifferences[0], (DstDifference{ChartPoint::Ascendant, kVirgo, kLeo}));
  EXPECT_EQ(
      SignShownAt(Birth{kDelhi.label, 1980, 6, 15, 10, 30, 34, true, 28, 38, false, 77, 12, true},
                  0, ChartPoint::Ascendant),
      kLeo);

  // Ticked: the opposite is the unticked chart, an hour later for the
  // Ascendant and the Moon.
  Birth ticked = kDelhi;
  ticked.dst = true;
  const BirthTimeSensitivity fromTicked = AnalyseEntered(ticked);
  EXPECT_FALSE(fromTicked.oppositeDst);
  ASSERT_EQ(fromTicked.dstDifferences.size(), 1U);
  EXPECT_EQ(fromTicked.dstDifferences[0], (DstDifference{ChartPoint::Ascendant, kLeo, kVirgo}));

  // London 12:00 on 20 March 2000: the Ascendant stays in Cancer an hour
  // either way; no sign differs.
  EXPECT_TRUE(AnalyseEntered(kChangeCases[3].birth).dstDifferences.empty());
}

// ---------------------------------------------------------------------------
// The coarse steps skip nothing: the search agrees with a minute-by-minute
// scan of the same engines over the whole window, at latitudes where signs
// rise slowly, fast (60° to 65°) and erratically (beyond the polar circle).

/// The nearest minute on one side with another sign, scanned minute by minute.
template <typename SignAt>
std::optional<SignChange> ScanSide(SignAt signAt, const ChartInput& input, int direction,
                                   int window) {
  const int sign = signAt(input);
  for (int step = 1; step <= window; ++step) {
    const CivilMoment moment =
        ShiftCivilMoment(CivilMoment{input.year, input.month, input.day, input.hour, input.minute},
                         direction * step);
    const auto asTuple = [](const CivilMoment& m) {
      return std::tie(m.year, m.month, m.day, m.hour, m.minute);
    };
    const CivilMoment first{1901, 1, 1, 0, 0};
    const CivilMoment last{2050, 12, 31, 23, 59};
    if (asTuple(moment) < asTuple(first) || asTuple(last) < asTuple(moment)) {
      return std::nullopt;
    }
    const int shifted = signAt(ShiftBirthTime(input, direction * step));
    if (shifted != sign) {
      return SignChange{direction * step, shifted};
    }
  }
  return std::nullopt;
}

int AscendantSign(const ChartInput& input) {
  const std::string text = ComputeAscendant(input);
  return SignIndexFromAbbreviation(std::string_view(text).substr(text.size() - 3)).value_or(-1);
}

int MoonSign(const ChartInput& input) {
  return SignIndexFromName(ComputeMoon(input).moonSignName).value_or(-1);
}

TEST(BirthTimeSensitivity, AscendantSearchAgreesWithAMinuteByMinuteScan) {
  struct Place {
    int latDegrees;
    bool south;
  };
  constexpr auto kPlaces = std::to_array<Place>({{0, false},
                                                 {28, false},
                                                 {51, false},
                                                 {60, false},
                                                 {64, true},
                                                 {65, false},
                                                 {66, false},
                                                 {67, true},
                                                 {70, false},
                                                 {89, false}});
  static_assert(kPlaces.size() == 10);
  for (const Place& place : kPlaces) {
    // Every third hour of a day near each equinox and solstice, so that the
    // fast-rising signs come up at each latitude.
    for (const auto& [month, day] : {std::pair{3, 21}, std::pair{6, 21}, std::pair{9, 23}}) {
      for (int hour = 0; hour < 24; hour += 3) {
        const ChartInput input = test::MakeInput(test::Birth{.year = 1987,
                                                             .month = month,
                                                             .day = day,
                                                             .hour = hour,
                                                             .minute = 17,
                                                             .toUtHours = -1,
                                                             .lonDegrees = 18,
                                                             .east = true,
                                                             .latDegrees = place.latDegrees,
                                                             .latMinutes = 30,
                                                             .south = place.south});
        SCOPED_TRACE("latitude " + std::to_string(place.latDegrees) + (place.south ? "S " : "N ") +
                     std::to_string(month) + "/" + std::to_string(day) + " " +
                     std::to_string(hour) + ":17");
        const PointSensitivity asc =
            AnalyseBirthTime(input).points[static_cast<std::size_t>(ChartPoint::Ascendant)];
        EXPECT_EQ(asc.earlier, ScanSide(AscendantSign, input, -1, kAscendantWindowMinutes));
        EXPECT_EQ(asc.later, ScanSide(AscendantSign, input, +1, kAscendantWindowMinutes));
      }
    }
  }
}

TEST(BirthTimeSensitivity, MoonAndPlanetSearchAgreesWithAMinuteByMinuteScan) {
  // Births with a Moon change, a Sun ingress, a planet's ingress and the
  // range limits; each body scanned minute by minute over its whole window.
  const auto births = std::to_array<Birth>({
      kDelhi,
      kChangeCases[3].birth,
      {"Tromso 1995-12-01 3:00", 1995, 12, 1, 3, 0, 20, false, 69, 40, false, 18, 56, true},
      {"1901-01-01 5:00", 1901, 1, 1, 5, 0, 29, false, 51, 28, false, 0, 0, false},
      {"2050-12-30 22:00", 2050, 12, 30, 22, 0, 29, true, 51, 28, false, 0, 0, false},
  });
  for (const Birth& birth : births) {
    SCOPED_TRACE(birth.label);
    ChartSession session;
    ASSERT_TRUE(
        std::holds_alternative<ChartView>(session.CastChart(EntriesOf(birth, MomentOf(birth)))));
    const ChartInput& input = session.chartInput();
    const BirthTimeSensitivity found = AnalyseBirthTime(input);
    const PointSensitivity& moon = found.points[static_cast<std::size_t>(ChartPoint::Moon)];
    EXPECT_EQ(moon.earlier, ScanSide(MoonSign, input, -1, kMoonWindowMinutes));
    EXPECT_EQ(moon.later, ScanSide(MoonSign, input, +1, kMoonWindowMinutes));
    for (int body = 0; body < kChartPointCount; ++body) {
      const auto point = static_cast<ChartPoint>(body);
      if (point == ChartPoint::Moon || point == ChartPoint::Ascendant) {
        continue;
      }
      SCOPED_TRACE(std::string(kChartPointNames[static_cast<std::size_t>(body)]));
      const auto bodySign = [&](const ChartInput& shifted) {
        const PositionTable positions = ComputePlanets(shifted, "", "");
        return SignIndexFromAbbreviation(
                   SignCharactersOf(positions[static_cast<std::size_t>(body)]))
            .value_or(-1);
      };
      const PointSensitivity& result = found.points[static_cast<std::size_t>(body)];
      EXPECT_EQ(result.earlier, ScanSide(bodySign, input, -1, kPlanetWindowMinutes));
      EXPECT_EQ(result.later, ScanSide(bodySign, input, +1, kPlanetWindowMinutes));
    }
    ExpectChangesConfirmedByCasting(birth, found);
  }
}

}  // namespace
}  // namespace zodivane
