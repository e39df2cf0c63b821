// The untextured fill: exact plane depth, the strict tests, and lighting by
// the angle to object 0's position.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>

#include "render/fill_flat.h"
#include "fill_path_param.h"
#include "render_test_support.h"

namespace {

class FlatFill : public OnEveryFillPath {
 protected:
  void SetUp() override {
    target.Bind();
    ResetObjects(1);
    AllocateRenderBuffers();
    SetProjection(400, 2, 50, 40, 0, 0, 160, 120);
    UseParamFillPath();
  }

  // The worked example: corners (0, 0, 10), (1, 0, 10), (0, 1, 10), which
  // land on (50, 40), (90, 40), (50, 80).
  static ClippedTriangle Example(uint32_t colour) {
    return MakeTriangle(ProjectedCorner(0, 0, 10, colour),
                        ProjectedCorner(1, 0, 10), ProjectedCorner(0, 1, 10));
  }

  void SetLight(int32_t x, int32_t y, int32_t z) {
    Rig().scene.objects[0].position[0] = x;
    Rig().scene.objects[0].position[1] = y;
    Rig().scene.objects[0].position[2] = z;
  }

  GuardedFrame target{160, 120};
};

TEST_P(FlatFill, WorkedExampleCoversTheTopLeftCornerAtDepthTen) {
  FillFlatTriangle(Example(0x00336699));
  EXPECT_EQ(target.At(50, 40), 0x00336699u);  // L = (0, 0, 3190): cosine -1
  EXPECT_EQ(DepthAt(50, 40), 10.0f);
  // Row 40 + i covers columns 50 .. 89 - i: 820 pixels, all at depth 10.
  int32_t covered = 0;
  for (int32_t y = 0; y < 120; ++y) {
    for (int32_t x = 0; x < 160; ++x) {
      const bool inside = y >= 40 && y < 80 && x >= 50 && x <= 89 - (y - 40);
      EXPECT_EQ(target.At(x, y) != kFillPixel, inside) << x << "," << y;
      if (inside) {
        EXPECT_EQ(DepthAt(x, y), 10.0f) << x << "," << y;
      }
      covered += inside;
    }
  }
  EXPECT_EQ(covered, 820);
  EXPECT_TRUE(target.Intact());
}

TEST_P(FlatFill, FacingTheReferencePointGivesPureWhite) {
  SetLight(0, 0, -100);  // L = (0, 0, -110): cosine exactly 1
  FillFlatTriangle(Example(0x00336699));
  EXPECT_EQ(target.At(60, 45), 0x00FFFFFFu);
}

TEST_P(FlatFill, CentroidAtTheReferencePointKeepsTheBaseColour) {
  SetLight(0, 0, 10);  // centroid (0, 0, 10): L = 0, cosine undefined
  EXPECT_EQ(FlatShade(Example(0x00336699)), 0x00336699u);
}

TEST_P(FlatFill, CosineNineTenthsGivesLevel229) {
  // N = E2 x E1 = (1, 1, 0); centroid (0, 0, 10) with y = -1/3 truncated
  // toward zero; L = (5, 4, 3): cosine 9 / 10.
  SetLight(5, 4, 13);
  const ClippedTriangle t =
      MakeTriangle(ProjectedCorner(0, 0, 10, 0x000064C8),
                   ProjectedCorner(1, -1, 10), ProjectedCorner(0, 0, 11));
  EXPECT_EQ(FlatShade(t), (229u << 16) | (239u << 8) | 249u);
}

TEST_P(FlatFill, TopByteOfTheBaseColourIsIgnored) {
  EXPECT_EQ(FlatShade(Example(0xAB336699u)), 0x00336699u);
}

TEST_P(FlatFill, BothWindingsDrawTheSameDepthsButShadeByTheNormal) {
  SetLight(0, 0, -100);
  const ClippedTriangle front = Example(0x00336699);
  const ClippedTriangle back = MakeTriangle(
      front.corners[0], front.corners[2], front.corners[1]);
  EXPECT_EQ(FlatShade(front), 0x00FFFFFFu);
  EXPECT_EQ(FlatShade(back), 0x00336699u);
  FillFlatTriangle(back);
  EXPECT_EQ(target.At(50, 40), 0x00336699u);
  EXPECT_EQ(DepthAt(50, 40), 10.0f);
}

TEST_P(FlatFill, EqualDepthIsNotRedrawn) {
  FillFlatTriangle(Example(0x00112233));
  FillFlatTriangle(Example(0x00445566));
  EXPECT_EQ(target.At(60, 45), 0x00112233u);
}

TEST_P(FlatFill, DepthLimitsOneAndNearZ) {
  // The plane z = y + 2: about 1.8 at row 0, 2 at row 40, 2.5 at row 119.
  const ClippedTriangle tilted =
      MakeTriangle(ProjectedCorner(-10, -1, 1, 0x00FF0000),
                   ProjectedCorner(10, -1, 1), ProjectedCorner(0, 3, 5));
  auto drawn = [&](int32_t nearZ, float* nearest) {
    ClearZBuffer();
    target.Fill(kFillPixel);
    Rig().view.nearZ = nearZ;
    FillFlatTriangle(tilted);
    *nearest = 1e30f;
    for (int32_t y = 0; y < 120; ++y) {
      for (int32_t x = 0; x < 160; ++x) {
        if (target.At(x, y) != kFillPixel) {
          *nearest = std::min(*nearest, DepthAt(x, y));
        }
      }
    }
    return target.CountNot(kFillPixel);
  };
  float nearest2, nearest0;
  const int32_t count2 = drawn(2, &nearest2);
  const int32_t count0 = drawn(0, &nearest0);
  EXPECT_GT(count2, 0);
  EXPECT_GT(count0, count2);  // pixels between z = 1 and 2 come back
  EXPECT_GT(nearest2, 2.0f);
  EXPECT_GT(nearest0, 1.0f);
  EXPECT_LT(nearest0, 2.0f);

  // A triangle in the plane z = 1 fails the fixed z > 1 test.
  Rig().view.nearZ = -5;
  FillFlatTriangle(MakeTriangle(ProjectedCorner(0, 0, 1, 0x00FF0000),
                                ProjectedCorner(1, 0, 1),
                                ProjectedCorner(0, 1, 1)));
  EXPECT_EQ(target.CountNot(kFillPixel), count0);
}

TEST_P(FlatFill, DegenerateAndEdgeOnTrianglesDrawNothing) {
  FillFlatTriangle(MakeTriangle(ProjectedCorner(0, 0, 10, 0xFF),
                                ProjectedCorner(1, 1, 20),
                                ProjectedCorner(2, 2, 30)));  // on one line
  // A plane through the eye: K = 0, so z = 0 everywhere.
  FillFlatTriangle(MakeTriangle(ProjectedCorner(10, 0, 10, 0xFF),
                                ProjectedCorner(0, 5, 20),
                                ProjectedCorner(10, 5, 30)));
  EXPECT_EQ(target.CountNot(kFillPixel), 0);
  for (int32_t x = 0; x < 160; ++x) EXPECT_TRUE(DepthIsClear(x, 40));
}

INSTANTIATE_ON_EVERY_FILL_PATH(FlatFill);

}  // namespace
