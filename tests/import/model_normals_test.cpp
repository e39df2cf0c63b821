// A model's own normals (OBJ vn, glTF NORMAL) become its triangles'
// normals, y and z negated as positions are; a corner without one, or with
// a zero one, leaves its triangle without normals; a bad NORMAL accessor
// refuses the model.
#include <gtest/gtest.h>

#include <string>

#include "tests/import/load_files.h"
#include "testmodels/model_writers.h"

namespace {

models::FileSet OneFile(const std::string& name, const std::string& text) {
  return {{name, std::vector<uint8_t>(text.begin(), text.end())}};
}

double Dot(const renderer::Vector3& a, const renderer::Vector3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

TEST(ModelNormals, ObjVnBecomeTriangleNormalsFacingTheFront) {
  const Loaded loaded = LoadFiles(OneFile("n.obj",
                                          "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\n"
                                          "vn 0 0 1\nvn 0 0 0\nvn 0.5 0 0.75\n"
                                          "f 1//1 2//3 3//1\n"
                                          "f 1//2 2//1 4//1\n"
                                          "f 1 4 3\n"),
                                  "n.obj");
  ASSERT_TRUE(loaded.ok) << loaded.error;
  const renderer::Mesh& mesh = loaded.mesh;
  ASSERT_EQ(mesh.normals.size(), 3u);
  const renderer::CornerNormals& first = mesh.normals[0];
  EXPECT_TRUE(renderer::HasOwnNormals(first));
  // Corners 1 and 2 swap as the triangle's do; y and z are negated.
  EXPECT_EQ(first.corner[0].z, -1.0);
  EXPECT_EQ(first.corner[1].z, -1.0);
  EXPECT_EQ(first.corner[2].x, 0.5);
  EXPECT_EQ(first.corner[2].z, -0.75);
  EXPECT_GT(Dot(first.corner[0], FillNormal(mesh, 0)), 0);
  // A zero vn, and no vn at all: no normals.
  EXPECT_FALSE(renderer::HasOwnNormals(mesh.normals[1]));
  EXPECT_FALSE(renderer::HasOwnNormals(mesh.normals[2]));
}

TEST(ModelNormals, ObjWithoutVnHasNoNormals) {
  const Loaded loaded = LoadFiles(OneFile("n.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"),
                                  "n.obj");
  ASSERT_TRUE(loaded.ok) << loaded.error;
  EXPECT_TRUE(loaded.mesh.normals.empty());
}

// A triangle facing +z, with NORMAL (0, 0, 1) at every corner but a zero
// one at corner `zeroCorner` (or none).
models::GenModel NormalTriangle(int zeroCorner) {
  models::GenPrimitive p;
  p.positions = {0, 0, 0, 1, 0, 0, 0, 1, 0};
  p.normals = {0, 0, 1, 0, 0, 1, 0, 0, 1};
  if (zeroCorner >= 0) p.normals[size_t(zeroCorner) * 3 + 2] = 0;
  models::GenModel model;
  model.meshes = {{p}};
  models::GenNode node;
  node.mesh = 0;
  model.nodes = {node};
  model.roots = {0};
  return model;
}

TEST(ModelNormals, GltfNormalBecomesTriangleNormals) {
  for (auto layout : {models::GltfLayout::kExternal, models::GltfLayout::kBinary}) {
    const bool binary = layout == models::GltfLayout::kBinary;
    const std::string name = binary ? "m.glb" : "m.gltf";
    const Loaded loaded = LoadFiles(
        models::WriteGltf(NormalTriangle(-1), "m", layout, models::ImageKind::kPng), name);
    ASSERT_TRUE(loaded.ok) << loaded.error;
    ASSERT_EQ(loaded.mesh.normals.size(), 1u);
    for (const renderer::Vector3& n : loaded.mesh.normals[0].corner) {
      EXPECT_EQ(n.x, 0.0);
      EXPECT_EQ(n.y, 0.0);
      EXPECT_EQ(n.z, -1.0);
    }
    EXPECT_GT(Dot(loaded.mesh.normals[0].corner[0], FillNormal(loaded.mesh, 0)), 0);
    const Loaded zero = LoadFiles(
        models::WriteGltf(NormalTriangle(1), "m", layout, models::ImageKind::kPng), name);
    ASSERT_TRUE(zero.ok) << zero.error;
    EXPECT_TRUE(zero.mesh.normals.empty());
  }
}

TEST(ModelNormals, AMalformedNormalAccessorIsRefused) {
  models::GenModel model = NormalTriangle(-1);
  model.meshes[0][0].normals.resize(6);  // two normals for three vertices
  const Loaded loaded = LoadFiles(
      models::WriteGltf(model, "m", models::GltfLayout::kExternal, models::ImageKind::kPng),
      "m.gltf");
  EXPECT_FALSE(loaded.ok);
  EXPECT_NE(loaded.error.find("NORMAL"), std::string::npos) << loaded.error;
}

}  // namespace
