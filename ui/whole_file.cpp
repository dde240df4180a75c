// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/whole_file.h"

#include <QSaveFile>

namespace zodivane::ui {

std::optional<QString> WriteWholeFile(const QString& path, QByteArrayView bytes) {
  QSaveFile file(path);
  // Unbuffered, so that a short write (a full disk, a file size limit) is
  // seen here and the next write reports the system's reason.
  bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
  qint64 done = 0;
  while (written && done < bytes.size()) {
    const qint64 step = file.write(bytes.data() + done, bytes.size() - done);
    written = step > 0;
    done += written ? step : 0;
  }
  written = written && file.commit();
  if (written) {
    return std::nullopt;
  }
  const QString reason = file.errorString();
  file.cancelWriting();
  return reason;
}

}  // namespace zodivane::ui
