// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/aspect_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cstddef>
#include <string>

#include "aspects/aspect_report.h"
#include "ephemeris/planets.h"
#include "ui/look/look.h"
#include "ui/sheet/aspect_marks.h"

namespace zodivane::ui {
namespace {

using look::FromUtf8;

constexpr int kCellWidth = 36;   ///< pixels
constexpr int kCellHeight = 30;  ///< pixels: the glyph over the orb

/// A list row that sorts its orb column by the orb, not by the text.
class AspectItem final : public QTreeWidgetItem {
 public:
  using QTreeWidgetItem::QTreeWidgetItem;
  bool operator<(const QTreeWidgetItem& other) const override {
    const int column = treeWidget() != nullptr ? treeWidget()->sortColumn() : 0;
    if (column == kOrbColumn) {
      return data(kOrbColumn, Qt::UserRole).toDouble() <
             other.data(kOrbColumn, Qt::UserRole).toDouble();
    }
    return QTreeWidgetItem::operator<(other);
  }
  static constexpr int kOrbColumn = 2;
};

}  // namespace

QString AspectSpeech(const Aspect& aspect) {
  const OrbParts orb = OrbPartsOf(aspect.orb);
  QString speech =
      FromUtf8(AspectPointName(aspect.a)) + QLatin1Char(' ') + FromUtf8(InfoOf(aspect.kind).name) +
      QLatin1Char(' ') + FromUtf8(AspectPointName(aspect.b)) + QStringLiteral(", orb ") +
      look::CountText(orb.degrees, "degree") + QLatin1Char(' ') +
      look::CountText(orb.minutes, "minute") +
      (aspect.applying ? QStringLiteral(", applying") : QStringLiteral(", separating"));
  if (aspect.outOfSign) {
    speech += QStringLiteral(", out of sign");
  }
  return speech;
}

QTableWidget* NewAspectGrid(const QString& objectName, const QString& accessibleName,
                            QWidget* parent) {
  auto* grid = new QTableWidget(kChartPointCount, kChartPointCount, parent);
  grid->setObjectName(objectName);
  grid->setAccessibleName(accessibleName);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setTabKeyNavigation(false);
  grid->setFont(look::VerdanaFont(look::points::kNote));
  // The headings: each point's first three letters, in chart order.
  QStringList headings;
  for (const std::string_view name : kChartPointNames) {
    headings.append(FromUtf8(name).left(3));
  }
  grid->setHorizontalHeaderLabels(headings);
  grid->setVerticalHeaderLabels(headings);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->horizontalHeader()->setDefaultSectionSize(kCellWidth);
  grid->verticalHeader()->setDefaultSectionSize(kCellHeight);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The whole grid shows at once.
  grid->setFixedSize(grid->verticalHeader()->sizeHint().width() + kChartPointCount * kCellWidth +
                         2 * grid->frameWidth(),
                     grid->horizontalHeader()->sizeHint().height() +
                         kChartPointCount * kCellHeight + 2 * grid->frameWidth());
  return grid;
}

AspectPanel::AspectPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("AspectPanel"));
  setFont(look::VerdanaFont(look::points::kBody));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(6, 6, 6, 6);

  auto* gridCaption = new QLabel(QStringLiteral("&Aspect grid"), this);
  gridCaption->setFont(look::VerdanaFont(look::points::kBody, true));
  column->addWidget(gridCaption);
  grid_ = NewAspectGrid(QStringLiteral("grdAspects"), QStringLiteral("Aspect grid"), this);
  gridCaption->setBuddy(grid_);
  column->addWidget(grid_);

  auto* listCaption = new QLabel(QStringLiteral("Aspect &list"), this);
  listCaption->setFont(look::VerdanaFont(look::points::kBody, true));
  column->addWidget(listCaption);
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("lstAspects"));
  list_->setAccessibleName(QStringLiteral("Aspect list"));
  list_->setRootIsDecorated(false);
  list_->setHeaderLabels({QStringLiteral("Pair"), QStringLiteral("Aspect"), QStringLiteral("Orb"),
                          QStringLiteral("A/S")});
  list_->setSortingEnabled(true);
  listCaption->setBuddy(list_);
  column->addWidget(list_, 1);

  patterns_ = new QLabel(this);
  patterns_->setObjectName(QStringLiteral("lblPatterns"));
  patterns_->setWordWrap(true);
  patterns_->setTextFormat(Qt::PlainText);
  // A label is read by its text: the patterns themselves, never only a caption.
  patterns_->setText(QStringLiteral("No patterns."));
  column->addWidget(patterns_);

  ephemeris_ = new QLabel(this);
  ephemeris_->setObjectName(QStringLiteral("lblEphemeris"));
  ephemeris_->setTextFormat(Qt::PlainText);
  column->addWidget(ephemeris_);

  auto* pointsCaption = new QLabel(QStringLiteral("Further &points"), this);
  pointsCaption->setFont(look::VerdanaFont(look::points::kBody, true));
  column->addWidget(pointsCaption);
  points_ = new QTableWidget(kExtraPointCount, 1, this);
  points_->setObjectName(QStringLiteral("tblPoints"));
  points_->setAccessibleName(QStringLiteral("Further points"));
  points_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  points_->setTabKeyNavigation(false);
  points_->horizontalHeader()->hide();
  points_->horizontalHeader()->setStretchLastSection(true);
  points_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  points_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  points_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QStringList names;
  for (const ExtraPointInfo& info : kExtraPoints) {
    names.append(FromUtf8(info.name));
  }
  points_->setVerticalHeaderLabels(names);
  points_->setFixedHeight(kExtraPointCount * points_->verticalHeader()->defaultSectionSize() +
                          2 * points_->frameWidth());
  pointsCaption->setBuddy(points_);
  column->addWidget(points_);
  ShowPoints(Ephemeris::BuiltIn, ChartPoints{});
}

