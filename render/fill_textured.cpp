// The textured fill. For each covered pixel the eye ray meets the plane at
// A + (a / d) E1 + (b / d) E2, so z = K / d and the texture coordinates are
// the corners' (u, v) weighted by a / d and b / d. Depth is rounded to float
// before it is tested.
#include "render/fill_textured.h"

#include "render/spans.h"
#include "render/texel_wrap.h"
#include "render/textured_plane.h"

namespace renderer {

void FillTexturedTrianglePlain(DrawContext& context,
                               const ClippedTriangle& triangle) {
  if (!HasUsableTexture(triangle)) return;
  const Texture& texture = *triangle.texture;

  const FrameView frameView = context.frame;
  const DepthView depthView = context.depth;
  const TrianglePoints corners = TriangleScreenPoints(triangle);
  SetupTriangleSpans(context, corners.points);

  const View& view = context.view;
  const WorkerScratch& ws = context.scratch;
  const double f = double(view.focalLength);
  const TexturedPlane p = MakeTexturedPlane(triangle, f);
  const double nearZ = double(view.nearZ);

  int64_t passed = 0;
  for (int32_t y = ws.firstRow; y <= ws.lastRow; ++y) {
    const Span span = ws.spanTable[y];
    uint32_t* pixelRow = frameView.pixels + y * frameView.stride;
    float* depthRow = depthView.depth + y * depthView.stride;
    const RowStart start = TexturedRowStart(p, view, f, y, span.first);
    double d = start.d;
    double un = start.un;
    double vn = start.vn;
    for (int32_t x = span.first; x <= span.last; ++x) {
      if (d != 0) {
        const float z = float(p.k / d);
        if (z < depthRow[x] && z > 1.0 && z > nearZ) {
          ++passed;
          // The half-texel offset belongs to u alone.
          const int32_t column = WrapTexel(un / d + p.u0 + 0.5, texture.width);
          const int32_t row = WrapTexel(vn / d + p.v0, texture.height);
          const uint32_t colour = TexelColour(texture, column, row);
          if (colour != 0x00FFFFFFu) {
            depthRow[x] = z;
            pixelRow[x] = colour;
          }
        }
      }
      // The ray's x grows by 1 per pixel.
      un += p.dUn;
      vn += p.dVn;
      d += p.n.x;
    }
  }
  context.scratch.counters.pixelsPassed += passed;
}

}  // namespace renderer
