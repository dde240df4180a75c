// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: arbitrary bytes as the message a later start sends to the
// running copy. Reading must never crash; a complete message is exactly the
// one its path makes, its beginnings wait for more, and bytes refused stay
// refused whatever follows them.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/handoff_message.h"

using zodivane::HandoffMessage;
using zodivane::HandoffParse;
using zodivane::HandoffPathProblem;
using zodivane::HandoffState;
using zodivane::ParseHandoffMessage;

namespace {

[[noreturn]] void Fail(const char* what, std::string_view bytes) {
  std::fprintf(stderr, "hand-off message: %s (%zu bytes)\n", what, bytes.size());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const HandoffParse parse = ParseHandoffMessage(bytes);
  switch (parse.state) {
    case HandoffState::Complete:
      if (HandoffPathProblem(parse.path) || HandoffMessage(parse.path) != bytes) {
        Fail("a complete message is not the one its path makes", bytes);
      }
      if (ParseHandoffMessage(bytes.substr(0, size - 1)).state != HandoffState::Incomplete) {
        Fail("a complete message's beginning does not wait for the rest", bytes);
      }
      break;
    case HandoffState::Incomplete:
      if (!parse.path.empty() || !parse.problem.empty()) {
        Fail("a beginning carries a path or a problem", bytes);
      }
      break;
    case HandoffState::Invalid: {
      const std::string longer = std::string(bytes) + "/x\n";
      if (parse.problem.empty() || !parse.path.empty() ||
          ParseHandoffMessage(longer).state != HandoffState::Invalid) {
        Fail("refused bytes are not refused for good", bytes);
      }
      break;
    }
  }
  return 0;
}
