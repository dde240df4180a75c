// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/frm_synastry.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#include "aspects/aspect_report.h"
#include "common/text_helpers.h"
#include "transits/transits.h"
#include "ui/look/layout_zoom.h"
#include "ui/look/look.h"
#include "ui/sheet/aspect_marks.h"
#include "ui/sheet/bi_wheel.h"
#include "ui/sheet/synastry_sheet.h"
#include "ui/windows/aspect_panel.h"
#include "ui/windows/sorting_cell.h"

namespace zodivane::ui {
namespace {

using look::FromUtf8;

constexpr int kOrbColumn = 2;

QString PointName(std::size_t index) {
  return FromUtf8(AspectPointName(static_cast<ChartPoint>(index)));
}

QString PersonName(const SynastryPerson& person) {
  const QString name = FromUtf8(Printable(person.view.name)).trimmed();
  return name.isEmpty() ? QStringLiteral("(no name)") : name;
}

using SynastryCell = ReadOnlySortingCell;

/// The bi-wheel, drawn as vectors at the widget's size: the first chart
/// inside, the second around it, the aspects between them across the middle.
class BiWheelPicture final : public QWidget {
 public:
  BiWheelPicture(BiWheelView view, QWidget* parent) : QWidget(parent), view_(std::move(view)) {
    setObjectName(QStringLiteral("picBiWheel"));
    setMinimumSize(360, 360);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(QStringLiteral("Bi-wheel"));
    setAccessibleDescription(OuterBodiesSpeech(view_));
    setFocusPolicy(Qt::StrongFocus);
    look::SetBackground(*this, Qt::white);
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawBiWheel(painter, QRectF(rect()), view_);
  }

 private:
  BiWheelView view_;
};

QLabel* Caption(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setFont(look::VerdanaFont(look::points::kBody, true));
  return label;
}

}  // namespace

SynastrySheet frmSynastry::Sheet() const {
  return SynastrySheet{first_.view, second_.view, aspects_};
}

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
    // The birth as the rest of the program writes it, with the zone and the UT.
    const QString birth = SynastryBirthText(person.view);
    const QString city = FromUtf8(person.view.city);
    const QString warning = FromUtf8(person.view.zoneWarning);
    label->setAccessibleDescription(
        birth + (city.isEmpty() ? QString() : QStringLiteral(", ")) + city +
        (warning.isEmpty() ? QString() : QStringLiteral(". Warning: ") + warning));
    names->addWidget(label, row, 1);
    auto* details = new QLabel(city.isEmpty() ? birth : birth + QStringLiteral("  ") + city, this);
    details->setObjectName(
        QString::fromLatin1(objectName).replace(QStringLiteral("Name"), QStringLiteral("Birth")));
    details->setTextFormat(Qt::PlainText);
    names->addWidget(details, row, 2);
  };
  addName(0, QStringLiteral("First person:"), "lblFirstName", first_, firstName);
  addName(1, QStringLiteral("Second person:"), "lblSecondName", second_, secondName);
  names->setColumnStretch(2, 1);
  column->addLayout(names);
  // Each chart's zone warning, as its own results window gives it.
  const auto addWarning = [this, column](const char* objectName, const SynastryPerson& person,
                                         const QString& name) {
    if (person.view.zoneWarning.empty()) {
      return;
    }
    auto* warning = new QLabel(
        QStringLiteral("\u26A0 ") + name + QStringLiteral(": ") + FromUtf8(person.view.zoneWarning),
        this);
    warning->setObjectName(QString::fromLatin1(objectName));
    warning->setTextFormat(Qt::PlainText);
    warning->setWordWrap(true);
    look::SetTextColour(*warning, look::colours::kRed);
    column->addWidget(warning);
  };
  addWarning("lblFirstWarning", first_, firstName);
  addWarning("lblSecondWarning", second_, secondName);
  if (SameBirth(first_.view, second_.view)) {
    // Every aspect is then a point to its own place: say so rather than
    // leave a list of conjunctions unexplained.
    auto* same = new QLabel(
        QStringLiteral("Both charts are the same birth: this chart is compared with itself, so "
                       "every point meets its own place."),
        this);
    same->setObjectName(QStringLiteral("lblSameChart"));
    same->setWordWrap(true);
    same->setFont(look::VerdanaFont(look::points::kBody, true));
    column->addWidget(same);
  }

  auto* body = new QHBoxLayout;
  auto* wheel = new BiWheelPicture(SynastryBiWheel(Sheet()), this);
  wheel->setToolTip(QStringLiteral("%1 inside, %2 around").arg(firstName, secondName));
  body->addWidget(wheel, 1);
  auto* gridColumn = new QVBoxLayout;
  auto* gridCaption =
      Caption(QStringLiteral("Aspect &grid (%1 down, %2 across)").arg(firstName, secondName), this);
  gridCaption->setWordWrap(true);
  gridColumn->addWidget(gridCaption);
  grid_ = NewAspectGrid(QStringLiteral("grdSynastry"), QStringLiteral("Synastry aspect grid"),
                        AspectGridShape::Square, this);
  gridCaption->setBuddy(grid_);
  gridCaption->setMaximumWidth(grid_->width());
  gridColumn->addWidget(grid_);

  auto* listCaption = Caption(QStringLiteral("Aspect &list (orb 6\u00B0)"), this);
  gridColumn->addWidget(listCaption);
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
  gridColumn->addWidget(list_, 1);
  body->addLayout(gridColumn);
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
    ShowAspectInCell(*cell, aspect.kind, aspect.orb);
    cell->setData(Qt::AccessibleTextRole, speech);
    cell->setToolTip(speech);

    // Whose point is whose: "ASHA's Moon – RAVI's Venus".
    const std::array<QString, 3> texts = {
        firstName + QStringLiteral("'s ") + PointName(aspect.first) + QStringLiteral(" \u2013 ") +
            secondName + QStringLiteral("'s ") + PointName(aspect.second),
        FromUtf8(InfoOf(aspect.kind).name), OrbText(aspect.orb)};
    for (int c = 0; c < 3; ++c) {
      auto* item = new SynastryCell(texts[static_cast<std::size_t>(c)]);
      // The pair in the chart's order, the aspect by its angle, the orb.
      const std::array<double, 3> keys = {PairSortKey(aspect.first, aspect.second),
                                          AspectSortKey(aspect.kind), aspect.orb};
      item->setData(Qt::UserRole, keys[static_cast<std::size_t>(c)]);
      item->setData(Qt::AccessibleTextRole, speech);
      item->setToolTip(speech);
      list_->setItem(static_cast<int>(i), c, item);
    }
  }
  list_->setSortingEnabled(true);
  list_->sortByColumn(kOrbColumn, Qt::AscendingOrder);
  EnableSortMenu(*list_);
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
  setTabOrder(wheel, grid_);
  setTabOrder(grid_, list_);
  setTabOrder(list_, exportSheet);
  setTabOrder(exportSheet, print);
  setTabOrder(print, close);
  ResizeWithinScreen(*this, QSize(1100, 720));
  grid_->setFocus(Qt::OtherFocusReason);
}

