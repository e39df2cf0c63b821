// In every fill version, plain and vector: a surface drawn a second time at
// exactly the depth it already has does not overwrite itself, because the
// depth test is strict; the triangle drawn first keeps its pixels.
#include <gtest/gtest.h>

#include "fill_path_param.h"
#include "render/fill_flat.h"
#include "render/fill_textured.h"
#include "render_test_support.h"

namespace {

constexpr uint32_t kFirst = 0x00204060u;
constexpr uint32_t kSecond = 0x00A0C0E0u;

class EqualDepth : public OnEveryFillPath {
 protected:
  void SetUp() override {
    target.Bind();
    ResetObjects(1);
    for (int32_t r = 0; r < 4; ++r) {
      for (int32_t c = 0; c < 4; ++c) {
        first.Set(c, r, kFirst);
        second.Set(c, r, kSecond);
      }
    }
    const double uv[3][2] = {};
    mesh.vertices = {{0, 0, 0}};
    mesh.triangles = {TexturedTriangle(&mesh, 0, 0, 0, &first.texture, uv),
                      TexturedTriangle(&mesh, 0, 0, 0, &second.texture, uv),
                      FlatTriangle(0, 0, 0, 0)};
    PlaceMesh(&mesh, 0, 0, 0, 100000);
    UseParamFillPath();
  }

  // A whole-number centre gives rows whose sums the vector fills form per
  // pixel; a fractional one, rows they add up step by step.
  void Project(double centreX, double centreY) {
    SetProjection(100, 2, centreX, centreY, 0, 0, kWidth, kHeight);
    ClearZBuffer();
    target.Fill(kFillPixel);
  }

  // Corners at camera depths z0, z1, z2 spanning most of the frame.
  static ClippedTriangle Large(int32_t z0, int32_t z1, int32_t z2,
                               uint32_t colour, int32_t triangleIndex) {
    return MakeTriangle(ProjectedCorner(-z0, -7 * z0 / 10, z0, colour),
                        ProjectedCorner(z1, -7 * z1 / 10, z1),
                        ProjectedCorner(0, 7 * z2 / 10, z2), 0, triangleIndex);
  }

  int32_t Count(uint32_t colour) {
    return kWidth * kHeight - target.CountNot(colour);
  }

  static constexpr int32_t kWidth = 301;
  static constexpr int32_t kHeight = 160;
  GuardedFrame target{kWidth, kHeight};
  TestTexture first{4, 4};
  TestTexture second{4, 4};
  TestMesh mesh;
};

// Facing the camera, the plane's depth is a whole number, the same as a
// double and as a float. (Tilted, the flat fill may redraw: it compares
// the depth as a double with the float it stored.)
TEST_P(EqualDepth, FlatSurfaceFacingTheCameraKeepsItsFirstColour) {
  for (double centre : {150.0, 150.5}) {
    Project(centre, 80.25);
    const ClippedTriangle once = Large(40, 40, 40, kFirst, 2);
    const ClippedTriangle again = Large(40, 40, 40, kSecond, 2);
    ASSERT_NE(FlatShade(once), FlatShade(again));
    FillFlatTriangle(once);
    const int32_t drawn = Count(FlatShade(once));
    FillFlatTriangle(again);
    EXPECT_GT(drawn, 10000) << "centre " << centre;
    EXPECT_EQ(Count(FlatShade(once)), drawn) << "centre " << centre;
    EXPECT_EQ(Count(FlatShade(again)), 0) << "centre " << centre;
  }
}

TEST_P(EqualDepth, TexturedSurfaceKeepsItsFirstTexture) {
  for (double centre : {150.0, 150.5}) {
    Project(centre, 80.25);
    FillTexturedTriangle(Large(40, 40, 40, 0, 0));
    const int32_t drawn = Count(kFirst);
    FillTexturedTriangle(Large(40, 40, 40, 0, 1));
    EXPECT_GT(drawn, 10000) << "centre " << centre;
    EXPECT_EQ(Count(kFirst), drawn) << "centre " << centre;
    EXPECT_EQ(Count(kSecond), 0) << "centre " << centre;
  }
}

// Tilted, most depths are not whole floats; the textured fill compares the
// depth after rounding it to float, so the second drawing still fails the
// test everywhere.
TEST_P(EqualDepth, TiltedTexturedSurfaceKeepsItsFirstTexture) {
  Project(150.5, 80.25);
  FillTexturedTriangle(Large(37, 53, 41, 0, 0));
  const int32_t drawn = Count(kFirst);
  FillTexturedTriangle(Large(37, 53, 41, 0, 1));
  EXPECT_GT(drawn, 10000);
  EXPECT_EQ(Count(kSecond), 0);
}

INSTANTIATE_ON_EVERY_FILL_PATH(EqualDepth);

}  // namespace
