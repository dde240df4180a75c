// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart's JSON text: the string escaping and the fast line reader,
// each held against nlohmann's own dump and parser, whose bytes and
// messages the answers have always had.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "chartfile/entries_reader.h"
#include "common/json_escape.h"
#include "tests/cli/entries_json.h"

namespace zodivane::chart_tool {
namespace {

using Json = nlohmann::json;
using chartfile::EntriesOrError;
using chartfile::EntriesReader;
using chartfile::ReadEntriesWithNlohmann;

std::string NlohmannDump(const std::string& text) {
  return Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string Escaped(const std::string& text) {
  std::string out;
  AppendJsonString(out, text);
  return out;
}

TEST(JsonEscaping, MatchesNlohmannForEveryKindOfCharacter) {
  const std::vector<std::string> rows{
      "",
      "plain ASCII",
      "quote \" backslash \\ slash /",
      std::string("\x00\x01\x07\b\t\n\v\f\r\x1f\x20\x7f", 12),
      "Z\u00fcrich \u0152 \u20ac \U0001F600 \uFFFF \U0010FFFF",
      "\xff",                  // a byte that starts nothing
      "\x80\xbf",              // stray continuation bytes
      "\xc0\xaf",              // overlong slash
      "\xe0\x80\x80",          // overlong three-byte form
      "\xed\xa0\x80",          // a surrogate half
      "\xf4\x90\x80\x80",      // above U+10FFFF
      "\xf5\x80",              // no such lead byte
      "a\xe2\x82",             // cut off at the end
      "\xe2\x82z",             // cut off by an ASCII byte
      "\xf0\x9f\x98",          // four-byte form cut off
      "\xe2\x82\xe2\x82\xac",  // cut off, then whole
      "\xc3\x28 \xa0\xa1 \xe2\x28\xa1 \xf0\x28\x8c\xbc",
  };
  for (const std::string& row : rows) {
    SCOPED_TRACE(NlohmannDump(row));
    EXPECT_EQ(Escaped(row), NlohmannDump(row));
  }
}

// One byte that matters at every place of a long plain run, where the
// escaping looks at many bytes at once.
TEST(JsonEscaping, FindsOneSpecialByteAnywhereInALongRun) {
  for (const std::string special : {"\"", "\\", "\x1f", "\x7f", "\x80", "\xc3\xa9", "\xe2\x82"}) {
    for (std::size_t at = 0; at <= 40; ++at) {
      std::string text(40, 'a');
      text.insert(at, special);
      SCOPED_TRACE(NlohmannDump(text));
      EXPECT_EQ(Escaped(text), NlohmannDump(text));
    }
  }
}

// Random bytes weighted towards the ones that start, continue or break a
// character, escaped whole and in random pieces.
TEST(JsonEscaping, MatchesNlohmannOnRandomBytesInAnyPieces) {
  std::mt19937 random(20261210);
  const std::string alphabet(
      "\x00\x1f\"\\a\x7f\x80\x8f\x90\x9f\xa0\xbf\xc0\xc1\xc2\xdf\xe0\xe1\xed"
      "\xee\xef\xf0\xf1\xf4\xf5\xff",
      26);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    // Runs of plain letters between the bytes that matter, so that words
    // of eight plain bytes and their edges come up too.
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i)
      text += random() % 3 == 0 ? alphabet[random() % alphabet.size()]
                                : static_cast<char>('a' + random() % 26);
    const std::string expected = NlohmannDump(text);
    ASSERT_EQ(Escaped(text), expected) << "round " << round;

    std::string pieces;
    JsonStringWriter writer(pieces);
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t size = std::min<std::size_t>(random() % 4, text.size() - at);
      writer.Append(std::string_view(text).substr(at, size));
      at += size;
    }
    writer.Finish();
    ASSERT_EQ(pieces, expected) << "round " << round;
  }
}

