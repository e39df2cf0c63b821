// Whole frames pinned by hashes of every pixel and every depth: the demo
// scene after 0, 25 and 200 animation steps, and a scene of untextured
// triangles and lines, each drawn by every fill version this processor runs
// (the plain fills and each vector target) with 1, 2, 3, 4 and 8 threads,
// against the same hashes. The hashes live in tests/render/golden/hashes.txt;
// scripts/update-goldens rewrites it and the pictures beside it from the
// plain fills' frames. A mismatch writes the picture and a diff into the
// build folder.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "fill_path_param.h"
#include "render_test_support.h"
#include "scene/demo_steps.h"
#include "tests/support/golden_hashes.h"

namespace {

const std::string kGoldenDir = RENDER_GOLDEN_DIR;

// One frame into a zero-filled target the way the demo draws it: clear the
// client area, then the scene, with the fill version `path`, `threads`
// workers and bands of as few as one row, so that every count really splits
// the frame. `passed` gets the pixels that passed the depth tests.
FrameHashes RenderAndHash(const Scene& scene, const View& view,
                          HeadlessTarget* headless, FillPath path,
                          int32_t threads, int64_t* passed) {
  FrameTarget& target = headless->target;
  std::memset(target.pixels, 0,
              size_t(target.width) * size_t(target.height) * 4);
  WorkspacePtr workspace = MakeWorkspace();
  EXPECT_TRUE(SetFillPath(*workspace, path));
  EXPECT_TRUE(SetThreadCount(*workspace, threads));
  workspace->minBandRows = 1;
  renderer::ClearFrame(target, target.clientRect.bottom - 1,
                       target.clientRect.right - 1, *workspace);
  renderer::RenderFrame(scene, view, target, *workspace);
  *passed = Stats(*workspace).pixelsPassed;
  return HashFrame(target);
}

// Compares with the stored hashes; when updating, the plain fills' frame
// records them and the other versions are skipped.
void CheckGolden(const std::string& name, FillPath path,
                 const FrameTarget& target, FrameHashes actual) {
  SCOPED_TRACE(name);
  const Image client = CopyImage(target.pixels, target.pitch / 4,
                                 target.clientRect.right,
                                 target.clientRect.bottom);
  const std::string golden = kGoldenDir + "/" + name + ".png";
  if (UpdatingGoldens()) {
    if (path != kPlainFill) GTEST_SKIP() << "the plain fills record goldens";
    ASSERT_TRUE(WritePng(golden, Downscale2x(client)));
  }
  if (MatchesGolden(RENDERER_GOLDEN_HASHES, name, actual)) return;
  std::filesystem::create_directories(RENDER_DIFF_DIR);
  const std::string out =
      std::string(RENDER_DIFF_DIR) + "/" + name + "-" + FillPathName(path);
  WritePng(out + "-actual.png", client);
  Image stored;
  if (ReadPng(golden, &stored)) {
    WritePng(out + "-diff.png", DiffImage(stored, Downscale2x(client)));
  }
  ADD_FAILURE() << "pictures written to " << out << "-actual.png and -diff.png";
}

// Every thread count draws the golden frame and passes the same pixels.
constexpr int32_t kThreadCounts[] = {1, 2, 3, 4, 8};

void CheckGoldenForEveryThreadCount(const std::string& name, FillPath path,
                                    const Scene& scene, const View& view,
                                    HeadlessTarget* headless) {
  int64_t singlePassed = -1;
  for (int32_t threads : kThreadCounts) {
    SCOPED_TRACE("threads " + std::to_string(threads));
    int64_t passed = 0;
    const FrameHashes hashes =
        RenderAndHash(scene, view, headless, path, threads, &passed);
    if (threads == 1) singlePassed = passed;
    EXPECT_EQ(passed, singlePassed);
    CheckGolden(name, path, headless->target, hashes);
    if (UpdatingGoldens()) return;
  }
}

class DemoGolden : public OnEveryFillPath {
 protected:
  void RenderDemo(const char* name, int32_t steps) {
    Scene scene = MakeDemoScene(RENDERER_TEXTURE_DIR);
    HeadlessTarget headless;
    BindHeadlessTarget(headless, 1920, 1080, 800, 600);
    View view;
    SetDemoProjection(view, headless.target.clientRect,
                      headless.clientCentre);
    for (int32_t i = 0; i < steps; ++i) AnimateDemoScene(scene, false, false);
    CheckGoldenForEveryThreadCount(name, ParamFillPath(), scene, view,
                                   &headless);
  }
};

TEST_P(DemoGolden, StartUpFrame) { RenderDemo("demo_step0", 0); }
TEST_P(DemoGolden, After25Steps) { RenderDemo("demo_step25", 25); }
TEST_P(DemoGolden, After200Steps) { RenderDemo("demo_step200", 200); }
INSTANTIATE_ON_EVERY_FILL_PATH(DemoGolden);

// A floor that crosses the near plane, with grid lines on it and one line
// that runs behind the viewer (object 0: its position, the eye, lights every
// untextured triangle), and an octahedron of untextured triangles with
// spikes drawn as lines (object 1).
Mesh Octahedron() {
  Mesh octahedron;
  const int32_t r = 700;
  octahedron.vertices = {{r, 0, 0},  {-r, 0, 0},    {0, r, 0},
                         {0, -r, 0}, {0, 0, r},     {0, 0, -r},
                         {2 * r, 0, 0}, {0, -2 * r, 0}, {0, 0, -2 * r}};
  const uint32_t colours[8] = {0xC03030, 0x30C030, 0x3030C0, 0xC0C030,
                               0x30C0C0, 0xC030C0, 0x808080, 0x204060};
  int32_t k = 0;
  for (int32_t x : {0, 1}) {
    for (int32_t y : {2, 3}) {
      for (int32_t z : {4, 5}) {
        // Alternate windings: some faces lighten, some keep their colour.
        octahedron.triangles.push_back(k % 2 == 0
                                           ? FlatTriangle(x, y, z, colours[k])
                                           : FlatTriangle(x, z, y, colours[k]));
        ++k;
      }
    }
  }
  octahedron.lines = {{0, 6, 0xFF0000, 0xFFFF00},
                      {3, 7, 0x00FF00, 0x00FFFF},
                      {5, 8, 0x0000FF, 0xFF00FF}};
  return octahedron;
}

Mesh Floor() {
  Mesh floor;
  floor.vertices = {{-3000, 800, -2000}, {3000, 800, -2000},
                    {3000, 800, 9000},   {-3000, 800, 9000}};
  floor.triangles = {FlatTriangle(0, 1, 2, 0x405020),
                     FlatTriangle(0, 2, 3, 0x205040)};
  for (int32_t i = 0; i < 5; ++i) {
    const int32_t x = -2400 + 1200 * i;
    floor.vertices.push_back({x, 790, 1500});
    floor.vertices.push_back({x, 790, 8500});
    const int32_t n = int32_t(floor.vertices.size());
    floor.lines.push_back(
        {n - 2, n - 1, 0xFFFFFFu, uint32_t(0x202020 * (i + 1))});
  }
  floor.vertices.push_back({-20, 30, -300});
  floor.vertices.push_back({60, 100, 1200});
  const int32_t n = int32_t(floor.vertices.size());
  floor.lines.push_back({n - 2, n - 1, 0xFF8000u, 0x0080FFu});
  return floor;
}

class FlatGolden : public OnEveryFillPath {};

TEST_P(FlatGolden, TrianglesAndLines) {
  HeadlessTarget headless;
  BindHeadlessTarget(headless, 640, 480, 400, 300);
  Scene scene;
  scene.meshes = {Floor(), Octahedron()};
  scene.objects.resize(2);
  scene.objects[0].mesh = 0;
  scene.objects[0].position[2] = 0;
  scene.objects[1].mesh = 1;
  scene.objects[1].position[1] = -100;
  scene.objects[1].position[2] = 3000;
  RotateObjectZ(scene.objects[0], 3);
  RotateObjectX(scene.objects[1], 30);
  RotateObjectY(scene.objects[1], 40);
  View view;
  SetDemoProjection(view, headless.target.clientRect, headless.clientCentre);
  CheckGoldenForEveryThreadCount("flat_and_lines", ParamFillPath(), scene,
                                 view, &headless);
}
INSTANTIATE_ON_EVERY_FILL_PATH(FlatGolden);

}  // namespace
