// SPDX-License-Identifier: GPL-3.0-or-later
// The results form: its design-time layout and captions, ShowChart writing a
// cast chart into every label, picture and the report box, and the web link.
#include <gtest/gtest.h>
#include <array>

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "chart/chart_driver.h"
#include "common/vocabulary.h"
#include "report/report_sinks.h"
#include "tests/support/sample_entries.h"
#include "tests/support/wheel_houses.h"
#include "tests/ui/support/fakes.h"
#include "ui/platform/web_links.h"
#include "ui/sheet/wheel_layout.h"
#include "ui/windows/frm_display.h"
#include "ui/windows/house_list_label.h"
#include "ui/windows/wheel_pictures.h"

namespace zodivane::ui {
namespace {

/// The plain text a rich-text box shows for `text`: one "\n" per CR LF.
QString BoxText(const std::string& text) {
  return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

using zodivane::test::London1985Entries;
using zodivane::test::Marked;
using zodivane::test::Plain;

/// A hand-made view with every text known in advance and the wheel turned to
/// Sagittarius: the Sun and retrograde Mercury share Pisces, house 4.
ChartView HandMadeView() {
  ChartView view;
  view.positions = {"14 Pis 32", "27 Sco 05", "02 Pis 48", "29 Aqu 11", "19 Leo 40", "07 Lib 55",
                    "25 Vir 03", "24 Sco 17", "22 Sag 09", "21 Lib 36", "11 Sag 20"};
  view.moonSign = "Scorpio";
  view.sunSign = "Pisces";
  view.ascendantSign = "Sagittarius";
  view.name = "JANE DOE";
  view.dateOfBirth = "March/5/1980";
  view.timeOfBirth = "7:5";
  view.birthClock = {1980, 3, 5, 7, 5, 0};
  view.latitude = "28\xC2\xB0 38' N";
  view.longitude = "77\xC2\xB0 12' E";
  view.city = "New Delhi";
  view.state = "Delhi";
  view.country = "India";
  view.zoneUsed = "Indian Time (IST), UT+5:30";
  view.zoneUsedShort = "IST, UT+5:30";
  view.universalTime = "5 March 1980, 01:35 UT";
  SignEntries lists{};
  lists[11] = {Plain(ChartPoint::Sun), Marked(ChartPoint::Mercury)};
  lists[7] = {Plain(ChartPoint::Moon)};
  lists[10] = {Plain(ChartPoint::Venus)};
  lists[4] = {Plain(ChartPoint::Mars)};
  lists[6] = {Plain(ChartPoint::Jupiter)};
  lists[5] = {Plain(ChartPoint::Saturn)};
  lists[8] = {Plain(ChartPoint::Ascendant)};
  std::array<int, kSignCount> pictures{};
  for (int k = 0; k < kSignCount; ++k) {
    test::SetHouse(view.wheel, k, lists[static_cast<std::size_t>((8 + k) % 12)]);
    pictures[static_cast<std::size_t>(k)] = (8 + k) % 12 + 1;
  }
  view.wheel.pictures = pictures;
  return view;
}

class ResultsForm : public ::testing::Test {
 protected:
  template <typename Widget = QLabel>
  Widget* Find(const QString& name) {
    auto* widget = form.findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
  }
  QLabel* Label(const QString& name) { return Find<QLabel>(name); }
  int Picture(int position) {
    return Find<QWidget>(QStringLiteral("imgSign_%1").arg(position))->property("picture").toInt();
  }
  QTextEdit* Report() { return Find<QTextEdit>(QStringLiteral("RTBHouseDesc")); }

  /// Every label's text and visibility, and the report's text.
  QStringList Snapshot() {
    QStringList state;
    for (const QLabel* label : form.findChildren<QLabel*>()) {
      state << label->objectName() + '=' + label->text() + (label->isVisibleTo(&form) ? "" : "!");
    }
    state << Report()->toPlainText();
    return state;
  }

  testing::FakeWebBrowser browser;
  WebLinks links{browser};
  frmDisplay form{links};
};

// Window and controls as laid out in twips; 15 twips make one pixel, rounded
// to the nearest pixel.
TEST_F(ResultsForm, ControlsStandWhereTheLayoutPutsThem) {
  EXPECT_EQ(form.size(), QSize(881, 621));  // 13215 x 9315 twips
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Zodivane v1.25"));
  struct Place {
    const char* name;
    QRect pixels;
  };
  const auto places = std::to_array<Place>({
      {"fraDetails", {8, 0, 233, 241}},      // 120, 0, 3490, 3615
      {"fraVedic", {8, 244, 237, 187}},      // 120, 3660, 3555, 2805
      {"fraWestern", {704, 3, 173, 588}},    // 10560, 40, 2595, 8815
      {"RTBHouseDesc", {8, 448, 693, 145}},  // 120, 6720, 10395, 2175
      {"picNatal", {248, 8, 452, 433}},      // 3720, 120, 6780, 6495
      {"Label3", {8, 592, 558, 13}},         // 120, 8880, 8370, 195
      {"lblName", {8, 16, 219, 16}},         // 120, 240, 3285, 240
      {"lblDOB", {96, 40, 137, 13}},         // 1440, 600, 2055, 195
      {"lblTOB", {96, 64, 137, 13}},         // 1440, 960
      {"lblCountry", {96, 208, 137, 13}},    // 1440, 3120
      {"Label1", {48, 32, 140, 18}},         // 720, 480, 2100, 270
      {"lblRashi", {48, 152, 140, 18}},      // 720, 2280
      {"PlanetName_0", {8, 20, 76, 19}},     // 120, 300, 1140, 285
      {"lblPlanet_0", {88, 20, 77, 19}},     // 1320, 300, 1155, 285
      {"PlanetName_10", {8, 552, 76, 19}},   // 120, 8280
      {"lblPlanet_10", {88, 552, 77, 19}},   // 1320, 8280
      {"imgSign_0", {24, 248, 20, 20}},      // 360, 3720, 300, 300
      {"imgSign_2", {136, 387, 20, 20}},     // 2040, 5800
      {"imgSign_11", {25, 136, 20, 20}},     // 375, 2040
      {"lblNatal_0", {64, 216, 29, 13}},     // 960, 3240, 435, 195
      {"lblNatal_2", {169, 296, 29, 13}},    // 2535, 4440
      {"lblNatal_11", {56, 144, 29, 13}},    // 840, 2160
  });
  for (const Place& place : places) {
    SCOPED_TRACE(place.name);
    const QWidget* widget = Find<QWidget>(QString::fromLatin1(place.name));
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), place.pixels);
  }
  for (int row = 0; row < kChartPointCount; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(Label(QStringLiteral("lblPlanet_%1").arg(row))->pos(),
              QPoint(88, (300 + 798 * row + 7) / 15));
  }
  // Captions and labels of the wheel sit inside the picture.
  EXPECT_EQ(Label(QStringLiteral("lblNatalAries"))->pos(), QPoint(344, 155));  // 5160, 2325
  EXPECT_EQ(Label(QStringLiteral("lblNatalAries"))->parentWidget()->objectName(), "picNatal");
}

// The house numbers stand beside the sign glyphs in the wheel's ring: no
// number covers a glyph, and all of them lie inside the picture.
TEST_F(ResultsForm, HouseNumbersAndSignGlyphsDoNotCoverEachOther) {
  const QRect picture(QPoint(0, 0), Find<QWidget>(QStringLiteral("picNatal"))->size());
  for (int number = 0; number < kSignCount; ++number) {
    const QLabel* label = Label(QStringLiteral("lblNatalPosition_%1").arg(number));
    SCOPED_TRACE(label->text().toStdString());
    EXPECT_TRUE(picture.contains(label->geometry()));
    EXPECT_GE(label->width(), label->sizeHint().width());
    for (int position = 0; position < kSignCount; ++position) {
      const QWidget* image = Find<QWidget>(QStringLiteral("imgSign_%1").arg(position));
      EXPECT_FALSE(label->geometry().intersects(image->geometry())) << "imgSign_" << position;
    }
  }
}

TEST_F(ResultsForm, DesignTimeCaptions) {
  struct Caption {
    const char* name;
    const char* text;
  };
  const auto captions = std::to_array<Caption>({
      {"Label4", "Date of Birth :"},  {"Label14", "Time of Birth :"}, {"Label5", "Longitude :"},
      {"Label9", "Latitude   :"},  // three blanks before the colon
      {"Label6", "City :"},           {"Label12", "State :"},         {"Label7", "Country :"},
      {"Label1", "Ascendant"},        {"Label10", "Sun Sign"},        {"Label17", "Moon Sign"},
      {"Label2", "Planets in Signs"}, {"lblName", "LblName"},         {"lblDOB", "lblDOB"},
      {"lblLatitude", "lblLatitude"}, {"lblLagna", "lblLagna"},       {"lblSunSign", "lblSunSign"},
      {"lblRashi", "lblRashi"},       {"lblNatal_0", "Natal"},        {"lblNatal_11", "Natal"},
      {"lblNatalLibra", "Libra"},     {"lblNatalPisces", "Pisces"},   {"lblNatalPosition_1", "1"},
      {"lblNatalPosition_0", "12"},
  });
  for (const Caption& caption : captions) {
    SCOPED_TRACE(caption.name);
    EXPECT_EQ(Label(QString::fromLatin1(caption.name))->text(), QString::fromUtf8(caption.text));
  }
  const auto names =
      std::to_array<const char*>({"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn",
                                  "Uranus", "Neptune", "Pluto", "Asc"});
  for (int row = 0; row < kChartPointCount; ++row) {
    EXPECT_EQ(Label(QStringLiteral("PlanetName_%1").arg(row))->text(), QString(names[row]));
  }
  EXPECT_EQ(
      Label(QStringLiteral("Label3"))->text(),
      "For more detailed analysis of your planets in signs Visit " + WebAddresses::HomePageText());
  EXPECT_EQ(Find<QGroupBox>(QStringLiteral("fraDetails"))->title(), "Your Details");
  EXPECT_EQ(Find<QGroupBox>(QStringLiteral("fraVedic"))->title(), "Other Details");
  EXPECT_EQ(Find<QGroupBox>(QStringLiteral("fraWestern"))->title(), "Planetary Positions");

  // The wheel as designed: Libra at house 1, every sign caption shown.
  for (int position = 0; position < kSignCount; ++position) {
    EXPECT_EQ(Picture(position), (6 + position) % 12 + 1) << position;
  }
  for (const Sign& sign : kSigns) {
    EXPECT_TRUE(Label("lblNatal" + QString::fromUtf8(sign.name.data()))->isVisibleTo(&form));
  }
  EXPECT_TRUE(Report()->toPlainText().isEmpty());
  EXPECT_TRUE(Report()->isReadOnly());
}

TEST_F(ResultsForm, ColoursAndFonts) {
  EXPECT_EQ(form.palette().color(QPalette::Window), QColor(255, 218, 185));
  EXPECT_EQ(Label(QStringLiteral("lblDOB"))->palette().color(QPalette::WindowText),
            QColor(64, 64, 0));
  EXPECT_EQ(Label(QStringLiteral("lblNatalAries"))->palette().color(QPalette::WindowText),
            QColor(255, 0, 0));
  EXPECT_EQ(Label(QStringLiteral("lblNatal_6"))->palette().color(QPalette::WindowText),
            QColor(0, 0, 255));
  const QLabel* link = Label(QStringLiteral("Label3"));
  EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_TRUE(link->font().bold());
  EXPECT_TRUE(link->font().underline());

  // Bold where the layout says so, and the size in points.
  struct Look {
    const char* name;
    bool bold;
    double points;
  };
  const auto looks = std::to_array<Look>({
      {"lblName", true, 9.75},
      {"Label4", false, 8.25},
      {"lblDOB", true, 8.25},
      {"Label1", true, 9.75},
      {"lblLagna", false, 9.75},
      {"PlanetName_10", true, 9.75},
      {"lblPlanet_10", false, 9.75},
      {"Label2", true, 9},
      {"lblNatalPosition_5", false, 12},
      {"lblNatal_3", false, 8.25},
  });
  for (const Look& look : looks) {
    SCOPED_TRACE(look.name);
    const QFont font = Label(QString::fromLatin1(look.name))->font();
    EXPECT_EQ(font.bold(), look.bold);
    EXPECT_DOUBLE_EQ(font.pointSizeF(), look.points);
  }
}

TEST_F(ResultsForm, ShowChartWritesAHandMadeViewAsItIs) {
  const ChartView view = HandMadeView();
  form.ShowChart(view, {});

  EXPECT_EQ(Label(QStringLiteral("lblPlanet_0"))->text(), "14 Pis 32");
  EXPECT_EQ(Label(QStringLiteral("lblPlanet_10"))->text(), "11 Sag 20");
  EXPECT_EQ(Label(QStringLiteral("lblLagna"))->text(), "Sagittarius");
  EXPECT_EQ(Label(QStringLiteral("lblSunSign"))->text(), "Pisces");
  EXPECT_EQ(Label(QStringLiteral("lblRashi"))->text(), "Scorpio");
  EXPECT_EQ(Label(QStringLiteral("lblLatitude"))->text(), QString::fromUtf8("28° 38' N"));
  EXPECT_EQ(Label(QStringLiteral("lblLongitude"))->text(), QString::fromUtf8("77° 12' E"));
  EXPECT_EQ(Label(QStringLiteral("lblTOB"))->text(), "7:5");
  // Under the details: the zone used and the UT of birth, whole for a screen reader.
  EXPECT_EQ(Label(QStringLiteral("lblZone"))->text(), "IST, UT+5:30 = 01:35 UT");
  EXPECT_EQ(Label(QStringLiteral("lblZone"))->accessibleDescription(),
            "Indian Time (IST), UT+5:30; born at 5 March 1980, 01:35 UT");
  // House 1 holds Sagittarius with "Asc"; house 4 Pisces with two lines.
  EXPECT_EQ(Label(QStringLiteral("lblNatal_0"))->text(), "\r\nAsc");
  EXPECT_EQ(Label(QStringLiteral("lblNatal_3"))->text(), "\r\nSun\r\nMercury (R) ");
  EXPECT_EQ(Label(QStringLiteral("lblNatal_1"))->text(), "");
  EXPECT_EQ(Picture(0), 9);
  EXPECT_EQ(Picture(3), 12);
  EXPECT_EQ(Picture(4), 1);
}

// A name from a chart file may hold control characters (the name box's key
// filter never saw it): the label shows them as characters to read, each one
// the font has, never as boxes or as a broken line.
TEST_F(ResultsForm, ANameWithControlCharactersShowsThemReadably) {
  ChartView view = HandMadeView();
  view.name = std::string("A\x1b[2JB\x07") + '\0' + "C\xe2\x80\xa8" + "D";
  form.ShowChart(view, {});
  const QLabel* name = Label(QStringLiteral("lblName"));
  EXPECT_EQ(name->text(), QStringLiteral("A\\x1b[2JB\\x07\\x00C\\u2028D"));
  const QFontMetrics metrics(name->font());
  for (const QChar character : name->text()) {
    SCOPED_TRACE(static_cast<int>(character.unicode()));
    EXPECT_TRUE(character.isPrint());
    EXPECT_TRUE(metrics.inFont(character));
  }
}

// The zone line keeps the birth's UT whole however long the zone is: the
// zone is cut before " = ", never the UT after it. The whole line is read
// by a screen reader, and the tooltip adds the zone's warning.
TEST_F(ResultsForm, TheZoneLineIsNeverCutBeforeItsUniversalTime) {
  struct Case {
    const char* zone;
    const char* universal;
    const char* ut;
  };
  const std::vector<Case> cases = {
      {"IST, UT+5:30", "5 March 1980, 01:35 UT", " = 01:35 UT"},
      {"LMT with DST, UT+1:19:32", "1 July 1930, 10:40:28 UT", " = 10:40:28 UT"},
      {"America/Argentina/ComodRivadavia with DST, UT-2:00", "5 March 1980, 09:05 UT",
       " = 09:05 UT"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zone);
    ChartView view = HandMadeView();
    view.zoneUsedShort = c.zone;
    view.universalTime = c.universal;
    view.zoneWarning =
        "The form gives UT+12:00; Sydney on 15 January 2000 at 12:00 is UT+11:00 "
        "(AEDT): the chart would be 1 hour off";
    frmDisplay shown{links};
    shown.ShowChart(view, {});
    const auto* zone = shown.findChild<QLabel*>(QStringLiteral("lblZone"));
    ASSERT_NE(zone, nullptr);
    const QString text = zone->text();
    EXPECT_TRUE(text.endsWith(QString::fromLatin1(c.ut))) << text.toStdString();
    const QString zonePart = text.chopped(static_cast<qsizetype>(std::strlen(c.ut)));
    EXPECT_TRUE(zonePart == QString::fromLatin1(c.zone) ||
                (zonePart.endsWith(QChar(0x2026)) &&
                 QString::fromLatin1(c.zone).startsWith(zonePart.chopped(1))))
        << zonePart.toStdString();
    EXPECT_LE(zone->fontMetrics().horizontalAdvance(text), zone->contentsRect().width());
    EXPECT_EQ(zone->accessibleName(), QString::fromLatin1(c.zone) + QString::fromLatin1(c.ut));
    EXPECT_TRUE(zone->toolTip().endsWith(QStringLiteral("\nWarning: ") +
                                         QString::fromStdString(view.zoneWarning)));
  }
}

// Long names and places stay inside their frames: cut with "…" at the
// label's width, whole in the tooltip and for assistive technology; the
// labels keep their places and sizes.
TEST_F(ResultsForm, LongDetailsEndInAnEllipsisInsideTheirFrames) {
  ChartView view = HandMadeView();
  view.name = "MARIA GUADALUPE DE LOS ANGELES HERNANDEZ DE LA SANTISIMA TRINIDAD";
  view.city = "Thiruvananthapuram City";
  view.state = "Tamil Nadu";
  view.country = "United States of America";
  form.ShowChart(view, {});

  struct Row {
    const char* label;
    std::string whole;
    QRect place;  // pixels in fraDetails
  };
  for (const Row& row : {Row{"lblName", view.name, QRect(8, 16, 219, 16)},
                         Row{"lblCity", view.city, QRect(96, 152, 137, 13)},
                         Row{"lblCountry", view.country, QRect(96, 208, 137, 13)}}) {
    SCOPED_TRACE(row.label);
    const QLabel* label = Label(QString::fromLatin1(row.label));
    const QString whole = QString::fromStdString(row.whole);
    EXPECT_EQ(label->geometry(), row.place);
    EXPECT_TRUE(label->text().endsWith(QChar(0x2026))) << label->text().toStdString();
    EXPECT_TRUE(whole.startsWith(label->text().chopped(1)));
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width());
    EXPECT_EQ(label->toolTip(), whole);
    EXPECT_EQ(label->accessibleName(), whole);
  }
  // A value that fits shows whole, without a tooltip.
  const QLabel* state = Label(QStringLiteral("lblState"));
  EXPECT_EQ(state->text(), "Tamil Nadu");
  EXPECT_EQ(state->toolTip(), QString());
  EXPECT_EQ(state->accessibleName(), "Tamil Nadu");
}

