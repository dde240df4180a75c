// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/mdi.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <variant>

#include "chartfile/chart_file.h"
#include "common/safe_file.h"
#include "places/place_entries.h"
#include "ui/look/look.h"
#include "ui/look/look_widgets.h"
#include "ui/platform/owned_dialog.h"
#include "ui/windows/aspect_panel.h"
#include "ui/windows/frm_about.h"
#include "ui/windows/frm_aspect_settings.h"
#include "ui/windows/frm_display.h"
#include "ui/windows/frm_synastry.h"
#include "ui/windows/frm_transit_calendar.h"
#include "ui/windows/frm_transits.h"

namespace zodivane::ui {

namespace {

using look::Px;
using look::TwipsRect;
namespace colours = look::colours;

// Design sizes, twips.
constexpr int kBannerWidth = 9480;
constexpr int kBannerHeight = 465;
constexpr int kSoftwareNameWidth = 6615;
constexpr int kTopBarHeight = 615;   // Picture1 and Picture2
constexpr int kNameBarHeight = 360;  // Picture3
constexpr int kButtonTop = 120;
constexpr int kPrintWidth = 1020;
constexpr int kBackWidth = 1020;
constexpr int kButtonHeight = 465;
constexpr int kExitWidth = 1095;
constexpr int kExitHeight = 495;
constexpr int kDisplayWidth = 13215;
constexpr int kNoteMargin = 240;
constexpr int kAspectPanelWidth = 460;  ///< pixels at Actual Size, right of the results form
constexpr int kAspectPanelGap = 8;      ///< pixels between the two

QWidget* Bar(const char* name, QWidget* parent, int heightTwips, const QColor& colour) {
  auto* bar = new QWidget(parent);
  bar->setObjectName(QString::fromLatin1(name));
  bar->setFixedHeight(Px(heightTwips));
  look::SetBackground(*bar, colour);
  return bar;
}

QPushButton* BarButton(const QString& caption, const char* name, QWidget* bar, int width,
                       int height) {
  auto* button = new QPushButton(caption, bar);
  button->setObjectName(QString::fromLatin1(name));
  button->setFont(look::VerdanaFont(look::points::kBody, true));
  button->setGeometry(TwipsRect(0, kButtonTop, width, height));
  button->setAutoDefault(false);
  return button;
}

/// The contents of the chart file at `path`, read as Compare With reads it;
/// the reason, ready to show, when it cannot be read.
std::variant<std::string, QString> ReadChartFileAt(const QString& path) {
  const QByteArray local = QFile::encodeName(path);
  auto contents =
      ReadRegularFile(std::string(local.constData(), static_cast<std::size_t>(local.size())),
                      chartfile::kMostChartFileBytes);
  if (const auto* failure = std::get_if<ReadFailure>(&contents)) {
    return QString::fromLocal8Bit(failure->reason.c_str());
  }
  return std::get<std::string>(std::move(contents));
}

/// The name of the person whose chart the file at `path` holds, trimmed;
/// empty when the file cannot be read or holds no name.
QString PersonOfChartFile(const QString& path) {
  const auto contents = ReadChartFileAt(path);
  if (const auto* bytes = std::get_if<std::string>(&contents)) {
    const auto read = chartfile::ReadChartFile(*bytes);
    if (const auto* file = std::get_if<chartfile::ChartFile>(&read)) {
      return look::FromUtf8(file->entries.txtName).trimmed();
    }
  }
  return {};
}

}  // namespace

MdiLayout ComputeMdiLayout(int widthTwips) noexcept {
  MdiLayout layout;
  layout.bannerLeft = (widthTwips - kBannerWidth) / 2;
  layout.softwareNameLeft = (widthTwips - kSoftwareNameWidth) / 2;
  layout.exitLeft = widthTwips - (kExitWidth + 160);
  layout.backLeft = widthTwips - (kBackWidth + 1400);
  layout.displayLeft = (widthTwips - kDisplayWidth) / 2;
  // Print is placed by the Back button's width, which equals its own.
  layout.printLeft = widthTwips - (kBackWidth + 2600);
  return layout;
}

MDI::MDI(WebLinks& links, QWidget* parent) : QMainWindow(parent), links_(links) {
  setObjectName(QStringLiteral("MDI"));
  new look::FocusRing(*this);
  setWindowTitle(look::kWindowTitle);
  setFont(look::VerdanaFont(look::points::kBody));
  setAttribute(Qt::WA_DeleteOnClose);

  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  QWidget* picture1 = Bar("Picture1", central, kTopBarHeight, colours::kPeach);
  auto* banner = new look::ClickableLabel(
      QStringLiteral("Talk astrology with other users in our online forum - visit %1")
          .arg(WebAddresses::HomePageHost()),
      picture1);
  banner->setObjectName(QStringLiteral("lblQuorvelBanner"));
  banner->setFont(look::VerdanaFont(look::points::kLarge, true, true));
  banner->setAlignment(Qt::AlignCenter);
  banner->setGeometry(
      TwipsRect(0, (kTopBarHeight - kBannerHeight) / 2, kBannerWidth, kBannerHeight));
  look::SetTextColour(*banner, colours::kNavy);
  connect(banner, &look::ClickableLabel::clicked, this, &MDI::lblQuorvelBanner_Click);
  lblQuorvelBanner_ = banner;

  QWidget* picture3 = Bar("Picture3", central, kNameBarHeight, colours::kPeach);
  lblSoftwareName_ = new QLabel(QStringLiteral("Zodivane"), picture3);
  lblSoftwareName_->setObjectName(QStringLiteral("lblSoftwareName"));
  lblSoftwareName_->setFont(look::VerdanaFont(look::points::kTitle, true));
  lblSoftwareName_->setAlignment(Qt::AlignCenter);
  lblSoftwareName_->setGeometry(TwipsRect(0, 0, kSoftwareNameWidth, kNameBarHeight));
  look::SetTextColour(*lblSoftwareName_, colours::kRed);

  // The client area scrolls when the window is smaller than the results form.
  scroll_ = new QScrollArea(central);
  scroll_->setObjectName(QStringLiteral("MDIClientScroll"));
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setWidgetResizable(false);
  // The scroll area itself is no stop of the Tab chain: its controls are.
  scroll_->setFocusPolicy(Qt::NoFocus);
  look::SetBackground(*scroll_, colours::kPanel);
  clientArea_ = new QWidget;
  clientArea_->setObjectName(QStringLiteral("MDIClient"));
  look::SetBackground(*clientArea_, colours::kPanel);
  scroll_->setWidget(clientArea_);
  scroll_->viewport()->installEventFilter(this);
  // A control of the results form that takes the focus (by Tab as by a
  // click) is scrolled into view.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* /*old*/, QWidget* now) {
    if (now != nullptr && clientArea_->isAncestorOf(now)) {
      scroll_->ensureWidgetVisible(now);
    }
  });

  // MDIForm_Load: a fresh, empty results form as the only child.
  display_ = new frmDisplay(links_, clientArea_);
  display_->move(0, 0);
  // The second child: the aspects, in the free area right of the results.
  aspects_ = new AspectPanel(clientArea_);
  look::SetBackground(*aspects_, colours::kPeach);

  QWidget* picture2 = Bar("Picture2", central, kTopBarHeight, colours::kButtonBar);
  command1_ = BarButton(QStringLiteral("&Print"), "Command1", picture2, kPrintWidth, kButtonHeight);
  cmdBack_ = BarButton(QStringLiteral("&Back"), "cmdBack", picture2, kBackWidth, kButtonHeight);
  cmdMdiExit_ = BarButton(QStringLiteral("&Exit"), "cmdMdiExit", picture2, kExitWidth, kExitHeight);
  // The birth-time note: one line left of the buttons, hidden for a stable chart.
  lblBirthTimeNote_ = new QLabel(picture2);
  lblBirthTimeNote_->setObjectName(QStringLiteral("lblBirthTimeNote"));
  lblBirthTimeNote_->setFont(look::VerdanaFont(look::points::kBody));
  look::SetTextColour(*lblBirthTimeNote_, colours::kNavy);
  lblBirthTimeNote_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  lblBirthTimeNote_->hide();
  connect(command1_, &QPushButton::clicked, this, &MDI::Command1_Click);
  connect(cmdBack_, &QPushButton::clicked, this, &MDI::cmdBack_Click);
  connect(cmdMdiExit_, &QPushButton::clicked, this, &MDI::cmdMdiExit_Click);

  column->addWidget(picture1);
  column->addWidget(picture3);
  column->addWidget(scroll_, 1);
  column->addWidget(picture2);
  setCentralWidget(central);

  // The links follow the bar's buttons; the first focus stays where it was.
  setTabOrder(cmdMdiExit_, lblQuorvelBanner_);
  setTabOrder(lblQuorvelBanner_, display_->findChild<QWidget*>(QStringLiteral("Label3")));

  BuildMenus();
  LayOut();
  look::FocusFirstControl(*this);
}

