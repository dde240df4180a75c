// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart's place finder: --place, --find-place and the JSON key
// "place" fill the place, the coordinates, the zone row and the daylight-
// saving box from the gazetteer and the zone database.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "chartfile/entries_reader.h"
#include "common/birth_record.h"
#include "places/gazetteer.h"
#include "places/zone_rows.h"

namespace zodivane::chart_tool {

/// The gazetteer of one run, read at the first lookup (a few tenths of a
/// second) and then shared by every thread.
class PlaceBook {
 public:
  [[nodiscard]] const places::Gazetteer& gazetteer();

 private:
  std::once_flag once_;
  std::unique_ptr<places::Gazetteer> gazetteer_;
};

/// The message for a query without matches: no place matches "Atlantis".
[[nodiscard]] std::string NoPlaceMessage(std::string_view query);

/// A name the finder does not pick a place for unless a place bears it
/// whole: a single word of fewer characters than this.
inline constexpr std::size_t kShortestPickedName = 4;

/// Whether the name part of `query` (before its first comma) is one word of
/// fewer than kShortestPickedName characters ("x", "Rio").
[[nodiscard]] bool IsShortPlaceName(std::string_view query);

/// The best match for `query`; the no-match message; or, for a short name
/// (IsShortPlaceName) that several places begin and none bears whole, the
/// message that it is ambiguous.
[[nodiscard]] std::variant<places::Place, std::string> FindPlace(PlaceBook& book,
                                                                 std::string_view query);

/// What the finder chose for one chart.
struct PlaceChoice {
  places::Place place;
  /// The zone at the entered date and time; none when the zone database
  /// cannot answer (it then fills nothing of the zone).
  std::optional<places::ZoneSuggestion> zone;
};

/// The form entries the finder can fill, by their JSON keys.
enum class PlaceField {
  City,
  State,
  Country,
  LonDegrees,
  LonMinutes,
  East,
  LatDegrees,
  LatMinutes,
  South,
  ZoneRow,
  Dst
};

/// Writes the chosen place and zone into the fields of `entries` named in
/// `fields` (the fields the user left out); the others stay as given.
void FillFromPlace(const PlaceChoice& choice, const std::set<PlaceField>& fields,
                   FormEntries& entries);

/// Looks up the place for entries whose date and time are read: the best
/// match and its zone at that clock reading.
[[nodiscard]] PlaceChoice ChoosePlace(const places::Place& place, const FormEntries& entries);

/// What a JSON line naming a place asks of the finder: the query, and
/// which of the entries it fills the line left out.
struct PlaceRequest {
  std::string query;
  std::set<PlaceField> leftOut;
};

/// The entry keys of the fields the finder fills: a line naming a place
/// may leave them out.
[[nodiscard]] std::span<const std::string_view> PlaceFieldKeys() noexcept;

/// The request of a line that `reader` parsed, from the line's "place"
/// value: the error text when that is not a string.
[[nodiscard]] std::variant<PlaceRequest, std::string> ReadPlaceRequest(
    const chartfile::LineValue& place, const chartfile::EntriesReader& reader);

/// Gives the left-out fields of `entries` the placeholders they have until
/// the finder fills them: "0" for a text, the default zone row, unticked.
void SetPlaceholders(const std::set<PlaceField>& leftOut, FormEntries& entries);

/// The warning when the zone of the cast entries (row or place entry and
/// box) gives another offset than the database for the chosen place at the
/// entered clock time; empty when they agree.
[[nodiscard]] std::string ZoneCheckWarning(const PlaceChoice& choice, const FormEntries& entries);

/// The warning every record of the chart carries: ZoneCheckWarning, else,
/// for a clock time that was skipped or repeated, which reading the chart
/// uses (places::ClockTimeWarning); empty when neither applies.
[[nodiscard]] std::string ChartWarning(const PlaceChoice& choice, const FormEntries& entries);

/// Appends the answer member ,"zone":{...}: the IANA name, the offset in
/// seconds, daylight saving, the abbreviation, how the clock time happened,
/// the other state of an ambiguous or nonexistent time, the list position
/// and box the finder chose (71: the place's own zone after the rows), the
/// offset the chart was cast with (`chartOffset`, from the cast `entries`),
/// the warning when that differs from the database, and the note; null when
/// the zone database could not answer.
void AppendZoneMember(std::string& out, const PlaceChoice& choice, const FormEntries& entries);

/// The text output's lines about the place and zone: "Place: ...",
/// "Zone: <note>" and, when the cast entries disagree with the database or
/// the clock time was skipped or repeated, "Warning: ..." (ChartWarning).
[[nodiscard]] std::string PlaceNoteText(const PlaceChoice& choice, const FormEntries& entries);

/// One line per match for --find-place: name, state, country, the
/// coordinates as --lat and --lon take them (rounded to the minute), the
/// zone and the population.
[[nodiscard]] std::string PlaceListText(const std::vector<places::Place>& matches);

/// "28N39" / "77E14": a coordinate rounded to the minute as --lat/--lon take it.
[[nodiscard]] std::string CoordinateFlag(double angleDeg, bool latitude);

}  // namespace zodivane::chart_tool
