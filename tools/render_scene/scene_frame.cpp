#include "tools/render_scene/scene_frame.h"

#include "render/frame_buffer.h"
#include "render/render_context.h"

void BindSceneTarget(const SceneDescription& scene, HeadlessTarget* target) {
  BindHeadlessTarget(target, scene.frameWidth, scene.frameHeight,
                     scene.clientWidth, scene.clientHeight);
}

void SetSceneCamera(const SceneDescription& scene) {
  renderContext.focalLength = scene.focalLength;
  renderContext.nearZ = scene.nearZ;
  renderContext.viewportLeft = scene.viewportLeft;
  renderContext.viewportTop = scene.viewportTop;
  renderContext.viewportRight = scene.viewportRight;
  renderContext.viewportBottom = scene.viewportBottom;
  renderContext.centreX = scene.centreX;
  renderContext.centreY = scene.centreY;
}

void ClearClientArea(const HeadlessTarget& target) {
  const Rect& client = target.clientRect;
  ClearFrame(client.bottom - client.top - 1, client.right - client.left - 1);
}

void DrawSceneFrame(const HeadlessTarget& target) {
  ClearClientArea(target);
  RenderScene();
}
