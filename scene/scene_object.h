#pragma once
// Object instances: a mesh placed in camera space by an orientation matrix
// (rotation and scale together) and an integer position.
#include <cstdint>

#include "scene/mesh.h"
#include "scene/vector3.h"

struct SceneObject {
  Mesh* mesh;                      // not owned
  IntVertex* transformedVertices;  // owned, mesh->vertexCount entries
  Vector3* transformedVectors;     // owned, mesh->vertexCount entries
  double orientation[3][3];        // row-major, m[row][column]
  int32_t position[3];             // camera-space x, y, z
};

// The scene's objects: one array, object 0 is the animated one and lights
// untextured triangles.
extern SceneObject* sceneObjects;
extern int32_t objectCount;

// A new object: no mesh, no buffers, identity orientation, at (0, 0, 3200).
void InitSceneObject(SceneObject* object);

// Allocates `count` new objects as the scene's object array.
void CreateSceneObjects(int32_t count);

// Binds the built-in model to object 0 and gives it fresh buffers.
void AllocateObjectBuffers();

// Binds `mesh` to `object` and gives it fresh buffers sized for the mesh.
void BindObjectMesh(SceneObject* object, Mesh* mesh);

void ResetObject(SceneObject* object);
void ScaleObject(SceneObject* object, double factor);
void RotateObjectX(SceneObject* object, double degrees);
void RotateObjectY(SceneObject* object, double degrees);
void RotateObjectZ(SceneObject* object, double degrees);

// out = a . b; safe when out aliases a or b.
void MultiplyMatrix3(const double a[3][3], const double b[3][3],
                     double out[3][3]);
