// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/frm_synastry.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#include "aspects/aspect_report.h"
#include "transits/transits.h"
#include "ui/look/look.h"
#include "ui/sheet/aspect_marks.h"

namespace zodivane::ui {
namespace {

using look::FromUtf8;

constexpr int kCellWidth = 36;   ///< pixels
constexpr int kCellHeight = 30;  ///< pixels: the glyph over the orb
constexpr int kOrbColumn = 2;

QString PointName(std::size_t index) {
  return FromUtf8(AspectPointName(static_cast<ChartPoint>(index)));
}

QString PersonName(const SynastryPerson& person) {
  const QString name = FromUtf8(person.view.name).trimmed();
  return name.isEmpty() ? QStringLiteral("(no name)") : name;
}

/// A list row that sorts its orb column by the orb, not by the text.
class SynastryCell final : public QTableWidgetItem {
 public:
  explicit SynastryCell(const QString& text) : QTableWidgetItem(text) {
    setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  }
  bool operator<(const QTableWidgetItem& other) const override {
    const QVariant mine = data(Qt::UserRole);
    const QVariant theirs = other.data(Qt::UserRole);
    if (mine.isValid() && theirs.isValid()) {
      return mine.toDouble() < theirs.toDouble();
    }
    return QTableWidgetItem::operator<(other);
  }
};

QLabel* Caption(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setFont(look::VerdanaFont(look::points::kBody, true));
  return label;
}

}  // namespace

QString SynastrySpeech(const CrossAspect& aspect, const QString& firstName,
                       const QString& secondName) {
  const OrbParts orb = OrbPartsOf(aspect.orb);
  QString speech =
      firstName + QStringLiteral("'s ") + PointName(aspect.first) + QLatin1Char(' ') +
      FromUtf8(InfoOf(aspect.kind).name) + QLatin1Char(' ') + secondName + QStringLiteral("'s ") +
      PointName(aspect.second) + QStringLiteral(", orb ") + look::CountText(orb.degrees, "degree") +
      QLatin1Char(' ') + look::CountText(orb.minutes, "minute") +
      (aspect.applying ? QStringLiteral(", applying") : QStringLiteral(", separating"));
  if (aspect.outOfSign) {
    speech += QStringLiteral(", out of sign");
  }
  return speech;
}

frmSynastry::frmSynastry(SynastryPerson first, SynastryPerson second,
                         const AspectSettings& settings, SynastryServices services, QWidget* parent)
    : QDialog(parent),
      first_(std::move(first)),
      second_(std::move(second)),
      services_(services),
      aspects_(SynastryAspects(first_.points, second_.points, SynastrySettings(settings))) {
  setObjectName(QStringLiteral("frmSynastry"));
  const QString firstName = PersonName(first_);
  const QString secondName = PersonName(second_);
  setWindowTitle(QStringLiteral("Compare %1 With %2").arg(firstName, secondName));
  setFont(look::VerdanaFont(look::points::kBody));
  auto* column = new QVBoxLayout(this);

  auto* names = new QGridLayout;
  const auto addName = [this, names](int row, const QString& role, const char* objectName,
                                     const SynastryPerson& person, const QString& name) {
    names->addWidget(Caption(role, this), row, 0);
    auto* label = new QLabel(name, this);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setTextFormat(Qt::PlainText);
    label->setFont(look::VerdanaFont(look::points::kLarge, true));
    label->setAccessibleName(role.chopped(1));
    label->setAccessibleDescription(FromUtf8(person.view.dateOfBirth + ", " +
                                             person.view.timeOfBirth + ", " + person.view.city));
    names->addWidget(label, row, 1);
    auto* details = new QLabel(FromUtf8(person.view.dateOfBirth) + QStringLiteral("  ") +
                                   FromUtf8(person.view.timeOfBirth) + QStringLiteral("  ") +
                                   FromUtf8(person.view.city),
                               this);
    details->setTextFormat(Qt::PlainText);
    names->addWidget(details, row, 2);
  };
  addName(0, QStringLiteral("First person:"), "lblFirstName", first_, firstName);
  addName(1, QStringLiteral("Second person:"), "lblSecondName", second_, secondName);
  names->setColumnStretch(2, 1);
  column->addLayout(names);

  auto* body = new QHBoxLayout;
  auto* gridColumn = new QVBoxLayout;
  auto* gridCaption =
      Caption(QStringLiteral("Aspect &grid (%1 down, %2 across)").arg(firstName, secondName), this);
  gridCaption->setWordWrap(true);
  gridColumn->addWidget(gridCaption);
  grid_ = new QTableWidget(kChartPointCount, kChartPointCount, this);
  grid_->setObjectName(QStringLiteral("grdSynastry"));
  grid_->setAccessibleName(QStringLiteral("Synastry aspect grid"));
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setTabKeyNavigation(false);
  grid_->setFont(look::VerdanaFont(look::points::kNote));
  QStringList headings;
  for (const std::string_view name : kChartPointNames) {
    headings.append(FromUtf8(name).left(3));
  }
  grid_->setHorizontalHeaderLabels(headings);
  grid_->setVerticalHeaderLabels(headings);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->horizontalHeader()->setDefaultSectionSize(kCellWidth);
  grid_->verticalHeader()->setDefaultSectionSize(kCellHeight);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setFixedSize(grid_->verticalHeader()->sizeHint().width() + kChartPointCount * kCellWidth +
                          2 * grid_->frameWidth(),
                      grid_->horizontalHeader()->sizeHint().height() +
                          kChartPointCount * kCellHeight + 2 * grid_->frameWidth());
  gridCaption->setBuddy(grid_);
  gridCaption->setMaximumWidth(grid_->width());
  gridColumn->addWidget(grid_);
  gridColumn->addStretch(1);
  body->addLayout(gridColumn);

  auto* listColumn = new QVBoxLayout;
  auto* listCaption = Caption(QStringLiteral("Aspect &list (orb 6\u00B0)"), this);
  listColumn->addWidget(listCaption);
  list_ = new QTableWidget(0, 3, this);
  list_->setObjectName(QStringLiteral("tblSynastry"));
  list_->setAccessibleName(QStringLiteral("Synastry aspect list"));
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setTabKeyNavigation(false);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().lineSpacing() + 6);
  list_->setHorizontalHeaderLabels(
      {QStringLiteral("Pair"), QStringLiteral("Aspect"), QStringLiteral("Orb")});
  list_->horizontalHeader()->setStretchLastSection(true);
  listCaption->setBuddy(list_);
  listColumn->addWidget(list_, 1);
  body->addLayout(listColumn, 1);
  column->addLayout(body, 1);

