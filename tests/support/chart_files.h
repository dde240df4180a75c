// SPDX-License-Identifier: GPL-3.0-or-later
// Form entries that cast a chart, for the chart-file round trips of the core
// and the windows: southern and western births, daylight saving, a long
// name, places with accents.
#pragma once

#include <string>
#include <vector>

#include "common/birth_record.h"
#include "tests/support/sample_entries.h"

namespace zodivane::test {

struct NamedEntries {
  std::string what;
  FormEntries entries;
};

[[nodiscard]] inline std::vector<NamedEntries> RoundTripEntries() {
  std::vector<NamedEntries> rows;
  rows.push_back({"the form's defaults with a place", DelhiEntries()});

  // São Paulo: south of the equator and west of Greenwich, zone -3.
  FormEntries saoPaulo;
  saoPaulo.txtName = "JOAO SILVA";
  saoPaulo.txtLatD = "23";
  saoPaulo.txtLatM = "33";
  saoPaulo.optSouth = true;
  saoPaulo.txtLonD = "46";
  saoPaulo.txtLonM = "38";
  saoPaulo.optEast = false;
  saoPaulo.txtMCity = "São Paulo";
  saoPaulo.txtMState = "São Paulo";
  saoPaulo.txtMCountry = "Brasil";
  saoPaulo.cmbTimeZoneIndex = 14;  // "Brazil Zone 2,BZT2,-3.0"
  SetDate(saoPaulo, 10, 30, 1987);
  saoPaulo.cboHHText = "23";
  saoPaulo.cboMMText = "59";
  rows.push_back({"southern and western birth, accents in the place", saoPaulo});

  FormEntries summer = Greenwich2000Entries();
  summer.txtName = "ZOE";
  summer.chkDST = true;
  SetDate(summer, 6, 14, 1969);
  summer.cboHHText = "4";
  summer.cboMMText = "7";
  summer.txtMCity = "Zürich";
  summer.txtMCountry = "Schweiz";
  summer.txtLonD = "8";
  summer.txtLonM = "33";
  summer.optEast = true;
  summer.txtLatD = "47";
  summer.txtLatM = "22";
  rows.push_back({"daylight saving ticked", summer});

  FormEntries longName = DelhiEntries();
  longName.txtName = std::string(2000, 'A') + " " + std::string(2000, 'Z');
  SetDate(longName, 1, 29, 2000);
  rows.push_back({"a very long name, a leap day", longName});

  FormEntries edges = DelhiEntries();
  edges.txtName = "  EDGE  ";  // kept exactly, spaces and all
  edges.txtLonD = "179";
  edges.txtLonM = "59";
  edges.txtLatD = "89";
  edges.txtLatM = "59";
  edges.optSouth = true;
  edges.cmbTimeZoneIndex = 70;
  SetDate(edges, 11, 31, 1901);
  edges.txtMCity = "Ōtautahi \"Christchurch\" \\ ß";
  rows.push_back({"largest coordinates, the last zone row, quotes", edges});
  return rows;
}

}  // namespace zodivane::test
