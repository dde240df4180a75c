// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/frm_main.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include <algorithm>
#include <string>
#include <string_view>
#include <variant>

#include "chart/time_zones.h"
#include "common/form_rules.h"
#include "common/vocabulary.h"
#include "places/place_entries.h"
#include "ui/look/look.h"
#include "ui/look/look_widgets.h"
#include "ui/places/place_assistant.h"
#include "ui/windows/entry_boxes.h"
#include "ui/windows/frm_about.h"

namespace zodivane::ui {

namespace {

using look::FromUtf8;
using look::Px;
using look::TwipsRect;
namespace colours = look::colours;

constexpr int kClientWidthTwips = 6540;
constexpr int kClientHeightTwips = 7380;

/// Where one alike control stands, in twips.
struct ControlPlace {
  std::string_view name;  ///< objectName
  int left;
  int top;
  int width;
};

constexpr int kListHeight = 315;

/// The lists of numbers after the month: day and year, then hour, minute
/// and second.
constexpr auto kNumberLists = std::to_array<ControlPlace>({
    {"cboDate", 3900, 600, 735},
    {"cboYear", 4800, 600, 855},
    {"cboHH", 2040, 960, 735},
    {"cboMM", 3000, 960, 735},
    {"cboSS", 3900, 960, 735},
});
static_assert(kNumberLists.size() == 5);

/// A coordinate frame of the input panel.
struct CoordinateFrame {
  std::string_view caption;                     ///< the frame's title
  std::string_view name;                        ///< objectName of the frame
  int left;                                     ///< twips, in the panel
  int width;                                    ///< twips
  std::array<std::string_view, 2> boxes;        ///< degree and minute boxes
  std::array<std::string_view, 2> boxCaptions;  ///< objectNames of "Deg" and "Min"
  std::array<std::string_view, 2> options;      ///< the hemispheres' captions
  std::array<std::string_view, 2> optionNames;  ///< and objectNames
  int optionWidth;                              ///< twips
};

constexpr int kCoordinateFrameTop = 2400;
constexpr auto kCoordinateFrames = std::to_array<CoordinateFrame>({
    {"Latitude",
     "Frame3",
     840,
     2415,
     {"txtLatD", "txtLatM"},
     {"Label7", "Label9"},
     {"North", "South"},
     {"optLat_0", "optLat_1"},
     855},
    {"Longitude",
     "Frame4",
     3360,
     2295,
     {"txtLonD", "txtLonM"},
     {"Label6", "Label8"},
     {"East", "West"},
     {"optLong_0", "optLong_1"},
     735},
});
static_assert(kCoordinateFrames.size() == 2);

/// A row of the birth place: its caption and its box.
struct PlaceRow {
  std::string_view caption;
  std::string_view captionName;  ///< objectName of the caption label
  std::string_view boxName;      ///< objectName of the box
  int top;                       ///< twips, in the panel
};

constexpr auto kPlaceRows = std::to_array<PlaceRow>({
    {"City", "Label54", "txtMCity", 3360},
    {"State", "Label55", "txtMState", 3720},
    {"Country", "Label4", "txtMCountry", 4080},
});
static_assert(kPlaceRows.size() == 3);

/// Places `widget` at a rectangle, widened to its size hint when its text
/// would not fit otherwise.
void Place(QWidget& widget, const QRect& rect) {
  const QSize hint = widget.sizeHint();
  widget.setGeometry(rect.x(), rect.y(), std::max(rect.width(), hint.width()), rect.height());
}

/// A label sized to its text at (left, top) twips.
QLabel* AutoLabel(const QString& text, const char* name, QWidget* parent, int left, int top) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->move(Px(left), Px(top));
  label->adjustSize();
  return label;
}

/// A label at a twips rectangle, widened when its text needs more room.
QLabel* FixedLabel(const QString& text, const char* name, QWidget* parent, const QRect& rect) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  Place(*label, rect);
  return label;
}

