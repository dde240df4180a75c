// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/rtf_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

#include "common/utf8.h"

namespace zodivane {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

/// `\uN` with N the UTF-16 code unit as a signed 16-bit number.
void AppendUnicodeControl(std::string& rtf, char16_t unit) {
  rtf += "\\u";
  rtf += std::to_string(static_cast<std::int16_t>(unit));
}

/// A non-ASCII character as its own group, so that readers that do not
/// understand \u skip exactly the one fallback character after it:
/// {\u233\'e9} for Latin-1 characters, {\uN?} for others, and a surrogate
/// pair {\uH?\uL?} above U+FFFF.
void AppendNonAscii(std::string& rtf, char32_t character) {
  constexpr char kHex[] = "0123456789abcdef";
  rtf += '{';
  if (character > 0xFFFF) {
    const char32_t offset = character - 0x10000;
    AppendUnicodeControl(rtf, static_cast<char16_t>(0xD800 + (offset >> 10)));
    rtf += '?';
    AppendUnicodeControl(rtf, static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
    rtf += '?';
  } else {
    AppendUnicodeControl(rtf, static_cast<char16_t>(character));
    if (character >= 0xA0 && character <= 0xFF) {
      rtf += "\\'";
      rtf += kHex[character >> 4];
      rtf += kHex[character & 0xF];
    } else {
      rtf += '?';
    }
  }
  rtf += '}';
}

/// Appends `text` as RTF body text. CR LF, a lone LF and a lone CR each
/// become \par; a tab becomes \tab; other control characters are dropped.
void AppendText(std::string& rtf, std::string_view text) {
  bool afterCarriageReturn = false;
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Char read = DecodeUtf8(text, at);
    at += read.length;
    const char32_t character = read.valid ? read.code : kReplacementCharacter;
    if (character == U'\n' && afterCarriageReturn) {
      afterCarriageReturn = false;
      continue;  // the second half of CR LF
    }
    afterCarriageReturn = character == U'\r';
    if (character == U'\r' || character == U'\n') {
      rtf += "\\par\n";
    } else if (character == U'\t') {
      rtf += "\\tab ";
    } else if (character == U'\\' || character == U'{' || character == U'}') {
      rtf += '\\';
      rtf += static_cast<char>(character);
    } else if (character < 0x20 || character == 0x7F) {
      // dropped: no meaning in a document
    } else if (character < 0x80) {
      rtf += static_cast<char>(character);
    } else {
      AppendNonAscii(rtf, character);
    }
  }
}

/// A font name for the font table: escaped like text, without the ';' that
/// would end the entry and without line breaks.
void AppendFontName(std::string& rtf, std::string_view name) {
  std::string cleaned;
  for (char character : name) {
    if (character != ';' && character != '\r' && character != '\n') {
      cleaned += character;
    }
  }
  AppendText(rtf, cleaned);
}

/// Font size in half-points for \fs: the nearest half-point, halves rounded
/// up, so 8.25 pt becomes \fs17 (8.5 pt); at least 1, at most 3276 pt.
[[nodiscard]] long HalfPoints(double pointSize) noexcept {
  if (!std::isfinite(pointSize)) {
    return 1;
  }
  const double clamped = std::clamp(pointSize * 2.0, 1.0, 6552.0);
  return static_cast<long>(std::floor(clamped + 0.5));
}

/// The index of `value` in `values`, appending it when it is not there yet.
template <typename Value>
std::size_t IndexOf(std::vector<Value>& values, const Value& value) {
  const auto found = std::find(values.begin(), values.end(), value);
  if (found != values.end()) {
    return static_cast<std::size_t>(found - values.begin());
  }
  values.push_back(value);
  return values.size() - 1;
}

}  // namespace

std::string WriteRtf(std::span<const StyledRun> runs) {
  std::vector<std::string> fonts;
  std::vector<Rgb> colours;
  for (const StyledRun& run : runs) {
    IndexOf(fonts, run.fontName);
    IndexOf(colours, run.colour);
  }
  if (fonts.empty()) {
    fonts.emplace_back("Verdana");
  }

  std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
  for (std::size_t index = 0; index < fonts.size(); ++index) {
    rtf += "{\\f" + std::to_string(index) + "\\fnil\\fcharset0 ";
    AppendFontName(rtf, fonts[index]);
    rtf += ";}";
  }
  // Colour 0 is the reader's automatic colour; the runs' colours follow from 1.
  rtf += "}\n{\\colortbl;";
  for (const Rgb& colour : colours) {
    rtf += "\\red" + std::to_string(colour.red) + "\\green" + std::to_string(colour.green) +
           "\\blue" + std::to_string(colour.blue) + ';';
  }
  rtf += "}\n\\pard\\plain\n";

  for (const StyledRun& run : runs) {
    rtf += "{\\f" + std::to_string(IndexOf(fonts, run.fontName));
    rtf += "\\fs" + std::to_string(HalfPoints(run.pointSize));
    rtf += run.bold ? "\\b" : "\\b0";
    rtf += "\\cf" + std::to_string(IndexOf(colours, run.colour) + 1);
    rtf += ' ';
    AppendText(rtf, run.text);
    rtf += "}\n";
  }
  rtf += "}\n";
  return rtf;
}

}  // namespace zodivane
