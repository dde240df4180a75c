// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/frm_display.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QString>
#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "common/text_helpers.h"
#include "ui/look/look.h"
#include "ui/look/look_widgets.h"
#include "ui/sheet/chart_sheet.h"
#include "ui/sheet/wheel_layout.h"
#include "ui/windows/house_list_label.h"
#include "ui/windows/text_edit_sink.h"
#include "ui/windows/wheel_pictures.h"

namespace zodivane::ui {
namespace {

// Lengths are in twips (1/1440 inch): 15 twips make one logical pixel.
using look::Px;
using look::TwipsRect;

using look::VerdanaFont;

const QColor& kFormBackground = look::colours::kPeach;
using look::colours::kDetailsText;
namespace captions = look::captions;
using look::colours::kBlue;
using look::colours::kRed;

/// The platform's window background and window text colours (the colours of
/// a text box).
[[nodiscard]] QColor WindowBackground() {
  return QApplication::palette().color(QPalette::Base);
}
[[nodiscard]] QColor WindowText() {
  return QApplication::palette().color(QPalette::Text);
}

void SetColours(QWidget& widget, const QColor& background, const QColor& text) {
  look::SetBackground(widget, background);
  look::SetTextColour(widget, text);
}

using look::FromUtf8;

/// A plain-text label with a transparent background.
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption, const QFont& font) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setFont(font);
  return label;
}

/// Widens `label` to its text where the substitute typeface runs wider than
/// the designed width; the left edge stays.
void FitWidth(QLabel& label) {
  const int needed = label.sizeHint().width();
  if (needed > label.width()) {
    label.resize(needed, label.height());
  }
}

// ---- Your Details ----------------------------------------------------------

/// One row of the details frame: a caption label and the value label beside it.
struct DetailRow {
  std::string_view captionName;  ///< objectName of the caption label
  std::string_view caption;      ///< caption text, used exactly
  int captionTop;                ///< twips, in fraDetails
  std::string_view valueName;    ///< objectName of the value label, also its design-time caption
  int valueTop;                  ///< twips, in fraDetails
};

inline constexpr auto kDetailRows = std::to_array<DetailRow>({
    {"Label4", captions::kDateOfBirth, 600, "lblDOB", 600},
    {"Label14", captions::kTimeOfBirth, 1020, "lblTOB", 960},
    {"Label5", captions::kLongitude, 1440, "lblLongitude", 1440},
    {"Label9", captions::kLatitude, 1860, "lblLatitude", 1860},
    {"Label6", captions::kCity, 2280, "lblCity", 2280},
    {"Label12", captions::kState, 2700, "lblState", 2700},
    {"Label7", captions::kCountry, 3120, "lblCountry", 3120},
});
static_assert(kDetailRows.size() == 7);

constexpr int kDetailCaptionLeft = 120;
constexpr int kDetailValueLeft = 1440;
constexpr int kDetailValueWidth = 2055;
constexpr int kDetailValueHeight = 195;
constexpr int kZoneRowTop = 3390;  ///< twips, in fraDetails: the row under the documented ones
constexpr int kZoneValueLeft = 720;

// ---- Other Details ---------------------------------------------------------

/// A caption and the value below it in the frame of other details.
struct SignPair {
  std::string_view captionName;  ///< objectName of the caption label
  std::string_view caption;
  int captionTop;              ///< twips, in fraVedic
  std::string_view valueName;  ///< objectName of the value label, also its design-time caption
  int valueTop;                ///< twips, in fraVedic
};

inline constexpr auto kSignPairs = std::to_array<SignPair>({
    {"Label1", captions::kAscendant, 480, "lblLagna", 840},
    {"Label10", captions::kSunSign, 1200, "lblSunSign", 1560},
    {"Label17", captions::kMoonSign, 1920, "lblRashi", 2280},
});
static_assert(kSignPairs.size() == 3);

constexpr int kSignPairLeft = 720;
constexpr int kSignPairWidth = 2100;
constexpr int kSignPairHeight = 270;

// ---- Planetary Positions ---------------------------------------------------

