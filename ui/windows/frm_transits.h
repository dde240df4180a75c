// SPDX-License-Identifier: GPL-3.0-or-later
// Chart > Transits…: the sky of any moment around the natal chart. A date
// and time on the user's own clock, Now and a day back or forward; the
// bi-wheel with the natal wheel inside and the bodies of that moment around
// it; the list of their aspects to the natal points; the transit sheet to
// a file or a printer. Every change of the moment recasts at once.
#pragma once

#include <QDateTime>
#include <QDialog>
#include <QTimeZone>

#include <optional>
#include <vector>

#include "chart/chart_driver.h"
#include "ui/platform/platform.h"
#include "ui/sheet/bi_wheel.h"
#include "ui/sheet/transit_sheet.h"
#include "ui/windows/chart_sheet_actions.h"

class QAction;
class QCheckBox;
class QDateTimeEdit;
class QLabel;
class QPushButton;
class QTableWidget;

namespace zodivane::ui {

/// The bi-wheel as a picture in a window: drawn to the widget's size,
/// always square.
class BiWheelPicture final : public QWidget {
  Q_OBJECT

 public:
  explicit BiWheelPicture(QWidget* parent = nullptr);
  void SetView(BiWheelView view);
  [[nodiscard]] const BiWheelView& View() const noexcept { return view_; }
  [[nodiscard]] bool hasHeightForWidth() const override { return true; }
  [[nodiscard]] int heightForWidth(int width) const override { return width; }
  [[nodiscard]] QSize sizeHint() const override;
  [[nodiscard]] QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  BiWheelView view_;
};

/// "Your time zone: CET, UT+1:00": the zone `zone` goes by at `moment`
/// (its abbreviation left out where it is only the offset again).
[[nodiscard]] QString ZoneCaption(const QTimeZone& zone, const QDateTime& moment);
/// The zone's short name at `moment` ("CET", "EDT"), or its offset
/// ("UT+3:00") for a zone without a name of its own.
[[nodiscard]] QString ZoneAbbreviation(const QTimeZone& zone, const QDateTime& moment);

class frmTransits final : public QDialog {
  Q_OBJECT

 public:
  /// The transits of the moment `clock` gives as now to `chart`, with the
  /// aspects of `settings` (every orb TransitSettings makes it). Export and
  /// Print stay disabled without `sheetServices`. `clock` must outlive the window.
  frmTransits(const ChartView& chart, const AspectSettings& settings, Clock& clock,
              std::optional<ChartSheetServices> sheetServices, QWidget* parent = nullptr);

  /// Another choice of aspects: the list and the lines follow at once.
  void SetAspectSettings(const AspectSettings& settings);
  /// Shows the transits of `moment` (any zone; shown on the user's clock,
  /// to the minute).
  void SetMoment(const QDateTime& moment);
  /// The moment shown, in UTC.
  [[nodiscard]] QDateTime Moment() const;
  /// What the sheet shows: the wheel, the aspects and the moment's texts.
  [[nodiscard]] const TransitSheet& Sheet() const noexcept { return sheet_; }

 public slots:
  void cmdNow_Click();
  void cmdDayBack_Click();
  void cmdDayForward_Click();
  void mnuExportTransits_Click();
  void mnuPrintTransits_Click();

 protected:
  /// The date box leaves the window's own shortcuts to the window.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  /// Casts the sky of the moment in the date box and shows it everywhere.
  void Recast();
  void ShowList();

  ChartView chart_;
  AspectSettings settings_;
  Clock& clock_;
  std::optional<ChartSheetServices> sheetServices_;
  QTimeZone zone_;
  std::vector<NatalPoint> natal_;
  TransitSheet sheet_;

  QDateTimeEdit* dtpTransit_ = nullptr;
  QLabel* lblTransitZone_ = nullptr;
  QLabel* lblTransitUt_ = nullptr;
  QPushButton* cmdDayBack_ = nullptr;
  QPushButton* cmdNow_ = nullptr;
  QPushButton* cmdDayForward_ = nullptr;
  BiWheelPicture* picBiWheel_ = nullptr;
  QCheckBox* chkTransitLines_ = nullptr;
  QTableWidget* tblTransits_ = nullptr;
  QPushButton* cmdClose_ = nullptr;
  QAction* mnuExportTransits_ = nullptr;
  QAction* mnuPrintTransits_ = nullptr;
  QAction* mnuCloseTransits_ = nullptr;
};

}  // namespace zodivane::ui
