// The looks kernels of every vector fill version against the one-pixel
// functions they stand for (BilinearTexel, SmoothLevel, LightColour), bit
// for bit: random batches of every length up to the fills' 64, texel
// coordinates on and between texel centres, across the texture's edges,
// far outside it and not finite, see-through texels, and the smallest
// textures (1 x 1, 1 x N, N x 1); nothing written past the batch.
#include "render/looks_kernels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "differential_canvas.h"
#include "render/bilinear.h"
#include "render/smooth_light.h"
#include "render/texel_wrap.h"

namespace {

constexpr uint32_t kGuard = 0xA5A5A5A5u;
constexpr uint32_t kSeeThrough = 0x00FFFFFFu;

std::vector<const LooksKernels*> KernelsHere() {
  std::vector<const LooksKernels*> kernels;
  for (FillPath path : FastPathsHere()) {
    const LooksKernels* found = LooksKernelsOf(path);
    EXPECT_NE(found, nullptr) << PathName(path);
    if (found != nullptr) kernels.push_back(found);
  }
  return kernels;
}

// A width x height texture of random texels, about one in five of them
// see-through.
std::vector<uint8_t> RandomTexels(int32_t width, int32_t height,
                                  std::mt19937* random) {
  std::vector<uint8_t> texels;
  for (int32_t i = 0; i < width * height; ++i) {
    const uint32_t colour =
        (*random)() % 5 == 0 ? kSeeThrough : (*random)() & 0xFFFFFFu;
    texels.push_back(uint8_t(colour >> 16));
    texels.push_back(uint8_t(colour >> 8));
    texels.push_back(uint8_t(colour));
  }
  return texels;
}

// A texel coordinate along a side of `size` texels: mostly near the
// texture, often exactly on a texel's centre or edge, now and then past the
// int32 range or not finite.
double RandomCoordinate(int32_t size, std::mt19937* random) {
  const uint32_t kind = (*random)() % 16;
  std::uniform_real_distribution<double> near(-3.0 * size, 4.0 * size);
  switch (kind) {
    case 0:
      return double(int32_t((*random)() % 9) - 4) + 0.5 * ((*random)() % 2);
    case 1:
      return double(size) - std::ldexp(1.0, -int((*random)() % 50));
    case 2:
      return std::uniform_real_distribution<double>(-5e9, 5e9)(*random);
    case 3:
      return (*random)() % 2 == 0 ? 2147483646.5 : -2147483647.25;
    case 4: {
      const double odd[] = {std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(), 1e300};
      return odd[(*random)() % 4];
    }
    default:
      return near(*random);
  }
}

// The texel nearest sampling picks at (u, v), as the looks fills find it.
uint32_t NearestTexel(const std::vector<uint8_t>& texels, int32_t width,
                      int32_t height, double u, double v) {
  return TexelAt(texels.data(), width, WrapTexel(u + 0.5, width),
                 WrapTexel(v, height));
}

TEST(LooksKernels, BilinearTexelsMatchTheOnePixelBlend) {
  std::mt19937 random(1717);
  const int32_t sizes[][2] = {{1, 1}, {1, 2}, {1, 7}, {6, 1}, {2, 2},
                              {3, 2}, {5, 7}, {64, 3}, {256, 256}};
  int64_t checked = 0;
  for (const LooksKernels* kernels : KernelsHere()) {
    for (const auto& size : sizes) {
      const int32_t width = size[0];
      const int32_t height = size[1];
      for (int round = 0; round < 60; ++round) {
        const std::vector<uint8_t> texels =
            RandomTexels(width, height, &random);
        const BilinearTexture texture{texels.data(), width, height};
        std::vector<double> u;
        std::vector<double> v;
        std::vector<uint32_t> nearest;
        const int32_t count = int32_t(random() % 64) + 1;
        // Only pixels whose nearest texel is not see-through reach the
        // kernel; a 1 x 1 see-through texture has none.
        for (int tries = 0; int32_t(u.size()) < count && tries < 1000;
             ++tries) {
          const double pu = RandomCoordinate(width, &random);
          const double pv = RandomCoordinate(height, &random);
          const uint32_t texel = NearestTexel(texels, width, height, pu, pv);
          if (texel == kSeeThrough) continue;
          u.push_back(pu);
          v.push_back(pv);
          nearest.push_back(texel);
        }
        std::vector<uint32_t> colours = nearest;
        colours.resize(nearest.size() + 8, kGuard);
        kernels->bilinear(texture, u.data(), v.data(), int64_t(u.size()),
                          colours.data());
        for (size_t i = 0; i < colours.size(); ++i) {
          const uint32_t expected =
              i < u.size() ? BilinearTexel(texels.data(), width, height, u[i],
                                           v[i], nearest[i])
                           : kGuard;
          ASSERT_EQ(colours[i], expected)
              << width << " x " << height << ", entry " << i;
        }
        checked += int64_t(u.size());
      }
    }
  }
  if (KernelsHere().empty()) GTEST_SKIP() << "no fast fill version here";
  EXPECT_GT(checked, 10000);
}

TEST(LooksKernels, LitColoursMatchTheIntegerStepForEveryLevel) {
  std::mt19937 random(2020);
  for (const LooksKernels* kernels : KernelsHere()) {
    for (int round = 0; round < 200; ++round) {
      const int32_t count = int32_t(random() % 64) + 1;
      std::vector<int32_t> levels;
      std::vector<uint32_t> colours;
      for (int32_t i = 0; i < count; ++i) {
        levels.push_back(int32_t((round * 64 + i) % 256));
        // The top byte plays no part; the extremes of each channel often.
        const uint32_t pick = random() % 4;
        colours.push_back(pick == 0   ? 0xFFFFFFFFu
                          : pick == 1 ? 0x00000000u
                                      : uint32_t(random()));
      }
      std::vector<uint32_t> lit = colours;
      lit.resize(colours.size() + 8, kGuard);
      kernels->light(levels.data(), count, lit.data());
      for (size_t i = 0; i < lit.size(); ++i) {
        const uint32_t expected = i < colours.size()
                                      ? LightColour(colours[i], levels[i])
                                      : kGuard;
        ASSERT_EQ(lit[i], expected) << "round " << round << ", entry " << i;
      }
    }
  }
}

// Random lights, triangles (now and then a zero corner normal) and pixels
// of several rows, as a triangle's batch holds them.
struct SmoothPixels {
  SmoothLight light;
  SmoothCamera camera;
  std::vector<double> x, y, z;

