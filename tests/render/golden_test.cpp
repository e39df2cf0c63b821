// Whole frames pinned by hashes of every pixel and every depth: the demo
// scene after 0, 25 and 200 animation steps, and a scene of untextured
// triangles and lines. Set RENDERER_UPDATE_GOLDEN=1 to rewrite the pictures
// in tests/render/golden (and print the new hashes); a mismatch writes the
// picture and a diff into the build folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "render/demo_scene.h"
#include "render/frame_buffer.h"
#include "render/headless_target.h"
#include "render_test_support.h"
#include "scene/animation.h"
#include "scene/scene_object.h"

namespace {

struct FrameHashes {
  uint64_t pixels;
  uint64_t depth;
};

// Renders one frame into a zero-filled target the way the demo does:
// clear the client area, then the scene pass.
FrameHashes RenderAndHash(HeadlessTarget* target) {
  const size_t count =
      size_t(target->bufferSize.x) * size_t(target->bufferSize.y);
  std::memset(target->pixels, 0, count * 4);
  ClearFrame(target->clientRect.bottom - 1, target->clientRect.right - 1);
  RenderScene();
  return FrameHashes{Fnv1a64(target->pixels, count * 4),
                     Fnv1a64(renderContext.zBuffer, count * 4)};
}

void CheckGolden(const char* name, const HeadlessTarget& target,
                 FrameHashes actual, FrameHashes expected) {
  const Image client =
      CopyImage(target.pixels, target.bufferSize.x, target.clientRect.right,
                target.clientRect.bottom);
  const std::string golden = std::string(RENDER_GOLDEN_DIR) + "/" + name + ".png";
  if (std::getenv("RENDERER_UPDATE_GOLDEN") != nullptr) {
    ASSERT_TRUE(WritePng(golden, Downscale2x(client)));
    std::printf("%s: pixels 0x%016llxull, depth 0x%016llxull\n", name,
                (unsigned long long)actual.pixels,
                (unsigned long long)actual.depth);
    return;
  }
  EXPECT_EQ(actual.pixels, expected.pixels) << name << " pixels";
  EXPECT_EQ(actual.depth, expected.depth) << name << " depth bits";
  if (actual.pixels == expected.pixels) return;
  std::filesystem::create_directories(RENDER_DIFF_DIR);
  const std::string out = std::string(RENDER_DIFF_DIR) + "/" + name;
  WritePng(out + "-actual.png", client);
  Image stored;
  if (ReadPng(golden, &stored)) {
    WritePng(out + "-diff.png", DiffImage(stored, Downscale2x(client)));
  }
  ADD_FAILURE() << "pictures written to " << out << "-actual.png and -diff.png";
}

class DemoGolden : public ::testing::Test {
 protected:
  FrameHashes RenderDemo(int32_t steps) {
    SetupDemoScene(RENDERER_TEXTURE_DIR);
    BindHeadlessTarget(&target, 1920, 1080, 800, 600);
    SetDemoProjection(&renderContext, target.clientRect, target.clientCentre);
    AllocateRenderBuffers(&renderContext);
    for (int32_t i = 0; i < steps; ++i) AnimateStep(0, 0);
    return RenderAndHash(&target);
  }
  static HeadlessTarget target;
};
HeadlessTarget DemoGolden::target = {};

TEST_F(DemoGolden, StartUpFrame) {
  const FrameHashes h = RenderDemo(0);
  CheckGolden("demo_step0", target, h,
              {0x0e71e343094ae36bull, 0x236dfa0382d594c6ull});
}

TEST_F(DemoGolden, After25Steps) {
  const FrameHashes h = RenderDemo(25);
  CheckGolden("demo_step25", target, h,
              {0x057d6e47a0054392ull, 0x1074a3fe31157211ull});
}

TEST_F(DemoGolden, After200Steps) {
  const FrameHashes h = RenderDemo(200);
  CheckGolden("demo_step200", target, h,
              {0xe7ba4b579740c025ull, 0x30b6f9580a2fb242ull});
}

// A floor that crosses the near plane, with grid lines on it and one line
// that runs behind the viewer (object 0: its position, the eye, lights every
// untextured triangle), and an octahedron of untextured triangles with
// spikes drawn as lines (object 1).
class FlatGolden : public ::testing::Test {
 protected:
  void SetUp() override {
    BindHeadlessTarget(&target, 640, 480, 400, 300);
    ResetObjects(2);
    BuildOctahedron();
    BuildFloor();
    PlaceMesh(&floor, 0, 0, 0, 0);
    PlaceMesh(&octahedron, 1, 0, -100, 3000);
    RotateObjectZ(&sceneObjects[0], 3);
    RotateObjectX(&sceneObjects[1], 30);
    RotateObjectY(&sceneObjects[1], 40);
    SetDemoProjection(&renderContext, target.clientRect, target.clientCentre);
  }

  void BuildOctahedron() {
    const int32_t r = 700;
    octahedron.vertices = {{r, 0, 0},  {-r, 0, 0},         {0, r, 0},
                           {0, -r, 0}, {0, 0, r},          {0, 0, -r},
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
  }

  void BuildFloor() {
    floor.vertices = {{-3000, 800, -2000}, {3000, 800, -2000},
                      {3000, 800, 9000},   {-3000, 800, 9000}};
    floor.triangles = {FlatTriangle(0, 1, 2, 0x405020),
                       FlatTriangle(0, 2, 3, 0x205040)};
    for (int32_t i = 0; i < 5; ++i) {
      const int32_t x = -2400 + 1200 * i;
      floor.vertices.push_back({x, 790, 1500});
      floor.vertices.push_back({x, 790, 8500});
      const int32_t n = int32_t(floor.vertices.size());
      floor.lines.push_back({n - 2, n - 1, int32_t(0xFFFFFF),
                             int32_t(0x202020 * (i + 1))});
    }
    floor.vertices.push_back({-20, 30, -300});
    floor.vertices.push_back({60, 100, 1200});
    const int32_t n = int32_t(floor.vertices.size());
    floor.lines.push_back({n - 2, n - 1, int32_t(0xFF8000), int32_t(0x0080FF)});
  }

  static HeadlessTarget target;
  TestMesh octahedron, floor;
};
HeadlessTarget FlatGolden::target = {};

TEST_F(FlatGolden, TrianglesAndLines) {
  const FrameHashes h = RenderAndHash(&target);
  CheckGolden("flat_and_lines", target, h,
              {0xa6783663c7b45a94ull, 0x0670994ee7e3c27full});
}

}  // namespace
