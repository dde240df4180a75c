// SPDX-License-Identifier: GPL-3.0-or-later
// Clickable web addresses in a rich-text box: the box marks the addresses in
// its text as links while text is inserted or typed, and a press of the left
// mouse button on one opens it in the user's browser.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>

#include <vector>

class QTextBlock;
class QTextEdit;

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

/// Link handling of one rich-text box, for as long as the watcher lives:
/// addresses already in the box and every address inserted or typed later
/// are shown as links, and a left press on one opens it through `links`.
/// Every event passes on to the box. When the watcher goes, links already
/// shown stay in the text but no longer open. The window that shows the box
/// owns its watcher.
class LinkWatcher final : public QObject {
  Q_OBJECT

 public:
  /// `links` outlives the watcher; the box may go first.
  LinkWatcher(QTextEdit& box, WebLinks& links);
  ~LinkWatcher() override;

  LinkWatcher(const LinkWatcher&) = delete;
  LinkWatcher& operator=(const LinkWatcher&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  /// Marks the addresses of every paragraph the change touched, and takes
  /// the link look off text that is no longer an address.
  void MarkAddresses(int position, int removed, int added);
  void MarkBlock(const QTextBlock& block);

  QPointer<QTextEdit> box_;
  WebLinks& links_;
  QMetaObject::Connection connection_;
  bool marking_ = false;
};

}  // namespace zodivane::ui
