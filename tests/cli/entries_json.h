// SPDX-License-Identifier: GPL-3.0-or-later
// The entries the zodivane-chart tests start from, as form entries and as
// a line of the JSON protocol.
#pragma once

#include <nlohmann/json.hpp>

#include "common/birth_record.h"
#include "tests/support/sample_entries.h"

namespace zodivane::chart_tool::test {

/// The shared Delhi entries with a name, a birth (5 March 1980, 7:05
/// Indian Time) and a place: what kDelhiFlags fill the form with.
[[nodiscard]] inline FormEntries AnnaInDelhi() {
  FormEntries entries = zodivane::test::DelhiEntries();
  entries.txtName = "ANNA";
  zodivane::test::SetDate(entries, 2, 5, 1980);
  entries.cboHHText = "7";
  entries.cboMMText = "5";
  entries.cmbTimeZoneIndex = 34;
  entries.txtMCity = "Delhi";
  entries.txtMState = "Delhi";
  entries.txtMCountry = "India";
  return entries;
}

/// `entries` as the JSON protocol's input object, every field under its name.
[[nodiscard]] inline nlohmann::json EntriesJson(const FormEntries& entries) {
  return nlohmann::json{
      {"txtName", entries.txtName},
      {"txtLonD", entries.txtLonD},
      {"txtLonM", entries.txtLonM},
      {"txtLatD", entries.txtLatD},
      {"txtLatM", entries.txtLatM},
      {"txtMCity", entries.txtMCity},
      {"txtMState", entries.txtMState},
      {"txtMCountry", entries.txtMCountry},
      {"cboMonthIndex", entries.cboMonthIndex},
      {"cboDateIndex", entries.cboDateIndex},
      {"cmbTimeZoneIndex", entries.cmbTimeZoneIndex},
      {"cboDateText", entries.cboDateText},
      {"cboYearText", entries.cboYearText},
      {"cboHHText", entries.cboHHText},
      {"cboMMText", entries.cboMMText},
      {"optEast", entries.optEast},
      {"optSouth", entries.optSouth},
      {"chkDST", entries.chkDST},
  };
}

}  // namespace zodivane::chart_tool::test
