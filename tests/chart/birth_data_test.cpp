// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/birth_data.h"

#include <gtest/gtest.h>
#include <array>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/sample_entries.h"

namespace zodivane {
namespace {

using test::SetDate;

constexpr const char* kName = "Please Enter Name";
constexpr const char* kLonDegrees =
    "Please Enter Value Between 0 And 179 in the Degree of Longitude";
constexpr const char* kLonMinutes =
    "Please Enter Value Between 0 And 59 in the  Minute of Longitude";
constexpr const char* kLatDegrees = "Please Enter Value Between 0 And 89 in the Degree of Latitude";
constexpr const char* kLatMinutes =
    "Please Enter Value Between 0 And 59 in the  Minute of Latitude";
constexpr const char* kFebruary = "Please Enter Correct Date Or Month!";
constexpr const char* kThirtyDays = "Please Enter Correct Date Or Month !";

struct RejectionCase {
  const char* what;
  std::function<void(FormEntries&)> change;
  const char* message;
  MessageIcon icon;
  std::optional<std::string> focus;
};

// Each row changes the valid entries and expects exactly this rejection
// (texts exact, two spaces before "Minute", "!" against " !").
TEST(ValidateBirthData, RejectsWithMessageIconAndFocus) {
  const auto critical = MessageIcon::Critical;
  const auto information = MessageIcon::Information;
  const std::vector<RejectionCase> cases = {
      {"empty name", [](FormEntries& e) { e.txtName = ""; }, kName, critical, "txtName"},
      {"name of three spaces", [](FormEntries& e) { e.txtName = "   "; }, kName, critical,
       "txtName"},
      {"empty lon degrees", [](FormEntries& e) { e.txtLonD = ""; }, kLonDegrees, critical,
       "txtLonD"},
      {"blank lon degrees", [](FormEntries& e) { e.txtLonD = "  "; }, kLonDegrees, critical,
       "txtLonD"},
      {"lon degrees 180", [](FormEntries& e) { e.txtLonD = "180"; }, kLonDegrees, critical,
       "txtLonD"},
      {"pasted negative", [](FormEntries& e) { e.txtLonD = "-5"; }, kLonDegrees, critical,
       "txtLonD"},
      {"pasted letter", [](FormEntries& e) { e.txtLonD = "x"; }, kLonDegrees, critical, "txtLonD"},
      {"pasted huge number", [](FormEntries& e) { e.txtLonD = "99999999999"; }, kLonDegrees,
       critical, "txtLonD"},
      {"empty lon minutes", [](FormEntries& e) { e.txtLonM = ""; }, kLonMinutes, critical,
       "txtLonM"},
      {"lon minutes 60", [](FormEntries& e) { e.txtLonM = "60"; }, kLonMinutes, critical,
       "txtLonM"},
      {"pasted decimal point first", [](FormEntries& e) { e.txtLonM = ".5"; }, kLonMinutes,
       critical, "txtLonM"},
      {"lat degrees 90", [](FormEntries& e) { e.txtLatD = "90"; }, kLatDegrees, critical,
       "txtLatD"},
      {"empty lat degrees", [](FormEntries& e) { e.txtLatD = ""; }, kLatDegrees, critical,
       "txtLatD"},
      {"lat minutes 60", [](FormEntries& e) { e.txtLatM = "60"; }, kLatMinutes, critical,
       "txtLatM"},
      {"blank lat minutes", [](FormEntries& e) { e.txtLatM = " "; }, kLatMinutes, critical,
       "txtLatM"},
      {"29 February 1901", [](FormEntries& e) { SetDate(e, 1, 29, 1901); }, kFebruary, information,
       std::nullopt},
      {"30 February 2000", [](FormEntries& e) { SetDate(e, 1, 30, 2000); }, kFebruary, information,
       std::nullopt},
      {"31 February 1904", [](FormEntries& e) { SetDate(e, 1, 31, 1904); }, kFebruary, information,
       std::nullopt},
      {"29 February 2050", [](FormEntries& e) { SetDate(e, 1, 29, 2050); }, kFebruary, information,
       std::nullopt},
      {"31 April", [](FormEntries& e) { SetDate(e, 3, 31, 1980); }, kThirtyDays, information,
       std::nullopt},
      {"31 June", [](FormEntries& e) { SetDate(e, 5, 31, 1980); }, kThirtyDays, information,
       std::nullopt},
      {"31 September", [](FormEntries& e) { SetDate(e, 8, 31, 1980); }, kThirtyDays, information,
       std::nullopt},
      {"31 November", [](FormEntries& e) { SetDate(e, 10, 31, 1980); }, kThirtyDays, information,
       std::nullopt},
  };
  for (const RejectionCase& row : cases) {
    SCOPED_TRACE(row.what);
    FormEntries entries = test::DelhiEntries();
    row.change(entries);
    const std::optional<Rejection> rejection = ValidateBirthData(entries);
    ASSERT_TRUE(rejection.has_value());
    EXPECT_EQ(rejection->notice.message, row.message);
    EXPECT_EQ(rejection->notice.icon, row.icon);
    EXPECT_EQ(rejection->focus, row.focus);
  }
}

// Several faults at once: only the first check in the fixed order is reported.
TEST(ValidateBirthData, ReportsOnlyTheFirstFailingCheck) {
  struct Case {
    const char* what;
    std::function<void(FormEntries&)> change;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"empty name and 31 April",
       [](FormEntries& e) {
         e.txtName = "";
         SetDate(e, 3, 31, 1980);
       },
       kName},
      {"empty name and every box empty", [](FormEntries& e) { e = FormEntries{}; }, kName},
      {"both longitude boxes empty",
       [](FormEntries& e) {
         e.txtLonD = "";
         e.txtLonM = "";
       },
       kLonDegrees},
      {"lon minutes before lat degrees",
       [](FormEntries& e) {
         e.txtLonM = "";
         e.txtLatD = "95";
       },
       kLonMinutes},
      {"lat minutes before the date",
       [](FormEntries& e) {
         e.txtLatM = "77";
         SetDate(e, 1, 30, 1980);
       },
       kLatMinutes},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.what);
    FormEntries entries = test::DelhiEntries();
    row.change(entries);
    const std::optional<Rejection> rejection = ValidateBirthData(entries);
    ASSERT_TRUE(rejection.has_value());
    EXPECT_EQ(rejection->notice.message, row.message);
  }
}

