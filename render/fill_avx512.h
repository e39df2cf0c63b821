#pragma once
// The two triangle fills with eight pixels per step in AVX-512 lanes. They
// draw exactly what the plain fills draw, bit for bit; call them only when
// the processor has AVX-512 F and VL (CpuHasAvx512).
#include "render/clip.h"

namespace renderer {

void FillTexturedTriangleAvx512(DrawContext& context,
                                const ClippedTriangle& triangle);
void FillFlatTriangleAvx512(DrawContext& context,
                            const ClippedTriangle& triangle);

}  // namespace renderer
