// SPDX-License-Identifier: GPL-3.0-or-later
// The windows from the keyboard: numbers typed with leading zeros into the
// input form's lists, and the standard shortcuts beside the documented
// Alt keys.
#include <gtest/gtest.h>
#include <array>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTextEdit>

#include <memory>
#include <vector>

#include "tests/ui/support/fakes.h"
#include "tests/ui/support/windows.h"
#include "ui/look/look_widgets.h"
#include "ui/windows/entry_boxes.h"
#include "ui/windows/frm_display.h"
#include "ui/windows/frm_main.h"
#include "ui/windows/frm_save.h"
#include "ui/windows/mdi.h"

namespace zodivane::ui {
namespace {

using testing::Child;

/// Shows `window` and makes it the active window, as a click on it would.
void Activate(QWidget& window) {
  window.show();
  window.activateWindow();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

/// The button keeps its caption and the access key of its ampersand: no
/// shortcut has taken the access key's place.
void ExpectAccessKeyStays(const QPushButton& button, const char* caption) {
  EXPECT_EQ(button.text(), QString::fromLatin1(caption));
  EXPECT_EQ(button.shortcut(), QKeySequence::mnemonic(button.text()));
}

/// Tabs once round `window`'s focus chain and presses Return on every link
/// the focus reaches; the names of the links reached, in Tab order.
std::vector<QString> PressLinksReachedByTab(QWidget& window) {
  std::vector<QString> reached;
  QWidget* const first = QApplication::focusWidget();
  for (int step = 0; step < 64; ++step) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focused = QApplication::focusWidget();
    if (focused == nullptr || focused == first || !window.isAncestorOf(focused)) {
      break;
    }
    if (qobject_cast<look::ClickableLabel*>(focused) != nullptr) {
      reached.push_back(focused->objectName());
      QTest::keyClick(focused, Qt::Key_Return);
    }
  }
  return reached;
}

class KeyboardTest : public ::testing::Test {
 protected:
  testing::FakeMessageBoxes messages;
  testing::FakeWebBrowser browser;
  WebLinks links{browser};
  ChartSession session;
};

TEST_F(KeyboardTest, TypingThroughTheFormWithLeadingZerosSelectsTheTypedNumbers) {
  frmMain form(session, links, messages);
  Activate(form);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("asha"));
  for (const char* keys : {"jul", "09", "1975", "07", "05"}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(keys));
  }
  EXPECT_EQ(Child<QComboBox>(form, "cboMonth")->currentText(), QStringLiteral("July"));
  EXPECT_EQ(Child<QComboBox>(form, "cboDate")->currentText(), QStringLiteral("9"));
  EXPECT_EQ(Child<QComboBox>(form, "cboYear")->currentText(), QStringLiteral("1975"));
  EXPECT_EQ(Child<QComboBox>(form, "cboHH")->currentText(), QStringLiteral("7"));
  EXPECT_EQ(Child<QComboBox>(form, "cboMM")->currentText(), QStringLiteral("5"));
  EXPECT_TRUE(messages.notices.empty());
}

TEST_F(KeyboardTest, ListsReadTypedDigitsAsNumbersAndNeverTakeFreeText) {
  frmMain form(session, links, messages);
  Activate(form);
  // Rows: the list, the keys typed into it after it got the focus, and the
  // entry selected afterwards.
  struct Row {
    const char* list;
    const char* keys;
    const char* selected;
  };
  const auto rows = std::to_array<Row>({
      {"cboDate", "09", "9"},
      {"cboDate", "009", "9"},
      {"cboDate", "31", "31"},
      {"cboDate", "3", "3"},
      {"cboDate", "0", "1"},
      {"cboDate", "x", "1"},
      {"cboHH", "07", "7"},
      {"cboHH", "0", "0"},
      {"cboHH", "00", "0"},
      {"cboHH", "23", "23"},
      {"cboMM", "05", "5"},
      {"cboMM", "50", "50"},
      {"cboSS", "08", "8"},
      {"cboYear", "1975", "1975"},
  });
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.list) + " " + row.keys);
    auto* list = Child<NumberList>(form, row.list);
    list->SetTypingInterval(60 * 60 * 1000);  // however slow the machine, one number
    list->setCurrentIndex(0);
    Child<QWidget>(form, "txtName")->setFocus();  // a fresh start of typing
    list->setFocus();
    QTest::keyClicks(list, QString::fromLatin1(row.keys));
    EXPECT_EQ(list->currentText(), QString::fromLatin1(row.selected));
    EXPECT_FALSE(list->isEditable());
  }
  EXPECT_EQ(Child<QComboBox>(form, "cboDate")->count(), 31);

  // Digits further apart than the interval start a new number: "3", then "1".
  auto* day = Child<NumberList>(form, "cboDate");
  day->SetTypingInterval(-1);
  day->setCurrentIndex(0);
  QTest::keyClicks(day, QStringLiteral("31"));
  EXPECT_EQ(day->currentText(), QStringLiteral("1"));
}

