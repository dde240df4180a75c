#include "tools/zodivane_chart.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <exception>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <utility>
#include <vector>

#include "chart/time_zones.h"
#include "common/vocabulary.h"
#include "report/report.h"
#include "report/report_sinks.h"
#include "report/rtf_writer.h"

namespace zodivane::chart_tool {
namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

constexpr std::string_view kHelp =
    R"(zodivane-chart: cast Zodivane natal charts from the command line.

Usage:
  zodivane-chart --name NAME --date YYYY-MM-DD --time HH:MM --zone ZONE [--dst]
                 --lat DDxMM --lon DDDxMM [--city C] [--state S] [--country C]
                 [--report] [--report-rtf FILE]
  zodivane-chart --json [--report]
  zodivane-chart --list-zones
  zodivane-chart --help

The form for people
  The flags fill the birth-data form exactly as a person would, then cast the
  chart and print it as text: the details, the three signs, the eleven
  positions and the natal wheel house by house.

  --name NAME     typed key by key through the name box's filter: letters are
                  turned into capitals, spaces pass, anything else is refused
                  with the form's message "Please Enter only Letters".
  --date Y-M-D    year 1901 to 2050, month 1 to 12, day 1 to 31 (the form's
                  lists); a day the month lacks (30 February, 31 April) gets
                  the form's own message.
  --time H:MM     local clock time, 24-hour, hour 0 to 23, minute 0 to 59.
  --zone ZONE     the time zone: its list position 0 to 70, or its exact text
                  as listed by --list-zones (e.g. "Indian Time, IST, +5.3").
  --dst           tick "Daylight Saving Time".
  --lat DDxMM     latitude degrees, N or S, minutes: 28N38, 33S52.
  --lon DDDxMM    longitude degrees, E or W, minutes: 77E12, 0W7.
                  The degree and minute parts go into the coordinate boxes as
                  typed (digits only: any other key is refused with "Only
                  Numbers Are Accepted"); out-of-range or empty parts get the
                  form's own validation message.
  --city, --state, --country
                  the birth place, printed as given; may be left out.
  --report        print the planet-in-sign report's plain text after the chart.
  --report-rtf FILE
                  write the styled report (bold and colours, Verdana 8.25) as
                  a Rich Text Format file.

  Flags take their value as the next argument or after "=" (--city=Delhi).
  A value that itself starts with "--" must be given after "=".

The JSON protocol (--json)
  Reads one JSON object per line on standard input and writes one JSON object
  per line on standard output, flushed after each answer.

  Input keys (all required; extra keys are ignored):
    txtName, txtLonD, txtLonM, txtLatD, txtLatM, txtMCity, txtMState,
    txtMCountry                           strings, as the boxes hold them
    cboMonthIndex (0-11), cboDateIndex (0-30), cmbTimeZoneIndex (0-70)
                                          integers, list positions from 0
    cboDateText ("1"-"31"), cboYearText ("1901"-"2050"), cboHHText ("0"-"23"),
    cboMMText ("0"-"59")                  strings, the selected entries' texts,
                                          written as the lists write them (no
                                          leading zeros); cboDateText must be
                                          the entry at cboDateIndex
    optEast, optSouth, chkDST             booleans

  Answers:
    a chart:     {"positions":[11 texts],"ascendantText","moonText",
                  "moonSignName","sunSign","moonSign","ascendantSign" (null
                  where none),"name","dateOfBirth","timeOfBirth","latitude",
                  "longitude","city","state","country","wheelNames":[7],
                  "wheel":{"houseTexts":[12, CR LF kept],"pictures":[12
                  numbers 1-12] or null}} and, with --report, "report" (the
                  report's plain text, CR LF kept)
    a rejection: {"rejected":{"message":...,"icon":"critical"|"information",
                  "focus":control name or null}}
    a bad line:  {"error":"<what is wrong, naming the key>"} for a line that
                 is not valid UTF-8 or JSON, not an object, lacks a key, has a
                 value of the wrong type or a value outside the form's lists.
  Blank lines (empty or only white space) are skipped without an answer; every
  other line gets exactly one answer line. After a bad line the tool carries on.

Exit status
  0  success (in --json mode also when some entries were rejected by the form)
  1  the form refused the entries or a key, a --json line got an error answer,
     or the RTF file could not be written
  2  the command line is wrong: an unknown flag, a missing value or flag, a
     malformed value, or a value outside the form's lists

Examples
  zodivane-chart --name "Anna Lind" --date 1980-03-05 --time 7:05 \
      --zone "Indian Time, IST, +5.3" --lat 28N38 --lon 77E12 \
      --city Delhi --state Delhi --country India --report

  echo '{"txtName":"ANNA","txtLonD":"77","txtLonM":"12","txtLatD":"28",
  "txtLatM":"38","txtMCity":"Delhi","txtMState":"Delhi","txtMCountry":"India",
  "cboMonthIndex":2,"cboDateIndex":4,"cmbTimeZoneIndex":34,"cboDateText":"5",
  "cboYearText":"1980","cboHHText":"7","cboMMText":"5","optEast":true,
  "optSouth":false,"chkDST":false}' | zodivane-chart --json
  (the object must be on one line)
)";

// ---------------------------------------------------------------------------
// Text helpers

/// Length of the well-formed UTF-8 sequence starting at `text[i]` (no
/// overlong forms, no surrogates, nothing above U+10FFFF), or 0 when none does.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) noexcept {
  const auto byte = static_cast<unsigned char>(text[i]);
  if (byte < 0x80)
    return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (byte >= 0xC2 && byte <= 0xDF) {
    length = 2;
  } else if (byte >= 0xE0 && byte <= 0xEF) {
    length = 3;
    if (byte == 0xE0)
      low = 0xA0;
    if (byte == 0xED)
      high = 0x9F;
  } else if (byte >= 0xF0 && byte <= 0xF4) {
    length = 4;
    if (byte == 0xF0)
      low = 0x90;
    if (byte == 0xF4)
      high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > text.size())
    return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
      return 0;
  }
  return length;
}

