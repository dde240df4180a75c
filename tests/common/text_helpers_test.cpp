// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zodivane {
namespace {

// Every message repeats a value through Quoted: cut after 64 bytes, at the
// start of a character; control characters and bytes that are not UTF-8
// escaped, so that a terminal never receives them.
TEST(Quoted, CutsLongValuesAndEscapesWhatATerminalWouldObey) {
  struct Case {
    std::string value;
    std::string quoted;
  };
  const std::vector<Case> cases = {
      {"Delhi", "\"Delhi\""},
      {std::string(60000, '9'), "\"" + std::string(64, '9') + "...\""},
      {"Del\x1b[2Jhi", "\"Del\\x1b[2Jhi\""},
      {"a\nb\tc\x7f", "\"a\\x0ab\\x09c\\x7f\""},
      {"S\xc3", "\"S\\xc3\""},
      {"\xff\xfe", "\"\\xff\\xfe\""},
      {"Z\xc3\xbcrich", "\"Z\xc3\xbcrich\""},
      // A two-byte letter across the 64th byte is kept whole or left out whole.
      {std::string(63, 'a') + "\xc3\xbc" + "b", "\"" + std::string(63, 'a') + "\xc3\xbc...\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.quoted);
    EXPECT_EQ(Quoted(c.value), c.quoted);
  }
}

}  // namespace
}  // namespace zodivane
