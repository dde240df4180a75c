// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/chart_files.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include "aspects/aspect_settings_text.h"
#include "chartfile/field_names.h"
#include "common/safe_file.h"
#include "ui/look/look_widgets.h"
#include "ui/sheet/whole_file.h"
#include "ui/windows/frm_aspect_settings.h"
#include "ui/windows/frm_main.h"

namespace zodivane::ui {

namespace {

const QString kFilter = QStringLiteral("Zodivane charts (*.zchart)");
const QString kSuffix = QStringLiteral("zchart");
/// Chart files are small; a larger file is refused before it is read.

}  // namespace

ChartFiles::ChartFiles(frmMain& form, ChartFileServices services, QObject* parent)
    : QObject(parent), form_(form), services_(services) {}

QString ChartFiles::OpenFailureText(const QString& path, const QString& reason) {
  return QStringLiteral("Cannot open the chart file \"%1\":\n%2")
      .arg(QFileInfo(path).fileName(), reason);
}

QString ChartFiles::SaveFailureText(const QString& path, const QString& reason) {
  return QStringLiteral("Cannot save the chart file \"%1\":\n%2").arg(path, reason);
}

void ChartFiles::AddMenuItems(QMenu& fileMenu, QWidget& window) {
  fileMenu.addSeparator()->setObjectName(QStringLiteral("mnuSepCharts"));
  QAction* open = fileMenu.addAction(QStringLiteral("&Open Chart\u2026"));
  open->setObjectName(QStringLiteral("mnuOpenChart"));
  open->setShortcut(QKeySequence::Open);
  // Queued: an opened chart replaces the main window whose menu is running.
  const QPointer<QWidget> owner(&window);
  connect(
      open, &QAction::triggered, this, [this, owner] { AskAndOpen(owner); }, Qt::QueuedConnection);
  QAction* save = fileMenu.addAction(QStringLiteral("&Save Chart\u2026"));
  save->setObjectName(QStringLiteral("mnuSaveChart"));
  save->setShortcuts(look::StandardKeys(QKeySequence::Save));
  connect(save, &QAction::triggered, this, [this, owner] { AskAndSave(owner); });
  QMenu* recent = fileMenu.addMenu(QStringLiteral("Recent &Charts"));
  recent->setObjectName(QStringLiteral("mnuRecentCharts"));
  FillRecentMenu(*recent, window);
  recentMenus_.emplace_back(recent, &window);
  connect(recent, &QMenu::aboutToShow, this,
          [this, recent, &window] { FillRecentMenu(*recent, window); });
}

void ChartFiles::FillRecentMenu(QMenu& menu, QWidget& window) {
  menu.clear();
  const QStringList paths = RecentCharts();
  for (qsizetype i = 0; i < paths.size(); ++i) {
    const QString& path = paths.at(i);
    // "&1 anna.zchart": the number is the access key; the whole path in the tip.
    QString name = QFileInfo(path).fileName();
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item = menu.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
    item->setObjectName(QStringLiteral("mnuRecentChart%1").arg(i));
    item->setToolTip(path);
    item->setData(path);
    const QPointer<QWidget> owner(&window);
    connect(
        item, &QAction::triggered, this, [this, path, owner] { Open(path, owner); },
        Qt::QueuedConnection);
  }
  menu.setEnabled(!paths.isEmpty());
}

QStringList ChartFiles::RecentCharts() {
  QStringList kept;
  const std::optional<QString> stored = services_.settings.Read(kRecentChartsKey);
  if (!stored) {
    return kept;
  }
  for (const QString& path : stored->split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
    if (QFileInfo(path).isFile() && !kept.contains(path) && kept.size() < kMostRecentCharts) {
      kept.append(path);
    }
  }
  if (kept.join(QLatin1Char('\n')) != *stored) {
    services_.settings.Write(kRecentChartsKey, kept.join(QLatin1Char('\n')));
  }
  return kept;
}

void ChartFiles::Remember(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  // The list keeps a path a line: a name with a line feed would come back
  // as two other paths, so it is not kept.
  if (absolute.contains(QLatin1Char('\n'))) {
    return;
  }
  QStringList paths = RecentCharts();
  paths.removeAll(absolute);
  paths.prepend(absolute);
  while (paths.size() > kMostRecentCharts) {
    paths.removeLast();
  }
  services_.settings.Write(kRecentChartsKey, paths.join(QLatin1Char('\n')));
  // At once in every window's menu, enabling one that was empty.
  for (const auto& [menu, window] : recentMenus_) {
    if (menu && window) {
      FillRecentMenu(*menu, *window);
    }
  }
}

bool ChartFiles::Open(const QString& path, QWidget* parent) {
  // Bounded while reading, opened without blocking: a device, a FIFO or a
  // huge file is refused without waiting or filling the memory.
  const QByteArray local = QFile::encodeName(path);
  const auto contents =
      ReadRegularFile(std::string(local.constData(), static_cast<std::size_t>(local.size())),
                      chartfile::kMostChartFileBytes);
  if (const auto* failure = std::get_if<ReadFailure>(&contents)) {
    services_.messages.ShowNotice(
        parent, OpenFailureText(path, QString::fromLocal8Bit(failure->reason.c_str())),
        MessageIcon::Critical);
    return false;
  }
  const std::string& bytes = std::get<std::string>(contents);
  auto read = chartfile::ReadChartFile(bytes);
  if (const auto* message = std::get_if<std::string>(&read)) {
    // In the form's words: the field's caption first, the key in brackets.
    services_.messages.ShowNotice(
        parent, OpenFailureText(path, QString::fromStdString(chartfile::InFieldNames(*message))),
        MessageIcon::Critical);
    return false;
  }
  opened_ = std::get<chartfile::ChartFile>(std::move(read));
  Remember(path);
  form_.SetEntries(opened_->entries);
  if (const auto& place = opened_->place) {
    form_.AdoptPlace(*place);
  }
  // The aspect settings the chart was saved with are used for this chart;
  // the user's own stay remembered for every other.
  fileAspectsInUse_ = opened_->aspectSettings.has_value();

  // Proceed: a chart goes to the results, a rejection shows its message.
  const bool cast = form_.Cast();
  if (!cast) {
    emit Rejected();
  }
  return cast;
}

void ChartFiles::AskAndOpen(QWidget* parent) {
  const std::optional<QString> path = services_.openDialog.AskOpenPath(
      parent, OpenDialogSettings{QStringLiteral("Open Chart"), kFilter});
  if (path) {
    Open(*path, parent);
  }
}

bool ChartFiles::AskAndSave(QWidget* parent) {
  chartfile::ChartFile chart;
  chart.entries = form_.CollectEntries();
  // The keys a newer version wrote stay with the person's file.
  if (opened_ && opened_->entries.txtName == chart.entries.txtName) {
    chart.original = opened_->original;
    // The chosen place stays only with the entries it filled.
    if (opened_->entries == chart.entries) {
      chart.place = opened_->place;
    }
  }
  // The aspect settings in use for these entries go with the chart (written
  // when not the defaults): the file's own, else the user's.
  chart.aspectSettings = FileAspectSettings(chart.entries);
  const bool fileAspects = chart.aspectSettings.has_value();
  if (!fileAspects) {
    if (const std::optional<QString> aspects = services_.settings.Read(kAspectSettingsKey)) {
      chart.aspectSettings = AspectSettingsFromText(aspects->toStdString());
    }
  }
  // So does the engine chosen, when it is not the built-in method.
  if (form_.ephemeris() != Ephemeris::BuiltIn) {
    chart.ephemeris = form_.ephemeris();
  }
  // The place the finder chose goes with the entries it filled.
  if (const auto& chosen = form_.chosenPlace(); chosen && chosen->name == chart.entries.txtMCity) {
    chart.place = *chosen;
  }
  SaveDialogSettings settings;
  settings.title = QStringLiteral("Save Chart");
  settings.filter = kFilter;
  settings.defaultSuffix = kSuffix;
  settings.confirmOverwrite = true;
  settings.pathMustExist = true;
  settings.suggestedName =
      QString::fromStdString(chartfile::SuggestedFileName(chart.entries.txtName));
  const std::optional<QString> path = services_.saveDialog.AskSavePath(parent, settings);
  if (!path) {
    return false;
  }
  const std::string bytes = chartfile::WriteChartFile(chart);
  if (const std::optional<QString> failure = WriteWholeFile(*path, QByteArrayView(bytes))) {
    services_.messages.ShowNotice(parent, SaveFailureText(*path, *failure), MessageIcon::Critical);
    return false;
  }
  opened_ = chart;
  fileAspectsInUse_ = fileAspects;  // the file's own settings go on applying to its chart
  Remember(*path);
  return true;
}

std::optional<AspectSettings> ChartFiles::FileAspectSettings(const FormEntries& entries) const {
  if (!fileAspectsInUse_ || !opened_ || !(opened_->entries == entries)) {
    return std::nullopt;
  }
  return opened_->aspectSettings;
}

}  // namespace zodivane::ui
