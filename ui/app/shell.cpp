// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/shell.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMenu>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <memory>

#include "aspects/aspect_report.h"
#include "aspects/aspect_settings_text.h"
#include "chart/sensitivity_text.h"
#include "common/handoff_message.h"
#include "places/zone_history.h"
#include "report/report_sinks.h"
#include "ui/app/chart_files.h"
#include "ui/look/look.h"
#include "ui/platform/instance_lock.h"
#include "ui/platform/owned_dialog.h"
#include "ui/windows/frm_aspect_settings.h"
#include "ui/windows/frm_display.h"
#include "ui/windows/frm_main.h"
#include "ui/windows/mdi.h"

namespace zodivane::ui {

namespace {

constexpr int kReminderDays = 14;  ///< a reminder within this many days either side is recent
const QString kDateFormat = QStringLiteral("yyyy-MM-dd");

}  // namespace

void UpdateReminder(SettingsStore& settings, Clock& clock, MessageBoxes& messages,
                    WebLinks& links) {
  const QDate today = clock.Today();
  const std::optional<QString> stored = settings.Read(kLastReminderKey);
  if (!stored) {
    settings.Write(kLastReminderKey, today.toString(kDateFormat));
    return;
  }
  const QDate last = QDate::fromString(stored->trimmed(), kDateFormat);
  if (!last.isValid()) {
    return;
  }
  const qint64 days = today.daysTo(last);  // negative when the last reminder lies in the past
  if (days >= -kReminderDays && days <= kReminderDays) {
    return;
  }
  const bool yes = messages.AskYesNo(nullptr, kUpdateQuestion);
  settings.Write(kLastReminderKey, today.toString(kDateFormat));
  if (yes) {
    links.OpenDownloadPage();
  }
}

QString ChartFileArgument(const QStringList& arguments) {
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments.at(i);
    if (argument == QLatin1String("--screenshot")) {
      ++i;  // its folder
    } else if (!argument.startsWith(QLatin1Char('-'))) {
      return argument;
    }
  }
  return {};
}

QString DefaultLockPath() {
  const RuntimeFolder folder = PrivateRuntimeFolder();
  if (folder.path.isEmpty()) {
    std::fprintf(stderr,
                 "zodivane: %s; starting without the lock, so a second copy is not refused\n",
                 qPrintable(folder.problem));
    return {};
  }
  return QDir(folder.path).filePath(QStringLiteral("zodivane.lock"));
}

Shell::Shell(ShellServices services, QString lockPath, std::function<void()> endProcess)
    : services_(services),
      links_(services.browser, &services.messages),
      instanceLock_(lockPath),
      endProcess_(std::move(endProcess)) {
  // Only a lock whose process has gone is stale, however long the copy runs.
  instanceLock_.setStaleLockTime(0);
  if (!endProcess_) {
    endProcess_ = [] { QCoreApplication::quit(); };
  }
}

Shell::~Shell() {
  if (main_) {
    delete main_.data();
  }
}

namespace {

/// The hand-off socket beside the lock file.
QString HandoffPath(const QLockFile& lock) {
  return lock.fileName() + QStringLiteral(".socket");
}

/// How long a later start waits for the running copy, in milliseconds.
constexpr int kHandoffWaitMs = 3000;
/// How often a handed file that waits for a dialog to close looks again, in milliseconds.
constexpr int kHandedFileRetryMs = 200;
/// The loop level of the program's main event loop: a deeper one is a
/// dialog's or a menu's own loop.
constexpr int kMainLoopLevel = 1;

QByteArray Bytes(std::string_view text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void Shell::ListenForFiles() {
  if (instanceLock_.fileName().isEmpty()) {
    return;  // no folder of this user's own: no socket either
  }
  handoff_ = std::make_unique<QLocalServer>();
  handoff_->setSocketOptions(QLocalServer::UserAccessOption);
  const QString path = HandoffPath(instanceLock_);
  QLocalServer::removeServer(path);  // left by a copy that ended without closing it
  if (!handoff_->listen(path)) {
    handoff_.reset();  // later starts then say that this copy runs, as before
    return;
  }
  connect(handoff_.get(), &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = handoff_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      // Only this user's own processes may hand over a file.
      if (!PeerIsThisUser(socket->socketDescriptor())) {
        socket->abort();
        socket->deleteLater();
        continue;
      }
      auto received = std::make_shared<QByteArray>();
      connect(socket, &QLocalSocket::readyRead, this,
              [this, socket, received] { TakeHandedFile(socket, *received); });
    }
  });
}

