// SPDX-License-Identifier: GPL-3.0-or-later
#include "transits/transit_ics.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "transits/calendar_text.h"

#ifdef ZODIVANE_ICAL
#include <libical/ical.h>
#endif

namespace zodivane {

std::vector<IcsEvent> IcsEventsOf(const TransitCalendar& calendar,
                                  std::span<const NatalPoint> natal, std::string_view personName,
                                  IcsEventKind kind) {
  const std::string tag = ChartTag(personName, natal);
  std::vector<IcsEvent> events;
  for (const CalendarEvent& event : CalendarEvents(calendar)) {
    if (kind == IcsEventKind::Passages && event.kind != CalendarEvent::Kind::EntersHouse) {
      continue;
    }
    events.push_back({event.julianDayUt, event.julianDayUt, CalendarEventSummary(event, natal),
                      CalendarEventDescription(event, natal, calendar.engine),
                      CalendarEventUid(event, natal, tag)});
  }
  if (kind == IcsEventKind::Passages) {
    for (const TransitPassage& passage : calendar.passages) {
      events.push_back({passage.entersJulianDayUt.value_or(calendar.fromJulianDayUt),
                        passage.leavesJulianDayUt.value_or(calendar.toJulianDayUt),
                        PassageSummary(passage, natal),
                        PassageDescription(passage, natal, calendar.engine,
                                           calendar.fromJulianDayUt, calendar.toJulianDayUt),
                        PassageUid(passage, natal, calendar.fromJulianDayUt, tag)});
    }
    std::stable_sort(events.begin(), events.end(), [](const IcsEvent& a, const IcsEvent& b) {
      return a.julianDayUt < b.julianDayUt;
    });
  }
  return events;
}

#ifdef ZODIVANE_ICAL

namespace {

/// The moment as a UTC date-time of libical, to the second.
icaltimetype UtcTime(double julianDayUt) {
  // Whole seconds from the Unix epoch (JD 2440587.5).
  const auto seconds = static_cast<time_t>(std::llround((julianDayUt - 2440587.5) * 86400.0));
  return icaltime_from_timet_with_zone(seconds, 0, icaltimezone_get_utc_timezone());
}

}  // namespace

bool IcsAvailable() noexcept {
  return true;
}

std::optional<std::string> IcsText(std::string_view product, const std::string& calendarName,
                                   const std::vector<IcsEvent>& events, double writtenJulianDayUt) {
  const auto freeComponent = [](icalcomponent* c) { icalcomponent_free(c); };
  const std::string productId = "-//Zodivane//" + std::string(product) + "//EN";
  std::unique_ptr<icalcomponent, decltype(freeComponent)> calendar(
      icalcomponent_vanew(ICAL_VCALENDAR_COMPONENT, icalproperty_new_version("2.0"),
                          icalproperty_new_prodid(productId.c_str()),
                          icalproperty_new_calscale("GREGORIAN"), nullptr),
      freeComponent);
  icalproperty* name = icalproperty_new_x(calendarName.c_str());
  icalproperty_set_x_name(name, "X-WR-CALNAME");
  icalcomponent_add_property(calendar.get(), name);
  const icaltimetype stamp = UtcTime(writtenJulianDayUt);
  for (const IcsEvent& event : events) {
    icalcomponent* vevent = icalcomponent_new_vevent();
    icalcomponent_add_property(vevent, icalproperty_new_uid(event.uid.c_str()));
    icalcomponent_add_property(vevent, icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(vevent, icalproperty_new_dtstart(UtcTime(event.julianDayUt)));
    icalcomponent_add_property(vevent, icalproperty_new_dtend(UtcTime(event.endJulianDayUt)));
    icalcomponent_add_property(vevent, icalproperty_new_summary(event.summary.c_str()));
    icalcomponent_add_property(vevent, icalproperty_new_description(event.description.c_str()));
    icalcomponent_add_property(vevent, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    icalcomponent_add_component(calendar.get(), vevent);
  }
  char* text = icalcomponent_as_ical_string_r(calendar.get());
  std::string result(text);
  std::free(text);
  return result;
}

#else

bool IcsAvailable() noexcept {
  return false;
}

std::optional<std::string> IcsText(std::string_view, const std::string&,
                                   const std::vector<IcsEvent>&, double) {
  return std::nullopt;
}

#endif

}  // namespace zodivane