  // The grid: every cell reads as a sentence, with or without an aspect.
  for (int row = 0; row < kChartPointCount; ++row) {
    for (int col = 0; col < kChartPointCount; ++col) {
      auto* cell = new QTableWidgetItem;
      cell->setTextAlignment(Qt::AlignCenter);
      cell->setData(Qt::AccessibleTextRole,
                    firstName + QStringLiteral("'s ") + PointName(static_cast<std::size_t>(row)) +
                        QStringLiteral(" and ") + secondName + QStringLiteral("'s ") +
                        PointName(static_cast<std::size_t>(col)) + QStringLiteral(": no aspect"));
      grid_->setItem(row, col, cell);
    }
  }
  list_->setRowCount(static_cast<int>(aspects_.size()));
  for (std::size_t i = 0; i < aspects_.size(); ++i) {
    const CrossAspect& aspect = aspects_[i];
    const QString speech = SynastrySpeech(aspect, firstName, secondName);
    QTableWidgetItem* cell =
        grid_->item(static_cast<int>(aspect.first), static_cast<int>(aspect.second));
    cell->setText(AspectGlyph(aspect.kind) + QLatin1Char('\n') + OrbText(aspect.orb));
    cell->setData(Qt::AccessibleTextRole, speech);
    cell->setToolTip(speech);
    cell->setForeground(AspectColour(aspect.kind));

    const std::array<QString, 3> texts = {
        PointName(aspect.first) + QStringLiteral(" \u2013 ") + PointName(aspect.second),
        FromUtf8(InfoOf(aspect.kind).name), OrbText(aspect.orb)};
    for (int c = 0; c < 3; ++c) {
      auto* item = new SynastryCell(texts[static_cast<std::size_t>(c)]);
      if (c == kOrbColumn) {
        item->setData(Qt::UserRole, aspect.orb);
      }
      item->setData(Qt::AccessibleTextRole, speech);
      item->setToolTip(speech);
      list_->setItem(static_cast<int>(i), c, item);
    }
  }
  list_->setSortingEnabled(true);
  list_->sortByColumn(kOrbColumn, Qt::AscendingOrder);
  list_->resizeColumnsToContents();

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  const auto addButton = [this, buttons](const QString& caption, const char* name) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    buttons->addWidget(button);
    return button;
  };
  QPushButton* exportSheet = addButton(QStringLiteral("&Export\u2026"), "cmdExport");
  QPushButton* print = addButton(QStringLiteral("&Print\u2026"), "cmdPrint");
  QPushButton* close = addButton(QStringLiteral("&Close"), "cmdClose");
  column->addLayout(buttons);
  connect(exportSheet, &QPushButton::clicked, this, &frmSynastry::cmdExport_Click);
  connect(print, &QPushButton::clicked, this, &frmSynastry::cmdPrint_Click);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  setTabOrder(grid_, list_);
  setTabOrder(list_, exportSheet);
  setTabOrder(exportSheet, print);
  setTabOrder(print, close);
  resize(900, 560);
  grid_->setFocus(Qt::OtherFocusReason);
}

bool frmSynastry::cmdExport_Click() {
  return false;
}

bool frmSynastry::cmdPrint_Click() {
  return false;
}

}  // namespace zodivane::ui
