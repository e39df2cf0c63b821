// One step of the demo's animation: object 0 turns, the fin texture scrolls.
#include "scene/animation.h"

#include "scene/model.h"
#include "scene/scene_object.h"

void AnimateStep(int rotationPaused, int textureScrollPaused) {
  if (!rotationPaused && objectCount > 0) {
    RotateObjectX(&sceneObjects[0], 0.5);
    RotateObjectY(&sceneObjects[0], 1);
  }
  if (!textureScrollPaused) ScrollFinTexture();
}
