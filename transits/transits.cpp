// SPDX-License-Identifier: GPL-3.0-or-later
#include "transits/transits.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <tuple>
#include <utility>

namespace zodivane {
namespace {

/// The bracketing step, days. The fastest body, the Moon, moves under 16
/// degrees a day, and Mercury, the quickest to turn, stays three weeks
/// between its stations: a day's step never holds two stations or a
/// half-turn.
constexpr double kStepDays = 1.0;
/// The bisection stops when the bracket is narrower than this, days (under a second).
constexpr double kMomentToleranceDays = 1.0e-5;
/// The longest period the calendar covers, days (a century).
constexpr double kLongestPeriodDays = 36525.0;

std::optional<int> SignOfLongitude(double longitudeDeg) noexcept {
  const int sign = static_cast<int>(std::floor(longitudeDeg / 30.0));
  if (sign < 0 || sign >= kSignCount) {
    return std::nullopt;
  }
  return sign;
}

double Reduced(double degrees) noexcept {
  double reduced = std::fmod(degrees, 360.0);
  if (reduced < 0.0) {
    reduced += 360.0;
  }
  return reduced >= 360.0 ? 0.0 : reduced;
}

/// A longitude the calendar watches for: one side of an aspect to a natal
/// point (its exact longitude and the two edges of its orb), or a sign's
/// first degree.
struct Level {
  double valueDeg = 0;     ///< [0, 360)
  std::size_t target = 0;  ///< index of the aspect's target, or the sign for a cusp
  int role = 0;            ///< -1 / +1 the orb's lower / upper edge, 0 the exact aspect, 2 a cusp
};

constexpr int kCuspRole = 2;

/// One side of one aspect to one natal point.
struct Target {
  std::size_t natal = 0;
  AspectKind kind = AspectKind::Conjunction;
  double exactDeg = 0;  ///< [0, 360)
};

/// The body's longitude crossing a level: when, and which way.
struct Crossing {
  double julianDayUt = 0;
  const Level* level = nullptr;
  bool forwards = true;
};

/// A moment of the body's path with its longitude unwrapped (continuous).
struct Node {
  double julianDayUt = 0;
  double longitudeDeg = 0;  ///< [0, 360)
  double unwrappedDeg = 0;
};

/// The searches along one longitude that changes with time: a body's, or
/// the arc between two bodies.
class BodySearch {
 public:
  explicit BodySearch(std::function<double(double)> longitude) : longitude_(std::move(longitude)) {}

  double LongitudeAt(double julianDayUt) const { return longitude_(julianDayUt); }

  /// The path from `from` to `to`: a node a step apart, and a node at each
  /// station, so that between two nodes the longitude runs one way.
  std::vector<Node> Path(double from, double to) const {
    std::vector<Node> grid;
    const auto steps = static_cast<std::size_t>(std::ceil((to - from) / kStepDays));
    grid.reserve(steps + 1);
    for (std::size_t i = 0; i <= steps; ++i) {
      const double t = i == steps ? to : from + static_cast<double>(i) * kStepDays;
      const double longitude = LongitudeAt(t);
      const double unwrapped = grid.empty() ? longitude
                                            : grid.back().unwrappedDeg +
                                                  SignedArcDeg(grid.back().longitudeDeg, longitude);
      grid.push_back({t, longitude, unwrapped});
    }
    std::vector<Node> path;
    path.reserve(grid.size() + 8);
    for (std::size_t i = 0; i < grid.size(); ++i) {
      if (i > 0 && i + 1 < grid.size()) {
        const double before = grid[i].unwrappedDeg - grid[i - 1].unwrappedDeg;
        const double after = grid[i + 1].unwrappedDeg - grid[i].unwrappedDeg;
        if ((before > 0) != (after > 0)) {
          // A station within the two steps around node i: it joins the
          // path in node i's place order.
          const Node station = Station(grid[i - 1], grid[i + 1], before > 0);
          if (station.julianDayUt < grid[i].julianDayUt) {
            path.push_back(station);
            path.push_back(grid[i]);
          } else {
            path.push_back(grid[i]);
            path.push_back(station);
          }
          continue;
        }
      }
      path.push_back(grid[i]);
    }
    // Unwrapped again over the whole path, the stations included.
    for (std::size_t i = 1; i < path.size(); ++i) {
      path[i].unwrappedDeg =
          path[i - 1].unwrappedDeg + SignedArcDeg(path[i - 1].longitudeDeg, path[i].longitudeDeg);
    }
    return path;
  }

