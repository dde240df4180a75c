// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/sensitivity_text.h"

#include <gtest/gtest.h>
#include <array>

#include <cstddef>
#include <optional>
#include <string>
#include <variant>

#include "chart/chart_driver.h"
#include "ephemeris/swiss_ephemeris.h"

namespace zodivane {
namespace {

/// 15 June 1980, 10:30 local time; only the date and time matter here.
ChartInput BirthAtHalfPastTen() {
  ChartInput input;
  input.year = 1980;
  input.month = 6;
  input.day = 15;
  input.hour = 10;
  input.minute = 30;
  return input;
}

PointSensitivity Point(ChartPoint point, int sign, int window, std::optional<SignChange> earlier,
                       std::optional<SignChange> later) {
  PointSensitivity result;
  result.point = point;
  result.sign = sign;
  result.windowMinutes = window;
  result.earlier = earlier;
  result.later = later;
  return result;
}

TEST(SensitivityText, SentencePerPoint) {
  struct Row {
    PointSensitivity point;
    const char* expected;
  };
  const auto rows = std::to_array<Row>({
      // Both sides; the first and last minutes of the sign are named.
      {Point(ChartPoint::Ascendant, 1, 180, SignChange{-13, 0}, SignChange{98, 2}),
       "Ascendant Taurus from 10:18 to 12:07; Aries if born before 10:18, Gemini if born after "
       "12:07"},
      // The sign began at the entered minute itself.
      {Point(ChartPoint::Ascendant, 5, 180, SignChange{-1, 4}, std::nullopt),
       "Ascendant Virgo from 10:30; Leo if born before 10:30"},
      // Only a later change, past midnight: the date is named.
      {Point(ChartPoint::Moon, 3, 4320, std::nullopt, SignChange{1000, 4}),
       "Moon Cancer until June/16 3:09; Leo if born after June/16 3:09"},
      // An earlier change two days back, across the month.
      {Point(ChartPoint::Sun, 2, 1440, SignChange{-1000, 1}, std::nullopt),
       "Sun Gemini from June/14 17:51; Taurus if born before June/14 17:51"},
      // Nothing within the window.
      {Point(ChartPoint::Jupiter, 4, 1440, std::nullopt, std::nullopt),
       "Jupiter Leo for a day either side of the birth time"},
      {Point(ChartPoint::Ascendant, 4, 180, std::nullopt, std::nullopt),
       "Ascendant Leo for 3 hours either side of the birth time"},
  });
  for (const Row& row : rows) {
    EXPECT_EQ(SensitivityText(BirthAtHalfPastTen(), row.point), row.expected);
  }
}

// Near 1 January 1901 and 31 December 2050 the search stops where the years
// the form takes end: the sentence says where, not "either side".
TEST(SensitivityText, SaysWhereTheSearchStoppedAtTheEndsOfTheYears) {
  const auto stopped = [](PointSensitivity point, bool earlier, bool later) {
    point.earlierStopsAtRange = earlier;
    point.laterStopsAtRange = later;
    return point;
  };
  struct Row {
    PointSensitivity point;
    const char* expected;
  };
  const auto rows = std::to_array<Row>({
      {stopped(Point(ChartPoint::Sun, 9, 1440, std::nullopt, std::nullopt), true, false),
       "Sun Capricorn from 1 January 1901, 0:00 (the first birth time taken) to a day after the "
       "birth time"},
      {stopped(Point(ChartPoint::Sun, 9, 1440, std::nullopt, std::nullopt), false, true),
       "Sun Capricorn from a day before the birth time to 31 December 2050, 23:59 (the last birth "
       "time taken)"},
      {stopped(Point(ChartPoint::Moon, 4, 4320, SignChange{-60, 3}, std::nullopt), false, true),
       "Moon Leo from 9:31 to 31 December 2050, 23:59 (the last birth time taken); Cancer if born "
       "before 9:31"},
      {stopped(Point(ChartPoint::Moon, 1, 4320, std::nullopt, SignChange{60, 2}), true, false),
       "Moon Taurus from 1 January 1901, 0:00 (the first birth time taken) to 11:29; Gemini if "
       "born after 11:29"},
  });
  for (const Row& row : rows) {
    EXPECT_EQ(SensitivityText(BirthAtHalfPastTen(), row.point), row.expected);
  }
}

TEST(SensitivityText, TimesCarryIntoOtherMonthsAndYears) {
  ChartInput input = BirthAtHalfPastTen();
  input.month = 12;
  input.day = 31;
  input.year = 1999;
  input.hour = 23;
  input.minute = 55;
  EXPECT_EQ(ShiftedTimeText(input, 0), "23:55");
  EXPECT_EQ(ShiftedTimeText(input, 5), "January/1 0:00");
  EXPECT_EQ(ShiftedTimeText(input, -23 * 60 - 55), "0:00");
  EXPECT_EQ(ShiftedTimeText(input, -23 * 60 - 56), "December/30 23:59");
}

BirthTimeSensitivity WithAscendantAndMoon(PointSensitivity ascendant, PointSensitivity moon) {
  BirthTimeSensitivity sensitivity;
  sensitivity.points[static_cast<std::size_t>(ChartPoint::Ascendant)] = ascendant;
  sensitivity.points[static_cast<std::size_t>(ChartPoint::Moon)] = moon;
  return sensitivity;
}

TEST(SensitivityText, WarningOnlyWithinHalfAnHourOfTheAscendantOrTheMoon) {
  struct Row {
    const char* label;
    BirthTimeSensitivity sensitivity;
    std::optional<std::string> expected;
  };
  const auto rows = std::to_array<Row>({
      {"Ascendant 12 minutes earlier",
       WithAscendantAndMoon(
           Point(ChartPoint::Ascendant, 1, 180, SignChange{-12, 0}, SignChange{98, 2}),
           Point(ChartPoint::Moon, 3, 4320, std::nullopt, SignChange{600, 4})),
       "Ascendant changes to Aries 12 minutes earlier: check the birth time"},
      {"exactly 30 minutes later; one minute earlier for the Moon",
       WithAscendantAndMoon(
           Point(ChartPoint::Ascendant, 1, 180, SignChange{-90, 0}, SignChange{30, 2}),
           Point(ChartPoint::Moon, 3, 4320, SignChange{-1, 2}, std::nullopt)),
       "Ascendant changes to Gemini 30 minutes later, Moon changes to Gemini 1 minute earlier: "
       "check the birth time"},
      {"both sides near: the nearer is named",
       WithAscendantAndMoon(
           Point(ChartPoint::Ascendant, 0, 180, SignChange{-20, 11}, SignChange{9, 1}),
           Point(ChartPoint::Moon, 3, 4320, std::nullopt, std::nullopt)),
       "Ascendant changes to Taurus 9 minutes later: check the birth time"},
      {"31 minutes: stable",
       WithAscendantAndMoon(
           Point(ChartPoint::Ascendant, 1, 180, SignChange{-31, 0}, SignChange{31, 2}),
           Point(ChartPoint::Moon, 3, 4320, SignChange{-31, 2}, std::nullopt)),
       std::nullopt},
      {"no change at all",
       WithAscendantAndMoon(Point(ChartPoint::Ascendant, 1, 180, std::nullopt, std::nullopt),
                            Point(ChartPoint::Moon, 3, 4320, std::nullopt, std::nullopt)),
       std::nullopt},
  });
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(BirthTimeWarning(row.sensitivity), row.expected);
  }
}

TEST(SensitivityText, DaylightSavingSentence) {
  BirthTimeSensitivity sensitivity;
  sensitivity.oppositeDst = true;
  EXPECT_EQ(DaylightSavingText(sensitivity), "With Daylight Saving Time ticked: no sign changes");
  sensitivity.oppositeDst = false;
  sensitivity.dstDifferences = {DstDifference{ChartPoint::Moon, 3, 4},
                                DstDifference{ChartPoint::Ascendant, 5, 4}};
  EXPECT_EQ(DaylightSavingText(sensitivity),
            "With Daylight Saving Time not ticked: Moon Leo instead of Cancer, Ascendant Leo "
            "instead of Virgo");
}

TEST(SensitivityText, RealChartFromTheForm) {
  // New Delhi, 28°38' N 77°12' E, 15 June 1980 10:30 Indian Time: Virgo rose
  // at 10:30 itself.
  FormEntries entries;
  entries.txtName = "ASHA";
  entries.txtLatD = "28";
  entries.txtLatM = "38";
  entries.txtLonD = "77";
  entries.txtLonM = "12";
  entries.cmbTimeZoneIndex = 34;
  entries.cboMonthIndex = 5;
  entries.cboDateIndex = 14;
  entries.cboDateText = "15";
  entries.cboYearText = "1980";
  entries.cboHHText = "10";
  entries.cboMMText = "30";
  ChartSession session;
  ASSERT_TRUE(std::holds_alternative<ChartView>(session.CastChart(entries)));
  const BirthTimeSensitivity sensitivity = AnalyseBirthTime(session.chartInput());
  EXPECT_EQ(SensitivityText(session.chartInput(),
                            sensitivity.points[static_cast<std::size_t>(ChartPoint::Ascendant)]),
            "Ascendant Virgo from 10:30 to 12:46; Leo if born before 10:30, Libra if born after "
            "12:46");
  EXPECT_EQ(SensitivityText(session.chartInput(),
                            sensitivity.points[static_cast<std::size_t>(ChartPoint::Moon)]),
            "Moon Cancer from June/13 16:02 to June/15 21:54; Gemini if born before June/13 16:02, "
            "Leo if "
            "born after June/15 21:54");
  EXPECT_EQ(BirthTimeWarning(sensitivity),
            "Ascendant changes to Leo 1 minute earlier: check the birth time");
  EXPECT_EQ(DaylightSavingText(sensitivity),
            "With Daylight Saving Time ticked: Ascendant Leo instead of Virgo");
  EXPECT_EQ(PointTooltipText(session.chartInput(), sensitivity, ChartPoint::Ascendant),
            "Ascendant Virgo from 10:30 to 12:46; Leo if born before 10:30, Libra if born after "
            "12:46\nWith Daylight Saving Time ticked: Leo");
  EXPECT_EQ(PointTooltipText(session.chartInput(), sensitivity, ChartPoint::Jupiter),
            "Jupiter Virgo for a day either side of the birth time");
}

// The results' words come from the engine that cast the chart: with Swiss
// Ephemeris the sign changes are searched with it, and differ from the
// built-in method's by its small distance from the real sky.
TEST(SensitivityText, TheViewSearchesWithTheChartsEngine) {
  if (SwissEphemerisProblem()) {
    GTEST_SKIP() << *SwissEphemerisProblem();
  }
  ChartInput input = BirthAtHalfPastTen();
  input.latDegrees = 28;
  input.latMinutes = 38;
  input.lonDegrees = 77;
  input.lonMinutes = 12;
  input.isEast = Flag16::Of(true);
  input.toUtHours = -5;
  input.toUtMinutes = -30;
  input.zoneHours = 5;
  input.zoneMinutes = 30;
  const BirthTimeSensitivity swiss =
      AnalyseBirthTime(input, SensitivityOptions{Ephemeris::Swiss, false});
  const SensitivityView view = SensitivityViewOf(input, nullptr, false, Ephemeris::Swiss);
  const SensitivityView builtIn = SensitivityViewOf(input);
  bool anyDiffers = false;
  for (int point = 0; point < kChartPointCount; ++point) {
    const auto index = static_cast<std::size_t>(point);
    EXPECT_EQ(view.tooltips[index],
              PointTooltipText(input, swiss, static_cast<ChartPoint>(point), nullptr));
    anyDiffers = anyDiffers || view.tooltips[index] != builtIn.tooltips[index];
  }
  EXPECT_TRUE(anyDiffers);
}

}  // namespace
}  // namespace zodivane
