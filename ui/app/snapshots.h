// SPDX-License-Identifier: GPL-3.0-or-later
// The program's hidden options for the documentation and the measurements:
// pictures of every window with a sample birth, and the start-up and Proceed
// times. Both run on settings of their own that last one run.
#pragma once

#include <QString>

#include <map>
#include <optional>

#include "ui/platform/platform.h"

class QDir;
class QElapsedTimer;

namespace zodivane::ui {

class Shell;

/// A settings store that keeps its values for one run only (screenshots
/// must not touch the user's reminder date).
class MemorySettingsStore final : public SettingsStore {
 public:
  std::optional<QString> Read(const QString& key) override {
    const auto found = values_.find(key);
    return found == values_.end() ? std::nullopt : std::optional<QString>(found->second);
  }
  void Write(const QString& key, const QString& value) override { values_[key] = value; }

 private:
  std::map<QString, QString> values_;
};

/// Fills the input form with a sample birth, saves pictures of the input
/// form, the about box, the main window with the result and the report
/// window into `folder`, and ends the program.
void TakeScreenshots(Shell& shell, const QDir& folder);

/// Once the input form is first painted: prints the time from the process's
/// start and from `sinceMain`, times a Proceed with a sample birth to the
/// results shown, prints it with the peak memory, and ends the program.
void MeasureOnceShown(Shell& shell, const QElapsedTimer& sinceMain);

}  // namespace zodivane::ui