/// Position (from 0) of the first byte that does not belong to well-formed UTF-8.
std::optional<std::size_t> FirstInvalidUtf8(std::string_view text) noexcept {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length == 0)
      return i;
    i += length;
  }
  return std::nullopt;
}

/// The code points of `text` in order; a byte that is not part of
/// well-formed UTF-8 stands for itself (128..255).
std::vector<int> CodePoints(std::string_view text) {
  std::vector<int> codes;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length <= 1) {
      codes.push_back(byte);
      ++i;
      continue;
    }
    int code = byte & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    codes.push_back(code);
    i += length;
  }
  return codes;
}

bool IsBlank(std::string_view line) noexcept {
  return line.find_first_not_of(" \t\r\n\f\v") == std::string_view::npos;
}

bool AllDigits(std::string_view text) noexcept {
  if (text.empty())
    return false;
  for (const char c : text) {
    if (c < '0' || c > '9')
      return false;
  }
  return true;
}

/// The value of a short run of digits, or nullopt when `text` is not 1 to
/// `maxDigits` digits.
std::optional<int> SmallNumber(std::string_view text, std::size_t maxDigits) noexcept {
  if (!AllDigits(text) || text.size() > maxDigits)
    return std::nullopt;
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

/// Whether `text` is an entry of a list holding `first` to `last` written in
/// decimal without leading zeros.
bool IsListEntry(std::string_view text, int first, int last) noexcept {
  if (text.size() > 1 && text.front() == '0')
    return false;
  const auto value = SmallNumber(text, 4);
  return value && *value >= first && *value <= last;
}

std::string Quoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted.push_back('"');
  quoted.append(text);
  quoted.push_back('"');
  return quoted;
}

// ---------------------------------------------------------------------------
// JSON input

using FieldRef = std::variant<std::string FormEntries::*, int FormEntries::*, bool FormEntries::*>;

/// One input key of the JSON protocol and the FormEntries field it fills.
struct InputKey {
  std::string_view key;  ///< the field's name
  FieldRef field;
};

