// SPDX-License-Identifier: GPL-3.0-or-later
// The running copy's lock, its folder and the socket's peer: a lock that is
// no small regular file of this user's is set aside without being read, the
// folder is this user's own or refused, never followed through a link, and
// only this user's processes count as a peer. Another user is simulated, when
// the tests run as root, by files handed to uid 65534 and a child process
// that runs as it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/platform/instance_lock.h"

namespace zodivane::ui {
namespace {

constexpr uid_t kOtherUser = 65534;  // "nobody"

QByteArray Local(const QString& path) {
  return QFile::encodeName(path);
}

/// The file type lstat gives for `path`, or 0 when there is nothing.
mode_t TypeAt(const QString& path) {
  struct stat status {};
  return ::lstat(Local(path).constData(), &status) == 0 ? (status.st_mode & S_IFMT) : 0;
}

// What stands at the lock's path, and what the start makes of it: each odd
// thing is set aside (renamed, never opened) with a line for standard
// error, and the lock is taken. Before, a FIFO blocked the start for ever, a
// link to /dev/zero read without end and a 200 MB file was read whole.
TEST(InstanceLock, WhatIsNoSmallRegularFileOfOursIsSetAsideUnread) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("zodivane.lock"));
  struct Case {
    const char* what;
    std::function<bool()> plant;
    mode_t type;  ///< of what was set aside
    const char* said;
    bool asRootOnly = false;
  };
  const std::vector<Case> cases = {
      {"a FIFO", [&] { return ::mkfifo(Local(path).constData(), 0600) == 0; }, S_IFIFO,
       "was a FIFO, not a lock"},
      {"a link to /dev/zero", [&] { return ::symlink("/dev/zero", Local(path).constData()) == 0; },
       S_IFLNK, "was a symbolic link, not a lock"},
      {"a link to a lock elsewhere",
       [&] {
         QFile(folder.filePath(QStringLiteral("elsewhere"))).open(QIODevice::WriteOnly);
         return ::symlink("elsewhere", Local(path).constData()) == 0;
       },
       S_IFLNK, "was a symbolic link, not a lock"},
      {"a file of 200 MB (sparse)",
       [&] {
         QFile file(path);
         return file.open(QIODevice::WriteOnly) && file.resize(200LL * 1024 * 1024);
       },
       S_IFREG, "was a file of 209715200 bytes, larger than a lock can be"},
      {"a socket",
       [&] {
         const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
         sockaddr_un address{};
         address.sun_family = AF_UNIX;
         std::strncpy(address.sun_path, Local(path).constData(), sizeof address.sun_path - 1);
         const bool bound =
             ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
         ::close(fd);
         return bound;
       },
       S_IFSOCK, "was a socket, not a lock"},
      {"a folder holding a file",
       [&] {
         return QDir().mkpath(path) &&
                QFile(QDir(path).filePath(QStringLiteral("keep"))).open(QIODevice::WriteOnly);
       },
       S_IFDIR, "was a folder, not a lock"},
      {"another user's lock naming this process",
       [&] {
         QFile file(path);
         const QByteArray content = QByteArray::number(::getpid()) + "\nzodivane\n\n";
         return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() &&
                ::chown(Local(path).constData(), kOtherUser, kOtherUser) == 0;
       },
       S_IFREG, "was another user's file, not a lock", true},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.what);
    if (row.asRootOnly && ::geteuid() != 0) {
      continue;  // needs a file of another user
    }
    ASSERT_TRUE(row.plant());
    QLockFile lock(path);
    lock.setStaleLockTime(0);
    QString said;
    EXPECT_EQ(TakeInstanceLock(lock, &said), InstanceLockResult::Taken);
    EXPECT_THAT(said.toStdString(), ::testing::HasSubstr(row.said));
    EXPECT_THAT(said.toStdString(),
                ::testing::HasSubstr((path + QStringLiteral(".bad")).toStdString()));
    EXPECT_EQ(TypeAt(path + QStringLiteral(".bad")), row.type);
    EXPECT_EQ(TypeAt(path), S_IFREG);  // the lock, taken
    lock.unlock();
    QDir(path + QStringLiteral(".bad")).removeRecursively();
    QFile::remove(path + QStringLiteral(".bad"));
  }
}

