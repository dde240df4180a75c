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

#include "chart/time_zones.h"
#include "tests/ui/support/fakes.h"
#include "tests/ui/support/windows.h"
#include "ui/chart_files.h"
#include "ui/frm_main.h"

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

}  // namespace
}  // namespace zodivane::ui