  /// The moment in (a, b] the longitude reaches `level`, the longitude
  /// running one way between the two nodes.
  double CrossingMoment(const Node& a, const Node& b, double levelDeg, bool forwards) const {
    double lo = a.julianDayUt;
    double hi = b.julianDayUt;
    // Past the level: at or beyond it in the direction of motion.
    const auto past = [&](double t) {
      const double arc = SignedArcDeg(levelDeg, LongitudeAt(t));
      return forwards ? arc >= 0.0 : arc <= 0.0;
    };
    while (hi - lo > kMomentToleranceDays) {
      const double mid = 0.5 * (lo + hi);
      if (past(mid)) {
        hi = mid;
      } else {
        lo = mid;
      }
    }
    return 0.5 * (lo + hi);
  }

 private:
  /// The station between `a` and `b` (two steps apart), found by golden-
  /// section search for the extreme longitude: the largest when the body
  /// was moving forwards before it.
  Node Station(const Node& a, const Node& b, bool maximum) const {
    constexpr double kGolden = 0.6180339887498949;
    const auto value = [&](double t) {
      const double arc = SignedArcDeg(a.longitudeDeg, LongitudeAt(t));
      return maximum ? arc : -arc;
    };
    double lo = a.julianDayUt;
    double hi = b.julianDayUt;
    double x1 = hi - kGolden * (hi - lo);
    double x2 = lo + kGolden * (hi - lo);
    double f1 = value(x1);
    double f2 = value(x2);
    while (hi - lo > kMomentToleranceDays) {
      if (f1 < f2) {
        lo = x1;
        x1 = x2;
        f1 = f2;
        x2 = lo + kGolden * (hi - lo);
        f2 = value(x2);
      } else {
        hi = x2;
        x2 = x1;
        f2 = f1;
        x1 = hi - kGolden * (hi - lo);
        f1 = value(x1);
      }
    }
    const double t = 0.5 * (lo + hi);
    return {t, LongitudeAt(t), 0.0};
  }

