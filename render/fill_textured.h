#pragma once
// The textured fill: perspective-correct texture coordinates and exact
// plane depth at every covered pixel; pure white texels are transparent.
#include "render/clip.h"
#include "scene/texture.h"

// A texture the fill can sample: at least one texel and all of its bytes.
bool TextureIsUsable(const Texture* texture);

// Triangles whose texture is not usable (an image that failed to load) are
// skipped: nothing is drawn and no depth is written. Runs the fastest
// version the processor supports (fill_dispatch.cpp).
void FillTexturedTriangle(ClippedTriangle triangle);

// The plain, one-pixel-at-a-time version: the reference the fast ones are
// tested against, and the fallback where AVX2 is missing.
void FillTexturedTrianglePlain(ClippedTriangle triangle);
