// SPDX-License-Identifier: GPL-3.0-or-later
// The lock that marks a running copy of the program.
#pragma once

class QLockFile;

namespace zodivane::ui {

/// What became of the attempt to take the running copy's lock.
enum class InstanceLockResult {
  Taken,              ///< this copy holds the lock now
  HeldByRunningCopy,  ///< another copy of the program runs: refuse to start
  Unusable,           ///< the lock cannot be taken (a folder full of files, a file of
                      ///< another user, a folder without write permission): start without it
};

/// Takes `lock` unless a running copy of the program holds it. A lock that
/// cannot be read (empty, garbage, a folder, no permission) and one naming a
/// process that has ended, or that now runs another program, is stale: it
/// is removed and taken. A lock written under another host name counts as
/// this machine's (the lock lives in a local folder), judged by its process.
[[nodiscard]] InstanceLockResult TakeInstanceLock(QLockFile& lock);

}  // namespace zodivane::ui
