// SPDX-License-Identifier: GPL-3.0-or-later
// Chart > Aspect Settings…: which aspects are looked for and their orbs,
// with Reset to the defaults.
#pragma once

#include <QDialog>
#include <QString>

#include <array>

#include "aspects/aspects.h"

class QCheckBox;
class QDoubleSpinBox;

namespace zodivane::ui {

/// The settings key of the aspects in use and their orbs (section
/// "Aspects"), as AspectSettingsText writes them.
inline const QString kAspectSettingsKey = QStringLiteral("Aspects/Settings");

class frmAspectSettings final : public QDialog {
  Q_OBJECT

 public:
  /// Opens on `current`.
  explicit frmAspectSettings(const AspectSettings& current, QWidget* parent = nullptr);

  /// The settings as the controls hold them now.
  [[nodiscard]] AspectSettings Settings() const;
  /// Sets every control to `settings`.
  void Show(const AspectSettings& settings);

 private:
  std::array<QCheckBox*, kAspectKindCount> inUse_{};
  std::array<QDoubleSpinBox*, kAspectKindCount> orbs_{};
  QCheckBox* outOfSign_ = nullptr;
};

}  // namespace zodivane::ui
