// SPDX-License-Identifier: GPL-3.0-or-later
// The keys of form entries as JSON (a line of zodivane-chart's JSON protocol,
// a chart file), each with the FormEntries field it names.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <variant>

#include "common/birth_record.h"

namespace zodivane::chartfile {

/// A FormEntries field of any of its three kinds.
using FieldRef = std::variant<std::string FormEntries::*, int FormEntries::*, bool FormEntries::*>;

/// One key of form entries and the field it fills.
struct InputKey {
  std::string_view key;  ///< the field's name
  FieldRef field;
};

/// Every key, in the order the fields are declared, read and written.
inline constexpr auto kInputKeys = std::to_array<InputKey>({
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

/// The entry of `key`; a key that is not in the table does not compile
/// where it is used in a constant expression.
consteval const InputKey& EntryKey(std::string_view key) {
  for (const InputKey& entry : kInputKeys) {
    if (entry.key == key) {
      return entry;
    }
  }
  throw "not a key of the form entries";
}

}  // namespace zodivane::chartfile
