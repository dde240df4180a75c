// SPDX-License-Identifier: GPL-3.0-or-later
// The geometry of the natal wheel picture and the layout of each house's
// list of bodies inside its own house sector. Needs fonts (a QGuiApplication)
// but no widgets, so the results form and the chart sheet share it.
#pragma once

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <array>
#include <vector>

#include "aspects/aspects.h"
#include "chart/wheel.h"
#include "common/vocabulary.h"

class QPainter;
class QColor;

namespace zodivane::ui::wheel {

// Lengths in this header are pixels of the wheel picture (picNatal) at 96
// pixels to the inch, 15 twips each; y grows downwards.

/// The wheel picture's size: 6780 x 6495 twips.
inline constexpr QSizeF kPictureSize{452.0, 433.0};
/// The centre of the wheel drawing (assets/wheel.svg).
inline constexpr QPointF kCentre{226.5, 216.5};
/// Radius of the circle that closes the houses; the ring of sign glyphs and
/// house numbers lies outside it.
inline constexpr double kHouseOuterRadius = 184.0;
/// Radius of the Earth disc at the centre, where the houses begin.
inline constexpr double kHouseInnerRadius = 34.0;
/// Outer radius of the glyph ring.
inline constexpr double kRingOuterRadius = 213.0;
/// Room kept free between a list and any line of the drawing.
inline constexpr double kClearance = 2.0;

/// A point in twips, relative to the wheel picture.
struct TwipPoint {
  int left = 0;  ///< twips from the picture's left edge
  int top = 0;   ///< twips from the picture's top edge
};

/// One wheel position (house `house`, position house - 1): where its
/// controls stand in the picture.
struct WheelPlace {
  int house;              ///< 1 to 12, counted counter-clockwise from the left
  TwipPoint houseNumber;  ///< top left of the house number label
  TwipPoint signImage;    ///< top left of imgSign(house - 1)
  int designSign;         ///< sign index of the design-time caption and picture
  TwipPoint signLabel;    ///< top left of the design-time sign label
  TwipPoint planetList;   ///< top left of lblNatal(house - 1): the list's anchor
};

// The house numbers stand in the sign ring beside their sign's glyph, on the
// counter-clockwise side, so that the number and the glyph never cover each
// other, and clear of the degree ticks on the ring's inner edge.
inline constexpr auto kWheelPlaces = std::to_array<WheelPlace>({
    {1, {585, 4305}, {360, 3720}, 6, {960, 3435}, {960, 3240}},
    {2, {1365, 5370}, {885, 4920}, 7, {1680, 4245}, {1680, 4080}},
    {3, {2670, 6015}, {2040, 5800}, 8, {2520, 4605}, {2535, 4440}},
    {4, {4485, 5850}, {3840, 5975}, 9, {3480, 4725}, {3480, 4560}},
    {5, {5610, 5010}, {5100, 5400}, 10, {4440, 4125}, {4440, 3960}},
    {6, {6270, 3510}, {6060, 4080}, 11, {5040, 3405}, {5055, 3240}},
    {7, {6015, 1860}, {6200, 2400}, 0, {5160, 2325}, {5160, 2160}},
    {8, {5235, 840}, {5640, 1200}, 1, {4680, 1245}, {4695, 1080}},
    {9, {3795, 180}, {4320, 240}, 2, {3480, 645}, {3480, 480}},
    {10, {1980, 420}, {2520, 120}, 3, {2400, 765}, {2400, 600}},
    {11, {915, 1185}, {1320, 720}, 4, {1440, 1365}, {1440, 1200}},
    {12, {300, 2655}, {375, 2040}, 5, {840, 2325}, {840, 2160}},
});
static_assert(kWheelPlaces.size() == kSignCount);

inline constexpr int kHouseNumberWidthOneDigit = 150;   ///< twips
inline constexpr int kHouseNumberWidthTwoDigits = 300;  ///< twips
inline constexpr int kHouseNumberHeight = 270;          ///< twips
inline constexpr int kSignImageSize = 300;              ///< twips, square
inline constexpr int kPlanetListWidth = 435;            ///< twips, design-time
inline constexpr int kPlanetListHeight = 195;           ///< twips, design-time

/// The field of one house: the part of the ring between the Earth disc and
/// the glyph ring that lies between the house's two cusp lines.
struct HouseSector {
  double fromDegrees;  ///< first cusp, counter-clockwise from the right, y up
  double toDegrees;    ///< second cusp, fromDegrees + 30
  /// True when `box` lies inside the sector and at least `clearance` pixels
  /// away from both cusp lines, the Earth disc and the glyph ring.
  [[nodiscard]] bool Holds(const QRectF& box, double clearance) const noexcept;
};

/// The sector of wheel position `position` (0 to 11; house position + 1).
/// House 1 lies just below the left horizon; houses follow counter-clockwise.
[[nodiscard]] HouseSector SectorOf(int position) noexcept;

/// One entry of a house list as it is drawn.
struct PlacedEntry {
  QString text;      ///< the entry as drawn, without trailing blanks ("Mercury (R)")
  QPointF baseline;  ///< where the text's baseline starts, picture pixels
  QRectF box;        ///< the text's box: its advance by its ascent plus descent
};

/// A house list laid out inside its sector.
struct HouseListLayout {
  QFont font;                        ///< the type the entries are drawn in
  std::vector<PlacedEntry> entries;  ///< in the order of the house text
  QRectF bounds;                     ///< the union of the entries' boxes
  int columns = 1;                   ///< 1 or 2
};

/// The entries of a house as they are drawn ("Mercury (R)"), in order.
[[nodiscard]] std::vector<QString> EntryTexts(const WheelEntries& entries);

/// The wheel drawing, a resource compiled into the program.
inline const QString kWheelArtwork = QStringLiteral(":/assets/wheel.svg");

/// The drawing of sign picture `picture` (1 Aries .. 12 Pisces); empty for
/// any other number.
[[nodiscard]] QString SignArtwork(int picture);

/// Lays out the list of wheel position `position` from its `entries` in
/// `baseFont` (its pixel size is the largest used). The list keeps its
/// designed anchor (the lblNatal corner, its text starting one line below
/// it) wherever it fits there; otherwise it moves the least distance that
/// makes it fit, and where it does not fit at all at full size it takes a
/// tighter line spacing, a second column, condensed type and only then
/// smaller type, one pixel at a time. Every list a sky can give fits in 10
/// pixels or more (in 9, "Saturn" reads as "Satum"); the impossible fullest
/// list goes down to 8. Every entry's box then lies inside the house's
/// sector, clear of its lines (HouseSector::Holds with kClearance), for up
/// to eight entries.
[[nodiscard]] HouseListLayout LayOutHouseList(int position, const std::vector<QString>& entries,
                                              const QFont& baseFont);

/// Draws `layout` with `painter` in `colour`; the painter's coordinates are
/// picture pixels.
void PaintHouseList(QPainter& painter, const HouseListLayout& layout, const QColor& colour);

/// Where `longitude` (degrees) stands on the ring of `radius` in a wheel
/// turned so that the sign `firstHouseSign` (0 Aries .. 11 Pisces) is house 1.
[[nodiscard]] QPointF WheelPointOf(double longitude, int firstHouseSign, double radius) noexcept;

/// Draws the wheel's artwork (kWheelArtwork) over the whole picture; the
/// painter's coordinates are picture pixels.
void PaintWheelArtwork(QPainter& painter);

/// Draws over the artwork what the results form lays on it: each house's
/// sign glyph (the designed signs when `view` has no pictures), its number
/// in `numberFont` and `numberColour` and its list of bodies laid out in
/// `listFont` (LayOutHouseList) in `listColour`; the painter's coordinates
/// are picture pixels.
void PaintWheelMarks(QPainter& painter, const WheelView& view, const QFont& numberFont,
                     const QFont& listFont, const QColor& numberColour, const QColor& listColour);

/// Radius of the disc the aspect lines cross, in the results form and on
/// the sheets alike: laid over the Earth and the middle of the houses, clear
/// of the house lists at their designed places.
inline constexpr double kAspectRingRadius = 64.0;

/// Draws the aspect lines between the points' exact degrees on the ring of
/// `radius`, with a small mark at each point's degree; the painter's
/// coordinates are picture pixels. Hard aspects are red, soft ones blue,
/// conjunctions green, the minor ones grey.
void PaintAspectLines(QPainter& painter, const std::vector<Aspect>& aspects,
                      const PointPositions& points, int firstHouseSign,
                      double radius = kAspectRingRadius);

/// Draws the disc of kAspectRingRadius over the wheel's middle, edged in the
/// drawing's brown, and the aspect lines across it (PaintAspectLines).
void PaintAspectDisc(QPainter& painter, const std::vector<Aspect>& aspects,
                     const PointPositions& points, int firstHouseSign);

}  // namespace zodivane::ui::wheel
