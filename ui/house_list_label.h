// SPDX-License-Identifier: GPL-3.0-or-later
// A planet list label of the natal wheel: it keeps the house text as its
// text and draws the list as laid out inside its house sector.
#pragma once

#include <QLabel>

#include <optional>

#include "ui/wheel_layout.h"

namespace zodivane::ui {

class HouseListLabel final : public QLabel {
  Q_OBJECT

 public:
  /// A label for wheel position `position` (0 to 11) showing `caption` as a
  /// plain label until a house text is set.
  HouseListLabel(int position, const QString& caption, QWidget* parent = nullptr);

  /// Shows `houseText` laid out inside the house: the label takes the list's
  /// bounds in the wheel picture (its parent) and draws each entry there.
  void SetHouseText(const QString& houseText);

  /// The list as laid out, in the coordinates of the wheel picture; none
  /// before a house text is set.
  [[nodiscard]] const std::optional<wheel::HouseListLayout>& Layout() const noexcept {
    return layout_;
  }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int position_;
  std::optional<wheel::HouseListLayout> layout_;
};

}  // namespace zodivane::ui
