#include "retrograde/retrograde.h"

#include <array>
#include <cstdint>

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

constexpr std::array<WheelEntry, kWheelBodyCount> kWheelEntries{{
    {"Sun", ""},
    {"Moon", ""},
    {"Mercury", "Mercury"},
    {"Venus", "Venus"},
    {"Mars", "Mars"},
    {"Jupiter", "Jupiter"},
    {"Saturn", "Saturn"},
}};
static_assert(kWheelEntries.size() == kWheelBodyCount);

}  // namespace

bool IsRetrograde(const BirthMoment& birth, std::string_view planetName) {
  const StationTable* table = FindStationTable(planetName);
  if (table == nullptr) {
    return false;
  }
  // Only calendar dates count: a difference in days is the number of
  // midnights from the birth date to the station's date, whatever the times.
  const std::int64_t birthDay = CivilDayNumber(birth.year, birth.month, birth.day);
  for (std::size_t i = 0; i < table->size(); ++i) {
    const StationMoment& start = table->stationRetrograde[i].moment;
    const StationMoment& end = table->stationDirect[i].moment;
    const std::int64_t dA = CivilDayNumber(start.year, start.month, start.day) - birthDay;
    const std::int64_t dB = CivilDayNumber(end.year, end.month, end.day) - birthDay;
    if (dA < 0 && dB > 0) {
      return true;
    }
  }
  return false;
}

WheelNames MarkRetrogrades(const ChartInput& input) {
  const BirthMoment birth{input.month, input.day, input.year, input.hour, input.minute};
  std::array<bool, kWheelBodyCount> retrograde{};
  for (std::size_t k = 0; k < kWheelEntries.size(); ++k) {
    retrograde[k] = !kWheelEntries[k].testedPlanet.empty() &&
                    IsRetrograde(birth, kWheelEntries[k].testedPlanet);
  }
  WheelNames names;
  for (std::size_t k = 0; k < kWheelEntries.size(); ++k) {
    names[k] = std::string(kWheelEntries[k].name);
    if (retrograde[k]) {
      names[k] += kRetrogradeMark;
    }
  }
  return names;
}

}  // namespace zodivane
