// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/birth_data.h"

#include <array>

#include "common/form_rules.h"
#include "common/vocabulary.h"

namespace zodivane {
namespace {

constexpr int kBackspace = 8;
constexpr int kCarriageReturn = 13;
constexpr int kSpace = 32;
constexpr int kLargestReadValue = 32767;

/// One coordinate box check: the box, its allowed range and its message.
struct CoordinateCheck {
  std::string FormEntries::*box;  ///< the field of the box
  std::string_view control;       ///< object name of the box, receives the focus
  int maximum;                    ///< largest value accepted; the smallest is 0
  std::string_view message;       ///< critical message when the check fails
};

// In the order the checks run. The minute messages have two spaces between
// "the" and "Minute".
constexpr auto kCoordinateChecks = std::to_array<CoordinateCheck>({
    {&FormEntries::txtLonD, "txtLonD", kLargestLongitudeDegrees,
     "Please Enter Value Between 0 And 179 in the Degree of Longitude"},
    {&FormEntries::txtLonM, "txtLonM", kLargestArcMinutes,
     "Please Enter Value Between 0 And 59 in the  Minute of Longitude"},
    {&FormEntries::txtLatD, "txtLatD", kLargestLatitudeDegrees,
     "Please Enter Value Between 0 And 89 in the Degree of Latitude"},
    {&FormEntries::txtLatM, "txtLatM", kLargestArcMinutes,
     "Please Enter Value Between 0 And 59 in the  Minute of Latitude"},
});
static_assert(kCoordinateChecks.size() == 4);

constexpr int kFebruaryPosition = 1;
// April, June, September and November as list positions of the month list.
constexpr auto kThirtyDayMonthPositions = std::to_array({3, 5, 8, 10});
static_assert(kThirtyDayMonthPositions.size() == 4);
constexpr int kDay29Position = 28;
constexpr int kDay30Position = 29;
constexpr int kDay31Position = 30;

constexpr std::string_view kFebruaryMessage = "Please Enter Correct Date Or Month!";
constexpr std::string_view kThirtyDayMessage = "Please Enter Correct Date Or Month !";

Rejection Reject(std::string_view message, MessageIcon icon, std::optional<std::string> focus) {
  return Rejection{Notice{std::string(message), icon}, std::move(focus)};
}

/// True when the day list position names a day February lacks in that year.
/// A year is a leap year when divisible by 4; every year from 1901 to 2050
/// is classified correctly by that alone. A year text without digits reads 0.
bool IsMissingFebruaryDay(int dayPosition, std::string_view yearText) noexcept {
  const int year = LeadingDigitsValue(yearText).value_or(0);
  const bool leap = year % 4 == 0;
  const int firstMissing = leap ? kDay30Position : kDay29Position;
  return dayPosition >= firstMissing && dayPosition <= kDay31Position;
}

}  // namespace

std::optional<int> LeadingDigitsValue(std::string_view text) noexcept {
  const std::string_view trimmed = TrimSpaces(text);
  if (trimmed.empty() || trimmed.front() < '0' || trimmed.front() > '9') {
    return std::nullopt;
  }
  int value = 0;
  for (const char character : trimmed) {
    if (character < '0' || character > '9') {
      break;
    }
    value = value * 10 + (character - '0');
    if (value > kLargestReadValue) {
      return kLargestReadValue;
    }
  }
  return value;
}

std::optional<Rejection> ValidateBirthData(const FormEntries& entries) {
  if (TrimSpaces(entries.txtName).empty()) {
    return Reject("Please Enter Name", MessageIcon::Critical, "txtName");
  }

  // A coordinate box fails when blank, when its leading digits are out of
  // range, and also when it does not begin with a digit at all (pasted
  // "-5" or "x"): such text is never read as 0.
  for (const CoordinateCheck& check : kCoordinateChecks) {
    const std::optional<int> value = LeadingDigitsValue(entries.*check.box);
    if (!value || *value > check.maximum) {
      return Reject(check.message, MessageIcon::Critical, std::string(check.control));
    }
  }

  if (entries.cboMonthIndex == kFebruaryPosition &&
      IsMissingFebruaryDay(entries.cboDateIndex, entries.cboYearText)) {
    return Reject(kFebruaryMessage, MessageIcon::Information, std::nullopt);
  }

  for (const int month : kThirtyDayMonthPositions) {
    if (entries.cboMonthIndex == month && entries.cboDateIndex == kDay31Position) {
      return Reject(kThirtyDayMessage, MessageIcon::Information, std::nullopt);
    }
  }
  return std::nullopt;
}

KeyFilterResult txtName_KeyPress(int keyCode) {
  if (keyCode >= 'A' && keyCode <= 'Z') {
    return KeyFilterResult{keyCode, std::nullopt};
  }
  if (keyCode >= 'a' && keyCode <= 'z') {
    return KeyFilterResult{keyCode - 32, std::nullopt};
  }
  if (keyCode == kBackspace || keyCode == kCarriageReturn || keyCode == kSpace) {
    return KeyFilterResult{keyCode, std::nullopt};
  }
  return KeyFilterResult{0, Notice{"Please Enter only Letters", MessageIcon::Information}};
}

KeyFilterResult CoordinateKeyPress(int keyCode) {
  if ((keyCode >= '0' && keyCode <= '9') || keyCode == kBackspace) {
    return KeyFilterResult{keyCode, std::nullopt};
  }
  return KeyFilterResult{0, Notice{"Only Numbers Are Accepted", MessageIcon::Critical}};
}

TypedText TypeIntoBox(std::string text, std::string_view keys, KeyFilterResult (*filter)(int),
                      std::size_t maxLength) {
  TypedText result{std::move(text), {}};
  for (const char key : keys) {
    KeyFilterResult filtered = filter(static_cast<unsigned char>(key));
    if (filtered.notice) {
      result.notices.push_back(std::move(*filtered.notice));
    }
    if (filtered.keyCode == 0 || filtered.keyCode == kCarriageReturn) {
      continue;
    }
    if (filtered.keyCode == kBackspace) {
      if (!result.text.empty()) {
        result.text.pop_back();
      }
      continue;
    }
    if (result.text.size() < maxLength) {
      result.text.push_back(static_cast<char>(filtered.keyCode));
    }
  }
  return result;
}

std::optional<Notice> CoordinateRangeNotice(std::string_view control) {
  for (const CoordinateCheck& check : kCoordinateChecks) {
    if (check.control == control) {
      return Notice{std::string(check.message), MessageIcon::Critical};
    }
  }
  return std::nullopt;
}

}  // namespace zodivane
