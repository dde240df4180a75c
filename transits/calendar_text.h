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

/// The same in single spaces, the title of the event in a calendar:
/// "Jupiter exact trine natal Sun", "Uranus enters house 4 (Gemini)".
[[nodiscard]] std::string CalendarEventSummary(const CalendarEvent& event,
                                               std::span<const NatalPoint> natal);

/// What a calendar program shows under the title: the aspect with its orb
/// at that moment, then the transiting body's position by `engine` and the
/// natal point's ("Jupiter trine natal Sun, orb 0°00'" over "Jupiter at
/// 15° 20' 3" Sag, natal Sun at 15° 20' 3" Leo"); for a house entry the
/// body's position. Lines are separated by "\n".
[[nodiscard]] std::string CalendarEventDescription(const CalendarEvent& event,
                                                   std::span<const NatalPoint> natal,
                                                   SkyEngine engine);

/// A short tag of the chart the calendar was found for, from the person's
/// name (spaces at its ends left out) and the points' names and longitudes:
/// 16 lower-case hexadecimal digits, the same from one run to the next,
/// different for two people's charts (twins' too).
[[nodiscard]] std::string ChartTag(std::string_view personName, std::span<const NatalPoint> natal);

/// A name of the event that is the same from one run to the next, unique
/// within a calendar and different for another chart: its moment, kind,
/// body, and the aspect and natal point (with the hit's number) or the
/// house, in lower-case letters and digits, then "-", `chartTag` (ChartTag)
/// and "@zodivane".
[[nodiscard]] std::string CalendarEventUid(const CalendarEvent& event,
                                           std::span<const NatalPoint> natal,
                                           std::string_view chartTag);

/// A passage as one event: the body, the aspect and the natal point,
/// "Jupiter trine natal Sun".
[[nodiscard]] std::string PassageSummary(const TransitPassage& passage,
                                         std::span<const NatalPoint> natal);

/// What the passage's event says under its title: the aspect within the
/// orb with the natal point's position, then a line for the moment it comes
/// within the orb, each exact moment and the moment it leaves, each in UT
/// with the body's position and the orb (or that it is already or still
/// within at the ends of the period `fromJulianDayUt`..`toJulianDayUt`),
/// lines separated by "\n".
[[nodiscard]] std::string PassageDescription(const TransitPassage& passage,
                                             std::span<const NatalPoint> natal, SkyEngine engine,
                                             double fromJulianDayUt, double toJulianDayUt);

/// The passage's name, like CalendarEventUid: "passage", the body, the
/// aspect and natal point, from its first moment (entry, else first exact
/// hit, else `fromJulianDayUt`).
[[nodiscard]] std::string PassageUid(const TransitPassage& passage,
                                     std::span<const NatalPoint> natal, double fromJulianDayUt,
                                     std::string_view chartTag);

}  // namespace zodivane
