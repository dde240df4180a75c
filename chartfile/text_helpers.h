// SPDX-License-Identifier: GPL-3.0-or-later
// Small text helpers for reading form entries and naming values in messages.
#pragma once

#include <charconv>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zodivane::chartfile {

[[nodiscard]] inline bool AllDigits(std::string_view text) noexcept {
  if (text.empty())
    return false;
  for (const char c : text) {
    if (c < '0' || c > '9')
      return false;
  }
  return true;
}

/// The value of a short run of digits, or nullopt when `text` is not 1 to
/// `maxDigits` digits.
[[nodiscard]] inline std::optional<int> SmallNumber(std::string_view text,
                                                    std::size_t maxDigits) noexcept {
  if (!AllDigits(text) || text.size() > maxDigits)
    return std::nullopt;
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

/// `text` between double quotes, as messages name a value.
[[nodiscard]] inline std::string Quoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted.push_back('"');
  quoted.append(text);
  quoted.push_back('"');
  return quoted;
}

/// `text` padded with spaces to `width` bytes (never cut).
[[nodiscard]] inline std::string Padded(std::string_view text, std::size_t width) {
  std::string padded(text);
  if (padded.size() < width)
    padded.append(width - padded.size(), ' ');
  return padded;
}

}  // namespace zodivane::chartfile
