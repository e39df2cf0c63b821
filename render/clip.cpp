// Near-plane clipping at camera z = 1 and the dispatch to the two fills.
#include "render/clip.h"

#include "render/fill_flat.h"
#include "render/fill_textured.h"
#include "render/int_convert.h"
#include "render/render_context.h"

namespace {

const MeshTriangle& TriangleOf(int32_t objectIndex, int32_t triangleIndex) {
  return sceneObjects[objectIndex].mesh->triangles[triangleIndex];
}

const ProjectedVertex& ProjectedCorner(int32_t objectIndex,
                                       const MeshTriangle& triangle,
                                       int32_t corner) {
  return renderContext.projectedVertices[objectIndex][triangle.vertex[corner]];
}

const IntVertex& CameraCorner(int32_t objectIndex, const MeshTriangle& triangle,
                              int32_t corner) {
  return sceneObjects[objectIndex].transformedVertices[triangle.vertex[corner]];
}

// Truncates an interpolated colour; it lies between two uint32 values, and
// anything else (only from a misuse) is held inside the uint32 range.
uint32_t TruncateToColour(double value) {
  if (value >= 0.0 && value < 4294967296.0) return uint32_t(value);
  return value >= 4294967296.0 ? 0xFFFFFFFFu : 0u;
}

// A wholly visible triangle is dropped when all three corners lie beyond
// one side of the viewport, or all nearer than nearZ; comparisons strict.
int32_t ClassifyVisible(int32_t objectIndex, const MeshTriangle& triangle) {
  const RenderContext& c = renderContext;
  const ProjectedVertex& p0 = ProjectedCorner(objectIndex, triangle, 0);
  const ProjectedVertex& p1 = ProjectedCorner(objectIndex, triangle, 1);
  const ProjectedVertex& p2 = ProjectedCorner(objectIndex, triangle, 2);
  const double left = c.viewportLeft, right = c.viewportRight;
  const double top = c.viewportTop, bottom = c.viewportBottom;
  if (p0.screenX < left && p1.screenX < left && p2.screenX < left) return 0;
  if (p0.screenX > right && p1.screenX > right && p2.screenX > right) return 0;
  if (p0.screenY < top && p1.screenY < top && p2.screenY < top) return 0;
  if (p0.screenY > bottom && p1.screenY > bottom && p2.screenY > bottom) {
    return 0;
  }
  const int32_t z0 = CameraCorner(objectIndex, triangle, 0).z;
  const int32_t z1 = CameraCorner(objectIndex, triangle, 1).z;
  const int32_t z2 = CameraCorner(objectIndex, triangle, 2).z;
  if (z0 < c.nearZ && z1 < c.nearZ && z2 < c.nearZ) return 0;
  return 2;
}

}  // namespace

int32_t ClassifyTriangle(int32_t objectIndex, int32_t triangleIndex) {
  const MeshTriangle& triangle = TriangleOf(objectIndex, triangleIndex);
  const int32_t f0 = ProjectedCorner(objectIndex, triangle, 0).visible;
  const int32_t f1 = ProjectedCorner(objectIndex, triangle, 1).visible;
  const int32_t f2 = ProjectedCorner(objectIndex, triangle, 2).visible;
  if (f0 == 1 && f1 == 1 && f2 == 1) {
    return ClassifyVisible(objectIndex, triangle);
  }
  if (f0 == 0 && f1 == 0 && f2 == 0) return 0;
  return 1;
}

ClipVertex MakeClipVertex(int32_t objectIndex, int32_t corner,
                          int32_t triangleIndex) {
  const SceneObject& object = sceneObjects[objectIndex];
  const MeshTriangle& triangle = TriangleOf(objectIndex, triangleIndex);
  const int32_t k = triangle.vertex[corner];
  const ProjectedVertex& projected = renderContext.projectedVertices[objectIndex][k];
  const IntVertex& camera = object.transformedVertices[k];
  ClipVertex out;
  out.screenX = projected.screenX;
  out.screenY = projected.screenY;
  out.x = camera.x;
  out.y = camera.y;
  out.z = camera.z;
  const bool hasVectors = object.mesh->hasVertexVectors != 0 &&
                          object.transformedVectors != nullptr;
  out.vector = hasVectors ? object.transformedVectors[k] : Vector3{0, 0, 0};
  out.colour = uint32_t(triangle.colour[corner]);
  out.u = triangle.uv[corner][0];
  out.v = triangle.uv[corner][1];
  return out;
}

