// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/sensitivity.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/form_rules.h"
#include "ephemeris/engines.h"
#include "ephemeris/points.h"
#include "ephemeris/swiss_ephemeris.h"
#include "ephemeris/time_scales.h"

namespace zodivane {
namespace {

constexpr int kNoSign = -1;

/// First and last birth moments the form takes: 1 January 1901, 0:00 and
/// 31 December 2050, 23:59, local clock time.
constexpr CivilMoment kFirstBirthMoment{kFirstBirthYear, 1, 1, kHourList.first, kMinuteList.first};
constexpr CivilMoment kLastBirthMoment{kLastBirthYear, 12, 31, kHourList.last, kMinuteList.last};

/// Minutes from 1 January 1901, 0:00 to a local date and time.
std::int64_t MinutesFromFirstBirth(const CivilMoment& moment) noexcept {
  const std::int64_t days =
      JulianDayNumber(moment.month, moment.day, moment.year) -
      JulianDayNumber(kFirstBirthMoment.month, kFirstBirthMoment.day, kFirstBirthMoment.year);
  return days * 1440 + moment.hour * 60 + moment.minute;
}

CivilMoment LocalMomentOf(const ChartInput& input) noexcept {
  return CivilMoment{input.year, input.month, input.day, input.hour, input.minute};
}

/// The Ascendant's sign as the results read it: the last three characters
/// of its trimmed long text.
int AscendantSignOf(std::string_view ascendantText) noexcept {
  return SignIndexOfLongText(ascendantText).value_or(kNoSign);
}

/// A body's sign as the results read it: characters 4 to 6 of its trimmed
/// short position text.
int PositionSignOf(const PositionTable& positions, ChartPoint point) noexcept {
  return SignIndexOfShortText(TrimSpaces(positions[static_cast<std::size_t>(point)]))
      .value_or(kNoSign);
}

int MoonSignOf(const MoonPosition& moon) noexcept {
  return SignIndexFromName(moon.moonSignName).value_or(kNoSign);
}

/// Signs of all eleven points of one birth record, from the Ascendant's and
/// the Moon's results of that record and the planet engine run after them,
/// in the driver's order.
std::array<int, kChartPointCount> AllSigns(const ChartInput& input,
                                           const std::string& ascendantText,
                                           const MoonPosition& moon) {
  const PositionTable positions = ComputePlanets(input, moon.moonText, ascendantText);
  std::array<int, kChartPointCount> signs{};
  for (int point = 0; point < kChartPointCount; ++point) {
    signs[static_cast<std::size_t>(point)] =
        PositionSignOf(positions, static_cast<ChartPoint>(point));
  }
  signs[static_cast<std::size_t>(ChartPoint::Moon)] = MoonSignOf(moon);
  signs[static_cast<std::size_t>(ChartPoint::Ascendant)] = AscendantSignOf(ascendantText);
  return signs;
}

/// AllSigns of a record whose engines have not run yet.
std::array<int, kChartPointCount> AllSigns(const ChartInput& input) {
  return AllSigns(input, ComputeAscendant(input), ComputeMoon(input));
}

/// Sidereal time runs 360.9856 degrees per day of clock time.
constexpr double kSiderealDegreesPerMinute = 360.9856 / 1440.0;
/// The obliquity the Ascendant engine uses is 23.452294 - 0.0130125 T
/// degrees with T the centuries from 1900: at most 23.4523 from 1901 on.
constexpr double kLargestObliquityRad = 23.4523 * kDegreesToRadians;

/// Coarse step of the Ascendant search at the record's latitude, in minutes.
///
/// While the ecliptic crosses the horizon at an angle (latitude below the
/// polar circle, 90° minus the obliquity), the Ascendant advances
/// d(Asc)/d(RAMC) = (cos e + sin e tan p sin RAMC) / (cos² RAMC + (sin RAMC
/// cos e + sin e tan p)²) degrees of longitude per degree of sidereal time,
/// always forward and never faster than 1 / (cos e - sin e tan |p|), the
/// rate at which the first degree of Aries (North) or Libra (South) rises.
/// A sign therefore stays on the Ascendant at least 30 degrees over that
/// rate times kSiderealDegreesPerMinute: about 110 minutes at the equator,
/// 27 at 60 degrees, 8 at 65 degrees. A step of half that shortest stay
/// holds at most one sign change, and a step whose two ends show the same
/// sign holds none (the Ascendant would need a whole turn, a sidereal day),
/// so a change found between two steps is the only one there and bisection
/// finds its minute. Near and beyond the polar circle the rate has no useful
/// bound (beyond it the Ascendant jumps half a turn whenever the Midheaven
/// crosses the horizon): there every minute is cast.
int AscendantStepMinutes(const ChartInput& input) noexcept {
  const double latitudeRad = (input.latDegrees + input.latMinutes / 60.0) * kDegreesToRadians;
  const double slowness =
      std::cos(kLargestObliquityRad) - std::sin(kLargestObliquityRad) * std::tan(latitudeRad);
  if (slowness <= 0.0) {
    return 1;
  }
  const double fastestDegreesPerMinute = kSiderealDegreesPerMinute / slowness;
  const double shortestStayMinutes = 30.0 / fastestDegreesPerMinute;
  return std::max(1, static_cast<int>(shortestStayMinutes / 2.0));
}

/// Coarse step of the Moon search. The Moon engine's longitude always
/// advances, between about 11.8 and 15.4 degrees a day, so a sign holds it
/// for at least 1.9 days; a 6-hour step (at most about 4 degrees) holds at
/// most one change, and none when its ends agree.
constexpr int kMoonStepMinutes = 6 * 60;

/// Coarse step of the Sun and planet search. No planet moves faster than
/// about 2.2 degrees a day (Mercury), so an hour holds at most one boundary.
/// A planet can cross a boundary and come back within the same hour only by
/// standing still within a fraction of an arc-second of it; such a double
/// crossing, a few minutes wide at most, would go unseen.
constexpr int kPlanetStepMinutes = 60;

/// Coarse step of the Midheaven search (see Analyse).
constexpr int kMidheavenStepMinutes = 55;

/// Allowed shifts of the birth time: how far the search may go earlier
/// (a count of minutes, >= 0) and later before leaving 1901..2050.
struct ShiftLimits {
  int earlier = 0;
  int later = 0;
};

ShiftLimits LimitsOf(const ChartInput& input) noexcept {
  const std::int64_t now = MinutesFromFirstBirth(LocalMomentOf(input));
  const std::int64_t last = MinutesFromFirstBirth(kLastBirthMoment);
  constexpr std::int64_t kLongest = kMoonWindowMinutes;
  return ShiftLimits{static_cast<int>(std::clamp<std::int64_t>(now, 0, kLongest)),
                     static_cast<int>(std::clamp<std::int64_t>(last - now, 0, kLongest))};
}

/// Searches one side of the entered time. `signAt(shift)` casts the point at
/// the entered time moved by `shift` minutes. Steps outward by `step`
/// minutes up to `reach` minutes (the window or the range limit, whichever
/// is nearer); at the first step whose sign differs from `sign`, bisects the
/// last interval down to the minute.
template <typename SignAt>
std::optional<SignChange> SearchSide(SignAt&& signAt, int sign, int direction, int reach,
                                     int step) {
  int same = 0;  // distance known to show `sign`
  while (same < reach) {
    const int probe = std::min(same + step, reach);
    const int probeSign = signAt(direction * probe);
    if (probeSign != sign) {
      int differs = probe;
      int differsSign = probeSign;
      while (differs - same > 1) {
        const int middle = same + (differs - same) / 2;
        const int middleSign = signAt(direction * middle);
        if (middleSign == sign) {
          same = middle;
        } else {
          differs = middle;
          differsSign = middleSign;
        }
      }
      return SignChange{direction * differs, differsSign};
    }
    same = probe;
  }
  return std::nullopt;
}

template <typename SignAt>
void SearchBothSides(PointSensitivity& result, SignAt&& signAt, const ShiftLimits& limits,
                     int step) {
  const int earlierReach = std::min(result.windowMinutes, limits.earlier);
  const int laterReach = std::min(result.windowMinutes, limits.later);
  result.earlierStopsAtRange = earlierReach < result.windowMinutes;
  result.laterStopsAtRange = laterReach < result.windowMinutes;
  result.earlier = SearchSide(signAt, result.sign, -1, earlierReach, step);
  result.later = SearchSide(signAt, result.sign, +1, laterReach, step);
}

}  // namespace

ChartInput ShiftBirthTime(const ChartInput& input, int minutes) {
  const CivilMoment moment = ShiftCivilMoment(LocalMomentOf(input), minutes);
  ChartInput shifted = input;
  shifted.year = static_cast<std::int16_t>(moment.year);
  shifted.month = static_cast<std::int16_t>(moment.month);
  shifted.day = static_cast<std::int16_t>(moment.day);
  shifted.hour = static_cast<std::int16_t>(moment.hour);
  shifted.minute = static_cast<std::int16_t>(moment.minute);
  return shifted;
}

namespace {

/// The built-in method's probes. The Moon's and the Ascendant's texts of
/// the entered time serve the base signs and pass through every planet
/// probe; the planet engine places all bodies at once, so one cast per
/// probe serves every body and the casts are kept by shift.
class BuiltInProbes {
 public:
  explicit BuiltInProbes(const ChartInput& input)
      : input_(input), ascendantText_(ComputeAscendant(input)), moon_(ComputeMoon(input)) {}

