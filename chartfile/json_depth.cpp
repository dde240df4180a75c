// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/json_depth.h"

namespace zodivane::chartfile {

bool NestsDeeperThan(std::string_view json, std::size_t limit) noexcept {
  std::size_t depth = 0;
  bool inString = false;
  bool escaped = false;
  for (const char c : json) {
    if (inString) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        inString = false;
      }
      continue;
    }
    switch (c) {
      case '"':
        inString = true;
        break;
      case '[':
      case '{':
        if (++depth > limit) {
          return true;
        }
        break;
      case ']':
      case '}':
        if (depth > 0) {
          --depth;
        }
        break;
      default:
        break;
    }
  }
  return false;
}

std::string TooDeepMessage() {
  return "nests arrays and objects deeper than " + std::to_string(kMostJsonNesting) + " levels";
}

}  // namespace zodivane::chartfile
