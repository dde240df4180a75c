// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed vocabulary of the planet-in-sign report: the sign table with its
// keywords, elements and rulers, the ten report planets with their headings,
// the section headings, and the interpretation paragraphs compiled into the
// program from report/text/.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/vocabulary.h"
#include "report/report.h"

namespace zodivane {

/// What the report adds to a sign beyond its name and abbreviation.
struct SignAttributes {
  std::string_view keywords;  ///< keyword triple, used exactly as it stands (trailing blanks too)
  std::string_view element;   ///< "Fire", "Earth", "Air" or "Water"
  std::string_view rulingPlanet;  ///< display text, e.g. "The Sun" or "Pluto and Mars"
};

/// Sign attributes by sign index 0 (Aries) to 11 (Pisces).
inline constexpr auto kSignAttributes = std::to_array<SignAttributes>({
    {"Pioneer, Assertive, Energetic", "Fire", "Mars"},
    {"Determined, Stable, Sensual", "Earth", "Venus"},
    {"Curious, Intelligent, Congenial", "Air", "Mercury"},
    {"Protective, Cautious, Intuitive ", "Water", "The Moon"},
    {"Generous, Enthusiastic, Social", "Fire", "The Sun"},
    {"Modest, Critical, Methodical", "Earth", "Mercury"},
    {"Pleasant, Sociable, Diplomatic", "Air", "Venus"},
    {"Secretive, Possessive, Investigative", "Water", "Pluto and Mars"},
    {"Adventurous, Extrovert, Philosophical", "Fire", "Jupiter"},
    {"Serious, Ambitious, Disciplined", "Earth", "Saturn"},
    {"Intelligent, Innovative, Individualistic", "Air", "Uranus and Saturn"},
    {"Sensitive, Compassionate, Introspective", "Water", "Neptune and Jupiter"},
});
static_assert(kSignAttributes.size() == kSignCount);

// The Cancer keywords end with one blank, which the report shows before its line break.
static_assert(kSignAttributes[3].keywords.size() == 32 &&
              kSignAttributes[3].keywords.back() == ' ');

/// One row of the sign table: the shared sign vocabulary joined with the
/// report's attributes.
struct SignRow {
  std::string_view name;          ///< full name, e.g. "Aries"
  std::string_view abbreviation;  ///< three letters, e.g. "Ari"
  std::string_view keywords;      ///< see SignAttributes
  std::string_view element;       ///< see SignAttributes
  std::string_view rulingPlanet;  ///< see SignAttributes
};

[[nodiscard]] constexpr std::array<SignRow, kSignCount> MakeSignTable() noexcept {
  std::array<SignRow, kSignCount> table{};
  for (int index = 0; index < kSignCount; ++index) {
    table[index] = {kSigns[index].name, kSigns[index].abbreviation, kSignAttributes[index].keywords,
                    kSignAttributes[index].element, kSignAttributes[index].rulingPlanet};
  }
  return table;
}

/// The twelve signs in index order, Aries (0) to Pisces (11).
inline constexpr std::array<SignRow, kSignCount> kSignTable = MakeSignTable();

/// One body the report describes.
struct ReportPlanet {
  std::string_view body;                    ///< "Sun" ... "Pluto"; also the paragraph label
  std::string_view placementHeading;        ///< "Sun In"; no trailing blank
  std::string_view characteristicsHeading;  ///< "Characteristics Of Planet Sun :-"
};

/// The ten bodies in report order; report index p is also entry p of the
/// PositionTable (0 Sun ... 9 Pluto).
inline constexpr auto kReportPlanetTable = std::to_array<ReportPlanet>({
    {"Sun", "Sun In", "Characteristics Of Planet Sun :-"},
    {"Moon", "Moon In", "Characteristics Of Planet Moon :-"},
    {"Mercury", "Mercury In", "Characteristics Of Planet Mercury :-"},
    {"Venus", "Venus In", "Characteristics Of Planet Venus :-"},
    {"Mars", "Mars In", "Characteristics Of Planet Mars :-"},
    {"Jupiter", "Jupiter In", "Characteristics Of Planet Jupiter :-"},
    {"Saturn", "Saturn In", "Characteristics Of Planet Saturn :-"},
    {"Uranus", "Uranus In", "Characteristics Of Planet Uranus :-"},
    {"Neptune", "Neptune In", "Characteristics Of Planet Neptune :-"},
    {"Pluto", "Pluto In", "Characteristics Of Planet Pluto :-"},
});
static_assert(kReportPlanetTable.size() == kReportPlanetCount);

[[nodiscard]] constexpr bool ReportPlanetsFollowChartPoints() noexcept {
  for (int index = 0; index < kReportPlanetCount; ++index) {
    if (kReportPlanetTable[index].body != kChartPointNames[index]) {
      return false;
    }
  }
  return true;
}
static_assert(ReportPlanetsFollowChartPoints());

/// The section headings, the same for every planet.
inline constexpr std::string_view kMoreAboutSignHeading = "More About Sign :-";
inline constexpr std::string_view kKeywordsHeading = "Keywords :-";
inline constexpr std::string_view kElementHeading = "Element :-";
inline constexpr std::string_view kRulingPlanetHeading = "Ruling Planet :-";

/// Bold attribute and colour of a run of the report.
struct CharacterStyle {
  bool bold = false;
  Rgb colour{};  ///< red, green, blue 0..255
};

/// "Sun In Aries": bold blue.
inline constexpr CharacterStyle kPlacementHeadingStyle{true, {0, 0, 255}};
/// "Characteristics Of Planet Sun :-", "Keywords :-" ...: bold dark red.
inline constexpr CharacterStyle kSectionHeadingStyle{true, {128, 0, 0}};
/// Paragraphs and sign attributes: plain black.
inline constexpr CharacterStyle kBodyStyle{false, {0, 0, 0}};

// ---------------------------------------------------------------------------
// Interpretation paragraphs

/// Something wrong with a paragraph file, found while reading it.
enum class ParagraphProblemKind {
  MissingSeparator,  ///< a line that is neither comment nor empty has no ": "
  UnknownLabel,      ///< the label names no slot of the file
  DuplicateLabel,    ///< a second line for a slot already filled; the first one is kept
  EmptyParagraph,    ///< the text after ": " is empty
  MissingSlot,       ///< no line fills this slot
};

struct ParagraphProblem {
  ParagraphProblemKind kind;
  int line = 0;       ///< line number in the file, from 1; 0 for MissingSlot
  std::string label;  ///< the label as written, or the expected label for MissingSlot
  friend bool operator==(const ParagraphProblem&, const ParagraphProblem&) = default;
};

/// The characteristics paragraphs, by report index.
struct CharacteristicParagraphs {
  std::array<std::string, kReportPlanetCount> text;  ///< empty where a slot is missing
  std::vector<ParagraphProblem> problems;            ///< in file order, missing slots last
};

/// The planet-in-sign paragraphs, by report index and sign index.
struct PlanetInSignParagraphs {
  std::array<std::array<std::string, kSignCount>, kReportPlanetCount> text;  ///< [planet][sign]
  std::vector<ParagraphProblem> problems;  ///< in file order, missing slots last
};

/// Reads a file of lines "<Body>: <paragraph>" (Body "Sun" ... "Pluto").
/// Empty lines and lines starting with '#' are comments; the label ends at
/// the first ": "; a trailing CR is ignored. Never throws on bad content.
[[nodiscard]] CharacteristicParagraphs ParseCharacteristicParagraphs(std::string_view file);

/// Reads a file of lines "<Body> in <Sign>: <paragraph>" (Sign "Aries" ...
/// "Pisces"), with the same rules as ParseCharacteristicParagraphs.
[[nodiscard]] PlanetInSignParagraphs ParsePlanetInSignParagraphs(std::string_view file);

/// The label of a slot: "Sun" for a characteristics paragraph, "Sun in Aries"
/// for a planet-in-sign paragraph.
[[nodiscard]] std::string CharacteristicLabel(int reportIndex);
[[nodiscard]] std::string PlanetInSignLabel(int reportIndex, int signIndex);

/// The paragraphs compiled into the program, read once on first use.
[[nodiscard]] const CharacteristicParagraphs& EmbeddedCharacteristicParagraphs();
[[nodiscard]] const PlanetInSignParagraphs& EmbeddedPlanetInSignParagraphs();

/// What the body stands for in general; reportIndex 0 (Sun) to 9 (Pluto).
/// Empty for an index out of range.
[[nodiscard]] std::string_view PlanetCharacteristicText(int reportIndex);

/// The person with this body in this sign; reportIndex 0..9, signIndex
/// 0..11. Empty for an index out of range.
[[nodiscard]] std::string_view PlanetInSignText(int reportIndex, int signIndex);

}  // namespace zodivane
