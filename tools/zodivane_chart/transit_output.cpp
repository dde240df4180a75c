// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/zodivane_chart/transit_output.h"

#include <array>
#include <charconv>
#include <chrono>
#include <ostream>
#include <string_view>
#include <vector>

#include "chart/chart_aspects.h"
#include "chartfile/chart_file.h"
#include "chartfile/compared_chart.h"
#include "common/json_escape.h"
#include "common/safe_file.h"
#include "common/text_helpers.h"
#include "ephemeris/sky_at.h"
#include "tools/zodivane_chart/tool.h"
#include "transits/calendar_text.h"
#include "transits/transit_ics.h"
#include "transits/transits.h"

namespace zodivane::chart_tool {
namespace {

/// The years the transit flags take: those both engines cover.
constexpr int kFirstTransitYear = 1900;
constexpr int kLastTransitYear = 2099;

/// "YYYY-MM-DD", or with `withTime` also "YYYY-MM-DDTHH:MM": the UT moment.
std::optional<CivilMoment> ParseMoment(std::string_view text, bool withTime) {
  const std::string_view date = text.substr(0, 10);
  if (date.size() != 10 || date[4] != '-' || date[7] != '-')
    return std::nullopt;
  const auto year = SmallNumber(date.substr(0, 4), 4);
  const auto month = SmallNumber(date.substr(5, 2), 2);
  const auto day = SmallNumber(date.substr(8, 2), 2);
  if (!year || !month || !day)
    return std::nullopt;
  CivilMoment moment{*year, *month, *day, 0, 0, 0};
  if (text.size() > 10) {
    const std::string_view time = text.substr(10);
    if (!withTime || time.size() != 6 || time[0] != 'T' || time[3] != ':')
      return std::nullopt;
    const auto hour = SmallNumber(time.substr(1, 2), 2);
    const auto minute = SmallNumber(time.substr(4, 2), 2);
    if (!hour || !minute || *hour > 23 || *minute > 59)
      return std::nullopt;
    moment.hour = *hour;
    moment.minute = *minute;
  }
  const std::chrono::year_month_day ymd{std::chrono::year{moment.year},
                                        std::chrono::month{static_cast<unsigned>(moment.month)},
                                        std::chrono::day{static_cast<unsigned>(moment.day)}};
  if (!ymd.ok())
    return std::nullopt;
  return moment;
}

bool InTransitYears(const CivilMoment& moment) noexcept {
  return moment.year >= kFirstTransitYear && moment.year <= kLastTransitYear;
}

std::string YearsText() {
  return std::to_string(kFirstTransitYear) + " to " + std::to_string(kLastTransitYear);
}

/// The Julian day of the moment the tool runs.
double NowJulianDay() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return 2440587.5 + std::chrono::duration<double, std::ratio<86400>>(now).count();
}

/// The start of the UT day of `julianDayUt`.
double StartOfDay(double julianDayUt) {
  CivilMoment day = UtOfJulianDay(julianDayUt);
  day.hour = 0;
  day.minute = 0;
  return JulianDayOfUt(day);
}

std::string TwoDigits(int value) {
  return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

/// "2025-03-04 13:22 UT" (with `iso`, "2025-03-04T13:22Z").
std::string MomentText(double julianDayUt, bool iso = false) {
  return UtMinuteText(julianDayUt, iso);
}

/// A number of degrees to four decimals, as JSON answers write it.
std::string Fixed(double value) {
  std::array<char, 32> digits{};
  const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                 std::chars_format::fixed, 4)
                       .ptr;
  return std::string(digits.data(), end);
}

/// "1°12'" (UTF-8 degree sign), rounded to the minute.
std::string OrbText(double orb) {
  const OrbParts parts = OrbPartsOf(orb);
  return std::to_string(parts.degrees) + "\u00B0" + TwoDigits(parts.minutes) + "'";
}

std::string_view BodyName(ChartPoint body) {
  return kChartPointNames[static_cast<std::size_t>(body)];
}

std::string_view AspectName(AspectKind kind) {
  return InfoOf(kind).name;
}

void AppendMember(std::string& out, std::string_view key, std::string_view text) {
  out += '"';
  out += key;
  out += "\":";
  AppendJsonString(out, text);
}

// --------------------------------------------------------------------------
// The transits at a moment and synastry.

struct Found {
  std::vector<CrossAspect> aspects;
  std::vector<std::string> firstNames;
  std::vector<std::string> secondNames;
};

std::string AspectsText(const Found& found, std::string_view heading) {
  std::string text(heading);
  text += '\n';
  if (found.aspects.empty())
    text += "  (none)\n";
  for (const CrossAspect& aspect : found.aspects) {
    text += "  " + Padded(found.firstNames[aspect.first], 10) +
            Padded(AspectName(aspect.kind), 16) + Padded(found.secondNames[aspect.second], 11) +
            "orb " + Padded(OrbText(aspect.orb), 8) +
            (aspect.applying ? "applying" : "separating") +
            (aspect.outOfSign ? ", out of sign" : "") + "\n";
  }
  return text;
}

std::string AspectsJson(const Found& found, std::string_view firstKey, std::string_view secondKey) {
  std::string out = "[";
  for (const CrossAspect& aspect : found.aspects) {
    if (out.size() > 1)
      out += ',';
    out += '{';
    AppendMember(out, firstKey, found.firstNames[aspect.first]);
    out += ',';
    AppendMember(out, "aspect", AspectName(aspect.kind));
    out += ',';
    AppendMember(out, secondKey, found.secondNames[aspect.second]);
    out += ",\"orb\":" + Fixed(aspect.orb);
    out += std::string(",\"applying\":") + (aspect.applying ? "true" : "false");
    out += std::string(",\"outOfSign\":") + (aspect.outOfSign ? "true" : "false");
    out += '}';
  }
  return out + "]";
}

std::vector<std::string> NamesOf(const std::vector<NatalPoint>& points) {
  std::vector<std::string> names;
  for (const NatalPoint& point : points)
    names.push_back(point.name);
  return names;
}

std::vector<std::string> ChartPointNames() {
  std::vector<std::string> names;
  for (int i = 0; i < kChartPointCount; ++i)
    names.push_back(NatalPointName(static_cast<ChartPoint>(i)));
  return names;
}

// --------------------------------------------------------------------------
// The calendar.

std::string EventText(const CalendarEvent& event, const std::vector<NatalPoint>& natal) {
  return MomentText(event.julianDayUt) + "  " + CalendarEventColumns(event, natal);
}

std::string EventJson(const CalendarEvent& event, const std::vector<NatalPoint>& natal) {
  std::string out = "{";
  AppendMember(out, "time", MomentText(event.julianDayUt, true));
  out += ',';
  AppendMember(out, "event", CalendarEventKey(event.kind));
  out += ',';
  AppendMember(out, "body", BodyName(event.body));
  if (event.kind == CalendarEvent::Kind::EntersHouse) {
    out += ",\"house\":" + std::to_string(event.house) + ',';
    AppendMember(out, "sign", kSigns[static_cast<std::size_t>(event.sign)].name);
    out += std::string(",\"retrograde\":") + (event.retrograde ? "true" : "false");
  } else {
    out += ',';
    AppendMember(out, "aspect", AspectName(event.aspect));
    out += ',';
    AppendMember(out, "natal", natal[event.natal].name);
    if (event.kind == CalendarEvent::Kind::Exact) {
      out += ",\"hit\":" + std::to_string(event.hit) + ",\"hits\":" + std::to_string(event.hits);
    }
  }
  return out + "}\n";
}

}  // namespace

