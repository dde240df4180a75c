// SPDX-License-Identifier: GPL-3.0-or-later
// The input form's place finder, driven from the keyboard: typing into the
// city box, choosing a match, every field filled and the note shown; the
// zone following the date and time until it is set by hand.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <string>
#include <variant>

#include "chart/time_zones.h"
#include "chartfile/chart_file.h"
#include "tests/ui/support/fakes.h"
#include "tests/ui/support/windows.h"
#include "ui/app/chart_files.h"
#include "ui/windows/frm_main.h"

namespace zodivane::ui {
namespace {

using testing::FakeMessageBoxes;
using testing::FakeWebBrowser;

class PlaceAssistantTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }

  template <typename T>
  T* Find(const char* name) {
    return testing::Child<T>(form, name);
  }
  QString Text(const char* box) { return Find<QLineEdit>(box)->text(); }

  /// Selects the date and time in the lists as the keyboard would.
  void SetDateTime(int year, int month, int day, int hour, int minute) {
    Find<QComboBox>("cboYear")->setCurrentIndex(year - 1901);
    Find<QComboBox>("cboMonth")->setCurrentIndex(month - 1);
    Find<QComboBox>("cboDate")->setCurrentIndex(day - 1);
    Find<QComboBox>("cboHH")->setCurrentIndex(hour);
    Find<QComboBox>("cboMM")->setCurrentIndex(minute);
  }

  /// Types `query` into the city box and waits for the offered matches.
  QAbstractItemView* TypeCity(const QString& query) {
    QLineEdit* city = Find<QLineEdit>("txtMCity");
    city->setFocus();
    QTest::keyClicks(city, query);
    auto* completer = form.findChild<QCompleter*>(QStringLiteral("placeCompleter"));
    EXPECT_NE(completer, nullptr);
    if (completer == nullptr) {
      return nullptr;
    }
    QAbstractItemView* matches = completer->popup();
    EXPECT_TRUE(QTest::qWaitFor([&] { return matches->isVisible(); }, 10000));
    return matches;
  }

  /// Picks the first offered match with the keyboard.
  void PickFirstMatch(QAbstractItemView* matches) {
    QTest::keyClick(matches, Qt::Key_Down);
    QTest::keyClick(matches, Qt::Key_Return);
  }

  int ZoneRow() { return Find<QComboBox>("cmbTimeZone")->currentIndex(); }
  QString ZoneText() { return Find<QComboBox>("cmbTimeZone")->currentText(); }
  bool DstTicked() { return Find<QCheckBox>("chkDST")->isChecked(); }
  QString Note() { return Find<QLabel>("lblZoneNote")->text(); }

  FakeMessageBoxes messages;
  FakeWebBrowser browser;
  WebLinks links{browser};
  ChartSession session;
  frmMain form{session, links, messages};
};

TEST_F(PlaceAssistantTest, ChoosingAMatchFillsEveryFieldAndShowsTheNote) {
  SetDateTime(1980, 3, 5, 10, 30);
  EXPECT_TRUE(Note().isEmpty());
  QAbstractItemView* matches = TypeCity(QStringLiteral("Delhi"));
  ASSERT_NE(matches, nullptr);
  EXPECT_EQ(matches->model()->index(0, 0).data().toString(),
            QStringLiteral("Delhi, National Capital Territory of Delhi, India"));
  PickFirstMatch(matches);

  EXPECT_FALSE(matches->isVisible());
  EXPECT_EQ(Text("txtMCity"), QStringLiteral("Delhi"));
  EXPECT_EQ(Text("txtMState"), QStringLiteral("National Capital Territory of Delhi"));
  EXPECT_EQ(Text("txtMCountry"), QStringLiteral("India"));
  EXPECT_EQ(Text("txtLatD"), QStringLiteral("28"));
  EXPECT_EQ(Text("txtLatM"), QStringLiteral("39"));
  EXPECT_TRUE(Find<QRadioButton>("optLat_0")->isChecked());
  EXPECT_EQ(Text("txtLonD"), QStringLiteral("77"));
  EXPECT_EQ(Text("txtLonM"), QStringLiteral("14"));
  EXPECT_TRUE(Find<QRadioButton>("optLong_0")->isChecked());
  EXPECT_EQ(ZoneText(), QStringLiteral("Indian Time, IST, +5.3"));
  EXPECT_FALSE(DstTicked());
  EXPECT_EQ(Note(), QStringLiteral(
                        "Asia/Kolkata on 5 March 1980 at 10:30: IST, UT+5:30, no daylight saving"));
  // The focus stays in the city box, the documented order goes on from there.
  EXPECT_TRUE(Find<QLineEdit>("txtMCity")->hasFocus());
}

