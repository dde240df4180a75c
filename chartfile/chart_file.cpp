// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/chart_file.h"

#include <array>
#include <cstdint>
#include <optional>
#include <tuple>
#include <utility>

#include <nlohmann/json.hpp>

#include "aspects/aspect_settings_text.h"
#include "chart/birth_data.h"
#include "chart/time_zones.h"
#include "chartfile/entries_reader.h"
#include "chartfile/entry_keys.h"
#include "chartfile/json_depth.h"
#include "common/form_rules.h"
#include "common/text_helpers.h"
#include "common/utf8.h"

namespace zodivane::chartfile {
namespace {

// Keys keep their order when a file is read and written again.
using Json = nlohmann::ordered_json;

/// Line and column (both from 1, the column in bytes) of byte `at`.
std::string LineAndColumn(std::string_view text, std::size_t at) {
  std::size_t line = 1;
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < at && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++line;
      lineStart = i + 1;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(at - lineStart + 1);
}

/// A value as a message names it: its JSON text, cut when long.
std::string Shown(const Json& value) {
  std::string text = value.dump(-1, ' ', false, Json::error_handler_t::replace);
  constexpr std::size_t kMostShown = 40;
  if (text.size() > kMostShown) {
    std::size_t end = kMostShown;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
      --end;
    text = text.substr(0, end) + "...";
  }
  return text;
}

/// The format marker's number, or the message about it.
std::variant<std::uint64_t, std::string> FormatOf(const Json& object) {
  const auto marker = object.find(std::string(kFormatKey));
  if (marker == object.end()) {
    return "the file has no " + Quoted(kFormatKey) +
           " format marker: it is not a Zodivane chart file";
  }
  if (!marker->is_number_unsigned() || marker->get<std::uint64_t>() == 0) {
    return "key " + Quoted(kFormatKey) + " must be the format number " +
           std::to_string(kFormatVersion) + ", not " + Shown(*marker);
  }
  return marker->get<std::uint64_t>();
}

/// The chosen place under kPlaceKey, or the message about it.
std::variant<ChosenPlace, std::string> PlaceOf(const Json& value) {
  const std::string where = "key " + Quoted(kPlaceKey);
  if (!value.is_object())
    return where + " must be an object, not " + Shown(value);
  ChosenPlace place;
  const auto texts = std::to_array<std::pair<std::string_view, std::string ChosenPlace::*>>({
      {"name", &ChosenPlace::name},
      {"state", &ChosenPlace::state},
      {"country", &ChosenPlace::country},
      {"zone", &ChosenPlace::zone},
  });
  for (const auto& [key, field] : texts) {
    const auto found = value.find(std::string(key));
    if (found == value.end() || !found->is_string())
      return where + " must hold the text " + Quoted(key);
    place.*field = found->get<std::string>();
  }
  const auto angles = std::to_array<std::tuple<std::string_view, double ChosenPlace::*, double>>({
      {"latitudeDeg", &ChosenPlace::latitudeDeg, 90.0},
      {"longitudeDeg", &ChosenPlace::longitudeDeg, 180.0},
  });
  for (const auto& [key, field, most] : angles) {
    const auto found = value.find(std::string(key));
    if (found == value.end() || !found->is_number())
      return where + " must hold the number " + Quoted(key);
    const double angle = found->get<double>();
    if (!(angle >= -most && angle <= most)) {
      return where + " must hold " + Quoted(key) + " from -" + Shown(Json(most)) + " to " +
             Shown(Json(most)) + ", not " + Shown(*found);
    }
    place.*field = angle;
  }
  return place;
}

/// The place's own zone of a file: {"zone", "offset" (seconds east of UT,
/// within a day), "abbreviation", "dst"}.
std::variant<PlaceZone, std::string> PlaceZoneOf(const Json& value) {
  const std::string key(kPlaceZoneKey);
  if (!value.is_object())
    return "key " + Quoted(key) + " must be an object, not " + Shown(value);
  PlaceZone zone;
  for (const auto& [name, field] :
       std::to_array<std::pair<std::string_view, std::string PlaceZone::*>>(
           {{"zone", &PlaceZone::zone}, {"abbreviation", &PlaceZone::abbreviation}})) {
    const auto found = value.find(std::string(name));
    if (found == value.end() || !found->is_string())
      return "key " + Quoted(key) + " must hold the text " + Quoted(name);
    zone.*field = found->get<std::string>();
  }
  constexpr std::int64_t kSecondsPerDay = 86400;
  // A number without a sign is read as unsigned, whole: 2^64-1 must not wrap
  // to -1 second.
  const auto offset = value.find("offset");
  const bool withinADay =
      offset != value.end() &&
      (offset->is_number_unsigned()
           ? offset->get<std::uint64_t>() < static_cast<std::uint64_t>(kSecondsPerDay)
           : offset->is_number_integer() && offset->get<std::int64_t>() > -kSecondsPerDay &&
                 offset->get<std::int64_t>() < kSecondsPerDay);
  if (!withinADay)
    return "key " + Quoted(key) + " must hold \"offset\" in seconds, within a day";
  zone.utOffsetSeconds = static_cast<std::int32_t>(offset->get<std::int64_t>());
  const auto dst = value.find("dst");
  if (dst == value.end() || !dst->is_boolean())
    return "key " + Quoted(key) + " must hold \"dst\" as true or false";
  zone.daylightSaving = dst->get<bool>();
  return zone;
}

/// The coordinate boxes hold digits only, at most their lengths: a file
/// holding what no box can show was not saved from the form.
std::optional<std::string> CheckBoxTexts(const FormEntries& entries) {
  const auto boxes = std::to_array<std::tuple<std::string_view, const std::string*, std::size_t>>({
      {"txtLonD", &entries.txtLonD, kLonDegreesMaxLength},
      {"txtLonM", &entries.txtLonM, kCoordinateMaxLength},
      {"txtLatD", &entries.txtLatD, kCoordinateMaxLength},
      {"txtLatM", &entries.txtLatM, kCoordinateMaxLength},
  });
  for (const auto& [key, text, maxLength] : boxes) {
    if (text->size() > maxLength || (!text->empty() && !AllDigits(*text))) {
      return "key " + Quoted(key) + " must hold at most " + std::to_string(maxLength) +
             " digits, as its box does, not " + Shown(Json(*text));
    }
  }
  return std::nullopt;
}

}  // namespace

std::variant<ChartFile, std::string> ReadChartFile(std::string_view bytes) {
  if (const auto bad = FirstInvalidUtf8(bytes))
    return "the file is not UTF-8 text (a bad byte at " + LineAndColumn(bytes, *bad) + ")";
  // Refused before parsing: the parser copes, but a value nested this deep
  // would overflow the stack of everything that walks it afterwards.
  if (NestsDeeperThan(bytes, kMostJsonNesting))
    return "the file " + TooDeepMessage();
  Json object;
  try {
    object = Json::parse(bytes);
  } catch (const Json::parse_error& error) {
    // nlohmann says where: "syntax error while parsing ... at line 3, column 5: ..."
    std::string_view what = error.what();
    if (const auto tag = what.find("] "); tag != std::string_view::npos)
      what.remove_prefix(tag + 2);
    return "the file is not valid JSON: " + std::string(what);
  } catch (const Json::exception&) {
    return "the file holds a number too large for a double";
  }
  if (!object.is_object())
    return "the file must hold one JSON object, not " + Shown(object);
  const auto format = FormatOf(object);
  if (const auto* message = std::get_if<std::string>(&format))
    return *message;
  if (const auto version = std::get<std::uint64_t>(format); version > kFormatVersion) {
    return "the file is of format " + std::to_string(version) +
           ", written by a newer version of Zodivane; this version reads format " +
           std::to_string(kFormatVersion);
  }

  // The place's own zone, the zone list's entry after its rows, is a chart
  // file's alone: the rows go through the line reader, the entry is read here.
  std::optional<PlaceZone> placeZone;
  const auto zoneKey = std::string(EntryKey("cmbTimeZoneIndex").key);
  if (const auto zone = object.find(std::string(kPlaceZoneKey)); zone != object.end()) {
    auto read = PlaceZoneOf(*zone);
    if (auto* message = std::get_if<std::string>(&read))
      return std::move(*message);
    placeZone = std::get<PlaceZone>(std::move(read));
  }
  const bool placeZoneChosen = placeZone && object.contains(zoneKey) &&
                               object[zoneKey].is_number_unsigned() &&
                               object[zoneKey].get<std::uint64_t>() == kPlaceZoneIndex;
  if (placeZoneChosen)
    object[zoneKey] = kDefaultTimeZone;  // read as a row; the entry is put back below

  // The entries through the reader of zodivane-chart's JSON lines: the
  // same keys, the same checks, the same messages.
  EntriesOrError entries = EntriesFromObject(object);
  if (auto* message = std::get_if<std::string>(&entries))
    return std::move(*message);

  ChartFile file;
  file.entries = std::get<FormEntries>(std::move(entries));
  if (placeZoneChosen) {
    object[zoneKey] = kPlaceZoneIndex;
    file.entries.cmbTimeZoneIndex = kPlaceZoneIndex;
    file.entries.placeZone = std::move(placeZone);
  }
  if (auto message = CheckBoxTexts(file.entries))
    return *std::move(message);
  if (const auto place = object.find(std::string(kPlaceKey)); place != object.end()) {
    auto read = PlaceOf(*place);
    if (auto* message = std::get_if<std::string>(&read))
      return std::move(*message);
    file.place = std::get<ChosenPlace>(std::move(read));
  }
  if (const auto engine = object.find(std::string(kEphemerisKey)); engine != object.end()) {
    file.ephemeris = engine->is_string() ? EphemerisFromName(engine->get_ref<const std::string&>())
                                         : std::nullopt;
    if (!file.ephemeris)
      return "key " + Quoted(kEphemerisKey) + " must be \"builtin\" or \"swiss\", not " +
             Shown(*engine);
  }
  if (const auto aspects = object.find(std::string(kAspectSettingsKey)); aspects != object.end()) {
    file.aspectSettings = aspects->is_string()
                              ? AspectSettingsFromText(aspects->get_ref<const std::string&>())
                              : std::nullopt;
    if (!file.aspectSettings)
      return "key " + Quoted(kAspectSettingsKey) +
             " must name each aspect once with its orb, as \"square=7;-quincunx=3;...;"
             "outOfSign=yes\", not " +
             Shown(*aspects);
  }
  file.original = object.dump();
  return file;
}

std::string WriteChartFile(const ChartFile& file) {
  Json object = Json::object();
  if (!file.original.empty()) {
    Json original = Json::parse(file.original, nullptr, false);
    if (original.is_object())
      object = std::move(original);
  }
  object[std::string(kFormatKey)] = kFormatVersion;
  for (const InputKey& entry : kInputKeys) {
    std::visit([&](auto field) { object[std::string(entry.key)] = file.entries.*field; },
               entry.field);
  }
  if (file.entries.cmbTimeZoneIndex == kPlaceZoneIndex && file.entries.placeZone) {
    const PlaceZone& zone = *file.entries.placeZone;
    object[std::string(kPlaceZoneKey)] = Json{
        {"zone", zone.zone},
        {"offset", zone.utOffsetSeconds},
        {"abbreviation", zone.abbreviation},
        {"dst", zone.daylightSaving},
    };
  } else {
    object.erase(std::string(kPlaceZoneKey));
  }
  if (file.place) {
    const ChosenPlace& place = *file.place;
    object[std::string(kPlaceKey)] = Json{
        {"name", place.name},
        {"state", place.state},
        {"country", place.country},
        {"zone", place.zone},
        {"latitudeDeg", place.latitudeDeg},
        {"longitudeDeg", place.longitudeDeg},
    };
  } else {
    object.erase(std::string(kPlaceKey));
  }
  if (file.ephemeris && *file.ephemeris != Ephemeris::BuiltIn)
    object[std::string(kEphemerisKey)] = std::string(EphemerisName(*file.ephemeris));
  else
    object.erase(std::string(kEphemerisKey));
  if (file.aspectSettings && *file.aspectSettings != DefaultAspectSettings())
    object[std::string(kAspectSettingsKey)] = AspectSettingsText(*file.aspectSettings);
  else
    object.erase(std::string(kAspectSettingsKey));
  return object.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

std::string SuggestedFileName(std::string_view name) {
  return FileNameStem(name) + std::string(kExtension);
}

}  // namespace zodivane::chartfile
