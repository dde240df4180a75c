// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/rtf_reader.h"

#include <cctype>
#include <charconv>
#include <cstdint>

namespace zodivane::fuzz {

namespace {

/// Where the reader is in the document.
enum class Place {
  Header,   ///< the document's own group
  Unknown,  ///< a group whose first control word is still to come
  FontTable,
  Font,
  ColourTable,
  Run,
};

class Reader {
 public:
  explicit Reader(std::string_view rtf) : rtf_(rtf) {}

  std::optional<ReadDocument> Read(std::string& why) {
    if (!rtf_.starts_with("{\\rtf1")) {
      return Fail(why, "no {\\rtf1 at the start");
    }
    std::vector<Place> groups;
    while (position_ < rtf_.size()) {
      const char c = rtf_[position_++];
      if (c == '{') {
        groups.push_back(Opened(groups));
      } else if (c == '}') {
        if (groups.empty()) {
          return Fail(why, "a } closes no group");
        }
        if (pendingHigh_ != 0) {
          return Fail(why, "a high surrogate without its low half");
        }
        groups.pop_back();
        if (groups.empty() && rtf_.find_first_not_of('\n', position_) != std::string_view::npos) {
          return Fail(why, "text after the document's last }");
        }
      } else if (c == '\\') {
        Place outside = Place::Header;
        if (!ControlWord(groups.empty() ? outside : groups.back(), why)) {
          return std::nullopt;
        }
      } else if (c == '\n' || c == '\r') {
        // line breaks in the file are not text
      } else if (!Text(groups.empty() ? Place::Header : groups.back(),
                       static_cast<unsigned char>(c), why)) {
        return std::nullopt;
      }
    }
    if (!groups.empty()) {
      return Fail(why, "a group is never closed");
    }
    return document_;
  }

 private:
  static std::optional<ReadDocument> Fail(std::string& why, std::string text) {
    why = std::move(text);
    return std::nullopt;
  }

  Place Opened(const std::vector<Place>& groups) {
    if (groups.empty()) {
      return Place::Header;
    }
    switch (groups.back()) {
      case Place::FontTable:
        document_.fonts.emplace_back();
        fontEnded_ = false;
        return Place::Font;
      case Place::Header:
        return Place::Unknown;
      default:
        return groups.back();  // a \u group inside a run or a font name
    }
  }

  /// Reads the control word or symbol after a backslash.
  bool ControlWord(Place& place, std::string& why) {
    if (position_ >= rtf_.size()) {
      return Fail(why, "a backslash at the end").has_value();
    }
    const char first = rtf_[position_];
    if (!std::isalpha(static_cast<unsigned char>(first))) {
      ++position_;
      if (first == '\\' || first == '{' || first == '}') {
        return Text(place, static_cast<unsigned char>(first), why);
      }
      if (first == '\'') {
        if (position_ + 2 > rtf_.size()) {
          return Fail(why, "a cut-off \\'xx").has_value();
        }
        position_ += 2;
        if (skipFallback_) {
          skipFallback_ = false;
          return true;
        }
        return Fail(why, "\\'xx that follows no \\u").has_value();
      }
      return Fail(why, std::string("unknown control symbol \\") + first).has_value();
    }
    const std::size_t start = position_;
    while (position_ < rtf_.size() && std::isalpha(static_cast<unsigned char>(rtf_[position_]))) {
      ++position_;
    }
    const std::string_view word = rtf_.substr(start, position_ - start);
    long number = 0;
    bool hasNumber = false;
    if (position_ < rtf_.size() &&
        (rtf_[position_] == '-' || std::isdigit(static_cast<unsigned char>(rtf_[position_])))) {
      const char* begin = rtf_.data() + position_;
      const auto [end, error] = std::from_chars(begin, rtf_.data() + rtf_.size(), number);
      if (error != std::errc()) {
        return Fail(why, "a bad number after \\" + std::string(word)).has_value();
      }
      position_ += static_cast<std::size_t>(end - begin);
      hasNumber = true;
    }
    if (position_ < rtf_.size() && rtf_[position_] == ' ') {
      ++position_;  // the delimiter belongs to the control word
    }
    return Apply(place, word, hasNumber, number, why);
  }

