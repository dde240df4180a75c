// SPDX-License-Identifier: GPL-3.0-or-later
#include "retrograde/station_tables.h"

#include <array>
#include <charconv>
#include <chrono>

namespace zodivane::embedded {
extern const std::string_view kMercuryStations;
extern const std::string_view kVenusStations;
extern const std::string_view kMarsStations;
extern const std::string_view kJupiterStations;
extern const std::string_view kSaturnStations;
}  // namespace zodivane::embedded

namespace zodivane {
namespace {

/// The embedded station file of each planet.
struct StationSource {
  std::string_view planetName;   ///< exact spelling used for the lookup
  const std::string_view* text;  ///< the file's text, compiled in
};

constexpr auto kStationSources = std::to_array<StationSource>({
    {"Mercury", &embedded::kMercuryStations},
    {"Venus", &embedded::kVenusStations},
    {"Mars", &embedded::kMarsStations},
    {"Jupiter", &embedded::kJupiterStations},
    {"Saturn", &embedded::kSaturnStations},
});
static_assert(kStationSources.size() == 5);

/// The five tables, parsed once. A file that failed to parse (which the
/// tests rule out) leaves its planet with an empty table: never retrograde.
std::vector<StationTable> BuildTables() {
  std::vector<StationTable> tables;
  tables.reserve(kStationSources.size());
  for (const StationSource& source : kStationSources) {
    std::optional<StationTable> table = ParseStationFile(source.planetName, *source.text);
    tables.push_back(table ? std::move(*table) : StationTable{source.planetName, {}, {}});
  }
  return tables;
}

[[nodiscard]] bool IsLeapYear(int year) noexcept {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

[[nodiscard]] int DaysInMonth(int year, int month) noexcept {
  constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

/// A piece made only of decimal digits, read as a number; nullopt otherwise.
[[nodiscard]] std::optional<int> ReadNumber(std::string_view piece) noexcept {
  if (piece.empty() || piece.size() > 9) {
    return std::nullopt;
  }
  int value = 0;
  const auto [end, error] = std::from_chars(piece.data(), piece.data() + piece.size(), value);
  if (error != std::errc{} || end != piece.data() + piece.size() || piece.front() == '-') {
    return std::nullopt;
  }
  return value;
}

/// Reads the next line of `text` from `position` (without its "\n") and
/// moves `position` past it; nullopt at the end or on a line without "\n".
[[nodiscard]] std::optional<std::string_view> NextLine(std::string_view text,
                                                       std::size_t& position) noexcept {
  const std::size_t end = text.find('\n', position);
  if (end == std::string_view::npos) {
    return std::nullopt;
  }
  const std::string_view line = text.substr(position, end - position);
  position = end + 1;
  return line;
}

/// Reads rows from `position` up to the first empty line or the end of the
/// text into `stations`; false when a row does not parse.
[[nodiscard]] bool ReadRows(std::string_view text, std::size_t& position,
                            std::vector<Station>& stations) {
  while (position < text.size()) {
    const std::size_t lineStart = position;
    const std::optional<std::string_view> line = NextLine(text, position);
    if (!line) {
      return false;
    }
    if (line->empty()) {
      position = lineStart;
      return true;
    }
    const std::optional<StationMoment> moment = ParseStationRow(*line);
    if (!moment) {
      return false;
    }
    stations.push_back(
        Station{*line, *moment, CivilDayNumber(moment->year, moment->month, moment->day)});
  }
  return true;
}

}  // namespace

const StationTable* FindStationTable(std::string_view planetName) {
  static const std::vector<StationTable> tables = BuildTables();
  for (const StationTable& table : tables) {
    if (table.planetName == planetName) {
      return &table;
    }
  }
  return nullptr;
}

std::vector<std::string_view> SplitStationRow(std::string_view row) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = row.find(',', start);
    if (comma == std::string_view::npos) {
      pieces.push_back(row.substr(start));
      return pieces;
    }
    pieces.push_back(row.substr(start, comma - start));
    start = comma + 1;
  }
}

std::optional<StationMoment> ParseStationRow(std::string_view row) {
  const std::vector<std::string_view> pieces = SplitStationRow(row);
  if (pieces.size() < 6) {  // five numbers, each followed by a comma
    return std::nullopt;
  }
  std::array<int, 5> fields{};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::optional<int> number = ReadNumber(pieces[i]);
    if (!number) {
      return std::nullopt;
    }
    fields[i] = *number;
  }
  const StationMoment moment{fields[0], fields[1], fields[2], fields[3], fields[4]};
  if (moment.month < 1 || moment.month > 12 || moment.day < 1 ||
      moment.day > DaysInMonth(moment.year, moment.month) || moment.hour > 23 ||
      moment.minute > 59) {
    return std::nullopt;
  }
  return moment;
}

std::optional<StationTable> ParseStationFile(std::string_view planetName, std::string_view text) {
  StationTable table{planetName, {}, {}};
  std::size_t position = 0;
  if (NextLine(text, position) != "retrograde" ||
      !ReadRows(text, position, table.stationRetrograde) || NextLine(text, position) != "" ||
      NextLine(text, position) != "direct" || !ReadRows(text, position, table.stationDirect) ||
      position != text.size() || table.stationRetrograde.size() != table.stationDirect.size()) {
    return std::nullopt;
  }
  return table;
}

std::int64_t CivilDayNumber(int year, int month, int day) noexcept {
  const std::chrono::year_month_day date{std::chrono::year{year},
                                         std::chrono::month{static_cast<unsigned>(month)},
                                         std::chrono::day{static_cast<unsigned>(day)}};
  return std::chrono::sys_days{date}.time_since_epoch().count();
}

}  // namespace zodivane