void Shell::TakeHandedFile(QLocalSocket* socket, QByteArray& received) {
  received += socket->read(kMostHandoffMessageBytes - received.size() + 1);
  const HandoffParse parse = ParseHandoffMessage(
      std::string_view(received.constData(), static_cast<std::size_t>(received.size())));
  if (parse.state == HandoffState::Incomplete) {
    return;
  }
  // One message a connection: whatever follows is not read.
  disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
  const bool complete = parse.state == HandoffState::Complete;
  socket->write(Bytes(complete ? kHandoffTaken : kHandoffRefused));
  socket->flush();
  socket->disconnectFromServer();
  received.clear();
  if (!complete) {
    return;
  }
  // Opened once no dialog runs: an open chart replaces the results window,
  // which must not happen under a dialog that runs over it.
  handedFiles_.append(QFile::decodeName(QByteArray::fromStdString(parse.path)));
  QTimer::singleShot(0, this, &Shell::OpenHandedFiles);
}

bool Shell::ReadyForHandedFile() {
  return QApplication::activeModalWidget() == nullptr &&
         QApplication::activePopupWidget() == nullptr &&
         QThread::currentThread()->loopLevel() <= kMainLoopLevel;
}

void Shell::OpenHandedFiles() {
  if (handedFiles_.isEmpty() || quitting_ || !charts_ || !input_) {
    return;
  }
  if (!ReadyForHandedFile()) {
    QTimer::singleShot(kHandedFileRetryMs, this, &Shell::OpenHandedFiles);
    return;
  }
  const QString path = handedFiles_.takeFirst();
  QWidget* front = main_ ? static_cast<QWidget*>(main_.data()) : input_.get();
  charts_->Open(path, front);
  if (!input_) {
    return;
  }
  front = main_ ? static_cast<QWidget*>(main_.data()) : input_.get();
  front->raise();
  front->activateWindow();
  if (!handedFiles_.isEmpty()) {
    QTimer::singleShot(0, this, &Shell::OpenHandedFiles);
  }
}

bool Shell::HandToRunningCopy(const QString& chartFile) {
  const QByteArray local = QFile::encodeName(QFileInfo(chartFile).absoluteFilePath());
  const std::string message =
      HandoffMessage(std::string_view(local.constData(), static_cast<std::size_t>(local.size())));
  if (message.empty() || instanceLock_.fileName().isEmpty()) {
    return false;
  }
  QLocalSocket socket;
  QEventLoop wait;
  QTimer giveUp;
  giveUp.setSingleShot(true);
  connect(&giveUp, &QTimer::timeout, &wait, &QEventLoop::quit);
  bool taken = false;
  QByteArray answer;
  connect(&socket, &QLocalSocket::connected, &wait, [&] {
    // The path goes only to a copy that runs as this user.
    if (!PeerIsThisUser(socket.socketDescriptor())) {
      socket.abort();
      wait.quit();
      return;
    }
    socket.write(Bytes(message));
  });
  connect(&socket, &QLocalSocket::readyRead, &wait, [&] {
    answer += socket.read(static_cast<qint64>(kHandoffRefused.size()) - answer.size());
    if (answer.endsWith('\n') || answer.size() >= static_cast<qsizetype>(kHandoffRefused.size())) {
      taken = answer == Bytes(kHandoffTaken);
      wait.quit();
    }
  });
  connect(&socket, &QLocalSocket::errorOccurred, &wait, &QEventLoop::quit);
  socket.connectToServer(HandoffPath(instanceLock_));
  giveUp.start(kHandoffWaitMs);
  if (socket.state() != QLocalSocket::UnconnectedState) {
    wait.exec();
  }
  return taken;
}

MDI* Shell::MainWindow() const noexcept {
  return main_.data();
}

