// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/places/place_assistant.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringListModel>

#include <algorithm>
#include <utility>

#include "chart/time_zones.h"
#include "common/birth_record.h"
#include "places/place_entries.h"
#include "ui/look/look_geometry.h"

namespace zodivane::ui {
namespace {

using look::FromUtf8;

/// The list's last line when more places match than it shows.
const QString kMoreMatchesText =
    QStringLiteral("More places match: add the state or the country after a comma");

}  // namespace

PlaceAssistant::PlaceAssistant(PlaceForm& form, PlaceControls controls, QObject* parent)
    : QObject(parent),
      form_(form),
      city_(controls.city),
      zone_(controls.zone),
      dst_(controls.daylight),
      note_(controls.note),
      warningIcon_(controls.warningIcon),
      noteRect_(controls.note.geometry()) {
  warningIcon_.hide();

  model_ = new QStringListModel(this);
  completer_ = new QCompleter(model_, this);
  completer_->setObjectName(QStringLiteral("placeCompleter"));
  // The finder has already chosen and ordered the matches: show them all.
  completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  completer_->setMaxVisibleItems(static_cast<int>(places::kDefaultMatchCount) + 1);
  // Attached without QLineEdit::setCompleter: the box keeps what the user
  // typed while the list is browsed, and a choice fills the name alone.
  completer_->setWidget(&city_);
  completer_->popup()->setObjectName(QStringLiteral("placeMatches"));
  connect(completer_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
          [this](const QModelIndex& index) { Choose(index.row()); });

  connect(&city_, &QLineEdit::textEdited, this, &PlaceAssistant::CityEdited);
  city_.installEventFilter(this);
  connect(&finder_, &PlaceFinder::Found, this, &PlaceAssistant::ShowMatches);
  connect(&zone_, &QComboBox::activated, this, &PlaceAssistant::ZoneSetByHand);
  connect(&dst_, &QCheckBox::clicked, this, &PlaceAssistant::ZoneSetByHand);
}

void PlaceAssistant::ShowNote(const QString& text, bool warning) {
  warns_ = warning;
  warningIcon_.setVisible(warning);
  // The icon sits at the note's left edge; the text moves aside for it.
  const int indent = warning ? warningIcon_.width() + 4 : 0;
  note_.setGeometry(noteRect_.adjusted(indent, 0, 0, 0));
  note_.setText(text);
  note_.setAccessibleDescription(warning ? QStringLiteral("Warning: ") + text : text);
}

void PlaceAssistant::OfferPlaceZone(const std::optional<PlaceZone>& zone) {
  placeZone_ = zone;
  const QSignalBlocker quiet(&zone_);
  while (zone_.count() > kPlaceZoneIndex) {
    zone_.removeItem(zone_.count() - 1);
  }
  if (zone) {
    zone_.addItem(FromUtf8(places::PlaceZoneLabel(*zone)));
  }
}

void PlaceAssistant::Forget() {
  finder_.Cancel();
  chosen_.reset();
  zoneFollows_ = false;
  dropped_ = false;
  OfferPlaceZone(std::nullopt);
  ShowNote(QString(), false);
}

void PlaceAssistant::Adopt(const ChosenPlace& place) {
  chosen_ = place;
  zoneFollows_ = false;
  dropped_ = false;
  UpdateZone();
}

void PlaceAssistant::DropPlace() {
  if (!chosen_) {
    return;
  }
  // State and country came with the place: they go with it.
  form_.ClearPlaceNames(chosen_->state, chosen_->country);
  chosen_.reset();
  zoneFollows_ = false;
  dropped_ = true;
  UpdateZone();
}

QString PlaceAssistant::MatchText(const places::Place& place) {
  return FromUtf8(places::PlaceLabel(place));
}

bool PlaceAssistant::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &city_ && event->type() == QEvent::FocusIn) {
    finder_.Prepare();  // the gazetteer is read while the user starts typing
  }
  return QObject::eventFilter(watched, event);
}

