// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/json_escape.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "common/utf8.h"

namespace zodivane {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

/// Whether the byte can be copied without a look: printable ASCII other
/// than the quote and the backslash.
constexpr bool IsPlain(std::uint8_t byte) noexcept {
  return byte >= 0x20 && byte < 0x80 && byte != '"' && byte != '\\';
}

/// Whether any of the eight bytes of `word` needs a look: a control
/// character, the quote, the backslash or a byte of a non-ASCII character.
constexpr bool AnyNotPlain(std::uint64_t word) noexcept {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHighs = 0x8080808080808080u;
  const auto hasZero = [](std::uint64_t v) { return (v - kOnes) & ~v & kHighs; };
  const std::uint64_t below20 = (word - 0x20 * kOnes) & ~word & kHighs;
  return ((word & kHighs) | below20 | hasZero(word ^ ('"' * kOnes)) |
          hasZero(word ^ ('\\' * kOnes))) != 0;
}

/// Where the run of plain bytes from `at` ends, or a place before that end
/// (the callers go on byte by byte): sixteen bytes at a time where SSE2 is.
std::size_t PlainRunEnd(std::string_view text, std::size_t at) noexcept {
#ifdef __SSE2__
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i backslash = _mm_set1_epi8('\\');
  const __m128i space = _mm_set1_epi8(0x20);
  while (at + 16 <= text.size()) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
    // Signed compare: the bytes from 0x80 count as below the space, too.
    const __m128i special =
        _mm_or_si128(_mm_cmplt_epi8(bytes, space),
                     _mm_or_si128(_mm_cmpeq_epi8(bytes, quote), _mm_cmpeq_epi8(bytes, backslash)));
    if (_mm_movemask_epi8(special) != 0)
      break;
    at += 16;
  }
#endif
  return at;
}

void AppendEscapedAscii(std::string& out, std::uint8_t byte) {
  constexpr char kHex[] = "0123456789abcdef";
  switch (byte) {
    case '"':
      out += "\\\"";
      return;
    case '\\':
      out += "\\\\";
      return;
    case '\b':
      out += "\\b";
      return;
    case '\t':
      out += "\\t";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\f':
      out += "\\f";
      return;
    case '\r':
      out += "\\r";
      return;
    default:
      break;
  }
  const char escape[] = {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0xF]};
  out.append(escape, sizeof escape);
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  if (text.size() <= 32) {  // short texts with nothing to escape go in whole
    bool plain = true;
    for (const char c : text)
      plain = plain && IsPlain(static_cast<std::uint8_t>(c));
    if (plain) {
      out += '"';
      out += text;
      out += '"';
      return;
    }
  }
  JsonStringWriter writer(out);
  writer.Append(text);
  writer.Finish();
}

JsonStringWriter::JsonStringWriter(std::string& out) : out_(out) {
  out_.push_back('"');
}

void JsonStringWriter::Append(std::string_view piece) {
  if (pendingSize_ > 0) {
    // Complete the character cut off at the end of the last piece.
    std::array<char, 8> joined{};
    std::copy_n(pending_.begin(), pendingSize_, joined.begin());
    const std::size_t borrowed = std::min<std::size_t>(piece.size(), 4);
    std::copy_n(piece.begin(), borrowed,
                joined.begin() + static_cast<std::ptrdiff_t>(pendingSize_));
    const std::string_view both(joined.data(), pendingSize_ + borrowed);
    const Utf8Char read = DecodeUtf8(both, 0);
    if (read.truncated) {  // still cut off: the piece was too short
      std::copy_n(piece.begin(), piece.size(),
                  pending_.begin() + static_cast<std::ptrdiff_t>(pendingSize_));
      pendingSize_ += piece.size();
      return;
    }
    // The pending bytes are a well-formed start, so the read covers them all.
    out_.append(read.valid ? both.substr(0, read.length) : kReplacement);
    piece.remove_prefix(read.length - pendingSize_);
    pendingSize_ = 0;
  }
  Escape(piece);
}

void JsonStringWriter::Escape(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t plain = PlainRunEnd(text, at);
    while (plain + 8 <= text.size()) {
      std::uint64_t word = 0;
      std::memcpy(&word, text.data() + plain, sizeof word);
      if (AnyNotPlain(word))
        break;
      plain += 8;
    }
    while (plain < text.size() && IsPlain(static_cast<std::uint8_t>(text[plain])))
      ++plain;
    out_.append(text.data() + at, plain - at);
    at = plain;
    if (at == text.size())
      break;
    const auto byte = static_cast<std::uint8_t>(text[at]);
    if (byte < 0x80) {
      AppendEscapedAscii(out_, byte);
      ++at;
      continue;
    }
    const Utf8Char read = DecodeUtf8(text, at);
    if (read.truncated) {
      std::copy_n(text.begin() + static_cast<std::ptrdiff_t>(at), read.length, pending_.begin());
      pendingSize_ = read.length;
      return;
    }
    out_.append(read.valid ? text.substr(at, read.length) : kReplacement);
    at += read.length;
  }
}

void JsonStringWriter::Finish() {
  if (pendingSize_ > 0) {
    out_.append(kReplacement);
    pendingSize_ = 0;
  }
  out_.push_back('"');
}

}  // namespace zodivane