/// Places `box` at a twips rectangle in the boxes' look.
template <typename Box>
Box* Styled(Box* box, const QRect& rect) {
  box->setGeometry(rect);
  box->setTextMargins(0, 0, 0, 0);
  look::SetBoxColours(*box, colours::kPeach, colours::kNavy);
  return box;
}

QLineEdit* TextBox(const char* name, QWidget* parent, const QRect& rect) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  return Styled(box, rect);
}

CoordinateBox* NumberBox(const char* name, QWidget* parent, const QRect& rect) {
  return Styled(new CoordinateBox(QString::fromLatin1(name), parent), rect);
}

QComboBox* DropDown(const char* name, QWidget* parent, const QRect& rect,
                    QComboBox* list = nullptr) {
  if (list == nullptr) {
    list = new QComboBox(parent);
  }
  list->setObjectName(QString::fromLatin1(name));
  list->setEditable(false);
  list->setGeometry(rect);
  look::SetBoxColours(*list, colours::kPeach, colours::kNavy);
  look::SetBoxColours(*list->view(), colours::kPeach, colours::kNavy);
  return list;
}

QGroupBox* InnerFrame(const QString& caption, const char* name, QWidget* parent,
                      const QRect& rect) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(QString::fromLatin1(name));
  frame->setGeometry(rect);
  look::SetBackground(*frame, colours::kPeach);
  look::SetTextColour(*frame, colours::kNavy);
  return frame;
}

QRadioButton* Option(const QString& caption, const QString& name, QWidget* parent,
                     const QRect& rect) {
  auto* option = new QRadioButton(caption, parent);
  option->setObjectName(name);
  Place(*option, rect);
  return option;
}

void FillNumbers(QComboBox& list, const FormList& numbers) {
  for (int n = numbers.first; n <= numbers.last; ++n) {
    list.addItem(QString::number(n));
  }
}

}  // namespace

frmMain::frmMain(ChartSession& session, WebLinks& links, MessageBoxes& messages, QWidget* parent)
    : QMainWindow(parent), session_(session), links_(links), messages_(messages) {
  setObjectName(QStringLiteral("frmMain"));
  new look::FocusRing(*this);
  setWindowTitle(look::kWindowTitle);
  setFont(look::VerdanaFont(look::points::kBody));
  BuildControls();
  NameControls();
  BuildMenus();
  SetTabOrder();
  Form_Load();
  BuildPlaceFinder();
  txtName_->setFocus(Qt::OtherFocusReason);
}

void frmMain::BuildPlaceFinder() {
  // The zone note sits in the free strip under the input panel; it takes no focus.
  auto* note = new QLabel(centralWidget());
  note->setObjectName(QStringLiteral("lblZoneNote"));
  note->setAccessibleName(QStringLiteral("Time zone note"));
  note->setGeometry(TwipsRect(120, 6525, 6300, 825));
  note->setWordWrap(true);
  note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  note->setFont(look::VerdanaFont(look::points::kNote));
  look::SetTextColour(*note, colours::kNavy);
  // A warning shows this icon at the note's left edge.
  auto* icon = new QLabel(centralWidget());
  icon->setObjectName(QStringLiteral("lblZoneWarningIcon"));
  icon->setAccessibleName(QStringLiteral("Warning"));
  const int iconSize = Px(240);
  icon->setGeometry(QRect(note->geometry().topLeft(), QSize(iconSize, iconSize)));
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(iconSize, iconSize));
  place_ = new PlaceAssistant(*this, {*txtMCity_, *cmbTimeZone_, *chkDST_, *note, *icon}, this);
  // The zone follows the birth's date and time; coordinates typed or a
  // hemisphere clicked by hand leave the chosen place behind.
  for (QComboBox* list : {cboMonth_, cboDate_, cboYear_, cboHH_, cboMM_}) {
    connect(list, &QComboBox::currentIndexChanged, place_, &PlaceAssistant::DateOrTimeChanged);
  }
  for (QLineEdit* box : std::initializer_list<QLineEdit*>{txtLatD_, txtLatM_, txtLonD_, txtLonM_}) {
    connect(box, &QLineEdit::textEdited, place_, &PlaceAssistant::PlaceEditedByHand);
  }
  for (QRadioButton* option : {optLat_[0], optLat_[1], optLong_[0], optLong_[1]}) {
    connect(option, &QRadioButton::clicked, place_, &PlaceAssistant::PlaceEditedByHand);
  }
}