constexpr int kPositionFirstTop = 300;  ///< twips, in fraWestern
constexpr int kPositionStep = 798;      ///< twips between rows
constexpr int kPositionNameLeft = 120;
constexpr int kPositionNameWidth = 1140;
constexpr int kPositionValueLeft = 1320;
constexpr int kPositionValueWidth = 1155;
constexpr int kPositionHeight = 285;

// ---- The natal wheel -------------------------------------------------------

// Where the wheel's controls stand in picNatal, by wheel position.
using wheel::kHouseNumberHeight;
using wheel::kHouseNumberWidthOneDigit;
using wheel::kHouseNumberWidthTwoDigits;
using wheel::kPlanetListHeight;
using wheel::kPlanetListWidth;
using wheel::kSignImageSize;
using wheel::kWheelPlaces;
using wheel::WheelPlace;
constexpr int kSignLabelHeight = 195;

// ---- The report ------------------------------------------------------------

const QString kLabel3Caption =
    QStringLiteral("For more detailed analysis of your planets in signs Visit ");

}  // namespace

QString PositionSpeech(std::string_view pointName, const PointPosition& position) {
  const QString name = pointName == "Asc" ? QStringLiteral("Ascendant") : FromUtf8(pointName);
  if (!position.sign) {
    return name;
  }
  QString speech = name + QStringLiteral(", ") + look::CountText(position.degree, "degree") +
                   QLatin1Char(' ') + look::CountText(position.minute, "minute") +
                   QLatin1Char(' ') +
                   FromUtf8(kSigns[static_cast<std::size_t>(*position.sign)].name);
  if (position.retrograde) {
    speech += QStringLiteral(", retrograde");
  }
  return speech;
}

QSize frmDisplay::DesignedSize() noexcept {
  return {Px(13215), Px(9315)};
}

frmDisplay::frmDisplay(WebLinks& links, QWidget* parent)
    : QWidget(parent),
      links_(links),
      // A house list scales its own drawing once it is laid out.
      scaler_(*this, [](const QWidget& widget) {
        const auto* list = qobject_cast<const HouseListLabel*>(&widget);
        return list != nullptr && list->Layout().has_value();
      }) {
  setObjectName(QStringLiteral("frmDisplay"));
  setWindowTitle(look::kWindowTitle);
  setFixedSize(DesignedSize());
  SetColours(*this, kFormBackground, WindowText());
  setFont(VerdanaFont(look::points::kBody));

  BuildDetails();
  BuildOtherDetails();
  BuildPositions();
  BuildWheel();
  BuildReport();
}

void frmDisplay::BuildDetails() {
  fraDetails_ = new QGroupBox(FromUtf8(captions::kYourDetails), this);
  fraDetails_->setObjectName(QStringLiteral("fraDetails"));
  fraDetails_->setGeometry(TwipsRect(120, 0, 3490, 3615));
  fraDetails_->setFont(VerdanaFont(look::points::kBody, true));
  SetColours(*fraDetails_, kFormBackground, kDetailsText);

  lblName_ = MakeLabel(fraDetails_, QStringLiteral("lblName"), QStringLiteral("LblName"),
                       VerdanaFont(look::points::kLarge, true));
  lblName_->setGeometry(TwipsRect(120, 240, 3285, 240));

  std::array<QLabel**, kDetailRows.size()> values{
      &lblDOB_, &lblTOB_, &lblLongitude_, &lblLatitude_, &lblCity_, &lblState_, &lblCountry_};
  for (std::size_t row = 0; row < kDetailRows.size(); ++row) {
    const DetailRow& detail = kDetailRows[row];
    QLabel* caption = MakeLabel(fraDetails_, FromUtf8(detail.captionName), FromUtf8(detail.caption),
                                VerdanaFont(look::points::kBody));
    caption->move(Px(kDetailCaptionLeft), Px(detail.captionTop));
    caption->adjustSize();

    QLabel* value = MakeLabel(fraDetails_, FromUtf8(detail.valueName), FromUtf8(detail.valueName),
                              VerdanaFont(look::points::kBody, true));
    value->setGeometry(
        TwipsRect(kDetailValueLeft, detail.valueTop, kDetailValueWidth, kDetailValueHeight));
    *values[row] = value;
  }
  // Under the documented rows: the zone the chart used, with the birth's UT
  // in its tooltip and description.
  QLabel* zoneCaption = MakeLabel(fraDetails_, QStringLiteral("lblZoneCaption"),
                                  FromUtf8(captions::kZone), VerdanaFont(look::points::kBody));
  zoneCaption->move(Px(kDetailCaptionLeft), Px(kZoneRowTop));
  zoneCaption->adjustSize();
  lblZone_ = MakeLabel(fraDetails_, QStringLiteral("lblZone"), QString(),
                       VerdanaFont(look::points::kBody, true));
  // Closer to its short caption than the rows above, so that the zone and
  // the UT fit on the line.
  lblZone_->setGeometry(TwipsRect(kZoneValueLeft, kZoneRowTop,
                                  kDetailValueLeft + kDetailValueWidth - kZoneValueLeft,
                                  kDetailValueHeight));
  lblZone_->setAccessibleName(QStringLiteral("Zone"));
  zoneCaption->setBuddy(lblZone_);
}

