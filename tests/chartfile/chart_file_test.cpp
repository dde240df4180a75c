// SPDX-License-Identifier: GPL-3.0-or-later
// Chart files: written and read back to the same entries and chart, keys of
// newer versions kept, every kind of bad file refused with what and where,
// and the file read as a line of zodivane-chart --json.
#include "chartfile/chart_file.h"

#include <gtest/gtest.h>

#include "chart/time_zones.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "chart/chart_driver.h"
#include "chartfile/entries_reader.h"
#include "tests/support/chart_files.h"
#include "tests/support/sample_entries.h"

namespace zodivane::chartfile {
namespace {

using OrderedJson = nlohmann::ordered_json;

ChartFile Read(const std::string& bytes) {
  auto read = ReadChartFile(bytes);
  if (const auto* message = std::get_if<std::string>(&read)) {
    ADD_FAILURE() << "refused: " << *message << "\n" << bytes;
    return {};
  }
  return std::get<ChartFile>(std::move(read));
}

std::string Message(const std::string& bytes) {
  auto read = ReadChartFile(bytes);
  const auto* message = std::get_if<std::string>(&read);
  return message != nullptr ? *message : "(read as a chart)";
}

/// A chart file of the Delhi entries with `key` set to `value` (JSON text).
std::string FileWith(const std::string& key, const std::string& value) {
  OrderedJson object = OrderedJson::parse(WriteChartFile(ChartFile{test::DelhiEntries(), {}, {}}));
  object[key] = OrderedJson::parse(value);
  return object.dump(2);
}

std::string FileWithout(const std::string& key) {
  OrderedJson object = OrderedJson::parse(WriteChartFile(ChartFile{test::DelhiEntries(), {}, {}}));
  object.erase(key);
  return object.dump(2);
}

TEST(ChartFile, EveryCastableFormStateSavesAndReopensToTheSameEntriesAndChart) {
  for (const auto& row : test::RoundTripEntries()) {
    SCOPED_TRACE(row.what);
    ChartSession before;
    const CastResult cast = before.CastChart(row.entries);
    ASSERT_TRUE(std::holds_alternative<ChartView>(cast)) << "the row must cast a chart";

    const std::string bytes = WriteChartFile(ChartFile{row.entries, {}, {}});
    const ChartFile reopened = Read(bytes);
    EXPECT_TRUE(reopened.entries == row.entries) << bytes;
    EXPECT_FALSE(reopened.place.has_value());

    ChartSession after;
    EXPECT_EQ(after.CastChart(reopened.entries), cast);
    EXPECT_EQ(after.chartInput(), before.chartInput());

    // Saved again unchanged, the bytes are the same.
    EXPECT_EQ(WriteChartFile(reopened), bytes);
  }
}

TEST(ChartFile, IsOneLineOfTheJsonProtocolOnceCompacted) {
  for (const auto& row : test::RoundTripEntries()) {
    SCOPED_TRACE(row.what);
    const std::string bytes = WriteChartFile(ChartFile{row.entries, {}, {}});
    const std::string line = OrderedJson::parse(bytes).dump();  // what `jq -c .` gives
    const EntriesOrError read = ParseEntriesLine(line);
    ASSERT_TRUE(std::holds_alternative<FormEntries>(read)) << std::get<std::string>(read);
    EXPECT_TRUE(std::get<FormEntries>(read) == row.entries);
  }
}

TEST(ChartFile, WritesTheMarkerFirstAndUtf8AsItIs) {
  FormEntries entries = test::DelhiEntries();
  entries.txtMCity = "Köln";
  const std::string bytes = WriteChartFile(ChartFile{entries, {}, {}});
  EXPECT_TRUE(bytes.starts_with("{\n  \"zodivane\": 1,\n  \"txtName\": \"ASHA\",\n")) << bytes;
  EXPECT_NE(bytes.find("\"txtMCity\": \"Köln\""), std::string::npos) << bytes;
  EXPECT_TRUE(bytes.ends_with("}\n"));
}

TEST(ChartFile, KeepsTheChosenPlace) {
  const ChosenPlace place{"São Paulo",         "São Paulo", "Brazil",
                          "America/Sao_Paulo", -23.5475,    -46.63611};
  const ChartFile file{test::DelhiEntries(), place, {}};
  const ChartFile reopened = Read(WriteChartFile(file));
  ASSERT_TRUE(reopened.place.has_value());
  EXPECT_EQ(*reopened.place, place);

  // Entries typed over after opening: saved without a place, the old one goes.
  ChartFile typedOver = reopened;
  typedOver.place.reset();
  const std::string bytes = WriteChartFile(typedOver);
  EXPECT_EQ(bytes.find(std::string(kPlaceKey)), std::string::npos) << bytes;
}

// The place's own zone (the zone list's entry after its rows) is kept, and
// a file holding it casts the same chart after reopening; a bad one is named.
TEST(ChartFile, KeepsThePlacesOwnZone) {
  FormEntries entries = test::DelhiEntries();
  entries.cmbTimeZoneIndex = kPlaceZoneIndex;
  entries.placeZone = PlaceZone{"Asia/Kathmandu", 20700, "+0545", false};
  const ChartFile reopened = Read(WriteChartFile(ChartFile{entries, {}, {}}));
  EXPECT_EQ(reopened.entries, entries);

  // Back on a row, the zone no longer goes into the file.
  ChartFile onARow = reopened;
  onARow.entries.cmbTimeZoneIndex = 34;
  const std::string bytes = WriteChartFile(onARow);
  EXPECT_EQ(bytes.find(std::string(kPlaceZoneKey)), std::string::npos) << bytes;

  OrderedJson bad = OrderedJson::parse(WriteChartFile(ChartFile{entries, {}, {}}));
  bad[std::string(kPlaceZoneKey)]["offset"] = 90000;
  const auto read = ReadChartFile(bad.dump());
  ASSERT_TRUE(std::holds_alternative<std::string>(read));
  EXPECT_EQ(std::get<std::string>(read),
            "key \"placeZone\" must hold \"offset\" in seconds, within a day");
  // Position 71 without the zone is outside the list, as always.
  bad.erase(std::string(kPlaceZoneKey));
  EXPECT_TRUE(std::holds_alternative<std::string>(ReadChartFile(bad.dump())));
}

// An offset is read whole as the number written: one past a day either
// way, or beyond 64 bits, never wraps into a day (2^64-1 was -1 second).
TEST(ChartFile, RefusesZoneOffsetsOutsideADayHoweverLarge) {
  FormEntries entries = test::DelhiEntries();
  entries.cmbTimeZoneIndex = kPlaceZoneIndex;
  entries.placeZone = PlaceZone{"Asia/Kathmandu", 20700, "+0545", false};
  const std::string file = WriteChartFile(ChartFile{entries, {}, {}});
  const std::string written = "\"offset\": 20700";
  ASSERT_NE(file.find(written), std::string::npos) << file;
  struct Case {
    std::string offset;
    std::optional<std::int32_t> read;  ///< none: refused
  };
  const std::vector<Case> cases = {
      {"18446744073709551615", std::nullopt},  // 2^64-1
      {"18446744073709465216", std::nullopt},  // 2^64-86400
      {"9223372036854775808", std::nullopt},   // 2^63
      {"-9223372036854775808", std::nullopt},
      {"4294967295", std::nullopt},
      {"86400", std::nullopt},
      {"-86400", std::nullopt},
      {"20700.5", std::nullopt},
      {"86399", 86399},
      {"-86399", -86399},
      {"0", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    std::string bytes = file;
    bytes.replace(bytes.find(written), written.size(), "\"offset\": " + c.offset);
    const auto read = ReadChartFile(bytes);
    if (!c.read) {
      ASSERT_TRUE(std::holds_alternative<std::string>(read));
      EXPECT_EQ(std::get<std::string>(read),
                "key \"placeZone\" must hold \"offset\" in seconds, within a day");
      continue;
    }
    ASSERT_TRUE(std::holds_alternative<ChartFile>(read));
    ASSERT_TRUE(std::get<ChartFile>(read).entries.placeZone.has_value());
    EXPECT_EQ(std::get<ChartFile>(read).entries.placeZone->utOffsetSeconds, *c.read);
  }
}

TEST(ChartFile, KeepsUnknownKeysInTheirPlacesWhenSavedAgain) {
  OrderedJson object = OrderedJson::parse(WriteChartFile(ChartFile{test::DelhiEntries(), {}, {}}));
  OrderedJson withExtras = OrderedJson::object();
  withExtras["notes"] = "met at the fair, 1999";
  for (const auto& [key, value] : object.items())
    withExtras[key] = value;
  withExtras["tags"] = OrderedJson{{"family", true}, {"ids", {1, 2.5, nullptr}}};

  ChartFile file = Read(withExtras.dump(4));
  file.entries.txtName = "RANI";
  file.entries.chkDST = true;
  const OrderedJson saved = OrderedJson::parse(WriteChartFile(file));

  EXPECT_EQ(saved.begin().key(), "notes");
  EXPECT_EQ(saved["notes"], withExtras["notes"]);
  EXPECT_EQ(saved["tags"], withExtras["tags"]);
  EXPECT_EQ(saved["txtName"], "RANI");
  EXPECT_EQ(saved["chkDST"], true);
  EXPECT_EQ(saved.size(), withExtras.size());
}

TEST(ChartFile, RefusesWhatIsNotAChartFileSayingWhatAndWhere) {
  struct Row {
    std::string what;
    std::string bytes;
    std::string message;
  };
  const std::vector<Row> rows{
      {"empty file", "",
       "the file is not valid JSON: parse error at line 1, column 1: syntax error while parsing "
       "value - unexpected end of input; expected '[', '{', or a literal"},
      {"bad JSON, with its line and column", "{\n  \"zodivane\": 1,\n  \"txtName\" \"ASHA\"\n}",
       "the file is not valid JSON: parse error at line 3, column 18: syntax error while parsing "
       "object separator - unexpected string literal; expected ':'"},
      {"not UTF-8", "{\n  \"txtName\": \"J\xf6rg\"\n}",
       "the file is not UTF-8 text (a bad byte at line 2, column 16)"},
      {"not an object", "[1, 2]", "the file must hold one JSON object, not [1,2]"},
      // Nested deep enough to overflow the stack of a recursive walk: refused
      // before anything walks it (brackets inside strings do not count).
      {"nesting 100000 levels deep", std::string(100000, '[') + std::string(100000, ']'),
       "the file nests arrays and objects deeper than 64 levels"},
      {"a value nested 65 levels deep",
       FileWith("notes", std::string(65, '[') + std::string(65, ']')),
       "the file nests arrays and objects deeper than 64 levels"},
      {"no marker", FileWithout("zodivane"),
       "the file has no \"zodivane\" format marker: it is not a Zodivane chart file"},
      {"a newer version", FileWith("zodivane", "2"),
       "the file is of format 2, written by a newer version of Zodivane; this version reads "
       "format 1"},
      {"a marker of the wrong type", FileWith("zodivane", "\"1\""),
       "key \"zodivane\" must be the format number 1, not \"1\""},
      {"a marker of no format", FileWith("zodivane", "0"),
       "key \"zodivane\" must be the format number 1, not 0"},
      {"a value of the wrong type", FileWith("chkDST", "\"yes\""),
       "key \"chkDST\" must be a boolean, not a string"},
      {"a text as a number", FileWith("txtLatD", "28"),
       "key \"txtLatD\" must be a string, not a number"},
      {"a list position out of range", FileWith("cboMonthIndex", "12"),
       "key \"cboMonthIndex\" must be a position in the month list, 0 to 11, not 12"},
      {"a zone row out of range", FileWith("cmbTimeZoneIndex", "-1"),
       "key \"cmbTimeZoneIndex\" must be a position in the time-zone list, 0 to 70, not -1"},
      {"a year beyond the list", FileWith("cboYearText", "\"2051\""),
       "key \"cboYearText\" must be an entry of the year list, \"1901\" to \"2050\" without "
       "leading zeros, not \"2051\""},
      {"more than a coordinate box holds", FileWith("txtLonD", "\"1234\""),
       "key \"txtLonD\" must hold at most 3 digits, as its box does, not \"1234\""},
      {"what no coordinate box takes", FileWith("txtLatM", "\"3x\""),
       "key \"txtLatM\" must hold at most 2 digits, as its box does, not \"3x\""},
      {"a missing entry", FileWithout("txtMCity"), "missing key \"txtMCity\""},
      {"a place of the wrong type", FileWith("chosenPlace", "\"Delhi\""),
       "key \"chosenPlace\" must be an object, not \"Delhi\""},
      {"a place without its zone",
       FileWith(
           "chosenPlace",
           R"({"name":"Delhi","state":"","country":"India","latitudeDeg":28.6,"longitudeDeg":77.2})"),
       "key \"chosenPlace\" must hold the text \"zone\""},
      {"a place off the globe",
       FileWith(
           "chosenPlace",
           R"({"name":"X","state":"","country":"Y","zone":"UTC","latitudeDeg":91,"longitudeDeg":0})"),
       "key \"chosenPlace\" must hold \"latitudeDeg\" from -90.0 to 90.0, not 91"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(Message(row.bytes), row.message);
  }
}

TEST(ChartFile, SuggestsAFileNameFromThePersonsName) {
  const std::vector<std::pair<std::string, std::string>> rows{
      {"ANNA LIND", "ANNA LIND.zchart"},
      {"  ASHA ", "ASHA.zchart"},
      {"", "chart.zchart"},
      {"   ", "chart.zchart"},
      {"../etc/passwd", "etcpasswd.zchart"},
      {"A/B\\C:D*E?", "ABCDE.zchart"},
      {"Zoë Ångström", "Zoë Ångström.zchart"},
      {"..", "chart.zchart"},
  };
  for (const auto& [name, file] : rows) {
    SCOPED_TRACE(name);
    EXPECT_EQ(SuggestedFileName(name), file);
  }
}

}  // namespace
}  // namespace zodivane::chartfile
