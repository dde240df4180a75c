// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/zodivane_chart/arguments.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "chart/time_zones.h"
#include "tools/zodivane_chart/text_helpers.h"

namespace zodivane::chart_tool {
namespace {

/// What the command line has said so far.
struct Parsed {
  Options options;
  bool json = false;
  bool listZones = false;
  std::optional<std::string> jobs;
};

/// One flag of the command line: a value flag fills a text slot, a switch
/// sets a boolean. New flags join the table.
struct FlagRow {
  std::string_view flag;
  std::optional<std::string>& (*value)(Parsed&);  ///< the slot of a value flag, else nullptr
  bool& (*toggle)(Parsed&);                       ///< the switch of a switch, else nullptr
};

// clang-format off
constexpr auto kFlags = std::to_array<FlagRow>({
    {"--name",       [](Parsed& p) -> auto& { return p.options.flags.name; },    nullptr},
    {"--date",       [](Parsed& p) -> auto& { return p.options.flags.date; },    nullptr},
    {"--time",       [](Parsed& p) -> auto& { return p.options.flags.time; },    nullptr},
    {"--zone",       [](Parsed& p) -> auto& { return p.options.flags.zone; },    nullptr},
    {"--lat",        [](Parsed& p) -> auto& { return p.options.flags.lat; },     nullptr},
    {"--lon",        [](Parsed& p) -> auto& { return p.options.flags.lon; },     nullptr},
    {"--city",       [](Parsed& p) -> auto& { return p.options.flags.city; },    nullptr},
    {"--state",      [](Parsed& p) -> auto& { return p.options.flags.state; },   nullptr},
    {"--country",    [](Parsed& p) -> auto& { return p.options.flags.country; }, nullptr},
    {"--report-rtf", [](Parsed& p) -> auto& { return p.options.reportRtf; },     nullptr},
    {"--jobs",       [](Parsed& p) -> auto& { return p.jobs; },                  nullptr},
    {"--chart",      [](Parsed& p) -> auto& { return p.options.chartFile; },     nullptr},
    {"--json",       nullptr, [](Parsed& p) -> auto& { return p.json; }},
    {"--report",     nullptr, [](Parsed& p) -> auto& { return p.options.report; }},
    {"--dst",        nullptr, [](Parsed& p) -> auto& { return p.options.flags.dst; }},
    {"--list-zones", nullptr, [](Parsed& p) -> auto& { return p.listZones; }},
});
// clang-format on

/// The first notice of typing `text` into a box through `filter`, or the
/// box's text when every key passed.
std::variant<std::string, Notice> TypeWholeText(std::string_view text,
                                                KeyFilterResult (*filter)(int)) {
  TypedText typed = TypeIntoBox("", text, filter);
  if (!typed.notices.empty())
    return std::move(typed.notices.front());
  return std::move(typed.text);
}

struct Coordinate {
  std::string degrees;
  std::string minutes;
  bool second = false;  ///< the second hemisphere letter (S or W) was given
};

/// Reads "28N38": the degree part, a hemisphere letter, the minute part.
std::variant<Coordinate, UsageError, Notice> ParseCoordinate(std::string_view flag,
                                                             std::string_view text, char first,
                                                             char second) {
  const auto lower = [](char c) { return static_cast<char>(c - 'A' + 'a'); };
  const std::string letters{first, second, lower(first), lower(second)};
  const auto split = text.find_first_of(letters);
  if (split == std::string_view::npos) {
    return UsageError{std::string(flag) + " must be degrees, " + first + " or " + second +
                      ", minutes (e.g. " + (first == 'N' ? "28N38" : "77E12") + "), not " +
                      Quoted(text)};
  }
  Coordinate coordinate;
  coordinate.second = text[split] == second || text[split] == lower(second);
  auto degrees = TypeWholeText(text.substr(0, split), CoordinateKeyPress);
  if (auto* notice = std::get_if<Notice>(&degrees))
    return *notice;
  auto minutes = TypeWholeText(text.substr(split + 1), CoordinateKeyPress);
  if (auto* notice = std::get_if<Notice>(&minutes))
    return *notice;
  coordinate.degrees = std::get<std::string>(degrees);
  coordinate.minutes = std::get<std::string>(minutes);
  return coordinate;
}

}  // namespace

std::variant<Options, UsageError> ParseArguments(std::span<const std::string> args) {
  Parsed parsed;
  Options& options = parsed.options;
  if (args.empty())
    return UsageError{"no flags given"};
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      options.mode = Options::Mode::Help;
      return options;
    }
  }
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const auto equals = arg.find('=');
    const std::string_view flag = arg.substr(0, equals);
    const auto row = std::find_if(kFlags.begin(), kFlags.end(),
                                  [flag](const FlagRow& r) { return r.flag == flag; });
    if (row == kFlags.end()) {
      return UsageError{arg.starts_with("-") ? "unknown flag " + Quoted(arg)
                                             : "unexpected argument " + Quoted(arg)};
    }
    if (row->value != nullptr) {
      std::string value;
      if (equals != std::string_view::npos) {
        value = std::string(arg.substr(equals + 1));
      } else if (i + 1 < args.size() && !args[i + 1].starts_with("--")) {
        value = args[++i];
      } else {
        return UsageError{std::string(flag) + " needs a value"};
      }
      std::optional<std::string>& slot = row->value(parsed);
      if (slot)
        return UsageError{std::string(flag) + " is given twice"};
      slot = std::move(value);
      continue;
    }
    if (equals != std::string_view::npos)
      return UsageError{std::string(flag) + " takes no value"};
    bool& toggle = row->toggle(parsed);
    if (toggle)
      return UsageError{std::string(flag) + " is given twice"};
    toggle = true;
  }

  const PeopleFlags& flags = options.flags;
  const bool anyEntryFlag = flags.name || flags.date || flags.time || flags.zone || flags.dst ||
                            flags.lat || flags.lon || flags.city || flags.state || flags.country;
  const bool anyPeopleFlag = anyEntryFlag || options.reportRtf;
  if (parsed.listZones) {
    if (parsed.json || anyPeopleFlag || options.report || parsed.jobs || options.chartFile) {
      return UsageError{"--list-zones takes no other flag"};
    }
    options.mode = Options::Mode::ListZones;
    return options;
  }
  if (options.chartFile) {
    if (parsed.json || parsed.jobs || anyEntryFlag)
      return UsageError{"--chart takes no other flag than --report and --report-rtf"};
    options.mode = Options::Mode::ChartFile;
    return options;
  }
  if (parsed.json) {
    if (anyPeopleFlag)
      return UsageError{"--json takes no other flag than --report and --jobs"};
    if (parsed.jobs) {
      const auto jobs = SmallNumber(*parsed.jobs, 2);
      if (!jobs || *jobs < 1 || *jobs > static_cast<int>(kMostJobs)) {
        return UsageError{"--jobs must be a number of threads from 1 to " +
                          std::to_string(kMostJobs) + ", not " + Quoted(*parsed.jobs)};
      }
      options.jobs = static_cast<unsigned>(*jobs);
    }
    options.mode = Options::Mode::Json;
    return options;
  }
  if (parsed.jobs)
    return UsageError{"--jobs goes with --json"};
  options.mode = Options::Mode::People;
  const auto required = std::to_array<std::pair<std::string_view, bool>>({
      {"--name", flags.name.has_value()},
      {"--date", flags.date.has_value()},
      {"--time", flags.time.has_value()},
      {"--zone", flags.zone.has_value()},
      {"--lat", flags.lat.has_value()},
      {"--lon", flags.lon.has_value()},
  });
  for (const auto& [flag, given] : required) {
    if (!given)
      return UsageError{"missing " + std::string(flag) + " (or use --json)"};
  }
  return options;
}

