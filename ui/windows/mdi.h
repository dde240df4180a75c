// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: banner, the program's name, the results form in the navy
// client area, and the bottom bar with Print, Back and Exit.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

#include "chart/chart_aspects.h"
#include "chart/chart_driver.h"
#include "report/rtf_writer.h"
#include "ui/look/layout_zoom.h"
#include "ui/platform/platform.h"
#include "ui/platform/web_links.h"
#include "ui/windows/chart_sheet_actions.h"

class QAction;
class QMenu;
class QLabel;
class QPushButton;
class QScrollArea;
class QWidget;

namespace zodivane::ui {

class AspectPanel;
class frmDisplay;
class frmTransits;

/// The settings key of the aspect panel (section "View"): "shown" or "hidden".
inline const QString kAspectPanelKey = QStringLiteral("View/Aspects");
/// The settings key of View > Aspects in Report (section "View"): "on" or "off".
inline const QString kAspectsInReportKey = QStringLiteral("View/AspectsInReport");
/// The settings key of View > Aspect Lines (section "View"): "on" or "off".
inline const QString kAspectLinesKey = QStringLiteral("View/AspectLines");
/// The settings key of View > Points in Wheel (section "View"): "on" or "off".
inline const QString kPointsInWheelKey = QStringLiteral("View/PointsInWheel");

/// Left edges, in twips, of the controls that follow the window's width.
struct MdiLayout {
  int bannerLeft = 0;        ///< lblQuorvelBanner
  int softwareNameLeft = 0;  ///< lblSoftwareName
  int exitLeft = 0;          ///< cmdMdiExit
  int backLeft = 0;          ///< cmdBack
  int printLeft = 0;         ///< Command1
  int displayLeft = 0;       ///< frmDisplay, inside the client area
  friend bool operator==(const MdiLayout&, const MdiLayout&) = default;
};

/// What Chart > Transit Calendar… and Chart > Compare With… use; all outlive the window.
struct ChartToolServices {
  MessageBoxes& messages;
  Clock& clock;
  OpenFileDialog& openDialog;
  SaveFileDialog& saveDialog;
  PrintDialog& printDialog;
  /// The recent chart files, the most recent first, for Compare With's submenu.
  std::function<QStringList()> recentCharts;
};

/// The layout rules for a window `widthTwips` wide (twips, 15 to a logical pixel).
[[nodiscard]] MdiLayout ComputeMdiLayout(int widthTwips) noexcept;

class MDI : public QMainWindow {
  Q_OBJECT

 public:
  /// Creates the window with a fresh, empty results form inside it.
  explicit MDI(WebLinks& links, QWidget* parent = nullptr);

  [[nodiscard]] frmDisplay& Display() noexcept { return *display_; }

  /// Shows `notes` in the bottom bar, left of the buttons, each on a line of
  /// its own (cut with an ellipsis when the window is too narrow; the whole
  /// text is its tooltip); no notes hide the line.
  void ShowBirthTimeNote(const QStringList& notes);
  /// The whole of how sure the chart is, one sentence a line, for Chart >
  /// How Sure Is This Chart? (keyboard and screen-reader users cannot reach
  /// the tooltips); empty disables the item.
  void SetSensitivityText(const QString& text);
  /// Shows that text in a window of its own.
  void mnuHowSure_Click();

  /// Closes the window for Back: the program goes on.
  void CloseForBack();

  /// View's zoom and the aspect panel from `settings`, where they are also
  /// kept from now on. Without a remembered zoom: Fit to Window on a screen
  /// larger than the designed layout, Actual Size on a smaller one; the
  /// aspect panel shows unless it was hidden.
  void UseViewSettings(SettingsStore& settings);

  /// The chart's aspects and patterns, in the panel beside the results,
  /// found with `settings` (which Chart > Aspect Settings… opens on).
  void ShowAspects(const ChartAspects& aspects, const AspectSettings& settings);
  /// The report's two parts: the planet-in-sign paragraphs the results form
  /// shows, and the section on the aspects that View > Aspects in Report
  /// adds after them.
  void SetReportSections(std::vector<StyledRun> planets, std::vector<StyledRun> aspects);
  /// View > Zoom In, Zoom Out, Actual Size and Fit to Window.
  void SetZoom(const ZoomChoice& choice);
  [[nodiscard]] const ZoomChoice& Zoom() const noexcept { return zoom_; }

  /// The chart the window shows, for Export Chart… and Print Chart…; both
  /// stay disabled until a chart and the services are given.
  void SetChartSheet(const ChartView& chart, std::optional<ChartSheetServices> services);

  /// The chart's points as the aspect search reads them (for Compare
  /// With…) and the services of Chart > Transit Calendar… and Compare
  /// With…; both stay disabled until these and a chart are given.
  void SetChartTools(const AspectPoints& points, ChartToolServices services);
  /// Compare With: the chart file at `path`, cast by this chart's engine,
  /// in a synastry window over this one. A file that cannot be read, is no
  /// chart file or whose chart is refused is reported; false then.
  bool CompareWith(const QString& path);
  /// The clock Chart > Transits… opens on (its now and the user's zone);
  /// the item stays disabled until a chart and the clock are given. `clock`
  /// must outlive the window.
  void SetTransitClock(Clock& clock);

