// SPDX-License-Identifier: GPL-3.0-or-later
// A test fixture holding one gazetteer for all cases of a suite: reading it
// takes a few tenths of a second.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "places/gazetteer.h"

namespace zodivane::test {

class SharedGazetteerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { gazetteer_ = std::make_unique<places::Gazetteer>(); }
  static void TearDownTestSuite() { gazetteer_.reset(); }
  static const places::Gazetteer& gazetteer() { return *gazetteer_; }

 private:
  static inline std::unique_ptr<places::Gazetteer> gazetteer_;
};

}  // namespace zodivane::test
