// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/place_assistant.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStringListModel>

#include <algorithm>
#include <utility>

#include "common/birth_record.h"
#include "places/place_entries.h"
#include "ui/look_geometry.h"

namespace zodivane::ui {
namespace {

using look::FromUtf8;

/// The five lists of the date and time of birth.
constexpr const char* kDateTimeLists[] = {"cboMonth", "cboDate", "cboYear", "cboHH", "cboMM"};

}  // namespace

template <typename T>
T* PlaceAssistant::Control(const char* name) const {
  return form_.findChild<T*>(QString::fromLatin1(name));
}

PlaceAssistant::PlaceAssistant(QWidget& form, QLabel& note, QObject* parent)
    : QObject(parent), form_(form), note_(note) {
  city_ = Control<QLineEdit>("txtMCity");
  zone_ = Control<QComboBox>("cmbTimeZone");
  dst_ = Control<QCheckBox>("chkDST");

  model_ = new QStringListModel(this);
  completer_ = new QCompleter(model_, this);
  completer_->setObjectName(QStringLiteral("placeCompleter"));
  // The finder has already chosen and ordered the matches: show them all.
  completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  completer_->setMaxVisibleItems(static_cast<int>(places::kDefaultMatchCount));
  // Attached without QLineEdit::setCompleter: the box keeps what the user
  // typed while the list is browsed, and a choice fills the name alone.
  completer_->setWidget(city_);
  completer_->popup()->setObjectName(QStringLiteral("placeMatches"));
  connect(completer_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
          [this](const QModelIndex& index) { Choose(index.row()); });

  connect(city_, &QLineEdit::textEdited, this, &PlaceAssistant::CityEdited);
  city_->installEventFilter(this);
  connect(&finder_, &PlaceFinder::Found, this, &PlaceAssistant::ShowMatches);
  for (const char* name : kDateTimeLists) {
    connect(Control<QComboBox>(name), &QComboBox::currentIndexChanged, this,
            &PlaceAssistant::UpdateZone);
  }
  connect(zone_, &QComboBox::activated, this, &PlaceAssistant::ZoneSetByHand);
  connect(dst_, &QCheckBox::clicked, this, &PlaceAssistant::ZoneSetByHand);
}

QString PlaceAssistant::MatchText(const places::Place& place) {
  return FromUtf8(places::PlaceLabel(place));
}

bool PlaceAssistant::eventFilter(QObject* watched, QEvent* event) {
  if (watched == city_ && event->type() == QEvent::FocusIn) {
    finder_.Prepare();  // the gazetteer is read while the user starts typing
  }
  return QObject::eventFilter(watched, event);
}

void PlaceAssistant::CityEdited(const QString& text) {
  finder_.Find(text);
}

void PlaceAssistant::ShowMatches(const QString& query, const std::vector<places::Place>& matches) {
  if (query != city_->text()) {
    return;  // the box has changed since: a newer answer is coming
  }
  matches_ = matches;
  QStringList texts;
  for (const places::Place& place : matches_) {
    texts.append(MatchText(place));
  }
  model_->setStringList(texts);
  if (matches_.empty() || !city_->hasFocus()) {
    completer_->popup()->hide();
    return;
  }
  // As wide as the longest match, so that state and country show in full.
  QAbstractItemView* popup = completer_->popup();
  const int width = popup->sizeHintForColumn(0) + 2 * popup->frameWidth() + 24;
  completer_->complete(QRect(0, 0, std::max(width, city_->width()), city_->height()));
}

void PlaceAssistant::Choose(int index) {
  if (index < 0 || index >= static_cast<int>(matches_.size())) {
    return;
  }
  const places::Place place = matches_[static_cast<std::size_t>(index)];
  finder_.Cancel();
  completer_->popup()->hide();
  chosen_ = place;
  zoneFollows_ = true;

  FormEntries entries;
  places::FillPlace(place, entries);
  for (const auto& [name, text] :
       {std::pair{"txtMCity", &entries.txtMCity}, std::pair{"txtMState", &entries.txtMState},
        std::pair{"txtMCountry", &entries.txtMCountry}}) {
    QLineEdit* box = Control<QLineEdit>(name);
    box->setText(FromUtf8(*text));
    box->setCursorPosition(0);  // a long name shows its beginning
  }
  Control<QLineEdit>("txtLatD")->setText(FromUtf8(entries.txtLatD));
  Control<QLineEdit>("txtLatM")->setText(FromUtf8(entries.txtLatM));
  Control<QLineEdit>("txtLonD")->setText(FromUtf8(entries.txtLonD));
  Control<QLineEdit>("txtLonM")->setText(FromUtf8(entries.txtLonM));
  Control<QRadioButton>(entries.optSouth ? "optLat_1" : "optLat_0")->setChecked(true);
  Control<QRadioButton>(entries.optEast ? "optLong_0" : "optLong_1")->setChecked(true);
  UpdateZone();
}

void PlaceAssistant::UpdateZone() {
  if (!chosen_) {
    return;
  }
  FormEntries entries;
  entries.cboMonthIndex = Control<QComboBox>("cboMonth")->currentIndex();
  entries.cboDateText = Control<QComboBox>("cboDate")->currentText().toStdString();
  entries.cboYearText = Control<QComboBox>("cboYear")->currentText().toStdString();
  entries.cboHHText = Control<QComboBox>("cboHH")->currentText().toStdString();
  entries.cboMMText = Control<QComboBox>("cboMM")->currentText().toStdString();
  const std::optional<places::LocalDateTime> local = places::LocalDateTimeOf(entries);
  const std::optional<places::ZoneSuggestion> suggestion =
      local ? places::SuggestZone(chosen_->zone, *local) : std::nullopt;
  if (!suggestion) {
    // 30 February and the like: the form's own check will refuse the date.
    note_.setText(FromUtf8(chosen_->zone) + QStringLiteral(": no such date"));
    note_.setAccessibleDescription(note_.text());
    return;
  }
  if (!zoneFollows_) {
    note_.setText(QStringLiteral("Zone set by hand. The database: ") + FromUtf8(suggestion->note));
    note_.setAccessibleDescription(note_.text());
    return;
  }
  // Set from here, neither control emits the signals of a choice by hand.
  zone_->setCurrentIndex(suggestion->choice.row);
  dst_->setChecked(suggestion->choice.daylightSaving);
  note_.setText(FromUtf8(suggestion->note));
  note_.setAccessibleDescription(note_.text());
}

void PlaceAssistant::ZoneSetByHand() {
  if (!zoneFollows_) {
    return;
  }
  zoneFollows_ = false;
  UpdateZone();
}

}  // namespace zodivane::ui
