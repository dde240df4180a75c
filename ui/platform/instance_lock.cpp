// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/instance_lock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QString>

#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zodivane::ui {

namespace {

/// Whether process `pid` runs and, where its executable can be seen, runs
/// the program named `programName` (a process number may have been reused).
bool ProcessRunsProgram(qint64 pid, const QString& programName) {
  if (pid <= 0) {
    return false;
  }
  if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
    return false;
  }
  QString executable = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
  if (executable.isEmpty() || programName.isEmpty()) {
    return true;  // cannot tell: assume the copy runs
  }
  // A running program whose file was replaced (an upgrade) reads "... (deleted)".
  const QString deleted = QStringLiteral(" (deleted)");
  if (executable.endsWith(deleted)) {
    executable.chop(deleted.size());
  }
  return QFileInfo(executable).fileName() == QFileInfo(programName).fileName();
}

/// Whether the lock names a process that runs this program. False for a
/// lock whose contents cannot be read or make no sense.
bool HolderRuns(const QLockFile& lock) {
  // A larger lock is no lock of ours, and is not read.
  if (const QFileInfo file(lock.fileName()); !file.isFile() || file.size() > kMostLockBytes) {
    return false;
  }
  qint64 pid = 0;
  QString host;
  QString programName;
  if (!lock.getLockInfo(&pid, &host, &programName)) {
    return false;
  }
  return ProcessRunsProgram(pid, programName);
}

/// Removes a stale lock: its file, or an empty folder in its place.
void RemoveStaleLock(QLockFile& lock, const QString& path) {
  if (QFileInfo(path).isDir()) {
    QDir().rmdir(path);
    return;
  }
  lock.removeStaleLockFile();
}

QByteArray LocalName(const QString& path) {
  return QFile::encodeName(path);
}

/// What stands at the lock's path when it is not a lock that can be read
/// safely; empty for a small regular file of this user's, or for nothing.
/// Looked at with lstat: nothing is opened or followed.
QString OddLockKind(const QString& path) {
  struct stat status {};
  if (::lstat(LocalName(path).constData(), &status) != 0) {
    return {};  // nothing there (or nothing to be seen): the lock is made afresh
  }
  if (S_ISLNK(status.st_mode)) {
    return QStringLiteral("a symbolic link");
  }
  if (S_ISFIFO(status.st_mode)) {
    return QStringLiteral("a FIFO");
  }
  if (S_ISSOCK(status.st_mode)) {
    return QStringLiteral("a socket");
  }
  if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) {
    return QStringLiteral("a device");
  }
  if (S_ISDIR(status.st_mode)) {
    return QStringLiteral("a folder");
  }
  if (!S_ISREG(status.st_mode)) {
    return QStringLiteral("no regular file");
  }
  if (status.st_uid != ::geteuid()) {
    return QStringLiteral("another user's file");
  }
  if (status.st_size > kMostLockBytes) {
    return QStringLiteral("a file of %1 bytes, larger than a lock can be").arg(status.st_size);
  }
  return {};
}

}  // namespace

InstanceLockResult TakeInstanceLock(QLockFile& lock, QString* setAside) {
  const QString path = lock.fileName();
  if (path.isEmpty()) {
    return InstanceLockResult::Unusable;
  }
  if (const QString kind = OddLockKind(path); !kind.isEmpty()) {
    const QString aside = path + QStringLiteral(".bad");
    // rename(2) moves a link itself, never its target, and replaces an
    // earlier file set aside (not a folder holding files).
    if (::rename(LocalName(path).constData(), LocalName(aside).constData()) != 0) {
      if (setAside != nullptr) {
        *setAside = QStringLiteral(
                        "zodivane: the lock %1 is %2 and cannot be set aside (%3); "
                        "starting without it")
                        .arg(path, kind, QString::fromLocal8Bit(std::strerror(errno)));
      }
      return InstanceLockResult::Unusable;
    }
    if (setAside != nullptr) {
      *setAside = QStringLiteral("zodivane: the lock %1 was %2, not a lock; set aside as %3")
                      .arg(path, kind, aside);
    }
  }
  if (lock.tryLock(0)) {
    return InstanceLockResult::Taken;
  }
  if (lock.error() != QLockFile::LockFailedError) {
    return InstanceLockResult::Unusable;
  }
  if (HolderRuns(lock)) {
    return InstanceLockResult::HeldByRunningCopy;
  }
  RemoveStaleLock(lock, path);
  if (lock.tryLock(0)) {
    return InstanceLockResult::Taken;
  }
  // Another copy may have taken it between the removal and this attempt.
  if (lock.error() == QLockFile::LockFailedError && HolderRuns(lock)) {
    return InstanceLockResult::HeldByRunningCopy;
  }
  return InstanceLockResult::Unusable;
}

RuntimeFolder MakePrivateFolder(const QString& path) {
  const QByteArray local = LocalName(path);
  if (::mkdir(local.constData(), S_IRWXU) != 0 && errno != EEXIST) {
    return {{},
            QStringLiteral("%1 cannot be made (%2)")
                .arg(path, QString::fromLocal8Bit(std::strerror(errno)))};
  }
  struct stat status {};
  if (::lstat(local.constData(), &status) != 0) {
    return {{},
            QStringLiteral("%1 cannot be looked at (%2)")
                .arg(path, QString::fromLocal8Bit(std::strerror(errno)))};
  }
  if (S_ISLNK(status.st_mode)) {
    return {{}, QStringLiteral("%1 is a symbolic link, not a folder").arg(path)};
  }
  if (!S_ISDIR(status.st_mode)) {
    return {{}, QStringLiteral("%1 is not a folder").arg(path)};
  }
  if (status.st_uid != ::geteuid()) {
    return {{}, QStringLiteral("%1 belongs to another user").arg(path)};
  }
  if ((status.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
    return {{},
            QStringLiteral("%1 is open to other users (mode %2)")
                .arg(path)
                .arg(status.st_mode & 07777, 4, 8, QLatin1Char('0'))};
  }
  return {path, {}};
}

RuntimeFolder PrivateRuntimeFolder() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime)) {
    struct stat status {};
    if (::lstat(LocalName(runtime).constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
        status.st_uid == ::geteuid() && (status.st_mode & (S_IRWXG | S_IRWXO)) == 0) {
      return MakePrivateFolder(QDir(runtime).filePath(QStringLiteral("zodivane")));
    }
  }
  return MakePrivateFolder(
      QDir(QDir::tempPath()).filePath(QStringLiteral("zodivane-%1").arg(::geteuid())));
}

bool PeerIsThisUser(qintptr descriptor) {
  struct ucred peer {};
  socklen_t size = sizeof peer;
  if (descriptor < 0 ||
      ::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 ||
      size != sizeof peer) {
    return false;
  }
  return peer.uid == ::geteuid();
}

}  // namespace zodivane::ui
