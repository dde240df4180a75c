// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/safe_file.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <random>
#include <vector>

namespace zodivane {
namespace {

/// How many links in a row are followed before giving up (as the kernel does).
constexpr int kMostLinks = 40;

std::string Reason(int error) {
  return std::strerror(error);
}

/// What a file that is not regular is, for the message.
const char* KindOf(mode_t mode) noexcept {
  if (S_ISDIR(mode)) {
    return "a folder";
  }
  if (S_ISCHR(mode) || S_ISBLK(mode)) {
    return "a device";
  }
  if (S_ISFIFO(mode)) {
    return "a FIFO";
  }
  if (S_ISSOCK(mode)) {
    return "a socket";
  }
  return "not a regular file";
}

/// `path` with its symbolic links followed to the file they name; the
/// error number when the chain is too long or unreadable.
int FollowLinks(std::string& path) {
  for (int step = 0; step < kMostLinks; ++step) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
      return 0;  // a file, or nothing yet: written at this path
    }
    std::array<char, PATH_MAX> target{};
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size() - 1);
    if (length < 0) {
      return errno;
    }
    std::string next(target.data(), static_cast<std::size_t>(length));
    if (next.empty() || next.front() != '/') {
      const std::size_t slash = path.rfind('/');
      next = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + next;
    }
    path = std::move(next);
  }
  return ELOOP;
}

/// Writes all of `bytes` to `fd`; 0 or the error number.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

/// The short name a new file has while it is named before its rename.
constexpr char kTemporaryPattern[] = ".zodivane-XXXXXX";

/// Holds the signals that end a program (SIGINT, SIGTERM, SIGHUP, SIGQUIT)
/// on this thread from Hold() until it goes out of scope; one that came
/// meanwhile then does what it would have done.
class SignalsHeld {
 public:
  SignalsHeld() = default;
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;
  ~SignalsHeld() {
    if (held_) {
      ::pthread_sigmask(SIG_SETMASK, &before_, nullptr);
    }
  }
  void Hold() {
    if (held_) {
      return;
    }
    sigset_t ending;
    sigemptyset(&ending);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
      sigaddset(&ending, signal);
    }
    held_ = ::pthread_sigmask(SIG_BLOCK, &ending, &before_) == 0;
  }

 private:
  sigset_t before_{};
  bool held_ = false;
};

/// Gives the unnamed file open as `fd` a new short name in `folder`
/// (kTemporaryPattern with random letters), written to `name`; 0 or the
/// error number.
int NameOpenFile(int fd, const std::string& folder, std::string& name) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = folder + kTemporaryPattern;
    for (std::size_t i = name.size() - 6; i < name.size(); ++i) {
      name[i] = kLetters[random() % (sizeof kLetters - 1)];
    }
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      return 0;
    }
    // Without /proc, the descriptor itself (which some systems allow only
    // to the administrator).
    if (errno == ENOENT && ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) {
      return 0;
    }
    if (errno != EEXIST) {
      const int error = errno;
      name.clear();
      return error;
    }
  }
  name.clear();
  return EEXIST;
}

}  // namespace

std::optional<std::string> ReplaceRegularFile(const std::string& path, std::string_view bytes) {
  if (path.empty() || path.back() == '/') {
    return Reason(EISDIR);
  }
  std::string target = path;
  if (const int error = FollowLinks(target); error != 0) {
    return Reason(error);
  }
  struct stat status {};
  const bool exists = ::stat(target.c_str(), &status) == 0;
  if (exists && !S_ISREG(status.st_mode)) {
    return std::string(KindOf(status.st_mode)) + ", not a regular file";
  }
  // Read-only for everyone is kept read-only, also for the administrator.
  if (exists && ((status.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)) {
    return Reason(EACCES);
  }
  const std::size_t slash = target.rfind('/');
  const std::string folder =
      slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  mode_t mode = status.st_mode & 07777;
  if (!exists) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  // The new file has no name while it is written, so that a writer killed
  // half-way leaves nothing behind; where the file system cannot do that,
  // it gets a short name of its own (a name of 255 bytes still fits beside
  // it) and the signals that end a program wait until it is renamed or gone.
  SignalsHeld held;
  std::string temporary;
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
  const bool unnamed = fd >= 0;
  if (!unnamed) {
    held.Hold();
    temporary = folder + kTemporaryPattern;
    std::vector<char> name(temporary.begin(), temporary.end());
    name.push_back('\0');
    fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
      return Reason(errno);
    }
    temporary.assign(name.data());
  }
  int error = ::fchmod(fd, mode) != 0 ? errno : 0;
  if (error == 0) {
    error = WriteAll(fd, bytes);
  }
  // On the disk before it takes the old file's name: a crash in between
  // leaves the old file, never an empty new one.
  if (error == 0 && ::fsync(fd) != 0) {
    error = errno;
  }
  if (error == 0 && unnamed) {
    // Named for the moment it takes to rename it, with the signals held.
    held.Hold();
    error = NameOpenFile(fd, folder, temporary);
  }
  if (::close(fd) != 0 && error == 0) {
    error = errno;
  }
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
    error = errno;
  }
  if (error != 0) {
    if (!temporary.empty()) {
      ::unlink(temporary.c_str());
    }
    return Reason(error);
  }
  return std::nullopt;
}

std::variant<std::string, ReadFailure> ReadRegularFile(const std::string& path,
                                                       std::size_t mostBytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    return ReadFailure{Reason(errno)};
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    const int error = errno;
    const bool statFailed = status.st_mode == 0;
    ::close(fd);
    return ReadFailure{statFailed ? Reason(error)
                                  : std::string(KindOf(status.st_mode)) + ", not a regular file"};
  }
  std::string bytes;
  std::array<char, 65536> buffer{};
  while (true) {
    const ssize_t got = ::read(fd, buffer.data(), buffer.size());
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      const int error = errno;
      ::close(fd);
      return ReadFailure{Reason(error)};
    }
    if (got == 0) {
      break;
    }
    if (bytes.size() + static_cast<std::size_t>(got) > mostBytes) {
      ::close(fd);
      constexpr std::size_t kMiB = 1024 * 1024;
      return ReadFailure{"larger than " +
                         (mostBytes % kMiB == 0 ? std::to_string(mostBytes / kMiB) + " MiB"
                                                : std::to_string(mostBytes) + " bytes") +
                         ", too large to be read"};
    }
    bytes.append(buffer.data(), static_cast<std::size_t>(got));
  }
  ::close(fd);
  return bytes;
}

}  // namespace zodivane
