// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/safe_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <array>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <variant>

namespace zodivane {
namespace {

namespace fs = std::filesystem;

class SafeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("zodivane-safe-file-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(folder_ / "read-only", fs::perms::owner_all, ignored);
    fs::remove_all(folder_, ignored);
  }
  [[nodiscard]] std::string Path(const char* name) const { return (folder_ / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static mode_t Mode(const std::string& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
  }
  /// Files in the folder other than `keep`: no temporary may be left behind.
  [[nodiscard]] int Leftovers() const {
    return static_cast<int>(std::distance(fs::directory_iterator(folder_), {}));
  }
  fs::path folder_;
};

TEST_F(SafeFileTest, ReplacesARegularFileKeepingItsMode) {
  const std::string path = Path("chart.rtf");
  Write(path, "old");
  ::chmod(path.c_str(), 0600);
  EXPECT_EQ(ReplaceRegularFile(path, "new bytes"), std::nullopt);
  EXPECT_EQ(Read(path), "new bytes");
  EXPECT_EQ(Mode(path), 0600u);
  EXPECT_EQ(Leftovers(), 1);

  const std::string fresh = Path("fresh.pdf");
  const mode_t mask = ::umask(022);
  EXPECT_EQ(ReplaceRegularFile(fresh, "x"), std::nullopt);
  ::umask(mask);
  EXPECT_EQ(Mode(fresh), 0644u);
}

// A link is followed: its target is replaced and the link stays a link.
TEST_F(SafeFileTest, FollowsALinkToItsRegularFile) {
  const std::string target = Path("target.zchart");
  const std::string link = Path("link.zchart");
  Write(target, "old");
  fs::create_symlink("target.zchart", link);
  EXPECT_EQ(ReplaceRegularFile(link, "new"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Read(target), "new");
}

// What is not a regular file is refused and left as it was.
TEST_F(SafeFileTest, RefusesWhatIsNotARegularFile) {
  const std::string fifo = Path("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string linkToDevice = Path("null-link");
  fs::create_symlink("/dev/null", linkToDevice);
  const std::string socketPath = Path("socket");
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  socketPath.copy(address.sun_path, sizeof(address.sun_path) - 1);
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  struct Case {
    std::string path;
    const char* reason;
  };
  const auto cases = std::to_array<Case>({
      {"/dev/null", "a device, not a regular file"},
      {linkToDevice, "a device, not a regular file"},
      {fifo, "a FIFO, not a regular file"},
      {socketPath, "a socket, not a regular file"},
      {folder_.string(), "a folder, not a regular file"},
      {Path("sub/"), "Is a directory"},
      {Path("missing-folder/chart.pdf"), "No such file or directory"},
  });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ReplaceRegularFile(c.path, "bytes"), std::optional<std::string>(c.reason));
  }
  ::close(sock);
  struct stat status {};
  ASSERT_EQ(::stat("/dev/null", &status), 0);
  EXPECT_TRUE(S_ISCHR(status.st_mode));
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_TRUE(fs::is_symlink(linkToDevice));
}

// A read-only file stays as it was, also for the administrator.
TEST_F(SafeFileTest, RefusesAReadOnlyFile) {
  const std::string path = Path("read-only");
  Write(path, "kept");
  ::chmod(path.c_str(), 0444);
  EXPECT_EQ(ReplaceRegularFile(path, "new"), std::optional<std::string>("Permission denied"));
  EXPECT_EQ(Read(path), "kept");
  EXPECT_EQ(Leftovers(), 1);
}

// A write cut short by the file size limit fails with its reason; the old
// file is whole and no temporary is left.
TEST_F(SafeFileTest, TheOldFileSurvivesAFailedWrite) {
  const std::string path = Path("chart.zchart");
  Write(path, "old");
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit lower = saved;
  lower.rlim_cur = 4;
  ::setrlimit(RLIMIT_FSIZE, &lower);
  const std::optional<std::string> failure = ReplaceRegularFile(path, "more than four bytes");
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(failure, std::optional<std::string>("File too large"));
  EXPECT_EQ(Read(path), "old");
  EXPECT_EQ(Leftovers(), 1);
}

// Names up to the file system's 255 bytes are written: the new file beside
// them never takes a longer name than the file's own.
TEST_F(SafeFileTest, WritesNamesUpToTheLongestAFolderTakes) {
  for (const std::size_t length : {248u, 250u, 254u, 255u}) {
    SCOPED_TRACE(length);
    const std::string path = (folder_ / std::string(length, 'n')).string();
    EXPECT_EQ(ReplaceRegularFile(path, "first"), std::nullopt);
    EXPECT_EQ(ReplaceRegularFile(path, "second"), std::nullopt);
    EXPECT_EQ(Read(path), "second");
    fs::remove(path);
    EXPECT_EQ(Leftovers(), 0);
  }
}

// A writer ended by SIGTERM or SIGINT in the middle of its writes leaves the
// file whole (old or new) and nothing else in the folder. The child writes
// once, says so, and then writes again and again, so that the signal finds
// it writing.
TEST_F(SafeFileTest, AWriterEndedBySignalLeavesNoHiddenFile) {
  const std::string path = Path("report.rtf");
  const std::string bytes(4 * 1024 * 1024, 'r');
  for (const int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(signal);
    std::array<int, 2> ready{};
    ASSERT_EQ(::pipe(ready.data()), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(ready[0]);
      bool first = true;
      while (true) {
        if (ReplaceRegularFile(path, bytes)) {
          ::_exit(3);
        }
        if (first) {
          first = false;
          const char written = 'w';
          if (::write(ready[1], &written, 1) != 1) {
            ::_exit(4);
          }
        }
      }
    }
    ::close(ready[1]);
    char said = 0;
    ASSERT_EQ(::read(ready[0], &said, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(::kill(child, signal), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), signal);
    EXPECT_EQ(Read(path), bytes);
    std::string names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      names += entry.path().filename().string() + " ";
    }
    EXPECT_EQ(names, "report.rtf ");
  }
}

// Reads are bounded while reading, and only regular files are read: a
// device or a FIFO with no writer is refused at once, never waited on.
TEST_F(SafeFileTest, ReadsOnlyRegularFilesUpToTheBound) {
  const std::string small = Path("small.zchart");
  Write(small, "0123456789");
  EXPECT_EQ(ReadRegularFile(small, 10), (std::variant<std::string, ReadFailure>("0123456789")));
  const std::string fifo = Path("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    std::string path;
    std::size_t most;
    const char* reason;
  };
  const auto cases = std::to_array<Case>({
      {small, 9, "larger than 9 bytes, too large to be read"},
      {"/dev/zero", 1024 * 1024, "a device, not a regular file"},
      {fifo, 1024, "a FIFO, not a regular file"},
      {folder_.string(), 1024, "a folder, not a regular file"},
      {Path("missing"), 1024, "No such file or directory"},
  });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const auto read = ReadRegularFile(c.path, c.most);
    ASSERT_TRUE(std::holds_alternative<ReadFailure>(read));
    EXPECT_EQ(std::get<ReadFailure>(read).reason, c.reason);
  }
  Write(Path("big"), std::string(3 * 1024 * 1024, 'x'));
  const auto big = ReadRegularFile(Path("big"), 1024 * 1024);
  ASSERT_TRUE(std::holds_alternative<ReadFailure>(big));
  EXPECT_EQ(std::get<ReadFailure>(big).reason, "larger than 1 MiB, too large to be read");
}

}  // namespace
}  // namespace zodivane
