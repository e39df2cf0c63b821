#pragma once
// The fills' row kernels: one row of a triangle's span, drawn several
// pixels per step in the vector lanes of one Highway target. They are pure
// functions of their inputs and draw exactly what the plain one-pixel fills
// draw, bit for bit: each lane runs the plain fill's IEEE operations in the
// plain fill's order, with separate multiplies and adds (never fused).
#include <cstddef>
#include <cstdint>
#include <span>

#include "renderer/render.h"

namespace renderer {

// What a textured row needs from its triangle, the texture and the camera.
struct TexturedRowPlane {
  double k;       // (A . N) f: z = K / d
  double dStep;   // N.x: d's step per pixel
  double unStep;  // Un's step per pixel
  double vnStep;  // Vn's step per pixel
  double u0, v0;  // corner 0's texel coordinates
  double nearZ;
  const uint8_t* texels;  // width x height texels, 3 bytes each (R, G, B)
  int32_t width;          // >= 1
  int32_t height;         // >= 1; 2 <= width x height, x 3 below 2^31
};

// The running sums at a row's first pixel, as the plain fill forms them.
struct TexturedRowStart {
  double d, un, vn;
};

// What an untextured row needs: the plane, the near z and the one colour.
struct FlatRowPlane {
  double k;      // (A . N) f: z = K / d
  double dStep;  // N.x: d's step per pixel
  double nearZ;
  uint32_t colour;
};

// Each draws `count` pixels from depth[0] and pixels[0] on and returns how
// many passed the depth tests.
using TexturedRowKernel = int64_t (*)(const TexturedRowPlane& plane,
                                      const TexturedRowStart& start,
                                      int64_t count, float* depth,
                                      uint32_t* pixels);
using FlatRowKernel = int64_t (*)(const FlatRowPlane& plane, double d,
                                  int64_t count, float* depth,
                                  uint32_t* pixels);

// Each sets `count` entries from the first on to `value` (the depth reset
// and the colour clear); floats are copied as they are, bit for bit.
using WordFillKernel = void (*)(uint32_t* words, size_t count, uint32_t value);
using FloatFillKernel = void (*)(float* values, size_t count, float value);

// The textured kernel's ways of working, which all draw the same bits:
// reading texels by a gather or each word on its own, and finding u and v
// by a reciprocal of d (one division for z, u and v, with the proof that
// it gives the divisions' results) or by two more divisions. Which way is
// faster depends on the processor (on its divider, its gathers and its
// security fixes), not on the instruction set.
struct TexturedWay {
  bool gather;
  bool reciprocal;
};
constexpr TexturedWay kTexturedWays[4] = {
    {false, false}, {true, false}, {false, true}, {true, true}};

// The kernels of one Highway target: the two row kernels and the fills.
// `textured` is the one of `texturedWays` (as kTexturedWays lists them)
// that drew a test row fastest when the table was made.
struct RowKernels {
  int64_t target;    // Highway's bit for the target
  const char* name;  // Highway's name for it: "AVX3", "AVX2", "NEON", ...
  TexturedRowKernel textured;
  TexturedRowKernel texturedWays[4];
  FlatRowKernel flat;
  WordFillKernel fillWords;
  FloatFillKernel fillFloats;
};

// The vector targets compiled in that this processor runs, best first;
// empty where there is none (the plain fills then draw everything).
std::span<const RowKernels> RowKernelsHere();

// The kernels `path` names; null for the plain fills, or for a target this
// processor does not run.
const RowKernels* RowKernelsOf(FillPath path);

// Per fill source: its kernel compiled for `target`, or null when that
// target was not compiled in; the textured one in the given way.
TexturedRowKernel TexturedRowKernelFor(int64_t target, TexturedWay way);
FlatRowKernel FlatRowKernelFor(int64_t target);
WordFillKernel WordFillKernelFor(int64_t target);
FloatFillKernel FloatFillKernelFor(int64_t target);

// For those two: `table` is a fill source's Highway dispatch table of
// KernelFor functions, one per target compiled in (null for the others),
// each returning its kernel when asked for its own target.
template <typename Table, typename... Choice>
auto KernelFromTable(const Table& table, int64_t target, Choice... choice)
    -> decltype(table[0](target, choice...)) {
  for (const auto kernelFor : table) {
    if (kernelFor == nullptr) continue;
    if (const auto kernel = kernelFor(target, choice...)) return kernel;
  }
  return nullptr;
}

}  // namespace renderer
