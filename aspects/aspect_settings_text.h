// SPDX-License-Identifier: GPL-3.0-or-later
// Aspect settings as a short text, for the settings store and chart files:
// one entry per aspect, "square=7" when in use and "-quincunx=3" when not,
// then "outOfSign=yes" or "outOfSign=no", separated by semicolons.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "aspects/aspects.h"

namespace zodivane {

/// `settings` as a text that AspectSettingsFromText reads back equal.
[[nodiscard]] std::string AspectSettingsText(const AspectSettings& settings);

/// The settings a text stands for: every aspect named once, each orb from 0
/// to kLargestOrb; none for any other text.
[[nodiscard]] std::optional<AspectSettings> AspectSettingsFromText(std::string_view text);

}  // namespace zodivane
