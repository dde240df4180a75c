// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/field_names.h"

#include <algorithm>
#include <array>
#include <utility>

#include "chartfile/chart_file.h"

namespace zodivane::chartfile {
namespace {

struct FieldRow {
  std::string_view key;
  std::string_view name;  // as the input form captions the control
};

constexpr auto kFieldRows = std::to_array<FieldRow>({
    {"txtName", "Name"},
    {"cboMonthIndex", "Date of Birth, month"},
    {"cboDateIndex", "Date of Birth, day"},
    {"cboDateText", "Date of Birth, day"},
    {"cboYearText", "Date of Birth, year"},
    {"cboHHText", "Time of Birth, hour"},
    {"cboMMText", "Time of Birth, minute"},
    {"chkDST", "Daylight Saving Time"},
    {"cmbTimeZoneIndex", "Zone"},
    {"txtLatD", "Latitude, Deg"},
    {"txtLatM", "Latitude, Min"},
    {"optSouth", "Latitude, North or South"},
    {"txtLonD", "Longitude, Deg"},
    {"txtLonM", "Longitude, Min"},
    {"optEast", "Longitude, East or West"},
    {"txtMCity", "City"},
    {"txtMState", "State"},
    {"txtMCountry", "Country"},
    {kFormatKey, "The chart file's format number"},
    {kPlaceKey, "The place chosen with the finder"},
    {kPlaceZoneKey, "The place's own time zone"},
    {kEphemerisKey, "The positions engine"},
    {kAspectSettingsKey, "The aspect settings"},
});

}  // namespace

std::optional<std::string_view> FieldName(std::string_view key) noexcept {
  const auto* row = std::find_if(kFieldRows.begin(), kFieldRows.end(),
                                 [key](const FieldRow& candidate) { return candidate.key == key; });
  if (row == kFieldRows.end()) {
    return std::nullopt;
  }
  return row->name;
}

std::string InFieldNames(std::string_view message) {
  constexpr std::string_view kLead = "key \"";
  if (!message.starts_with(kLead)) {
    return std::string(message);
  }
  const std::size_t close = message.find('"', kLead.size());
  if (close == std::string_view::npos) {
    return std::string(message);
  }
  const std::optional<std::string_view> name =
      FieldName(message.substr(kLead.size(), close - kLead.size()));
  if (!name) {
    return std::string(message);
  }
  std::string wording(*name);
  wording += " (";
  wording += message.substr(0, close + 1);
  wording += ')';
  wording += message.substr(close + 1);
  return wording;
}

}  // namespace zodivane::chartfile
