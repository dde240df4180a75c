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

/// What the events of a calendar file stand for.
enum class IcsEventKind {
  /// One event at each moment: entering an orb, each exact hit, leaving,
  /// each house entry.
  Moments,
  /// One event for each passage, from entering the orb to leaving it, its
  /// exact moments in the description; house entries stay moments.
  Passages,
};

/// One event of the calendar file.
struct IcsEvent {
  double julianDayUt = 0;     ///< the start, Julian day in UT
  double endJulianDayUt = 0;  ///< the end, Julian day in UT (the start for a moment)
  std::string summary;        ///< the event's title, e.g. "Jupiter exact trine natal Sun"
  std::string description;    ///< the aspect, its orb and both positions, lines split by "\n"
  std::string uid;            ///< unique within the file and stable from one run to the next
  friend bool operator==(const IcsEvent&, const IcsEvent&) = default;
};

/// The events of `calendar`: with IcsEventKind::Moments one for each of its
/// moments in time order (CalendarEvents), titled, described and named by
/// CalendarEventSummary, CalendarEventDescription and CalendarEventUid; with
/// IcsEventKind::Passages one for each passage (PassageSummary,
/// PassageDescription, PassageUid; a passage still within at an end of the
/// period starts or ends there) and one for each house entry, in the order
/// of their starts. `natal` is the list the calendar was found for and
/// `personName` the chart's name (both tag the events' names, ChartTag);
/// the positions are those of the calendar's engine.
[[nodiscard]] std::vector<IcsEvent> IcsEventsOf(const TransitCalendar& calendar,
                                                std::span<const NatalPoint> natal,
                                                std::string_view personName,
                                                IcsEventKind kind = IcsEventKind::Moments);

/// True when this build writes iCalendar files.
[[nodiscard]] bool IcsAvailable() noexcept;

/// The text of an iCalendar file (VCALENDAR with PRODID
/// "-//Zodivane//`product`//EN" and X-WR-CALNAME `calendarName`, one VEVENT
/// per event, times in UTC to the second); every event's DTSTAMP is
/// `writtenJulianDayUt`, the moment the file is written (Julian day in UT).
/// None when this build has no libical.
[[nodiscard]] std::optional<std::string> IcsText(std::string_view product,
                                                 const std::string& calendarName,
                                                 const std::vector<IcsEvent>& events,
                                                 double writtenJulianDayUt);

}  // namespace zodivane
