#pragma once
// Scenes: textures, meshes and the objects that place meshes in camera space.
#include <cstdint>
#include <vector>

#include "renderer/mesh.h"
#include "renderer/texture.h"

namespace renderer {

// An object's mesh index meaning "nothing to draw".
constexpr int32_t kNoMesh = -1;

// A mesh placed in camera space by an orientation matrix (rotation and
// scale together) and an integer position.
struct SceneObject {
  int32_t mesh = kNoMesh;  // index into Scene::meshes, or none
  double orientation[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};  // row-major
  int32_t position[3] = {0, 0, 3200};
};

// Everything a frame draws. Triangles refer to textures and objects to
// meshes by index, so the scene may be copied or moved freely.
struct Scene {
  std::vector<Texture> textures;
  std::vector<Mesh> meshes;
  std::vector<SceneObject> objects;  // drawn in order
  int32_t lightObject = 0;  // its position lights untextured triangles
};

// Identity orientation at (0, 0, 3200).
void ResetObject(SceneObject& object);

// Multiplies the orientation by `factor`.
void ScaleObject(SceneObject& object, double factor);

// Turns by `degrees` about the camera's X, Y or Z axis, after every earlier
// turn (pi taken as 3.1416).
void RotateObjectX(SceneObject& object, double degrees);
void RotateObjectY(SceneObject& object, double degrees);
void RotateObjectZ(SceneObject& object, double degrees);

}  // namespace renderer
