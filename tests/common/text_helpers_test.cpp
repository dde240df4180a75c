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

// Names and paths reach a terminal through Printable: whole, never cut, with
// everything a terminal obeys (escape sequences, OSC titles, the bell, NUL)
// and the line separators that break a line written as text.
TEST(Printable, ShowsWhatATerminalWouldObeyAndKeepsTheRest) {
  struct Case {
    std::string text;
    std::string shown;
  };
  const std::vector<Case> cases = {
      {"Asha Mehra", "Asha Mehra"},
      {"A\x1b[2JB", "A\\x1b[2JB"},
      {"\x1b]0;owned\x07", "\\x1b]0;owned\\x07"},
      {std::string("N\0UL", 4), "N\\x00UL"},
      {"a\nb\rc\x7f", "a\\x0ab\\x0dc\\x7f"},
      {"C1 \xc2\x9b", "C1 \\x9b"},
      {"line\xe2\x80\xa8para\xe2\x80\xa9", "line\\u2028para\\u2029"},
      {"bad \xff\xc3", "bad \\xff\\xc3"},
      {"Z\xc3\xbcrich \xe2\x80\x99s", "Z\xc3\xbcrich \xe2\x80\x99s"},
      {std::string(300, 'x'), std::string(300, 'x')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    EXPECT_EQ(Printable(c.text), c.shown);
  }
  EXPECT_EQ(Printable("one\ntwo\x1b", true), "one\ntwo\\x1b");
}

}  // namespace
}  // namespace zodivane
