// Whole frames drawn with every fast fill version against the plain one:
// the demo model and an untextured copy of it, turned, scaled, moved close
// enough to be cut by the near plane, with the fin texture scrolled far,
// odd client sizes and fractional centres. Every pixel of the frame buffer
// and every bit of the depth buffer must match.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "differential_canvas.h"
#include "scene/demo_steps.h"

namespace {

constexpr int32_t kDesktopWidth = 1000;
constexpr int32_t kDesktopHeight = 700;

class SceneDifferential : public ::testing::Test {
 protected:
  void SetUp() override {
    scene = MakeDemoScene(RENDERER_TEXTURE_DIR);
    // The same shape without textures, each triangle its own colour.
    Mesh flat;
    const Mesh& model = scene.meshes[0];
    flat.vertices = model.vertices;
    for (size_t k = 0; k < model.triangles.size(); ++k) {
      const int32_t* v = model.triangles[k].vertex;
      flat.triangles.push_back(FlatTriangle(
          v[0], v[1], v[2], 0x00204060u + 0x00090503u * uint32_t(k)));
    }
    scene.meshes.push_back(flat);
  }

  // One to three objects, alternately of the two meshes, each turned,
  // scaled and placed at random, some of them through the near plane.
  void RandomScene() {
    std::uniform_int_distribution<int> objects(1, 3);
    std::uniform_real_distribution<double> angle(-180, 180);
    std::uniform_real_distribution<double> scale(0.2, 3.0);
    std::uniform_int_distribution<int32_t> across(-4000, 4000);
    std::uniform_int_distribution<int32_t> depth(-1000, 9000);
    const int count = objects(random);
    scene.objects.assign(size_t(count), SceneObject{});
    for (int i = 0; i < count; ++i) {
      SceneObject* o = &scene.objects[size_t(i)];
      o->mesh = i % 2;
      RotateObjectX(*o, angle(random));
      RotateObjectY(*o, angle(random));
      RotateObjectZ(*o, angle(random));
      ScaleObject(*o, scale(random));
      o->position[0] = across(random);
      o->position[1] = across(random);
      o->position[2] = depth(random);
    }
    for (int s = std::uniform_int_distribution<int>(0, 400)(random); s > 0;
         --s) {
      ScrollFinTexture(scene.meshes[0]);
    }
  }

  void RandomFrame() {
    std::uniform_int_distribution<int32_t> width(1, kDesktopWidth);
    std::uniform_int_distribution<int32_t> height(1, kDesktopHeight);
    const bool wholeDesktop = random() % 5 == 0;
    BindHeadlessTarget(target, kDesktopWidth, kDesktopHeight,
                       wholeDesktop ? kDesktopWidth : width(random),
                       wholeDesktop ? kDesktopHeight : height(random));
    SetDemoProjection(view, target.target.clientRect, target.clientCentre);
    if (random() % 3 == 0) view.centreX += 0.5;
    if (random() % 3 == 0) view.centreY -= 0.25;
  }

  struct Frame {
    std::vector<uint32_t> pixels;
    std::vector<uint32_t> depthBits;
    int64_t passed;
  };

  Frame Draw(FillPath path) {
    WorkspacePtr workspace = MakeWorkspace();
    SetFillPath(*workspace, path);
    FrameTarget& t = target.target;
    std::memcpy(t.pixels, start.data(), start.size() * 4);
    const Rect& client = t.clientRect;
    renderer::ClearFrame(t, client.bottom - 1, client.right - 1);
    renderer::RenderFrame(scene, view, t, *workspace);
    Frame f;
    f.passed = Stats(*workspace).pixelsPassed;
    f.pixels.assign(t.pixels, t.pixels + start.size());
    f.depthBits.resize(size_t(t.depthEntries));
    std::memcpy(f.depthBits.data(), t.depth, f.depthBits.size() * 4);
    return f;
  }

  Scene scene;
  View view;
  HeadlessTarget target;
  std::mt19937 random{4242};
  std::vector<uint32_t> start;
};

TEST_F(SceneDifferential, RandomScenesMatchThePlainFills) {
  const std::vector<FillPath> fast = FastPathsHere();
  if (fast.empty()) GTEST_SKIP() << "no fast fill version on this processor";
  int64_t drawn = 0;
  for (int round = 0; round < 30; ++round) {
    RandomScene();
    RandomFrame();
    start.assign(size_t(kDesktopWidth) * kDesktopHeight, 0);
    for (uint32_t& p : start) p = uint32_t(random());
    const Frame plain = Draw(kPlainFill);
    drawn += plain.passed;
    for (FillPath path : fast) {
      const Frame other = Draw(path);
      ASSERT_EQ(plain.passed, other.passed) << PathName(path) << ", " << round;
      ASSERT_TRUE(plain.pixels == other.pixels)
          << PathName(path) << ", round " << round;
      ASSERT_TRUE(plain.depthBits == other.depthBits)
          << PathName(path) << ", round " << round;
    }
  }
  EXPECT_GT(drawn, 50000);
}

// Smooth shading and bilinear texels (by rows, with the looks kernels), lit
// from the viewer or from a light object, and now and then with 4 samples.
TEST_F(SceneDifferential, SmoothScenesMatchThePlainFills) {
  const std::vector<FillPath> fast = FastPathsHere();
  if (fast.empty()) GTEST_SKIP() << "no fast fill version on this processor";
  int64_t drawn = 0;
  for (int round = 0; round < 16; ++round) {
    RandomScene();
    if (round % 2 == 1) {
      SceneObject light;
      light.position[0] = -3200;
      light.position[1] = -2000;
      light.position[2] = round * 300 - 2000;
      scene.objects.insert(scene.objects.begin(), light);
    }
    RandomFrame();
    // Every fourth round flat with bilinear texels (those alone by rows).
    view.looks.shading = round % 4 == 1 ? Shading::kFlat : Shading::kSmooth;
    view.looks.textureFilter =
        round % 4 < 2 ? TextureFilter::kBilinear : TextureFilter::kNearest;
    view.looks.samples = round % 5 == 4 ? 4 : 1;
    start.assign(size_t(kDesktopWidth) * kDesktopHeight, 0);
    for (uint32_t& p : start) p = uint32_t(random());
    const Frame plain = Draw(kPlainFill);
    drawn += plain.passed;
    for (FillPath path : fast) {
      const Frame other = Draw(path);
      ASSERT_EQ(plain.passed, other.passed) << PathName(path) << ", " << round;
      ASSERT_TRUE(plain.pixels == other.pixels)
          << PathName(path) << ", round " << round;
      ASSERT_TRUE(plain.depthBits == other.depthBits)
          << PathName(path) << ", round " << round;
    }
  }
  EXPECT_GT(drawn, 20000);
}

}  // namespace
