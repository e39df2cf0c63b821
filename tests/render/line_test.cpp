// Line drawing: the worked example, the near-plane move, per-pixel colour
// truncation, the strict viewport and the 2 x 2 depth block.
#include <gtest/gtest.h>

#include <cmath>

#include "render/line.h"
#include "render_test_support.h"

namespace {

class Lines : public ::testing::Test {
 protected:
  void SetUp() override {
    target.Bind();
    ResetObjects(1);
    AllocateRenderBuffers();
    SetProjection(400, 2, 30, 20, 0, 0, 60, 40);
  }

  static uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return (r << 16) | (g << 8) | b;
  }

  GuardedFrame target{80, 50};
};

TEST_F(Lines, WorkedExampleRedToBlue) {
  DrawLine(0xFF0000, 0x0000FF, Vector3{-20, -5, 400}, Vector3{10, 3, 400});
  // From (10, 15) to (40, 23): 30 steps along x, y growing by 8 / 30.
  EXPECT_EQ(target.At(9, 14), Rgb(255, 0, 0));
  EXPECT_EQ(target.At(10, 15), Rgb(246, 0, 8));
  EXPECT_NE(target.At(11, 15), kFillPixel);
  EXPECT_NE(target.At(12, 15), kFillPixel);
  EXPECT_NE(target.At(13, 16), kFillPixel);
  EXPECT_NE(target.At(38, 22), kFillPixel);
  EXPECT_EQ(target.CountNot(kFillPixel), 30);  // one pixel per step
  for (int32_t y = 0; y < 50; ++y) EXPECT_EQ(target.At(39, y), kFillPixel);
  // Depth 400 in all four cells of every step's block.
  for (int32_t y = 0; y < 50; ++y) {
    for (int32_t x = 0; x < 80; ++x) {
      if (target.At(x, y) == kFillPixel) continue;
      for (int32_t cell = 0; cell < 4; ++cell) {
        EXPECT_EQ(DepthAt(x + cell % 2, y + cell / 2), 400.0f) << x << "," << y;
      }
    }
  }
  EXPECT_TRUE(DepthIsClear(9, 13));
  EXPECT_TRUE(target.Intact());
}

TEST_F(Lines, NearEndMovesToNearZWithItsColourRoundedHalfUp) {
  // a = (-1, 0, 1) moves to (0, 0.025, 2), colour (128, 128, 0); it then
  // projects to (30, 25) and b to (163.3, 21.7): 133 steps along x.
  DrawLine(0xFF0000, 0x00FF00, Vector3{-1, 0, 1}, Vector3{1, 0.05, 3});
  EXPECT_EQ(target.At(29, 24), Rgb(128, 128, 0));
  // Channels truncated per pixel: 128 - 128 / 133 = 127.04 and
  // 128 + 127 / 133 = 128.95.
  EXPECT_EQ(target.At(30, 25), Rgb(127, 128, 0));
  // Depth: the nearer of the depths one pixel either side, less 0.1.
  EXPECT_EQ(DepthAt(29, 24), float(-800.0 / -401.0 - 0.1));
}

TEST_F(Lines, EndsAtOrBehindTheNearPlane) {
  DrawLine(0xFF0000, 0x00FF00, Vector3{-1, 0, 1.5}, Vector3{1, 0.05, 1.9});
  EXPECT_EQ(target.CountNot(kFillPixel), 0);
  // An end exactly at z = nearZ keeps its place and colour.
  DrawLine(0x0000FF, 0x00FF00, Vector3{-0.05, 0, 2}, Vector3{1, 0.05, 3});
  EXPECT_EQ(target.At(19, 19), Rgb(0, 0, 255));
}

TEST_F(Lines, StepCountAndMajorAxis) {
  DrawLine(0xFF, 0xFF, Vector3{0, 0, 400}, Vector3{0.9, 0, 400});
  EXPECT_EQ(target.CountNot(kFillPixel), 0);  // 0.9 pixel: no step
  DrawLine(0xFF, 0xFF, Vector3{0, 0, 400}, Vector3{1.9, 0, 400});
  EXPECT_EQ(target.CountNot(kFillPixel), 1);
  target.Fill(kFillPixel);
  ClearZBuffer();
  // |dX| = |dY|: steps along y, x moving by exactly 1 per step.
  DrawLine(0xFF, 0xFF, Vector3{-10.5, -10.5, 400}, Vector3{-0.5, -0.5, 400});
  EXPECT_EQ(target.CountNot(kFillPixel), 10);
  for (int32_t i = 0; i < 10; ++i) EXPECT_NE(target.At(19 + i, 9 + i), kFillPixel);
}

TEST_F(Lines, ViewportIsStrictOnAllFourSides) {
  // Pixel columns 0 and 60 and rows 0 and 40 are never drawn.
  DrawLine(0xFF, 0xFF, Vector3{-29, -19, 400}, Vector3{29, -19, 400});  // row 0
  DrawLine(0xFF, 0xFF, Vector3{-29, 21, 400}, Vector3{29, 21, 400});    // row 40
  DrawLine(0xFF, 0xFF, Vector3{-29, -19, 400}, Vector3{-29, 19, 400});  // column 0
  DrawLine(0xFF, 0xFF, Vector3{31, -19, 400}, Vector3{31, 19, 400});    // column 60
  EXPECT_EQ(target.CountNot(kFillPixel), 0);
  DrawLine(0xFF, 0xFF, Vector3{-29, -18, 400}, Vector3{29, -18, 400});  // row 1
  EXPECT_EQ(target.CountNot(kFillPixel), 57);  // columns 1 .. 57
}

TEST_F(Lines, EqualDepthPassesAndOverwrites) {
  DrawLine(0xFF0000, 0xFF0000, Vector3{-20, -5, 400}, Vector3{10, 3, 400});
  DrawLine(0x00FF00, 0x00FF00, Vector3{-20, -5, 400}, Vector3{10, 3, 400});
  EXPECT_EQ(target.At(20, 17), 0x00FF00u);
}

TEST_F(Lines, ColourGoesToOnePixelWhenAnyCellOfTheBlockPasses) {
  DrawLine(0xFF, 0xFF, Vector3{-20, 0, 400}, Vector3{10, 0, 400});
  const int32_t x = 15, y = 19;  // a step's pixel
  ASSERT_NE(target.At(x, y), kFillPixel);
  target.Fill(kFillPixel);
  // Only the block's lower-right cell is farther than the line.
  Rig().target.depth[y * 80 + x] = 100;
  Rig().target.depth[y * 80 + x + 1] = 100;
  Rig().target.depth[(y + 1) * 80 + x] = 100;
  Rig().target.depth[(y + 1) * 80 + x + 1] = 1000;
  // The step before (pixel x - 1) must not pass either.
  Rig().target.depth[y * 80 + x - 1] = 100;
  Rig().target.depth[(y + 1) * 80 + x - 1] = 100;
  DrawLine(0xFF00, 0xFF00, Vector3{-15, 0, 400}, Vector3{-13, 0, 400});
  EXPECT_EQ(target.At(x, y), 0x00FF00u);
  EXPECT_EQ(DepthAt(x + 1, y + 1), 400.0f);
  EXPECT_EQ(DepthAt(x, y), 100.0f);
}

}  // namespace
