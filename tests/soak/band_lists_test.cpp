// Bands that walk only their own triangle lists draw what one band walking
// every triangle draws, bit for bit: scenes of many tiny, degenerate and
// one-row triangles placed across every band edge (whole, half and eighth
// pixel corners, many between two rows), some through the near plane, with
// lines between objects, and frames where nothing is drawn; every thread count, band thickness and
// fill version against one band of the plain fills.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "render/workspace.h"
#include "renderer/renderer.h"

namespace {

using namespace renderer;

constexpr int32_t kWidth = 160;
constexpr int32_t kHeight = 120;

// A vertex at camera depth 400 or 800, so that with focal length 400 its
// screen position lands on whole or half pixels, or at 3200, up to three
// eighths of a pixel either side of a whole one.
IntVertex Corner(std::mt19937& random, int32_t x, int32_t y) {
  const uint32_t kind = random() % 3;
  if (kind < 2) {
    const int32_t z = kind == 0 ? 400 : 800;
    return IntVertex{x * z / 400, y * z / 400, z};
  }
  const int32_t dx = int32_t(random() % 7) - 3;
  const int32_t dy = int32_t(random() % 7) - 3;
  return IntVertex{x * 8 + dx, y * 8 + dy, 3200};
}

// Triangles of at most a few pixels anywhere in (and a little beyond) the
// frame: single rows, slivers, points, collinear corners.
Mesh TinyTriangles(std::mt19937& random, int32_t count, int32_t texture) {
  std::uniform_int_distribution<int32_t> x(-kWidth / 2 - 4, kWidth / 2 + 4);
  std::uniform_int_distribution<int32_t> y(-kHeight / 2 - 4, kHeight / 2 + 4);
  std::uniform_int_distribution<int32_t> step(-2, 2);
  Mesh mesh;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t cx = x(random), cy = y(random);
    const int32_t first = int32_t(mesh.vertices.size());
    mesh.vertices.push_back(Corner(random, cx, cy));
    mesh.vertices.push_back(Corner(random, cx + step(random), cy + step(random)));
    if (i % 7 == 0) {  // collinear
      const IntVertex& a = mesh.vertices[size_t(first)];
      const IntVertex& b = mesh.vertices[size_t(first) + 1];
      mesh.vertices.push_back(IntVertex{2 * b.x - a.x, 2 * b.y - a.y, b.z});
    } else {
      mesh.vertices.push_back(
          Corner(random, cx + step(random), cy + step(random)));
    }
    if (i % 11 == 0) mesh.vertices.back().z = -50;  // through the near plane
    MeshTriangle triangle;
    for (int32_t k = 0; k < 3; ++k) {
      triangle.vertex[k] = first + (i % 13 == 0 && k == 2 ? 1 : k);
      triangle.colour[k] = 0x00102030u + 0x00030507u * uint32_t(i);
    }
    if (texture >= 0 && i % 3 == 0) {
      triangle.texture = texture;
      SetTexels(mesh, triangle, {{0, 0}, {3, 0}, {0, 2.5}});
    }
    mesh.triangles.push_back(triangle);
  }
  // A few big triangles over many bands, and lines across the frame.
  for (int32_t i = 0; i < 3; ++i) {
    const int32_t first = int32_t(mesh.vertices.size());
    mesh.vertices.push_back(Corner(random, x(random), -kHeight / 2));
    mesh.vertices.push_back(Corner(random, x(random), kHeight / 2));
    mesh.vertices.push_back(Corner(random, x(random), y(random)));
    MeshTriangle triangle;
    for (int32_t k = 0; k < 3; ++k) {
      triangle.vertex[k] = first + k;
      triangle.colour[k] = 0x00800000u >> i;
    }
    mesh.triangles.push_back(triangle);
    mesh.lines.push_back(MeshLine{first, first + 1, 0x00FF0000u, 0x0000FF00u});
  }
  return mesh;
}

Scene RandomScene(std::mt19937& random, bool nothingDrawn) {
  Scene scene;
  std::vector<uint32_t> texels(16);
  for (uint32_t& t : texels) t = uint32_t(random()) & 0x00FFFFFFu;
  scene.textures.push_back(MakeTexture(4, 4, texels.data()));
  for (int32_t i = 0; i < 3; ++i) {
    scene.meshes.push_back(TinyTriangles(random, 700, i == 1 ? 0 : -1));
    SceneObject object;
    object.mesh = i;
    object.position[2] = 0;
    // Behind the camera: every triangle is hidden.
    if (nothingDrawn) object.position[2] = -5000;
    scene.objects.push_back(object);
  }
  if (!nothingDrawn) scene.meshes[2].lines.clear();  // lines end a stretch
  scene.lightObject = 1;
  return scene;
}

struct Frame {
  std::vector<uint32_t> pixels;
  std::vector<float> depth;
  int64_t passed;
};

Frame Draw(const Scene& scene, Workspace& workspace) {
  HeadlessTarget headless;
  BindHeadlessTarget(headless, kWidth, kHeight, kWidth, kHeight);
  View view;
  SetDemoProjection(view, headless.target.clientRect, headless.clientCentre);
  view.focalLength = 400;
  view.nearZ = 2;
  const FrameTarget& target = headless.target;
  ClearFrame(headless.target, kHeight - 1, kWidth - 1);
  ResetStats(workspace);
  RenderFrame(scene, view, target, workspace);
  const size_t pixels = size_t(kWidth) * kHeight;
  return Frame{std::vector<uint32_t>(target.pixels, target.pixels + pixels),
               std::vector<float>(target.depth,
                                  target.depth + target.depthEntries),
               Stats(workspace).pixelsPassed};
}

bool SameFrame(const Frame& a, const Frame& b) {
  return a.passed == b.passed && a.pixels == b.pixels &&
         a.depth.size() == b.depth.size() &&
         std::memcmp(a.depth.data(), b.depth.data(), a.depth.size() * 4) == 0;
}

TEST(BandLists, TinyDegenerateAndBandEdgeTrianglesDrawAsOneBandDoes) {
  WorkspacePtr single = MakeWorkspace();
  ASSERT_TRUE(SetFillPath(*single, kPlainFill));
  int64_t drawn = 0;
  for (uint32_t seed = 0; seed < 12; ++seed) {
    std::mt19937 random(seed);
    const bool nothingDrawn = seed % 4 == 3;
    const Scene scene = RandomScene(random, nothingDrawn);
    const Frame expected = Draw(scene, *single);
    drawn += expected.passed;
    if (nothingDrawn) {
      EXPECT_EQ(expected.passed, 0);
    }
    for (const FillPath path : SupportedFillPaths()) {
      for (int32_t threads : {2, 3, 4, 8}) {
        for (int32_t rows : {1, 2, 7, 30}) {
          WorkspacePtr banded = MakeWorkspace();
          ASSERT_TRUE(SetThreadCount(*banded, threads));
          ASSERT_TRUE(SetFillPath(*banded, path));
          banded->minBandRows = rows;
          EXPECT_TRUE(SameFrame(expected, Draw(scene, *banded)))
              << "seed " << seed << ", " << FillPathName(path) << ", "
              << threads << " threads, bands of " << rows << " rows or more";
        }
      }
    }
  }
  EXPECT_GT(drawn, 10000);
}

}  // namespace
