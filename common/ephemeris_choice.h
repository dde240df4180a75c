// SPDX-License-Identifier: GPL-3.0-or-later
// The engines a chart can be cast with: the built-in method (the program's
// own series, the default) and Swiss Ephemeris with its data files, where
// the build has it. One table names them for the command line, chart files,
// JSON answers and the windows.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace zodivane {

/// The engine that places the Sun, the Moon, the planets and the Ascendant.
enum class Ephemeris : int {
  BuiltIn = 0,  ///< the built-in mean elements and series; always available
  Swiss,        ///< Swiss Ephemeris from its data files; only where the build has it
};

inline constexpr int kEphemerisCount = 2;

/// One engine's names.
struct EphemerisInfo {
  std::string_view name;         ///< as the command line, JSON and chart files spell it
  std::string_view displayName;  ///< as the windows and the text output show it
};

/// Indexed by Ephemeris.
inline constexpr auto kEphemerides = std::to_array<EphemerisInfo>({
    {"builtin", "Built-in method"},
    {"swiss", "Swiss Ephemeris (precise)"},
});
static_assert(kEphemerides.size() == kEphemerisCount);

[[nodiscard]] constexpr std::string_view EphemerisName(Ephemeris ephemeris) noexcept {
  return kEphemerides[static_cast<std::size_t>(ephemeris)].name;
}

[[nodiscard]] constexpr std::string_view EphemerisDisplayName(Ephemeris ephemeris) noexcept {
  return kEphemerides[static_cast<std::size_t>(ephemeris)].displayName;
}

/// The engine named `name` ("builtin" or "swiss", exactly); none for any other text.
[[nodiscard]] constexpr std::optional<Ephemeris> EphemerisFromName(std::string_view name) noexcept {
  for (int index = 0; index < kEphemerisCount; ++index) {
    if (kEphemerides[static_cast<std::size_t>(index)].name == name) {
      return static_cast<Ephemeris>(index);
    }
  }
  return std::nullopt;
}
static_assert(EphemerisFromName("swiss") == Ephemeris::Swiss);
static_assert(!EphemerisFromName("Swiss"));

}  // namespace zodivane
