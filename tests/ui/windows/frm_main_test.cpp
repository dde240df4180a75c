// SPDX-License-Identifier: GPL-3.0-or-later
// The input form: its lists and defaults, the focus order, the key filters
// as typed keys, pasted text, rejections, Proceed and the place lookup.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrlQuery>

#include <algorithm>
#include <cmath>

#include "chart/time_zones.h"
#include "tests/support/greenwich_reference.h"
#include "tests/ui/support/fakes.h"
#include "tests/ui/support/windows.h"
#include "ui/windows/frm_main.h"

namespace zodivane::ui {
namespace {

using testing::FakeMessageBoxes;
using testing::FakeWebBrowser;
using testing::ShownNotice;

class InputFormTest : public ::testing::Test {
 protected:
  template <typename T>
  T* Find(const char* name) {
    return testing::Child<T>(form, name);
  }
  QLineEdit* Box(const char* name) { return Find<QLineEdit>(name); }
  QComboBox* List(const char* name) { return Find<QComboBox>(name); }

  /// Fills the entries of a valid birth (digits typed as keys).
  void FillValidEntries() { testing::TypeValidBirth(form); }

  FakeMessageBoxes messages;
  FakeWebBrowser browser;
  WebLinks links{browser};
  ChartSession session;
  frmMain form{session, links, messages};
};

TEST_F(InputFormTest, ListsAndDefaultsAfterLoad) {
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Zodivane v1.25"));
  EXPECT_EQ(form.centralWidget()->size(), QSize(436, 492));  // 6540 x 7380 twips

  // Every list: its entries, its first and last entry, the default shown.
  struct ListRow {
    const char* name;
    int count;
    const char* first;
    const char* last;
    QString selected;
  };
  const std::vector<ListRow> rows = {
      {"cboMonth", 12, "January", "December", QStringLiteral("January")},
      {"cboDate", 31, "1", "31", QStringLiteral("1")},
      {"cboYear", 150, "1901", "2050", QStringLiteral("1901")},
      {"cboHH", 24, "0", "23", QStringLiteral("0")},
      {"cboMM", 60, "0", "59", QStringLiteral("0")},
      {"cboSS", 60, "0", "59", QStringLiteral("0")},
      {"cmbTimeZone", 71, nullptr, nullptr, QStringLiteral("Greenwich Mean Time,GMT,0.0")},
  };
  for (const ListRow& row : rows) {
    SCOPED_TRACE(row.name);
    QComboBox* list = List(row.name);
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->isEditable());  // selection only
    EXPECT_EQ(list->count(), row.count);
    if (row.first != nullptr) {
      EXPECT_EQ(list->itemText(0), QString::fromLatin1(row.first));
      EXPECT_EQ(list->itemText(list->count() - 1), QString::fromLatin1(row.last));
    }
    EXPECT_EQ(list->currentText(), row.selected);
  }
  QComboBox* zones = List("cmbTimeZone");
  for (int i = 0; i < kTimeZoneCount; ++i) {
    EXPECT_EQ(zones->itemText(i).toStdString(), kTimeZoneTable[static_cast<std::size_t>(i)].text);
  }
  EXPECT_EQ(zones->currentIndex(), 29);

  EXPECT_TRUE(Find<QRadioButton>("optLat_0")->isChecked());
  EXPECT_FALSE(Find<QRadioButton>("optLat_1")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>("optLong_0")->isChecked());
  EXPECT_FALSE(Find<QRadioButton>("optLong_1")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>("chkDST")->isChecked());
  for (const char* name : {"txtName", "txtLonD", "txtLonM", "txtLatD", "txtLatM", "txtMCity",
                           "txtMState", "txtMCountry"}) {
    EXPECT_TRUE(Box(name)->text().isEmpty()) << name;
  }
  EXPECT_EQ(Box("txtLonD")->maxLength(), 3);
  EXPECT_EQ(Box("txtLonM")->maxLength(), 2);
  EXPECT_EQ(Box("txtLatD")->maxLength(), 2);
  EXPECT_EQ(Box("txtLatM")->maxLength(), 2);
  EXPECT_EQ(form.focusWidget(), Box("txtName"));

