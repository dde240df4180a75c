// SPDX-License-Identifier: GPL-3.0-or-later
// The entries the zodivane-chart tests start from, as form entries and as
// a line of the JSON protocol.
#pragma once

#include <nlohmann/json.hpp>

#include "common/birth_record.h"
#include "tests/support/sample_entries.h"

namespace zodivane::chart_tool::test {

/// What kDelhiFlags fill the form with.
using zodivane::test::AnnaInDelhi;

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
