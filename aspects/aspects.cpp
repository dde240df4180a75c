// SPDX-License-Identifier: GPL-3.0-or-later
#include "aspects/aspects.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <tuple>

namespace zodivane {
namespace {

/// Orbs within this much of the allowed orb count as equal to it.
constexpr double kOrbTolerance = 1e-9;

constexpr auto kAspectSetNames = std::to_array<std::string_view>({"major", "all"});

/// The signed arc from `from` to `to`, degrees, in (-180, 180].
double SignedArc(double from, double to) noexcept {
  double arc = std::fmod(to - from, 360.0);
  if (arc > 180.0) {
    arc -= 360.0;
  } else if (arc <= -180.0) {
    arc += 360.0;
  }
  return arc;
}

bool IsLuminary(ChartPoint point) noexcept {
  return point == ChartPoint::Sun || point == ChartPoint::Moon;
}

/// Whether the orb is closing: the rate of change of the separation, with
/// the sign that makes it the rate of the orb, is negative. At an exact
/// aspect, or with the two points at a standstill to each other, the aspect
/// is separating.
bool IsApplying(const AspectPoint& a, const AspectPoint& b, double angle) noexcept {
  const double arc = SignedArc(a.longitude, b.longitude);
  const double separation = std::fabs(arc);
  const double relative = b.dailyMotion - a.dailyMotion;
  // The separation grows with the relative motion when b is ahead of a, and
  // shrinks with it when b is behind; at 0 and 180 it can only grow and shrink.
  double separationRate = 0;
  if (separation == 0.0) {
    separationRate = std::fabs(relative);
  } else if (separation == 180.0) {
    separationRate = -std::fabs(relative);
  } else {
    separationRate = arc > 0 ? relative : -relative;
  }
  const double orbRate = separation >= angle ? separationRate : -separationRate;
  if (separation == angle) {
    return false;
  }
  return orbRate < 0;
}

bool IsOutOfSign(const AspectPoint& a, const AspectPoint& b, AspectKind kind) noexcept {
  const std::optional<int> distance = InfoOf(kind).signDistance;
  if (!distance || !a.sign || !b.sign) {
    return false;
  }
  const int apart = (*b.sign - *a.sign + kSignCount) % kSignCount;
  return std::min(apart, kSignCount - apart) != *distance;
}

}  // namespace

std::optional<AspectKind> AspectKindFromName(std::string_view name) noexcept {
  for (int kind = 0; kind < kAspectKindCount; ++kind) {
    if (kAspectKinds[static_cast<std::size_t>(kind)].name == name) {
      return static_cast<AspectKind>(kind);
    }
  }
  return std::nullopt;
}

AspectSettings DefaultAspectSettings() noexcept {
  AspectSettings settings;
  for (int kind = 0; kind < kAspectKindCount; ++kind) {
    const auto index = static_cast<std::size_t>(kind);
    settings.inUse[index] = kind < kMajorAspectCount;
    settings.orbs[index] = kAspectKinds[index].defaultOrb;
  }
  return settings;
}

std::optional<AspectSet> AspectSetFromName(std::string_view name) noexcept {
  for (std::size_t set = 0; set < kAspectSetNames.size(); ++set) {
    if (kAspectSetNames[set] == name) {
      return static_cast<AspectSet>(set);
    }
  }
  return std::nullopt;
}

AspectSettings WithAspectSet(AspectSettings settings, AspectSet set) noexcept {
  for (int kind = 0; kind < kAspectKindCount; ++kind) {
    settings.inUse[static_cast<std::size_t>(kind)] =
        set == AspectSet::All || kind < kMajorAspectCount;
  }
  return settings;
}

double AllowedOrb(const AspectSettings& settings, AspectKind kind, ChartPoint a,
                  ChartPoint b) noexcept {
  double orb = settings.orbs[static_cast<std::size_t>(kind)];
  for (const ChartPoint point : {a, b}) {
    if (IsLuminary(point)) {
      orb += kLuminaryWidening;
    }
  }
  return orb;
}

namespace {

/// The aspect in use with the smallest orb between `a` and `b`, each kind
/// within allowedOf(kind); its points are left for the caller to name.
template <typename AllowedOf>
std::optional<Aspect> BestAspect(const AspectPoint& a, const AspectPoint& b,
                                 const AspectSettings& settings, AllowedOf&& allowedOf) {
  const double separation = std::fabs(SignedArc(a.longitude, b.longitude));
  std::optional<Aspect> best;
  for (int kind = 0; kind < kAspectKindCount; ++kind) {
    if (!settings.inUse[static_cast<std::size_t>(kind)]) {
      continue;
    }
    const auto aspectKind = static_cast<AspectKind>(kind);
    const double angle = InfoOf(aspectKind).angle;
    const double orb = std::fabs(separation - angle);
    const double allowed = allowedOf(aspectKind);
    if (orb > allowed + kOrbTolerance || (best && orb >= best->orb)) {
      continue;
    }
    const bool outOfSign = IsOutOfSign(a, b, aspectKind);
    if (outOfSign && !settings.outOfSign) {
      continue;
    }
    best = Aspect{ChartPoint::Sun,         ChartPoint::Sun, aspectKind, separation, orb,
                  IsApplying(a, b, angle), outOfSign};
  }
  return best;
}

}  // namespace

std::vector<Aspect> FindAspects(const AspectPoints& points, const AspectSettings& settings) {
  std::vector<Aspect> found;
  for (int first = 0; first < kChartPointCount; ++first) {
    for (int second = first + 1; second < kChartPointCount; ++second) {
      const auto a = static_cast<ChartPoint>(first);
      const auto b = static_cast<ChartPoint>(second);
      std::optional<Aspect> best = BestAspect(
          points[static_cast<std::size_t>(first)], points[static_cast<std::size_t>(second)],
          settings, [&](AspectKind kind) { return AllowedOrb(settings, kind, a, b); });
      if (best) {
        best->a = a;
        best->b = b;
        found.push_back(*best);
      }
    }
  }
  return found;
}

std::vector<NodeAspect> FindNodeAspects(const AspectPoints& points,
                                        std::span<const NodePoint> nodes,
                                        const AspectSettings& settings) {
  std::vector<NodeAspect> found;
  for (const NodePoint& node : nodes) {
    for (int point = 0; point < kChartPointCount; ++point) {
      const std::optional<Aspect> best =
          BestAspect(node.at, points[static_cast<std::size_t>(point)], settings,
                     [](AspectKind) { return kNodeOrb; });
      if (best) {
        found.push_back(NodeAspect{node.node, static_cast<ChartPoint>(point), best->kind,
                                   best->separation, best->orb, best->applying, best->outOfSign});
      }
    }
  }
  return found;
}

std::vector<Pattern> FindPatterns(const std::vector<Aspect>& aspects, const AspectPoints& points) {
  std::vector<Pattern> patterns;
  // At most one aspect joins a pair: a table of them, read both ways round.
  std::array<std::array<std::optional<AspectKind>, kChartPointCount>, kChartPointCount> joined{};
  for (const Aspect& aspect : aspects) {
    const auto a = static_cast<std::size_t>(aspect.a);
    const auto b = static_cast<std::size_t>(aspect.b);
    joined[a][b] = aspect.kind;
    joined[b][a] = aspect.kind;
  }
  const auto has = [&joined](int a, int b, AspectKind kind) {
    return joined[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)] == kind;
  };
  const auto members = [](std::initializer_list<int> indices) {
    std::vector<ChartPoint> list;
    for (const int index : indices) {
      list.push_back(static_cast<ChartPoint>(index));
    }
    return list;
  };
  constexpr int n = kChartPointCount;

