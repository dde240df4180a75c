// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/frm_transits.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <string>
#include <utility>
#include <variant>

#include "chart/time_zones.h"
#include "ui/look/look.h"
#include "ui/look/look_widgets.h"
#include "ui/sheet/aspect_marks.h"
#include "ui/windows/sorting_cell.h"

namespace zodivane::ui {
namespace {

using look::FromUtf8;

constexpr int kSecondsPerDay = 24 * 60 * 60;
/// The years the transits are cast for: those both engines cover.
const QDate kFirstDate(1900, 1, 1);
const QDate kLastDate(2099, 12, 31);

enum Column { kBody = 0, kAspect, kNatal, kOrb, kApplying, kColumnCount };

using NumberItem = SortingCell;

/// "10 December 2026, 09:30".
QString MomentText(const QDateTime& moment) {
  return QLocale::c().toString(moment, QStringLiteral("d MMMM yyyy, HH:mm"));
}

/// The moment to the minute: seconds dropped.
QDateTime ToTheMinute(const QDateTime& moment) {
  const QTime time = moment.time();
  return QDateTime(moment.date(), QTime(time.hour(), time.minute()), moment.timeZone());
}

}  // namespace

BiWheelPicture::BiWheelPicture(QWidget* parent) : QWidget(parent) {
  QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  policy.setHeightForWidth(true);
  setSizePolicy(policy);
}

void BiWheelPicture::SetView(BiWheelView view) {
  view_ = std::move(view);
  setAccessibleDescription(OuterBodiesSpeech(view_));
  update();
}

QSize BiWheelPicture::sizeHint() const {
  return {600, 600};
}

QSize BiWheelPicture::minimumSizeHint() const {
  return {360, 360};
}

void BiWheelPicture::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  DrawBiWheel(painter, QRectF(rect()), view_);
}

QString ZoneAbbreviation(const QTimeZone& zone, const QDateTime& moment) {
  const QString abbreviation = zone.abbreviation(moment);
  // A zone without a name of its own gives its offset again ("+03", "UTC+01:00").
  if (abbreviation.isEmpty() || abbreviation.startsWith(QLatin1Char('+')) ||
      abbreviation.startsWith(QLatin1Char('-')) ||
      ((abbreviation.startsWith(QStringLiteral("UTC")) ||
        abbreviation.startsWith(QStringLiteral("GMT"))) &&
       abbreviation.size() > 3)) {
    return QString::fromStdString(FormatUtOffset(zone.offsetFromUtc(moment)));
  }
  return abbreviation;
}

QString ZoneCaption(const QTimeZone& zone, const QDateTime& moment) {
  const QString offsetText = QString::fromStdString(FormatUtOffset(zone.offsetFromUtc(moment)));
  const QString name = ZoneAbbreviation(zone, moment);
  return QStringLiteral("Your time zone: ") +
         (name == offsetText ? offsetText : name + QStringLiteral(", ") + offsetText);
}

frmTransits::frmTransits(const ChartView& chart, const AspectSettings& settings, Clock& clock,
                         std::optional<ChartSheetServices> sheetServices, QWidget* parent)
    : QDialog(parent),
      chart_(chart),
      settings_(settings),
      clock_(clock),
      sheetServices_(sheetServices),
      natal_(NatalPointsOf(chart.points)) {
  setObjectName(QStringLiteral("frmTransits"));
  setWindowTitle(QStringLiteral("Transits \u2013 ") + QString::fromStdString(chart.name));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  setFont(look::VerdanaFont(look::points::kBody));
  new look::FocusRing(*this);
  const QDateTime now = clock_.Now();
  zone_ = now.timeZone();
  BuildControls();
  SetMoment(now);
  Recast();
}

