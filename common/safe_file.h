// SPDX-License-Identifier: GPL-3.0-or-later
// The one rule every writer of both programs follows (the report, the chart
// sheet, chart files): write only regular files, whole or not at all.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace zodivane {

/// Replaces the file at `path` with `bytes`, as a whole or not at all: a new
/// file beside it is written and renamed over it, so the old one survives
/// every failure. The new file has no name while it is written (or, where
/// the file system cannot do that, a short one of its own, ".zodivane-"
/// and six letters, so that names of up to 255 bytes can be written), and
/// the calling thread holds SIGINT, SIGTERM, SIGHUP and SIGQUIT while it
/// bears that name: a writer ended by one of them leaves no hidden file. A symbolic link is
/// followed to its target, and the target is replaced. A file that exists keeps its mode; a new one
/// gets 0666 less the umask. Refused, with the reason: a device, FIFO, socket or folder; a file the
/// user may not write (or nobody may: read-only); a folder that does not exist. Returns the reason
/// of a failure ("a device, not a regular file", "Permission denied"), or nullopt when the file
/// holds `bytes`. A write beyond the file size limit fails with its reason when SIGXFSZ is ignored,
/// as both programs do.
[[nodiscard]] std::optional<std::string> ReplaceRegularFile(const std::string& path,
                                                            std::string_view bytes);

/// What ReadRegularFile could not read, and why.
struct ReadFailure {
  std::string reason;  ///< e.g. "No such file or directory", "a FIFO, not a regular file"
  friend bool operator==(const ReadFailure&, const ReadFailure&) = default;
};

/// The bytes of the regular file at `path`, read whole; refused, with the
/// reason, when it is not a regular file (a device, FIFO, socket or
/// folder: opened without blocking, so a FIFO with no writer does not wait)
/// or holds more than `mostBytes` (counted while reading, so a file that
/// grows, or lies about its size, is still cut off).
[[nodiscard]] std::variant<std::string, ReadFailure> ReadRegularFile(const std::string& path,
                                                                     std::size_t mostBytes);

}  // namespace zodivane
