// SPDX-License-Identifier: GPL-3.0-or-later
// Window geometry in twips (1/1440 inch) and the shared look of the
// shell's windows: colours and the Verdana typeface.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QWidget;

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

/// The program's title on every window: its name and the project's version.
inline const QString kWindowTitle = QStringLiteral("Zodivane v" ZODIVANE_VERSION);

/// Verdana at `points` (DejaVu Sans or another sans serif where Verdana is missing).
[[nodiscard]] QFont VerdanaFont(double points, bool bold = false, bool underline = false);

/// Moves the top-level `window` so that its frame stands in the middle of
/// the free area of its screen (the primary screen when it has none yet).
void CentreOnScreen(QWidget& window);

/// Paints `widget`'s own background in `colour`.
void SetBackground(QWidget& widget, const QColor& colour);

/// Sets the colour of `widget`'s text (labels, captions, check and option buttons).
void SetTextColour(QWidget& widget, const QColor& colour);

/// Sets both for an input control: text boxes and drop-down lists.
void SetBoxColours(QWidget& widget, const QColor& background, const QColor& text);

}  // namespace zodivane::ui::look
