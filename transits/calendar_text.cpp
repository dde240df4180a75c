// SPDX-License-Identifier: GPL-3.0-or-later
#include "transits/calendar_text.h"

#include <cstddef>
#include <string_view>

#include "common/text_helpers.h"
#include "common/vocabulary.h"

namespace zodivane {
namespace {

std::string TwoDigits(int value) {
  return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

std::string_view BodyName(ChartPoint body) {
  return kChartPointNames[static_cast<std::size_t>(body)];
}

std::string_view AspectName(AspectKind kind) {
  return InfoOf(kind).name;
}

/// Lower-case letters and digits of `text`; everything else left out.
std::string UidPart(std::string_view text) {
  std::string part;
  for (const char c : text) {
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
      part += c;
    else if (c >= 'A' && c <= 'Z')
      part += static_cast<char>(c - 'A' + 'a');
  }
  return part;
}

}  // namespace

std::string UtMinuteText(double julianDayUt, bool iso) {
  const CivilMoment m = UtOfJulianDay(julianDayUt);
  std::string text = std::to_string(m.year) + "-" + TwoDigits(m.month) + "-" + TwoDigits(m.day);
  text += iso ? "T" : " ";
  text += TwoDigits(m.hour) + ":" + TwoDigits(m.minute);
  text += iso ? "Z" : " UT";
  return text;
}

std::string_view CalendarEventKey(CalendarEvent::Kind kind) noexcept {
  switch (kind) {
    case CalendarEvent::Kind::EntersOrb:
      return "entersOrb";
    case CalendarEvent::Kind::Exact:
      return "exact";
    case CalendarEvent::Kind::LeavesOrb:
      return "leavesOrb";
    case CalendarEvent::Kind::EntersHouse:
      break;
  }
  return "entersHouse";
}

std::string CalendarEventColumns(const CalendarEvent& event, std::span<const NatalPoint> natal) {
  std::string text = Padded(BodyName(event.body), 9);
  switch (event.kind) {
    case CalendarEvent::Kind::EntersOrb:
    case CalendarEvent::Kind::Exact:
    case CalendarEvent::Kind::LeavesOrb: {
      const std::string_view what = event.kind == CalendarEvent::Kind::EntersOrb ? "enters orb"
                                    : event.kind == CalendarEvent::Kind::Exact   ? "exact"
                                                                                 : "leaves orb";
      text += Padded(what, 12) + Padded(AspectName(event.aspect), 16) + "natal " +
              natal[event.natal].name;
      if (event.kind == CalendarEvent::Kind::Exact && event.hits > 1) {
        text += " (" + std::to_string(event.hit) + " of " + std::to_string(event.hits) + ")";
      }
      break;
    }
    case CalendarEvent::Kind::EntersHouse:
      text += "enters house " + std::to_string(event.house) + " (" +
              std::string(kSigns[static_cast<std::size_t>(event.sign)].name) + ")";
      if (event.retrograde)
        text += ", retrograde";
      break;
  }
  return text;
}

std::string CalendarEventSummary(const CalendarEvent& event, std::span<const NatalPoint> natal) {
  return std::string(TrimSpaces(CalendarEventColumns(event, natal)));
}

std::string CalendarEventUid(const CalendarEvent& event, std::span<const NatalPoint> natal) {
  std::string uid = UtMinuteText(event.julianDayUt, true) + "-" +
                    std::string(CalendarEventKey(event.kind)) + "-" +
                    std::string(BodyName(event.body));
  if (event.kind == CalendarEvent::Kind::EntersHouse) {
    uid += "-house" + std::to_string(event.house);
  } else {
    uid += "-" + std::string(AspectName(event.aspect)) + "-" + natal[event.natal].name;
    if (event.kind == CalendarEvent::Kind::Exact)
      uid += "-" + std::to_string(event.hit);
  }
  return UidPart(uid) + "@zodivane";
}

}  // namespace zodivane
