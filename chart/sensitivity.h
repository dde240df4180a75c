// SPDX-License-Identifier: GPL-3.0-or-later
// How sure a chart is: the nearest birth times, earlier and later, at which
// the Ascendant, the Moon, the Sun or a planet would stand in another sign,
// and which signs the opposite daylight-saving tick would change.
//
// Every answer comes from recasting the chart with the engines the driver
// runs, on the birth record the driver would build from the form with that
// clock time entered (same UT rules, same texts, signs read from the texts
// exactly as the results read them); so each answer agrees, to the minute,
// with the chart the user gets by entering that time.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "common/birth_record.h"
#include "common/ephemeris_choice.h"
#include "common/vocabulary.h"

namespace zodivane {

/// How far from the entered clock time each point is searched, in minutes.
inline constexpr int kAscendantWindowMinutes = 3 * 60;  ///< ±3 hours
inline constexpr int kMoonWindowMinutes = 3 * 24 * 60;  ///< ±3 days
inline constexpr int kPlanetWindowMinutes = 24 * 60;    ///< ±1 day, Sun and planets

/// The nearest birth time on one side of the entered time at which a point
/// stands in another sign.
struct SignChange {
  /// Signed distance in whole minutes from the entered clock time to that
  /// birth time: negative earlier, positive later, never 0. The minute
  /// between it and the entered time (one minute closer) still has the
  /// entered sign.
  int minutes = 0;
  /// Sign index (0 = Aries .. 11 = Pisces) at that birth time; -1 when the
  /// engine's text named no sign.
  int sign = 0;
  friend bool operator==(const SignChange&, const SignChange&) = default;
};

/// The birth-time sensitivity of one chart point.
struct PointSensitivity {
  ChartPoint point = ChartPoint::Sun;
  /// Sign index at the entered time, as the results show it; -1 when none.
  int sign = 0;
  /// Half-width of the searched window in minutes (one of the constants above).
  int windowMinutes = 0;
  /// Nearest change before the entered time within the window; none when the
  /// sign holds for the whole earlier half (or up to the range limit).
  std::optional<SignChange> earlier;
  /// Nearest change after the entered time within the window.
  std::optional<SignChange> later;
  /// The earlier half was cut short at 1 January 1901, 0:00 local time (the
  /// first birth time the form takes); the search went no further.
  bool earlierStopsAtRange = false;
  /// The later half was cut short at 31 December 2050, 23:59 local time.
  bool laterStopsAtRange = false;
  friend bool operator==(const PointSensitivity&, const PointSensitivity&) = default;
};

/// One chart point whose sign differs when the daylight-saving box is
/// ticked the other way.
struct DstDifference {
  ChartPoint point = ChartPoint::Sun;
  int sign = 0;          ///< sign index as entered
  int oppositeSign = 0;  ///< sign index with the opposite tick
  friend bool operator==(const DstDifference&, const DstDifference&) = default;
};

/// The sensitivity of a whole chart.
struct BirthTimeSensitivity {
  /// One entry per chart point, indexed by ChartPoint (Sun .. Pluto, Ascendant).
  std::array<PointSensitivity, kChartPointCount> points{};
  /// The daylight-saving tick the comparison below assumes: the opposite of
  /// the entered one.
  bool oppositeDst = false;
  /// The points whose sign differs with the opposite tick, in ChartPoint order;
  /// empty when every sign stays.
  std::vector<DstDifference> dstDifferences;
  /// With SensitivityOptions::midheaven: the Midheaven's nearest sign
  /// changes within kAscendantWindowMinutes (its `point` field, which has no
  /// value for the Midheaven, says Ascendant, the angle it moves with).
  std::optional<PointSensitivity> midheaven;
  friend bool operator==(const BirthTimeSensitivity&, const BirthTimeSensitivity&) = default;
};

/// What AnalyseBirthTime searches with.
struct SensitivityOptions {
  /// The engine every probe is cast with: the one that cast the chart. A
  /// probe Swiss Ephemeris cannot cast names no sign (-1).
  Ephemeris ephemeris = Ephemeris::BuiltIn;
  bool midheaven = false;  ///< also search the Midheaven's sign changes
};

/// Searches around the birth record of a cast chart (the driver's
/// chartInput() after an accepted cast). The date and time fields must hold
/// a valid date from 1901 to 2050, as validation guarantees.
[[nodiscard]] BirthTimeSensitivity AnalyseBirthTime(const ChartInput& input,
                                                    const SensitivityOptions& options = {});

/// The birth record `input` with its local clock time moved by `minutes`
/// (either sign), with full carry into the date: the record the driver
/// builds when that date and time are entered on the form.
[[nodiscard]] ChartInput ShiftBirthTime(const ChartInput& input, int minutes);

}  // namespace zodivane
