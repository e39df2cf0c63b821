// The built-in model and its fin scroll.
#include <gtest/gtest.h>

#include "renderer/renderer.h"
#include "scene/demo_steps.h"

using namespace renderer;

namespace {

// Images 0 and 6 have sizes (their texels do not matter to the model); the
// others are empty, as when they failed to load. The model's textures start
// at index 2 of the list.
class BuiltinModel : public ::testing::Test {
 protected:
  void SetUp() override {
    images.resize(9);
    images[2] = Texture{256, 128, {}};
    images[8] = Texture{64, 32, {}};
    model = BuildModel(images, 2);
  }
  std::vector<Texture> images;
  Mesh model;
};

TEST_F(BuiltinModel, HasTheTabledShape) {
  const Mesh& m = model;
  EXPECT_EQ(m.vertices.size(), 16u);
  EXPECT_EQ(m.triangles.size(), 20u);
  EXPECT_TRUE(m.lines.empty());
  EXPECT_TRUE(m.vertexVectors.empty());
  EXPECT_EQ(m.vertices[0].x, -800);
  EXPECT_EQ(m.vertices[6].z, 800);
  EXPECT_EQ(m.vertices[13].x, 2400);
  EXPECT_EQ(m.vertices[14].z, 2400);
  const int32_t corners[20][3] = {
      {0, 1, 2},   {0, 2, 3},   {1, 5, 6},  {1, 6, 2},  {5, 4, 7},
      {5, 7, 6},   {4, 0, 3},   {4, 3, 7},  {4, 5, 1},  {4, 1, 0},
      {3, 2, 6},   {3, 6, 7},   {0, 8, 9},  {0, 9, 3},  {1, 10, 11},
      {1, 11, 2},  {5, 12, 13}, {5, 13, 6}, {4, 14, 15}, {4, 15, 7}};
  for (int t = 0; t < 20; ++t) {
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(m.triangles[t].vertex[c], corners[t][c]) << t;
      EXPECT_EQ(m.triangles[t].colour[c], 0u);
    }
    const int slot = t < 12 ? t / 2 : 6;
    EXPECT_EQ(m.triangles[t].texture, 2 + slot) << t;
  }
}

// Triangle t's texel coordinates, every triangle of the model having them.
const double (&Uv(const Mesh& mesh, size_t t))[3][2] {
  return mesh.texels.at(size_t(mesh.triangles.at(t).texels)).uv;
}

TEST_F(BuiltinModel, TextureCoordinatesSpanEachImage) {
  const double fin12[3][2] = {{0, 0}, {64, 0}, {64, 32}};
  const double fin13[3][2] = {{0, 0}, {64, 32}, {0, 32}};
  const double face1[3][2] = {{0, 0}, {256, 128}, {0, 128}};
  for (int c = 0; c < 3; ++c) {
    for (int k = 0; k < 2; ++k) {
      EXPECT_EQ(Uv(model, 12)[c][k], fin12[c][k]);
      EXPECT_EQ(Uv(model, 13)[c][k], fin13[c][k]);
      EXPECT_EQ(Uv(model, 1)[c][k], face1[c][k]);
      // Image 2 of the model was empty at build time: all coordinates 0.
      EXPECT_EQ(Uv(model, 4)[c][k], 0.0);
      EXPECT_EQ(Uv(model, 5)[c][k], 0.0);
    }
  }
}

TEST_F(BuiltinModel, ScrollMovesOnlyTheFinsUByTenPerStep) {
  const Mesh original = model;
  for (int n = 0; n < 7; ++n) ScrollFinTexture(model);
  for (size_t t = 0; t < 20; ++t) {
    for (int c = 0; c < 3; ++c) {
      const double shift = t >= 12 ? 70.0 : 0.0;
      EXPECT_EQ(Uv(model, t)[c][0], Uv(original, t)[c][0] + shift);
      EXPECT_EQ(Uv(model, t)[c][1], Uv(original, t)[c][1]);
    }
  }
}

TEST(BuiltinModelImages, MissingImagesGiveZeroCoordinates) {
  const Mesh model = BuildModel({}, 0);
  for (size_t t = 0; t < model.triangles.size(); ++t) {
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(Uv(model, t)[c][0], 0.0);
      EXPECT_EQ(Uv(model, t)[c][1], 0.0);
    }
  }
}

}  // namespace
