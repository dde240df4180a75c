#include "common/vocabulary.h"

#include <gtest/gtest.h>

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

TEST(SignVocabulary, SignCharactersAreFourToSix) {
  EXPECT_EQ(SignCharactersOf("10 Cap 22"), "Cap");
  EXPECT_EQ(SignCharactersOf("10 Ca"), "Ca");
  EXPECT_EQ(SignCharactersOf("10 "), "");
}

}  // namespace
}  // namespace zodivane