// A chart saved after choosing a place keeps the place the finder chose;
// once the city is typed over, the place no longer goes with the entries.
TEST_F(PlaceAssistantTest, ASavedChartKeepsTheChosenPlace) {
  SetDateTime(1980, 3, 5, 10, 30);
  PickFirstMatch(TypeCity(QStringLiteral("Delhi")));
  Find<QLineEdit>("txtName")->setText(QStringLiteral("ASHA"));

  QTemporaryDir folder;
  testing::FakeSettingsStore settings;
  testing::FakeOpenDialog openDialog;
  testing::FakeSaveDialog saveDialog;
  ChartFiles files(form, ChartFileServices{messages, settings, openDialog, saveDialog});
  const auto savedText = [&](const QString& name) {
    saveDialog.typedName = folder.filePath(name);
    EXPECT_TRUE(files.AskAndSave(&form));
    QFile file(folder.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll());
  };
  const QString withPlace = savedText(QStringLiteral("asha.zchart"));
  EXPECT_TRUE(withPlace.contains(QStringLiteral("\"chosenPlace\""))) << withPlace.toStdString();
  EXPECT_TRUE(withPlace.contains(QStringLiteral("Asia/Kolkata"))) << withPlace.toStdString();

  Find<QLineEdit>("txtMCity")->setText(QStringLiteral("Agra"));
  const QString typedOver = savedText(QStringLiteral("agra.zchart"));
  EXPECT_FALSE(typedOver.contains(QStringLiteral("chosenPlace"))) << typedOver.toStdString();
}

// South and West set their hemisphere buttons; a narrowed query.
TEST_F(PlaceAssistantTest, SouthernAndWesternPlacesSetTheHemispheres) {
  SetDateTime(2000, 1, 15, 12, 0);
  PickFirstMatch(TypeCity(QStringLiteral("Sydney")));
  EXPECT_TRUE(Find<QRadioButton>("optLat_1")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>("optLong_0")->isChecked());
  EXPECT_EQ(ZoneText(), QStringLiteral("Australian Eastern Daylight Time,AEDT,+11.0"));

  Find<QLineEdit>("txtMCity")->clear();
  PickFirstMatch(TypeCity(QStringLiteral("Paris, Texas")));
  EXPECT_EQ(Text("txtMState"), QStringLiteral("Texas"));
  EXPECT_TRUE(Find<QRadioButton>("optLat_0")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>("optLong_1")->isChecked());
  EXPECT_EQ(ZoneText(), QStringLiteral("Central Standard Time,CST,-6.0"));
}

// Escape closes the list without choosing; nothing else changes.
TEST_F(PlaceAssistantTest, EscapeLeavesTheFormAsItWas) {
  QAbstractItemView* matches = TypeCity(QStringLiteral("Lond"));
  ASSERT_NE(matches, nullptr);
  QTest::keyClick(matches, Qt::Key_Escape);
  EXPECT_FALSE(matches->isVisible());
  EXPECT_EQ(Text("txtMCity"), QStringLiteral("Lond"));
  EXPECT_TRUE(Text("txtMState").isEmpty());
  EXPECT_EQ(ZoneRow(), kDefaultTimeZone);
  EXPECT_TRUE(Note().isEmpty());
}

