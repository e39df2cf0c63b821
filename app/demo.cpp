#include "app/demo.h"

#include <algorithm>

#include "app/app_window.h"
#include "app/controls.h"
#include "app/frame_composer.h"
#include "platform/dropped_files.h"
#include "platform/window_system.h"
#include "platform/tick_count.h"

AppScene appScene;
uint32_t lastAnimationTick = 0;
int32_t rotationPaused = 0;
int32_t textureScrollPaused = 0;
int32_t renderThreadCount = 0;

namespace {

// windowRect's width or height, 0 when inverted.
int64_t WindowExtent(int32_t low, int32_t high) {
  return std::max<int64_t>(int64_t{high} - low, 0);
}

// One depth entry per pixel of windowRect and a spare row and column.
void AllocateDepthBuffer(const Rect& windowRect) {
  const int64_t entries =
      (WindowExtent(windowRect.left, windowRect.right) + 1) *
      (WindowExtent(windowRect.top, windowRect.bottom) + 1);
  appScene.depth.reset(renderer::AllocateDepthBuffer(entries));
  appScene.depthEntries = entries;
}

}  // namespace

int32_t InitDemo() {
  // The images come from the working directory (or its fallback folder).
  appScene.scene = renderer::MakeDemoScene("");
  appScene.animatedObject = 0;
  appScene.builtinMesh = 0;
  renderer::SetDemoProjection(appScene.view, appWindow->clientRect,
                              appWindow->clientCentre);
  AllocateDepthBuffer(appWindow->windowRect);
  appScene.workspace = renderer::MakeWorkspace();
  renderer::SetThreadCount(*appScene.workspace, renderThreadCount);
  lastAnimationTick = GetTickCount();
  return 0;
}

int32_t IdleTick() {
  ComposeFrame();
  // Unsigned difference: correct across the tick count's wrap.
  if (GetTickCount() - lastAnimationTick <= 20) return 0;
  // Read afresh, so a slow frame resumes with one step, not a burst.
  lastAnimationTick = GetTickCount();
  renderer::Scene& scene = appScene.scene;
  const size_t animated = size_t(appScene.animatedObject);
  const size_t model = size_t(appScene.builtinMesh);
  renderer::AnimateStep(animated < scene.objects.size() ? &scene.objects[animated] : nullptr,
                        model < scene.meshes.size() ? &scene.meshes[model] : nullptr,
                        rotationPaused != 0, textureScrollPaused != 0);
  return 0;
}

void ShowOpenedScene(OpenedScene&& opened) {
  appScene.scene = std::move(opened.scene);
  appScene.animatedObject = opened.animatedObject;
  appScene.builtinMesh = opened.builtinMesh;
  renderer::SetDemoProjection(appScene.view, appWindow->clientRect,
                              appWindow->clientCentre);
  appScene.view.focalLength = opened.focalLength;
  appScene.view.nearZ = opened.nearZ;
  selectedObject = opened.animatedObject;
}

void OpenDroppedFile() {
  const std::string path = TakeDroppedFile();
  if (path.empty()) return;
  OpenedScene opened;
  std::string error;
  if (OpenSceneFile(path, &opened, &error)) {
    ShowOpenedScene(std::move(opened));
    return;
  }
  const std::wstring text = WidenUtf8(error);
  MessageBox(appWindow->hwnd, text.c_str(), L"Renderer: cannot open the file");
}
