// The scene pass: buffers, depth reset, transform with truncation, projection
// and the order in which objects are drawn.
#include <gtest/gtest.h>

#include <bit>

#include "fill_path_param.h"
#include "render_test_support.h"

namespace {

class ScenePass : public OnEveryFillPath {
 protected:
  void SetUp() override {
    target.Bind();
    ResetObjects(1);
    UseParamFillPath();
  }

  void PlaceVertices(std::vector<IntVertex> vertices, int32_t z = 3200) {
    mesh.vertices = std::move(vertices);
    mesh.triangles.clear();
    PlaceMesh(&mesh, 0, 0, 0, z);
    SetProjection(400, 2, 400, 300, 0, 0, 800, 600);
  }

  static const IntVertex& Camera(int32_t j) {
    return RigWorkspace().objects[0].camera[size_t(j)];
  }
  static ProjectedVertex& Projected(int32_t j) {
    return RigWorkspace().objects[0].projected[size_t(j)];
  }

  GuardedFrame target{320, 200};
  TestMesh mesh;
};

TEST_P(ScenePass, RenderFrameGrowsTheWorkspaceToTheSceneAndTarget) {
  PlaceVertices({{0, 0, 0}, {1, 1, 1}});
  EXPECT_EQ(Rig().target.depthEntries, int64_t{321} * 201);
  WorkspacePtr fresh = MakeWorkspace();
  EXPECT_EQ(fresh->workers[0].spanTableRows, 900);
  EXPECT_TRUE(fresh->objects.empty());
  renderer::RenderFrame(Rig().scene, Rig().view, Rig().target, *fresh);
  ASSERT_EQ(fresh->objects.size(), 1u);
  EXPECT_EQ(fresh->objects[0].camera.size(), 2u);
  EXPECT_EQ(fresh->objects[0].projected.size(), 2u);
  EXPECT_EQ(fresh->workers[0].spanTableRows, 900);

  GuardedFrame tall(64, 1200);  // a target taller than 900 rows
  tall.Bind();
  AllocateRenderBuffers();
  renderer::RenderFrame(Rig().scene, Rig().view, Rig().target, *fresh);
  EXPECT_EQ(fresh->workers[0].spanTableRows, 1201);
}

TEST_P(ScenePass, ClearZBufferResetsEveryAllocatedEntry) {
  PlaceVertices({{0, 0, 0}});
  std::fill(Rig().target.depth,
            Rig().target.depth + Rig().target.depthEntries, 1.0f);
  ClearZBuffer();
  for (int64_t i = 0; i < Rig().target.depthEntries; ++i) {
    ASSERT_EQ(std::bit_cast<uint32_t>(Rig().target.depth[i]), 0x62432809u)
        << "entry " << i;
  }
}

TEST_P(ScenePass, InitialObjectPlacesTheCubeCornerAndProjectsItFractionally) {
  PlaceVertices({{-800, -800, -800}});
  TransformObject(0);
  ProjectVertices();
  EXPECT_EQ(Camera(0).x, -800);
  EXPECT_EQ(Camera(0).y, -800);
  EXPECT_EQ(Camera(0).z, 2400);
  EXPECT_TRUE(Projected(0).visible);
  EXPECT_NEAR(Projected(0).screenX, 266.6666666666667, 1e-12);
  EXPECT_NEAR(Projected(0).screenY, 166.6666666666667, 1e-12);
}

TEST_P(ScenePass, VisibilityIsZGreaterThanOneAndStalePositionsAreKept) {
  PlaceVertices({{100, 50, 2}, {100, 50, 1}}, 0);
  Rig().view.nearZ = 5;  // visibility ignores nearZ
  TransformObject(0);
  ProjectVertices();
  EXPECT_TRUE(Projected(0).visible);
  EXPECT_EQ(Projected(0).screenX, 100 * 400 / 2.0 + 400);
  EXPECT_FALSE(Projected(1).visible);

  Projected(1).screenX = 12.5;
  Rig().scene.objects[0].position[2] = -10;  // now both behind the viewer
  Rig().view.focalLength = 800;
  TransformObject(0);
  ProjectVertices();
  EXPECT_FALSE(Projected(0).visible);
  EXPECT_EQ(Projected(0).screenX, 100 * 400 / 2.0 + 400);  // last frame's
  EXPECT_EQ(Projected(1).screenX, 12.5);

  Rig().scene.objects[0].position[2] = 0;  // a new focal length shows at once
  TransformObject(0);
  ProjectVertices();
  EXPECT_EQ(Projected(0).screenX, 100 * 800 / 2.0 + 400);
}

TEST_P(ScenePass, ProductsAreTruncatedBeforeThePositionIsAdded) {
  PlaceVertices({{800, -800, 0}, {3, -3, -3}}, 10);
  ScaleObject(Rig().scene.objects[0], 1.1);
  TransformObject(0);
  EXPECT_EQ(Camera(0).x, 880);
  EXPECT_EQ(Camera(0).y, -880);

  ResetObject(Rig().scene.objects[0]);
  Rig().scene.objects[0].position[2] = 10;
  ScaleObject(Rig().scene.objects[0], 0.9);
  TransformObject(0);
  EXPECT_EQ(Camera(1).x, 2);       // 2.7
  EXPECT_EQ(Camera(1).y, -2);      // -2.7
  EXPECT_EQ(Camera(1).z, -2 + 10);  // not trunc(7.3) = 7
}

TEST_P(ScenePass, QuarterTurnUses3Point1416) {
  PlaceVertices({{1000, 0, 0}});
  RotateObjectZ(Rig().scene.objects[0], 90);
  TransformObject(0);
  // cos(1.5708) is about -3.67e-6 and sin(1.5708) just below 1.
  EXPECT_EQ(Camera(0).x, 0);
  EXPECT_EQ(Camera(0).y, -999);
  EXPECT_EQ(Camera(0).z, 3200);
}

TEST_P(ScenePass, MeshWithoutVectorsLeavesTransformedVectorsAlone) {
  PlaceVertices({{1, 2, 3}});
  RigWorkspace().objects[0].vectors[0] = Vector3{7, 8, 9};
  ScaleObject(Rig().scene.objects[0], 3);
  TransformObject(0);
  EXPECT_EQ(RigWorkspace().objects[0].vectors[0].x, 7);
  EXPECT_EQ(RigWorkspace().objects[0].vectors[0].z, 9);
}

TEST_P(ScenePass, EarlierObjectKeepsPixelsAtEqualDepth) {
  TestMesh red, blue;
  for (TestMesh* m : {&red, &blue}) {
    m->vertices = {{-100, -100, 0}, {100, -100, 0}, {0, 100, 0}};
  }
  // Object 0's position lies in the triangles' plane: no lightening.
  red.triangles = {FlatTriangle(0, 1, 2, 0xFF0000)};
  blue.triangles = {FlatTriangle(0, 1, 2, 0x0000FF)};
  for (int order = 0; order < 2; ++order) {
    ResetObjects(2);
    PlaceMesh(order == 0 ? &red : &blue, 0, 0, 0, 400);
    PlaceMesh(order == 0 ? &blue : &red, 1, 0, 0, 400);
    SetProjection(400, 2, 160, 100, 0, 0, 320, 200);
    ClearFrame(199, 319);
    RenderScene();
    EXPECT_EQ(target.At(160, 100), order == 0 ? 0xFF0000u : 0x0000FFu);
    EXPECT_EQ(DepthAt(160, 100), 400.0f);
  }
}

INSTANTIATE_ON_EVERY_FILL_PATH(ScenePass);

}  // namespace