// New York, 14 March 2021: the clocks went from 2:00 EST to 3:00 EDT.
TEST_F(PlaceAssistantTest, TheZoneFollowsTheTimeUntilSetByHand) {
  SetDateTime(2021, 3, 14, 1, 30);
  PickFirstMatch(TypeCity(QStringLiteral("New York")));
  EXPECT_EQ(ZoneText(), QStringLiteral("Eastern Standard Time,EST,-5.0"));
  EXPECT_FALSE(DstTicked());

  Find<QComboBox>("cboHH")->setCurrentIndex(3);
  EXPECT_EQ(ZoneText(), QStringLiteral("Eastern Daylight Time,EDT,-4.0"));
  EXPECT_EQ(Note(), QStringLiteral("America/New_York on 14 March 2021 at 3:30: EDT, UT-4:00, "
                                   "daylight saving"));

  Find<QComboBox>("cboHH")->setCurrentIndex(2);  // a clock time that never happened
  EXPECT_EQ(ZoneText(), QStringLiteral("Eastern Standard Time,EST,-5.0"));
  EXPECT_TRUE(Note().contains(QStringLiteral("never happened")));

  // The user picks a zone from the keyboard: it stays.
  QComboBox* zone = Find<QComboBox>("cmbTimeZone");
  zone->setFocus();
  QTest::keyClick(zone, Qt::Key_Up);  // the row above EST: Eastern European Time
  const int picked = ZoneRow();
  EXPECT_NE(picked, 27);
  Find<QComboBox>("cboHH")->setCurrentIndex(12);
  EXPECT_EQ(ZoneRow(), picked);
  // The note checks the row picked by hand against the database, and warns.
  EXPECT_TRUE(Note().startsWith(QStringLiteral("The form gives "))) << Note().toStdString();
  EXPECT_TRUE(
      Find<QLabel>("lblZoneWarningIcon")->isVisibleTo(Find<QLabel>("lblZoneNote")->parentWidget()));
}

TEST_F(PlaceAssistantTest, TickingDaylightSavingByHandStopsTheFollowing) {
  SetDateTime(1990, 1, 4, 12, 0);
  PickFirstMatch(TypeCity(QStringLiteral("New York")));
  EXPECT_EQ(ZoneText(), QStringLiteral("Eastern Standard Time,EST,-5.0"));
  QCheckBox* dst = Find<QCheckBox>("chkDST");
  dst->setFocus();
  QTest::keyClick(dst, Qt::Key_Space);
  EXPECT_TRUE(DstTicked());
  Find<QComboBox>("cboMonth")->setCurrentIndex(6);  // July: EDT, but the box is the user's
  EXPECT_EQ(ZoneText(), QStringLiteral("Eastern Standard Time,EST,-5.0"));
  EXPECT_TRUE(DstTicked());
}

// Kathmandu's +5:45 is on no row: the zone list offers the place's own zone
// after its 71 rows, and the chart is cast at +5:45 to the minute (the same
// positions as the chart entered by hand at the UT with the Universal Time row).
TEST_F(PlaceAssistantTest, KathmanduIsCastAtItsOwnOffset) {
  SetDateTime(2000, 5, 10, 9, 15);
  Find<QLineEdit>("txtName")->setText(QStringLiteral("ASHA"));
  PickFirstMatch(TypeCity(QStringLiteral("Kathmandu")));
  QComboBox* zone = Find<QComboBox>("cmbTimeZone");
  ASSERT_EQ(zone->count(), kTimeZoneCount + 1);
  EXPECT_EQ(ZoneRow(), kPlaceZoneIndex);
  EXPECT_EQ(ZoneText(), QStringLiteral("Asia/Kathmandu, UT+5:45, from the birth place"));
  EXPECT_EQ(zone->itemText(kTimeZoneCount - 1).toStdString(),
            std::string(kTimeZoneTable.back().text));  // the rows stay as they are
  EXPECT_FALSE(DstTicked());

  const FormEntries entries = form.CollectEntries();
  ASSERT_TRUE(entries.placeZone);
  EXPECT_EQ(entries.placeZone->utOffsetSeconds, 20700);
  const CastResult cast = session.CastChart(entries);
  ASSERT_TRUE(std::holds_alternative<ChartView>(cast));
  FormEntries byHand = entries;  // 9:15 at +5:45 is 3:30 UT
  byHand.cboHHText = "3";
  byHand.cboMMText = "30";
  byHand.placeZone.reset();
  for (int row = 0; row < kTimeZoneCount; ++row) {
    if (kTimeZoneTable[static_cast<std::size_t>(row)].text == "Universal Time, UT, 0.0") {
      byHand.cmbTimeZoneIndex = row;
    }
  }
  ChartSession hand;
  ASSERT_TRUE(std::holds_alternative<ChartView>(hand.CastChart(byHand)));
  EXPECT_EQ(session.positionTable(), hand.positionTable());
  EXPECT_EQ(session.ascendantText(), hand.ascendantText());
  EXPECT_EQ(std::get<ChartView>(cast).universalTime, "10 May 2000, 03:30 UT");
}

