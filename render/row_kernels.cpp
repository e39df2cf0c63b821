// The table of kernels: for each Highway target that this processor runs,
// best first, the two fills' row kernels and the word fills compiled for
// it, the textured kernel in the way that draws fastest here. Highway's
// fallbacks (EMU128, SCALAR) are left out: where no vector target runs,
// the plain fills draw everything.
#include "render/row_kernels.h"

#include <hwy/highway.h>
#include <hwy/targets.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace renderer {

namespace {

// Nanoseconds `kernel` takes to draw a row of depth.size() pixels of
// `plane` from `start`, at best of four.
int64_t FastestDraw(TexturedRowKernel kernel, const TexturedRowPlane& plane,
                    const TexturedRowStart& start, std::vector<float>& depth,
                    std::vector<uint32_t>& pixels) {
  using Clock = std::chrono::steady_clock;
  int64_t fastest = INT64_MAX;
  for (int draw = 0; draw < 4; ++draw) {
    std::fill(depth.begin(), depth.end(), 1e30f);
    const Clock::time_point begin = Clock::now();
    kernel(plane, start, int64_t(depth.size()), depth.data(), pixels.data());
    const auto took = std::chrono::duration_cast<std::chrono::nanoseconds>(
        Clock::now() - begin);
    fastest = std::min(fastest, int64_t(took.count()));
  }
  return fastest;
}

// The fastest of a target's textured kernels on this processor, timed on
// a row of 256 pixels, every one passing, across a texture of 97 x 61
// texels that it repeats (about 0.4 of a texel a pixel, as a magnified
// texture is drawn), each way in turn for three rounds. All draw the same
// bits, so a close call that goes either way changes only the speed.
TexturedRowKernel FastestTexturedKernel(const TexturedRowKernel (&ways)[4]) {
  std::vector<uint8_t> texels(97 * 61 * 3);
  uint32_t seed = 12345;
  for (uint8_t& texel : texels) {
    seed = seed * 1664525u + 1013904223u;
    texel = uint8_t(seed >> 24);
  }
  const double d = 1 << 20;
  // z = 1000, u from 12345.5, v from 6789.5, near z 1.
  const TexturedRowPlane plane{1000 * d, 1,   0.37 * d,      0.23 * d, 0.5,
                               0.5,      1.0, texels.data(), 97,       61};
  const TexturedRowStart start{d, 12345 * d, 6789 * d};
  std::vector<float> depth(256);
  std::vector<uint32_t> pixels(256);
  int64_t fastest[4] = {INT64_MAX, INT64_MAX, INT64_MAX, INT64_MAX};
  for (int round = 0; round < 3; ++round) {
    for (int way = 0; way < 4; ++way) {
      fastest[way] = std::min(
          fastest[way], FastestDraw(ways[way], plane, start, depth, pixels));
    }
  }
  return ways[std::min_element(fastest, fastest + 4) - fastest];
}

struct KernelTable {
  RowKernels entries[64];
  size_t count = 0;
};

KernelTable FindKernels() {
  KernelTable table;
  const int64_t fallbacks = HWY_EMU128 | HWY_SCALAR;
  const int64_t supported = hwy::SupportedTargets() & ~fallbacks;
  // Lower bits stand for better targets.
  for (int bit = 0; bit < 63; ++bit) {
    const int64_t target = int64_t{1} << bit;
    if ((supported & target) == 0) continue;
    RowKernels kernels{target,
                       hwy::TargetName(target),
                       nullptr,
                       {},
                       FlatRowKernelFor(target),
                       WordFillKernelFor(target),
                       FloatFillKernelFor(target)};
    bool complete = kernels.flat != nullptr && kernels.fillWords != nullptr &&
                    kernels.fillFloats != nullptr;
    for (int way = 0; way < 4; ++way) {
      kernels.texturedWays[way] =
          TexturedRowKernelFor(target, kTexturedWays[way]);
      complete = complete && kernels.texturedWays[way] != nullptr;
    }
    if (!complete) continue;
    kernels.textured = FastestTexturedKernel(kernels.texturedWays);
    table.entries[table.count++] = kernels;
  }
  return table;
}

}  // namespace

std::span<const RowKernels> RowKernelsHere() {
  static const KernelTable table = FindKernels();
  return {table.entries, table.count};
}

const RowKernels* RowKernelsOf(FillPath path) {
  for (const RowKernels& kernels : RowKernelsHere()) {
    if (kernels.target == path.target) return &kernels;
  }
  return nullptr;
}

}  // namespace renderer
