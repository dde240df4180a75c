// SPDX-License-Identifier: GPL-3.0-or-later
// The about box: the program's name, version and purpose, and a link to the
// maker's home page. Modal; each opening starts afresh.
#pragma once

#include <QDialog>

#include "ui/platform/web_links.h"

namespace zodivane::ui {

class frmAbout : public QDialog {
  Q_OBJECT

 public:
  /// `links` opens the maker's home page; it outlives the dialog.
  explicit frmAbout(WebLinks& links, QWidget* parent = nullptr);

  /// The program's icon at `logicalSize`, drawn for the screen's pixel ratio;
  /// the application's window icon when the artwork is missing.
  [[nodiscard]] static QPixmap ProgramIcon(int logicalSize, qreal devicePixelRatio);

 public slots:
  void cmdOK_Click() { accept(); }
  void lblHomePage_Click() { links_.OpenHomePage(); }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  WebLinks& links_;
};

}  // namespace zodivane::ui
