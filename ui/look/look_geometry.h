// SPDX-License-Identifier: GPL-3.0-or-later
// Geometry in twips (1/1440 inch), the program's colours and text from the
// core, for the windows and for drawing without widgets (the chart sheet).
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <string_view>

namespace zodivane::ui::look {

/// Twips per logical pixel: 1440 twips to the inch at 96 logical pixels to the inch.
inline constexpr int kTwipsPerPixel = 15;

/// A length in twips as logical pixels, rounded to the nearest pixel.
[[nodiscard]] constexpr int Px(int twips) noexcept {
  return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                    : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

/// A rectangle given as left, top, width, height in twips.
[[nodiscard]] constexpr QRect TwipsRect(int left, int top, int width, int height) noexcept {
  return QRect(Px(left), Px(top), Px(width), Px(height));
}

/// The windows' colours, as red, green, blue.
namespace colours {
inline const QColor kPeach{255, 218, 185};  ///< form backgrounds, boxes, panel labels
inline const QColor kNavy{0, 0, 128};       ///< text in boxes and frame captions
inline const QColor kPanel{0, 0, 64};       ///< the input panel and the main window's client area
inline const QColor kBlue{0, 0, 255};       ///< the input form's description
inline const QColor kRed{255, 0, 0};        ///< the program's name in the main window
inline const QColor kButtonBar{255, 224, 192};  ///< the main window's bottom bar
inline const QColor kWhite{255, 255, 255};
inline const QColor kDetailsText{64, 64, 0};  ///< the person's details
}  // namespace colours

/// Captions the results form and the chart sheet share, used exactly.
namespace captions {
inline constexpr std::string_view kYourDetails = "Your Details";
inline constexpr std::string_view kOtherDetails = "Other Details";
inline constexpr std::string_view kPlanetaryPositions = "Planetary Positions";
inline constexpr std::string_view kDateOfBirth = "Date of Birth :";
inline constexpr std::string_view kTimeOfBirth = "Time of Birth :";
inline constexpr std::string_view kLongitude = "Longitude :";
inline constexpr std::string_view kLatitude = "Latitude   :";
inline constexpr std::string_view kCity = "City :";
inline constexpr std::string_view kState = "State :";
inline constexpr std::string_view kCountry = "Country :";
inline constexpr std::string_view kZone = "Zone :";
inline constexpr std::string_view kAscendant = "Ascendant";
inline constexpr std::string_view kSunSign = "Sun Sign";
inline constexpr std::string_view kMoonSign = "Moon Sign";
}  // namespace captions

/// The program's typeface without a size: Verdana, or DejaVu Sans or
/// another sans serif where Verdana is missing.
[[nodiscard]] inline QFont VerdanaFamily() {
  QFont font(QStringLiteral("Verdana"));
  font.setStyleHint(QFont::SansSerif);
  font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
  return font;
}

/// A UTF-8 text of the core as a QString.
[[nodiscard]] inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace zodivane::ui::look
