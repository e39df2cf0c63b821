// The textured row kernel of every vector fill version, in each of its
// ways (reading texels, finding u and v), against the plain row loop, one
// row at a time, on rows made to sit where a kernel could slip: depths on
// and beside the stored ones, near limits that are not floats (so the
// kernel's float form of the test must round them down),
// sums that are whole (formed per pixel) or not (added up pixel after
// pixel), rows longer than a chunk, and texels at the very end of the
// image. Pixels, depth bits, the guards past both ends of the row and the
// count of passing pixels must match.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "render/plain_rows.h"
#include "render/row_kernels.h"
#include "renderer/texture.h"

using namespace renderer;

namespace {

constexpr int64_t kGuard = 8;
constexpr uint32_t kGuardBits = 0xA5A5A5A5u;

struct Row {
  TexturedPlane plane{};
  RowStart start{};
  double nearZ = 0;
  int32_t count = 0;
  std::vector<float> depth;  // kGuard, count, kGuard entries
};

struct Drawn {
  std::vector<uint32_t> depthBits;
  std::vector<uint32_t> pixels;
  int64_t passed;
};

std::vector<uint32_t> Bits(const std::vector<float>& values) {
  std::vector<uint32_t> bits;
  for (float value : values) bits.push_back(std::bit_cast<uint32_t>(value));
  return bits;
}

Drawn DrawPlain(const Row& row, const Texture& texture) {
  std::vector<float> depth = row.depth;
  std::vector<uint32_t> pixels(depth.size(), kGuardBits);
  const int64_t passed = FillTexturedRowPlain(
      row.plane, texture, row.nearZ, row.start, int32_t(kGuard),
      int32_t(kGuard) + row.count - 1, depth.data(), pixels.data());
  return {Bits(depth), pixels, passed};
}

Drawn DrawKernel(TexturedRowKernel kernel, const Row& row,
                 const Texture& texture) {
  std::vector<float> depth = row.depth;
  std::vector<uint32_t> pixels(depth.size(), kGuardBits);
  const TexturedPlane& p = row.plane;
  const TexturedRowPlane plane{
      p.k,           p.n.x,         p.dUn,     p.dVn,
      p.u0,          p.v0,          row.nearZ, texture.texels.data(),
      texture.width, texture.height};
  const int64_t passed = kernel(
      plane, {row.start.d, row.start.un, row.start.vn}, row.count,
      depth.data() + kGuard, pixels.data() + kGuard);
  return {Bits(depth), pixels, passed};
}

Texture RandomTexture(int32_t width, int32_t height, std::mt19937* random) {
  std::vector<uint32_t> colours(size_t(width) * size_t(height));
  std::uniform_int_distribution<uint32_t> colour(0, 0xFFFFFF);
  for (uint32_t& c : colours)
    c = (*random)() % 8 == 0 ? 0xFFFFFFu : colour(*random);
  colours.back() = (*random)() % 2 == 0 ? 0xFFFFFFu : 0x123456u;
  return MakeTexture(width, height, colours.data());
}

// A row whose depth is z0 at its first pixel, changing by a fraction of
// itself across the row, with sums whole or not, and stored depths that
// are the row's own z rounded to float, a float beside it, or far.
Row RandomRow(std::mt19937* random, const Texture& texture) {
  std::uniform_int_distribution<int> pick(0, 7);
  std::uniform_real_distribution<double> unit(-1, 1);
  // Near limits that floats cannot hold (2^24 + 3 rounds up to a float),
  // beside ordinary ones and none.
  const double nears[] = {0, 1, 2.5, 16777219.0, 16777217.0, 1e30, 400, -5};
  const double z0s[] = {2, 400, 16777218.0, 16777220.0, 1e30, 1.5, 1e6, 9};
  Row row;
  row.nearZ = nears[pick(*random)];
  const double z0 = z0s[pick(*random)] * (1 + unit(*random) * 1e-7);
  const bool whole = pick(*random) < 4;
  const double d0 =
      whole ? std::round(1e6 * (2 + unit(*random))) : 1e6 * (2 + unit(*random));
  row.plane.k = z0 * d0;
  row.plane.n.x =
      whole ? std::round(d0 * 1e-5 * unit(*random)) : d0 * 1e-5 * unit(*random);
  const double scale = double(texture.width) * d0;
  row.plane.dUn = whole ? std::round(scale * 0.01 * unit(*random))
                        : scale * 0.01 * unit(*random);
  row.plane.dVn = whole ? std::round(scale * 0.01 * unit(*random))
                        : scale * 0.01 * unit(*random);
  row.start = {
      d0, whole ? std::round(scale * unit(*random)) : scale * unit(*random),
      whole ? std::round(scale * unit(*random)) : scale * unit(*random)};
  row.plane.u0 =
      pick(*random) < 4 ? std::round(100 * unit(*random)) : 100 * unit(*random);
  row.plane.v0 =
      pick(*random) < 4 ? std::round(100 * unit(*random)) : 100 * unit(*random);
  const int32_t counts[] = {9, 15, 16, 17, 63, 64, 65, 300};
  row.count = counts[pick(*random)];
  row.depth.assign(size_t(row.count + 2 * kGuard),
                   std::bit_cast<float>(kGuardBits));
  double d = row.start.d;
  for (int32_t x = 0; x < row.count; ++x) {
    const float z = float(row.plane.k / d);
    float& stored = row.depth[size_t(kGuard + x)];
    switch (pick(*random)) {
      case 0:
        stored = z;
        break;
      case 1:
        stored = std::nextafter(z, HUGE_VALF);
        break;
      case 2:
        stored = std::nextafter(z, -HUGE_VALF);
        break;
      case 3:
        stored = std::nextafter(std::nextafter(z, HUGE_VALF), HUGE_VALF);
        break;
      default:
        stored = 1e38f;
        break;
    }
    d += row.plane.n.x;
  }
  return row;
}

// Row `index` drawn by the plain loop and by every vector version; adds
// the plain loop's passing pixels to *passed.
void CompareRow(const Row& row, const Texture& texture, int index,
                int64_t* passed) {
  const Drawn plain = DrawPlain(row, texture);
  *passed += plain.passed;
  for (const RowKernels& kernels : RowKernelsHere()) {
    for (int way = 0; way < 4; ++way) {
      const Drawn drawn = DrawKernel(kernels.texturedWays[way], row, texture);
      const char* const names[] = {" by divisions, loading texels",
                                   " by divisions, gathering texels",
                                   " by a reciprocal, loading texels",
                                   " by a reciprocal, gathering texels"};
      const char* name = names[way];
      ASSERT_EQ(drawn.passed, plain.passed)
          << kernels.name << name << ", row " << index;
      ASSERT_EQ(drawn.depthBits, plain.depthBits)
          << kernels.name << name << ", row " << index;
      ASSERT_EQ(drawn.pixels, plain.pixels)
          << kernels.name << name << ", row " << index;
    }
  }
}

TEST(TexturedRowKernel, MatchesThePlainRowOnCraftedRows) {
  if (RowKernelsHere().empty()) GTEST_SKIP() << "no vector fill version here";
  std::mt19937 random(20261208u);
  const Texture textures[] = {
      RandomTexture(2, 1, &random), RandomTexture(7, 5, &random),
      RandomTexture(99, 77, &random), RandomTexture(256, 256, &random)};
  int64_t passed = 0;
  for (int i = 0; i < 4000; ++i) {
    const Texture& texture = textures[i % 4];
    ASSERT_NO_FATAL_FAILURE(
        CompareRow(RandomRow(&random, texture), texture, i, &passed));
  }
  // The rows must draw, or they prove nothing.
  EXPECT_GT(passed, 4000 * 10);
}

// Sums whose every last bit shows: d = 1, u = Un - 0.5 + 0.5 with Un
// stepping by thirds, tenths and the like across whole numbers, so that a
// sum one bit off its sequential value lands in the next column. Rows of
// whole numbers and rows that keep one binade are formed per pixel; these
// check that each pixel gets the sequential sum's bits.
TEST(TexturedRowKernel, SumsKeepTheSequentialAdditionsLastBits) {
  if (RowKernelsHere().empty()) GTEST_SKIP() << "no vector fill version here";
  std::vector<uint32_t> colours(64);
  for (uint32_t c = 0; c < 64; ++c) colours[c] = c * 0x030201u;
  const Texture texture = MakeTexture(64, 1, colours.data());
  const double steps[] = {1.0 / 3, 0.1, 1.0 / 7, 1.0 / 99, 0.3, -0.1, -1.0 / 3};
  int64_t passed = 0;
  for (int i = 0; i < 700; ++i) {
    Row row;
    row.count = 9 + i % 200;
    row.plane.k = 100;
    row.plane.n.x = 0;
    row.plane.dUn = steps[i % 7];
    row.plane.u0 = -0.5;
    row.start = {1, double(i % 50) + double(i % 13) / 13.0, 0};
    row.depth.assign(size_t(row.count + 2 * kGuard), 1e38f);
    ASSERT_NO_FATAL_FAILURE(CompareRow(row, texture, i, &passed));
  }
  EXPECT_GT(passed, 700 * 9);
}

// Rows at the edges of the reciprocal's proof (sure_quotient-inl.h) and of
// the tile the kernel wraps by: K and d at and beyond the ranges in which
// one division may stand for three, u and v landing on whole numbers
// (where a quotient a few units in the last place off truncates to the
// next column), zero numerators, texel steps of several copies of the
// texture per pixel, rows crossing zero and the int32 limit.
TEST(TexturedRowKernel, MatchesThePlainRowAtTheEdgesOfItsShortcuts) {
  if (RowKernelsHere().empty()) GTEST_SKIP() << "no vector fill version here";
  std::mt19937 random(8122026u);
  std::uniform_int_distribution<int> pick(0, 7);
  std::uniform_real_distribution<double> unit(-1, 1);
  const Texture textures[] = {RandomTexture(7, 5, &random),
                              RandomTexture(64, 32, &random)};
  const double ds[] = {0x1p-400, 0x1.0000000000001p-400, 0x1p400,
                       0x1.fffffffffffffp399, 1.0, 3.0, 1e-300, 1e300};
  const double zs[] = {2, 1e3, 3e38, 1e-3, 0x1p500, 0x1p-499, 7, 1e20};
  const double steps[] = {0, 0.5, -0.25, 1.0 / 3, 7.0, -64.5, 1e6, 0.1};
  const double starts[] = {0, -0.5, 4.5, -1e9, 2147483000.0, 1.0 / 3, -7, 63};
  int64_t passed = 0;
  for (int i = 0; i < 6000; ++i) {
    const Texture& texture = textures[i % 2];
    Row row;
    const double d = ds[pick(random)] * (pick(random) < 4 ? 1 : -1);
    row.plane.k = zs[pick(random)] * d;
    row.plane.n.x = pick(random) < 4 ? 0 : d * 1e-4 * unit(random);
    row.plane.dUn = steps[pick(random)] * d;
    row.plane.dVn = steps[pick(random)] * d;
    row.start = {d, starts[pick(random)] * d, starts[pick(random)] * d};
    row.plane.u0 = pick(random) < 4 ? -0.5 : std::round(10 * unit(random));
    row.plane.v0 = pick(random) < 4 ? 0 : std::round(10 * unit(random));
    row.count = 9 + pick(random) * 37;
    row.depth.assign(size_t(row.count + 2 * kGuard), 1e38f);
    ASSERT_NO_FATAL_FAILURE(CompareRow(row, texture, i, &passed));
  }
  EXPECT_GT(passed, 6000 * 10);
}

}  // namespace