  /// The engine Chart > Aspect Settings… opens on (the one charts are cast with).
  void SetEphemeris(Ephemeris ephemeris) noexcept { ephemeris_ = ephemeris; }

 signals:
  /// Chart > Aspect Settings… was confirmed with `settings`.
  void AspectSettingsChosen(const zodivane::AspectSettings& settings);
  /// Chart > Aspect Settings… was confirmed with another engine than before.
  void EphemerisChosen(zodivane::Ephemeris ephemeris);
  /// Print: the report window is to open over this window.
  void ReportRequested();
  /// Back was chosen; the window has closed.
  void BackRequested();
  /// The window closed other than by Back: the program ends.
  void Unloaded();

 public slots:
  void cmdBack_Click();
  void mnuBack_Click() { cmdBack_Click(); }
  void Command1_Click() { emit ReportRequested(); }
  void cmdMdiExit_Click() { close(); }
  void mnuExit_Click() { close(); }
  void lblQuorvelBanner_Click() { links_.OpenHomePage(); }
  void mnuOnline_Click() { links_.OpenHelpPage(); }
  void mnuVisit_Click() { links_.OpenHomePage(); }
  void mnuUpdate_Click() { links_.OpenDownloadPage(); }
  void mnuAbout_Click();
  void mnuExportChart_Click();
  void mnuPrintChart_Click();
  void mnuAspectSettings_Click() { OpenAspectSettings(false); }
  /// Chart > Aspect Settings… with the focus on the engine choice, after a
  /// cast with the chosen engine was refused.
  void ChooseEphemerisAgain() { OpenAspectSettings(true); }
  void mnuTransitCalendar_Click();
  void mnuCompareWithFile_Click();
  /// Chart > Transits…: the transits window, opened or brought to the front.
  void mnuTransits_Click();
  void mnuZoomIn_Click();
  void mnuZoomOut_Click();
  void mnuActualSize_Click() { SetZoom({false, 1.0}); }
  void mnuFitToWindow_Click() { SetZoom({true, 1.0}); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  /// Chart > Aspect Settings…, opened on the engine choice when `onEngine`.
  void OpenAspectSettings(bool onEngine);
  /// Chart > Transit Calendar… and Compare With, below Aspect Settings….
  void BuildChartToolMenus(QMenu& chart);
  void FillCompareMenu();
  /// Places the controls by the layout rules for the window's present width.
  void LayOut();
  /// Fit to Window's factor: the largest at which the form, and the aspects
  /// beside it when `besideAspects`, fit the client area without scrolling.
  [[nodiscard]] double FitZoom(bool besideAspects);
  /// The aspect panel's width, in pixels, at zoom `factor`.
  [[nodiscard]] static int AspectPanelWidth(double factor);

  WebLinks& links_;
  QLabel* lblQuorvelBanner_ = nullptr;
  QLabel* lblSoftwareName_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QWidget* clientArea_ = nullptr;
  frmDisplay* display_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* cmdBack_ = nullptr;
  QPushButton* cmdMdiExit_ = nullptr;
  QLabel* lblBirthTimeNote_ = nullptr;
  QStringList birthTimeNotes_;
  QString sensitivityText_;
  QAction* mnuHowSure_ = nullptr;
  bool closingForBack_ = false;
  std::optional<ChartView> chart_;
  std::optional<ChartSheetServices> sheetServices_;
  QAction* mnuExportChart_ = nullptr;
  QAction* mnuPrintChart_ = nullptr;
  QAction* mnuFitToWindow_ = nullptr;
  AspectPanel* aspects_ = nullptr;
  std::optional<ChartToolServices> toolServices_;
  AspectPoints points_{};
  QAction* mnuTransitCalendar_ = nullptr;
  QMenu* mnuCompareWith_ = nullptr;
  QAction* mnuAspects_ = nullptr;
  QAction* mnuAspectsInReport_ = nullptr;
  QAction* mnuAspectLines_ = nullptr;
  QAction* mnuPointsInWheel_ = nullptr;
  AspectSettings aspectSettings_ = DefaultAspectSettings();
  Ephemeris ephemeris_ = Ephemeris::BuiltIn;
  Clock* transitClock_ = nullptr;
  QAction* mnuTransits_ = nullptr;
  QPointer<frmTransits> transits_;
  std::vector<StyledRun> planetReport_;
  std::vector<StyledRun> aspectReport_;
  /// Shows the planet-in-sign report, with the aspects section when chosen.
  void ShowReport();
  SettingsStore* settings_ = nullptr;
  ZoomChoice zoom_;
  bool zooming_ = false;  ///< the results form is being scaled: no layout meanwhile
};

}  // namespace zodivane::ui