ClipVertex ClipEdge(int32_t objectIndex, int32_t a, int32_t b,
                    int32_t triangleIndex) {
  const SceneObject& object = sceneObjects[objectIndex];
  const MeshTriangle& triangle = TriangleOf(objectIndex, triangleIndex);
  const IntVertex& pa = CameraCorner(objectIndex, triangle, a);
  const IntVertex& pb = CameraCorner(objectIndex, triangle, b);
  const RenderContext& c = renderContext;
  // Differences in int64: the same values as int32 wherever int32 holds them.
  const double t = double(int64_t{1} - pa.z) / double(int64_t{pb.z} - pa.z);
  ClipVertex out;
  out.x = TruncateToInt32(t * double(int64_t{pb.x} - pa.x) + pa.x);
  out.y = TruncateToInt32(t * double(int64_t{pb.y} - pa.y) + pa.y);
  out.z = 1;
  // The projection at z = 1 from the truncated x and y. The product is exact
  // in int64, where int32 would overflow past about 5 million units.
  out.screenX = double(int64_t{out.x} * c.focalLength) + c.centreX;
  out.screenY = double(int64_t{out.y} * c.focalLength) + c.centreY;
  out.vector = Vector3{0, 0, 0};
  if (object.mesh->hasVertexVectors != 0 && object.transformedVectors != nullptr) {
    const Vector3& va = object.transformedVectors[triangle.vertex[a]];
    const Vector3& vb = object.transformedVectors[triangle.vertex[b]];
    out.vector = Vector3{va.x + t * (vb.x - va.x), va.y + t * (vb.y - va.y),
                         va.z + t * (vb.z - va.z)};
  }
  const double ca = uint32_t(triangle.colour[a]);
  const double cb = uint32_t(triangle.colour[b]);
  out.colour = TruncateToColour(ca + t * (cb - ca));
  out.u = 0;
  out.v = 0;
  if (triangle.texture != nullptr) {
    const double(&uv)[3][2] = triangle.uv;
    out.u = uv[a][0] + t * (uv[b][0] - uv[a][0]);
    out.v = uv[a][1] + t * (uv[b][1] - uv[a][1]);
  }
  return out;
}

namespace {

// The polygon of a triangle that crosses z = 1, corners in the order
// 0 -> 1 -> 2 so the winding is kept; three or four corners.
int32_t BuildCrossingPolygon(int32_t objectIndex, int32_t triangleIndex,
                             ClipVertex polygon[4]) {
  const MeshTriangle& triangle = TriangleOf(objectIndex, triangleIndex);
  int32_t flag[3];
  for (int32_t i = 0; i < 3; ++i) {
    flag[i] = ProjectedCorner(objectIndex, triangle, i).visible;
  }
  int32_t n = 0;
  for (int32_t i = 0; i < 3; ++i) {
    const int32_t next = (i + 1) % 3;
    if (flag[i] == 1) polygon[n++] = MakeClipVertex(objectIndex, i, triangleIndex);
    if (flag[i] != flag[next]) {
      polygon[n++] = ClipEdge(objectIndex, i, next, triangleIndex);
    }
  }
  return n;
}

void SetTriangle(ClippedTriangle* out, const ClipVertex& a, const ClipVertex& b,
                 const ClipVertex& c, int32_t objectIndex,
                 int32_t triangleIndex) {
  out->corners[0] = a;
  out->corners[1] = b;
  out->corners[2] = c;
  out->objectIndex = objectIndex;
  out->triangleIndex = triangleIndex;
}

}  // namespace

int32_t ClipTriangle(int32_t objectIndex, int32_t triangleIndex,
                     ClipResult* result) {
  result->count = 0;
  const int32_t kind = ClassifyTriangle(objectIndex, triangleIndex);
  if (kind == 0) return 0;
  if (kind == 2) {
    result->count = 1;
    SetTriangle(&result->clipped[0],
                MakeClipVertex(objectIndex, 0, triangleIndex),
                MakeClipVertex(objectIndex, 1, triangleIndex),
                MakeClipVertex(objectIndex, 2, triangleIndex), objectIndex,
                triangleIndex);
    return 1;
  }
  ClipVertex p[4];
  const int32_t n = BuildCrossingPolygon(objectIndex, triangleIndex, p);
  if (n == 3) {
    result->count = 1;
    SetTriangle(&result->clipped[0], p[0], p[1], p[2], objectIndex, triangleIndex);
  } else if (n == 4) {
    // A fan from p[0]: both halves share the diagonal p[0]-p[2].
    result->count = 2;
    SetTriangle(&result->clipped[0], p[0], p[1], p[2], objectIndex, triangleIndex);
    SetTriangle(&result->clipped[1], p[0], p[2], p[3], objectIndex, triangleIndex);
  } else {
    return 0;
  }
  return 1;
}

void DrawTriangle(int32_t objectIndex, int32_t triangleIndex,
                  int32_t untextured) {
  ClipResult result;
  result.count = 0;
  ClipTriangle(objectIndex, triangleIndex, &result);
  for (int32_t i = 0; i < result.count; ++i) {
    if (untextured == 0) {
      FillTexturedTriangle(result.clipped[i]);
    } else if (untextured == 1) {
      FillFlatTriangle(result.clipped[i]);
    }
  }
}
