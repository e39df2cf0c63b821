#pragma once
// The two triangle fills with several pixels per step: four in AVX2 lanes,
// eight in AVX-512 lanes. They draw exactly what the plain fills draw, bit
// for bit; call each only where the processor has its instructions
// (CpuHasAvx2; CpuHasAvx512 for AVX-512 F and VL).
#include "render/clip.h"

namespace renderer {

void FillTexturedTriangleAvx2(DrawContext& context,
                              const ClippedTriangle& triangle);
void FillFlatTriangleAvx2(DrawContext& context,
                          const ClippedTriangle& triangle);
void FillTexturedTriangleAvx512(DrawContext& context,
                                const ClippedTriangle& triangle);
void FillFlatTriangleAvx512(DrawContext& context,
                            const ClippedTriangle& triangle);

}  // namespace renderer
