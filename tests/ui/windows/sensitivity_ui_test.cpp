// SPDX-License-Identifier: GPL-3.0-or-later
// The results' birth-time sensitivity: tooltips on the Ascendant, Moon and
// planet labels, and the note in the main window's bottom bar, shown only
// when the Ascendant or the Moon changes sign within half an hour.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "chart/time_zones.h"
#include "tests/ui/support/fakes.h"
#include "tests/ui/support/windows.h"
#include "ui/app/shell.h"
#include "ui/windows/frm_main.h"
#include "ui/windows/mdi.h"

namespace zodivane::ui {
namespace {

using testing::Child;

class SensitivityResultsTest : public ::testing::Test {
 protected:
  /// New Delhi, 28°38' N 77°12' E, 15 June 1980 at `hour`:`minute`,
  /// Indian Time; Proceed, and the main window that comes up.
  MDI& CastDelhi(int hour, int minute, int zoneRow = 34, bool daylight = false) {
    frmMain& form = *shell.InputForm();
    Child<QLineEdit>(form, "txtName")->setText(QStringLiteral("ASHA"));
    Child<QLineEdit>(form, "txtLatD")->setText(QStringLiteral("28"));
    Child<QLineEdit>(form, "txtLatM")->setText(QStringLiteral("38"));
    Child<QLineEdit>(form, "txtLonD")->setText(QStringLiteral("77"));
    Child<QLineEdit>(form, "txtLonM")->setText(QStringLiteral("12"));
    Child<QComboBox>(form, "cboMonth")->setCurrentIndex(5);
    Child<QComboBox>(form, "cboDate")->setCurrentIndex(14);
    Child<QComboBox>(form, "cboYear")->setCurrentText(QStringLiteral("1980"));
    Child<QComboBox>(form, "cboHH")->setCurrentIndex(hour);
    Child<QComboBox>(form, "cboMM")->setCurrentIndex(minute);
    Child<QComboBox>(form, "cmbTimeZone")->setCurrentIndex(zoneRow);
    Child<QCheckBox>(form, "chkDST")->setChecked(daylight);
    Child<QPushButton>(form, "cmdRashi")->click();
    EXPECT_NE(shell.MainWindow(), nullptr);
    return *shell.MainWindow();
  }

