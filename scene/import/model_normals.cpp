// Model normals into triangle normals.
#include "scene/import/model_normals.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "scene/import/model_mesh.h"

namespace renderer {

namespace {

bool Usable(const Vector3& n) {
  return std::isfinite(n.x) && std::isfinite(n.y) && std::isfinite(n.z) &&
         (n.x != 0 || n.y != 0 || n.z != 0);
}

bool IsIdentity(const double m[16]) {
  return m[0] == 1 && m[1] == 0 && m[2] == 0 && m[4] == 0 && m[5] == 1 &&
         m[6] == 0 && m[8] == 0 && m[9] == 0 && m[10] == 1;
}

}  // namespace

void SetTriangleNormals(ModelMesh* model, size_t triangle,
                        const Vector3 corners[3]) {
  if (!Usable(corners[0]) || !Usable(corners[1]) || !Usable(corners[2])) {
    return;
  }
  if (model->normals.size() <= triangle) model->normals.resize(triangle + 1);
  model->normals[triangle] = CornerNormals{{corners[0], corners[1], corners[2]}};
}

std::vector<CornerNormals> FinishModelNormals(
    std::vector<CornerNormals>&& normals, size_t triangles) {
  if (normals.empty()) return {};
  normals.resize(triangles);
  for (CornerNormals& n : normals) {
    for (Vector3& corner : n.corner) {
      // Negated only where set: a zero stays a plain zero, not -0.
      if (corner.y != 0) corner.y = -corner.y;
      if (corner.z != 0) corner.z = -corner.z;
    }
    std::swap(n.corner[1], n.corner[2]);
  }
  return std::move(normals);
}

Vector3 TurnModelNormal(const double m[16], const Vector3& n) {
  if (IsIdentity(m)) return n;
  // Rows of the 3 x 3 part A: (m0 m4 m8), (m1 m5 m9), (m2 m6 m10). Its
  // cofactor matrix is det(A) times the inverse transpose.
  const double a[3][3] = {{m[0], m[4], m[8]}, {m[1], m[5], m[9]}, {m[2], m[6], m[10]}};
  double c[3][3];
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      const int i1 = (i + 1) % 3, i2 = (i + 2) % 3;
      const int j1 = (j + 1) % 3, j2 = (j + 2) % 3;
      c[i][j] = a[i1][j1] * a[i2][j2] - a[i1][j2] * a[i2][j1];
    }
  }
  const double det = a[0][0] * c[0][0] + a[0][1] * c[0][1] + a[0][2] * c[0][2];
  const double sign = det < 0 ? -1.0 : 1.0;
  const Vector3 t{c[0][0] * n.x + c[0][1] * n.y + c[0][2] * n.z,
                  c[1][0] * n.x + c[1][1] * n.y + c[1][2] * n.z,
                  c[2][0] * n.x + c[2][1] * n.y + c[2][2] * n.z};
  const double length = std::sqrt(t.x * t.x + t.y * t.y + t.z * t.z);
  if (!(length > 0) || !std::isfinite(length)) return Vector3{};
  return Vector3{sign * t.x / length, sign * t.y / length, sign * t.z / length};
}

}  // namespace renderer
