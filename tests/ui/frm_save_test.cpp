// The report window: the preview, saving as rich text, printing, the
// clickable addresses, and its modality over the main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

#include <sys/resource.h>

#include <csignal>
#include <optional>
#include <vector>

#include "tests/ui/fakes.h"
#include "ui/frm_display.h"
#include "ui/frm_save.h"
#include "ui/mdi.h"
#include "ui/mod_rtb.h"
#include "ui/platform_qt.h"

namespace zodivane::ui {
namespace {

using testing::FakeMessageBoxes;
using testing::FakeWebBrowser;

/// Acts as the platform's save dialog does: a name without an extension
/// gets the default suffix, and an existing file is replaced only when the
/// scripted answer to the overwrite question is yes.
class FakeSaveDialog final : public SaveFileDialog {
 public:
  std::optional<QString> AskSavePath(QWidget* /*parent*/,
                                     const SaveDialogSettings& settings) override {
    asked.push_back(settings);
    if (!typedName) {
      return std::nullopt;
    }
    QString path = *typedName;
    if (QFileInfo(path).suffix().isEmpty() && !settings.defaultSuffix.isEmpty()) {
      path += QStringLiteral(".") + settings.defaultSuffix;
    }
    if (settings.confirmOverwrite && QFileInfo::exists(path)) {
      ++overwriteQuestions;
      if (!replaceExisting) {
        return std::nullopt;
      }
    }
    return path;
  }

  std::optional<QString> typedName;  ///< none: the user cancels
  bool replaceExisting = false;
  int overwriteQuestions = 0;
  std::vector<SaveDialogSettings> asked;
};

/// Sends the printout to a PDF file; the user keeps the range the dialog
/// opened with.
class FakePrintDialog final : public PrintDialog {
 public:
  bool AskPrinter(QWidget* /*parent*/, QPrinter& printer, bool hasSelection) override {
    selectionOffered.push_back(hasSelection);
    if (cancel) {
      return false;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setPrintRange(hasSelection ? QPrinter::Selection : QPrinter::AllPages);
    return true;
  }
  QString pdfPath;
  bool cancel = false;
  std::vector<bool> selectionOffered;
};

/// A report as the results form holds it: a heading in bold colour, text,
/// and a last line without a line break.
const QString kReportText =
    QStringLiteral("Sun In Aries\nYou are bold and direct.\n\nRuler Of Pluto's Sign :- Mars");

/// Output of a reading tool, or none when the tool is missing or fails.
std::optional<QString> RunTool(const QString& tool, const QStringList& arguments) {
  if (QStandardPaths::findExecutable(tool).isEmpty()) {
    return std::nullopt;
  }
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) {
    return std::nullopt;
  }
  return QString::fromUtf8(process.readAllStandardOutput());
}

class ReportWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    main_ = std::make_unique<MDI>(links_);
    // The results form's report with bold, coloured text, as the report writes it.
    auto* box = main_->Display().findChild<QTextEdit*>(QStringLiteral("RTBHouseDesc"));
    ASSERT_NE(box, nullptr);
    QTextCursor cursor(box->document());
    QTextCharFormat heading;
    heading.setFontWeight(QFont::Bold);
    heading.setForeground(QColor(0, 0, 255));
    const QStringList lines = kReportText.split(u'\n');
    cursor.insertText(lines[0], heading);
    for (qsizetype i = 1; i < lines.size(); ++i) {
      cursor.insertBlock();
      cursor.insertText(lines[i], QTextCharFormat());
    }
    main_->show();
  }

  void TearDown() override { main_.reset(); }

  frmSave& Open() {
    frmSave* window = OpenReportWindow(*main_, services_);
    EXPECT_NE(window, nullptr);
    QApplication::processEvents();
    return *window;
  }

  static QTextEdit& Preview(frmSave& window) {
    return *window.findChild<QTextEdit*>(QStringLiteral("RTB"));
  }

  /// The centre of the character at `position` of the preview, in its viewport.
  static QPoint CharacterCentre(QTextEdit& box, int position) {
    QTextCursor cursor(box.document());
    cursor.setPosition(position);
    const QRect before = box.cursorRect(cursor);
    cursor.setPosition(position + 1);
    const QRect after = box.cursorRect(cursor);
    return QPoint((before.left() + after.left()) / 2, before.center().y());
  }

  QString FilePath(const QString& name) const { return folder_.filePath(name); }

