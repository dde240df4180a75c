// SPDX-License-Identifier: GPL-3.0-or-later
// The rule a zone file gives for the years after its last listed transition:
// a POSIX TZ string such as "EST5EDT,M3.2.0,M11.1.0" on the file's last line
// (RFC 8536, section 3.3, with its extensions: hours of a transition time
// from -167 to 167, quoted numeric abbreviations like "<+0545>").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zodivane::places {

/// A UT instant in seconds since 1970-01-01 00:00 UT.
using UtSeconds = std::int64_t;

/// One period of a rule's clocks.
struct RulePeriod {
  UtSeconds begin = 0;               ///< first UT second of the period
  UtSeconds end = 0;                 ///< first UT second after it
  std::int32_t utOffsetSeconds = 0;  ///< local clock time minus UT, east positive
  bool daylightSaving = false;       ///< the rule's second (daylight) time is in force
  std::string abbreviation;          ///< "EDT", "+0545"
  friend bool operator==(const RulePeriod&, const RulePeriod&) = default;
};

/// A parsed POSIX TZ rule.
class PosixZoneRule {
 public:
  /// Reads `text`; nullopt when it is not a rule this reader understands.
  [[nodiscard]] static std::optional<PosixZoneRule> Parse(std::string_view text);

  /// True when the rule changes the clocks twice a year; false for a fixed offset.
  [[nodiscard]] bool changesClocks() const noexcept { return hasDaylight_; }
  /// The rule's offsets, standard first (one when it keeps a fixed offset).
  [[nodiscard]] std::vector<std::int32_t> OffsetsInUse() const {
    if (!hasDaylight_) {
      return {standardOffsetSeconds_};
    }
    return {standardOffsetSeconds_, daylightOffsetSeconds_};
  }

  /// The periods that touch the local clock reading `localSeconds` (seconds
  /// since 1970-01-01 00:00 of the local clock): one when the reading
  /// happened once, two (earlier first) when it happened twice, none when
  /// it never happened. `around` receives the periods just before and after
  /// a reading that never happened.
  [[nodiscard]] std::vector<RulePeriod> PeriodsAt(std::int64_t localSeconds,
                                                  std::vector<RulePeriod>* around = nullptr) const;

 private:
  /// One transition date of the rule: Jn, n or Mm.w.d, and the local time.
  struct When {
    enum class Kind { JulianNoLeap, ZeroBased, MonthWeekDay } kind = Kind::MonthWeekDay;
    int day = 0;                      ///< Jn: 1..365; n: 0..365; Mm.w.d: weekday 0 (Sunday)..6
    int month = 0;                    ///< Mm.w.d: 1..12
    int week = 0;                     ///< Mm.w.d: 1..5 (5 = last)
    std::int32_t timeSeconds = 7200;  ///< local time of the change, -167 h .. 167 h
  };
  /// Local midnight of `when`'s date in `year`, in days since 1970-01-01.
  [[nodiscard]] static std::int64_t DayOf(const When& when, int year) noexcept;
  /// The periods from the start of year - 1 to the end of year + 1.
  [[nodiscard]] std::vector<RulePeriod> PeriodsAround(int year) const;

  std::string standardName_;
  std::string daylightName_;
  std::int32_t standardOffsetSeconds_ = 0;  ///< east positive
  std::int32_t daylightOffsetSeconds_ = 0;  ///< east positive
  bool hasDaylight_ = false;
  When start_;  ///< when daylight time begins (local standard time)
  When end_;    ///< when it ends (local daylight time)
};

/// The rule at the end of the zone file of the IANA zone `zone` in the
/// system's zone folder; nullopt when the file has none or cannot be read.
[[nodiscard]] std::optional<PosixZoneRule> ReadZoneFileRule(std::string_view zone);

}  // namespace zodivane::places
