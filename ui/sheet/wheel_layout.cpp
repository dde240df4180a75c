// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sheet/wheel_layout.h"

#include <QColor>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QStringList>
#include <QSvgRenderer>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

#include "ui/look/look_geometry.h"
#include "ui/sheet/aspect_marks.h"

namespace zodivane::ui::wheel {
namespace {

constexpr int kSmallestPixels = 8;      ///< the smallest type a list is drawn in
constexpr double kTightSpacing = 0.88;  ///< of the font's line spacing
const QColor kDiscEdge{110, 75, 51};    ///< the wheel drawing's brown
const QColor kDiscFill{255, 252, 246};  ///< the houses' paper

using look::Px;

[[nodiscard]] double Radians(double degrees) noexcept {
  return degrees * std::numbers::pi / 180.0;
}

/// One way of setting a list: type size, columns and line spacing.
struct Setting {
  int pixels;
  int columns;
  double spacing;     ///< factor of the font's line spacing
  double slant;       ///< pixels each line stands right of the line above, per pixel down
  int stretch = 100;  ///< width of the type, percent of its normal width
};

/// Slants that let a list follow a diagonal house: straight first.
constexpr std::array<double, 5> kSlants{0.0, 0.5, -0.5, 1.0, -1.0};

/// The settings from the most to the least preferred: full-size type in one
/// column first, then tighter spacing, a second column, the same in condensed
/// type, then one pixel smaller at a time.
[[nodiscard]] std::vector<Setting> Settings(int basePixels, std::size_t entries) {
  std::vector<Setting> settings;
  for (int pixels = basePixels; pixels >= std::min(basePixels, kSmallestPixels); --pixels) {
    for (const int stretch : {100, static_cast<int>(QFont::Condensed)}) {
      for (const double slant : kSlants) {
        settings.push_back({pixels, 1, 1.0, slant, stretch});
        if (entries > 1) {
          settings.push_back({pixels, 1, kTightSpacing, slant, stretch});
          settings.push_back({pixels, 2, 1.0, slant, stretch});
          settings.push_back({pixels, 2, kTightSpacing, slant, stretch});
        }
      }
    }
  }
  return settings;
}

/// The entries set in `setting`, the first entry's box at the origin.
[[nodiscard]] HouseListLayout SetEntries(const std::vector<QString>& entries, const QFont& baseFont,
                                         const Setting& setting) {
  HouseListLayout layout;
  layout.font = baseFont;
  layout.font.setPixelSize(setting.pixels);
  layout.font.setStretch(setting.stretch);
  layout.columns = setting.columns;
  const QFontMetricsF metrics(layout.font);
  const double step = std::max(1.0, std::round(metrics.lineSpacing() * setting.spacing));
  const double firstBaseline = std::round(metrics.ascent());
  const std::size_t rows = (entries.size() + static_cast<std::size_t>(setting.columns) - 1) /
                           static_cast<std::size_t>(setting.columns);
  const double gap = std::round(metrics.averageCharWidth() * 1.5);
  double columnLeft = 0.0;
  double columnWidth = 0.0;
  for (std::size_t index = 0; index < entries.size(); ++index) {
    const std::size_t row = index % rows;
    if (index > 0 && row == 0) {
      columnLeft += std::ceil(columnWidth + gap);
      columnWidth = 0.0;
    }
    PlacedEntry entry;
    entry.text = entries[index];
    const double down = static_cast<double>(row) * step;
    const double shift = std::round(down * setting.slant);
    entry.baseline = QPointF(columnLeft + shift, firstBaseline + down);
    entry.box = metrics.boundingRect(entry.text).translated(entry.baseline);
    columnWidth = std::max(columnWidth, entry.box.right() - (columnLeft + shift));
    layout.bounds = index == 0 ? entry.box : layout.bounds.united(entry.box);
    layout.entries.push_back(std::move(entry));
  }
  return layout;
}

void Translate(HouseListLayout& layout, const QPointF& offset) {
  for (PlacedEntry& entry : layout.entries) {
    entry.baseline += offset;
    entry.box.translate(offset);
  }
  layout.bounds.translate(offset);
}

/// The smallest upright rectangle around `sector`'s field.
[[nodiscard]] QRectF SectorBounds(const HouseSector& sector) {
  std::vector<double> angles{sector.fromDegrees, sector.toDegrees};
  for (double quarter = 0.0; quarter < 720.0; quarter += 90.0) {
    if (quarter > sector.fromDegrees && quarter < sector.toDegrees) {
      angles.push_back(quarter);
    }
  }
  double left = std::numeric_limits<double>::max();
  double right = std::numeric_limits<double>::lowest();
  double top = left;
  double bottom = right;
  for (const double angle : angles) {
    for (const double radius : {kHouseInnerRadius, kHouseOuterRadius}) {
      const double x = kCentre.x() + radius * std::cos(Radians(angle));
      const double y = kCentre.y() - radius * std::sin(Radians(angle));
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  return {QPointF(left, top), QPointF(right, bottom)};
}

[[nodiscard]] bool AllHeld(const HouseSector& sector, const HouseListLayout& layout,
                           const QPointF& offset) {
  return std::all_of(layout.entries.begin(), layout.entries.end(), [&](const PlacedEntry& entry) {
    return sector.Holds(entry.box.translated(offset), kClearance);
  });
}

/// The whole-pixel offset nearest to `preferred` that puts every entry of
/// `layout` (set at the origin) inside `sector`, if there is one.
[[nodiscard]] std::optional<QPointF> NearestFit(const HouseSector& sector,
                                                const HouseListLayout& layout,
                                                const QPointF& preferred) {
  if (AllHeld(sector, layout, preferred)) {
    return preferred;
  }
  const QRectF field = SectorBounds(sector);
  const QRectF& bounds = layout.bounds;
  if (bounds.width() > field.width() || bounds.height() > field.height()) {
    return std::nullopt;
  }
  // Offsets that keep the list's bounds inside the field's bounds, in whole
  // pixels from the preferred corner.
  const int firstX = static_cast<int>(std::ceil(field.left() - bounds.left() - preferred.x()));
  const int lastX = static_cast<int>(std::floor(field.right() - bounds.right() - preferred.x()));
  const int firstY = static_cast<int>(std::ceil(field.top() - bounds.top() - preferred.y()));
  const int lastY = static_cast<int>(std::floor(field.bottom() - bounds.bottom() - preferred.y()));
  std::optional<QPointF> best;
  int bestDistance = std::numeric_limits<int>::max();
  for (int dy = firstY; dy <= lastY; ++dy) {
    for (int dx = firstX; dx <= lastX; ++dx) {
      const int distance = dx * dx + dy * dy;
      if (distance >= bestDistance) {
        continue;
      }
      const QPointF offset = preferred + QPointF(dx, dy);
      if (AllHeld(sector, layout, offset)) {
        best = offset;
        bestDistance = distance;
      }
    }
  }
  return best;
}

}  // namespace

bool HouseSector::Holds(const QRectF& box, double clearance) const noexcept {
  const double fromX = std::cos(Radians(fromDegrees));
  const double fromY = std::sin(Radians(fromDegrees));
  const double toX = std::cos(Radians(toDegrees));
  const double toY = std::sin(Radians(toDegrees));
  const QPointF corners[] = {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()};
  for (const QPointF& corner : corners) {
    // From the centre, with y upwards.
    const double x = corner.x() - kCentre.x();
    const double y = kCentre.y() - corner.y();
    const bool pastFirstCusp = fromX * y - fromY * x >= clearance;
    const bool beforeSecondCusp = x * toY - y * toX >= clearance;
    const bool insideRing = std::hypot(x, y) <= kHouseOuterRadius - clearance;
    if (!pastFirstCusp || !beforeSecondCusp || !insideRing) {
      return false;
    }
  }
  // The point of the box nearest the centre stays off the Earth disc.
  const double nearestX = std::clamp(kCentre.x(), box.left(), box.right());
  const double nearestY = std::clamp(kCentre.y(), box.top(), box.bottom());
  return std::hypot(nearestX - kCentre.x(), nearestY - kCentre.y()) >=
         kHouseInnerRadius + clearance;
}

HouseSector SectorOf(int position) noexcept {
  const double from = 180.0 + 30.0 * static_cast<double>(position);
  return {from, from + 30.0};
}

QString SignArtwork(int picture) {
  if (picture < 1 || picture > kSignCount) {
    return {};
  }
  const QString name = look::FromUtf8(kSigns[static_cast<std::size_t>(picture - 1)].name);
  return QStringLiteral(":/assets/signs/%1.svg").arg(name.toLower());
}

std::vector<QString> EntryTexts(const WheelEntries& entries) {
  std::vector<QString> texts;
  texts.reserve(entries.size());
  for (const WheelEntry& entry : entries) {
    texts.push_back(QString::fromStdString(WheelEntryText(entry)));
  }
  return texts;
}

HouseListLayout LayOutHouseList(int position, const std::vector<QString>& entries,
                                const QFont& baseFont) {
  const WheelPlace& place = kWheelPlaces[static_cast<std::size_t>(position)];
  const QPointF anchor(Px(place.planetList.left), Px(place.planetList.top));
  const int basePixels = baseFont.pixelSize() > 0 ? baseFont.pixelSize() : 11;
  if (entries.empty()) {
    HouseListLayout empty;
    empty.font = baseFont;
    empty.font.setPixelSize(basePixels);
    empty.bounds = QRectF(anchor, QSizeF(0, 0));
    return empty;
  }
  const HouseSector sector = SectorOf(position);
  // As designed, the first entry stands one line below the anchor (the house
  // text begins with a line break).
  QFont font = baseFont;
  font.setPixelSize(basePixels);
  const double designLine = std::round(QFontMetricsF(font).lineSpacing());
  const std::vector<Setting> settings = Settings(basePixels, entries.size());
  for (const Setting& setting : settings) {
    HouseListLayout layout = SetEntries(entries, baseFont, setting);
    const QPointF preferred = anchor + QPointF(0, designLine) - QPointF(0, layout.bounds.top());
    if (const std::optional<QPointF> offset = NearestFit(sector, layout, preferred)) {
      Translate(layout, *offset);
      return layout;
    }
  }
  // More entries than the wheel ever lists: the smallest setting at the anchor.
  HouseListLayout layout = SetEntries(entries, baseFont, settings.back());
  Translate(layout, anchor + QPointF(0, designLine));
  return layout;
}

QPointF WheelPointOf(double longitude, int firstHouseSign, double radius) noexcept {
  // House 1 begins at the left (180 degrees) and the signs run counter-clockwise.
  const double angle = Radians(180.0 + longitude - 30.0 * firstHouseSign);
  return {kCentre.x() + radius * std::cos(angle), kCentre.y() - radius * std::sin(angle)};
}

void PaintAspectLines(QPainter& painter, const std::vector<Aspect>& aspects,
                      const PointPositions& points, int firstHouseSign, double radius) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  for (const Aspect& aspect : aspects) {
    painter.setPen(QPen(AspectColour(aspect.kind), 1.0));
    painter.drawLine(
        WheelPointOf(points[static_cast<std::size_t>(aspect.a)].longitude, firstHouseSign, radius),
        WheelPointOf(points[static_cast<std::size_t>(aspect.b)].longitude, firstHouseSign, radius));
  }
  painter.setPen(QPen(QColor(0, 0, 0), 1.0));
  for (const PointPosition& point : points) {
    // A short tick across the ring at the point's degree.
    painter.drawLine(WheelPointOf(point.longitude, firstHouseSign, radius - 3.0),
                     WheelPointOf(point.longitude, firstHouseSign, radius + 3.0));
  }
  painter.restore();
}

void PaintAspectDisc(QPainter& painter, const std::vector<Aspect>& aspects,
                     const PointPositions& points, int firstHouseSign) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(kDiscEdge, 1.0));
  painter.setBrush(kDiscFill);
  painter.drawEllipse(kCentre, kAspectRingRadius, kAspectRingRadius);
  painter.restore();
  PaintAspectLines(painter, aspects, points, firstHouseSign, kAspectRingRadius);
}

