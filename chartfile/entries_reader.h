// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a JSON object of form entries: one line of zodivane-chart's JSON
// protocol, or the object of a chart file.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "common/birth_record.h"

namespace zodivane::chartfile {

/// One input line of the JSON protocol read into form entries, or the text
/// of the error line that answers it.
using EntriesOrError = std::variant<FormEntries, std::string>;

/// A line's value under a key beside the form entries' keys.
struct LineValue {
  enum class Kind { Missing, String, Boolean, Number, Object, Other };
  Kind kind = Kind::Missing;
  /// String: its characters; Number, Object and Other: the value as
  /// nlohmann's dump writes it.
  std::string text;
  bool boolean = false;  ///< Boolean: its value
  double number = 0;     ///< Number: its value
  /// Object: its members, each with its key in `key`, in the order of the
  /// keys (of a repeated key the last one), as nlohmann's parser keeps them.
  std::vector<LineValue> members;
  std::string key;  ///< a member's key
};

/// Reads input lines (a JSON object holding every FormEntries field under
/// its field name; extra keys are ignored). A well-formed line is read with
/// simdjson's On-Demand parser; a line it cannot take, and every line with
/// something wrong in its JSON, goes to nlohmann's parser, whose messages
/// the error answers quote. Keeps its buffers between lines: one reader per
/// thread. Never throws.
class EntriesReader {
 public:
  EntriesReader();
  ~EntriesReader();
  EntriesReader(const EntriesReader&) = delete;
  EntriesReader& operator=(const EntriesReader&) = delete;

  /// Parses and reads one line: Parse(line, {}) and then Entries().
  [[nodiscard]] EntriesOrError Read(std::string_view line);

  /// Parses `line` once, keeping the values of the entry keys and of
  /// `otherKeys` for Entries(), Holds() and Other(). Returns the error text
  /// when the line is no JSON object (then nothing is kept). A line whose
  /// other keys hold anything but strings, booleans, numbers and objects of
  /// those is read by nlohmann's parser.
  [[nodiscard]] std::optional<std::string> Parse(std::string_view line,
                                                 std::span<const std::string_view> otherKeys);

  /// The value under otherKeys[index] of the line last parsed.
  [[nodiscard]] const LineValue& Other(std::size_t index) const;

  /// Whether the line last parsed holds the entry key `key`.
  [[nodiscard]] bool Holds(std::string_view key) const noexcept;

  /// The entries of the line last parsed, or the first thing wrong with
  /// them. The entry keys in `mayBeMissing` may be left out: their fields
  /// then keep FormEntries' defaults.
  [[nodiscard]] EntriesOrError Entries(std::span<const std::string_view> mayBeMissing = {});

 private:
  struct Fast;
  std::unique_ptr<Fast> fast_;
};

/// Reads one line as EntriesReader does, with nlohmann's parser alone.
[[nodiscard]] EntriesOrError ReadEntriesWithNlohmann(std::string_view line);

/// Reads the entries from a JSON object already parsed (a chart file's),
/// with the checks and messages of ReadEntriesWithNlohmann.
[[nodiscard]] EntriesOrError EntriesFromObject(const nlohmann::ordered_json& object);

/// Reads one line with a reader of its own.
[[nodiscard]] EntriesOrError ParseEntriesLine(std::string_view line);

}  // namespace zodivane::chartfile
