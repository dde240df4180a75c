// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/zone_rows.h"

#include <array>
#include <cstdlib>
#include <tuple>

#include "chart/time_zones.h"
#include "common/vocabulary.h"

namespace zodivane::places {
namespace {

constexpr std::int32_t kSecondsPerMinute = 60;
constexpr std::int32_t kSecondsPerHour = 3600;

/// Field `index` (0 = name, 1 = abbreviation) of a row text, trimmed.
std::string_view RowField(int row, int index) noexcept {
  return TimeZoneRowField(row, index);
}

/// True for the rows that already include an advanced clock: daylight,
/// summer and war time.
bool IsAdvancedRow(int row) noexcept {
  const std::string_view name = RowName(row);
  return name.find("Daylight") != std::string_view::npos ||
         name.find("Summer") != std::string_view::npos ||
         name.find("War") != std::string_view::npos;
}

/// How well a row and box express the database's state, lower is better;
/// see ChooseZoneRow.
int PreferenceOf(int row, bool box, const ZoneState& inForce,
                 const std::optional<ZoneState>& standard) noexcept {
  const std::string_view abbreviation = RowAbbreviation(row);
  if (!box && abbreviation == inForce.abbreviation) {
    return 0;
  }
  if (box && inForce.daylightSaving && standard && abbreviation == standard->abbreviation) {
    return 1;
  }
  if (box == inForce.daylightSaving && !IsAdvancedRow(row)) {
    return 2;
  }
  if (!box && IsAdvancedRow(row) == inForce.daylightSaving) {
    return 3;
  }
  return 4;
}

std::string TwoDigits(int value) {
  return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

/// "IST, UT+5:30, no daylight saving", "EDT, UT-4:00, daylight saving". A
/// period the database counts as daylight saving while its clocks are
/// behind the standard time's (Dublin's and Windhoek's winters) is named
/// by its abbreviation and offset alone.
std::string DescribeState(const ZoneState& state, std::optional<std::int32_t> otherOffsetSeconds) {
  const bool winterTime =
      state.daylightSaving && otherOffsetSeconds && state.utOffsetSeconds < *otherOffsetSeconds;
  std::string text = state.abbreviation + ", " + FormatUtOffset(state.utOffsetSeconds);
  if (!winterTime) {
    text += state.daylightSaving ? ", daylight saving" : ", no daylight saving";
  }
  return text;
}

std::optional<std::int32_t> OffsetOf(const std::optional<ZoneState>& state) {
  return state ? std::optional<std::int32_t>(state->utOffsetSeconds) : std::nullopt;
}

/// How to choose a state on the form: "Greenwich Mean Time with the box
/// clear", or the entry after the rows.
std::string HowToChoose(const ZoneState& state, const std::optional<ZoneState>& standard) {
  const ZoneRowChoice choice = ChooseZoneRow(state, standard);
  if (!choice.exact()) {
    return "the entry after the rows at " + FormatUtOffset(state.utOffsetSeconds);
  }
  return "\"" + std::string(RowName(choice.row)) + "\" with Daylight Saving Time " +
         (choice.daylightSaving ? "ticked" : "clear");
}

std::string DescribeMoment(const ZoneAtMoment& moment) {
  const LocalDateTime& local = moment.local;
  const std::string_view month = local.month >= 1 && local.month <= 12
                                     ? kMonthNames[static_cast<std::size_t>(local.month - 1)]
                                     : std::string_view("?");
  return moment.zone + " on " + std::to_string(local.day) + " " + std::string(month) + " " +
         std::to_string(local.year) + " at " + std::to_string(local.hour) + ":" +
         TwoDigits(local.minute);
}

/// "15 minutes", "1 minute", "19 minutes 32 seconds", "40 seconds".
std::string DescribeDifference(std::int32_t seconds) {
  const std::int32_t magnitude = std::abs(seconds);
  const std::int32_t minutes = magnitude / kSecondsPerMinute;
  const std::int32_t rest = magnitude % kSecondsPerMinute;
  std::string text;
  if (minutes != 0) {
    text = std::to_string(minutes) + (minutes == 1 ? " minute" : " minutes");
  }
  if (rest != 0) {
    text += (text.empty() ? "" : " ") + std::to_string(rest) + (rest == 1 ? " second" : " seconds");
  }
  return text;
}

}  // namespace

std::int32_t RowOffsetSeconds(int row) noexcept {
  if (row < 0 || row >= kTimeZoneCount) {
    return 0;
  }
  const TimeZoneRow& zone = kTimeZoneTable[static_cast<std::size_t>(row)];
  return -(zone.toUtHours * kSecondsPerHour + zone.toUtMinutes * kSecondsPerMinute);
}

std::string_view RowAbbreviation(int row) noexcept {
  return RowField(row, 1);
}

std::string_view RowName(int row) noexcept {
  return RowField(row, 0);
}

ZoneRowChoice ChooseZoneRow(const ZoneState& inForce, const std::optional<ZoneState>& standard) {
  ZoneRowChoice best;
  std::tuple<std::int32_t, int> bestRank{0, 0};
  bool found = false;
  for (int row = 0; row < kTimeZoneCount; ++row) {
    for (const bool box : {false, true}) {
      const std::int32_t chartOffset = RowOffsetSeconds(row) + (box ? kSecondsPerHour : 0);
      const std::int32_t error = inForce.utOffsetSeconds - chartOffset;
      const std::tuple<std::int32_t, int> rank{std::abs(error),
                                               PreferenceOf(row, box, inForce, standard)};
      if (!found || rank < bestRank) {
        found = true;
        bestRank = rank;
        best = ZoneRowChoice{row, box, chartOffset, error};
      }
    }
  }
  return best;
}

std::string ZoneNote(const ZoneAtMoment& moment, const ZoneRowChoice& choice) {
  std::string note = DescribeMoment(moment) + ": ";
  const std::optional<std::int32_t> standardOffset = OffsetOf(moment.standard);
  switch (moment.clockTime) {
    case ClockTime::Unique:
      note += DescribeState(moment.first, standardOffset);
      break;
    case ClockTime::Ambiguous: {
      const ZoneState later = moment.second.value_or(moment.first);
      note += "this clock time happened twice, first " +
              DescribeState(moment.first, later.utOffsetSeconds) + ", then " +
              DescribeState(later, moment.first.utOffsetSeconds) +
              "; the chart uses the first. For the second, choose " +
              HowToChoose(later, later.daylightSaving ? moment.standard : std::nullopt);
      break;
    }
    case ClockTime::Nonexistent: {
      const ZoneState after = moment.second.value_or(moment.first);
      note += "this clock time never happened, the clocks jumped from " +
              DescribeState(moment.first, after.utOffsetSeconds) + " to " +
              DescribeState(after, moment.first.utOffsetSeconds) + "; cast as " +
              TwoDigits(moment.local.hour) + ":" + TwoDigits(moment.local.minute) + " " +
              moment.first.abbreviation + ", " + FormatUtOffset(moment.first.utOffsetSeconds);
      break;
    }
  }
  if (!choice.exact()) {
    note += ". No row of the list gives " + FormatUtOffset(moment.first.utOffsetSeconds) +
            ": the chart uses the place's own offset, the entry after the rows";
  }
  return note;
}

std::string ZoneWarning(const ZoneAtMoment& moment, const ZoneRowChoice& choice) {
  if (choice.exact()) {
    return {};
  }
  return "No zone row gives " + FormatUtOffset(moment.first.utOffsetSeconds) + ": the nearest is " +
         std::string(RowName(choice.row)) + (choice.daylightSaving ? " with daylight saving" : "") +
         " (" + FormatUtOffset(choice.chartOffsetSeconds) + "), so the chart is " +
         DescribeDifference(choice.errorSeconds) + " off";
}

std::string PlaceZoneLabel(const PlaceZone& zone) {
  return zone.zone + ", " + FormatUtOffset(zone.utOffsetSeconds) + ", from the birth place";
}

std::optional<std::int32_t> FormOffsetSeconds(const FormEntries& entries) {
  const std::int32_t daylight = entries.chkDST ? kSecondsPerHour : 0;
  if (entries.cmbTimeZoneIndex == kPlaceZoneIndex && entries.placeZone) {
    return entries.placeZone->utOffsetSeconds + daylight;
  }
  if (entries.cmbTimeZoneIndex < 0 || entries.cmbTimeZoneIndex >= kTimeZoneCount) {
    return std::nullopt;
  }
  return RowOffsetSeconds(entries.cmbTimeZoneIndex) + daylight;
}

std::string DescribeDuration(std::int32_t seconds) {
  const std::int32_t magnitude = std::abs(seconds);
  const std::int32_t hours = magnitude / kSecondsPerHour;
  std::string text;
  if (hours != 0) {
    text = std::to_string(hours) + (hours == 1 ? " hour" : " hours");
  }
  const std::string rest = DescribeDifference(magnitude % kSecondsPerHour);
  if (!rest.empty()) {
    text += (text.empty() ? "" : " ") + rest;
  }
  return text;
}

std::string ZoneMismatchWarning(const ZoneAtMoment& moment, std::string_view placeName,
                                std::int32_t formOffsetSeconds) {
  if (formOffsetSeconds == moment.first.utOffsetSeconds ||
      (moment.second && formOffsetSeconds == moment.second->utOffsetSeconds)) {
    return {};
  }
  ZoneAtMoment named = moment;
  if (!placeName.empty()) {
    named.zone = std::string(placeName);
  }
  return "The form gives " + FormatUtOffset(formOffsetSeconds) + "; " + DescribeMoment(named) +
         " is " + FormatUtOffset(moment.first.utOffsetSeconds) + " (" + moment.first.abbreviation +
         "): the chart would be " +
         DescribeDuration(formOffsetSeconds - moment.first.utOffsetSeconds) + " off";
}

std::string ClockTimeWarning(const ZoneAtMoment& moment, std::string_view placeName,
                             std::int32_t formOffsetSeconds) {
  if (moment.clockTime == ClockTime::Unique || !moment.second) {
    return {};
  }
  const ZoneState& first = moment.first;
  const ZoneState& second = *moment.second;
  const ZoneState* used = formOffsetSeconds == first.utOffsetSeconds    ? &first
                          : formOffsetSeconds == second.utOffsetSeconds ? &second
                                                                        : nullptr;
  if (used == nullptr) {
    return {};
  }
  ZoneAtMoment named = moment;
  if (!placeName.empty()) {
    named.zone = std::string(placeName);
  }
  const auto state = [](const ZoneState& zone) {
    return zone.abbreviation + ", " + FormatUtOffset(zone.utOffsetSeconds);
  };
  std::string text = DescribeMoment(named) + ": this clock time ";
  if (moment.clockTime == ClockTime::Ambiguous) {
    text += "happened twice, first " + state(first) + ", then " + state(second) +
            "; the chart uses the " + (used == &first ? "first, " : "second, ") + state(*used);
  } else {
    text += "never happened, the clocks jumped from " + state(first) + " to " + state(second) +
            "; the chart reads it as " + state(*used);
  }
  return text;
}

std::string DoubleDaylightWarning(const FormEntries& entries) {
  if (!entries.chkDST || entries.cmbTimeZoneIndex < 0 ||
      entries.cmbTimeZoneIndex >= kTimeZoneCount || !IsAdvancedRow(entries.cmbTimeZoneIndex)) {
    return {};
  }
  return std::string(RowName(entries.cmbTimeZoneIndex)) +
         " already includes daylight saving: with the box ticked too the chart is cast at " +
         FormatUtOffset(RowOffsetSeconds(entries.cmbTimeZoneIndex) + kSecondsPerHour) +
         ", two hours ahead of standard time";
}

std::optional<ZoneSuggestion> SuggestZone(std::string_view zone, const LocalDateTime& local) {
  std::optional<ZoneAtMoment> moment = ZoneAt(zone, local);
  if (!moment) {
    return std::nullopt;
  }
  ZoneSuggestion suggestion;
  suggestion.choice = ChooseZoneRow(moment->first, moment->standard);
  if (!suggestion.choice.exact()) {
    suggestion.placeZone = PlaceZone{moment->zone, moment->first.utOffsetSeconds,
                                     moment->first.abbreviation, moment->first.daylightSaving};
  }
  suggestion.note = ZoneNote(*moment, suggestion.choice);
  suggestion.moment = std::move(*moment);
  return suggestion;
}

}  // namespace zodivane::places
