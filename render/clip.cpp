// Near-plane clipping at camera z = 1.
#include "render/clip.h"

#include <algorithm>
#include <cmath>

#include "render/clamped_ceil.h"
#include "renderer/int32.h"

namespace renderer {

namespace {

const ProjectedVertex& ProjectedCorner(const ObjectFrame& object,
                                       const MeshTriangle& triangle,
                                       int32_t corner) {
  return object.projected[triangle.vertex[corner]];
}

const IntVertex& CameraCorner(const ObjectFrame& object,
                              const MeshTriangle& triangle, int32_t corner) {
  return object.camera[triangle.vertex[corner]];
}

// Truncates an interpolated colour; it lies between two uint32 values, and
// anything else (only from a misuse) is held inside the uint32 range.
uint32_t TruncateToColour(double value) {
  if (value >= 0.0 && value < 4294967296.0) return uint32_t(value);
  return value >= 4294967296.0 ? 0xFFFFFFFFu : 0u;
}

// A wholly visible triangle is dropped when all three corners lie beyond
// one side of the viewport, or all nearer than nearZ; comparisons strict.
TriangleClass ClassifyVisible(const View& view, const ObjectFrame& object,
                              const MeshTriangle& triangle) {
  const ProjectedVertex& p0 = ProjectedCorner(object, triangle, 0);
  const ProjectedVertex& p1 = ProjectedCorner(object, triangle, 1);
  const ProjectedVertex& p2 = ProjectedCorner(object, triangle, 2);
  const double left = view.viewportLeft, right = view.viewportRight;
  const double top = view.viewportTop, bottom = view.viewportBottom;
  constexpr TriangleClass kHidden = TriangleClass::kHidden;
  if (p0.screenX < left && p1.screenX < left && p2.screenX < left) {
    return kHidden;
  }
  if (p0.screenX > right && p1.screenX > right && p2.screenX > right) {
    return kHidden;
  }
  if (p0.screenY < top && p1.screenY < top && p2.screenY < top) return kHidden;
  if (p0.screenY > bottom && p1.screenY > bottom && p2.screenY > bottom) {
    return kHidden;
  }
  const int32_t z0 = CameraCorner(object, triangle, 0).z;
  const int32_t z1 = CameraCorner(object, triangle, 1).z;
  const int32_t z2 = CameraCorner(object, triangle, 2).z;
  if (z0 < view.nearZ && z1 < view.nearZ && z2 < view.nearZ) return kHidden;
  return TriangleClass::kWhole;
}

}  // namespace

TriangleClass ClassifyTriangle(const View& view, const ObjectFrame& object,
                               const MeshTriangle& triangle) {
  const bool f0 = ProjectedCorner(object, triangle, 0).visible;
  const bool f1 = ProjectedCorner(object, triangle, 1).visible;
  const bool f2 = ProjectedCorner(object, triangle, 2).visible;
  if (f0 && f1 && f2) return ClassifyVisible(view, object, triangle);
  if (!f0 && !f1 && !f2) return TriangleClass::kHidden;
  return TriangleClass::kCrossesNearPlane;
}

namespace {

// Corner `corner` as projected this frame, written in place; `texels` is
// the triangle's entry (TexelsOf).
void SetClipVertex(ClipVertex& out, const ObjectFrame& object,
                   const MeshTriangle& triangle, int32_t corner,
                   const TriangleTexels* texels) {
  const int32_t k = triangle.vertex[corner];
  const ProjectedVertex& projected = object.projected[k];
  const IntVertex& camera = object.camera[k];
  out.screenX = projected.screenX;
  out.screenY = projected.screenY;
  out.x = camera.x;
  out.y = camera.y;
  out.z = camera.z;
  out.vector = object.vectors != nullptr ? object.vectors[k] : Vector3{0, 0, 0};
  out.colour = triangle.colour[corner];
  out.u = texels != nullptr ? texels->uv[corner][0] : 0.0;
  out.v = texels != nullptr ? texels->uv[corner][1] : 0.0;
}

}  // namespace

ClipVertex MakeClipVertex(const ObjectFrame& object,
                          const MeshTriangle& triangle, int32_t corner) {
  ClipVertex out;
  SetClipVertex(out, object, triangle, corner, TexelsOf(object.mesh, triangle));
  return out;
}

void SetWholeFlatTriangle(ClippedTriangle& out, const ObjectFrame& object,
                          const MeshTriangle& triangle, const IntVertex& light) {
  for (int32_t i = 0; i < 3; ++i) {
    const int32_t k = triangle.vertex[i];
    const ProjectedVertex& projected = object.projected[k];
    const IntVertex& camera = object.camera[k];
    ClipVertex& c = out.corners[i];
    c.screenX = projected.screenX;
    c.screenY = projected.screenY;
    c.x = camera.x;
    c.y = camera.y;
    c.z = camera.z;
    c.vector = Vector3{0, 0, 0};
    c.colour = triangle.colour[i];
    c.u = 0;
    c.v = 0;
  }
  out.texture = nullptr;
  out.light = light;
}

void SetWholeTriangle(ClippedTriangle& out, const ObjectFrame& object,
                      const MeshTriangle& triangle, const Texture* texture,
                      const IntVertex& light) {
  const TriangleTexels* texels = TexelsOf(object.mesh, triangle);
  for (int32_t i = 0; i < 3; ++i) {
    SetClipVertex(out.corners[i], object, triangle, i, texels);
  }
  out.texture = texture;
  out.light = light;
}

ClipVertex ClipEdge(const View& view, const ObjectFrame& object,
                    const MeshTriangle& triangle, int32_t a, int32_t b) {
  const IntVertex& pa = CameraCorner(object, triangle, a);
  const IntVertex& pb = CameraCorner(object, triangle, b);
  // Differences in int64: the same values as int32 wherever int32 holds them.
  const double t = double(int64_t{1} - pa.z) / double(int64_t{pb.z} - pa.z);
  ClipVertex out;
  out.x = TruncateToInt32(t * double(int64_t{pb.x} - pa.x) + pa.x);
  out.y = TruncateToInt32(t * double(int64_t{pb.y} - pa.y) + pa.y);
  out.z = 1;
  // The projection at z = 1 from the truncated x and y. The product is exact
  // in int64, where int32 would overflow past about 5 million units.
  out.screenX = double(int64_t{out.x} * view.focalLength) + view.centreX;
  out.screenY = double(int64_t{out.y} * view.focalLength) + view.centreY;
  out.vector = Vector3{0, 0, 0};
  if (object.vectors != nullptr) {
    const Vector3& va = object.vectors[triangle.vertex[a]];
    const Vector3& vb = object.vectors[triangle.vertex[b]];
    out.vector = Vector3{va.x + t * (vb.x - va.x), va.y + t * (vb.y - va.y),
                         va.z + t * (vb.z - va.z)};
  }
  const double ca = triangle.colour[a];
  const double cb = triangle.colour[b];
  out.colour = TruncateToColour(ca + t * (cb - ca));
  out.u = 0;
  out.v = 0;
  const TriangleTexels* texels = TexelsOf(object.mesh, triangle);
  if (triangle.texture != kNoTexture && texels != nullptr) {
    const double(&uv)[3][2] = texels->uv;
    out.u = uv[a][0] + t * (uv[b][0] - uv[a][0]);
    out.v = uv[a][1] + t * (uv[b][1] - uv[a][1]);
  }
  return out;
}

namespace {

// The polygon of a triangle that crosses z = 1, corners in the order
// 0 -> 1 -> 2 so the winding is kept; three or four corners.
int32_t BuildCrossingPolygon(const View& view, const ObjectFrame& object,
                             const MeshTriangle& triangle,
                             ClipVertex polygon[4]) {
  bool visible[3];
  for (int32_t i = 0; i < 3; ++i) {
    visible[i] = ProjectedCorner(object, triangle, i).visible;
  }
  int32_t n = 0;
  for (int32_t i = 0; i < 3; ++i) {
    const int32_t next = (i + 1) % 3;
    if (visible[i]) polygon[n++] = MakeClipVertex(object, triangle, i);
    if (visible[i] != visible[next]) {
      polygon[n++] = ClipEdge(view, object, triangle, i, next);
    }
  }
  return n;
}

void SetTriangle(ClippedTriangle* out, const ClipVertex& a, const ClipVertex& b,
                 const ClipVertex& c, const Texture* texture,
                 const IntVertex& light) {
  out->corners[0] = a;
  out->corners[1] = b;
  out->corners[2] = c;
  out->texture = texture;
  out->light = light;
}

}  // namespace

bool ClipTriangle(const DrawContext& context, const ObjectFrame& object,
                  const MeshTriangle& triangle, const Texture* texture,
                  ClipResult* result) {
  result->count = 0;
  const TriangleClass kind = ClassifyTriangle(context.view, object, triangle);
  if (kind == TriangleClass::kHidden) return false;
  const IntVertex& light = context.light;
  if (kind == TriangleClass::kWhole) {
    result->count = 1;
    SetWholeTriangle(result->clipped[0], object, triangle, texture, light);
    return true;
  }
  ClipVertex p[4];
  const int32_t n = BuildCrossingPolygon(context.view, object, triangle, p);
  if (n == 3) {
    result->count = 1;
    SetTriangle(&result->clipped[0], p[0], p[1], p[2], texture, light);
  } else if (n == 4) {
    // A fan from p[0]: both halves share the diagonal p[0]-p[2].
    result->count = 2;
    SetTriangle(&result->clipped[0], p[0], p[1], p[2], texture, light);
    SetTriangle(&result->clipped[1], p[0], p[2], p[3], texture, light);
  } else {
    return false;
  }
  return true;
}

namespace {

// True when no whole row r with top y <= r < bottom y (the span setup's
// ceil(top y) .. ceil(bottom y) - 1) lies inside the area and the band.
// Not-a-number is left to the full setup.
bool RowsMissed(double y0, double y1, double y2, const PixelArea& area,
                const RowBand& band) {
  if (std::isnan(y0) || std::isnan(y1) || std::isnan(y2)) return false;
  // The span setup's first and last rows (clamped_ceil.h), cut to both.
  const int32_t first =
      CeilAtLeast(std::min({y0, y1, y2}), std::max(area.top, band.top));
  const int32_t last = CeilMinusOneAtMost(std::max({y0, y1, y2}),
                                          std::min(area.bottom, band.bottom));
  return first > last;
}

}  // namespace

bool TriangleMissesRows(const ObjectFrame& object, const MeshTriangle& triangle,
                        const PixelArea& area, const RowBand& band) {
  const ProjectedVertex& p0 = ProjectedCorner(object, triangle, 0);
  const ProjectedVertex& p1 = ProjectedCorner(object, triangle, 1);
  const ProjectedVertex& p2 = ProjectedCorner(object, triangle, 2);
  if (!p0.visible || !p1.visible || !p2.visible) return false;
  return RowsMissed(p0.screenY, p1.screenY, p2.screenY, area, band);
}

bool WholeTriangleHidden(const View& view, const ObjectFrame& object,
                         const MeshTriangle& triangle, const PixelArea& area,
                         const RowBand& band) {
  const double y0 = ProjectedCorner(object, triangle, 0).screenY;
  const double y1 = ProjectedCorner(object, triangle, 1).screenY;
  const double y2 = ProjectedCorner(object, triangle, 2).screenY;
  return RowsMissed(y0, y1, y2, area, band) ||
         ClassifyVisible(view, object, triangle) == TriangleClass::kHidden;
}

}  // namespace renderer