// A small regular file of ours is read as before, and nothing is said.
TEST(InstanceLock, ASmallLockOfOursIsReadAsBefore) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("zodivane.lock"));
  {
    QFile garbage(path);
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("12x\n");
  }
  QLockFile lock(path);
  lock.setStaleLockTime(0);
  QString said;
  EXPECT_EQ(TakeInstanceLock(lock, &said), InstanceLockResult::Taken);
  EXPECT_EQ(said, QString());
  EXPECT_EQ(TypeAt(path + QStringLiteral(".bad")), 0U);
  QLockFile none(QString{});
  EXPECT_EQ(TakeInstanceLock(none), InstanceLockResult::Unusable);
}

// The folder of the lock: made with mode 0700, and accepted only when it is
// this user's own folder that no one else may use; a link to one is refused.
TEST(PrivateFolder, IsMadeOrAcceptedOnlyWhenItIsThisUsersOwn) {
  QTemporaryDir base;
  const QString path = base.filePath(QStringLiteral("zodivane-test"));
  const QByteArray local = Local(path);
  struct Case {
    const char* what;
    std::function<bool()> plant;
    const char* problem;  ///< empty: accepted
    bool asRootOnly = false;
  };
  const std::vector<Case> cases = {
      {"nothing there: made", [] { return true; }, ""},
      {"our own folder, mode 0700", [&] { return ::mkdir(local.constData(), 0700) == 0; }, ""},
      {"our own folder, mode 0755",
       [&] {
         return ::mkdir(local.constData(), 0700) == 0 && ::chmod(local.constData(), 0755) == 0;
       },
       "is open to other users (mode 0755)"},
      {"our own folder, mode 1777",
       [&] {
         return ::mkdir(local.constData(), 0700) == 0 && ::chmod(local.constData(), 01777) == 0;
       },
       "is open to other users (mode 1777)"},
      {"a link to a folder of ours, mode 0700",
       [&] {
         const QByteArray target = Local(base.filePath(QStringLiteral("target")));
         return ::mkdir(target.constData(), 0700) == 0 &&
                ::symlink(target.constData(), local.constData()) == 0;
       },
       "is a symbolic link, not a folder"},
      {"a file", [&] { return QFile(path).open(QIODevice::WriteOnly); }, "is not a folder"},
      {"another user's folder, mode 0700",
       [&] {
         return ::mkdir(local.constData(), 0700) == 0 &&
                ::chown(local.constData(), kOtherUser, kOtherUser) == 0;
       },
       "belongs to another user", true},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.what);
    if (row.asRootOnly && ::geteuid() != 0) {
      continue;
    }
    ASSERT_TRUE(row.plant());
    const RuntimeFolder folder = MakePrivateFolder(path);
    if (*row.problem == '\0') {
      EXPECT_EQ(folder.path, path);
      EXPECT_EQ(folder.problem, QString());
      struct stat status {};
      ASSERT_EQ(::lstat(local.constData(), &status), 0);
      EXPECT_TRUE(S_ISDIR(status.st_mode));
      EXPECT_EQ(status.st_mode & 07777, 0700U);
    } else {
      EXPECT_EQ(folder.path, QString());
      EXPECT_EQ(folder.problem, path + QStringLiteral(" ") + QString::fromLatin1(row.problem));
    }
    ::unlink(local.constData());
    QDir(path).removeRecursively();
  }
}

/// Sets an environment variable for the scope, and puts the old value back.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, std::optional<QByteArray> value)
      : name_(name),
        old_(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt) {
    Set(value);
  }
  ~ScopedVariable() { Set(old_); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  void Set(const std::optional<QByteArray>& value) {
    if (value) {
      qputenv(name_, *value);
    } else {
      qunsetenv(name_);
    }
  }
  const char* name_;
  std::optional<QByteArray> old_;
};

