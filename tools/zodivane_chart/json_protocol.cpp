// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/zodivane_chart/json_protocol.h"

#include <array>
#include <cstdint>
#include <exception>
#include <istream>
#include <optional>
#include <ostream>
#include <utility>

#include "chart/time_zones.h"
#include "tools/zodivane_chart/chart_text.h"
#include "tools/zodivane_chart/text_helpers.h"
#include "tools/zodivane_chart/tool.h"

namespace zodivane::chart_tool {
namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

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

bool IsBlank(std::string_view line) noexcept {
  return line.find_first_not_of(" \t\r\n\f\v") == std::string_view::npos;
}

/// Whether `text` is an entry of a list holding `first` to `last` written in
/// decimal without leading zeros.
bool IsListEntry(std::string_view text, int first, int last) noexcept {
  if (text.size() > 1 && text.front() == '0')
    return false;
  const auto value = SmallNumber(text, 4);
  return value && *value >= first && *value <= last;
}

using FieldRef = std::variant<std::string FormEntries::*, int FormEntries::*, bool FormEntries::*>;

/// One input key of the JSON protocol and the FormEntries field it fills.
struct InputKey {
  std::string_view key;  ///< the field's name
  FieldRef field;
};

constexpr auto kInputKeys = std::to_array<InputKey>({
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
});
static_assert(kInputKeys.size() == 18);  // every field of FormEntries

/// A list of the form: the key that holds its position or selected text and
/// the numbers it offers.
struct ListRange {
  std::string_view key;
  int first;  ///< for a position key always 0; for a text key the first entry
  int last;
  std::string_view what;  ///< how the message names the list
};

constexpr auto kPositionKeys = std::to_array<ListRange>({
    {"cboMonthIndex", 0, 11, "the month list"},
    {"cboDateIndex", 0, 30, "the day list"},
    {"cmbTimeZoneIndex", 0, kTimeZoneCount - 1, "the time-zone list"},
});

constexpr auto kListTextKeys = std::to_array<ListRange>({
    {"cboDateText", 1, 31, "the day list"},
    {"cboYearText", 1901, 2050, "the year list"},
    {"cboHHText", 0, 23, "the hour list"},
    {"cboMMText", 0, 59, "the minute list"},
});

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

std::string IconName(MessageIcon icon) {
  return icon == MessageIcon::Critical ? "critical" : "information";
}

}  // namespace

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

}  // namespace zodivane::chart_tool
