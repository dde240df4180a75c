// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/zodivane_chart/place_lookup.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <type_traits>

#include "chart/time_zones.h"
#include "chartfile/entry_keys.h"
#include "chartfile/json_depth.h"
#include "common/form_rules.h"
#include "common/json_escape.h"
#include "common/text_helpers.h"
#include "places/place_entries.h"

namespace zodivane::chart_tool {
namespace {

using chartfile::EntryKey;
using chartfile::InputKey;

/// A field the finder fills and its entry key.
struct FieldRow {
  PlaceField field;
  const InputKey& entry;
};

constexpr auto kFieldRows = std::to_array<FieldRow>({
    {PlaceField::City, EntryKey("txtMCity")},
    {PlaceField::State, EntryKey("txtMState")},
    {PlaceField::Country, EntryKey("txtMCountry")},
    {PlaceField::LonDegrees, EntryKey("txtLonD")},
    {PlaceField::LonMinutes, EntryKey("txtLonM")},
    {PlaceField::East, EntryKey("optEast")},
    {PlaceField::LatDegrees, EntryKey("txtLatD")},
    {PlaceField::LatMinutes, EntryKey("txtLatM")},
    {PlaceField::South, EntryKey("optSouth")},
    {PlaceField::ZoneRow, EntryKey("cmbTimeZoneIndex")},
    {PlaceField::Dst, EntryKey("chkDST")},
});
static_assert(kFieldRows.size() == 11);

std::string_view ClockTimeName(places::ClockTime clockTime) noexcept {
  switch (clockTime) {
    case places::ClockTime::Ambiguous:
      return "ambiguous";
    case places::ClockTime::Nonexistent:
      return "nonexistent";
    case places::ClockTime::Unique:
      break;
  }
  return "unique";
}

/// The entry keys of kFieldRows, in its order.
constexpr auto kFieldKeys = [] {
  std::array<std::string_view, kFieldRows.size()> keys{};
  for (std::size_t i = 0; i < kFieldRows.size(); ++i)
    keys[i] = kFieldRows[i].entry.key;
  return keys;
}();

void AppendNumber(std::string& out, std::int32_t number) {
  std::array<char, 12> digits{};
  const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
  out.append(digits.data(), end);
}

void AppendBool(std::string& out, bool value) {
  out += value ? "true" : "false";
}

/// {"offset":...,"dst":...,"abbreviation":...}
void AppendState(std::string& out, const places::ZoneState& state) {
  out += "{\"offset\":";
  AppendNumber(out, state.utOffsetSeconds);
  out += ",\"dst\":";
  AppendBool(out, state.daylightSaving);
  out += ",\"abbreviation\":";
  AppendJsonString(out, state.abbreviation);
  out += '}';
}

}  // namespace

const places::Gazetteer& PlaceBook::gazetteer() {
  std::call_once(once_, [this] { gazetteer_ = std::make_unique<places::Gazetteer>(); });
  return *gazetteer_;
}

std::string NoPlaceMessage(std::string_view query) {
  return "no place matches " + Quoted(query);
}

bool IsShortPlaceName(std::string_view query) {
  const std::string_view name = query.substr(0, query.find(','));
  const std::size_t first = name.find_first_not_of(' ');
  if (first == std::string_view::npos)
    return false;
  const std::string_view word = name.substr(first, name.find_last_not_of(' ') + 1 - first);
  if (word.find(' ') != std::string_view::npos)
    return false;
  std::size_t characters = 0;
  for (std::size_t at = 0; at < word.size(); at += DecodeUtf8(word, at).length)
    ++characters;
  return characters < kShortestPickedName;
}

std::variant<places::Place, std::string> FindPlace(PlaceBook& book, std::string_view query) {
  places::Gazetteer::Matches matches = book.gazetteer().SearchWithMore(query, 1);
  if (matches.places.empty()) {
    return NoPlaceMessage(query);
  }
  // A letter or a short word begins the names of many places: the first of
  // them is no answer unless it bears that name whole.
  if (matches.wholeName == 0 && matches.more && IsShortPlaceName(query)) {
    return "the place name " + Quoted(query) +
           " is ambiguous: it begins the names of several places and is none's whole name; "
           "give more of the name (--find-place lists the matches)";
  }
  return std::move(matches.places.front());
}

PlaceChoice ChoosePlace(const places::Place& place, const FormEntries& entries) {
  PlaceChoice choice{place, std::nullopt};
  if (const auto local = places::LocalDateTimeOf(entries)) {
    choice.zone = places::SuggestZone(place.zone, *local);
  }
  return choice;
}

void FillFromPlace(const PlaceChoice& choice, const std::set<PlaceField>& fields,
                   FormEntries& entries) {
  FormEntries filled = entries;
  places::FillPlace(choice.place, filled);
  if (choice.zone) {
    places::FillZone(*choice.zone, filled);
  }
  if (fields.contains(PlaceField::ZoneRow)) {
    entries.placeZone = filled.placeZone;
  }
  for (const FieldRow& row : kFieldRows) {
    if (!fields.contains(row.field)) {
      continue;
    }
    std::visit([&](auto member) { entries.*member = filled.*member; }, row.entry.field);
  }
}

std::span<const std::string_view> PlaceFieldKeys() noexcept {
  return kFieldKeys;
}

std::variant<PlaceRequest, std::string> ReadPlaceRequest(const chartfile::LineValue& place,
                                                         const chartfile::EntriesReader& reader) {
  if (place.kind != chartfile::LineValue::Kind::String) {
    const std::string value = place.kind == chartfile::LineValue::Kind::Boolean
                                  ? std::string(place.boolean ? "true" : "false")
                                  : EchoCut(place.text);
    return "key \"place\" must be a string (a place name, e.g. \"Delhi\"), not " + value;
  }
  PlaceRequest request;
  request.query = place.text;
  for (const FieldRow& row : kFieldRows) {
    if (!reader.Holds(row.entry.key))
      request.leftOut.insert(row.field);
  }
  return request;
}

void SetPlaceholders(const std::set<PlaceField>& leftOut, FormEntries& entries) {
  for (const FieldRow& row : kFieldRows) {
    if (!leftOut.contains(row.field))
      continue;
    std::visit(
        [&](auto member) {
          using Field = std::remove_reference_t<decltype(entries.*member)>;
          if constexpr (std::is_same_v<Field, std::string>)
            entries.*member = "0";
          else if constexpr (std::is_same_v<Field, int>)
            entries.*member = kDefaultTimeZone;
          else
            entries.*member = false;
        },
        row.entry.field);
  }
}

std::string ZoneCheckWarning(const PlaceChoice& choice, const FormEntries& entries) {
  const std::optional<std::int32_t> formOffset = places::FormOffsetSeconds(entries);
  if (!choice.zone || !formOffset) {
    return {};
  }
  return places::ZoneMismatchWarning(choice.zone->moment, choice.place.name, *formOffset);
}

std::string ChartWarning(const PlaceChoice& choice, const FormEntries& entries) {
  std::string warning = ZoneCheckWarning(choice, entries);
  const std::optional<std::int32_t> formOffset = places::FormOffsetSeconds(entries);
  if (warning.empty() && choice.zone && formOffset) {
    warning = places::ClockTimeWarning(choice.zone->moment, choice.place.name, *formOffset);
  }
  return warning;
}

void AppendZoneMember(std::string& out, const PlaceChoice& choice, const FormEntries& entries) {
  out += ",\"zone\":";
  if (!choice.zone) {
    out += "null";
    return;
  }
  const places::ZoneSuggestion& suggestion = *choice.zone;
  out += "{\"name\":";
  AppendJsonString(out, suggestion.moment.zone);
  out += ",\"offset\":";
  AppendNumber(out, suggestion.moment.first.utOffsetSeconds);
  out += ",\"dst\":";
  AppendBool(out, suggestion.moment.first.daylightSaving);
  out += ",\"abbreviation\":";
  AppendJsonString(out, suggestion.moment.first.abbreviation);
  out += ",\"clockTime\":";
  AppendJsonString(out, ClockTimeName(suggestion.moment.clockTime));
  out += ",\"other\":";
  if (suggestion.moment.second)
    AppendState(out, *suggestion.moment.second);
  else
    out += "null";
  out += ",\"row\":";
  AppendNumber(out, suggestion.placeZone ? kPlaceZoneIndex : suggestion.choice.row);
  out += ",\"chkDST\":";
  AppendBool(out, suggestion.placeZone ? false : suggestion.choice.daylightSaving);
  out += ",\"chartOffset\":";
  if (const std::optional<std::int32_t> used = places::FormOffsetSeconds(entries))
    AppendNumber(out, *used);
  else
    out += "null";
  out += ",\"warning\":";
  if (const std::string warning = ZoneCheckWarning(choice, entries); !warning.empty())
    AppendJsonString(out, warning);
  else
    out += "null";
  out += ",\"note\":";
  AppendJsonString(out, suggestion.note);
  out += '}';
}

std::string PlaceNoteText(const PlaceChoice& choice, const FormEntries& entries) {
  std::string text = Padded("Place:", 16) + places::PlaceLabel(choice.place);
  text += "\n" + Padded("Zone:", 16);
  text += choice.zone ? choice.zone->note
                      : choice.place.zone + ": the zone database has no answer for this date";
  if (const std::string warning = ChartWarning(choice, entries); !warning.empty()) {
    text += "\n" + Padded("Warning:", 16) + warning;
  }
  return text + "\n";
}

std::string CoordinateFlag(double angleDeg, bool latitude) {
  const places::DegreesMinutes angle = places::ToNearestMinute(
      angleDeg, latitude ? kLargestLatitudeDegrees : kLargestLongitudeDegrees);
  const char hemisphere = latitude ? (angle.negative ? 'S' : 'N') : (angle.negative ? 'W' : 'E');
  return std::to_string(angle.degrees) + hemisphere + std::to_string(angle.minutes);
}

std::string PlaceListText(const std::vector<places::Place>& matches) {
  std::string text;
  for (const places::Place& place : matches) {
    text += places::PlaceLabel(place) + "  " + CoordinateFlag(place.latitudeDeg, true) + " " +
            CoordinateFlag(place.longitudeDeg, false) + "  " + place.zone + "  population " +
            std::to_string(place.population) + "\n";
  }
  return text;
}

}  // namespace zodivane::chart_tool
