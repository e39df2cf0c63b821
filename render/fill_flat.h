#pragma once
// The untextured fill: one colour per triangle, lightened by the angle
// between its plane and the direction to object 0's position.
#include <cstdint>

#include "render/clip.h"

// The colour the flat fill draws: corner 0's colour moved toward white by
// the cosine between the normal (E2 x E1) and the direction from the
// triangle's centroid to object 0's position.
uint32_t FlatShade(const ClippedTriangle& triangle);

// Runs the fastest version the processor supports (fill_dispatch.cpp).
void FillFlatTriangle(ClippedTriangle triangle);

// The plain, one-pixel-at-a-time version: the reference the fast ones are
// tested against, and the fallback where AVX2 is missing.
void FillFlatTrianglePlain(ClippedTriangle triangle);