// Sydney in January: the finder's row is exact; ticking the box by hand
// makes the note a warning with both offsets, shown with its icon.
TEST_F(PlaceAssistantTest, TickingTheBoxAgainstTheDatabaseWarns) {
  SetDateTime(2000, 1, 15, 12, 0);
  PickFirstMatch(TypeCity(QStringLiteral("Sydney")));
  auto* icon = Find<QLabel>("lblZoneWarningIcon");
  EXPECT_FALSE(icon->isVisible());
  Find<QCheckBox>("chkDST")->click();
  EXPECT_EQ(Note(), QStringLiteral("The form gives UT+12:00; Sydney on 15 January 2000 at 12:00 "
                                   "is UT+11:00 (AEDT): the chart would be 1 hour off"));
  EXPECT_TRUE(icon->isVisible());
  EXPECT_TRUE(Find<QLabel>("lblZoneNote")->accessibleDescription().startsWith("Warning: "));
  Find<QCheckBox>("chkDST")->click();
  EXPECT_FALSE(icon->isVisible());
}

// New coordinates typed by hand drop the chosen place: state and country go
// with it, and the note says the zone is no longer checked.
TEST_F(PlaceAssistantTest, TypingNewCoordinatesDropsTheChosenPlace) {
  SetDateTime(1980, 3, 5, 10, 30);
  PickFirstMatch(TypeCity(QStringLiteral("Delhi")));
  ASSERT_TRUE(form.chosenPlace());
  QLineEdit* degrees = Find<QLineEdit>("txtLatD");
  degrees->setFocus();
  degrees->selectAll();
  QTest::keyClicks(degrees, QStringLiteral("30"));
  EXPECT_FALSE(form.chosenPlace());
  EXPECT_TRUE(Text("txtMState").isEmpty());
  EXPECT_TRUE(Text("txtMCountry").isEmpty());
  EXPECT_EQ(Text("txtMCity"), QStringLiteral("Delhi"));
  EXPECT_TRUE(Note().startsWith(QStringLiteral("The zone is no longer checked against a place")));
}

// Choosing a place and then opening a chart file casts the file's chart, at
// the file's zone: the same chart the command line casts from the file.
TEST_F(PlaceAssistantTest, OpeningAFileAfterChoosingAPlaceCastsTheFile) {
  SetDateTime(2000, 1, 15, 12, 0);
  PickFirstMatch(TypeCity(QStringLiteral("Sydney")));
  ASSERT_TRUE(form.chosenPlace());

  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("new-york.zchart"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  const QByteArray bytes = R"({"zodivane": 1, "txtName": "NEW YORK", "txtLonD": "74",
      "txtLonM": "0", "txtLatD": "40", "txtLatM": "43", "txtMCity": "New York",
      "txtMState": "", "txtMCountry": "", "cboMonthIndex": 6, "cboDateIndex": 3,
      "cmbTimeZoneIndex": 27, "cboDateText": "4", "cboYearText": "1975", "cboHHText": "14",
      "cboMMText": "0", "optEast": false, "optSouth": false, "chkDST": false})";
  file.write(bytes);
  file.close();

  std::optional<ChartView> shown;
  QObject::connect(&form, &frmMain::ChartCast, [&](const ChartView& view) { shown = view; });
  testing::FakeSettingsStore settings;
  testing::FakeOpenDialog openDialog;
  testing::FakeSaveDialog saveDialog;
  ChartFiles files(form, ChartFileServices{messages, settings, openDialog, saveDialog});
  ASSERT_TRUE(files.Open(path, &form));
  ASSERT_TRUE(shown);
  EXPECT_FALSE(form.chosenPlace());
  EXPECT_EQ(ZoneText(), QStringLiteral("Eastern Standard Time,EST,-5.0"));

  const auto read = chartfile::ReadChartFile(std::string_view(bytes.constData(), bytes.size()));
  ASSERT_TRUE(std::holds_alternative<chartfile::ChartFile>(read));
  ChartSession fromFile;  // what zodivane-chart --chart casts
  const CastResult expected = fromFile.CastChart(std::get<chartfile::ChartFile>(read).entries);
  ASSERT_TRUE(std::holds_alternative<ChartView>(expected));
  EXPECT_EQ(shown->positions, std::get<ChartView>(expected).positions);
  EXPECT_EQ(session.ascendantText(), fromFile.ascendantText());
  EXPECT_EQ(fromFile.ascendantText().substr(fromFile.ascendantText().size() - 3), "Sco");
}

}  // namespace
}  // namespace zodivane::ui
