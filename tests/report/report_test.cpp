// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <array>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "report/report_sinks.h"
#include "report/report_tables.h"

namespace zodivane {
namespace {

constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kDarkRed{128, 0, 0};
constexpr Rgb kBlack{0, 0, 0};

/// Every call the report makes on its box, in order.
class CallLog final : public RichTextSink {
 public:
  struct Call {
    enum Kind { Bold, Colour, Text } kind;
    bool bold = false;
    Rgb colour{};
    std::string text;
  };
  void SetBold(bool bold) override { calls.push_back({Call::Bold, bold, {}, {}}); }
  void SetColour(Rgb colour) override { calls.push_back({Call::Colour, false, colour, {}}); }
  void InsertText(std::string_view text) override {
    calls.push_back({Call::Text, false, {}, std::string(text)});
  }
  std::vector<Call> calls;
};

/// One run as the box sees it: the attribute and colour set just before the text.
struct ReportRun {
  bool bold;
  Rgb colour;
  std::string text;
};

/// The runs of one report, checked to be made of bold, colour, text triples.
std::vector<ReportRun> RunsOf(const PositionTable& positions, PlanetPlacements& records) {
  CallLog log;
  WritePlanetInSignReport(positions, records, log);
  std::vector<ReportRun> runs;
  EXPECT_EQ(log.calls.size() % 3, 0u);
  for (std::size_t index = 0; index + 2 < log.calls.size(); index += 3) {
    EXPECT_EQ(log.calls[index].kind, CallLog::Call::Bold) << "call " << index;
    EXPECT_EQ(log.calls[index + 1].kind, CallLog::Call::Colour) << "call " << index + 1;
    EXPECT_EQ(log.calls[index + 2].kind, CallLog::Call::Text) << "call " << index + 2;
    runs.push_back({log.calls[index].bold, log.calls[index + 1].colour, log.calls[index + 2].text});
  }
  return runs;
}

/// A chart as the ephemeris writes it; the Ascendant sign differs from all.
const PositionTable kKnownChart{"18 Leo 40", "03 Can 12", "29 Vir 01", "07 Lib 55",
                                "12 Ari 30", "00 Sag 00", "21 Cap 17", "14 Aqu 09",
                                "08 Pis 44", "26 Sco 03", "05 Gem 20"};
// Sign index of each body of kKnownChart.
constexpr std::array<int, 10> kKnownSigns{4, 3, 5, 6, 0, 8, 9, 10, 11, 7};

/// The eleven runs of one section, style and text, as the report is defined.
std::vector<ReportRun> ExpectedSection(int planet, std::string_view signName,
                                       std::string_view paragraph, std::string_view keywords,
                                       std::string_view element, std::string_view ruler) {
  const std::string body(kReportPlanetTable[planet].body);
  const std::string crlf = "\r\n";
  const std::string last = planet == 9 ? "" : crlf + crlf + crlf;
  return {
      {true, kBlue, body + " In " + std::string(signName) + crlf},
      {false, kBlack, std::string(paragraph) + crlf + crlf},
      {true, kDarkRed, "Characteristics Of Planet " + body + " :-" + crlf},
      {false, kBlack, std::string(PlanetCharacteristicText(planet)) + crlf + crlf},
      {true, kDarkRed, "More About Sign :-" + crlf + crlf},
      {true, kDarkRed, "Keywords :-" + crlf},
      {false, kBlack, std::string(keywords) + crlf + crlf},
      {true, kDarkRed, "Element :-" + crlf},
      {false, kBlack, std::string(element) + crlf + crlf},
      {true, kDarkRed, "Ruling Planet :-" + crlf},
      {false, kBlack, std::string(ruler) + last},
  };
}

void ExpectSection(const std::vector<ReportRun>& runs, int planet,
                   const std::vector<ReportRun>& expected) {
  ASSERT_GE(runs.size(), static_cast<std::size_t>(planet + 1) * 11);
  for (int run = 0; run < 11; ++run) {
    SCOPED_TRACE("planet " + std::to_string(planet) + " run " + std::to_string(run + 1));
    const ReportRun& actual = runs[planet * 11 + run];
    EXPECT_EQ(actual.bold, expected[run].bold);
    EXPECT_EQ(actual.colour, expected[run].colour);
    EXPECT_EQ(actual.text, expected[run].text);
  }
}

TEST(PlanetInSignReport, KnownChartRunsStylesAndTexts) {
  PlanetPlacements records;
  const std::vector<ReportRun> runs = RunsOf(kKnownChart, records);
  ASSERT_EQ(runs.size(), 110u);
  // Names, keywords, elements and rulers written out from the sign table's definition.
  const auto kAttributes = std::to_array<std::array<std::string_view, 4>>({
      {"Leo", "Generous, Enthusiastic, Social", "Fire", "The Sun"},
      {"Cancer", "Protective, Cautious, Intuitive ", "Water", "The Moon"},
      {"Virgo", "Modest, Critical, Methodical", "Earth", "Mercury"},
      {"Libra", "Pleasant, Sociable, Diplomatic", "Air", "Venus"},
      {"Aries", "Pioneer, Assertive, Energetic", "Fire", "Mars"},
      {"Sagittarius", "Adventurous, Extrovert, Philosophical", "Fire", "Jupiter"},
      {"Capricorn", "Serious, Ambitious, Disciplined", "Earth", "Saturn"},
      {"Aquarius", "Intelligent, Innovative, Individualistic", "Air", "Uranus and Saturn"},
      {"Pisces", "Sensitive, Compassionate, Introspective", "Water", "Neptune and Jupiter"},
      {"Scorpio", "Secretive, Possessive, Investigative", "Water", "Pluto and Mars"},
  });
  static_assert(kAttributes.size() == 10);
  for (int planet = 0; planet < 10; ++planet) {
    const auto& [name, keywords, element, ruler] = kAttributes[planet];
    const std::string_view paragraph = PlanetInSignText(planet, kKnownSigns[planet]);
    ASSERT_FALSE(paragraph.empty());
    ExpectSection(runs, planet, ExpectedSection(planet, name, paragraph, keywords, element, ruler));
    EXPECT_EQ(records[planet],
              (PlanetPlacement{std::string(name), std::string(paragraph), std::string(keywords),
                               std::string(element), std::string(ruler)}));
  }
  // The Moon in Cancer keeps the keywords' trailing blank before the line break.
  EXPECT_EQ(runs[11 + 6].text, "Protective, Cautious, Intuitive \r\n\r\n");
  // Pluto in Scorpio ends the report with its ruler and no line break.
  EXPECT_EQ(runs.back().text, "Pluto and Mars");
}

TEST(PlanetInSignReport, RecorderKeepsEveryRunForTheRtfWriter) {
  PlanetPlacements records;
  StyledRunRecorder recorder;
  WritePlanetInSignReport(kKnownChart, records, recorder);
  PlanetPlacements again;
  const std::vector<ReportRun> runs = RunsOf(kKnownChart, again);
  ASSERT_EQ(recorder.Runs().size(), runs.size());
  for (std::size_t index = 0; index < runs.size(); ++index) {
    SCOPED_TRACE(index);
    const StyledRun& styled = recorder.Runs()[index];
    EXPECT_EQ(styled.text, runs[index].text);
    EXPECT_EQ(styled.bold, runs[index].bold);
    EXPECT_EQ(styled.colour, runs[index].colour);
    EXPECT_EQ(styled.fontName, "Verdana");
    EXPECT_EQ(styled.pointSize, 8.25);
  }
}

/// Splits at CR LF; a lone CR or LF stays inside its line.
std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

TEST(PlanetInSignReport, PlainTextReadsLineByLine) {
  PlanetPlacements records;
  PlainTextSink box;
  WritePlanetInSignReport(kKnownChart, records, box);
  const std::vector<std::string> lines = CrLfLines(box.Text());
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "lone line-break character";
  }
  // Per section: 16 lines, then two empty lines before the next section.
  ASSERT_EQ(lines.size(), 10u * 16 + 9u * 2);
  constexpr std::array<std::string_view, 10> kHeadings{
      "Sun In Leo",        "Moon In Cancer",         "Mercury In Virgo",    "Venus In Libra",
      "Mars In Aries",     "Jupiter In Sagittarius", "Saturn In Capricorn", "Uranus In Aquarius",
      "Neptune In Pisces", "Pluto In Scorpio"};
  for (int planet = 0; planet < 10; ++planet) {
    SCOPED_TRACE(kHeadings[planet]);
    const SignRow& sign = kSignTable[kKnownSigns[planet]];
    const std::vector<std::string> expected{
        std::string(kHeadings[planet]),
        std::string(PlanetInSignText(planet, kKnownSigns[planet])),
        "",
        std::string(kReportPlanetTable[planet].characteristicsHeading),
        std::string(PlanetCharacteristicText(planet)),
        "",
        "More About Sign :-",
        "",
        "Keywords :-",
        std::string(sign.keywords),
        "",
        "Element :-",
        std::string(sign.element),
        "",
        "Ruling Planet :-",
        std::string(sign.rulingPlanet),
    };
    const std::size_t first = static_cast<std::size_t>(planet) * 18;
    for (std::size_t line = 0; line < expected.size(); ++line) {
      EXPECT_EQ(lines[first + line], expected[line]) << "line " << first + line + 1;
    }
    if (planet < 9) {
      EXPECT_EQ(lines[first + 16], "");
      EXPECT_EQ(lines[first + 17], "");
    }
  }
  EXPECT_EQ(lines.back(), "Pluto and Mars");
}

TEST(PlanetInSignReport, FirstCallWithUnknownSignLeavesEmptyTexts) {
  PositionTable positions = kKnownChart;
  positions[0] = "18 leo 40";  // case matters
  positions[9] = "26";         // too short to hold a sign
  PlanetPlacements records;
  const std::vector<ReportRun> runs = RunsOf(positions, records);
  ASSERT_EQ(runs.size(), 110u);
  ExpectSection(runs, 0, ExpectedSection(0, "", "", "", "", ""));
  ExpectSection(runs, 9, ExpectedSection(9, "", "", "", "", ""));
  EXPECT_EQ(runs[0].text, "Sun In \r\n");
  EXPECT_EQ(runs.back().text, "");
  EXPECT_EQ(records[0], PlanetPlacement{});
  EXPECT_EQ(records[1].signName, "Cancer");
}

TEST(PlanetInSignReport, UnmatchedEntryCarriesOverThePreviousChart) {
  PlanetPlacements records;
  (void)RunsOf(kKnownChart, records);
  PositionTable next;
  next.fill("01 Tau 00");
  next[3] = "07 Xyz 55";  // Venus matches nothing: keeps Libra from the first chart
  const std::vector<ReportRun> runs = RunsOf(next, records);
  ExpectSection(runs, 3,
                ExpectedSection(3, "Libra", PlanetInSignText(3, 6),
                                "Pleasant, Sociable, Diplomatic", "Air", "Venus"));
  ExpectSection(runs, 4,
                ExpectedSection(4, "Taurus", PlanetInSignText(4, 1), "Determined, Stable, Sensual",
                                "Earth", "Venus"));
}

TEST(PlanetInSignReport, AttributesFollowTheRecordedSignName) {
  // A record whose entry matches nothing still takes the attributes of the
  // sign it names; one naming no sign keeps its old attributes.
  PlanetPlacements records;
  records[2] = {"Virgo", "old paragraph", "stale", "stale", "stale"};
  records[5] = {"Nowhere", "old paragraph", "stale keywords", "stale element", "stale ruler"};
  PositionTable positions = kKnownChart;
  positions[2] = "";
  positions[5] = "00 SAG 00";
  (void)RunsOf(positions, records);
  EXPECT_EQ(records[2], (PlanetPlacement{"Virgo", "old paragraph", "Modest, Critical, Methodical",
                                         "Earth", "Mercury"}));
  EXPECT_EQ(records[5], (PlanetPlacement{"Nowhere", "old paragraph", "stale keywords",
                                         "stale element", "stale ruler"}));
}

TEST(PlanetInSignReport, AllTenInOneSign) {
  PositionTable positions;
  positions.fill("10 Leo 10");
  PlanetPlacements records;
  const std::vector<ReportRun> runs = RunsOf(positions, records);
  ASSERT_EQ(runs.size(), 110u);
  std::set<std::string> paragraphs;
  for (int planet = 0; planet < 10; ++planet) {
    ExpectSection(runs, planet,
                  ExpectedSection(planet, "Leo", PlanetInSignText(planet, 4),
                                  "Generous, Enthusiastic, Social", "Fire", "The Sun"));
    paragraphs.insert(runs[planet * 11 + 1].text);
  }
  EXPECT_EQ(paragraphs.size(), 10u);
}

TEST(PlanetInSignReport, AscendantHasNoInfluence) {
  PositionTable other = kKnownChart;
  other[10] = "xx";
  PlanetPlacements first;
  PlanetPlacements second;
  PlainTextSink a;
  PlainTextSink b;
  WritePlanetInSignReport(kKnownChart, first, a);
  WritePlanetInSignReport(other, second, b);
  EXPECT_EQ(a.Text(), b.Text());
  EXPECT_EQ(a.Text().find("Gemini"), std::string::npos);
}

/// A box whose colour setting always fails.
class FailingColourBox final : public RichTextSink {
 public:
  void SetBold(bool) override {}
  void SetColour(Rgb) override { throw std::runtime_error("no colour"); }
  void InsertText(std::string_view text) override { text_ += text; }
  std::string text_;
};

TEST(PlanetInSignReport, FailingBoxOperationIsSkipped) {
  PlanetPlacements records;
  FailingColourBox failing;
  PlainTextSink plain;
  WritePlanetInSignReport(kKnownChart, records, failing);
  WritePlanetInSignReport(kKnownChart, records, plain);
  EXPECT_EQ(failing.text_, plain.Text());
}

}  // namespace
}  // namespace zodivane
