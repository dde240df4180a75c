// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/zodivane_chart/tool.h"

#include <algorithm>
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

/// `text` with each CR LF as a lone LF, as text for people ends its lines.
std::string WithLineFeeds(std::string_view text) {
  std::string lines;
  lines.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
      continue;
    lines += text[i];
  }
  return lines;
}

int RunPeople(const Options& options, OutputSink& out, std::ostream& err) {
  const FlagsResult filled = EntriesFromFlags(options.flags);
  if (const auto* usage = std::get_if<UsageError>(&filled))
    return PrintUsageError(*usage, err);
  if (const auto* refused = std::get_if<FlagNotice>(&filled)) {
    err << "zodivane-chart: " << refused->flag << ": " << refused->notice.message << '\n';
    return kExitFailed;
  }
  ChartSession session;
  const CastResult result = session.CastChart(std::get<FormEntries>(filled));
  if (const auto* rejection = std::get_if<Rejection>(&result)) {
    err << "zodivane-chart: " << FlagOfControl(rejection->focus) << ": "
        << rejection->notice.message << '\n';
    return kExitFailed;
  }
  if (options.reportRtf == "-") {  // the document goes to standard output instead of the text
    out.Write(ReportRtf(session));
    return kExitOk;
  }
  std::string text = ChartText(std::get<ChartView>(result), session);
  if (options.report) {
    text += '\n';
    text += WithLineFeeds(ReportPlainText(session));
    text += '\n';
  }
  out.Write(text);
  if (options.reportRtf) {
    try {
      ReplaceFile(*options.reportRtf, ReportRtf(session));
    } catch (const IoError& error) {
      err << "zodivane-chart: --report-rtf: " << error.what() << '\n';
      return kExitFailed;
    }
  }
  return kExitOk;
}

}  // namespace

std::string_view HelpText() noexcept {
  return embedded::kChartToolHelpText;
}

std::string VersionText() {
  return "zodivane-chart " ZODIVANE_VERSION "\n";
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
      case Options::Mode::Version:
        out.Write(VersionText());
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
    return RunPeople(options, out, err);
  } catch (const IoError& error) {
    err << "zodivane-chart: " << error.what() << '\n';
    return kExitFailed;
  }
}

}  // namespace zodivane::chart_tool
