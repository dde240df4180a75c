// SPDX-License-Identifier: GPL-3.0-or-later
// The bi-wheel: a natal wheel inside, as the results form draws it, and a
// second set of bodies (the sky of another moment, another person's chart)
// on a ring around it at their own degrees, with the aspects between the two
// sets as lines across a disc in the middle. Drawn with a QPainter on any
// device; needs fonts (a QGuiApplication) but no widgets, so the windows and
// the sheets share it.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QTransform>

#include <cstddef>
#include <vector>

#include "aspects/aspects.h"
#include "chart/chart_driver.h"
#include "common/vocabulary.h"
#include "ephemeris/sky_at.h"

class QPainter;

namespace zodivane::ui {

/// One body of the outer ring.
struct OuterBody {
  double longitude = 0;     ///< ecliptic longitude, degrees
  bool retrograde = false;  ///< marked with "℞" beside its degree
  QString label;            ///< what the ring shows: a glyph (BodyGlyph) or a short name
  QString name;             ///< what it is called in words: "Sun"
};

/// What the bi-wheel shows.
struct BiWheelView {
  /// The inner chart: its wheel (signs, house numbers and lists as the
  /// results form draws them) and its points, where the lines end.
  ChartView inner;
  /// The outer bodies, in any order.
  std::vector<OuterBody> outer;
  /// The aspects drawn as lines: `first` indexes `outer`, `second` the
  /// inner chart's points (ChartPoint order). Lines with an index out of
  /// range are left out.
  std::vector<CrossAspect> lines;
  /// Draw the lines (and the disc they stand on); off leaves the inner
  /// wheel as the results form shows it.
  bool showLines = true;
  /// The colour of the outer bodies.
  QColor outerColour{128, 0, 96};
};

/// The glyph of a body of the sky or the Ascendant ("☉" for the Sun, "Asc").
[[nodiscard]] QString BodyGlyph(ChartPoint point);

/// The outer ring's bodies from the sky: the ten bodies in ChartPoint order,
/// each with its glyph, its name and a retrograde mark while its daily
/// motion is negative.
[[nodiscard]] std::vector<OuterBody> OuterBodiesOfSky(const Sky& sky);

/// The outer ring's bodies from another chart: its eleven points in
/// ChartPoint order, retrograde as the chart marks them.
[[nodiscard]] std::vector<OuterBody> OuterBodiesOfChart(const PointPositions& points);

namespace biwheel {

// Lengths are pixels of the natal wheel picture (wheel::kPictureSize); the
// bi-wheel is drawn around the picture's centre (wheel::kCentre).

/// Radius where the outer ring begins: the natal wheel's outer edge.
inline constexpr double kRingInnerRadius = 213.0;
/// Radius of the outer ring's edge.
inline constexpr double kRingOuterRadius = 266.0;
/// Radius of the middle of a body's glyph, where the ring has room for it.
inline constexpr double kGlyphRadius = 233.0;
/// Radius of the middle of a body's degree, where the ring has room for it.
inline constexpr double kDegreeRadius = 254.0;
/// Length of the mark at a body's degree, from the ring's inner edge.
inline constexpr double kMarkLength = 5.0;
/// Room kept free around a label's ink.
inline constexpr double kLabelClearance = 1.5;
/// The least angle between two labels on the ring, degrees.
inline constexpr double kLeastSpread = 7.0;
/// The square the bi-wheel takes, centred on wheel::kCentre.
inline constexpr double kSide = 2.0 * (kRingOuterRadius + 4.0);

}  // namespace biwheel

/// Where one outer body is drawn.
struct OuterPlacement {
  std::size_t index = 0;  ///< into BiWheelView::outer
  /// The mark at the body's exact degree on the ring's inner edge: its
  /// angle, degrees counter-clockwise from the right (y up), [0, 360).
  double markAngle = 0;
  /// The angle of the label's middle, moved off the mark only as far as
  /// keeps the labels from covering one another.
  double labelAngle = 0;
  /// The sign (0 Aries .. 11 Pisces) of the ring's sector the mark stands in,
  /// read back from the drawing's turn.
  int sign = 0;
  /// The house (1 .. 12) of the inner chart whose sector holds the mark.
  int house = 1;
  int glyphPixels = 17;  ///< the label's type size, picture pixels
  QPointF glyphCentre;   ///< the middle of the glyph's ink, picture pixels
  QRectF glyphBox;       ///< the glyph's ink, picture pixels
  QPointF degreeCentre;  ///< the middle of the degree's ink, picture pixels
  /// The ink of the degree and its retrograde mark, picture pixels. Both
  /// boxes lie inside the ring, clear of its edges and of the marks at the
  /// bodies' degrees: a label near the horizon, wide along the radius, comes
  /// in from the ring's edge.
  QRectF degreeBox;
};

/// The sign that stands at house 1 of the inner wheel: the Ascendant's
/// sign, else the first house's sign picture, else the designed sign.
[[nodiscard]] int FirstHouseSign(const ChartView& chart) noexcept;

/// Where each outer body is drawn, in the order of `view.outer`.
[[nodiscard]] std::vector<OuterPlacement> PlaceOuterBodies(const BiWheelView& view);

/// How the painter's coordinates map to picture pixels when the bi-wheel is
/// drawn into `target`: scaled to fit with its proportions kept, centred.
[[nodiscard]] QTransform BiWheelTransform(const QRectF& target);

/// Draws the bi-wheel into `target` (the painter's coordinates), scaled to
/// fit with its proportions kept and centred.
void DrawBiWheel(QPainter& painter, const QRectF& target, const BiWheelView& view);

/// A sentence per outer body for screen readers: "Sun, 19 degrees 4
/// minutes Sagittarius, in house 1" (", retrograde" when marked).
[[nodiscard]] QString OuterBodiesSpeech(const BiWheelView& view);

}  // namespace zodivane::ui