void AspectPanel::ShowPoints(Ephemeris ephemeris, const ChartPoints& points) {
  ephemeris_->setText(QStringLiteral("Positions: ") + FromUtf8(EphemerisDisplayName(ephemeris)));
  for (int row = 0; row < kExtraPointCount; ++row) {
    const auto point = static_cast<ExtraPoint>(row);
    const std::optional<PointPosition>& position = points[point];
    const QString text = position ? QString::fromStdString(ShortPositionTextOf(position->longitude))
                                  : QStringLiteral("not available");
    auto* cell = new QTableWidgetItem(text);
    cell->setData(Qt::AccessibleTextRole,
                  FromUtf8(InfoOf(point).name) + QStringLiteral(": ") + text);
    points_->setItem(row, 0, cell);
  }
}

void AspectPanel::ShowAspects(const ChartAspects& aspects) {
  grid_->clearContents();
  // The lower triangle holds the pairs; the diagonal and above stay blank.
  for (int row = 0; row < kChartPointCount; ++row) {
    for (int col = 0; col < kChartPointCount; ++col) {
      auto* cell = new QTableWidgetItem;
      cell->setTextAlignment(Qt::AlignCenter);
      if (col < row) {
        cell->setData(Qt::AccessibleTextRole,
                      FromUtf8(AspectPointName(static_cast<ChartPoint>(col))) +
                          QStringLiteral(" and ") +
                          FromUtf8(AspectPointName(static_cast<ChartPoint>(row))) +
                          QStringLiteral(": no aspect"));
      } else {
        cell->setFlags(Qt::NoItemFlags);
      }
      grid_->setItem(row, col, cell);
    }
  }
  list_->setSortingEnabled(false);
  list_->clear();
  for (const Aspect& aspect : aspects.aspects) {
    const int first = static_cast<int>(aspect.a);
    const int second = static_cast<int>(aspect.b);
    QTableWidgetItem* cell = grid_->item(std::max(first, second), std::min(first, second));
    cell->setText(AspectGlyph(aspect.kind) + QLatin1Char('\n') + OrbText(aspect.orb));
    cell->setData(Qt::AccessibleTextRole, AspectSpeech(aspect));
    cell->setToolTip(AspectSpeech(aspect));

    auto* item = new AspectItem(list_);
    item->setText(0, FromUtf8(AspectPointName(aspect.a)) + QStringLiteral(" \u2013 ") +
                         FromUtf8(AspectPointName(aspect.b)));
    item->setText(1, FromUtf8(InfoOf(aspect.kind).name));
    item->setText(AspectItem::kOrbColumn, OrbText(aspect.orb));
    item->setData(AspectItem::kOrbColumn, Qt::UserRole, aspect.orb);
    item->setText(3, aspect.applying ? QStringLiteral("A") : QStringLiteral("S"));
    for (int column = 0; column < 4; ++column) {
      item->setData(column, Qt::AccessibleTextRole, AspectSpeech(aspect));
    }
  }
  list_->setSortingEnabled(true);
  list_->sortByColumn(AspectItem::kOrbColumn, Qt::AscendingOrder);
  for (int column = 0; column < 4; ++column) {
    list_->resizeColumnToContents(column);
  }
  QStringList patterns;
  for (const Pattern& pattern : aspects.patterns) {
    patterns.append(FromUtf8(PatternLine(pattern)));
  }
  patterns_->setText(patterns.isEmpty()
                         ? QStringLiteral("No patterns.")
                         : QStringLiteral("Patterns: ") + patterns.join(QStringLiteral("; ")));
}

}  // namespace zodivane::ui
