// SPDX-License-Identifier: GPL-3.0-or-later
// The system's reading tools (pdftotext and the like), for reading back what
// a window wrote; a test skips its check when the tool is not installed.
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <optional>

namespace zodivane::ui::testing {

/// Output of a reading tool, or none when the tool is missing or fails.
inline std::optional<QString> RunTool(const QString& tool, const QStringList& arguments) {
  if (QStandardPaths::findExecutable(tool).isEmpty()) {
    return std::nullopt;
  }
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) {
    return std::nullopt;
  }
  return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace zodivane::ui::testing