void frmDisplay::BuildOtherDetails() {
  fraVedic_ = new QGroupBox(FromUtf8(captions::kOtherDetails), this);
  fraVedic_->setObjectName(QStringLiteral("fraVedic"));
  fraVedic_->setGeometry(TwipsRect(120, 3660, 3555, 2805));
  fraVedic_->setFont(VerdanaFont(look::points::kBody, true));
  SetColours(*fraVedic_, kFormBackground, WindowText());

  std::array<QLabel**, kSignPairs.size()> values{&lblLagna_, &lblSunSign_, &lblRashi_};
  for (std::size_t row = 0; row < kSignPairs.size(); ++row) {
    const SignPair& pair = kSignPairs[row];
    QLabel* caption = MakeLabel(fraVedic_, FromUtf8(pair.captionName), FromUtf8(pair.caption),
                                VerdanaFont(look::points::kLarge, true));
    caption->setGeometry(
        TwipsRect(kSignPairLeft, pair.captionTop, kSignPairWidth, kSignPairHeight));
    SetColours(*caption, WindowBackground(), WindowText());

    QLabel* value = MakeLabel(fraVedic_, FromUtf8(pair.valueName), FromUtf8(pair.valueName),
                              VerdanaFont(look::points::kLarge));
    value->setGeometry(TwipsRect(kSignPairLeft, pair.valueTop, kSignPairWidth, kSignPairHeight));
    SetColours(*value, WindowBackground(), WindowText());
    *values[row] = value;
  }
}

void frmDisplay::BuildPositions() {
  fraWestern_ = new QGroupBox(FromUtf8(captions::kPlanetaryPositions), this);
  fraWestern_->setObjectName(QStringLiteral("fraWestern"));
  fraWestern_->setGeometry(TwipsRect(10560, 40, 2595, 8815));
  fraWestern_->setFont(VerdanaFont(look::points::kBody, true));
  SetColours(*fraWestern_, kFormBackground, WindowText());

  for (int point = 0; point < kChartPointCount; ++point) {
    const int top = kPositionFirstTop + point * kPositionStep;
    const auto index = static_cast<std::size_t>(point);

    QLabel* name =
        MakeLabel(fraWestern_, QStringLiteral("PlanetName_%1").arg(point),
                  FromUtf8(kChartPointNames[index]), VerdanaFont(look::points::kLarge, true));
    name->setGeometry(TwipsRect(kPositionNameLeft, top, kPositionNameWidth, kPositionHeight));
    SetColours(*name, WindowBackground(), WindowText());
    PlanetName_[index] = name;

    QLabel* value = MakeLabel(fraWestern_, QStringLiteral("lblPlanet_%1").arg(point),
                              QStringLiteral("lblPlanet"), VerdanaFont(look::points::kLarge));
    value->setGeometry(TwipsRect(kPositionValueLeft, top, kPositionValueWidth, kPositionHeight));
    SetColours(*value, WindowBackground(), WindowText());
    lblPlanet_[index] = value;
  }
}

