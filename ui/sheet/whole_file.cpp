// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sheet/whole_file.h"

#include <QFile>

#include <string>

#include "common/safe_file.h"

namespace zodivane::ui {

std::optional<QString> WriteWholeFile(const QString& path, QByteArrayView bytes) {
  // The rule of every writer: regular files only, whole or not at all, the
  // old file's mode kept, links followed to their file.
  const QByteArray local = QFile::encodeName(path);
  const std::optional<std::string> failure =
      ReplaceRegularFile(std::string(local.constData(), static_cast<std::size_t>(local.size())),
                         std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size())));
  if (!failure) {
    return std::nullopt;
  }
  return QString::fromLocal8Bit(failure->data(), static_cast<qsizetype>(failure->size()));
}

}  // namespace zodivane::ui
