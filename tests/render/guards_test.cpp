// Every write stays inside its buffer and every conversion stays defined,
// whatever the geometry, the viewport or the coordinates hold.
#include <gtest/gtest.h>

#include <bit>

#include "render_test_support.h"

namespace {

constexpr int32_t kMax = 2147483647;
constexpr int32_t kMin = -2147483647 - 1;

// A flat triangle and a textured triangle much larger than the screen, and
// lines along every edge of the viewport, all on object 0 at z = 400.
class Guards : public ::testing::Test {
 protected:
  void SetUp() override {
    target.Bind();
    ResetObjects(1);
    const double uv[3][2] = {{0, 0}, {40, 0}, {0, 40}};
    mesh.vertices = {{-3000, -3000, 0}, {3000, -3000, 0}, {0, 3000, 0},
                     {-3000, -3000, 10}, {3000, -3000, 10}, {0, 3000, 10},
                     {-40, -30, 0},      {40, -30, 0},      {40, 30, 0},
                     {-40, 30, 0}};
    mesh.triangles = {FlatTriangle(0, 1, 2, 0x00AA5500),
                      TexturedTriangle(&mesh, 3, 4, 5, &texture.texture, uv)};
    mesh.lines = {{6, 7, 0xFF, 0xFF00}, {7, 8, 0xFF, 0xFF00},
                  {8, 9, 0xFF, 0xFF00}, {9, 6, 0xFF, 0xFF00}};
    PlaceMesh(&mesh, 0, 0, 0, 400);
  }

  void RenderFrame() {
    ClearFrame(kMax, kMax);
    RenderScene();
  }

