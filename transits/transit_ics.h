// SPDX-License-Identifier: GPL-3.0-or-later
// The transit calendar as an iCalendar file, written with libical where the
// build found it: the command line's --ics and the program's calendar
// window write the same events.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "transits/transits.h"

namespace zodivane {

/// One moment of the calendar as an iCalendar event.
struct IcsEvent {
  double julianDayUt = 0;  ///< the moment, Julian day in UT (the event starts and ends there)
  std::string
      summary;      ///< the event's title, e.g. "Jupiter  exact       trine           natal Sun"
  std::string uid;  ///< unique within the file and stable from one run to the next
  friend bool operator==(const IcsEvent&, const IcsEvent&) = default;
};

/// The events of `calendar`, one for each of its moments in time order
/// (CalendarEvents), titled and named by CalendarEventSummary and
/// CalendarEventUid; `natal` is the list the calendar was found for.
[[nodiscard]] std::vector<IcsEvent> IcsEventsOf(const TransitCalendar& calendar,
                                                std::span<const NatalPoint> natal);

/// True when this build writes iCalendar files.
[[nodiscard]] bool IcsAvailable() noexcept;

/// The text of an iCalendar file (VCALENDAR with PRODID
/// "-//Zodivane//`product`//EN" and X-WR-CALNAME `calendarName`, one VEVENT
/// per event, times in UTC to the second, the stamp being the first
/// event's moment so that the same calendar gives the same bytes); none when
/// this build has no libical.
[[nodiscard]] std::optional<std::string> IcsText(std::string_view product,
                                                 const std::string& calendarName,
                                                 const std::vector<IcsEvent>& events);

}  // namespace zodivane