constexpr std::array<InputKey, 18> kInputKeys{{
    {"txtName", &FormEntries::txtName},
    {"txtLonD", &FormEntries::txtLonD},
    {"txtLonM", &FormEntries::txtLonM},
    {"txtLatD", &FormEntries::txtLatD},
    {"txtLatM", &FormEntries::txtLatM},
    {"txtMCity", &FormEntries::txtMCity},
    {"txtMState", &FormEntries::txtMState},
    {"txtMCountry", &FormEntries::txtMCountry},
    {"cboMonthIndex", &FormEntries::cboMonthIndex},
    {"cboDateIndex", &FormEntries::cboDateIndex},
    {"cmbTimeZoneIndex", &FormEntries::cmbTimeZoneIndex},
    {"cboDateText", &FormEntries::cboDateText},
    {"cboYearText", &FormEntries::cboYearText},
    {"cboHHText", &FormEntries::cboHHText},
    {"cboMMText", &FormEntries::cboMMText},
    {"optEast", &FormEntries::optEast},
    {"optSouth", &FormEntries::optSouth},
    {"chkDST", &FormEntries::chkDST},
}};
static_assert(kInputKeys.size() == 18);

/// A list of the form: the key that holds its position or selected text and
/// the numbers it offers.
struct ListRange {
  std::string_view key;
  int first;  ///< for a position key always 0; for a text key the first entry
  int last;
  std::string_view what;  ///< how the message names the list
};

constexpr std::array<ListRange, 3> kPositionKeys{{
    {"cboMonthIndex", 0, 11, "the month list"},
    {"cboDateIndex", 0, 30, "the day list"},
    {"cmbTimeZoneIndex", 0, kTimeZoneCount - 1, "the time-zone list"},
}};

constexpr std::array<ListRange, 4> kListTextKeys{{
    {"cboDateText", 1, 31, "the day list"},
    {"cboYearText", 1901, 2050, "the year list"},
    {"cboHHText", 0, 23, "the hour list"},
    {"cboMMText", 0, 59, "the minute list"},
}};

std::string Describe(const Json& value) {
  if (value.is_number_float())
    return "a number with a fraction or exponent";
  if (value.is_number())
    return "a number";
  if (value.is_null())
    return "null";
  if (value.is_boolean())
    return "a boolean";
  if (value.is_string())
    return "a string";
  if (value.is_array())
    return "an array";
  return "an object";
}

/// Checks and copies one key; returns the error message or nullopt.
std::optional<std::string> ReadKey(const Json& object, const InputKey& rule, FormEntries& entries) {
  const Json& value = object.at(std::string(rule.key));
  const auto wrongType = [&](std::string_view wanted) {
    return "key " + Quoted(rule.key) + " must be " + std::string(wanted) + ", not " +
           Describe(value);
  };
  if (const auto* text = std::get_if<std::string FormEntries::*>(&rule.field)) {
    if (!value.is_string())
      return wrongType("a string");
    entries.*(*text) = value.get<std::string>();
  } else if (const auto* number = std::get_if<int FormEntries::*>(&rule.field)) {
    if (!value.is_number_integer())
      return wrongType("an integer (a list position from 0)");
    for (const ListRange& list : kPositionKeys) {
      if (list.key != rule.key)
        continue;
      const bool inRange =
          value.is_number_unsigned()
              ? value.get<std::uint64_t>() <= static_cast<std::uint64_t>(list.last)
              : value.get<std::int64_t>() >= 0 && value.get<std::int64_t>() <= list.last;
      if (!inRange) {
        return "key " + Quoted(rule.key) + " must be a position in " + std::string(list.what) +
               ", 0 to " + std::to_string(list.last) + ", not " + value.dump();
      }
    }
    entries.*(*number) = static_cast<int>(value.get<std::int64_t>());
  } else {
    if (!value.is_boolean())
      return wrongType("a boolean");
    entries.*std::get<bool FormEntries::*>(rule.field) = value.get<bool>();
  }
  return std::nullopt;
}