const std::optional<ChosenPlace>& frmMain::chosenPlace() const {
  return place_->chosen();
}

void frmMain::AdoptPlace(const ChosenPlace& place) {
  place_->Adopt(place);
}

void frmMain::SetPlaceEntries(const FormEntries& entries) {
  const auto text = [](const std::string& value) { return QString::fromStdString(value); };
  for (const auto& [box, value] :
       {std::pair{txtMCity_, &entries.txtMCity}, std::pair{txtMState_, &entries.txtMState},
        std::pair{txtMCountry_, &entries.txtMCountry}}) {
    box->setText(text(*value));
    box->setCursorPosition(0);  // a long name shows its beginning
  }
  txtLatD_->setText(text(entries.txtLatD));
  txtLatM_->setText(text(entries.txtLatM));
  txtLonD_->setText(text(entries.txtLonD));
  txtLonM_->setText(text(entries.txtLonM));
  optLat_[entries.optSouth ? 1 : 0]->setChecked(true);
  optLong_[entries.optEast ? 0 : 1]->setChecked(true);
}

void frmMain::ClearPlaceNames(const std::string& state, const std::string& country) {
  for (const auto& [box, name] :
       {std::pair{txtMState_, &state}, std::pair{txtMCountry_, &country}}) {
    if (box->text() == QString::fromStdString(*name)) {
      box->clear();
    }
  }
}

