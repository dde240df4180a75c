// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/posix_zone_rule.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <fstream>
#include <utility>

namespace zodivane::places {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int32_t kSecondsPerHour = 3600;
/// Hours a transition time may reach either way (RFC 8536 extension).
constexpr int kLargestRuleHours = 167;
/// The folder of the system's zone files, as the zone database reads it.
constexpr std::string_view kZoneFolder = "/usr/share/zoneinfo/";
/// The footer is one short line; this much of a file's end always holds it.
constexpr std::streamoff kTailBytes = 512;

/// A small cursor over the rule's text.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}
  [[nodiscard]] bool done() const noexcept { return position_ >= text_.size(); }
  [[nodiscard]] char peek() const noexcept { return done() ? '\0' : text_[position_]; }
  bool take(char c) noexcept {
    if (peek() != c) {
      return false;
    }
    ++position_;
    return true;
  }
  /// An abbreviation: three or more letters, or anything but '>' inside <>.
  std::optional<std::string> name() {
    std::string out;
    if (take('<')) {
      while (!done() && peek() != '>') {
        out.push_back(text_[position_++]);
      }
      if (!take('>') || out.empty()) {
        return std::nullopt;
      }
      return out;
    }
    while (std::isalpha(static_cast<unsigned char>(peek())) != 0) {
      out.push_back(text_[position_++]);
    }
    return out.size() >= 3 ? std::optional<std::string>(out) : std::nullopt;
  }
  /// An unsigned number of at most `digits` digits.
  std::optional<int> number(int digits) noexcept {
    int value = 0;
    int count = 0;
    while (count < digits && std::isdigit(static_cast<unsigned char>(peek())) != 0) {
      value = value * 10 + (text_[position_++] - '0');
      ++count;
    }
    return count == 0 ? std::nullopt : std::optional<int>(value);
  }
  /// [+-]hh[:mm[:ss]] in seconds, hours up to `largestHours`.
  std::optional<std::int32_t> duration(int largestHours) noexcept {
    const bool negative = take('-');
    if (!negative) {
      take('+');
    }
    const std::optional<int> hours = number(3);
    if (!hours || *hours > largestHours) {
      return std::nullopt;
    }
    std::int32_t seconds = *hours * kSecondsPerHour;
    for (const int factor : {60, 1}) {
      if (!take(':')) {
        break;
      }
      const std::optional<int> part = number(2);
      if (!part || *part > 59) {
        return std::nullopt;
      }
      seconds += *part * factor;
    }
    return negative ? -seconds : seconds;
  }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
};

std::int64_t DaysFromEpoch(int year, unsigned month, unsigned day) noexcept {
  const std::chrono::sys_days date{std::chrono::year{year} / std::chrono::month{month} /
                                   std::chrono::day{day}};
  return date.time_since_epoch().count();
}

std::int64_t FloorDivide(std::int64_t value, std::int64_t by) noexcept {
  return value / by - ((value % by != 0) && ((value < 0) != (by < 0)) ? 1 : 0);
}

int YearOfLocalSeconds(std::int64_t localSeconds) noexcept {
  const std::chrono::sys_days day{std::chrono::days{FloorDivide(localSeconds, kSecondsPerDay)}};
  return static_cast<int>(std::chrono::year_month_day{day}.year());
}

}  // namespace

std::optional<PosixZoneRule> PosixZoneRule::Parse(std::string_view text) {
  Reader reader(text);
  PosixZoneRule rule;
  const std::optional<std::string> standardName = reader.name();
  // POSIX offsets count hours west of Greenwich; ours count east.
  const std::optional<std::int32_t> standardWest = reader.duration(24);
  if (!standardName || !standardWest) {
    return std::nullopt;
  }
  rule.standardName_ = *standardName;
  rule.standardOffsetSeconds_ = -*standardWest;
  if (reader.done()) {
    return rule;
  }
  const std::optional<std::string> daylightName = reader.name();
  if (!daylightName) {
    return std::nullopt;
  }
  rule.hasDaylight_ = true;
  rule.daylightName_ = *daylightName;
  rule.daylightOffsetSeconds_ = rule.standardOffsetSeconds_ + kSecondsPerHour;
  if (reader.peek() != ',' && !reader.done()) {
    const std::optional<std::int32_t> daylightWest = reader.duration(24);
    if (!daylightWest) {
      return std::nullopt;
    }
    rule.daylightOffsetSeconds_ = -*daylightWest;
  }
  // A daylight time without dates uses the traditional US rule.
  rule.start_ = When{When::Kind::MonthWeekDay, 0, 3, 2, 7200};
  rule.end_ = When{When::Kind::MonthWeekDay, 0, 11, 1, 7200};
  int datesRead = 0;
  for (When* when : {&rule.start_, &rule.end_}) {
    if (reader.done()) {
      break;
    }
    ++datesRead;
    if (!reader.take(',')) {
      return std::nullopt;
    }
    if (reader.take('M')) {
      const std::optional<int> month = reader.number(2);
      const bool dot1 = reader.take('.');
      const std::optional<int> week = reader.number(1);
      const bool dot2 = reader.take('.');
      const std::optional<int> weekday = reader.number(1);
      if (!month || !week || !weekday || !dot1 || !dot2 || *month < 1 || *month > 12 || *week < 1 ||
          *week > 5 || *weekday > 6) {
        return std::nullopt;
      }
      *when = When{When::Kind::MonthWeekDay, *weekday, *month, *week, 7200};
    } else if (reader.take('J')) {
      const std::optional<int> day = reader.number(3);
      if (!day || *day < 1 || *day > 365) {
        return std::nullopt;
      }
      *when = When{When::Kind::JulianNoLeap, *day, 0, 0, 7200};
    } else {
      const std::optional<int> day = reader.number(3);
      if (!day || *day > 365) {
        return std::nullopt;
      }
      *when = When{When::Kind::ZeroBased, *day, 0, 0, 7200};
    }
    if (reader.take('/')) {
      const std::optional<std::int32_t> time = reader.duration(kLargestRuleHours);
      if (!time) {
        return std::nullopt;
      }
      when->timeSeconds = *time;
    }
  }
  if (!reader.done() || datesRead == 1) {
    return std::nullopt;
  }
  return rule;
}

