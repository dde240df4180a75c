// SPDX-License-Identifier: GPL-3.0-or-later
// The place finder behind the city box: gazetteer searches run on a thread
// of their own, so that typing never waits for them.
#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

#include "places/gazetteer.h"

Q_DECLARE_METATYPE(std::vector<zodivane::places::Place>)

namespace zodivane::ui {

/// Lives on the finder's thread: reads the gazetteer once, then answers
/// every search, with no matches for one that a newer request has overtaken.
class PlaceSearchWorker : public QObject {
  Q_OBJECT

 public:
  /// `latest` holds the number of the newest request.
  explicit PlaceSearchWorker(std::shared_ptr<const std::atomic<quint64>> latest);

 public slots:
  void Search(quint64 request, const QString& query);

 signals:
  void Found(quint64 request, const QString& query,
             const std::vector<zodivane::places::Place>& matches);

 private:
  std::shared_ptr<const std::atomic<quint64>> latest_;
  std::optional<places::Gazetteer> gazetteer_;
};

/// Debounces the typed queries, hands them to the worker thread and
/// delivers the answer to the newest one on the window's thread.
class PlaceFinder : public QObject {
  Q_OBJECT

 public:
  /// How long typing must pause before a search starts.
  static constexpr int kPauseMs = 120;

  explicit PlaceFinder(QObject* parent = nullptr);
  ~PlaceFinder() override;

  /// Asks for the matches of `query`; an earlier request still waiting is
  /// dropped. A blank query is answered at once with no matches.
  void Find(const QString& query);

  /// Drops any request still waiting or running: its answer never arrives.
  void Cancel();

  /// Reads the gazetteer on the finder's thread now, once, so that the first
  /// search finds it ready; nothing is answered.
  void Prepare();

 signals:
  /// The matches of the newest query, best first.
  void Found(const QString& query, const std::vector<zodivane::places::Place>& matches);
  /// Nothing is waiting or running any more: every request made so far has
  /// been answered or dropped, and no answer is still to come.
  void Settled();
  /// Internal: hands a request to the worker thread.
  void SearchRequested(quint64 request, const QString& query);

 private:
  void StartSearch();
  void Deliver(quint64 request, const QString& query, const std::vector<places::Place>& matches);
  /// Raises Settled when no request waits or runs.
  void SettleIfIdle();

  std::shared_ptr<std::atomic<quint64>> latest_ = std::make_shared<std::atomic<quint64>>(0);
  QString pending_;
  QTimer pause_;
  QThread thread_;
  bool prepared_ = false;
  int running_ = 0;  ///< requests handed to the worker and not yet answered
};

}  // namespace zodivane::ui
