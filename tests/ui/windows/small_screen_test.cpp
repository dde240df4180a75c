// SPDX-License-Identifier: GPL-3.0-or-later
// The windows on a small screen, 1024 x 700 pixels (the offscreen platform
// is given that screen by this test's configuration): the results at Fit
// to Window need no scroll bar with the aspects beside them, the aspects
// scale with View's zoom as the form does, and Transits and Compare With
// open inside the screen with every button shown.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "chartfile/chart_file.h"
#include "tests/support/sample_entries.h"
#include "tests/ui/support/fakes.h"
#include "tests/ui/support/windows.h"
#include "ui/app/shell.h"
#include "ui/windows/aspect_panel.h"
#include "ui/windows/frm_display.h"
#include "ui/windows/frm_main.h"
#include "ui/windows/frm_synastry.h"
#include "ui/windows/frm_transits.h"
#include "ui/windows/mdi.h"

namespace zodivane::ui {
namespace {

using testing::Child;

const QSize kSmallScreen(1024, 700);

/// The part of `widget` that its window shows, in the window's
/// coordinates: clipped by every parent on the way.
QRect ShownPart(const QWidget& widget) {
  QRect shown(QPoint(0, 0), widget.size());
  const QWidget* child = &widget;
  for (const QWidget* parent = widget.parentWidget(); parent != nullptr && !child->isWindow();
       child = parent, parent = parent->parentWidget()) {
    shown.translate(child->pos());
    shown &= QRect(QPoint(0, 0), parent->size());
  }
  return shown;
}

/// Every push button of `window` (not of the windows it opened) is shown
/// whole.
void ExpectButtonsShown(const QWidget& window) {
  int buttons = 0;
  for (const QPushButton* button : window.findChildren<QPushButton*>()) {
    if (button->window() != &window) {
      continue;
    }
    ++buttons;
    EXPECT_TRUE(button->isVisible()) << button->objectName().toStdString();
    EXPECT_EQ(ShownPart(*button).size(), button->size()) << button->objectName().toStdString();
  }
  EXPECT_GT(buttons, 0);
}

/// `window`'s frame lies inside the room its screen leaves to windows.
void ExpectInsideTheScreen(const QWidget& window) {
  const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(room.contains(window.frameGeometry()))
      << window.objectName().toStdString() << ": " << window.frameGeometry().width() << "x"
      << window.frameGeometry().height() << " at " << window.frameGeometry().x() << ","
      << window.frameGeometry().y();
}

class SmallScreenTest : public ::testing::Test {
 protected:
  SmallScreenTest() {
    shell.EnableChartFiles(openDialog, saveDialog);
    shell.SetChartSheetServices(ChartSheetServices{messages, saveDialog, printDialog});
  }

  void SetUp() override {
    ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry().size(), kSmallScreen);
    ASSERT_TRUE(shell.ProgramStart());
    shell.InputForm()->SetEntries(test::DelhiEntries());
    ASSERT_TRUE(shell.InputForm()->Cast());
    main = shell.MainWindow();
    ASSERT_NE(main, nullptr);
    QApplication::processEvents();
  }

  QString WriteChart(const QString& name, const FormEntries& entries) const {
    QFile file(folder.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    const std::string bytes = chartfile::WriteChartFile(chartfile::ChartFile{entries, {}, {}});
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return file.fileName();
  }

  QTemporaryDir folder;
  testing::FakeMessageBoxes messages;
  testing::FakeWebBrowser browser;
  testing::FakeSettingsStore settings;
  testing::FakeClock clock;
  testing::FakeOpenDialog openDialog;
  testing::FakeSaveDialog saveDialog;
  testing::FakePrintDialog printDialog;
  Shell shell{ShellServices{messages, browser, settings, clock},
              folder.filePath(QStringLiteral("zodivane.lock")), [] {}};
  MDI* main = nullptr;
};

TEST_F(SmallScreenTest, FitToWindowNeedsNoScrollBarWithTheAspectsBeside) {
  ExpectInsideTheScreen(*main);
  Child<QAction>(*main, "mnuFitToWindow")->trigger();
  QApplication::processEvents();
  auto* scroll = Child<QScrollArea>(*main, "MDIClientScroll");
  EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
  EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());
  // The form and the whole panel beside it, down to its last point, are in view.
  auto* panel = Child<AspectPanel>(*main, "AspectPanel");
  ASSERT_TRUE(panel->isVisible());
  for (const char* name : {"grdAspects", "lstAspects", "lblPatterns", "tblPoints"}) {
    const QWidget* part = Child<QWidget>(*panel, name);
    const QRect inView(part->mapTo(scroll->viewport(), QPoint(0, 0)), part->size());
    EXPECT_TRUE(scroll->viewport()->rect().contains(inView)) << name;
  }
  const QRect form(main->Display().mapTo(scroll->viewport(), QPoint(0, 0)), main->Display().size());
  EXPECT_TRUE(scroll->viewport()->rect().contains(form));
  ExpectButtonsShown(*main);
}

TEST_F(SmallScreenTest, TheAspectsScaleWithTheZoomAsTheFormDoes) {
  auto* panel = Child<AspectPanel>(*main, "AspectPanel");
  auto* grid = Child<QTableWidget>(*panel, "grdAspects");
  main->SetZoom({false, 1.0});
  const QSize form = main->Display().size();
  const QSize gridSize = grid->size();
  const int panelWidth = panel->width();
  const double type = grid->font().pointSizeF();
  // Rows: the zoom, from Zoom Out's smallest step to Zoom In's largest.
  for (const double factor : {0.5, 0.75, 1.5, 2.0, 3.0}) {
    SCOPED_TRACE(factor);
    main->SetZoom({false, factor});
    const double formScale = static_cast<double>(main->Display().width()) / form.width();
    EXPECT_NEAR(formScale, factor, 0.01);
    EXPECT_NEAR(static_cast<double>(panel->width()) / panelWidth, formScale, 0.01);
    EXPECT_NEAR(grid->font().pointSizeF() / type, formScale, 0.01);
    // The cells scale; the headings' widths follow their type, to a few pixels.
    EXPECT_NEAR(grid->width(), gridSize.width() * formScale, 12.0 * factor);
    EXPECT_NEAR(grid->height(), gridSize.height() * formScale, 12.0 * factor);
  }
}

TEST_F(SmallScreenTest, TransitsAndCompareWithOpenInsideTheScreenWithTheirButtons) {
  Child<QAction>(*main, "mnuTransits")->trigger();
  auto* transits = main->findChild<frmTransits*>();
  ASSERT_NE(transits, nullptr);
  QApplication::processEvents();
  ExpectInsideTheScreen(*transits);
  ExpectButtonsShown(*transits);

  ASSERT_TRUE(
      main->CompareWith(WriteChart(QStringLiteral("jane.zchart"), test::London1985Entries())));
  auto* synastry = main->findChild<frmSynastry*>();
  ASSERT_NE(synastry, nullptr);
  QApplication::processEvents();
  ExpectInsideTheScreen(*synastry);
  ExpectButtonsShown(*synastry);
}

}  // namespace
}  // namespace zodivane::ui
