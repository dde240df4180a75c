// SPDX-License-Identifier: GPL-3.0-or-later
// The system's reading tools (pdftotext and the like), for reading back what
// a window wrote; a test skips its check when the tool is not installed.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

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

/// What is wrong with `xml` as an XML document: Qt's stream reader's error,
/// then xmllint's complaints where it is installed (libxml2-utils; librsvg
/// and the browsers read SVG through the same rules). Empty when both
/// accept it.
inline QString XmlProblems(const QByteArray& xml) {
  QXmlStreamReader reader(xml);
  while (!reader.atEnd()) {
    reader.readNext();
  }
  if (reader.hasError()) {
    return QStringLiteral("QXmlStreamReader: line %1: %2")
        .arg(reader.lineNumber())
        .arg(reader.errorString());
  }
  if (QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty()) {
    return {};
  }
  QProcess process;
  process.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("-")});
  process.write(xml);
  process.closeWriteChannel();
  if (!process.waitForFinished(60000)) {
    return QStringLiteral("xmllint did not finish");
  }
  if (process.exitCode() != 0) {
    return QStringLiteral("xmllint: ") + QString::fromUtf8(process.readAllStandardError());
  }
  return {};
}

/// The text of the first element named `name` in `xml` ("title" of an SVG).
inline QString XmlElementText(const QByteArray& xml, QStringView name) {
  QXmlStreamReader reader(xml);
  while (!reader.atEnd()) {
    if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == name) {
      return reader.readElementText(QXmlStreamReader::IncludeChildElements);
    }
  }
  return {};
}

}  // namespace zodivane::ui::testing
