// SPDX-License-Identifier: GPL-3.0-or-later
// Small text helpers: digits read as numbers, values named in messages,
// padded labels.
#pragma once

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/utf8.h"

namespace zodivane {

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

/// Most bytes of a value a message repeats.
inline constexpr std::size_t kMostEchoBytes = 64;

/// `text` between double quotes, as messages name a value: cut after
/// kMostEchoBytes bytes (at the start of a character, "..." marking the cut),
/// and control characters and bytes that are not UTF-8 shown as \xNN, so
/// that no message repeats a hostile value whole or sends a terminal its
/// escape sequences.
[[nodiscard]] inline std::string Quoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(std::min(text.size(), kMostEchoBytes) + 8);
  quoted.push_back('"');
  static constexpr char kHex[] = "0123456789abcdef";
  const auto escape = [&quoted](unsigned char byte) {
    quoted += "\\x";
    quoted.push_back(kHex[byte >> 4]);
    quoted.push_back(kHex[byte & 0x0f]);
  };
  std::size_t at = 0;
  while (at < text.size()) {
    if (at >= kMostEchoBytes) {
      quoted += "...";
      break;
    }
    const Utf8Char character = DecodeUtf8(text, at);
    if (!character.valid) {
      for (std::size_t i = 0; i < character.length; ++i) {
        escape(static_cast<unsigned char>(text[at + i]));
      }
    } else if (character.code < 0x20 || character.code == 0x7f ||
               (character.code >= 0x80 && character.code < 0xa0)) {
      escape(static_cast<unsigned char>(character.code));
    } else {
      quoted.append(text.substr(at, character.length));
    }
    at += character.length;
  }
  quoted.push_back('"');
  return quoted;
}

/// `text` as a terminal or a window may show it, whole: control characters
/// (C0, DEL and C1, the line feed too unless `keepLineFeeds`) and bytes that
/// are not UTF-8 written as \xNN, as Quoted writes them, and the line and
/// paragraph separators as \u2028 and \u2029. Names and file paths pass
/// through here before they reach a terminal, so that none can move the
/// cursor, set a title, ring the bell or break a line.
[[nodiscard]] inline std::string Printable(std::string_view text, bool keepLineFeeds = false) {
  std::string shown;
  shown.reserve(text.size());
  static constexpr char kHex[] = "0123456789abcdef";
  const auto escape = [&shown](unsigned char byte) {
    shown += "\\x";
    shown.push_back(kHex[byte >> 4]);
    shown.push_back(kHex[byte & 0x0f]);
  };
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Char character = DecodeUtf8(text, at);
    if (!character.valid) {
      for (std::size_t i = 0; i < character.length; ++i)
        escape(static_cast<unsigned char>(text[at + i]));
    } else if (character.code == '\n' && keepLineFeeds) {
      shown.push_back('\n');
    } else if (character.code < 0x20 || character.code == 0x7f ||
               (character.code >= 0x80 && character.code < 0xa0)) {
      escape(static_cast<unsigned char>(character.code));
    } else if (character.code == 0x2028 || character.code == 0x2029) {
      shown += character.code == 0x2028 ? "\\u2028" : "\\u2029";
    } else {
      shown.append(text.substr(at, character.length));
    }
    at += character.length;
  }
  return shown;
}

/// `text` as an error message repeats a value without quoting it: cut after
/// kMostEchoBytes bytes (at the start of a character), "..." marking the cut.
[[nodiscard]] inline std::string EchoCut(std::string_view text) {
  if (text.size() <= kMostEchoBytes)
    return std::string(text);
  std::size_t end = kMostEchoBytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
    --end;
  return std::string(text.substr(0, end)) + "...";
}

/// `text` padded with spaces to `width` bytes (never cut).
[[nodiscard]] inline std::string Padded(std::string_view text, std::size_t width) {
  std::string padded(text);
  if (padded.size() < width)
    padded.append(width - padded.size(), ' ');
  return padded;
}

}  // namespace zodivane
