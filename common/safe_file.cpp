// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/safe_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
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
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temporary = folder + "." + base + ".XXXXXX";
  std::vector<char> name(temporary.begin(), temporary.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) {
    return Reason(errno);
  }
  temporary.assign(name.data());
  mode_t mode = status.st_mode & 07777;
  if (!exists) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
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
  if (::close(fd) != 0 && error == 0) {
    error = errno;
  }
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
    error = errno;
  }
  if (error != 0) {
    ::unlink(temporary.c_str());
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
