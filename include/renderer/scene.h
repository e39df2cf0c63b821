#pragma once
// Scenes: textures, meshes and the objects that place meshes in camera space.
#include <cstdint>
#include <vector>

#include "renderer/mesh.h"
#include "renderer/texture.h"

namespace renderer {

constexpr int32_t kNoMesh = -1;

// A mesh placed in camera space by an orientation matrix (rotation and
// scale together) and an integer position.
struct SceneObject {
  int32_t mesh = kNoMesh;  // index into Scene::meshes, or none
  double orientation[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};  // row-major
  int32_t position[3] = {0, 0, 3200};
};

struct Scene {
  std::vector<Texture> textures;
  std::vector<Mesh> meshes;
  std::vector<SceneObject> objects;  // drawn in order
  int32_t lightObject = 0;  // its position lights untextured triangles
};

// Identity orientation at (0, 0, 3200).
void ResetObject(SceneObject* object);
// Each operation acts after every earlier one, about the camera's axes.
void ScaleObject(SceneObject* object, double factor);
void RotateObjectX(SceneObject* object, double degrees);
void RotateObjectY(SceneObject* object, double degrees);
void RotateObjectZ(SceneObject* object, double degrees);

}  // namespace renderer
