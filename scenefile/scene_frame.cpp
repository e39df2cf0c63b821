#include "scenefile/scene_frame.h"

namespace renderer {

void SetSceneSizes(const SceneDescription& scene, LoadedScene* loaded) {
  loaded->frameWidth = scene.frameWidth;
  loaded->frameHeight = scene.frameHeight;
  loaded->clientWidth = scene.clientWidth;
  loaded->clientHeight = scene.clientHeight;
}

void SetSceneCamera(const SceneDescription& scene, View* view) {
  view->focalLength = scene.focalLength;
  view->nearZ = scene.nearZ;
  view->viewportLeft = scene.viewportLeft;
  view->viewportTop = scene.viewportTop;
  view->viewportRight = scene.viewportRight;
  view->viewportBottom = scene.viewportBottom;
  view->centreX = scene.centreX;
  view->centreY = scene.centreY;
  view->looks = scene.looks;
}

void BindSceneTarget(const LoadedScene& loaded, HeadlessTarget& target) {
  BindHeadlessTarget(target, loaded.frameWidth, loaded.frameHeight,
                     loaded.clientWidth, loaded.clientHeight);
}

void ClearClientArea(HeadlessTarget& target, Workspace& workspace) {
  const Rect& client = target.target.clientRect;
  ClearFrame(target.target, client.bottom - client.top - 1,
             client.right - client.left - 1, workspace);
}

void DrawScene(const LoadedScene& loaded, HeadlessTarget& target,
               Workspace& workspace) {
  const Rect& client = target.target.clientRect;
  ClearAndRenderFrame(loaded.scene, loaded.view, target.target,
                      client.bottom - client.top - 1,
                      client.right - client.left - 1, workspace);
}

}  // namespace renderer
