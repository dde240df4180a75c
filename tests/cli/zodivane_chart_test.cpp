// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-chart: the JSON-lines protocol and the form for people, driven
// through the same functions main calls, with string streams.
#include "tests/cli/entries_json.h"
#include "tests/support/tool_runs.h"
#include "tools/zodivane_chart/arguments.h"
#include "tools/zodivane_chart/chart_text.h"
#include "tools/zodivane_chart/json_protocol.h"
#include "tools/zodivane_chart/tool.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace zodivane::chart_tool {
namespace {

using Json = nlohmann::json;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// ---------------------------------------------------------------------------
// JSON lines

/// Entries of a valid form: Delhi, 5 March 1980, 7:05 Indian Time.
FormEntries DelhiFormEntries() {
  return test::AnnaInDelhi();
}

/// The same entries as a line of the JSON protocol.
Json DelhiEntries() {
  return test::EntriesJson(test::AnnaInDelhi());
}

struct JsonRun {
  std::string text;                ///< everything written
  std::vector<std::string> lines;  ///< the output lines, without line breaks
  int status = -1;
};

JsonRun RunJsonOn(const std::string& input, bool withReport = false, unsigned threads = 1) {
  StringInput in(input);
  StringOutput out;
  std::ostringstream err;
  JsonRun run;
  run.status = RunJson(in, out, err, JsonOptions{withReport, threads});
  run.text = out.Text();
  std::istringstream written(out.Text());
  for (std::string line; std::getline(written, line);)
    run.lines.push_back(line);
  return run;
}

TEST(ChartToolJson, ValidLineAnswersWithEveryChartKeyInOrder) {
  const JsonRun run = RunJsonOn(DelhiEntries().dump() + "\n");
  ASSERT_EQ(run.lines.size(), 1u);
  EXPECT_EQ(run.status, kExitOk);
  const Json answer = Json::parse(run.lines[0]);

  // ordered_json keeps the keys in the order the line holds them.
  const nlohmann::ordered_json ordered = nlohmann::ordered_json::parse(run.lines[0]);
  std::vector<std::string> keys;
  for (const auto& item : ordered.items())
    keys.push_back(item.key());
  EXPECT_THAT(keys, ::testing::ElementsAre("positions", "ascendantText", "moonText", "moonSignName",
                                           "sunSign", "moonSign", "ascendantSign", "name",
                                           "dateOfBirth", "timeOfBirth", "latitude", "longitude",
                                           "city", "state", "country", "wheelNames", "wheel"));

  ASSERT_TRUE(answer["positions"].is_array());
  ASSERT_EQ(answer["positions"].size(), 11u);
  for (const Json& text : answer["positions"])
    EXPECT_TRUE(text.is_string());
  ASSERT_EQ(answer["wheelNames"].size(), 7u);
  for (const Json& text : answer["wheelNames"])
    EXPECT_TRUE(text.is_string());
  for (const char* key :
       {"ascendantText", "moonText", "moonSignName", "moonSign", "name", "dateOfBirth",
        "timeOfBirth", "latitude", "longitude", "city", "state", "country"}) {
    EXPECT_TRUE(answer[key].is_string()) << key;
  }
  for (const char* key : {"sunSign", "ascendantSign"}) {
    EXPECT_TRUE(answer[key].is_string() || answer[key].is_null()) << key;
  }
  const Json& wheel = answer["wheel"];
  ASSERT_EQ(wheel.size(), 2u);
  ASSERT_EQ(wheel["houseTexts"].size(), 12u);
  for (const Json& text : wheel["houseTexts"])
    EXPECT_TRUE(text.is_string());
  if (!wheel["pictures"].is_null()) {
    ASSERT_EQ(wheel["pictures"].size(), 12u);
    for (const Json& picture : wheel["pictures"]) {
      ASSERT_TRUE(picture.is_number_integer());
      EXPECT_GE(picture.get<int>(), 1);
      EXPECT_LE(picture.get<int>(), 12);
    }
  }
}

// The answer carries exactly what the driver gives for the same entries.
TEST(ChartToolJson, AnswerMatchesTheDriversView) {
  ChartSession session;
  const CastResult result = session.CastChart(DelhiFormEntries());
  ASSERT_TRUE(std::holds_alternative<ChartView>(result));
  const ChartView& view = std::get<ChartView>(result);

  const JsonRun run = RunJsonOn(DelhiEntries().dump() + "\n", /*withReport=*/true);
  ASSERT_EQ(run.lines.size(), 1u);
  const Json answer = Json::parse(run.lines[0]);
  for (std::size_t i = 0; i < view.positions.size(); ++i) {
    EXPECT_EQ(answer["positions"][i], view.positions[i]) << i;
  }
  EXPECT_EQ(answer["ascendantText"], session.ascendantText());
  EXPECT_EQ(answer["moonText"], session.moonText());
  EXPECT_EQ(answer["moonSignName"], session.moonSignName());
  EXPECT_EQ(answer["moonSign"], view.moonSign);
  EXPECT_EQ(answer["name"], "ANNA");
  EXPECT_EQ(answer["city"], "Delhi");
  EXPECT_EQ(answer["latitude"], "28\u00b0 38' N");  // UTF-8 degree sign, unescaped
  EXPECT_THAT(run.lines[0], HasSubstr("28\u00b0 38' N"));
  EXPECT_EQ(answer["longitude"], "77\u00b0 12' E");
  for (std::size_t i = 0; i < view.wheel.houseTexts.size(); ++i) {
    EXPECT_EQ(answer["wheel"]["houseTexts"][i], view.wheel.houseTexts[i]) << i;  // CR LF kept
  }
  for (std::size_t i = 0; i < session.wheelNames().size(); ++i) {
    EXPECT_EQ(answer["wheelNames"][i], session.wheelNames()[i]) << i;
  }
  ASSERT_TRUE(answer.contains("report"));
  EXPECT_EQ(answer["report"], ReportPlainText(session));
  EXPECT_THAT(answer["report"].get<std::string>(), HasSubstr("\r\n"));
}

TEST(ChartToolJson, RejectionsCarryMessageIconAndFocus) {
  struct Row {
    const char* what;
    Json changes;   // merged into the valid entries
    Json expected;  // the "rejected" object; texts from the form's validation table
  };
  const std::vector<Row> rows{
      {"blank name",
       {{"txtName", "   "}},
       {{"message", "Please Enter Name"}, {"icon", "critical"}, {"focus", "txtName"}}},
      {"latitude minutes 60",
       {{"txtLatM", "60"}},
       {{"message", "Please Enter Value Between 0 And 59 in the  Minute of Latitude"},
        {"icon", "critical"},
        {"focus", "txtLatM"}}},
      {"31 April",
       {{"cboMonthIndex", 3}, {"cboDateIndex", 30}, {"cboDateText", "31"}},
       {{"message", "Please Enter Correct Date Or Month !"},
        {"icon", "information"},
        {"focus", nullptr}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Json entries = DelhiEntries();
    entries.update(row.changes);
    const JsonRun run = RunJsonOn(entries.dump() + "\n");
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(Json::parse(run.lines[0]), (Json{{"rejected", row.expected}}));
    EXPECT_EQ(run.status, kExitOk) << "a rejection is an answer, not a failed line";
  }
}

// Each kind of bad line gets one {"error": ...} line whose message names the
// problem (and the key, where there is one).
TEST(ChartToolJson, BadLinesGetAnErrorLineNamingTheProblem) {
  const auto with = [](const char* key, Json value) {
    Json entries = DelhiEntries();
    entries[key] = std::move(value);
    return entries.dump();
  };
  const auto without = [](const char* key, const char* other = nullptr) {
    Json entries = DelhiEntries();
    entries.erase(key);
    if (other != nullptr)
      entries.erase(other);
    return entries.dump();
  };
  const std::string valid = DelhiEntries().dump();
  const std::string name = "\"txtName\":\"ANNA\"";
  const auto withRawName = [&](const std::string& raw) {
    std::string line = valid;
    line.replace(line.find(name), name.size(), "\"txtName\":\"" + raw + "\"");
    return line;
  };
  const std::string zone = "\"cmbTimeZoneIndex\":34";
  const auto withRawZone = [&](const std::string& raw) {
    std::string line = valid;
    line.replace(line.find(zone), zone.size(), "\"cmbTimeZoneIndex\":" + raw);
    return line;
  };
  struct Row {
    const char* what;
    std::string line;
    const char* message;  // a part of the error text
  };
  const std::vector<Row> rows{
      {"truncated JSON", valid.substr(0, valid.size() / 2), "line is not valid JSON"},
      {"not JSON at all", "hello", "line is not valid JSON"},
      {"two objects", valid + valid, "line is not valid JSON"},
      {"an array", "[1, 2]", "must be a JSON object of form entries, not an array"},
      {"a string", "\"ANNA\"", "not a string"},
      {"a number", "42", "not a number"},
      {"null", "null", "not null"},
      {"one key missing", without("cboHHText"), "missing key \"cboHHText\""},
      {"two keys missing", without("txtLonD", "optEast"), "missing keys \"txtLonD\", \"optEast\""},
      {"number for a text box", with("txtLonD", 77),
       "key \"txtLonD\" must be a string, not a number"},
      {"text for a position", with("cboMonthIndex", "2"),
       "key \"cboMonthIndex\" must be an integer (a list position from 0), not a string"},
      {"fraction for a position", with("cboDateIndex", 4.5),
       "key \"cboDateIndex\" must be an integer (a list position from 0), not a number with a "
       "fraction"},
      {"number for a flag", with("optEast", 1), "key \"optEast\" must be a boolean, not a number"},
      {"null for a flag", with("chkDST", nullptr), "key \"chkDST\" must be a boolean, not null"},
      {"month position 12", with("cboMonthIndex", 12),
       "key \"cboMonthIndex\" must be a position in the month list, 0 to 11, not 12"},
      {"negative zone position", with("cmbTimeZoneIndex", -1),
       "key \"cmbTimeZoneIndex\" must be a position in the time-zone list, 0 to 70, not -1"},
      {"huge zone position", with("cmbTimeZoneIndex", 18446744073709551615ull),
       "key \"cmbTimeZoneIndex\" must be a position in the time-zone list"},
      {"year outside the list", with("cboYearText", "1900"),
       "key \"cboYearText\" must be an entry of the year list, \"1901\" to \"2050\""},
      {"hour with a leading zero", with("cboHHText", "07"), "key \"cboHHText\""},
      {"day text not at the day position", with("cboDateText", "6"),
       "key \"cboDateText\" must be the day list's entry at cboDateIndex 4, \"5\""},
      {"stray byte 0xFF", withRawName("AN\xff"), "line is not valid UTF-8 (bad byte at column"},
      {"overlong slash", withRawName("\xc0\xaf"), "line is not valid UTF-8"},
      {"surrogate half", withRawName("\xed\xa0\x80"), "line is not valid UTF-8"},
      {"cut-off sequence", withRawName("\xe2\x82"), "line is not valid UTF-8"},
      {"escaped lone surrogate", withRawName("\\ud800"), "line is not valid JSON"},
      {"number beyond a double", withRawZone("1e309"),
       "key \"cmbTimeZoneIndex\" holds a number out of range: 1e309"},
      {"number beyond a double in an extra key",
       valid.substr(0, valid.size() - 1) + ",\"x\":[-2e400]}",
       "key \"x\" holds a number out of range: -2e400"},
      {"long value repeated only in part", with("cboYearText", std::string(300, '9')),
       "not \"9999999999999999999999999999999999999999999999999999999999999999...\""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const JsonRun run = RunJsonOn(row.line + "\n");
    ASSERT_EQ(run.lines.size(), 1u);
    const Json answer = Json::parse(run.lines[0]);  // itself valid UTF-8 JSON
    ASSERT_EQ(answer.size(), 1u);
    ASSERT_TRUE(answer["error"].is_string());
    EXPECT_THAT(answer["error"].get<std::string>(), HasSubstr(row.message));
    EXPECT_EQ(run.status, kExitFailed);
  }
}

TEST(ChartToolJson, CarriesOnAfterErrorsAndSkipsBlankLines) {
  Json rejected = DelhiEntries();
  rejected["txtName"] = "";
  Json extra = DelhiEntries();
  extra["comment"] = "extra keys are ignored";
  const std::string input = DelhiEntries().dump() + "\n" + "{oops\n" + "\n" + "   \t\r\n" +
                            rejected.dump() + "\r\n" + extra.dump();  // last line unterminated
  const JsonRun run = RunJsonOn(input);
  ASSERT_EQ(run.lines.size(), 4u);
  EXPECT_TRUE(Json::parse(run.lines[0]).contains("positions"));
  EXPECT_TRUE(Json::parse(run.lines[1]).contains("error"));
  EXPECT_TRUE(Json::parse(run.lines[2]).contains("rejected"));
  EXPECT_TRUE(Json::parse(run.lines[3]).contains("positions"));
  EXPECT_EQ(run.status, kExitFailed);

  EXPECT_EQ(RunJsonOn(DelhiEntries().dump() + "\n\n" + rejected.dump() + "\n").status, kExitOk);
  EXPECT_EQ(RunJsonOn("").status, kExitOk);
}

// A name holding a line break or a quote stays on its one output line.
TEST(ChartToolJson, EachAnswerIsOneLine) {
  Json entries = DelhiEntries();
  entries["txtName"] = "A\"B\r\nC";
  entries["txtMCity"] = "Z\u00fcrich";
  const JsonRun run = RunJsonOn(entries.dump() + "\n");
  ASSERT_EQ(run.lines.size(), 1u);
  const Json answer = Json::parse(run.lines[0]);
  EXPECT_EQ(answer["name"], "A\"B\r\nC");
  EXPECT_EQ(answer["city"], "Z\u00fcrich");
}

// The writing contract: answers are gathered and written when the tool is
// about to wait for more input. A peer that sends one line and waits gets
// that line's answer before the tool waits again; a file read all at once
// is answered in one write.
TEST(ChartToolJson, WritesTheAnswersBeforeWaitingForInput) {
  // Delivers one line per read and says that more would mean waiting.
  class LineByLinePeer final : public InputSource {
   public:
    LineByLinePeer(std::vector<std::string> lines, const StringOutput& out)
        : lines_(std::move(lines)), out_(out) {}
    std::size_t Read(char* data, std::size_t size) override {
      // Every line sent so far has its answer (blank lines have none).
      EXPECT_EQ(std::count(out_.Text().begin(), out_.Text().end(), '\n'), answerable_);
      if (next_ == lines_.size())
        return 0;
      const std::string& line = lines_[next_++];
      EXPECT_LE(line.size(), size);
      std::copy(line.begin(), line.end(), data);
      if (line.find_first_not_of(" \n") != std::string::npos)
        ++answerable_;
      return line.size();
    }
    bool Ready() override { return false; }

   private:
    std::vector<std::string> lines_;
    const StringOutput& out_;
    std::size_t next_ = 0;
    long answerable_ = 0;
  };
  StringOutput out;
  LineByLinePeer peer(
      {DelhiEntries().dump() + "\n", "not json\n", "\n", DelhiEntries().dump() + "\n"}, out);
  std::ostringstream err;
  EXPECT_EQ(RunJson(peer, out, err, JsonOptions{false, 2}), kExitFailed);
  EXPECT_EQ(out.Writes(), 3);

  std::string file;
  for (int i = 0; i < 100; ++i)
    file += DelhiEntries().dump() + "\n";
  StringInput whole(file);
  StringOutput answers;
  EXPECT_EQ(RunJson(whole, answers, err, JsonOptions{false, 1}), kExitOk);
  EXPECT_EQ(std::count(answers.Text().begin(), answers.Text().end(), '\n'), 100);
  EXPECT_EQ(answers.Writes(), 1);
}

// Many waiting lines are cast on several threads; the answers keep the
// order of the lines and their bytes, with and without the report.
TEST(ChartToolJson, ThreadsKeepTheOrderAndTheBytes) {
  std::string input;
  for (int i = 0; i < 300; ++i) {
    Json entries = DelhiEntries();
    entries["cboYearText"] = std::to_string(1901 + i % 150);
    entries["cboHHText"] = std::to_string(i % 24);
    entries["txtLatD"] = std::to_string(i % 91);  // 90 is rejected
    input += i % 37 == 0 ? "{broken\n" : entries.dump() + "\n";
  }
  for (const bool withReport : {false, true}) {
    const JsonRun one = RunJsonOn(input, withReport, 1);
    const JsonRun three = RunJsonOn(input, withReport, 3);
    EXPECT_EQ(one.lines.size(), 300u);
    EXPECT_EQ(three.status, one.status);
    EXPECT_TRUE(three.text == one.text) << "answers differ with three threads";
  }
}

// A line longer than the limit is refused with a short error, without the
// line echoed, and the lines after it are answered.
TEST(ChartToolJson, RefusesOverlongLinesAndCarriesOn) {
  Json entries = DelhiEntries();
  entries["txtMCity"] = std::string(kMaxLineBytes, 'x');
  const JsonRun run = RunJsonOn(entries.dump() + "\n" + DelhiEntries().dump() + "\n" +
                                std::string(3 * kMaxLineBytes, ' ') + "x");
  ASSERT_EQ(run.lines.size(), 3u);
  EXPECT_EQ(run.lines[0], "{\"error\":\"line is longer than 65536 bytes\"}");
  EXPECT_TRUE(Json::parse(run.lines[1]).contains("positions"));
  EXPECT_EQ(run.lines[2], run.lines[0]);
  EXPECT_EQ(run.status, kExitFailed);
}

// Long lines share the threads too: a batch of 8 KiB lines (31 fill the
// read buffer) or of three 60 KiB lines runs on two threads; a few short
// lines on one; never more threads than lines.
TEST(ChartToolJson, LongLinesRunInParallel) {
  const std::string eightKiB(8 * 1024, 'x');
  const std::string sixtyKiB(60 * 1024, 'x');
  const std::string shortLine(300, 'x');
  const auto threadsFor = [](const std::string& line, std::size_t count, std::size_t threads) {
    const std::vector<std::string_view> lines(count, line);
    return ThreadsForLines(lines, threads);
  };
  EXPECT_EQ(threadsFor(eightKiB, 31, 2), 2u);
  EXPECT_EQ(threadsFor(sixtyKiB, 3, 2), 2u);
  EXPECT_EQ(threadsFor(sixtyKiB, 1, 8), 1u);
  EXPECT_EQ(threadsFor(shortLine, 10, 2), 1u);
  EXPECT_EQ(threadsFor(shortLine, 256, 8), 8u);
}

// A line of exactly the limit is answered whether it ends in LF or CR LF:
// the CR of a line end does not count.
TEST(ChartToolJson, TheCarriageReturnOfALineEndDoesNotCount) {
  Json entries = DelhiEntries();
  entries["x"] = "";
  const std::size_t padding = kMaxLineBytes - entries.dump().size();
  entries["x"] = std::string(padding, 'x');
  ASSERT_EQ(entries.dump().size(), kMaxLineBytes);
  for (const char* end : {"\n", "\r\n"}) {
    SCOPED_TRACE(end[0] == '\r' ? "CR LF" : "LF");
    const JsonRun run = RunJsonOn(entries.dump() + end);
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_TRUE(Json::parse(run.lines[0]).contains("positions")) << run.lines[0].substr(0, 80);
  }
}

// ---------------------------------------------------------------------------
// Command line

const std::vector<std::string> kDelhiFlags{
    "--name", "Anna",  "--date", "1980-03-05", "--time", "07:05",   "--zone", "34",        "--lat",
    "28N38",  "--lon", "77E12",  "--city",     "Delhi",  "--state", "Delhi",  "--country", "India",
};

std::vector<std::string> DelhiFlagsWith(std::vector<std::string> extra) {
  std::vector<std::string> args = kDelhiFlags;
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

TEST(ChartToolArguments, UsageErrorsExitWithTwoAndSayWhy) {
  struct Row {
    std::vector<std::string> args;
    const char* message;
  };
  const std::vector<Row> rows{
      {{}, "no flags given"},
      {DelhiFlagsWith({"--colour"}), "unknown flag \"--colour\""},
      {DelhiFlagsWith({"extra"}), "unexpected argument \"extra\""},
      {DelhiFlagsWith({"--city"}), "--city needs a value"},
      {{"--name", "--date", "1980-03-05"}, "--name needs a value"},
      {{"--date", "1980-03-05", "--time", "7:05", "--zone", "29", "--lat", "1N1", "--lon", "1E1"},
       "missing --name"},
      {DelhiFlagsWith({"--name", "Bo"}), "--name is given twice"},
      {DelhiFlagsWith({"--dst", "--dst"}), "--dst is given twice"},
      {DelhiFlagsWith({"--dst=yes"}), "--dst takes no value"},
      {{"--json", "--name", "Anna"}, "--json takes no other flag than --report and --jobs"},
      {{"--json", "--report-rtf", "x.rtf"}, "--json takes no other flag than --report and --jobs"},
      {{"--list-zones", "--json"}, "--list-zones takes no other flag"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.args));
    const ToolRun run = RunTool(row.args);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_THAT(run.err, HasSubstr(row.message));
    EXPECT_THAT(run.err, HasSubstr("--help"));
    EXPECT_EQ(run.out, "");
  }
}

TEST(ChartToolArguments, ValuesAfterEqualsAndHelp) {
  const auto parsed = ParseArguments(std::vector<std::string>{
      "--name=Anna", "--date", "1980-03-05", "--time=7:05", "--zone=Indian Time, IST, +5.3",
      "--lat", "28N38", "--lon", "77E12", "--city=--", "--report", "--report-rtf", "out.rtf"});
  ASSERT_TRUE(std::holds_alternative<Options>(parsed));
  const Options& options = std::get<Options>(parsed);
  EXPECT_EQ(options.mode, Options::Mode::People);
  EXPECT_EQ(options.flags.name, "Anna");
  EXPECT_EQ(options.flags.zone, "Indian Time, IST, +5.3");
  EXPECT_EQ(options.flags.city, "--");
  EXPECT_FALSE(options.flags.state.has_value());
  EXPECT_TRUE(options.report);
  EXPECT_EQ(options.reportRtf, "out.rtf");

  const ToolRun help = RunTool({"--json", "--help"});
  EXPECT_EQ(help.status, kExitOk);
  EXPECT_THAT(help.out, HasSubstr("zodivane-chart --name"));
  EXPECT_THAT(help.out, HasSubstr("cmbTimeZoneIndex"));
  EXPECT_THAT(help.out, HasSubstr("Blank lines"));

  const ToolRun zones = RunTool({"--list-zones"});
  EXPECT_EQ(zones.status, kExitOk);
  EXPECT_THAT(zones.out, HasSubstr("29  Greenwich Mean Time,GMT,0.0\n"));
  EXPECT_EQ(std::count(zones.out.begin(), zones.out.end(), '\n'), 71);
}

PeopleFlags DelhiPeopleFlags() {
  PeopleFlags flags;
  flags.name = "Anna";
  flags.date = "1980-03-05";
  flags.time = "07:05";
  flags.zone = "34";
  flags.lat = "28N38";
  flags.lon = "77E12";
  return flags;
}

// The flags land in the fields exactly as the form's controls would hold them.
TEST(ChartToolFlags, FillTheFormAsItsControlsWould) {
  struct Row {
    const char* what;
    void (*change)(PeopleFlags&);
    void (*check)(const FormEntries&);
  };
  const std::vector<Row> rows{
      {"date to positions and texts", [](PeopleFlags&) {},
       [](const FormEntries& e) {
         EXPECT_EQ(e.cboMonthIndex, 2);
         EXPECT_EQ(e.cboDateIndex, 4);
         EXPECT_EQ(e.cboDateText, "5");
         EXPECT_EQ(e.cboYearText, "1980");
         EXPECT_EQ(e.cboHHText, "7");
         EXPECT_EQ(e.cboMMText, "5");
         EXPECT_EQ(e.cmbTimeZoneIndex, 34);
         EXPECT_EQ(e.txtName, "ANNA");
         EXPECT_EQ(e.txtLatD, "28");
         EXPECT_EQ(e.txtLatM, "38");
         EXPECT_FALSE(e.optSouth);
         EXPECT_EQ(e.txtLonD, "77");
         EXPECT_EQ(e.txtLonM, "12");
         EXPECT_TRUE(e.optEast);
         EXPECT_FALSE(e.chkDST);
         EXPECT_EQ(e.txtMCity, "");
       }},
      {"last day of the lists", [](PeopleFlags& f) { f.date = "2050-12-31"; },
       [](const FormEntries& e) {
         EXPECT_EQ(e.cboMonthIndex, 11);
         EXPECT_EQ(e.cboDateIndex, 30);
         EXPECT_EQ(e.cboDateText, "31");
         EXPECT_EQ(e.cboYearText, "2050");
       }},
      {"first day, unpadded", [](PeopleFlags& f) { f.date = "1901-1-1"; },
       [](const FormEntries& e) {
         EXPECT_EQ(e.cboMonthIndex, 0);
         EXPECT_EQ(e.cboDateIndex, 0);
         EXPECT_EQ(e.cboDateText, "1");
       }},
      {"midnight", [](PeopleFlags& f) { f.time = "0:00"; },
       [](const FormEntries& e) {
         EXPECT_EQ(e.cboHHText, "0");
         EXPECT_EQ(e.cboMMText, "0");
       }},
      {"last minute", [](PeopleFlags& f) { f.time = "23:59"; },
       [](const FormEntries& e) {
         EXPECT_EQ(e.cboHHText, "23");
         EXPECT_EQ(e.cboMMText, "59");
       }},
      {"zone by text", [](PeopleFlags& f) { f.zone = "Greenwich Mean Time,GMT,0.0"; },
       [](const FormEntries& e) { EXPECT_EQ(e.cmbTimeZoneIndex, 29); }},
      {"zone by text with spaces", [](PeopleFlags& f) { f.zone = "Indian Time, IST, +5.3"; },
       [](const FormEntries& e) { EXPECT_EQ(e.cmbTimeZoneIndex, 34); }},
      {"zone by text in any case", [](PeopleFlags& f) { f.zone = "indian time, ist, +5.3"; },
       [](const FormEntries& e) { EXPECT_EQ(e.cmbTimeZoneIndex, 34); }},
      {"zone by its abbreviation", [](PeopleFlags& f) { f.zone = "IST"; },
       [](const FormEntries& e) { EXPECT_EQ(e.cmbTimeZoneIndex, 34); }},
      {"abbreviation in small letters", [](PeopleFlags& f) { f.zone = "gmt"; },
       [](const FormEntries& e) { EXPECT_EQ(e.cmbTimeZoneIndex, 29); }},
      {"position with a leading zero", [](PeopleFlags& f) { f.zone = "034"; },
       [](const FormEntries& e) { EXPECT_EQ(e.cmbTimeZoneIndex, 34); }},
      {"decimal degrees with hemisphere letters",
       [](PeopleFlags& f) {
         f.lat = "28.6358N";
         f.lon = "151.21e";
       },
       [](const FormEntries& e) {
         EXPECT_EQ(e.txtLatD, "28");
         EXPECT_EQ(e.txtLatM, "38");  // 38.148 minutes
         EXPECT_FALSE(e.optSouth);
         EXPECT_EQ(e.txtLonD, "151");
         EXPECT_EQ(e.txtLonM, "13");  // 12.6 minutes
         EXPECT_TRUE(e.optEast);
       }},
      {"decimal degrees with signs",
       [](PeopleFlags& f) {
         f.lat = "-33.87";
         f.lon = "-0.1";
       },
       [](const FormEntries& e) {
         EXPECT_EQ(e.txtLatD, "33");
         EXPECT_EQ(e.txtLatM, "52");
         EXPECT_TRUE(e.optSouth);
         EXPECT_EQ(e.txtLonD, "0");
         EXPECT_EQ(e.txtLonM, "6");
         EXPECT_FALSE(e.optEast);
       }},
      {"decimal degrees rounded up to the next degree",
       [](PeopleFlags& f) {
         f.lat = "+28.9999";
         f.lon = "77.";
       },
       [](const FormEntries& e) {
         EXPECT_EQ(e.txtLatD, "29");
         EXPECT_EQ(e.txtLatM, "0");
         EXPECT_FALSE(e.optSouth);
         EXPECT_EQ(e.txtLonD, "77");
         EXPECT_EQ(e.txtLonM, "0");
         EXPECT_TRUE(e.optEast);
       }},
      {"three longitude degrees fill their box", [](PeopleFlags& f) { f.lon = "179W59"; },
       [](const FormEntries& e) { EXPECT_EQ(e.txtLonD, "179"); }},
      {"first zone", [](PeopleFlags& f) { f.zone = "0"; },
       [](const FormEntries& e) { EXPECT_EQ(e.cmbTimeZoneIndex, 0); }},
      {"last zone", [](PeopleFlags& f) { f.zone = "70"; },
       [](const FormEntries& e) { EXPECT_EQ(e.cmbTimeZoneIndex, 70); }},
      {"south and west",
       [](PeopleFlags& f) {
         f.lat = "5S0";
         f.lon = "0W7";
       },
       [](const FormEntries& e) {
         EXPECT_EQ(e.txtLatD, "5");
         EXPECT_EQ(e.txtLatM, "0");
         EXPECT_TRUE(e.optSouth);
         EXPECT_EQ(e.txtLonD, "0");
         EXPECT_EQ(e.txtLonM, "7");
         EXPECT_FALSE(e.optEast);
       }},
      {"small hemisphere letters",
       [](PeopleFlags& f) {
         f.lat = "33s52";
         f.lon = "151e12";
       },
       [](const FormEntries& e) {
         EXPECT_TRUE(e.optSouth);
         EXPECT_TRUE(e.optEast);
         EXPECT_EQ(e.txtLonD, "151");
       }},
      {"empty minutes stay empty for validation", [](PeopleFlags& f) { f.lat = "28N"; },
       [](const FormEntries& e) { EXPECT_EQ(e.txtLatM, ""); }},
      {"name typed through the key filter", [](PeopleFlags& f) { f.name = "anna Lind"; },
       [](const FormEntries& e) { EXPECT_EQ(e.txtName, "ANNA LIND"); }},
      {"daylight saving and place",
       [](PeopleFlags& f) {
         f.dst = true;
         f.city = "S\u00e3o Paulo";
         f.state = "";
         f.country = "Brazil";
       },
       [](const FormEntries& e) {
         EXPECT_TRUE(e.chkDST);
         EXPECT_EQ(e.txtMCity, "S\u00e3o Paulo");
         EXPECT_EQ(e.txtMState, "");
         EXPECT_EQ(e.txtMCountry, "Brazil");
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    PeopleFlags flags = DelhiPeopleFlags();
    row.change(flags);
    const FlagsResult result = EntriesFromFlags(flags);
    ASSERT_TRUE(std::holds_alternative<FormEntries>(result));
    row.check(std::get<FormEntries>(result));
  }
}

// Characters the form's key filters refuse stop the tool with the filter's
// message; values the form's lists cannot hold are usage errors.
TEST(ChartToolFlags, RefusedKeysAndValuesOutsideTheLists) {
  struct Row {
    const char* what;
    void (*change)(PeopleFlags&);
    const char* notice;  // the key filter's message, or nullptr for a usage error
    const char* usage;   // part of the usage error
  };
  const std::vector<Row> rows{
      {"apostrophe in the name", [](PeopleFlags& f) { f.name = "o'neil"; },
       "Please Enter only Letters", nullptr},
      {"accented letter in the name", [](PeopleFlags& f) { f.name = "Jos\u00e9"; },
       "Please Enter only Letters", nullptr},
      {"digit in the name", [](PeopleFlags& f) { f.name = "Anna2"; }, "Please Enter only Letters",
       nullptr},
      {"decimal point in degrees", [](PeopleFlags& f) { f.lon = "12.5E3"; },
       "Only Numbers Are Accepted", nullptr},
      {"minus in minutes", [](PeopleFlags& f) { f.lat = "28N-3"; }, "Only Numbers Are Accepted",
       nullptr},
      {"year before the list", [](PeopleFlags& f) { f.date = "1900-12-31"; }, nullptr,
       "the year must be 1901 to 2050"},
      {"year after the list", [](PeopleFlags& f) { f.date = "2051-01-01"; }, nullptr,
       "the year must be 1901 to 2050"},
      {"month 13", [](PeopleFlags& f) { f.date = "1980-13-01"; }, nullptr,
       "the month must be 01 to 12"},
      {"day 32", [](PeopleFlags& f) { f.date = "1980-01-32"; }, nullptr,
       "the day must be 01 to 31"},
      {"day 0", [](PeopleFlags& f) { f.date = "1980-01-00"; }, nullptr, "the day must be 01 to 31"},
      {"slashes", [](PeopleFlags& f) { f.date = "1980/03/05"; }, nullptr,
       "--date must be YYYY-MM-DD"},
      {"two-digit year", [](PeopleFlags& f) { f.date = "80-03-05"; }, nullptr,
       "--date must be YYYY-MM-DD"},
      {"hour 24", [](PeopleFlags& f) { f.time = "24:00"; }, nullptr, "the hour must be 0 to 23"},
      {"minute 60", [](PeopleFlags& f) { f.time = "7:60"; }, nullptr, "the minute 0 to 59"},
      {"no minutes", [](PeopleFlags& f) { f.time = "7"; }, nullptr, "--time must be HH:MM"},
      {"zone 71", [](PeopleFlags& f) { f.zone = "71"; }, nullptr, "--zone must be a list position"},
      {"zone text not exact", [](PeopleFlags& f) { f.zone = "Greenwich Mean Time"; }, nullptr,
       "--zone must be a list position"},
      {"latitude with E", [](PeopleFlags& f) { f.lat = "28E38"; }, nullptr,
       "--lat must be degrees, N or S, minutes"},
      {"longitude with N", [](PeopleFlags& f) { f.lon = "77N12"; }, nullptr,
       "--lon must be degrees, E or W, minutes"},
      {"more degrees than the box takes", [](PeopleFlags& f) { f.lat = "0028N38"; }, nullptr,
       "--lat: the degree box takes at most 2 characters, not \"0028\""},
      {"more minutes than the box takes", [](PeopleFlags& f) { f.lon = "77E1234"; }, nullptr,
       "--lon: the minute box takes at most 2 characters, not \"1234\""},
      {"four longitude degrees", [](PeopleFlags& f) { f.lon = "1234E1"; }, nullptr,
       "--lon: the degree box takes at most 3 characters"},
      {"decimal latitude beyond the box", [](PeopleFlags& f) { f.lat = "123.5N"; }, nullptr,
       "--lat: the degree box takes at most 2 characters, not \"123\""},
      {"sign and hemisphere both", [](PeopleFlags& f) { f.lat = "-33.87S"; }, nullptr,
       "--lat: give a sign or N/S, not both"},
      {"abbreviation of two zones", [](PeopleFlags& f) { f.zone = "NST"; }, nullptr,
       "\"NST\" is the abbreviation of 2 zones; give the list position:\n"
       "  50  Newfoundland Standard Time,NST,-3.5\n"
       "  52  North Sumatra Time,NST,+6.5"},
      {"zone position with too many digits", [](PeopleFlags& f) { f.zone = "0034"; }, nullptr,
       "--zone must be a list position"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    PeopleFlags flags = DelhiPeopleFlags();
    row.change(flags);
    const FlagsResult result = EntriesFromFlags(flags);
    if (row.notice != nullptr) {
      ASSERT_TRUE(std::holds_alternative<FlagNotice>(result));
      EXPECT_EQ(std::get<FlagNotice>(result).notice.message, row.notice);
    } else {
      ASSERT_TRUE(std::holds_alternative<UsageError>(result));
      EXPECT_THAT(std::get<UsageError>(result).message, HasSubstr(row.usage));
    }
  }
}

// The conventions of a command-line tool: each command line, its exit
// status and a part of what it prints.
TEST(ChartToolConventions, CommandLinesExitStatusesAndMessages) {
  struct Row {
    std::vector<std::string> args;
    int status;
    const char* out;  // a part of standard output, or nullptr for none
    const char* err;  // a part of standard error, or nullptr for none
  };
  const std::vector<Row> rows{
      {{"--version"}, kExitOk, "zodivane-chart 1.", nullptr},
      {DelhiFlagsWith({"--version"}), kExitOk, "zodivane-chart 1.", nullptr},
      {{"--lattitude", "28N38"},
       kExitUsage,
       nullptr,
       "unknown flag \"--lattitude\"; did you mean --lat?"},
      {{"--jason"}, kExitUsage, nullptr, "did you mean --json?"},
      {{"--verison"}, kExitUsage, nullptr, "did you mean --version?"},
      {{"--frobnicate"}, kExitUsage, nullptr, "unknown flag \"--frobnicate\"\n"},
      {DelhiFlagsWith({"--report-rtf="}), kExitUsage, nullptr, "--report-rtf needs a value"},
      {{"--json", "--jobs", "0"}, kExitUsage, nullptr, "--jobs must be a number of threads"},
      {{"--json", "--jobs=65"}, kExitUsage, nullptr, "from 1 to 64, not \"65\""},
      {DelhiFlagsWith({"--jobs", "2"}), kExitUsage, nullptr, "--jobs goes with --json"},
      {DelhiFlagsWith({"--zone", "IST"}), kExitUsage, nullptr, "--zone is given twice"},
      {{"--name", "Anna", "--date", "1980-03-05", "--time", "7:05", "--zone", "ist", "--lat",
        "28.6358N", "--lon", "77.2E"},
       kExitOk,
       "Latitude:       28\u00b0 38' N\nLongitude:      77\u00b0 12' E\n",
       nullptr},
      {{"--name", "Anna", "--date", "1980-03-05", "--time", "7:05", "--zone", "NST", "--lat",
        "28N38", "--lon", "77E12"},
       kExitUsage,
       nullptr,
       "52  North Sumatra Time,NST,+6.5"},
      {{"--name", "Anna", "--date", "1980-03-05", "--time", "7:05", "--zone", "34", "--lat",
        "0028N38", "--lon", "77E12"},
       kExitUsage,
       nullptr,
       "zodivane-chart: --lat: the degree box takes at most 2 characters"},
      {DelhiFlagsWith({"--report-rtf", "-"}), kExitOk, "{\\rtf1", nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.args));
    const ToolRun run = RunTool(row.args);
    EXPECT_EQ(run.status, row.status) << run.err;
    if (row.out != nullptr)
      EXPECT_THAT(run.out, HasSubstr(row.out));
    else
      EXPECT_EQ(run.out, "");
    if (row.err != nullptr)
      EXPECT_THAT(run.err, HasSubstr(row.err));
    else
      EXPECT_EQ(run.err, "");
  }
}

// Standard output that cannot take the bytes and standard input that
// cannot be read end the run with the system's reason and status 1.
TEST(ChartToolConventions, ReadAndWriteErrorsFailWithTheReason) {
  class FullDisk final : public OutputSink {
   public:
    void Write(std::string_view) override {
      throw IoError("cannot write standard output: No space left on device");
    }
  };
  class Unreadable final : public InputSource {
   public:
    std::size_t Read(char*, std::size_t) override {
      throw IoError("cannot read standard input: Is a directory");
    }
    bool Ready() override { return true; }
  };
  const std::vector<std::vector<std::string>> everyOutput{
      {"--help"}, {"--version"}, {"--list-zones"}, kDelhiFlags, {"--json"}};
  for (const auto& args : everyOutput) {
    SCOPED_TRACE(::testing::PrintToString(args));
    StringInput in(DelhiEntries().dump() + "\n");
    FullDisk out;
    std::ostringstream err;
    EXPECT_EQ(chart_tool::Run(args, in, out, err), kExitFailed);
    EXPECT_EQ(err.str(), "zodivane-chart: cannot write standard output: No space left on device\n");
  }
  Unreadable in;
  StringOutput out;
  std::ostringstream err;
  EXPECT_EQ(chart_tool::Run(std::vector<std::string>{"--json"}, in, out, err), kExitFailed);
  EXPECT_EQ(err.str(), "zodivane-chart: cannot read standard input: Is a directory\n");
}

TEST(ChartToolPeople, RefusalsAndRejectionsPrintTheFormsMessage) {
  struct Row {
    std::vector<std::string> extra;
    int status;
    const char* message;  // the whole of standard error
  };
  const std::vector<Row> rows{
      {{"--name", "o'neil"}, kExitFailed, "zodivane-chart: --name: Please Enter only Letters\n"},
      {{"--name", "   "}, kExitFailed, "zodivane-chart: --name: Please Enter Name\n"},
      {{"--lat", "90N0"},
       kExitFailed,
       "zodivane-chart: --lat: Please Enter Value Between 0 And 89 in the Degree of Latitude\n"},
      {{"--lat", "28N60"},
       kExitFailed,
       "zodivane-chart: --lat: Please Enter Value Between 0 And 59 in the  Minute of Latitude\n"},
      {{"--lon", "E12"},
       kExitFailed,
       "zodivane-chart: --lon: Please Enter Value Between 0 And 179 in the Degree of "
       "Longitude\n"},
      {{"--lon", "77E1x"}, kExitFailed, "zodivane-chart: --lon: Only Numbers Are Accepted\n"},
      {{"--date", "1901-02-29"},
       kExitFailed,
       "zodivane-chart: --date: Please Enter Correct Date Or Month!\n"},
      {{"--date", "1980-04-31"},
       kExitFailed,
       "zodivane-chart: --date: Please Enter Correct Date Or Month !\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.extra));
    std::vector<std::string> args = kDelhiFlags;
    for (std::size_t i = 0; i + 1 < row.extra.size(); i += 2) {
      const auto flag = std::find(args.begin(), args.end(), row.extra[i]);
      ASSERT_NE(flag, args.end());
      *(flag + 1) = row.extra[i + 1];
    }
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.status, row.status);
    EXPECT_EQ(run.err, row.message);
    EXPECT_EQ(run.out, "");
  }
}

TEST(ChartToolPeople, PrintsTheChartAndTheReport) {
  const ToolRun run = RunTool(DelhiFlagsWith({"--report"}));
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_THAT(run.out, StartsWith("Name:           ANNA\n"));
  EXPECT_THAT(run.out, HasSubstr("Latitude:       28\u00b0 38' N\n"));
  EXPECT_THAT(run.out, HasSubstr("City:           Delhi\n"));

  ChartSession session;
  const CastResult result = session.CastChart(DelhiFormEntries());
  ASSERT_TRUE(std::holds_alternative<ChartView>(result));
  const ChartView& view = std::get<ChartView>(result);
  EXPECT_THAT(run.out, HasSubstr("  Sun       " + view.positions[0] + "\n"));
  EXPECT_THAT(run.out, HasSubstr("  Asc       " + view.positions[10] + "\n"));
  for (int house = 1; house <= 12; ++house) {
    EXPECT_THAT(run.out, HasSubstr("  House " + std::to_string(house) + " "));
  }
  // Text for people ends its lines with a line feed alone; the report's
  // own CR LF stays in the JSON answers.
  std::string report = ReportPlainText(session);
  ASSERT_THAT(report, HasSubstr("\r\n"));
  for (std::size_t at; (at = report.find("\r\n")) != std::string::npos;)
    report.erase(at, 1);
  EXPECT_EQ(run.out, ChartText(view, session) + "\n" + report + "\n");
  EXPECT_EQ(run.out.find('\r'), std::string::npos);
}

TEST(ChartToolPeople, WritesTheStyledReportAsRtf) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() /
      ("zodivane_chart_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
       ".rtf");
  const ToolRun run = RunTool(DelhiFlagsWith({"--report-rtf", file.string()}));
  ASSERT_EQ(run.status, kExitOk) << run.err;
  std::ifstream in(file, std::ios::binary);
  const std::string written{std::istreambuf_iterator<char>(in), {}};
  std::filesystem::remove(file);
  ChartSession session;
  ASSERT_TRUE(std::holds_alternative<ChartView>(session.CastChart(DelhiFormEntries())));
  EXPECT_EQ(written, ReportRtf(session));
  EXPECT_THAT(written, StartsWith("{\\rtf"));

  const ToolRun unwritable =
      RunTool(DelhiFlagsWith({"--report-rtf", "/nonexistent-directory/report.rtf"}));
  EXPECT_EQ(unwritable.status, kExitFailed);
  EXPECT_EQ(unwritable.err,
            "zodivane-chart: --report-rtf: cannot write /nonexistent-directory/report.rtf: No such "
            "file or directory\n");
}

}  // namespace
}  // namespace zodivane::chart_tool
