// SPDX-License-Identifier: GPL-3.0-or-later
// The core's JSON string literals, by the names zodivane-chart uses.
#pragma once

#include "chartfile/json_escape.h"

namespace zodivane::chart_tool {

using chartfile::AppendJsonString;
using chartfile::JsonStringWriter;

}  // namespace zodivane::chart_tool