// A list label keeps its house text and covers the lines it draws, which
// stay inside house 1 below the horizon.
TEST_F(ResultsForm, ListLabelsKeepTheirTextAndCoverTheirLines) {
  ChartView view = HandMadeView();
  test::SetHouse(view.wheel, 0,
                 {Plain(ChartPoint::Sun), Plain(ChartPoint::Moon), Marked(ChartPoint::Mercury),
                  Plain(ChartPoint::Venus), Plain(ChartPoint::Ascendant)});
  form.ShowChart(view, {});
  const auto* list = form.findChild<HouseListLabel*>(QStringLiteral("lblNatal_0"));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->text(), "\r\nSun\r\nMoon\r\nMercury (R) \r\nVenus\r\nAsc");
  ASSERT_TRUE(list->Layout().has_value());
  EXPECT_EQ(list->Layout()->entries.size(), 5U);
  EXPECT_TRUE(QRectF(list->geometry()).contains(list->Layout()->bounds));
  EXPECT_GT(list->y(), 216);  // below the horizon, the line between houses 12 and 1
  EXPECT_EQ(list->parentWidget()->objectName(), "picNatal");
}

TEST_F(ResultsForm, MissingSignsAndPicturesKeepTheDesign) {
  ChartView view = HandMadeView();
  view.sunSign.reset();
  view.ascendantSign.reset();
  view.wheel.pictures.reset();
  form.ShowChart(view, {});
  EXPECT_EQ(Label(QStringLiteral("lblSunSign"))->text(), "lblSunSign");
  EXPECT_EQ(Label(QStringLiteral("lblLagna"))->text(), "lblLagna");
  EXPECT_EQ(Label(QStringLiteral("lblRashi"))->text(), "Scorpio");
  for (int position = 0; position < kSignCount; ++position) {
    EXPECT_EQ(Picture(position), (6 + position) % 12 + 1) << position;
  }
  EXPECT_EQ(Label(QStringLiteral("lblNatal_0"))->text(), "\r\nAsc");
}

