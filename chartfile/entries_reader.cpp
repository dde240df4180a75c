// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/entries_reader.h"

#include <simdjson.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "chart/time_zones.h"
#include "chartfile/entry_keys.h"
#include "chartfile/json_depth.h"
#include "common/form_rules.h"
#include "common/json_escape.h"
#include "common/text_helpers.h"
#include "common/utf8.h"

namespace zodivane::chartfile {
namespace {

using Json = nlohmann::json;
namespace ondemand = simdjson::ondemand;

constexpr auto kPositionKeys = std::to_array<FormList>({
    kMonthPositions,
    kDayPositions,
    {"cmbTimeZoneIndex", 0, kTimeZoneCount - 1, "the time-zone list"},
});

constexpr auto& kListTextKeys = kFormTextLists;

/// One input value as the line holds it, in the kinds nlohmann's parser
/// tells apart.
struct InputValue {
  enum class Kind { Missing, String, Integer, Unsigned, Float, Boolean, Null, Array, Object };
  Kind kind = Kind::Missing;
  std::string text;             ///< a string's characters
  std::int64_t integer = 0;     ///< Integer: a number with a minus sign
  std::uint64_t unsigned_ = 0;  ///< Unsigned: a number without one
  bool boolean = false;
};
using InputValues = std::array<InputValue, kInputKeys.size()>;

std::string Describe(InputValue::Kind kind) {
  switch (kind) {
    case InputValue::Kind::Float:
      return "a number with a fraction or exponent";
    case InputValue::Kind::Integer:
    case InputValue::Kind::Unsigned:
      return "a number";
    case InputValue::Kind::Null:
      return "null";
    case InputValue::Kind::Boolean:
      return "a boolean";
    case InputValue::Kind::String:
      return "a string";
    case InputValue::Kind::Array:
      return "an array";
    case InputValue::Kind::Object:
    case InputValue::Kind::Missing:
      break;
  }
  return "an object";
}

/// Most bytes of a value an error message repeats.
constexpr std::size_t kMostEchoedBytes = 64;

/// `text` as an error message repeats it: a long value cut after
/// kMostEchoedBytes (at the start of a character) and marked with "...".
std::string Cut(std::string_view text) {
  if (text.size() <= kMostEchoedBytes)
    return std::string(text);
  std::size_t end = kMostEchoedBytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
    --end;
  return std::string(text.substr(0, end)) + "...";
}

/// nlohmann's message with the text it last read ("last read: '...'") cut.
std::string CutLastRead(std::string_view message) {
  constexpr std::string_view kLastRead = "; last read: '";
  const auto start = message.find(kLastRead);
  if (start == std::string_view::npos)
    return std::string(message);
  const auto from = start + kLastRead.size();
  const auto end = message.rfind('\'');
  if (end == std::string_view::npos || end < from)
    return std::string(message);
  return std::string(message.substr(0, from)) + Cut(message.substr(from, end - from)) +
         std::string(message.substr(end));
}

/// Whether `text` is an entry of a list holding `first` to `last` written in
/// decimal without leading zeros.
bool IsListEntry(std::string_view text, int first, int last) noexcept {
  if (text.size() > 1 && text.front() == '0')
    return false;
  const auto value = SmallNumber(text, 4);
  return value && *value >= first && *value <= last;
}

/// Checks and copies one key; returns the error message or nullopt.
std::optional<std::string> ReadKey(InputValue& value, const InputKey& rule, FormEntries& entries) {
  const auto wrongType = [&](std::string_view wanted) {
    return "key " + Quoted(rule.key) + " must be " + std::string(wanted) + ", not " +
           Describe(value.kind);
  };
  if (const auto* text = std::get_if<std::string FormEntries::*>(&rule.field)) {
    if (value.kind != InputValue::Kind::String)
      return wrongType("a string");
    entries.*(*text) = std::move(value.text);
  } else if (const auto* number = std::get_if<int FormEntries::*>(&rule.field)) {
    const bool isUnsigned = value.kind == InputValue::Kind::Unsigned;
    if (!isUnsigned && value.kind != InputValue::Kind::Integer)
      return wrongType("an integer (a list position from 0)");
    for (const FormList& list : kPositionKeys) {
      if (list.key != rule.key)
        continue;
      const bool inRange = isUnsigned ? value.unsigned_ <= static_cast<std::uint64_t>(list.last)
                                      : value.integer >= 0 && value.integer <= list.last;
      if (!inRange) {
        return "key " + Quoted(rule.key) + " must be a position in " + std::string(list.what) +
               ", 0 to " + std::to_string(list.last) + ", not " +
               (isUnsigned ? std::to_string(value.unsigned_) : std::to_string(value.integer));
      }
    }
    entries.*(*number) =
        static_cast<int>(isUnsigned ? static_cast<std::int64_t>(value.unsigned_) : value.integer);
  } else {
    if (value.kind != InputValue::Kind::Boolean)
      return wrongType("a boolean");
    entries.*std::get<bool FormEntries::*>(rule.field) = value.boolean;
  }
  return std::nullopt;
}

/// The list texts must be entries of their lists, and the day text the one
/// at the day position, as the form always holds them.
std::optional<std::string> CheckListTexts(const FormEntries& entries) {
  const std::array<const std::string*, 4> texts{&entries.cboDateText, &entries.cboYearText,
                                                &entries.cboHHText, &entries.cboMMText};
  for (std::size_t i = 0; i < kListTextKeys.size(); ++i) {
    const FormList& list = kListTextKeys[i];
    if (!IsListEntry(*texts[i], list.first, list.last)) {
      std::string message = "key " + Quoted(list.key) + " must be an entry of " +
                            std::string(list.what) + ", " + Quoted(std::to_string(list.first)) +
                            " to " + Quoted(std::to_string(list.last)) +
                            " without leading zeros, not ";
      AppendJsonString(message, Cut(*texts[i]));
      return message;
    }
  }
  if (entries.cboDateText != std::to_string(entries.cboDateIndex + 1)) {
    return "key \"cboDateText\" must be the day list's entry at cboDateIndex " +
           std::to_string(entries.cboDateIndex) + ", " +
           Quoted(std::to_string(entries.cboDateIndex + 1)) + ", not " +
           Quoted(entries.cboDateText);
  }
  return std::nullopt;
}

/// Whether `key` is one of `keys`.
bool IsOneOf(std::string_view key, std::span<const std::string_view> keys) noexcept {
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

/// The entries from the values of the keys, or the first thing wrong with
/// them: missing keys, then each key in the table's order, then the lists.
/// The keys in `mayBeMissing` may be left out.
EntriesOrError EntriesFromValues(InputValues& values,
                                 std::span<const std::string_view> mayBeMissing = {}) {
  std::string missing;
  for (std::size_t i = 0; i < kInputKeys.size(); ++i) {
    if (values[i].kind == InputValue::Kind::Missing && !IsOneOf(kInputKeys[i].key, mayBeMissing)) {
      missing += missing.empty() ? "" : ", ";
      missing += Quoted(kInputKeys[i].key);
    }
  }
  if (!missing.empty()) {
    return (missing.find(',') == std::string::npos ? "missing key " : "missing keys ") + missing;
  }
  FormEntries entries;
  for (std::size_t i = 0; i < kInputKeys.size(); ++i) {
    if (values[i].kind == InputValue::Kind::Missing)
      continue;  // one that may be missing
    if (auto error = ReadKey(values[i], kInputKeys[i], entries))
      return *std::move(error);
  }
  if (auto error = CheckListTexts(entries))
    return *std::move(error);
  return entries;
}

/// The position of `key` in the table. Lines mostly hold the keys in the
/// table's order, so the search starts at `hint` (the key after the last one).
std::optional<std::size_t> KeyPosition(std::string_view key, std::size_t hint) noexcept {
  for (std::size_t step = 0; step < kInputKeys.size(); ++step) {
    const std::size_t i = (hint + step) % kInputKeys.size();
    if (kInputKeys[i].key == key)
      return i;
  }
  return std::nullopt;
}

// ---------------------------------------------------------------------------
// nlohmann

template <typename AnyJson>
InputValue ValueOf(const AnyJson& value) {
  InputValue read;
  if (value.is_string()) {
    read.kind = InputValue::Kind::String;
    read.text = value.template get<std::string>();
  } else if (value.is_number_unsigned()) {
    read.kind = InputValue::Kind::Unsigned;
    read.unsigned_ = value.template get<std::uint64_t>();
  } else if (value.is_number_integer()) {
    read.kind = InputValue::Kind::Integer;
    read.integer = value.template get<std::int64_t>();
  } else if (value.is_number_float()) {
    read.kind = InputValue::Kind::Float;
  } else if (value.is_boolean()) {
    read.kind = InputValue::Kind::Boolean;
    read.boolean = value.template get<bool>();
  } else if (value.is_null()) {
    read.kind = InputValue::Kind::Null;
  } else if (value.is_array()) {
    read.kind = InputValue::Kind::Array;
  } else {
    read.kind = InputValue::Kind::Object;
  }
  return read;
}

/// A value under a key beside the entry keys, as LineValue holds it.
LineValue LineValueOf(const Json& value, std::string key = {}) {
  LineValue read;
  read.key = std::move(key);
  if (value.is_string()) {
    read.kind = LineValue::Kind::String;
    read.text = value.get<std::string>();
    return read;
  }
  if (value.is_boolean()) {
    read.kind = LineValue::Kind::Boolean;
    read.boolean = value.get<bool>();
    return read;
  }
  if (value.is_number()) {
    read.kind = LineValue::Kind::Number;
    read.number = value.get<double>();
  } else if (value.is_object()) {
    read.kind = LineValue::Kind::Object;
    for (const auto& [memberKey, member] : value.items())
      read.members.push_back(LineValueOf(member, memberKey));
  } else {
    read.kind = LineValue::Kind::Other;
  }
  read.text = value.dump();
  return read;
}

/// The values under the entry keys of a parsed JSON object.
template <typename AnyJson>
void ValuesFromParsed(const AnyJson& object, InputValues& values) {
  for (std::size_t i = 0; i < kInputKeys.size(); ++i) {
    const auto found = object.find(std::string(kInputKeys[i].key));
    values[i] = found != object.end() ? ValueOf(*found) : InputValue{};
  }
}

/// The entries under the keys of a parsed JSON object.
template <typename AnyJson>
EntriesOrError EntriesFromParsed(const AnyJson& object) {
  InputValues values;
  ValuesFromParsed(object, values);
  return EntriesFromValues(values);
}

/// Follows the keys of the top object while nlohmann's parser reads a line,
/// to name the key whose number is too large for a double.
class KeyTracker final : public nlohmann::json_sax<Json> {
 public:
  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool start_object(std::size_t) override {
    ++depth_;
    return true;
  }
  bool key(string_t& key) override {
    if (depth_ == 1)
      key_ = key;
    return true;
  }
  bool end_object() override {
    --depth_;
    return true;
  }
  bool start_array(std::size_t) override {
    ++depth_;
    return true;
  }
  bool end_array() override {
    --depth_;
    return true;
  }
  bool parse_error(std::size_t, const std::string& token,
                   const nlohmann::detail::exception&) override {
    token_ = token;
    return false;
  }
  [[nodiscard]] const std::string& Key() const noexcept { return key_; }
  [[nodiscard]] const std::string& Token() const noexcept { return token_; }

 private:
  int depth_ = 0;
  std::string key_;
  std::string token_;
};

// ---------------------------------------------------------------------------
// simdjson

/// The kind nlohmann's parser gives a number token: with a fraction or an
/// exponent, or too large for 64 bits, a double; else a signed integer when
/// it has a minus sign and an unsigned one when not.
bool ReadNumberToken(std::string_view token, InputValue& value) {
  while (!token.empty() && (token.back() == ' ' || token.back() == '\t' || token.back() == '\r' ||
                            token.back() == '\n'))
    token.remove_suffix(1);
  if (token.find_first_of(".eE") != std::string_view::npos) {
    value.kind = InputValue::Kind::Float;
    return true;
  }
  const char* end = token.data() + token.size();
  if (token.starts_with('-')) {
    const auto [stop, error] = std::from_chars(token.data(), end, value.integer);
    value.kind =
        error == std::errc{} && stop == end ? InputValue::Kind::Integer : InputValue::Kind::Float;
  } else {
    const auto [stop, error] = std::from_chars(token.data(), end, value.unsigned_);
    value.kind =
        error == std::errc{} && stop == end ? InputValue::Kind::Unsigned : InputValue::Kind::Float;
  }
  return true;
}

/// Reads a value whole, so that the parser checks every token of it; fills
/// `into` when given. False when simdjson finds something it cannot take.
bool ReadValue(ondemand::value value, InputValue* into, int depth) {
  ondemand::json_type type;
  if (value.type().get(type) != simdjson::SUCCESS)
    return false;
  switch (type) {
    case ondemand::json_type::string: {
      std::string_view text;
      if (value.get_string().get(text) != simdjson::SUCCESS)
        return false;
      if (into != nullptr) {
        into->kind = InputValue::Kind::String;
        into->text.assign(text);
      }
      return true;
    }
    case ondemand::json_type::number: {
      const std::string_view token = value.raw_json_token();
      ondemand::number number;
      if (value.get_number().get(number) != simdjson::SUCCESS)
        return false;
      InputValue scratch;
      return ReadNumberToken(token, into != nullptr ? *into : scratch);
    }
    case ondemand::json_type::boolean: {
      bool flag = false;
      if (value.get_bool().get(flag) != simdjson::SUCCESS)
        return false;
      if (into != nullptr) {
        into->kind = InputValue::Kind::Boolean;
        into->boolean = flag;
      }
      return true;
    }
    case ondemand::json_type::null: {
      bool isNull = false;
      if (value.is_null().get(isNull) != simdjson::SUCCESS || !isNull)
        return false;
      if (into != nullptr)
        into->kind = InputValue::Kind::Null;
      return true;
    }
    case ondemand::json_type::array: {
      if (depth > 64)
        return false;
      ondemand::array array;
      if (value.get_array().get(array) != simdjson::SUCCESS)
        return false;
      for (auto element : array) {
        ondemand::value inner;
        if (element.get(inner) != simdjson::SUCCESS || !ReadValue(inner, nullptr, depth + 1))
          return false;
      }
      if (into != nullptr)
        into->kind = InputValue::Kind::Array;
      return true;
    }
    case ondemand::json_type::object: {
      if (depth > 64)
        return false;
      ondemand::object object;
      if (value.get_object().get(object) != simdjson::SUCCESS)
        return false;
      for (auto field : object) {
        std::string_view key;
        ondemand::value inner;
        if (field.unescaped_key().get(key) != simdjson::SUCCESS ||
            field.value().get(inner) != simdjson::SUCCESS || !ReadValue(inner, nullptr, depth + 1))
          return false;
      }
      if (into != nullptr)
        into->kind = InputValue::Kind::Object;
      return true;
    }
  }
  return false;
}

/// A string, boolean or number as nlohmann's parser holds it; none for
/// anything else or what simdjson cannot take.
std::optional<Json> ScalarOf(ondemand::value value) {
  ondemand::json_type type;
  if (value.type().get(type) != simdjson::SUCCESS)
    return std::nullopt;
  InputValue scratch;
  if (type == ondemand::json_type::number) {
    const std::string_view token = value.raw_json_token();
    ondemand::number number;
    if (value.get_number().get(number) != simdjson::SUCCESS || !ReadNumberToken(token, scratch))
      return std::nullopt;
    if (scratch.kind == InputValue::Kind::Integer)
      return Json(scratch.integer);
    if (scratch.kind == InputValue::Kind::Unsigned)
      return Json(scratch.unsigned_);
    return Json(number.as_double());
  }
  if (type != ondemand::json_type::string && type != ondemand::json_type::boolean)
    return std::nullopt;
  if (!ReadValue(value, &scratch, 1))
    return std::nullopt;
  if (scratch.kind == InputValue::Kind::String)
    return Json(std::move(scratch.text));
  return Json(scratch.boolean);
}

/// Reads the value of a key beside the entry keys: a string, a boolean, a
/// number or an object of those. False for anything else, which nlohmann's
/// dump names.
bool ReadOtherValue(ondemand::value value, LineValue& into) {
  ondemand::json_type type;
  if (value.type().get(type) != simdjson::SUCCESS)
    return false;
  if (type == ondemand::json_type::string || type == ondemand::json_type::boolean) {
    InputValue scratch;
    if (!ReadValue(value, &scratch, 1))
      return false;
    into.kind = scratch.kind == InputValue::Kind::String ? LineValue::Kind::String
                                                         : LineValue::Kind::Boolean;
    into.text = std::move(scratch.text);
    into.boolean = scratch.boolean;
    return true;
  }
  Json read;
  if (type == ondemand::json_type::object) {
    ondemand::object object;
    if (value.get_object().get(object) != simdjson::SUCCESS)
      return false;
    read = Json::object();
    for (auto field : object) {
      std::string_view key;
      ondemand::value inner;
      if (field.unescaped_key().get(key) != simdjson::SUCCESS ||
          field.value().get(inner) != simdjson::SUCCESS)
        return false;
      std::optional<Json> member = ScalarOf(inner);
      if (!member)
        return false;
      read[std::string(key)] = *std::move(member);  // a repeated key: the last one counts
    }
  } else {
    std::optional<Json> scalar = ScalarOf(value);
    if (!scalar)
      return false;
    read = *std::move(scalar);
  }
  into = LineValueOf(read);
  return true;
}

/// Whether the line holds something the two parsers may read differently:
/// a control character (never valid inside a string) or an escaped
/// surrogate (\uD800 to \uDFFF, which must come in pairs).
bool NeedsNlohmann(std::string_view line) noexcept {
  // Eight bytes at a time past the plain ones: no byte below 0x20, none
  // from 0x80 (whose UTF-8 FirstInvalidUtf8 checks) and no backslash.
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHighs = 0x8080808080808080u;
  std::size_t start = 0;
  for (; start + 8 <= line.size(); start += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, line.data() + start, sizeof word);
    const std::uint64_t below20 = (word - 0x20 * kOnes) & ~word & kHighs;
    const std::uint64_t backslash = word ^ ('\\' * kOnes);
    if ((below20 | ((backslash - kOnes) & ~backslash & kHighs)) != 0)
      break;
  }
  for (std::size_t i = start; i < line.size(); ++i) {
    const auto byte = static_cast<unsigned char>(line[i]);
    if (byte < 0x20 && byte != ' ')
      return true;
    if (byte == '\\' && i + 2 < line.size() && line[i + 1] == 'u' &&
        (line[i + 2] == 'd' || line[i + 2] == 'D'))
      return true;
  }
  return false;
}

/// Parses `line` with nlohmann's parser into `object`: the error text when
/// it is not a JSON object.
std::optional<std::string> ParseWithNlohmann(std::string_view line, Json& object) {
  if (const auto bad = FirstInvalidUtf8(line)) {
    return "line is not valid UTF-8 (bad byte at column " + std::to_string(*bad + 1) + ")";
  }
  // Nothing recursive may walk a value nested deeper than entries can be.
  if (NestsDeeperThan(line, kMostJsonNesting)) {
    return "line " + TooDeepMessage();
  }
  try {
    object = Json::parse(line);
  } catch (const Json::parse_error& error) {
    std::string_view what = error.what();
    if (const auto tag = what.find("] "); tag != std::string_view::npos)
      what.remove_prefix(tag + 2);
    return "line is not valid JSON: " + CutLastRead(what);
  } catch (const Json::out_of_range&) {
    // A number beyond the range of a double (1e309): say which key holds it.
    KeyTracker tracker;
    Json::sax_parse(line, &tracker);
    return "key " + Quoted(Cut(tracker.Key())) +
           " holds a number out of range: " + Cut(tracker.Token());
  }
  if (!object.is_object()) {
    return "line must be a JSON object of form entries, not " + Describe(ValueOf(object).kind);
  }
  return std::nullopt;
}

}  // namespace

EntriesOrError ReadEntriesWithNlohmann(std::string_view line) {
  Json object;
  if (auto error = ParseWithNlohmann(line, object))
    return *std::move(error);
  return EntriesFromParsed(object);
}

EntriesOrError EntriesFromObject(const nlohmann::ordered_json& object) {
  return EntriesFromParsed(object);
}

struct EntriesReader::Fast {
  ondemand::parser parser;
  std::vector<char> padded;
  InputValues values;             ///< of the line last parsed
  std::vector<LineValue> others;  ///< of the line last parsed, one per other key
};

EntriesReader::EntriesReader() : fast_(std::make_unique<Fast>()) {}
EntriesReader::~EntriesReader() = default;

EntriesOrError EntriesReader::Read(std::string_view line) {
  if (auto error = Parse(line, {}))
    return *std::move(error);
  return Entries();
}

const LineValue& EntriesReader::Other(std::size_t index) const {
  return fast_->others.at(index);
}

bool EntriesReader::Holds(std::string_view key) const noexcept {
  const auto position = KeyPosition(key, 0);
  return position && fast_->values[*position].kind != InputValue::Kind::Missing;
}

EntriesOrError EntriesReader::Entries(std::span<const std::string_view> mayBeMissing) {
  return EntriesFromValues(fast_->values, mayBeMissing);
}

std::optional<std::string> EntriesReader::Parse(std::string_view line,
                                                std::span<const std::string_view> otherKeys) {
  InputValues& values = fast_->values;
  std::vector<LineValue>& others = fast_->others;
  const auto clear = [&] {
    for (InputValue& value : values) {
      value.kind = InputValue::Kind::Missing;
      value.text.clear();
    }
    others.assign(otherKeys.size(), LineValue{});
  };
  const auto readWithNlohmann = [&](std::string_view whole) -> std::optional<std::string> {
    clear();
    Json object;
    if (auto error = ParseWithNlohmann(whole, object))
      return error;
    ValuesFromParsed(object, values);
    for (std::size_t i = 0; i < otherKeys.size(); ++i) {
      const auto found = object.find(std::string(otherKeys[i]));
      if (found == object.end())
        continue;
      others[i] = LineValueOf(*found);
    }
    return std::nullopt;
  };

  const std::string_view whole = line;
  if (line.ends_with('\r'))  // white space after the object, as JSON reads it
    line.remove_suffix(1);
  if (FirstInvalidUtf8(line) || NeedsNlohmann(line))
    return readWithNlohmann(whole);
  std::vector<char>& padded = fast_->padded;
  if (padded.size() < line.size() + simdjson::SIMDJSON_PADDING)
    padded.resize(line.size() + simdjson::SIMDJSON_PADDING);
  std::memcpy(padded.data(), line.data(), line.size());
  std::memset(padded.data() + line.size(), ' ', simdjson::SIMDJSON_PADDING);

  clear();
  std::size_t next = 0;  // where the next key is looked for first
  const bool read = [&] {
    ondemand::document document;
    if (fast_->parser.iterate(padded.data(), line.size(), padded.size()).get(document) !=
        simdjson::SUCCESS)
      return false;
    ondemand::object object;
    if (document.get_object().get(object) != simdjson::SUCCESS)
      return false;
    for (auto field : object) {
      std::string_view key;
      ondemand::value value;
      if (field.unescaped_key().get(key) != simdjson::SUCCESS ||
          field.value().get(value) != simdjson::SUCCESS)
        return false;
      const auto position = KeyPosition(key, next);
      if (position) {
        next = *position + 1;
        InputValue& into = values[*position];
        into = InputValue{};  // a repeated key: the last one counts
        if (!ReadValue(value, &into, 1))
          return false;
        continue;
      }
      const auto other = std::find(otherKeys.begin(), otherKeys.end(), key);
      if (other == otherKeys.end()) {
        if (!ReadValue(value, nullptr, 1))
          return false;
        continue;
      }
      LineValue& into = others[static_cast<std::size_t>(other - otherKeys.begin())];
      if (!ReadOtherValue(value, into))
        return false;
    }
    // Nothing may follow the object: the position is then past the end.
    return document.current_location().error() == simdjson::OUT_OF_BOUNDS;
  }();
  if (!read)
    return readWithNlohmann(whole);
  return std::nullopt;
}

EntriesOrError ParseEntriesLine(std::string_view line) {
  EntriesReader reader;
  return reader.Read(line);
}

}  // namespace zodivane::chartfile