  // The entries as the form hands them to the driver: the record's defaults.
  const FormEntries entries = form.CollectEntries();
  const FormEntries defaults;
  EXPECT_EQ(entries.cboMonthIndex, defaults.cboMonthIndex);
  EXPECT_EQ(entries.cboDateIndex, defaults.cboDateIndex);
  EXPECT_EQ(entries.cmbTimeZoneIndex, defaults.cmbTimeZoneIndex);
  EXPECT_EQ(entries.cboDateText, defaults.cboDateText);
  EXPECT_EQ(entries.cboYearText, defaults.cboYearText);
  EXPECT_EQ(entries.cboHHText, defaults.cboHHText);
  EXPECT_EQ(entries.cboMMText, defaults.cboMMText);
  EXPECT_EQ(entries.optEast, defaults.optEast);
  EXPECT_EQ(entries.optSouth, defaults.optSouth);
  EXPECT_EQ(entries.chkDST, defaults.chkDST);
}

TEST_F(InputFormTest, ControlsSitAtTheirPlaces) {
  // Design positions in twips, divided by 15 (rounded): left, top, width, height.
  struct PlaceRow {
    const char* name;
    QRect pixels;
  };
  const std::vector<PlaceRow> rows = {
      {"Frame1", QRect(0, 104, 436, 329)},     {"txtName", QRect(136, 16, 241, 19)},
      {"cboMonth", QRect(136, 40, 113, 21)},   {"cmbTimeZone", QRect(8, 40, 289, 21)},
      {"txtLonD", QRect(8, 16, 33, 19)},       {"fraZone", QRect(56, 88, 321, 73)},
      {"cmdBrowser", QRect(280, 224, 97, 69)}, {"cmdRashi", QRect(56, 296, 321, 25)},
  };
  for (const PlaceRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Find<QWidget>(row.name)->geometry(), row.pixels);
  }
  EXPECT_EQ(Find<QPushButton>("cmdBrowser")->text(),
            QStringLiteral("Click Here To Find Latitude && Longitude"));
  EXPECT_EQ(Box("txtLonD")->parentWidget()->objectName(), QStringLiteral("Frame4"));
  EXPECT_EQ(Find<QCheckBox>("chkDST")->parentWidget()->objectName(), QStringLiteral("fraZone"));
}

TEST_F(InputFormTest, ControlsWearTheFormsColoursAndTypeface) {
  // Colours as red, green, blue; the role says which part of the control.
  const QColor peach(255, 218, 185);
  const QColor navy(0, 0, 128);
  struct ColourRow {
    const char* name;
    QPalette::ColorRole role;
    QColor colour;
  };
  const std::vector<ColourRow> rows = {
      {"frmMainClient", QPalette::Window, peach},
      {"Frame1", QPalette::Window, QColor(0, 0, 64)},
      {"Label13", QPalette::WindowText, peach},
      {"Label2", QPalette::WindowText, QColor(0, 0, 255)},
      {"Label61", QPalette::WindowText, navy},
      {"Label61", QPalette::Window, QColor(255, 255, 255)},
      {"txtName", QPalette::Base, peach},
      {"txtName", QPalette::Text, navy},
      {"cboMonth", QPalette::Button, peach},
      {"cboMonth", QPalette::ButtonText, navy},
      {"fraZone", QPalette::Window, peach},
      {"Frame3", QPalette::Text, navy},  // the caption
      {"Label7", QPalette::WindowText, navy},
  };
  for (const ColourRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Find<QWidget>(row.name)->palette().color(row.role), row.colour);
  }
  struct FontRow {
    const char* name;
    double points;
    bool bold;
    bool underline;
  };
  for (const FontRow& row :
       {FontRow{"Label13", 8.25, false, false}, FontRow{"Label61", 8.25, true, true},
        FontRow{"chkDST", 8.25, true, false}, FontRow{"cmdRashi", 8.25, true, false}}) {
    SCOPED_TRACE(row.name);
    const QFont font = Find<QWidget>(row.name)->font();
    EXPECT_EQ(font.family(), QStringLiteral("Verdana"));  // the family asked for, not resolved
    EXPECT_DOUBLE_EQ(font.pointSizeF(), row.points);
    EXPECT_EQ(font.bold(), row.bold);
    EXPECT_EQ(font.underline(), row.underline);
  }
}

