// SPDX-License-Identifier: GPL-3.0-or-later
// Table cells that sort by the number they keep rather than by their text:
// an orb, a moment.
#pragma once

#include <QString>
#include <QTableWidgetItem>
#include <QVariant>

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

}  // namespace zodivane::ui
