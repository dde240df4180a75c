// SPDX-License-Identifier: GPL-3.0-or-later
// The lock that marks a running copy of the program, the folder of this
// user's own that holds it and the hand-off socket beside it, and the check
// of who is at the other end of that socket.
#pragma once

#include <QString>
#include <QtGlobal>

class QLockFile;

namespace zodivane::ui {

/// What became of the attempt to take the running copy's lock.
enum class InstanceLockResult {
  Taken,              ///< this copy holds the lock now
  HeldByRunningCopy,  ///< another copy of the program runs: refuse to start
  Unusable,           ///< the lock cannot be taken (a folder full of files, a file of
                      ///< another user, a folder without write permission): start without it
};

/// Takes `lock` unless a running copy of the program holds it. Before
/// anything opens it, the lock's path is looked at without following a
/// link: a link, a FIFO, a socket, a device, a folder, a file larger than a
/// lock can be or another user's file is set aside (renamed to the lock's
/// name with ".bad" added, replacing an earlier one), and `setAside`, when
/// given, receives a line saying what it was and where it went; when it
/// cannot be moved, the lock is unusable and is never opened. A lock that
/// cannot be read (empty, garbage, no permission) and one naming a process
/// that has ended, or that now runs another program, is stale: it is removed
/// and taken. A lock written under another host name counts as this
/// machine's (the lock lives in a local folder), judged by its process. An
/// empty file name is unusable.
[[nodiscard]] InstanceLockResult TakeInstanceLock(QLockFile& lock, QString* setAside = nullptr);

/// The most bytes a lock can hold: a process number, a host and a name.
inline constexpr qint64 kMostLockBytes = 4096;

/// A folder for the lock and the socket, or why there is none.
struct RuntimeFolder {
  QString path;     ///< the folder, absolute; empty when refused
  QString problem;  ///< why it was refused; empty when `path` is set
};

/// Makes the folder `path` with mode 0700 when it is missing, and accepts
/// it only when `lstat` shows a folder (not a link to one) that belongs to
/// this user and that no one else may enter, read or write.
[[nodiscard]] RuntimeFolder MakePrivateFolder(const QString& path);

/// The folder of the lock and the socket: "zodivane" in $XDG_RUNTIME_DIR
/// when that is a folder of this user's own (mode 0700, not a link), else
/// "zodivane-UID" in the temporary folder ($TMPDIR or /tmp), each made and
/// checked by MakePrivateFolder. Never a shared folder itself: a folder of
/// that name that belongs to another user, is a link or is open to others
/// is refused, and the program then runs without the lock.
[[nodiscard]] RuntimeFolder PrivateRuntimeFolder();

/// Whether the process at the other end of the connected local socket
/// `descriptor` runs as this user (SO_PEERCRED); false when it cannot be told.
[[nodiscard]] bool PeerIsThisUser(qintptr descriptor);

}  // namespace zodivane::ui
