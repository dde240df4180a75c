// SPDX-License-Identifier: GPL-3.0-or-later
// The program's sortable lists (the aspect list, the transits list, the
// transit calendar and the synastry list) sort the points in the chart's
// order and the aspects by their angle, not alphabetically, and the sort is
// chosen from the keyboard: Shift+F10 opens the list's sort menu.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "chart/chart_driver.h"
#include "chartfile/chart_file.h"
#include "chartfile/compared_chart.h"
#include "tests/support/sample_entries.h"
#include "tests/ui/support/fakes.h"
#include "ui/windows/aspect_panel.h"
#include "ui/windows/frm_synastry.h"
#include "ui/windows/frm_transit_calendar.h"
#include "ui/windows/frm_transits.h"

namespace zodivane::ui {
namespace {

// The orders an astrologer reads: the chart's points from the Sun out to
// Pluto and the Ascendant; the aspects by their angle (degrees, the usual
// definitions); the signs from Aries; a house entry after every aspect.
const std::map<QString, double> kRanks = [] {
  std::map<QString, double> ranks;
  const char* points[] = {"Sun",    "Moon",   "Mercury", "Venus", "Mars",     "Jupiter",
                          "Saturn", "Uranus", "Neptune", "Pluto", "Ascendant"};
  for (int i = 0; i < 11; ++i) {
    ranks[QString::fromLatin1(points[i])] = i;
  }
  const char* signs[] = {"Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
                         "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};
  for (int i = 0; i < 12; ++i) {
    ranks[QString::fromLatin1(signs[i])] = 100 + i;
  }
  const std::pair<const char*, double> aspects[] = {
      {"conjunction", 0},  {"semisextile", 30}, {"semisquare", 45}, {"sextile", 60},
      {"quintile", 72},    {"square", 90},      {"trine", 120},     {"sesquiquadrate", 135},
      {"biquintile", 144}, {"quincunx", 150},   {"opposition", 180}};
  for (const auto& [name, angle] : aspects) {
    ranks[QString::fromLatin1(name)] = angle;
  }
  return ranks;
}();

/// The rank of a cell's text: a point, a sign or an aspect, after any
/// glyph ("☉ Sun", "△ trine"); "Sun – Moon" by the first, then the second;
/// "enters house 5" after the aspects.
double Rank(const QString& text) {
  if (text.startsWith(QStringLiteral("enters house "))) {
    return 1000 + text.section(QLatin1Char(' '), 2, 2).section(QLatin1Char(','), 0, 0).toInt();
  }
  const QStringList pair = text.split(QStringLiteral(" \u2013 "));
  if (pair.size() == 2) {
    return Rank(pair[0]) * 64 + Rank(pair[1]);
  }
  const QString word = text.section(QLatin1Char(' '), -1);
  const auto found = kRanks.find(word);
  EXPECT_NE(found, kRanks.end()) << text.toStdString();
  return found == kRanks.end() ? -1 : found->second;
}

/// A list as the test reads it: its view and the texts of one column, top
/// to bottom.
struct ListUnderTest {
  std::string name;
  QAbstractItemView* view = nullptr;
  std::function<QStringList(int column)> texts;
  /// The columns to sort: index, title, and whether the fixture's texts in
  /// alphabetical order are out of order (the transiting bodies' glyphs run
  /// in the chart's order already).
  std::vector<std::tuple<int, QString, bool>> columns;
};

std::vector<double> RanksOf(const QStringList& texts) {
  std::vector<double> ranks;
  for (const QString& text : texts) {
    ranks.push_back(Rank(text));
  }
  return ranks;
}

/// Opens the sort menu with Shift+F10 and chooses `item` with the keyboard.
void ChooseFromSortMenu(QAbstractItemView& view, const QString& item) {
  view.setFocus();
  QTest::keyClick(&view, Qt::Key_F10, Qt::ShiftModifier);
  const QList<QMenu*> menus =
      view.findChildren<QMenu*>(QStringLiteral("mnuSortBy"), Qt::FindDirectChildrenOnly);
  ASSERT_FALSE(menus.isEmpty()) << "Shift+F10 opened no sort menu";
  QMenu* menu = menus.last();
  QAction* chosen = nullptr;
  for (QAction* action : menu->actions()) {
    chosen = action->text() == item ? action : chosen;
  }
  ASSERT_NE(chosen, nullptr) << item.toStdString();
  menu->setActiveAction(chosen);
  QTest::keyClick(menu, Qt::Key_Return);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class ListOrderTest : public ::testing::Test {
 protected:
  ListOrderTest() {
    clock.today = QDate(2025, 1, 1);
    const auto person = [](const FormEntries& entries) {
      auto cast = chartfile::CastComparedChart(
          chartfile::WriteChartFile(chartfile::ChartFile{entries, {}, {}}), Ephemeris::BuiltIn);
      EXPECT_TRUE(std::holds_alternative<chartfile::ComparedChart>(cast));
      return std::get<chartfile::ComparedChart>(std::move(cast));
    };
    panel.ShowAspects(session.Aspects(DefaultAspectSettings()));
    transits = std::make_unique<frmTransits>(chart, DefaultAspectSettings(), clock, std::nullopt);
    calendar = std::make_unique<frmTransitCalendar>(
        chart, DefaultAspectSettings(), TransitCalendarServices{messages, saveDialog, clock});
    synastry = std::make_unique<frmSynastry>(person(test::London1985Entries()),
                                             person(test::DelhiEntries()), DefaultAspectSettings(),
                                             SynastryServices{messages, saveDialog, printDialog});
  }

  std::vector<ListUnderTest> Lists() {
    const auto tableTexts = [](QTableWidget* table) {
      return [table](int column) {
        QStringList texts;
        for (int row = 0; row < table->rowCount(); ++row) {
          texts.append(table->item(row, column)->text());
        }
        return texts;
      };
    };
    auto* aspects = panel.findChild<QTreeWidget*>(QStringLiteral("lstAspects"));
    auto* transitList = transits->findChild<QTableWidget*>(QStringLiteral("tblTransits"));
    auto* calendarTable = calendar->findChild<QTableWidget*>(QStringLiteral("tblCalendar"));
    auto* synastryList = synastry->findChild<QTableWidget*>(QStringLiteral("tblSynastry"));
    return {
        {"aspect list",
         aspects,
         [aspects](int column) {
           QStringList texts;
           for (int row = 0; row < aspects->topLevelItemCount(); ++row) {
             texts.append(aspects->topLevelItem(row)->text(column));
           }
           return texts;
         },
         {{0, QStringLiteral("Pair"), true}, {1, QStringLiteral("Aspect"), true}}},
        {"transits list",
         transitList,
         tableTexts(transitList),
         {{0, QStringLiteral("Transiting"), false},
          {1, QStringLiteral("Aspect"), true},
          {2, QStringLiteral("Natal"), true}}},
        {"transit calendar",
         calendarTable,
         tableTexts(calendarTable),
         {{1, QStringLiteral("Planet"), true},
          {2, QStringLiteral("Aspect"), true},
          {3, QStringLiteral("Natal point"), true}}},
        {"synastry list",
         synastryList,
         tableTexts(synastryList),
         {{0, QStringLiteral("Pair"), true}, {1, QStringLiteral("Aspect"), true}}},
    };
  }

  testing::FakeMessageBoxes messages;
  testing::FakeSaveDialog saveDialog;
  testing::FakePrintDialog printDialog;
  testing::FakeClock clock;
  ChartSession session;
  ChartView chart = [this] {
    const CastResult cast = session.CastChart(test::DelhiEntries());
    EXPECT_TRUE(std::holds_alternative<ChartView>(cast));
    return std::get<ChartView>(cast);
  }();
  AspectPanel panel;
  std::unique_ptr<frmTransits> transits;
  std::unique_ptr<frmTransitCalendar> calendar;
  std::unique_ptr<frmSynastry> synastry;
};

TEST_F(ListOrderTest, PointsAndAspectsSortInTheirOwnOrderFromTheKeyboard) {
  for (const ListUnderTest& list : Lists()) {
    SCOPED_TRACE(list.name);
    ASSERT_NE(list.view, nullptr);
    for (const auto& [column, title, alphabeticalDiffers] : list.columns) {
      SCOPED_TRACE(title.toStdString());
      QStringList texts = list.texts(column);
      ASSERT_GE(texts.size(), 3);
      // The fixture tells the orders apart: alphabetical is not the order.
      QStringList alphabetical = texts;
      alphabetical.sort();
      const std::vector<double> alphabeticalRanks = RanksOf(alphabetical);
      EXPECT_EQ(!std::is_sorted(alphabeticalRanks.begin(), alphabeticalRanks.end()),
                alphabeticalDiffers);

      ChooseFromSortMenu(*list.view, QStringLiteral("Sort by ") + title);
      const std::vector<double> ascending = RanksOf(list.texts(column));
      EXPECT_TRUE(std::is_sorted(ascending.begin(), ascending.end()))
          << list.texts(column).join(u", ").toStdString();

      ChooseFromSortMenu(*list.view, QStringLiteral("Reverse Order"));
      const std::vector<double> descending = RanksOf(list.texts(column));
      EXPECT_TRUE(std::is_sorted(descending.rbegin(), descending.rend()))
          << list.texts(column).join(u", ").toStdString();
    }
  }
}

}  // namespace
}  // namespace zodivane::ui
