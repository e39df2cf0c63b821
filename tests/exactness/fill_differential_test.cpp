// Every fast fill against the plain one, on random triangles drawn over
// random buffers: the pixels, every depth bit, the guards around both
// buffers and the count of pixels that passed the depth tests must match.
//
// The triangles cover what the fast fills treat specially: rows whose
// running sums are exact per pixel and rows whose sums must be added step
// by step (a fractional centre, fractional texel coordinates), rows longer
// than a chunk, row ends that fill only part of a step, texture
// coordinates far outside the image and beyond the int32 range, NaN,
// one-texel and tiny images, texels at the very end of the image, pure
// white texels, equal depths (each case draws one triangle twice), and
// near values on both sides of 1.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "differential_canvas.h"
#include "render/fill_flat.h"
#include "render/fill_textured.h"

namespace {

struct Size {
  int32_t width, height;
};

// Images of awkward sizes; slot 0 has one texel (drawn by the plain fill
// from every version), the last is large enough for long repeats.
const Size kTextureSizes[] = {{1, 1}, {1, 2},   {2, 1},   {3, 3},
                              {7, 5}, {64, 64}, {99, 77}, {256, 256}};
constexpr int kTextureCount = int(std::size(kTextureSizes));
constexpr int kFlatTriangle = kTextureCount;  // the mesh's untextured one

class FillDifferential : public ::testing::Test {
 protected:
  void Start(int32_t width, int32_t height) {
    canvas = std::make_unique<DifferentialCanvas>(width, height);
    random.seed(20261207u + uint32_t(width));
    const double uv[3][2] = {};
    for (const Size& size : kTextureSizes) {
      textures.push_back(
          std::make_unique<TestTexture>(size.width, size.height));
      TestTexture& t = *textures.back();
      std::uniform_int_distribution<uint32_t> colour(0, 0xFFFFFF);
      std::uniform_int_distribution<int> white(0, 9);
      for (int32_t r = 0; r < size.height; ++r) {
        for (int32_t c = 0; c < size.width; ++c) {
          t.Set(c, r, white(random) == 0 ? 0xFFFFFFu : colour(random));
        }
      }
      mesh.triangles.push_back(TexturedTriangle(&mesh, 0, 0, 0, &t.texture, uv));
    }
    // The image's last texel pure white, so the read at the very end of the
    // texels decides whether a pixel is drawn.
    textures.back()->Set(255, 255, 0xFFFFFFu);
    mesh.triangles.push_back(FlatTriangle(0, 0, 0, 0x00336699u));
    mesh.vertices = {{0, 0, 0}};
    ResetObjects(1);
    PlaceMesh(&mesh, 0, 0, 0, 3200);
    canvas->Attach();
  }

  // A camera, a viewport and object 0's position (it lights the flat
  // fill) for one case.
  void RandomCamera() {
    std::uniform_int_distribution<int> pick(0, 3);
    const int32_t focal[] = {37, 100, 400, 1000};
    const int32_t nearZ[] = {2, 0, -3, 400};
    const double fractions[] = {0.0, 0.0, 0.5, 0.3125};
    const int32_t w = canvas->frame.width;
    const int32_t h = canvas->frame.height;
    std::uniform_int_distribution<int32_t> inset(0, 12);
    const bool fullView = pick(random) != 0;
    SetProjection(
        focal[pick(random)], nearZ[pick(random)],
        (w >> 1) + fractions[pick(random)], (h >> 1) + fractions[pick(random)],
        fullView ? 0 : inset(random), fullView ? 0 : inset(random),
        fullView ? w : w - inset(random), fullView ? h : h - inset(random));
    std::uniform_int_distribution<int32_t> place(-4000, 4000);
    for (int32_t& p : Rig().scene.objects[0].position) p = place(random);
  }

