// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sheet/bi_wheel.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <numeric>
#include <utility>
#include <vector>

#include "ui/look/look_geometry.h"
#include "ui/sheet/aspect_marks.h"
#include "ui/sheet/sheet_text.h"
#include "ui/sheet/wheel_layout.h"

namespace zodivane::ui {
namespace {

using look::FromUtf8;

/// The glyphs of the ten bodies, in ChartPoint order.
const auto kBodyGlyphs = std::to_array<QString>({
    QStringLiteral("\u2609"),  // Sun
    QStringLiteral("\u263D"),  // Moon
    QStringLiteral("\u263F"),  // Mercury
    QStringLiteral("\u2640"),  // Venus
    QStringLiteral("\u2642"),  // Mars
    QStringLiteral("\u2643"),  // Jupiter
    QStringLiteral("\u2644"),  // Saturn
    QStringLiteral("\u2645"),  // Uranus
    QStringLiteral("\u2646"),  // Neptune
    QStringLiteral("\u2647"),  // Pluto
});
static_assert(kBodyGlyphs.size() == kSkyBodyCount);

const QString kRetrogradeMark = QStringLiteral("\u211E");

const QColor kFaintRule{176, 138, 108};  ///< the wheel drawing's degree ticks
const QColor kRingFill{255, 246, 234};
const QColor kDiscFill{255, 252, 246};
const QColor kRetrogradeColour{200, 0, 0};

/// The radius of the disc the lines cross: over the middle of the houses,
/// as on the chart sheet.
constexpr double kLineRadius = wheel::kAspectRingRadius;

constexpr int kGlyphPixels = 17;
constexpr int kSmallestGlyphPixels = 11;
/// Room between a degree's ink and the ring's outer edge, whose line is two
/// pixels wide.
constexpr double kOuterEdgeClearance = biwheel::kLabelClearance + 1.0;
constexpr int kDegreePixels = 10;

/// "1 degree", "14 minutes": a number with its unit as it reads aloud.
[[nodiscard]] QString CountText(int number, const char* unit) {
  return QStringLiteral("%1 %2%3")
      .arg(number)
      .arg(QLatin1String(unit))
      .arg(number == 1 ? QString() : QStringLiteral("s"));
}

[[nodiscard]] double Radians(double degrees) noexcept {
  return degrees * std::numbers::pi / 180.0;
}

/// `degrees` brought into [0, 360).
[[nodiscard]] double Turned(double degrees) noexcept {
  const double turned = std::fmod(degrees, 360.0);
  return turned < 0 ? turned + 360.0 : turned;
}

/// The point at `angle` (degrees counter-clockwise from the right, y up)
/// and `radius` around the wheel's centre.
[[nodiscard]] QPointF AtAngle(double angle, double radius) noexcept {
  return {wheel::kCentre.x() + radius * std::cos(Radians(angle)),
          wheel::kCentre.y() - radius * std::sin(Radians(angle))};
}

/// The angle at which `longitude` stands in a wheel with `firstHouseSign`
/// at house 1 (as wheel::WheelPointOf turns it).
[[nodiscard]] double AngleOf(double longitude, int firstHouseSign) noexcept {
  return Turned(180.0 + longitude - 30.0 * firstHouseSign);
}

QFont RingFont(int pixels, bool bold = false) {
  QFont font = look::VerdanaFamily();
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

/// The degree within the sign as the ring writes it: "19°".
[[nodiscard]] QString DegreeText(const OuterBody& body) {
  const int degree = static_cast<int>(std::floor(Turned(body.longitude))) % 30;
  return QString::number(degree) + QStringLiteral("\u00B0");
}

/// Label angles for marks at `angles`: each label as near its mark as it can
/// be while every two labels stay `spread` degrees apart. Marks closer than
/// that gather into runs, each run centred on the mean of its marks; runs
/// that then meet join, until none meet.
[[nodiscard]] std::vector<double> SpreadAngles(const std::vector<double>& angles, double spread) {
  const std::size_t count = angles.size();
  std::vector<double> labels(angles);
  if (count < 2) {
    return labels;
  }
  std::vector<std::size_t> order(count);
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(),
            [&angles](std::size_t a, std::size_t b) { return angles[a] < angles[b]; });
  // Cut the circle at its widest gap, so that no run crosses the cut.
  std::size_t start = 0;
  double widest = -1;
  for (std::size_t k = 0; k < count; ++k) {
    const double from = angles[order[k]];
    const double to = angles[order[(k + 1) % count]] + (k + 1 == count ? 360.0 : 0.0);
    if (to - from > widest) {
      widest = to - from;
      start = (k + 1) % count;
    }
  }
  std::vector<double> unrolled(count);
  std::vector<std::size_t> index(count);
  for (std::size_t k = 0; k < count; ++k) {
    index[k] = order[(start + k) % count];
    unrolled[k] = angles[index[k]] + (start + k >= count ? 360.0 : 0.0);
  }
  struct Run {
    std::size_t first;
    std::size_t size;
    double centre;
  };
  std::vector<Run> runs;
  for (std::size_t k = 0; k < count; ++k) {
    runs.push_back({k, 1, unrolled[k]});
  }
  const auto firstLabel = [spread](const Run& run) {
    return run.centre - spread * static_cast<double>(run.size - 1) / 2.0;
  };
  bool joined = true;
  while (joined) {
    joined = false;
    for (std::size_t r = 0; r + 1 < runs.size(); ++r) {
      const double lastLabel = firstLabel(runs[r]) + spread * static_cast<double>(runs[r].size - 1);
      if (firstLabel(runs[r + 1]) - lastLabel < spread - 1e-9) {
        Run& run = runs[r];
        run.size += runs[r + 1].size;
        double sum = 0;
        for (std::size_t k = run.first; k < run.first + run.size; ++k) {
          sum += unrolled[k];
        }
        run.centre = sum / static_cast<double>(run.size);
        runs.erase(runs.begin() + static_cast<std::ptrdiff_t>(r) + 1);
        joined = true;
        break;
      }
    }
  }
  for (const Run& run : runs) {
    for (std::size_t k = 0; k < run.size; ++k) {
      labels[index[run.first + k]] = Turned(firstLabel(run) + spread * static_cast<double>(k));
    }
  }
  return labels;
}

/// A box of `size` centred on `centre`.
[[nodiscard]] QRectF CentredBox(const QPointF& centre, const QSizeF& size) {
  return {centre.x() - size.width() / 2.0, centre.y() - size.height() / 2.0, size.width(),
          size.height()};
}

/// How far a box of `size` centred on a point reaches from it along the
/// direction `angle` (degrees).
[[nodiscard]] double RadialReach(const QSizeF& size, double angle) noexcept {
  return size.width() / 2.0 * std::abs(std::cos(Radians(angle))) +
         size.height() / 2.0 * std::abs(std::sin(Radians(angle)));
}

/// The pieces of `line` that lie outside every box of `boxes`.
[[nodiscard]] std::vector<QLineF> PiecesOutside(const QLineF& line,
                                                const std::vector<QRectF>& boxes) {
  // The stretches of the line (as fractions of its length) inside each box,
  // by clipping it against the box's four sides.
  std::vector<std::pair<double, double>> covered;
  const QPointF start = line.p1();
  const QPointF delta = line.p2() - line.p1();
  for (const QRectF& box : boxes) {
    double enter = 0.0;
    double leave = 1.0;
    const std::array<std::pair<double, double>, 4> sides{{
        {-delta.x(), start.x() - box.left()},
        {delta.x(), box.right() - start.x()},
        {-delta.y(), start.y() - box.top()},
        {delta.y(), box.bottom() - start.y()},
    }};
    bool outside = false;
    for (const auto& [towards, room] : sides) {
      if (towards == 0.0) {
        outside = outside || room < 0.0;
        continue;
      }
      const double at = room / towards;
      if (towards < 0.0) {
        enter = std::max(enter, at);
      } else {
        leave = std::min(leave, at);
      }
    }
    if (!outside && enter < leave) {
      covered.emplace_back(enter, leave);
    }
  }
  std::sort(covered.begin(), covered.end());
  std::vector<QLineF> pieces;
  double from = 0.0;
  for (const auto& [enter, leave] : covered) {
    if (enter > from) {
      pieces.emplace_back(line.pointAt(from), line.pointAt(enter));
    }
    from = std::max(from, leave);
  }
  if (from < 1.0) {
    pieces.emplace_back(line.pointAt(from), line.p2());
  }
  return pieces;
}

/// Draws `line` where it does not cross a label (`labels`).
void DrawAround(QPainter& painter, const QLineF& line, const std::vector<QRectF>& labels) {
  for (const QLineF& piece : PiecesOutside(line, labels)) {
    painter.drawLine(piece);
  }
}

/// The ring around the natal wheel: its fill, edges, the sign boundaries
/// across it and a tick at every tenth degree on its outer edge; the lines
/// break around the bodies' labels (`labels`, their ink with room kept).
void PaintRing(QPainter& painter, int firstHouseSign, const std::vector<QRectF>& labels) {
  painter.setPen(QPen(kSheetRule, 2.0));
  painter.setBrush(kRingFill);
  painter.drawEllipse(wheel::kCentre, biwheel::kRingOuterRadius, biwheel::kRingOuterRadius);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kSheetRule, 1.0));
  for (int sign = 0; sign < kSignCount; ++sign) {
    const double angle = AngleOf(30.0 * sign, firstHouseSign);
    DrawAround(painter,
               QLineF(AtAngle(angle, biwheel::kRingInnerRadius),
                      AtAngle(angle, biwheel::kRingOuterRadius)),
               labels);
  }
  painter.setPen(QPen(kFaintRule, 0.75));
  for (int degree = 10; degree < 360; degree += 10) {
    if (degree % 30 == 0) {
      continue;
    }
    const double angle = AngleOf(degree, firstHouseSign);
    DrawAround(painter,
               QLineF(AtAngle(angle, biwheel::kRingOuterRadius - 4.0),
                      AtAngle(angle, biwheel::kRingOuterRadius)),
               labels);
  }
}

