// SPDX-License-Identifier: GPL-3.0-or-later
// From the zone database's answer to the form's zone list and daylight-saving
// box, and the note that tells the user what was chosen and why.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "chart/time_zones.h"
#include "common/birth_record.h"
#include "places/zone_history.h"

namespace zodivane::places {

/// A row of the 71-row zone list and the state of the daylight-saving box.
/// The chart's UT is the local time minus chartOffsetSeconds.
struct ZoneRowChoice {
  int row = 0;                          ///< list position, 0..70
  bool daylightSaving = false;          ///< tick the box (the chart subtracts one more hour)
  std::int32_t chartOffsetSeconds = 0;  ///< the row's offset, plus 3600 when ticked
  std::int32_t errorSeconds = 0;        ///< database offset minus chartOffsetSeconds; 0 when exact
  [[nodiscard]] bool exact() const noexcept { return errorSeconds == 0; }
  friend bool operator==(const ZoneRowChoice&, const ZoneRowChoice&) = default;
};

/// The UT offset of list row `row` (local minus UT, seconds, east positive).
[[nodiscard]] std::int32_t RowOffsetSeconds(int row) noexcept;
/// The abbreviation of list row `row`, trimmed ("IST" of "Indian Time, IST, +5.3").
[[nodiscard]] std::string_view RowAbbreviation(int row) noexcept;
/// The name of list row `row`, trimmed ("Indian Time").
[[nodiscard]] std::string_view RowName(int row) noexcept;

/// The row and box whose offset equals `inForce`'s, else the nearest one.
/// Among equals: the row named by the database's abbreviation (EDT, BST,
/// IST), box clear; during daylight saving, the row of the standard time
/// (`standard`, e.g. CET for CEST) with the box ticked; then a standard-time
/// row with the box showing the database's daylight saving; then a
/// daylight-time row with the box clear; then list order.
[[nodiscard]] ZoneRowChoice ChooseZoneRow(const ZoneState& inForce,
                                          const std::optional<ZoneState>& standard);

using zodivane::FormatUtOffset;

/// The note shown beside the zone list, e.g. "Asia/Kolkata on 5 March 1980
/// at 10:30: IST, UT+5:30, no daylight saving". It gives both states of an
/// ambiguous or nonexistent clock time and which one the chart uses, and
/// when no row gives the exact offset, the nearest row and how far off it is.
[[nodiscard]] std::string ZoneNote(const ZoneAtMoment& moment, const ZoneRowChoice& choice);

/// The warning of a choice that is not exact: "No zone row gives UT+5:45:
/// the nearest is Indian Time (UT+5:30), so the chart is 15 minutes off";
/// empty when the choice is exact.
[[nodiscard]] std::string ZoneWarning(const ZoneAtMoment& moment, const ZoneRowChoice& choice);

/// The zone list's text for a place's own zone: "Asia/Kathmandu, UT+5:45,
/// from the birth place".
[[nodiscard]] std::string PlaceZoneLabel(const PlaceZone& zone);

/// The UT offset the form's zone gives: the row's (or the place entry's),
/// one hour more when the daylight-saving box is ticked; nullopt for a
/// position that is neither.
[[nodiscard]] std::optional<std::int32_t> FormOffsetSeconds(const FormEntries& entries);

/// "1 hour", "30 minutes", "1 hour 30 minutes", "19 minutes 32 seconds".
[[nodiscard]] std::string DescribeDuration(std::int32_t seconds);

/// When `formOffsetSeconds` is none of the offsets the database gives at the
/// clock reading: "The form gives UT+12:00; Sydney on 15 January 2000 at
/// 12:00 is UT+11:00 (AEDT): the chart would be 1 hour off". Empty when the
/// form agrees (with either reading of a repeated or skipped clock time).
[[nodiscard]] std::string ZoneMismatchWarning(const ZoneAtMoment& moment,
                                              std::string_view placeName,
                                              std::int32_t formOffsetSeconds);

/// When the clock reading was skipped or repeated at a change of the clocks
/// and the form's offset is one of its readings: which reading the chart
/// uses, with its offset. "New York on 7 November 2021 at 1:30: this clock
/// time happened twice, first EDT, UT-4:00, then EST, UT-5:00; the chart
/// uses the first, EDT, UT-4:00"; "... at 2:30: this clock time never
/// happened, the clocks jumped from EST, UT-5:00 to EDT, UT-4:00; the chart
/// reads it as EST, UT-5:00". Empty for a clock time that happened once, and
/// when the form gives neither reading (ZoneMismatchWarning says so).
[[nodiscard]] std::string ClockTimeWarning(const ZoneAtMoment& moment, std::string_view placeName,
                                           std::int32_t formOffsetSeconds);

/// Without a place to check against: a row that is itself a daylight,
/// summer or war time with the box ticked as well adds the hour twice.
/// "Eastern Daylight Time already includes daylight saving: with the box
/// ticked too the chart is cast at UT-3:00, two hours ahead of standard
/// time"; empty otherwise.
[[nodiscard]] std::string DoubleDaylightWarning(const FormEntries& entries);

/// What the finder proposes for a zone at a clock reading.
struct ZoneSuggestion {
  ZoneAtMoment moment;
  ZoneRowChoice choice;  ///< the nearest row and box; exact when a row gives the offset
  /// When no row gives the offset: the place's own zone, which the form
  /// selects as the entry after the rows, so that the chart is cast at the
  /// database's offset to the second.
  std::optional<PlaceZone> placeZone;
  std::string note;
  friend bool operator==(const ZoneSuggestion&, const ZoneSuggestion&) = default;
};

/// The zone's state at `local`, the row and box for it, and the note;
/// nullopt when the zone is unknown or the date does not exist.
[[nodiscard]] std::optional<ZoneSuggestion> SuggestZone(std::string_view zone,
                                                        const LocalDateTime& local);

}  // namespace zodivane::places