void MDI::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setFont(look::VerdanaFont(look::points::kBody));

  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  QAction* back = file->addAction(QStringLiteral("&Back"));
  back->setObjectName(QStringLiteral("mnuBack"));
  back->setShortcuts(look::StandardKeys(QKeySequence::Back));
  connect(back, &QAction::triggered, this, &MDI::mnuBack_Click);
  QAction* exit = file->addAction(QStringLiteral("E&xit"));
  exit->setObjectName(QStringLiteral("mnuExit"));
  exit->setShortcuts(look::StandardKeys(QKeySequence::Quit));
  connect(exit, &QAction::triggered, this, &MDI::mnuExit_Click);
  look::AddStandardShortcut(*this, QKeySequence::Print, [this] { Command1_Click(); });
  // The chart sheet, below the menu's own items.
  file->addSeparator()->setObjectName(QStringLiteral("mnuSepChart"));
  mnuExportChart_ = file->addAction(QStringLiteral("&Export Chart\u2026"));
  mnuExportChart_->setObjectName(QStringLiteral("mnuExportChart"));
  mnuExportChart_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  mnuExportChart_->setEnabled(false);
  connect(mnuExportChart_, &QAction::triggered, this, &MDI::mnuExportChart_Click);
  mnuPrintChart_ = file->addAction(QStringLiteral("&Print Chart\u2026"));
  mnuPrintChart_->setObjectName(QStringLiteral("mnuPrintChart"));
  mnuPrintChart_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
  mnuPrintChart_->setEnabled(false);
  connect(mnuPrintChart_, &QAction::triggered, this, &MDI::mnuPrintChart_Click);

  // The results form scaled evenly, type and wheel included.
  QMenu* view = bar->addMenu(QStringLiteral("&View"));
  view->setObjectName(QStringLiteral("mnuView"));
  const auto addZoom = [this, view](const QString& caption, const char* name,
                                    QList<QKeySequence> keys, void (MDI::*slot)()) {
    QAction* action = view->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(keys);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  addZoom(QStringLiteral("Zoom &In"), "mnuZoomIn",
          look::StandardKeys(QKeySequence::ZoomIn) << QKeySequence(Qt::CTRL | Qt::Key_Equal),
          &MDI::mnuZoomIn_Click);
  addZoom(QStringLiteral("Zoom &Out"), "mnuZoomOut", look::StandardKeys(QKeySequence::ZoomOut),
          &MDI::mnuZoomOut_Click);
  addZoom(QStringLiteral("&Actual Size"), "mnuActualSize", {QKeySequence(Qt::CTRL | Qt::Key_0)},
          &MDI::mnuActualSize_Click);
  mnuFitToWindow_ =
      addZoom(QStringLiteral("&Fit to Window"), "mnuFitToWindow", {}, &MDI::mnuFitToWindow_Click);
  mnuFitToWindow_->setCheckable(true);

  // The aspects beside the results, shown or hidden from View.
  view->addSeparator();
  // Each item of a menu has a letter of its own ("&Actual Size" above).
  mnuAspects_ = view->addAction(QStringLiteral("A&spects"));
  mnuAspects_->setObjectName(QStringLiteral("mnuAspects"));
  mnuAspects_->setCheckable(true);
  mnuAspects_->setChecked(true);
  mnuAspectLines_ = view->addAction(QStringLiteral("Aspect &Lines"));
  mnuAspectLines_->setObjectName(QStringLiteral("mnuAspectLines"));
  mnuAspectLines_->setCheckable(true);
  connect(mnuAspectLines_, &QAction::toggled, this, [this](bool on) {
    if (settings_ != nullptr) {
      settings_->Write(kAspectLinesKey, on ? QStringLiteral("on") : QStringLiteral("off"));
    }
    display_->SetAspectLinesShown(on);
  });
  mnuAspectsInReport_ = view->addAction(QStringLiteral("Aspects in &Report"));
  mnuAspectsInReport_->setObjectName(QStringLiteral("mnuAspectsInReport"));
  mnuAspectsInReport_->setCheckable(true);
  connect(mnuAspectsInReport_, &QAction::toggled, this, [this](bool on) {
    if (settings_ != nullptr) {
      settings_->Write(kAspectsInReportKey, on ? QStringLiteral("on") : QStringLiteral("off"));
    }
    ShowReport();
  });
  // The further points in the wheel's houses, off unless chosen.
  mnuPointsInWheel_ = view->addAction(QStringLiteral("Points in &Wheel"));
  mnuPointsInWheel_->setObjectName(QStringLiteral("mnuPointsInWheel"));
  mnuPointsInWheel_->setCheckable(true);
  connect(mnuPointsInWheel_, &QAction::toggled, this, [this](bool on) {
    if (settings_ != nullptr) {
      settings_->Write(kPointsInWheelKey, on ? QStringLiteral("on") : QStringLiteral("off"));
    }
    display_->SetPointsInWheelShown(on);
  });
  connect(mnuAspects_, &QAction::toggled, this, [this](bool shown) {
    aspects_->setVisible(shown);
    if (settings_ != nullptr) {
      settings_->Write(kAspectPanelKey, shown ? QStringLiteral("shown") : QStringLiteral("hidden"));
    }
    LayOut();
  });

  // How sure the chart is, in words that the keyboard and a screen reader reach.
  QMenu* chart = bar->addMenu(QStringLiteral("&Chart"));
  chart->setObjectName(QStringLiteral("mnuChart"));
  mnuHowSure_ = chart->addAction(QStringLiteral("&How Sure Is This Chart?"));
  mnuHowSure_->setObjectName(QStringLiteral("mnuHowSure"));
  mnuHowSure_->setEnabled(false);
  connect(mnuHowSure_, &QAction::triggered, this, &MDI::mnuHowSure_Click);
  QAction* aspectSettings = chart->addAction(QStringLiteral("&Aspect Settings\u2026"));
  aspectSettings->setObjectName(QStringLiteral("mnuAspectSettings"));
  connect(aspectSettings, &QAction::triggered, this, &MDI::mnuAspectSettings_Click);
  mnuTransits_ = chart->addAction(QStringLiteral("&Transits\u2026"));
  mnuTransits_->setObjectName(QStringLiteral("mnuTransits"));
  mnuTransits_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  mnuTransits_->setEnabled(false);
  connect(mnuTransits_, &QAction::triggered, this, &MDI::mnuTransits_Click);
  BuildChartToolMenus(*chart);

  look::AddHelpMenu(
      *bar, *this,
      {[this] { mnuOnline_Click(); }, [this] { mnuVisit_Click(); }, [this] { mnuUpdate_Click(); },
       [this] { mnuAbout_Click(); }, QStringLiteral("mnuSep1"), QStringLiteral("mnuSep2")});
}

