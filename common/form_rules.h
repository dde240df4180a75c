// SPDX-License-Identifier: GPL-3.0-or-later
// The input form's rules in one place: the numbers its lists offer, the
// largest coordinates its boxes take, rounding a decimal angle to the
// form's whole minutes, and the file name made from a person's name. The
// form, the JSON reader, the command line's flags, the place finder, the
// sensitivity search, chart files and the chart sheet all read them here.
#pragma once

#include <array>
#include <cmath>
#include <string>
#include <string_view>

namespace zodivane {

/// One list of the form: the key of FormEntries that holds its position or
/// its selected text, and the numbers it offers.
struct FormList {
  std::string_view key;   ///< the entry key, e.g. "cboYearText"
  int first;              ///< a position list starts at 0; a text list at its first entry
  int last;               ///< the last position or entry
  std::string_view what;  ///< how messages name the list, e.g. "the year list"
};

inline constexpr FormList kMonthPositions{"cboMonthIndex", 0, 11, "the month list"};
inline constexpr FormList kDayPositions{"cboDateIndex", 0, 30, "the day list"};
inline constexpr FormList kDayList{"cboDateText", 1, 31, "the day list"};
inline constexpr FormList kYearList{"cboYearText", 1901, 2050, "the year list"};
inline constexpr FormList kHourList{"cboHHText", 0, 23, "the hour list"};
inline constexpr FormList kMinuteList{"cboMMText", 0, 59, "the minute list"};
/// The seconds list beside the minutes: shown, never read.
inline constexpr FormList kSecondList{"cboSS", 0, 59, "the second list"};

/// The lists whose selected text is an entry, in the order the reader checks them.
inline constexpr auto kFormTextLists = std::to_array<FormList>({
    kDayList,
    kYearList,
    kHourList,
    kMinuteList,
});
static_assert(kFormTextLists.size() == 4);

/// The first and last years a birth may have: the year list's ends.
inline constexpr int kFirstBirthYear = kYearList.first;
inline constexpr int kLastBirthYear = kYearList.last;

/// The largest whole degrees and minutes the coordinate boxes take (the
/// smallest is 0; the hemisphere is a button of its own).
inline constexpr int kLargestLongitudeDegrees = 179;
inline constexpr int kLargestLatitudeDegrees = 89;
inline constexpr int kLargestArcMinutes = 59;

/// A decimal angle's size in the form's whole arc-minutes, rounded to the
/// nearest minute (half a minute away from zero): 28.6358 gives 1718
/// (28° 38'). The sign is the caller's, as the hemisphere buttons hold it.
[[nodiscard]] inline long NearestArcMinutes(double degrees) noexcept {
  return std::lround(std::fabs(degrees) * 60.0);
}

/// The file name, without its extension, made from a person's name for the
/// files of their chart (the chart file, the chart sheet): the name's
/// letters, digits, spaces, dashes, dots and underscores kept (letters
/// beyond ASCII too), every other character dropped, spaces and dots at the
/// ends trimmed; "chart" for a name left empty.
[[nodiscard]] inline std::string FileNameStem(std::string_view name) {
  std::string kept;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    const bool asciiKept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == ' ' || c == '-' || c == '.' || c == '_';
    if (asciiKept || byte >= 0x80) {
      kept.push_back(c);
    }
  }
  const auto first = kept.find_first_not_of(" .");
  if (first == std::string::npos) {
    return "chart";
  }
  const auto last = kept.find_last_not_of(" .");
  return kept.substr(first, last - first + 1);
}

}  // namespace zodivane