TEST_F(KeyboardTest, InputFormQuitsWithTheQuitKeyAndOpensHelpWithTheHelpKey) {
  frmMain form(session, links, messages);
  int unloaded = 0;
  QObject::connect(&form, &frmMain::Unloaded, [&unloaded] { ++unloaded; });
  Activate(form);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
  EXPECT_EQ(browser.opened, std::vector<QUrl>{WebAddresses::HelpPage()});
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(unloaded, 1);
}

TEST_F(KeyboardTest, MainWindowPrintsQuitsAndHelpsFromTheKeyboard) {
  MDI window(links);
  int reports = 0;
  int unloaded = 0;
  QObject::connect(&window, &MDI::ReportRequested, [&reports] { ++reports; });
  QObject::connect(&window, &MDI::Unloaded, [&unloaded] { ++unloaded; });
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  Activate(window);
  QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(reports, 1);
  ExpectAccessKeyStays(*Child<QPushButton>(window, "Command1"), "&Print");
  QTest::keyClick(&window, Qt::Key_F1);
  EXPECT_EQ(browser.opened, std::vector<QUrl>{WebAddresses::HelpPage()});
  QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(unloaded, 1);
}

// Every link of a window is a Tab stop that Return opens, and none of them
// takes a window's first focus.
TEST_F(KeyboardTest, LinksAreReachedByTabAndOpenedWithReturn) {
  frmMain form(session, links, messages);
  Activate(form);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("txtName"));
  EXPECT_EQ(PressLinksReachedByTab(form), std::vector<QString>{QStringLiteral("Label61")});
  EXPECT_EQ(browser.opened, std::vector<QUrl>{WebAddresses::HomePage()});
  form.close();

  browser.opened.clear();
  MDI main(links);
  main.setAttribute(Qt::WA_DeleteOnClose, false);
  Activate(main);
  ASSERT_EQ(qobject_cast<look::ClickableLabel*>(QApplication::focusWidget()), nullptr);
  const std::vector<QString> mainLinks = PressLinksReachedByTab(main);
  EXPECT_EQ(mainLinks.size(), 2U);
  EXPECT_EQ(browser.opened.size(), mainLinks.size());

  browser.opened.clear();
  testing::FakeSaveDialog saveDialog;
  testing::FakePrintDialog printDialog;
  frmSave* window =
      OpenReportWindow(main, ReportWindowServices{links, messages, saveDialog, printDialog});
  Activate(*window);
  ASSERT_EQ(qobject_cast<look::ClickableLabel*>(QApplication::focusWidget()), nullptr);
  const std::vector<QString> reportLinks = PressLinksReachedByTab(*window);
  EXPECT_EQ(reportLinks.size(), 2U);
  EXPECT_EQ(browser.opened.size(), reportLinks.size());
  window->close();
}

// In a main window smaller than the results, a control that Tab reaches is
// scrolled into view.
TEST_F(KeyboardTest, TabScrollsTheResultsToTheFocusedControl) {
  MDI main(links);
  main.setAttribute(Qt::WA_DeleteOnClose, false);
  main.resize(480, 440);
  Activate(main);
  auto* scroll = Child<QScrollArea>(main, "MDIClientScroll");
  QWidget* link = Child<QWidget>(main, "Label3");
  for (int step = 0; step < 64 && QApplication::focusWidget() != link; ++step) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  ASSERT_EQ(QApplication::focusWidget(), link);
  const QRect shown(link->mapTo(scroll->viewport(), QPoint(0, 0)), link->size());
  EXPECT_TRUE(scroll->viewport()->rect().intersects(shown));
}

TEST_F(KeyboardTest, ReportWindowSavesAndPrintsFromTheKeyboard) {
  MDI main(links);
  main.setAttribute(Qt::WA_DeleteOnClose, false);
  main.show();
  testing::FakeSaveDialog saveDialog;
  testing::FakePrintDialog printDialog;
  printDialog.cancel = true;
  frmSave* window =
      OpenReportWindow(main, ReportWindowServices{links, messages, saveDialog, printDialog});
  Activate(*window);
  QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(saveDialog.asked.size(), 1U);
  QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(printDialog.selectionOffered.size(), 1U);
  ExpectAccessKeyStays(*Child<QPushButton>(*window, "cmdSave"), "&Save");
  ExpectAccessKeyStays(*Child<QPushButton>(*window, "cmdPrint"), "&Print");
  window->close();
}

}  // namespace
}  // namespace zodivane::ui
