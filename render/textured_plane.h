#pragma once
// The textured fill's per-triangle and per-row quantities, formed exactly
// as the plain fill forms them, for the fast fills to share.
#include <cstddef>
#include <cstdint>

#include "render/clipped_triangle.h"
#include "render/spans.h"
#include "render/triangle_plane.h"

namespace renderer {

struct TexturedPlane {
  Vector3 w1;   // A x E2: a = R . w1
  Vector3 w2;   // E1 x A: b = R . w2
  Vector3 n;    // E2 x E1: d = R . n
  double k;  // (A . N) f: z = K / d
  double u0, v0, du1, du2, dv1, dv2;
  double dUn, dVn;  // per-column steps of Un and Vn
};

inline TexturedPlane MakeTexturedPlane(const ClippedTriangle& triangle,
                                       double f) {
  const ClipVertex* c = triangle.corners;
  const Vector3 a = CameraPosition(c[0]);
  const Vector3 e1 = CameraEdge(c[0], c[1]);
  const Vector3 e2 = CameraEdge(c[0], c[2]);
  TexturedPlane p;
  p.w1 = Cross(a, e2);
  p.w2 = Cross(e1, a);
  p.n = Cross(e2, e1);
  p.k = Dot(a, p.n) * f;
  p.u0 = c[0].u;
  p.v0 = c[0].v;
  p.du1 = c[1].u - c[0].u;
  p.du2 = c[2].u - c[0].u;
  p.dv1 = c[1].v - c[0].v;
  p.dv2 = c[2].v - c[0].v;
  p.dUn = p.w1.x * p.du1 + p.w2.x * p.du2;
  p.dVn = p.w1.x * p.dv1 + p.w2.x * p.dv2;
  return p;
}

// d, Un and Vn at the row's first pixel: the eye ray through it dotted
// with the plane's vectors.
struct RowStart {
  double d, un, vn;
};

inline RowStart TexturedRowStart(const TexturedPlane& p, const View& view,
                                 double f, int32_t y, int32_t first) {
  const Vector3 ray = {first - view.centreX, y - view.centreY, f};
  const double a = Dot(ray, p.w1);
  const double b = Dot(ray, p.w2);
  return RowStart{Dot(ray, p.n), a * p.du1 + b * p.du2, a * p.dv1 + b * p.dv2};
}

// The texel at (column, row), both already wrapped, as 0x00RRGGBB.
inline uint32_t TexelColour(const Texture& texture, int32_t column,
                            int32_t row) {
  const size_t index = size_t(row) * size_t(texture.width) + size_t(column);
  const uint8_t* texel = texture.texels.data() + 3 * index;
  return (uint32_t{texel[0]} << 16) | (uint32_t{texel[1]} << 8) | texel[2];
}

struct TrianglePoints {
  ScreenPoint points[3];
};

inline TrianglePoints TriangleScreenPoints(const ClippedTriangle& triangle) {
  const ClipVertex* c = triangle.corners;
  return TrianglePoints{{{c[0].screenX, c[0].screenY},
                         {c[1].screenX, c[1].screenY},
                         {c[2].screenX, c[2].screenY}}};
}

}  // namespace renderer
