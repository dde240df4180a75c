// SPDX-License-Identifier: GPL-3.0-or-later
// A bad chart file's message as the window shows it: the field as the input
// form captions it, then the key for whoever edits the file by hand. The
// messages are the reader's own, from real bad files.
#include "chartfile/field_names.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include <nlohmann/json.hpp>

#include "chartfile/chart_file.h"
#include "chartfile/entry_keys.h"
#include "tests/support/sample_entries.h"

namespace zodivane::chartfile {
namespace {

std::string MessageOf(const std::string& key, const nlohmann::ordered_json& value) {
  auto object =
      nlohmann::ordered_json::parse(WriteChartFile(ChartFile{test::DelhiEntries(), {}, {}}));
  object[key] = value;
  auto read = ReadChartFile(object.dump());
  const auto* message = std::get_if<std::string>(&read);
  return message != nullptr ? InFieldNames(*message) : "(read as a chart)";
}

TEST(FieldNames, ABadFileSaysWhichFieldOfTheFormIsWrong) {
  struct Row {
    const char* key;
    nlohmann::ordered_json value;
    const char* shown;
  };
  const Row rows[] = {
      {"cmbTimeZoneIndex", 99,
       "Zone (key \"cmbTimeZoneIndex\") must be a position in the time-zone list, "
       "0 to 70, not 99"},
      {"cboHHText", "25",
       "Time of Birth, hour (key \"cboHHText\") must be an entry of the hour list, \"0\" to "
       "\"23\" without leading zeros, not \"25\""},
      {"txtLatD", 12, "Latitude, Deg (key \"txtLatD\") must be a string, not a number"},
      {"ephemeris", "moon",
       "The positions engine (key \"ephemeris\") must be \"builtin\" or \"swiss\", not \"moon\""},
      {"zodivane", 7,
       "the file is of format 7, written by a newer version of Zodivane; this version reads "
       "format 1"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.key);
    EXPECT_EQ(MessageOf(row.key, row.value), row.shown);
  }
}

TEST(FieldNames, EveryKeyOfTheEntriesHasItsCaption) {
  for (const InputKey& key : kInputKeys) {
    SCOPED_TRACE(std::string(key.key));
    EXPECT_TRUE(FieldName(key.key).has_value());
  }
  EXPECT_FALSE(FieldName("unknownKey").has_value());
  EXPECT_EQ(InFieldNames("key \"unknownKey\" is odd"), "key \"unknownKey\" is odd");
  EXPECT_EQ(InFieldNames("key \"txtName"), "key \"txtName");
}

}  // namespace
}  // namespace zodivane::chartfile
