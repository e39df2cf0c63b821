#pragma once
// A model's own surface normals (glTF NORMAL, OBJ vn), per triangle corner,
// as the readers collect them, and their conversion into the mesh's
// triangle normals.
#include <cstddef>
#include <vector>

#include "renderer/mesh.h"

namespace renderer {

struct ModelMesh;

// Sets the normals of triangle `triangle` of the model (in the file's own
// axes). A corner whose normal is zero-length or not finite has none, and
// then neither has the triangle: smooth shading computes its normals.
void SetTriangleNormals(ModelMesh* model, size_t triangle,
                        const Vector3 corners[3]);

// The model's normals as the mesh's: y and z negated as the positions are,
// corners 1 and 2 swapped as the triangles' are; empty when no triangle
// has normals. Call before the triangles are handed over.
std::vector<CornerNormals> FinishModelNormals(
    std::vector<CornerNormals>&& normals, size_t triangles);

// A normal in the frame of a node whose 3 x 3 part is `m` (column-major
// in a 4 x 4 matrix): the inverse transpose applied, as a unit vector; the
// normal as it stands under the identity.
Vector3 TurnModelNormal(const double m[16], const Vector3& n);

}  // namespace renderer
