// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report.h"

#include <optional>
#include <string>

#include "report/report_tables.h"

namespace zodivane {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

/// Runs one operation on the box; an operation that fails is skipped and the
/// report goes on with the next one.
template <typename Operation>
void Attempt(Operation&& operation) noexcept {
  try {
    operation();
  } catch (...) {
  }
}

/// One run: bold, then colour, then the text.
void WriteRun(RichTextSink& box, CharacterStyle style, const std::string& text) {
  Attempt([&] { box.SetBold(style.bold); });
  Attempt([&] { box.SetColour(style.colour); });
  Attempt([&] { box.InsertText(text); });
}

[[nodiscard]] std::string Joined(std::string_view text, int lineBreaks) {
  std::string joined(text);
  for (int count = 0; count < lineBreaks; ++count) {
    joined += kLineBreak;
  }
  return joined;
}

}  // namespace

void WritePlanetInSignReport(const PositionTable& positions, PlanetPlacements& records,
                             RichTextSink& box) {
  // Placements: sign name and paragraph of every body whose entry names a sign.
  for (int planet = 0; planet < kReportPlanetCount; ++planet) {
    const std::optional<int> sign = SignIndexFromAbbreviation(SignCharactersOf(positions[planet]));
    if (sign) {
      records[planet].signName = kSignTable[*sign].name;
      records[planet].paragraph = PlanetInSignText(planet, *sign);
    }
  }

  // Sign attributes, by sign and within it by body, for every record whose
  // sign name is one of the twelve.
  for (int sign = 0; sign < kSignCount; ++sign) {
    const SignRow& row = kSignTable[sign];
    for (PlanetPlacement& record : records) {
      if (record.signName == row.name) {
        record.keywords = row.keywords;
        record.element = row.element;
        record.ruler = row.rulingPlanet;
      }
    }
  }

  // Eleven runs per body; the report ends with Pluto's ruler, no line break.
  for (int planet = 0; planet < kReportPlanetCount; ++planet) {
    const PlanetPlacement& record = records[planet];
    const ReportPlanet& heading = kReportPlanetTable[planet];
    std::string placement(heading.placementHeading);
    placement += ' ';
    placement += record.signName;
    WriteRun(box, kPlacementHeadingStyle, Joined(placement, 1));
    WriteRun(box, kBodyStyle, Joined(record.paragraph, 2));
    WriteRun(box, kSectionHeadingStyle, Joined(heading.characteristicsHeading, 1));
    WriteRun(box, kBodyStyle, Joined(PlanetCharacteristicText(planet), 2));
    WriteRun(box, kSectionHeadingStyle, Joined(kMoreAboutSignHeading, 2));
    WriteRun(box, kSectionHeadingStyle, Joined(kKeywordsHeading, 1));
    WriteRun(box, kBodyStyle, Joined(record.keywords, 2));
    WriteRun(box, kSectionHeadingStyle, Joined(kElementHeading, 1));
    WriteRun(box, kBodyStyle, Joined(record.element, 2));
    WriteRun(box, kSectionHeadingStyle, Joined(kRulingPlanetHeading, 1));
    WriteRun(box, kBodyStyle, Joined(record.ruler, planet == kReportPlanetCount - 1 ? 0 : 3));
  }
}

}  // namespace zodivane