/// The degree and retrograde mark as the ring writes them: "19°", "3°℞".
[[nodiscard]] QString DegreeLabel(const OuterBody& body) {
  return body.retrograde ? DegreeText(body) + kRetrogradeMark : DegreeText(body);
}

/// Where to draw `text` in `font` so that its ink is centred on `centre`.
[[nodiscard]] QPointF InkCentredBaseline(const QString& text, const QFont& font,
                                         const QPointF& centre) {
  return centre - QFontMetricsF(font).tightBoundingRect(text).center();
}

/// The lines of the aspects between the two sets on a disc in the middle,
/// with a tick at each inner point's degree inside the disc's edge and at
/// each outer body's degree outside it.
void PaintLines(QPainter& painter, const BiWheelView& view, int firstHouseSign) {
  painter.setPen(QPen(kSheetRule, 1.0));
  painter.setBrush(kDiscFill);
  painter.drawEllipse(wheel::kCentre, kLineRadius, kLineRadius);
  painter.setBrush(Qt::NoBrush);
  const PointPositions& inner = view.inner.points;
  for (const CrossAspect& line : view.lines) {
    if (line.first >= view.outer.size() || line.second >= inner.size()) {
      continue;
    }
    painter.setPen(QPen(AspectColour(line.kind), 1.0));
    painter.drawLine(
        AtAngle(AngleOf(view.outer[line.first].longitude, firstHouseSign), kLineRadius),
        AtAngle(AngleOf(inner[line.second].longitude, firstHouseSign), kLineRadius));
  }
  painter.setPen(QPen(kSheetInk, 1.0));
  for (const PointPosition& point : inner) {
    const double angle = AngleOf(point.longitude, firstHouseSign);
    painter.drawLine(AtAngle(angle, kLineRadius - 4.0), AtAngle(angle, kLineRadius));
  }
  painter.setPen(QPen(view.outerColour, 1.5));
  for (const OuterBody& body : view.outer) {
    const double angle = AngleOf(body.longitude, firstHouseSign);
    painter.drawLine(AtAngle(angle, kLineRadius), AtAngle(angle, kLineRadius + 4.0));
  }
}

}  // namespace

