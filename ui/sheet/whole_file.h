// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a file whole or not at all.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace zodivane::ui {

/// Writes all of `bytes` to `path` through a QSaveFile, so that an existing
/// file is replaced only by a complete new one. Nothing when it worked, else
/// the system's reason; the old file is then left as it was.
[[nodiscard]] std::optional<QString> WriteWholeFile(const QString& path, QByteArrayView bytes);

}  // namespace zodivane::ui