std::string Describe(const EntriesOrError& result) {
  if (const auto* message = std::get_if<std::string>(&result))
    return "error: " + *message;
  const FormEntries& e = std::get<FormEntries>(result);
  return e.txtName + "|" + e.txtLonD + "|" + e.txtLonM + "|" + e.txtLatD + "|" + e.txtLatM + "|" +
         e.txtMCity + "|" + e.txtMState + "|" + e.txtMCountry + "|" +
         std::to_string(e.cboMonthIndex) + "|" + std::to_string(e.cboDateIndex) + "|" +
         std::to_string(e.cmbTimeZoneIndex) + "|" + e.cboDateText + "|" + e.cboYearText + "|" +
         e.cboHHText + "|" + e.cboMMText + "|" + std::to_string(e.optEast) +
         std::to_string(e.optSouth) + std::to_string(e.chkDST);
}

/// A valid line (its keys in alphabetical order).
const std::string kValid = test::EntriesJson(test::AnnaInDelhi()).dump();

/// kValid with the value of `key` written as `raw`.
std::string WithRaw(const std::string& key, const std::string& raw) {
  std::string line = kValid;
  const std::size_t at = line.find("\"" + key + "\":") + key.size() + 3;
  const std::size_t end = line.find_first_of(",}", at);
  return line.replace(at, end - at, raw);
}

// Lines where the two parsers could part: numbers of every kind, literals,
// escapes, repeated keys, white space, trailing text, nesting.
TEST(EntriesReader, ReadsEveryLineAsNlohmannDoes) {
  std::vector<std::string> lines{
      kValid,
      kValid + "\r",
      " \t" + kValid + " ",
      kValid + " x",
      kValid + "}",
      kValid + " {}",
      "\xef\xbb\xbf" + kValid,
      kValid.substr(0, kValid.size() - 1) + R"(,"x":[1,{"y":[null,true,"\u00e9"]}]})",
      kValid.substr(0, kValid.size() - 1) + R"(,"x":[1,{"y":[nul]}]})",
      kValid.substr(0, kValid.size() - 1) + R"(,"x":1e309})",
      kValid.substr(0, kValid.size() - 1) + R"(,"x":01})",
      kValid.substr(0, kValid.size() - 1) + R"(,"x":"\q"})",
      kValid.substr(0, kValid.size() - 1) + R"(,"cboMonthIndex":7})",
      kValid.substr(0, kValid.size() - 1) + R"(,"cboMonthIndex":"7"})",
      kValid.substr(0, kValid.size() - 1) + ",}",
      "{\"txtName\" \"ANNA\"}",
      "[" + kValid + "]",
      "{}",
      "42",
  };
  for (const char* raw : {"-0",
                          "0",
                          "-1",
                          "1.0",
                          "1e2",
                          "1E+2",
                          "-0.0",
                          "11",
                          "12",
                          "1e-400",
                          "9223372036854775807",
                          "9223372036854775808",
                          "18446744073709551615",
                          "18446744073709551616",
                          "-9223372036854775808",
                          "-9223372036854775809",
                          "123456789012345678901234567890",
                          "1e309",
                          "-",
                          "+1",
                          ".5",
                          "1.",
                          "01",
                          "true",
                          "false",
                          "null",
                          "nul",
                          "truex",
                          "[]",
                          "{}",
                          "[1,2",
                          "\"2\"",
                          "\"\\u0032\""}) {
    lines.push_back(WithRaw("cboMonthIndex", raw));
    lines.push_back(WithRaw("txtName", raw));
    lines.push_back(WithRaw("optEast", raw));
  }
  for (const char* raw :
       {R"("A\"B")", R"("\u0041NNA")", R"("\ud83d\ude00")", R"("\ud83d")", R"("\udc00")",
        R"("\u0000")", R"("a\/b")", "\"a\tb\"", "\"a\x01\"", R"("\u00e9")", "\"\xc3\xa9\"",
        R"("A" , "txtName":"BOB")", R"("A","txtName":7)"}) {
    lines.push_back(WithRaw("txtName", raw));
    lines.push_back(WithRaw("txtMCity", raw));
  }
  lines.push_back(R"({"txt\u004eame":"ANNE",)" + kValid.substr(1));
  lines.push_back(WithRaw("cboHHText", R"("07")"));
  lines.push_back(WithRaw("cboDateText", R"("\u0035")"));

  EntriesReader reader;
  for (const std::string& line : lines) {
    SCOPED_TRACE(line);
    EXPECT_EQ(Describe(reader.Read(line)), Describe(ReadEntriesWithNlohmann(line)));
  }
}

}  // namespace
}  // namespace zodivane::chart_tool
