// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/zodivane_chart/chart_text.h"

#include <optional>
#include <sstream>
#include <string_view>

#include "aspects/aspect_report.h"
#include "chart/time_zones.h"
#include "chart/wheel.h"
#include "common/text_helpers.h"
#include "common/vocabulary.h"
#include "report/report.h"
#include "report/report_sinks.h"
#include "report/rtf_writer.h"

namespace zodivane::chart_tool {
namespace {

/// The entries of one house joined by commas, "-" for an empty house.
std::string HouseContents(const WheelEntries& entries) {
  if (entries.empty()) {
    return "-";
  }
  std::string joined;
  for (const WheelEntry& entry : entries) {
    if (!joined.empty()) {
      joined += ", ";
    }
    joined += WheelEntryText(entry);
  }
  return joined;
}

}  // namespace

std::string ChartText(const ChartView& view, const ChartSession& session) {
  std::ostringstream text;
  // The name and the place come from the user or a file: shown, never obeyed.
  const auto line = [&text](std::string_view label, std::string_view value) {
    text << Padded(label, 16) << Printable(value) << '\n';
  };
  const auto orNone = [](const std::optional<std::string>& value) {
    return value ? *value : std::string("(none)");
  };
  line("Name:", view.name);
  line("Date of birth:", view.dateOfBirth);
  line("Time of birth:", view.timeOfBirth);
  line("Latitude:", view.latitude);
  line("Longitude:", view.longitude);
  line("City:", view.city);
  line("State:", view.state);
  line("Country:", view.country);
  text << '\n';
  line("Sun sign:", orNone(view.sunSign));
  line("Moon sign:", view.moonSign);
  line("Ascendant sign:", orNone(view.ascendantSign));
  line("Ascendant:", session.ascendantText());
  line("Moon:", session.moonText());
  text << "\nPositions\n";
  for (int i = 0; i < kChartPointCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    text << "  " << Padded(kChartPointNames[index], 10) << view.positions[index] << '\n';
  }
  text << "\nNatal wheel (whole-sign houses from the Ascendant)\n";
  for (std::size_t house = 0; house < view.wheel.houseTexts.size(); ++house) {
    std::string sign;
    if (view.wheel.pictures) {
      const int picture = (*view.wheel.pictures)[house];
      if (picture >= 1 && picture <= kSignCount) {
        sign = kSigns[static_cast<std::size_t>(picture - 1)].name;
      }
    }
    text << "  House " << Padded(std::to_string(house + 1), 3) << Padded(sign, 13)
         << HouseContents(view.wheel.houseEntries[house]) << '\n';
  }
  return text.str();
}

std::string ZoneListText() {
  std::string text;
  for (std::size_t i = 0; i < kTimeZoneTable.size(); ++i) {
    text += Padded(std::to_string(i), 4);
    text += kTimeZoneTable[i].text;
    text += '\n';
  }
  return text;
}

std::string ReportPlainText(ChartSession& session, const ChartAspects* aspects) {
  PlainTextSink sink;
  session.WritePlanetInSignReport(sink);
  if (aspects != nullptr)
    WriteAspectReport(aspects->aspects, sink);
  return sink.Text();
}

std::string ReportRtf(ChartSession& session, const ChartAspects* aspects) {
  StyledRunRecorder sink;  // Verdana 8.25, the results window's font
  session.WritePlanetInSignReport(sink);
  if (aspects != nullptr)
    WriteAspectReport(aspects->aspects, sink);
  return WriteRtf(sink.Runs());
}

}  // namespace zodivane::chart_tool
