// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/place_entries.h"

#include <algorithm>
#include <string>

#include "chart/time_zones.h"
#include "common/form_rules.h"

namespace zodivane::places {
namespace {

constexpr int kMinutesPerDegree = 60;

}  // namespace

DegreesMinutes ToNearestMinute(double angleDeg, int maxDegrees) noexcept {
  const long largest = maxDegrees * kMinutesPerDegree + kLargestArcMinutes;
  const auto minutes = static_cast<int>(std::min(NearestArcMinutes(angleDeg), largest));
  return DegreesMinutes{minutes / kMinutesPerDegree, minutes % kMinutesPerDegree, angleDeg < 0};
}

void FillPlace(const Place& place, FormEntries& entries) {
  entries.txtMCity = place.name;
  entries.txtMState = place.state;
  entries.txtMCountry = place.country;
  const DegreesMinutes longitude = ToNearestMinute(place.longitudeDeg, kLargestLongitudeDegrees);
  entries.txtLonD = std::to_string(longitude.degrees);
  entries.txtLonM = std::to_string(longitude.minutes);
  entries.optEast = !longitude.negative;
  const DegreesMinutes latitude = ToNearestMinute(place.latitudeDeg, kLargestLatitudeDegrees);
  entries.txtLatD = std::to_string(latitude.degrees);
  entries.txtLatM = std::to_string(latitude.minutes);
  entries.optSouth = latitude.negative;
}

void FillZone(const ZoneRowChoice& choice, FormEntries& entries) noexcept {
  entries.cmbTimeZoneIndex = choice.row;
  entries.chkDST = choice.daylightSaving;
  entries.placeZone.reset();
}

void FillZone(const ZoneSuggestion& suggestion, FormEntries& entries) {
  FillZone(suggestion.choice, entries);
  if (suggestion.placeZone) {
    entries.cmbTimeZoneIndex = kPlaceZoneIndex;
    entries.chkDST = false;
    entries.placeZone = suggestion.placeZone;
  }
}

std::optional<LocalDateTime> LocalDateTimeOf(const FormEntries& entries) noexcept {
  const std::optional<int> day = LeadingDigitsValue(entries.cboDateText);
  const std::optional<int> year = LeadingDigitsValue(entries.cboYearText);
  const std::optional<int> hour = LeadingDigitsValue(entries.cboHHText);
  const std::optional<int> minute = LeadingDigitsValue(entries.cboMMText);
  if (!day || !year || !hour || !minute) {
    return std::nullopt;
  }
  return LocalDateTime{*year, entries.cboMonthIndex + 1, *day, *hour, *minute};
}

std::string ChartZoneWarning(const FormEntries& entries, const std::optional<ChosenPlace>& place) {
  if (!place) {
    return DoubleDaylightWarning(entries);
  }
  const std::optional<LocalDateTime> local = LocalDateTimeOf(entries);
  const std::optional<std::int32_t> formOffset = FormOffsetSeconds(entries);
  const std::optional<ZoneAtMoment> moment =
      local && formOffset ? ZoneAt(place->zone, *local) : std::nullopt;
  if (!moment) {
    return {};
  }
  std::string warning = ZoneMismatchWarning(*moment, place->name, *formOffset);
  if (warning.empty()) {
    warning = ClockTimeWarning(*moment, place->name, *formOffset);
  }
  return warning;
}

}  // namespace zodivane::places
