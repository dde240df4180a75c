// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_tables.h"

#include <algorithm>
#include <functional>

namespace zodivane::embedded {
extern const std::string_view kPlanetCharacteristicsText;
extern const std::string_view kPlanetInSignText;
}  // namespace zodivane::embedded

namespace zodivane {
namespace {

constexpr std::string_view kLabelSeparator = ": ";

/// One labelled line of a paragraph file.
struct LabelledLine {
  int line;
  std::string_view label;
  std::string_view paragraph;
};

[[nodiscard]] bool IsBlank(std::string_view line) noexcept {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

/// Splits `file` into its labelled lines; reports lines without a separator
/// into `problems`. Comments and empty lines are skipped.
[[nodiscard]] std::vector<LabelledLine> SplitLabelledLines(
    std::string_view file, std::vector<ParagraphProblem>& problems) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (file.starts_with(kByteOrderMark)) {
    file.remove_prefix(kByteOrderMark.size());
  }
  std::vector<LabelledLine> lines;
  int lineNumber = 0;
  while (!file.empty()) {
    const std::size_t end = file.find('\n');
    std::string_view line = file.substr(0, end);
    file = end == std::string_view::npos ? std::string_view{} : file.substr(end + 1);
    ++lineNumber;
    if (line.ends_with('\r')) {
      line.remove_suffix(1);
    }
    if (IsBlank(line) || line.starts_with('#')) {
      continue;
    }
    const std::size_t separator = line.find(kLabelSeparator);
    if (separator == std::string_view::npos) {
      problems.push_back({ParagraphProblemKind::MissingSeparator, lineNumber, std::string(line)});
      continue;
    }
    lines.push_back(
        {lineNumber, line.substr(0, separator), line.substr(separator + kLabelSeparator.size())});
  }
  return lines;
}

/// Fills the slots of a table from `file`. `slotOf` maps a label to its slot
/// number or nullopt; `slot(n)` gives the text of slot n; `labelOf(n)` its
/// label.
void FillSlots(std::string_view file, int slotCount,
               const std::function<std::optional<int>(std::string_view)>& slotOf,
               const std::function<std::string&(int)>& slot,
               const std::function<std::string(int)>& labelOf,
               std::vector<ParagraphProblem>& problems) {
  std::vector<bool> filled(static_cast<std::size_t>(slotCount), false);
  for (const LabelledLine& line : SplitLabelledLines(file, problems)) {
    const std::optional<int> number = slotOf(line.label);
    if (!number) {
      problems.push_back({ParagraphProblemKind::UnknownLabel, line.line, std::string(line.label)});
      continue;
    }
    if (filled[static_cast<std::size_t>(*number)]) {
      problems.push_back(
          {ParagraphProblemKind::DuplicateLabel, line.line, std::string(line.label)});
      continue;
    }
    if (line.paragraph.empty()) {
      problems.push_back(
          {ParagraphProblemKind::EmptyParagraph, line.line, std::string(line.label)});
      continue;
    }
    filled[static_cast<std::size_t>(*number)] = true;
    slot(*number) = std::string(line.paragraph);
  }
  // Lines without a separator were found first; put every problem in file order.
  std::stable_sort(problems.begin(), problems.end(),
                   [](const ParagraphProblem& left, const ParagraphProblem& right) {
                     return left.line < right.line;
                   });
  for (int number = 0; number < slotCount; ++number) {
    if (!filled[static_cast<std::size_t>(number)]) {
      problems.push_back({ParagraphProblemKind::MissingSlot, 0, labelOf(number)});
    }
  }
}

[[nodiscard]] std::optional<int> ReportIndexFromBody(std::string_view body) noexcept {
  for (int index = 0; index < kReportPlanetCount; ++index) {
    if (kReportPlanetTable[index].body == body) {
      return index;
    }
  }
  return std::nullopt;
}

}  // namespace

std::string CharacteristicLabel(int reportIndex) {
  if (reportIndex < 0 || reportIndex >= kReportPlanetCount) {
    return {};
  }
  return std::string(kReportPlanetTable[reportIndex].body);
}

std::string PlanetInSignLabel(int reportIndex, int signIndex) {
  if (reportIndex < 0 || reportIndex >= kReportPlanetCount || signIndex < 0 ||
      signIndex >= kSignCount) {
    return {};
  }
  std::string label(kReportPlanetTable[reportIndex].body);
  label += " in ";
  label += kSignTable[signIndex].name;
  return label;
}

CharacteristicParagraphs ParseCharacteristicParagraphs(std::string_view file) {
  CharacteristicParagraphs result;
  FillSlots(
      file, kReportPlanetCount, ReportIndexFromBody,
      [&result](int number) -> std::string& { return result.text[number]; }, CharacteristicLabel,
      result.problems);
  return result;
}

PlanetInSignParagraphs ParsePlanetInSignParagraphs(std::string_view file) {
  PlanetInSignParagraphs result;
  const auto slotOf = [](std::string_view label) -> std::optional<int> {
    constexpr std::string_view kJoin = " in ";
    const std::size_t join = label.find(kJoin);
    if (join == std::string_view::npos) {
      return std::nullopt;
    }
    const std::optional<int> planet = ReportIndexFromBody(label.substr(0, join));
    const std::optional<int> sign = SignIndexFromName(label.substr(join + kJoin.size()));
    if (!planet || !sign) {
      return std::nullopt;
    }
    return *planet * kSignCount + *sign;
  };
  FillSlots(
      file, kReportPlanetCount * kSignCount, slotOf,
      [&result](int number) -> std::string& {
        return result.text[number / kSignCount][number % kSignCount];
      },
      [](int number) { return PlanetInSignLabel(number / kSignCount, number % kSignCount); },
      result.problems);
  return result;
}

const CharacteristicParagraphs& EmbeddedCharacteristicParagraphs() {
  static const CharacteristicParagraphs paragraphs =
      ParseCharacteristicParagraphs(embedded::kPlanetCharacteristicsText);
  return paragraphs;
}

const PlanetInSignParagraphs& EmbeddedPlanetInSignParagraphs() {
  static const PlanetInSignParagraphs paragraphs =
      ParsePlanetInSignParagraphs(embedded::kPlanetInSignText);
  return paragraphs;
}

std::string_view PlanetCharacteristicText(int reportIndex) {
  if (reportIndex < 0 || reportIndex >= kReportPlanetCount) {
    return {};
  }
  return EmbeddedCharacteristicParagraphs().text[reportIndex];
}

std::string_view PlanetInSignText(int reportIndex, int signIndex) {
  if (reportIndex < 0 || reportIndex >= kReportPlanetCount || signIndex < 0 ||
      signIndex >= kSignCount) {
    return {};
  }
  return EmbeddedPlanetInSignParagraphs().text[reportIndex][signIndex];
}

}  // namespace zodivane
