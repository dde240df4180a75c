// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's aspects beside the results: the triangular grid of aspect
// glyphs with the orb under each, the list (pair, aspect, orb, applying or
// separating) sortable by orb, and the patterns; below them the engine that
// cast the chart and its further points.
#pragma once

#include <QString>
#include <QWidget>

#include "chart/chart_aspects.h"
#include "common/ephemeris_choice.h"
#include "common/extra_points.h"
#include "ui/sheet/aspect_marks.h"

class QLabel;
class QTableWidget;
class QTreeWidget;

namespace zodivane::ui {

/// A grid of aspects between the eleven points, rows and columns in chart
/// order headed by the points' first three letters, every cell a glyph over
/// its orb, shown whole without scrolling; read-only, one cell selectable.
[[nodiscard]] QTableWidget* NewAspectGrid(const QString& objectName, const QString& accessibleName,
                                          QWidget* parent);

/// How an aspect reads aloud: "Sun square Moon, orb 2 degrees 14 minutes,
/// applying" (", out of sign" added when it is).
[[nodiscard]] QString AspectSpeech(const Aspect& aspect);

class AspectPanel final : public QWidget {
  Q_OBJECT

 public:
  explicit AspectPanel(QWidget* parent = nullptr);

  /// Shows `aspects` in the grid and the list and names the patterns.
  void ShowAspects(const ChartAspects& aspects);
  /// Names the engine that cast the chart and lists its further points (the
  /// short text, or "not available").
  void ShowPoints(Ephemeris ephemeris, const ChartPoints& points);

 private:
  QTableWidget* grid_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QLabel* patterns_ = nullptr;
  QLabel* ephemeris_ = nullptr;
  QTableWidget* points_ = nullptr;
};

}  // namespace zodivane::ui
