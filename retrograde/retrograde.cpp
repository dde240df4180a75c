// SPDX-License-Identifier: GPL-3.0-or-later
#include "retrograde/retrograde.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "retrograde/station_tables.h"

namespace zodivane {
namespace {

/// The retrograde mark appended to a wheel name.
constexpr std::string_view kRetrogradeMark = " (R) ";

/// The wheel names before marking, index 0 to 6, and the planet whose table
/// decides the mark (empty for the Sun and the Moon, which have none).
struct WheelEntry {
  std::string_view name;          ///< base name listed on the wheel
  std::string_view testedPlanet;  ///< table looked up, or empty
};

constexpr auto kWheelEntries = std::to_array<WheelEntry>({
    {"Sun", ""},
    {"Moon", ""},
    {"Mercury", "Mercury"},
    {"Venus", "Venus"},
    {"Mars", "Mars"},
    {"Jupiter", "Jupiter"},
    {"Saturn", "Saturn"},
});
static_assert(kWheelEntries.size() == kWheelBodyCount);

/// True when day `birthDay` (a CivilDayNumber) lies strictly between the
/// dates of a retrograde station of `table` and its direct station. The
/// periods are in order and apart, so only the last period that begins
/// before the birth date can hold it.
[[nodiscard]] bool IsRetrogradeOn(const StationTable& table, std::int64_t birthDay) noexcept {
  const std::vector<Station>& starts = table.stationRetrograde;
  const auto later =
      std::partition_point(starts.begin(), starts.end(),
                           [birthDay](const Station& start) { return start.dayNumber < birthDay; });
  if (later == starts.begin()) {
    return false;
  }
  const auto period = static_cast<std::size_t>(later - starts.begin()) - 1;
  return table.stationDirect[period].dayNumber > birthDay;
}

/// The station table deciding each wheel entry's mark (nullptr for the Sun
/// and the Moon), looked up by name once per run: the tables never change.
const std::array<const StationTable*, kWheelBodyCount>& WheelEntryTables() {
  static const std::array<const StationTable*, kWheelBodyCount> tables = [] {
    std::array<const StationTable*, kWheelBodyCount> found{};
    for (std::size_t k = 0; k < kWheelEntries.size(); ++k) {
      found[k] = kWheelEntries[k].testedPlanet.empty()
                     ? nullptr
                     : FindStationTable(kWheelEntries[k].testedPlanet);
    }
    return found;
  }();
  return tables;
}

}  // namespace

bool IsRetrograde(const BirthMoment& birth, std::string_view planetName) {
  const StationTable* table = FindStationTable(planetName);
  // Only calendar dates count, whatever the times.
  return table != nullptr &&
         IsRetrogradeOn(*table, CivilDayNumber(birth.year, birth.month, birth.day));
}

RetrogradeFlags RetrogradeFlagsOf(const ChartInput& input) {
  const std::int64_t birthDay = CivilDayNumber(input.year, input.month, input.day);
  const std::array<const StationTable*, kWheelBodyCount>& tables = WheelEntryTables();
  RetrogradeFlags retrograde{};
  for (std::size_t k = 0; k < kWheelEntries.size(); ++k) {
    retrograde[k] = tables[k] != nullptr && IsRetrogradeOn(*tables[k], birthDay);
  }
  return retrograde;
}

WheelNames MarkRetrogrades(const RetrogradeFlags& retrograde) {
  WheelNames names;
  for (std::size_t k = 0; k < kWheelEntries.size(); ++k) {
    names[k] = std::string(kWheelEntries[k].name);
    if (retrograde[k]) {
      names[k] += kRetrogradeMark;
    }
  }
  return names;
}

WheelNames MarkRetrogrades(const ChartInput& input) {
  return MarkRetrogrades(RetrogradeFlagsOf(input));
}

}  // namespace zodivane
