// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/gazetteer.h"

#include <geonames.h>
#include <gtest/gtest.h>

#include <optional>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/shared_gazetteer.h"

namespace zodivane::places {
namespace {

using GazetteerTest = zodivane::test::SharedGazetteerTest;

TEST_F(GazetteerTest, ReadsEveryCity) {
  EXPECT_EQ(gazetteer().size(), 24361u);
}

// The first match of typical queries, narrowed ones included. Coordinates
// are the GeoNames values, compared to 1e-4 degrees.
TEST_F(GazetteerTest, FirstMatchIsTheIntendedCity) {
  struct Case {
    const char* query;
    const char* name;
    const char* state;
    const char* country;
    const char* zone;
    double latitudeDeg;
    double longitudeDeg;
  };
  const std::vector<Case> cases = {
      {"Delhi", "Delhi", "National Capital Territory of Delhi", "India", "Asia/Kolkata", 28.6519,
       77.2315},
      {"new york", "New York", "New York", "United States of America", "America/New_York", 40.7143,
       -74.0060},
      // Most populous of the Springfields.
      {"Springfield", "Springfield", "Missouri", "United States of America", "America/Chicago",
       37.2153, -93.2982},
      {"Springfield, Illinois", "Springfield", "Illinois", "United States of America",
       "America/Chicago", 39.8017, -89.6437},
      {"Springfield, ill", "Springfield", "Illinois", "United States of America", "America/Chicago",
       39.8017, -89.6437},
      {"Paris", "Paris", "Île-de-France Region", "France", "Europe/Paris", 48.8534, 2.3488},
      {"Paris, Texas", "Paris", "Texas", "United States of America", "America/Chicago", 33.6609,
       -95.5555},
      {"Paris, US", "Paris", "Texas", "United States of America", "America/Chicago", 33.6609,
       -95.5555},
      {"London, Canada", "London", "Ontario", "Canada", "America/Toronto", 42.9834, -81.2330},
      {"Sydney", "Sydney", "New South Wales", "Australia", "Australia/Sydney", -33.8678, 151.2073},
      // Accents are ignored in the names and in the query.
      {"sao paulo", "São Paulo", "São Paulo", "Brazil", "America/Sao_Paulo", -23.5475, -46.6361},
      {"São Paulo", "São Paulo", "São Paulo", "Brazil", "America/Sao_Paulo", -23.5475, -46.6361},
      {"Zürich", "Zurich", "Canton of Zurich", "Switzerland", "Europe/Zurich", 47.3667, 8.5500},
      // A name that begins with the query comes before a more populous one
      // that only contains it.
      {"York", "York", "England", "United Kingdom", "Europe/London", 53.9576, -1.0827},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    const std::vector<Place> matches = gazetteer().Search(c.query);
    ASSERT_FALSE(matches.empty());
    const Place& place = matches.front();
    EXPECT_EQ(place.name, c.name);
    EXPECT_EQ(place.state, c.state);
    EXPECT_EQ(place.country, c.country);
    EXPECT_EQ(place.zone, c.zone);
    EXPECT_NEAR(place.latitudeDeg, c.latitudeDeg, 1e-4);
    EXPECT_NEAR(place.longitudeDeg, c.longitudeDeg, 1e-4);
  }
}

// Queries that must find nothing: unknown names, blanks, a narrowing part
// without a name, and a narrowing that excludes every city of the name.
TEST_F(GazetteerTest, QueriesWithoutMatchesGiveNone) {
  for (const char* query : {"Xyzzyville", "", "   ", ", Texas", "Paris, Japan", "york new zz"}) {
    SCOPED_TRACE(query);
    EXPECT_TRUE(gazetteer().Search(query).empty());
  }
}

// Matches whose name is the query come first, then those whose names begin
// with it, each group most populous first, and the count is held to the limit.
TEST_F(GazetteerTest, OrdersBeginningNamesFirstThenByPopulation) {
  for (const char* query : {"s", "Springfield", "york", "san", "new"}) {
    SCOPED_TRACE(query);
    const std::vector<Place> matches = gazetteer().Search(query, 25);
    ASSERT_FALSE(matches.empty());
    EXPECT_LE(matches.size(), 25u);
    std::string prefix(query);
    std::transform(prefix.begin(), prefix.end(), prefix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    auto rank = [&](const Place& place) {
      std::string name = place.name;
      std::transform(name.begin(), name.end(), name.begin(),
                     [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
      return std::make_tuple(name == prefix             ? 0
                             : name.starts_with(prefix) ? 1
                                                        : 2,
                             -static_cast<long>(place.population));
    };
    EXPECT_TRUE(std::is_sorted(matches.begin(), matches.end(),
                               [&](const Place& a, const Place& b) { return rank(a) < rank(b); }));
  }
  EXPECT_EQ(gazetteer().Search("s", 7).size(), 7u);
  EXPECT_TRUE(gazetteer().Search("s", 0).empty());
}

// The place that was named: an exact name before a more populous one that
// merely begins with it, and regions named by their common abbreviations.
// Expected places read from the gazetteer itself (--find-place of the
// plain name lists each of them).
TEST_F(GazetteerTest, FindsThePlaceThatWasNamed) {
  struct Case {
    const char* query;
    const char* name;
    const char* state;
  };
  const std::vector<Case> cases = {
      {"Aue, Saxony", "Aue", "Saxony"},
      {"Kerman, Iran", "Kerman", "Kerman"},
      {"Spring", "Spring", "Texas"},
      {"Paris, TX", "Paris", "Texas"},
      {"Springfield, MO", "Springfield", "Missouri"},
      {"Portland, ME", "Portland", "State of Maine"},
      {"London, ON", "London", "Ontario"},
      {"Perth, WA", "Perth", "Western Australia"},
      {"Manchester, UK", "Manchester", "England"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    const std::vector<Place> matches = gazetteer().Search(c.query);
    ASSERT_FALSE(matches.empty());
    EXPECT_EQ(matches.front().name, c.name);
    EXPECT_EQ(matches.front().state, c.state);
  }
}

// A query no place name can be is refused at once, and matches nothing: too
// long, too many words, a NUL, bytes that are not UTF-8, or signs no name has.
TEST_F(GazetteerTest, RefusesQueriesNoPlaceNameCanBe) {
  struct Case {
    std::string query;
    const char* problem;
  };
  const std::vector<Case> cases = {
      {std::string(201, 'a'), "the place name is longer than 200 bytes"},
      {"a b c d e f g h i j k", "the place name has more than 10 words"},
      {std::string("Del\0hi", 6), "the place name holds a NUL byte"},
      {"S\xc3", "the place name is not valid UTF-8 text"},
      {"(a+)+$", "the place name holds \"+\", which no place name has"},
      {"Delhi\x1b[2J", "the place name holds a control character, which no place name has"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.problem);
    EXPECT_EQ(QueryProblem(c.query), std::optional<std::string>(c.problem));
    EXPECT_TRUE(gazetteer().Search(c.query).empty());
  }
  for (const char* fine : {"St. John's", "Frankfurt (Oder)", "Saint-Denis", "São Paulo",
                           "a b c d e f g h i j", "Springfield, Illinois"}) {
    SCOPED_TRACE(fine);
    EXPECT_FALSE(QueryProblem(fine));
  }
}

// The search says when more places match than it gives.
TEST_F(GazetteerTest, SaysWhenMoreMatch) {
  EXPECT_TRUE(gazetteer().SearchWithMore("Springfield", 3).more);
  const Gazetteer::Matches delhi = gazetteer().SearchWithMore("New Delhi");
  ASSERT_FALSE(delhi.places.empty());
  EXPECT_FALSE(delhi.more);
}

// A narrowing part keeps only cities whose state, country or country code
// has words beginning with it.
TEST_F(GazetteerTest, NarrowingKeepsOnlyThatRegion) {
  struct Case {
    const char* query;
    const char* state;    // every match's state, or nullptr
    const char* country;  // every match's country code, or nullptr
  };
  const std::vector<Case> cases = {
      {"Springfield, Illinois", "Illinois", "US"}, {"Paris, Texas", "Texas", "US"},
      {"London, Canada", nullptr, "CA"},           {"San, Brazil", nullptr, "BR"},
      {"San, Mexico, Jalisco", "Jalisco", "MX"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    const std::vector<Place> matches = gazetteer().Search(c.query, 1000);
    ASSERT_FALSE(matches.empty());
    for (const Place& place : matches) {
      if (c.state != nullptr) {
        EXPECT_EQ(place.state, c.state) << place.name;
      }
      if (c.country != nullptr) {
        EXPECT_EQ(place.countryCode, c.country) << place.name;
      }
    }
  }
}

// The finder keeps its own folded index so that a keystroke answers fast;
// it must find at least every city the library's own search finds. The
// library answers with indices; cities are compared by name, state and zone.
TEST_F(GazetteerTest, FindsEveryCityTheLibrarysOwnSearchFinds) {
  for (const char* query : {"Paris", "Springfield", "New York", "ne yo", "sao", "São Paulo",
                            "London", "San Jose", "St. Louis", "ham", "o'fallon", "Frankfurt am"}) {
    SCOPED_TRACE(query);
    guint length = 0;
    gint* indices =
        geonames_query_cities_sync(query, GEONAMES_QUERY_DEFAULT, &length, nullptr, nullptr);
    std::set<std::tuple<std::string, std::string, std::string>> expected;
    for (guint i = 0; i < length; ++i) {
      GeonamesCity* city = geonames_get_city(indices[i]);
      expected.emplace(geonames_city_get_name(city), geonames_city_get_state(city),
                       geonames_city_get_timezone(city));
      geonames_city_free(city);
    }
    g_free(indices);
    ASSERT_FALSE(expected.empty());

    std::set<std::tuple<std::string, std::string, std::string>> found;
    for (const Place& place : gazetteer().Search(query, 100000)) {
      found.emplace(place.name, place.state, place.zone);
    }
    for (const auto& city : expected) {
      EXPECT_TRUE(found.contains(city)) << std::get<0>(city) << ", " << std::get<1>(city);
    }
  }
}

}  // namespace
}  // namespace zodivane::places
