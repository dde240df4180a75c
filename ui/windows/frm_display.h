// SPDX-License-Identifier: GPL-3.0-or-later
// The results form: the person's details, the Ascendant, sun and moon signs,
// the table of positions, the natal wheel and the planet-in-sign report.
#pragma once

#include <QWidget>

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "chart/chart_driver.h"
#include "chart/sensitivity_text.h"
#include "common/vocabulary.h"
#include "report/rtf_writer.h"
#include "ui/look/layout_zoom.h"
#include "ui/platform/web_links.h"

class QGroupBox;
class QLabel;
class QTextEdit;

namespace zodivane::ui {

class HouseListLabel;
class AspectLinesPicture;
class MidheavenMark;
class SignImage;
class SignImageList;
class SvgPicture;

/// How a position reads aloud: "Mars, 2 degrees 21 minutes Virgo,
/// retrograde" for Mars at 2° 21' Virgo, marked retrograde ("Ascendant" for
/// "Asc"); the name alone when the position names no sign.
[[nodiscard]] QString PositionSpeech(std::string_view pointName, const PointPosition& position);

/// The only child window of the main window. It computes nothing: ShowChart
/// writes a cast chart into its labels and pictures and its report into the
/// rich-text box. Controls carry the names the rest of the
/// program and the tests find them by (`lblPlanet_3` for position 3).
class frmDisplay : public QWidget {
  Q_OBJECT

 public:
  /// A fresh, empty form: every label shows its design-time caption and the
  /// report box is empty. `links` must outlive the form.
  explicit frmDisplay(WebLinks& links, QWidget* parent = nullptr);

  /// Writes `chart` into the form and appends `report`, the chart's
  /// planet-in-sign report as styled runs, to the report box. Called once per
  /// chart on a fresh form.
  void ShowChart(const ChartView& chart, std::span<const StyledRun> report);

  /// Puts each point's birth-time sentence on its labels as their tooltip:
  /// `lblPlanet_k` for every point, and `lblLagna`, `lblSunSign` and
  /// `lblRashi` for the Ascendant, the Sun and the Moon.
  void ShowSensitivity(const SensitivityView& sensitivity);

  /// The lines of `aspects` in the wheel, between the points of the chart
  /// shown; drawn while SetAspectLinesShown(true).
  void ShowAspectLines(const std::vector<Aspect>& aspects);
  void SetAspectLinesShown(bool shown);

  /// The further points of the chart shown (the Midheaven, IC, Descendant,
  /// the nodes and Chiron, as the engine gave them) in the wheel, each
  /// labelled in the list of its sign's house after the bodies
  /// (WheelPointTexts); off, the lists hold the bodies alone.
  void SetPointsInWheelShown(bool shown);
  [[nodiscard]] bool PointsInWheelShown() const noexcept { return pointsInWheel_; }

  /// Replaces the report box's text by `report`, opened on its first line.
  void ShowReport(std::span<const StyledRun> report);

  /// The report box's text as plain text (paragraphs separated by "\n").
  [[nodiscard]] QString ReportPlainText() const;

  /// Scales the whole form, its type, wheel and report included, to
  /// `factor` times its designed size (1: as designed).
  void SetZoom(double factor);
  [[nodiscard]] double Zoom() const noexcept { return zoom_; }
  /// The form's size as designed, at a zoom of 1.
  [[nodiscard]] static QSize DesignedSize() noexcept;

 private:
  void BuildDetails();
  void BuildOtherDetails();
  void BuildPositions();
  void BuildWheel();
  void BuildReport();
  /// Names the positions as sentences and describes the wheel house by house.
  void DescribeForAssistiveTechnology(const ChartView& chart);

  /// Gives each house list its further points while they are shown, none otherwise.
  void ShowWheelPoints();

  /// Label3_Click: the maker's home page in the user's browser.
  void Label3_Click();

  WebLinks& links_;
  WidgetScaler scaler_;
  double zoom_ = 1.0;

  QGroupBox* fraDetails_ = nullptr;
  QGroupBox* fraVedic_ = nullptr;
  QGroupBox* fraWestern_ = nullptr;
  QTextEdit* RTBHouseDesc_ = nullptr;
  SvgPicture* picNatal_ = nullptr;
  AspectLinesPicture* aspectLines_ = nullptr;
  MidheavenMark* midheaven_ = nullptr;
  PointPositions points_{};
  std::optional<int> firstHouseSign_;
  /// The further points' labels by wheel position, for View > Points in Wheel.
  std::array<std::vector<QString>, kSignCount> wheelPoints_{};
  bool pointsInWheel_ = false;
  SignImageList* IMG_ = nullptr;
  QLabel* Label3_ = nullptr;
  QLabel* Label2_ = nullptr;

  QLabel* lblName_ = nullptr;
  QLabel* lblDOB_ = nullptr;
  QLabel* lblTOB_ = nullptr;
  QLabel* lblLongitude_ = nullptr;
  QLabel* lblLatitude_ = nullptr;
  QLabel* lblCity_ = nullptr;
  QLabel* lblState_ = nullptr;
  QLabel* lblCountry_ = nullptr;
  QLabel* lblZone_ = nullptr;

  QLabel* lblLagna_ = nullptr;
  QLabel* lblSunSign_ = nullptr;
  QLabel* lblRashi_ = nullptr;

  std::array<QLabel*, kChartPointCount> PlanetName_{};
  std::array<QLabel*, kChartPointCount> lblPlanet_{};

  /// Wheel position k (house k + 1): list label, sign picture and house number.
  std::array<HouseListLabel*, kSignCount> lblNatal_{};
  std::array<SignImage*, kSignCount> imgSign_{};
  std::array<QLabel*, kSignCount> lblNatalPosition_{};
  /// Design-time sign captions of the wheel, by sign index (Aries first).
  std::array<QLabel*, kSignCount> signLabels_{};
};

}  // namespace zodivane::ui
