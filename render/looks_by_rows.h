#pragma once
// The looks fills by rows: each row walked as the plain fill walks it (the
// same d, z, depth tests and nearest texels), the triangle's drawn pixels
// gathered, and their bilinear texels and lit colours worked out several
// at a time by a vector target's looks kernels.
#include "render/looks_fill.h"
#include "render/looks_kernels.h"

namespace renderer {

void FillUntexturedLooksByRows(DrawContext& context,
                               const ClippedTriangle& triangle,
                               const LooksTriangle& looks,
                               const LooksKernels& kernels);
void FillTexturedLooksByRows(DrawContext& context,
                             const ClippedTriangle& triangle,
                             const LooksTriangle& looks,
                             const LooksKernels& kernels);

}  // namespace renderer
