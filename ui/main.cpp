// SPDX-License-Identifier: GPL-3.0-or-later
// Zodivane: casts a Western natal chart.
#include <QApplication>

#include "ui/app.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return zodivane::ui::RunProgram(app);
}