/// The list texts must be entries of their lists, and the day text the one
/// at the day position, as the form always holds them.
std::optional<std::string> CheckListTexts(const FormEntries& entries) {
  const std::array<const std::string*, 4> texts{&entries.cboDateText, &entries.cboYearText,
                                                &entries.cboHHText, &entries.cboMMText};
  for (std::size_t i = 0; i < kListTextKeys.size(); ++i) {
    const ListRange& list = kListTextKeys[i];
    if (!IsListEntry(*texts[i], list.first, list.last)) {
      return "key " + Quoted(list.key) + " must be an entry of " + std::string(list.what) + ", " +
             Quoted(std::to_string(list.first)) + " to " + Quoted(std::to_string(list.last)) +
             " without leading zeros, not " +
             Json(*texts[i]).dump(-1, ' ', false, Json::error_handler_t::replace);
    }
  }
  if (entries.cboDateText != std::to_string(entries.cboDateIndex + 1)) {
    return "key \"cboDateText\" must be the day list's entry at cboDateIndex " +
           std::to_string(entries.cboDateIndex) + ", " +
           Quoted(std::to_string(entries.cboDateIndex + 1)) + ", not " +
           Quoted(entries.cboDateText);
  }
  return std::nullopt;
}

// ---------------------------------------------------------------------------
// Command line

enum class ValueFlag { Name, Date, Time, Zone, Lat, Lon, City, State, Country, ReportRtf };

struct ValueFlagRow {
  std::string_view flag;
  ValueFlag which;
};

constexpr std::array<ValueFlagRow, 10> kValueFlags{{
    {"--name", ValueFlag::Name},
    {"--date", ValueFlag::Date},
    {"--time", ValueFlag::Time},
    {"--zone", ValueFlag::Zone},
    {"--lat", ValueFlag::Lat},
    {"--lon", ValueFlag::Lon},
    {"--city", ValueFlag::City},
    {"--state", ValueFlag::State},
    {"--country", ValueFlag::Country},
    {"--report-rtf", ValueFlag::ReportRtf},
}};
static_assert(kValueFlags.size() == 10);

std::optional<std::string>& Slot(Options& options, ValueFlag which) {
  switch (which) {
    case ValueFlag::Name:
      return options.flags.name;
    case ValueFlag::Date:
      return options.flags.date;
    case ValueFlag::Time:
      return options.flags.time;
    case ValueFlag::Zone:
      return options.flags.zone;
    case ValueFlag::Lat:
      return options.flags.lat;
    case ValueFlag::Lon:
      return options.flags.lon;
    case ValueFlag::City:
      return options.flags.city;
    case ValueFlag::State:
      return options.flags.state;
    case ValueFlag::Country:
      return options.flags.country;
    case ValueFlag::ReportRtf:
      break;
  }
  return options.reportRtf;
}

/// Types `text` into a box through `filter`, key by key, as the box would
/// take it: a passed backspace removes the last character, a passed
/// carriage return adds nothing (the boxes are single-line). Returns the
/// box's text, or the notice of the first refused key.
template <typename Filter>
std::variant<std::string, Notice> TypeIntoBox(std::string_view text, Filter filter) {
  std::string box;
  for (const int code : CodePoints(text)) {
    const KeyFilterResult result = filter(code);
    if (result.keyCode == 0) {
      return result.notice.value_or(Notice{"key refused", MessageIcon::Information});
    }
    if (result.keyCode == 8) {
      if (!box.empty())
        box.pop_back();
    } else if (result.keyCode != 13) {
      box.push_back(static_cast<char>(result.keyCode));
    }
  }
  return box;
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
  auto degrees = TypeIntoBox(text.substr(0, split), CoordinateKeyPress);
  if (auto* notice = std::get_if<Notice>(&degrees))
    return *notice;
  auto minutes = TypeIntoBox(text.substr(split + 1), CoordinateKeyPress);
  if (auto* notice = std::get_if<Notice>(&minutes))
    return *notice;
  coordinate.degrees = std::get<std::string>(degrees);
  coordinate.minutes = std::get<std::string>(minutes);
  return coordinate;
}

std::string IconName(MessageIcon icon) {
  return icon == MessageIcon::Critical ? "critical" : "information";
}

