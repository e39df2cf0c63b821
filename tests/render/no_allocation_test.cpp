// The frame loop allocates nothing: every allocation of this test program
// is counted (tests/support/allocation_counter.h), and once the workspace has grown to
// the scene, RenderFrame must leave the count unchanged, for the demo scene
// and for a scene that clips and draws untextured triangles and lines.
#include <gtest/gtest.h>

#include <cstdlib>

#include "render_test_support.h"
#include "scene/demo_steps.h"
#include "tests/support/allocation_counter.h"

namespace {

int64_t CountRenderFrame(const Scene& scene, const View& view,
                         FrameTarget& target, Workspace& workspace) {
  StartCountingAllocations();
  renderer::RenderFrame(scene, view, target, workspace);
  return StopCountingAllocations();
}

TEST(NoAllocation, CountingWorks) {
  // Through volatile pointers, so the compiler cannot elide the pairs.
  static int* volatile object;
  static void* volatile block;
  StartCountingAllocations();
  object = new int(3);
  delete object;
  block = std::malloc(16);
  std::free(block);
  EXPECT_GE(StopCountingAllocations(), 2);
}

// A workspace on `threads` workers whose bands may be one row thin, so
// that every thread count really splits the frame; null when refused.
WorkspacePtr ThreadedWorkspace(int32_t threads) {
  WorkspacePtr workspace = MakeWorkspace();
  if (!SetThreadCount(*workspace, threads)) return nullptr;
  workspace->minBandRows = 1;
  return workspace;
}

void CheckDemoFramesAllocateNothing(int32_t threads) {
  HeadlessTarget headless;
  BindHeadlessTarget(headless, 1920, 1080, 800, 600);
  Scene scene = MakeDemoScene(RENDERER_TEXTURE_DIR);
  View view;
  SetDemoProjection(view, headless.target.clientRect, headless.clientCentre);
  WorkspacePtr workspace = ThreadedWorkspace(threads);
  ASSERT_NE(workspace, nullptr);
  FrameTarget& target = headless.target;
  // The first frame grows the workspace to the scene.
  renderer::RenderFrame(scene, view, target, *workspace);
  for (int frameNumber = 0; frameNumber < 20; ++frameNumber) {
    renderer::ClearFrame(target, 599, 799, *workspace);
    EXPECT_EQ(CountRenderFrame(scene, view, target, *workspace), 0)
        << "frame " << frameNumber;
    for (int i = 0; i < 10; ++i) AnimateDemoScene(scene, false, false);
  }
  // A smaller scene fits the grown workspace.
  scene.objects.clear();
  EXPECT_EQ(CountRenderFrame(scene, view, target, *workspace), 0);
}

void CheckLinesAllocateNothing(int32_t threads) {
  HeadlessTarget headless;
  BindHeadlessTarget(headless, 320, 240, 320, 240);
  Scene scene;
  Mesh mesh;
  mesh.vertices = {{-3000, 500, -2000}, {3000, 500, -2000}, {0, 500, 9000},
                   {-100, -100, 400},   {100, 100, -400}};
  mesh.triangles = {FlatTriangle(0, 1, 2, 0x336699)};
  mesh.lines = {{3, 4, 0xFF0000, 0x00FF00}};
  scene.meshes.push_back(mesh);
  scene.objects.resize(1);
  scene.objects[0].mesh = 0;
  scene.objects[0].position[2] = 0;
  View view;
  SetDemoProjection(view, headless.target.clientRect, headless.clientCentre);
  WorkspacePtr workspace = ThreadedWorkspace(threads);
  ASSERT_NE(workspace, nullptr);
  FrameTarget& target = headless.target;
  renderer::RenderFrame(scene, view, target, *workspace);
  for (int i = 0; i < 5; ++i) {
    renderer::ClearFrame(target, 239, 319, *workspace);
    EXPECT_EQ(CountRenderFrame(scene, view, target, *workspace), 0);
    RotateObjectY(scene.objects[0], 7);
  }
}

TEST(NoAllocation, DemoFramesAllocateNothing) {
  for (int32_t threads : {1, 2, 4}) {
    SCOPED_TRACE("threads " + std::to_string(threads));
    CheckDemoFramesAllocateNothing(threads);
  }
}

TEST(NoAllocation, ClippedFlatTrianglesAndLinesAllocateNothing) {
  for (int32_t threads : {1, 3}) {
    SCOPED_TRACE("threads " + std::to_string(threads));
    CheckLinesAllocateNothing(threads);
  }
}

}  // namespace