FlagsResult EntriesFromFlags(const PeopleFlags& flags) {
  FormEntries entries;

  auto name = TypeWholeText(flags.name.value_or(""), txtName_KeyPress);
  if (auto* notice = std::get_if<Notice>(&name))
    return *notice;
  entries.txtName = std::get<std::string>(name);

  // --date YYYY-MM-DD
  const std::string date = flags.date.value_or("");
  const auto dash1 = date.find('-');
  const auto dash2 = dash1 == std::string::npos ? dash1 : date.find('-', dash1 + 1);
  const auto year = SmallNumber(std::string_view(date).substr(0, dash1), 4);
  const auto month =
      dash2 == std::string::npos
          ? std::nullopt
          : SmallNumber(std::string_view(date).substr(dash1 + 1, dash2 - dash1 - 1), 2);
  const auto day = dash2 == std::string::npos
                       ? std::nullopt
                       : SmallNumber(std::string_view(date).substr(dash2 + 1), 2);
  if (!year || !month || !day || dash1 != 4) {
    return UsageError{"--date must be YYYY-MM-DD (e.g. 1980-03-05), not " + Quoted(date)};
  }
  if (*year < 1901 || *year > 2050) {
    return UsageError{"--date: the year must be 1901 to 2050 (the form's year list), not " +
                      std::to_string(*year)};
  }
  if (*month < 1 || *month > 12) {
    return UsageError{"--date: the month must be 01 to 12, not " + std::to_string(*month)};
  }
  if (*day < 1 || *day > 31) {
    return UsageError{"--date: the day must be 01 to 31, not " + std::to_string(*day)};
  }
  entries.cboMonthIndex = *month - 1;
  entries.cboDateIndex = *day - 1;
  entries.cboDateText = std::to_string(*day);
  entries.cboYearText = std::to_string(*year);

  // --time HH:MM
  const std::string time = flags.time.value_or("");
  const auto colon = time.find(':');
  const auto hour = SmallNumber(std::string_view(time).substr(0, colon), 2);
  const auto minute = colon == std::string::npos
                          ? std::nullopt
                          : SmallNumber(std::string_view(time).substr(colon + 1), 2);
  if (!hour || !minute) {
    return UsageError{"--time must be HH:MM (24-hour, e.g. 07:05), not " + Quoted(time)};
  }
  if (*hour > 23 || *minute > 59) {
    return UsageError{"--time: the hour must be 0 to 23 and the minute 0 to 59, not " +
                      Quoted(time)};
  }
  entries.cboHHText = std::to_string(*hour);
  entries.cboMMText = std::to_string(*minute);

  // --zone: a list position or a row's exact text.
  const std::string zone = flags.zone.value_or("");
  if (const auto position = SmallNumber(zone, 2); position && *position < kTimeZoneCount) {
    entries.cmbTimeZoneIndex = *position;
  } else {
    const auto row = std::find_if(kTimeZoneTable.begin(), kTimeZoneTable.end(),
                                  [&zone](const TimeZoneRow& r) { return r.text == zone; });
    if (row == kTimeZoneTable.end()) {
      return UsageError{"--zone must be a list position 0 to 70 or a zone's exact text, not " +
                        Quoted(zone) + " (--list-zones shows them)"};
    }
    entries.cmbTimeZoneIndex = static_cast<int>(row - kTimeZoneTable.begin());
  }
  entries.chkDST = flags.dst;

  auto lat = ParseCoordinate("--lat", flags.lat.value_or(""), 'N', 'S');
  if (auto* usage = std::get_if<UsageError>(&lat))
    return *usage;
  if (auto* notice = std::get_if<Notice>(&lat))
    return *notice;
  auto lon = ParseCoordinate("--lon", flags.lon.value_or(""), 'E', 'W');
  if (auto* usage = std::get_if<UsageError>(&lon))
    return *usage;
  if (auto* notice = std::get_if<Notice>(&lon))
    return *notice;
  const auto& latitude = std::get<Coordinate>(lat);
  const auto& longitude = std::get<Coordinate>(lon);
  entries.txtLatD = latitude.degrees;
  entries.txtLatM = latitude.minutes;
  entries.optSouth = latitude.second;
  entries.txtLonD = longitude.degrees;
  entries.txtLonM = longitude.minutes;
  entries.optEast = !longitude.second;

  entries.txtMCity = flags.city.value_or("");
  entries.txtMState = flags.state.value_or("");
  entries.txtMCountry = flags.country.value_or("");
  return entries;
}

}  // namespace zodivane::chart_tool
