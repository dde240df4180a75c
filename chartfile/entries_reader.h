// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a JSON object of form entries: one line of zodivane-chart's JSON
// protocol, or the object of a chart file.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <variant>

#include <nlohmann/json_fwd.hpp>

#include "common/birth_record.h"

namespace zodivane::chartfile {

/// One input line of the JSON protocol read into form entries, or the text
/// of the error line that answers it.
using EntriesOrError = std::variant<FormEntries, std::string>;

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

  [[nodiscard]] EntriesOrError Read(std::string_view line);

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
