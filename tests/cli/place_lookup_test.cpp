// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart's place finder parts: reading the "place" key of a line,
// filling only the left-out entries, the zone object and the match list.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "tools/zodivane_chart/place_lookup.h"

namespace zodivane::chart_tool {
namespace {

const places::Place kDelhi{
    "Delhi", "National Capital Territory of Delhi", "India", "IN", "Asia/Kolkata", 28.6519, 77.2315,
    10927986};

FormEntries EntriesAt(int year, int monthIndex, int day, int hour, int minute) {
  FormEntries entries;
  entries.cboYearText = std::to_string(year);
  entries.cboMonthIndex = monthIndex;
  entries.cboDateIndex = day - 1;
  entries.cboDateText = std::to_string(day);
  entries.cboHHText = std::to_string(hour);
  entries.cboMMText = std::to_string(minute);
  return entries;
}

/// The request of a line parsed as the JSON protocol parses it: nullopt
/// when the line is no object or has no "place" key.
std::optional<std::variant<PlaceRequest, std::string>> ReadPlace(chartfile::EntriesReader& reader,
                                                                 std::string_view line) {
  constexpr std::array<std::string_view, 1> kPlace{"place"};
  if (reader.Parse(line, kPlace) || reader.Other(0).kind == chartfile::LineValue::Kind::Missing) {
    return std::nullopt;
  }
  return ReadPlaceRequest(reader.Other(0), reader);
}

TEST(PlaceLine, LinesWithoutAPlaceKeyAreLeftAlone) {
  chartfile::EntriesReader reader;
  for (const char* line : {R"({"txtName":"A"})", R"({"txtName":"place"})", "not json \"place\"",
                           R"(["place"])", R"({"txtName":{"place":1}})"}) {
    SCOPED_TRACE(line);
    EXPECT_FALSE(ReadPlace(reader, line).has_value());
  }
}

TEST(PlaceLine, APlaceThatIsNotTextIsAnError) {
  chartfile::EntriesReader reader;
  for (const auto& [line, shown] : std::vector<std::pair<std::string, std::string>>{
           {R"({"place":12})", "12"},
           {R"({"place":true})", "true"},
           {R"({"place":[1, {"a" : null}]})", R"([1,{"a":null}])"}}) {
    SCOPED_TRACE(line);
    const auto read = ReadPlace(reader, line);
    ASSERT_TRUE(read.has_value());
    ASSERT_TRUE(std::holds_alternative<std::string>(*read));
    EXPECT_EQ(std::get<std::string>(*read),
              "key \"place\" must be a string (a place name, e.g. \"Delhi\"), not " + shown);
  }
}

// The left-out keys get placeholders of their type; given keys stay as given.
TEST(PlaceLine, LeftOutKeysAreNamedAndGivenKeysKept) {
  chartfile::EntriesReader reader;
  const auto read = ReadPlace(
      reader, R"({"place":"Delhi","txtLatD":"27","chkDST":true,"x":1,"txtName":"A",)"
              R"("cboMonthIndex":0,"cboDateIndex":0,"cboDateText":"1","cboYearText":"1990",)"
              R"("cboHHText":"0","cboMMText":"0"})");
  ASSERT_TRUE(read.has_value());
  const auto& request = std::get<PlaceRequest>(*read);
  EXPECT_EQ(request.query, "Delhi");
  const std::set<PlaceField> expected{
      PlaceField::City,       PlaceField::State,      PlaceField::Country,
      PlaceField::LonDegrees, PlaceField::LonMinutes, PlaceField::East,
      PlaceField::LatMinutes, PlaceField::South,      PlaceField::ZoneRow};
  EXPECT_EQ(request.leftOut, expected);
  // Only the keys the finder fills may be missing.
  EXPECT_EQ(std::get<std::string>(reader.Entries()).substr(0, 13), "missing keys ");
  auto parsed = reader.Entries(PlaceFieldKeys());
  ASSERT_TRUE(std::holds_alternative<FormEntries>(parsed));
  FormEntries& entries = std::get<FormEntries>(parsed);
  SetPlaceholders(request.leftOut, entries);
  EXPECT_EQ(entries.txtLatD, "27");
  EXPECT_TRUE(entries.chkDST);
  EXPECT_EQ(entries.txtLonD, "0");
  EXPECT_FALSE(entries.optEast);
  EXPECT_EQ(entries.cmbTimeZoneIndex, 29);
}

TEST(PlaceLine, FillsOnlyTheLeftOutEntries) {
  FormEntries entries = EntriesAt(1980, 2, 5, 10, 30);
  entries.txtLatD = "27";
  entries.chkDST = true;
  entries.txtMCity = "Old Delhi";
  const PlaceChoice choice = ChoosePlace(kDelhi, entries);
  ASSERT_TRUE(choice.zone.has_value());
  FillFromPlace(
      choice,
      {PlaceField::State, PlaceField::Country, PlaceField::LonDegrees, PlaceField::LonMinutes,
       PlaceField::East, PlaceField::LatMinutes, PlaceField::South, PlaceField::ZoneRow},
      entries);
  EXPECT_EQ(entries.txtMCity, "Old Delhi");
  EXPECT_EQ(entries.txtMState, "National Capital Territory of Delhi");
  EXPECT_EQ(entries.txtMCountry, "India");
  EXPECT_EQ(entries.txtLonD, "77");
  EXPECT_EQ(entries.txtLonM, "14");
  EXPECT_TRUE(entries.optEast);
  EXPECT_EQ(entries.txtLatD, "27");
  EXPECT_EQ(entries.txtLatM, "39");
  EXPECT_FALSE(entries.optSouth);
  EXPECT_EQ(entries.cmbTimeZoneIndex, 34);
  EXPECT_TRUE(entries.chkDST);
}

// The zone object is the answer's last member.
TEST(PlaceLine, TheAnswerCarriesTheZoneObject) {
  const PlaceChoice kathmandu =
      ChoosePlace(places::Place{"Kathmandu", "Bagmati Province", "Nepal", "NP", "Asia/Kathmandu",
                                27.7017, 85.3206, 1442271},
                  EntriesAt(1990, 5, 1, 12, 0));
  FormEntries filled = EntriesAt(1990, 5, 1, 12, 0);
  FillFromPlace(kathmandu, {PlaceField::ZoneRow, PlaceField::Dst}, filled);
  std::string answer = "{\"name\":\"A\"";
  AppendZoneMember(answer, kathmandu, filled);
  answer += "}\n";
  ASSERT_TRUE(answer.ends_with("}\n"));
  const auto object = nlohmann::json::parse(answer);
  EXPECT_EQ(object.at("name"), "A");
  const auto& zone = object.at("zone");
  EXPECT_EQ(zone.at("name"), "Asia/Kathmandu");
  EXPECT_EQ(zone.at("offset"), 20700);
  EXPECT_EQ(zone.at("dst"), false);
  EXPECT_EQ(zone.at("abbreviation"), "+0545");
  EXPECT_EQ(zone.at("clockTime"), "unique");
  EXPECT_TRUE(zone.at("other").is_null());
  // No row gives +5:45: the place's own zone after the rows, cast exactly.
  EXPECT_EQ(zone.at("row"), 71);
  EXPECT_EQ(zone.at("chkDST"), false);
  EXPECT_EQ(zone.at("chartOffset"), 20700);
  EXPECT_TRUE(zone.at("warning").is_null());

  // The Indian row given by hand instead: cast 15 minutes off, and said so.
  FormEntries byHand = filled;
  byHand.cmbTimeZoneIndex = 34;
  byHand.placeZone.reset();
  answer = "{\"name\":\"A\"";
  AppendZoneMember(answer, kathmandu, byHand);
  answer += "}\n";
  const auto warned = nlohmann::json::parse(answer).at("zone");
  EXPECT_EQ(warned.at("chartOffset"), 19800);
  EXPECT_EQ(warned.at("warning"),
            "The form gives UT+5:30; Kathmandu on 1 June 1990 at 12:00 is UT+5:45 (+0545): the "
            "chart would be 15 minutes off");

  const PlaceChoice newYork =
      ChoosePlace(places::Place{"New York", "New York", "United States of America", "US",
                                "America/New_York", 40.7143, -74.006, 8804190},
                  EntriesAt(2021, 10, 7, 1, 30));
  answer = "{\"rejected\":{\"message\":\"m\"}";
  FormEntries newYorkEntries = EntriesAt(2021, 10, 7, 1, 30);
  FillFromPlace(newYork, {PlaceField::ZoneRow, PlaceField::Dst}, newYorkEntries);
  AppendZoneMember(answer, newYork, newYorkEntries);
  answer += "}\n";
  const auto ambiguous = nlohmann::json::parse(answer);
  EXPECT_EQ(ambiguous.at("rejected").at("message"), "m");
  EXPECT_EQ(ambiguous.at("zone").at("clockTime"), "ambiguous");
  EXPECT_EQ(ambiguous.at("zone").at("abbreviation"), "EDT");
  EXPECT_EQ(ambiguous.at("zone").at("other"),
            nlohmann::json::parse(R"({"offset":-18000,"dst":false,"abbreviation":"EST"})"));
  EXPECT_TRUE(ambiguous.at("zone").at("warning").is_null());
}

TEST(PlaceLine, ListsMatchesWithCoordinatesAsTheFlagsTakeThem) {
  const places::Place sydney{"Sydney",           "New South Wales", "Australia", "AU",
                             "Australia/Sydney", -33.8678,          151.2073,    4627345};
  const places::Place london{"London",        "",      "United Kingdom", "GB",
                             "Europe/London", 51.5085, -0.1257,          8961989};
  EXPECT_EQ(PlaceListText({kDelhi, sydney, london}),
            "Delhi, National Capital Territory of Delhi, India  28N39 77E14  Asia/Kolkata  "
            "population 10927986\n"
            "Sydney, New South Wales, Australia  33S52 151E12  Australia/Sydney  population "
            "4627345\n"
            "London, United Kingdom  51N31 0W8  Europe/London  population 8961989\n");
}

TEST(PlaceLine, NoMatchNamesTheQuery) {
  PlaceBook book;
  const auto found = FindPlace(book, "Xyzzyville");
  ASSERT_TRUE(std::holds_alternative<std::string>(found));
  EXPECT_EQ(std::get<std::string>(found), "no place matches \"Xyzzyville\"");
  const auto delhi = FindPlace(book, "Delhi");
  ASSERT_TRUE(std::holds_alternative<places::Place>(delhi));
  EXPECT_EQ(std::get<places::Place>(delhi).zone, "Asia/Kolkata");
}

}  // namespace
}  // namespace zodivane::chart_tool
