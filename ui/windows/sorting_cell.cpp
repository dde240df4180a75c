// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/sorting_cell.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QTableView>
#include <QTreeView>

namespace zodivane::ui {
namespace {

QHeaderView* HeaderOf(QAbstractItemView& view) {
  if (auto* table = qobject_cast<QTableView*>(&view)) {
    return table->horizontalHeader();
  }
  if (auto* tree = qobject_cast<QTreeView*>(&view)) {
    return tree->header();
  }
  return nullptr;
}

void SortBy(QAbstractItemView& view, int column, Qt::SortOrder order) {
  if (auto* table = qobject_cast<QTableView*>(&view)) {
    table->sortByColumn(column, order);
  } else if (auto* tree = qobject_cast<QTreeView*>(&view)) {
    tree->sortByColumn(column, order);
  }
}

/// Opens the sort menu on Shift+F10, which Qt does not turn into a context
/// menu by itself; the Menu key and a right click come as one.
class SortMenuKeys final : public QObject {
 public:
  explicit SortMenuKeys(QAbstractItemView& view) : QObject(&view), view_(view) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &view_ && event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) {
        const QModelIndex current = view_.currentIndex();
        const QPoint at = current.isValid() ? view_.visualRect(current).center() : QPoint(4, 4);
        ShowSortMenu(view_, at);
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QAbstractItemView& view_;
};

}  // namespace

void EnableSortMenu(QAbstractItemView& view) {
  view.setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(&view, &QWidget::customContextMenuRequested, &view,
                   [&view](const QPoint& at) { ShowSortMenu(view, at); });
  view.installEventFilter(new SortMenuKeys(view));
}

QMenu* ShowSortMenu(QAbstractItemView& view, const QPoint& at) {
  QHeaderView* header = HeaderOf(view);
  QAbstractItemModel* model = view.model();
  auto* menu = new QMenu(&view);
  menu->setObjectName(QStringLiteral("mnuSortBy"));
  menu->setTitle(QStringLiteral("Sort by"));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  if (header == nullptr || model == nullptr) {
    return menu;
  }
  const int sorted = header->sortIndicatorSection();
  for (int column = 0; column < model->columnCount(); ++column) {
    const QString title = model->headerData(column, Qt::Horizontal).toString();
    QAction* action = menu->addAction(QStringLiteral("Sort by ") + title);
    action->setCheckable(true);
    action->setChecked(column == sorted);
    QObject::connect(action, &QAction::triggered, &view,
                     [&view, column] { SortBy(view, column, Qt::AscendingOrder); });
  }
  menu->addSeparator();
  QAction* reverse = menu->addAction(QStringLiteral("Reverse Order"));
  QObject::connect(reverse, &QAction::triggered, &view, [&view, header] {
    SortBy(view, header->sortIndicatorSection(),
           header->sortIndicatorOrder() == Qt::AscendingOrder ? Qt::DescendingOrder
                                                              : Qt::AscendingOrder);
  });
  menu->popup(view.viewport()->mapToGlobal(at));
  return menu;
}

}  // namespace zodivane::ui
