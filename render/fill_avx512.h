#pragma once
// The two triangle fills with eight pixels per step in AVX-512 lanes. They
// draw exactly what the plain fills draw, bit for bit; call them only when
// the processor has AVX-512 F and VL (CpuHasAvx512).
#include "render/clip.h"

void FillTexturedTriangleAvx512(ClippedTriangle triangle);
void FillFlatTriangleAvx512(ClippedTriangle triangle);
