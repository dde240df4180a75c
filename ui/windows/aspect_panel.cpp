// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/aspect_panel.h"

#include <QApplication>
#include <QEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

#include "aspects/aspect_report.h"
#include "ephemeris/planets.h"
#include "ui/look/layout_zoom.h"
#include "ui/look/look.h"
#include "ui/sheet/aspect_marks.h"
#include "ui/windows/sorting_cell.h"

namespace zodivane::ui {
namespace {

using look::FromUtf8;

constexpr int kCellWidth = 36;   ///< pixels, square grid
constexpr int kCellHeight = 30;  ///< pixels: the glyph over the orb
constexpr int kStairWidth = 40;  ///< pixels, staircase grid
constexpr int kStairHeight = 34;
/// The glyph's type over the orb's, where the cell has room for it.
constexpr double kGlyphScale = 1.8;
const QColor kCellRule{205, 185, 165};  ///< the cells' edges, as on the sheet

/// Draws a grid's cells: the live ones edged, the glyph (first line of the
/// text) large in the cell's foreground colour over the orb (second line);
/// a cell that takes no part (above the stairs) stays blank.
class AspectCellDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    if ((index.flags() & Qt::ItemIsEnabled) == 0) {
      return;
    }
    // The selection's and the hover's shading, as the style draws it.
    const QStyle* style = option.widget != nullptr ? option.widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, painter, option.widget);
    painter->save();
    painter->setPen(kCellRule);
    painter->drawRect(QRectF(option.rect).adjusted(-0.5, -0.5, 0.5, 0.5));
    const QStringList lines = index.data(Qt::DisplayRole).toString().split(QLatin1Char('\n'));
    if (!lines.value(0).isEmpty()) {
      const QFont orbFont = option.font;
      const QFontMetricsF orbMetrics(orbFont);
      const QFont glyphFont = GlyphFont(option.font, option.rect.height() - orbMetrics.height());
      const QFontMetricsF glyphMetrics(glyphFont);
      const QRectF cell(option.rect);
      const double top =
          cell.top() + (cell.height() - glyphMetrics.height() - orbMetrics.height()) / 2.0;
      const QRectF glyphBox(cell.left(), top, cell.width(), glyphMetrics.height());
      const QRectF orbBox(cell.left(), glyphBox.bottom(), cell.width(), orbMetrics.height());
      const bool selected = (option.state & QStyle::State_Selected) != 0;
      const QVariant foreground = index.data(Qt::ForegroundRole);
      painter->setFont(glyphFont);
      painter->setPen(selected               ? option.palette.color(QPalette::HighlightedText)
                      : foreground.isValid() ? foreground.value<QBrush>().color()
                                             : option.palette.color(QPalette::Text));
      painter->drawText(glyphBox, Qt::AlignCenter, lines.value(0));
      painter->setFont(orbFont);
      painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
      painter->drawText(orbBox, Qt::AlignCenter, lines.value(1));
    }
    painter->restore();
  }

  /// The glyph's type: kGlyphScale times `base`, smaller where a cell's
  /// `room` (pixels above the orb) is less than its line.
  static QFont GlyphFont(const QFont& base, double room) {
    QFont font = base;
    const double basePixels = QFontInfo(base).pixelSize();
    for (double pixels = std::round(basePixels * kGlyphScale); pixels >= basePixels; --pixels) {
      font.setPixelSize(static_cast<int>(pixels));
      if (QFontMetricsF(font).height() <= room) {
        break;
      }
    }
    return font;
  }
};

