// SPDX-License-Identifier: GPL-3.0-or-later
// Messages for the user, and the refusal of entries, as plain values.
#pragma once

#include <optional>
#include <string>

namespace zodivane {

/// Icon of a message box.
enum class MessageIcon { Critical, Information };

/// A message for the user: text and icon, shown with a single OK button
/// under the title "Zodivane".
struct Notice {
  std::string message;
  MessageIcon icon = MessageIcon::Critical;
  friend bool operator==(const Notice&, const Notice&) = default;
};

/// Why the entries were refused, and which control (by its object name,
/// e.g. "txtLonM") receives the focus afterwards; no control for the date checks.
struct Rejection {
  Notice notice;
  std::optional<std::string> focus;
  friend bool operator==(const Rejection&, const Rejection&) = default;
};
}  // namespace zodivane
