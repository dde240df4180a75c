// SPDX-License-Identifier: GPL-3.0-or-later
// Form entries the tests start from, as a user would leave the input form.
#pragma once

#include <string>

#include "common/birth_record.h"

namespace zodivane::test {

/// Entries that pass every check: the form's defaults (1 January 1901, 0:00,
/// Greenwich Mean Time, North, East) with the name "ASHA" and 77° 12' E,
/// 28° 38' N filled in.
[[nodiscard]] inline FormEntries DelhiEntries() {
  FormEntries entries;
  entries.txtName = "ASHA";
  entries.txtLonD = "77";
  entries.txtLonM = "12";
  entries.txtLatD = "28";
  entries.txtLatM = "38";
  return entries;
}

/// 2000 January 1, 12:00 Greenwich Mean Time at 51° 30' N, 0° 00' W in
/// London, England: the reference moment of the ephemeris, whose positions
/// are published (see greenwich_reference.h).
[[nodiscard]] inline FormEntries Greenwich2000Entries() {
  FormEntries entries;
  entries.txtName = "GREENWICH";
  entries.txtLonD = "0";
  entries.txtLonM = "0";
  entries.txtLatD = "51";
  entries.txtLatM = "30";
  entries.optEast = false;
  entries.cboYearText = "2000";
  entries.cboHHText = "12";
  entries.txtMCity = "London";
  entries.txtMCountry = "England";
  return entries;
}

/// Sets the date by list positions (month 0 = January, day position 0 =
/// day 1) and the year text, as the form's lists would.
inline void SetDate(FormEntries& entries, int monthIndex, int day, int year) {
  entries.cboMonthIndex = monthIndex;
  entries.cboDateIndex = day - 1;
  entries.cboDateText = std::to_string(day);
  entries.cboYearText = std::to_string(year);
}

/// The Delhi entries with a name, a birth (5 March 1980, 7:05 Indian Time)
/// and a place. Mercury, Mars, Jupiter and Saturn are retrograde.
[[nodiscard]] inline FormEntries AnnaInDelhi() {
  FormEntries entries = DelhiEntries();
  entries.txtName = "ANNA";
  SetDate(entries, 2, 5, 1980);
  entries.cboHHText = "7";
  entries.cboMMText = "5";
  entries.cmbTimeZoneIndex = 34;
  entries.txtMCity = "Delhi";
  entries.txtMState = "Delhi";
  entries.txtMCountry = "India";
  return entries;
}

/// A birth in London: 15 August 1985, 14:30 local time, the daylight-saving
/// box ticked (British Summer Time), 51° 30' N, 0° 7' W. Mercury is
/// retrograde.
[[nodiscard]] inline FormEntries London1985Entries() {
  FormEntries entries;
  entries.txtName = "JANE DOE";
  entries.txtLonD = "0";
  entries.txtLonM = "7";
  entries.optEast = false;
  entries.txtLatD = "51";
  entries.txtLatM = "30";
  entries.txtMCity = "London";
  entries.txtMState = "England";
  entries.txtMCountry = "United Kingdom";
  SetDate(entries, 7, 15, 1985);
  entries.cboHHText = "14";
  entries.cboMMText = "30";
  entries.chkDST = true;
  return entries;
}

}  // namespace zodivane::test
