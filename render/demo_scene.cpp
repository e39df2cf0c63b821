// The demo's scene: the built-in model with its seven images on one object,
// and the demo's projection.
#include "render/demo_scene.h"

#include "render/int_convert.h"
#include "scene/model.h"
#include "scene/scene_object.h"
#include "scene/texture.h"

void SetupDemoScene(const char* textureFolder) {
  LoadTexturesFrom(textureFolder);
  BuildModel();
  CreateSceneObjects(1);
  AllocateObjectBuffers();
}

void SetDemoProjection(RenderContext* context, const Rect& clientRect,
                       const IntPoint& clientCentre) {
  context->focalLength = 400;
  context->nearZ = 2;
  // The centre relative to the client area's top-left corner.
  context->centreX = double(int64_t{clientCentre.x} - clientRect.left);
  context->centreY = double(int64_t{clientCentre.y} - clientRect.top);
  context->viewportLeft = 0;
  context->viewportTop = 0;
  context->viewportRight =
      SaturateToInt32(int64_t{clientRect.right} - clientRect.left);
  context->viewportBottom =
      SaturateToInt32(int64_t{clientRect.bottom} - clientRect.top);
}