  void Back(MDI& window) {
    Child<QPushButton>(window, "cmdBack")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  QTemporaryDir folder;
  testing::FakeMessageBoxes messages;
  testing::FakeWebBrowser browser;
  testing::FakeSettingsStore settings;
  testing::FakeClock clock;
  Shell shell{ShellServices{messages, browser, settings, clock},
              folder.filePath(QStringLiteral("zodivane.lock")), [] {}};
};

TEST_F(SensitivityResultsTest, SensitiveChartHasTooltipsAndTheNote) {
  ASSERT_TRUE(shell.ProgramStart());
  // 10:30: Virgo rose that very minute; a minute earlier the Ascendant is Leo.
  MDI& window = CastDelhi(10, 30);
  const QString ascendant = QStringLiteral(
      "Ascendant Virgo from 10:30 to 12:46; Leo if born before 10:30, Libra if born after 12:46\n"
      "With Daylight Saving Time ticked: Leo");
  EXPECT_EQ(Child<QLabel>(window, "lblPlanet_10")->toolTip(), ascendant);
  EXPECT_EQ(Child<QLabel>(window, "lblLagna")->toolTip(), ascendant);
  const QString moon = QStringLiteral(
      "Moon Cancer from June/13 16:02 to June/15 21:54; Gemini if born before June/13 16:02, Leo "
      "if born "
      "after June/15 21:54");
  EXPECT_EQ(Child<QLabel>(window, "lblPlanet_1")->toolTip(), moon);
  EXPECT_EQ(Child<QLabel>(window, "lblRashi")->toolTip(), moon);
  const QString sun = QStringLiteral("Sun Gemini for a day either side of the birth time");
  EXPECT_EQ(Child<QLabel>(window, "lblPlanet_0")->toolTip(), sun);
  EXPECT_EQ(Child<QLabel>(window, "lblSunSign")->toolTip(), sun);
  EXPECT_EQ(Child<QLabel>(window, "lblPlanet_4")->toolTip(),
            QStringLiteral("Mars Virgo for a day either side of the birth time"));

  const QString note =
      QStringLiteral("Ascendant changes to Leo 1 minute earlier: check the birth time");
  auto* line = Child<QLabel>(window, "lblBirthTimeNote");
  EXPECT_TRUE(line->isVisible());
  EXPECT_EQ(line->text(), note);  // the maximised window has room for all of it
  EXPECT_EQ(line->toolTip(), note);
  // Left of Print, inside the bottom bar, clear of the buttons.
  const auto* print = Child<QPushButton>(window, "Command1");
  EXPECT_EQ(line->parentWidget(), print->parentWidget());
  EXPECT_LT(line->geometry().right(), print->geometry().left());
}

// Two notes in the bottom bar, the zone's warning and how sure the chart
// is, stand on lines of their own: neither runs into the other, and each
// line is one whole note or its cut beginning.
TEST_F(SensitivityResultsTest, TheZonesWarningAndTheNoteAreSeparated) {
  ASSERT_TRUE(shell.ProgramStart());
  // 16:30 Australian Central Daylight Time with the box ticked as well
  // (UT+11:30): the moment of 10:30 Indian Time, whose Ascendant has just
  // changed sign, and daylight saving counted twice.
  int row = -1;
  for (int index = 0; index < kTimeZoneCount; ++index) {
    if (kTimeZoneTable[static_cast<std::size_t>(index)].text ==
        "Australian Central Daylight Time,ACDT,+10.5") {
      row = index;
    }
  }
  ASSERT_GE(row, 0);
  MDI& window = CastDelhi(16, 30, row, true);
  const QString zone = QStringLiteral(
      "Australian Central Daylight Time already includes daylight saving: with the box ticked "
      "too the chart is cast at UT+11:30, two hours ahead of standard time");
  const QString note =
      QStringLiteral("Ascendant changes to Leo 1 minute earlier: check the birth time");
  auto* line = Child<QLabel>(window, "lblBirthTimeNote");
  EXPECT_TRUE(line->isVisible());
  EXPECT_EQ(line->toolTip(), zone + QLatin1Char('\n') + note);
  const QStringList lines = line->text().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 2) << line->text().toStdString();
  for (int i = 0; i < 2; ++i) {
    const QString& whole = i == 0 ? zone : note;
    EXPECT_TRUE(lines[i] == whole ||
                (lines[i].endsWith(QChar(0x2026)) && whole.startsWith(lines[i].chopped(1))))
        << lines[i].toStdString();
    EXPECT_LE(line->fontMetrics().horizontalAdvance(lines[i]), line->width());
  }
  // Both lines fit the bar's height.
  EXPECT_LE(2 * line->fontMetrics().lineSpacing(), line->height());
}

TEST_F(SensitivityResultsTest, StableChartHasTooltipsButNoNote) {
  ASSERT_TRUE(shell.ProgramStart());
  MDI& sensitive = CastDelhi(10, 30);
  Back(sensitive);
  // 11:30: the Ascendant stays in Virgo from an hour before to 77 minutes after.
  MDI& window = CastDelhi(11, 30);
  EXPECT_EQ(Child<QLabel>(window, "lblPlanet_10")->toolTip(),
            QStringLiteral("Ascendant Virgo from 10:30 to 12:46; Leo if born before 10:30, Libra "
                           "if born after 12:46"));
  auto* line = Child<QLabel>(window, "lblBirthTimeNote");
  EXPECT_FALSE(line->isVisible());
  EXPECT_TRUE(line->text().isEmpty());
}

// The keyboard and a screen reader reach the whole of it: Chart > How Sure
// Is This Chart? shows every sentence in a text that takes the focus; the
// scroll area of the results is no Tab stop of its own.
TEST_F(SensitivityResultsTest, TheWholeTextIsReachedFromTheKeyboard) {
  ASSERT_TRUE(shell.ProgramStart());
  MDI& window = CastDelhi(10, 30);
  EXPECT_EQ(Child<QWidget>(window, "MDIClientScroll")->focusPolicy(), Qt::NoFocus);
  auto* item = window.findChild<QAction*>(QStringLiteral("mnuHowSure"));
  ASSERT_NE(item, nullptr);
  ASSERT_TRUE(item->isEnabled());
  QString shown;
  bool focused = false;
  QTimer::singleShot(0, &window, [&] {
    auto* dialog = window.findChild<QDialog*>(QStringLiteral("frmHowSure"));
    ASSERT_NE(dialog, nullptr);
    auto* text = dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtHowSure"));
    ASSERT_NE(text, nullptr);
    shown = text->toPlainText();
    focused = text->hasFocus() || dialog->focusWidget() == text;
    dialog->reject();
  });
  item->trigger();
  const QStringList lines = shown.split(QLatin1Char('\n'));
  ASSERT_GE(lines.size(), 12);
  EXPECT_EQ(lines.front(),
            "Ascendant Virgo from 10:30 to 12:46; Leo if born before 10:30, Libra if born after "
            "12:46");
  // The Midheaven's sentence follows the Ascendant's (and its daylight-saving
  // line), before the Moon's.
  EXPECT_EQ(lines[2],
            "Midheaven Taurus from 8:39 to 10:37; Aries if born before 8:39, Gemini if born after "
            "10:37");
  EXPECT_TRUE(lines[3].startsWith(QStringLiteral("Moon ")));
  EXPECT_TRUE(shown.contains(QStringLiteral("Mars Virgo for a day either side of the birth time")));
  EXPECT_TRUE(shown.contains(QStringLiteral("check the birth time")));
  EXPECT_TRUE(focused);
}

}  // namespace
}  // namespace zodivane::ui
