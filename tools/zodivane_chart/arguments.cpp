// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/zodivane_chart/arguments.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <utility>
#include <vector>

#include "chart/chart_driver.h"
#include "chart/time_zones.h"
#include "common/form_rules.h"
#include "common/text_helpers.h"
#include "places/zone_rows.h"
#include "tools/zodivane_chart/aspect_output.h"

namespace zodivane::chart_tool {
namespace {

/// What the command line has said so far.
struct Parsed {
  Options options;
  bool json = false;
  bool listZones = false;
  std::optional<std::string> jobs;
  bool aspects = false;
  std::vector<std::string> orbs;  ///< each --orb's value
  std::optional<std::string> aspectSet;
  std::optional<std::string> ephemeris;
  TransitFlags transitFlags;
};

/// One flag of the command line: a value flag fills a text slot, a switch
/// sets a boolean, a repeatable value flag adds to a list. New flags join
/// the table.
struct FlagRow {
  std::string_view flag;
  std::optional<std::string>& (*value)(Parsed&);  ///< the slot of a value flag, else nullptr
  bool& (*toggle)(Parsed&);                       ///< the switch of a switch, else nullptr
  bool needsText;                                 ///< an empty value ("--report-rtf=") is refused
  std::vector<std::string>& (*values)(Parsed&);   ///< the list of a repeatable flag, else nullptr
};

// clang-format off
constexpr auto kFlags = std::to_array<FlagRow>({
    {"--name",       [](Parsed& p) -> auto& { return p.options.flags.name; },    nullptr, false, nullptr},
    {"--date",       [](Parsed& p) -> auto& { return p.options.flags.date; },    nullptr, false, nullptr},
    {"--time",       [](Parsed& p) -> auto& { return p.options.flags.time; },    nullptr, false, nullptr},
    {"--zone",       [](Parsed& p) -> auto& { return p.options.flags.zone; },    nullptr, false, nullptr},
    {"--lat",        [](Parsed& p) -> auto& { return p.options.flags.lat; },     nullptr, false, nullptr},
    {"--lon",        [](Parsed& p) -> auto& { return p.options.flags.lon; },     nullptr, false, nullptr},
    {"--city",       [](Parsed& p) -> auto& { return p.options.flags.city; },    nullptr, false, nullptr},
    {"--state",      [](Parsed& p) -> auto& { return p.options.flags.state; },   nullptr, false, nullptr},
    {"--country",    [](Parsed& p) -> auto& { return p.options.flags.country; }, nullptr, false, nullptr},
    {"--report-rtf", [](Parsed& p) -> auto& { return p.options.reportRtf; },     nullptr, true, nullptr},
    {"--export-chart", [](Parsed& p) -> auto& { return p.options.exportChart; }, nullptr, true, nullptr},
    {"--jobs",       [](Parsed& p) -> auto& { return p.jobs; },                  nullptr, true, nullptr},
    {"--place",      [](Parsed& p) -> auto& { return p.options.flags.place; },   nullptr, true, nullptr},
    {"--find-place", [](Parsed& p) -> auto& { return p.options.findPlace; },     nullptr, true, nullptr},
    {"--chart",      [](Parsed& p) -> auto& { return p.options.chartFile; },     nullptr, true, nullptr},
    {"--json",       nullptr, [](Parsed& p) -> auto& { return p.json; }, false, nullptr},
    {"--report",     nullptr, [](Parsed& p) -> auto& { return p.options.report; }, false, nullptr},
    {"--dst",        nullptr, [](Parsed& p) -> auto& { return p.options.flags.dst; }, false, nullptr},
    {"--list-zones", nullptr, [](Parsed& p) -> auto& { return p.listZones; }, false, nullptr},
    {"--sensitivity", nullptr, [](Parsed& p) -> auto& { return p.options.sensitivity; }, false, nullptr},
    {"--aspects",    nullptr, [](Parsed& p) -> auto& { return p.aspects; }, false, nullptr},
    {"--orb",        nullptr, nullptr, true, [](Parsed& p) -> auto& { return p.orbs; }},
    {"--aspect-set", [](Parsed& p) -> auto& { return p.aspectSet; }, nullptr, true, nullptr},
    {"--ephemeris",  [](Parsed& p) -> auto& { return p.ephemeris; }, nullptr, true, nullptr},
    {"--points",     nullptr, [](Parsed& p) -> auto& { return p.options.points; }, false, nullptr},
    {"--transits",   [](Parsed& p) -> auto& { return p.transitFlags.transits; }, nullptr, false, nullptr},
    {"--transit-calendar", [](Parsed& p) -> auto& { return p.transitFlags.calendar; }, nullptr, false, nullptr},
    {"--ics",        [](Parsed& p) -> auto& { return p.transitFlags.ics; }, nullptr, true, nullptr},
    {"--ics-passages", nullptr, [](Parsed& p) -> auto& { return p.transitFlags.icsPassages; }, false, nullptr},
    {"--compare",    [](Parsed& p) -> auto& { return p.transitFlags.compare; }, nullptr, true, nullptr},
});
// clang-format on

/// The first notice of typing `text` into a box through `filter`, or the
/// box's text when every key passed. A box with a length limit takes no
/// more characters than that: a longer value is a usage error.
std::variant<std::string, UsageError, FlagNotice> TypeWholeText(
    std::string_view flag, std::string_view box, std::string_view text,
    KeyFilterResult (*filter)(int), std::size_t maxLength = kNoLengthLimit) {
  TypedText typed = TypeIntoBox("", text, filter);
  if (!typed.notices.empty())
    return FlagNotice{std::string(flag), std::move(typed.notices.front())};
  if (typed.text.size() > maxLength) {
    return UsageError{std::string(flag) + ": the " + std::string(box) + " box takes at most " +
                      std::to_string(maxLength) + " characters, not " + Quoted(text)};
  }
  return std::move(typed.text);
}

struct Coordinate {
  std::string degrees;
  std::string minutes;
  bool second = false;  ///< the second hemisphere (S or W)
};

/// Decimal degrees: an optional sign, digits with a decimal point (or a
/// sign without one) and an optional hemisphere letter after them:
/// "28.6358N", "-33.87", "+151". Nullopt when `text` is not of that form.
std::optional<std::variant<Coordinate, UsageError>> ParseDecimalDegrees(std::string_view flag,
                                                                        std::string_view text,
                                                                        char first, char second) {
  std::string_view number = text;
  const bool signed_ = number.starts_with('-') || number.starts_with('+');
  const bool negative = number.starts_with('-');
  if (signed_)
    number.remove_prefix(1);
  std::optional<char> letter;
  if (!number.empty() && std::isalpha(static_cast<unsigned char>(number.back()))) {
    letter = static_cast<char>(std::toupper(static_cast<unsigned char>(number.back())));
    number.remove_suffix(1);
  }
  const auto point = number.find('.');
  const std::string_view whole = number.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view{} : number.substr(point + 1);
  const bool digitsOnly = (whole.empty() || AllDigits(whole)) &&
                          (fraction.empty() || AllDigits(fraction)) &&
                          !(whole.empty() && fraction.empty());
  if (!digitsOnly || (point == std::string_view::npos && !signed_))
    return std::nullopt;
  if (letter && *letter != first && *letter != second)
    return std::nullopt;
  if (letter && signed_) {
    return UsageError{std::string(flag) + ": give a sign or " + first + "/" + second +
                      ", not both: " + Quoted(text)};
  }
  double degrees = 0;
  const std::string digits(number);
  std::from_chars(digits.data(), digits.data() + digits.size(), degrees);
  if (degrees >= 1000) {
    return UsageError{std::string(flag) + ": " + Quoted(text) + " is not a number of degrees"};
  }
  const long minutes = NearestArcMinutes(degrees);
  Coordinate coordinate;
  coordinate.degrees = std::to_string(minutes / 60);
  coordinate.minutes = std::to_string(minutes % 60);
  coordinate.second = letter ? *letter == second : negative;
  return coordinate;
}

/// Reads "28N38" (the degree part, a hemisphere letter, the minute part)
/// or decimal degrees, and types the parts into the degree and minute
/// boxes as a person would.
std::variant<Coordinate, UsageError, FlagNotice> ParseCoordinate(std::string_view flag,
                                                                 std::string_view text, char first,
                                                                 char second,
                                                                 std::size_t degreesMaxLength) {
  std::string_view degreesText;
  std::string_view minutesText;
  Coordinate coordinate;
  std::optional<std::variant<Coordinate, UsageError>> decimal =
      ParseDecimalDegrees(flag, text, first, second);
  if (decimal) {
    if (auto* usage = std::get_if<UsageError>(&*decimal))
      return *usage;
    coordinate = std::get<Coordinate>(*decimal);
    degreesText = coordinate.degrees;
    minutesText = coordinate.minutes;
  } else {
    const auto lower = [](char c) { return static_cast<char>(c - 'A' + 'a'); };
    const std::string letters{first, second, lower(first), lower(second)};
    const auto split = text.find_first_of(letters);
    if (split == std::string_view::npos) {
      return UsageError{std::string(flag) + " must be degrees, " + first + " or " + second +
                        ", minutes (e.g. " + (first == 'N' ? "28N38" : "77E12") +
                        ") or decimal degrees (e.g. " + (first == 'N' ? "28.6358N" : "-77.2") +
                        "), not " + Quoted(text)};
    }
    coordinate.second = text[split] == second || text[split] == lower(second);
    degreesText = text.substr(0, split);
    minutesText = text.substr(split + 1);
  }
  auto degrees = TypeWholeText(flag, "degree", degreesText, CoordinateKeyPress, degreesMaxLength);
  if (auto* notice = std::get_if<FlagNotice>(&degrees))
    return *notice;
  auto minutes =
      TypeWholeText(flag, "minute", minutesText, CoordinateKeyPress, kCoordinateMaxLength);
  if (auto* notice = std::get_if<FlagNotice>(&minutes))
    return *notice;
  if (auto* usage = std::get_if<UsageError>(&degrees))
    return *usage;
  if (auto* usage = std::get_if<UsageError>(&minutes))
    return *usage;
  return Coordinate{std::get<std::string>(std::move(degrees)),
                    std::get<std::string>(std::move(minutes)), coordinate.second};
}

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lowered;
}

/// --zone: a list position, a row's text (any case) or an abbreviation
/// that only one row has.
std::variant<int, UsageError> ParseZone(std::string_view zone) {
  if (const auto position = SmallNumber(zone, 3); position && *position < kTimeZoneCount)
    return *position;
  const std::string wanted = Lowered(zone);
  std::vector<int> rows;
  for (int i = 0; i < kTimeZoneCount; ++i) {
    if (Lowered(kTimeZoneTable[static_cast<std::size_t>(i)].text) == wanted)
      return i;
  }
  for (int i = 0; i < kTimeZoneCount; ++i) {
    if (!wanted.empty() && Lowered(places::RowAbbreviation(i)) == wanted)
      rows.push_back(i);
  }
  if (rows.size() == 1)
    return rows.front();
  if (rows.size() > 1) {
    std::string message = "--zone: " + Quoted(zone) + " is the abbreviation of " +
                          std::to_string(rows.size()) + " zones; give the list position:";
    for (const int row : rows) {
      message += "\n  " + Padded(std::to_string(row), 4);
      message += kTimeZoneTable[static_cast<std::size_t>(row)].text;
    }
    return UsageError{std::move(message)};
  }
  return UsageError{
      "--zone must be a list position 0 to 70, a zone's text or its abbreviation (IST), not " +
      Quoted(zone) + " (--list-zones shows them)"};
}

/// Edits needed to turn `a` into `b` (Levenshtein distance).
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j)
    row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

