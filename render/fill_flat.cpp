// The untextured fill. Depth is the exact plane depth at each pixel: the
// eye ray through the pixel meets the plane at z = K / d, compared in double
// and stored as float.
#include "render/fill_flat.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "renderer/int32.h"
#include "render/plain_rows.h"
#include "render/spans.h"
#include "render/textured_plane.h"
#include "render/triangle_plane.h"

namespace renderer {

namespace {

// Cosine times 255, truncated; 0 unless the cosine is positive (also when
// it is undefined because the normal or the light direction is zero).
int32_t LightLevel(const Vector3& n, const Vector3& light) {
  const double length = std::sqrt(Dot(n, n) * Dot(light, light));
  if (length == 0) return 0;
  const double cosine = Dot(light, n) / length;
  if (!(cosine > 0)) return 0;
  return std::min(TruncateToInt32(cosine * 255.0), 255);
}

// level / 255.0 for every light level, divided once by the compiler (the
// same correctly rounded division) instead of once per triangle.
constexpr std::array<double, 256> kLevelShares = [] {
  std::array<double, 256> shares{};
  for (int32_t level = 0; level < 256; ++level) {
    shares[size_t(level)] = level / 255.0;
  }
  return shares;
}();

uint32_t ShadeChannel(uint32_t channel, double s) {
  return uint32_t(TruncateToInt32(double(255 - int32_t(channel)) * s +
                                  double(channel)));
}

Vector3 LightDirection(const ClippedTriangle& triangle) {
  const ClipVertex* c = triangle.corners;
  // Centroid per axis in integers, the division truncating toward zero.
  const int64_t cx = (int64_t{c[0].x} + c[1].x + c[2].x) / 3;
  const int64_t cy = (int64_t{c[0].y} + c[1].y + c[2].y) / 3;
  const int64_t cz = (int64_t{c[0].z} + c[1].z + c[2].z) / 3;
  const IntVertex& p = triangle.light;
  return Vector3{double(p.x - cx), double(p.y - cy), double(p.z - cz)};
}

}  // namespace

uint32_t FlatShade(const ClippedTriangle& triangle) {
  const ClipVertex* c = triangle.corners;
  const Vector3 n = Cross(CameraEdge(c[0], c[2]), CameraEdge(c[0], c[1]));
  const int32_t level = LightLevel(n, LightDirection(triangle));
  const double s = kLevelShares[size_t(level)];  // level / 255.0
  const uint32_t base = c[0].colour;
  const uint32_t red = ShadeChannel((base >> 16) & 0xFF, s);
  const uint32_t green = ShadeChannel((base >> 8) & 0xFF, s);
  const uint32_t blue = ShadeChannel(base & 0xFF, s);
  return (red << 16) | (green << 8) | blue;
}

void FillFlatTrianglePlain(DrawContext& context,
                           const ClippedTriangle& triangle) {
  if (SetupTriangleSpans(context, TriangleScreenPoints(triangle).points)) {
    FillFlatSpansPlain(context, triangle);
  }
}

void FillFlatSpansPlain(DrawContext& context, const ClippedTriangle& triangle) {
  const FrameView frameView = context.frame;
  const DepthView depthView = context.depth;
  const View& view = context.view;
  const WorkerScratch& ws = context.scratch;
  const double f = double(view.focalLength);
  const FlatPlane plane = MakeFlatPlane(triangle, f);
  LazyFlatColour colour{triangle};
  const double nearZ = double(view.nearZ);

  int64_t passed = 0;
  for (int32_t y = ws.firstRow; y <= ws.lastRow; ++y) {
    const Span span = ws.spanTable[y];
    uint32_t* pixelRow = frameView.pixels + y * frameView.stride;
    float* depthRow = depthView.depth + y * depthView.stride;
    const double d = FlatRayDot(plane.n, view, f, span.first, y);
    passed += FillFlatRowPlain(plane.k, plane.n.x, nearZ, colour, d, span.first,
                               span.last, depthRow, pixelRow);
  }
  context.scratch.counters.pixelsPassed += passed;
}

}  // namespace renderer
