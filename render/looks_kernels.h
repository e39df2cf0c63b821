#pragma once
// The looks fills' vector kernels: for a triangle's drawn pixels, several
// at a time in the vector lanes of one Highway target, smooth shading's
// level and lit colour (smooth_level_kernel.h) and bilinear texels. Each
// draws exactly what its one-pixel function draws (SmoothLevel,
// LightColour, BilinearTexel), bit for bit, multiplies and adds kept apart.
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

// The kernels of one vector target. The fills use `colours` (level and lit
// colour in one) and `bilinear`; `level` and `light` are its two halves,
// each tested on its own.
struct LooksKernels {
  SmoothLevelKernel level;
  LightColourKernel light;
  SmoothColourKernel colours;
  BilinearKernel bilinear;
};

// Compiled for `target`, or null when it was not compiled in.
BilinearKernel BilinearKernelFor(int64_t target);

// The ones a fill version uses (found once per process, not per
// triangle): null for the plain fills.
const LooksKernels* LooksKernelsOf(FillPath path);

}  // namespace renderer
