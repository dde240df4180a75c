// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart's place finder: --place, --find-place and the JSON key
// "place" fill the place, the coordinates, the zone row and the daylight-
// saving box from the gazetteer and the zone database.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

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

/// The best match for `query`, or the no-match message.
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

/// A JSON line that names a place: the line with every left-out key the
/// finder fills set to a placeholder (so that it reads as a full line),
/// the query, and which keys were left out.
struct PlaceLine {
  std::string query;
  std::string line;
  std::set<PlaceField> leftOut;
};

/// Reads the "place" key of a JSON line: nullopt when the line has none
/// (it is answered as it is), the error text when the key is not a text.
/// Never throws.
[[nodiscard]] std::optional<std::variant<PlaceLine, std::string>> ReadPlaceLine(
    std::string_view line);

/// The warning when the zone of the cast entries (row or place entry and
/// box) gives another offset than the database for the chosen place at the
/// entered clock time; empty when they agree.
[[nodiscard]] std::string ZoneCheckWarning(const PlaceChoice& choice, const FormEntries& entries);

/// Adds ,"zone":{...} to the answer object that ends `answer` (an object
/// and a line feed): the IANA name, the offset in seconds, daylight saving,
/// the abbreviation, how the clock time happened, the other state of an
/// ambiguous or nonexistent time, the list position and box the finder
/// chose (71: the place's own zone after the rows), the offset the chart
/// was cast with (`chartOffset`, from the cast `entries`), the warning when
/// that differs from the database, and the note; null when the zone
/// database could not answer.
void AppendZoneToAnswer(std::string& answer, const PlaceChoice& choice, const FormEntries& entries);

/// The text output's lines about the place and zone: "Place: ...",
/// "Zone: <note>" and, when the cast entries disagree with the database,
/// "Warning: ...".
[[nodiscard]] std::string PlaceNoteText(const PlaceChoice& choice, const FormEntries& entries);

/// One line per match for --find-place: name, state, country, the
/// coordinates as --lat and --lon take them (rounded to the minute), the
/// zone and the population.
[[nodiscard]] std::string PlaceListText(const std::vector<places::Place>& matches);

/// "28N39" / "77E14": a coordinate rounded to the minute as --lat/--lon take it.
[[nodiscard]] std::string CoordinateFlag(double angleDeg, bool latitude);

}  // namespace zodivane::chart_tool
