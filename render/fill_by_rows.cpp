// The triangle drivers of the vector fills. Everything per triangle and per
// row is computed in scalar code exactly as in the plain fills; only the
// pixels of a row go to the kernel.
#include "render/fill_by_rows.h"

#include "render/fill_flat.h"
#include "render/fill_textured.h"
#include "render/plain_rows.h"
#include "render/spans.h"
#include "render/textured_plane.h"
#include "render/workspace.h"

namespace renderer {

namespace {

// The kernels read each texel as a 4-byte word, which needs at least two
// texels, and address them with int32 byte offsets.
bool TextureFitsKernels(const Texture& texture) {
  const int64_t texels = int64_t{texture.width} * texture.height;
  return texels >= 2 && texels * 3 <= 0x7FFFFFFF;
}

TexturedRowPlane MakeTexturedRowPlane(const TexturedPlane& p,
                                      const Texture& texture, double nearZ) {
  return TexturedRowPlane{
      p.k,           p.n.x,         p.dUn, p.dVn,
      p.u0,          p.v0,          nearZ, texture.texels.data(),
      texture.width, texture.height};
}

}  // namespace

void FillTexturedTriangleByRows(DrawContext& context,
                                const ClippedTriangle& triangle,
                                TexturedRowKernel kernel) {
  if (!HasUsableTexture(triangle)) return;
  if (SetupTriangleSpans(context, TriangleScreenPoints(triangle).points)) {
    FillTexturedSpansByRows(context, triangle, kernel);
  }
}

void FillTexturedSpansByRows(DrawContext& context,
                             const ClippedTriangle& triangle,
                             TexturedRowKernel kernel) {
  const Texture& texture = *triangle.texture;
  if (!TextureFitsKernels(texture)) {
    FillTexturedSpansPlain(context, triangle);
    return;
  }
  const FrameView frameView = context.frame;
  const DepthView depthView = context.depth;
  const View& view = context.view;
  const WorkerScratch& ws = context.scratch;
  const double f = double(view.focalLength);
  const TexturedPlane p = MakeTexturedPlane(triangle, f);
  const TexturedRowPlane plane =
      MakeTexturedRowPlane(p, texture, double(view.nearZ));
  int64_t passed = 0;
  for (int32_t y = ws.firstRow; y <= ws.lastRow; ++y) {
    const Span span = ws.spanTable[y];
    if (span.first > span.last) continue;
    const RowStart s = TexturedRowStart(p, view, f, y, span.first);
    const int64_t count = int64_t{span.last} - span.first + 1;
    float* depthRow = depthView.depth + y * depthView.stride;
    uint32_t* pixelRow = frameView.pixels + y * frameView.stride;
    passed += count <= kPlainRowPixels
                  ? FillTexturedRowPlain(p, texture, plane.nearZ, s,
                                         span.first, span.last, depthRow,
                                         pixelRow)
                  : kernel(plane, {s.d, s.un, s.vn}, count,
                           depthRow + span.first, pixelRow + span.first);
  }
  context.scratch.counters.pixelsPassed += passed;
}

void FillFlatTriangleByRows(DrawContext& context,
                            const ClippedTriangle& triangle,
                            FlatRowKernel kernel) {
  if (SetupTriangleSpans(context, TriangleScreenPoints(triangle).points)) {
    FillFlatSpansByRows(context, triangle, kernel);
  }
}

void FillFlatSpansByRows(DrawContext& context, const ClippedTriangle& triangle,
                         FlatRowKernel kernel) {
  const FrameView frameView = context.frame;
  const DepthView depthView = context.depth;
  const View& view = context.view;
  const WorkerScratch& ws = context.scratch;
  const double f = double(view.focalLength);
  const FlatPlane flat = MakeFlatPlane(triangle, f);
  const Vector3& n = flat.n;
  FlatRowPlane plane{flat.k, n.x, double(view.nearZ), 0};
  LazyFlatColour colour{triangle};
  int64_t passed = 0;
  for (int32_t y = ws.firstRow; y <= ws.lastRow; ++y) {
    const Span span = ws.spanTable[y];
    if (span.first > span.last) continue;
    const double d = FlatRayDot(n, view, f, span.first, y);
    const int64_t count = int64_t{span.last} - span.first + 1;
    float* depthRow = depthView.depth + y * depthView.stride;
    uint32_t* pixelRow = frameView.pixels + y * frameView.stride;
    if (count <= kPlainRowPixels) {
      passed += FillFlatRowPlain(plane.k, n.x, plane.nearZ, colour, d,
                                 span.first, span.last, depthRow, pixelRow);
    } else {
      plane.colour = colour();
      passed += kernel(plane, d, count, depthRow + span.first,
                       pixelRow + span.first);
    }
  }
  context.scratch.counters.pixelsPassed += passed;
}

}  // namespace renderer
