// SPDX-License-Identifier: GPL-3.0-or-later
// Where zodivane-chart reads and writes: file descriptors in the program,
// strings in tests. Failures carry the system's reason.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace zodivane::chart_tool {

/// A read or write that failed; what() says which and the system's reason
/// ("cannot write standard output: No space left on device").
class IoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// Bytes to read, in blocks.
class InputSource {
 public:
  virtual ~InputSource() = default;
  /// Reads up to `size` bytes into `data`, waiting for them when none is
  /// there yet; 0 at the end of the input. Throws IoError.
  virtual std::size_t Read(char* data, std::size_t size) = 0;
  /// Whether Read would return at once, without waiting for a writer.
  virtual bool Ready() = 0;
};

/// Bytes to write.
class OutputSink {
 public:
  virtual ~OutputSink() = default;
  /// Writes all of `bytes`. Throws IoError.
  virtual void Write(std::string_view bytes) = 0;
  /// Whether the file at `path` (its links followed) is the regular file
  /// this sink writes to, so that a file writer given it would replace the
  /// output under the text written to it. (A device or a pipe is never
  /// replaced: the writers refuse what is not a regular file.)
  [[nodiscard]] virtual bool WritesTo(const std::string& path) const {
    static_cast<void>(path);
    return false;
  }
};

/// Whether the file at `path` (its links followed, as /dev/stdout's are) is
/// the regular file open as `fd`: the same device and inode.
[[nodiscard]] bool IsFileOfDescriptor(const std::string& path, int fd);

/// Reads a file descriptor (standard input).
class FdInput final : public InputSource {
 public:
  /// `name` says in messages what the descriptor is ("standard input").
  FdInput(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
  std::size_t Read(char* data, std::size_t size) override;
  bool Ready() override;

 private:
  int fd_;
  std::string name_;
};

/// Writes a file descriptor (standard output).
class FdOutput final : public OutputSink {
 public:
  FdOutput(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
  void Write(std::string_view bytes) override;
  [[nodiscard]] bool WritesTo(const std::string& path) const override {
    return IsFileOfDescriptor(path, fd_);
  }

 private:
  int fd_;
  std::string name_;
};

/// Reads a string that is all there at once, as a file is.
class StringInput final : public InputSource {
 public:
  explicit StringInput(std::string text) : text_(std::move(text)) {}
  std::size_t Read(char* data, std::size_t size) override;
  bool Ready() override { return true; }

 private:
  std::string text_;
  std::size_t position_ = 0;
};

/// Keeps everything written, and how many writes it took.
class StringOutput final : public OutputSink {
 public:
  void Write(std::string_view bytes) override {
    text_ += bytes;
    ++writes_;
  }
  [[nodiscard]] const std::string& Text() const noexcept { return text_; }
  [[nodiscard]] int Writes() const noexcept { return writes_; }

 private:
  std::string text_;
  int writes_ = 0;
};

/// Writes `bytes` as the file `path`: first into a new file beside it,
/// which then replaces `path` in one step, so that a failed write leaves
/// any earlier file as it was. Throws IoError ("cannot write PATH: ...",
/// the path as Printable shows it).
void ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace zodivane::chart_tool
