#pragma once
// The looks fills' walk over a triangle's rows, written once for the plain
// fills and the ones by rows: the flat look's spans, d, z and depth tests,
// and for textured triangles the nearest texel that decides whether a pixel
// is see-through. Each pixel that is drawn gets its depth here and is handed
// to the sink for its colour.
//
// Untextured sinks: Pixel(x, y, z, pixelRow) with z the double depth;
// textured ones: Pixel(x, y, z, u, v, nearest, pixelRow) with u, v the
// texel coordinates (u without nearest sampling's half-texel offset) and
// nearest the texel there.
#include <cstdint>

#include "render/fill_textured.h"
#include "render/spans.h"
#include "render/texel_wrap.h"
#include "render/textured_plane.h"
#include "render/triangle_plane.h"

namespace renderer {

// Untextured: depth tested and stored as the flat fill does (z in double).
template <class Sink>
void WalkUntexturedRows(DrawContext& context, const ClippedTriangle& triangle,
                        Sink& sink) {
  const FrameView frameView = context.frame;
  const DepthView depthView = context.depth;
  if (!SetupTriangleSpans(context, TriangleScreenPoints(triangle).points)) {
    return;
  }

  const View& view = context.view;
  const WorkerScratch& ws = context.scratch;
  const double f = double(view.focalLength);
  const FlatPlane plane = MakeFlatPlane(triangle, f);
  const Vector3& n = plane.n;
  const double k = plane.k;
  const double nearZ = double(view.nearZ);

  int64_t passed = 0;
  for (int32_t y = ws.firstRow; y <= ws.lastRow; ++y) {
    const Span span = ws.spanTable[y];
    uint32_t* pixelRow = frameView.pixels + y * frameView.stride;
    float* depthRow = depthView.depth + y * depthView.stride;
    double d = FlatRayDot(n, view, f, span.first, y);
    for (int32_t x = span.first; x <= span.last; ++x) {
      if (d != 0) {
        const double z = k / d;
        if (depthRow[x] > z && z > 1.0 && z > nearZ) {
          ++passed;
          depthRow[x] = float(z);
          sink.Pixel(x, y, z, pixelRow);
        }
      }
      d += n.x;
    }
  }
  context.scratch.counters.pixelsPassed += passed;
}

// Textured: depth tested in float as the textured fill does; see-through
// nearest texels leave the pixel (and its depth) alone.
template <class Sink>
void WalkTexturedRows(DrawContext& context, const ClippedTriangle& triangle,
                      Sink& sink) {
  if (!HasUsableTexture(triangle)) return;
  const Texture& texture = *triangle.texture;
  const FrameView frameView = context.frame;
  const DepthView depthView = context.depth;
  if (!SetupTriangleSpans(context, TriangleScreenPoints(triangle).points)) {
    return;
  }

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
        const double zd = p.k / d;
        const float z = float(zd);
        if (z < depthRow[x] && z > 1.0 && z > nearZ) {
          ++passed;
          const double u = un / d + p.u0;
          const double v = vn / d + p.v0;
          const uint32_t nearest = TexelColour(
              texture, WrapTexel(u + 0.5, texture.width),
              WrapTexel(v, texture.height));
          if (nearest != 0x00FFFFFFu) {
            depthRow[x] = z;
            sink.Pixel(x, y, zd, u, v, nearest, pixelRow);
          }
        }
      }
      un += p.dUn;
      vn += p.dVn;
      d += p.n.x;
    }
  }
  context.scratch.counters.pixelsPassed += passed;
}

}  // namespace renderer
