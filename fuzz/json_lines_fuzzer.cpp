// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: arbitrary bytes as the standard input of `zodivane-chart
// --json`, with the keys beside the entries (place, sensitivity, aspects,
// orbs, aspectSet, ephemeris, points, transits) answered as the tool answers
// them. The tool must not crash or throw, must answer every non-blank line
// with exactly one line that is a JSON object holding a chart, a rejection
// or an error, and must report failure exactly when some line got an error.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "tools/zodivane_chart/io.h"
#include "tools/zodivane_chart/json_protocol.h"
#include "tools/zodivane_chart/place_lookup.h"
#include "tools/zodivane_chart/tool.h"

namespace {

[[noreturn]] void Fault(const char* what, const std::string& detail) {
  std::fprintf(stderr, "JSON lines: %s\n%s\n", what, detail.c_str());
  std::abort();
}

/// The lines std::getline reads from `text` that hold more than white space.
std::size_t NonBlankLines(std::string_view text) {
  std::size_t count = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    if (line.find_first_not_of(" \t\r\n\f\v") != std::string_view::npos) {
      ++count;
    }
    if (end == std::string_view::npos) {
      break;
    }
    text.remove_prefix(end + 1);
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  // The report is slow to write: ask for it when the input's first byte is odd.
  const bool withReport = size > 0 && (data[0] & 1U) != 0;
  // The gazetteer is read once, at the first line with a place, and kept.
  static zodivane::chart_tool::PlaceBook places;
  zodivane::chart_tool::StringInput in(input);
  zodivane::chart_tool::StringOutput out;
  std::ostringstream err;
  const int status = zodivane::chart_tool::RunJson(
      in, out, err, zodivane::chart_tool::JsonOptions{withReport, 1, &places});
  if (!err.str().empty()) {
    Fault("a message on standard error although nothing failed to read or write", err.str());
  }

  const std::string& answers = out.Text();
  if (!answers.empty() && answers.back() != '\n') {
    Fault("the last answer has no line break", answers);
  }
  std::size_t lines = 0;
  bool anyError = false;
  std::istringstream read(answers);
  for (std::string line; std::getline(read, line);) {
    ++lines;
    const nlohmann::json answer = nlohmann::json::parse(line, nullptr, false);
    if (answer.is_discarded() || !answer.is_object()) {
      Fault("an answer is not a JSON object", line);
    }
    const bool chart = answer.contains("positions");
    const bool rejected = answer.contains("rejected");
    const bool error = answer.contains("error");
    if (static_cast<int>(chart) + static_cast<int>(rejected) + static_cast<int>(error) != 1) {
      Fault("an answer is not exactly one of chart, rejection and error", line);
    }
    if (error && !answer["error"].is_string()) {
      Fault("an error answer does not say what is wrong", line);
    }
    anyError = anyError || error;
  }
  if (lines != NonBlankLines(input)) {
    Fault("not one answer per non-blank line", input);
  }
  const int expected = anyError ? zodivane::chart_tool::kExitFailed : zodivane::chart_tool::kExitOk;
  if (status != expected) {
    Fault("the exit status does not match the answers", answers);
  }
  return 0;
}