bool Shell::ProgramStart(const QString& chartFile) {
  // A lock that cannot be used (unreadable, stale, in a folder this user
  // cannot write) never blocks the start; only a running copy does.
  QString setAside;
  const InstanceLockResult lock = TakeInstanceLock(instanceLock_, &setAside);
  if (!setAside.isEmpty()) {
    std::fprintf(stderr, "%s\n", qPrintable(setAside));
  }
  if (lock == InstanceLockResult::HeldByRunningCopy) {
    // A file (a double-click in a file manager) goes to the running copy,
    // which opens it; without one, or when it cannot take it, the message.
    if (chartFile.isEmpty() || !HandToRunningCopy(chartFile)) {
      services_.messages.ShowNotice(nullptr, QStringLiteral("Application is already running"),
                                    MessageIcon::Information);
    }
    QuitProgram();
    return false;
  }
  ListenForFiles();
  // The shell ends the program itself: hiding the input form while the main
  // window closes for Back must not end it.
  QGuiApplication::setQuitOnLastWindowClosed(false);

  if (updateReminder_) {
    UpdateReminder(services_.settings, services_.clock, services_.messages, links_);
  }

  input_ = std::make_unique<frmMain>(session_, links_, services_.messages);
  input_->SetEphemeris(ChosenEphemeris());
  connect(input_.get(), &frmMain::ChartCast, this, &Shell::ShowResults);
  connect(input_.get(), &frmMain::EphemerisRefused, this, &Shell::ChooseEphemerisAgain);
  connect(input_.get(), &frmMain::Unloaded, this, &Shell::QuitProgram);
  if (openDialog_ != nullptr && saveDialog_ != nullptr) {
    charts_ = std::make_unique<ChartFiles>(
        *input_,
        ChartFileServices{services_.messages, services_.settings, *openDialog_, *saveDialog_});
    if (auto* file = input_->findChild<QMenu*>(QStringLiteral("mnuFile"))) {
      charts_->AddMenuItems(*file, *input_);
    }
    // A rejected chart file: the filled form comes back for correction.
    connect(charts_.get(), &ChartFiles::Rejected, this, [this] {
      if (main_) {
        main_->CloseForBack();
      }
    });
  }
  input_->show();
  look::CentreOnScreen(*input_);
  input_->activateWindow();
  if (charts_ && !chartFile.isEmpty()) {
    charts_->Open(chartFile, input_.get());
  }
  return true;
}

void Shell::ShowResults(const zodivane::ChartView& chart) {
  if (main_) {
    main_->disconnect(this);
    delete main_.data();
  }
  auto* window = new MDI(links_);
  main_ = window;
  connect(window, &MDI::BackRequested, this, &Shell::ShowInputForm);
  if (charts_) {
    if (auto* file = window->findChild<QMenu*>(QStringLiteral("mnuFile"))) {
      charts_->AddMenuItems(*file, *window);
    }
  }
  connect(window, &MDI::Unloaded, this, &Shell::QuitProgram);
  connect(window, &MDI::ReportRequested, this, [this, window] {
    if (openReport_) {
      openReport_(*window);
    }
  });
  StyledRunRecorder report;
  session_.WritePlanetInSignReport(report);
  // The report follows with the aspects, once both are known.
  window->Display().ShowChart(chart, {});
  // How sure the chart is: recast around the entered birth time.
  // With a chosen place, the times are its own clock's, looked up at each moment.
  const PlaceClock clock =
      chart.placeZone.empty() ? PlaceClock() : places::ClockOfZone(chart.placeZone);
  const SensitivityView sensitivity =
      SensitivityViewOf(session_.chartInput(), chart.placeZone.empty() ? nullptr : &clock,
                        /*withMidheaven=*/true, session_.ephemeris());
  window->Display().ShowSensitivity(sensitivity);
  // The bottom bar: the zone's warning first, then how sure the chart is,
  // each on a line of its own.
  QStringList notes;
  if (!chart.zoneWarning.empty()) {
    notes.append(QString::fromStdString(chart.zoneWarning));
  }
  if (sensitivity.warning) {
    notes.append(QString::fromStdString(*sensitivity.warning));
  }
  window->ShowBirthTimeNote(notes);
  // The whole of it, for the keyboard and screen readers: the Ascendant and
  // the Moon first, as the command line lists it.
  QStringList sentences;
  for (const ChartPoint point :
       {ChartPoint::Ascendant, ChartPoint::Moon, ChartPoint::Sun, ChartPoint::Mercury,
        ChartPoint::Venus, ChartPoint::Mars, ChartPoint::Jupiter, ChartPoint::Saturn,
        ChartPoint::Uranus, ChartPoint::Neptune, ChartPoint::Pluto}) {
    sentences.append(QString::fromStdString(sensitivity.tooltips[static_cast<std::size_t>(point)]));
    // The Midheaven turns with the Ascendant: its sentence follows.
    if (point == ChartPoint::Ascendant && sensitivity.midheaven) {
      sentences.append(QString::fromStdString(*sensitivity.midheaven));
    }
  }
  sentences.append(notes);
  window->SetSensitivityText(sentences.join(QLatin1Char('\n')));
  window->SetChartSheet(chart, sheetServices_);
  window->SetTransitClock(services_.clock);
  // Chart > Transit Calendar… and Compare With…: with the dialogs of chart files.
  if (sheetServices_ && openDialog_ != nullptr && saveDialog_ != nullptr) {
    window->SetChartTools(
        AspectPointsOf(session_.chartInput(), session_.points(), session_.ephemeris()),
        ChartToolServices{services_.messages, services_.clock, *openDialog_, *saveDialog_,
                          sheetServices_->printDialog,
                          [this] { return charts_ ? charts_->RecentCharts() : QStringList(); }});
  }
  ShowAspects(*window, report.Runs(), ShownAspectSettings());
  connect(window, &MDI::AspectSettingsChosen, this,
          [this, window, planets = report.Runs()](const AspectSettings& settings) {
            services_.settings.Write(kAspectSettingsKey,
                                     QString::fromStdString(AspectSettingsText(settings)));
            if (charts_) {
              charts_->ForgetFileAspectSettings();
            }
            ShowAspects(*window, planets, settings);
          });
  // Another engine is remembered and recasts the chart shown, once the dialog has closed.
  window->SetEphemeris(ChosenEphemeris());
  connect(window, &MDI::EphemerisChosen, this, [this](Ephemeris ephemeris) {
    services_.settings.Write(kEphemerisKey, look::FromUtf8(EphemerisName(ephemeris)));
    if (input_) {
      input_->SetEphemeris(ephemeris);
      QTimer::singleShot(0, this, [this] {
        if (input_) {
          input_->Cast();
        }
      });
    }
  });
  window->UseViewSettings(services_.settings);
  // Opens maximised; without a window manager the screen's free area is the same.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    window->setGeometry(screen->availableGeometry());
  }
  window->showMaximized();
  if (input_) {
    input_->hide();
  }
}

