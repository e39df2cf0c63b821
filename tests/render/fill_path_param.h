#pragma once
// Tests that run once per fill version this processor runs: the plain fills
// and each vector target. The parameter indexes SupportedFillPaths().
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "render_test_support.h"

// Call UseParamFillPath() at the end of SetUp: the rig's workspace then
// draws with the version under test, and goes back to the best one after.
class OnEveryFillPath : public ::testing::TestWithParam<size_t> {
 protected:
  static FillPath ParamFillPath() { return SupportedFillPaths()[GetParam()]; }
  static void UseParamFillPath() {
    ASSERT_TRUE(SetFillPath(RigWorkspace(), ParamFillPath()));
  }
  void TearDown() override { SetFillPath(RigWorkspace(), BestFillPath()); }
};

inline std::string FillPathParamName(
    const ::testing::TestParamInfo<size_t>& info) {
  return FillPathName(SupportedFillPaths()[info.param]);
}

#define INSTANTIATE_ON_EVERY_FILL_PATH(suite)                   \
  INSTANTIATE_TEST_SUITE_P(                                     \
      EveryFillPath, suite,                                     \
      ::testing::Range(size_t{0}, SupportedFillPaths().size()), \
      FillPathParamName)