// Without a runtime folder of this user's own, the lock goes into a folder
// the program makes in the temporary folder, never into the shared folder
// itself; a folder of that name planted by another user is refused.
TEST(PrivateFolder, TheRuntimeFolderNeverFallsBackToASharedFolder) {
  QTemporaryDir temp;
  QTemporaryDir runtime;
  ASSERT_EQ(::chmod(Local(runtime.path()).constData(), 0700), 0);
  const ScopedVariable tmpdir("TMPDIR", Local(temp.path()));
  const QString inTemp = QDir(temp.path()).filePath(QStringLiteral("zodivane-%1").arg(::geteuid()));
  {
    const ScopedVariable unset("XDG_RUNTIME_DIR", std::nullopt);
    EXPECT_EQ(PrivateRuntimeFolder().path, inTemp);
    EXPECT_EQ(TypeAt(inTemp), S_IFDIR);
  }
  {
    const ScopedVariable own("XDG_RUNTIME_DIR", Local(runtime.path()));
    EXPECT_EQ(PrivateRuntimeFolder().path,
              QDir(runtime.path()).filePath(QStringLiteral("zodivane")));
  }
  {
    // A runtime folder open to everyone is not used.
    ASSERT_EQ(::chmod(Local(runtime.path()).constData(), 01777), 0);
    const ScopedVariable shared("XDG_RUNTIME_DIR", Local(runtime.path()));
    EXPECT_EQ(PrivateRuntimeFolder().path, inTemp);
    ASSERT_EQ(::chmod(Local(runtime.path()).constData(), 0700), 0);
  }
  if (::geteuid() == 0) {
    // Another user made the folder first, with a lock and a socket in it.
    QDir(inTemp).removeRecursively();
    ASSERT_EQ(::mkdir(Local(inTemp).constData(), 0777), 0);
    ASSERT_EQ(::chmod(Local(inTemp).constData(), 0777), 0);
    ASSERT_EQ(::chown(Local(inTemp).constData(), kOtherUser, kOtherUser), 0);
    const ScopedVariable unset("XDG_RUNTIME_DIR", std::nullopt);
    const RuntimeFolder refused = PrivateRuntimeFolder();
    EXPECT_EQ(refused.path, QString());
    EXPECT_EQ(refused.problem, inTemp + QStringLiteral(" belongs to another user"));
  }
}

/// Runs `child` in a child process as another user; its exit status.
/// What `child` does must be safe after fork: system calls only.
int RunAsOtherUser(const std::function<int()>& child) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::setgid(kOtherUser) != 0 || ::setuid(kOtherUser) != 0) {
      ::_exit(100);
    }
    ::_exit(child());
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Only a process of this user's counts as the socket's peer.
TEST(PeerIsThisUser, TellsThisUsersProcessesFromOthers) {
  int pair[2];
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
  EXPECT_TRUE(PeerIsThisUser(pair[0]));
  ::close(pair[0]);
  ::close(pair[1]);
  EXPECT_FALSE(PeerIsThisUser(-1));
  const int file = ::open("/dev/null", O_RDONLY);
  EXPECT_FALSE(PeerIsThisUser(file));  // no socket
  ::close(file);
  if (::geteuid() != 0) {
    GTEST_SKIP() << "another user's process needs root";
  }
  // A socket anyone may reach, and another user's process connecting to it.
  QTemporaryDir folder;
  ASSERT_EQ(::chmod(Local(folder.path()).constData(), 0777), 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray path = Local(folder.filePath(QStringLiteral("s")));
  std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
  const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_EQ(::bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::chmod(path.constData(), 0777), 0);
  ASSERT_EQ(::listen(server, 1), 0);
  EXPECT_EQ(RunAsOtherUser([&] {
              const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
              return ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
            }),
            0);
  const int accepted = ::accept(server, nullptr, nullptr);
  ASSERT_GE(accepted, 0);
  EXPECT_FALSE(PeerIsThisUser(accepted));
  ::close(accepted);
  ::close(server);
}

}  // namespace
}  // namespace zodivane::ui
