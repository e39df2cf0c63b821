#include "scenefile/scene_description.h"

namespace renderer {

ObjectEntry DefaultObjectEntry() {
  ObjectEntry object{};
  object.mesh = 0;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      object.orientation[row][column] = row == column ? 1.0 : 0.0;
    }
  }
  object.position[0] = 0;
  object.position[1] = 0;
  object.position[2] = 3200;
  return object;
}

SceneDescription DefaultSceneDescription() {
  SceneDescription scene{};
  scene.frameWidth = kDefaultFrameWidth;
  scene.frameHeight = kDefaultFrameHeight;
  scene.clientWidth = kDefaultClientWidth;
  scene.clientHeight = kDefaultClientHeight;
  scene.focalLength = 400;
  scene.nearZ = 2;
  MeshEntry builtin{};
  builtin.builtin = 1;
  scene.meshes.push_back(builtin);
  scene.objects.push_back(DefaultObjectEntry());
  return scene;
}

int32_t UsesBuiltinModel(const SceneDescription& scene) {
  for (const MeshEntry& mesh : scene.meshes) {
    if (mesh.builtin) return 1;
  }
  return 0;
}

void ResolveViewportAndCentre(SceneDescription* scene) {
  const int32_t given = scene->viewportSidesGiven;
  if (!(given & kViewportLeft)) scene->viewportLeft = 0;
  if (!(given & kViewportTop)) scene->viewportTop = 0;
  if (!(given & kViewportRight)) scene->viewportRight = scene->clientWidth;
  if (!(given & kViewportBottom)) scene->viewportBottom = scene->clientHeight;
  if (!scene->hasCentreX) scene->centreX = scene->clientWidth >> 1;
  if (!scene->hasCentreY) scene->centreY = scene->clientHeight >> 1;
}

}  // namespace renderer
