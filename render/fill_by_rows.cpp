// The triangle drivers of the vector fills. Everything per triangle and per
// row is computed in scalar code exactly as in the plain fills; only the
// pixels of a row go to the kernel.
#include "render/fill_by_rows.h"

#include "render/fill_flat.h"
#include "render/fill_textured.h"
#include "render/render_context.h"
#include "render/render_stats.h"
#include "render/spans.h"
#include "render/textured_plane.h"

namespace {

// The kernels read each texel as a 4-byte word, which needs at least two
// texels, and address them with int32 byte offsets.
bool TextureFitsKernels(const Texture& texture) {
  const int64_t texels = int64_t{texture.width} * texture.height;
  return texels >= 2 && texels * 3 <= 0x7FFFFFFF;
}

TexturedRowPlane MakeTexturedRowPlane(const TexturedPlane& p,
                                      const Texture& texture, double nearZ) {
  return TexturedRowPlane{p.k,  p.n.x, p.dUn,          p.dVn,
                          p.u0, p.v0,  nearZ,          texture.texels,
                          texture.width, texture.height};
}

}  // namespace

void FillTexturedTriangleByRows(ClippedTriangle triangle,
                                TexturedRowKernel kernel) {
  const Texture* texture = TriangleTexture(triangle);
  if (!TextureIsUsable(texture)) return;
  if (!TextureFitsKernels(*texture)) {
    FillTexturedTrianglePlain(triangle);
    return;
  }
  const FrameView frameView = CurrentFrameView();
  const DepthView depthView = CurrentDepthView();
  SetupTriangleSpans(TriangleScreenPoints(triangle).points,
                     DrawableViewport(frameView, depthView));

  const RenderContext& rc = renderContext;
  const double f = double(rc.focalLength);
  const TexturedPlane p = MakeTexturedPlane(triangle, f);
  const TexturedRowPlane plane =
      MakeTexturedRowPlane(p, *texture, double(rc.nearZ));
  int64_t passed = 0;
  for (int32_t y = rc.firstRow; y <= rc.lastRow; ++y) {
    const Span span = rc.spanTable[y];
    if (span.first > span.last) continue;
    const RowStart s = TexturedRowStart(p, rc, f, y, span.first);
    passed += kernel(plane, {s.d, s.un, s.vn},
                     int64_t{span.last} - span.first + 1,
                     depthView.depth + y * depthView.stride + span.first,
                     frameView.pixels + y * frameView.stride + span.first);
  }
  renderStats.pixelsPassed += passed;
}

void FillFlatTriangleByRows(ClippedTriangle triangle, FlatRowKernel kernel) {
  const FrameView frameView = CurrentFrameView();
  const DepthView depthView = CurrentDepthView();
  SetupTriangleSpans(TriangleScreenPoints(triangle).points,
                     DrawableViewport(frameView, depthView));

  const RenderContext& rc = renderContext;
  const ClipVertex* c = triangle.corners;
  const double f = double(rc.focalLength);
  const Vec3 n = Cross(CameraEdge(c[0], c[2]), CameraEdge(c[0], c[1]));
  const FlatRowPlane plane{Dot(CameraPosition(c[0]), n) * f, n.x,
                           double(rc.nearZ), FlatShade(triangle)};
  int64_t passed = 0;
  for (int32_t y = rc.firstRow; y <= rc.lastRow; ++y) {
    const Span span = rc.spanTable[y];
    if (span.first > span.last) continue;
    // The eye ray through the row's first pixel, dotted with the normal.
    const double d =
        ((span.first - rc.centreX) * n.x + n.y * (y - rc.centreY)) + f * n.z;
    passed += kernel(plane, d, int64_t{span.last} - span.first + 1,
                     depthView.depth + y * depthView.stride + span.first,
                     frameView.pixels + y * frameView.stride + span.first);
  }
  renderStats.pixelsPassed += passed;
}
