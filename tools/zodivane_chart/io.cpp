// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/zodivane_chart/io.h"

#include "common/safe_file.h"
#include "common/text_helpers.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace zodivane::chart_tool {

std::size_t FdInput::Read(char* data, std::size_t size) {
  while (true) {
    const ssize_t count = ::read(fd_, data, size);
    if (count >= 0)
      return static_cast<std::size_t>(count);
    if (errno != EINTR)
      throw IoError("cannot read " + name_ + ": " + std::strerror(errno));
  }
}

bool FdInput::Ready() {
  pollfd request{fd_, POLLIN, 0};
  while (true) {
    const int count = ::poll(&request, 1, 0);
    if (count >= 0)
      return count > 0;  // data, the end, or an error that Read then reports
    if (errno != EINTR)
      return false;
  }
}

void FdOutput::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(fd_, bytes.data(), bytes.size());
    if (count < 0) {
      if (errno == EINTR)
        continue;
      throw IoError("cannot write " + name_ + ": " + std::strerror(errno));
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
}

std::size_t StringInput::Read(char* data, std::size_t size) {
  const std::size_t count = std::min(size, text_.size() - position_);
  std::memcpy(data, text_.data() + position_, count);
  position_ += count;
  return count;
}

bool IsFileOfDescriptor(const std::string& path, int fd) {
  struct stat named {};
  struct stat open {};
  return ::stat(path.c_str(), &named) == 0 && ::fstat(fd, &open) == 0 && S_ISREG(open.st_mode) &&
         named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

void ReplaceFile(const std::string& path, std::string_view bytes) {
  if (const std::optional<std::string> failure = ReplaceRegularFile(path, bytes)) {
    throw IoError("cannot write " + Printable(path) + ": " + *failure);
  }
}

}  // namespace zodivane::chart_tool
