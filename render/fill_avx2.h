#pragma once
// The two triangle fills with four pixels per step in AVX2 lanes. They draw
// exactly what the plain fills draw, bit for bit; call them only when the
// processor has AVX2 (CpuHasAvx2).
#include "render/clip.h"

namespace renderer {

void FillTexturedTriangleAvx2(DrawContext& context,
                              const ClippedTriangle& triangle);
void FillFlatTriangleAvx2(DrawContext& context,
                          const ClippedTriangle& triangle);

}  // namespace renderer
