// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/zodivane_chart/tool.h"

#include <algorithm>
#include <fstream>
#include <ostream>
#include <thread>

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

int RunPeople(const Options& options, OutputSink& out, std::ostream& err,
              const SheetExporter& exportSheet) {
  const FlagsResult filled = EntriesFromFlags(options.flags);
  if (const auto* usage = std::get_if<UsageError>(&filled))
    return PrintUsageError(*usage, err);
  if (const auto* notice = std::get_if<Notice>(&filled)) {
    err << notice->message << '\n';
    return kExitFailed;
  }
  ChartSession session;
  const CastResult result = session.CastChart(std::get<FormEntries>(filled));
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
  if (options.exportChart) {
    if (!exportSheet) {
      err << "zodivane-chart: --export-chart: this build cannot draw the chart sheet\n";
      return kExitFailed;
    }
    const std::optional<std::string> failure =
        exportSheet(*options.exportChart, std::get<ChartView>(result));
    if (failure) {
      err << "zodivane-chart: --export-chart: cannot write " << *options.exportChart << ": "
          << *failure << '\n';
      return kExitFailed;
    }
  }
  return kExitOk;
}

}  // namespace

std::string_view HelpText() noexcept {
  return embedded::kChartToolHelpText;
}

int Run(std::span<const std::string> args, InputSource& in, OutputSink& out, std::ostream& err,
        const SheetExporter& exportSheet) {
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
      case Options::Mode::People:
        break;
    }
    return RunPeople(options, out, err, exportSheet);
  } catch (const IoError& error) {
    err << "zodivane-chart: " << error.what() << '\n';
    return kExitFailed;
  }
}

}  // namespace zodivane::chart_tool