TEST_F(InputFormTest, TabVisitsTheControlsInTheFormsOrder) {
  form.show();
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  Box("txtName")->setFocus();
  // North and East are selected: Tab stops at the selected option of each group.
  // The banner's link follows the form's own controls, before the round
  // starts again at the name.
  const std::vector<const char*> expected = {
      "cboMonth",    "cboDate",    "cboYear",  "cboHH",   "cboMM",       "cboSS",    "chkDST",
      "txtLonM",     "optLong_0",  "txtLatD",  "txtLatM", "optLat_0",    "txtMCity", "txtMState",
      "txtMCountry", "cmdBrowser", "cmdRashi", "txtLonD", "cmbTimeZone", "Label61",  "txtName",
  };
  for (const char* name : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
  }
}

/// The contrast ratio of two colours (1 to 21), from their relative luminance.
double Contrast(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& c) {
    const auto linear = [](double v) {
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
  };
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The keyboard focus shows plainly on the dark panel: Proceed with the focus
// is drawn with a ring that stands out from the navy around it, and the ring
// goes with the focus.
TEST_F(InputFormTest, FocusedProceedShowsAContrastingRing) {
  form.show();
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  auto* proceed = Find<QPushButton>("cmdRashi");
  constexpr int kAround = 6;
  const QRect area = QRect(proceed->mapTo(&form, QPoint(0, 0)), proceed->size())
                         .adjusted(-kAround, -kAround, kAround, kAround);

  Box("txtName")->setFocus(Qt::TabFocusReason);
  const QImage unfocused = form.grab(area).toImage();
  proceed->setFocus(Qt::TabFocusReason);
  ASSERT_EQ(QApplication::focusWidget(), proceed);
  const QImage focused = form.grab(area).toImage();
  Box("txtName")->setFocus(Qt::TabFocusReason);
  const QImage leftAgain = form.grab(area).toImage();

  ASSERT_EQ(focused.size(), unfocused.size());
  int changed = 0;
  double strongest = 1.0;
  for (int y = 0; y < focused.height(); ++y) {
    for (int x = 0; x < focused.width(); ++x) {
      const bool insideButton = x >= kAround && y >= kAround && x < focused.width() - kAround &&
                                y < focused.height() - kAround;
      const QColor now = focused.pixelColor(x, y);
      const QColor before = unfocused.pixelColor(x, y);
      if (now != before) {
        ++changed;
      }
      if (!insideButton) {
        strongest = std::max(strongest, Contrast(now, before));
      }
    }
  }
  // At least a closed line around the button, in a colour far from the panel's.
  EXPECT_GE(changed, 2 * (proceed->width() + proceed->height()));
  EXPECT_GE(strongest, 7.0);
  EXPECT_EQ(leftAgain, unfocused);
}

TEST_F(InputFormTest, NameFilterCapitalisesLettersAndRefusesOthers) {
  QTest::keyClicks(Box("txtName"), QStringLiteral("o'neil"));
  EXPECT_EQ(Box("txtName")->text(), QStringLiteral("ONEIL"));
  EXPECT_THAT(messages.notices,
              ::testing::ElementsAre(ShownNotice{QStringLiteral("Please Enter only Letters"),
                                                 MessageIcon::Information}));

  QTest::keyClicks(Box("txtName"), QStringLiteral(" jr"));
  QTest::keyClick(Box("txtName"), Qt::Key_Backspace);
  QTest::keyClick(Box("txtName"), Qt::Key_Return);
  EXPECT_EQ(Box("txtName")->text(), QStringLiteral("ONEIL J"));
  EXPECT_EQ(messages.notices.size(), 1U);
}

TEST_F(InputFormTest, CoordinateFiltersTakeDigitsUpToTheBoxLength) {
  // Keys 1, 2, point, 5: the point is refused; the box length limits the rest.
  struct Row {
    const char* box;
    const char* expected;
  };
  for (const Row& row :
       {Row{"txtLonD", "125"}, Row{"txtLonM", "12"}, Row{"txtLatD", "12"}, Row{"txtLatM", "12"}}) {
    SCOPED_TRACE(row.box);
    messages.notices.clear();
    QTest::keyClicks(Box(row.box), QStringLiteral("12.5"));
    EXPECT_EQ(Box(row.box)->text(), QString::fromLatin1(row.expected));
    EXPECT_THAT(messages.notices,
                ::testing::ElementsAre(ShownNotice{QStringLiteral("Only Numbers Are Accepted"),
                                                   MessageIcon::Critical}));
  }
  // Return and the minus sign are refused too; backspace passes.
  messages.notices.clear();
  QTest::keyClick(Box("txtLonD"), Qt::Key_Return);
  QTest::keyClicks(Box("txtLonD"), QStringLiteral("-"));
  QTest::keyClick(Box("txtLonD"), Qt::Key_Backspace);
  EXPECT_EQ(Box("txtLonD")->text(), QStringLiteral("12"));
  EXPECT_EQ(messages.notices.size(), 2U);
}

TEST_F(InputFormTest, PastedTextWithOtherThanDigitsIsRefusedWithTheBoxRange) {
  struct Row {
    const char* box;
    const char* message;
  };
  const std::vector<Row> rows = {
      {"txtLonD", "Please Enter Value Between 0 And 179 in the Degree of Longitude"},
      {"txtLonM", "Please Enter Value Between 0 And 59 in the  Minute of Longitude"},
      {"txtLatD", "Please Enter Value Between 0 And 89 in the Degree of Latitude"},
      {"txtLatM", "Please Enter Value Between 0 And 59 in the  Minute of Latitude"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.box);
    messages.notices.clear();
    QLineEdit* box = Box(row.box);
    QTest::keyClicks(box, QStringLiteral("1"));
    QApplication::clipboard()->setText(QStringLiteral("4.5"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("1"));
    EXPECT_THAT(messages.notices, ::testing::ElementsAre(ShownNotice{
                                      QString::fromLatin1(row.message), MessageIcon::Critical}));
    EXPECT_EQ(form.focusWidget(), box);

    // Digits paste as they are.
    messages.notices.clear();
    QApplication::clipboard()->setText(QStringLiteral("2"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("12"));
    EXPECT_TRUE(messages.notices.empty());
  }
}

TEST_F(InputFormTest, ContextMenuPasteIsCheckedLikeThePasteKeys) {
  form.show();
  QLineEdit* box = Box("txtLatD");
  const auto pasteFromMenu = [box] {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(box, &event);
    QMenu* menu = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (auto* candidate = qobject_cast<QMenu*>(window); candidate && candidate->isVisible()) {
        menu = candidate;
      }
    }
    ASSERT_NE(menu, nullptr);
    QAction* paste = nullptr;
    for (QAction* item : menu->actions()) {
      if (item->text().startsWith(QStringLiteral("&Paste"))) {
        paste = item;
      }
    }
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    menu->close();
  };
  // Cut to the box's two characters, "45x" would read as digits: it is
  // checked whole.
  QApplication::clipboard()->setText(QStringLiteral("45x"));
  pasteFromMenu();
  EXPECT_TRUE(box->text().isEmpty());
  EXPECT_THAT(messages.notices,
              ::testing::ElementsAre(ShownNotice{
                  QStringLiteral("Please Enter Value Between 0 And 89 in the Degree of Latitude"),
                  MessageIcon::Critical}));
  QApplication::clipboard()->setText(QStringLiteral("45"));
  pasteFromMenu();
  EXPECT_EQ(box->text(), QStringLiteral("45"));
  EXPECT_EQ(messages.notices.size(), 1U);
}

TEST_F(InputFormTest, RejectionShowsItsMessageAndFocusesItsBox) {
  int casts = 0;
  QObject::connect(&form, &frmMain::ChartCast, [&casts](const ChartView&) { ++casts; });
  Box("txtMCity")->setFocus();
  form.cmdRashi_Click();
  EXPECT_THAT(messages.notices, ::testing::ElementsAre(ShownNotice{
                                    QStringLiteral("Please Enter Name"), MessageIcon::Critical}));
  EXPECT_EQ(form.focusWidget(), Box("txtName"));

  messages.notices.clear();
  QTest::keyClicks(Box("txtName"), QStringLiteral("asha"));
  QTest::keyClicks(Box("txtLonD"), QStringLiteral("77"));
  Box("txtName")->setFocus();
  form.findChild<QAction*>(QStringLiteral("mnuNext"))->trigger();
  EXPECT_THAT(messages.notices,
              ::testing::ElementsAre(ShownNotice{
                  QStringLiteral("Please Enter Value Between 0 And 59 in the  Minute of Longitude"),
                  MessageIcon::Critical}));
  EXPECT_EQ(form.focusWidget(), Box("txtLonM"));
  EXPECT_EQ(casts, 0);
}

TEST_F(InputFormTest, DateRejectionLeavesTheFocusWhereItWas) {
  FillValidEntries();
  List("cboMonth")->setCurrentIndex(3);  // April
  List("cboDate")->setCurrentIndex(30);  // 31
  Box("txtMCity")->setFocus();
  int casts = 0;
  QObject::connect(&form, &frmMain::ChartCast, [&casts](const ChartView&) { ++casts; });
  form.cmdRashi_Click();
  EXPECT_THAT(messages.notices, ::testing::ElementsAre(ShownNotice{
                                    QStringLiteral("Please Enter Correct Date Or Month !"),
                                    MessageIcon::Information}));
  EXPECT_EQ(form.focusWidget(), Box("txtMCity"));
  EXPECT_EQ(casts, 0);
}

TEST_F(InputFormTest, ProceedRaisesChartCastWithTheCastChart) {
  FillValidEntries();
  std::vector<ChartView> cast;
  QObject::connect(&form, &frmMain::ChartCast,
                   [&cast](const ChartView& chart) { cast.push_back(chart); });
  form.cmdRashi_Click();
  ASSERT_EQ(cast.size(), 1U);
  EXPECT_TRUE(messages.notices.empty());
  EXPECT_EQ(cast[0].name, "ASHA");

  // The driver sees exactly what the form shows.
  ChartSession reference;
  const CastResult expected = reference.CastChart(form.CollectEntries());
  ASSERT_TRUE(std::holds_alternative<ChartView>(expected));
  EXPECT_EQ(cast[0], std::get<ChartView>(expected));

  // Proceed from the File menu does the same.
  form.findChild<QAction*>(QStringLiteral("mnuNext"))->trigger();
  ASSERT_EQ(cast.size(), 2U);
  EXPECT_EQ(cast[1], cast[0]);
}

TEST_F(InputFormTest, ProceedCastsTheGreenwichReferenceChart) {
  // 2000 January 1, 12:00 Greenwich Mean Time at 51°30' N, 0°00' W: the
  // reference moment of the ephemeris. Positions from its published tables,
  // compared exactly as printed.
  QTest::keyClicks(Box("txtName"), QStringLiteral("greenwich"));
  QTest::keyClicks(Box("txtLonD"), QStringLiteral("0"));
  QTest::keyClicks(Box("txtLonM"), QStringLiteral("0"));
  QTest::keyClicks(Box("txtLatD"), QStringLiteral("51"));
  QTest::keyClicks(Box("txtLatM"), QStringLiteral("30"));
  Find<QRadioButton>("optLong_1")->setChecked(true);
  List("cboYear")->setCurrentText(QStringLiteral("2000"));
  List("cboHH")->setCurrentText(QStringLiteral("12"));
  Box("txtMCity")->setText(QStringLiteral("London"));
  Box("txtMCountry")->setText(QStringLiteral("England"));
  std::vector<ChartView> cast;
  QObject::connect(&form, &frmMain::ChartCast,
                   [&cast](const ChartView& chart) { cast.push_back(chart); });
  form.cmdRashi_Click();
  ASSERT_EQ(cast.size(), 1U);
  zodivane::test::ExpectGreenwich2000View(cast[0]);
  EXPECT_TRUE(messages.notices.empty());
}

TEST_F(InputFormTest, PlaceLookupAsksForEachEmptyBoxInTurn) {
  struct Row {
    const char* city;
    const char* state;
    const char* country;
    const char* message;
    const char* focus;
  };
  const std::vector<Row> rows = {
      {"", "", "", "Please Enter City", "txtMCity"},
      {"Paris", "", "", "Please Enter State", "txtMState"},
      {"Paris", "Ile de France", "", "Please Enter Country", "txtMCountry"},
      {"", "Ile de France", "France", "Please Enter City", "txtMCity"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.message);
    messages.notices.clear();
    Box("txtName")->setFocus();
    Box("txtMCity")->setText(QString::fromLatin1(row.city));
    Box("txtMState")->setText(QString::fromLatin1(row.state));
    Box("txtMCountry")->setText(QString::fromLatin1(row.country));
    QTest::mouseClick(Find<QPushButton>("cmdBrowser"), Qt::LeftButton);
    EXPECT_THAT(messages.notices, ::testing::ElementsAre(ShownNotice{
                                      QString::fromLatin1(row.message), MessageIcon::Information}));
    EXPECT_EQ(form.focusWidget(), Box(row.focus));
  }
  EXPECT_TRUE(browser.opened.empty());
}

TEST_F(InputFormTest, PlaceLookupSearchesTheWebForThePlace) {
  struct Row {
    const char* city;
    const char* state;
    const char* country;
    const char* query;
  };
  const std::vector<Row> rows = {
      {"Paris", "Ile de France", "France", "Paris Ile de France France Latitude Longitude"},
      {" ", "Delhi", "India", "  Delhi India Latitude Longitude"},  // a space counts as filled
      {"A&B", "C+D", "E/F?", "A&B C+D E/F? Latitude Longitude"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.query);
    browser.opened.clear();
    Box("txtMCity")->setText(QString::fromLatin1(row.city));
    Box("txtMState")->setText(QString::fromLatin1(row.state));
    Box("txtMCountry")->setText(QString::fromLatin1(row.country));
    form.cmdBrowser_Click();
    ASSERT_EQ(browser.opened.size(), 1U);
    const QByteArray address = browser.opened[0].toEncoded();
    const QByteArray prefix = QByteArrayLiteral(ZODIVANE_SEARCH_URL);
    ASSERT_TRUE(address.startsWith(prefix)) << address.toStdString();
    EXPECT_EQ(QUrl::fromPercentEncoding(address.mid(prefix.size())),
              QString::fromLatin1(row.query));
  }
  EXPECT_TRUE(messages.notices.empty());
}

TEST_F(InputFormTest, LinkTriggersOpenTheirPagesOnce) {
  struct Row {
    const char* trigger;
    QUrl page;
  };
  const std::vector<Row> rows = {
      {"Label61", WebAddresses::HomePage()},
      {"mnuVisit", WebAddresses::HomePage()},
      {"mnuOnline", WebAddresses::HelpPage()},
      {"mnuUpdate", WebAddresses::DownloadPage()},
  };
  form.show();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.trigger);
    browser.opened.clear();
    if (auto* label = form.findChild<QLabel*>(QString::fromLatin1(row.trigger))) {
      QTest::mouseClick(label, Qt::LeftButton);
    } else {
      form.findChild<QAction*>(QString::fromLatin1(row.trigger))->trigger();
    }
    EXPECT_THAT(browser.opened, ::testing::ElementsAre(row.page));
    EXPECT_TRUE(form.isVisible());
  }
  EXPECT_TRUE(messages.notices.empty());
}

