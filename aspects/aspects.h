// SPDX-License-Identifier: GPL-3.0-or-later
// Aspects: the angles between two chart points that count as a relationship
// when they come within an orb of an exact figure, and the patterns a few
// aspects make together. Everything is read from the chart's numbers.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/extra_points.h"
#include "common/vocabulary.h"

namespace zodivane {

/// The aspects, the five major ones first.
enum class AspectKind : int {
  Conjunction = 0,
  Opposition,
  Trine,
  Square,
  Sextile,
  Quincunx,
  Semisextile,
  Semisquare,
  Sesquiquadrate,
  Quintile,
  Biquintile,
};

inline constexpr int kAspectKindCount = 11;
inline constexpr int kMajorAspectCount = 5;

/// One aspect's fixed facts.
struct AspectKindInfo {
  std::string_view name;            ///< lower case, as the command line and JSON spell it
  double angle;                     ///< the exact angle, degrees
  double defaultOrb;                ///< degrees, before the luminaries widen it
  std::optional<int> signDistance;  ///< signs apart when in sign; none for 45, 72, 135, 144
};

inline constexpr auto kAspectKinds = std::to_array<AspectKindInfo>({
    {"conjunction", 0.0, 8.0, 0},
    {"opposition", 180.0, 8.0, 6},
    {"trine", 120.0, 8.0, 4},
    {"square", 90.0, 7.0, 3},
    {"sextile", 60.0, 6.0, 2},
    {"quincunx", 150.0, 3.0, 5},
    {"semisextile", 30.0, 2.0, 1},
    {"semisquare", 45.0, 2.0, std::nullopt},
    {"sesquiquadrate", 135.0, 2.0, std::nullopt},
    {"quintile", 72.0, 1.5, std::nullopt},
    {"biquintile", 144.0, 1.5, std::nullopt},
});
static_assert(kAspectKinds.size() == kAspectKindCount);

[[nodiscard]] constexpr const AspectKindInfo& InfoOf(AspectKind kind) noexcept {
  return kAspectKinds[static_cast<std::size_t>(kind)];
}

[[nodiscard]] constexpr bool IsMajor(AspectKind kind) noexcept {
  return static_cast<int>(kind) < kMajorAspectCount;
}

/// The aspect named `name` (lower case, exactly); none for any other text.
[[nodiscard]] std::optional<AspectKind> AspectKindFromName(std::string_view name) noexcept;

/// How much the Sun and the Moon widen an orb, each, degrees.
inline constexpr double kLuminaryWidening = 1.0;

/// The largest orb an aspect may be given, degrees.
inline constexpr double kLargestOrb = 15.0;

/// Which aspects are looked for, with which orbs.
struct AspectSettings {
  std::array<bool, kAspectKindCount> inUse{};   ///< indexed by AspectKind
  std::array<double, kAspectKindCount> orbs{};  ///< degrees, indexed by AspectKind
  bool outOfSign = true;                        ///< aspects across a sign boundary count too
  friend bool operator==(const AspectSettings&, const AspectSettings&) = default;
};

/// The five major aspects in use, every orb at its default, out-of-sign
/// aspects counted.
[[nodiscard]] AspectSettings DefaultAspectSettings() noexcept;

/// The two sets of aspects to choose from.
enum class AspectSet { Major, All };

/// The aspect set `name` ("major" or "all"); none for any other text.
[[nodiscard]] std::optional<AspectSet> AspectSetFromName(std::string_view name) noexcept;

/// `settings` with exactly the aspects of `set` in use; orbs kept.
[[nodiscard]] AspectSettings WithAspectSet(AspectSettings settings, AspectSet set) noexcept;

/// One chart point as the aspect search reads it.
struct AspectPoint {
  double longitude = 0;     ///< degrees
  double dailyMotion = 0;   ///< degrees per day, negative when moving backwards
  std::optional<int> sign;  ///< the sign its position text shows
};

/// The points the search reads, indexed by ChartPoint.
using AspectPoints = std::array<AspectPoint, kChartPointCount>;

/// One aspect found between two chart points.
struct Aspect {
  ChartPoint a = ChartPoint::Sun;  ///< the earlier of the two in chart order
  ChartPoint b = ChartPoint::Sun;
  AspectKind kind = AspectKind::Conjunction;
  double separation = 0;   ///< the shorter arc between the two, degrees, 0..180
  double orb = 0;          ///< |separation - the aspect's angle|, degrees
  bool applying = false;   ///< the orb is closing; exact or opening is separating
  bool outOfSign = false;  ///< the signs are not the aspect's number of signs apart
  friend bool operator==(const Aspect&, const Aspect&) = default;
};

/// The orb allowed for `kind` between points `a` and `b` under `settings`:
/// the aspect's orb and 1 degree for each of the Sun and the Moon in the pair.
[[nodiscard]] double AllowedOrb(const AspectSettings& settings, AspectKind kind, ChartPoint a,
                                ChartPoint b) noexcept;

/// Every aspect in use between two of the points, at most one per pair (the
/// one with the smallest orb). An orb equal to the allowed orb counts (a
/// difference within a billionth of a degree is taken as equal, so that
/// rounding in the longitudes cannot move an exact limit out). In the order
/// of the pairs: a, then b, in chart order.
[[nodiscard]] std::vector<Aspect> FindAspects(const AspectPoints& points,
                                              const AspectSettings& settings);

/// The orb of every aspect between a lunar node and a chart point, degrees
/// (the Sun and the Moon do not widen it).
inline constexpr double kNodeOrb = 2.0;

/// A lunar node as the aspect search reads it.
struct NodePoint {
  ExtraPoint node = ExtraPoint::MeanNode;  ///< MeanNode or TrueNode
  AspectPoint at;
};

/// One aspect between a lunar node and one of the eleven chart points.
struct NodeAspect {
  ExtraPoint node = ExtraPoint::MeanNode;
  ChartPoint point = ChartPoint::Sun;
  AspectKind kind = AspectKind::Conjunction;
  double separation = 0;   ///< the shorter arc between the two, degrees, 0..180
  double orb = 0;          ///< |separation - the aspect's angle|, degrees
  bool applying = false;   ///< the orb is closing
  bool outOfSign = false;  ///< the signs are not the aspect's number of signs apart
  friend bool operator==(const NodeAspect&, const NodeAspect&) = default;
};

/// Every aspect in use under `settings` between each node and each of the
/// chart points, at most one per pair (the smallest orb), each within
/// kNodeOrb; out-of-sign aspects as `settings` says. In the order of the
/// nodes, then of the points. The nodes are not aspected to each other.
[[nodiscard]] std::vector<NodeAspect> FindNodeAspects(const AspectPoints& points,
                                                      std::span<const NodePoint> nodes,
                                                      const AspectSettings& settings);

/// The patterns.
enum class PatternKind : int { GrandCross = 0, TSquare, GrandTrine, Yod, Stellium };

inline constexpr auto kPatternNames = std::to_array<std::string_view>({
    "grand cross",
    "T-square",
    "grand trine",
    "yod",
    "stellium",
});

/// A pattern and its members, in chart order except where the members have
/// roles: a T-square names its opposition first and its apex last, a yod its
/// sextile first and its apex last.
struct Pattern {
  PatternKind kind = PatternKind::Stellium;
  std::vector<ChartPoint> members;
  std::optional<int> sign;  ///< a stellium's sign
  friend bool operator==(const Pattern&, const Pattern&) = default;
};

/// The patterns among `aspects` (as FindAspects found them): grand crosses,
/// T-squares (those not inside a grand cross), grand trines, yods (the
/// quincunx must be in use) and stelliums (three or more of the Sun, the
/// Moon and the planets in one sign; the Ascendant is no body).
[[nodiscard]] std::vector<Pattern> FindPatterns(const std::vector<Aspect>& aspects,
                                                const AspectPoints& points);

/// Degrees and minutes of an orb, rounded to the nearest minute, e.g.
/// 2°14' for 2.2339.
struct OrbParts {
  int degrees = 0;
  int minutes = 0;
};
[[nodiscard]] OrbParts OrbPartsOf(double orb) noexcept;

/// The report's and the list's order: applying aspects first, then by orb,
/// then in chart order.
void SortApplyingFirst(std::vector<Aspect>& aspects);

/// The orb of every aspect between a transiting body and a natal point, degrees.
inline constexpr double kTransitOrb = 3.0;
/// The orb of every aspect between one person's points and another's, degrees.
inline constexpr double kSynastryOrb = 6.0;

/// `settings` with every aspect's orb set to `orbDeg`; the aspects in use
/// and the out-of-sign choice kept.
[[nodiscard]] AspectSettings WithEveryOrb(AspectSettings settings, double orbDeg) noexcept;

/// One aspect between a point of one set and a point of another.
struct CrossAspect {
  std::size_t first = 0;   ///< index of the point in the first set
  std::size_t second = 0;  ///< index of the point in the second set
  AspectKind kind = AspectKind::Conjunction;
  double separation = 0;   ///< the shorter arc between the two, degrees, 0..180
  double orb = 0;          ///< |separation - the aspect's angle|, degrees
  bool applying = false;   ///< the orb is closing (as in Aspect)
  bool outOfSign = false;  ///< the signs are not the aspect's number of signs apart
  friend bool operator==(const CrossAspect&, const CrossAspect&) = default;
};

/// Every aspect in use between a point of `first` and a point of `second`,
/// at most one per pair (the one with the smallest orb), under the rules of
/// FindAspects, with the settings' orb for each aspect as it stands: the two
/// sets carry their own orbs (kTransitOrb, kSynastryOrb), so the Sun and
/// the Moon widen nothing. In the order of the pairs: first, then second,
/// by index.
[[nodiscard]] std::vector<CrossAspect> FindCrossAspects(std::span<const AspectPoint> first,
                                                        std::span<const AspectPoint> second,
                                                        const AspectSettings& settings);

}  // namespace zodivane
