// SPDX-License-Identifier: GPL-3.0-or-later
// Validation of the form entries and the key filters of the name and
// coordinate boxes.
#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/birth_record.h"
#include "common/notice.h"

namespace zodivane {

/// Checks the entries in the form's fixed order and returns the first
/// failure, or nullopt when the entries may become a ChartInput.
[[nodiscard]] std::optional<Rejection> ValidateBirthData(const FormEntries& entries);

/// What a key filter made of one typed character code.
struct KeyFilterResult {
  int keyCode = 0;               ///< the code to pass on; 0 means the key is dropped
  std::optional<Notice> notice;  ///< the message to show when the key was refused
  friend bool operator==(const KeyFilterResult&, const KeyFilterResult&) = default;
};

/// Key filter of the name box: letters (made capital), backspace, carriage
/// return and space pass; anything else is dropped with a notice.
[[nodiscard]] KeyFilterResult txtName_KeyPress(int keyCode);

/// Key filter of the four coordinate boxes: digits and backspace pass;
/// anything else is dropped with a notice.
[[nodiscard]] KeyFilterResult CoordinateKeyPress(int keyCode);
[[nodiscard]] inline KeyFilterResult txtLonD_KeyPress(int keyCode) {
  return CoordinateKeyPress(keyCode);
}
[[nodiscard]] inline KeyFilterResult txtLonM_KeyPress(int keyCode) {
  return CoordinateKeyPress(keyCode);
}
[[nodiscard]] inline KeyFilterResult txtLatD_KeyPress(int keyCode) {
  return CoordinateKeyPress(keyCode);
}
[[nodiscard]] inline KeyFilterResult txtLatM_KeyPress(int keyCode) {
  return CoordinateKeyPress(keyCode);
}

/// The range notice of the coordinate box named `control` ("txtLonD",
/// "txtLonM", "txtLatD" or "txtLatM") as the validation shows it when the
/// box is refused; none for any other name.
[[nodiscard]] std::optional<Notice> CoordinateRangeNotice(std::string_view control);

/// Most characters the longitude degree box takes; the three other
/// coordinate boxes take kCoordinateMaxLength.
inline constexpr std::size_t kLonDegreesMaxLength = 3;
inline constexpr std::size_t kCoordinateMaxLength = 2;
inline constexpr std::size_t kNoLengthLimit = std::numeric_limits<std::size_t>::max();

/// A box's text after a sequence of typed keys, and the notices shown on the way.
struct TypedText {
  std::string text;             ///< what the box holds afterwards
  std::vector<Notice> notices;  ///< one per refused key, in typing order
};

/// Types `keys` (one character code per byte) at the end of `text` through
/// `filter`, as a single-line box with a length limit does: a passed
/// backspace (8) removes the last character, a passed carriage return (13)
/// inserts nothing, any other passed code is appended while the text is
/// shorter than `maxLength` characters. The filter sees every key, also when
/// the box is full.
[[nodiscard]] TypedText TypeIntoBox(std::string text, std::string_view keys,
                                    KeyFilterResult (*filter)(int),
                                    std::size_t maxLength = kNoLengthLimit);

/// The value of the leading decimal digits of `text` after trimming spaces
/// (" 12x" reads 12); nullopt when the trimmed text does not begin with a
/// digit. Values above 32767 read as 32767.
[[nodiscard]] std::optional<int> LeadingDigitsValue(std::string_view text) noexcept;

}  // namespace zodivane
