// SPDX-License-Identifier: GPL-3.0-or-later
// Chart > Transit Calendar… in a zone whose clocks change: the table names
// its zone and marks each moment's offset, the status line reads as a
// screen reader says it, and the exported file (read back with libical) is
// stamped with the clock's now and can hold one event per passage.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimeZone>

#include <memory>
#include <string>
#include <variant>
#include <vector>

#ifdef ZODIVANE_ICAL
#include <libical/ical.h>
#endif

#include "chart/chart_driver.h"
#include "tests/support/sample_entries.h"
#include "tests/ui/support/fakes.h"
#include "tests/ui/support/windows.h"
#include "transits/calendar_text.h"
#include "transits/transit_ics.h"
#include "ui/windows/frm_transit_calendar.h"

namespace zodivane::ui {
namespace {

using testing::Child;

ChartView Cast(ChartSession& session) {
  const CastResult cast = session.CastChart(test::DelhiEntries());
  EXPECT_TRUE(std::holds_alternative<ChartView>(cast));
  return std::get<ChartView>(cast);
}

/// The Julian day (UT) of a UT date and time, worked out here.
double JulianDayOfUtc(const QDateTime& utc) {
  return 2440587.5 + static_cast<double>(utc.toSecsSinceEpoch()) / 86400.0;
}

class TransitCalendarZoneTest : public ::testing::Test {
 protected:
  void Open(const QByteArray& zone) {
    clock.today = QDate(2026, 1, 1);
    clock.now = QDateTime(QDate(2026, 1, 1), QTime(10, 15, 30), QTimeZone(zone));
    window = std::make_unique<frmTransitCalendar>(
        chart, DefaultAspectSettings(), TransitCalendarServices{messages, saveDialog, clock});
  }