void frmDisplay::BuildWheel() {
  picNatal_ = new SvgPicture(this);
  picNatal_->setObjectName(QStringLiteral("picNatal"));
  picNatal_->setGeometry(TwipsRect(3720, 120, 6780, 6495));
  picNatal_->SetSource(wheel::kWheelArtwork);
  picNatal_->setAccessibleName(QStringLiteral("Natal wheel"));
  // Over the drawing, under the numbers, glyphs and lists made after it.
  aspectLines_ = new AspectLinesPicture(picNatal_);
  aspectLines_->setObjectName(QStringLiteral("picAspectLines"));
  aspectLines_->setGeometry(QRect(QPoint(0, 0), picNatal_->size()));
  aspectLines_->hide();
  midheaven_ = new MidheavenMark(picNatal_);
  midheaven_->setObjectName(QStringLiteral("picMidheaven"));
  midheaven_->setGeometry(QRect(QPoint(0, 0), picNatal_->size()));

  IMG_ = new SignImageList(this);
  IMG_->setObjectName(QStringLiteral("IMG"));

  // Stacking, bottom to top: house numbers, sign pictures, sign captions,
  // planet lists.
  for (const WheelPlace& place : kWheelPlaces) {
    const int numberIndex = place.house % kSignCount;  // lblNatalPosition(0) carries "12"
    const QString number = QString::number(place.house);
    QLabel* label = MakeLabel(picNatal_, QStringLiteral("lblNatalPosition_%1").arg(numberIndex),
                              number, VerdanaFont(look::points::kHeading));
    label->setAlignment(Qt::AlignCenter);
    // Centred on its designed box, widened where the digits need more room.
    const int designWidth =
        Px(number.size() == 1 ? kHouseNumberWidthOneDigit : kHouseNumberWidthTwoDigits);
    const int width = std::max(designWidth, label->sizeHint().width());
    label->setGeometry(Px(place.houseNumber.left) - (width - designWidth) / 2,
                       Px(place.houseNumber.top), width, Px(kHouseNumberHeight));
    lblNatalPosition_[static_cast<std::size_t>(numberIndex)] = label;
  }

  for (const WheelPlace& place : kWheelPlaces) {
    const auto position = static_cast<std::size_t>(place.house - 1);
    auto* image = new SignImage(picNatal_);
    image->setObjectName(QStringLiteral("imgSign_%1").arg(place.house - 1));
    image->setGeometry(
        TwipsRect(place.signImage.left, place.signImage.top, kSignImageSize, kSignImageSize));
    image->SetPicture(place.designSign + 1);
    imgSign_[position] = image;
  }

  for (const WheelPlace& place : kWheelPlaces) {
    const QString sign = FromUtf8(kSigns[static_cast<std::size_t>(place.designSign)].name);
    QLabel* label = MakeLabel(picNatal_, QStringLiteral("lblNatal") + sign, sign, font());
    look::SetTextColour(*label, kRed);
    label->move(Px(place.signLabel.left), Px(place.signLabel.top));
    label->adjustSize();
    label->resize(label->width(), std::max(label->height(), Px(kSignLabelHeight)));
    signLabels_[static_cast<std::size_t>(place.designSign)] = label;
  }

  for (const WheelPlace& place : kWheelPlaces) {
    const auto position = static_cast<std::size_t>(place.house - 1);
    auto* label = new HouseListLabel(place.house - 1, QStringLiteral("Natal"), picNatal_);
    label->setObjectName(QStringLiteral("lblNatal_%1").arg(place.house - 1));
    label->setFont(font());
    look::SetTextColour(*label, kBlue);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(TwipsRect(place.planetList.left, place.planetList.top, kPlanetListWidth,
                                 kPlanetListHeight));
    label->setAccessibleName(QStringLiteral("House %1").arg(place.house));
    lblNatal_[position] = label;
  }
}

void frmDisplay::BuildReport() {
  Label2_ = MakeLabel(this, QStringLiteral("Label2"), QStringLiteral("Planets in Signs"),
                      VerdanaFont(look::points::kReading, true, true));
  Label2_->setGeometry(TwipsRect(120, 6480, 1575, 210));
  FitWidth(*Label2_);

  RTBHouseDesc_ = new QTextEdit(this);
  RTBHouseDesc_->setObjectName(QStringLiteral("RTBHouseDesc"));
  RTBHouseDesc_->setGeometry(TwipsRect(120, 6720, 10395, 2175));
  RTBHouseDesc_->setReadOnly(true);
  RTBHouseDesc_->setAccessibleName(QStringLiteral("Planets in Signs"));
  RTBHouseDesc_->setAcceptRichText(true);
  RTBHouseDesc_->setFont(VerdanaFont(look::points::kBody));
  RTBHouseDesc_->document()->setDefaultFont(VerdanaFont(look::points::kBody));

  auto* label3 = new look::ClickableLabel(kLabel3Caption + WebAddresses::HomePageText(), this);
  connect(label3, &look::ClickableLabel::clicked, this, &frmDisplay::Label3_Click);
  label3->setObjectName(QStringLiteral("Label3"));
  label3->setTextFormat(Qt::PlainText);
  label3->setFont(VerdanaFont(look::points::kBody, true, true));
  look::SetTextColour(*label3, kBlue);
  label3->setGeometry(TwipsRect(120, 8880, 8370, 195));
  Label3_ = label3;
}

