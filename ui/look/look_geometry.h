// SPDX-License-Identifier: GPL-3.0-or-later
// Geometry in twips (1/1440 inch), the program's colours and text from the
// core, for the windows and for drawing without widgets (the chart sheet).
#pragma once

#include <QColor>
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
}  // namespace colours

/// A UTF-8 text of the core as a QString.
[[nodiscard]] inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace zodivane::ui::look
