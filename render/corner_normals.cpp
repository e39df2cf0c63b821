// Corner normals: angle-weighted sums of the face normals around each
// corner's position, kept apart across creases sharper than 60 degrees.
#include "render/corner_normals.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <tuple>

namespace renderer {

namespace {

// Faces within 60 degrees of each other share their light.
constexpr double kCreaseCosine = 0.5;

Vector3 Sub(const IntVertex& a, const IntVertex& b) {
  return Vector3{double(int64_t{a.x} - b.x), double(int64_t{a.y} - b.y),
                 double(int64_t{a.z} - b.z)};
}

Vector3 CrossOf(const Vector3& a, const Vector3& b) {
  return Vector3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z,
                 a.x * b.y - a.y * b.x};
}

double DotOf(const Vector3& a, const Vector3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

// v / |v|, or zero for a zero (or not finite) length.
Vector3 Unit(const Vector3& v) {
  const double length = std::sqrt(DotOf(v, v));
  if (!(length > 0) || !std::isfinite(length)) return Vector3{};
  return Vector3{v.x / length, v.y / length, v.z / length};
}

// What each triangle contributes at each of its corners: its unit face
// normal and its angle there.
struct Face {
  Vector3 unit;
  double angle[3];
};

Face MakeFace(const Mesh& mesh, const MeshTriangle& triangle) {
  const IntVertex* p[3];
  for (int i = 0; i < 3; ++i) p[i] = &mesh.vertices[size_t(triangle.vertex[i])];
  Face face;
  face.unit = Unit(CrossOf(Sub(*p[2], *p[0]), Sub(*p[1], *p[0])));
  for (int i = 0; i < 3; ++i) {
    const Vector3 a = Sub(*p[(i + 1) % 3], *p[i]);
    const Vector3 b = Sub(*p[(i + 2) % 3], *p[i]);
    face.angle[i] = std::atan2(std::sqrt(DotOf(CrossOf(a, b), CrossOf(a, b))),
                               DotOf(a, b));
  }
  return face;
}

// One triangle corner, sortable by its model position.
struct Corner {
  int32_t x, y, z;
  uint32_t triangle;
  uint32_t corner;
};

bool SamePlace(const Corner& a, const Corner& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z;
}

// The corners of the faces with area, grouped by position.
std::vector<Corner> SortedCorners(const Mesh& mesh,
                                  const std::vector<Face>& faces) {
  std::vector<Corner> corners;
  corners.reserve(mesh.triangles.size() * 3);
  for (size_t t = 0; t < mesh.triangles.size(); ++t) {
    if (DotOf(faces[t].unit, faces[t].unit) == 0) continue;
    for (uint32_t i = 0; i < 3; ++i) {
      const IntVertex& p =
          mesh.vertices[size_t(mesh.triangles[t].vertex[i])];
      corners.push_back(Corner{p.x, p.y, p.z, uint32_t(t), i});
    }
  }
  std::sort(corners.begin(), corners.end(),
            [](const Corner& a, const Corner& b) {
              return std::tie(a.x, a.y, a.z, a.triangle, a.corner) <
                     std::tie(b.x, b.y, b.z, b.triangle, b.corner);
            });
  return corners;
}

// Every corner of one position group [first, end), in triangle order.
void NormalsOfGroup(const std::vector<Corner>& corners, size_t first,
                    size_t end, const std::vector<Face>& faces,
                    std::vector<CornerNormals>* out) {
  for (size_t a = first; a < end; ++a) {
    const Vector3& own = faces[corners[a].triangle].unit;
    Vector3 sum{};
    for (size_t b = first; b < end; ++b) {
      const Face& other = faces[corners[b].triangle];
      if (DotOf(own, other.unit) < kCreaseCosine) continue;
      const double weight = other.angle[corners[b].corner];
      sum.x += other.unit.x * weight;
      sum.y += other.unit.y * weight;
      sum.z += other.unit.z * weight;
    }
    (*out)[corners[a].triangle].corner[corners[a].corner] = Unit(sum);
  }
}

bool MeshIsValid(const Mesh& mesh) {
  for (const MeshTriangle& t : mesh.triangles) {
    for (int32_t index : t.vertex) {
      if (index < 0 || size_t(index) >= mesh.vertices.size()) return false;
    }
  }
  return true;
}

}  // namespace

void ComputeCornerNormals(const Mesh& mesh, std::vector<CornerNormals>* out) {
  out->assign(mesh.triangles.size(), CornerNormals{});
  if (!MeshIsValid(mesh)) return;
  std::vector<Face> faces;
  faces.reserve(mesh.triangles.size());
  for (const MeshTriangle& t : mesh.triangles) faces.push_back(MakeFace(mesh, t));
  const std::vector<Corner> corners = SortedCorners(mesh, faces);
  for (size_t first = 0; first < corners.size();) {
    size_t end = first + 1;
    while (end < corners.size() && SamePlace(corners[end], corners[first])) {
      ++end;
    }
    NormalsOfGroup(corners, first, end, faces, out);
    first = end;
  }
}

void MeshCornerNormals(const Mesh& mesh, std::vector<CornerNormals>* out) {
  const size_t count = mesh.triangles.size();
  const bool allOwn =
      mesh.normals.size() == count &&
      std::all_of(mesh.normals.begin(), mesh.normals.end(), HasOwnNormals);
  if (allOwn) {
    *out = mesh.normals;
    return;
  }
  ComputeCornerNormals(mesh, out);
  if (mesh.normals.size() != count) return;
  for (size_t t = 0; t < count; ++t) {
    if (HasOwnNormals(mesh.normals[t])) (*out)[t] = mesh.normals[t];
  }
}

const CornerNormals* CachedNormals(const Mesh& mesh, MeshNormalsCache* cache) {
  const bool same = cache->valid && cache->vertices == mesh.vertices.data() &&
                    cache->vertexCount == mesh.vertices.size() &&
                    cache->triangles == mesh.triangles.data() &&
                    cache->triangleCount == mesh.triangles.size() &&
                    cache->own == mesh.normals.data() &&
                    cache->ownCount == mesh.normals.size();
  if (!same) {
    MeshCornerNormals(mesh, &cache->normals);
    cache->vertices = mesh.vertices.data();
    cache->vertexCount = mesh.vertices.size();
    cache->triangles = mesh.triangles.data();
    cache->triangleCount = mesh.triangles.size();
    cache->own = mesh.normals.data();
    cache->ownCount = mesh.normals.size();
    cache->valid = true;
  }
  return cache->normals.data();
}

}  // namespace renderer
