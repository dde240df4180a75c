// Clickable web addresses in a rich-text box: the box marks the addresses in
// its text as links while text is inserted or typed, and a press of the left
// mouse button on one opens it in the user's browser. One box at a time.
#pragma once

#include <QString>

#include <vector>

class QTextEdit;
class QWidget;

namespace zodivane::ui {

class WebLinks;

/// The longest address a link opens, in UTF-16 units; longer ones are cut.
inline constexpr int kMaxLinkAddressLength = 1024;

/// Where one web address stands in a text (UTF-16 units).
struct AddressSpan {
  int start = 0;   ///< index of the first character, >= 0
  int length = 0;  ///< number of characters, > 0
  friend bool operator==(const AddressSpan&, const AddressSpan&) = default;
};

/// The web addresses in `text`: runs starting with "http://", "https://" or
/// "www." (any letter case) up to the next blank, control character, quote
/// or angle bracket, without closing punctuation such as a full stop.
[[nodiscard]] std::vector<AddressSpan> FindWebAddresses(const QString& text);

namespace modRTB {

/// Switches link handling on for `box`, owned by the window `owner`:
/// addresses already in the box and every address inserted or typed later
/// are shown as links, and a left press on one opens it through `links`.
/// Any box that had link handling loses it first. `box`, `owner` and
/// `links` outlive the link handling or it is switched off before they go.
void EnableLinkDetection(QTextEdit& box, QWidget& owner, WebLinks& links);

/// Switches link handling off again; nothing happens when it is off.
/// Links already shown stay in the text but no longer open.
void DisableLinkDetection();

/// True while a box has link handling.
[[nodiscard]] bool IsLinkDetectionOn() noexcept;

}  // namespace modRTB

}  // namespace zodivane::ui
