// SPDX-License-Identifier: GPL-3.0-or-later
#include "aspects/aspect_settings_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>

namespace zodivane {
namespace {

constexpr std::string_view kOutOfSignKey = "outOfSign=";

/// The shortest text that reads back as `value` (orbs are quarter degrees
/// or the like, so this is short).
std::string NumberText(double value) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

}  // namespace

std::string AspectSettingsText(const AspectSettings& settings) {
  std::string text;
  for (std::size_t kind = 0; kind < kAspectKinds.size(); ++kind) {
    if (!settings.inUse[kind]) {
      text += '-';
    }
    text += kAspectKinds[kind].name;
    text += '=';
    text += NumberText(settings.orbs[kind]);
    text += ';';
  }
  text += kOutOfSignKey;
  text += settings.outOfSign ? "yes" : "no";
  return text;
}

std::optional<AspectSettings> AspectSettingsFromText(std::string_view text) {
  AspectSettings settings = DefaultAspectSettings();
  std::array<bool, kAspectKindCount> named{};
  bool outOfSignNamed = false;
  while (!text.empty()) {
    const std::size_t end = text.find(';');
    std::string_view entry = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (entry.starts_with(kOutOfSignKey)) {
      const std::string_view value = entry.substr(kOutOfSignKey.size());
      if (outOfSignNamed || (value != "yes" && value != "no")) {
        return std::nullopt;
      }
      outOfSignNamed = true;
      settings.outOfSign = value == "yes";
      continue;
    }
    const bool inUse = !entry.starts_with('-');
    if (!inUse) {
      entry.remove_prefix(1);
    }
    const std::size_t equals = entry.find('=');
    if (equals == std::string_view::npos) {
      return std::nullopt;
    }
    const std::optional<AspectKind> kind = AspectKindFromName(entry.substr(0, equals));
    const std::string_view number = entry.substr(equals + 1);
    double orb = -1;
    const auto [ptr, error] = std::from_chars(number.data(), number.data() + number.size(), orb);
    if (!kind || error != std::errc() || ptr != number.data() + number.size() ||
        !std::isfinite(orb) || orb < 0 || orb > kLargestOrb) {
      return std::nullopt;
    }
    const auto index = static_cast<std::size_t>(*kind);
    if (named[index]) {
      return std::nullopt;
    }
    named[index] = true;
    settings.inUse[index] = inUse;
    settings.orbs[index] = orb;
  }
  for (const bool was : named) {
    if (!was) {
      return std::nullopt;
    }
  }
  return outOfSignNamed ? std::optional<AspectSettings>(settings) : std::nullopt;
}

}  // namespace zodivane
