// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/handoff_message.h"

#include <algorithm>
#include <utility>

namespace zodivane {

namespace {

/// The most digits of a path's length: kMostHandoffPathBytes has four.
constexpr std::size_t kMostLengthDigits = 4;

HandoffParse Invalid(std::string problem) {
  return HandoffParse{HandoffState::Invalid, {}, std::move(problem)};
}

bool IsDigit(char c) noexcept {
  return c >= '0' && c <= '9';
}

}  // namespace

std::optional<std::string> HandoffPathProblem(std::string_view path) {
  if (path.empty()) {
    return "an empty path";
  }
  if (path.front() != '/') {
    return "not an absolute path";
  }
  if (path.size() > kMostHandoffPathBytes) {
    return "a path longer than " + std::to_string(kMostHandoffPathBytes) + " bytes";
  }
  if (path.find('\0') != std::string_view::npos) {
    return "a path with a NUL byte";
  }
  return std::nullopt;
}

std::string HandoffMessage(std::string_view path) {
  if (HandoffPathProblem(path)) {
    return {};
  }
  std::string message(kHandoffPrefix);
  message += std::to_string(path.size());
  message += '\n';
  message += path;
  return message;
}

HandoffParse ParseHandoffMessage(std::string_view bytes) {
  // The prefix, or as much of it as has come.
  const std::size_t prefixSeen = std::min(bytes.size(), kHandoffPrefix.size());
  if (bytes.substr(0, prefixSeen) != kHandoffPrefix.substr(0, prefixSeen)) {
    return Invalid("no message of this program");
  }
  if (bytes.size() == prefixSeen) {
    return {};
  }
  // The length: 1 to 4 digits without a leading zero, then a line feed.
  std::string_view rest = bytes.substr(kHandoffPrefix.size());
  std::size_t digits = 0;
  std::size_t length = 0;
  while (digits < rest.size() && IsDigit(rest[digits])) {
    if (digits == kMostLengthDigits) {
      return Invalid("a length longer than a path can be");
    }
    length = length * 10 + static_cast<std::size_t>(rest[digits] - '0');
    ++digits;
  }
  if (digits == rest.size()) {
    if (digits > 0 && rest.front() == '0') {
      return Invalid("a length with a leading zero");
    }
    if (length > kMostHandoffPathBytes) {
      return Invalid("a length longer than a path can be");
    }
    return {};
  }
  if (rest[digits] != '\n' || digits == 0) {
    return Invalid("no length before the path");
  }
  if (rest.front() == '0') {
    return Invalid("a length with a leading zero");
  }
  if (length > kMostHandoffPathBytes) {
    return Invalid("a length longer than a path can be");
  }
  rest.remove_prefix(digits + 1);
  // The path: what has come of it must be able to begin a path.
  if (!rest.empty() && rest.front() != '/') {
    return Invalid("not an absolute path");
  }
  if (rest.substr(0, length).find('\0') != std::string_view::npos) {
    return Invalid("a path with a NUL byte");
  }
  if (rest.size() < length) {
    return {};
  }
  if (rest.size() > length) {
    return Invalid("bytes after the path");
  }
  return HandoffParse{HandoffState::Complete, std::string(rest), {}};
}

}  // namespace zodivane