void frmMain::BuildControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("frmMainClient"));
  client->setFixedSize(Px(kClientWidthTwips), Px(kClientHeightTwips));
  look::SetBackground(*client, colours::kPeach);
  setCentralWidget(client);

  // Banner strip.
  auto* frame2 = new QFrame(client);
  frame2->setObjectName(QStringLiteral("Frame2"));
  frame2->setGeometry(TwipsRect(0, 0, 6540, 615));
  look::SetBackground(*frame2, colours::kWhite);
  auto* label61 =
      new look::ClickableLabel(QStringLiteral("Join our online discussion board - visit %1")
                                   .arg(WebAddresses::HomePageHost()),
                               frame2);
  label61->setObjectName(QStringLiteral("Label61"));
  label61->setGeometry(TwipsRect(0, 120, 6600, 465));
  label61->setAlignment(Qt::AlignCenter);
  label61->setFont(look::VerdanaFont(look::points::kBody, true, true));
  look::SetBackground(*label61, colours::kWhite);
  look::SetTextColour(*label61, colours::kNavy);
  connect(label61, &look::ClickableLabel::clicked, this, &frmMain::Label61_Click);

  auto* label2 = new QLabel(look::kDescription, client);
  label2->setObjectName(QStringLiteral("Label2"));
  label2->setGeometry(TwipsRect(23, 720, 6495, 855));
  label2->setWordWrap(true);
  label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  look::SetTextColour(*label2, colours::kBlue);

  // The input panel.
  auto* frame1 = new QFrame(client);
  frame1->setObjectName(QStringLiteral("Frame1"));
  frame1->setGeometry(TwipsRect(0, 1560, 6540, 4935));
  look::SetBackground(*frame1, colours::kPanel);
  look::SetTextColour(*frame1, colours::kPeach);

  FixedLabel(QStringLiteral("Name"), "Label13", frame1, TwipsRect(840, 285, 1110, 195));
  txtName_ = Styled(new FilteredBox(QStringLiteral("txtName"), &txtName_KeyPress, frame1),
                    TwipsRect(2040, 240, 3615, 285));

  FixedLabel(QStringLiteral("Date of Birth"), "Label5", frame1, TwipsRect(840, 660, 1110, 195));
  cboMonth_ = DropDown("cboMonth", frame1, TwipsRect(2040, 600, 1695, 315));
  FixedLabel(QStringLiteral("Time of Birth"), "Label1", frame1, TwipsRect(840, 1020, 1110, 195));
  const std::array<QComboBox**, kNumberLists.size()> lists{&cboDate_, &cboYear_, &cboHH_, &cboMM_,
                                                           &cboSS_};
  for (std::size_t k = 0; k < kNumberLists.size(); ++k) {
    const ControlPlace& list = kNumberLists[k];
    *lists[k] =
        DropDown(list.name.data(), frame1, TwipsRect(list.left, list.top, list.width, kListHeight),
                 new NumberList(frame1));
  }
  FixedLabel(QStringLiteral("HH:MM:SS"), "Label12", frame1, TwipsRect(4800, 1080, 900, 195));

  auto* fraZone =
      InnerFrame(QStringLiteral("Zone"), "fraZone", frame1, TwipsRect(840, 1320, 4815, 1095));
  chkDST_ = new QCheckBox(QStringLiteral("Daylight Saving Time"), fraZone);
  chkDST_->setObjectName(QStringLiteral("chkDST"));
  chkDST_->setFont(look::VerdanaFont(look::points::kBody, true));
  Place(*chkDST_, TwipsRect(2040, 240, 2415, 375));
  cmbTimeZone_ = DropDown("cmbTimeZone", fraZone, TwipsRect(120, 600, 4335, 315));

  // The latitude and longitude frames: degree and minute boxes, their
  // captions, and the hemispheres.
  const std::array<std::array<CoordinateBox**, 2>, kCoordinateFrames.size()> boxes{
      {{&txtLatD_, &txtLatM_}, {&txtLonD_, &txtLonM_}}};
  const std::array<std::array<QRadioButton*, 2>*, kCoordinateFrames.size()> options{&optLat_,
                                                                                    &optLong_};
  for (std::size_t k = 0; k < kCoordinateFrames.size(); ++k) {
    const CoordinateFrame& row = kCoordinateFrames[k];
    auto* frame = InnerFrame(FromUtf8(row.caption), row.name.data(), frame1,
                             TwipsRect(row.left, kCoordinateFrameTop, row.width, 855));
    // Created in the order of the Tab chain: the boxes, their captions, the options.
    constexpr std::array<int, 2> kBoxLefts{120, 720};
    constexpr std::array<int, 2> kCaptionLefts{195, 825};
    for (std::size_t part = 0; part < 2; ++part) {
      *boxes[k][part] =
          NumberBox(row.boxes[part].data(), frame, TwipsRect(kBoxLefts[part], 240, 495, 285));
    }
    for (std::size_t part = 0; part < 2; ++part) {
      AutoLabel(part == 0 ? QStringLiteral("Deg") : QStringLiteral("Min"),
                row.boxCaptions[part].data(), frame, kCaptionLefts[part], 600);
    }
    for (std::size_t part = 0; part < 2; ++part) {
      (*options[k])[part] =
          Option(FromUtf8(row.options[part]), FromUtf8(row.optionNames[part]), frame,
                 TwipsRect(1320, part == 0 ? 240 : 480, row.optionWidth, 255));
    }
  }

  // City, state and country: a caption and a box each.
  const std::array<QLineEdit**, kPlaceRows.size()> placeBoxes{&txtMCity_, &txtMState_,
                                                              &txtMCountry_};
  for (const PlaceRow& row : kPlaceRows) {
    AutoLabel(FromUtf8(row.caption), row.captionName.data(), frame1, 840, row.top);
  }
  for (std::size_t k = 0; k < kPlaceRows.size(); ++k) {
    const PlaceRow& row = kPlaceRows[k];
    *placeBoxes[k] = TextBox(row.boxName.data(), frame1, TwipsRect(2040, row.top, 1935, 285));
  }

  cmdBrowser_ =
      new look::WrappingButton(QStringLiteral("Click Here To Find Latitude && Longitude"), frame1);
  cmdBrowser_->setObjectName(QStringLiteral("cmdBrowser"));
  cmdBrowser_->setGeometry(TwipsRect(4200, 3360, 1455, 1035));
  connect(cmdBrowser_, &QPushButton::clicked, this, &frmMain::cmdBrowser_Click);

  cmdRashi_ = new QPushButton(QStringLiteral("Proceed"), frame1);
  cmdRashi_->setObjectName(QStringLiteral("cmdRashi"));
  cmdRashi_->setFont(look::VerdanaFont(look::points::kBody, true));
  cmdRashi_->setGeometry(TwipsRect(840, 4440, 4815, 375));
  connect(cmdRashi_, &QPushButton::clicked, this, &frmMain::cmdRashi_Click);

  for (QPushButton* button : {cmdBrowser_, cmdRashi_}) {
    button->setAutoDefault(false);
    look::SetTextColour(*button, Qt::black);
  }

  // The notices of the filtered boxes.
  for (FilteredBox* box :
       {txtName_, static_cast<FilteredBox*>(txtLonD_), static_cast<FilteredBox*>(txtLonM_),
        static_cast<FilteredBox*>(txtLatD_), static_cast<FilteredBox*>(txtLatM_)}) {
    connect(box, &FilteredBox::NoticeRaised, this, &frmMain::ShowNotice);
  }
}

