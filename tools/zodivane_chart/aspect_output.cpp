// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/zodivane_chart/aspect_output.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdlib>
#include <utility>
#include <vector>

#include "aspects/aspect_report.h"
#include "chart/sensitivity_text.h"
#include "common/json_escape.h"
#include "common/text_helpers.h"

namespace zodivane::chart_tool {
namespace {

/// The largest orb as messages write it: "15".
std::string LargestOrbText() {
  std::array<char, 32> digits{};
  const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), kLargestOrb).ptr;
  return std::string(digits.data(), end);
}

/// "conjunction, opposition, ..., biquintile".
std::string AspectNamesText() {
  std::string names;
  for (const AspectKindInfo& info : kAspectKinds) {
    if (!names.empty())
      names += ", ";
    names += info.name;
  }
  return names;
}

std::string UnknownAspectMessage(std::string_view name) {
  return "unknown aspect " + Quoted(name) + " (the aspects: " + AspectNamesText() + ")";
}

std::string OrbRangeMessage() {
  return "must be a number of degrees from 0 to " + LargestOrbText();
}

/// Degrees as --orb takes them: a number as JSON writes one, so that a
/// flag and a JSON line's "orbs" read the same values: an optional minus
/// sign, digits, a decimal point and digits or not, an exponent or not
/// ("6", "7.5", "-0", "1e-320").
std::optional<double> ParseDegrees(std::string_view text) {
  std::string_view rest = text;
  if (rest.starts_with('-'))
    rest.remove_prefix(1);
  const auto exponent = rest.find_first_of("eE");
  std::string_view mantissa = rest.substr(0, exponent);
  if (exponent != std::string_view::npos) {
    std::string_view power = rest.substr(exponent + 1);
    if (power.starts_with('+') || power.starts_with('-'))
      power.remove_prefix(1);
    if (!AllDigits(power))
      return std::nullopt;
  }
  const auto point = mantissa.find('.');
  const std::string_view whole = mantissa.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view{} : mantissa.substr(point + 1);
  if (!AllDigits(whole) || (point != std::string_view::npos && !AllDigits(fraction)))
    return std::nullopt;
  double degrees = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), degrees);
  if (end != text.data() + text.size())
    return std::nullopt;
  // Beyond a double's range the number reads as the nearest (0 or infinity),
  // as JSON's reader takes it.
  if (error == std::errc::result_out_of_range)
    return std::strtod(std::string(text).c_str(), nullptr);
  if (error != std::errc{})
    return std::nullopt;
  return degrees;
}

bool IsOrb(double degrees) noexcept {
  return degrees >= 0 && degrees <= kLargestOrb;
}

/// An orb as the settings keep it: minus zero is zero.
double OrbOf(double degrees) noexcept {
  return degrees + 0.0;
}

/// What a JSON value is, as the error answers name a wrong one.
std::string Describe(const chartfile::LineValue& value) {
  switch (value.kind) {
    case chartfile::LineValue::Kind::String:
      return "a string";
    case chartfile::LineValue::Kind::Boolean:
      return "a boolean";
    case chartfile::LineValue::Kind::Number:
      return "a number";
    case chartfile::LineValue::Kind::Object:
      return "an object";
    case chartfile::LineValue::Kind::Missing:
    case chartfile::LineValue::Kind::Other:
      break;
  }
  return value.text == "null" ? "null" : "an array";
}

/// Whether the line holds `key` as given: the key between quotes, spelled
/// as written.
bool Written(std::string_view line, const chartfile::LineValue& value, std::string_view key) {
  return value.kind != chartfile::LineValue::Kind::Missing &&
         line.find("\"" + std::string(key) + "\"") != std::string_view::npos;
}

}  // namespace

void AppendNumber(std::string& out, double number) {
  std::array<char, 32> digits{};
  const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
  out.append(digits.data(), end);
}

std::variant<bool, std::string> BooleanOfLine(std::string_view line,
                                              const chartfile::LineValue& value,
                                              std::string_view key) {
  if (!Written(line, value, key))
    return false;
  if (value.kind != chartfile::LineValue::Kind::Boolean)
    return "key \"" + std::string(key) + "\" must be a boolean, not " + Describe(value);
  return value.boolean;
}

std::variant<AspectSettings, std::string> SettingsFromFlags(
    std::span<const std::string> orbs, const std::optional<std::string>& aspectSet) {
  AspectSettings settings = DefaultAspectSettings();
  if (aspectSet) {
    const std::optional<AspectSet> set = AspectSetFromName(*aspectSet);
    if (!set)
      return "--aspect-set must be major or all, not " + Quoted(*aspectSet);
    settings = WithAspectSet(settings, *set);
  }
  std::array<bool, kAspectKindCount> given{};
  for (const std::string& orb : orbs) {
    const auto equals = orb.find('=');
    if (equals == std::string::npos) {
      return "--orb must be NAME=DEGREES (e.g. square=6), not " + Quoted(orb);
    }
    const std::string_view name = std::string_view(orb).substr(0, equals);
    const std::string_view degreesText = std::string_view(orb).substr(equals + 1);
    const std::optional<AspectKind> kind = AspectKindFromName(name);
    if (!kind)
      return "--orb: " + UnknownAspectMessage(name);
    const std::optional<double> degrees = ParseDegrees(degreesText);
    if (!degrees || !IsOrb(*degrees)) {
      return "--orb: the orb of " + std::string(name) + " " + OrbRangeMessage() + ", not " +
             Quoted(degreesText);
    }
    const auto index = static_cast<std::size_t>(*kind);
    if (given[index])
      return "--orb: the orb of " + std::string(name) + " is given twice";
    given[index] = true;
    settings.orbs[index] = OrbOf(*degrees);
  }
  return settings;
}

