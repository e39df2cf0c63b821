// The built-in model and its fin scroll.
#include <gtest/gtest.h>

#include "scene/model.h"
#include "scene/texture.h"

namespace {

class BuiltinModel : public ::testing::Test {
 protected:
  void SetUp() override {
    for (Texture& t : textureSlots) FreeTexture(&t);
    textureSlots[0] = {256, 128, 0, nullptr};
    textureSlots[6] = {64, 32, 0, nullptr};
    BuildModel();
    textureSlots[0] = {};
    textureSlots[6] = {};
  }
};

TEST_F(BuiltinModel, HasTheTabledShape) {
  const Mesh& m = *builtinModel;
  EXPECT_EQ(m.vertexCount, 16);
  EXPECT_EQ(m.triangleCount, 20);
  EXPECT_EQ(m.lineCount, 0);
  EXPECT_EQ(m.hasVertexVectors, 0);
  EXPECT_EQ(m.lines, nullptr);
  EXPECT_EQ(m.vertexVectors, nullptr);
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
      EXPECT_EQ(m.triangles[t].colour[c], 0);
    }
    const int slot = t < 12 ? t / 2 : 6;
    EXPECT_EQ(m.triangles[t].texture, &textureSlots[slot]) << t;
  }
}

TEST_F(BuiltinModel, TextureCoordinatesSpanEachImage) {
  const MeshTriangle* t = builtinModel->triangles;
  const double fin12[3][2] = {{0, 0}, {64, 0}, {64, 32}};
  const double fin13[3][2] = {{0, 0}, {64, 32}, {0, 32}};
  const double face1[3][2] = {{0, 0}, {256, 128}, {0, 128}};
  for (int c = 0; c < 3; ++c) {
    for (int k = 0; k < 2; ++k) {
      EXPECT_EQ(t[12].uv[c][k], fin12[c][k]);
      EXPECT_EQ(t[13].uv[c][k], fin13[c][k]);
      EXPECT_EQ(t[1].uv[c][k], face1[c][k]);
      // Slot 2 was empty at build time: all coordinates 0.
      EXPECT_EQ(t[4].uv[c][k], 0.0);
      EXPECT_EQ(t[5].uv[c][k], 0.0);
    }
  }
}

TEST_F(BuiltinModel, ScrollMovesOnlyTheFinsUByTenPerStep) {
  Mesh before = *builtinModel;
  std::vector<MeshTriangle> original(before.triangles, before.triangles + 20);
  for (int n = 0; n < 7; ++n) ScrollFinTexture();
  for (int t = 0; t < 20; ++t) {
    for (int c = 0; c < 3; ++c) {
      const double shift = t >= 12 ? 70.0 : 0.0;
      EXPECT_EQ(builtinModel->triangles[t].uv[c][0], original[t].uv[c][0] + shift);
      EXPECT_EQ(builtinModel->triangles[t].uv[c][1], original[t].uv[c][1]);
    }
  }
}

}  // namespace