  [[nodiscard]] std::array<int, kChartPointCount> SignsAtBirth() const {
    return AllSigns(input_, ascendantText_, moon_);
  }
  [[nodiscard]] static std::array<int, kChartPointCount> SignsOf(const ChartInput& input) {
    return AllSigns(input);
  }
  [[nodiscard]] int AscendantSign(int shift) const {
    return AscendantSignOf(ComputeAscendant(ShiftBirthTime(input_, shift)));
  }
  [[nodiscard]] int MoonSign(int shift) const {
    return MoonSignOf(ComputeMoon(ShiftBirthTime(input_, shift)));
  }
  [[nodiscard]] int MidheavenSign(int shift) const {
    return PointPositionOf(MidheavenLongitude(ShiftBirthTime(input_, shift)))
        .sign.value_or(kNoSign);
  }
  [[nodiscard]] int BodySign(ChartPoint body, int shift) {
    for (const auto& [castShift, positions] : casts_) {
      if (castShift == shift) {
        return PositionSignOf(positions, body);
      }
    }
    casts_.emplace_back(
        shift, ComputePlanets(ShiftBirthTime(input_, shift), moon_.moonText, ascendantText_));
    return PositionSignOf(casts_.back().second, body);
  }

 private:
  const ChartInput& input_;
  std::string ascendantText_;
  MoonPosition moon_;
  std::vector<std::pair<int, PositionTable>> casts_;
};

/// Swiss Ephemeris's probes: one sky per shift serves every point, kept by
/// shift. A sky the library cannot cast names no sign.
class SwissProbes {
 public:
  explicit SwissProbes(const ChartInput& input) : input_(input) {}

