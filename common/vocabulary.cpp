#include "common/vocabulary.h"

namespace zodivane {

std::optional<int> SignIndexFromAbbreviation(std::string_view abbreviation) noexcept {
  for (int index = 0; index < kSignCount; ++index) {
    if (kSigns[index].abbreviation == abbreviation) {
      return index;
    }
  }
  return std::nullopt;
}

std::optional<int> SignIndexFromName(std::string_view name) noexcept {
  for (int index = 0; index < kSignCount; ++index) {
    if (kSigns[index].name == name) {
      return index;
    }
  }
  return std::nullopt;
}

std::string_view TrimSpaces(std::string_view text) noexcept {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string_view SignCharactersOf(std::string_view shortPositionText) noexcept {
  if (shortPositionText.size() <= 3) {
    return {};
  }
  return shortPositionText.substr(3, 3);
}

}  // namespace zodivane