TEST(ValidateBirthData, AcceptsBoundaryValuesAndRealDates) {
  const std::vector<std::pair<const char*, std::function<void(FormEntries&)>>> cases = {
      {"the form's defaults with a name and coordinates", [](FormEntries&) {}},
      {"name with spaces around it", [](FormEntries& e) { e.txtName = "  A B  "; }},
      {"lon degrees 179, lat degrees 89",
       [](FormEntries& e) {
         e.txtLonD = "179";
         e.txtLatD = "89";
       }},
      {"0 in every box",
       [](FormEntries& e) {
         e.txtLonD = "0";
         e.txtLonM = "0";
         e.txtLatD = "0";
         e.txtLatM = "0";
       }},
      {"59 minutes", [](FormEntries& e) { e.txtLonM = e.txtLatM = "59"; }},
      {"spaces around digits", [](FormEntries& e) { e.txtLatD = " 12 "; }},
      {"pasted digits then letters read their leading digits",
       [](FormEntries& e) { e.txtLonD = "1a"; }},
      {"empty city, state and country",
       [](FormEntries& e) { e.txtMCity = e.txtMState = e.txtMCountry = ""; }},
      {"29 February 1904", [](FormEntries& e) { SetDate(e, 1, 29, 1904); }},
      {"29 February 2000 (no century rule)", [](FormEntries& e) { SetDate(e, 1, 29, 2000); }},
      {"28 February 1901", [](FormEntries& e) { SetDate(e, 1, 28, 1901); }},
      {"31 March", [](FormEntries& e) { SetDate(e, 2, 31, 1980); }},
      {"30 April", [](FormEntries& e) { SetDate(e, 3, 30, 1980); }},
      {"31 December 2050", [](FormEntries& e) { SetDate(e, 11, 31, 2050); }},
  };
  for (const auto& [what, change] : cases) {
    SCOPED_TRACE(what);
    FormEntries entries = test::DelhiEntries();
    change(entries);
    EXPECT_EQ(ValidateBirthData(entries), std::nullopt);
  }
}

// The pasted text rules: leading digits count, anything else is no number.
TEST(LeadingDigitsValue, ReadsLeadingDigitsOnly) {
  const std::vector<std::pair<const char*, std::optional<int>>> cases = {
      {"0", 0},
      {"179", 179},
      {"007", 7},
      {"1a", 1},
      {" 12 ", 12},
      {"1 2", 1},
      {"99999999", 32767},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"-5", std::nullopt},
      {"+5", std::nullopt},
      {"x", std::nullopt},
      {".5", std::nullopt},
  };
  for (const auto& [text, value] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(LeadingDigitsValue(text), value);
  }
}

