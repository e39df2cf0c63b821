#include "tools/render_scene/scene_frame.h"

void BindSceneTarget(const SceneDescription& scene,
                     renderer::HeadlessTarget* target) {
  renderer::BindHeadlessTarget(target, scene.frameWidth, scene.frameHeight,
                               scene.clientWidth, scene.clientHeight);
}

void SetSceneCamera(const SceneDescription& scene, renderer::View* view) {
  view->focalLength = scene.focalLength;
  view->nearZ = scene.nearZ;
  view->viewportLeft = scene.viewportLeft;
  view->viewportTop = scene.viewportTop;
  view->viewportRight = scene.viewportRight;
  view->viewportBottom = scene.viewportBottom;
  view->centreX = scene.centreX;
  view->centreY = scene.centreY;
}

void ClearClientArea(renderer::HeadlessTarget& target,
                     renderer::Workspace& workspace) {
  const renderer::Rect& client = target.target.clientRect;
  renderer::ClearFrame(target.target, client.bottom - client.top - 1,
                       client.right - client.left - 1, workspace);
}

void DrawSceneFrame(SceneFrame& frame) {
  ClearClientArea(frame.target, *frame.workspace);
  renderer::RenderFrame(frame.built.scene, frame.view, frame.target.target,
                        *frame.workspace);
}
