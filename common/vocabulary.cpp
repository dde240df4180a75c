#include "common/vocabulary.h"

namespace zodivane {

namespace {

[[nodiscard]] constexpr bool AllAbbreviationsHaveThreeLetters() noexcept {
  for (const Sign& sign : kSigns) {
    if (sign.abbreviation.size() != 3) {
      return false;
    }
  }
  return true;
}
static_assert(AllAbbreviationsHaveThreeLetters());

}  // namespace

std::optional<int> SignIndexFromAbbreviation(std::string_view abbreviation) noexcept {
  // Every abbreviation has three letters, so any other length matches none;
  // three characters are compared directly instead of through memcmp.
  if (abbreviation.size() != 3) {
    return std::nullopt;
  }
  for (int index = 0; index < kSignCount; ++index) {
    const std::string_view letters = kSigns[index].abbreviation;
    if (letters[0] == abbreviation[0] && letters[1] == abbreviation[1] &&
        letters[2] == abbreviation[2]) {
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

std::optional<int> SignIndexOfShortText(std::string_view shortPositionText) noexcept {
  return SignIndexFromAbbreviation(SignCharactersOf(shortPositionText));
}

std::optional<int> SignIndexOfLongText(std::string_view longPositionText) noexcept {
  const std::string_view trimmed = TrimSpaces(longPositionText);
  if (trimmed.size() < 3) {
    return std::nullopt;
  }
  return SignIndexFromAbbreviation(trimmed.substr(trimmed.size() - 3));
}

std::optional<std::string> SignNameOf(std::optional<int> signIndex) {
  if (!signIndex) {
    return std::nullopt;
  }
  return std::string(kSigns[static_cast<std::size_t>(*signIndex)].name);
}

}  // namespace zodivane