std::variant<std::optional<AspectSettings>, std::string> SettingsFromLine(
    std::string_view line, const chartfile::LineValue& aspects, const chartfile::LineValue& orbs,
    const chartfile::LineValue& aspectSet) {
  using Kind = chartfile::LineValue::Kind;
  const bool hasOrbs = Written(line, orbs, "orbs");
  const bool hasSet = Written(line, aspectSet, "aspectSet");
  const auto asked = BooleanOfLine(line, aspects, "aspects");
  if (const auto* message = std::get_if<std::string>(&asked))
    return *message;
  const bool wanted = std::get<bool>(asked);
  if (!wanted && (hasOrbs || hasSet))
    return std::string("key ") + (hasOrbs ? "\"orbs\"" : "\"aspectSet\"") +
           " goes with \"aspects\": true";
  if (!wanted)
    return std::optional<AspectSettings>();
  AspectSettings settings = DefaultAspectSettings();
  if (hasSet) {
    const std::optional<AspectSet> set =
        aspectSet.kind == Kind::String ? AspectSetFromName(aspectSet.text) : std::nullopt;
    if (!set) {
      return "key \"aspectSet\" must be \"major\" or \"all\", not " +
             (aspectSet.kind == Kind::String ? Quoted(aspectSet.text) : Describe(aspectSet));
    }
    settings = WithAspectSet(settings, *set);
  }
  if (hasOrbs) {
    if (orbs.kind != Kind::Object) {
      return "key \"orbs\" must be an object of orbs in degrees (e.g. {\"square\": 6}), not " +
             Describe(orbs);
    }
    for (const chartfile::LineValue& orb : orbs.members) {
      const std::optional<AspectKind> kind = AspectKindFromName(orb.key);
      if (!kind)
        return "key \"orbs\": " + UnknownAspectMessage(orb.key);
      if (orb.kind != Kind::Number || !IsOrb(orb.number)) {
        return "key \"orbs\": the orb of " + orb.key + " " + OrbRangeMessage() + ", not " +
               (orb.kind == Kind::Number ? orb.text : Describe(orb));
      }
      settings.orbs[static_cast<std::size_t>(*kind)] = OrbOf(orb.number);
    }
  }
  return std::optional<AspectSettings>(settings);
}

std::string AspectsBlock(const ChartAspects& found) {
  std::vector<Aspect> aspects = found.aspects;
  SortApplyingFirst(aspects);
  std::string text = "Aspects\n";
  for (const Aspect& aspect : aspects)
    text += "  " + AspectLine(aspect) + "\n";
  if (aspects.empty())
    text += "  (none)\n";
  text += "\nPatterns\n";
  for (const Pattern& pattern : found.patterns)
    text += "  " + PatternLine(pattern) + "\n";
  if (found.patterns.empty())
    text += "  (none)\n";
  return text;
}

void AppendAspectObject(std::string& out, std::string_view a, std::string_view b, AspectKind kind,
                        double orb, bool applying, bool outOfSign) {
  out += "{\"a\":";
  AppendJsonString(out, a);
  out += ",\"b\":";
  AppendJsonString(out, b);
  out += ",\"aspect\":";
  AppendJsonString(out, InfoOf(kind).name);
  out += ",\"angle\":";
  AppendNumber(out, InfoOf(kind).angle);
  out += ",\"orb\":";
  AppendNumber(out, orb);
  out += ",\"applying\":";
  out += applying ? "true" : "false";
  out += ",\"outOfSign\":";
  out += outOfSign ? "true" : "false";
  out += '}';
}

void AppendAspectMembers(std::string& out, const ChartAspects& found) {
  std::vector<Aspect> aspects = found.aspects;
  SortApplyingFirst(aspects);
  out += ",\"aspects\":[";
  bool first = true;
  for (const Aspect& aspect : aspects) {
    if (!first)
      out += ',';
    first = false;
    AppendAspectObject(out, PointName(aspect.a), PointName(aspect.b), aspect.kind, aspect.orb,
                       aspect.applying, aspect.outOfSign);
  }
  out += "],\"patterns\":[";
  first = true;
  for (const Pattern& pattern : found.patterns) {
    if (!first)
      out += ',';
    first = false;
    out += "{\"pattern\":";
    AppendJsonString(out, kPatternNames[static_cast<std::size_t>(pattern.kind)]);
    out += ",\"members\":[";
    for (std::size_t i = 0; i < pattern.members.size(); ++i) {
      if (i > 0)
        out += ',';
      AppendJsonString(out, PointName(pattern.members[i]));
    }
    out += ']';
    if (pattern.kind == PatternKind::Stellium && pattern.sign) {
      out += ",\"sign\":";
      AppendJsonString(out, SignNameText(*pattern.sign));
    }
    out += '}';
  }
  out += ']';
}

}  // namespace zodivane::chart_tool