TEST_F(InputFormTest, MenusCarryTheirCaptions) {
  struct Row {
    const char* name;
    const char* caption;
  };
  const std::vector<Row> rows = {
      {"mnuNext", "Proceed"},
      {"mnuExit", "E&xit"},
      {"mnuOnline", "&Online Help"},
      {"mnuVisit", "&Visit Us Online"},
      {"mnuUpdate", "Check for Software &Update"},
      {"mnuAbout", "&About Software"},
  };
  for (const Row& row : rows) {
    const QAction* action = form.findChild<QAction*>(QString::fromLatin1(row.name));
    ASSERT_NE(action, nullptr) << row.name;
    EXPECT_EQ(action->text(), QString::fromLatin1(row.caption));
  }
  EXPECT_TRUE(form.findChild<QAction*>(QStringLiteral("mnuHelp1"))->isSeparator());
  EXPECT_TRUE(form.findChild<QAction*>(QStringLiteral("mnuHelp2"))->isSeparator());
}

TEST_F(InputFormTest, ExitClosesTheFormAndReportsIt) {
  int unloaded = 0;
  QObject::connect(&form, &frmMain::Unloaded, [&unloaded] { ++unloaded; });
  form.show();
  form.findChild<QAction*>(QStringLiteral("mnuExit"))->trigger();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(unloaded, 1);
}

}  // namespace
}  // namespace zodivane::ui