  QTemporaryDir folder_;
  FakeMessageBoxes messages_;
  FakeWebBrowser browser_;
  WebLinks links_{browser_};
  FakeSaveDialog saveDialog_;
  FakePrintDialog printDialog_;
  ReportWindowServices services_{links_, messages_, saveDialog_, printDialog_};
  std::unique_ptr<MDI> main_;
};

TEST_F(ReportWindowTest, PreviewFramesThePlainReportBetweenCreditLines) {
  frmSave& window = Open();
  const QString credit = QStringLiteral("Report Generated By ") + WebAddresses::HomePageText();
  EXPECT_EQ(ReportCreditLine(), credit);
  EXPECT_EQ(PreviewText(QStringLiteral("R")),
            credit + QStringLiteral("\r\n\r\nR\r\n") + credit + QStringLiteral("\r\n\r\n"));

  QTextEdit& box = Preview(window);
  EXPECT_EQ(box.toPlainText(), credit + QStringLiteral("\n\n") + kReportText +
                                   QStringLiteral("\n") + credit + QStringLiteral("\n\n"));
  // The report's last line and the closing credit line are separate paragraphs.
  const QTextBlock closing = box.document()->findBlockByNumber(6);
  EXPECT_EQ(closing.previous().text(), QStringLiteral("Ruler Of Pluto's Sign :- Mars"));
  EXPECT_EQ(closing.text(), credit);

  // "Sun In Aries" in the box's own font: not bold, no colour of its own.
  const int sunStart = box.toPlainText().indexOf(QStringLiteral("Sun In Aries"));
  for (int i = 0; i < 12; ++i) {
    SCOPED_TRACE(i);
    QTextCursor cursor(box.document());
    cursor.setPosition(sunStart + i + 1);
    const QTextCharFormat format = cursor.charFormat();
    EXPECT_LT(format.fontWeight(), QFont::Bold);
    EXPECT_FALSE(format.hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_FALSE(format.isAnchor());
  }
  EXPECT_DOUBLE_EQ(box.document()->defaultFont().pointSizeF(), 9.75);
  window.close();
}

TEST_F(ReportWindowTest, LayoutCaptionsAndLabels) {
  frmSave& window = Open();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Zodivane v1.25"));
  EXPECT_EQ(window.size(), QSize(515, 506));
  struct Row {
    const char* name;
    QRect geometry;  // twips / 15, rounded
  };
  const Row rows[] = {
      {"Label14", QRect(116, 0, 282, 13)},   {"Label1", QRect(124, 12, 266, 13)},
      {"RTB", QRect(2, 26, 511, 409)},       {"cmdSave", QRect(360, 438, 75, 23)},
      {"cmdPrint", QRect(437, 438, 75, 23)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto* widget = window.findChild<QWidget*>(QString::fromLatin1(row.name));
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), row.geometry);
  }
  EXPECT_EQ(window.findChild<QPushButton*>(QStringLiteral("cmdSave"))->text(),
            QStringLiteral("&Save"));
  EXPECT_EQ(window.findChild<QPushButton*>(QStringLiteral("cmdPrint"))->text(),
            QStringLiteral("&Print"));
  EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
            QStringLiteral("Click Here To Visit www.example.org Now"));

  for (const char* label : {"Label1", "Label14"}) {
    SCOPED_TRACE(label);
    browser_.opened.clear();
    auto* widget = window.findChild<QLabel*>(QString::fromLatin1(label));
    QTest::mouseClick(widget, Qt::LeftButton);
    EXPECT_EQ(browser_.opened, std::vector<QUrl>{WebAddresses::HomePage()});
  }
  window.close();
}

TEST_F(ReportWindowTest, OpeningTwiceShowsTheSamePreview) {
  frmSave& first = Open();
  const QString text = Preview(first).toPlainText();
  QPointer<frmSave> closing = &first;
  QTest::keyClick(&first, Qt::Key_Escape);  // closes like the close box
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(closing.isNull());
  frmSave& second = Open();
  EXPECT_EQ(Preview(second).toPlainText(), text);
  EXPECT_EQ(main_->findChildren<frmSave*>().size(), 1);
  second.close();
}