  // A corner somewhere around the viewport at camera depth z, projected as
  // the scene pass projects (or as the clipper places points at z = 1).
  ClipVertex RandomCorner(int mode) {
    const View& rc = Rig().view;
    const double w = canvas->frame.width;
    const double h = canvas->frame.height;
    std::uniform_real_distribution<double> screenX(-60, w + 60);
    std::uniform_real_distribution<double> screenY(-60, h + 60);
    std::uniform_int_distribution<int32_t> depth(2, 5000);
    ClipVertex v{};
    v.z = mode == 1 ? 1 : mode == 2 ? depth(random) * 300 : depth(random);
    const double f = rc.focalLength;
    v.x = int32_t((screenX(random) - rc.centreX) * v.z / f);
    v.y = int32_t((screenY(random) - rc.centreY) * v.z / f);
    if (v.z == 1) {
      v.screenX = v.x * rc.focalLength + rc.centreX;
      v.screenY = v.y * rc.focalLength + rc.centreY;
    } else {
      v.screenX = (double(v.x) * f) / v.z + rc.centreX;
      v.screenY = (double(v.y) * f) / v.z + rc.centreY;
    }
    if (mode == 3) {  // screen place and camera place that disagree
      v.screenX = screenX(random);
      v.screenY = screenY(random);
    }
    v.colour = uint32_t(std::uniform_int_distribution<uint32_t>()(random));
    return v;
  }

  // Texel coordinates of one corner: whole, fractional, scrolled far,
  // beyond the int32 range, or not a number.
  void RandomTexels(ClipVertex* v, int mode) {
    std::uniform_int_distribution<int32_t> whole(-300, 600);
    std::uniform_real_distribution<double> part(-300, 600);
    switch (mode) {
      case 0:
        v->u = whole(random);
        v->v = whole(random);
        break;
      case 1:
        v->u = part(random);
        v->v = part(random);
        break;
      case 2:
        v->u = whole(random) +
               10.0 * std::uniform_int_distribution<int>(0, 200000)(random);
        v->v = whole(random);
        break;
      case 3:
        v->u = part(random) * 1.0e7;
        v->v = -part(random) * 1.0e7;
        break;
      default:
        v->u = std::numeric_limits<double>::quiet_NaN();
        v->v = std::numeric_limits<double>::infinity();
        break;
    }
  }

  ClippedTriangle RandomTriangle() {
    std::uniform_int_distribution<int> cornerMode(0, 9);
    std::uniform_int_distribution<int> texelMode(0, 20);
    std::uniform_int_distribution<int> slot(0, kFlatTriangle);
    const int texels = texelMode(random);
    ClippedTriangle t{};
    for (ClipVertex& v : t.corners) {
      const int mode = cornerMode(random);
      v = RandomCorner(mode < 6 ? 0 : mode - 5);
      RandomTexels(&v, texels < 8    ? 0
                       : texels < 14 ? 1
                       : texels < 18 ? 2
                       : texels < 20 ? 3
                                     : 4);
    }
    if (cornerMode(random) == 0) t.corners[2] = t.corners[0];  // degenerate
    // The mesh triangle decides the texture (none for the flat one).
    return MakeTriangle(t.corners[0], t.corners[1], t.corners[2], 0,
                        slot(random));
  }

  static void Draw(const std::vector<ClippedTriangle>& triangles) {
    for (const ClippedTriangle& t : triangles) {
      if (t.texture == nullptr) {
        FillFlatTriangle(t);
      } else {
        FillTexturedTriangle(t);
      }
    }
  }