void MDI::BuildChartToolMenus(QMenu& chart) {
  chart.addSeparator()->setObjectName(QStringLiteral("mnuSepChartTools"));
  // T is Transits…'s letter.
  mnuTransitCalendar_ = chart.addAction(QStringLiteral("Transit &Calendar\u2026"));
  mnuTransitCalendar_->setObjectName(QStringLiteral("mnuTransitCalendar"));
  mnuTransitCalendar_->setEnabled(false);
  connect(mnuTransitCalendar_, &QAction::triggered, this, &MDI::mnuTransitCalendar_Click);
  mnuCompareWith_ = chart.addMenu(QStringLiteral("Compare &With"));
  mnuCompareWith_->setObjectName(QStringLiteral("mnuCompareWith"));
  mnuCompareWith_->setEnabled(false);
  connect(mnuCompareWith_, &QMenu::aboutToShow, this, &MDI::FillCompareMenu);
  FillCompareMenu();
}

void MDI::FillCompareMenu() {
  mnuCompareWith_->clear();
  QAction* file = mnuCompareWith_->addAction(QStringLiteral("&Chart File\u2026"));
  file->setObjectName(QStringLiteral("mnuCompareWithFile"));
  connect(file, &QAction::triggered, this, &MDI::mnuCompareWithFile_Click);
  const QStringList recent =
      toolServices_ && toolServices_->recentCharts ? toolServices_->recentCharts() : QStringList();
  if (!recent.isEmpty()) {
    mnuCompareWith_->addSeparator();
  }
  for (qsizetype i = 0; i < recent.size(); ++i) {
    const QString& path = recent.at(i);
    // "&1 anna.zchart", as File > Recent Charts lists them, and beside it
    // whose chart it is: "&1 anna.zchart – ANNA".
    QString name = QFileInfo(path).fileName();
    const QString person = PersonOfChartFile(path);
    if (!person.isEmpty()) {
      name += QStringLiteral(" \u2013 ") + person;
    }
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item = mnuCompareWith_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
    item->setObjectName(QStringLiteral("mnuCompareRecent%1").arg(i));
    item->setToolTip(path);
    item->setData(path);
    connect(item, &QAction::triggered, this, [this, path] { CompareWith(path); });
  }
}