TEST_F(ReportWindowTest, MainWindowIgnoresInputWhileTheReportIsOpen) {
  QObject::connect(main_.get(), &MDI::ReportRequested, main_.get(),
                   [this] { OpenReportWindow(*main_, services_); });
  // Clicks go through the window system, where modality applies.
  const auto click = [this](const char* name) {
    auto* button = main_->findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(main_->windowHandle(), Qt::LeftButton, {},
                      button->mapTo(main_.get(), button->rect().center()));
    QApplication::processEvents();
  };
  ASSERT_TRUE(QTest::qWaitForWindowExposed(main_.get()));
  click("Command1");
  ASSERT_EQ(main_->findChildren<frmSave*>().size(), 1);
  frmSave* window = main_->findChild<frmSave*>();
  EXPECT_EQ(QApplication::activeModalWidget(), window);

  click("Command1");
  click("cmdBack");
  EXPECT_EQ(main_->findChildren<frmSave*>().size(), 1);
  EXPECT_TRUE(main_->isVisible());

  window->close();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  click("Command1");  // once the report window is closed, Print works again
  EXPECT_EQ(main_->findChildren<frmSave*>().size(), 1);
  if (auto* again = main_->findChild<frmSave*>()) {
    again->close();
  }
}

TEST_F(ReportWindowTest, SaveWritesTheWholePreviewAsRichText) {
  frmSave& window = Open();
  saveDialog_.typedName = FilePath(QStringLiteral("chart"));
  window.findChild<QPushButton*>(QStringLiteral("cmdSave"))->click();

  ASSERT_EQ(saveDialog_.asked.size(), 1U);
  const SaveDialogSettings& settings = saveDialog_.asked[0];
  EXPECT_EQ(settings.title, QStringLiteral("Zodivane"));
  EXPECT_EQ(settings.filter, QStringLiteral("Rich Text Format (*.rtf)"));
  EXPECT_EQ(settings.defaultSuffix, QStringLiteral("rtf"));
  EXPECT_TRUE(settings.confirmOverwrite);
  EXPECT_TRUE(settings.pathMustExist);
  EXPECT_TRUE(messages_.notices.empty());

  QFile saved(FilePath(QStringLiteral("chart.rtf")));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  const QByteArray rtf = saved.readAll();
  EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
  EXPECT_TRUE(rtf.contains("Verdana"));
  EXPECT_TRUE(rtf.contains("\\fs20"));  // 9.75 pt in half-points, rounded up

  const std::optional<QString> text =
      RunTool(QStringLiteral("unrtf"), {QStringLiteral("--text"), saved.fileName()});
  if (!text) {
    GTEST_SKIP() << "unrtf is not installed";
  }
  QStringList lines = text->split(u'\n');
  // unrtf heads its text with "###" comment lines and a rule of dashes.
  const qsizetype rule = lines.indexOf(QStringLiteral("-----------------"));
  ASSERT_GE(rule, 0) << text->toStdString();
  EXPECT_EQ(lines.mid(rule + 1).join(u'\n'), Preview(window).toPlainText());
  window.close();
}

TEST_F(ReportWindowTest, ExistingFileIsReplacedOnlyAfterTheOverwriteQuestion) {
  const QString path = FilePath(QStringLiteral("old.rtf"));
  {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old content");
  }
  frmSave& window = Open();
  saveDialog_.typedName = path;

  saveDialog_.replaceExisting = false;
  window.cmdSave_Click();
  EXPECT_EQ(saveDialog_.overwriteQuestions, 1);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("old content"));
  file.close();

  saveDialog_.replaceExisting = true;
  window.cmdSave_Click();
  EXPECT_EQ(saveDialog_.overwriteQuestions, 2);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().startsWith("{\\rtf1"));
  EXPECT_TRUE(messages_.notices.empty());

  // Cancel writes nothing and says nothing.
  saveDialog_.typedName.reset();
  window.cmdSave_Click();
  EXPECT_FALSE(QFileInfo::exists(FilePath(QStringLiteral("chart.rtf"))));
  EXPECT_TRUE(messages_.notices.empty());
  window.close();
}

/// Lowers the largest file size this process may write, for one scope.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lower = saved_;
    lower.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &lower);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

