#pragma once
// Smooth shading's levels for several pixels of one row at a time, in the
// vector lanes of one Highway target: each lane runs SmoothLevel's IEEE
// operations in SmoothLevel's order, multiplies and adds kept apart.
#include <cstdint>

#include "render/smooth_light.h"
#include "renderer/render.h"

namespace renderer {

// The row's camera: pixel (x, y) at depth z lies at
// ((x - centreX) z / f, (y - centreY) z / f, z).
struct SmoothRow {
  double centreX;
  double centreY;
  double f;
  double y;
};

// levels[i] = SmoothLevel(light, point of pixel x[i] at depth z[i]), i from
// 0 to count - 1.
using SmoothLevelKernel = void (*)(const SmoothLight& light,
                                   const SmoothRow& row, const double* x,
                                   const double* z, int64_t count,
                                   int32_t* levels);

// The kernel compiled for `target`, or null when it was not compiled in.
SmoothLevelKernel SmoothLevelKernelFor(int64_t target);

}  // namespace renderer
