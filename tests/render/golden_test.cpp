// Whole frames pinned by hashes of every pixel and every depth: the demo
// scene after 0, 25 and 200 animation steps, and a scene of untextured
// triangles and lines, each drawn by every fill version this processor runs
// (the plain fills and each vector target) with 1, 2, 3, 4 and 8 threads,
// against the same hashes. The hashes live in tests/render/golden/hashes.txt;
// scripts/update-goldens rewrites it and the pictures beside it from the
// plain fills' frames. A mismatch writes the picture and a diff into the
// build folder.
#include <gtest/gtest.h>

#include <cmath>
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

// The looks beside the flat one, every combination of shading, texture
// filter and samples, on the demo after 25 steps and on a generated model:
// a torus of untextured faces (normals computed) lit by a light object,
// and a textured band with see-through holes in front of it.
const Looks kEveryLook[] = {
    {Shading::kFlat, TextureFilter::kNearest, 1},
    {Shading::kFlat, TextureFilter::kNearest, 4},
    {Shading::kFlat, TextureFilter::kNearest, 16},
    {Shading::kFlat, TextureFilter::kBilinear, 1},
    {Shading::kFlat, TextureFilter::kBilinear, 4},
    {Shading::kFlat, TextureFilter::kBilinear, 16},
    {Shading::kSmooth, TextureFilter::kNearest, 1},
    {Shading::kSmooth, TextureFilter::kNearest, 4},
    {Shading::kSmooth, TextureFilter::kNearest, 16},
    {Shading::kSmooth, TextureFilter::kBilinear, 1},
    {Shading::kSmooth, TextureFilter::kBilinear, 4},
    {Shading::kSmooth, TextureFilter::kBilinear, 16},
};

std::string LookName(const Looks& looks) {
  return std::string(ShadingName(looks.shading)) + "_" +
         TextureFilterName(looks.textureFilter) + "_" +
         std::to_string(looks.samples);
}

Mesh GeneratedTorus() {
  Mesh torus;
  constexpr int32_t kAround = 24, kTube = 12;
  for (int32_t i = 0; i < kAround; ++i) {
    const double a = 2 * 3.14159265358979 * i / kAround;
    for (int32_t j = 0; j < kTube; ++j) {
      const double b = 2 * 3.14159265358979 * j / kTube;
      const double r = 600 + 250 * std::cos(b);
      torus.vertices.push_back({int32_t(std::lround(r * std::cos(a))),
                                int32_t(std::lround(250 * std::sin(b))),
                                int32_t(std::lround(r * std::sin(a)))});
    }
  }
  for (int32_t i = 0; i < kAround; ++i) {
    for (int32_t j = 0; j < kTube; ++j) {
      const int32_t p = i * kTube + j;
      const int32_t q = ((i + 1) % kAround) * kTube + j;
      const int32_t p1 = i * kTube + (j + 1) % kTube;
      const int32_t q1 = ((i + 1) % kAround) * kTube + (j + 1) % kTube;
      const uint32_t colour = (i / 6) % 2 == 0 ? 0xC0C0C0u : 0xD08040u;
      torus.triangles.push_back(FlatTriangle(p, q, q1, colour));
      torus.triangles.push_back(FlatTriangle(p, q1, p1, colour));
    }
  }
  return torus;
}

// A checker texture with see-through texels, on a band of two triangles.
Texture HoledChecker() {
  std::vector<uint32_t> pixels(16 * 8);
  for (int32_t y = 0; y < 8; ++y) {
    for (int32_t x = 0; x < 16; ++x) {
      const bool hole = x % 5 == 2 && y % 3 == 1;
      pixels[size_t(y * 16 + x)] =
          hole ? 0xFFFFFFu : ((x + y) % 2 == 0 ? 0x2050A0u : 0xE0D030u);
    }
  }
  return MakeTexture(16, 8, pixels.data());
}

Mesh TexturedBand() {
  Mesh band;
  band.vertices = {{-900, 300, -500}, {900, 300, -500}, {900, 600, 300},
                   {-900, 600, 300}};
  AddTexturedTriangle(band, {0, 1, 2}, 0, {{0, 0}, {16, 0}, {16, 8}});
  AddTexturedTriangle(band, {0, 2, 3}, 0, {{0, 0}, {16, 8}, {0, 8}});
  return band;
}

Scene GeneratedModelScene() {
  Scene scene;
  scene.textures = {HoledChecker()};
  scene.meshes = {GeneratedTorus(), TexturedBand()};
  scene.objects.resize(3);
  scene.objects[0].position[0] = -3200;
  scene.objects[0].position[1] = -3200;
  scene.objects[0].position[2] = 0;
  for (size_t i = 1; i < 3; ++i) {
    scene.objects[i].mesh = int32_t(i - 1);
    scene.objects[i].position[2] = 4200;
    RotateObjectY(scene.objects[i], 30);
    RotateObjectX(scene.objects[i], -35);
  }
  return scene;
}

class LooksGolden : public OnEveryFillPath {
 protected:
  void DrawEveryLook(const char* name, const Scene& scene, int32_t width,
                     int32_t height) {
    HeadlessTarget headless;
    BindHeadlessTarget(headless, width + 40, height + 30, width, height);
    View view;
    SetDemoProjection(view, headless.target.clientRect,
                      headless.clientCentre);
    for (const Looks& looks : kEveryLook) {
      view.looks = looks;
      CheckGoldenForEveryThreadCount(
          std::string("looks_") + name + "_" + LookName(looks),
          ParamFillPath(), scene, view, &headless);
    }
  }
};

TEST_P(LooksGolden, Demo) {
  Scene scene = MakeDemoScene(RENDERER_TEXTURE_DIR);
  for (int32_t i = 0; i < 25; ++i) AnimateDemoScene(scene, false, false);
  DrawEveryLook("demo", scene, 320, 240);
}

TEST_P(LooksGolden, GeneratedModel) {
  DrawEveryLook("model", GeneratedModelScene(), 240, 180);
}
INSTANTIATE_ON_EVERY_FILL_PATH(LooksGolden);

}  // namespace
