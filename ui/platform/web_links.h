// SPDX-License-Identifier: GPL-3.0-or-later
// The three web pages the program opens, and the maker's address it shows.
#pragma once

#include <QString>
#include <QUrl>

#include "ui/platform/platform.h"

namespace zodivane::ui {

/// The fixed addresses, set at build time (CMake cache options).
struct WebAddresses {
  static QUrl HomePage() { return QUrl(QStringLiteral(ZODIVANE_HOME_URL)); }
  static QUrl HelpPage() { return QUrl(QStringLiteral(ZODIVANE_HELP_URL)); }
  static QUrl DownloadPage() { return QUrl(QStringLiteral(ZODIVANE_DOWNLOAD_URL)); }
  /// The maker's address as the windows print it.
  static QString HomePageText() { return QStringLiteral(ZODIVANE_HOME_URL); }
  /// The maker's web site as its name reads in the banners: the home page's
  /// host, or the whole address when it has none.
  static QString HomePageHost() {
    const QString host = HomePage().host();
    return host.isEmpty() ? HomePageText() : host;
  }
};

/// The link actions. Each opens its page through the browser service and
/// never waits for it; a page that cannot be opened is not reported.
class WebLinks {
 public:
  /// `messages`, when given, says so when no browser can be started, and
  /// shows the address to open by hand.
  explicit WebLinks(WebBrowser& browser, MessageBoxes* messages = nullptr)
      : browser_(browser), messages_(messages) {}

  void OpenWebPage(const QUrl& address) {
    if (!browser_.OpenWebPage(address) && messages_ != nullptr) {
      messages_->ShowNotice(nullptr,
                            QStringLiteral("No web browser could be started. Open this address "
                                           "in one:\n%1")
                                .arg(address.toString()),
                            MessageIcon::Information);
    }
  }
  void OpenHomePage() { OpenWebPage(WebAddresses::HomePage()); }
  void OpenHelpPage() { OpenWebPage(WebAddresses::HelpPage()); }
  void OpenDownloadPage() { OpenWebPage(WebAddresses::DownloadPage()); }

 private:
  WebBrowser& browser_;
  MessageBoxes* messages_ = nullptr;
};

}  // namespace zodivane::ui
