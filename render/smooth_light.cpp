// Smooth shading's per-triangle setup and per-pixel level.
#include "render/smooth_light.h"

#include <algorithm>
#include <cmath>

#include "renderer/int32.h"

namespace renderer {

namespace {

Vector3 Minus(const Vector3& a, const Vector3& b) {
  return Vector3{a.x - b.x, a.y - b.y, a.z - b.z};
}

Vector3 Times(const Vector3& a, double s) {
  return Vector3{a.x * s, a.y * s, a.z * s};
}

Vector3 CrossOf(const Vector3& a, const Vector3& b) {
  return Vector3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z,
                 a.x * b.y - a.y * b.x};
}

double DotOf(const Vector3& a, const Vector3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vector3 Position(const IntVertex& v) {
  return Vector3{double(v.x), double(v.y), double(v.z)};
}

}  // namespace

Vector3 TurnNormal(const double (*m)[3], const Vector3& n) {
  return Vector3{m[0][0] * n.x + m[0][1] * n.y + m[0][2] * n.z,
                 m[1][0] * n.x + m[1][1] * n.y + m[1][2] * n.z,
                 m[2][0] * n.x + m[2][1] * n.y + m[2][2] * n.z};
}

SmoothLight MakeSmoothLight(const IntVertex corners[3],
                            const Vector3 normals[3], const IntVertex& light) {
  SmoothLight s;
  s.a0 = Position(corners[0]);
  const Vector3 e1 = Minus(Position(corners[1]), s.a0);
  const Vector3 e2 = Minus(Position(corners[2]), s.a0);
  // q = w1 e1 + w2 e2 for q in the plane: (q x e2) . N = w1 |N|^2 and
  // (e1 x q) . N = w2 |N|^2, with N = e1 x e2.
  const Vector3 n = CrossOf(e1, e2);
  const double area = DotOf(n, n);
  if (area > 0 && std::isfinite(area)) {
    s.g1 = Times(CrossOf(e2, n), 1.0 / area);
    s.g2 = Times(CrossOf(n, e1), 1.0 / area);
  }
  s.n0 = normals[0];
  s.dn1 = Minus(normals[1], normals[0]);
  s.dn2 = Minus(normals[2], normals[0]);
  s.light = Position(light);
  return s;
}

int32_t SmoothLevel(const SmoothLight& s, const Vector3& p) {
  const Vector3 q = Minus(p, s.a0);
  const double w1 = DotOf(q, s.g1);
  const double w2 = DotOf(q, s.g2);
  const Vector3 n{s.n0.x + w1 * s.dn1.x + w2 * s.dn2.x,
                  s.n0.y + w1 * s.dn1.y + w2 * s.dn2.y,
                  s.n0.z + w1 * s.dn1.z + w2 * s.dn2.z};
  const Vector3 l = Minus(s.light, p);
  const double cosine = DotOf(l, n) / std::sqrt(DotOf(n, n) * DotOf(l, l));
  // Not a number (a zero normal or a point at the light) compares false.
  if (!(cosine > 0)) return 0;
  return std::min(TruncateToInt32(cosine * 255.0), 255);
}

}  // namespace renderer
