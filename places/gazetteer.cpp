// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/gazetteer.h"

#include <geonames.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
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

/// Common abbreviations of regions, as folded words: (country code, state
/// as the gazetteer names it, abbreviation). A state row gives its postal
/// code; a row without a state gives the country's.
struct RegionAbbreviation {
  std::string_view countryCode;
  std::string_view state;  ///< empty for the country itself
  std::string_view abbreviation;
};

constexpr auto kRegionAbbreviations = std::to_array<RegionAbbreviation>({
    {"US", "Alabama", "al"},
    {"US", "Alaska", "ak"},
    {"US", "Arizona", "az"},
    {"US", "Arkansas", "ar"},
    {"US", "California", "ca"},
    {"US", "Colorado", "co"},
    {"US", "Connecticut", "ct"},
    {"US", "Delaware", "de"},
    {"US", "District of Columbia", "dc"},
    {"US", "Florida", "fl"},
    {"US", "Georgia", "ga"},
    {"US", "Hawaii", "hi"},
    {"US", "Idaho", "id"},
    {"US", "Illinois", "il"},
    {"US", "Indiana", "in"},
    {"US", "Iowa", "ia"},
    {"US", "Kansas", "ks"},
    {"US", "Kentucky", "ky"},
    {"US", "Louisiana", "la"},
    {"US", "State of Maine", "me"},
    {"US", "Maryland", "md"},
    {"US", "Massachusetts", "ma"},
    {"US", "Michigan", "mi"},
    {"US", "Minnesota", "mn"},
    {"US", "Mississippi", "ms"},
    {"US", "Missouri", "mo"},
    {"US", "Montana", "mt"},
    {"US", "Nebraska", "ne"},
    {"US", "Nevada", "nv"},
    {"US", "New Hampshire", "nh"},
    {"US", "New Jersey", "nj"},
    {"US", "New Mexico", "nm"},
    {"US", "New York", "ny"},
    {"US", "North Carolina", "nc"},
    {"US", "North Dakota", "nd"},
    {"US", "Ohio", "oh"},
    {"US", "Oklahoma", "ok"},
    {"US", "Oregon", "or"},
    {"US", "Pennsylvania", "pa"},
    {"US", "Rhode Island", "ri"},
    {"US", "South Carolina", "sc"},
    {"US", "South Dakota", "sd"},
    {"US", "Tennessee", "tn"},
    {"US", "Texas", "tx"},
    {"US", "Utah", "ut"},
    {"US", "Vermont", "vt"},
    {"US", "Virginia", "va"},
    {"US", "Washington", "wa"},
    {"US", "West Virginia", "wv"},
    {"US", "Wisconsin", "wi"},
    {"US", "State of Wyoming", "wy"},
    {"CA", "Alberta", "ab"},
    {"CA", "British Columbia", "bc"},
    {"CA", "Manitoba", "mb"},
    {"CA", "New Brunswick", "nb"},
    {"CA", "Newfoundland and Labrador", "nl"},
    {"CA", "Nova Scotia", "ns"},
    {"CA", "Ontario", "on"},
    {"CA", "Prince Edward Island", "pe"},
    {"CA", "Quebec", "qc"},
    {"CA", "Saskatchewan", "sk"},
    {"CA", "Northwest Territories", "nt"},
    {"CA", "Yukon Territory", "yt"},
    {"AU", "New South Wales", "nsw"},
    {"AU", "Victoria", "vic"},
    {"AU", "Queensland", "qld"},
    {"AU", "South Australia", "sa"},
    {"AU", "Western Australia", "wa"},
    {"AU", "Tasmania", "tas"},
    {"AU", "Northern Territory", "nt"},
    {"AU", "Australian Capital Territory", "act"},
    {"GB", "", "uk"},
    {"US", "", "usa"},
    {"AE", "", "uae"},
});
static_assert(kRegionAbbreviations.size() == 74);  // 51 US, 12 Canadian, 8 Australian, 3 countries

/// The abbreviations that name a city's state or country.
void AppendAbbreviations(std::vector<std::string>& out, const Place& place) {
  for (const RegionAbbreviation& row : kRegionAbbreviations) {
    if (row.countryCode == place.countryCode && (row.state.empty() || row.state == place.state)) {
      out.emplace_back(row.abbreviation);
    }
  }
}

/// Every way the words of a name join into one key: the folded words, and
/// their ASCII forms, each joined by single spaces.
std::vector<std::string> WholeNames(const std::vector<std::vector<std::string>>& words) {
  std::string folded;
  std::string ascii;
  for (const auto& forms : words) {
    folded += (folded.empty() ? "" : " ") + forms.front();
    ascii += (ascii.empty() ? "" : " ") + forms.back();
  }
  if (folded == ascii) {
    return {folded};
  }
  return {folded, ascii};
}