class ResultsFormWithACastChart : public ResultsForm {
 protected:
  void SetUp() override {
    CastResult result = session.CastChart(London1985Entries());
    ASSERT_TRUE(std::holds_alternative<ChartView>(result))
        << std::get<Rejection>(result).notice.message;
    view = std::get<ChartView>(std::move(result));
    session.WritePlanetInSignReport(report);
    form.ShowChart(view, report.Runs());
  }
  ChartSession session;
  ChartView view;
  StyledRunRecorder report;
};

TEST_F(ResultsFormWithACastChart, EveryLabelShowsTheChart) {
  for (int row = 0; row < kChartPointCount; ++row) {
    SCOPED_TRACE(row);
    const QLabel* value = Label(QStringLiteral("lblPlanet_%1").arg(row));
    EXPECT_EQ(value->text().toStdString(), view.positions[static_cast<std::size_t>(row)]);
    EXPECT_FALSE(value->text().isEmpty());
  }
  EXPECT_EQ(Label(QStringLiteral("PlanetName_10"))->text(), "Asc");
  EXPECT_EQ(Label(QStringLiteral("lblRashi"))->text().toStdString(), view.moonSign);
  ASSERT_TRUE(view.sunSign && view.ascendantSign);
  EXPECT_EQ(Label(QStringLiteral("lblSunSign"))->text().toStdString(), *view.sunSign);
  EXPECT_EQ(Label(QStringLiteral("lblLagna"))->text().toStdString(), *view.ascendantSign);
  const auto details = std::to_array<std::pair<const char*, const std::string*>>({
      {"lblName", &view.name},
      {"lblDOB", &view.dateOfBirth},
      {"lblTOB", &view.timeOfBirth},
      {"lblLatitude", &view.latitude},
      {"lblLongitude", &view.longitude},
      {"lblCity", &view.city},
      {"lblState", &view.state},
      {"lblCountry", &view.country},
  });
  for (const auto& [name, text] : details) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Label(QString::fromLatin1(name))->text(), QString::fromStdString(*text));
  }
  EXPECT_EQ(Label(QStringLiteral("lblName"))->text(), "JANE DOE");
  EXPECT_EQ(Label(QStringLiteral("lblCity"))->text(), "London");
}