QString BodyGlyph(ChartPoint point) {
  if (IsSkyBody(point)) {
    return kBodyGlyphs[static_cast<std::size_t>(point)];
  }
  return QStringLiteral("Asc");
}

std::vector<OuterBody> OuterBodiesOfSky(const Sky& sky) {
  std::vector<OuterBody> bodies;
  for (int body = 0; body < kSkyBodyCount; ++body) {
    const auto index = static_cast<std::size_t>(body);
    bodies.push_back({sky.longitudeDeg[index], sky.speedDegPerDay[index] < 0,
                      BodyGlyph(static_cast<ChartPoint>(body)), FromUtf8(kChartPointNames[index])});
  }
  return bodies;
}

std::vector<OuterBody> OuterBodiesOfChart(const PointPositions& points) {
  std::vector<OuterBody> bodies;
  for (int point = 0; point < kChartPointCount; ++point) {
    const auto index = static_cast<std::size_t>(point);
    const auto chartPoint = static_cast<ChartPoint>(point);
    bodies.push_back({points[index].longitude, points[index].retrograde, BodyGlyph(chartPoint),
                      chartPoint == ChartPoint::Ascendant ? QStringLiteral("Ascendant")
                                                          : FromUtf8(kChartPointNames[index])});
  }
  return bodies;
}