std::string_view TrimRight(std::string_view text) noexcept {
  const auto end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

/// The bodies of one house text ("\r\nSun\r\nAsc") joined by commas.
std::string HouseContents(std::string_view houseText) {
  std::string joined;
  std::size_t start = 0;
  while (start <= houseText.size()) {
    const auto end = houseText.find("\r\n", start);
    const auto piece =
        TrimRight(houseText.substr(start, end == std::string_view::npos ? end : end - start));
    if (!piece.empty()) {
      if (!joined.empty())
        joined += ", ";
      joined += piece;
    }
    if (end == std::string_view::npos)
      break;
    start = end + 2;
  }
  return joined.empty() ? "-" : joined;
}

std::string Padded(std::string_view text, std::size_t width) {
  std::string padded(text);
  if (padded.size() < width)
    padded.append(width - padded.size(), ' ');
  return padded;
}

int PrintUsageError(const UsageError& error, std::ostream& err) {
  err << "zodivane-chart: " << error.message << "\nTry 'zodivane-chart --help'.\n";
  return kExitUsage;
}

int RunPeople(const Options& options, std::ostream& out, std::ostream& err) {
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
  out << ChartText(std::get<ChartView>(result), session);
  if (options.report)
    out << '\n' << ReportPlainText(session) << '\n';
  out.flush();
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

}  // namespace

std::string_view HelpText() noexcept {
  return kHelp;
}

// ---------------------------------------------------------------------------
// JSON lines

EntriesOrError ParseEntriesLine(std::string_view line) {
  if (const auto bad = FirstInvalidUtf8(line)) {
    return "line is not valid UTF-8 (bad byte at column " + std::to_string(*bad + 1) + ")";
  }
  Json object;
  try {
    object = Json::parse(line);
  } catch (const Json::parse_error& error) {
    std::string_view what = error.what();
    if (const auto tag = what.find("] "); tag != std::string_view::npos)
      what.remove_prefix(tag + 2);
    return "line is not valid JSON: " + std::string(what);
  }
  if (!object.is_object()) {
    return "line must be a JSON object of form entries, not " + Describe(object);
  }
  std::string missing;
  for (const InputKey& rule : kInputKeys) {
    if (!object.contains(std::string(rule.key))) {
      missing += missing.empty() ? "" : ", ";
      missing += Quoted(rule.key);
    }
  }
  if (!missing.empty()) {
    return (missing.find(',') == std::string::npos ? "missing key " : "missing keys ") + missing;
  }
  FormEntries entries;
  for (const InputKey& rule : kInputKeys) {
    if (auto error = ReadKey(object, rule, entries))
      return *std::move(error);
  }
  if (auto error = CheckListTexts(entries))
    return *std::move(error);
  return entries;
}

OrderedJson ChartJson(const ChartView& view, ChartSession& session, bool withReport) {
  const auto optionalText = [](const std::optional<std::string>& text) {
    return text ? OrderedJson(*text) : OrderedJson(nullptr);
  };
  OrderedJson answer;
  answer["positions"] = view.positions;
  answer["ascendantText"] = session.ascendantText();
  answer["moonText"] = session.moonText();
  answer["moonSignName"] = session.moonSignName();
  answer["sunSign"] = optionalText(view.sunSign);
  answer["moonSign"] = view.moonSign;
  answer["ascendantSign"] = optionalText(view.ascendantSign);
  answer["name"] = view.name;
  answer["dateOfBirth"] = view.dateOfBirth;
  answer["timeOfBirth"] = view.timeOfBirth;
  answer["latitude"] = view.latitude;
  answer["longitude"] = view.longitude;
  answer["city"] = view.city;
  answer["state"] = view.state;
  answer["country"] = view.country;
  answer["wheelNames"] = session.wheelNames();
  OrderedJson wheel;
  wheel["houseTexts"] = view.wheel.houseTexts;
  wheel["pictures"] =
      view.wheel.pictures ? OrderedJson(*view.wheel.pictures) : OrderedJson(nullptr);
  answer["wheel"] = std::move(wheel);
  if (withReport)
    answer["report"] = ReportPlainText(session);
  return answer;
}

OrderedJson RejectionJson(const Rejection& rejection) {
  OrderedJson detail;
  detail["message"] = rejection.notice.message;
  detail["icon"] = IconName(rejection.notice.icon);
  detail["focus"] = rejection.focus ? OrderedJson(*rejection.focus) : OrderedJson(nullptr);
  OrderedJson answer;
  answer["rejected"] = std::move(detail);
  return answer;
}

std::string DumpLine(const OrderedJson& answer) {
  return answer.dump(-1, ' ', false, OrderedJson::error_handler_t::replace);
}

std::string AnswerLine(ChartSession& session, std::string_view line, bool withReport,
                       bool& failed) {
  const auto errorLine = [&failed](const std::string& message) {
    failed = true;
    OrderedJson answer;
    answer["error"] = message;
    return DumpLine(answer);
  };
  try {
    EntriesOrError parsed = ParseEntriesLine(line);
    if (const auto* message = std::get_if<std::string>(&parsed))
      return errorLine(*message);
    const CastResult result = session.CastChart(std::get<FormEntries>(parsed));
    if (const auto* rejection = std::get_if<Rejection>(&result)) {
      return DumpLine(RejectionJson(*rejection));
    }
    return DumpLine(ChartJson(std::get<ChartView>(result), session, withReport));
  } catch (const std::exception& error) {
    return errorLine(std::string("the chart could not be cast: ") + error.what());
  }
}

int RunJson(std::istream& in, std::ostream& out, bool withReport) {
  ChartSession session;
  bool anyFailed = false;
  std::string line;
  while (std::getline(in, line)) {
    if (IsBlank(line))
      continue;
    bool failed = false;
    out << AnswerLine(session, line, withReport, failed) << '\n' << std::flush;
    anyFailed = anyFailed || failed;
  }
  return anyFailed ? kExitFailed : kExitOk;
}

// ---------------------------------------------------------------------------
// The form for people

std::variant<Options, UsageError> ParseArguments(std::span<const std::string> args) {
  Options options;
  bool json = false;
  bool listZones = false;
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
    const auto row = std::find_if(kValueFlags.begin(), kValueFlags.end(),
                                  [flag](const ValueFlagRow& r) { return r.flag == flag; });
    if (row != kValueFlags.end()) {
      std::string value;
      if (equals != std::string_view::npos) {
        value = std::string(arg.substr(equals + 1));
      } else if (i + 1 < args.size() && !args[i + 1].starts_with("--")) {
        value = args[++i];
      } else {
        return UsageError{std::string(flag) + " needs a value"};
      }
      std::optional<std::string>& slot = Slot(options, row->which);
      if (slot)
        return UsageError{std::string(flag) + " is given twice"};
      slot = std::move(value);
      continue;
    }
    bool* toggle = nullptr;
    if (flag == "--json") {
      toggle = &json;
    } else if (flag == "--report") {
      toggle = &options.report;
    } else if (flag == "--dst") {
      toggle = &options.flags.dst;
    } else if (flag == "--list-zones") {
      toggle = &listZones;
    }
    if (toggle == nullptr) {
      return UsageError{arg.starts_with("-") ? "unknown flag " + Quoted(arg)
                                             : "unexpected argument " + Quoted(arg)};
    }
    if (equals != std::string_view::npos)
      return UsageError{std::string(flag) + " takes no value"};
    if (*toggle)
      return UsageError{std::string(flag) + " is given twice"};
    *toggle = true;
  }

  const PeopleFlags& flags = options.flags;
  const bool anyPeopleFlag = flags.name || flags.date || flags.time || flags.zone || flags.dst ||
                             flags.lat || flags.lon || flags.city || flags.state || flags.country ||
                             options.reportRtf;
  if (listZones) {
    if (json || anyPeopleFlag || options.report) {
      return UsageError{"--list-zones takes no other flag"};
    }
    options.mode = Options::Mode::ListZones;
    return options;
  }
  if (json) {
    if (anyPeopleFlag)
      return UsageError{"--json takes no other flag than --report"};
    options.mode = Options::Mode::Json;
    return options;
  }
  options.mode = Options::Mode::People;
  const std::array<std::pair<std::string_view, bool>, 6> required{{
      {"--name", flags.name.has_value()},
      {"--date", flags.date.has_value()},
      {"--time", flags.time.has_value()},
      {"--zone", flags.zone.has_value()},
      {"--lat", flags.lat.has_value()},
      {"--lon", flags.lon.has_value()},
  }};
  for (const auto& [flag, given] : required) {
    if (!given)
      return UsageError{"missing " + std::string(flag) + " (or use --json)"};
  }
  return options;
}

