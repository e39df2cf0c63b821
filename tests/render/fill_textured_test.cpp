// The textured fill: perspective-correct texels, the wrap, transparent
// white, and depth rounded to float before it is tested.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <vector>

#include "render/fill_flat.h"
#include "render/fill_textured.h"
#include "fill_path_param.h"
#include "render_test_support.h"

namespace {

// Object 0 carries one textured triangle (index 0) and one that points at
// `other` (index 1); the fills are called with hand-made corners.
class TexturedFill : public OnEveryFillPath {
 protected:
  void SetUp() override {
    target.Bind();
    ResetObjects(1);
    const double uv[3][2] = {{0, 0}, {0, 0}, {0, 0}};
    mesh.vertices = {{0, 0, 0}};
    mesh.triangles = {TexturedTriangle(&mesh, 0, 0, 0, &texture.texture, uv),
                      TexturedTriangle(&mesh, 0, 0, 0, &other.texture, uv)};
    PlaceMesh(&mesh, 0, 0, 0, 0);
    SetProjection(100, 2, 20, 20, 0, 0, 160, 120);
    UseParamFillPath();
  }

  // Corners (0, 0, 10), (4, 0, 10), (0, 3, 10): screen (20, 20), (60, 20),
  // (20, 50); camera x and y are (pixel - 20) / 10.
  static ClippedTriangle Flat(double u0, double v0, double u1, double v1,
                              double u2, double v2, int32_t triangle = 0) {
    return MakeTriangle(ProjectedCorner(0, 0, 10, 0, u0, v0),
                        ProjectedCorner(4, 0, 10, 0, u1, v1),
                        ProjectedCorner(0, 3, 10, 0, u2, v2), 0, triangle);
  }

  static ClippedTriangle Constant(double u, double v) {
    return Flat(u, v, u, v, u, v);
  }

