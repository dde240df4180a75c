// SPDX-License-Identifier: GPL-3.0-or-later
// The core's small text helpers, by the names zodivane-chart uses.
#pragma once

#include "chartfile/text_helpers.h"

namespace zodivane::chart_tool {

using chartfile::AllDigits;
using chartfile::Padded;
using chartfile::Quoted;
using chartfile::SmallNumber;

}  // namespace zodivane::chart_tool