int FirstHouseSign(const ChartView& chart) noexcept {
  if (const std::optional<int> sign =
          chart.points[static_cast<std::size_t>(ChartPoint::Ascendant)].sign) {
    return *sign;
  }
  if (chart.wheel.pictures) {
    return ((*chart.wheel.pictures)[0] - 1 + kSignCount) % kSignCount;
  }
  return wheel::kWheelPlaces[0].designSign;
}

std::vector<OuterPlacement> PlaceOuterBodies(const BiWheelView& view) {
  const int firstHouseSign = FirstHouseSign(view.inner);
  std::vector<double> marks;
  marks.reserve(view.outer.size());
  for (const OuterBody& body : view.outer) {
    marks.push_back(AngleOf(body.longitude, firstHouseSign));
  }
  const double spread =
      view.outer.empty()
          ? biwheel::kLeastSpread
          : std::min(biwheel::kLeastSpread, 360.0 / static_cast<double>(view.outer.size()));
  const std::vector<double> labels = SpreadAngles(marks, spread);
  const QFontMetricsF glyphMetrics(RingFont(kGlyphPixels));
  const QFontMetricsF degreeMetrics(RingFont(kDegreePixels));
  std::vector<OuterPlacement> placements;
  placements.reserve(view.outer.size());
  for (std::size_t k = 0; k < view.outer.size(); ++k) {
    OuterPlacement placement;
    placement.index = k;
    placement.markAngle = marks[k];
    placement.labelAngle = labels[k];
    // The sector the mark stands in, counted counter-clockwise from house 1
    // at the left.
    const int sector = std::clamp(static_cast<int>(std::floor(Turned(marks[k] - 180.0) / 30.0)), 0,
                                  kSignCount - 1);
    placement.house = sector + 1;
    placement.sign = (firstHouseSign + sector) % kSignCount;
    // The degree as far out as the ring's edge lets it, the glyph inside it
    // as near its own radius as the degree and the marks let it.
    const OuterBody& body = view.outer[k];
    const QSizeF degreeInk = degreeMetrics.tightBoundingRect(DegreeLabel(body)).size();
    const double degreeReach = RadialReach(degreeInk, labels[k]);
    // A label of several letters ("Asc") near the horizon takes smaller type
    // where the ring is too narrow for it beside its degree.
    const double room = biwheel::kRingOuterRadius - kOuterEdgeClearance -
                        biwheel::kRingInnerRadius - biwheel::kMarkLength -
                        2.0 * biwheel::kLabelClearance - 2.0 * degreeReach;
    placement.glyphPixels = kGlyphPixels;
    QSizeF glyphInk = glyphMetrics.tightBoundingRect(body.label).size();
    while (2.0 * RadialReach(glyphInk, labels[k]) > room &&
           placement.glyphPixels > kSmallestGlyphPixels) {
      --placement.glyphPixels;
      glyphInk =
          QFontMetricsF(RingFont(placement.glyphPixels)).tightBoundingRect(body.label).size();
    }
    const double glyphReach = RadialReach(glyphInk, labels[k]);
    const double lowestGlyph =
        biwheel::kRingInnerRadius + biwheel::kMarkLength + biwheel::kLabelClearance + glyphReach;
    const double highestDegree = biwheel::kRingOuterRadius - kOuterEdgeClearance - degreeReach;
    double glyphRadius = std::max(biwheel::kGlyphRadius, lowestGlyph);
    double degreeRadius = std::min(biwheel::kDegreeRadius, highestDegree);
    // Where the two would meet, the degree moves out, then the glyph in.
    const double overlap =
        glyphRadius + glyphReach + biwheel::kLabelClearance - (degreeRadius - degreeReach);
    if (overlap > 0.0) {
      const double out = std::clamp(highestDegree - degreeRadius, 0.0, overlap);
      degreeRadius += out;
      glyphRadius = std::max(lowestGlyph, glyphRadius - (overlap - out));
    }
    placement.glyphCentre = AtAngle(labels[k], glyphRadius);
    placement.glyphBox = CentredBox(placement.glyphCentre, glyphInk);
    placement.degreeCentre = AtAngle(labels[k], degreeRadius);
    placement.degreeBox = CentredBox(placement.degreeCentre, degreeInk);
    placements.push_back(placement);
  }
  return placements;
}

