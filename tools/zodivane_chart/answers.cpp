// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/zodivane_chart/answers.h"

#include <charconv>
#include <optional>
#include <span>

#include "aspects/aspect_report.h"
#include "chart/sensitivity.h"
#include "common/json_escape.h"
#include "report/report.h"
#include "tools/zodivane_chart/aspect_output.h"
#include "tools/zodivane_chart/points_output.h"
#include "tools/zodivane_chart/sensitivity_output.h"

namespace zodivane::chart_tool {
namespace {

/// Feeds the report's text into one JSON string literal as it is written.
class JsonStringSink final : public RichTextSink {
 public:
  explicit JsonStringSink(std::string& out) : writer_(out) {}
  void SetBold(bool) override {}
  void SetColour(Rgb) override {}
  void InsertText(std::string_view text) override { writer_.Append(text); }
  void Finish() { writer_.Finish(); }

 private:
  JsonStringWriter writer_;
};

/// `"key":` after the opening brace or a comma.
void AppendKey(std::string& out, std::string_view key) {
  out += '"';
  out += key;
  out += "\":";
}

void AppendOptional(std::string& out, const std::optional<std::string>& text) {
  if (text)
    AppendJsonString(out, *text);
  else
    out += "null";
}

void AppendStrings(std::string& out, std::span<const std::string> texts) {
  out += '[';
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0)
      out += ',';
    AppendJsonString(out, texts[i]);
  }
  out += ']';
}

void AppendStringMember(std::string& out, std::string_view key, std::string_view text) {
  out += ",\"";
  out += key;
  out += "\":";
  AppendJsonString(out, text);
}

}  // namespace

void AppendChartAnswer(std::string& out, const ChartView& view, ChartSession& session,
                       bool withReport, bool withSensitivity, const PlaceClock* clock,
                       const AnswerZone* zone, const ChartAspects* aspects, bool withEphemeris,
                       bool withPoints) {
  out += "{\"positions\":";
  AppendStrings(out, view.positions);
  AppendStringMember(out, "ascendantText", session.ascendantText());
  AppendStringMember(out, "moonText", session.moonText());
  AppendStringMember(out, "moonSignName", session.moonSignName());
  out += ",\"sunSign\":";
  AppendOptional(out, view.sunSign);
  AppendStringMember(out, "moonSign", view.moonSign);
  out += ",\"ascendantSign\":";
  AppendOptional(out, view.ascendantSign);
  AppendStringMember(out, "name", view.name);
  AppendStringMember(out, "dateOfBirth", view.dateOfBirth);
  AppendStringMember(out, "timeOfBirth", view.timeOfBirth);
  AppendStringMember(out, "latitude", view.latitude);
  AppendStringMember(out, "longitude", view.longitude);
  AppendStringMember(out, "city", view.city);
  AppendStringMember(out, "state", view.state);
  AppendStringMember(out, "country", view.country);
  out += ",\"wheelNames\":";
  AppendStrings(out, session.wheelNames());
  out += ",\"wheel\":{\"houseTexts\":";
  AppendStrings(out, view.wheel.houseTexts);
  out += ",\"pictures\":";
  if (view.wheel.pictures) {
    out += '[';
    bool first = true;
    for (const int picture : *view.wheel.pictures) {
      if (!first)
        out += ',';
      first = false;
      char digits[12];
      const auto end = std::to_chars(digits, digits + sizeof digits, picture).ptr;
      out.append(digits, end);
    }
    out += ']';
  } else {
    out += "null";
  }
  out += '}';
  if (withReport) {
    out += ',';
    AppendKey(out, "report");
    JsonStringSink sink(out);
    session.WritePlanetInSignReport(sink);
    if (aspects != nullptr)
      WriteAspectReport(aspects->aspects, sink);
    sink.Finish();
  }
  if (withSensitivity) {
    out += ',';
    AppendKey(out, "sensitivity");
    AppendSensitivityObject(out, session.chartInput(), session.Sensitivity(withPoints), clock);
  }
  if (aspects != nullptr)
    AppendAspectMembers(out, *aspects);
  if (withEphemeris)
    AppendEphemerisMember(out, view.ephemeris);
  if (withPoints)
    AppendPointsMembers(out, view, aspects);
  if (zone != nullptr)
    AppendZoneMember(out, zone->choice, zone->entries);
  out += "}\n";
}

void AppendRejectionAnswer(std::string& out, const Rejection& rejection, const AnswerZone* zone) {
  out += "{\"rejected\":{\"message\":";
  AppendJsonString(out, rejection.notice.message);
  out += ",\"icon\":";
  out += rejection.notice.icon == MessageIcon::Critical ? "\"critical\"" : "\"information\"";
  out += ",\"focus\":";
  AppendOptional(out, rejection.focus);
  out += '}';
  if (zone != nullptr)
    AppendZoneMember(out, zone->choice, zone->entries);
  out += "}\n";
}

void AppendErrorAnswer(std::string& out, std::string_view message) {
  out += "{\"error\":";
  AppendJsonString(out, message);
  out += "}\n";
}

}  // namespace zodivane::chart_tool
