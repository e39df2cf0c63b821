// The textured fill. For each covered pixel the eye ray meets the plane at
// A + (a / d) E1 + (b / d) E2, so z = K / d and the texture coordinates are
// the corners' (u, v) weighted by a / d and b / d. Depth is rounded to float
// before it is tested.
#include "render/fill_textured.h"

#include "render/plain_rows.h"
#include "render/spans.h"
#include "render/textured_plane.h"

namespace renderer {

void FillTexturedTrianglePlain(DrawContext& context,
                               const ClippedTriangle& triangle) {
  if (!HasUsableTexture(triangle)) return;
  if (SetupTriangleSpans(context, TriangleScreenPoints(triangle).points)) {
    FillTexturedSpansPlain(context, triangle);
  }
}

void FillTexturedSpansPlain(DrawContext& context,
                            const ClippedTriangle& triangle) {
  const Texture& texture = *triangle.texture;
  const FrameView frameView = context.frame;
  const DepthView depthView = context.depth;
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
    passed += FillTexturedRowPlain(p, texture, nearZ, start, span.first,
                                   span.last, depthRow, pixelRow);
  }
  context.scratch.counters.pixelsPassed += passed;
}

}  // namespace renderer