  int32_t Level(size_t i) const {
    return SmoothLevel(light, PixelPoint(x[i], y[i], z[i], camera.centreX,
                                         camera.centreY, camera.f));
  }
};

SmoothPixels RandomSmoothPixels(std::mt19937* random) {
  std::uniform_int_distribution<int32_t> place(-5000, 5000);
  std::uniform_int_distribution<int32_t> depth(-200, 9000);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  IntVertex corners[3];
  Vector3 normals[3];
  for (int i = 0; i < 3; ++i) {
    corners[i] = IntVertex{place(*random), place(*random), depth(*random)};
    normals[i] = (*random)() % 10 == 0
                     ? Vector3{}
                     : Vector3{unit(*random), unit(*random), unit(*random)};
  }
  const IntVertex light = (*random)() % 2 == 0
                              ? IntVertex{0, 0, 0}
                              : IntVertex{place(*random), place(*random),
                                          depth(*random)};
  SmoothPixels pixels;
  pixels.light = MakeSmoothLight(corners, normals, light);
  pixels.camera = SmoothCamera{400.5 + ((*random)() % 3),
                               300.0 - 0.25 * ((*random)() % 2),
                               double(200 + (*random)() % 900)};
  const int32_t count = int32_t((*random)() % 64) + 1;
  const double firstRow = double(int32_t((*random)() % 1200) - 100);
  for (int32_t i = 0; i < count; ++i) {
    pixels.x.push_back(double(int32_t((*random)() % 1700) - 50));
    pixels.y.push_back(firstRow + double((*random)() % 4));
    pixels.z.push_back(
        std::uniform_real_distribution<double>(1.0, 12000.0)(*random));
  }
  return pixels;
}

TEST(LooksKernels, LevelsMatchSmoothLevel) {
  std::mt19937 random(3131);
  for (const LooksKernels* kernels : KernelsHere()) {
    for (int round = 0; round < 300; ++round) {
      const SmoothPixels p = RandomSmoothPixels(&random);
      std::vector<int32_t> levels(p.x.size() + 8, int32_t(kGuard));
      kernels->level(p.light, p.camera, p.x.data(), p.y.data(), p.z.data(),
                     int64_t(p.x.size()), levels.data());
      for (size_t i = 0; i < levels.size(); ++i) {
        ASSERT_EQ(levels[i], i < p.x.size() ? p.Level(i) : int32_t(kGuard))
            << "round " << round << ", pixel " << i;
      }
    }
  }
}

// The kernel the fills run: level and lit colour in one.
TEST(LooksKernels, SmoothColoursMatchTheOnePixelLight) {
  std::mt19937 random(4343);
  for (const LooksKernels* kernels : KernelsHere()) {
    for (int round = 0; round < 300; ++round) {
      const SmoothPixels p = RandomSmoothPixels(&random);
      std::vector<uint32_t> colours;
      for (size_t i = 0; i < p.x.size(); ++i) {
        colours.push_back(random() % 4 == 0 ? 0xFFFFFFu : uint32_t(random()));
      }
      std::vector<uint32_t> lit = colours;
      lit.resize(colours.size() + 8, kGuard);
      kernels->colours(p.light, p.camera, p.x.data(), p.y.data(), p.z.data(),
                       int64_t(p.x.size()), lit.data());
      for (size_t i = 0; i < lit.size(); ++i) {
        const uint32_t expected =
            i < colours.size() ? LightColour(colours[i], p.Level(i)) : kGuard;
        ASSERT_EQ(lit[i], expected) << "round " << round << ", pixel " << i;
      }
    }
  }
}

}  // namespace
