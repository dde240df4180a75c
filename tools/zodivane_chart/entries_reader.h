// SPDX-License-Identifier: GPL-3.0-or-later
// The core's reader of form entries, by the names zodivane-chart uses.
#pragma once

#include "chartfile/entries_reader.h"

namespace zodivane::chart_tool {

using chartfile::EntriesOrError;
using chartfile::EntriesReader;
using chartfile::ReadEntriesWithNlohmann;

}  // namespace zodivane::chart_tool
