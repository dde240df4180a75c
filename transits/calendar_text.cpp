// SPDX-License-Identifier: GPL-3.0-or-later
#include "transits/calendar_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/text_helpers.h"
#include "common/vocabulary.h"
#include "ephemeris/time_scales.h"

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

/// "Jupiter trine natal Sun".
std::string AspectWords(ChartPoint body, AspectKind aspect, const NatalPoint& point) {
  return std::string(BodyName(body)) + " " + std::string(AspectName(aspect)) + " natal " +
         point.name;
}

/// How far the arc from the natal point to the body is from the aspect's
/// angle, degrees.
double OrbAt(double bodyDeg, double natalDeg, AspectKind aspect) {
  return std::fabs(std::fabs(SignedArcDeg(natalDeg, bodyDeg)) - InfoOf(aspect).angle);
}

/// "1°00'", rounded to the minute.
std::string OrbWords(double orbDeg) {
  const OrbParts parts = OrbPartsOf(orbDeg);
  return std::to_string(parts.degrees) + "\u00B0" + TwoDigits(parts.minutes) + "'";
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
  // The columns' padding collapsed to single spaces.
  const std::string columns = CalendarEventColumns(event, natal);
  std::string summary;
  for (const char c : TrimSpaces(columns)) {
    if (c != ' ' || summary.empty() || summary.back() != ' ')
      summary += c;
  }
  return summary;
}

std::string CalendarEventDescription(const CalendarEvent& event, std::span<const NatalPoint> natal,
                                     SkyEngine engine) {
  const double bodyDeg = BodyLongitudeAt(engine, event.body, event.julianDayUt);
  const std::string body(BodyName(event.body));
  if (event.kind == CalendarEvent::Kind::EntersHouse) {
    return CalendarEventSummary(event, natal) + "\n" + body + " at " + SignPositionText(bodyDeg);
  }
  const NatalPoint& point = natal[event.natal];
  return AspectWords(event.body, event.aspect, point) + ", orb " +
         OrbWords(OrbAt(bodyDeg, point.longitudeDeg, event.aspect)) + "\n" + body + " at " +
         SignPositionText(bodyDeg) + ", natal " + point.name + " at " +
         SignPositionText(point.longitudeDeg);
}

std::string ChartTag(std::string_view personName, std::span<const NatalPoint> natal) {
  // FNV-1a, 64 bits, over the person's name and "name=longitude;" of each
  // point, the longitude to a millionth of a degree.
  std::uint64_t hash = 14695981039346656037ULL;
  const auto mix = [&hash](std::string_view text) {
    for (const char c : text) {
      hash ^= static_cast<unsigned char>(c);
      hash *= 1099511628211ULL;
    }
  };
  mix(TrimSpaces(personName));
  mix("\n");
  for (const NatalPoint& point : natal) {
    std::array<char, 32> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), point.longitudeDeg,
                                   std::chars_format::fixed, 6)
                         .ptr;
    mix(point.name);
    mix("=");
    mix(std::string_view(digits.data(), static_cast<std::size_t>(end - digits.data())));
    mix(";");
  }
  std::string tag(16, '0');
  for (std::size_t i = 0; i < tag.size(); ++i) {
    tag[tag.size() - 1 - i] = "0123456789abcdef"[(hash >> (4 * i)) & 0xF];
  }
  return tag;
}

std::string CalendarEventUid(const CalendarEvent& event, std::span<const NatalPoint> natal,
                             std::string_view chartTag) {
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
  return UidPart(uid) + "-" + std::string(chartTag) + "@zodivane";
}

std::string PassageSummary(const TransitPassage& passage, std::span<const NatalPoint> natal) {
  return AspectWords(passage.body, passage.kind, natal[passage.natal]);
}

std::string PassageDescription(const TransitPassage& passage, std::span<const NatalPoint> natal,
                               SkyEngine engine, double fromJulianDayUt, double toJulianDayUt) {
  const NatalPoint& point = natal[passage.natal];
  const std::string body(BodyName(passage.body));
  const auto at = [&](double julianDayUt) {
    const double bodyDeg = BodyLongitudeAt(engine, passage.body, julianDayUt);
    return UtMinuteText(julianDayUt) + ", " + body + " at " + SignPositionText(bodyDeg) + ", orb " +
           OrbWords(OrbAt(bodyDeg, point.longitudeDeg, passage.kind));
  };
  std::string text = AspectWords(passage.body, passage.kind, point) + " within " +
                     OrbWords(kCalendarOrb) + ", natal " + point.name + " at " +
                     SignPositionText(point.longitudeDeg) + "\n";
  text += passage.entersJulianDayUt
              ? "comes within orb " + at(*passage.entersJulianDayUt)
              : "already within orb at the start of the period, " + at(fromJulianDayUt);
  text += "\n";
  const std::size_t hits = passage.exactJulianDaysUt.size();
  for (std::size_t hit = 0; hit < hits; ++hit) {
    text += "exact";
    if (hits > 1)
      text += " (" + std::to_string(hit + 1) + " of " + std::to_string(hits) + ")";
    text += " " + at(passage.exactJulianDaysUt[hit]) + "\n";
  }
  if (hits == 0)
    text += "not exact within the period\n";
  text += passage.leavesJulianDayUt
              ? "leaves orb " + at(*passage.leavesJulianDayUt)
              : "still within orb at the end of the period, " + at(toJulianDayUt);
  return text;
}

std::string PassageUid(const TransitPassage& passage, std::span<const NatalPoint> natal,
                       double fromJulianDayUt, std::string_view chartTag) {
  const double first = passage.entersJulianDayUt           ? *passage.entersJulianDayUt
                       : passage.exactJulianDaysUt.empty() ? fromJulianDayUt
                                                           : passage.exactJulianDaysUt.front();
  const std::string uid = UtMinuteText(first, true) + "-passage-" +
                          std::string(BodyName(passage.body)) + "-" +
                          std::string(AspectName(passage.kind)) + "-" + natal[passage.natal].name;
  return UidPart(uid) + "-" + std::string(chartTag) + "@zodivane";
}

}  // namespace zodivane