void PlaceAssistant::CityEdited(const QString& text) {
  DropPlace();
  finder_.Find(text);
}

void PlaceAssistant::ShowMatches(const QString& query, const std::vector<places::Place>& matches) {
  if (query != city_.text()) {
    return;  // the box has changed since: a newer answer is coming
  }
  matches_ = matches;
  const bool more = matches_.size() > places::kDefaultMatchCount;
  if (more) {
    matches_.resize(places::kDefaultMatchCount);
  }
  QStringList texts;
  for (const places::Place& place : matches_) {
    texts.append(MatchText(place));
  }
  if (more) {
    // Not a place: choosing it chooses nothing.
    texts.append(kMoreMatchesText);
  }
  model_->setStringList(texts);
  if (const std::optional<std::string> problem = places::QueryProblem(query.toStdString())) {
    ShowNote(QStringLiteral("No place can be looked up: ") + FromUtf8(*problem), false);
  }
  if (matches_.empty() || !city_.hasFocus()) {
    completer_->popup()->hide();
    return;
  }
  // As wide as the longest match, so that state and country show in full.
  QAbstractItemView* popup = completer_->popup();
  const int width = popup->sizeHintForColumn(0) + 2 * popup->frameWidth() + 24;
  completer_->complete(QRect(0, 0, std::max(width, city_.width()), city_.height()));
}

void PlaceAssistant::Choose(int index) {
  if (index < 0 || index >= static_cast<int>(matches_.size())) {
    return;
  }
  const places::Place place = matches_[static_cast<std::size_t>(index)];
  finder_.Cancel();
  completer_->popup()->hide();
  chosen_ = places::ChosenPlaceOf(place);
  zoneFollows_ = true;
  dropped_ = false;

  FormEntries entries;
  places::FillPlace(place, entries);
  form_.SetPlaceEntries(entries);
  UpdateZone();
}

void PlaceAssistant::UpdateZone() {
  FormEntries entries = form_.CollectEntries();
  entries.placeZone = placeZone_;
  if (!chosen_) {
    // Without a place only the form's own rows can be checked.
    const std::string doubled = places::DoubleDaylightWarning(entries);
    if (!doubled.empty()) {
      ShowNote(FromUtf8(doubled), true);
    } else {
      ShowNote(dropped_ ? QStringLiteral("The zone is no longer checked against a place: the "
                                         "place was changed by hand.")
                        : QString(),
               false);
    }
    return;
  }
  const std::optional<places::LocalDateTime> local = places::LocalDateTimeOf(entries);
  const std::optional<places::ZoneSuggestion> suggestion =
      local ? places::SuggestZone(chosen_->zone, *local) : std::nullopt;
  if (!suggestion) {
    // 30 February and the like: the form's own check will refuse the date.
    ShowNote(FromUtf8(chosen_->zone) + QStringLiteral(": no such date"), false);
    return;
  }
  if (zoneFollows_) {
    // Set from here, neither control emits the signals of a choice by hand.
    places::FillZone(*suggestion, entries);
    OfferPlaceZone(suggestion->placeZone);
    zone_.setCurrentIndex(entries.cmbTimeZoneIndex);
    dst_.setChecked(entries.chkDST);
  }
  const std::optional<std::int32_t> formOffset = places::FormOffsetSeconds(entries);
  const std::string warning =
      formOffset ? places::ZoneMismatchWarning(suggestion->moment, chosen_->name, *formOffset)
                 : std::string();
  if (!warning.empty()) {
    ShowNote(FromUtf8(warning), true);
  } else if (!zoneFollows_) {
    ShowNote(QStringLiteral("Zone set by hand; it agrees with the database: ") +
                 FromUtf8(suggestion->note),
             false);
  } else {
    ShowNote(FromUtf8(suggestion->note), false);
  }
}

void PlaceAssistant::ZoneSetByHand() {
  zoneFollows_ = false;
  UpdateZone();
}

}  // namespace zodivane::ui
