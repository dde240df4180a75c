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
class QStringListModel;

namespace zodivane::ui {

/// What the place assistant asks of the input form beyond the controls it
/// works on: the entries, and the place's boxes filled from a choice.
class PlaceForm {
 public:
  virtual ~PlaceForm() = default;
  /// The entries as the controls hold them now.
  [[nodiscard]] virtual FormEntries CollectEntries() const = 0;
  /// Fills the city, state and country boxes (each showing its beginning),
  /// the coordinates and the hemispheres from `entries`.
  virtual void SetPlaceEntries(const FormEntries& entries) = 0;
  /// Empties the state and the country box where each still shows the
  /// name given for it.
  virtual void ClearPlaceNames(const std::string& state, const std::string& country) = 0;
};

/// The controls the assistant works on: the city box offers the matches;
/// the zone list and the daylight-saving box take the suggested zone; the
/// note and its warning icon say what was chosen and what disagrees.
struct PlaceControls {
  QLineEdit& city;
  QComboBox& zone;
  QCheckBox& daylight;
  QLabel& note;
  QLabel& warningIcon;
};

/// The input form's place finder. The zone suggestion follows changes of
/// the date and time (the form calls DateOrTimeChanged) until the user
/// picks a zone or ticks the daylight-saving box by hand.
class PlaceAssistant : public QObject {
  Q_OBJECT

 public:
  /// `form` and the controls outlive the assistant.
  PlaceAssistant(PlaceForm& form, PlaceControls controls, QObject* parent = nullptr);

  /// The text a match is offered as: "Springfield, Illinois, United States of America".
  [[nodiscard]] static QString MatchText(const places::Place& place);

  /// The matches offered now, in the order shown.
  [[nodiscard]] const std::vector<places::Place>& matches() const noexcept { return matches_; }
  /// The place chosen last, if any.
  [[nodiscard]] const std::optional<ChosenPlace>& chosen() const noexcept { return chosen_; }
  /// True while the zone row and box follow the date and time.
  [[nodiscard]] bool zoneFollows() const noexcept { return zoneFollows_; }
  /// The place's own zone the zone list offers after its rows, if any.
  [[nodiscard]] const std::optional<PlaceZone>& placeZone() const noexcept { return placeZone_; }
  /// True while the note warns (the form's zone disagrees with the database,
  /// or a daylight row is ticked as well).
  [[nodiscard]] bool warns() const noexcept { return warns_; }

  /// Forgets the chosen place without touching any entry (the form is about
  /// to be filled from elsewhere); the zone list keeps no entry after its rows.
  void Forget();
  /// Offers `zone` as the zone list's entry after its rows (a chart file's),
  /// or removes that entry.
  void OfferPlaceZone(const std::optional<PlaceZone>& zone);
  /// Takes `place` as chosen for entries already in the form (a chart
  /// file's), without changing them: the note checks them against it.
  void Adopt(const ChosenPlace& place);

 public slots:
  /// Chooses match `index` of the offered ones.
  void Choose(int index);
  /// The birth's date or time changed: the suggested zone follows.
  void DateOrTimeChanged() { UpdateZone(); }
  /// The user typed over what the chosen place filled (coordinates,
  /// hemispheres): the place no longer applies.
  void PlaceEditedByHand() { DropPlace(); }

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

  PlaceForm& form_;
  QLineEdit& city_;
  QComboBox& zone_;
  QCheckBox& dst_;
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
  std::optional<ChosenPlace> chosen_;
  bool zoneFollows_ = false;
};

}  // namespace zodivane::ui
