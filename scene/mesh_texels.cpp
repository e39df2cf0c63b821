// Texel coordinates kept beside a mesh's triangles.
#include <cstring>

#include "renderer/mesh.h"

namespace renderer {

namespace {

// True when the triangle needs an entry for these coordinates: it is
// textured, or some coordinate is not +0 (bit for bit, so -0 is kept).
bool NeedsTexels(const MeshTriangle& triangle, const double (&uv)[3][2]) {
  if (triangle.texture != kNoTexture) return true;
  static const double kZeros[3][2] = {};
  return std::memcmp(uv, kZeros, sizeof(kZeros)) != 0;
}

}  // namespace

void AddTexturedTriangle(Mesh& mesh, const int32_t (&vertex)[3],
                         int32_t texture, const double (&uv)[3][2]) {
  MeshTriangle triangle;
  for (int corner = 0; corner < 3; ++corner) triangle.vertex[corner] = vertex[corner];
  triangle.texture = texture;
  SetTexels(mesh, triangle, uv);
  mesh.triangles.push_back(triangle);
}

void SetTexels(Mesh& mesh, MeshTriangle& triangle, const double (&uv)[3][2]) {
  if (TexelsOf(mesh, triangle) == nullptr) {
    if (!NeedsTexels(triangle, uv)) return;
    triangle.texels = int32_t(mesh.texels.size());
    mesh.texels.emplace_back();
  }
  std::memcpy(mesh.texels[size_t(triangle.texels)].uv, uv, sizeof(uv));
}

}  // namespace renderer
