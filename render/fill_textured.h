#pragma once
// The textured fill: perspective-correct texture coordinates and exact
// plane depth at every covered pixel; pure white texels are transparent.
#include "render/clipped_triangle.h"
#include "render/draw_area.h"

namespace renderer {

// Triangles without a usable texture (none, or an image that failed to
// load) are skipped: nothing is drawn and no depth is written. Runs the
// context's fill version (fill_dispatch.cpp).
void FillTexturedTriangle(DrawContext& context,
                          const ClippedTriangle& triangle);

// The plain, one-pixel-at-a-time version: the reference the fast ones are
// tested against, and the version where no vector target runs.
void FillTexturedTrianglePlain(DrawContext& context,
                               const ClippedTriangle& triangle);

// The pixels alone, over the spans the context's scratch record holds
// (SetupTriangleSpans has just run on the corners of a triangle with a
// usable texture and found a column): the plane is worked out only here.
// The context's version, and the plain one.
void FillTexturedSpans(DrawContext& context, const ClippedTriangle& triangle);
void FillTexturedSpansPlain(DrawContext& context,
                            const ClippedTriangle& triangle);

// True when the triangle carries a texture the fills can sample.
inline bool HasUsableTexture(const ClippedTriangle& triangle) {
  return triangle.texture != nullptr && TextureIsUsable(*triangle.texture);
}

}  // namespace renderer
