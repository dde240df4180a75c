// SPDX-License-Identifier: GPL-3.0-or-later
// Chart > Aspect Settings…: which aspects are looked for and their orbs,
// with Reset to the defaults, and the engine that places the points.
#pragma once

#include <QDialog>
#include <QString>

#include <array>

#include "aspects/aspects.h"
#include "common/ephemeris_choice.h"

class QCheckBox;
class QDoubleSpinBox;
class QRadioButton;

namespace zodivane::ui {

/// The settings key of the aspects in use and their orbs (section
/// "Aspects"), as AspectSettingsText writes them.
inline const QString kAspectSettingsKey = QStringLiteral("Aspects/Settings");
/// The settings key of the engine the window casts with: its EphemerisName
/// ("builtin" or "swiss").
inline const QString kEphemerisKey = QStringLiteral("Chart/Ephemeris");

class frmAspectSettings final : public QDialog {
  Q_OBJECT

 public:
  /// Opens on `current` and the engine `ephemeris`. Swiss Ephemeris is
  /// disabled, its reason as the tooltip, when it cannot cast here.
  explicit frmAspectSettings(const AspectSettings& current, QWidget* parent = nullptr,
                             Ephemeris ephemeris = Ephemeris::BuiltIn);

  /// The settings as the controls hold them now.
  [[nodiscard]] AspectSettings Settings() const;
  /// Sets every control to `settings`.
  void Show(const AspectSettings& settings);
  /// The engine the group Positions holds now.
  [[nodiscard]] Ephemeris ChosenEphemeris() const;
  /// Gives the focus to the engine choice: the option of the group
  /// Positions that is checked.
  void FocusEphemeris();

 private:
  std::array<QCheckBox*, kAspectKindCount> inUse_{};
  std::array<QDoubleSpinBox*, kAspectKindCount> orbs_{};
  QCheckBox* outOfSign_ = nullptr;
  std::array<QRadioButton*, kEphemerisCount> engines_{};
};

}  // namespace zodivane::ui
