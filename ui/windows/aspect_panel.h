// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's aspects beside the results: the triangular grid of aspect
// glyphs with the orb under each, the list (pair, aspect, orb, applying or
// separating) sortable by orb, and the patterns; below them the engine that
// cast the chart and its further points.
#pragma once

#include <QFont>
#include <QMargins>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>
#include <utility>
#include <vector>

#include "chart/chart_aspects.h"
#include "common/ephemeris_choice.h"
#include "common/extra_points.h"
#include "ui/sheet/aspect_marks.h"

class QHeaderView;
class QLabel;
class QTableWidget;
class QTableWidgetItem;
class QTreeWidget;

namespace zodivane::ui {

/// Which pairs an aspect grid holds.
enum class AspectGridShape {
  /// The pairs of one chart's eleven points, each once: a staircase of rows
  /// Moon to Asc under columns Sun to Pluto, the pair of row r and column c
  /// being points r + 1 and c, for c <= r; the corner above the stairs holds
  /// the key to the glyphs (lblAspectKey).
  Staircase,
  /// Every point of one chart (down) with every point of another (across).
  Square,
};

/// A grid of aspects between the eleven points, in chart order, headed by
/// the points' first three letters, every cell a glyph over its orb (drawn
/// by the grid: the glyph large, in its aspect's colour), shown whole
/// without scrolling; read-only, one cell selectable.
[[nodiscard]] QTableWidget* NewAspectGrid(const QString& objectName, const QString& accessibleName,
                                          AspectGridShape shape, QWidget* parent);

/// The cell of the pair of `a` and `b` (either order, not the same point)
/// in a staircase grid.
[[nodiscard]] QTableWidgetItem* StaircaseCell(const QTableWidget& grid, ChartPoint a, ChartPoint b);

/// Shows an aspect of `kind` and `orb` (degrees) in `cell`: its glyph over
/// its orb, the glyph in the aspect's colour.
void ShowAspectInCell(QTableWidgetItem& cell, AspectKind kind, double orb);

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

  /// Scales the panel with View's zoom: its type, the grid's cells and the
  /// points' rows, `factor` times their designed sizes.
  void SetZoom(double factor);
  /// The least height, in pixels, at which the panel shows everything but
  /// the list's rows when it is `width` pixels wide.
  [[nodiscard]] int MinimumHeightForWidth(int width) const;

 private:
  /// The designed sizes the zoom scales from, taken at the first zoom.
  struct Design {
    QMargins margins;
    int spacing = 0;
    std::vector<std::pair<QPointer<QWidget>, QFont>> fonts;
    std::vector<std::pair<QPointer<QHeaderView>, int>> sections;  ///< default section sizes
  };
  void TakeDesign();

  QTableWidget* grid_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QLabel* patterns_ = nullptr;
  QLabel* ephemeris_ = nullptr;
  QTableWidget* points_ = nullptr;
  std::optional<Design> design_;
  double zoom_ = 1.0;
};

}  // namespace zodivane::ui
