// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/zodivane_chart/place_lookup.h"

#include <array>
#include <exception>

#include <nlohmann/json.hpp>

#include "chart/time_zones.h"
#include "chartfile/entry_keys.h"
#include "chartfile/json_depth.h"
#include "common/text_helpers.h"
#include "places/place_entries.h"

namespace zodivane::chart_tool {
namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

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

OrderedJson StateJson(const places::ZoneState& state) {
  OrderedJson json;
  json["offset"] = state.utOffsetSeconds;
  json["dst"] = state.daylightSaving;
  json["abbreviation"] = state.abbreviation;
  return json;
}

}  // namespace

const places::Gazetteer& PlaceBook::gazetteer() {
  std::call_once(once_, [this] { gazetteer_ = std::make_unique<places::Gazetteer>(); });
  return *gazetteer_;
}

std::string NoPlaceMessage(std::string_view query) {
  return "no place matches " + Quoted(query);
}

std::variant<places::Place, std::string> FindPlace(PlaceBook& book, std::string_view query) {
  std::vector<places::Place> matches = book.gazetteer().Search(query, 1);
  if (matches.empty()) {
    return NoPlaceMessage(query);
  }
  return std::move(matches.front());
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

std::optional<std::variant<PlaceLine, std::string>> ReadPlaceLine(std::string_view line) {
  if (line.find("\"place\"") == std::string_view::npos) {
    return std::nullopt;
  }
  if (chartfile::NestsDeeperThan(line, chartfile::kMostJsonNesting)) {
    return std::nullopt;  // refused by the ordinary reader, before anything walks it
  }
  Json object;
  try {
    object = Json::parse(line);
  } catch (const std::exception&) {
    return std::nullopt;  // answered by the ordinary reader with its message
  }
  if (!object.is_object() || !object.contains("place")) {
    return std::nullopt;
  }
  const Json& place = object.at("place");
  if (!place.is_string()) {
    return std::variant<PlaceLine, std::string>(
        "key \"place\" must be a string (a place name, e.g. \"Delhi\"), not " + place.dump());
  }
  PlaceLine read;
  read.query = place.get<std::string>();
  for (const FieldRow& row : kFieldRows) {
    const std::string key(row.entry.key);
    if (object.contains(key)) {
      continue;
    }
    read.leftOut.insert(row.field);
    if (std::holds_alternative<std::string FormEntries::*>(row.entry.field)) {
      object[key] = "0";
    } else if (std::holds_alternative<int FormEntries::*>(row.entry.field)) {
      object[key] = kDefaultTimeZone;
    } else {
      object[key] = false;
    }
  }
  read.line = object.dump(-1, ' ', false, Json::error_handler_t::replace);
  return std::variant<PlaceLine, std::string>(std::move(read));
}

std::string ZoneCheckWarning(const PlaceChoice& choice, const FormEntries& entries) {
  const std::optional<std::int32_t> formOffset = places::FormOffsetSeconds(entries);
  if (!choice.zone || !formOffset) {
    return {};
  }
  return places::ZoneMismatchWarning(choice.zone->moment, choice.place.name, *formOffset);
}

void AppendZoneToAnswer(std::string& answer, const PlaceChoice& choice,
                        const FormEntries& entries) {
  const std::size_t close = answer.rfind('}');
  if (close == std::string::npos) {
    return;
  }
  OrderedJson zone = nullptr;
  if (choice.zone) {
    const places::ZoneSuggestion& suggestion = *choice.zone;
    const std::string warning = ZoneCheckWarning(choice, entries);
    const std::optional<std::int32_t> used = places::FormOffsetSeconds(entries);
    zone = OrderedJson::object();
    zone["name"] = suggestion.moment.zone;
    zone["offset"] = suggestion.moment.first.utOffsetSeconds;
    zone["dst"] = suggestion.moment.first.daylightSaving;
    zone["abbreviation"] = suggestion.moment.first.abbreviation;
    zone["clockTime"] = ClockTimeName(suggestion.moment.clockTime);
    zone["other"] =
        suggestion.moment.second ? StateJson(*suggestion.moment.second) : OrderedJson(nullptr);
    zone["row"] = suggestion.placeZone ? kPlaceZoneIndex : suggestion.choice.row;
    zone["chkDST"] = suggestion.placeZone ? false : suggestion.choice.daylightSaving;
    zone["chartOffset"] = used ? OrderedJson(*used) : OrderedJson(nullptr);
    zone["warning"] = warning.empty() ? OrderedJson(nullptr) : OrderedJson(warning);
    zone["note"] = suggestion.note;
  }
  answer.insert(close, ",\"zone\":" + zone.dump(-1, ' ', false, Json::error_handler_t::replace));
}

std::string PlaceNoteText(const PlaceChoice& choice, const FormEntries& entries) {
  std::string text = Padded("Place:", 16) + places::PlaceLabel(choice.place);
  text += "\n" + Padded("Zone:", 16);
  text += choice.zone ? choice.zone->note
                      : choice.place.zone + ": the zone database has no answer for this date";
  if (const std::string warning = ZoneCheckWarning(choice, entries); !warning.empty()) {
    text += "\n" + Padded("Warning:", 16) + warning;
  }
  return text + "\n";
}

std::string CoordinateFlag(double angleDeg, bool latitude) {
  const places::DegreesMinutes angle = places::ToNearestMinute(angleDeg, latitude ? 89 : 179);
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
