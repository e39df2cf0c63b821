// The demo's scene: the built-in model with its seven images on one object,
// and the demo's projection.
#include "renderer/demo.h"
#include "renderer/int32.h"

namespace renderer {

Scene MakeDemoScene(const char* textureFolder) {
  Scene scene;
  scene.textures = LoadTexturesFrom(textureFolder);
  scene.meshes.push_back(BuildModel(scene.textures, 0));
  SceneObject object;
  object.mesh = 0;
  scene.objects.push_back(object);
  scene.lightObject = 0;
  return scene;
}

void SetDemoProjection(View& view, const Rect& clientRect,
                       const IntPoint& clientCentre) {
  view.focalLength = 400;
  view.nearZ = 2;
  // The centre relative to the client area's top-left corner.
  view.centreX = double(int64_t{clientCentre.x} - clientRect.left);
  view.centreY = double(int64_t{clientCentre.y} - clientRect.top);
  view.viewportLeft = 0;
  view.viewportTop = 0;
  view.viewportRight =
      SaturateToInt32(int64_t{clientRect.right} - clientRect.left);
  view.viewportBottom =
      SaturateToInt32(int64_t{clientRect.bottom} - clientRect.top);
}

}  // namespace renderer
