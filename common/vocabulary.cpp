// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/vocabulary.h"

#include <cstddef>
#include <cstdint>

namespace zodivane {

namespace {

/// Three characters packed into one number, the first in the highest byte.
[[nodiscard]] constexpr std::uint32_t PackThreeLetters(std::string_view letters) noexcept {
  return (std::uint32_t{static_cast<unsigned char>(letters[0])} << 16U) |
         (std::uint32_t{static_cast<unsigned char>(letters[1])} << 8U) |
         std::uint32_t{static_cast<unsigned char>(letters[2])};
}

/// The packed abbreviation of every sign, in sign order.
constexpr std::array<std::uint32_t, kSignCount> kPackedAbbreviations = [] {
  std::array<std::uint32_t, kSignCount> packed{};
  for (int index = 0; index < kSignCount; ++index) {
    packed[static_cast<std::size_t>(index)] = PackThreeLetters(kSigns[index].abbreviation);
  }
  return packed;
}();

}  // namespace

std::optional<int> SignIndexFromAbbreviation(std::string_view abbreviation) noexcept {
  // Every abbreviation has three letters, so any other length matches none;
  // equal packed numbers mean equal characters.
  if (abbreviation.size() != 3) {
    return std::nullopt;
  }
  const std::uint32_t packed = PackThreeLetters(abbreviation);
  for (int index = 0; index < kSignCount; ++index) {
    if (kPackedAbbreviations[static_cast<std::size_t>(index)] == packed) {
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
