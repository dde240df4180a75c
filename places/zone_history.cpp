// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/zone_history.h"

#include <date/tz.h>

#include <chrono>
#include <exception>

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
  return moment;
}

}  // namespace zodivane::places
