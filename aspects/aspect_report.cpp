// SPDX-License-Identifier: GPL-3.0-or-later
#include "aspects/aspect_report.h"

#include <algorithm>

#include "aspects/aspect_texts.h"
#include "report/report_tables.h"

namespace zodivane {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

void WriteRun(RichTextSink& box, CharacterStyle style, std::string_view text) {
  box.SetBold(style.bold);
  box.SetColour(style.colour);
  box.InsertText(text);
}

}  // namespace

std::string_view AspectPointName(ChartPoint point) noexcept {
  return point == ChartPoint::Ascendant ? std::string_view("Ascendant")
                                        : kChartPointNames[static_cast<std::size_t>(point)];
}

namespace {

/// "<a> <aspect> <b>, orb 2°14', applying[, out of sign]".
std::string AspectLineOf(std::string_view a, AspectKind kind, std::string_view b, double orbDeg,
                         bool applying, bool outOfSign) {
  const OrbParts orb = OrbPartsOf(orbDeg);
  std::string line(a);
  line += ' ';
  line += InfoOf(kind).name;
  line += ' ';
  line += b;
  line += ", orb ";
  line += std::to_string(orb.degrees);
  line += "\u00B0";
  if (orb.minutes < 10) {
    line += '0';
  }
  line += std::to_string(orb.minutes);
  line += applying ? "', applying" : "', separating";
  if (outOfSign) {
    line += ", out of sign";
  }
  return line;
}

}  // namespace

std::string AspectLine(const Aspect& aspect) {
  return AspectLineOf(AspectPointName(aspect.a), aspect.kind, AspectPointName(aspect.b), aspect.orb,
                      aspect.applying, aspect.outOfSign);
}

std::string NodeAspectLine(const NodeAspect& aspect) {
  return AspectLineOf(InfoOf(aspect.node).name, aspect.kind, AspectPointName(aspect.point),
                      aspect.orb, aspect.applying, aspect.outOfSign);
}

std::string PatternLine(const Pattern& pattern) {
  std::string line(kPatternNames[static_cast<std::size_t>(pattern.kind)]);
  if (pattern.sign) {
    line += " in ";
    line += kSigns[static_cast<std::size_t>(*pattern.sign)].name;
  }
  line += ": ";
  for (std::size_t member = 0; member < pattern.members.size(); ++member) {
    if (member > 0) {
      line += ", ";
    }
    line += AspectPointName(pattern.members[member]);
  }
  return line;
}

void WriteAspectReport(std::vector<Aspect> aspects, RichTextSink& box) {
  std::erase_if(aspects, [](const Aspect& aspect) { return !IsMajor(aspect.kind); });
  SortApplyingFirst(aspects);

  std::string heading(kLineBreak);
  heading += kLineBreak;
  heading += kLineBreak;
  heading += kAspectSectionHeading;
  heading += kLineBreak;
  heading += kLineBreak;
  WriteRun(box, kPlacementHeadingStyle, heading);
  if (aspects.empty()) {
    WriteRun(box, kBodyStyle,
             "Your chart has no major aspect between the Sun, the Moon, the planets and the "
             "Ascendant within the orbs in use: each part of you goes its own way.");
    return;
  }
  for (std::size_t index = 0; index < aspects.size(); ++index) {
    const Aspect& aspect = aspects[index];
    std::string line = AspectLine(aspect);
    line += kLineBreak;
    WriteRun(box, kSectionHeadingStyle, line);
    std::string paragraph(AspectNatureText(aspect.kind));
    paragraph += ' ';
    paragraph += PairThemeText(aspect.a, aspect.b);
    if (index + 1 < aspects.size()) {
      paragraph += kLineBreak;
      paragraph += kLineBreak;
    }
    WriteRun(box, kBodyStyle, paragraph);
  }
}

}  // namespace zodivane
