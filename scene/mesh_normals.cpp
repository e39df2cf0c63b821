// Which triangles carry their own corner normals.
#include "renderer/mesh.h"

namespace renderer {

namespace {

bool IsZero(const Vector3& v) { return v.x == 0 && v.y == 0 && v.z == 0; }

}  // namespace

bool HasOwnNormals(const CornerNormals& normals) {
  return !IsZero(normals.corner[0]) && !IsZero(normals.corner[1]) &&
         !IsZero(normals.corner[2]);
}

}  // namespace renderer
