// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/instance_lock.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QString>

#include <signal.h>

#include <cerrno>

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
  // A lock holds a process number, a host and a name: a few dozen bytes.
  // A larger one is no lock of ours, and is not read.
  constexpr qint64 kMostLockBytes = 4096;
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

}  // namespace

InstanceLockResult TakeInstanceLock(QLockFile& lock) {
  if (lock.tryLock(0)) {
    return InstanceLockResult::Taken;
  }
  if (lock.error() != QLockFile::LockFailedError) {
    return InstanceLockResult::Unusable;
  }
  if (HolderRuns(lock)) {
    return InstanceLockResult::HeldByRunningCopy;
  }
  RemoveStaleLock(lock, lock.fileName());
  if (lock.tryLock(0)) {
    return InstanceLockResult::Taken;
  }
  // Another copy may have taken it between the removal and this attempt.
  if (lock.error() == QLockFile::LockFailedError && HolderRuns(lock)) {
    return InstanceLockResult::HeldByRunningCopy;
  }
  return InstanceLockResult::Unusable;
}

}  // namespace zodivane::ui