void PaintWheelArtwork(QPainter& painter) {
  QSvgRenderer artwork(kWheelArtwork);
  artwork.render(&painter, QRectF(QPointF(0, 0), kPictureSize));
}

void PaintWheelMarks(QPainter& painter, const WheelView& view, const QFont& numberFont,
                     const QFont& listFont, const QColor& numberColour, const QColor& listColour) {
  const auto pixels = [](int twips) { return static_cast<double>(Px(twips)); };
  for (const WheelPlace& place : kWheelPlaces) {
    const auto position = static_cast<std::size_t>(place.house - 1);
    const int picture = view.pictures ? (*view.pictures)[position] : place.designSign + 1;
    QSvgRenderer glyph(SignArtwork(picture));
    const double glyphSize = pixels(kSignImageSize);
    glyph.render(&painter, QRectF(pixels(place.signImage.left), pixels(place.signImage.top),
                                  glyphSize, glyphSize));

    const QString number = QString::number(place.house);
    const double width =
        pixels(number.size() == 1 ? kHouseNumberWidthOneDigit : kHouseNumberWidthTwoDigits);
    painter.setFont(numberFont);
    painter.setPen(numberColour);
    painter.drawText(QRectF(pixels(place.houseNumber.left), pixels(place.houseNumber.top), width,
                            pixels(kHouseNumberHeight)),
                     Qt::AlignCenter | Qt::TextDontClip, number);

    const HouseListLayout list = LayOutHouseList(static_cast<int>(position),
                                                 EntryTexts(view.houseEntries[position]), listFont);
    PaintHouseList(painter, list, listColour);
  }
}

void PaintHouseList(QPainter& painter, const HouseListLayout& layout, const QColor& colour) {
  painter.save();
  painter.setFont(layout.font);
  painter.setPen(colour);
  for (const PlacedEntry& entry : layout.entries) {
    painter.drawText(entry.baseline, entry.text);
  }
  painter.restore();
}

}  // namespace zodivane::ui::wheel