  // Grand crosses: two oppositions whose four ends are each square to the
  // two ends of the other; listed by their members in chart order.
  std::vector<std::pair<int, int>> oppositions;
  for (const Aspect& aspect : aspects) {
    if (aspect.kind == AspectKind::Opposition) {
      oppositions.emplace_back(static_cast<int>(aspect.a), static_cast<int>(aspect.b));
    }
  }
  std::vector<std::array<int, 4>> crosses;
  for (std::size_t i = 0; i < oppositions.size(); ++i) {
    for (std::size_t j = i + 1; j < oppositions.size(); ++j) {
      const auto [p, q] = oppositions[i];
      const auto [r, s] = oppositions[j];
      if (has(p, r, AspectKind::Square) && has(p, s, AspectKind::Square) &&
          has(q, r, AspectKind::Square) && has(q, s, AspectKind::Square)) {
        std::array<int, 4> cross{p, q, r, s};
        std::sort(cross.begin(), cross.end());
        crosses.push_back(cross);
      }
    }
  }
  std::sort(crosses.begin(), crosses.end());
  for (const auto& [a, b, c, d] : crosses) {
    patterns.push_back({PatternKind::GrandCross, members({a, b, c, d}), std::nullopt});
  }
  const auto inCross = [&](int p, int q, int apex) {
    return std::any_of(crosses.begin(), crosses.end(), [&](const std::array<int, 4>& cross) {
      const auto holds = [&](int point) {
        return std::find(cross.begin(), cross.end(), point) != cross.end();
      };
      return holds(p) && holds(q) && holds(apex);
    });
  };

