// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/zodivane_chart/tool.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ostream>
#include <thread>

#include "chartfile/chart_file.h"
#include "tools/zodivane_chart/arguments.h"
#include "tools/zodivane_chart/chart_text.h"
#include "tools/zodivane_chart/json_protocol.h"

namespace zodivane::embedded {
extern const std::string_view kChartToolHelpText;
}  // namespace zodivane::embedded

namespace zodivane::chart_tool {
namespace {

/// Most threads the JSON protocol casts on unless --jobs asks for more.
constexpr unsigned kMostThreads = 8;

int PrintUsageError(const UsageError& error, std::ostream& err) {
  err << "zodivane-chart: " << error.message << "\nTry 'zodivane-chart --help'.\n";
  return kExitUsage;
}

/// Casts the entries and prints the chart as text, with the report's text
/// and RTF file when asked.
int PrintChart(const FormEntries& entries, const Options& options, OutputSink& out,
               std::ostream& err) {
  ChartSession session;
  const CastResult result = session.CastChart(entries);
  if (const auto* rejection = std::get_if<Rejection>(&result)) {
    err << rejection->notice.message << '\n';
    return kExitFailed;
  }
  std::string text = ChartText(std::get<ChartView>(result), session);
  if (options.report) {
    text += '\n';
    text += ReportPlainText(session);
    text += '\n';
  }
  out.Write(text);
  if (options.reportRtf) {
    std::ofstream file(*options.reportRtf, std::ios::binary | std::ios::trunc);
    file << ReportRtf(session);
    file.close();
    if (!file) {
      err << "zodivane-chart: cannot write " << *options.reportRtf << '\n';
      return kExitFailed;
    }
  }
  return kExitOk;
}

int RunPeople(const Options& options, OutputSink& out, std::ostream& err) {
  const FlagsResult filled = EntriesFromFlags(options.flags);
  if (const auto* usage = std::get_if<UsageError>(&filled))
    return PrintUsageError(*usage, err);
  if (const auto* notice = std::get_if<Notice>(&filled)) {
    err << notice->message << '\n';
    return kExitFailed;
  }
  return PrintChart(std::get<FormEntries>(filled), options, out, err);
}

/// --chart FILE: the entries of a chart file, cast as the flags are.
int RunChartFile(const Options& options, OutputSink& out, std::ostream& err) {
  const std::string& path = *options.chartFile;
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (!file.is_open() || file.bad()) {
    err << "zodivane-chart: cannot read " << path << ": " << std::strerror(errno) << '\n';
    return kExitFailed;
  }
  auto read = chartfile::ReadChartFile(bytes);
  if (const auto* message = std::get_if<std::string>(&read)) {
    err << "zodivane-chart: " << path << ": " << *message << '\n';
    return kExitFailed;
  }
  return PrintChart(std::get<chartfile::ChartFile>(read).entries, options, out, err);
}

}  // namespace

std::string_view HelpText() noexcept {
  return embedded::kChartToolHelpText;
}

int Run(std::span<const std::string> args, InputSource& in, OutputSink& out, std::ostream& err) {
  const auto parsed = ParseArguments(args);
  if (const auto* usage = std::get_if<UsageError>(&parsed))
    return PrintUsageError(*usage, err);
  const Options& options = std::get<Options>(parsed);
  try {
    switch (options.mode) {
      case Options::Mode::Help:
        out.Write(HelpText());
        return kExitOk;
      case Options::Mode::ListZones:
        out.Write(ZoneListText());
        return kExitOk;
      case Options::Mode::Json: {
        const unsigned threads =
            options.jobs > 0 ? options.jobs
                             : std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads);
        return RunJson(in, out, err, JsonOptions{options.report, threads});
      }
      case Options::Mode::ChartFile:
        return RunChartFile(options, out, err);
      case Options::Mode::People:
        break;
    }
    return RunPeople(options, out, err);
  } catch (const IoError& error) {
    err << "zodivane-chart: " << error.what() << '\n';
    return kExitFailed;
  }
}

}  // namespace zodivane::chart_tool
