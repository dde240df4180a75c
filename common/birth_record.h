// SPDX-License-Identifier: GPL-3.0-or-later
// The birth record and the form entries it is made from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zodivane {

/// The zone the zone database gives for a chosen birth place at the entered
/// date and time, offered where no row of the zone list gives its offset
/// (Kathmandu's +5:45, Caracas's -4:30, local mean time). The zone list
/// shows it as one entry after its 71 rows.
struct PlaceZone {
  std::string zone;                  ///< IANA name, e.g. "Asia/Kathmandu"
  std::int32_t utOffsetSeconds = 0;  ///< local clock time minus UT, east positive (+5:45: 20700)
  std::string abbreviation;          ///< e.g. "+0545", "LMT", "AMT"
  bool daylightSaving = false;       ///< the database counts the period as daylight saving
  friend bool operator==(const PlaceZone&, const PlaceZone&) = default;
};

/// The place the place finder chose for the form: what it was called and
/// where it lies, kept beside the entries it filled (in the window, in
/// chart files and on the command line).
struct ChosenPlace {
  std::string name;         ///< e.g. "Springfield"
  std::string state;        ///< first-level division; may be empty
  std::string country;      ///< e.g. "United States of America"
  std::string zone;         ///< IANA zone name, e.g. "America/Chicago"
  double latitudeDeg = 0;   ///< north positive, -90..90
  double longitudeDeg = 0;  ///< EAST positive, -180..180
  friend bool operator==(const ChosenPlace&, const ChosenPlace&) = default;
};

/// The entries of the input form as the user left them, one field per
/// control. Field names are the controls' names. The defaults are the
/// form's own defaults (1 January 1901, 0:00, Greenwich Mean Time, North, East).
struct FormEntries {
  std::string txtName;               ///< the name, exactly as typed (not trimmed)
  std::string txtLonD;               ///< longitude degrees, digits only when typed
  std::string txtLonM;               ///< longitude arc-minutes
  std::string txtLatD;               ///< latitude degrees
  std::string txtLatM;               ///< latitude arc-minutes
  std::string txtMCity;              ///< birth place, may be empty
  std::string txtMState;             ///< may be empty
  std::string txtMCountry;           ///< may be empty
  int cboMonthIndex = 0;             ///< list position of cboMonth, 0 = January
  int cboDateIndex = 0;              ///< list position of cboDate, 0 = day 1
  int cmbTimeZoneIndex = 29;         ///< list position of cmbTimeZone, 0 to 70
  std::string cboDateText = "1";     ///< text of the selected day, "1" to "31"
  std::string cboYearText = "1901";  ///< text of the selected year, "1901" to "2050"
  std::string cboHHText = "0";       ///< text of the selected hour, "0" to "23"
  std::string cboMMText = "0";       ///< text of the selected minute, "0" to "59"
  bool optEast = true;               ///< the longitude option "East" is selected
  bool optSouth = false;             ///< the latitude option "South" is selected
  bool chkDST = false;               ///< "Daylight Saving Time" is ticked
  /// The zone list's entry after its rows (position 71), when the place
  /// finder offered one; none otherwise.
  std::optional<PlaceZone> placeZone = std::nullopt;

  /// Equal when every entry is equal.
  friend bool operator==(const FormEntries&, const FormEntries&) = default;
};

/// A 16-bit flag holding -1 for true and 0 for false, as the birth record keeps it.
struct Flag16 {
  std::int16_t raw = 0;
  [[nodiscard]] static constexpr Flag16 Of(bool value) noexcept {
    return Flag16{static_cast<std::int16_t>(value ? -1 : 0)};
  }
  [[nodiscard]] constexpr bool IsSet() const noexcept { return raw != 0; }
  friend constexpr bool operator==(Flag16, Flag16) = default;
};

/// The birth record of the chart being cast. Integers are 16-bit signed.
/// Before the first accepted Proceed every integer is 0, every flag false
/// and the name empty.
struct ChartInput {
  std::string name;              ///< as typed, shown on the results only
  std::int16_t toUtHours = 0;    ///< whole hours to add to local clock time to get UT, -13..12
  std::int16_t toUtMinutes = 0;  ///< minutes to add to local clock time to get UT: -30, 0, 30
  std::int16_t month = 0;        ///< 1 = January .. 12
  std::int16_t day = 0;          ///< 1..31, a day that exists in the month
  std::int16_t year = 0;         ///< 1901..2050
  std::int16_t hour = 0;         ///< local clock hour 0..23
  std::int16_t minute = 0;       ///< local clock minute 0..59
  std::int16_t zoneHours = 0;    ///< |toUtHours|, 0..13
  std::int16_t zoneMinutes = 0;  ///< |toUtMinutes|, 0 or 30
  std::int16_t lonDegrees = 0;   ///< longitude magnitude, degrees 0..179
  std::int16_t lonMinutes = 0;   ///< longitude magnitude, arc-minutes 0..59
  std::int16_t latDegrees = 0;   ///< latitude magnitude, degrees 0..89
  std::int16_t latMinutes = 0;   ///< latitude magnitude, arc-minutes 0..59
  Flag16 isEast;                 ///< longitude hemisphere; false means West
  Flag16 isSouth;                ///< latitude hemisphere; false means North
  Flag16 dst;                    ///< the entered clock time is daylight-saving time
  /// Set when the zone is the place's own offset from the zone database
  /// (the zone list's entry after its rows): local clock time minus UT in
  /// seconds, east positive. UT is then the clock time minus this offset
  /// (and an hour more when dst is set); toUtHours and toUtMinutes are 0.
  std::optional<std::int32_t> exactUtOffsetSeconds = std::nullopt;
  friend bool operator==(const ChartInput&, const ChartInput&) = default;
};
}  // namespace zodivane