std::variant<double, std::string> ReadTransitMoment(std::string_view text) {
  const std::optional<CivilMoment> at = ParseMoment(text, true);
  if (!at) {
    return " must be a UT date YYYY-MM-DD or moment YYYY-MM-DDTHH:MM (e.g. "
           "2025-03-05T14:30), not " +
           Quoted(text);
  }
  if (!InTransitYears(*at))
    return ": the year must be " + YearsText() + ", not " + std::to_string(at->year);
  return JulianDayOfUt(*at);
}

double TransitMomentNow() {
  return NowJulianDay();
}

std::optional<std::string> AppendTransitsMember(std::string& out, const ChartSession& session,
                                                const AspectSettings& settings,
                                                double julianDayUt) {
  const std::vector<NatalPoint> natal = NatalPointsOf(session.points());
  auto transits = TransitsAt(session.ephemeris(), julianDayUt, natal, TransitSettings(settings));
  if (const auto* message = std::get_if<std::string>(&transits))
    return *message;
  Found found;
  found.aspects = std::get<Transits>(transits).aspects;
  found.firstNames = ChartPointNames();
  found.secondNames = NamesOf(natal);
  out += "\"transits\":{";
  AppendMember(out, "at", MomentText(julianDayUt, true));
  out += ",\"orb\":" + Fixed(kTransitOrb) +
         ",\"aspects\":" + AspectsJson(found, "transiting", "natal") + '}';
  return std::nullopt;
}

