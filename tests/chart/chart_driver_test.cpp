// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_driver.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "report/report_sinks.h"
#include "tests/support/greenwich_reference.h"
#include "tests/support/sample_entries.h"
#include "tests/support/wheel_houses.h"

namespace zodivane {
namespace {

// The view of an accepted cast; a failure (and an empty view) when rejected.
ChartView ViewOf(const CastResult& result) {
  if (const auto* view = std::get_if<ChartView>(&result)) {
    return *view;
  }
  ADD_FAILURE() << "the cast was rejected: " << std::get<Rejection>(result).notice.message;
  return {};
}

// Everything a session keeps between charts, to compare before and after.
struct SessionState {
  ChartInput input;
  std::string ascendantText;
  std::string moonText;
  std::string moonSignName;
  PositionTable positions;
  WheelNames wheelNames;
  PointPositions points;
  PlanetPlacements placements;
  friend bool operator==(const SessionState&, const SessionState&) = default;
};

SessionState StateOf(const ChartSession& session) {
  return {session.chartInput(),   session.ascendantText(), session.moonText(),
          session.moonSignName(), session.positionTable(), session.wheelNames(),
          session.points(),       session.placements()};
}

TEST(CastChart, FillsTheBirthRecordFromTheEntries) {
  FormEntries entries = test::DelhiEntries();
  entries.txtName = " asha k ";
  entries.cboMonthIndex = 2;
  entries.cboDateIndex = 4;
  entries.cboDateText = "5";
  entries.cboYearText = "1980";
  entries.cboHHText = "7";
  entries.cboMMText = "5";
  entries.cmbTimeZoneIndex = 34;  // "Indian Time, IST, +5.3"
  entries.optEast = true;
  entries.optSouth = true;
  entries.chkDST = true;

  ChartSession session;
  ViewOf(session.CastChart(entries));
  const ChartInput& input = session.chartInput();
  EXPECT_EQ(input.name, " asha k ");
  EXPECT_EQ(input.toUtHours, -5);
  EXPECT_EQ(input.toUtMinutes, -30);
  EXPECT_EQ(input.month, 3);
  EXPECT_EQ(input.day, 5);
  EXPECT_EQ(input.year, 1980);
  EXPECT_EQ(input.hour, 7);
  EXPECT_EQ(input.minute, 5);
  EXPECT_EQ(input.zoneHours, 5);
  EXPECT_EQ(input.zoneMinutes, 30);
  EXPECT_EQ(input.lonDegrees, 77);
  EXPECT_EQ(input.lonMinutes, 12);
  EXPECT_EQ(input.latDegrees, 28);
  EXPECT_EQ(input.latMinutes, 38);
  EXPECT_EQ(input.isEast.raw, -1);
  EXPECT_EQ(input.isSouth.raw, -1);
  EXPECT_EQ(input.dst.raw, -1);
}

// The detail texts: decimal numbers without leading zeros, the degree sign
// U+00B0, hemisphere letters from the options.
TEST(CastChart, ComposesTheDetailTexts) {
  struct Case {
    const char* what;
    FormEntries entries;
    const char* date;
    const char* time;
    const char* latitude;
    const char* longitude;
  };
  FormEntries delhi = test::DelhiEntries();
  delhi.cboMonthIndex = 2;
  delhi.cboDateIndex = 4;
  delhi.cboDateText = "5";
  delhi.cboYearText = "1980";
  delhi.cboHHText = "7";
  delhi.cboMMText = "5";
  FormEntries south = test::DelhiEntries();
  south.txtLatD = "5";
  south.txtLatM = "0";
  south.optSouth = true;
  south.txtLonD = "0";
  south.txtLonM = "7";
  south.optEast = false;
  FormEntries late = test::DelhiEntries();
  late.cboMonthIndex = 11;
  late.cboDateIndex = 30;
  late.cboDateText = "31";
  late.cboYearText = "2050";
  late.cboHHText = "23";
  late.cboMMText = "59";
  late.txtLonD = "179";
  late.txtLonM = "59";
  late.txtLatD = "89";
  late.txtLatM = "59";
  const std::vector<Case> cases = {
      {"the form's defaults", test::DelhiEntries(), "January/1/1901", "0:0", "28\u00B0 38' N",
       "77\u00B0 12' E"},
      {"five past seven", delhi, "March/5/1980", "7:5", "28\u00B0 38' N", "77\u00B0 12' E"},
      {"south and west", south, "January/1/1901", "0:0", "5\u00B0 0' S", "0\u00B0 7' W"},
      {"the last minute offered", late, "December/31/2050", "23:59", "89\u00B0 59' N",
       "179\u00B0 59' E"},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.what);
    ChartSession session;
    const ChartView view = ViewOf(session.CastChart(row.entries));
    EXPECT_EQ(view.name, "ASHA");
    EXPECT_EQ(view.dateOfBirth, row.date);
    EXPECT_EQ(view.timeOfBirth, row.time);
    EXPECT_EQ(view.latitude, row.latitude);
    EXPECT_EQ(view.longitude, row.longitude);
    EXPECT_EQ(view.city, "");
    EXPECT_EQ(view.state, "");
    EXPECT_EQ(view.country, "");
  }
}

// The published reference moment: every position, the three signs and the
// wheel. Positions from the ephemeris tables of 2000 January 1, 12:00 UT.
TEST(CastChart, GreenwichReferenceChart) {
  ChartSession session;
  const ChartView view = ViewOf(session.CastChart(test::Greenwich2000Entries()));
  test::ExpectGreenwich2000View(view);
  EXPECT_EQ(session.positionTable(), test::kGreenwich2000Positions);
  EXPECT_EQ(session.ascendantText(), "24\u00B0 17' 52\" Ari");
  EXPECT_EQ(session.moonText(), "13\u00B0 18' 57\" Sco");

  // Ascendant in Aries: the wheel is not turned. Names come from the
  // retrograde step, which may mark them.
  const WheelNames& names = session.wheelNames();
  ASSERT_EQ(names[0], "Sun");
  const std::array<std::string, kSignCount> houses{
      "\r\n" + names[5] + "\r\nAsc",  // Aries: Jupiter, Asc
      "\r\n" + names[6],              // Taurus: Saturn
      "",                             // Gemini
      "",                             // Cancer
      "",                             // Leo
      "",                             // Virgo
      "",                             // Libra
      "\r\nMoon",                     // Scorpio
      "\r\n" + names[3],              // Sagittarius: Venus, not Pluto
      "\r\nSun\r\n" + names[2],       // Capricorn: Sun, Mercury
      "\r\n" + names[4],              // Aquarius: Mars, not Uranus or Neptune
      "",                             // Pisces
  };
  EXPECT_EQ(view.wheel.houseTexts, houses);
  const std::array<int, kSignCount> pictures{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  EXPECT_EQ(view.wheel.pictures, pictures);
}

// Counts how often `name` opens a line in the wheel's house texts.
int TimesListed(const WheelView& wheel, const std::string& name) {
  int count = 0;
  for (const std::string& house : wheel.houseTexts) {
    for (std::size_t at = house.find("\r\n" + name); at != std::string::npos;
         at = house.find("\r\n" + name, at + 1)) {
      ++count;
    }
  }
  return count;
}

TEST(CastChart, CastingTwiceGivesTheSameViewWithEveryBodyOnce) {
  FormEntries entries = test::Greenwich2000Entries();
  entries.cboMonthIndex = 7;
  entries.cboDateIndex = 14;
  entries.cboDateText = "15";
  entries.cboYearText = "1987";
  ChartSession session;
  const ChartView first = ViewOf(session.CastChart(entries));
  const ChartView second = ViewOf(session.CastChart(entries));
  EXPECT_EQ(first, second);
  for (const std::string name :
       {"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Asc"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(TimesListed(second.wheel, name), 1);
  }
  for (const std::string name : {"Uranus", "Neptune", "Pluto"}) {
    EXPECT_EQ(TimesListed(second.wheel, name), 0) << name;
  }
}

// Over many dates the view's signs agree with the engines' texts: sun sign
// from the Sun's entry, ascendant sign from the Ascendant's long text and
// the first house, wheel pictures from the Ascendant's sign.
TEST(CastChart, SignsAndWheelAgreeWithTheEngineTexts) {
  ChartSession session;
  for (int year = 1901; year <= 2050; year += 7) {
    FormEntries entries = test::DelhiEntries();
    entries.cboYearText = std::to_string(year);
    entries.cboMonthIndex = year % 12;
    entries.cboDateIndex = year % 28;
    entries.cboDateText = std::to_string(year % 28 + 1);
    entries.cboHHText = std::to_string(year % 24);
    SCOPED_TRACE(year);
    const ChartView view = ViewOf(session.CastChart(entries));
    const std::optional<int> sun = SignIndexFromAbbreviation(view.positions[0].substr(3, 3));
    const std::optional<int> ascendant = SignIndexFromAbbreviation(view.positions[10].substr(3, 3));
    ASSERT_TRUE(sun && ascendant);
    EXPECT_EQ(view.sunSign, kSigns[*sun].name);
    EXPECT_EQ(view.ascendantSign, kSigns[*ascendant].name);
    EXPECT_EQ(view.moonSign, session.moonSignName());
    ASSERT_TRUE(view.wheel.pictures.has_value());
    EXPECT_EQ((*view.wheel.pictures)[0], *ascendant + 1);
    EXPECT_NE(view.wheel.houseTexts[0].find("\r\nAsc"), std::string::npos);
  }
}

// The numbers beside the texts say what the texts say: the short position
// written again from the sign, degree and minutes; the long texts' degree
// and minutes; the wheel's marks and lists; the longitude inside the minute
// the text shows.
TEST(CastChart, TheNumbersSayWhatTheTextsSay) {
  ChartSession session;
  int retrograde = 0;
  for (int day = 0; day < 150 * 12; day += 7) {
    FormEntries entries = test::DelhiEntries();
    entries.cboYearText = std::to_string(1901 + day / 12);
    entries.cboMonthIndex = day % 12;
    entries.cboDateIndex = day % 28;
    entries.cboDateText = std::to_string(day % 28 + 1);
    entries.cboHHText = std::to_string(day % 24);
    entries.cboMMText = std::to_string(day % 60);
    SCOPED_TRACE(entries.cboYearText + " " + std::to_string(day));
    const ChartView view = ViewOf(session.CastChart(entries));
    EXPECT_EQ(view.points, session.points());
    for (int point = 0; point < kChartPointCount; ++point) {
      SCOPED_TRACE(kChartPointNames[point]);
      const PointPosition& number = view.points[point];
      ASSERT_TRUE(number.sign.has_value());
      std::array<char, 16> text{};
      std::snprintf(text.data(), text.size(), "%02d %s %02d", number.degree,
                    std::string(kSigns[*number.sign].abbreviation).c_str(), number.minute);
      EXPECT_EQ(view.positions[point], text.data());
      const double shown = 30.0 * *number.sign + number.degree + number.minute / 60.0;
      EXPECT_GE(number.longitude, shown);
      EXPECT_LT(number.longitude, shown + 1.0 / 60.0);
      const bool marked =
          point < kWheelBodyCount && session.wheelNames()[point].find(" (R) ") != std::string::npos;
      EXPECT_EQ(number.retrograde, marked);
      retrograde += number.retrograde ? 1 : 0;
    }
    const auto longText = [&](ChartPoint point) {
      const PointPosition& number = view.points[static_cast<std::size_t>(point)];
      return std::to_string(number.degree) + "\u00B0 " + std::to_string(number.minute) + "' ";
    };
    EXPECT_TRUE(session.moonText().starts_with(longText(ChartPoint::Moon)));
    EXPECT_TRUE(session.ascendantText().starts_with(longText(ChartPoint::Ascendant)));
    for (int house = 0; house < kSignCount; ++house) {
      EXPECT_EQ(view.wheel.houseTexts[house], test::HouseText(view.wheel.houseEntries[house]))
          << "house " << house + 1;
    }
  }
  EXPECT_GT(retrograde, 0);
}

TEST(CastChart, RejectedCastReturnsTheRejectionAndKeepsThePreviousChart) {
  ChartSession session;
  ViewOf(session.CastChart(test::Greenwich2000Entries()));
  PlainTextSink report;
  session.WritePlanetInSignReport(report);
  EXPECT_FALSE(report.Text().empty());
  const SessionState before = StateOf(session);
  ASSERT_EQ(before.input.name, "GREENWICH");

  struct Case {
    const char* what;
    std::function<void(FormEntries&)> change;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"empty name", [](FormEntries& e) { e.txtName = ""; }, "Please Enter Name"},
      {"31 April",
       [](FormEntries& e) {
         e.cboMonthIndex = 3;
         e.cboDateIndex = 30;
         e.cboDateText = "31";
       },
       "Please Enter Correct Date Or Month !"},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.what);
    FormEntries entries = test::DelhiEntries();
    entries.cboYearText = "1975";
    entries.cmbTimeZoneIndex = 34;
    row.change(entries);
    const CastResult result = session.CastChart(entries);
    ASSERT_TRUE(std::holds_alternative<Rejection>(result));
    EXPECT_EQ(std::get<Rejection>(result).notice.message, row.message);
    EXPECT_EQ(StateOf(session), before);
  }
}

TEST(CastChart, RejectionBeforeAnyChartLeavesTheEmptyRecord) {
  ChartSession session;
  FormEntries entries = test::DelhiEntries();
  entries.txtLatD = "90";
  const CastResult result = session.CastChart(entries);
  ASSERT_TRUE(std::holds_alternative<Rejection>(result));
  const Rejection& rejection = std::get<Rejection>(result);
  EXPECT_EQ(rejection.notice.message,
            "Please Enter Value Between 0 And 89 in the Degree of Latitude");
  EXPECT_EQ(rejection.notice.icon, MessageIcon::Critical);
  EXPECT_EQ(rejection.focus, "txtLatD");
  EXPECT_EQ(StateOf(session), SessionState{});
}

// An accepted cast rewrites the record; only a zone position outside the
// list keeps the previous chart's correction.
TEST(CastChart, SecondChartRewritesTheRecord) {
  ChartSession session;
  FormEntries first = test::DelhiEntries();
  first.cmbTimeZoneIndex = 34;
  first.chkDST = true;
  ViewOf(session.CastChart(first));
  const SessionState afterFirst = StateOf(session);

  FormEntries second = test::Greenwich2000Entries();
  second.cmbTimeZoneIndex = -1;
  ViewOf(session.CastChart(second));
  const ChartInput& input = session.chartInput();
  EXPECT_EQ(input.name, "GREENWICH");
  EXPECT_EQ(input.year, 2000);
  EXPECT_EQ(input.toUtHours, -5);
  EXPECT_EQ(input.toUtMinutes, -30);
  EXPECT_EQ(input.zoneHours, 5);
  EXPECT_FALSE(input.dst.IsSet());
  EXPECT_FALSE(input.isEast.IsSet());
  EXPECT_NE(session.positionTable(), afterFirst.positions);
}

}  // namespace
}  // namespace zodivane