void MDI::SetChartTools(const AspectPoints& points, ChartToolServices services) {
  points_ = points;
  toolServices_.emplace(std::move(services));
  mnuTransitCalendar_->setEnabled(chart_.has_value());
  mnuCompareWith_->setEnabled(chart_.has_value());
  FillCompareMenu();
}

void MDI::mnuTransitCalendar_Click() {
  if (!chart_ || !toolServices_) {
    return;
  }
  auto* window = new frmTransitCalendar(
      *chart_, aspectSettings_,
      TransitCalendarServices{toolServices_->messages, toolServices_->saveDialog,
                              toolServices_->clock},
      this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
}

void MDI::mnuCompareWithFile_Click() {
  if (!toolServices_) {
    return;
  }
  const std::optional<QString> path = toolServices_->openDialog.AskOpenPath(
      this, OpenDialogSettings{QStringLiteral("Compare With"),
                               QStringLiteral("Zodivane charts (*.zchart)")});
  if (path) {
    CompareWith(*path);
  }
}

bool MDI::CompareWith(const QString& path) {
  if (!chart_ || !toolServices_) {
    return false;
  }
  const auto failed = [this, &path](const QString& reason) {
    toolServices_->messages.ShowNotice(
        this,
        QStringLiteral("Cannot compare with the chart file \"%1\":\n%2")
            .arg(QFileInfo(path).fileName(), reason),
        MessageIcon::Critical);
    return false;
  };
  const auto contents = ReadChartFileAt(path);
  if (const auto* failure = std::get_if<QString>(&contents)) {
    return failed(*failure);
  }
  auto other = chartfile::CastComparedChart(std::get<std::string>(contents), chart_->ephemeris);
  if (const auto* message = std::get_if<std::string>(&other)) {
    return failed(look::FromUtf8(*message));
  }
  auto& compared = std::get<chartfile::ComparedChart>(other);
  // Its zone checked as the input form checks it, for the window and the sheet.
  compared.view.zoneWarning = places::ChartZoneWarning(compared.entries, compared.place);
  auto* window = new frmSynastry(
      SynastryPerson{*chart_, points_, {}, {}}, std::move(compared), aspectSettings_,
      SynastryServices{toolServices_->messages, toolServices_->saveDialog,
                       toolServices_->printDialog},
      this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  return true;
}

void MDI::ShowAspects(const ChartAspects& aspects, const AspectSettings& settings) {
  aspectSettings_ = settings;
  aspects_->ShowAspects(aspects);
  display_->ShowAspectLines(aspects.aspects);
  // The sheet always shows them, under the same settings.
  if (chart_) {
    chart_->aspects = aspects;
  }
  if (transits_) {
    transits_->SetAspectSettings(settings);
  }
}

void MDI::SetTransitClock(Clock& clock) {
  transitClock_ = &clock;
  mnuTransits_->setEnabled(chart_.has_value());
}

void MDI::mnuTransits_Click() {
  if (!chart_ || transitClock_ == nullptr) {
    return;
  }
  if (!transits_) {
    transits_ = new frmTransits(*chart_, aspectSettings_, *transitClock_, sheetServices_, this);
    transits_->setAttribute(Qt::WA_DeleteOnClose);
    ResizeWithinScreen(*transits_, QSize(look::Px(15000), look::Px(11000)));
  }
  transits_->show();
  transits_->raise();
  transits_->activateWindow();
}

void MDI::OpenAspectSettings(bool onEngine) {
  OwnedDialog<frmAspectSettings> dialog(aspectSettings_, this, ephemeris_);
  if (onEngine) {
    dialog->FocusEphemeris();
  }
  if (dialog.exec() == QDialog::Accepted) {
    emit AspectSettingsChosen(dialog->Settings());
    if (dialog->ChosenEphemeris() != ephemeris_) {
      ephemeris_ = dialog->ChosenEphemeris();
      emit EphemerisChosen(ephemeris_);
    }
  }
}

void MDI::SetReportSections(std::vector<StyledRun> planets, std::vector<StyledRun> aspects) {
  planetReport_ = std::move(planets);
  aspectReport_ = std::move(aspects);
  ShowReport();
}

void MDI::ShowReport() {
  if (!mnuAspectsInReport_->isChecked()) {
    display_->ShowReport(planetReport_);
    return;
  }
  std::vector<StyledRun> whole = planetReport_;
  whole.insert(whole.end(), aspectReport_.begin(), aspectReport_.end());
  display_->ShowReport(whole);
}

void MDI::UseViewSettings(SettingsStore& settings) {
  settings_ = nullptr;  // the choices read are not written back
  mnuAspects_->setChecked(settings.Read(kAspectPanelKey) != QStringLiteral("hidden"));
  mnuAspectsInReport_->setChecked(settings.Read(kAspectsInReportKey) == QStringLiteral("on"));
  mnuAspectLines_->setChecked(settings.Read(kAspectLinesKey) == QStringLiteral("on"));
  mnuPointsInWheel_->setChecked(settings.Read(kPointsInWheelKey) == QStringLiteral("on"));
  ZoomChoice choice;
  const std::optional<QString> stored = settings.Read(kZoomKey);
  if (const std::optional<ZoomChoice> remembered =
          stored ? ZoomChoiceFromSetting(*stored) : std::nullopt) {
    choice = *remembered;
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    // The designed layout: the results form between the window's bars.
    const QSize designed =
        frmDisplay::DesignedSize() +
        QSize(0, Px(2 * kTopBarHeight + kNameBarHeight) + menuBar()->sizeHint().height());
    const QSize available = screen->availableSize();
    choice.fit = available.width() > designed.width() && available.height() > designed.height();
  }
  SetZoom(choice);
  settings_ = &settings;
}

void MDI::SetZoom(const ZoomChoice& choice) {
  zoom_ = choice;
  mnuFitToWindow_->setChecked(choice.fit);
  if (settings_ != nullptr) {
    settings_->Write(kZoomKey, ZoomSettingText(choice));
  }
  LayOut();
}

void MDI::mnuZoomIn_Click() {
  SetZoom({false, ZoomedIn(display_->Zoom())});
}

void MDI::mnuZoomOut_Click() {
  SetZoom({false, ZoomedOut(display_->Zoom())});
}

void MDI::SetSensitivityText(const QString& text) {
  sensitivityText_ = text;
  mnuHowSure_->setEnabled(!text.isEmpty());
}

void MDI::mnuHowSure_Click() {
  OwnedDialog<QDialog> owned(this);
  QDialog& window = *owned;
  window.setObjectName(QStringLiteral("frmHowSure"));
  window.setWindowTitle(QStringLiteral("How Sure Is This Chart?"));
  auto* layout = new QVBoxLayout(&window);
  auto* text = new QPlainTextEdit(sensitivityText_, &window);
  text->setObjectName(QStringLiteral("txtHowSure"));
  text->setReadOnly(true);
  // Read-only text still takes the focus, so that it can be read line by line.
  text->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  text->setAccessibleName(QStringLiteral("How sure the chart is"));
  text->setFont(look::VerdanaFont(look::points::kReading));
  layout->addWidget(text);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &window);
  connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
  layout->addWidget(buttons);
  window.resize(look::Px(9000), look::Px(4500));
  text->setFocus(Qt::OtherFocusReason);
  owned.exec();
}

double MDI::FitZoom(bool besideAspects) {
  const QSize room = scroll_->maximumViewportSize();
  if (!besideAspects) {
    return FitFactor(frmDisplay::DesignedSize(), room);
  }
  // The form and the panel side by side, both scaled alike.
  const QSize designed = frmDisplay::DesignedSize() + QSize(kAspectPanelWidth, 0);
  double factor = FitFactor(designed, room - QSize(kAspectPanelGap, 0));
  // The panel's rows and type do not scale exactly with the factor: step
  // down until it needs no more than the room's height.
  aspects_->SetZoom(factor);
  for (int step = 0; step < 64 && factor > kZoomSteps.front(); ++step) {
    const int needed = aspects_->MinimumHeightForWidth(AspectPanelWidth(factor));
    if (needed <= room.height()) {
      break;
    }
    const double shrink = std::min(0.99, static_cast<double>(room.height()) / needed);
    factor = std::max(kZoomSteps.front(), factor * shrink);
    aspects_->SetZoom(factor);
  }
  return factor;
}

int MDI::AspectPanelWidth(double factor) {
  return static_cast<int>(std::lround(kAspectPanelWidth * factor));
}

void MDI::LayOut() {
  if (zooming_) {
    return;
  }
  // Fit to Window: the largest zoom at which neither the form nor the
  // aspects beside it need scrolling.
  const bool besideAspects = aspects_->isVisibleTo(this);
  const double factor = zoom_.fit ? FitZoom(besideAspects) : zoom_.factor;
  aspects_->SetZoom(factor);
  const int panelWidth = AspectPanelWidth(factor);
  const int aspectRoom = besideAspects ? panelWidth + kAspectPanelGap : 0;
  if (factor != display_->Zoom()) {
    zooming_ = true;
    display_->SetZoom(factor);
    zooming_ = false;
  }
  const MdiLayout layout = ComputeMdiLayout(width() * look::kTwipsPerPixel);
  lblQuorvelBanner_->move(Px(layout.bannerLeft), lblQuorvelBanner_->y());
  lblSoftwareName_->move(Px(layout.softwareNameLeft), lblSoftwareName_->y());
  cmdMdiExit_->move(Px(layout.exitLeft), cmdMdiExit_->y());
  cmdBack_->move(Px(layout.backLeft), cmdBack_->y());
  command1_->move(Px(layout.printLeft), command1_->y());
  // The note fills the bar from its left edge to a gap before Print.
  const int noteLeft = Px(kNoteMargin);
  const int noteWidth = std::max(0, Px(layout.printLeft - kNoteMargin) - noteLeft);
  lblBirthTimeNote_->setGeometry(noteLeft, command1_->y(), noteWidth, command1_->height());
  // Each note on a line of its own, so that one never runs into the next.
  QStringList lines;
  for (const QString& note : birthTimeNotes_) {
    lines.append(lblBirthTimeNote_->fontMetrics().elidedText(note, Qt::ElideRight, noteWidth));
  }
  lblBirthTimeNote_->setText(lines.join(QLatin1Char('\n')));
  // A window narrower than the results form scrolls it from its left edge;
  // a zoomed form is centred in the room the aspects leave.
  const QSize viewport = scroll_->viewport()->size();
  const int displayLeft =
      std::max(0, factor == 1.0 ? Px(layout.displayLeft)
                                : (viewport.width() - aspectRoom - display_->width()) / 2);
  display_->move(displayLeft, 0);
  // The panel takes the height there is, and never less than its contents need.
  const int panelHeight = besideAspects ? std::max({display_->height(), viewport.height(),
                                                    aspects_->MinimumHeightForWidth(panelWidth)})
                                        : display_->height();
  aspects_->setGeometry(displayLeft + display_->width() + kAspectPanelGap, 0, panelWidth,
                        panelHeight);
  clientArea_->resize(std::max(viewport.width(), displayLeft + display_->width() + aspectRoom),
                      std::max({viewport.height(), display_->height(), panelHeight}));
}

bool MDI::eventFilter(QObject* watched, QEvent* event) {
  if (watched == scroll_->viewport() && event->type() == QEvent::Resize) {
    LayOut();
  }
  return QMainWindow::eventFilter(watched, event);
}

void MDI::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayOut();
}