std::variant<TransitRequest, std::string> ReadTransitFlags(const TransitFlags& flags) {
  TransitRequest request;
  request.json = flags.json;
  if (flags.transits) {
    request.transits = true;
    if (!flags.transits->empty()) {
      auto at = ReadTransitMoment(*flags.transits);
      if (const auto* reason = std::get_if<std::string>(&at))
        return "--transits" + *reason;
      request.transitsAt = std::get<double>(at);
    }
  }
  if (flags.calendar) {
    request.calendar = true;
    if (!flags.calendar->empty()) {
      const std::string_view text = *flags.calendar;
      const auto dots = text.find("..");
      const std::optional<CivilMoment> from =
          dots == std::string_view::npos ? std::nullopt : ParseMoment(text.substr(0, dots), false);
      const std::optional<CivilMoment> to =
          dots == std::string_view::npos ? std::nullopt : ParseMoment(text.substr(dots + 2), false);
      if (!from || !to) {
        return "--transit-calendar must be FROM..TO, two dates YYYY-MM-DD (e.g. "
               "2025-01-01..2025-12-31), not " +
               Quoted(text);
      }
      if (!InTransitYears(*from) || !InTransitYears(*to)) {
        return "--transit-calendar: the years must be " + YearsText() + ", not " + Quoted(text);
      }
      const double start = JulianDayOfUt(*from);
      const double end = JulianDayOfUt(*to) + 1.0;  // the whole last day
      if (end <= start)
        return "--transit-calendar: the period must end after it begins, not " + Quoted(text);
      if (end > JulianDayOfUt(LongestCalendarEnd(*from)))
        return "--transit-calendar: the period may last at most ten years, not " + Quoted(text);
      request.period = std::pair{start, end};
    }
  }
  if (flags.ics) {
    if (!flags.calendar)
      return "--ics goes with --transit-calendar";
    if (flags.json)
      return "--ics writes the calendar as a file: leave out --json";
    if (*flags.ics == "-" && (flags.transits || flags.compare))
      return "--ics - writes the calendar alone to standard output: leave out --transits and "
             "--compare";
    request.ics = flags.ics;
  }
  if (flags.icsPassages) {
    if (!flags.ics)
      return "--ics-passages goes with --ics";
    request.icsPassages = true;
  }
  request.compare = flags.compare;
  return request;
}

