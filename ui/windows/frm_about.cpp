// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/frm_about.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>

#include <array>
#include <string_view>

#include "ui/look/look.h"
#include "ui/look/look_widgets.h"

namespace zodivane::ui {

namespace {

using look::FromUtf8;
using look::Px;
using look::TwipsRect;
namespace colours = look::colours;

const QString kIconResource = QStringLiteral(":/assets/zodivane.svg");

/// One of the two rules above the button: a dark line with a light one under it.
QFrame* Rule(const char* name, QWidget* parent, int top, const QColor& colour) {
  auto* line = new QFrame(parent);
  line->setObjectName(QString::fromLatin1(name));
  line->setGeometry(TwipsRect(120, top, 6855, 15));
  look::SetBackground(*line, colour);
  return line;
}

/// A plain label of the about box: its name, place and alignment.
struct LabelPlace {
  std::string_view name;
  int left;  ///< twips
  int top;
  int width;
  int height;
  Qt::Alignment alignment;
};

/// One line of text under the link or beside the button.
struct TextLine : LabelPlace {
  std::string_view text;
};

constexpr LabelPlace kDescriptionLabel{"Label1", 960, 840, 5880, 960, Qt::AlignLeft | Qt::AlignTop};

const auto kTextLines = std::to_array<TextLine>({
    {{"lblLicence", 960, 2070, 5880, 285, Qt::AlignLeft | Qt::AlignVCenter},
     "Free software under the GNU GPL version 3 or later; no warranty."},
    {{"lblCredits", 240, 2685, 5400, 285, Qt::AlignLeft | Qt::AlignVCenter},
     "Place data: GeoNames (www.geonames.org), CC BY 4.0"},
});
static_assert(kTextLines.size() == 2);

QLabel* PlainLabel(const QString& text, const LabelPlace& place, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(look::FromUtf8(place.name));
  label->setGeometry(TwipsRect(place.left, place.top, place.width, place.height));
  label->setAlignment(place.alignment);
  return label;
}

}  // namespace

frmAbout::frmAbout(WebLinks& links, QWidget* parent) : QDialog(parent), links_(links) {
  setObjectName(QStringLiteral("frmAbout"));
  new look::FocusRing(*this);
  setWindowTitle(look::kWindowTitle);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
  setModal(true);
  setFont(look::VerdanaFont(look::points::kBody));
  setFixedSize(Px(7095), Px(3255));
  look::SetBackground(*this, colours::kPanel);
  look::SetTextColour(*this, colours::kPeach);

  auto* picIcon = new QLabel(this);
  picIcon->setObjectName(QStringLiteral("picIcon"));
  picIcon->setAccessibleName(QStringLiteral("Zodivane icon"));
  picIcon->setGeometry(TwipsRect(240, 240, 480, 480));
  picIcon->setPixmap(ProgramIcon(Px(480), devicePixelRatioF()));

  auto* label2 = new QLabel(look::kWindowTitle, this);
  label2->setObjectName(QStringLiteral("Label2"));
  label2->setFont(look::VerdanaFont(look::points::kHeading, true));
  label2->setGeometry(TwipsRect(960, 240, 5880, 480));
  label2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  PlainLabel(look::kDescription, kDescriptionLabel, this)->setWordWrap(true);

  auto* lblHomePage = new look::ClickableLabel(
      QStringLiteral("Click here to visit ") + WebAddresses::HomePageText(), this);
  lblHomePage->setObjectName(QStringLiteral("lblHomePage"));
  lblHomePage->setFont(look::VerdanaFont(look::points::kBody, false, true));
  lblHomePage->setGeometry(TwipsRect(960, 1740, 5880, 285));
  connect(lblHomePage, &look::ClickableLabel::clicked, this, &frmAbout::lblHomePage_Click);

  // Beside the documented controls: the licence, one line under the link,
  // and the attribution the place finder's gazetteer asks for, under the
  // rules beside the OK button.
  for (const TextLine& line : kTextLines) {
    PlainLabel(FromUtf8(line.text), line, this);
  }

  Rule("Line1", this, 2400, QColor(128, 128, 128));
  Rule("Line2", this, 2415, colours::kWhite);

  auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setGeometry(TwipsRect(5760, 2640, 1095, 375));
  cmdOK->setDefault(true);
  look::SetTextColour(*cmdOK, Qt::black);
  connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
  // The link follows the button, which keeps the first focus.
  setTabOrder(cmdOK, lblHomePage);
  look::FocusFirstControl(*this);
}

QPixmap frmAbout::ProgramIcon(int logicalSize, qreal devicePixelRatio) {
  const int pixels = qRound(logicalSize * devicePixelRatio);
  if (QFile::exists(kIconResource)) {
    QSvgRenderer renderer(kIconResource);
    if (renderer.isValid()) {
      QPixmap pixmap(pixels, pixels);
      pixmap.fill(Qt::transparent);
      QPainter painter(&pixmap);
      renderer.render(&painter);
      painter.end();
      pixmap.setDevicePixelRatio(devicePixelRatio);
      return pixmap;
    }
  }
  return QApplication::windowIcon().pixmap(QSize(logicalSize, logicalSize), devicePixelRatio);
}

void frmAbout::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  look::CentreOnScreen(*this);
}

}  // namespace zodivane::ui
