// SPDX-License-Identifier: GPL-3.0-or-later
// Chart > Transit Calendar…: over a period the user chooses, each slow
// planet's passages through its aspects to the chart's points (when it comes
// within a degree, each exact hit, when it leaves) and its entries into the
// chart's houses, as a sortable table in the user's local time, and the same
// moments written as an iCalendar file.
#pragma once

#include <QDate>
#include <QDialog>
#include <QString>
#include <QTimeZone>

#include <optional>
#include <vector>

#include "aspects/aspects.h"
#include "chart/chart_driver.h"
#include "transits/transits.h"
#include "ui/platform/platform.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableWidget;

namespace zodivane::ui {

/// The services the calendar window uses; all outlive it.
struct TransitCalendarServices {
  MessageBoxes& messages;
  SaveFileDialog& saveDialog;
  Clock& clock;
};

/// The table's columns.
enum class CalendarColumn { Period, Planet, Aspect, NatalPoint, Enters, Exact, Leaves };
inline constexpr int kCalendarColumnCount = 7;

/// The Julian day (UT) of a moment of the computer's clock.
[[nodiscard]] double JulianDayOfDateTime(const QDateTime& moment) noexcept;
/// The moment of a Julian day (UT) in `zone`, to the second.
[[nodiscard]] QDateTime DateTimeOfJulianDay(double julianDayUt, const QTimeZone& zone);
/// A moment as the table writes it, in `zone` with the zone's name at that
/// moment: "2025-03-04 14:22 CET", "2025-07-04 14:22 CEST".
[[nodiscard]] QString CalendarMomentText(double julianDayUt, const QTimeZone& zone);
/// The status line under the table: "3 passages within 1° and 1 house
/// entry; 8 moments."
[[nodiscard]] QString CalendarNoteText(std::size_t passages, std::size_t houseEntries,
                                       std::size_t moments);
/// The line that names the table's zone and where its offset changes within
/// the period (Julian days in UT): "Times in America/New_York: EST (UT-5:00);
/// EDT (UT-4:00) from 2026-03-08 03:00; EST (UT-5:00) from 2026-11-01 01:00."
[[nodiscard]] QString ZoneChangesText(const QTimeZone& zone, double fromJulianDayUt,
                                      double toJulianDayUt);

class frmTransitCalendar final : public QDialog {
  Q_OBJECT

 public:
  /// The calendar of `chart` (its points, its Ascendant's sign for the
  /// houses and its engine) under the aspects in use of `settings`; the
  /// period opens on today (the services' clock) to twelve months on, and
  /// the moments are shown in the clock's zone.
  frmTransitCalendar(const ChartView& chart, const AspectSettings& settings,
                     TransitCalendarServices services, QWidget* parent = nullptr);

  /// The period chosen, Julian days in UT: from the start of the first day
  /// to the end of the last, in the user's local zone.
  [[nodiscard]] std::pair<double, double> Period() const;
  /// The calendar the table shows; none while the period cannot be used.
  [[nodiscard]] const std::optional<TransitCalendar>& Calendar() const noexcept {
    return calendar_;
  }

 public slots:
  /// Finds the calendar of the period chosen and fills the table.
  void Recompute();
  /// Export as Calendar…: asks for a file and writes the calendar as
  /// iCalendar, a passage or a moment an event as chkIcsPassages says,
  /// stamped with the clock's now. True when a file was written.
  bool cmdExportIcs_Click();

 private:
  void Fill();

  ChartView chart_;
  AspectSettings settings_;
  TransitCalendarServices services_;
  std::vector<NatalPoint> natal_;
  std::optional<TransitCalendar> calendar_;
  QTimeZone zone_;
  QDateEdit* dtpFrom_ = nullptr;
  QDateEdit* dtpTo_ = nullptr;
  QCheckBox* chkMars_ = nullptr;
  QTableWidget* tblCalendar_ = nullptr;
  QLabel* lblNote_ = nullptr;
  QLabel* lblZone_ = nullptr;
  QCheckBox* chkIcsPassages_ = nullptr;
  QPushButton* cmdExportIcs_ = nullptr;
};

}  // namespace zodivane::ui
