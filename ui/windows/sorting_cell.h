// SPDX-License-Identifier: GPL-3.0-or-later
// The order of the program's sortable lists: cells that sort by the number
// they keep rather than by their text (an orb, a moment, a point's place in
// the chart's order, an aspect's angle), the keys of those numbers, and the
// menu that sorts a list from the keyboard.
#pragma once

#include <QString>
#include <QTableWidgetItem>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <QVariant>

#include <cstddef>

#include "aspects/aspects.h"

class QAbstractItemView;
class QMenu;
class QPoint;

namespace zodivane::ui {

/// A cell that sorts by the number it keeps in Qt::UserRole where both cells
/// compared keep one, else by its text.
class SortingCell : public QTableWidgetItem {
 public:
  using QTableWidgetItem::QTableWidgetItem;
  bool operator<(const QTableWidgetItem& other) const override {
    const QVariant mine = data(Qt::UserRole);
    const QVariant theirs = other.data(Qt::UserRole);
    if (mine.isValid() && theirs.isValid()) {
      return mine.toDouble() < theirs.toDouble();
    }
    return QTableWidgetItem::operator<(other);
  }
};

/// The same, read only: enabled and selectable, never edited.
class ReadOnlySortingCell final : public SortingCell {
 public:
  explicit ReadOnlySortingCell(const QString& text) : SortingCell(text) {
    setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  }
};

/// A row of a tree list that sorts each column as SortingCell does: by the
/// numbers of that column's Qt::UserRole where both rows keep one.
class SortingTreeItem : public QTreeWidgetItem {
 public:
  using QTreeWidgetItem::QTreeWidgetItem;
  bool operator<(const QTreeWidgetItem& other) const override {
    const int column = treeWidget() != nullptr ? treeWidget()->sortColumn() : 0;
    const QVariant mine = data(column, Qt::UserRole);
    const QVariant theirs = other.data(column, Qt::UserRole);
    if (mine.isValid() && theirs.isValid()) {
      return mine.toDouble() < theirs.toDouble();
    }
    return QTreeWidgetItem::operator<(other);
  }
};

/// The sort key of a chart point: its place in the chart's order (Sun, Moon,
/// Mercury .. Pluto, Ascendant, then any further points), `index` being a
/// ChartPoint or natal-list index.
[[nodiscard]] inline double PointSortKey(std::size_t index) noexcept {
  return static_cast<double>(index);
}

/// The sort key of a pair of points: by the first, then the second.
[[nodiscard]] inline double PairSortKey(std::size_t first, std::size_t second) noexcept {
  constexpr double kPointsPerRow = 64.0;
  return static_cast<double>(first) * kPointsPerRow + static_cast<double>(second);
}

/// The sort key of an aspect: its angle, degrees (conjunction 0 first,
/// opposition 180 last).
[[nodiscard]] inline double AspectSortKey(AspectKind kind) noexcept {
  return InfoOf(kind).angle;
}

/// Lets `view` (a table or a tree list with sorting on) be sorted from the
/// keyboard: Shift+F10 or the Menu key (and a right click) open the menu
/// "mnuSortBy", one item for each column ("Sort by Orb", the column sorted
/// by checked) and "Reverse Order".
void EnableSortMenu(QAbstractItemView& view);

/// Opens that menu at `at` (in `view`'s viewport) and returns it; it
/// deletes itself when closed.
QMenu* ShowSortMenu(QAbstractItemView& view, const QPoint& at);

}  // namespace zodivane::ui