/// The key to a staircase's glyphs, in the free corner above the stairs:
/// each aspect's glyph in its colour and its name, in two columns. Placed
/// again whenever the grid's cells change size.
class AspectKey final : public QLabel {
 public:
  explicit AspectKey(QTableWidget& grid) : QLabel(grid.viewport()), grid_(grid) {
    setObjectName(QStringLiteral("lblAspectKey"));
    setTextFormat(Qt::RichText);
    setAlignment(Qt::AlignRight | Qt::AlignTop);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    grid.viewport()->installEventFilter(this);
    connect(grid.horizontalHeader(), &QHeaderView::sectionResized, this, &AspectKey::Place);
    connect(grid.verticalHeader(), &QHeaderView::sectionResized, this, &AspectKey::Place);
    Fill();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == grid_.viewport() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
      Place();
    }
    return QLabel::eventFilter(watched, event);
  }

 protected:
  void changeEvent(QEvent* event) override {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
      Fill();
    }
  }

 private:
  void Fill() {
    QFont glyphFont = font();
    glyphFont.setPixelSize(static_cast<int>(std::round(QFontInfo(font()).pixelSize() * 1.4)));
    QString rows;
    constexpr int kColumns = 2;
    const int perColumn = (kAspectKindCount + kColumns - 1) / kColumns;
    for (int row = 0; row < perColumn; ++row) {
      rows += QStringLiteral("<tr>");
      for (int column = 0; column < kColumns; ++column) {
        const int kind = column * perColumn + row;
        if (kind >= kAspectKindCount) {
          rows += QStringLiteral("<td></td><td></td>");
          continue;
        }
        const auto aspect = static_cast<AspectKind>(kind);
        rows += QStringLiteral(
                    "<td align=\"center\" style=\"color:%1; font-size:%2px\">%3</td>"
                    "<td style=\"padding-right:4px\">%4</td>")
                    .arg(AspectColour(aspect).name())
                    .arg(glyphFont.pixelSize())
                    .arg(AspectGlyph(aspect, glyphFont).toHtmlEscaped(),
                         FromUtf8(InfoOf(aspect).name).toHtmlEscaped());
      }
      rows += QStringLiteral("</tr>");
    }
    setText(QStringLiteral("<table cellspacing=\"0\" cellpadding=\"1\">") + rows +
            QStringLiteral("</table>"));
    Place();
  }

  /// The key in the top right corner, from the leftmost column whose rows
  /// above the stairs hold it: as high in the corner as it fits.
  void Place() {
    const QSize needed = sizeHint();
    const int columns = grid_.columnCount();
    int first = columns - 1;
    for (int column = 1; column < columns; ++column) {
      const int width = grid_.columnViewportPosition(columns - 1) + grid_.columnWidth(columns - 1) -
                        grid_.columnViewportPosition(column);
      const int height = grid_.rowViewportPosition(column - 1) + grid_.rowHeight(column - 1);
      if (width >= needed.width() + 2 && height >= needed.height() + 2) {
        first = column;
        break;
      }
    }
    const int left = grid_.columnViewportPosition(first) + 2;
    const int right = grid_.columnViewportPosition(columns - 1) + grid_.columnWidth(columns - 1);
    setGeometry(left, 0, right - left, needed.height());
  }

  QTableWidget& grid_;
};

/// A list row: the pair in the chart's order, the aspect by its angle, the
/// orb by the orb, not by their texts.
class AspectItem final : public SortingTreeItem {
 public:
  using SortingTreeItem::SortingTreeItem;
  static constexpr int kOrbColumn = 2;
};

/// Gives each heading of `grid` that shows a point's first three letters
/// the point's whole name, which a screen reader reads ("Moon", not "Moo").
void NameHeadingsInFull(QTableWidget& grid) {
  const auto name = [](QTableWidgetItem* heading) {
    for (int index = 0; heading != nullptr && index < kChartPointCount; ++index) {
      const auto point = static_cast<ChartPoint>(index);
      if (heading->text() == FromUtf8(kChartPointNames[static_cast<std::size_t>(index)]).left(3)) {
        heading->setData(Qt::AccessibleTextRole, FromUtf8(AspectPointName(point)));
      }
    }
  };
  for (int column = 0; column < grid.columnCount(); ++column) {
    name(grid.horizontalHeaderItem(column));
  }
  for (int row = 0; row < grid.rowCount(); ++row) {
    name(grid.verticalHeaderItem(row));
  }
}

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
                            AspectGridShape shape, QWidget* parent) {
  const bool stairs = shape == AspectGridShape::Staircase;
  // A staircase leaves out the Sun's row and the Ascendant's column, which
  // would hold no pair.
  const int rows = stairs ? kChartPointCount - 1 : kChartPointCount;
  const int firstRowPoint = stairs ? 1 : 0;
  const int cellWidth = stairs ? kStairWidth : kCellWidth;
  const int cellHeight = stairs ? kStairHeight : kCellHeight;
  auto* grid = new QTableWidget(rows, rows, parent);
  grid->setObjectName(objectName);
  grid->setAccessibleName(accessibleName);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setTabKeyNavigation(false);
  grid->setFont(look::VerdanaFont(look::points::kNote));
  grid->setShowGrid(false);
  grid->setItemDelegate(new AspectCellDelegate(grid));
  // The headings: each point's first three letters, in chart order.
  QStringList columnHeadings;
  QStringList rowHeadings;
  for (int point = 0; point < rows; ++point) {
    columnHeadings.append(FromUtf8(kChartPointNames[static_cast<std::size_t>(point)]).left(3));
    rowHeadings.append(
        FromUtf8(kChartPointNames[static_cast<std::size_t>(point + firstRowPoint)]).left(3));
  }
  grid->setHorizontalHeaderLabels(columnHeadings);
  grid->setVerticalHeaderLabels(rowHeadings);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->horizontalHeader()->setDefaultSectionSize(cellWidth);
  grid->verticalHeader()->setDefaultSectionSize(cellHeight);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The whole grid shows at once.
  grid->setFixedSize(
      grid->verticalHeader()->sizeHint().width() + rows * cellWidth + 2 * grid->frameWidth(),
      grid->horizontalHeader()->sizeHint().height() + rows * cellHeight + 2 * grid->frameWidth());
  if (stairs) {
    new AspectKey(*grid);
  }
  NameHeadingsInFull(*grid);
  return grid;
}

QTableWidgetItem* StaircaseCell(const QTableWidget& grid, ChartPoint a, ChartPoint b) {
  const int first = static_cast<int>(a);
  const int second = static_cast<int>(b);
  return grid.item(std::max(first, second) - 1, std::min(first, second));
}

