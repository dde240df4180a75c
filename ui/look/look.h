// SPDX-License-Identifier: GPL-3.0-or-later
// The shared look of the shell's windows: the geometry and colours of
// look_geometry.h, the title and the Verdana typeface.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include "ui/look/look_geometry.h"

class QWidget;

namespace zodivane::ui::look {

/// The program's title on every window: its name and the project's version.
inline const QString kWindowTitle = QStringLiteral("Zodivane v" ZODIVANE_VERSION);

/// What the program does, in the input form and the about box.
inline const QString kDescription = QStringLiteral(
    "Zodivane shows the positions of the planets in the twelve signs in your natal "
    "chart. The distribution of the planets in the different signs play an "
    "important role in interpreting the birth chart of an individual.");

/// The windows' type sizes as designed, in points.
namespace points {
inline constexpr double kBody = 8.25;    ///< labels, boxes, lists, buttons, menus, the report
inline constexpr double kLarge = 9.75;   ///< the results' positions and signs, names, the banner
inline constexpr double kReading = 9;    ///< "Planets in Signs" and the How Sure text
inline constexpr double kNote = 7;       ///< the zone note under the input panel
inline constexpr double kHeading = 12;   ///< the wheel's house numbers, the about box's name
inline constexpr double kTitle = 14.25;  ///< the program's name in the main window
}  // namespace points

/// Verdana at `points` (DejaVu Sans or another sans serif where Verdana is
/// missing); the family is looked up once and each size derived from it.
[[nodiscard]] QFont VerdanaFont(double points, bool bold = false, bool underline = false);

/// The number with its unit as it reads aloud, singular for 1: "1 degree",
/// "14 minutes".
[[nodiscard]] inline QString CountText(int number, const char* unit) {
  return QStringLiteral("%1 %2%3")
      .arg(number)
      .arg(QLatin1String(unit))
      .arg(number == 1 ? QString() : QStringLiteral("s"));
}

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