void frmMain::NameControls() {
  // What each control reads to assistive technology, and the labels that
  // name their boxes.
  const std::pair<QWidget*, const char*> names[] = {
      {txtName_, "Name"},
      {cboMonth_, "Birth month"},
      {cboDate_, "Birth day"},
      {cboYear_, "Birth year"},
      {cboHH_, "Birth hour"},
      {cboMM_, "Birth minute"},
      {cboSS_, "Birth second"},
      {cmbTimeZone_, "Time zone"},
      {txtLatD_, "Latitude degrees"},
      {txtLatM_, "Latitude minutes"},
      {txtLonD_, "Longitude degrees"},
      {txtLonM_, "Longitude minutes"},
      {txtMCity_, "City"},
      {txtMState_, "State"},
      {txtMCountry_, "Country"},
  };
  for (const auto& [control, name] : names) {
    control->setAccessibleName(QString::fromLatin1(name));
  }
  // A screen reader on Linux names a list by the entry it shows, whatever
  // its accessible name says; the lists without a label of their own say
  // what they are in their description.
  for (QComboBox* list : {cboDate_, cboYear_, cboMM_, cboSS_, cmbTimeZone_}) {
    list->setAccessibleDescription(list->accessibleName());
  }
  const std::pair<const char*, QWidget*> buddies[] = {
      {"Label13", txtName_},    {"Label5", cboMonth_},  {"Label1", cboHH_},
      {"Label7", txtLatD_},     {"Label9", txtLatM_},   {"Label6", txtLonD_},
      {"Label8", txtLonM_},     {"Label54", txtMCity_}, {"Label55", txtMState_},
      {"Label4", txtMCountry_},
  };
  for (const auto& [label, box] : buddies) {
    findChild<QLabel*>(QString::fromLatin1(label))->setBuddy(box);
  }
}

void frmMain::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setFont(look::VerdanaFont(look::points::kBody));

  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  QAction* next = file->addAction(QStringLiteral("Proceed"));
  next->setObjectName(QStringLiteral("mnuNext"));
  next->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
  connect(next, &QAction::triggered, this, &frmMain::mnuNext_Click);
  QAction* exit = file->addAction(QStringLiteral("E&xit"));
  exit->setObjectName(QStringLiteral("mnuExit"));
  exit->setShortcuts(look::StandardKeys(QKeySequence::Quit));
  connect(exit, &QAction::triggered, this, &frmMain::mnuExit_Click);

  look::AddHelpMenu(
      *bar, *this,
      {[this] { mnuOnline_Click(); }, [this] { mnuVisit_Click(); }, [this] { mnuUpdate_Click(); },
       [this] { mnuAbout_Click(); }, QStringLiteral("mnuHelp1"), QStringLiteral("mnuHelp2")});
}

