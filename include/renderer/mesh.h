#pragma once
// Meshes: vertices, triangles and lines in model space.
#include <cstdint>
#include <vector>

#include "renderer/geometry.h"

namespace renderer {

// A triangle's texture index meaning "untextured: drawn in flat colour".
constexpr int32_t kNoTexture = -1;

// One triangle: corner vertices, flat colours and, when textured, the texture
// and each corner's texel coordinates.
struct MeshTriangle {
  int32_t vertex[3] = {0, 0, 0};   // indices into the mesh's vertices
  uint32_t colour[3] = {0, 0, 0};  // 0x00RRGGBB per corner (untextured)
  int32_t texture = kNoTexture;    // index into Scene::textures, or none
  double uv[3][2] = {};            // (u, v) per corner, in texels
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
// and lines; every index must name an existing vertex. `normals` is empty
// or holds one entry per triangle.
struct Mesh {
  std::vector<IntVertex> vertices;
  std::vector<Vector3> vertexVectors;  // empty, or one per vertex
  std::vector<MeshTriangle> triangles;
  std::vector<MeshLine> lines;
  std::vector<CornerNormals> normals;  // empty, or one per triangle
};

}  // namespace renderer