void frmTransits::BuildControls() {
  auto* column = new QVBoxLayout(this);

  auto* bar = new QMenuBar(this);
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mnuTransitsFile"));
  mnuExportTransits_ = file->addAction(QStringLiteral("&Export Transits\u2026"));
  mnuExportTransits_->setObjectName(QStringLiteral("mnuExportTransits"));
  mnuExportTransits_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  mnuExportTransits_->setEnabled(sheetServices_.has_value());
  connect(mnuExportTransits_, &QAction::triggered, this, &frmTransits::mnuExportTransits_Click);
  mnuPrintTransits_ = file->addAction(QStringLiteral("&Print Transits\u2026"));
  mnuPrintTransits_->setObjectName(QStringLiteral("mnuPrintTransits"));
  mnuPrintTransits_->setShortcuts(look::StandardKeys(QKeySequence::Print));
  mnuPrintTransits_->setEnabled(sheetServices_.has_value());
  connect(mnuPrintTransits_, &QAction::triggered, this, &frmTransits::mnuPrintTransits_Click);
  file->addSeparator();
  mnuCloseTransits_ = file->addAction(QStringLiteral("&Close"));
  mnuCloseTransits_->setObjectName(QStringLiteral("mnuCloseTransits"));
  mnuCloseTransits_->setShortcuts(look::StandardKeys(QKeySequence::Close));
  connect(mnuCloseTransits_, &QAction::triggered, this, &QDialog::close);
  column->setMenuBar(bar);

  // The moment: the user's own clock, with the zone beside it.
  auto* momentRow = new QHBoxLayout;
  auto* dateCaption = new QLabel(QStringLiteral("Date and &time:"), this);
  dateCaption->setObjectName(QStringLiteral("lblTransitDate"));
  dtpTransit_ = new QDateTimeEdit(this);
  dtpTransit_->setObjectName(QStringLiteral("dtpTransit"));
  dtpTransit_->setAccessibleName(QStringLiteral("Date and time of the transits"));
  dtpTransit_->setLocale(QLocale::c());
  // The box holds the clock time of the user's zone as it reads; the zone
  // turns it into a moment.
  dtpTransit_->setTimeSpec(Qt::UTC);
  dtpTransit_->setDisplayFormat(QStringLiteral("d MMM yyyy  HH:mm"));
  dtpTransit_->setCalendarPopup(true);
  dtpTransit_->setDateRange(kFirstDate, kLastDate);
  dateCaption->setBuddy(dtpTransit_);
  // Where the platform binds Ctrl+E to the end of the line, the box would
  // take it from File > Export Transits….
  dtpTransit_->installEventFilter(this);
  lblTransitZone_ = new QLabel(this);
  lblTransitZone_->setObjectName(QStringLiteral("lblTransitZone"));
  lblTransitZone_->setTextFormat(Qt::PlainText);
  cmdDayBack_ = new QPushButton(QStringLiteral("\u25C0 Day &Back"), this);
  cmdDayBack_->setObjectName(QStringLiteral("cmdDayBack"));
  cmdDayBack_->setAccessibleName(QStringLiteral("A day back"));
  cmdNow_ = new QPushButton(QStringLiteral("&Now"), this);
  cmdNow_->setObjectName(QStringLiteral("cmdNow"));
  cmdDayForward_ = new QPushButton(QStringLiteral("Day For&ward \u25B6"), this);
  cmdDayForward_->setObjectName(QStringLiteral("cmdDayForward"));
  cmdDayForward_->setAccessibleName(QStringLiteral("A day forward"));
  for (QPushButton* button : {cmdDayBack_, cmdNow_, cmdDayForward_}) {
    button->setAutoDefault(false);
  }
  momentRow->addWidget(dateCaption);
  momentRow->addWidget(dtpTransit_);
  momentRow->addWidget(cmdDayBack_);
  momentRow->addWidget(cmdNow_);
  momentRow->addWidget(cmdDayForward_);
  momentRow->addSpacing(12);
  momentRow->addWidget(lblTransitZone_);
  momentRow->addStretch(1);
  column->addLayout(momentRow);

  lblTransitUt_ = new QLabel(this);
  lblTransitUt_->setObjectName(QStringLiteral("lblTransitUt"));
  lblTransitUt_->setTextFormat(Qt::PlainText);
  look::SetTextColour(*lblTransitUt_, look::colours::kNavy);
  column->addWidget(lblTransitUt_);

  // The wheel left, the list right.
  auto* body = new QHBoxLayout;
  picBiWheel_ = new BiWheelPicture(this);
  picBiWheel_->setObjectName(QStringLiteral("picBiWheel"));
  picBiWheel_->setAccessibleName(QStringLiteral("Transits around the natal wheel"));
  body->addWidget(picBiWheel_, 3);

  auto* side = new QVBoxLayout;
  chkTransitLines_ = new QCheckBox(QStringLiteral("Aspect &lines in the wheel"), this);
  chkTransitLines_->setObjectName(QStringLiteral("chkTransitLines"));
  chkTransitLines_->setChecked(true);
  side->addWidget(chkTransitLines_);
  auto* listCaption = new QLabel(
      QStringLiteral("Transiting &aspects to the natal chart (orb %1\u00B0)").arg(kTransitOrb),
      this);
  listCaption->setObjectName(QStringLiteral("lblTransitsCaption"));
  listCaption->setFont(look::VerdanaFont(look::points::kBody, true));
  tblTransits_ = new QTableWidget(0, kColumnCount, this);
  tblTransits_->setObjectName(QStringLiteral("tblTransits"));
  tblTransits_->setAccessibleName(QStringLiteral("Transiting aspects"));
  tblTransits_->setHorizontalHeaderLabels({QStringLiteral("Transiting"), QStringLiteral("Aspect"),
                                           QStringLiteral("Natal"), QStringLiteral("Orb"),
                                           QStringLiteral("A/S")});
  tblTransits_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tblTransits_->setSelectionBehavior(QAbstractItemView::SelectRows);
  tblTransits_->setSelectionMode(QAbstractItemView::SingleSelection);
  tblTransits_->setTabKeyNavigation(false);
  tblTransits_->verticalHeader()->hide();
  tblTransits_->verticalHeader()->setDefaultSectionSize(tblTransits_->fontMetrics().height() + 8);
  tblTransits_->horizontalHeader()->setStretchLastSection(true);
  // At first the closest aspects come first.
  tblTransits_->horizontalHeader()->setSortIndicator(kOrb, Qt::AscendingOrder);
  tblTransits_->setSortingEnabled(true);
  EnableSortMenu(*tblTransits_);
  tblTransits_->setMinimumWidth(360);
  listCaption->setBuddy(tblTransits_);
  side->addWidget(listCaption);
  side->addWidget(tblTransits_, 1);
  body->addLayout(side, 2);
  column->addLayout(body, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  cmdClose_ = new QPushButton(QStringLiteral("&Close"), this);
  cmdClose_->setObjectName(QStringLiteral("cmdCloseTransits"));
  cmdClose_->setAutoDefault(false);
  buttons->addWidget(cmdClose_);
  column->addLayout(buttons);

  setTabOrder(dtpTransit_, cmdDayBack_);
  setTabOrder(cmdDayBack_, cmdNow_);
  setTabOrder(cmdNow_, cmdDayForward_);
  setTabOrder(cmdDayForward_, chkTransitLines_);
  setTabOrder(chkTransitLines_, tblTransits_);
  setTabOrder(tblTransits_, cmdClose_);

  connect(dtpTransit_, &QDateTimeEdit::dateTimeChanged, this, &frmTransits::Recast);
  connect(cmdNow_, &QPushButton::clicked, this, &frmTransits::cmdNow_Click);
  connect(cmdDayBack_, &QPushButton::clicked, this, &frmTransits::cmdDayBack_Click);
  connect(cmdDayForward_, &QPushButton::clicked, this, &frmTransits::cmdDayForward_Click);
  connect(cmdClose_, &QPushButton::clicked, this, &QDialog::close);
  connect(chkTransitLines_, &QCheckBox::toggled, this, [this](bool shown) {
    sheet_.wheel.showLines = shown;
    picBiWheel_->SetView(sheet_.wheel);
  });
  dtpTransit_->setFocus(Qt::OtherFocusReason);
}

bool frmTransits::eventFilter(QObject* watched, QEvent* event) {
  if (watched == dtpTransit_ && event->type() == QEvent::ShortcutOverride) {
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (const QAction* action : {mnuExportTransits_, mnuPrintTransits_, mnuCloseTransits_}) {
      if (action->isEnabled() && action->shortcuts().contains(pressed)) {
        // Not taken by the box: the shortcut goes to the window's menu.
        event->ignore();
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmTransits::SetMoment(const QDateTime& moment) {
  const QDateTime local = ToTheMinute(moment.toTimeZone(zone_));
  dtpTransit_->setDateTime(QDateTime(local.date(), local.time(), Qt::UTC));
}

QDateTime frmTransits::Moment() const {
  const QDateTime shown = dtpTransit_->dateTime();
  QDateTime moment(shown.date(), shown.time(), zone_);
  if (!moment.isValid()) {
    // A clock time the zone skips (the hour the clocks go forward): the
    // same time an hour on.
    moment = QDateTime(shown.date(), shown.time(), zone_).addSecs(3600);
    if (!moment.isValid()) {
      moment = QDateTime(shown.date(), shown.time().addSecs(3600), zone_);
    }
  }
  return moment.toUTC();
}

void frmTransits::SetAspectSettings(const AspectSettings& settings) {
  settings_ = settings;
  Recast();
}

void frmTransits::cmdNow_Click() {
  SetMoment(clock_.Now());
}

void frmTransits::cmdDayBack_Click() {
  SetMoment(Moment().addSecs(-kSecondsPerDay));
}

void frmTransits::cmdDayForward_Click() {
  SetMoment(Moment().addSecs(kSecondsPerDay));
}

void frmTransits::Recast() {
  const QDateTime moment = Moment();
  const QDateTime local = moment.toTimeZone(zone_);
  lblTransitZone_->setText(ZoneCaption(zone_, moment));
  const QDate day = moment.date();
  const QTime time = moment.time();
  const double julianDay = JulianDayOfUt(
      {day.year(), day.month(), day.day(), time.hour(), time.minute(), time.second()});

  sheet_.wheel.inner = chart_;
  sheet_.wheel.showLines = chkTransitLines_->isChecked();
  sheet_.natal = natal_;
  sheet_.localMoment = MomentText(local);
  sheet_.zone = ZoneCaption(zone_, moment).section(QStringLiteral(": "), 1);
  sheet_.universalTime = MomentText(moment) + QStringLiteral(" UT");
  sheet_.engine = FromUtf8(EphemerisDisplayName(chart_.ephemeris));

  auto transits = TransitsAt(chart_.ephemeris, julianDay, natal_, TransitSettings(settings_));
  if (const auto* message = std::get_if<std::string>(&transits)) {
    sheet_.wheel.outer.clear();
    sheet_.wheel.lines.clear();
    sheet_.aspects.clear();
    lblTransitUt_->setText(QString::fromStdString(*message));
  } else {
    const Transits& found = std::get<Transits>(transits);
    sheet_.wheel.outer = OuterBodiesOfSky(found.sky);
    sheet_.wheel.lines = found.aspects;
    sheet_.aspects = found.aspects;
    lblTransitUt_->setText(QStringLiteral("= ") + sheet_.universalTime +
                           QStringLiteral("  \u00B7  positions: ") + sheet_.engine);
  }
  picBiWheel_->SetView(sheet_.wheel);
  ShowList();
}

void frmTransits::ShowList() {
  const int sortColumn = tblTransits_->horizontalHeader()->sortIndicatorSection();
  const Qt::SortOrder order = tblTransits_->horizontalHeader()->sortIndicatorOrder();
  tblTransits_->setSortingEnabled(false);
  tblTransits_->clearContents();
  const std::vector<CrossAspect> aspects = TransitsByOrb(sheet_.aspects);
  tblTransits_->setRowCount(static_cast<int>(aspects.size()));
  for (int row = 0; row < static_cast<int>(aspects.size()); ++row) {
    const CrossAspect& aspect = aspects[static_cast<std::size_t>(row)];
    const QString speech = TransitSpeech(aspect, natal_);
    const QString texts[kColumnCount] = {
        BodyGlyph(static_cast<ChartPoint>(aspect.first)) + QLatin1Char(' ') +
            FromUtf8(kChartPointNames[aspect.first]),
        AspectGlyph(aspect.kind) + QLatin1Char(' ') + FromUtf8(InfoOf(aspect.kind).name),
        QString::fromStdString(natal_[aspect.second].name),
        OrbText(aspect.orb),
        aspect.applying ? QStringLiteral("A") : QStringLiteral("S"),
    };
    for (int column = 0; column < kColumnCount; ++column) {
      auto* cell = new NumberItem(texts[column]);
      cell->setData(Qt::AccessibleTextRole, speech);
      cell->setToolTip(speech);
      if (column == kBody) {
        cell->setData(Qt::UserRole, PointSortKey(aspect.first));
      } else if (column == kAspect) {
        cell->setData(Qt::UserRole, AspectSortKey(aspect.kind));
      } else if (column == kNatal) {
        cell->setData(Qt::UserRole, PointSortKey(aspect.second));
      } else if (column == kOrb) {
        cell->setData(Qt::UserRole, aspect.orb);
      }
      if (column == kAspect) {
        cell->setForeground(AspectColour(aspect.kind));
      }
      tblTransits_->setItem(row, column, cell);
    }
  }
  tblTransits_->setSortingEnabled(true);
  // The list keeps the order the user chose.
  tblTransits_->sortByColumn(sortColumn, order);
  tblTransits_->resizeColumnsToContents();
}

void frmTransits::mnuExportTransits_Click() {
  if (!sheetServices_) {
    return;
  }
  SaveDialogSettings settings;
  settings.title = QStringLiteral("Export Transits");
  settings.filter = QStringLiteral("Transit sheet (*.pdf *.png *.svg)");
  settings.defaultSuffix = QStringLiteral("pdf");
  settings.confirmOverwrite = true;
  settings.pathMustExist = true;
  settings.suggestedName =
      SuggestedTransitSheetFileName(sheet_, Moment().toTimeZone(zone_).date(), SheetFormat::Pdf);
  ExportSheet(this, TransitSheetPages(sheet_), settings, *sheetServices_);
}

void frmTransits::mnuPrintTransits_Click() {
  if (sheetServices_) {
    PrintSheet(this, TransitSheetPages(sheet_), *sheetServices_);
  }
}

}  // namespace zodivane::ui
