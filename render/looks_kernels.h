#pragma once
// The looks fills' vector kernels: for a row's passing pixels, several at
// a time in the vector lanes of one Highway target, smooth shading's level
// (smooth_level_kernel.h), bilinear texels and the lit colour. Each draws
// exactly what its one-pixel function draws (BilinearTexel, SmoothLevel,
// LightColour), bit for bit, multiplies and adds kept apart.
#include <cstdint>

#include "render/smooth_level_kernel.h"
#include "renderer/render.h"

namespace renderer {

// The texture the bilinear kernel reads: width x height texels, 3 bytes
// each (R, G, B), width and height >= 1.
struct BilinearTexture {
  const uint8_t* texels;
  int32_t width;
  int32_t height;
};

// colours[i] = BilinearTexel(texture, u[i], v[i], colours[i]) for i from 0
// to count - 1: each colour comes in as the nearest texel (not
// see-through) and goes out blended.
using BilinearKernel = void (*)(const BilinearTexture& texture,
                                const double* u, const double* v,
                                int64_t count, uint32_t* colours);

// colours[i] = LightColour(colours[i], levels[i]), levels from 0 to 255.
using LightColourKernel = void (*)(const int32_t* levels, int64_t count,
                                   uint32_t* colours);

// The kernels of one vector target.
struct LooksKernels {
  SmoothLevelKernel level;
  BilinearKernel bilinear;
  LightColourKernel light;
};

// Each compiled for `target`, or null when it was not compiled in.
BilinearKernel BilinearKernelFor(int64_t target);
LightColourKernel LightColourKernelFor(int64_t target);

// The ones a fill version uses (found once per process, not per
// triangle): null for the plain fills.
const LooksKernels* LooksKernelsOf(FillPath path);

}  // namespace renderer