TEST_F(ResultsFormWithACastChart, TheWheelIsTurnedToTheAscendant) {
  const std::optional<int> ascendant =
      SignIndexFromAbbreviation(SignCharactersOf(view.positions[10]));
  ASSERT_TRUE(ascendant.has_value());
  int bodies = 0;
  for (int position = 0; position < kSignCount; ++position) {
    SCOPED_TRACE(position);
    const QString text = Label(QStringLiteral("lblNatal_%1").arg(position))->text();
    EXPECT_EQ(text.toStdString(), view.wheel.houseTexts[static_cast<std::size_t>(position)]);
    EXPECT_EQ(Picture(position), (*ascendant + position) % kSignCount + 1);
    bodies += static_cast<int>(text.count(QStringLiteral("\r\n")));
  }
  // House 1 holds the Ascendant; seven bodies and "Asc", each once.
  EXPECT_TRUE(Label(QStringLiteral("lblNatal_0"))->text().endsWith(QStringLiteral("\r\nAsc")));
  EXPECT_EQ(bodies, 8);
  for (const Sign& sign : kSigns) {
    EXPECT_FALSE(Label("lblNatal" + QString::fromUtf8(sign.name.data()))->isVisibleTo(&form))
        << sign.name;
  }
  // The house numbers stay as designed.
  EXPECT_EQ(Label(QStringLiteral("lblNatalPosition_1"))->text(), "1");
}