  bool Apply(Place& place, std::string_view word, bool hasNumber, long number, std::string& why) {
    if (place == Place::Unknown) {
      if (word == "fonttbl") {
        place = Place::FontTable;
        return true;
      }
      if (word == "colortbl") {
        place = Place::ColourTable;
        colour_ = Rgb{};
        return true;
      }
      place = Place::Run;
      document_.runs.emplace_back();
    }
    if (place == Place::Header) {
      if (word == "fonttbl" || word == "colortbl") {
        return Fail(why, "a table outside its own group").has_value();
      }
      // {\rtf1\ansi\ansicpg1252\deff0\uc1 and \pard\plain: nothing to keep
      if (word == "rtf" || word == "ansi" || word == "ansicpg" || word == "deff" || word == "uc" ||
          word == "pard" || word == "plain") {
        return true;
      }
    }
    if (word == "fonttbl" || word == "colortbl") {
      return Fail(why, "a table inside a run").has_value();
    }
    if (place == Place::Font) {
      if (word == "f" || word == "fnil" || word == "fcharset") {
        return true;
      }
      if (word == "tab" || word == "u") {
        return Unicode(place, word, number, why);
      }
    }
    if (place == Place::ColourTable) {
      if (!hasNumber || number < 0 || number > 255) {
        return Fail(why, "a colour part outside 0 to 255").has_value();
      }
      Rgb& colour = colour_;
      const auto part = static_cast<std::uint8_t>(number);
      if (word == "red") {
        colour.red = part;
      } else if (word == "green") {
        colour.green = part;
      } else if (word == "blue") {
        colour.blue = part;
      } else {
        return Fail(why, "unknown word in the colour table").has_value();
      }
      return true;
    }
    if (place == Place::Run) {
      ReadRun& run = document_.runs.back();
      if (word == "f" && hasNumber && number >= 0) {
        run.font = static_cast<std::size_t>(number);
        return true;
      }
      if (word == "fs" && hasNumber) {
        run.halfPoints = number;
        return true;
      }
      if (word == "b") {
        run.bold = !hasNumber || number != 0;
        return true;
      }
      if (word == "cf" && hasNumber && number >= 0) {
        run.colour = static_cast<std::size_t>(number);
        return true;
      }
      if (word == "par") {
        run.text += U'\n';
        return true;
      }
      if (word == "tab" || word == "u") {
        return Unicode(place, word, number, why);
      }
    }
    return Fail(why, "unexpected control word \\" + std::string(word)).has_value();
  }

  /// \tab, or \uN with N a signed UTF-16 unit; the fallback after it is skipped.
  bool Unicode(Place place, std::string_view word, long number, std::string& why) {
    if (word == "tab") {
      return Append(place, U'\t', why);
    }
    if (number < -32768 || number > 32767) {
      return Fail(why, "\\u outside a 16-bit number").has_value();
    }
    const auto unit = static_cast<char16_t>(static_cast<std::uint16_t>(number));
    skipFallback_ = true;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (pendingHigh_ != 0) {
        return Fail(why, "two high surrogates").has_value();
      }
      pendingHigh_ = unit;
      return true;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
      if (pendingHigh_ == 0) {
        return Fail(why, "a low surrogate alone").has_value();
      }
      const char32_t joined =
          0x10000 + ((static_cast<char32_t>(pendingHigh_) - 0xD800) << 10) + (unit - 0xDC00);
      pendingHigh_ = 0;
      return Append(place, joined, why);
    }
    return Append(place, unit, why);
  }

  bool Text(Place place, unsigned char c, std::string& why) {
    if (skipFallback_) {
      skipFallback_ = false;
      return true;
    }
    if (c >= 0x80) {
      return Fail(why, "a byte above ASCII in the document").has_value();
    }
    if (place == Place::ColourTable) {
      if (c != ';') {
        return Fail(why, "text in the colour table").has_value();
      }
      document_.colours.push_back(colour_);
      colour_ = Rgb{};
      return true;
    }
    if (place == Place::Font && c == ';') {
      fontEnded_ = true;
      return true;
    }
    return Append(place, c, why);
  }

  bool Append(Place place, char32_t character, std::string& why) {
    if (pendingHigh_ != 0 && !(character >= 0xDC00 && character <= 0xDFFF)) {
      return Fail(why, "a high surrogate without its low half").has_value();
    }
    if (place == Place::Font) {
      if (fontEnded_) {
        fontEnded_ = false;
        return Fail(why, "text after a font name's ;").has_value();
      }
      document_.fonts.back() += character;
      return true;
    }
    if (place == Place::Run) {
      document_.runs.back().text += character;
      return true;
    }
    return Fail(why, "text outside a run").has_value();
  }

  std::string_view rtf_;
  std::size_t position_ = 0;
  ReadDocument document_;
  Rgb colour_;  ///< the colour table entry being read
  char16_t pendingHigh_ = 0;
  bool skipFallback_ = false;
  bool fontEnded_ = false;
};

}  // namespace

std::optional<ReadDocument> ReadRtf(std::string_view rtf, std::string& why) {
  return Reader(rtf).Read(why);
}

}  // namespace zodivane::fuzz
