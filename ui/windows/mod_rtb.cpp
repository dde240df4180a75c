// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/mod_rtb.h"

#include <QColor>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QUrl>

#include <utility>
#include <vector>

#include "ui/platform/web_links.h"

namespace zodivane::ui {

namespace {

/// Characters that end an address when they stand at its end.
const QString kClosingPunctuation = QStringLiteral(".,;:!?)]}'");

/// The link's look: blue and underlined, as the platform shows links.
const QColor kLinkColour{0, 0, 255};

/// The address a link opens: "www." addresses get the web scheme.
QUrl LinkUrl(const QString& address) {
  if (address.startsWith(QStringLiteral("www."), Qt::CaseInsensitive)) {
    return QUrl(QStringLiteral("http://") + address);
  }
  return QUrl(address);
}

}  // namespace

std::vector<AddressSpan> FindWebAddresses(const QString& text) {
  static const QRegularExpression pattern(
      QStringLiteral(R"((?<![\w.@/-])(?:https?://|www\.)[^\s"<>]+)"),
      QRegularExpression::CaseInsensitiveOption);
  std::vector<AddressSpan> spans;
  auto matches = pattern.globalMatch(text);
  while (matches.hasNext()) {
    const QRegularExpressionMatch match = matches.next();
    int length = static_cast<int>(match.capturedLength());
    const int start = static_cast<int>(match.capturedStart());
    while (length > 0 && kClosingPunctuation.contains(text.at(start + length - 1))) {
      --length;
    }
    const QString address = text.mid(start, length);
    const bool bare = address.compare(QStringLiteral("http://"), Qt::CaseInsensitive) == 0 ||
                      address.compare(QStringLiteral("https://"), Qt::CaseInsensitive) == 0 ||
                      address.compare(QStringLiteral("www."), Qt::CaseInsensitive) == 0;
    if (length > 0 && !bare) {
      spans.push_back({start, length});
    }
  }
  return spans;
}

LinkWatcher::LinkWatcher(QTextEdit& box, WebLinks& links) : box_(&box), links_(links) {
  box.viewport()->installEventFilter(this);
  connection_ = connect(
      box.document(), &QTextDocument::contentsChange, this,
      [this](int position, int removed, int added) { MarkAddresses(position, removed, added); });
  MarkAddresses(0, 0, box.document()->characterCount());
}

LinkWatcher::~LinkWatcher() {
  disconnect(connection_);
  if (box_ && box_->viewport() != nullptr) {
    box_->viewport()->removeEventFilter(this);
  }
}

bool LinkWatcher::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && box_ && watched == box_->viewport()) {
    const auto* press = static_cast<QMouseEvent*>(event);
    if (press->button() == Qt::LeftButton) {
      const QString address = box_->anchorAt(press->position().toPoint());
      if (!address.isEmpty()) {
        links_.OpenWebPage(LinkUrl(address.left(kMaxLinkAddressLength)));
      }
    }
  }
  return QObject::eventFilter(watched, event);  // never swallows
}

void LinkWatcher::MarkAddresses(int position, int /*removed*/, int added) {
  if (marking_ || !box_) {
    return;
  }
  marking_ = true;
  QTextDocument& document = *box_->document();
  QTextBlock block = document.findBlock(position);
  const QTextBlock last = document.findBlock(position + added);
  while (block.isValid()) {
    MarkBlock(block);
    if (block == last) {
      break;
    }
    block = block.next();
  }
  marking_ = false;
}

void LinkWatcher::MarkBlock(const QTextBlock& block) {
  QTextDocument* document = box_->document();
  const QString text = block.text();
  // Old links in the paragraph lose their look; the addresses get it back.
  std::vector<std::pair<int, int>> oldLinks;  // position, length
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    if (fragment.charFormat().isAnchor()) {
      oldLinks.emplace_back(fragment.position(), fragment.length());
    }
  }
  for (const auto& [position, length] : oldLinks) {
    QTextCursor plain(document);
    plain.setPosition(position);
    plain.setPosition(position + length, QTextCursor::KeepAnchor);
    QTextCharFormat format = plain.charFormat();
    format.setAnchor(false);
    format.clearProperty(QTextFormat::AnchorHref);
    format.clearProperty(QTextFormat::ForegroundBrush);
    format.clearProperty(QTextFormat::TextUnderlineStyle);
    plain.setCharFormat(format);
  }
  for (const AddressSpan& span : FindWebAddresses(text)) {
    QTextCursor link(document);
    link.setPosition(block.position() + span.start);
    link.setPosition(block.position() + span.start + span.length, QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setAnchor(true);
    format.setAnchorHref(text.mid(span.start, span.length).left(kMaxLinkAddressLength));
    format.setForeground(kLinkColour);
    format.setFontUnderline(true);
    link.mergeCharFormat(format);
  }
}

}  // namespace zodivane::ui
