// SPDX-License-Identifier: GPL-3.0-or-later
// The message a later start sends to the running copy of the program: the
// path of a chart file to open there. The path travels as bytes with its
// length in front, so that every byte of a file name (a line feed, a
// trailing space) arrives as it was sent.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zodivane {

/// The most bytes a handed path may have: a path the system can open
/// (PATH_MAX on Linux, counting its closing NUL) is shorter.
inline constexpr std::size_t kMostHandoffPathBytes = 4096;
/// What a message starts with, before the path's length in decimal digits
/// and a line feed: "zodivane-open 11\n/home/a.zchart".
inline constexpr std::string_view kHandoffPrefix = "zodivane-open ";
/// The most bytes a whole message may have.
inline constexpr std::size_t kMostHandoffMessageBytes =
    kHandoffPrefix.size() + 4 + 1 + kMostHandoffPathBytes;
/// The answer of the running copy once it has taken a message, and of one
/// that refuses it (the message was malformed, or its sender is no one it trusts).
inline constexpr std::string_view kHandoffTaken = "taken\n";
inline constexpr std::string_view kHandoffRefused = "refused\n";

/// Why a path cannot be handed over, or nullopt when it can: an absolute
/// path of 1 to kMostHandoffPathBytes bytes without a NUL byte.
[[nodiscard]] std::optional<std::string> HandoffPathProblem(std::string_view path);

/// The message that hands over `path`; empty when HandoffPathProblem refuses it.
[[nodiscard]] std::string HandoffMessage(std::string_view path);

/// What the bytes received so far make of a message.
enum class HandoffState {
  Incomplete,  ///< a beginning of a message: wait for more bytes
  Complete,    ///< the whole message, exactly: `path` holds the path
  Invalid,     ///< no message can begin so: `problem` says why
};

struct HandoffParse {
  HandoffState state = HandoffState::Incomplete;
  std::string path;     ///< with Complete: the path, byte for byte as sent
  std::string problem;  ///< with Invalid: what is wrong, in a few words
};

/// Reads the bytes received so far. A message is complete when the bytes
/// are exactly one message; bytes after it make it invalid, as does a
/// length with a leading zero, a sign or more digits than a path can need.
[[nodiscard]] HandoffParse ParseHandoffMessage(std::string_view bytes);

}  // namespace zodivane
