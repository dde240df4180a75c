// SPDX-License-Identifier: GPL-3.0-or-later
// Transits and synastry: the aspects one set of points makes to another.
// Transits are the bodies of the sky at a moment to the points of a natal
// chart; synastry is one person's points to another's. The transit calendar
// follows the slow bodies over a period and finds, for each aspect to each
// natal point, the moment it comes within a narrow orb, each moment it is
// exact and the moment it leaves, and the bodies' entries into the natal
// chart's whole-sign houses.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "aspects/aspects.h"
#include "common/vocabulary.h"
#include "ephemeris/sky_at.h"

namespace zodivane {

/// A point of a natal chart that transits aim at.
struct NatalPoint {
  /// The chart point, or none for a further point the caller adds (the
  /// Midheaven, a node).
  std::optional<ChartPoint> point;
  std::string name;         ///< "Sun" .. "Pluto", "Ascendant", or the further point's name
  double longitudeDeg = 0;  ///< ecliptic longitude, degrees [0, 360)
  friend bool operator==(const NatalPoint&, const NatalPoint&) = default;
};

/// The name a natal point of the chart goes by: the body's name
/// (kChartPointNames), "Ascendant" for the Ascendant.
[[nodiscard]] std::string NatalPointName(ChartPoint point);

/// The eleven points of a cast chart, in ChartPoint order.
[[nodiscard]] std::vector<NatalPoint> NatalPointsOf(const PointPositions& points);

/// The aspect settings of transits: `settings`' aspects in use and
/// out-of-sign choice, every orb kTransitOrb.
[[nodiscard]] AspectSettings TransitSettings(const AspectSettings& settings) noexcept;

/// The aspect settings of synastry: every orb kSynastryOrb.
[[nodiscard]] AspectSettings SynastrySettings(const AspectSettings& settings) noexcept;

/// The transiting sky at a moment and its aspects to the natal points.
struct Transits {
  Sky sky;
  /// `first` is the transiting body (a ChartPoint index, Sun .. Pluto),
  /// `second` the index of the natal point; in that order.
  std::vector<CrossAspect> aspects;
};

/// The sky at `julianDayUt` by `engine` and its aspects under `settings`
/// (TransitSettings for the usual orbs) to `natal`; the engine's message
/// when it is not available.
[[nodiscard]] std::variant<Transits, std::string> TransitsAt(SkyEngine engine, double julianDayUt,
                                                             std::span<const NatalPoint> natal,
                                                             const AspectSettings& settings);

/// The aspects of one person's points (`first`) to another's (`second`),
/// both as the aspect search reads a chart (chart/chart_aspects.h
/// AspectPointsOf), under `settings` (SynastrySettings for the usual orbs).
/// `first` and `second` of each aspect are ChartPoint indices.
[[nodiscard]] std::vector<CrossAspect> SynastryAspects(const AspectPoints& first,
                                                       const AspectPoints& second,
                                                       const AspectSettings& settings);

// ---------------------------------------------------------------------------
// The transit calendar.

/// The orb of the calendar's passages, degrees.
/// The day after the longest transit calendar that starts on `firstDay`:
/// ten calendar years on (3,652 or 3,653 days), 29 February ten years on
/// being 1 March. A calendar of whole days may end at the latest on the day
/// before; the window and the command line both refuse a longer period.
[[nodiscard]] CivilMoment LongestCalendarEnd(const CivilMoment& firstDay) noexcept;

inline constexpr double kCalendarOrb = 1.0;

/// What the calendar looks for.
struct CalendarSettings {
  double fromJulianDayUt = 0;  ///< start of the period, Julian day in UT
  double toJulianDayUt = 0;    ///< end of the period (after the start), Julian day in UT
  /// The transiting bodies (sky bodies, any order; each once). By default
  /// the slow ones, Jupiter to Pluto.
  std::vector<ChartPoint> bodies = {ChartPoint::Jupiter, ChartPoint::Saturn, ChartPoint::Uranus,
                                    ChartPoint::Neptune, ChartPoint::Pluto};
  /// The aspects in use; the orbs and the out-of-sign choice are not read.
  AspectSettings aspects = DefaultAspectSettings();
  double orbDeg = kCalendarOrb;  ///< a passage lasts while |arc - aspect| <= orbDeg (0 < orb < 15)
  /// The sign of the natal Ascendant (0 Aries .. 11 Pisces): house k is the
  /// k-th sign from it. None: no house entries.
  std::optional<int> ascendantSign;
};

/// One passage of a transiting body through the orb of one aspect to one
/// natal point, at one of the aspect's two sides (the exact longitude
/// `targetDeg`).
struct TransitPassage {
  ChartPoint body = ChartPoint::Jupiter;  ///< the transiting body
  std::size_t natal = 0;                  ///< index of the natal point
  AspectKind kind = AspectKind::Conjunction;
  double targetDeg = 0;  ///< the body's longitude at the exact aspect, degrees [0, 360)
  /// When the body comes within the orb; none when it is already within at
  /// the start of the period.
  std::optional<double> entersJulianDayUt;
  /// Each moment the aspect is exact, in order: one, or up to three on a
  /// retrograde loop; none when the body turns within the orb before it.
  std::vector<double> exactJulianDaysUt;
  /// When the body leaves the orb; none when it is still within at the end.
  std::optional<double> leavesJulianDayUt;
  friend bool operator==(const TransitPassage&, const TransitPassage&) = default;
};

/// A transiting body entering a house of the natal chart (whole signs): its
/// longitude crossing into the house's sign, forwards or, while retrograde,
/// backwards into the house before.
struct HouseEntry {
  ChartPoint body = ChartPoint::Jupiter;
  int house = 1;            ///< 1 .. 12
  int sign = 0;             ///< the house's sign, 0 Aries .. 11 Pisces
  double julianDayUt = 0;   ///< the moment of the crossing
  bool retrograde = false;  ///< entered moving backwards
  friend bool operator==(const HouseEntry&, const HouseEntry&) = default;
};

/// The calendar of a period.
struct TransitCalendar {
  SkyEngine engine = SkyEngine::BuiltIn;  ///< the engine that found the moments
  double fromJulianDayUt = 0;             ///< start of the period, Julian day in UT
  double toJulianDayUt = 0;               ///< end of the period, Julian day in UT
  /// Ordered by their first moment (entry, else first exact hit, else the
  /// period's start), then body, natal point and aspect.
  std::vector<TransitPassage> passages;
  std::vector<HouseEntry> houseEntries;  ///< in time order
};

/// Every moment is found by bracketing on a step of a day (no body the
/// calendar follows turns twice or moves 180 degrees within a day) and
/// bisection on the engine to a few seconds; the body's stations split the
/// period, so that between two of them the longitude runs one way and no
/// crossing is missed. The engine's message when it is not available, or
/// the reason when the settings are unusable.
[[nodiscard]] std::variant<TransitCalendar, std::string> FindTransitCalendar(
    SkyEngine engine, std::span<const NatalPoint> natal, const CalendarSettings& settings);

/// The moments within the period that the aspect `kind` between two bodies
/// of the sky is exact (the arc from `a` to `b` at the aspect's angle, on
/// either side), in order, found as the calendar finds its moments: the
/// great conjunctions, a body's aspects to another. The engine's message
/// when it is not available, or the reason when the request is unusable.
[[nodiscard]] std::variant<std::vector<double>, std::string> ExactAspectMoments(
    SkyEngine engine, ChartPoint a, ChartPoint b, AspectKind kind, double fromJulianDayUt,
    double toJulianDayUt);

/// One moment of the calendar, for a list in time order.
struct CalendarEvent {
  enum class Kind { EntersOrb, Exact, LeavesOrb, EntersHouse };
  Kind kind = Kind::Exact;
  double julianDayUt = 0;
  ChartPoint body = ChartPoint::Jupiter;
  // An aspect's moment:
  std::size_t natal = 0;  ///< index of the natal point
  AspectKind aspect = AspectKind::Conjunction;
  int hit = 0;   ///< Exact: 1 .. hits, the number of this hit in its passage
  int hits = 0;  ///< Exact: the passage's number of exact hits
  // A house entry:
  int house = 0;            ///< EntersHouse: 1 .. 12
  int sign = 0;             ///< EntersHouse: the house's sign
  bool retrograde = false;  ///< EntersHouse: entered moving backwards
  friend bool operator==(const CalendarEvent&, const CalendarEvent&) = default;
};

/// Every moment of `calendar` in time order (ties: entries to the orb, exact
/// hits, departures, then house entries; then body and natal point).
[[nodiscard]] std::vector<CalendarEvent> CalendarEvents(const TransitCalendar& calendar);

}  // namespace zodivane
