// One step of the demo's animation: an object turns, the fin texture
// scrolls.
#include "renderer/demo.h"
#include "scene/demo_steps.h"

namespace renderer {

void AnimateStep(SceneObject* object, Mesh* model, bool rotationPaused,
                 bool textureScrollPaused) {
  if (!rotationPaused && object != nullptr) {
    RotateObjectX(*object, 0.5);
    RotateObjectY(*object, 1);
  }
  if (!textureScrollPaused && model != nullptr) ScrollFinTexture(*model);
}

void AnimateDemoScene(Scene& scene, bool rotationPaused,
                      bool textureScrollPaused) {
  SceneObject* object = scene.objects.empty() ? nullptr : &scene.objects[0];
  Mesh* model = scene.meshes.empty() ? nullptr : &scene.meshes[0];
  AnimateStep(object, model, rotationPaused, textureScrollPaused);
}

}  // namespace renderer
