// SPDX-License-Identifier: GPL-3.0-or-later
// The offline gazetteer: the world's cities of 15,000 people or more (GeoNames
// data, CC BY 4.0), searched by name as the user types.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/birth_record.h"

namespace zodivane::places {

/// One city of the gazetteer. Texts are UTF-8, in English.
struct Place {
  std::string name;         ///< e.g. "New Delhi"
  std::string state;        ///< first-level division, e.g. "Texas"; may be empty
  std::string country;      ///< e.g. "United States of America"
  std::string countryCode;  ///< ISO 3166-1 alpha-2, e.g. "US"
  std::string zone;         ///< IANA zone name, e.g. "America/Chicago"
  double latitudeDeg = 0;   ///< geographic latitude in degrees, north positive, -90..90
  double longitudeDeg = 0;  ///< geographic longitude in degrees, EAST positive, -180..180
  std::uint32_t population = 0;
  friend bool operator==(const Place&, const Place&) = default;
};

/// `place` as the form keeps it once chosen.
[[nodiscard]] inline ChosenPlace ChosenPlaceOf(const Place& place) {
  return {place.name, place.state,       place.country,
          place.zone, place.latitudeDeg, place.longitudeDeg};
}

/// How a place is named to the user: "Springfield, Illinois, United States
/// of America", the state and the country left out when empty.
[[nodiscard]] std::string PlaceLabel(const Place& place);

/// How many matches a search gives unless told otherwise.
inline constexpr std::size_t kDefaultMatchCount = 10;

/// The longest query a place name can make: bytes and words.
inline constexpr std::size_t kLongestQueryBytes = 200;
inline constexpr std::size_t kMostQueryWords = 10;

/// Why `query` cannot name a place, e.g. "the place name is longer than 200
/// bytes"; nullopt when it can be searched. A place name is UTF-8 text of
/// letters, digits, spaces and . , ' ’ - ( ) only, at most kLongestQueryBytes
/// long and of at most kMostQueryWords words.
[[nodiscard]] std::optional<std::string> QueryProblem(std::string_view query);

/// The cities, read once and folded for searching. Searching is const and
/// may run on any thread once the object is built.
class Gazetteer {
 public:
  /// Reads every city of the gazetteer (about 24,000; a few tenths of a
  /// second: build it off the window's thread).
  Gazetteer();

  /// The best matches for `query`, at most `maxMatches`.
  ///
  /// The query is a name, optionally followed by comma-separated parts that
  /// narrow it by state or country ("Springfield, Illinois", "Paris, Texas",
  /// "London, Canada", "Paris, US"). Every word of a part must begin a word
  /// of the name (for the first part) or of the state, the country or the
  /// country code (for the others); case and accents are ignored, so "sao"
  /// finds "São Paulo" and "Zürich" finds "Zurich". A region may also be
  /// named by its common abbreviation: a US state's, a Canadian province's
  /// or an Australian state's postal code ("Paris, TX"), and "UK", "USA",
  /// "UAE" for their countries. Cities whose name is the query's name come
  /// first ("Aue" before Auerbach), then those whose name begins with it,
  /// then the others; within each, the most populous first. An empty name,
  /// or a query QueryProblem refuses, gives no matches.
  [[nodiscard]] std::vector<Place> Search(std::string_view query,
                                          std::size_t maxMatches = kDefaultMatchCount) const;

  /// Search, and whether more cities match than `maxMatches`.
  struct Matches {
    std::vector<Place> places;
    bool more = false;
    /// How many of the places bear the query's name whole (they come first).
    std::size_t wholeName = 0;
  };
  [[nodiscard]] Matches SearchWithMore(std::string_view query,
                                       std::size_t maxMatches = kDefaultMatchCount) const;

  /// Number of cities read.
  [[nodiscard]] std::size_t size() const noexcept { return cities_.size(); }

 private:
  struct City {
    Place place;
    std::vector<std::string> nameWords;    ///< folded words of the name and their ASCII forms
    std::size_t firstWordForms = 0;        ///< how many of nameWords are forms of its first word
    std::vector<std::string> wholeNames;   ///< the folded name's words joined by spaces, each form
    std::vector<std::string> regionWords;  ///< of the state, the country and the country code
  };
  std::vector<City> cities_;  ///< most populous first
};

}  // namespace zodivane::places
