// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/wheel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ephemeris/points.h"
#include "tests/support/wheel_houses.h"

namespace zodivane {
namespace {

// A position table with every point in the sign given by its abbreviation,
// in the engines' short form ("15 Leo 07").
PositionTable Positions(const std::array<std::string_view, kChartPointCount>& signs) {
  PositionTable table;
  for (int point = 0; point < kChartPointCount; ++point) {
    table[point] = "15 " + std::string(signs[point]) + " 07";
  }
  return table;
}

const WheelNames kPlainNames{"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn"};

// Sun, Moon, Mercury ... Saturn, Uranus, Neptune, Pluto, Ascendant.
TEST(CollectSignLists, ListsBodiesInTheirSignsInBodyOrderWithAscLast) {
  PositionTable positions =
      Positions({"Leo", "Can", "Leo", "Vir", "Leo", "Ari", "Pis", "Leo", "Lib", "Sco", "Leo"});
  WheelNames names = kPlainNames;
  names[2] = "Mercury (R) ";
  const SignLists lists = CollectSignLists(positions, names);
  EXPECT_EQ(lists[4], "\r\nSun\r\nMercury (R) \r\nMars\r\nAsc");
  EXPECT_EQ(lists[3], "\r\nMoon");
  EXPECT_EQ(lists[5], "\r\nVenus");
  EXPECT_EQ(lists[0], "\r\nJupiter");
  EXPECT_EQ(lists[11], "\r\nSaturn");
  // Uranus (Leo), Neptune (Libra) and Pluto (Scorpio) are never listed.
  EXPECT_EQ(lists[6], "");
  EXPECT_EQ(lists[7], "");
  for (const int empty : {1, 2, 8, 9, 10}) {
    EXPECT_EQ(lists[empty], "") << empty;
  }
}

TEST(CollectSignLists, SunAndRetrogradeMercuryInLeo) {
  PositionTable positions =
      Positions({"Leo", "Ari", "Leo", "Ari", "Ari", "Ari", "Ari", "Ari", "Ari", "Ari", "Ari"});
  WheelNames names = kPlainNames;
  names[2] = "Mercury (R) ";
  EXPECT_EQ(CollectSignLists(positions, names)[4], "\r\nSun\r\nMercury (R) ");
}

// Sign characters are compared exactly; an entry that names no sign is left out.
TEST(CollectSignLists, EntriesNamingNoSignAreNotPlaced) {
  PositionTable positions =
      Positions({"leo", "LEO", "Xyz", "Leo", "Ari", "Ari", "Ari", "Ari", "Ari", "Ari", "Lib"});
  positions[4] = "5 Ari 3";  // too short a degree: characters 4 to 6 are "ri "
  const SignLists lists = CollectSignLists(positions, kPlainNames);
  EXPECT_EQ(lists[4], "\r\nVenus");
  EXPECT_EQ(lists[0], "\r\nJupiter\r\nSaturn");
  EXPECT_EQ(lists[6], "\r\nAsc");
}

TEST(HouseWheel, AscendantInAriesLeavesTheWheelUnturned) {
  const PositionTable positions =
      Positions({"Tau", "Tau", "Gem", "Gem", "Can", "Cap", "Pis", "Ari", "Ari", "Ari", "Ari"});
  const SignLists lists = CollectSignLists(positions, kPlainNames);
  const WheelView view = HouseWheel(lists, positions);
  ASSERT_TRUE(view.pictures.has_value());
  for (int k = 0; k < kSignCount; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(view.houseTexts[k], lists[k]);
    EXPECT_EQ((*view.pictures)[k], k + 1);
  }
  EXPECT_EQ(view.houseTexts[0], "\r\nAsc");
  EXPECT_EQ(view.houseTexts[1], "\r\nSun\r\nMoon");
  // Aquarius holds nothing: empty text, picture still set.
  EXPECT_EQ(view.houseTexts[10], "");
  EXPECT_EQ((*view.pictures)[10], 11);
}

TEST(HouseWheel, AscendantInPiscesPutsPiscesInTheFirstHouse) {
  const PositionTable positions =
      Positions({"Ari", "Pis", "Ari", "Aqu", "Aqu", "Vir", "Sag", "Pis", "Pis", "Pis", "Pis"});
  const SignLists lists = CollectSignLists(positions, kPlainNames);
  const WheelView view = HouseWheel(lists, positions);
  EXPECT_EQ(view.houseTexts[0], "\r\nMoon\r\nAsc");
  EXPECT_EQ(view.houseTexts[1], "\r\nSun\r\nMercury");
  EXPECT_EQ(view.houseTexts[2], "");
  EXPECT_EQ(view.houseTexts[11], "\r\nVenus\r\nMars");
  const std::array<int, kSignCount> pictures{12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  EXPECT_EQ(view.pictures, pictures);
}

// Houses follow the list holding "Asc"; pictures follow the Ascendant's
// own entry. They agree for every engine chart; here they are set apart.
TEST(HouseWheel, ListsDecideTheTextsAndTheAscendantEntryThePictures) {
  const PositionTable positions =
      Positions({"Ari", "Ari", "Ari", "Ari", "Ari", "Ari", "Ari", "Ari", "Ari", "Ari", "Leo"});
  SignLists lists;
  lists[2] = "\r\nAsc";
  lists[4] = "\r\nAsc";
  lists[3] = "\r\nSun";
  const WheelView view = HouseWheel(lists, positions);
  EXPECT_EQ(view.houseTexts[0], "\r\nAsc");
  EXPECT_EQ(view.houseTexts[1], "\r\nSun");
  EXPECT_EQ(view.houseTexts[2], "\r\nAsc");
  ASSERT_TRUE(view.pictures.has_value());
  EXPECT_EQ((*view.pictures)[0], 5);
  EXPECT_EQ((*view.pictures)[8], 1);
}

TEST(HouseWheel, AscendantNamingNoSignLeavesWheelUnturnedAndPicturesAsDesigned) {
  PositionTable positions =
      Positions({"Gem", "Ari", "Ari", "Ari", "Ari", "Ari", "Ari", "Ari", "Ari", "Ari", "ari"});
  const SignLists lists = CollectSignLists(positions, kPlainNames);
  const WheelView view = HouseWheel(lists, positions);
  EXPECT_EQ(view.houseTexts[0], "\r\nMoon\r\nMercury\r\nVenus\r\nMars\r\nJupiter\r\nSaturn");
  EXPECT_EQ(view.houseTexts[2], "\r\nSun");
  EXPECT_EQ(view.pictures, std::nullopt);
}

// The entries are the texts' lists as numbers: the same bodies in the same
// order, each retrograde flag where the name carries the mark, and the lists
// turned with the texts.
TEST(CollectSignEntries, ListTheTextsBodiesWithTheirFlagsAndTurnWithThem) {
  PositionTable positions =
      Positions({"Leo", "Can", "Leo", "Vir", "Leo", "Ari", "Pis", "Leo", "Lib", "Sco", "Can"});
  positions[5] = "5 Ari 3";  // names no sign: Jupiter is on no list
  RetrogradeFlags retrograde{};
  retrograde[2] = true;
  retrograde[6] = true;
  WheelNames names = kPlainNames;
  names[2] = "Mercury (R) ";
  names[6] = "Saturn (R) ";
  const SignEntries entries = CollectSignEntries(positions, retrograde);
  const SignLists lists = CollectSignLists(positions, names);
  for (int sign = 0; sign < kSignCount; ++sign) {
    SCOPED_TRACE(sign);
    EXPECT_EQ(test::HouseText(entries[sign]), lists[sign]);
  }
  EXPECT_EQ(entries[4],
            (WheelEntries{
                {ChartPoint::Sun, false}, {ChartPoint::Mercury, true}, {ChartPoint::Mars, false}}));
  EXPECT_EQ(entries[3], (WheelEntries{{ChartPoint::Moon, false}, {ChartPoint::Ascendant, false}}));

  const WheelView view = HouseWheel(lists, positions, entries);
  EXPECT_EQ(view.houseEntries[0], entries[3]);
  EXPECT_EQ(view.houseEntries[1], entries[4]);
  EXPECT_EQ(view.houseEntries[8], (WheelEntries{{ChartPoint::Saturn, true}}));
  EXPECT_EQ(WheelEntryText(view.houseEntries[8][0]), "Saturn (R)");
  EXPECT_EQ(WheelEntryText(view.houseEntries[0][1]), "Asc");
}

// The further points stand in the house of their sign, labelled by their
// abbreviation and whole degrees; points the engine did not give are left out.
TEST(WheelPointTexts, PutsEachPointInTheHouseOfItsSign) {
  // Ascendant 5 Gemini (house 1 is Gemini), Midheaven 12 Pisces, mean node
  // 3 Leo, true node 29 Cancer, no Chiron.
  const ChartPoints points = ChartPointsOf(342.5, 65.0, 123.2, 119.9, std::nullopt);
  const std::array<std::vector<std::string>, kSignCount> houses = WheelPointTexts(points, 2);
  const std::vector<std::string> none;
  EXPECT_EQ(houses[9], std::vector<std::string>{"MC 12\u00B0"});           // Pisces
  EXPECT_EQ(houses[3], std::vector<std::string>{"IC 12\u00B0"});           // Virgo
  EXPECT_EQ(houses[6], std::vector<std::string>{"Dsc 5\u00B0"});           // Sagittarius
  EXPECT_EQ(houses[2], (std::vector<std::string>{"Node 3\u00B0"}));        // Leo
  EXPECT_EQ(houses[1], (std::vector<std::string>{"True Node 29\u00B0"}));  // Cancer
  for (const std::size_t empty : {0U, 4U, 5U, 7U, 8U, 10U, 11U}) {
    EXPECT_EQ(houses[empty], none) << empty;
  }
  // The two nodes in one sign: in their order.
  const ChartPoints together = ChartPointsOf(342.5, 65.0, 123.2, 121.0, 10.0);
  EXPECT_EQ(WheelPointTexts(together, 2)[2],
            (std::vector<std::string>{"Node 3\u00B0", "True Node 1\u00B0"}));
  EXPECT_EQ(WheelPointTexts(together, 2)[10], std::vector<std::string>{"Chiron 10\u00B0"});
}

}  // namespace
}  // namespace zodivane
