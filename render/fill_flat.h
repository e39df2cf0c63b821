#pragma once
// The untextured fill: one colour per triangle, lightened by the angle
// between its plane and the direction to the light.
#include <cstdint>

#include "render/clipped_triangle.h"
#include "render/draw_area.h"

namespace renderer {

// The colour the flat fill draws: corner 0's colour moved toward white by
// the cosine between the normal (E2 x E1) and the direction from the
// triangle's centroid to the triangle's light.
uint32_t FlatShade(const ClippedTriangle& triangle);

// The triangle's FlatShade, worked out the first time a pixel passes the
// depth tests: a tiny triangle behind what is drawn already needs no colour
// (three in ten of those with a pixel, on the 1M-triangle model).
struct LazyFlatColour {
  uint32_t operator()() {
    if (!made) {
      colour = FlatShade(triangle);
      made = true;
    }
    return colour;
  }

  const ClippedTriangle& triangle;
  uint32_t colour = 0;
  bool made = false;
};

// Runs the context's fill version (fill_dispatch.cpp).
void FillFlatTriangle(DrawContext& context, const ClippedTriangle& triangle);

// The plain, one-pixel-at-a-time version: the reference the fast ones are
// tested against, and the version where no vector target runs.
void FillFlatTrianglePlain(DrawContext& context,
                           const ClippedTriangle& triangle);

// The pixels alone, over the spans the context's scratch record holds
// (SetupTriangleSpans has just run on the triangle's corners and found a
// column): the plane and the colour are worked out only here. The context's
// version, and the plain one.
void FillFlatSpans(DrawContext& context, const ClippedTriangle& triangle);
void FillFlatSpansPlain(DrawContext& context, const ClippedTriangle& triangle);

}  // namespace renderer
