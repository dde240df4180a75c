// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/vocabulary.h"

#include <gtest/gtest.h>
#include <array>

#include <string>
#include <string_view>

namespace zodivane {
namespace {

TEST(SignVocabulary, LooksUpAbbreviationsExactly) {
  EXPECT_EQ(SignIndexFromAbbreviation("Ari"), 0);
  EXPECT_EQ(SignIndexFromAbbreviation("Leo"), 4);
  EXPECT_EQ(SignIndexFromAbbreviation("Pis"), 11);
  for (std::string_view wrong : {"ari", "ARI", "Ari ", "Aries", "", "Ar"}) {
    SCOPED_TRACE(wrong);
    EXPECT_EQ(SignIndexFromAbbreviation(wrong), std::nullopt);
  }
  EXPECT_EQ(SignIndexFromName("Sagittarius"), 8);
  EXPECT_EQ(SignIndexFromName("sagittarius"), std::nullopt);
}

// Every sign's own abbreviation finds it; changing any one of its three
// characters (to a neighbour or to a byte above 0x7F) finds no sign.
TEST(SignVocabulary, EveryAbbreviationAndNoNearMiss) {
  for (int index = 0; index < kSignCount; ++index) {
    const std::string abbreviation(kSigns[index].abbreviation);
    SCOPED_TRACE(abbreviation);
    EXPECT_EQ(SignIndexFromAbbreviation(abbreviation), index);
    for (std::size_t position = 0; position < 3; ++position) {
      for (const char replacement : {static_cast<char>(abbreviation[position] + 1), '\xC1'}) {
        std::string nearMiss = abbreviation;
        nearMiss[position] = replacement;
        EXPECT_EQ(SignIndexFromAbbreviation(nearMiss), std::nullopt) << nearMiss;
      }
    }
  }
}

TEST(SignVocabulary, SignCharactersAreFourToSix) {
  EXPECT_EQ(SignCharactersOf("10 Cap 22"), "Cap");
  EXPECT_EQ(SignCharactersOf("10 Ca"), "Ca");
  EXPECT_EQ(SignCharactersOf("10 "), "");
}

// Short texts are read at characters 4 to 6 as they stand; long texts by
// their last three characters after trimming spaces.
TEST(SignVocabulary, ReadsTheSignOfPositionTexts) {
  EXPECT_EQ(SignIndexOfShortText("10 Cap 22"), 9);
  EXPECT_EQ(SignIndexOfShortText(" 5 Ari 03"), 0);
  EXPECT_EQ(SignIndexOfShortText("5 Ari 03"), std::nullopt);
  EXPECT_EQ(SignIndexOfShortText("10 cap 22"), std::nullopt);
  EXPECT_EQ(SignIndexOfShortText("10 Ca"), std::nullopt);
  EXPECT_EQ(SignIndexOfLongText("13\u00B0 18' 57\" Sco"), 7);
  EXPECT_EQ(SignIndexOfLongText("  24\u00B0 17' 52\" Ari  "), 0);
  EXPECT_EQ(SignIndexOfLongText("Sco"), 7);
  EXPECT_EQ(SignIndexOfLongText(" Sc "), std::nullopt);
  EXPECT_EQ(SignIndexOfLongText("13\u00B0 18' 57\" Scorpio"), std::nullopt);
  EXPECT_EQ(SignNameOf(8), "Sagittarius");
  EXPECT_EQ(SignNameOf(std::nullopt), std::nullopt);
}

// Only spaces are trimmed, from both ends; tabs and line breaks stay, and
// inner spaces are kept.
TEST(TrimSpaces, RemovesLeadingAndTrailingSpacesOnly) {
  struct Row {
    std::string_view text;
    std::string_view trimmed;
  };
  const auto rows = std::to_array<Row>({
      {"", ""},
      {"   ", ""},
      {"a", "a"},
      {" a", "a"},
      {"a ", "a"},
      {"  a b  ", "a b"},
      {"\ta \t", "\ta \t"},
      {" \r\n ", "\r\n"},
      {"x   ", "x"},
      {"   x", "x"},
  });
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(TrimSpaces(row.text), row.trimmed);
  }
}

}  // namespace
}  // namespace zodivane