int RunTransits(const TransitRequest& request, const ChartSession& session,
                const AspectSettings& settings, double nowJulianDayUt, OutputSink& out,
                std::ostream& err) {
  const std::vector<NatalPoint> natal = NatalPointsOf(session.points());
  // The other sky comes from the engine that cast the chart.
  const SkyEngine engine = session.ephemeris();
  std::string object;  // the JSON members of --transits and --compare
  std::string text;

  if (request.compare) {
    const std::string& path = *request.compare;
    auto contents = ReadRegularFile(path, chartfile::kMostChartFileBytes);
    if (const auto* failure = std::get_if<ReadFailure>(&contents)) {
      err << "zodivane-chart: --compare: cannot read " << Printable(path) << ": " << failure->reason
          << '\n';
      return kExitFailed;
    }
    // Both charts by the same engine, so that their positions compare.
    const auto other = chartfile::CastComparedChart(std::get<std::string>(contents), engine);
    if (const auto* message = std::get_if<std::string>(&other)) {
      err << "zodivane-chart: --compare: " << Printable(path) << ": " << Printable(*message)
          << '\n';
      return kExitFailed;
    }
    const chartfile::ComparedChart& compared = std::get<chartfile::ComparedChart>(other);
    Found found;
    found.aspects = SynastryAspects(AspectPointsOf(session.chartInput(), session.points(), engine),
                                    compared.points, SynastrySettings(settings));
    found.firstNames = ChartPointNames();
    found.secondNames = ChartPointNames();
    const std::string& otherName = compared.view.name;
    text += AspectsText(found, "Synastry with " + Printable(otherName) + " (orb 6\u00B0)");
    object += object.empty() ? "" : ",";
    object += "\"synastry\":{";
    AppendMember(object, "with", otherName);
    object += ",\"orb\":" + Fixed(kSynastryOrb) + ",\"aspects\":" + AspectsJson(found, "a", "b");
    object += '}';
  }

  if (request.transits) {
    const double at = request.transitsAt.value_or(nowJulianDayUt);
    if (request.json) {
      object += object.empty() ? "" : ",";
      if (const auto message = AppendTransitsMember(object, session, settings, at)) {
        err << "zodivane-chart: --transits: " << *message << '\n';
        return kExitFailed;
      }
    } else {
      auto transits = TransitsAt(engine, at, natal, TransitSettings(settings));
      if (const auto* message = std::get_if<std::string>(&transits)) {
        err << "zodivane-chart: --transits: " << *message << '\n';
        return kExitFailed;
      }
      Found found;
      found.aspects = std::get<Transits>(transits).aspects;
      found.firstNames = ChartPointNames();
      found.secondNames = NamesOf(natal);
      if (!text.empty())
        text += '\n';
      text += AspectsText(found, "Transits at " + MomentText(at) + " (orb 3\u00B0)");
    }
  }

  if (!object.empty() && request.json) {
    out.Write("{" + object + "}\n");
  } else if (!text.empty()) {
    out.Write(text);
  }

  if (!request.calendar)
    return kExitOk;
  if (request.ics && !IcsAvailable()) {
    err << "zodivane-chart: --ics: this build cannot write iCalendar files (libical was not "
           "found when it was built)\n";
    return kExitFailed;
  }
  CalendarSettings calendarSettings;
  if (request.period) {
    calendarSettings.fromJulianDayUt = request.period->first;
    calendarSettings.toJulianDayUt = request.period->second;
  } else {
    // The next twelve months from the start of today.
    calendarSettings.fromJulianDayUt = StartOfDay(nowJulianDayUt);
    CivilMoment end = UtOfJulianDay(calendarSettings.fromJulianDayUt);
    end.year += 1;
    if (end.month == 2 && end.day == 29)
      end.day = 28;
    calendarSettings.toJulianDayUt = JulianDayOfUt(end);
  }
  calendarSettings.aspects = settings;
  calendarSettings.ascendantSign =
      session.points()[static_cast<std::size_t>(ChartPoint::Ascendant)].sign;
  auto found = FindTransitCalendar(engine, natal, calendarSettings);
  if (const auto* message = std::get_if<std::string>(&found)) {
    err << "zodivane-chart: --transit-calendar: " << *message << '\n';
    return kExitFailed;
  }
  const std::vector<CalendarEvent> events = CalendarEvents(std::get<TransitCalendar>(found));
  if (request.ics) {
    const IcsEventKind kind = request.icsPassages ? IcsEventKind::Passages : IcsEventKind::Moments;
    const std::optional<std::string> ics = IcsText(
        "zodivane-chart", "Transits",
        IcsEventsOf(std::get<TransitCalendar>(found), natal, session.chartInput().name, kind),
        nowJulianDayUt);
    if (*request.ics == "-") {  // the calendar goes to standard output
      out.Write(*ics);
      return kExitOk;
    }
    try {
      ReplaceFile(*request.ics, *ics);
    } catch (const IoError& error) {
      err << "zodivane-chart: --ics: " << error.what() << '\n';
      return kExitFailed;
    }
    return kExitOk;
  }
  std::string lines;
  if (!request.json && !text.empty())
    lines += '\n';
  for (const CalendarEvent& event : events)
    lines += request.json ? EventJson(event, natal) : EventText(event, natal) + "\n";
  if (!request.json && events.empty())
    lines += "(no transits in the period)\n";
  out.Write(lines);
  return kExitOk;
}

}  // namespace zodivane::chart_tool
