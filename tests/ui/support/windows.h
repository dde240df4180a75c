// SPDX-License-Identifier: GPL-3.0-or-later
// Finding a window's controls by name, and filling the input form as a user
// types.
#pragma once

#include <gtest/gtest.h>
#include <array>

#include <QLineEdit>
#include <QObject>
#include <QString>
#include <QTest>

#include <utility>

namespace zodivane::ui::testing {

/// The child of `window` named `name`, of type `T`; a failure when there is none.
template <typename T>
T* Child(const QObject& window, const char* name) {
  T* control = window.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(control, nullptr) << name;
  return control;
}

/// Types the entries of a valid birth into the input form `form`, key by
/// key: the name "asha" (the box makes it "ASHA"), 77° 12' and 28° 38'.
inline void TypeValidBirth(const QObject& form) {
  const auto entries = std::to_array<std::pair<const char*, const char*>>({
      {"txtName", "asha"},
      {"txtLonD", "77"},
      {"txtLonM", "12"},
      {"txtLatD", "28"},
      {"txtLatM", "38"},
  });
  for (const auto& [box, keys] : entries) {
    QTest::keyClicks(Child<QLineEdit>(form, box), QString::fromLatin1(keys));
  }
}

}  // namespace zodivane::ui::testing