void frmMain::SetTabOrder() {
  const std::array<QWidget*, 20> order = {
      txtName_,   cboMonth_, cboDate_,    cboYear_,     cboHH_,      cboMM_,    cboSS_,
      chkDST_,    txtLonM_,  optLong_[0], optLong_[1],  txtLatD_,    txtLatM_,  optLat_[0],
      optLat_[1], txtMCity_, txtMState_,  txtMCountry_, cmdBrowser_, cmdRashi_,
  };
  for (std::size_t i = 0; i + 1 < order.size(); ++i) {
    setTabOrder(order[i], order[i + 1]);
  }
  setTabOrder(cmdRashi_, txtLonD_);
  setTabOrder(txtLonD_, cmbTimeZone_);
  // The banner's link comes last, before the round starts again at the name.
  setTabOrder(cmbTimeZone_, findChild<QWidget*>(QStringLiteral("Label61")));
}

void frmMain::Form_Load() {
  for (const std::string_view month : zodivane::kMonthNames) {
    cboMonth_->addItem(QString::fromUtf8(month.data(), static_cast<qsizetype>(month.size())));
  }
  for (const TimeZoneRow& row : kTimeZoneTable) {
    cmbTimeZone_->addItem(
        QString::fromUtf8(row.text.data(), static_cast<qsizetype>(row.text.size())));
  }
  // Let the open list show the longest zone text in full.
  cmbTimeZone_->view()->setMinimumWidth(cmbTimeZone_->view()->sizeHintForColumn(0) + 24);
  FillNumbers(*cboDate_, kDayList);
  FillNumbers(*cboYear_, kYearList);
  FillNumbers(*cboHH_, kHourList);
  FillNumbers(*cboMM_, kMinuteList);
  FillNumbers(*cboSS_, kSecondList);
  for (QComboBox* list : {cboMonth_, cboDate_, cboYear_, cboHH_, cboMM_, cboSS_}) {
    list->setCurrentIndex(0);
  }
  cmbTimeZone_->setCurrentIndex(kDefaultTimeZone);
  optLat_[0]->setChecked(true);
  optLong_[0]->setChecked(true);
  chkDST_->setChecked(false);
}

FormEntries frmMain::CollectEntries() const {
  FormEntries entries;
  entries.txtName = txtName_->text().toStdString();
  entries.txtLonD = txtLonD_->text().toStdString();
  entries.txtLonM = txtLonM_->text().toStdString();
  entries.txtLatD = txtLatD_->text().toStdString();
  entries.txtLatM = txtLatM_->text().toStdString();
  entries.txtMCity = txtMCity_->text().toStdString();
  entries.txtMState = txtMState_->text().toStdString();
  entries.txtMCountry = txtMCountry_->text().toStdString();
  entries.cboMonthIndex = cboMonth_->currentIndex();
  entries.cboDateIndex = cboDate_->currentIndex();
  entries.cmbTimeZoneIndex = cmbTimeZone_->currentIndex();
  entries.cboDateText = cboDate_->currentText().toStdString();
  entries.cboYearText = cboYear_->currentText().toStdString();
  entries.cboHHText = cboHH_->currentText().toStdString();
  entries.cboMMText = cboMM_->currentText().toStdString();
  entries.optEast = optLong_[0]->isChecked();
  entries.optSouth = optLat_[1]->isChecked();
  entries.chkDST = chkDST_->checkState() != Qt::Unchecked;
  if (entries.cmbTimeZoneIndex == kPlaceZoneIndex) {
    entries.placeZone = place_->placeZone();
  }
  return entries;
}

