// SPDX-License-Identifier: GPL-3.0-or-later
// The input form: birth data, the place lookup, the banner and the Help
// menu. "Proceed" casts the chart and hands it on through ChartCast.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QUrl>

#include <array>
#include <optional>

#include "chart/birth_data.h"
#include "chart/chart_driver.h"
#include "places/gazetteer.h"
#include "ui/places/place_assistant.h"
#include "ui/platform/platform.h"
#include "ui/platform/web_links.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zodivane::ui {

class CoordinateBox;
class FilteredBox;
class frmMain : public QMainWindow, public PlaceForm {
  Q_OBJECT

 public:
  /// `session` casts the charts; `links` opens the web pages and the place
  /// search; `messages` shows the form's notices. All three outlive the form.
  frmMain(ChartSession& session, WebLinks& links, MessageBoxes& messages,
          QWidget* parent = nullptr);

  /// The entries as the controls hold them now.
  [[nodiscard]] FormEntries CollectEntries() const override;
  void SetPlaceEntries(const FormEntries& entries) override;
  void ClearPlaceNames(const std::string& state, const std::string& country) override;

  /// The place the city box's finder chose, while the entries still come from it.
  [[nodiscard]] const std::optional<ChosenPlace>& chosenPlace() const;
  /// Takes `place` as the chosen place of the entries now in the form (a
  /// chart file's), so that the zone note checks them against it.
  void AdoptPlace(const ChosenPlace& place);

  /// Proceed: casts the chart of the entries now in the form. A chart is
  /// raised through ChartCast and true returned; a rejection shows its
  /// message, focuses its control and returns false.
  bool Cast();
  /// The engine Cast uses from now on (the built-in method until set).
  void SetEphemeris(Ephemeris ephemeris) noexcept { ephemeris_ = ephemeris; }
  [[nodiscard]] Ephemeris ephemeris() const noexcept { return ephemeris_; }

  /// Forgets any chosen place, then fills every control from `entries` (a
  /// chart file's): the boxes' texts,
  /// the list positions, the options and the daylight-saving box. The list
  /// texts must be entries of their lists, as the chart file reader checks.
  void SetEntries(const FormEntries& entries);

  /// A long city, state or country shows its beginning (after Back, after a
  /// file), unless the user is in the box.
  void ShowPlaceBeginnings();

  /// The web search text for a birth place: city, state and country as
  /// typed, one space apart, then " Latitude Longitude".
  [[nodiscard]] static QString PlaceQuery(const QString& city, const QString& state,
                                          const QString& country);

  /// The address of a web search for `query` (the search address of the
  /// build followed by the percent-encoded query).
  [[nodiscard]] static QUrl PlaceSearchAddress(const QString& query);

 signals:
  /// Raised with the view of each chart that "Proceed" casts.
  void ChartCast(const zodivane::ChartView& chart);
  /// The form was closed (File > Exit or the close box): the program ends.
  void Unloaded();
  /// A cast was refused because the chosen engine cannot cast here (Swiss
  /// Ephemeris without its library or files), after its message was shown:
  /// the engine is to be chosen again.
  void EphemerisRefused();

 public slots:
  void cmdRashi_Click() { Cast(); }
  void mnuNext_Click() { cmdRashi_Click(); }
  void cmdBrowser_Click();
  void Label61_Click() { links_.OpenHomePage(); }
  void mnuVisit_Click() { links_.OpenHomePage(); }
  void mnuOnline_Click() { links_.OpenHelpPage(); }
  void mnuUpdate_Click() { links_.OpenDownloadPage(); }
  void mnuAbout_Click();
  void mnuExit_Click() { close(); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void NameControls();
  void BuildMenus();
  void SetTabOrder();
  void Form_Load();
  /// The note under the panel and the place finder of the city box.
  void BuildPlaceFinder();
  void ShowNotice(const Notice& notice);

  ChartSession& session_;
  WebLinks& links_;
  MessageBoxes& messages_;
  Ephemeris ephemeris_ = Ephemeris::BuiltIn;

  FilteredBox* txtName_ = nullptr;
  QComboBox* cboMonth_ = nullptr;
  QComboBox* cboDate_ = nullptr;
  QComboBox* cboYear_ = nullptr;
  QComboBox* cboHH_ = nullptr;
  QComboBox* cboMM_ = nullptr;
  QComboBox* cboSS_ = nullptr;
  QCheckBox* chkDST_ = nullptr;
  QComboBox* cmbTimeZone_ = nullptr;
  CoordinateBox* txtLatD_ = nullptr;
  CoordinateBox* txtLatM_ = nullptr;
  CoordinateBox* txtLonD_ = nullptr;
  CoordinateBox* txtLonM_ = nullptr;
  std::array<QRadioButton*, 2> optLat_{};
  std::array<QRadioButton*, 2> optLong_{};
  QLineEdit* txtMCity_ = nullptr;
  QLineEdit* txtMState_ = nullptr;
  QLineEdit* txtMCountry_ = nullptr;
  QPushButton* cmdBrowser_ = nullptr;
  QPushButton* cmdRashi_ = nullptr;
  PlaceAssistant* place_ = nullptr;
};

}  // namespace zodivane::ui