void frmDisplay::ShowSensitivity(const SensitivityView& sensitivity) {
  const auto tooltipOf = [&sensitivity](ChartPoint point) {
    return QString::fromStdString(sensitivity.tooltips[static_cast<std::size_t>(point)]);
  };
  for (std::size_t point = 0; point < lblPlanet_.size(); ++point) {
    lblPlanet_[point]->setToolTip(tooltipOf(static_cast<ChartPoint>(point)));
  }
  lblLagna_->setToolTip(tooltipOf(ChartPoint::Ascendant));
  lblSunSign_->setToolTip(tooltipOf(ChartPoint::Sun));
  lblRashi_->setToolTip(tooltipOf(ChartPoint::Moon));
}

void frmDisplay::SetZoom(double factor) {
  zoom_ = factor;
  scaler_.Apply(factor);
  for (HouseListLabel* list : lblNatal_) {
    list->SetZoom(factor);
  }
}

void frmDisplay::ShowChart(const ChartView& chart, std::span<const StyledRun> report) {
  // The chart is written at the designed size, then scaled with the rest.
  const double zoom = zoom_;
  if (zoom != 1.0) {
    SetZoom(1.0);
  }
  for (std::size_t point = 0; point < lblPlanet_.size(); ++point) {
    lblPlanet_[point]->setText(QString::fromStdString(chart.positions[point]));
  }

  lblRashi_->setText(QString::fromStdString(chart.moonSign));
  if (chart.sunSign) {
    lblSunSign_->setText(QString::fromStdString(*chart.sunSign));
  }
  if (chart.ascendantSign) {
    lblLagna_->setText(QString::fromStdString(*chart.ascendantSign));
  }

  // A name from a file may hold control characters: shown as \x1b, never as boxes.
  look::SetElidedText(*lblName_, QString::fromStdString(Printable(chart.name)));
  lblDOB_->setText(QString::fromStdString(chart.dateOfBirth));
  lblTOB_->setText(QString::fromStdString(chart.timeOfBirth));
  lblLatitude_->setText(QString::fromStdString(chart.latitude));
  lblLongitude_->setText(QString::fromStdString(chart.longitude));
  look::SetElidedText(*lblCity_, QString::fromStdString(chart.city));
  look::SetElidedText(*lblState_, QString::fromStdString(chart.state));
  look::SetElidedText(*lblCountry_, QString::fromStdString(chart.country));
  // The short zone and the birth's UT in the row; the whole in its tooltip,
  // with the zone's warning. A long zone is cut, never the UT after it.
  const QString universal = QString::fromStdString(chart.universalTime);
  const QString ut = QStringLiteral(" = ") + universal.section(QStringLiteral(", "), -1);
  const QString zone = QString::fromStdString(chart.zoneUsedShort);
  const QFontMetrics zoneMetrics(lblZone_->font());
  const int zoneRoom =
      std::max(0, lblZone_->contentsRect().width() - zoneMetrics.horizontalAdvance(ut));
  lblZone_->setText(zoneMetrics.elidedText(zone, Qt::ElideRight, zoneRoom) + ut);
  lblZone_->setAccessibleName(zone + ut);
  const QString warning = chart.zoneWarning.empty()
                              ? QString()
                              : QStringLiteral("\nWarning: ") + FromUtf8(chart.zoneWarning);
  lblZone_->setToolTip(QString::fromStdString(chart.zoneUsed) + QStringLiteral("\nBorn at ") +
                       universal + warning);
  lblZone_->setAccessibleDescription(QString::fromStdString(chart.zoneUsed) +
                                     QStringLiteral("; born at ") + universal + warning);

  for (QLabel* label : signLabels_) {
    label->hide();
  }
  // Each list is laid out inside its own house, as near its designed corner
  // as it fits.
  for (std::size_t position = 0; position < lblNatal_.size(); ++position) {
    lblNatal_[position]->SetHouse(QString::fromStdString(chart.wheel.houseTexts[position]),
                                  chart.wheel.houseEntries[position]);
  }
  if (chart.wheel.pictures) {
    for (std::size_t position = 0; position < imgSign_.size(); ++position) {
      imgSign_[position]->SetPicture((*chart.wheel.pictures)[position]);
    }
  }

  DescribeForAssistiveTechnology(chart);
  points_ = chart.points;
  firstHouseSign_ = chart.points[static_cast<std::size_t>(ChartPoint::Ascendant)].sign;
  const std::optional<PointPosition>& midheaven = chart.extraPoints[ExtraPoint::Midheaven];
  midheaven_->SetMark(midheaven ? std::optional<double>(midheaven->longitude) : std::nullopt,
                      firstHouseSign_);
  wheelPoints_ = {};
  if (firstHouseSign_) {
    const auto texts = WheelPointTexts(chart.extraPoints, *firstHouseSign_);
    for (std::size_t position = 0; position < texts.size(); ++position) {
      for (const std::string& text : texts[position]) {
        wheelPoints_[position].push_back(QString::fromStdString(text));
      }
    }
  }
  ShowWheelPoints();

  ShowReport(report);

  scaler_.Forget();
  if (zoom != 1.0) {
    SetZoom(zoom);
  }
}

