// SPDX-License-Identifier: GPL-3.0-or-later
// The zone database (tzdata): which UT offset a place's clocks showed at a
// local date and time, with daylight saving and the abbreviation.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "chart/sensitivity_text.h"

namespace zodivane::places {

/// A local clock reading, as entered in the form. Proleptic Gregorian calendar.
struct LocalDateTime {
  int year = 1901;  ///< e.g. 1980
  int month = 1;    ///< 1 = January .. 12
  int day = 1;      ///< 1..31
  int hour = 0;     ///< 0..23
  int minute = 0;   ///< 0..59
  friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

/// What the clocks of a zone showed during one period.
struct ZoneState {
  std::int32_t utOffsetSeconds = 0;  ///< local clock time minus UT, east positive (IST: 19800)
  bool daylightSaving = false;       ///< the database counts this period as daylight saving
  std::string abbreviation;          ///< e.g. "IST", "EDT", "BDST"; numeric ones read "+0545"
  friend bool operator==(const ZoneState&, const ZoneState&) = default;
};

/// How a clock reading relates to the zone's history.
enum class ClockTime {
  Unique,       ///< happened exactly once
  Ambiguous,    ///< happened twice: the clocks were set back over it
  Nonexistent,  ///< never happened: the clocks jumped over it
};

/// A zone's state at a local clock reading.
struct ZoneAtMoment {
  std::string zone;     ///< IANA name, e.g. "Asia/Kolkata"
  LocalDateTime local;  ///< the clock reading asked about
  ClockTime clockTime = ClockTime::Unique;
  /// The state a chart is cast with: for a unique reading the state in force;
  /// for an ambiguous one the earlier of its two; for a nonexistent one the
  /// state in force just before the jump.
  ZoneState first;
  /// Ambiguous: the later state; nonexistent: the state after the jump.
  std::optional<ZoneState> second;
  /// When `first` is daylight saving: the standard time of the nearest period
  /// without it (New York in July: EST), which the daylight-saving hour is
  /// added to.
  std::optional<ZoneState> standard;
  friend bool operator==(const ZoneAtMoment&, const ZoneAtMoment&) = default;
};

/// The zone `zone` at the clock reading `local`; nullopt when the database
/// has no such zone or the date does not exist. Thread-safe.
[[nodiscard]] std::optional<ZoneAtMoment> ZoneAt(std::string_view zone, const LocalDateTime& local);

/// The clocks of `zone` at a UT moment: the local reading (to the minute),
/// whether the clocks showed it twice and which time this is, and the
/// abbreviation; nullopt for an unknown zone. Thread-safe.
[[nodiscard]] std::optional<PlaceClockReading> ClockReadingAt(std::string_view zone, int year,
                                                              int month, int day, int hour,
                                                              int minute, int second);

/// ClockReadingAt of `zone` as the sensitivity texts ask for it.
[[nodiscard]] PlaceClock ClockOfZone(std::string zone);

}  // namespace zodivane::places
