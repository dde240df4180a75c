// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/frm_transit_calendar.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeZone>
#include <QVBoxLayout>

#include <algorithm>
#include <cstddef>
#include <string>

#include "chart/time_zones.h"
#include "common/form_rules.h"
#include "ephemeris/sky_at.h"
#include "transits/transit_ics.h"
#include "ui/look/look.h"
#include "ui/sheet/whole_file.h"
#include "ui/windows/frm_transits.h"
#include "ui/windows/sorting_cell.h"

namespace zodivane::ui {
namespace {

using look::FromUtf8;

/// The years the calendar takes: those both engines cover.
const QDate kFirstDate(1900, 1, 1);
const QDate kLastDate(2099, 12, 31);
/// The Julian day of the Unix epoch, 1970-01-01 00:00 UT.
constexpr double kUnixEpochJulianDay = 2440587.5;
constexpr double kMillisecondsPerDay = 86400000.0;

const auto kColumnTitles = std::to_array<const char*>(
    {"Period", "Planet", "Aspect", "Natal point", "Enters", "Exact", "Leaves"});
static_assert(kColumnTitles.size() == kCalendarColumnCount);

using CalendarCell = ReadOnlySortingCell;

/// English month names, the same on every machine ("Sep", "September").
QLocale English() {
  return QLocale::c();
}

/// "Mar 2025", as a period reads.
QString MonthText(double julianDayUt, const QTimeZone& zone) {
  return English().toString(DateTimeOfJulianDay(julianDayUt, zone).date(),
                            QStringLiteral("MMM yyyy"));
}

/// "4 March 2025, 14:22", as a moment reads aloud.
QString SpokenMoment(double julianDayUt, const QTimeZone& zone) {
  return English().toString(DateTimeOfJulianDay(julianDayUt, zone),
                            QStringLiteral("d MMMM yyyy, HH:mm"));
}

/// "1 house entry", "2 house entries".
QString Counted(std::size_t count, const QString& one, const QString& many) {
  return QString::number(count) + QLatin1Char(' ') + (count == 1 ? one : many);
}

QString BodyName(ChartPoint body) {
  return FromUtf8(kChartPointNames[static_cast<std::size_t>(body)]);
}

QString SignName(int sign) {
  return FromUtf8(kSigns[static_cast<std::size_t>(sign)].name);
}

/// The "a, b and c" of a list read aloud.
QString Joined(const QStringList& parts) {
  if (parts.size() < 2) {
    return parts.join(QString());
  }
  return parts.mid(0, parts.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
         parts.last();
}

struct CalendarRow {
  std::array<QString, kCalendarColumnCount> texts;
  /// The sort keys of the moments' columns: Julian days in UT.
  std::array<std::optional<double>, kCalendarColumnCount> keys;
  QString speech;
};

CalendarRow PassageRow(const TransitPassage& passage, const std::vector<NatalPoint>& natal,
                       std::pair<double, double> period, const QTimeZone& zone) {
  CalendarRow row;
  const auto put = [&row](CalendarColumn column, QString text, std::optional<double> key = {}) {
    row.texts[static_cast<std::size_t>(column)] = std::move(text);
    row.keys[static_cast<std::size_t>(column)] = key;
  };
  const double first = passage.entersJulianDayUt.value_or(period.first);
  // Still within at the end: the period's last minute, not the next day.
  const double last = passage.leavesJulianDayUt.value_or(period.second - 1.0 / 1440.0);
  const QString firstMonth = MonthText(first, zone);
  const QString lastMonth = MonthText(last, zone);
  put(CalendarColumn::Period,
      firstMonth == lastMonth ? firstMonth : firstMonth + QStringLiteral(" \u2013 ") + lastMonth,
      passage.entersJulianDayUt           ? first
      : passage.exactJulianDaysUt.empty() ? period.first
                                          : passage.exactJulianDaysUt.front());
  put(CalendarColumn::Planet, BodyName(passage.body),
      PointSortKey(static_cast<std::size_t>(passage.body)));
  const QString aspect = FromUtf8(InfoOf(passage.kind).name);
  put(CalendarColumn::Aspect, aspect, AspectSortKey(passage.kind));
  const QString point = FromUtf8(natal[passage.natal].name);
  put(CalendarColumn::NatalPoint, point, PointSortKey(passage.natal));
  put(CalendarColumn::Enters,
      passage.entersJulianDayUt ? CalendarMomentText(*passage.entersJulianDayUt, zone)
                                : QStringLiteral("already within"),
      first);
  QStringList exact;
  QStringList exactSpoken;
  for (const double hit : passage.exactJulianDaysUt) {
    exact.append(CalendarMomentText(hit, zone));
    exactSpoken.append(SpokenMoment(hit, zone));
  }
  put(CalendarColumn::Exact, exact.isEmpty() ? QStringLiteral("\u2013") : exact.join(u"; "),
      passage.exactJulianDaysUt.empty() ? std::optional<double>()
                                        : passage.exactJulianDaysUt.front());
  put(CalendarColumn::Leaves,
      passage.leavesJulianDayUt ? CalendarMomentText(*passage.leavesJulianDayUt, zone)
                                : QStringLiteral("still within"),
      last);

  row.speech = BodyName(passage.body) + QLatin1Char(' ') + aspect + QStringLiteral(" natal ") +
               point + QStringLiteral(": ");
  row.speech += passage.entersJulianDayUt ? QStringLiteral("comes within orb ") +
                                                SpokenMoment(*passage.entersJulianDayUt, zone)
                                          : QStringLiteral("within orb at the start of the period");
  row.speech += exactSpoken.isEmpty() ? QStringLiteral(", not exact within the period")
                                      : QStringLiteral(", exact ") + Joined(exactSpoken);
  row.speech +=
      passage.leavesJulianDayUt
          ? QStringLiteral(", leaves orb ") + SpokenMoment(*passage.leavesJulianDayUt, zone)
          : QStringLiteral(", still within orb at the end of the period");
  return row;
}

/// House entries sort after the aspects (by house) and after the natal
/// points (by sign, in the zodiac's order).
constexpr double kHouseSortKey = 1000.0;
constexpr double kSignSortKey = 100.0;

CalendarRow HouseRow(const HouseEntry& entry, const QTimeZone& zone) {
  CalendarRow row;
  const auto put = [&row](CalendarColumn column, QString text, std::optional<double> key = {}) {
    row.texts[static_cast<std::size_t>(column)] = std::move(text);
    row.keys[static_cast<std::size_t>(column)] = key;
  };
  put(CalendarColumn::Period, MonthText(entry.julianDayUt, zone), entry.julianDayUt);
  put(CalendarColumn::Planet, BodyName(entry.body),
      PointSortKey(static_cast<std::size_t>(entry.body)));
  QString what = QStringLiteral("enters house %1").arg(entry.house);
  if (entry.retrograde) {
    what += QStringLiteral(", retrograde");
  }
  put(CalendarColumn::Aspect, what, kHouseSortKey + entry.house);
  put(CalendarColumn::NatalPoint, SignName(entry.sign), kSignSortKey + entry.sign);
  put(CalendarColumn::Enters, CalendarMomentText(entry.julianDayUt, zone), entry.julianDayUt);
  row.speech = BodyName(entry.body) + QLatin1Char(' ') + what + QStringLiteral(" (") +
               SignName(entry.sign) + QStringLiteral(") ") + SpokenMoment(entry.julianDayUt, zone);
  return row;
}

}  // namespace

double JulianDayOfDateTime(const QDateTime& moment) noexcept {
  return kUnixEpochJulianDay +
         static_cast<double>(moment.toMSecsSinceEpoch()) / kMillisecondsPerDay;
}

QDateTime DateTimeOfJulianDay(double julianDayUt, const QTimeZone& zone) {
  const auto ms =
      static_cast<qint64>(std::llround((julianDayUt - kUnixEpochJulianDay) * kMillisecondsPerDay));
  // To the second, as the calendar file writes it.
  return QDateTime::fromSecsSinceEpoch((ms + 500) / 1000, QTimeZone::utc()).toTimeZone(zone);
}

QString CalendarMomentText(double julianDayUt, const QTimeZone& zone) {
  const QDateTime moment = DateTimeOfJulianDay(julianDayUt, zone);
  return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm ")) + ZoneAbbreviation(zone, moment);
}

QString CalendarNoteText(std::size_t passages, std::size_t houseEntries, std::size_t moments) {
  return Counted(passages, QStringLiteral("passage"), QStringLiteral("passages")) +
         QStringLiteral(" within 1\u00B0 and ") +
         Counted(houseEntries, QStringLiteral("house entry"), QStringLiteral("house entries")) +
         QStringLiteral("; ") +
         Counted(moments, QStringLiteral("moment"), QStringLiteral("moments")) + QLatin1Char('.');
}

QString ZoneChangesText(const QTimeZone& zone, double fromJulianDayUt, double toJulianDayUt) {
  const QDateTime from = DateTimeOfJulianDay(fromJulianDayUt, zone);
  const QDateTime to = DateTimeOfJulianDay(toJulianDayUt, zone);
  const auto named = [&zone](const QDateTime& moment) {
    const QString name = ZoneAbbreviation(zone, moment);
    const QString offset = QString::fromStdString(FormatUtOffset(zone.offsetFromUtc(moment)));
    return name == offset ? offset : name + QStringLiteral(" (") + offset + QLatin1Char(')');
  };
  QString text = QStringLiteral("Times in ") + QString::fromUtf8(zone.id()) + QStringLiteral(": ") +
                 named(from);
  int changes = 0;
  int offset = zone.offsetFromUtc(from);
  for (const QTimeZone::OffsetData& change : zone.transitions(from, to)) {
    if (change.offsetFromUtc == offset) {
      continue;  // a new name for the same offset: the times read the same
    }
    offset = change.offsetFromUtc;
    const QDateTime at = change.atUtc.toTimeZone(zone);
    text += QStringLiteral("; ") + named(at) + QStringLiteral(" from ") +
            at.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    ++changes;
  }
  return text + (changes == 0 ? QStringLiteral(" throughout.") : QStringLiteral("."));
}

frmTransitCalendar::frmTransitCalendar(const ChartView& chart, const AspectSettings& settings,
                                       TransitCalendarServices services, QWidget* parent)
    : QDialog(parent),
      chart_(chart),
      settings_(settings),
      services_(services),
      natal_(NatalPointsOf(chart.points)),
      zone_(services.clock.Now().timeZone()) {
  setObjectName(QStringLiteral("frmTransitCalendar"));
  const QString name = FromUtf8(chart.name).trimmed();
  setWindowTitle(QStringLiteral("Transit Calendar") +
                 (name.isEmpty() ? QString() : QStringLiteral(" \u2013 ") + name));
  setFont(look::VerdanaFont(look::points::kBody));
  auto* column = new QVBoxLayout(this);

  auto* choices = new QHBoxLayout;
  const QDate today = services_.clock.Today();
  const auto addDate = [this, choices](const QString& caption, const char* name,
                                       const QString& accessible, QDate date) {
    auto* label = new QLabel(caption, this);
    auto* box = new QDateEdit(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    box->setCalendarPopup(true);
    box->setDateRange(kFirstDate, kLastDate);
    box->setDate(date);
    box->setAccessibleName(accessible);
    label->setBuddy(box);
    choices->addWidget(label);
    choices->addWidget(box);
    return box;
  };
  dtpFrom_ = addDate(QStringLiteral("&From:"), "dtpFrom", QStringLiteral("From date"), today);
  dtpTo_ = addDate(QStringLiteral("&To:"), "dtpTo", QStringLiteral("To date"), today.addMonths(12));
  chkMars_ = new QCheckBox(QStringLiteral("Include &Mars"), this);
  chkMars_->setObjectName(QStringLiteral("chkMars"));
  chkMars_->setAccessibleName(QStringLiteral("Include Mars"));
  choices->addSpacing(12);
  choices->addWidget(chkMars_);
  choices->addStretch(1);
  column->addLayout(choices);

  auto* caption = new QLabel(
      QStringLiteral("Transit &list of %1 (times in your local zone, %2)")
          .arg(name.isEmpty() ? QStringLiteral("this chart") : name, QString::fromUtf8(zone_.id())),
      this);
  caption->setObjectName(QStringLiteral("lblCalendarCaption"));
  caption->setFont(look::VerdanaFont(look::points::kBody, true));
  column->addWidget(caption);
  tblCalendar_ = new QTableWidget(0, kCalendarColumnCount, this);
  tblCalendar_->setObjectName(QStringLiteral("tblCalendar"));
  tblCalendar_->setAccessibleName(QStringLiteral("Transit calendar"));
  tblCalendar_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tblCalendar_->setSelectionBehavior(QAbstractItemView::SelectRows);
  tblCalendar_->setSelectionMode(QAbstractItemView::SingleSelection);
  tblCalendar_->setTabKeyNavigation(false);
  tblCalendar_->setWordWrap(false);
  tblCalendar_->verticalHeader()->hide();
  tblCalendar_->verticalHeader()->setDefaultSectionSize(tblCalendar_->fontMetrics().lineSpacing() +
                                                        6);
  QStringList titles;
  for (const char* title : kColumnTitles) {
    titles.append(QString::fromLatin1(title));
  }
  tblCalendar_->setHorizontalHeaderLabels(titles);
  tblCalendar_->horizontalHeader()->setStretchLastSection(true);
  tblCalendar_->setSortingEnabled(true);
  EnableSortMenu(*tblCalendar_);
  caption->setBuddy(tblCalendar_);
  column->addWidget(tblCalendar_, 1);

  lblNote_ = new QLabel(this);
  lblNote_->setObjectName(QStringLiteral("lblCalendarNote"));
  lblNote_->setTextFormat(Qt::PlainText);
  lblNote_->setWordWrap(true);
  // Read by its text, the counts themselves.
  column->addWidget(lblNote_);
  lblZone_ = new QLabel(this);
  lblZone_->setObjectName(QStringLiteral("lblCalendarZone"));
  lblZone_->setTextFormat(Qt::PlainText);
  lblZone_->setWordWrap(true);
  column->addWidget(lblZone_);

  auto* buttons = new QHBoxLayout;
  chkIcsPassages_ = new QCheckBox(QStringLiteral("Export each &passage as one event"), this);
  chkIcsPassages_->setObjectName(QStringLiteral("chkIcsPassages"));
  chkIcsPassages_->setToolTip(
      QStringLiteral("One event from entering the orb to leaving it, its exact moments in the "
                     "description, instead of one event at each moment"));
  buttons->addWidget(chkIcsPassages_);
  buttons->addStretch(1);
  cmdExportIcs_ = new QPushButton(QStringLiteral("&Export as Calendar\u2026"), this);
  cmdExportIcs_->setObjectName(QStringLiteral("cmdExportIcs"));
  cmdExportIcs_->setAutoDefault(false);
  if (!IcsAvailable()) {
    cmdExportIcs_->setToolTip(
        QStringLiteral("This build cannot write calendar files: it was built without libical."));
  }
  buttons->addWidget(cmdExportIcs_);
  auto* close = new QPushButton(QStringLiteral("&Close"), this);
  close->setObjectName(QStringLiteral("cmdClose"));
  close->setAutoDefault(false);
  buttons->addWidget(close);
  column->addLayout(buttons);

  connect(dtpFrom_, &QDateEdit::dateChanged, this, &frmTransitCalendar::Recompute);
  connect(dtpTo_, &QDateEdit::dateChanged, this, &frmTransitCalendar::Recompute);
  connect(chkMars_, &QCheckBox::toggled, this, &frmTransitCalendar::Recompute);
  connect(cmdExportIcs_, &QPushButton::clicked, this, &frmTransitCalendar::cmdExportIcs_Click);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  setTabOrder(dtpFrom_, dtpTo_);
  setTabOrder(dtpTo_, chkMars_);
  setTabOrder(chkMars_, tblCalendar_);
  setTabOrder(tblCalendar_, chkIcsPassages_);
  setTabOrder(chkIcsPassages_, cmdExportIcs_);
  setTabOrder(cmdExportIcs_, close);

  resize(1000, 620);
  Recompute();
  dtpFrom_->setFocus(Qt::OtherFocusReason);
}

std::pair<double, double> frmTransitCalendar::Period() const {
  // The start of a day: midnight, or the first hour of a day whose clocks
  // skip midnight.
  const auto dayStart = [this](QDate day) {
    const QDateTime midnight(day, QTime(0, 0), zone_);
    return midnight.isValid() ? midnight : QDateTime(day, QTime(1, 0), zone_);
  };
  return {JulianDayOfDateTime(dayStart(dtpFrom_->date())),
          JulianDayOfDateTime(dayStart(dtpTo_->date().addDays(1)))};
}

void frmTransitCalendar::Recompute() {
  calendar_.reset();
  const auto [from, to] = Period();
  QString problem;
  const QDate first = dtpFrom_->date();
  const CivilMoment end = LongestCalendarEnd(CivilMoment{first.year(), first.month(), first.day()});
  if (dtpTo_->date().addDays(1) > QDate(end.year, end.month, end.day)) {
    problem = QStringLiteral("The period may last at most ten years.");
  } else {
    CalendarSettings settings;
    settings.fromJulianDayUt = from;
    settings.toJulianDayUt = to;
    if (chkMars_->isChecked()) {
      settings.bodies.insert(settings.bodies.begin(), ChartPoint::Mars);
    }
    settings.aspects = settings_;
    settings.ascendantSign = chart_.points[static_cast<std::size_t>(ChartPoint::Ascendant)].sign;
    auto found = FindTransitCalendar(chart_.ephemeris, natal_, settings);
    if (auto* message = std::get_if<std::string>(&found)) {
      problem = FromUtf8(*message);
      problem[0] = problem[0].toUpper();
      problem += QLatin1Char('.');
    } else {
      calendar_ = std::get<TransitCalendar>(std::move(found));
    }
  }
  Fill();
  if (calendar_) {
    const std::size_t moments = CalendarEvents(*calendar_).size();
    lblNote_->setText(
        CalendarNoteText(calendar_->passages.size(), calendar_->houseEntries.size(), moments));
    lblZone_->setText(ZoneChangesText(zone_, from, to));
  } else {
    lblNote_->setText(problem);
    lblZone_->clear();
  }
  cmdExportIcs_->setEnabled(IcsAvailable() && calendar_.has_value());
  chkIcsPassages_->setEnabled(cmdExportIcs_->isEnabled());
}

void frmTransitCalendar::Fill() {
  tblCalendar_->setSortingEnabled(false);
  tblCalendar_->setRowCount(0);
  if (!calendar_) {
    tblCalendar_->setSortingEnabled(true);
    return;
  }
  std::vector<CalendarRow> rows;
  for (const TransitPassage& passage : calendar_->passages) {
    rows.push_back(PassageRow(passage, natal_, Period(), zone_));
  }
  for (const HouseEntry& entry : calendar_->houseEntries) {
    rows.push_back(HouseRow(entry, zone_));
  }
  tblCalendar_->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (int c = 0; c < kCalendarColumnCount; ++c) {
      const auto at = static_cast<std::size_t>(c);
      auto* cell = new CalendarCell(rows[r].texts[at]);
      if (rows[r].keys[at]) {
        cell->setData(Qt::UserRole, *rows[r].keys[at]);
      }
      // Every cell reads its row whole.
      cell->setData(Qt::AccessibleTextRole, rows[r].speech);
      cell->setToolTip(rows[r].speech);
      tblCalendar_->setItem(static_cast<int>(r), c, cell);
    }
  }
  tblCalendar_->setSortingEnabled(true);
  tblCalendar_->sortByColumn(static_cast<int>(CalendarColumn::Period), Qt::AscendingOrder);
  tblCalendar_->resizeColumnsToContents();
}

bool frmTransitCalendar::cmdExportIcs_Click() {
  if (!calendar_ || !IcsAvailable()) {
    return false;
  }
  SaveDialogSettings dialog;
  dialog.title = QStringLiteral("Export as Calendar");
  dialog.filter = QStringLiteral("iCalendar files (*.ics)");
  dialog.defaultSuffix = QStringLiteral("ics");
  dialog.confirmOverwrite = true;
  dialog.pathMustExist = true;
  dialog.suggestedName =
      QString::fromStdString(FileNameStem(chart_.name)) + QStringLiteral("-transits.ics");
  const std::optional<QString> path = services_.saveDialog.AskSavePath(this, dialog);
  if (!path || path->isEmpty()) {
    return false;
  }
  const std::string name = "Transits of " + std::string(TrimSpaces(chart_.name));
  const IcsEventKind kind =
      chkIcsPassages_->isChecked() ? IcsEventKind::Passages : IcsEventKind::Moments;
  const std::optional<std::string> text =
      IcsText("zodivane", name, IcsEventsOf(*calendar_, natal_, chart_.name, kind),
              JulianDayOfDateTime(services_.clock.Now()));
  const std::optional<QString> failure =
      text ? WriteWholeFile(*path, QByteArrayView(*text))
           : std::optional<QString>(QStringLiteral("this build cannot write calendar files"));
  if (failure) {
    services_.messages.ShowNotice(this,
                                  QStringLiteral("The calendar could not be saved to %1.\n%2")
                                      .arg(QDir::toNativeSeparators(*path), *failure),
                                  MessageIcon::Critical);
    return false;
  }
  return true;
}

}  // namespace zodivane::ui