TEST_F(ReportWindowTest, FailedSaveKeepsTheOldFileAndSaysWhy) {
  const QByteArray oldContent = QByteArray("{\\rtf1 an earlier report}\n").repeated(3);
  const QString existing = FilePath(QStringLiteral("kept.rtf"));
  {
    QFile old(existing);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(oldContent);
  }
  QFile notAFolder(FilePath(QStringLiteral("plain")));
  ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
  notAFolder.close();

  // Rows: the disk takes fewer bytes than the report has (the system's
  // file size limit), and a folder that is a regular file.
  struct Row {
    const char* what;
    QString path;
    bool limitSize;
  };
  const Row rows[] = {
      {"file too large", existing, true},
      {"parent is a file", FilePath(QStringLiteral("plain/report.rtf")), false},
  };
  frmSave& window = Open();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    messages_.notices.clear();
    bool written = true;
    {
      std::optional<FileSizeLimit> limit;
      if (row.limitSize) {
        limit.emplace(200);
      }
      written = window.WriteReport(row.path);
    }
    EXPECT_FALSE(written);
    ASSERT_EQ(messages_.notices.size(), 1U);
    EXPECT_EQ(messages_.notices[0].icon, MessageIcon::Critical);
    const QString& text = messages_.notices[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("The report could not be saved to ") + row.path))
        << text.toStdString();
    EXPECT_GT(text.section(u'\n', 1).size(), 0) << "no reason given";

    QFile kept(existing);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), oldContent);
  }
  // Nothing half-written is left behind.
  EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 2);
  window.close();
}

TEST_F(ReportWindowTest, PrintsTheSelectionOrEverything) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
    GTEST_SKIP() << "pdftotext is not installed";
  }
  frmSave& window = Open();
  QTextEdit& box = Preview(window);
  const QString credit = ReportCreditLine();

  // Everything: both credit lines and the report.
  printDialog_.pdfPath = FilePath(QStringLiteral("all.pdf"));
  window.findChild<QPushButton*>(QStringLiteral("cmdPrint"))->click();
  ASSERT_EQ(printDialog_.selectionOffered, std::vector<bool>{false});
  std::optional<QString> all =
      RunTool(QStringLiteral("pdftotext"), {printDialog_.pdfPath, QStringLiteral("-")});
  ASSERT_TRUE(all.has_value());
  EXPECT_EQ(all->count(credit), 2);
  EXPECT_TRUE(all->contains(QStringLiteral("You are bold and direct.")));
  EXPECT_TRUE(all->contains(QStringLiteral("Ruler Of Pluto's Sign :- Mars")));

  // A selection: only the selected text.
  QTextCursor cursor(box.document());
  const int start = box.toPlainText().indexOf(QStringLiteral("You are"));
  cursor.setPosition(start);
  cursor.setPosition(start + 24, QTextCursor::KeepAnchor);
  box.setTextCursor(cursor);
  printDialog_.pdfPath = FilePath(QStringLiteral("selection.pdf"));
  window.cmdPrint_Click();
  ASSERT_EQ(printDialog_.selectionOffered, (std::vector<bool>{false, true}));
  std::optional<QString> part =
      RunTool(QStringLiteral("pdftotext"), {printDialog_.pdfPath, QStringLiteral("-")});
  ASSERT_TRUE(part.has_value());
  // The printout's only other text is the page number.
  EXPECT_EQ(part->trimmed(), QStringLiteral("You are bold and direct.\n\n1"));

  // Cancel prints nothing.
  printDialog_.cancel = true;
  printDialog_.pdfPath = FilePath(QStringLiteral("cancelled.pdf"));
  window.cmdPrint_Click();
  EXPECT_FALSE(QFileInfo::exists(printDialog_.pdfPath));
  window.close();
}

TEST_F(ReportWindowTest, LeftPressOnTheCreditLineOpensTheHomePageOnce) {
  frmSave& window = Open();
  QTextEdit& box = Preview(window);
  const int linkAt = static_cast<int>(QStringLiteral("Report Generated By ").size()) + 4;
  const QPoint onLink = CharacterCentre(box, linkAt);
  ASSERT_EQ(box.anchorAt(onLink), WebAddresses::HomePageText());

  // Rows: what the mouse does on the link, and how many pages open.
  struct Row {
    const char* what;
    std::function<void()> action;
    std::size_t opens;
  };
  QWidget* viewport = box.viewport();
  const Row rows[] = {
      {"left press", [&] { QTest::mousePress(viewport, Qt::LeftButton, {}, onLink); }, 1},
      {"release", [&] { QTest::mouseRelease(viewport, Qt::LeftButton, {}, onLink); }, 0},
      {"move", [&] { QTest::mouseMove(viewport, onLink); }, 0},
      {"right press", [&] { QTest::mousePress(viewport, Qt::RightButton, {}, onLink); }, 0},
      {"left press off the link",
       [&] { QTest::mousePress(viewport, Qt::LeftButton, {}, CharacterCentre(box, 3)); }, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    browser_.opened.clear();
    row.action();
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(browser_.opened.size(), row.opens);
    if (row.opens > 0) {
      EXPECT_EQ(browser_.opened[0], WebAddresses::HomePage());
    }
  }

  // The press reaches the box: the insertion point moves to the link.
  QTest::mousePress(viewport, Qt::LeftButton, {}, onLink);
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, onLink);
  EXPECT_NEAR(box.textCursor().position(), linkAt, 1);

  // Closed, the window's links no longer open; the next preview gets link
  // handling afresh.
  window.close();
  browser_.opened.clear();
  QTest::mousePress(viewport, Qt::LeftButton, {}, onLink);
  EXPECT_TRUE(browser_.opened.empty());
  QApplication::processEvents();
  frmSave& next = Open();
  QTest::mousePress(Preview(next).viewport(), Qt::LeftButton, {},
                    CharacterCentre(Preview(next), linkAt));
  EXPECT_EQ(browser_.opened.size(), 1U);
  next.close();
}

