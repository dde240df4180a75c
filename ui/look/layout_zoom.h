// SPDX-License-Identifier: GPL-3.0-or-later
// View > Zoom: the results form scaled evenly, geometry and type together,
// from its designed size.
#pragma once

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace zodivane::ui {

/// The factors Zoom In and Zoom Out step through; 1 is the designed size.
inline constexpr auto kZoomSteps =
    std::to_array<double>({0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0});
static_assert(kZoomSteps.size() == 13);

/// The next step above `factor` (the largest step stays).
[[nodiscard]] double ZoomedIn(double factor) noexcept;
/// The next step below `factor` (the smallest step stays).
[[nodiscard]] double ZoomedOut(double factor) noexcept;
/// The largest factor, within the steps' range, at which `designed` fits in
/// `available`; 1 when either size is empty.
[[nodiscard]] double FitFactor(QSize designed, QSize available) noexcept;

/// `font` at `factor` times its size, in points or pixels as it is given
/// (never below one pixel).
[[nodiscard]] QFont ScaledFont(const QFont& font, double factor);

/// `wanted`, made no larger than `room` in either direction.
[[nodiscard]] QSize SizeWithin(QSize wanted, QSize room) noexcept;

/// Resizes the top-level `window` to `wanted`, or less where the screen it
/// opens on (its parent's) leaves less room to windows: the screen's
/// available geometry less the window's frame.
void ResizeWithinScreen(QWidget& window, QSize wanted);

/// Where View's zoom stands: Fit to Window, or a fixed factor.
struct ZoomChoice {
  bool fit = false;
  double factor = 1.0;  ///< used when not fit; one of kZoomSteps
  friend bool operator==(const ZoomChoice&, const ZoomChoice&) = default;
};

/// The settings key of the zoom (section "View"): "fit" or a percentage ("125").
inline const QString kZoomKey = QStringLiteral("View/Zoom");

/// The remembered text of `choice`.
[[nodiscard]] QString ZoomSettingText(const ZoomChoice& choice);
/// The choice a remembered text stands for; none for a text that names no
/// step (the default then applies).
[[nodiscard]] std::optional<ZoomChoice> ZoomChoiceFromSetting(const QString& text);

/// Scales a tree of absolutely placed widgets: each one's designed geometry
/// and its own type (where it sets one) are taken when it is first scaled
/// and multiplied by the factor on every Apply. Widgets that `skip` names are
/// left to scale themselves.
class WidgetScaler {
 public:
  explicit WidgetScaler(QWidget& root, std::function<bool(const QWidget&)> skip = {});

  /// Scales the tree to `factor` times its designed size.
  void Apply(double factor);
  /// The tree was changed at its designed size: take its design again at
  /// the next Apply.
  void Forget() noexcept { design_.clear(); }

 private:
  struct Design {
    QPointer<QWidget> widget;
    QRect geometry;
    bool fixedSize = false;
    bool ownFont = false;
    QFont font;
  };
  void TakeDesign();

  QWidget& root_;
  std::function<bool(const QWidget&)> skip_;
  std::vector<Design> design_;
};

}  // namespace zodivane::ui
