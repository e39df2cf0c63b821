#include "app/demo.h"

#include <algorithm>

#include "app/app_window.h"
#include "app/frame_composer.h"
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
  renderer::SetDemoProjection(&appScene.view, appWindow->clientRect,
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
  renderer::AnimateDemoScene(&appScene.scene, rotationPaused != 0,
                             textureScrollPaused != 0);
  return 0;
}
