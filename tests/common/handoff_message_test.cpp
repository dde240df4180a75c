// SPDX-License-Identifier: GPL-3.0-or-later
// The hand-off message: every byte of a path arrives as sent (a line feed,
// a trailing space, bytes that are not UTF-8), every beginning of a message
// waits for more, and anything else is refused with its reason.
#include "common/handoff_message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zodivane {
namespace {

using namespace std::string_literals;

// Paths that were cut or changed on the way before: each arrives whole, and
// every shorter beginning of its message waits for the rest.
TEST(HandoffMessage, CarriesEveryByteOfThePathAndWaitsForTheRest) {
  const std::vector<std::string> paths = {
      "/home/asha/asha.zchart",
      "/tmp/a\nb.zchart",  // cut at the line feed, this opened "/tmp/a"
      "/tmp/t.zchart ",    // trimmed, this opened "/tmp/t.zchart"
      "/tmp/ t.zchart\r",  // a leading space in a name and a carriage return
      "/tmp/Zo\xc3\xab.zchart",
      "/tmp/\xff\xfe.zchart",  // not UTF-8: the file system's own bytes
      "/",
      "/" + std::string(kMostHandoffPathBytes - 1, 'a'),
  };
  for (const std::string& path : paths) {
    SCOPED_TRACE(path.substr(0, 40));
    EXPECT_EQ(HandoffPathProblem(path), std::nullopt);
    const std::string message = HandoffMessage(path);
    ASSERT_FALSE(message.empty());
    const HandoffParse whole = ParseHandoffMessage(message);
    ASSERT_EQ(whole.state, HandoffState::Complete) << whole.problem;
    EXPECT_EQ(whole.path, path);
    for (std::size_t cut = 0; cut < message.size(); ++cut) {
      EXPECT_EQ(ParseHandoffMessage(message.substr(0, cut)).state, HandoffState::Incomplete)
          << "after " << cut << " bytes";
    }
  }
  EXPECT_EQ(HandoffMessage("/tmp/a\nb.zchart"), "zodivane-open 15\n/tmp/a\nb.zchart");
}

// What cannot be sent is refused before it is sent, with the reason.
TEST(HandoffMessage, RefusesToSendWhatNoFileCanBeNamed) {
  struct Case {
    std::string path;
    std::string problem;
  };
  const std::vector<Case> cases = {
      {"", "an empty path"},
      {"asha.zchart", "not an absolute path"},
      {"/tmp/a\0b.zchart"s, "a path with a NUL byte"},
      {"/" + std::string(kMostHandoffPathBytes, 'a'), "a path longer than 4096 bytes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.problem);
    EXPECT_EQ(HandoffPathProblem(c.path), c.problem);
    EXPECT_EQ(HandoffMessage(c.path), "");
  }
}

// Bytes that no message begins with are refused as soon as they arrive,
// so that the running copy never waits for a message that cannot come.
TEST(HandoffMessage, RefusesWhatNoMessageBeginsWith) {
  struct Case {
    std::string bytes;
    std::string problem;
  };
  const std::vector<Case> cases = {
      {"/tmp/asha.zchart\n", "no message of this program"},  // the old line of text
      {"zodivane-opem", "no message of this program"},
      {"zodivane-open \n/tmp/a", "no length before the path"},
      {"zodivane-open -5\n/tmp/", "no length before the path"},
      {"zodivane-open +5\n/tmp/", "no length before the path"},
      {"zodivane-open 5 \n/tmp/", "no length before the path"},
      {"zodivane-open 0", "a length with a leading zero"},
      {"zodivane-open 05\n/tmp/", "a length with a leading zero"},
      {"zodivane-open 0\n", "a length with a leading zero"},
      {"zodivane-open 4097", "a length longer than a path can be"},
      {"zodivane-open 10000", "a length longer than a path can be"},
      {"zodivane-open 99999999999999999999\n", "a length longer than a path can be"},
      {"zodivane-open 5\ntmp/a", "not an absolute path"},
      {"zodivane-open 6\n/tmp\0a"s, "a path with a NUL byte"},
      {"zodivane-open 5\n/tmp/a", "bytes after the path"},
      {"zodivane-open 5\n/tmp/zodivane-open 5\n/tmp/", "bytes after the path"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes.substr(0, 40));
    const HandoffParse parse = ParseHandoffMessage(c.bytes);
    EXPECT_EQ(parse.state, HandoffState::Invalid);
    EXPECT_EQ(parse.problem, c.problem);
    EXPECT_EQ(parse.path, "");
  }
}

}  // namespace
}  // namespace zodivane
