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
/// The moment of a Julian day (UT) in the user's local zone, to the second.
[[nodiscard]] QDateTime LocalDateTimeOfJulianDay(double julianDayUt);
/// A moment as the table writes it: "2025-03-04 14:22" in the user's local zone.
[[nodiscard]] QString CalendarMomentText(double julianDayUt);

class frmTransitCalendar final : public QDialog {
  Q_OBJECT

 public:
  /// The calendar of `chart` (its points, its Ascendant's sign for the
  /// houses and its engine) under the aspects in use of `settings`; the
  /// period opens on today (the services' clock) to twelve months on.
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
  /// iCalendar. True when a file was written.
  bool cmdExportIcs_Click();

 private:
  void Fill();

  ChartView chart_;
  AspectSettings settings_;
  TransitCalendarServices services_;
  std::vector<NatalPoint> natal_;
  std::optional<TransitCalendar> calendar_;
  QDateEdit* dtpFrom_ = nullptr;
  QDateEdit* dtpTo_ = nullptr;
  QCheckBox* chkMars_ = nullptr;
  QTableWidget* tblCalendar_ = nullptr;
  QLabel* lblNote_ = nullptr;
  QPushButton* cmdExportIcs_ = nullptr;
};

}  // namespace zodivane::ui
