// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/gazetteer.h"

#include <geonames.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <span>
#include <utility>

namespace zodivane::places {
namespace {

/// Owns a NULL-terminated string vector from GLib.
struct StrvDeleter {
  void operator()(gchar** strings) const noexcept { g_strfreev(strings); }
};
using Strv = std::unique_ptr<gchar*, StrvDeleter>;

/// Owns one city record of the gazetteer.
struct CityDeleter {
  void operator()(GeonamesCity* city) const noexcept { geonames_city_free(city); }
};
using CityHandle = std::unique_ptr<GeonamesCity, CityDeleter>;

std::string TextOrEmpty(const gchar* text) {
  return text == nullptr ? std::string() : text;
}

bool IsAscii(std::string_view text) noexcept {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

/// The forms a word is matched in: the word folded to lower case, then its
/// ASCII transliterations when it has other letters ("são", "sao").
std::vector<std::string> FormsOfWord(const std::string& folded) {
  std::vector<std::string> forms{folded};
  if (IsAscii(folded)) {
    return forms;
  }
  gchar** alternates = nullptr;
  const Strv tokens(g_str_tokenize_and_fold(folded.c_str(), nullptr, &alternates));
  const Strv owned(alternates);
  for (gchar** alternate = alternates; alternate != nullptr && *alternate != nullptr; ++alternate) {
    forms.emplace_back(*alternate);
  }
  return forms;
}

/// The words of `text` as GLib folds them for searching, each with its forms.
std::vector<std::vector<std::string>> WordsOf(std::string_view text) {
  const std::string copy(text);
  const Strv tokens(g_str_tokenize_and_fold(copy.c_str(), nullptr, nullptr));
  std::vector<std::vector<std::string>> words;
  for (gchar** token = tokens.get(); token != nullptr && *token != nullptr; ++token) {
    words.push_back(FormsOfWord(*token));
  }
  return words;
}

void AppendForms(std::vector<std::string>& out,
                 const std::vector<std::vector<std::string>>& words) {
  for (const auto& forms : words) {
    out.insert(out.end(), forms.begin(), forms.end());
  }
}

/// True when one of the forms of `queryWord` begins one of `words`.
bool BeginsAWord(const std::vector<std::string>& queryWord,
                 std::span<const std::string> words) noexcept {
  return std::any_of(queryWord.begin(), queryWord.end(), [&](const std::string& form) {
    return std::any_of(words.begin(), words.end(),
                       [&](const std::string& word) { return word.starts_with(form); });
  });
}

/// The query split at its commas: the name's words, then the narrowing
/// parts' words (blank parts dropped).
struct ParsedQuery {
  std::vector<std::vector<std::string>> nameWords;
  std::vector<std::vector<std::string>> regionWords;
};

ParsedQuery ParseQuery(std::string_view query) {
  ParsedQuery parsed;
  bool first = true;
  while (true) {
    const std::size_t comma = query.find(',');
    const std::string_view part = query.substr(0, comma);
    auto words = WordsOf(part);
    auto& target = first ? parsed.nameWords : parsed.regionWords;
    target.insert(target.end(), std::make_move_iterator(words.begin()),
                  std::make_move_iterator(words.end()));
    first = false;
    if (comma == std::string_view::npos) {
      break;
    }
    query.remove_prefix(comma + 1);
  }
  return parsed;
}

}  // namespace

Gazetteer::Gazetteer() {
  const gint count = geonames_get_n_cities();
  cities_.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (gint index = 0; index < count; ++index) {
    const CityHandle handle(geonames_get_city(index));
    if (!handle) {
      continue;
    }
    GeonamesCity* city = handle.get();
    City entry;
    entry.place.name = TextOrEmpty(geonames_city_get_name(city));
    entry.place.state = TextOrEmpty(geonames_city_get_state(city));
    entry.place.country = TextOrEmpty(geonames_city_get_country(city));
    entry.place.countryCode = TextOrEmpty(geonames_city_get_country_code(city));
    entry.place.zone = TextOrEmpty(geonames_city_get_timezone(city));
    entry.place.latitudeDeg = geonames_city_get_latitude(city);
    entry.place.longitudeDeg = geonames_city_get_longitude(city);
    entry.place.population = geonames_city_get_population(city);

    const auto nameWords = WordsOf(entry.place.name);
    entry.firstWordForms = nameWords.empty() ? 0 : nameWords.front().size();
    AppendForms(entry.nameWords, nameWords);
    AppendForms(entry.regionWords, WordsOf(entry.place.state));
    AppendForms(entry.regionWords, WordsOf(entry.place.country));
    AppendForms(entry.regionWords, WordsOf(entry.place.countryCode));
    cities_.push_back(std::move(entry));
  }
  std::stable_sort(cities_.begin(), cities_.end(), [](const City& a, const City& b) {
    return a.place.population > b.place.population;
  });
}

std::string PlaceLabel(const Place& place) {
  std::string label = place.name;
  for (const std::string* part : {&place.state, &place.country}) {
    if (!part->empty()) {
      label += ", " + *part;
    }
  }
  return label;
}

std::vector<Place> Gazetteer::Search(std::string_view query, std::size_t maxMatches) const {
  const ParsedQuery parsed = ParseQuery(query);
  std::vector<Place> matches;
  if (parsed.nameWords.empty() || maxMatches == 0) {
    return matches;
  }
  // Two lists in population order: names that begin with the query's first
  // word, and names that merely contain the query's words.
  std::vector<const City*> beginning;
  std::vector<const City*> others;
  for (const City& city : cities_) {
    if (beginning.size() >= maxMatches) {
      break;
    }
    const bool nameMatches =
        std::all_of(parsed.nameWords.begin(), parsed.nameWords.end(),
                    [&](const auto& word) { return BeginsAWord(word, city.nameWords); });
    if (!nameMatches ||
        !std::all_of(parsed.regionWords.begin(), parsed.regionWords.end(),
                     [&](const auto& word) { return BeginsAWord(word, city.regionWords); })) {
      continue;
    }
    const std::span<const std::string> firstWord(city.nameWords.data(), city.firstWordForms);
    if (BeginsAWord(parsed.nameWords.front(), firstWord)) {
      beginning.push_back(&city);
    } else if (others.size() < maxMatches) {
      others.push_back(&city);
    }
  }
  for (const auto* list : {&beginning, &others}) {
    for (const City* city : *list) {
      if (matches.size() < maxMatches) {
        matches.push_back(city->place);
      }
    }
  }
  return matches;
}

}  // namespace zodivane::places
