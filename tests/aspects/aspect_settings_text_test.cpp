// SPDX-License-Identifier: GPL-3.0-or-later
// Aspect settings kept as text: written and read back equal, and any text
// that names an aspect twice, leaves one out or gives an orb outside 0 to 15
// degrees refused whole.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "aspects/aspect_settings_text.h"

namespace zodivane {
namespace {

TEST(AspectSettingsText, RoundTripsAndRefusesWhatIsNotASetting) {
  const std::string defaults = AspectSettingsText(DefaultAspectSettings());
  EXPECT_EQ(defaults,
            "conjunction=8;opposition=8;trine=8;square=7;sextile=6;-quincunx=3;-semisextile=2;"
            "-semisquare=2;-sesquiquadrate=2;-quintile=1.5;-biquintile=1.5;outOfSign=yes");
  AspectSettings changed = WithAspectSet(DefaultAspectSettings(), AspectSet::All);
  changed.orbs[static_cast<std::size_t>(AspectKind::Square)] = 6.25;
  changed.inUse[static_cast<std::size_t>(AspectKind::Sextile)] = false;
  changed.outOfSign = false;
  for (const AspectSettings& settings : {DefaultAspectSettings(), changed}) {
    EXPECT_EQ(AspectSettingsFromText(AspectSettingsText(settings)), settings);
  }

  const auto with = [&defaults](const std::string& from, const std::string& to) {
    std::string text = defaults;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const std::vector<std::string> refused = {
      "",
      with("square=7;", ""),                     // an aspect left out
      with("square=7;", "square=7;square=7;"),   // named twice
      with("square=7", "square=16"),             // beyond the largest orb
      with("square=7", "square=-1"),             // below none
      with("square=7", "square=7x"),             // no number
      with("square=7", "squares=7"),             // no aspect
      with(";outOfSign=yes", ""),                // out-of-sign left out
      with("outOfSign=yes", "outOfSign=maybe"),  // neither yes nor no
      with("outOfSign=yes", "outOfSign=yes;outOfSign=no"),
  };
  for (const std::string& text : refused) {
    SCOPED_TRACE(text);
    EXPECT_EQ(AspectSettingsFromText(text), std::nullopt);
  }
}

}  // namespace
}  // namespace zodivane
