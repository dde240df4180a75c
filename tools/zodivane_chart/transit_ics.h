// SPDX-License-Identifier: GPL-3.0-or-later
// The transit calendar as an iCalendar file, written with libical where the
// build found it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zodivane::chart_tool {

/// One moment of the calendar as an iCalendar event.
struct IcsEvent {
  double julianDayUt = 0;  ///< the moment, Julian day in UT (the event starts and ends there)
  std::string summary;     ///< the event's title, e.g. "Jupiter exact trine natal Sun"
  std::string uid;         ///< unique within the file and stable from one run to the next
};

/// True when this build writes iCalendar files.
[[nodiscard]] bool IcsAvailable() noexcept;

/// The text of an iCalendar file (VCALENDAR, one VEVENT per event, times
/// in UTC to the second); none when this build has no libical.
[[nodiscard]] std::optional<std::string> IcsText(const std::string& calendarName,
                                                 const std::vector<IcsEvent>& events);

}  // namespace zodivane::chart_tool