bool frmSynastry::cmdExport_Click() {
  const SynastrySheet sheet = Sheet();
  SaveDialogSettings settings;
  settings.title = QStringLiteral("Export Synastry");
  settings.filter = QStringLiteral("Synastry sheet (*.pdf *.png *.svg)");
  settings.defaultSuffix = QStringLiteral("pdf");
  settings.confirmOverwrite = true;
  settings.pathMustExist = true;
  settings.suggestedName = SuggestedSynastryFileName(sheet, SheetFormat::Pdf);
  const std::optional<QString> path = services_.saveDialog.AskSavePath(this, settings);
  if (!path || path->isEmpty()) {
    return false;
  }
  if (const std::optional<QString> failure = WriteSynastrySheet(*path, sheet)) {
    services_.messages.ShowNotice(this,
                                  QStringLiteral("The synastry could not be saved to %1.\n%2")
                                      .arg(QDir::toNativeSeparators(*path), *failure),
                                  MessageIcon::Critical);
    return false;
  }
  return true;
}

bool frmSynastry::cmdPrint_Click() {
  QPrinter printer(QPrinter::HighResolution);
  if (!services_.printDialog.AskPrinter(this, printer, false)) {
    return false;
  }
  const SynastrySheet sheet = Sheet();
  printer.setDocName(windowTitle());
  QPainter painter;
  bool printed = painter.begin(&printer);
  const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
  for (int index = 0; printed && index < kSynastrySheetPages; ++index) {
    printed = (index == 0 || printer.newPage());
    if (printed) {
      DrawSynastrySheetPage(painter, page, sheet, index);
    }
  }
  printed = painter.isActive() ? painter.end() && printed : false;
  if (!printed) {
    services_.messages.ShowNotice(this, QStringLiteral("The synastry could not be printed."),
                                  MessageIcon::Critical);
  }
  return printed;
}

}  // namespace zodivane::ui