  [[nodiscard]] std::array<int, kChartPointCount> SignsAtBirth() { return SignsOfSky(SkyAt(0)); }
  [[nodiscard]] static std::array<int, kChartPointCount> SignsOf(const ChartInput& input) {
    auto sky = PreciseSkyOf(input);
    return SignsOfSky(std::get_if<PreciseSky>(&sky));
  }
  [[nodiscard]] int AscendantSign(int shift) { return BodySign(ChartPoint::Ascendant, shift); }
  [[nodiscard]] int MoonSign(int shift) { return BodySign(ChartPoint::Moon, shift); }
  [[nodiscard]] int MidheavenSign(int shift) {
    const PreciseSky* sky = SkyAt(shift);
    return sky ? SignOf(sky->midheavenDeg) : kNoSign;
  }
  [[nodiscard]] int BodySign(ChartPoint body, int shift) {
    return SignsOfSky(SkyAt(shift))[static_cast<std::size_t>(body)];
  }

 private:
  static int SignOf(double longitude) noexcept {
    return PointPositionOf(longitude).sign.value_or(kNoSign);
  }
  static std::array<int, kChartPointCount> SignsOfSky(const PreciseSky* sky) noexcept {
    std::array<int, kChartPointCount> signs{};
    signs.fill(kNoSign);
    if (sky != nullptr) {
      const LongitudeTable longitudes = PreciseLongitudes(*sky);
      for (std::size_t point = 0; point < signs.size(); ++point) {
        signs[point] = SignOf(longitudes[point]);
      }
    }
    return signs;
  }
  const PreciseSky* SkyAt(int shift) {
    for (const auto& [castShift, sky] : skies_) {
      if (castShift == shift) {
        return sky ? &*sky : nullptr;
      }
    }
    auto cast = PreciseSkyOf(ShiftBirthTime(input_, shift));
    const auto* sky = std::get_if<PreciseSky>(&cast);
    skies_.emplace_back(shift, sky ? std::optional<PreciseSky>(*sky) : std::nullopt);
    return skies_.back().second ? &*skies_.back().second : nullptr;
  }

