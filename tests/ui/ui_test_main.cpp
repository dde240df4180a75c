// SPDX-License-Identifier: GPL-3.0-or-later
// Runs GoogleTest inside a QApplication on the offscreen platform, with a
// private settings store so that tests never touch the user's settings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

#include <cstdlib>

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr || *std::getenv("QT_QPA_PLATFORM") == '\0') {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