  std::function<double(double)> longitude_;
};

/// Every crossing of the levels (sorted by value) along the path, in time order.
std::vector<Crossing> FindCrossings(const BodySearch& search, const std::vector<Node>& path,
                                    const std::vector<Level>& levels) {
  std::vector<Crossing> crossings;
  for (std::size_t i = 1; i < path.size(); ++i) {
    const Node& a = path[i - 1];
    const Node& b = path[i];
    if (a.unwrappedDeg == b.unwrappedDeg) {
      continue;
    }
    const bool forwards = b.unwrappedDeg > a.unwrappedDeg;
    const double lo = std::min(a.unwrappedDeg, b.unwrappedDeg);
    const double hi = std::max(a.unwrappedDeg, b.unwrappedDeg);
    // A level counts in the step that reaches it: (a, b] in the direction of motion.
    const auto crosses = [&](double lifted) {
      return forwards ? (lifted > lo && lifted <= hi) : (lifted >= lo && lifted < hi);
    };
    std::vector<Crossing> step;
    for (double turn = std::floor(lo / 360.0); turn <= std::floor(hi / 360.0); turn += 1.0) {
      const double offset = 360.0 * turn;
      const auto first =
          std::lower_bound(levels.begin(), levels.end(), lo - offset,
                           [](const Level& level, double value) { return level.valueDeg < value; });
      for (auto level = first; level != levels.end() && level->valueDeg + offset <= hi; ++level) {
        if (crosses(level->valueDeg + offset)) {
          step.push_back(
              {search.CrossingMoment(a, b, level->valueDeg, forwards), &*level, forwards});
        }
      }
    }
    std::sort(step.begin(), step.end(),
              [](const Crossing& x, const Crossing& y) { return x.julianDayUt < y.julianDayUt; });
    crossings.insert(crossings.end(), step.begin(), step.end());
  }
  return crossings;
}

std::optional<std::string> SettingsProblem(std::span<const NatalPoint> natal,
                                           const CalendarSettings& settings) {
  const double from = settings.fromJulianDayUt;
  const double to = settings.toJulianDayUt;
  if (!std::isfinite(from) || !std::isfinite(to) || !(to > from)) {
    return "the period must end after it begins";
  }
  if (to - from > kLongestPeriodDays) {
    return "the period may last at most a hundred years";
  }
  if (!(settings.orbDeg > 0.0 && settings.orbDeg < kLargestOrb)) {
    return "the orb must be above 0 and below 15 degrees";
  }
  std::array<bool, kSkyBodyCount> seen{};
  for (const ChartPoint body : settings.bodies) {
    if (!IsSkyBody(body)) {
      return "only the Sun, the Moon and the planets transit";
    }
    if (std::exchange(seen[static_cast<std::size_t>(body)], true)) {
      return "a transiting body is named twice";
    }
  }
  if (settings.ascendantSign && (*settings.ascendantSign < 0 || *settings.ascendantSign >= 12)) {
    return "the Ascendant's sign must be 0 to 11";
  }
  for (const NatalPoint& point : natal) {
    if (!std::isfinite(point.longitudeDeg)) {
      return "a natal point has no longitude";
    }
  }
  return std::nullopt;
}

double FirstMoment(const TransitPassage& passage, double from) noexcept {
  if (passage.entersJulianDayUt) {
    return *passage.entersJulianDayUt;
  }
  return passage.exactJulianDaysUt.empty() ? from : passage.exactJulianDaysUt.front();
}

}  // namespace

std::string NatalPointName(ChartPoint point) {
  if (point == ChartPoint::Ascendant) {
    return "Ascendant";
  }
  return std::string(kChartPointNames[static_cast<std::size_t>(point)]);
}

std::vector<NatalPoint> NatalPointsOf(const PointPositions& points) {
  std::vector<NatalPoint> natal;
  natal.reserve(points.size());
  for (int index = 0; index < kChartPointCount; ++index) {
    const auto point = static_cast<ChartPoint>(index);
    natal.push_back(
        {point, NatalPointName(point), points[static_cast<std::size_t>(index)].longitude});
  }
  return natal;
}

AspectSettings TransitSettings(const AspectSettings& settings) noexcept {
  return WithEveryOrb(settings, kTransitOrb);
}

AspectSettings SynastrySettings(const AspectSettings& settings) noexcept {
  return WithEveryOrb(settings, kSynastryOrb);
}

std::variant<Transits, std::string> TransitsAt(SkyEngine engine, double julianDayUt,
                                               std::span<const NatalPoint> natal,
                                               const AspectSettings& settings) {
  auto sky = SkyAt(engine, julianDayUt);
  if (const auto* message = std::get_if<std::string>(&sky)) {
    return *message;
  }
  Transits transits;
  transits.sky = std::get<Sky>(sky);
  std::array<AspectPoint, kSkyBodyCount> moving{};
  for (std::size_t body = 0; body < moving.size(); ++body) {
    moving[body] = {transits.sky.longitudeDeg[body], transits.sky.speedDegPerDay[body],
                    SignOfLongitude(transits.sky.longitudeDeg[body])};
  }
  std::vector<AspectPoint> fixed;
  fixed.reserve(natal.size());
  for (const NatalPoint& point : natal) {
    fixed.push_back({point.longitudeDeg, 0.0, SignOfLongitude(point.longitudeDeg)});
  }
  transits.aspects = FindCrossAspects(moving, fixed, settings);
  return transits;
}

std::vector<CrossAspect> SynastryAspects(const AspectPoints& first, const AspectPoints& second,
                                         const AspectSettings& settings) {
  return FindCrossAspects(first, second, settings);
}

std::variant<TransitCalendar, std::string> FindTransitCalendar(SkyEngine engine,
                                                               std::span<const NatalPoint> natal,
                                                               const CalendarSettings& settings) {
  if (const std::optional<std::string> problem = SettingsProblem(natal, settings)) {
    return *problem;
  }
  const double from = settings.fromJulianDayUt;
  const double to = settings.toJulianDayUt;
  if (auto sky = SkyAt(engine, from); std::holds_alternative<std::string>(sky)) {
    return std::get<std::string>(sky);
  }

  // The targets: each side of each aspect in use to each natal point.
  std::vector<Target> targets;
  for (std::size_t point = 0; point < natal.size(); ++point) {
    for (int kind = 0; kind < kAspectKindCount; ++kind) {
      if (!settings.aspects.inUse[static_cast<std::size_t>(kind)]) {
        continue;
      }
      const auto aspectKind = static_cast<AspectKind>(kind);
      const double angle = InfoOf(aspectKind).angle;
      targets.push_back({point, aspectKind, Reduced(natal[point].longitudeDeg + angle)});
      if (angle > 0.0 && angle < 180.0) {
        targets.push_back({point, aspectKind, Reduced(natal[point].longitudeDeg - angle)});
      }
    }
  }
  std::vector<Level> levels;
  levels.reserve(3 * targets.size() + kSignCount);
  for (std::size_t target = 0; target < targets.size(); ++target) {
    for (const int role : {-1, 0, 1}) {
      levels.push_back({Reduced(targets[target].exactDeg + role * settings.orbDeg), target, role});
    }
  }
  if (settings.ascendantSign) {
    for (int sign = 0; sign < kSignCount; ++sign) {
      levels.push_back({30.0 * sign, static_cast<std::size_t>(sign), kCuspRole});
    }
  }
  std::sort(levels.begin(), levels.end(),
            [](const Level& a, const Level& b) { return a.valueDeg < b.valueDeg; });

  TransitCalendar calendar;
  calendar.engine = engine;
  calendar.fromJulianDayUt = from;
  calendar.toJulianDayUt = to;
  for (const ChartPoint body : settings.bodies) {
    const BodySearch search([engine, body](double t) { return BodyLongitudeAt(engine, body, t); });
    const std::vector<Node> path = search.Path(from, to);
    const std::vector<Crossing> crossings = FindCrossings(search, path, levels);

    // Each target's passages, from whether the body starts within the orb.
    std::vector<std::optional<TransitPassage>> open(targets.size());
    const double startLongitude = path.front().longitudeDeg;
    for (std::size_t target = 0; target < targets.size(); ++target) {
      if (std::fabs(SignedArcDeg(targets[target].exactDeg, startLongitude)) < settings.orbDeg) {
        open[target] = TransitPassage{body,
                                      targets[target].natal,
                                      targets[target].kind,
                                      targets[target].exactDeg,
                                      std::nullopt,
                                      {},
                                      std::nullopt};
      }
    }
    for (const Crossing& crossing : crossings) {
      const Level& level = *crossing.level;
      if (level.role == kCuspRole) {
        const int sign = crossing.forwards ? static_cast<int>(level.target)
                                           : (static_cast<int>(level.target) + 11) % 12;
        const int house = (sign - *settings.ascendantSign + 12) % 12 + 1;
        calendar.houseEntries.push_back(
            {body, house, sign, crossing.julianDayUt, !crossing.forwards});
        continue;
      }
      std::optional<TransitPassage>& passage = open[level.target];
      if (level.role == 0) {
        if (!passage) {  // an edge rounded past the exact moment: the passage begins here
          const Target& target = targets[level.target];
          passage =
              TransitPassage{body, target.natal, target.kind, target.exactDeg, crossing.julianDayUt,
                             {},   std::nullopt};
        }
        passage->exactJulianDaysUt.push_back(crossing.julianDayUt);
        continue;
      }
      if (!passage) {
        const Target& target = targets[level.target];
        passage =
            TransitPassage{body, target.natal, target.kind, target.exactDeg, crossing.julianDayUt,
                           {},   std::nullopt};
      } else {
        passage->leavesJulianDayUt = crossing.julianDayUt;
        calendar.passages.push_back(std::move(*passage));
        passage.reset();
      }
    }
    for (std::optional<TransitPassage>& passage : open) {
      if (passage) {
        calendar.passages.push_back(std::move(*passage));
      }
    }
  }

  std::stable_sort(calendar.passages.begin(), calendar.passages.end(),
                   [from](const TransitPassage& a, const TransitPassage& b) {
                     return std::make_tuple(FirstMoment(a, from), a.body, a.natal, a.kind) <
                            std::make_tuple(FirstMoment(b, from), b.body, b.natal, b.kind);
                   });
  std::stable_sort(calendar.houseEntries.begin(), calendar.houseEntries.end(),
                   [](const HouseEntry& a, const HouseEntry& b) {
                     return std::make_tuple(a.julianDayUt, a.body) <
                            std::make_tuple(b.julianDayUt, b.body);
                   });
  return calendar;
}

std::variant<std::vector<double>, std::string> ExactAspectMoments(SkyEngine engine, ChartPoint a,
                                                                  ChartPoint b, AspectKind kind,
                                                                  double fromJulianDayUt,
                                                                  double toJulianDayUt) {
  if (!IsSkyBody(a) || !IsSkyBody(b) || a == b) {
    return std::string("two different bodies of the sky are needed");
  }
  if (!std::isfinite(fromJulianDayUt) || !std::isfinite(toJulianDayUt) ||
      !(toJulianDayUt > fromJulianDayUt) || toJulianDayUt - fromJulianDayUt > kLongestPeriodDays) {
    return std::string("the period must end after it begins and last at most a hundred years");
  }
  if (auto sky = SkyAt(engine, fromJulianDayUt); std::holds_alternative<std::string>(sky)) {
    return std::get<std::string>(sky);
  }
  // The arc from a to b runs like a longitude; the aspect is exact where it
  // reaches the angle on either side.
  const BodySearch search([engine, a, b](double t) {
    return Reduced(BodyLongitudeAt(engine, b, t) - BodyLongitudeAt(engine, a, t));
  });
  const double angle = InfoOf(kind).angle;
  std::vector<Level> levels{{Reduced(angle), 0, 0}};
  if (angle > 0.0 && angle < 180.0) {
    levels.push_back({Reduced(-angle), 0, 0});
  }
  std::sort(levels.begin(), levels.end(),
            [](const Level& x, const Level& y) { return x.valueDeg < y.valueDeg; });
  std::vector<double> moments;
  for (const Crossing& crossing :
       FindCrossings(search, search.Path(fromJulianDayUt, toJulianDayUt), levels)) {
    moments.push_back(crossing.julianDayUt);
  }
  return moments;
}

std::vector<CalendarEvent> CalendarEvents(const TransitCalendar& calendar) {
  std::vector<CalendarEvent> events;
  for (const TransitPassage& passage : calendar.passages) {
    CalendarEvent event;
    event.body = passage.body;
    event.natal = passage.natal;
    event.aspect = passage.kind;
    if (passage.entersJulianDayUt) {
      event.kind = CalendarEvent::Kind::EntersOrb;
      event.julianDayUt = *passage.entersJulianDayUt;
      events.push_back(event);
    }
    const int hits = static_cast<int>(passage.exactJulianDaysUt.size());
    for (int hit = 0; hit < hits; ++hit) {
      CalendarEvent exact = event;
      exact.kind = CalendarEvent::Kind::Exact;
      exact.julianDayUt = passage.exactJulianDaysUt[static_cast<std::size_t>(hit)];
      exact.hit = hit + 1;
      exact.hits = hits;
      events.push_back(exact);
    }
    if (passage.leavesJulianDayUt) {
      event.kind = CalendarEvent::Kind::LeavesOrb;
      event.julianDayUt = *passage.leavesJulianDayUt;
      events.push_back(event);
    }
  }
  for (const HouseEntry& entry : calendar.houseEntries) {
    CalendarEvent event;
    event.kind = CalendarEvent::Kind::EntersHouse;
    event.julianDayUt = entry.julianDayUt;
    event.body = entry.body;
    event.house = entry.house;
    event.sign = entry.sign;
    event.retrograde = entry.retrograde;
    events.push_back(event);
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const CalendarEvent& a, const CalendarEvent& b) {
                     return std::make_tuple(a.julianDayUt, a.kind, a.body, a.natal) <
                            std::make_tuple(b.julianDayUt, b.kind, b.body, b.natal);
                   });
  return events;
}

CivilMoment LongestCalendarEnd(const CivilMoment& firstDay) noexcept {
  CivilMoment end{firstDay.year + 10, firstDay.month, firstDay.day, 0, 0, 0};
  if (end.month == 2 && end.day == 29) {
    end = CivilMoment{end.year, 3, 1, 0, 0, 0};
  }
  return end;
}

}  // namespace zodivane
