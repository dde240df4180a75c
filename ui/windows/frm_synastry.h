// SPDX-License-Identifier: GPL-3.0-or-later
// Chart > Compare With…: the aspects between two persons' charts (each of
// the first person's points to each of the second's), as a grid and as a
// list sortable by orb, under the user's aspects in use with synastry's
// orbs.
#pragma once

#include <QDialog>
#include <QString>

#include <optional>
#include <vector>

#include "aspects/aspects.h"
#include "chartfile/compared_chart.h"
#include "ui/platform/platform.h"
#include "ui/sheet/bi_wheel.h"
#include "ui/sheet/synastry_sheet.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace zodivane::ui {

/// One person of a comparison: the chart and its points as the aspect
/// search reads them.
using SynastryPerson = chartfile::ComparedChart;

/// The services the synastry window uses; all outlive it.
struct SynastryServices {
  MessageBoxes& messages;
  SaveFileDialog& saveDialog;
  PrintDialog& printDialog;
};

/// How an aspect between two persons reads aloud: "ASHA's Sun square
/// ANNA's Moon, orb 2 degrees 14 minutes, applying" (", out of sign" added
/// when it is).
[[nodiscard]] QString SynastrySpeech(const CrossAspect& aspect, const QString& firstName,
                                     const QString& secondName);

class frmSynastry final : public QDialog {
  Q_OBJECT

 public:
  /// The comparison of `first` (down the grid) with `second` (across) under
  /// the aspects in use of `settings` (SynastrySettings gives the orbs).
  frmSynastry(SynastryPerson first, SynastryPerson second, const AspectSettings& settings,
              SynastryServices services, QWidget* parent = nullptr);

  /// The aspects the window shows, in the order SynastryAspects gives.
  [[nodiscard]] const std::vector<CrossAspect>& Aspects() const noexcept { return aspects_; }
  [[nodiscard]] const SynastryPerson& First() const noexcept { return first_; }
  [[nodiscard]] const SynastryPerson& Second() const noexcept { return second_; }
  /// What Export… and Print… put on paper.
  [[nodiscard]] SynastrySheet Sheet() const;

 public slots:
  /// Export…: the synastry sheet to a PDF, PNG or SVG file. True when written.
  bool cmdExport_Click();
  /// Print…: the synastry sheet on a printer. True when printed.
  bool cmdPrint_Click();

 private:
  SynastryPerson first_;
  SynastryPerson second_;
  SynastryServices services_;
  std::vector<CrossAspect> aspects_;
  QTableWidget* grid_ = nullptr;
  QTableWidget* list_ = nullptr;
};

}  // namespace zodivane::ui
