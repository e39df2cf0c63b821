#pragma once
// Smooth shading's levels and lit colours for several pixels at a time, in
// the vector lanes of one Highway target: each lane runs SmoothLevel's and
// LightColour's operations in their order, multiplies and adds kept apart.
#include <cstdint>

#include "render/smooth_light.h"

namespace renderer {

// The camera: pixel (x, y) at depth z lies at
// ((x - centreX) z / f, (y - centreY) z / f, z).
struct SmoothCamera {
  double centreX;
  double centreY;
  double f;
};

// levels[i] = SmoothLevel(light, the point of pixel (x[i], y[i]) at depth
// z[i]), i from 0 to count - 1.
using SmoothLevelKernel = void (*)(const SmoothLight& light,
                                   const SmoothCamera& camera,
                                   const double* x, const double* y,
                                   const double* z, int64_t count,
                                   int32_t* levels);

// colours[i] = LightColour(colours[i], levels[i]), levels from 0 to 255.
using LightColourKernel = void (*)(const int32_t* levels, int64_t count,
                                   uint32_t* colours);

// Both in one: colours[i] = LightColour(colours[i], the level above).
using SmoothColourKernel = void (*)(const SmoothLight& light,
                                    const SmoothCamera& camera,
                                    const double* x, const double* y,
                                    const double* z, int64_t count,
                                    uint32_t* colours);

// Each compiled for `target`, or null when it was not compiled in.
SmoothLevelKernel SmoothLevelKernelFor(int64_t target);
LightColourKernel LightColourKernelFor(int64_t target);
SmoothColourKernel SmoothColourKernelFor(int64_t target);

}  // namespace renderer
