#pragma once
// Smooth shading's light at one pixel: the pixel's point on the triangle's
// plane, its barycentric weights in the whole (unclipped) camera-space
// triangle, the normal they interpolate, and the flat fill's cosine level
// between that normal and the direction from the point to the light.
#include <cstdint>

#include "renderer/geometry.h"
#include "renderer/mesh.h"

namespace renderer {

// Per triangle: the weights are affine in the point, w1 = (P - a0) . g1 and
// w2 = (P - a0) . g2, and the normal n = n0 + w1 dn1 + w2 dn2.
struct SmoothLight {
  Vector3 a0;
  Vector3 g1;
  Vector3 g2;
  Vector3 n0;
  Vector3 dn1;
  Vector3 dn2;
  Vector3 light;
};

// From the whole triangle's camera-space corners, its corner normals
// already turned by the object's orientation, and the light's position.
SmoothLight MakeSmoothLight(const IntVertex corners[3],
                            const Vector3 normals[3], const IntVertex& light);

// Turns a model-space normal by a row-major orientation.
Vector3 TurnNormal(const double (*m)[3], const Vector3& n);

// The level (0..255) at camera-space point p.
int32_t SmoothLevel(const SmoothLight& s, const Vector3& p);

// The camera-space point of pixel (x, y) whose eye ray meets the plane at
// depth z: ((x - cx) z / f, (y - cy) z / f, z).
inline Vector3 PixelPoint(double x, double y, double z, double cx, double cy,
                          double f) {
  return Vector3{((x - cx) * z) / f, ((y - cy) * z) / f, z};
}

// Each 8-bit channel c of 0x00RRGGBB becomes c (89 x 255 + 166 level) /
// 65025, truncating: the full colour facing the light, 35 % turned away.
inline uint32_t LightColour(uint32_t colour, int32_t level) {
  const uint32_t scale = 89u * 255u + 166u * uint32_t(level);
  const uint32_t red = ((colour >> 16) & 0xFFu) * scale / 65025u;
  const uint32_t green = ((colour >> 8) & 0xFFu) * scale / 65025u;
  const uint32_t blue = (colour & 0xFFu) * scale / 65025u;
  return (red << 16) | (green << 8) | blue;
}

}  // namespace renderer
