// SPDX-License-Identifier: GPL-3.0-or-later
// The retrograde station tables of Mercury, Venus, Mars, Jupiter and Saturn:
// constant data compiled into the program from retrograde/stations/*.txt and
// parsed once, on first use.
//
// A station is stored as the text row "month,day,year,hour,minute," (five
// decimal integers, no leading zeros, each followed by a comma), in UT; only
// its calendar date takes part in the retrograde test.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace zodivane {

/// A station moment as a table row gives it.
struct StationMoment {
  int month = 1;    ///< 1..12
  int day = 1;      ///< 1..31, a day of that month
  int year = 1900;  ///< four digits, 1900..2051 in the tables
  int hour = 0;     ///< 0..23, UT
  int minute = 0;   ///< 0..59
  friend bool operator==(const StationMoment&, const StationMoment&) = default;
};

/// One station of a table: its row text and what the row says.
struct Station {
  std::string_view row;      ///< e.g. "3,15,1900,13,19,"; points into the embedded data
  StationMoment moment;      ///< the row parsed
  std::int64_t dayNumber{};  ///< CivilDayNumber of the row's calendar date
};

/// The retrograde periods of one planet, in chronological order, as two
/// parallel lists of equal length: period i begins at stationRetrograde[i]
/// and ends at stationDirect[i], before period i + 1 begins (the embedded
/// tables are checked for that order by the tests; the lookup relies on it).
struct StationTable {
  std::string_view planetName;             ///< "Mercury", "Venus", "Mars", "Jupiter" or "Saturn"
  std::vector<Station> stationRetrograde;  ///< where the planet turns retrograde
  std::vector<Station> stationDirect;      ///< where it turns direct again, same length
  [[nodiscard]] std::size_t size() const noexcept { return stationRetrograde.size(); }
};

/// The table of `planetName` (spelled exactly "Mercury", "Venus", "Mars",
/// "Jupiter" or "Saturn"); nullptr for any other name (the Sun, the Moon and
/// the Ascendant have none). The tables live for the whole run.
[[nodiscard]] const StationTable* FindStationTable(std::string_view planetName);

/// The pieces of `row` between its commas, in order. A well-formed row
/// "11,6,2050,19,4," yields "11", "6", "2050", "19", "4" and an empty sixth piece.
[[nodiscard]] std::vector<std::string_view> SplitStationRow(std::string_view row);

/// Reads the first five pieces of `row` as month, day, year, hour and minute.
/// Nullopt when a piece is missing or not a plain decimal number, or a field is
/// out of range (month 1..12, day a valid day of that month, hour 0..23,
/// minute 0..59); anything after the fifth comma is ignored.
[[nodiscard]] std::optional<StationMoment> ParseStationRow(std::string_view row);

/// Parses a station file: the line "retrograde", N rows, an empty line, the
/// line "direct", N rows, each line ending in "\n". Nullopt when the text does
/// not have that shape, a row does not parse, or the lists differ in length.
/// The rows of the result point into `text`.
[[nodiscard]] std::optional<StationTable> ParseStationFile(std::string_view planetName,
                                                           std::string_view text);

/// Days since 1 January 1970 of a Gregorian calendar date (negative before);
/// subtracting two of them counts the midnights between the dates. `year` in
/// -32767..32767, `month` 1..12, `day` 0..255: a day past the end of the
/// month counts on into the next month.
[[nodiscard]] std::int64_t CivilDayNumber(int year, int month, int day) noexcept;

}  // namespace zodivane