AspectSettings Shell::ChosenAspectSettings() {
  const std::optional<QString> stored = services_.settings.Read(kAspectSettingsKey);
  const std::optional<AspectSettings> settings =
      stored ? AspectSettingsFromText(stored->toStdString()) : std::nullopt;
  return settings.value_or(DefaultAspectSettings());
}

AspectSettings Shell::ShownAspectSettings() {
  if (charts_ && input_) {
    if (const std::optional<AspectSettings> own =
            charts_->FileAspectSettings(input_->CollectEntries())) {
      return *own;
    }
  }
  return ChosenAspectSettings();
}

void Shell::ChooseEphemerisAgain() {
  if (main_ && main_->isVisible()) {
    main_->ChooseEphemerisAgain();
    return;
  }
  // Cast from the input form: the same dialog over it, on the engine choice.
  OwnedDialog<frmAspectSettings> dialog(ChosenAspectSettings(), input_.get(), ChosenEphemeris());
  dialog->FocusEphemeris();
  if (dialog.exec() == QDialog::Accepted) {
    services_.settings.Write(kAspectSettingsKey,
                             QString::fromStdString(AspectSettingsText(dialog->Settings())));
    services_.settings.Write(kEphemerisKey,
                             look::FromUtf8(EphemerisName(dialog->ChosenEphemeris())));
    input_->SetEphemeris(dialog->ChosenEphemeris());
  }
}

Ephemeris Shell::ChosenEphemeris() {
  const std::optional<QString> stored = services_.settings.Read(kEphemerisKey);
  const std::optional<Ephemeris> ephemeris =
      stored ? EphemerisFromName(stored->toStdString()) : std::nullopt;
  return ephemeris.value_or(Ephemeris::BuiltIn);
}

void Shell::ShowAspects(MDI& window, const std::vector<StyledRun>& planets,
                        const AspectSettings& settings) {
  const ChartAspects aspects = session_.Aspects(settings);
  window.ShowAspects(aspects, settings);
  StyledRunRecorder aspectReport;
  WriteAspectReport(aspects.aspects, aspectReport);
  window.SetReportSections(planets, aspectReport.Runs());
}

void Shell::ShowInputForm() {
  main_ = nullptr;  // closed with WA_DeleteOnClose: it deletes itself
  if (input_) {
    input_->ShowPlaceBeginnings();
    input_->show();
    input_->activateWindow();
  }
}

void Shell::QuitProgram() {
  if (quitting_) {
    return;
  }
  quitting_ = true;
  if (main_) {
    main_->close();
  }
  if (input_) {
    input_->close();
    // Any other window of the program (a dialog left open) closes too.
    for (QWidget* window : QApplication::topLevelWidgets()) {
      window->close();
    }
  }
  if (instanceLock_.isLocked()) {
    instanceLock_.unlock();
  }
  endProcess_();
}

}  // namespace zodivane::ui