FlagsResult EntriesFromFlags(const PeopleFlags& flags) {
  FormEntries entries;

  auto name = TypeIntoBox(flags.name.value_or(""), txtName_KeyPress);
  if (auto* notice = std::get_if<Notice>(&name))
    return *notice;
  entries.txtName = std::get<std::string>(name);

  // --date YYYY-MM-DD
  const std::string date = flags.date.value_or("");
  const auto dash1 = date.find('-');
  const auto dash2 = dash1 == std::string::npos ? dash1 : date.find('-', dash1 + 1);
  const auto year = SmallNumber(date.substr(0, dash1), 4);
  const auto month =
      dash2 == std::string::npos
          ? std::nullopt
          : SmallNumber(std::string_view(date).substr(dash1 + 1, dash2 - dash1 - 1), 2);
  const auto day =
      dash2 == std::string::npos ? std::nullopt : SmallNumber(date.substr(dash2 + 1), 2);
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
  const auto minute =
      colon == std::string::npos ? std::nullopt : SmallNumber(time.substr(colon + 1), 2);
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

std::string ChartText(const ChartView& view, const ChartSession& session) {
  std::ostringstream text;
  const auto line = [&text](std::string_view label, std::string_view value) {
    text << Padded(label, 16) << value << '\n';
  };
  const auto orNone = [](const std::optional<std::string>& value) {
    return value ? *value : std::string("(none)");
  };
  line("Name:", view.name);
  line("Date of birth:", view.dateOfBirth);
  line("Time of birth:", view.timeOfBirth);
  line("Latitude:", view.latitude);
  line("Longitude:", view.longitude);
  line("City:", view.city);
  line("State:", view.state);
  line("Country:", view.country);
  text << '\n';
  line("Sun sign:", orNone(view.sunSign));
  line("Moon sign:", view.moonSign);
  line("Ascendant sign:", orNone(view.ascendantSign));
  line("Ascendant:", session.ascendantText());
  line("Moon:", session.moonText());
  text << "\nPositions\n";
  for (int i = 0; i < kChartPointCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    text << "  " << Padded(kChartPointNames[index], 10) << view.positions[index] << '\n';
  }
  text << "\nNatal wheel (whole-sign houses from the Ascendant)\n";
  for (std::size_t house = 0; house < view.wheel.houseTexts.size(); ++house) {
    std::string sign;
    if (view.wheel.pictures) {
      const int picture = (*view.wheel.pictures)[house];
      if (picture >= 1 && picture <= kSignCount) {
        sign = kSigns[static_cast<std::size_t>(picture - 1)].name;
      }
    }
    text << "  House " << Padded(std::to_string(house + 1), 3) << Padded(sign, 13)
         << HouseContents(view.wheel.houseTexts[house]) << '\n';
  }
  return text.str();
}

std::string ReportPlainText(ChartSession& session) {
  PlainTextSink sink;
  session.WritePlanetInSignReport(sink);
  return sink.Text();
}

std::string ReportRtf(ChartSession& session) {
  StyledRunRecorder sink;  // Verdana 8.25, the results window's font
  session.WritePlanetInSignReport(sink);
  return WriteRtf(sink.Runs());
}

int Run(std::span<const std::string> args, std::istream& in, std::ostream& out, std::ostream& err) {
  const auto parsed = ParseArguments(args);
  if (const auto* usage = std::get_if<UsageError>(&parsed))
    return PrintUsageError(*usage, err);
  const Options& options = std::get<Options>(parsed);
  switch (options.mode) {
    case Options::Mode::Help:
      out << HelpText() << std::flush;
      return kExitOk;
    case Options::Mode::ListZones:
      for (std::size_t i = 0; i < kTimeZoneTable.size(); ++i) {
        out << Padded(std::to_string(i), 4) << kTimeZoneTable[i].text << '\n';
      }
      out.flush();
      return kExitOk;
    case Options::Mode::Json:
      return RunJson(in, out, options.report);
    case Options::Mode::People:
      break;
  }
  return RunPeople(options, out, err);
}

}  // namespace zodivane::chart_tool
