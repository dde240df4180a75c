// SPDX-License-Identifier: GPL-3.0-or-later
// How deep JSON text nests, found by reading it once without recursion, so
// that nothing recursive (a dump, a message quoting a value) ever meets a
// value nested deeper than any chart file or entries line can need.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zodivane::chartfile {

/// The deepest nesting of arrays and objects a chart file or a line of form
/// entries may hold (a chart file nests three levels).
inline constexpr std::size_t kMostJsonNesting = 64;

/// True when `json` nests arrays and objects more than `limit` levels deep
/// (brackets inside strings do not count). Reads the text once, in constant
/// memory; text that is not JSON is judged by its brackets alone.
[[nodiscard]] bool NestsDeeperThan(std::string_view json, std::size_t limit) noexcept;

/// What is wrong with text that nests too deep, after its subject: "nests
/// arrays and objects deeper than 64 levels".
[[nodiscard]] std::string TooDeepMessage();

}  // namespace zodivane::chartfile