  testing::FakeMessageBoxes messages;
  testing::FakeSaveDialog saveDialog;
  testing::FakeClock clock;
  ChartSession session;
  ChartView chart = Cast(session);
  std::unique_ptr<frmTransitCalendar> window;
};

// New York in 2026 (tzdata, checked with Python's zoneinfo): EST, UT-5,
// until 8 March 07:00 UT (03:00 EDT), EDT, UT-4, until 1 November 06:00 UT
// (01:00 EST).
TEST_F(TransitCalendarZoneTest, TheTableNamesItsZoneAndWhereTheOffsetChanges) {
  Open(QByteArrayLiteral("America/New_York"));
  EXPECT_EQ(Child<QLabel>(*window, "lblCalendarZone")->text(),
            QStringLiteral("Times in America/New_York: EST (UT-5:00); EDT (UT-4:00) from "
                           "2026-03-08 03:00; EST (UT-5:00) from 2026-11-01 01:00."));
  EXPECT_TRUE(Child<QLabel>(*window, "lblCalendarCaption")->text().contains(u"America/New_York"));

  const double forward = JulianDayOfUtc(QDateTime(QDate(2026, 3, 8), QTime(7, 0), Qt::UTC));
  const double back = JulianDayOfUtc(QDateTime(QDate(2026, 11, 1), QTime(6, 0), Qt::UTC));
  auto* table = Child<QTableWidget>(*window, "tblCalendar");
  ASSERT_GT(table->rowCount(), 5);
  int summer = 0;
  int winter = 0;
  for (int row = 0; row < table->rowCount(); ++row) {
    const QTableWidgetItem* enters = table->item(row, static_cast<int>(CalendarColumn::Enters));
    if (enters->text() == QStringLiteral("already within")) {
      continue;
    }
    const double julianDay = enters->data(Qt::UserRole).toDouble();
    const bool daylight = julianDay >= forward && julianDay < back;
    SCOPED_TRACE(enters->text().toStdString());
    EXPECT_TRUE(
        enters->text().endsWith(daylight ? QStringLiteral(" EDT") : QStringLiteral(" EST")));
    (daylight ? summer : winter) += 1;
  }
  EXPECT_GT(summer, 0);
  EXPECT_GT(winter, 0);

  // A zone whose clocks stay put says so.
  Open(QByteArrayLiteral("Asia/Kolkata"));
  EXPECT_EQ(Child<QLabel>(*window, "lblCalendarZone")->text(),
            QStringLiteral("Times in Asia/Kolkata: IST (UT+5:30) throughout."));
}

TEST(CalendarNoteTest, TheCountsReadAsWords) {
  struct Row {
    std::size_t passages;
    std::size_t houseEntries;
    std::size_t moments;
    QString text;
  };
  const std::vector<Row> rows = {
      {1, 1, 3, QStringLiteral("1 passage within 1\u00B0 and 1 house entry; 3 moments.")},
      {2, 0, 1, QStringLiteral("2 passages within 1\u00B0 and 0 house entries; 1 moment.")},
      {0, 12, 12, QStringLiteral("0 passages within 1\u00B0 and 12 house entries; 12 moments.")},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(CalendarNoteText(row.passages, row.houseEntries, row.moments), row.text);
  }
}

// A screen reader reads the status line's text, not a caption of it.
TEST_F(TransitCalendarZoneTest, TheStatusLineIsReadAsItsText) {
  Open(QByteArrayLiteral("Europe/Berlin"));
  auto* note = Child<QLabel>(*window, "lblCalendarNote");
  ASSERT_TRUE(window->Calendar().has_value());
  const TransitCalendar& calendar = *window->Calendar();
  EXPECT_EQ(note->text(), CalendarNoteText(calendar.passages.size(), calendar.houseEntries.size(),
                                           CalendarEvents(calendar).size()));
  QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(note);
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(reader->text(QAccessible::Name), note->text());
}

// The window and zodivane-chart share one longest period: ten calendar
// years from the first day (3,652 or 3,653 days), so that 3,660 days are
// refused here as on the command line.
TEST_F(TransitCalendarZoneTest, APeriodOfMoreThanTenCalendarYearsIsRefused) {
  Open(QByteArrayLiteral("Europe/Berlin"));
  auto* from = Child<QDateEdit>(*window, "dtpFrom");
  auto* to = Child<QDateEdit>(*window, "dtpTo");
  auto* note = Child<QLabel>(*window, "lblCalendarNote");
  struct Row {
    QDate from;
    QDate to;
    bool refused;
  };
  const Row rows[] = {
      {QDate(2025, 1, 1), QDate(2034, 12, 31), false},
      {QDate(2025, 1, 1), QDate(2035, 1, 1), true},
      {QDate(2025, 1, 1), QDate(2035, 1, 5), true},  // 3,660 days
      {QDate(2024, 2, 29), QDate(2034, 2, 28), false},
      {QDate(2024, 2, 29), QDate(2034, 3, 1), true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.to.toString(Qt::ISODate).toStdString());
    to->setDate(QDate(2020, 1, 2));  // never a refused period on the way
    from->setDate(row.from);
    to->setDate(row.to);
    EXPECT_EQ(!window->Calendar().has_value(), row.refused);
    EXPECT_EQ(note->text() == QStringLiteral("The period may last at most ten years."), row.refused)
        << note->text().toStdString();
  }
}

#ifdef ZODIVANE_ICAL
struct ReadEvent {
  std::string summary;
  std::string description;
  double start = 0;  ///< Julian days in UT
  double end = 0;
  double stamp = 0;
};

double DayOf(const icaltimetype& time) {
  return JulianDayOfUtc(QDateTime(QDate(time.year, time.month, time.day),
                                  QTime(time.hour, time.minute, time.second), Qt::UTC));
}

std::vector<ReadEvent> ReadIcs(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray contents = file.readAll();
  std::vector<ReadEvent> events;
  icalcomponent* parsed = icalparser_parse_string(contents.constData());
  if (parsed == nullptr) {
    ADD_FAILURE() << "libical could not read " << path.toStdString();
    return events;
  }
  for (icalcomponent* event = icalcomponent_get_first_component(parsed, ICAL_VEVENT_COMPONENT);
       event != nullptr; event = icalcomponent_get_next_component(parsed, ICAL_VEVENT_COMPONENT)) {
    events.push_back({icalcomponent_get_summary(event), icalcomponent_get_description(event),
                      DayOf(icalcomponent_get_dtstart(event)),
                      DayOf(icalcomponent_get_dtend(event)),
                      DayOf(icalcomponent_get_dtstamp(event))});
  }
  icalcomponent_free(parsed);
  return events;
}

// The file is stamped with the clock's now (10:15:30 in New York, 15:15:30
// UT), not with a moment of the calendar; the choice of passages gives one
// event from entering to leaving each orb.
TEST_F(TransitCalendarZoneTest, ExportStampsTheFileAndOffersOneEventPerPassage) {
  Open(QByteArrayLiteral("America/New_York"));
  const double now = JulianDayOfUtc(QDateTime(QDate(2026, 1, 1), QTime(15, 15, 30), Qt::UTC));
  QTemporaryDir folder;
  auto* passages = Child<QCheckBox>(*window, "chkIcsPassages");
  ASSERT_TRUE(passages->isEnabled());
  EXPECT_FALSE(passages->isChecked());
  ASSERT_TRUE(window->Calendar().has_value());
  const TransitCalendar& calendar = *window->Calendar();

  saveDialog.typedName = folder.filePath(QStringLiteral("moments.ics"));
  ASSERT_TRUE(window->cmdExportIcs_Click());
  const std::vector<ReadEvent> moments = ReadIcs(*saveDialog.typedName);
  EXPECT_EQ(moments.size(), CalendarEvents(calendar).size());

  passages->setChecked(true);
  saveDialog.typedName = folder.filePath(QStringLiteral("passages.ics"));
  ASSERT_TRUE(window->cmdExportIcs_Click());
  const std::vector<ReadEvent> whole = ReadIcs(*saveDialog.typedName);
  ASSERT_EQ(whole.size(), calendar.passages.size() + calendar.houseEntries.size());
  std::size_t spans = 0;
  for (const ReadEvent& event : whole) {
    SCOPED_TRACE(event.summary);
    EXPECT_EQ(event.summary.find("  "), std::string::npos);
    if (event.summary.find("enters house") == std::string::npos) {
      EXPECT_LT(event.start, event.end);
      EXPECT_TRUE(event.description.find("\nexact ") != std::string::npos ||
                  event.description.find("\nnot exact within the period") != std::string::npos);
      ++spans;
    }
  }
  EXPECT_EQ(spans, calendar.passages.size());
  for (const std::vector<ReadEvent>* file : {&moments, &whole}) {
    for (const ReadEvent& event : *file) {
      EXPECT_NEAR(event.stamp, now, 0.5 / 86400.0) << event.summary;
    }
  }
}
#endif

}  // namespace
}  // namespace zodivane::ui
