// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the results form drawn from SVG artwork: the natal wheel and
// the sign glyphs, vector-drawn at paint time so they are crisp at every
// device pixel ratio.
#pragma once

#include <QObject>
#include <QString>
#include <QSvgRenderer>
#include <QWidget>

#include <array>
#include <optional>
#include <vector>

#include "aspects/aspects.h"
#include "common/vocabulary.h"

namespace zodivane::ui {

/// A picture box showing one SVG drawing scaled to the box; it may hold
/// other controls, drawn over the picture.
class SvgPicture : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString source READ source)

 public:
  explicit SvgPicture(QWidget* parent = nullptr);

  /// Shows the drawing at `path` (a resource path such as ":/assets/wheel.svg").
  void SetSource(const QString& path);
  [[nodiscard]] QString source() const { return source_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString source_;
  QSvgRenderer renderer_;
};

/// The form's image list of sign glyphs: picture n (1 to 12) is the glyph of
/// sign n - 1, keyed by the sign's name ("Aries" to "Pisces"). Not visible.
class SignImageList : public QObject {
  Q_OBJECT

 public:
  explicit SignImageList(QObject* parent = nullptr);

  static constexpr int kFirstPicture = 1;
  static constexpr int kLastPicture = kSignCount;

  /// The resource path of picture `number` (1 to 12); empty outside that range.
  [[nodiscard]] static QString PicturePath(int number);
  /// The key of picture `number`, the sign's full name; empty outside 1 to 12.
  [[nodiscard]] static QString Key(int number);
};

/// One sign image of the wheel: a 300 x 300 twip picture showing a picture
/// of the image list.
class SignImage : public SvgPicture {
  Q_OBJECT
  Q_PROPERTY(int picture READ picture)

 public:
  explicit SignImage(QWidget* parent = nullptr);

  /// Shows picture `number` (1 to 12) of the image list; any other number
  /// leaves the image as it is.
  void SetPicture(int number);
  /// The picture number shown, 1 to 12, or 0 for none.
  [[nodiscard]] int picture() const noexcept { return picture_; }

 private:
  int picture_ = 0;
};

/// The aspect lines over the wheel picture (its parent, which it covers):
/// drawn in the picture's own pixels, scaled with it; clicks pass through.
class AspectLinesPicture final : public QWidget {
  Q_OBJECT

 public:
  explicit AspectLinesPicture(QWidget* parent = nullptr);

  /// The lines of `aspects` between `points`, in a wheel whose house 1 is
  /// the sign `firstHouseSign`; none when that sign is unknown.
  void SetLines(std::vector<Aspect> aspects, const PointPositions& points,
                std::optional<int> firstHouseSign);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<Aspect> aspects_;
  PointPositions points_{};
  std::optional<int> firstHouseSign_;
};

/// The Midheaven's degree on the wheel picture (its parent, which it
/// covers): a short line across the ring of sign glyphs labelled "MC",
/// scaled with the picture; clicks pass through.
class MidheavenMark final : public QWidget {
  Q_OBJECT

 public:
  explicit MidheavenMark(QWidget* parent = nullptr);

  /// Marks `longitude` (degrees) in a wheel whose house 1 is the sign
  /// `firstHouseSign`; nothing when either is unknown.
  void SetMark(std::optional<double> longitude, std::optional<int> firstHouseSign);
  [[nodiscard]] std::optional<double> longitude() const noexcept { return longitude_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<double> longitude_;
  std::optional<int> firstHouseSign_;
};

}  // namespace zodivane::ui
