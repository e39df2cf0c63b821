#pragma once
// Each triangle's corner normals for smooth shading: the mesh's own where a
// triangle has them, else computed from the faces that share a corner's
// position. Computed once per mesh and kept in the workspace.
#include <cstddef>
#include <vector>

#include "renderer/mesh.h"

namespace renderer {

// Unit normal per corner of every triangle: the sum of the unit face
// normals (E2 x E1) of the triangles with a corner at the same position,
// each weighted by its angle there, over those within 60 degrees of the
// triangle's own face normal; the sum normalised. Zero where undefined (a
// triangle without area).
void ComputeCornerNormals(const Mesh& mesh, std::vector<CornerNormals>* out);

// The normals smooth shading uses: the mesh's own where a triangle has
// them (HasOwnNormals), the computed ones elsewhere.
void MeshCornerNormals(const Mesh& mesh, std::vector<CornerNormals>* out);

// One mesh's normals as last worked out, with what they were worked out
// from: a mesh whose arrays moved or changed size is worked out again.
struct MeshNormalsCache {
  const IntVertex* vertices = nullptr;
  size_t vertexCount = 0;
  const MeshTriangle* triangles = nullptr;
  size_t triangleCount = 0;
  const CornerNormals* own = nullptr;
  size_t ownCount = 0;
  bool valid = false;
  std::vector<CornerNormals> normals;  // one per triangle
};

// The cache's normals for `mesh`, worked out again when it names another.
const CornerNormals* CachedNormals(const Mesh& mesh, MeshNormalsCache* cache);

}  // namespace renderer