  GuardedFrame target{64, 48};
  TestTexture texture{8, 8};
  TestMesh mesh;
};

TEST_F(Guards, ClientAsLargeAsTheDesktopWritesNothingPastIt) {
  // The inclusive viewport reaches column 64 and row 48, one past the
  // buffer; the lines run along column 63 and row 47.
  SetProjection(400, 2, 24, 18, 0, 0, 64, 48);
  mesh.vertices[6] = {-23, -17, 0};
  mesh.vertices[7] = {39, -17, 0};
  mesh.vertices[8] = {39, 29, 0};
  mesh.vertices[9] = {-23, 29, 0};
  RenderFrame();
  EXPECT_TRUE(target.Intact());
  EXPECT_EQ(target.CountNot(0x787878u), 64 * 48);
}

TEST_F(Guards, LineBlocksNeverWrapIntoTheNextRow) {
  SetProjection(400, 2, 0, 0, 0, 0, 64, 48);
  // A vertical line in column 63: its blocks' right cells would be column
  // 64, which as an index is column 0 of the next row.
  DrawLine(0xFF, 0xFF, Vector3{63.5, 0.5, 400}, Vector3{63.5, 46.5, 400});
  ASSERT_NE(target.At(63, 20), kFillPixel);
  for (int32_t y = 0; y < 48; ++y) EXPECT_TRUE(DepthIsClear(0, y)) << y;
  // A horizontal line in row 47 with a depth buffer of exactly 64 x 48
  // entries: its blocks' bottom cells lie past the buffer.
  GuardedDepth depth(64 * 48);
  DrawLine(0xFF, 0xFF, Vector3{0.5, 47.5, 400}, Vector3{62.5, 47.5, 400});
  EXPECT_NE(target.At(30, 47), kFillPixel);
  EXPECT_EQ(DepthAt(30, 47), 400.0f);
  EXPECT_TRUE(depth.Intact());
  EXPECT_TRUE(target.Intact());
}

TEST_F(Guards, WindowRectGrownAfterAllocationStaysInsideTheDepthBuffer) {
  GuardedDepth depth(65 * 49);  // what a 64 x 48 desktop allocates
  GuardedFrame large(200, 150);
  large.Bind();  // windowRect now 200 x 150
  SetProjection(400, 2, 100, 75, 0, 0, 200, 150);
  mesh.vertices[6] = {-99, -74, 0};
  mesh.vertices[8] = {99, 74, 0};
  ClearFrame(149, 199);
  RenderScene();
  EXPECT_TRUE(depth.Intact());
  EXPECT_TRUE(large.Intact());
  // Rows the depth buffer holds at the new stride (3185 / 200 = 15) are
  // drawn; later ones are not.
  EXPECT_NE(large.At(100, 10), 0x787878u);
  EXPECT_EQ(large.At(100, 100), 0x787878u);
}

TEST_F(Guards, SpanTableIsNeverIndexedPastItsRows) {
  GuardedSpanTable table(20);
  SetProjection(400, 2, 32, 24, 0, 0, 64, 48);
  RenderFrame();
  EXPECT_TRUE(table.Intact());
  EXPECT_LE(RigScratch().lastRow, 19);
  EXPECT_NE(target.At(30, 19), 0x787878u);
  EXPECT_EQ(target.At(30, 20), 0x787878u);
  EXPECT_TRUE(target.Intact());
}

TEST_F(Guards, ViewportPastTheBufferOnEverySide) {
  SetProjection(400, 2, 32, 24, -50, -40, 5000, 4000);
  RenderFrame();
  EXPECT_TRUE(target.Intact());
  SetProjection(400, 2, 32, 24, kMin, kMin, kMax, kMax);
  RenderFrame();
  EXPECT_TRUE(target.Intact());
  SetProjection(400, 2, 32, 24, kMax, kMax, kMin, kMin);
  RenderFrame();
  EXPECT_TRUE(target.Intact());
}

TEST_F(Guards, TargetsWithoutPixelsOrDepthDrawNothing) {
  SetProjection(400, 2, 32, 24, 0, 0, 64, 48);
  FrameTarget& bound = Rig().target;
  const FrameTarget whole = bound;
  FrameTarget broken[5] = {whole, whole, whole, whole, FrameTarget{}};
  broken[0].pixels = nullptr;  // a frame buffer that failed to be created
  broken[1].depth = nullptr;   // no depth buffer
  broken[2].depthStride = 0;   // depth rows of no width
  broken[3].pitch = 0;         // rows of no width
  for (const FrameTarget& t : broken) {
    bound = t;
    RenderScene();
    EXPECT_EQ(target.CountNot(kFillPixel), 0);
    EXPECT_TRUE(target.Intact());
  }
  bound = whole;
  RenderScene();
  EXPECT_GT(target.CountNot(kFillPixel), 0);
  EXPECT_TRUE(target.Intact());
}

TEST_F(Guards, TransformSaturatesAtTheInt32Range) {
  mesh.vertices[0] = {1000, -1000, 0};
  mesh.vertices[1] = {100, 0, 0};
  ScaleObject(Rig().scene.objects[0], 1e7);
  TransformObject(0);
  const IntVertex* v = TransformedVertices(0);
  EXPECT_EQ(v[0].x, kMax);
  EXPECT_EQ(v[0].y, kMin);
  EXPECT_EQ(v[0].z, 400);

  ResetObject(Rig().scene.objects[0]);
  Rig().scene.objects[0].position[0] = kMax - 5;
  Rig().scene.objects[0].position[1] = kMin + 5;
  TransformObject(0);
  EXPECT_EQ(v[1].x, kMax);  // 100 + (max - 5)
  EXPECT_EQ(v[0].y, kMin);  // -1000 + (min + 5)

  // Scaled past the double range: infinity times 0 is not a number,
  // which counts as 0.
  ResetObject(Rig().scene.objects[0]);
  ScaleObject(Rig().scene.objects[0], 1e300);
  ScaleObject(Rig().scene.objects[0], 1e300);
  TransformObject(0);
  EXPECT_EQ(v[1].x, kMax);
  EXPECT_EQ(v[1].y, 0);
  EXPECT_EQ(v[1].z, 3200);  // NaN as 0, plus the position

  // Such a frame still draws without a stray write.
  SetProjection(400, 2, 32, 24, 0, 0, 64, 48);
  ResetObject(Rig().scene.objects[0]);
  ScaleObject(Rig().scene.objects[0], 1e6);
  RenderFrame();
  EXPECT_TRUE(target.Intact());
}

TEST_F(Guards, ClipPointProjectionCannotOverflow) {
  mesh.vertices[0] = {10000000, -6000000, 2};
  mesh.vertices[1] = {10000000, -6000000, 0};
  mesh.vertices[2] = {-9000000, 7000000, 50};
  Rig().scene.objects[0].position[2] = 0;
  SetProjection(400, 2, 32, 24, 0, 0, 64, 48);
  TransformObject(0);
  ProjectVertices();
  // x * focal length is 4e9, past int32: the exact product is kept.
  const ClipVertex p = ClipEdge(0, 0, 1, 0);
  EXPECT_EQ(p.screenX, 4000000000.0 + 32);
  EXPECT_EQ(p.screenY, -2400000000.0 + 24);
  RenderFrame();
  EXPECT_TRUE(target.Intact());
}

TEST_F(Guards, HugeScreenCoordinatesAreClampedNotConverted) {
  GuardedSpanTable table(48);
  SetProjection(400, 2, 32, 24, 0, 0, 63, 47);
  const ScreenPoint points[3] = {{-1e15, -1e15}, {1e15, 5.5}, {3, 1e300}};
  SetupTriangleSpans(points);
  EXPECT_EQ(RigScratch().firstRow, 0);
  EXPECT_EQ(RigScratch().lastRow, 47);
  EXPECT_TRUE(table.Intact());
}

TEST_F(Guards, ColourValuesOfAnyBitPatternStayDefined) {
  SetProjection(400, 2, 32, 24, 0, 0, 64, 48);
  // The top byte of a colour is ignored.
  DrawLine(0xFFFFFFFFu, 0x80000000u, Vector3{-20, 0, 400},
           Vector3{20, 0, 400});
  EXPECT_EQ(target.At(11, 23), 0x00FFFFFFu);
  mesh.triangles[0].colour[0] = 0xFFFFFFFFu;
  RenderFrame();
  EXPECT_EQ(target.At(32, 24) >> 24, 0u);
  EXPECT_TRUE(target.Intact());
}

TEST_F(Guards, ObjectsWithoutMeshOrRoomAreSkippedUntilTheWorkspaceGrows) {
  SetProjection(400, 2, 32, 24, 0, 0, 64, 48);
  SceneObject& object = Rig().scene.objects[0];
  for (int32_t missing : {kNoMesh, 1, -7}) {  // none, and past the meshes
    object.mesh = missing;
    RenderFrame();
    EXPECT_EQ(target.CountNot(0x787878u), 0);
  }
  object.mesh = 0;
  mesh.vertices.push_back({0, 0, 0});  // more vertices than the workspace has
  RenderFrame();
  EXPECT_EQ(target.CountNot(0x787878u), 0);
  // A whole frame grows the workspace first.
  renderer::RenderFrame(Rig().scene, Rig().view, Rig().target, RigWorkspace());
  EXPECT_GT(target.CountNot(0x787878u), 0);
  EXPECT_TRUE(target.Intact());
}

}  // namespace