QTransform BiWheelTransform(const QRectF& target) {
  const double scale = std::min(target.width(), target.height()) / biwheel::kSide;
  QTransform transform;
  transform.translate(target.center().x(), target.center().y());
  transform.scale(scale, scale);
  transform.translate(-wheel::kCentre.x(), -wheel::kCentre.y());
  return transform;
}

void DrawBiWheel(QPainter& painter, const QRectF& target, const BiWheelView& view) {
  painter.save();
  painter.setTransform(BiWheelTransform(target), true);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const int firstHouseSign = FirstHouseSign(view.inner);

  const std::vector<OuterPlacement> placements = PlaceOuterBodies(view);
  std::vector<QRectF> labels;
  for (const OuterPlacement& placement : placements) {
    for (const QRectF& ink : {placement.glyphBox, placement.degreeBox}) {
      const double room = biwheel::kLabelClearance;
      labels.push_back(ink.adjusted(-room, -room, room, room));
    }
  }
  PaintRing(painter, firstHouseSign, labels);
  wheel::PaintWheelArtwork(painter);
  if (view.showLines) {
    PaintLines(painter, view, firstHouseSign);
  }
  wheel::PaintWheelMarks(painter, view.inner.wheel, RingFont(16), RingFont(11), kSheetInk,
                         look::colours::kBlue);

  const QFont degreeFont = RingFont(kDegreePixels);
  const QFontMetricsF degreeMetrics(degreeFont);
  for (const OuterPlacement& placement : placements) {
    const OuterBody& body = view.outer[placement.index];
    // The mark at the exact degree, and a leader to a label moved off it.
    painter.setPen(QPen(view.outerColour, 1.5));
    const double markEnd = biwheel::kRingInnerRadius + biwheel::kMarkLength;
    painter.drawLine(AtAngle(placement.markAngle, biwheel::kRingInnerRadius),
                     AtAngle(placement.markAngle, markEnd));
    if (std::abs(placement.labelAngle - placement.markAngle) > 0.5) {
      const QPointF glyphCentre = placement.glyphCentre - wheel::kCentre;
      const double glyphRadius = std::hypot(glyphCentre.x(), glyphCentre.y());
      const double leaderEnd = std::max(
          markEnd, glyphRadius - RadialReach(placement.glyphBox.size(), placement.labelAngle) -
                       biwheel::kLabelClearance);
      painter.setPen(QPen(view.outerColour, 0.75));
      DrawAround(
          painter,
          QLineF(AtAngle(placement.markAngle, markEnd), AtAngle(placement.labelAngle, leaderEnd)),
          labels);
    }
    const QFont glyphFont = RingFont(placement.glyphPixels);
    painter.setFont(glyphFont);
    painter.setPen(view.outerColour);
    painter.drawText(InkCentredBaseline(body.label, glyphFont, placement.glyphCentre), body.label);

    const QString degree = DegreeText(body);
    const QPointF baseline =
        InkCentredBaseline(DegreeLabel(body), degreeFont, placement.degreeCentre);
    painter.setFont(degreeFont);
    painter.setPen(kSheetInk);
    painter.drawText(baseline, degree);
    if (body.retrograde) {
      painter.setPen(kRetrogradeColour);
      painter.drawText(baseline + QPointF(degreeMetrics.horizontalAdvance(degree), 0.0),
                       kRetrogradeMark);
    }
  }
  painter.restore();
}

QString OuterBodiesSpeech(const BiWheelView& view) {
  QStringList sentences;
  for (const OuterPlacement& placement : PlaceOuterBodies(view)) {
    const OuterBody& body = view.outer[placement.index];
    const double inSign = std::fmod(Turned(body.longitude), 30.0);
    int degree = static_cast<int>(std::floor(inSign));
    int minute = static_cast<int>(std::floor((inSign - degree) * 60.0));
    QString sentence = body.name + QStringLiteral(", ") + CountText(degree, "degree") +
                       QLatin1Char(' ') + CountText(minute, "minute") + QLatin1Char(' ') +
                       FromUtf8(kSigns[static_cast<std::size_t>(placement.sign)].name) +
                       QStringLiteral(", in house %1").arg(placement.house);
    if (body.retrograde) {
      sentence += QStringLiteral(", retrograde");
    }
    sentences.append(sentence);
  }
  return sentences.join(QStringLiteral(". ")) +
         (sentences.isEmpty() ? QString() : QStringLiteral("."));
}

}  // namespace zodivane::ui
