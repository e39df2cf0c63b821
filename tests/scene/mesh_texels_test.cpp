// Texel coordinates kept apart from the triangles: sizes and bookkeeping.
#include <gtest/gtest.h>

#include <cmath>

#include "renderer/mesh.h"

using namespace renderer;

namespace {

// An untextured triangle costs at most 40 bytes, a textured one (with its
// coordinates) no more than the 80 it took when every triangle held them.
static_assert(sizeof(MeshTriangle) <= 40);
static_assert(sizeof(MeshTriangle) + sizeof(TriangleTexels) <= 80);

TEST(MeshTexels, TexturedTrianglesGetTheirOwnEntries) {
  Mesh mesh;
  AddTexturedTriangle(mesh, {0, 1, 2}, 3, {{0, 0}, {4, 0}, {4, 4}});
  AddTexturedTriangle(mesh, {0, 2, 3}, 1, {{0, 0}, {4, 4}, {0, 4}});
  ASSERT_EQ(mesh.triangles.size(), 2u);
  ASSERT_EQ(mesh.texels.size(), 2u);
  EXPECT_EQ(mesh.triangles[1].texture, 1);
  EXPECT_EQ(mesh.triangles[1].vertex[2], 3);
  EXPECT_EQ(mesh.triangles[1].colour[0], 0u);
  ASSERT_NE(TexelsOf(mesh, mesh.triangles[1]), nullptr);
  EXPECT_EQ(TexelsOf(mesh, mesh.triangles[1])->uv[1][0], 4.0);
  EXPECT_EQ(TexelsOf(mesh, mesh.triangles[0])->uv[2][1], 4.0);
}

TEST(MeshTexels, UntexturedZerosNeedNoEntryButAnythingElseKeepsOne) {
  Mesh mesh;
  MeshTriangle flat;
  SetTexels(mesh, flat, {});
  EXPECT_EQ(flat.texels, kNoTexels);
  EXPECT_TRUE(mesh.texels.empty());
  EXPECT_EQ(TexelsOf(mesh, flat), nullptr);
  // -0 is kept: a scene file written back must show it as it was read.
  SetTexels(mesh, flat, {{0, 0}, {0, -0.0}, {0, 0}});
  ASSERT_EQ(flat.texels, 0);
  EXPECT_TRUE(std::signbit(mesh.texels[0].uv[1][1]));
  // A triangle with an entry has it overwritten, not another appended.
  SetTexels(mesh, flat, {{1, 2}, {3, 4}, {5, 6}});
  ASSERT_EQ(mesh.texels.size(), 1u);
  EXPECT_EQ(mesh.texels[0].uv[2][1], 6.0);
  MeshTriangle textured;
  textured.texture = 0;
  SetTexels(mesh, textured, {});
  EXPECT_EQ(textured.texels, 1);
}

TEST(MeshTexels, IndicesNamingNoEntryReadAsNone) {
  Mesh mesh;
  mesh.texels.resize(2);
  MeshTriangle t;
  for (int32_t index : {kNoTexels, -7, 2, 1 << 30}) {
    t.texels = index;
    EXPECT_EQ(TexelsOf(mesh, t), nullptr) << index;
  }
  t.texels = 1;
  EXPECT_EQ(TexelsOf(mesh, t), &mesh.texels[1]);
}

}  // namespace
