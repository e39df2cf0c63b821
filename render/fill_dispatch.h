#pragma once
// A mesh triangle to the fills: classified and clipped at the near plane,
// then each part handed to the flat or the textured fill of the context's
// fill version (the plain fills, or a vector target's row kernels).
#include "render/clip.h"

namespace renderer {

// Classifies, clips and fills one mesh triangle: with the flat fill when it
// has no texture, else with the textured fill and `texture` (null when the
// triangle's texture index names no texture: then nothing is drawn).
void DrawTriangle(DrawContext& context, const ObjectFrame& object,
                  const MeshTriangle& triangle, const Texture* texture);

// DrawTriangle for a triangle of a band's own list (band_bins.h): wholly in
// front of the near plane, kept by the classification, its rows reaching
// the band's, so those checks are not made again. The same pixels as
// DrawTriangle.
void DrawBandTriangle(DrawContext& context, const ObjectFrame& object,
                      const MeshTriangle& triangle, const Texture* texture);

}  // namespace renderer