/// Calls `act` with the next modal window other than `previous` once it shows.
void OnNextModal(QWidget* previous, std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, previous, act] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal != previous && modal->isVisible()) {
      timer->stop();
      timer->deleteLater();
      act(modal);
    }
  });
  timer->start();
}

TEST(QtSaveFileDialogTest, AddsTheRtfExtensionAndAsksBeforeReplacing) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString existing = folder.filePath(QStringLiteral("old.rtf"));
  {
    QFile old(existing);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  }
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
  QtSaveFileDialog dialog;

  // A name typed without an extension gets ".rtf".
  OnNextModal(nullptr, [&](QWidget* modal) {
    auto* files = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(files->windowTitle(), QStringLiteral("Zodivane"));
    EXPECT_EQ(files->nameFilters(), QStringList{QStringLiteral("Rich Text Format (*.rtf)")});
    EXPECT_EQ(files->defaultSuffix(), QStringLiteral("rtf"));
    EXPECT_EQ(files->acceptMode(), QFileDialog::AcceptSave);
    // The user goes to the folder and types a name without an extension.
    files->setDirectory(folder.path());
    auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(QStringLiteral("chart"));
    static_cast<QDialog*>(files)->accept();  // as the Save button does
  });
  EXPECT_EQ(dialog.AskSavePath(nullptr, frmSave::SaveSettings()).value_or(QString()).toStdString(),
            folder.filePath(QStringLiteral("chart.rtf")).toStdString());

  // An existing file, typed with or without its extension: the question
  // comes first, and No lets the user pick again (here: cancel).
  for (const QString& typedName : {QStringLiteral("old.rtf"), QStringLiteral("old")}) {
    SCOPED_TRACE(typedName.toStdString());
    QString question;
    OnNextModal(nullptr, [&](QWidget* modal) {
      auto* files = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(files, nullptr);
      files->setDirectory(folder.path());
      files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typedName);
      OnNextModal(files, [&question, files](QWidget* box) {
        auto* message = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(message, nullptr);
        question = message->text();
        message->button(QMessageBox::No)->click();
        OnNextModal(message, [](QWidget* again) { static_cast<QDialog*>(again)->reject(); });
      });
      static_cast<QDialog*>(files)->accept();  // as the Save button does
    });
    EXPECT_EQ(dialog.AskSavePath(nullptr, frmSave::SaveSettings()), std::nullopt);
    EXPECT_TRUE(question.contains(QStringLiteral("old.rtf"))) << question.toStdString();
  }
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, false);
}

TEST(QtPrintDialogTest, OffersTheSelectionButNoPageRange) {
  for (const bool hasSelection : {false, true}) {
    SCOPED_TRACE(hasSelection);
    QPrinter printer;
    QtPrintDialog dialog;
    bool seen = false;
    OnNextModal(nullptr, [&](QWidget* modal) {
      auto* print = qobject_cast<QPrintDialog*>(modal);
      ASSERT_NE(print, nullptr);
      seen = true;
      EXPECT_FALSE(print->testOption(QAbstractPrintDialog::PrintPageRange));
      EXPECT_TRUE(print->testOption(QAbstractPrintDialog::PrintSelection));
      // Qt's own dialog: the range buttons as the user sees them.
      auto* selection = print->findChild<QRadioButton*>(QStringLiteral("printSelection"));
      auto* range = print->findChild<QRadioButton*>(QStringLiteral("printRange"));
      ASSERT_NE(selection, nullptr);
      ASSERT_NE(range, nullptr);
      EXPECT_TRUE(selection->isEnabled());
      EXPECT_EQ(selection->isChecked(), hasSelection);
      EXPECT_FALSE(range->isEnabled() && range->isVisible());
      print->reject();
    });
    EXPECT_FALSE(dialog.AskPrinter(nullptr, printer, hasSelection));  // cancelled
    EXPECT_TRUE(seen);
  }
}

class LinkDetectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_.resize(600, 300);
    box_ = new QTextEdit(&owner_);
    box_->setGeometry(0, 0, 600, 300);
    owner_.show();
  }
  QPoint At(int position) const {
    QTextCursor cursor(box_->document());
    cursor.setPosition(position);
    return box_->cursorRect(cursor).center() + QPoint(3, 0);
  }

  FakeWebBrowser browser_;
  WebLinks links_{browser_};
  QWidget owner_;
  QTextEdit* box_ = nullptr;
};

TEST_F(LinkDetectionTest, TypedAddressesBecomeLinks) {
  const LinkWatcher watcher(*box_, links_);
  box_->setFocus();
  QTest::keyClicks(box_, QStringLiteral("see www.example.com. or http://a.example/x now"));
  QApplication::processEvents();
  EXPECT_EQ(box_->anchorAt(At(6)), QStringLiteral("www.example.com"));
  EXPECT_EQ(box_->anchorAt(At(25)), QStringLiteral("http://a.example/x"));
  EXPECT_EQ(box_->anchorAt(At(1)), QString());
  EXPECT_EQ(box_->anchorAt(At(44)), QString());

  QTest::mousePress(box_->viewport(), Qt::LeftButton, {}, At(6));
  EXPECT_EQ(browser_.opened, std::vector<QUrl>{QUrl(QStringLiteral("http://www.example.com"))});

  // Breaking an address in two leaves only what still reads as one.
  QTextCursor cursor(box_->document());
  cursor.setPosition(7);
  cursor.insertText(QStringLiteral(" "));
  EXPECT_EQ(box_->anchorAt(At(5)), QString());
}

TEST_F(LinkDetectionTest, LongAddressIsCutAt1024Characters) {
  const LinkWatcher watcher(*box_, links_);
  const QString address = QStringLiteral("https://www.example.org/") + QString(1500, u'a');
  box_->setPlainText(address);
  QTest::mousePress(box_->viewport(), Qt::LeftButton, {}, At(3));
  ASSERT_EQ(browser_.opened.size(), 1U);
  EXPECT_EQ(browser_.opened[0].toString(), address.left(kMaxLinkAddressLength));
}

TEST_F(LinkDetectionTest, WithoutAWatcherAddressesStayText) {
  box_->setPlainText(QStringLiteral("https://www.example.org/"));
  EXPECT_EQ(box_->anchorAt(At(3)), QString());
  QTest::mousePress(box_->viewport(), Qt::LeftButton, {}, At(3));
  EXPECT_TRUE(browser_.opened.empty());

  // Watched, then the watcher gone: the address no longer opens.
  {
    const LinkWatcher watcher(*box_, links_);
    EXPECT_EQ(box_->anchorAt(At(3)), QStringLiteral("https://www.example.org/"));
  }
  QTest::mousePress(box_->viewport(), Qt::LeftButton, {}, At(3));
  EXPECT_TRUE(browser_.opened.empty());

  // A box that goes before its watcher leaves the watcher harmless.
  auto* shortLived = new QTextEdit(&owner_);
  const LinkWatcher watcher(*shortLived, links_);
  delete shortLived;
}

TEST(FindWebAddresses, RecognisesWebAddresses) {
  // Rows: text, and the addresses found in it.
  struct Row {
    QString text;
    QStringList addresses;
  };
  const Row rows[] = {
      {QStringLiteral("Report Generated By https://www.example.org/"),
       {QStringLiteral("https://www.example.org/")}},
      {QStringLiteral("Visit www.example.org."), {QStringLiteral("www.example.org")}},
      {QStringLiteral("(HTTP://A.example/b?c=d), http://e"),
       {QStringLiteral("HTTP://A.example/b?c=d"), QStringLiteral("http://e")}},
      {QStringLiteral("no address, just http:// and www. and mail@www.example.org"), {}},
      {QStringLiteral("ftp://example.org"), {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text.toStdString());
    QStringList found;
    for (const AddressSpan& span : FindWebAddresses(row.text)) {
      found << row.text.mid(span.start, span.length);
    }
    EXPECT_EQ(found, row.addresses);
  }
}

}  // namespace
}  // namespace zodivane::ui
