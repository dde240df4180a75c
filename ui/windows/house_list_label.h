// SPDX-License-Identifier: GPL-3.0-or-later
// A planet list label of the natal wheel: it keeps the house text as its
// text and draws the list as laid out inside its house sector, with the
// further points after the bodies when the wheel shows them.
#pragma once

#include <QColor>
#include <QLabel>

#include <optional>
#include <vector>

#include "ui/sheet/wheel_layout.h"

namespace zodivane::ui {

class HouseListLabel final : public QLabel {
  Q_OBJECT

 public:
  /// A label for wheel position `position` (0 to 11) showing `caption` as a
  /// plain label until a house text is set.
  HouseListLabel(int position, const QString& caption, QWidget* parent = nullptr);

  /// Keeps `houseText` as the label's text and shows the house's `entries`
  /// laid out inside the house: the label takes the list's bounds in the
  /// wheel picture (its parent) and draws each entry there.
  void SetHouse(const QString& houseText, const WheelEntries& entries);

  /// Adds `points` (the further points' labels, WheelPointText) after the
  /// bodies and lays the whole list out again inside the house; none gives
  /// the list of bodies alone, exactly as SetHouse laid it out. The points
  /// are drawn in kPointColour.
  void SetPoints(std::vector<QString> points);
  [[nodiscard]] const std::vector<QString>& Points() const noexcept { return points_; }

  /// The colour of the further points' labels: the Midheaven mark's red.
  static inline const QColor kPointColour{160, 0, 0};

  /// The list as laid out, in the coordinates of the wheel picture; none
  /// before a house text is set.
  [[nodiscard]] const std::optional<wheel::HouseListLayout>& Layout() const noexcept {
    return layout_;
  }

  /// Draws the laid-out list `factor` times its designed size, in a wheel
  /// picture scaled as much.
  void SetZoom(double factor);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  /// Lays out the bodies and the points inside the house.
  void LayOut();
  /// Takes the list's bounds, scaled by zoom_, as the label's geometry.
  void PlaceOnList();

  int position_;
  double zoom_ = 1.0;
  std::vector<QString> bodies_;
  std::vector<QString> points_;
  std::optional<wheel::HouseListLayout> layout_;
};

}  // namespace zodivane::ui