std::int64_t PosixZoneRule::DayOf(const When& when, int year) noexcept {
  const std::int64_t januaryFirst = DaysFromEpoch(year, 1, 1);
  switch (when.kind) {
    case When::Kind::JulianNoLeap: {
      const bool leap = std::chrono::year{year}.is_leap();
      return januaryFirst + when.day - 1 + (leap && when.day >= 60 ? 1 : 0);
    }
    case When::Kind::ZeroBased:
      return januaryFirst + when.day;
    case When::Kind::MonthWeekDay:
      break;
  }
  const auto month = static_cast<unsigned>(when.month);
  const std::int64_t first = DaysFromEpoch(year, month, 1);
  // 1970-01-01 was a Thursday (weekday 4).
  const std::int64_t firstWeekday = (FloorDivide(first, 7) * -7 + first + 4) % 7;
  std::int64_t day = first + (when.day - firstWeekday + 7) % 7 + 7 * (when.week - 1);
  const std::int64_t nextMonth =
      month == 12 ? DaysFromEpoch(year + 1, 1, 1) : DaysFromEpoch(year, month + 1, 1);
  while (day >= nextMonth) {
    day -= 7;
  }
  return day;
}

std::vector<RulePeriod> PosixZoneRule::PeriodsAround(int year) const {
  // Transitions of five years, so that periods cover the three middle ones
  // whatever the hour of the change.
  std::vector<std::pair<UtSeconds, bool>> transitions;  // (instant, daylight after it)
  for (int y = year - 2; y <= year + 2; ++y) {
    transitions.emplace_back(
        DayOf(start_, y) * kSecondsPerDay + start_.timeSeconds - standardOffsetSeconds_, true);
    transitions.emplace_back(
        DayOf(end_, y) * kSecondsPerDay + end_.timeSeconds - daylightOffsetSeconds_, false);
  }
  std::sort(transitions.begin(), transitions.end());
  std::vector<RulePeriod> periods;
  for (std::size_t i = 0; i + 1 < transitions.size(); ++i) {
    const bool daylight = transitions[i].second;
    periods.push_back(RulePeriod{transitions[i].first, transitions[i + 1].first,
                                 daylight ? daylightOffsetSeconds_ : standardOffsetSeconds_,
                                 daylight, daylight ? daylightName_ : standardName_});
  }
  return periods;
}

std::vector<RulePeriod> PosixZoneRule::PeriodsAt(std::int64_t localSeconds,
                                                 std::vector<RulePeriod>* around) const {
  if (!hasDaylight_) {
    const RulePeriod always{INT64_MIN, INT64_MAX, standardOffsetSeconds_, false, standardName_};
    return {always};
  }
  const std::vector<RulePeriod> periods = PeriodsAround(YearOfLocalSeconds(localSeconds));
  std::vector<RulePeriod> matches;
  for (const RulePeriod& period : periods) {
    const UtSeconds ut = localSeconds - period.utOffsetSeconds;
    if (ut >= period.begin && ut < period.end) {
      matches.push_back(period);
    }
  }
  if (matches.empty() && around != nullptr) {
    for (std::size_t i = 0; i + 1 < periods.size(); ++i) {
      if (localSeconds - periods[i].utOffsetSeconds >= periods[i].end &&
          localSeconds - periods[i + 1].utOffsetSeconds < periods[i + 1].begin) {
        *around = {periods[i], periods[i + 1]};
        break;
      }
    }
  }
  return matches;
}

std::optional<PosixZoneRule> ReadZoneFileRule(std::string_view zone) {
  if (zone.empty() || zone.front() == '/' || zone.find("..") != std::string_view::npos) {
    return std::nullopt;
  }
  std::ifstream file(std::string(kZoneFolder) + std::string(zone), std::ios::binary);
  if (!file || !file.seekg(0, std::ios::end)) {
    return std::nullopt;
  }
  const std::streamoff size = file.tellg();
  if (size <= 0) {
    return std::nullopt;
  }
  const std::streamoff from = std::max<std::streamoff>(0, size - kTailBytes);
  file.seekg(from);
  std::string tail(static_cast<std::size_t>(size - from), '\0');
  if (!file.read(tail.data(), static_cast<std::streamsize>(tail.size()))) {
    return std::nullopt;
  }
  // A version 2+ file ends with "\n<rule>\n".
  if (tail.size() < 2 || tail.back() != '\n') {
    return std::nullopt;
  }
  const std::size_t open = tail.rfind('\n', tail.size() - 2);
  if (open == std::string::npos) {
    return std::nullopt;
  }
  return PosixZoneRule::Parse(std::string_view(tail).substr(open + 1, tail.size() - open - 2));
}

}  // namespace zodivane::places