TEST(KeyFilters, NameBoxPassesLettersAsCapitalsAndRefusesTheRest) {
  const Notice refused{"Please Enter only Letters", MessageIcon::Information};
  const std::vector<std::pair<int, KeyFilterResult>> cases = {
      {'a', {'A', std::nullopt}}, {'z', {'Z', std::nullopt}}, {'A', {'A', std::nullopt}},
      {'Z', {'Z', std::nullopt}}, {8, {8, std::nullopt}},     {13, {13, std::nullopt}},
      {' ', {' ', std::nullopt}}, {'\'', {0, refused}},       {'0', {0, refused}},
      {'-', {0, refused}},        {'@', {0, refused}},        {'[', {0, refused}},
      {'`', {0, refused}},        {'{', {0, refused}},        {9, {0, refused}},
      {200, {0, refused}},
  };
  for (const auto& [key, expected] : cases) {
    SCOPED_TRACE(key);
    EXPECT_EQ(txtName_KeyPress(key), expected);
  }
}

TEST(KeyFilters, CoordinateBoxesPassDigitsAndBackspaceOnly) {
  const Notice refused{"Only Numbers Are Accepted", MessageIcon::Critical};
  const std::vector<std::pair<int, KeyFilterResult>> cases = {
      {'0', {'0', std::nullopt}}, {'9', {'9', std::nullopt}}, {8, {8, std::nullopt}},
      {13, {0, refused}},         {'-', {0, refused}},        {'.', {0, refused}},
      {' ', {0, refused}},        {'/', {0, refused}},        {':', {0, refused}},
      {'a', {0, refused}},
  };
  for (const auto& [key, expected] : cases) {
    SCOPED_TRACE(key);
    EXPECT_EQ(txtLonD_KeyPress(key), expected);
    EXPECT_EQ(txtLonM_KeyPress(key), expected);
    EXPECT_EQ(txtLatD_KeyPress(key), expected);
    EXPECT_EQ(txtLatM_KeyPress(key), expected);
  }
}

// Key sequences typed into an empty box: the text left and the notices shown.
TEST(KeyFilters, TypedSequencesLeaveTheFilteredText) {
  struct Case {
    const char* keys;
    KeyFilterResult (*filter)(int);
    std::size_t maxLength;
    const char* text;
    std::vector<Notice> notices;
  };
  const Notice letters{"Please Enter only Letters", MessageIcon::Information};
  const Notice numbers{"Only Numbers Are Accepted", MessageIcon::Critical};
  const std::vector<Case> cases = {
      {"o'neil", txtName_KeyPress, kNoLengthLimit, "ONEIL", {letters}},
      {"mary ann\r", txtName_KeyPress, kNoLengthLimit, "MARY ANN", {}},
      {"ab\bc", txtName_KeyPress, kNoLengthLimit, "AC", {}},
      {"12.5", txtLonD_KeyPress, kLonDegreesMaxLength, "125", {numbers}},
      {"12.5", txtLonM_KeyPress, kCoordinateMaxLength, "12", {numbers}},
      {"1234", txtLonD_KeyPress, kLonDegreesMaxLength, "123", {}},
      {"-5", txtLatD_KeyPress, kCoordinateMaxLength, "5", {numbers}},
      {"12\b3", txtLatM_KeyPress, kCoordinateMaxLength, "13", {}},
      {"12x", txtLatM_KeyPress, kCoordinateMaxLength, "12", {numbers}},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.keys);
    const TypedText typed = TypeIntoBox("", row.keys, row.filter, row.maxLength);
    EXPECT_EQ(typed.text, row.text);
    EXPECT_EQ(typed.notices, row.notices);
  }
}

TEST(CoordinateRangeNotice, IsTheValidationsNoticeForThatBox) {
  // Rows: the box, and an out-of-range entry for it in otherwise valid entries.
  struct Row {
    std::string FormEntries::*box;
    const char* control;
  };
  const auto rows = std::to_array<Row>({
      {&FormEntries::txtLonD, "txtLonD"},
      {&FormEntries::txtLonM, "txtLonM"},
      {&FormEntries::txtLatD, "txtLatD"},
      {&FormEntries::txtLatM, "txtLatM"},
  });
  for (const Row& row : rows) {
    SCOPED_TRACE(row.control);
    FormEntries entries = test::DelhiEntries();
    entries.*row.box = "x";
    const std::optional<Rejection> rejection = ValidateBirthData(entries);
    ASSERT_TRUE(rejection.has_value());
    EXPECT_EQ(CoordinateRangeNotice(row.control), rejection->notice);
  }
  EXPECT_EQ(CoordinateRangeNotice("txtName"), std::nullopt);
  EXPECT_EQ(CoordinateRangeNotice(""), std::nullopt);
}

}  // namespace
}  // namespace zodivane
