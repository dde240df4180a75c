// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's aspects beside the results: the triangular grid of aspect
// glyphs with the orb under each, the list (pair, aspect, orb, applying or
// separating) sortable by orb, and the patterns.
#pragma once

#include <QString>
#include <QWidget>

#include "chart/chart_aspects.h"
#include "ui/sheet/aspect_marks.h"

class QLabel;
class QTableWidget;
class QTreeWidget;

namespace zodivane::ui {

/// How an aspect reads aloud: "Sun square Moon, orb 2 degrees 14 minutes,
/// applying" (", out of sign" added when it is).
[[nodiscard]] QString AspectSpeech(const Aspect& aspect);

class AspectPanel final : public QWidget {
  Q_OBJECT

 public:
  explicit AspectPanel(QWidget* parent = nullptr);

  /// Shows `aspects` in the grid and the list and names the patterns.
  void ShowAspects(const ChartAspects& aspects);

 private:
  QTableWidget* grid_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QLabel* patterns_ = nullptr;
};

}  // namespace zodivane::ui
