// SPDX-License-Identifier: GPL-3.0-or-later
// The one vocabulary of the chart: the twelve signs and the chart points.
// Every module spells signs and bodies through these tables; nothing else
// writes "Ari" or "Aries".
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zodivane {

/// One sign of the tropical zodiac. Sign index 0 is Aries, 11 is Pisces.
struct Sign {
  std::string_view abbreviation;  ///< three letters, e.g. "Ari"; compared exactly, case included
  std::string_view name;          ///< full English name, e.g. "Aries"
};

inline constexpr int kSignCount = 12;

inline constexpr auto kSigns = std::to_array<Sign>({
    {"Ari", "Aries"},
    {"Tau", "Taurus"},
    {"Gem", "Gemini"},
    {"Can", "Cancer"},
    {"Leo", "Leo"},
    {"Vir", "Virgo"},
    {"Lib", "Libra"},
    {"Sco", "Scorpio"},
    {"Sag", "Sagittarius"},
    {"Cap", "Capricorn"},
    {"Aqu", "Aquarius"},
    {"Pis", "Pisces"},
});
static_assert(kSigns.size() == kSignCount);

/// True when every sign abbreviation has three letters, as the position
/// texts and the packed comparisons rely on.
[[nodiscard]] constexpr bool AllAbbreviationsHaveThreeLetters() noexcept {
  for (const Sign& sign : kSigns) {
    if (sign.abbreviation.size() != 3) {
      return false;
    }
  }
  return true;
}
static_assert(AllAbbreviationsHaveThreeLetters());

/// The sign whose abbreviation equals `abbreviation` exactly (case-sensitive,
/// no trimming), trying signs 0 to 11 in order; nullopt when none does.
[[nodiscard]] std::optional<int> SignIndexFromAbbreviation(std::string_view abbreviation) noexcept;

/// The sign whose full name equals `name` exactly; nullopt when none does.
[[nodiscard]] std::optional<int> SignIndexFromName(std::string_view name) noexcept;

/// Chart points in the order of the position table: index 0 Sun, 1 Moon,
/// 2 Mercury ... 9 Pluto, 10 the Ascendant.
enum class ChartPoint : int {
  Sun = 0,
  Moon,
  Mercury,
  Venus,
  Mars,
  Jupiter,
  Saturn,
  Uranus,
  Neptune,
  Pluto,
  Ascendant,
};

inline constexpr int kChartPointCount = 11;

/// Display names of the chart points, as the results form captions them
/// ("Asc" for the Ascendant).
inline constexpr auto kChartPointNames = std::to_array<std::string_view>({
    "Sun",
    "Moon",
    "Mercury",
    "Venus",
    "Mars",
    "Jupiter",
    "Saturn",
    "Uranus",
    "Neptune",
    "Pluto",
    "Asc",
});
static_assert(kChartPointNames.size() == kChartPointCount);

/// English month names, January first: month `m` (1..12) is entry m - 1.
inline constexpr int kMonthCount = 12;

inline constexpr auto kMonthNames = std::to_array<std::string_view>({
    "January",
    "February",
    "March",
    "April",
    "May",
    "June",
    "July",
    "August",
    "September",
    "October",
    "November",
    "December",
});
static_assert(kMonthNames.size() == kMonthCount);

/// The eleven short position texts of a chart ("10 Cap 22"), indexed by
/// ChartPoint. Characters 4 to 6 (counted from 1) are the sign abbreviation.
using PositionTable = std::array<std::string, kChartPointCount>;

/// The seven names the natal wheel lists, Sun to Saturn, each possibly
/// followed by the retrograde mark " (R) ".
inline constexpr int kWheelBodyCount = 7;
using WheelNames = std::array<std::string, kWheelBodyCount>;

/// Which of the seven wheel bodies, Sun to Saturn, the station tables mark
/// retrograde on the birth date (the Sun and the Moon never are).
using RetrogradeFlags = std::array<bool, kWheelBodyCount>;

/// Every chart point's ecliptic longitude in degrees, indexed by ChartPoint,
/// as the engines computed it.
using LongitudeTable = std::array<double, kChartPointCount>;

/// A chart point as a number: its longitude and the sign, degree and
/// minutes that its position text shows (each truncated, never rounded).
struct PointPosition {
  double longitude = 0;     ///< degrees, [0, 360], before any truncation
  std::optional<int> sign;  ///< 0 Aries .. 11 Pisces; none when the text names no sign
  int degree = 0;           ///< whole degrees within the sign, 0..29
  int minute = 0;           ///< whole arc-minutes, 0..59
  bool retrograde = false;  ///< the wheel marks it " (R) " (Mercury to Saturn only)
  friend bool operator==(const PointPosition&, const PointPosition&) = default;
};

/// The eleven chart points as numbers, indexed by ChartPoint.
using PointPositions = std::array<PointPosition, kChartPointCount>;

/// `text` without its leading and trailing spaces (spaces only, not tabs or
/// line breaks), as entries and position texts are trimmed everywhere.
[[nodiscard]] std::string_view TrimSpaces(std::string_view text) noexcept;

/// Characters 4 to 6 (counted from 1) of a short position text: its sign
/// abbreviation. Fewer characters when the text is shorter.
[[nodiscard]] std::string_view SignCharactersOf(std::string_view shortPositionText) noexcept;

/// The sign of a short position text ("10 Cap 22"): its characters 4 to 6
/// compared exactly with the abbreviations in sign order; nullopt when none matches.
[[nodiscard]] std::optional<int> SignIndexOfShortText(std::string_view shortPositionText) noexcept;

/// The sign of a long position text (`13° 18' 57" Sco`): its last three
/// characters after trimming spaces, compared exactly; nullopt when none matches.
[[nodiscard]] std::optional<int> SignIndexOfLongText(std::string_view longPositionText) noexcept;

/// The full name of sign `signIndex` (0 Aries .. 11 Pisces), or nullopt
/// when there is no sign.
[[nodiscard]] std::optional<std::string> SignNameOf(std::optional<int> signIndex);

}  // namespace zodivane
