#pragma once
// Meshes: vertices, triangles and lines in model space.
#include <cstdint>
#include <vector>

#include "renderer/geometry.h"

namespace renderer {

// A triangle's texture index meaning "untextured: drawn in flat colour".
constexpr int32_t kNoTexture = -1;

// A triangle's texels index meaning "no texel coordinates": all zero.
constexpr int32_t kNoTexels = -1;

// One triangle: corner vertices, flat colours and, when textured, the texture
// and where its corners' texel coordinates are. 32 bytes; the coordinates
// live apart (Mesh::texels), so untextured triangles carry none.
struct MeshTriangle {
  int32_t vertex[3] = {0, 0, 0};   // indices into the mesh's vertices
  uint32_t colour[3] = {0, 0, 0};  // 0x00RRGGBB per corner (untextured)
  int32_t texture = kNoTexture;    // index into Scene::textures, or none
  int32_t texels = kNoTexels;      // index into Mesh::texels, or none
};

// One triangle's texel coordinates: (u, v) per corner, in texels.
struct TriangleTexels {
  double uv[3][2] = {};
};

// A line between two vertices, its colour blended from one end to the other.
struct MeshLine {
  int32_t from = 0;         // index into the mesh's vertices
  int32_t to = 0;
  uint32_t fromColour = 0;  // 0x00RRGGBB
  uint32_t toColour = 0;
};

// One triangle's surface normal at each corner, in model coordinates,
// pointing out of its front side; used by smooth shading only. All zero:
// the triangle has none, and smooth shading computes them.
struct CornerNormals {
  Vector3 corner[3];
};

// True when the triangle has its own normals (no corner is all zero).
bool HasOwnNormals(const CornerNormals& normals);

// Vertices, optional per-vertex vectors (turned with the object), triangles
// and lines; every index must name an existing vertex, and a textured
// triangle's `texels` an entry of `texels` (AddTexturedTriangle keeps both
// in step). `normals` is empty or holds one entry per triangle.
struct Mesh {
  std::vector<IntVertex> vertices;
  std::vector<Vector3> vertexVectors;  // empty, or one per vertex
  std::vector<MeshTriangle> triangles;
  std::vector<MeshLine> lines;
  std::vector<CornerNormals> normals;  // empty, or one per triangle
  std::vector<TriangleTexels> texels;  // the textured triangles' (u, v)
};

// Appends a triangle drawn with `texture`, each corner's (u, v) in texels.
void AddTexturedTriangle(Mesh& mesh, const int32_t (&vertex)[3],
                         int32_t texture, const double (&uv)[3][2]);

// The triangle's texel coordinates, or null when it has none (kNoTexels or
// an index naming no entry): all zero.
inline const TriangleTexels* TexelsOf(const Mesh& mesh,
                                      const MeshTriangle& triangle) {
  const uint32_t index = uint32_t(triangle.texels);
  return index < mesh.texels.size() ? &mesh.texels[index] : nullptr;
}

// Gives `triangle` (one of mesh.triangles, or one to be added) these texel
// coordinates: its own entry overwritten, else a new entry appended. An
// untextured triangle whose coordinates are all +0 gets none, since no
// entry reads as zeros.
void SetTexels(Mesh& mesh, MeshTriangle& triangle, const double (&uv)[3][2]);

}  // namespace renderer