  // `cases` rounds of: random buffers, a random camera and a handful of
  // random triangles (some drawn twice, so equal depths meet), drawn by
  // the plain fills and by every fast version.
  void CompareRandomCases(int cases) {
    const std::vector<FillPath> fast = FastPathsHere();
    if (fast.empty()) GTEST_SKIP() << "no fast fill version on this processor";
    int64_t drawn = 0;
    for (int round = 0; round < cases; ++round) {
      canvas->Randomise(&random);
      RandomCamera();
      std::vector<ClippedTriangle> triangles;
      for (int i = 0; i < 4; ++i) triangles.push_back(RandomTriangle());
      triangles.push_back(triangles[0]);
      const auto plain =
          canvas->DrawWith(kPlainFill, [&] { Draw(triangles); });
      ASSERT_TRUE(canvas->Intact()) << "plain fill, round " << round;
      drawn += plain.pixelsPassed;
      for (FillPath path : fast) {
        const auto other = canvas->DrawWith(path, [&] { Draw(triangles); });
        ASSERT_TRUE(canvas->Intact()) << PathName(path) << ", round " << round;
        ASSERT_EQ(FirstDifference(plain, other), "")
            << PathName(path) << ", round " << round;
      }
    }
    // The cases must draw something, or they prove nothing.
    EXPECT_GT(drawn, cases * 100);
  }

  std::unique_ptr<DifferentialCanvas> canvas;
  std::mt19937 random;
  std::vector<std::unique_ptr<TestTexture>> textures;
  TestMesh mesh;
};

TEST_F(FillDifferential, RandomTrianglesOnASmallFrame) {
  Start(160, 120);
  CompareRandomCases(200);
}

// Rows up to 700 pixels: many chunks per row, and every remainder of a row
// after its last whole step.
TEST_F(FillDifferential, RandomTrianglesOnAWideFrame) {
  Start(701, 37);
  CompareRandomCases(100);
}

// The plain fills come first in the list of versions; a workspace starts
// with the best vector target, falls back to the plain fills where there is
// none, and refuses a target the processor does not run.
TEST(FillDispatch, ListsEveryVersionAndStartsWithTheBest) {
  const std::vector<FillPath> paths = SupportedFillPaths();
  ASSERT_FALSE(paths.empty());
  EXPECT_EQ(paths.front(), kPlainFill);
  EXPECT_EQ(BestFillPath(), paths.size() > 1 ? paths[1] : kPlainFill);
  WorkspacePtr workspace = MakeWorkspace();
  EXPECT_EQ(ActiveFillPath(*workspace), BestFillPath());
  EXPECT_TRUE(SetFillPath(*workspace, kPlainFill));
  EXPECT_EQ(ActiveFillPath(*workspace), kPlainFill);
  // Each workspace has its own.
  EXPECT_EQ(ActiveFillPath(*MakeWorkspace()), BestFillPath());
  for (FillPath path : paths) {
    EXPECT_TRUE(SetFillPath(*workspace, path)) << FillPathName(path);
    EXPECT_EQ(ActiveFillPath(*workspace), path);
  }
  const FillPath missing{int64_t{1} << 62};  // Highway's scalar fallback
  EXPECT_FALSE(FillPathSupported(missing));
  EXPECT_FALSE(SetFillPath(*workspace, missing));
}

#if defined(__x86_64__)
// Every x86-64 vector target is compiled in: a processor that has the
// instructions gets the version.
TEST(FillDispatch, OffersEveryX86TargetTheProcessorRuns) {
  std::vector<std::string> names;
  for (FillPath path : SupportedFillPaths()) names.push_back(FillPathName(path));
  const auto offered = [&](const char* name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  };
  __builtin_cpu_init();
  EXPECT_EQ(offered("SSE4"), __builtin_cpu_supports("sse4.2") != 0 &&
                                 __builtin_cpu_supports("aes") != 0 &&
                                 __builtin_cpu_supports("pclmul") != 0);
  EXPECT_EQ(offered("AVX2"), __builtin_cpu_supports("avx2") != 0 &&
                                 __builtin_cpu_supports("bmi2") != 0 &&
                                 __builtin_cpu_supports("fma") != 0);
  EXPECT_EQ(offered("AVX3"), __builtin_cpu_supports("avx512f") != 0 &&
                                 __builtin_cpu_supports("avx512bw") != 0 &&
                                 __builtin_cpu_supports("avx512dq") != 0 &&
                                 __builtin_cpu_supports("avx512vl") != 0);
}
#endif

}  // namespace