  // T-squares: an opposition whose ends are both square to a third point.
  for (const Aspect& opposition : aspects) {
    if (opposition.kind != AspectKind::Opposition) {
      continue;
    }
    const int p = static_cast<int>(opposition.a);
    const int q = static_cast<int>(opposition.b);
    for (int apex = 0; apex < n; ++apex) {
      if (apex != p && apex != q && has(p, apex, AspectKind::Square) &&
          has(q, apex, AspectKind::Square) && !inCross(p, q, apex)) {
        patterns.push_back({PatternKind::TSquare, members({p, q, apex}), std::nullopt});
      }
    }
  }

  // Grand trines: three points each trine to the other two, from each trine
  // to a third point after both (the aspects come in the order of their pairs).
  for (const Aspect& trine : aspects) {
    if (trine.kind != AspectKind::Trine) {
      continue;
    }
    const int a = static_cast<int>(trine.a);
    const int b = static_cast<int>(trine.b);
    for (int c = b + 1; c < n; ++c) {
      if (has(a, c, AspectKind::Trine) && has(b, c, AspectKind::Trine)) {
        patterns.push_back({PatternKind::GrandTrine, members({a, b, c}), std::nullopt});
      }
    }
  }

  // Yods: a sextile whose ends are both quincunx to a third point.
  for (const Aspect& sextile : aspects) {
    if (sextile.kind != AspectKind::Sextile) {
      continue;
    }
    const int p = static_cast<int>(sextile.a);
    const int q = static_cast<int>(sextile.b);
    for (int apex = 0; apex < n; ++apex) {
      if (apex != p && apex != q && has(p, apex, AspectKind::Quincunx) &&
          has(q, apex, AspectKind::Quincunx)) {
        patterns.push_back({PatternKind::Yod, members({p, q, apex}), std::nullopt});
      }
    }
  }

  // Stelliums: three or more bodies in one sign.
  for (int sign = 0; sign < kSignCount; ++sign) {
    std::vector<ChartPoint> bodies;
    for (int point = 0; point < n; ++point) {
      if (static_cast<ChartPoint>(point) != ChartPoint::Ascendant &&
          points[static_cast<std::size_t>(point)].sign == sign) {
        bodies.push_back(static_cast<ChartPoint>(point));
      }
    }
    if (bodies.size() >= 3) {
      patterns.push_back({PatternKind::Stellium, std::move(bodies), sign});
    }
  }
  return patterns;
}

OrbParts OrbPartsOf(double orb) noexcept {
  const long minutes = std::lround(std::fabs(orb) * 60.0);
  return OrbParts{static_cast<int>(minutes / 60), static_cast<int>(minutes % 60)};
}

void SortApplyingFirst(std::vector<Aspect>& aspects) {
  std::stable_sort(aspects.begin(), aspects.end(), [](const Aspect& left, const Aspect& right) {
    return std::tuple(!left.applying, left.orb) < std::tuple(!right.applying, right.orb);
  });
}

AspectSettings WithEveryOrb(AspectSettings settings, double orbDeg) noexcept {
  settings.orbs.fill(orbDeg);
  return settings;
}

std::vector<CrossAspect> FindCrossAspects(std::span<const AspectPoint> first,
                                          std::span<const AspectPoint> second,
                                          const AspectSettings& settings) {
  std::vector<CrossAspect> found;
  for (std::size_t i = 0; i < first.size(); ++i) {
    for (std::size_t j = 0; j < second.size(); ++j) {
      const std::optional<Aspect> best = BestAspect(
          first[i], second[j], settings,
          [&](AspectKind kind) { return settings.orbs[static_cast<std::size_t>(kind)]; });
      if (best) {
        found.push_back(CrossAspect{i, j, best->kind, best->separation, best->orb, best->applying,
                                    best->outOfSign});
      }
    }
  }
  return found;
}

}  // namespace zodivane