// The Midheaven's degree is marked across the ring of sign glyphs
// and nowhere inside the houses.
TEST_F(ResultsFormWithACastChart, TheMidheavenIsMarkedOnTheRim) {
  const std::optional<PointPosition>& midheaven = view.extraPoints[ExtraPoint::Midheaven];
  ASSERT_TRUE(midheaven.has_value());
  auto* mark = Find<MidheavenMark>(QStringLiteral("picMidheaven"));
  EXPECT_EQ(mark->longitude(), midheaven->longitude);
  const std::optional<int> firstHouseSign =
      view.points[static_cast<std::size_t>(ChartPoint::Ascendant)].sign;
  ASSERT_TRUE(firstHouseSign.has_value());
  QImage image(mark->size(), QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  mark->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
  const QPointF onRing =
      wheel::WheelPointOf(midheaven->longitude, *firstHouseSign,
                          (wheel::kHouseOuterRadius + wheel::kRingOuterRadius) / 2.0);
  EXPECT_GT(image.pixelColor(onRing.toPoint()).alpha(), 0);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y).alpha() > 0) {
        ASSERT_GT(std::hypot(x + 0.5 - wheel::kCentre.x(), y + 0.5 - wheel::kCentre.y()),
                  wheel::kHouseOuterRadius - 2.0)
            << x << "," << y;
      }
    }
  }
}