void frmDisplay::DescribeForAssistiveTechnology(const ChartView& chart) {
  for (std::size_t point = 0; point < lblPlanet_.size(); ++point) {
    lblPlanet_[point]->setAccessibleName(
        PositionSpeech(kChartPointNames[point], chart.points[point]));
  }
  QStringList houses;
  for (std::size_t position = 0; position < lblNatal_.size(); ++position) {
    // Without pictures of the chart the wheel keeps its designed signs.
    const int picture = chart.wheel.pictures ? (*chart.wheel.pictures)[position]
                                             : wheel::kWheelPlaces[position].designSign + 1;
    const QString sign = picture >= 1 && picture <= kSignCount
                             ? FromUtf8(kSigns[static_cast<std::size_t>(picture - 1)].name)
                             : QString();
    const std::vector<QString> entries = wheel::EntryTexts(chart.wheel.houseEntries[position]);
    const QStringList bodies(entries.begin(), entries.end());
    houses << QStringLiteral("House %1, %2: %3")
                  .arg(position + 1)
                  .arg(sign, bodies.isEmpty() ? QStringLiteral("empty")
                                              : bodies.join(QStringLiteral(", ")));
  }
  picNatal_->setAccessibleDescription(houses.join(QStringLiteral(". ")) + QLatin1Char('.'));
}

void frmDisplay::ShowAspectLines(const std::vector<Aspect>& aspects) {
  aspectLines_->SetLines(aspects, points_, firstHouseSign_);
}

void frmDisplay::SetAspectLinesShown(bool shown) {
  aspectLines_->setVisible(shown);
}

void frmDisplay::SetPointsInWheelShown(bool shown) {
  pointsInWheel_ = shown;
  ShowWheelPoints();
}

void frmDisplay::ShowWheelPoints() {
  for (std::size_t position = 0; position < lblNatal_.size(); ++position) {
    lblNatal_[position]->SetPoints(pointsInWheel_ ? wheelPoints_[position]
                                                  : std::vector<QString>{});
  }
}

void frmDisplay::ShowReport(std::span<const StyledRun> report) {
  RTBHouseDesc_->clear();
  TextEditSink(*RTBHouseDesc_).InsertRuns(report);
  // The box opens on the report's first line.
  RTBHouseDesc_->moveCursor(QTextCursor::Start);
}

QString frmDisplay::ReportPlainText() const {
  return RTBHouseDesc_->toPlainText();
}

void frmDisplay::Label3_Click() {
  links_.OpenHomePage();
}

}  // namespace zodivane::ui
