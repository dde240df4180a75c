// SPDX-License-Identifier: GPL-3.0-or-later
// Reading UTF-8 one character at a time, strictly: no overlong forms, no
// surrogates, nothing above U+10FFFF. Every writer that must turn bad bytes
// into U+FFFD, and every reader that refuses them, goes through here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zodivane {

/// One character read from UTF-8 text.
struct Utf8Char {
  char32_t code = 0;       ///< the code point; 0 when not valid
  std::size_t length = 0;  ///< bytes read, at least 1
  bool valid = false;      ///< a well-formed sequence
  bool truncated = false;  ///< not valid only because the text ended inside it
};

/// Reads the character that starts at `text[at]` (`at < text.size()`). A
/// byte that cannot start a character is read alone; a sequence broken by a
/// wrong byte or by the end of the text is read up to (not including) the
/// wrong byte. A decoder writes one U+FFFD for each invalid read and goes on
/// after it, as the common "maximal subpart" practice does.
[[nodiscard]] constexpr Utf8Char DecodeUtf8(std::string_view text, std::size_t at) noexcept {
  const auto lead = static_cast<std::uint8_t>(text[at]);
  if (lead < 0x80)
    return {lead, 1, true, false};
  std::size_t length = 0;
  char32_t code = 0;
  std::uint8_t low = 0x80;   // smallest allowed second byte
  std::uint8_t high = 0xBF;  // largest allowed second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
    if (lead == 0xE0)
      low = 0xA0;  // no overlong forms
    else if (lead == 0xED)
      high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
    if (lead == 0xF0)
      low = 0x90;  // no overlong forms
    else if (lead == 0xF4)
      high = 0x8F;  // nothing above U+10FFFF
  } else {
    return {0, 1, false, false};
  }
  for (std::size_t index = 1; index < length; ++index) {
    if (at + index >= text.size())
      return {0, index, false, true};
    const auto next = static_cast<std::uint8_t>(text[at + index]);
    if (next < (index == 1 ? low : 0x80) || next > (index == 1 ? high : 0xBF))
      return {0, index, false, false};
    code = (code << 6) | (next & 0x3Fu);
  }
  return {code, length, true, false};
}

/// Position (from 0) of the first byte that is not part of well-formed UTF-8.
[[nodiscard]] constexpr std::optional<std::size_t> FirstInvalidUtf8(
    std::string_view text) noexcept {
  for (std::size_t at = 0; at < text.size();) {
    if (static_cast<std::uint8_t>(text[at]) < 0x80) {
      ++at;
      continue;
    }
    const Utf8Char read = DecodeUtf8(text, at);
    if (!read.valid)
      return at;
    at += read.length;
  }
  return std::nullopt;
}

}  // namespace zodivane