TEST_F(ResultsFormWithACastChart, TheReportIsWrittenOnceWithItsStyles) {
  ASSERT_FALSE(report.Runs().empty());
  std::string text;
  for (const StyledRun& run : report.Runs()) {
    text += run.text;
  }
  EXPECT_EQ(form.ReportPlainText(), BoxText(text));

  // Each run's first character carries the run's bold attribute and colour.
  QTextDocument* document = Report()->document();
  int position = 0;
  for (const StyledRun& run : report.Runs()) {
    const QString text = BoxText(run.text);
    const qsizetype first = text.indexOf(QRegularExpression(QStringLiteral("[^\\n]")));
    if (first >= 0) {
      QTextCursor cursor(document);
      cursor.setPosition(position + static_cast<int>(first) + 1);
      const QTextCharFormat format = cursor.charFormat();
      SCOPED_TRACE(run.text);
      EXPECT_EQ(format.fontWeight() == QFont::Bold, run.bold);
      EXPECT_EQ(format.foreground().color(),
                QColor(run.colour.red, run.colour.green, run.colour.blue));
    }
    position += static_cast<int>(text.size());
  }
}

TEST_F(ResultsFormWithACastChart, Label3ClickOpensTheHomePageOnceAndChangesNothing) {
  const QStringList before = Snapshot();
  QTest::mouseClick(Label(QStringLiteral("Label3")), Qt::LeftButton);
  ASSERT_EQ(browser.opened.size(), 1U);
  EXPECT_EQ(browser.opened.front(), WebAddresses::HomePage());
  EXPECT_EQ(Snapshot(), before);
  // A click on any other label opens nothing.
  QTest::mouseClick(Label(QStringLiteral("Label2")), Qt::LeftButton);
  QTest::mouseClick(Label(QStringLiteral("lblName")), Qt::LeftButton);
  EXPECT_EQ(browser.opened.size(), 1U);
}

}  // namespace
}  // namespace zodivane::ui