/// Decodes one UTF-8 character at `at`; false for an invalid sequence.
bool NextCharacter(std::string_view text, std::size_t& at, gunichar& character) {
  const gchar* start = text.data() + at;
  const gchar* end = text.data() + text.size();
  character = g_utf8_get_char_validated(start, end - start);
  if (character == static_cast<gunichar>(-1) || character == static_cast<gunichar>(-2)) {
    return false;
  }
  at = static_cast<std::size_t>(g_utf8_next_char(start) - text.data());
  return true;
}

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
    entry.wholeNames = WholeNames(nameWords);
    AppendForms(entry.regionWords, WordsOf(entry.place.state));
    AppendForms(entry.regionWords, WordsOf(entry.place.country));
    AppendForms(entry.regionWords, WordsOf(entry.place.countryCode));
    AppendAbbreviations(entry.regionWords, entry.place);
    cities_.push_back(std::move(entry));
  }
  std::stable_sort(cities_.begin(), cities_.end(), [](const City& a, const City& b) {
    return a.place.population > b.place.population;
  });
}

std::optional<std::string> QueryProblem(std::string_view query) {
  if (query.size() > kLongestQueryBytes) {
    return "the place name is longer than " + std::to_string(kLongestQueryBytes) + " bytes";
  }
  std::size_t words = 0;
  bool inWord = false;
  for (std::size_t at = 0; at < query.size();) {
    if (query[at] == '\0') {
      return std::string("the place name holds a NUL byte");
    }
    gunichar character = 0;
    if (!NextCharacter(query, at, character)) {
      return std::string("the place name is not valid UTF-8 text");
    }
    const bool allowed = g_unichar_isalnum(character) || g_unichar_ismark(character) ||
                         character == ' ' || character == '.' || character == ',' ||
                         character == '\'' || character == 0x2019 || character == '-' ||
                         character == '(' || character == ')';
    if (!allowed) {
      std::array<gchar, 8> bytes{};
      const gint length = g_unichar_to_utf8(character, bytes.data());
      const bool printable = g_unichar_isprint(character);
      return "the place name holds " +
             (printable ? "\"" + std::string(bytes.data(), static_cast<std::size_t>(length)) + "\""
                        : std::string("a control character")) +
             ", which no place name has";
    }
    const bool separator = character == ' ' || character == ',';
    if (!separator && !inWord && ++words > kMostQueryWords) {
      return "the place name has more than " + std::to_string(kMostQueryWords) + " words";
    }
    inWord = !separator;
  }
  return std::nullopt;
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
  return SearchWithMore(query, maxMatches).places;
}

Gazetteer::Matches Gazetteer::SearchWithMore(std::string_view query, std::size_t maxMatches) const {
  Matches result;
  if (maxMatches == 0 || QueryProblem(query)) {
    return result;
  }
  const ParsedQuery parsed = ParseQuery(query);
  if (parsed.nameWords.empty()) {
    return result;
  }
  const std::vector<std::string> wholeQuery = WholeNames(parsed.nameWords);
  // Three lists in population order: the name itself, names that begin with
  // the query's first word, and names that merely contain the query's words;
  // each kept to one more than is shown, to tell whether more match.
  const std::size_t keep = maxMatches + 1;
  std::vector<const City*> exact;
  std::vector<const City*> beginning;
  std::vector<const City*> others;
  for (const City& city : cities_) {
    if (exact.size() >= keep) {
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
    const bool isTheName = std::any_of(wholeQuery.begin(), wholeQuery.end(), [&](const auto& key) {
      return std::find(city.wholeNames.begin(), city.wholeNames.end(), key) !=
             city.wholeNames.end();
    });
    const std::span<const std::string> firstWord(city.nameWords.data(), city.firstWordForms);
    if (isTheName) {
      exact.push_back(&city);
    } else if (BeginsAWord(parsed.nameWords.front(), firstWord)) {
      if (beginning.size() < keep) {
        beginning.push_back(&city);
      }
    } else if (others.size() < keep) {
      others.push_back(&city);
    }
  }
  std::size_t found = 0;
  for (const auto* list : {&exact, &beginning, &others}) {
    for (const City* city : *list) {
      if (result.places.size() < maxMatches) {
        result.places.push_back(city->place);
      }
      ++found;
    }
  }
  result.more = found > maxMatches;
  result.wholeName = std::min(exact.size(), result.places.size());
  return result;
}

}  // namespace zodivane::places