void ShowAspectInCell(QTableWidgetItem& cell, AspectKind kind, double orb) {
  cell.setText(AspectGlyph(kind) + QLatin1Char('\n') + OrbText(orb));
  cell.setForeground(AspectColour(kind));
}

AspectPanel::AspectPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("AspectPanel"));
  setFont(look::VerdanaFont(look::points::kBody));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(6, 6, 6, 6);

  auto* gridCaption = new QLabel(QStringLiteral("&Aspect grid"), this);
  gridCaption->setFont(look::VerdanaFont(look::points::kBody, true));
  column->addWidget(gridCaption);
  grid_ = NewAspectGrid(QStringLiteral("grdAspects"), QStringLiteral("Aspect grid"),
                        AspectGridShape::Staircase, this);
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
  EnableSortMenu(*list_);
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

  // Alt+P stays the results window's Print.
  auto* pointsCaption = new QLabel(QStringLiteral("F&urther points"), this);
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
  // Row r holds the pairs of point r + 1 with the points before it; the
  // cells right of the stairs stay blank.
  for (int row = 0; row < grid_->rowCount(); ++row) {
    const auto second = static_cast<ChartPoint>(row + 1);
    for (int col = 0; col < grid_->columnCount(); ++col) {
      auto* cell = new QTableWidgetItem;
      cell->setTextAlignment(Qt::AlignCenter);
      if (col <= row) {
        cell->setData(Qt::AccessibleTextRole,
                      FromUtf8(AspectPointName(static_cast<ChartPoint>(col))) +
                          QStringLiteral(" and ") + FromUtf8(AspectPointName(second)) +
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
    QTableWidgetItem* cell = StaircaseCell(*grid_, aspect.a, aspect.b);
    ShowAspectInCell(*cell, aspect.kind, aspect.orb);
    cell->setData(Qt::AccessibleTextRole, AspectSpeech(aspect));
    cell->setToolTip(AspectSpeech(aspect));

    auto* item = new AspectItem(list_);
    item->setText(0, FromUtf8(AspectPointName(aspect.a)) + QStringLiteral(" \u2013 ") +
                         FromUtf8(AspectPointName(aspect.b)));
    item->setData(
        0, Qt::UserRole,
        PairSortKey(static_cast<std::size_t>(aspect.a), static_cast<std::size_t>(aspect.b)));
    item->setText(1, FromUtf8(InfoOf(aspect.kind).name));
    item->setData(1, Qt::UserRole, AspectSortKey(aspect.kind));
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

void AspectPanel::TakeDesign() {
  design_.emplace();
  design_->margins = layout()->contentsMargins();
  design_->spacing = layout()->spacing();
  // The panel's own type and every caption's and table's that sets its own.
  QList<QWidget*> widgets = findChildren<QWidget*>();
  widgets.prepend(this);
  for (QWidget* widget : widgets) {
    if (widget->testAttribute(Qt::WA_SetFont)) {
      design_->fonts.push_back({widget, widget->font()});
    }
  }
  for (QTableWidget* table : {grid_, points_}) {
    design_->sections.push_back(
        {table->horizontalHeader(), table->horizontalHeader()->defaultSectionSize()});
    design_->sections.push_back(
        {table->verticalHeader(), table->verticalHeader()->defaultSectionSize()});
  }
}

void AspectPanel::SetZoom(double factor) {
  if (!design_) {
    TakeDesign();
  }
  if (factor == zoom_) {
    return;
  }
  zoom_ = factor;
  const auto scaled = [factor](int length) {
    return static_cast<int>(std::lround(length * factor));
  };
  for (const auto& [widget, font] : design_->fonts) {
    if (widget != nullptr) {
      widget->setFont(ScaledFont(font, factor));
    }
  }
  for (const auto& [header, size] : design_->sections) {
    if (header != nullptr) {
      header->setDefaultSectionSize(std::max(1, scaled(size)));
    }
  }
  const QMargins& margins = design_->margins;
  layout()->setContentsMargins(scaled(margins.left()), scaled(margins.top()),
                               scaled(margins.right()), scaled(margins.bottom()));
  layout()->setSpacing(scaled(design_->spacing));
  // The grid still shows whole, and the points' rows each at its new height.
  grid_->setFixedSize(grid_->verticalHeader()->sizeHint().width() +
                          grid_->horizontalHeader()->length() + 2 * grid_->frameWidth(),
                      grid_->horizontalHeader()->sizeHint().height() +
                          grid_->verticalHeader()->length() + 2 * grid_->frameWidth());
  points_->setFixedHeight(points_->verticalHeader()->length() + 2 * points_->frameWidth());
  for (int column = 0; column < list_->columnCount(); ++column) {
    list_->resizeColumnToContents(column);
  }
}

int AspectPanel::MinimumHeightForWidth(int width) const {
  // The layout counts the patterns at one line; at this width they may wrap.
  const QMargins margins = layout()->contentsMargins();
  const int inner = width - margins.left() - margins.right();
  return minimumSizeHint().height() +
         std::max(0, patterns_->heightForWidth(inner) - patterns_->minimumSizeHint().height());
}

}  // namespace zodivane::ui