  const ChartInput& input_;
  std::vector<std::pair<int, std::optional<PreciseSky>>> skies_;
};

template <typename Probes>
BirthTimeSensitivity Analyse(const ChartInput& input, Probes& probes, bool withMidheaven) {
  BirthTimeSensitivity result;
  const std::array<int, kChartPointCount> signs = probes.SignsAtBirth();
  const ShiftLimits limits = LimitsOf(input);

  for (int point = 0; point < kChartPointCount; ++point) {
    PointSensitivity& entry = result.points[static_cast<std::size_t>(point)];
    entry.point = static_cast<ChartPoint>(point);
    entry.sign = signs[static_cast<std::size_t>(point)];
    entry.windowMinutes = kPlanetWindowMinutes;
  }

  PointSensitivity& ascendant = result.points[static_cast<std::size_t>(ChartPoint::Ascendant)];
  ascendant.windowMinutes = kAscendantWindowMinutes;
  SearchBothSides(
      ascendant, [&](int shift) { return probes.AscendantSign(shift); }, limits,
      AscendantStepMinutes(input));

  PointSensitivity& moon = result.points[static_cast<std::size_t>(ChartPoint::Moon)];
  moon.windowMinutes = kMoonWindowMinutes;
  SearchBothSides(
      moon, [&](int shift) { return probes.MoonSign(shift); }, limits, kMoonStepMinutes);

  for (int point = 0; point < kChartPointCount; ++point) {
    const auto body = static_cast<ChartPoint>(point);
    if (body == ChartPoint::Moon || body == ChartPoint::Ascendant) {
      continue;
    }
    SearchBothSides(
        result.points[static_cast<std::size_t>(point)],
        [&](int shift) { return probes.BodySign(body, shift); }, limits, kPlanetStepMinutes);
  }

  if (withMidheaven) {
    // The Midheaven advances 0.92 to 1.09 degrees of longitude per degree of
    // sidereal time (cos e and 1 / cos e): a sign stays at least 110 minutes,
    // so a step of half that holds at most one change.
    PointSensitivity midheaven;
    midheaven.point = ChartPoint::Ascendant;
    midheaven.sign = probes.MidheavenSign(0);
    midheaven.windowMinutes = kAscendantWindowMinutes;
    SearchBothSides(
        midheaven, [&](int shift) { return probes.MidheavenSign(shift); }, limits,
        kMidheavenStepMinutes);
    result.midheaven = midheaven;
  }

  ChartInput opposite = input;
  opposite.dst = Flag16::Of(!input.dst.IsSet());
  result.oppositeDst = opposite.dst.IsSet();
  const std::array<int, kChartPointCount> oppositeSigns = Probes::SignsOf(opposite);
  for (int point = 0; point < kChartPointCount; ++point) {
    const auto index = static_cast<std::size_t>(point);
    if (oppositeSigns[index] != signs[index]) {
      result.dstDifferences.push_back(
          DstDifference{static_cast<ChartPoint>(point), signs[index], oppositeSigns[index]});
    }
  }
  return result;
}

}  // namespace

BirthTimeSensitivity AnalyseBirthTime(const ChartInput& input, const SensitivityOptions& options) {
  if (options.ephemeris == Ephemeris::Swiss) {
    SwissProbes probes(input);
    return Analyse(input, probes, options.midheaven);
  }
  BuiltInProbes probes(input);
  return Analyse(input, probes, options.midheaven);
}

}  // namespace zodivane
