// SPDX-License-Identifier: GPL-3.0-or-later
// The transit calendar in words: what each moment of it says, as the
// command line's calendar lines, the iCalendar events and the program's
// calendar window write it, so that all three agree.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "transits/transits.h"

namespace zodivane {

/// A UT moment to the minute: "2025-03-04 13:22 UT", or with `iso`
/// "2025-03-04T13:22Z" (rounded to the nearest minute, as UtOfJulianDay).
[[nodiscard]] std::string UtMinuteText(double julianDayUt, bool iso = false);

/// The kind of a calendar moment as the JSON lines and the events' names
/// key it: "entersOrb", "exact", "leavesOrb" or "entersHouse".
[[nodiscard]] std::string_view CalendarEventKey(CalendarEvent::Kind kind) noexcept;

/// What happens at `event`, in the calendar line's columns after the
/// moment: the body (9 wide), then for an aspect's moment "enters orb",
/// "exact" or "leaves orb" (12 wide), the aspect (16 wide) and "natal " with
/// the natal point's name, " (2 of 3)" after an exact hit of a passage with
/// several; for a house entry "enters house 5 (Leo)", ", retrograde" when
/// entered moving backwards. `natal` is the list the calendar was found for.
[[nodiscard]] std::string CalendarEventColumns(const CalendarEvent& event,
                                               std::span<const NatalPoint> natal);

/// The same without the padding at its ends, the title of the event in a
/// calendar: "Jupiter  exact       trine           natal Sun" keeps the
/// columns' inner spaces, as the command line has always written it.
[[nodiscard]] std::string CalendarEventSummary(const CalendarEvent& event,
                                               std::span<const NatalPoint> natal);

/// A name of the event that is the same from one run to the next and
/// unique within a calendar: its moment, kind, body, and the aspect and
/// natal point (with the hit's number) or the house, in lower-case letters
/// and digits, followed by "@zodivane".
[[nodiscard]] std::string CalendarEventUid(const CalendarEvent& event,
                                           std::span<const NatalPoint> natal);

}  // namespace zodivane
