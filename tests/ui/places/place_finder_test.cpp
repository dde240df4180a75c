// SPDX-License-Identifier: GPL-3.0-or-later
// The city box's finder: answers arrive on the window's thread, only the
// newest query is answered, blank queries at once.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include "ui/places/place_finder.h"

namespace zodivane::ui {
namespace {

using places::Place;

std::vector<Place> MatchesOf(const QList<QVariant>& arguments) {
  return arguments.at(1).value<std::vector<Place>>();
}

TEST(PlaceFinder, AnswersTheQueryOnTheWindowsThread) {
  PlaceFinder finder;
  QThread* windowThread = QThread::currentThread();
  QThread* answeredOn = nullptr;
  QObject::connect(&finder, &PlaceFinder::Found, &finder,
                   [&] { answeredOn = QThread::currentThread(); });
  QSignalSpy found(&finder, &PlaceFinder::Found);
  finder.Find(QStringLiteral("Springfield, Illinois"));
  EXPECT_TRUE(found.isEmpty());  // never answered inside the call
  ASSERT_TRUE(found.wait(10000));
  ASSERT_EQ(found.count(), 1);
  EXPECT_EQ(found.at(0).at(0).toString(), QStringLiteral("Springfield, Illinois"));
  const std::vector<Place> matches = MatchesOf(found.at(0));
  ASSERT_FALSE(matches.empty());
  EXPECT_EQ(matches.front().state, "Illinois");
  EXPECT_EQ(answeredOn, windowThread);
}

// Typing "P", "Pa", ... quickly: one answer, for the last text.
TEST(PlaceFinder, OnlyTheNewestQueryIsAnswered) {
  PlaceFinder finder;
  QSignalSpy found(&finder, &PlaceFinder::Found);
  QSignalSpy settled(&finder, &PlaceFinder::Settled);
  const QString typed = QStringLiteral("Paris, Texas");
  for (qsizetype length = 1; length <= typed.size(); ++length) {
    finder.Find(typed.left(length));
  }
  // Every request answered or dropped: no late answer can come after this.
  ASSERT_TRUE(settled.wait(10000));
  ASSERT_EQ(found.count(), 1);
  EXPECT_EQ(found.at(0).at(0).toString(), typed);
  const std::vector<Place> matches = MatchesOf(found.at(0));
  ASSERT_FALSE(matches.empty());
  EXPECT_EQ(matches.front().state, "Texas");
}

TEST(PlaceFinder, BlankQueriesAreAnsweredAtOnceWithNothing) {
  PlaceFinder finder;
  QSignalSpy found(&finder, &PlaceFinder::Found);
  QSignalSpy settled(&finder, &PlaceFinder::Settled);
  finder.Find(QStringLiteral("Delhi"));
  finder.Find(QStringLiteral("  "));
  ASSERT_EQ(found.count(), 1);
  EXPECT_TRUE(MatchesOf(found.at(0)).empty());
  EXPECT_EQ(settled.count(), 1);  // the overtaken "Delhi" was never sent: nothing is to come
}

TEST(PlaceFinder, ACancelledQueryIsNeverAnswered) {
  PlaceFinder finder;
  QSignalSpy found(&finder, &PlaceFinder::Found);
  QSignalSpy settled(&finder, &PlaceFinder::Settled);
  finder.Find(QStringLiteral("Delhi"));
  finder.Cancel();
  EXPECT_EQ(settled.count(), 1);
  EXPECT_TRUE(found.isEmpty());

  // Cancelled while the search runs: its answer is dropped when it comes.
  finder.Find(QStringLiteral("Springfield"));
  ASSERT_TRUE(settled.wait(10000));  // the search ran and was answered
  found.clear();
  settled.clear();
  finder.Find(QStringLiteral("Paris"));
  QSignalSpy requested(&finder, &PlaceFinder::SearchRequested);
  ASSERT_TRUE(requested.wait(10000));  // handed to the worker
  finder.Cancel();
  ASSERT_TRUE(settled.count() == 1 || settled.wait(10000));
  EXPECT_TRUE(found.isEmpty());
}

}  // namespace
}  // namespace zodivane::ui