void frmMain::SetEntries(const FormEntries& entries) {
  // The entries come from elsewhere: a place chosen before no longer
  // applies, and no zone suggestion may run while the controls change.
  place_->Forget();
  place_->OfferPlaceZone(entries.cmbTimeZoneIndex == kPlaceZoneIndex ? entries.placeZone
                                                                     : std::nullopt);
  const auto text = [](const std::string& value) { return QString::fromStdString(value); };
  txtName_->setText(text(entries.txtName));
  txtLonD_->setText(text(entries.txtLonD));
  txtLonM_->setText(text(entries.txtLonM));
  txtLatD_->setText(text(entries.txtLatD));
  txtLatM_->setText(text(entries.txtLatM));
  txtMCity_->setText(text(entries.txtMCity));
  txtMState_->setText(text(entries.txtMState));
  txtMCountry_->setText(text(entries.txtMCountry));
  cboMonth_->setCurrentIndex(entries.cboMonthIndex);
  cboDate_->setCurrentIndex(entries.cboDateIndex);
  cmbTimeZone_->setCurrentIndex(entries.cmbTimeZoneIndex);
  cboYear_->setCurrentIndex(cboYear_->findText(text(entries.cboYearText)));
  cboHH_->setCurrentIndex(cboHH_->findText(text(entries.cboHHText)));
  cboMM_->setCurrentIndex(cboMM_->findText(text(entries.cboMMText)));
  optLong_[entries.optEast ? 0 : 1]->setChecked(true);
  optLat_[entries.optSouth ? 1 : 0]->setChecked(true);
  chkDST_->setChecked(entries.chkDST);
  ShowPlaceBeginnings();
}

void frmMain::ShowPlaceBeginnings() {
  for (QLineEdit* box : {txtMCity_, txtMState_, txtMCountry_}) {
    if (!box->hasFocus()) {
      box->setCursorPosition(0);
    }
  }
}

bool frmMain::Cast() {
  const FormEntries entries = CollectEntries();
  const CastResult result = session_.CastChart(entries, ephemeris_);
  if (const auto* rejection = std::get_if<Rejection>(&result)) {
    ShowNotice(rejection->notice);
    if (rejection->focus) {
      if (auto* control = findChild<QWidget*>(QString::fromStdString(*rejection->focus))) {
        control->setFocus(Qt::OtherFocusReason);
      } else if (*rejection->focus == kEphemerisControl) {
        // The engine is chosen in Chart > Aspect Settings…, not on this form.
        emit EphemerisRefused();
      }
    }
    return false;
  }
  ChartView chart = std::get<ChartView>(result);
  // The same warning on every record of the chart: a zone the database
  // disagrees with, or which reading of a skipped or repeated clock time.
  chart.zoneWarning = places::ChartZoneWarning(entries, place_->chosen());
  if (const auto& chosen = place_->chosen()) {
    chart.placeZone = chosen->zone;
  }
  emit ChartCast(chart);
  return true;
}

QString frmMain::PlaceQuery(const QString& city, const QString& state, const QString& country) {
  return city + QLatin1Char(' ') + state + QLatin1Char(' ') + country +
         QStringLiteral(" Latitude Longitude");
}

QUrl frmMain::PlaceSearchAddress(const QString& query) {
  return QUrl::fromEncoded(QByteArrayLiteral(ZODIVANE_SEARCH_URL) + QUrl::toPercentEncoding(query),
                           QUrl::StrictMode);
}

void frmMain::cmdBrowser_Click() {
  const std::array<std::pair<QLineEdit*, const char*>, 3> required = {{
      {txtMCity_, "Please Enter City"},
      {txtMState_, "Please Enter State"},
      {txtMCountry_, "Please Enter Country"},
  }};
  for (const auto& [box, message] : required) {
    if (box->text().isEmpty()) {
      messages_.ShowNotice(this, QString::fromLatin1(message), MessageIcon::Information);
      box->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
  // The place lookup: a web search for the place's coordinates in the browser.
  const QString query = PlaceQuery(txtMCity_->text(), txtMState_->text(), txtMCountry_->text());
  links_.OpenWebPage(PlaceSearchAddress(query));
}

void frmMain::mnuAbout_Click() {
  frmAbout about(links_, this);
  about.exec();
}

void frmMain::ShowNotice(const Notice& notice) {
  messages_.ShowNotice(this, QString::fromStdString(notice.message), notice.icon);
}

void frmMain::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) {
    emit Unloaded();
  }
}

}  // namespace zodivane::ui
