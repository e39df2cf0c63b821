#include "app/demo.h"

#include <algorithm>

#include "app/frame_composer.h"
#include "app/window_geometry.h"
#include "platform/dropped_files.h"
#include "platform/tick_count.h"
#include "platform/window_system.h"

namespace app {

namespace {

// windowRect's width or height, 0 when inverted.
int64_t WindowExtent(int32_t low, int32_t high) {
  return std::max<int64_t>(int64_t{high} - low, 0);
}

// One depth entry per pixel of windowRect and a spare row and column.
void AllocateDepthBuffer(SceneState& shown, const Rect& windowRect) {
  const int64_t entries =
      (WindowExtent(windowRect.left, windowRect.right) + 1) *
      (WindowExtent(windowRect.top, windowRect.bottom) + 1);
  shown.depth.reset(renderer::AllocateDepthBuffer(entries));
  shown.depthEntries = entries;
  // New memory holds no frame: the next one resets every entry.
  shown.target.depthKept = false;
}

}  // namespace

int32_t InitDemo(App& app) {
  SceneState& shown = app.scene;
  // The images come from the working directory (or its fallback folder).
  shown.scene = renderer::MakeDemoScene("");
  shown.animatedObject = 0;
  shown.builtinMesh = 0;
  renderer::SetDemoProjection(shown.view, app.window.clientRect,
                              app.window.clientCentre);
  AllocateDepthBuffer(shown, app.window.windowRect);
  shown.workspace = renderer::MakeWorkspace();
  renderer::SetThreadCount(*shown.workspace, app.threadCount);
  app.lastAnimationTick = platform::GetTickCount(app.platform);
  return 0;
}

int32_t IdleTick(App& app) {
  ComposeFrame(app);
  const uint32_t last = app.lastAnimationTick;
  // Unsigned difference: correct across the tick count's wrap.
  if (platform::GetTickCount(app.platform) - last <= 20) return 0;
  // Read afresh, so a slow frame resumes with one step, not a burst.
  app.lastAnimationTick = platform::GetTickCount(app.platform);
  renderer::Scene& scene = app.scene.scene;
  const size_t animated = size_t(app.scene.animatedObject);
  const size_t model = size_t(app.scene.builtinMesh);
  renderer::AnimateStep(
      animated < scene.objects.size() ? &scene.objects[animated] : nullptr,
      model < scene.meshes.size() ? &scene.meshes[model] : nullptr,
      app.rotationPaused != 0, app.textureScrollPaused != 0);
  return 0;
}

void ShowOpenedScene(App& app, OpenedScene&& opened) {
  SceneState& shown = app.scene;
  shown.scene = std::move(opened.scene);
  shown.animatedObject = opened.animatedObject;
  shown.builtinMesh = opened.builtinMesh;
  shown.view.focalLength = opened.focalLength;
  shown.view.nearZ = opened.nearZ;
  FitViewToClientArea(app.window, &shown.view);
  app.selectedObject = opened.animatedObject;
}

void OpenDroppedFile(App& app) {
  const std::string path = platform::TakeDroppedFile(app.platform);
  if (path.empty()) return;
  OpenedScene opened;
  std::string error;
  if (OpenSceneFile(path, &opened, &error)) {
    ShowOpenedScene(app, std::move(opened));
    return;
  }
  const std::wstring text = WidenUtf8(error);
  platform::MessageBox(app.platform, app.window.hwnd, text.c_str(),
                       L"Renderer: cannot open the file");
}

}  // namespace app
