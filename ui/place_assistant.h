// SPDX-License-Identifier: GPL-3.0-or-later
// The input form's place finder: the city box offers the gazetteer's
// matches as the user types; choosing one fills the place, the coordinates,
// the zone row and the daylight-saving box, and a note says what was chosen.
#pragma once

#include <QObject>
#include <QString>

#include <optional>
#include <vector>

#include "places/gazetteer.h"
#include "places/zone_rows.h"
#include "ui/place_finder.h"

class QCheckBox;
class QComboBox;
class QCompleter;
class QLabel;
class QLineEdit;
class QRadioButton;
class QStringListModel;

namespace zodivane::ui {

/// Works on the input form's own controls, found by their names. The zone
/// suggestion follows changes of the date and time until the user picks a
/// zone or ticks the daylight-saving box by hand.
class PlaceAssistant : public QObject {
  Q_OBJECT

 public:
  /// `form` holds the controls (txtMCity, cmbTimeZone, ...); `note` shows
  /// the zone note. Both outlive the assistant.
  PlaceAssistant(QWidget& form, QLabel& note, QObject* parent = nullptr);

  /// The text a match is offered as: "Springfield, Illinois, United States of America".
  [[nodiscard]] static QString MatchText(const places::Place& place);

  /// The matches offered now, in the order shown.
  [[nodiscard]] const std::vector<places::Place>& matches() const noexcept { return matches_; }
  /// The place chosen last, if any.
  [[nodiscard]] const std::optional<places::Place>& chosen() const noexcept { return chosen_; }
  /// True while the zone row and box follow the date and time.
  [[nodiscard]] bool zoneFollows() const noexcept { return zoneFollows_; }

 public slots:
  /// Chooses match `index` of the offered ones.
  void Choose(int index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CityEdited(const QString& text);
  void ShowMatches(const QString& query, const std::vector<places::Place>& matches);
  /// Suggests the zone of the chosen place for the date and time now in
  /// the form; sets the row and box when they follow.
  void UpdateZone();
  void ZoneSetByHand();
  template <typename T>
  T* Control(const char* name) const;

  QWidget& form_;
  QLabel& note_;
  PlaceFinder finder_;
  QCompleter* completer_ = nullptr;
  QStringListModel* model_ = nullptr;
  std::vector<places::Place> matches_;
  std::optional<places::Place> chosen_;
  bool zoneFollows_ = false;

  QLineEdit* city_ = nullptr;
  QComboBox* zone_ = nullptr;
  QCheckBox* dst_ = nullptr;
};

}  // namespace zodivane::ui
