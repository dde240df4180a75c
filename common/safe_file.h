// SPDX-License-Identifier: GPL-3.0-or-later
// The one rule every writer of both programs follows (the report, the chart
// sheet, chart files): write only regular files, whole or not at all.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zodivane {

/// Replaces the file at `path` with `bytes`, as a whole or not at all: a new
/// file beside it is written and renamed over it, so the old one survives
/// every failure. A symbolic link is followed to its target, and the target
/// is replaced. A file that exists keeps its mode; a new one gets 0666 less
/// the umask. Refused, with the reason: a device, FIFO, socket or folder;
/// a file the user may not write (or nobody may: read-only); a folder that
/// does not exist. Returns the reason of a failure ("a device, not a regular
/// file", "Permission denied"), or nullopt when the file holds `bytes`. A write beyond the file
/// size limit fails with its reason when SIGXFSZ is ignored, as both programs do.
[[nodiscard]] std::optional<std::string> ReplaceRegularFile(const std::string& path,
                                                            std::string_view bytes);

}  // namespace zodivane
