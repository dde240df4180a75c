// SPDX-License-Identifier: GPL-3.0-or-later
// Zodivane: casts a Western natal chart.
#include <QApplication>

#include <csignal>
#include <cstdio>
#include <cstring>

#include "ui/app/app.h"

int main(int argc, char** argv) {
  // A write beyond the file size limit fails with its reason instead of
  // ending the program; every writer reports it.
  std::signal(SIGXFSZ, SIG_IGN);
  // --version answers without a display, before any window system is asked.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      const bool written =
          std::fputs("zodivane " ZODIVANE_VERSION "\n", stdout) >= 0 && std::fflush(stdout) == 0;
      if (!written) {
        std::perror("zodivane: cannot write the version");
        return 1;
      }
      return 0;
    }
  }
  QApplication app(argc, argv);
  return zodivane::ui::RunProgram(app);
}
