// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/zodivane_chart/tool.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <set>
#include <thread>
#include <utility>

#include "chart/time_zones.h"
#include "chartfile/chart_file.h"
#include "common/safe_file.h"
#include "common/text_helpers.h"
#include "places/gazetteer.h"
#include "places/place_entries.h"
#include "places/zone_history.h"
#include "places/zone_rows.h"
#include "tools/zodivane_chart/arguments.h"
#include "tools/zodivane_chart/aspect_output.h"
#include "tools/zodivane_chart/chart_text.h"
#include "tools/zodivane_chart/json_protocol.h"
#include "tools/zodivane_chart/place_lookup.h"
#include "tools/zodivane_chart/points_output.h"
#include "tools/zodivane_chart/sensitivity_output.h"

namespace zodivane::embedded {
extern const std::string_view kChartToolHelpText;
}  // namespace zodivane::embedded

namespace zodivane::chart_tool {
namespace {

/// Most threads the JSON protocol casts on unless --jobs asks for more.
constexpr unsigned kMostThreads = 8;

int PrintUsageError(const UsageError& error, std::ostream& err) {
  // Values in the message are quoted already; a line separator among them is not.
  err << "zodivane-chart: " << Printable(error.message, true) << "\nTry 'zodivane-chart --help'.\n";
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

/// With --place: the flags with placeholders for the left-out zone and
/// coordinates, and which entries the finder fills afterwards.
std::pair<PeopleFlags, std::set<PlaceField>> FlagsForPlace(const PeopleFlags& given) {
  PeopleFlags flags = given;
  std::set<PlaceField> leftOut;
  if (!given.zone) {
    flags.zone = std::to_string(kDefaultTimeZone);
    leftOut.insert(PlaceField::ZoneRow);
    if (!given.dst)
      leftOut.insert(PlaceField::Dst);
  }
  if (!given.lat) {
    flags.lat = "0N0";
    leftOut.insert({PlaceField::LatDegrees, PlaceField::LatMinutes, PlaceField::South});
  }
  if (!given.lon) {
    flags.lon = "0E0";
    leftOut.insert({PlaceField::LonDegrees, PlaceField::LonMinutes, PlaceField::East});
  }
  if (!given.city)
    leftOut.insert(PlaceField::City);
  if (!given.state)
    leftOut.insert(PlaceField::State);
  if (!given.country)
    leftOut.insert(PlaceField::Country);
  return {std::move(flags), std::move(leftOut)};
}

/// The message when a file flag names the file standard output goes to
/// (/dev/stdout, or the file it was sent to): writing it would replace the
/// output under the text. Standard output is asked for with "-".
std::optional<std::string> StandardOutputAsPath(const Options& options, const OutputSink& out) {
  const auto files = std::to_array<std::pair<std::string_view, const std::optional<std::string>*>>({
      {"--report-rtf", &options.reportRtf},
      {"--export-chart", &options.exportChart},
      {"--ics", options.transits ? &options.transits->ics : nullptr},
  });
  for (const auto& [flag, path] : files) {
    if (path != nullptr && *path && **path != "-" && out.WritesTo(**path)) {
      return std::string(flag) + ": " + Printable(**path) +
             " is the standard output; give - to write there";
    }
  }
  return std::nullopt;
}

/// A name the chart sheet can be written to: one ending in .pdf, .png or
/// .svg (any case), or "-" for standard output (a PDF).
bool IsSheetFileName(std::string_view path) {
  if (path == "-") {
    return true;
  }
  const std::size_t dot = path.rfind('.');
  const std::size_t slash = path.rfind('/');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
    return false;
  }
  std::string extension(path.substr(dot + 1));
  for (char& c : extension) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return extension == "pdf" || extension == "png" || extension == "svg";
}

int RunFindPlace(const std::string& query, PlaceBook& places, OutputSink& out, std::ostream& err) {
  if (const std::optional<std::string> problem = places::QueryProblem(query)) {
    err << "zodivane-chart: --find-place: " << Printable(*problem) << '\n';
    return kExitUsage;
  }
  const places::Gazetteer::Matches matches = places.gazetteer().SearchWithMore(query);
  if (matches.places.empty()) {
    err << "zodivane-chart: " << Printable(NoPlaceMessage(query)) << '\n';
    return kExitFailed;
  }
  std::string text = PlaceListText(matches.places);
  if (matches.more) {
    text += "(more places match: add the state or the country after a comma)\n";
  }
  out.Write(text);
  return kExitOk;
}

/// The warning of entries without --place: which reading of a clock time
/// that the place a chart file names skipped or repeated, else daylight
/// saving counted twice; empty when neither applies.
std::string FileWarning(const FormEntries& entries, const std::optional<ChosenPlace>& place) {
  const std::optional<places::LocalDateTime> local = places::LocalDateTimeOf(entries);
  const std::optional<std::int32_t> offset = places::FormOffsetSeconds(entries);
  if (place && local && offset) {
    if (const std::optional<places::ZoneAtMoment> moment = places::ZoneAt(place->zone, *local)) {
      std::string warning = places::ClockTimeWarning(*moment, place->name, *offset);
      if (!warning.empty()) {
        return warning;
      }
    }
  }
  return places::DoubleDaylightWarning(entries);
}

/// Casts the entries and prints the chart as text, with the place note, the
/// sensitivity, the report, its RTF file and the chart sheet when asked.
/// A rejection names the flag of the refused box, or `chartPath` when the
/// entries came from a chart file. The engine is --ephemeris, else the chart
/// file's `fileEphemeris`, else the built-in method; the text names it when
/// either gave it. The aspects follow --orb and --aspect-set, else the chart
/// file's `fileAspects`, else the defaults.
int PrintChart(const FormEntries& entries, const Options& options,
               const std::optional<PlaceChoice>& choice, OutputSink& out, std::ostream& err,
               const SheetExporter& exportSheet, std::string_view chartPath = {},
               std::optional<Ephemeris> fileEphemeris = std::nullopt,
               std::optional<AspectSettings> fileAspects = std::nullopt,
               const std::optional<ChosenPlace>& filePlace = std::nullopt) {
  // The files' names are checked before anything is written.
  if (options.exportChart && !IsSheetFileName(*options.exportChart)) {
    err << "zodivane-chart: --export-chart: the file name must end in .pdf, .png or .svg, or be "
           "- for standard output, not "
        << Printable(*options.exportChart) << '\n';
    return kExitUsage;
  }
  if (const std::optional<std::string> usage = StandardOutputAsPath(options, out)) {
    err << "zodivane-chart: " << *usage << '\n';
    return kExitUsage;
  }
  const std::optional<Ephemeris> chosenEphemeris =
      options.ephemeris ? options.ephemeris : fileEphemeris;
  const AspectSettings aspectSettings =
      options.aspects && (options.aspectSettingsGiven || !fileAspects)
          ? *options.aspects
          : fileAspects.value_or(DefaultAspectSettings());
  ChartSession session;
  const CastResult result =
      session.CastChart(entries, chosenEphemeris.value_or(Ephemeris::BuiltIn));
  if (const auto* rejection = std::get_if<Rejection>(&result)) {
    const bool byFlag =
        chartPath.empty() || (options.ephemeris && rejection->focus == kEphemerisControl);
    err << "zodivane-chart: "
        << (byFlag ? std::string(FlagOfControl(rejection->focus)) : Printable(chartPath)) << ": "
        << rejection->notice.message << '\n';
    return kExitFailed;
  }
  if (options.transits) {
    return RunTransits(*options.transits, session, aspectSettings, TransitMomentNow(), out, err);
  }
  const std::optional<ChartAspects> aspects =
      options.aspects ? std::optional<ChartAspects>(session.Aspects(aspectSettings, options.points))
                      : std::nullopt;
  const ChartAspects* const aspectsOrNull = aspects ? &*aspects : nullptr;
  if (options.reportRtf == "-") {  // the document goes to standard output instead of the text
    out.Write(ReportRtf(session, aspectsOrNull));
    return kExitOk;
  }
  // The sheet goes to standard output instead of the text.
  const bool sheetToOutput = options.exportChart && *options.exportChart == "-";
  const ChartView& view = std::get<ChartView>(result);
  std::string text = ChartText(view, session);
  if (chosenEphemeris) {
    text += '\n';
    text += EphemerisLine(view.ephemeris);
  }
  if (options.points) {
    text += '\n';
    text += PointsBlock(view);
  }
  if (aspects) {
    text += '\n';
    text += AspectsBlock(*aspects);
    if (options.points) {
      text += '\n';
      text += NodeAspectsBlock(*aspects);
    }
  }
  if (choice) {
    text += '\n';
    text += PlaceNoteText(*choice, entries);
    if (options.flags.zone)
      text += "                (the chart uses the zone row given with --zone)\n";
  } else if (const std::string warning = FileWarning(entries, filePlace); !warning.empty()) {
    // A chart file's place name reaches the terminal escaped.
    text += '\n' + Padded("Warning:", 16) + Printable(warning) + '\n';
  }
  if (options.sensitivity) {
    text += '\n';
    const PlaceClock clock = choice ? places::ClockOfZone(choice->place.zone) : PlaceClock();
    text += SensitivityBlock(session.chartInput(), session.Sensitivity(options.points),
                             choice ? &clock : nullptr);
  }
  if (options.report) {
    text += '\n';
    text += WithLineFeeds(ReportPlainText(session, aspectsOrNull));
    text += '\n';
  }
  if (!sheetToOutput) {
    out.Write(text);
  }
  if (options.reportRtf) {
    try {
      ReplaceFile(*options.reportRtf, ReportRtf(session, aspectsOrNull));
    } catch (const IoError& error) {
      err << "zodivane-chart: --report-rtf: " << error.what() << '\n';
      return kExitFailed;
    }
  }
  if (options.exportChart) {
    if (!exportSheet) {
      err << "zodivane-chart: --export-chart: this build cannot draw the chart sheet\n";
      return kExitFailed;
    }
    ChartView sheet = std::get<ChartView>(result);
    // The sheet shows the aspects whether or not the text lists them.
    sheet.aspects = aspects ? *aspects : session.Aspects(aspectSettings);
    sheet.zoneWarning = choice ? ChartWarning(*choice, entries) : FileWarning(entries, filePlace);
    const std::optional<std::string> failure = exportSheet(*options.exportChart, sheet);
    if (failure) {
      err << "zodivane-chart: --export-chart: cannot write " << Printable(*options.exportChart)
          << ": " << Printable(*failure) << '\n';
      return kExitFailed;
    }
  }
  return kExitOk;
}

int RunPeople(const Options& options, PlaceBook& places, OutputSink& out, std::ostream& err,
              const SheetExporter& exportSheet) {
  const auto [flags, leftOut] = options.flags.place
                                    ? FlagsForPlace(options.flags)
                                    : std::pair{options.flags, std::set<PlaceField>{}};
  FlagsResult filled = EntriesFromFlags(flags);
  if (const auto* usage = std::get_if<UsageError>(&filled))
    return PrintUsageError(*usage, err);
  if (const auto* refused = std::get_if<FlagNotice>(&filled)) {
    err << "zodivane-chart: " << refused->flag << ": " << refused->notice.message << '\n';
    return kExitFailed;
  }
  std::optional<PlaceChoice> choice;
  if (options.flags.place) {
    if (const std::optional<std::string> problem = places::QueryProblem(*options.flags.place)) {
      err << "zodivane-chart: --place: " << Printable(*problem) << '\n';
      return kExitUsage;
    }
    auto found = FindPlace(places, *options.flags.place);
    if (const auto* message = std::get_if<std::string>(&found)) {
      err << "zodivane-chart: " << Printable(*message) << '\n';
      return kExitFailed;
    }
    choice = ChoosePlace(std::get<places::Place>(found), std::get<FormEntries>(filled));
    FillFromPlace(*choice, leftOut, std::get<FormEntries>(filled));
  }
  return PrintChart(std::get<FormEntries>(filled), options, choice, out, err, exportSheet);
}

/// --chart FILE: the entries of a chart file, cast as the flags are.
int RunChartFile(const Options& options, OutputSink& out, std::ostream& err,
                 const SheetExporter& exportSheet) {
  const std::string& path = *options.chartFile;
  // Bounded while reading; what is not a regular file is refused unread.
  auto contents = ReadRegularFile(path, chartfile::kMostChartFileBytes);
  if (const auto* failure = std::get_if<ReadFailure>(&contents)) {
    err << "zodivane-chart: cannot read " << Printable(path) << ": " << failure->reason << '\n';
    return kExitFailed;
  }
  const std::string& bytes = std::get<std::string>(contents);
  auto read = chartfile::ReadChartFile(bytes);
  if (const auto* message = std::get_if<std::string>(&read)) {
    err << "zodivane-chart: " << Printable(path) << ": " << Printable(*message) << '\n';
    return kExitFailed;
  }
  const chartfile::ChartFile& file = std::get<chartfile::ChartFile>(read);
  return PrintChart(file.entries, options, std::nullopt, out, err, exportSheet, path,
                    file.ephemeris, file.aspectSettings, file.place);
}

}  // namespace

std::string_view HelpText() noexcept {
  return embedded::kChartToolHelpText;
}

std::string VersionText() {
  return "zodivane-chart " ZODIVANE_VERSION "\n";
}

int Run(std::span<const std::string> args, InputSource& in, OutputSink& out, std::ostream& err,
        const SheetExporter& exportSheet) {
  const auto parsed = ParseArguments(args);
  if (const auto* usage = std::get_if<UsageError>(&parsed))
    return PrintUsageError(*usage, err);
  const Options& options = std::get<Options>(parsed);
  PlaceBook places;  // read at the first place lookup
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
        return RunJson(in, out, err, JsonOptions{options.report, threads, &places});
      }
      case Options::Mode::FindPlace:
        return RunFindPlace(*options.findPlace, places, out, err);
      case Options::Mode::ChartFile:
        return RunChartFile(options, out, err, exportSheet);
      case Options::Mode::People:
        break;
    }
    return RunPeople(options, places, out, err, exportSheet);
  } catch (const IoError& error) {
    err << "zodivane-chart: " << error.what() << '\n';
    return kExitFailed;
  }
}

}  // namespace zodivane::chart_tool