  GuardedFrame target{160, 120};
  TestTexture texture{4, 3};
  TestTexture other{2, 2};
  TestMesh mesh;
};

TEST_P(TexturedFill, MapsUAlongXAndVDownWithTheHalfTexelOnUOnly) {
  FillTexturedTriangle(Flat(0, 0, 4, 0, 0, 3));
  EXPECT_EQ(target.At(22, 22), TestTexture::Default(0, 0));
  EXPECT_EQ(target.At(27, 27), TestTexture::Default(1, 0));  // u 0.7, v 0.7
  EXPECT_EQ(target.At(32, 33), TestTexture::Default(1, 1));
  EXPECT_EQ(target.At(47, 22), TestTexture::Default(3, 0));
  EXPECT_EQ(target.At(22, 45), TestTexture::Default(0, 2));
  EXPECT_EQ(DepthAt(27, 27), 10.0f);
}

TEST_P(TexturedFill, TextureCoordinatesArePerspectiveCorrect) {
  // The plane z = 10 + 1.25 x with u = x / 2, v = y / 2. Pixel (40, 22)
  // sees x = 8 / 3 at z = 40 / 3: u = 1.33 (column 1), where interpolating
  // in screen space would give u = 2.
  FillTexturedTriangle(MakeTriangle(ProjectedCorner(0, 0, 10, 0, 0, 0),
                                    ProjectedCorner(8, 0, 20, 0, 4, 0),
                                    ProjectedCorner(0, 6, 10, 0, 0, 3)));
  EXPECT_EQ(target.At(40, 22), TestTexture::Default(1, 0));
  EXPECT_NEAR(DepthAt(40, 22), 40.0 / 3.0, 1e-5);
}

TEST_P(TexturedFill, TexelCoordinatesWrapAsTheNonNegativeRemainder) {
  struct Case {
    double u, v;
    int32_t column, row;
  } cases[] = {
      {4, 0, 0, 0},      {3.5, 0, 0, 0},     {3.49, 0, 3, 0},
      {0.49, 0, 0, 0},   {0.5, 0, 1, 0},     {-1.49, 0, 0, 0},
      {-1.5, 0, 3, 0},   {-1.7, 0, 3, 0},    {0, 3, 0, 0},
      {0, 2.99, 0, 2},   {0, 0.99, 0, 0},    {0, -0.99, 0, 0},
      {0, -1, 0, 2},     {0, -1.2, 0, 2},    {4001, 0, 1, 0},
      // Past the int32 range the remainder is still exact.
      {1e12 + 2, 0, 2, 0}, {-1e12 + 1, 0, 2, 0}, {0, 3e12 + 1, 0, 1},
      {2147483648.2, 0, 0, 0}, {0, -2147483650.5, 0, 2},
  };
  for (const Case& k : cases) {
    ClearZBuffer();
    FillTexturedTriangle(Constant(k.u, k.v));
    EXPECT_EQ(target.At(30, 30), TestTexture::Default(k.column, k.row))
        << "u " << k.u << " v " << k.v;
  }
}

TEST_P(TexturedFill, PureWhiteWritesNeitherColourNorDepth) {
  texture.Set(0, 0, 0x00FFFFFF);
  texture.Set(1, 0, 0x00FFFEFF);
  FillTexturedTriangle(Constant(0, 0));
  EXPECT_EQ(target.CountNot(kFillPixel), 0);
  EXPECT_TRUE(DepthIsClear(30, 30));
  FillTexturedTriangle(Constant(1, 0));
  EXPECT_EQ(target.At(30, 30), 0x00FFFEFFu);
}

TEST_P(TexturedFill, WhiteHolesShowWhatIsBehindInEitherOrder) {
  texture.Set(0, 0, 0x00FFFFFF);
  const ClippedTriangle nearHole = Constant(0, 0);  // at z = 10
  ClippedTriangle far = MakeTriangle(ProjectedCorner(0, 0, 20), ProjectedCorner(8, 0, 20),
                                     ProjectedCorner(0, 6, 20), 0, 1);
  FillTexturedTriangle(far);
  FillTexturedTriangle(nearHole);
  EXPECT_EQ(target.At(30, 30), TestTexture::Default(0, 0));
  EXPECT_EQ(DepthAt(30, 30), 20.0f);

  ClearZBuffer();
  target.Fill(kFillPixel);
  FillTexturedTriangle(nearHole);
  FillTexturedTriangle(far);
  EXPECT_EQ(target.At(30, 30), TestTexture::Default(0, 0));
  EXPECT_EQ(DepthAt(30, 30), 20.0f);
}

TEST_P(TexturedFill, EqualDepthIsNotRedrawn) {
  FillTexturedTriangle(Constant(1, 1));
  FillTexturedTriangle(Constant(2, 2));
  EXPECT_EQ(target.At(30, 30), TestTexture::Default(1, 1));
}

TEST_P(TexturedFill, DepthIsRoundedToFloatBeforeTheTestUnlikeTheFlatFill) {
  // A tilted plane: most pixels' depths are not whole floats. Drawn a
  // second time, the textured fill compares the same floats and redraws
  // nothing; the flat fill compares the double, so every pixel whose depth
  // was rounded up to the float redraws (with the same stored depth).
  const ClippedTriangle tilted =
      MakeTriangle(ProjectedCorner(-30, -20, 13, 0x00FF0000, 0, 0),
                   ProjectedCorner(30, -20, 29, 0, 0, 0),
                   ProjectedCorner(0, 30, 17, 0, 0, 0));
  FillTexturedTriangle(tilted);
  const int32_t drawn = target.CountNot(kFillPixel);
  ASSERT_GT(drawn, 1000);
  std::vector<float> depths(Rig().target.depth,
                            Rig().target.depth + Rig().target.depthEntries);
  target.Fill(kFillPixel);
  FillTexturedTriangle(tilted);
  EXPECT_EQ(target.CountNot(kFillPixel), 0);

  FillFlatTriangle(tilted);
  const int32_t redrawn = target.CountNot(kFillPixel);
  EXPECT_GT(redrawn, drawn / 5);
  EXPECT_LT(redrawn, drawn);
  EXPECT_TRUE(std::equal(depths.begin(), depths.end(), Rig().target.depth));
}

TEST_P(TexturedFill, SwappingCornersOneAndTwoChangesNothing) {
  const ClippedTriangle t =
      MakeTriangle(ProjectedCorner(-31, -17, 13, 0, 0.3, 7.1),
                   ProjectedCorner(29, -22, 37, 0, 13.7, -2.2),
                   ProjectedCorner(3, 33, 19, 0, 5.9, 9.4));
  FillTexturedTriangle(t);
  const Image first = CopyImage(target.pixels, target.stride, 160, 120);
  std::vector<float> depths(Rig().target.depth,
                            Rig().target.depth + Rig().target.depthEntries);
  ClearZBuffer();
  target.Fill(kFillPixel);
  FillTexturedTriangle(MakeTriangle(t.corners[0], t.corners[2], t.corners[1]));
  EXPECT_EQ(CopyImage(target.pixels, target.stride, 160, 120).pixels,
            first.pixels);
  EXPECT_TRUE(std::equal(depths.begin(), depths.end(), Rig().target.depth));
}

TEST_P(TexturedFill, NearZAndTheFixedLimitOfOne) {
  Rig().view.focalLength = 400;
  Rig().view.centreY = 40;
  Rig().view.centreX = 50;
  // The plane z = y + 2: about 1.8 at row 0, 2 at row 40, 2.5 at row 119.
  const ClippedTriangle tilted =
      MakeTriangle(ProjectedCorner(-10, -1, 1), ProjectedCorner(10, -1, 1),
                   ProjectedCorner(0, 3, 5));
  FillTexturedTriangle(tilted);
  EXPECT_EQ(target.At(50, 10), kFillPixel);  // z below 2
  EXPECT_NE(target.At(50, 100), kFillPixel);
  Rig().view.nearZ = 0;
  FillTexturedTriangle(tilted);
  EXPECT_NE(target.At(50, 10), kFillPixel);
  target.Fill(kFillPixel);
  ClearZBuffer();
  FillTexturedTriangle(MakeTriangle(ProjectedCorner(0, 0, 1),
                                    ProjectedCorner(1, 0, 1),
                                    ProjectedCorner(0, 1, 1)));
  EXPECT_EQ(target.CountNot(kFillPixel), 0);  // z = 1 fails z > 1
}

TEST_P(TexturedFill, EmptyTexturesSkipTheTriangle) {
  const Texture empty{};  // an image that failed to load
  const Texture noTexels{4, 3, {}};
  Texture shortTexels = texture.texture;
  shortTexels.texels.pop_back();
  const Texture* const unusable[] = {&empty, &noTexels, &shortTexels};
  for (const Texture* t : unusable) {
    EXPECT_FALSE(TextureIsUsable(*t));
    ClippedTriangle triangle = Constant(1, 1);
    triangle.texture = t;
    FillTexturedTriangle(triangle);
    EXPECT_EQ(target.CountNot(kFillPixel), 0);
    EXPECT_TRUE(DepthIsClear(30, 30));
  }
  // A triangle whose texture index names no texture has none.
  ClippedTriangle none = Constant(1, 1);
  none.texture = nullptr;
  FillTexturedTriangle(none);
  EXPECT_EQ(target.CountNot(kFillPixel), 0);
  EXPECT_TRUE(TextureIsUsable(texture.texture));
}

INSTANTIATE_ON_EVERY_FILL_PATH(TexturedFill);

}  // namespace
