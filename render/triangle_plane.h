#pragma once
// Vector arithmetic shared by the two triangle fills: both intersect the
// eye ray through each pixel with the triangle's plane in camera space.
#include <cstdint>

#include "render/clipped_triangle.h"
#include "renderer/render.h"

namespace renderer {

// a x b.
inline Vector3 Cross(const Vector3& a, const Vector3& b) {
  return Vector3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z,
              a.x * b.y - a.y * b.x};
}

// a . b, summed x, y, z in that order.
inline double Dot(const Vector3& a, const Vector3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Vector3 CameraPosition(const ClipVertex& v) {
  return Vector3{double(v.x), double(v.y), double(v.z)};
}

// to - from, each difference in integers (int64, so it cannot overflow),
// then converted.
inline Vector3 CameraEdge(const ClipVertex& from, const ClipVertex& to) {
  return Vector3{double(int64_t{to.x} - from.x), double(int64_t{to.y} - from.y),
              double(int64_t{to.z} - from.z)};
}

// The flat fill's plane: normal E2 x E1 and K = (A . N) f, z = K / d.
struct FlatPlane {
  Vector3 n;
  double k;
};

inline FlatPlane MakeFlatPlane(const ClippedTriangle& triangle, double f) {
  const ClipVertex* c = triangle.corners;
  const Vector3 n = Cross(CameraEdge(c[0], c[2]), CameraEdge(c[0], c[1]));
  return FlatPlane{n, Dot(CameraPosition(c[0]), n) * f};
}

// The eye ray through pixel (x, y), dotted with the normal.
inline double FlatRayDot(const Vector3& n, const View& view, double f,
                         int32_t x, int32_t y) {
  return ((x - view.centreX) * n.x + n.y * (y - view.centreY)) + f * n.z;
}

}  // namespace renderer
