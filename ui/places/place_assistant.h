// SPDX-License-Identifier: GPL-3.0-or-later
// The input form's place finder: the city box offers the gazetteer's
// matches as the user types; choosing one fills the place, the coordinates,
// the zone row and the daylight-saving box, and a note says what was chosen.
#pragma once

#include <QObject>
#include <QRect>
#include <QString>

#include <optional>
#include <string>
#include <vector>

#include "places/gazetteer.h"
#include "places/zone_rows.h"
#include "ui/places/place_finder.h"

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
  /// the zone note and `warningIcon` marks it as a warning. All outlive the
  /// assistant.
  PlaceAssistant(QWidget& form, QLabel& note, QLabel& warningIcon, QObject* parent = nullptr);

  /// The text a match is offered as: "Springfield, Illinois, United States of America".
  [[nodiscard]] static QString MatchText(const places::Place& place);

  /// The matches offered now, in the order shown.
  [[nodiscard]] const std::vector<places::Place>& matches() const noexcept { return matches_; }
  /// The place chosen last, if any.
  [[nodiscard]] const std::optional<places::Place>& chosen() const noexcept { return chosen_; }
  /// True while the zone row and box follow the date and time.
  [[nodiscard]] bool zoneFollows() const noexcept { return zoneFollows_; }
  /// The place's own zone the zone list offers after its rows, if any.
  [[nodiscard]] const std::optional<PlaceZone>& placeZone() const noexcept { return placeZone_; }
  /// True while the note warns (the form's zone disagrees with the database,
  /// or a daylight row is ticked as well).
  [[nodiscard]] bool warns() const noexcept { return warns_; }
  /// The note's text while it warns; empty otherwise.
  [[nodiscard]] std::string warningText() const;

  /// Forgets the chosen place without touching any entry (the form is about
  /// to be filled from elsewhere); the zone list keeps no entry after its rows.
  void Forget();
  /// Offers `zone` as the zone list's entry after its rows (a chart file's),
  /// or removes that entry.
  void OfferPlaceZone(const std::optional<PlaceZone>& zone);
  /// Takes `place` as chosen for entries already in the form (a chart
  /// file's), without changing them: the note checks them against it.
  void Adopt(const places::Place& place);

 public slots:
  /// Chooses match `index` of the offered ones.
  void Choose(int index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CityEdited(const QString& text);
  /// The user typed over what the chosen place filled: it no longer applies.
  void DropPlace();
  void ShowNote(const QString& text, bool warning);
  void ShowMatches(const QString& query, const std::vector<places::Place>& matches);
  /// Suggests the zone of the chosen place for the date and time now in
  /// the form; sets the row and box when they follow.
  void UpdateZone();
  void ZoneSetByHand();
  template <typename T>
  T* Control(const char* name) const;

  QWidget& form_;
  QLabel& note_;
  QLabel& warningIcon_;
  QRect noteRect_;
  std::optional<PlaceZone> placeZone_;
  bool warns_ = false;
  bool dropped_ = false;
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
