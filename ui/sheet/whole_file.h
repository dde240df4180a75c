// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a file whole or not at all.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace zodivane::ui {

/// Writes all of `bytes` to `path` by the rule of every writer of both
/// programs (ReplaceRegularFile, common/safe_file.h): regular files only, a
/// link followed to its file, the old file's mode kept, and an existing file
/// replaced only by a complete new one, renamed over it. Nothing when it
/// worked, else the system's reason; the old file is then left as it was.
[[nodiscard]] std::optional<QString> WriteWholeFile(const QString& path, QByteArrayView bytes);

}  // namespace zodivane::ui