void MDI::mnuAbout_Click() {
  OwnedDialog<frmAbout> about(links_, this);
  about.exec();
}

void MDI::ShowBirthTimeNote(const QStringList& notes) {
  birthTimeNotes_.clear();
  for (const QString& note : notes) {
    if (!note.isEmpty()) {
      birthTimeNotes_.append(note);
    }
  }
  lblBirthTimeNote_->setToolTip(birthTimeNotes_.join(QLatin1Char('\n')));
  lblBirthTimeNote_->setAccessibleDescription(birthTimeNotes_.join(QLatin1Char('\n')));
  lblBirthTimeNote_->setVisible(!birthTimeNotes_.isEmpty());
  LayOut();
}

void MDI::SetChartSheet(const ChartView& chart, std::optional<ChartSheetServices> services) {
  chart_ = chart;
  aspects_->ShowPoints(chart.ephemeris, chart.extraPoints);
  sheetServices_.reset();
  if (services) {
    sheetServices_.emplace(*services);
  }
  mnuExportChart_->setEnabled(sheetServices_.has_value());
  mnuPrintChart_->setEnabled(sheetServices_.has_value());
  mnuTransits_->setEnabled(transitClock_ != nullptr);
  mnuTransitCalendar_->setEnabled(toolServices_.has_value());
  mnuCompareWith_->setEnabled(toolServices_.has_value());
}

void MDI::mnuExportChart_Click() {
  if (chart_ && sheetServices_) {
    ExportChart(this, *chart_, *sheetServices_);
  }
}

void MDI::mnuPrintChart_Click() {
  if (chart_ && sheetServices_) {
    PrintChart(this, *chart_, *sheetServices_);
  }
}

void MDI::CloseForBack() {
  closingForBack_ = true;
  close();
}

void MDI::cmdBack_Click() {
  CloseForBack();
}

void MDI::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (!event->isAccepted()) {
    return;
  }
  if (closingForBack_) {
    emit BackRequested();
  } else {
    emit Unloaded();
  }
}

}  // namespace zodivane::ui