/// "unknown flag "--lattitude"; did you mean --lat?" when a known flag is
/// close: one that begins the unknown one or that it begins, else the one
/// fewest edits away when that is few.
std::string UnknownFlag(std::string_view arg, std::string_view flag) {
  std::vector<std::string_view> known;
  for (const FlagRow& row : kFlags)
    known.push_back(row.flag);
  known.push_back("--help");
  known.push_back("--version");
  std::string_view nearest;
  std::size_t best = std::numeric_limits<std::size_t>::max();
  for (const std::string_view candidate : known) {
    const bool prefix = flag.size() > 2 && candidate.size() > 2 &&
                        (flag.starts_with(candidate) || candidate.starts_with(flag));
    const std::size_t distance = prefix ? 1 : EditDistance(flag, candidate);
    if (distance < best) {
      best = distance;
      nearest = candidate;
    }
  }
  std::string message = "unknown flag " + Quoted(arg);
  if (best <= std::max<std::size_t>(2, nearest.size() / 3))
    message += "; did you mean " + std::string(nearest) + "?";
  return message;
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
  for (const std::string& arg : args) {
    if (arg == "--version") {
      options.mode = Options::Mode::Version;
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
      return UsageError{arg.starts_with("-") ? UnknownFlag(arg, flag)
                                             : "unexpected argument " + Quoted(arg)};
    }
    if (row->value != nullptr || row->values != nullptr) {
      std::string value;
      if (equals != std::string_view::npos) {
        value = std::string(arg.substr(equals + 1));
      } else if (i + 1 < args.size() && !args[i + 1].starts_with("--")) {
        value = args[++i];
      } else if (flag == "--transits" || flag == "--transit-calendar") {
        value.clear();  // their value may be left out: now, the next twelve months
      } else {
        return UsageError{std::string(flag) + " needs a value"};
      }
      if (value.empty() && row->needsText)
        return UsageError{std::string(flag) + " needs a value"};
      if (row->values != nullptr) {
        row->values(parsed).push_back(std::move(value));
        continue;
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

  // --json beside the transit flags asks for their answers as JSON.
  const bool anyTransitFlag = parsed.transitFlags.Any();
  if (anyTransitFlag) {
    parsed.transitFlags.json = std::exchange(parsed.json, false);
    auto request = ReadTransitFlags(parsed.transitFlags);
    if (auto* message = std::get_if<std::string>(&request))
      return UsageError{std::move(*message)};
    options.transits = std::get<TransitRequest>(std::move(request));
  }
  const PeopleFlags& flags = options.flags;
  const bool anyEntryFlag = flags.name || flags.date || flags.time || flags.zone || flags.dst ||
                            flags.lat || flags.lon || flags.city || flags.state || flags.country ||
                            flags.place;
  const bool anyAspectFlag = parsed.aspects || !parsed.orbs.empty() || parsed.aspectSet;
  const bool anyEngineFlag = parsed.ephemeris || options.points;
  const bool anyPeopleFlag = anyEntryFlag || options.reportRtf || options.sensitivity ||
                             options.exportChart || anyAspectFlag || anyEngineFlag ||
                             anyTransitFlag;
  if (parsed.ephemeris) {
    options.ephemeris = EphemerisFromName(*parsed.ephemeris);
    if (!options.ephemeris) {
      return UsageError{"--ephemeris must be builtin or swiss, not " + Quoted(*parsed.ephemeris)};
    }
  }
  if (options.findPlace) {
    if (parsed.listZones || parsed.json || anyPeopleFlag || options.report || parsed.jobs ||
        options.chartFile) {
      return UsageError{"--find-place takes no other flag"};
    }
    options.mode = Options::Mode::FindPlace;
    return options;
  }
  if (parsed.listZones) {
    if (parsed.json || anyPeopleFlag || options.report || parsed.jobs || options.chartFile) {
      return UsageError{"--list-zones takes no other flag"};
    }
    options.mode = Options::Mode::ListZones;
    return options;
  }
  // --aspects with its --orb and --aspect-set, for the form for people and --chart.
  const auto readAspectFlags = [&]() -> std::optional<UsageError> {
    if (!parsed.aspects && !parsed.orbs.empty())
      return UsageError{"--orb goes with --aspects"};
    if (!parsed.aspects && parsed.aspectSet)
      return UsageError{"--aspect-set goes with --aspects"};
    if (parsed.aspects) {
      auto settings = SettingsFromFlags(parsed.orbs, parsed.aspectSet);
      if (auto* message = std::get_if<std::string>(&settings))
        return UsageError{std::move(*message)};
      options.aspects = std::get<AspectSettings>(settings);
      options.aspectSettingsGiven = !parsed.orbs.empty() || parsed.aspectSet.has_value();
    }
    return std::nullopt;
  };
  if (options.chartFile) {
    if (parsed.json || parsed.jobs || anyEntryFlag)
      return UsageError{
          "--chart takes no other flag than --report, --report-rtf, --sensitivity, "
          "--export-chart, --ephemeris, --points and --aspects with its --orb and --aspect-set"};
    if (auto usage = readAspectFlags())
      return *std::move(usage);
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
  if (auto usage = readAspectFlags())
    return *std::move(usage);
  options.mode = Options::Mode::People;
  const auto required = std::to_array<std::pair<std::string_view, bool>>({
      {"--name", flags.name.has_value()},
      {"--date", flags.date.has_value()},
      {"--time", flags.time.has_value()},
      {"--zone", flags.zone.has_value() || flags.place.has_value()},
      {"--lat", flags.lat.has_value() || flags.place.has_value()},
      {"--lon", flags.lon.has_value() || flags.place.has_value()},
  });
  for (const auto& [flag, given] : required) {
    if (!given)
      return UsageError{"missing " + std::string(flag) + " (or use --json)"};
  }
  return options;
}

FlagsResult EntriesFromFlags(const PeopleFlags& flags) {
  FormEntries entries;

  auto name = TypeWholeText("--name", "name", flags.name.value_or(""), txtName_KeyPress);
  if (auto* notice = std::get_if<FlagNotice>(&name))
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
  if (*year < kFirstBirthYear || *year > kLastBirthYear) {
    return UsageError{"--date: the year must be " + std::to_string(kFirstBirthYear) + " to " +
                      std::to_string(kLastBirthYear) + " (the form's year list), not " +
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
  if (*hour > kHourList.last || *minute > kMinuteList.last) {
    return UsageError{"--time: the hour must be 0 to 23 and the minute 0 to 59, not " +
                      Quoted(time)};
  }
  entries.cboHHText = std::to_string(*hour);
  entries.cboMMText = std::to_string(*minute);

  auto zone = ParseZone(flags.zone.value_or(""));
  if (auto* usage = std::get_if<UsageError>(&zone))
    return *usage;
  entries.cmbTimeZoneIndex = std::get<int>(zone);
  entries.chkDST = flags.dst;

  auto lat = ParseCoordinate("--lat", flags.lat.value_or(""), 'N', 'S', kCoordinateMaxLength);
  if (auto* usage = std::get_if<UsageError>(&lat))
    return *usage;
  if (auto* notice = std::get_if<FlagNotice>(&lat))
    return *notice;
  auto lon = ParseCoordinate("--lon", flags.lon.value_or(""), 'E', 'W', kLonDegreesMaxLength);
  if (auto* usage = std::get_if<UsageError>(&lon))
    return *usage;
  if (auto* notice = std::get_if<FlagNotice>(&lon))
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

std::string_view FlagOfControl(const std::optional<std::string>& control) noexcept {
  if (!control)
    return "--date";
  if (*control == "txtName")
    return "--name";
  if (control->starts_with("txtLat"))
    return "--lat";
  if (control->starts_with("txtLon"))
    return "--lon";
  if (*control == kEphemerisControl)
    return "--ephemeris";
  return "--date";
}

}  // namespace zodivane::chart_tool
