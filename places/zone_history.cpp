// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/zone_history.h"

#include <date/tz.h>

#include <chrono>
#include <exception>
#include <vector>

#include "places/posix_zone_rule.h"

namespace zodivane::places {
namespace {

ZoneState StateOf(const date::sys_info& info) {
  // With the system's tzdata the database keeps only whether daylight
  // saving is in force (save is 0 or 1 minute), not its amount.
  return ZoneState{static_cast<std::int32_t>(info.offset.count()),
                   info.save != std::chrono::minutes{0}, info.abbrev};
}

/// The standard-time period nearest before `info`, else nearest after it,
/// looking a few periods each way (double summer time sits two periods away).
std::optional<ZoneState> StandardAround(const date::time_zone& zone, const date::sys_info& info) {
  constexpr int kPeriodsToLook = 4;
  // The database's first period begins at the earliest time it can hold.
  const date::sys_seconds oldest = date::sys_days{date::year{1800} / 1 / 1};
  date::sys_info earlier = info;
  for (int step = 0; step < kPeriodsToLook && earlier.begin > oldest; ++step) {
    earlier = zone.get_info(earlier.begin - std::chrono::seconds{1});
    if (earlier.save == std::chrono::minutes{0}) {
      return StateOf(earlier);
    }
  }
  date::sys_info later = info;
  for (int step = 0; step < kPeriodsToLook; ++step) {
    later = zone.get_info(later.end);
    if (later.save == std::chrono::minutes{0}) {
      return StateOf(later);
    }
  }
  return std::nullopt;
}

ZoneState StateOf(const RulePeriod& period) {
  return ZoneState{period.utOffsetSeconds, period.daylightSaving, period.abbreviation};
}

/// True for the open-ended period after a zone file's last listed
/// transition, where the file's rule takes over.
bool IsLastListedPeriod(const date::sys_info& info) {
  constexpr date::sys_days kFarFuture = date::year{2200} / 1 / 1;
  return info.end >= kFarFuture;
}

/// The clock reading `clock` after the zone file's last listed transition
/// (2037 in the system's files), answered by the rule at the file's end;
/// false when the zone has no rule that changes the clocks.
bool ApplyZoneFileRule(std::string_view zone, date::local_seconds clock, ZoneAtMoment& moment) {
  const std::optional<PosixZoneRule> rule = ReadZoneFileRule(zone);
  if (!rule || !rule->changesClocks()) {
    return false;
  }
  std::vector<RulePeriod> around;
  const std::int64_t localSeconds = clock.time_since_epoch().count();
  const std::vector<RulePeriod> periods = rule->PeriodsAt(localSeconds, &around);
  if (periods.size() == 1) {
    moment.clockTime = ClockTime::Unique;
    moment.first = StateOf(periods.front());
    moment.second.reset();
  } else if (periods.size() == 2) {
    moment.clockTime = ClockTime::Ambiguous;
    moment.first = StateOf(periods[0]);
    moment.second = StateOf(periods[1]);
  } else if (around.size() == 2) {
    moment.clockTime = ClockTime::Nonexistent;
    moment.first = StateOf(around[0]);
    moment.second = StateOf(around[1]);
  } else {
    return false;
  }
  moment.standard.reset();
  if (moment.first.daylightSaving) {
    // Under a rule the standard time is the one the rule's other periods keep.
    for (const std::int64_t shift : {-200LL, 200LL}) {
      for (const RulePeriod& period : rule->PeriodsAt(localSeconds + shift * 86400)) {
        if (!period.daylightSaving) {
          moment.standard = StateOf(period);
        }
      }
      if (moment.standard) {
        break;
      }
    }
  }
  return true;
}

}  // namespace

std::optional<ZoneAtMoment> ZoneAt(std::string_view zone, const LocalDateTime& local) {
  const date::year_month_day day{date::year{local.year},
                                 date::month{static_cast<unsigned>(local.month)},
                                 date::day{static_cast<unsigned>(local.day)}};
  if (!day.ok() || local.hour < 0 || local.hour > 23 || local.minute < 0 || local.minute > 59) {
    return std::nullopt;
  }
  const date::time_zone* timeZone = nullptr;
  try {
    timeZone = date::locate_zone(std::string(zone));
  } catch (const std::exception&) {
    return std::nullopt;  // no such zone in the database
  }
  const date::local_seconds clock =
      date::local_days{day} + std::chrono::hours{local.hour} + std::chrono::minutes{local.minute};
  const date::local_info info = timeZone->get_info(clock);

  ZoneAtMoment moment;
  moment.zone = std::string(zone);
  moment.local = local;
  moment.first = StateOf(info.first);
  switch (info.result) {
    case date::local_info::unique:
      moment.clockTime = ClockTime::Unique;
      break;
    case date::local_info::ambiguous:
      moment.clockTime = ClockTime::Ambiguous;
      moment.second = StateOf(info.second);
      break;
    case date::local_info::nonexistent:
      moment.clockTime = ClockTime::Nonexistent;
      moment.second = StateOf(info.second);
      break;
  }
  if (moment.first.daylightSaving) {
    moment.standard = StandardAround(*timeZone, info.first);
  }
  if (info.result == date::local_info::unique && IsLastListedPeriod(info.first)) {
    ApplyZoneFileRule(zone, clock, moment);
  }
  return moment;
}

std::optional<PlaceClockReading> ClockReadingAt(std::string_view zone, int year, int month, int day,
                                                int hour, int minute, int second) {
  const date::time_zone* timeZone = nullptr;
  try {
    timeZone = date::locate_zone(std::string(zone));
  } catch (const std::exception&) {
    return std::nullopt;
  }
  const date::sys_seconds ut =
      date::sys_days{date::year{year} / date::month{static_cast<unsigned>(month)} /
                     date::day{static_cast<unsigned>(day)}} +
      std::chrono::hours{hour} + std::chrono::minutes{minute} + std::chrono::seconds{second};
  const date::sys_info info = timeZone->get_info(ut);
  std::int32_t offset = static_cast<std::int32_t>(info.offset.count());
  if (IsLastListedPeriod(info)) {
    // After the file's last transition its rule says which offset is in force.
    if (const std::optional<PosixZoneRule> rule = ReadZoneFileRule(zone)) {
      const std::int64_t utSeconds = ut.time_since_epoch().count();
      for (const std::int32_t candidate : rule->OffsetsInUse()) {
        for (const RulePeriod& period : rule->PeriodsAt(utSeconds + candidate)) {
          if (utSeconds >= period.begin && utSeconds < period.end) {
            offset = period.utOffsetSeconds;
          }
        }
      }
    }
  }
  // Whole minutes of the local clock (an offset with seconds, local mean
  // time, leaves them behind).
  const date::local_seconds localSeconds{ut.time_since_epoch() + std::chrono::seconds{offset}};
  const auto localMinute = date::floor<std::chrono::minutes>(localSeconds);
  const date::local_days localDay = date::floor<date::days>(localMinute);
  const date::year_month_day civil{localDay};
  const date::hh_mm_ss clock{localMinute - localDay};
  const LocalDateTime reading{
      static_cast<int>(civil.year()), static_cast<int>(unsigned{civil.month()}),
      static_cast<int>(unsigned{civil.day()}), static_cast<int>(clock.hours().count()),
      static_cast<int>(clock.minutes().count())};
  const std::optional<ZoneAtMoment> moment = ZoneAt(zone, reading);
  if (!moment) {
    return std::nullopt;
  }
  PlaceClockReading result{reading.year,
                           reading.month,
                           reading.day,
                           reading.hour,
                           reading.minute,
                           0,
                           moment->first.abbreviation};
  if (moment->clockTime == ClockTime::Ambiguous && moment->second) {
    const bool second = offset == moment->second->utOffsetSeconds;
    result.repeat = second ? 2 : 1;
    result.abbreviation = second ? moment->second->abbreviation : moment->first.abbreviation;
  } else if (moment->clockTime == ClockTime::Nonexistent && moment->second) {
    result.abbreviation = moment->second->abbreviation;  // seen from UT the clocks have jumped
  }
  return result;
}

PlaceClock ClockOfZone(std::string zone) {
  return [zone = std::move(zone)](int year, int month, int day, int hour, int minute, int second) {
    return ClockReadingAt(zone, year, month, day, hour, minute, second);
  };
}

}  // namespace zodivane::places
