// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/places/place_finder.h"

#include <string>

namespace zodivane::ui {

PlaceSearchWorker::PlaceSearchWorker(std::shared_ptr<const std::atomic<quint64>> latest)
    : latest_(std::move(latest)) {}

void PlaceSearchWorker::Search(quint64 request, const QString& query) {
  if (request != latest_->load()) {
    emit Found(request, query, {});  // overtaken by a newer request: dropped on delivery
    return;
  }
  if (!gazetteer_) {
    gazetteer_.emplace();
  }
  const std::string text = query.toStdString();
  // One more than the list shows, so that it can say when more match.
  emit Found(request, query, gazetteer_->Search(text, places::kDefaultMatchCount + 1));
}

PlaceFinder::PlaceFinder(QObject* parent) : QObject(parent) {
  qRegisterMetaType<std::vector<places::Place>>();
  pause_.setSingleShot(true);
  pause_.setInterval(kPauseMs);
  connect(&pause_, &QTimer::timeout, this, &PlaceFinder::StartSearch);

  auto* worker = new PlaceSearchWorker(latest_);
  worker->moveToThread(&thread_);
  connect(&thread_, &QThread::finished, worker, &QObject::deleteLater);
  connect(this, &PlaceFinder::SearchRequested, worker, &PlaceSearchWorker::Search);
  connect(worker, &PlaceSearchWorker::Found, this, &PlaceFinder::Deliver);
  thread_.setObjectName(QStringLiteral("place finder"));
  thread_.start(QThread::LowPriority);
}

PlaceFinder::~PlaceFinder() {
  Cancel();
  thread_.quit();
  thread_.wait();
}

void PlaceFinder::Find(const QString& query) {
  pending_ = query;
  ++*latest_;
  if (query.trimmed().isEmpty()) {
    pause_.stop();
    emit Found(query, {});
    SettleIfIdle();
    return;
  }
  pause_.start();
}

void PlaceFinder::Cancel() {
  pause_.stop();
  ++*latest_;
  SettleIfIdle();
}

void PlaceFinder::SettleIfIdle() {
  if (!pause_.isActive() && running_ == 0) {
    emit Settled();
  }
}

void PlaceFinder::Prepare() {
  if (!prepared_) {
    prepared_ = true;
    // Request 0 is never answered; it is dropped when a search came first.
    ++running_;
    emit SearchRequested(0, QString());
  }
}

void PlaceFinder::StartSearch() {
  ++running_;
  emit SearchRequested(latest_->load(), pending_);
}

void PlaceFinder::Deliver(quint64 request, const QString& query,
                          const std::vector<places::Place>& matches) {
  --running_;
  if (request == latest_->load() && request != 0) {
    emit Found(query, matches);
  }
  SettleIfIdle();
}

}  // namespace zodivane::ui
