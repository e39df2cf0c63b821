#pragma once
// The smooth-shading fills with their levels from a vector target's level
// kernel: each row is walked as the plain fill walks it (the same d, z,
// depth tests and texels), the points that pass gathered, and their levels
// worked out several at a time.
#include "render/looks_fill.h"
#include "render/smooth_level_kernel.h"

namespace renderer {

void FillUntexturedLooksByRows(DrawContext& context,
                               const ClippedTriangle& triangle,
                               const LooksTriangle& looks,
                               SmoothLevelKernel kernel);
void FillTexturedLooksByRows(DrawContext& context,
                             const ClippedTriangle& triangle,
                             const LooksTriangle& looks,
                             SmoothLevelKernel kernel);

}  // namespace renderer
