// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_tables.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <array>

#include <ostream>
#include <set>
#include <string>

namespace zodivane {

void PrintTo(const ParagraphProblem& problem, std::ostream* out) {
  *out << "{kind " << static_cast<int>(problem.kind) << ", line " << problem.line << ", \""
       << problem.label << "\"}";
}

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The sign rows as the product defines them, written out here independently
// of the table under test. Exact texts.
struct ExpectedSign {
  std::string_view name;
  std::string_view abbreviation;
  std::string_view keywords;
  std::string_view element;
  std::string_view ruler;
};
constexpr auto kExpectedSigns = std::to_array<ExpectedSign>({
    {"Aries", "Ari", "Pioneer, Assertive, Energetic", "Fire", "Mars"},
    {"Taurus", "Tau", "Determined, Stable, Sensual", "Earth", "Venus"},
    {"Gemini", "Gem", "Curious, Intelligent, Congenial", "Air", "Mercury"},
    {"Cancer", "Can", "Protective, Cautious, Intuitive ", "Water", "The Moon"},
    {"Leo", "Leo", "Generous, Enthusiastic, Social", "Fire", "The Sun"},
    {"Virgo", "Vir", "Modest, Critical, Methodical", "Earth", "Mercury"},
    {"Libra", "Lib", "Pleasant, Sociable, Diplomatic", "Air", "Venus"},
    {"Scorpio", "Sco", "Secretive, Possessive, Investigative", "Water", "Pluto and Mars"},
    {"Sagittarius", "Sag", "Adventurous, Extrovert, Philosophical", "Fire", "Jupiter"},
    {"Capricorn", "Cap", "Serious, Ambitious, Disciplined", "Earth", "Saturn"},
    {"Aquarius", "Aqu", "Intelligent, Innovative, Individualistic", "Air", "Uranus and Saturn"},
    {"Pisces", "Pis", "Sensitive, Compassionate, Introspective", "Water", "Neptune and Jupiter"},
});
static_assert(kExpectedSigns.size() == 12);

TEST(SignTable, RowsAreExactAndFollowTheSharedVocabulary) {
  for (int sign = 0; sign < kSignCount; ++sign) {
    SCOPED_TRACE(sign);
    const SignRow& row = kSignTable[sign];
    EXPECT_EQ(row.name, kExpectedSigns[sign].name);
    EXPECT_EQ(row.abbreviation, kExpectedSigns[sign].abbreviation);
    EXPECT_EQ(row.keywords, kExpectedSigns[sign].keywords);
    EXPECT_EQ(row.element, kExpectedSigns[sign].element);
    EXPECT_EQ(row.rulingPlanet, kExpectedSigns[sign].ruler);
    // The same storage as the chart's vocabulary, not a second spelling.
    // AddressSanitizer gives each translation unit's literals their own
    // guarded copy, so the addresses are compared only without it.
#ifndef __SANITIZE_ADDRESS__
    EXPECT_EQ(row.name.data(), kSigns[sign].name.data());
    EXPECT_EQ(row.abbreviation.data(), kSigns[sign].abbreviation.data());
#endif
    EXPECT_EQ(row.element, kSignTable[sign % 4].element);
    EXPECT_EQ(SignIndexFromAbbreviation(row.abbreviation), sign);
  }
  EXPECT_EQ(kSignTable[8].element, "Fire");
  EXPECT_EQ(SignIndexFromAbbreviation("Leo"), 4);
  EXPECT_EQ(kSignTable[4].name, "Leo");
}

TEST(ReportPlanetTable, HeadingsAreExact) {
  constexpr std::array<std::string_view, 10> kBodies{
      "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"};
  for (int planet = 0; planet < kReportPlanetCount; ++planet) {
    SCOPED_TRACE(planet);
    const std::string body(kBodies[planet]);
    EXPECT_EQ(kReportPlanetTable[planet].body, body);
    EXPECT_EQ(kReportPlanetTable[planet].placementHeading, body + " In");
    EXPECT_EQ(kReportPlanetTable[planet].characteristicsHeading,
              "Characteristics Of Planet " + body + " :-");
  }
}

// ---------------------------------------------------------------------------
// Reading the paragraph files

TEST(ParagraphFiles, CharacteristicsKeyedByLabelInAnyOrder) {
  const CharacteristicParagraphs parsed = ParseCharacteristicParagraphs(
      "# comment: with a colon\n"
      "\n"
      "Pluto: Last one: with a second colon.\r\n"
      "Sun: First.\n"
      "Moon: M\n   \n"
      "Mercury: x\nVenus: x\nMars: x\nJupiter: x\nSaturn: x\nUranus: x\nNeptune: x");
  EXPECT_THAT(parsed.problems, IsEmpty());
  EXPECT_EQ(parsed.text[0], "First.");
  EXPECT_EQ(parsed.text[1], "M");
  EXPECT_EQ(parsed.text[8], "x");
  EXPECT_EQ(parsed.text[9], "Last one: with a second colon.");
}

TEST(ParagraphFiles, ProblemsAreReportedNotThrown) {
  const std::string file =
      "Sun: one\n"              // 1
      "Sun: two\n"              // 2 duplicate, first kept
      "Sunday: x\n"             // 3 unknown
      "Moon has no colon\n"     // 4 no separator
      "Mercury:no blank\n"      // 5 no ": "
      "Venus: \n"               // 6 empty paragraph
      "sun: lower case\n"       // 7 labels are exact
      " Mars: leading blank\n"  // 8 labels are exact
      "#Jupiter: comment\n";    // 9
  const CharacteristicParagraphs parsed = ParseCharacteristicParagraphs(file);
  EXPECT_EQ(parsed.text[0], "one");
  using K = ParagraphProblemKind;
  EXPECT_THAT(parsed.problems,
              ElementsAre(ParagraphProblem{K::DuplicateLabel, 2, "Sun"},
                          ParagraphProblem{K::UnknownLabel, 3, "Sunday"},
                          ParagraphProblem{K::MissingSeparator, 4, "Moon has no colon"},
                          ParagraphProblem{K::MissingSeparator, 5, "Mercury:no blank"},
                          ParagraphProblem{K::EmptyParagraph, 6, "Venus"},
                          ParagraphProblem{K::UnknownLabel, 7, "sun"},
                          ParagraphProblem{K::UnknownLabel, 8, " Mars"},
                          ParagraphProblem{K::MissingSlot, 0, "Moon"},
                          ParagraphProblem{K::MissingSlot, 0, "Mercury"},
                          ParagraphProblem{K::MissingSlot, 0, "Venus"},
                          ParagraphProblem{K::MissingSlot, 0, "Mars"},
                          ParagraphProblem{K::MissingSlot, 0, "Jupiter"},
                          ParagraphProblem{K::MissingSlot, 0, "Saturn"},
                          ParagraphProblem{K::MissingSlot, 0, "Uranus"},
                          ParagraphProblem{K::MissingSlot, 0, "Neptune"},
                          ParagraphProblem{K::MissingSlot, 0, "Pluto"}));
}

TEST(ParagraphFiles, PlanetInSignLabelsNeedBodyAndFullSignName) {
  const PlanetInSignParagraphs parsed = ParsePlanetInSignParagraphs(
      "Sun in Aries: a\n"
      "Pluto in Pisces: b\n"
      "Moon in Leo: c\n"
      "Sun in Ari: d\n"      // abbreviation is not a label
      "Sun In Taurus: e\n"   // "in" is lower case
      "Sun in Aries: f\n"    // duplicate
      "Sun: g\n"             // a characteristics label
      "Ceres in Leo: h\n");  // no such body
  EXPECT_EQ(parsed.text[0][0], "a");
  EXPECT_EQ(parsed.text[9][11], "b");
  EXPECT_EQ(parsed.text[1][4], "c");
  std::vector<ParagraphProblem> early;
  int missing = 0;
  for (const ParagraphProblem& problem : parsed.problems) {
    if (problem.kind == ParagraphProblemKind::MissingSlot) {
      ++missing;
      EXPECT_NE(problem.label, "Sun in Aries");
    } else {
      early.push_back(problem);
    }
  }
  using K = ParagraphProblemKind;
  EXPECT_THAT(early, ElementsAre(ParagraphProblem{K::UnknownLabel, 4, "Sun in Ari"},
                                 ParagraphProblem{K::UnknownLabel, 5, "Sun In Taurus"},
                                 ParagraphProblem{K::DuplicateLabel, 6, "Sun in Aries"},
                                 ParagraphProblem{K::UnknownLabel, 7, "Sun"},
                                 ParagraphProblem{K::UnknownLabel, 8, "Ceres in Leo"}));
  EXPECT_EQ(missing, 117);
  EXPECT_EQ(PlanetInSignLabel(2, 8), "Mercury in Sagittarius");
  EXPECT_EQ(PlanetInSignLabel(10, 0), "");
}

TEST(ParagraphFiles, EmptyFileMissesEverySlot) {
  EXPECT_EQ(ParseCharacteristicParagraphs("").problems.size(), 10u);
  EXPECT_EQ(ParsePlanetInSignParagraphs("\n\n# nothing\n").problems.size(), 120u);
}

// ---------------------------------------------------------------------------
// The paragraphs compiled into the program: their shape, never their wording.

struct ParagraphShape {
  std::size_t shortest;  ///< characters, inclusive
  std::size_t longest;   ///< characters, inclusive
};
// About 60 to 760 and about 230 to 470 characters, with some slack for "about".
constexpr ParagraphShape kCharacteristicShape{50, 800};
constexpr ParagraphShape kPlanetInSignShape{200, 500};

void ExpectParagraphShape(std::string_view paragraph, ParagraphShape shape) {
  EXPECT_GE(paragraph.size(), shape.shortest);
  EXPECT_LE(paragraph.size(), shape.longest);
  for (char character : paragraph) {
    ASSERT_TRUE(character >= 0x20 && character <= 0x7E)
        << "not printable ASCII: code " << static_cast<int>(static_cast<unsigned char>(character));
  }
  EXPECT_NE(paragraph.front(), ' ');
  EXPECT_NE(paragraph.back(), ' ');
}

TEST(EmbeddedParagraphs, EveryCharacteristicSlotIsFilledOnce) {
  const CharacteristicParagraphs& parsed = EmbeddedCharacteristicParagraphs();
  EXPECT_THAT(parsed.problems, IsEmpty());
  std::set<std::string> distinct;
  for (int planet = 0; planet < kReportPlanetCount; ++planet) {
    SCOPED_TRACE(CharacteristicLabel(planet));
    ExpectParagraphShape(PlanetCharacteristicText(planet), kCharacteristicShape);
    EXPECT_EQ(PlanetCharacteristicText(planet), parsed.text[planet]);
    distinct.insert(parsed.text[planet]);
  }
  EXPECT_EQ(distinct.size(), 10u) << "two bodies share a paragraph";
}

TEST(EmbeddedParagraphs, EveryPlanetInSignSlotIsFilledOnce) {
  const PlanetInSignParagraphs& parsed = EmbeddedPlanetInSignParagraphs();
  EXPECT_THAT(parsed.problems, IsEmpty());
  std::set<std::string> distinct;
  for (int planet = 0; planet < kReportPlanetCount; ++planet) {
    for (int sign = 0; sign < kSignCount; ++sign) {
      SCOPED_TRACE(PlanetInSignLabel(planet, sign));
      ExpectParagraphShape(PlanetInSignText(planet, sign), kPlanetInSignShape);
      distinct.insert(parsed.text[planet][sign]);
    }
  }
  EXPECT_EQ(distinct.size(), 120u) << "two slots share a paragraph";
  EXPECT_EQ(PlanetInSignText(10, 0), "");
  EXPECT_EQ(PlanetInSignText(0, 12), "");
  EXPECT_EQ(PlanetCharacteristicText(-1), "");
}

}  // namespace
}  // namespace zodivane
