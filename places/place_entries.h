// SPDX-License-Identifier: GPL-3.0-or-later
// A chosen place and zone written into the input form's entries, and the
// form's clock reading read back for the zone database.
#pragma once

#include <optional>
#include <string>

#include "chart/birth_data.h"
#include "places/gazetteer.h"
#include "places/zone_history.h"
#include "places/zone_rows.h"

namespace zodivane::places {

/// An angle's magnitude in whole degrees and arc-minutes, and its sign.
struct DegreesMinutes {
  int degrees = 0;        ///< 0..maxDegrees
  int minutes = 0;        ///< 0..59
  bool negative = false;  ///< the angle was below zero (South, West)
  friend bool operator==(const DegreesMinutes&, const DegreesMinutes&) = default;
};

/// |angleDeg| rounded to the nearest arc-minute (59.5' carries into the
/// degree), held at most at maxDegrees° 59' (the form's largest entry).
[[nodiscard]] DegreesMinutes ToNearestMinute(double angleDeg, int maxDegrees) noexcept;

/// Writes the place's name, state, country and coordinates (rounded to the
/// nearest minute, hemisphere options set) into `entries`.
void FillPlace(const Place& place, FormEntries& entries);

/// Selects the zone row and sets the daylight-saving box of `entries`.
void FillZone(const ZoneRowChoice& choice, FormEntries& entries) noexcept;

/// Selects what the finder proposes: the row and box, or, where no row gives
/// the database's offset, the place's own zone after the rows (box clear).
void FillZone(const ZoneSuggestion& suggestion, FormEntries& entries);

/// The clock reading of the form's date and time lists; nullopt when a list
/// text holds no number.
[[nodiscard]] std::optional<LocalDateTime> LocalDateTimeOf(const FormEntries& entries) noexcept;

/// The one-line warning every record of a chart carries about its zone.
/// With a chosen place: the form's zone against the zone database at the
/// entered clock time (ZoneMismatchWarning), else, for a clock time that was
/// skipped or repeated, the reading the chart uses (ClockTimeWarning).
/// Without one: a daylight row ticked as well (DoubleDaylightWarning).
/// Empty when there is nothing to warn about.
[[nodiscard]] std::string ChartZoneWarning(const FormEntries& entries,
                                           const std::optional<ChosenPlace>& place);

}  // namespace zodivane::places
