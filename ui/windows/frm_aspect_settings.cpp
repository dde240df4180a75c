// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/frm_aspect_settings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstddef>
#include <optional>
#include <string>

#include "ephemeris/swiss_ephemeris.h"
#include "ui/look/look.h"

namespace zodivane::ui {

frmAspectSettings::frmAspectSettings(const AspectSettings& current, QWidget* parent,
                                     Ephemeris ephemeris)
    : QDialog(parent) {
  setObjectName(QStringLiteral("frmAspectSettings"));
  setWindowTitle(QStringLiteral("Aspect Settings"));
  setFont(look::VerdanaFont(look::points::kBody));
  auto* column = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Aspect"), this), 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("Orb (degrees)"), this), 0, 1);
  for (std::size_t kind = 0; kind < kAspectKinds.size(); ++kind) {
    const QString name = look::FromUtf8(kAspectKinds[kind].name);
    QString caption = name;
    caption[0] = caption[0].toUpper();
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(QStringLiteral("chkAspect_") + name);
    auto* orb = new QDoubleSpinBox(this);
    orb->setObjectName(QStringLiteral("spnOrb_") + name);
    orb->setRange(0.0, kLargestOrb);
    orb->setDecimals(2);
    orb->setSingleStep(0.5);
    orb->setSuffix(QStringLiteral("\u00B0"));
    orb->setAccessibleName(caption + QStringLiteral(" orb in degrees"));
    const int row = static_cast<int>(kind) + 1;
    grid->addWidget(box, row, 0);
    grid->addWidget(orb, row, 1);
    inUse_[kind] = box;
    orbs_[kind] = orb;
  }
  column->addLayout(grid);
  outOfSign_ =
      new QCheckBox(QStringLiteral("Count aspects &across a sign boundary (out of sign)"), this);
  outOfSign_->setObjectName(QStringLiteral("chkOutOfSign"));
  column->addWidget(outOfSign_);
  column->addWidget(
      new QLabel(QStringLiteral("The Sun and the Moon each widen an orb by 1\u00B0."), this));

  // The engine that places the points of the next chart (and recasts this one).
  auto* positions = new QGroupBox(QStringLiteral("Positions"), this);
  positions->setObjectName(QStringLiteral("grpPositions"));
  auto* engines = new QVBoxLayout(positions);
  for (int index = 0; index < kEphemerisCount; ++index) {
    const auto engine = static_cast<Ephemeris>(index);
    auto* option = new QRadioButton(look::FromUtf8(EphemerisDisplayName(engine)), positions);
    option->setObjectName(QStringLiteral("optEphemeris_") + look::FromUtf8(EphemerisName(engine)));
    engines->addWidget(option);
    engines_[static_cast<std::size_t>(index)] = option;
  }
  QRadioButton* swiss = engines_[static_cast<std::size_t>(Ephemeris::Swiss)];
  if (const std::optional<std::string> problem = SwissEphemerisProblem()) {
    swiss->setEnabled(false);
    swiss->setToolTip(QString::fromStdString(*problem));
    ephemeris = Ephemeris::BuiltIn;
  }
  engines_[static_cast<std::size_t>(ephemeris)]->setChecked(true);
  column->addWidget(positions);

  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults, this);
  QPushButton* reset = buttons->button(QDialogButtonBox::RestoreDefaults);
  reset->setText(QStringLiteral("&Reset"));
  reset->setObjectName(QStringLiteral("cmdReset"));
  connect(reset, &QPushButton::clicked, this, [this] { Show(DefaultAspectSettings()); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  column->addWidget(buttons);
  Show(current);
}

void frmAspectSettings::Show(const AspectSettings& settings) {
  for (std::size_t kind = 0; kind < kAspectKinds.size(); ++kind) {
    inUse_[kind]->setChecked(settings.inUse[kind]);
    orbs_[kind]->setValue(settings.orbs[kind]);
  }
  outOfSign_->setChecked(settings.outOfSign);
}

Ephemeris frmAspectSettings::ChosenEphemeris() const {
  for (int index = 0; index < kEphemerisCount; ++index) {
    if (engines_[static_cast<std::size_t>(index)]->isChecked()) {
      return static_cast<Ephemeris>(index);
    }
  }
  return Ephemeris::BuiltIn;
}

void frmAspectSettings::FocusEphemeris() {
  engines_[static_cast<std::size_t>(ChosenEphemeris())]->setFocus(Qt::OtherFocusReason);
}

AspectSettings frmAspectSettings::Settings() const {
  AspectSettings settings;
  for (std::size_t kind = 0; kind < kAspectKinds.size(); ++kind) {
    settings.inUse[kind] = inUse_[kind]->isChecked();
    settings.orbs[kind] = orbs_[kind]->value();
  }
  settings.outOfSign = outOfSign_->isChecked();
  return settings;
}

}  // namespace zodivane::ui
