#include "app/demo.h"

#include "app/app_window.h"
#include "app/frame_composer.h"
#include "platform/tick_count.h"
#include "render/demo_scene.h"
#include "render/render_context.h"
#include "scene/animation.h"

uint32_t lastAnimationTick = 0;
int32_t rotationPaused = 0;
int32_t textureScrollPaused = 0;

int32_t InitDemo() {
  // The images come from the working directory (or its fallback folder).
  SetupDemoScene("");
  SetDemoProjection(&renderContext, appWindow->clientRect,
                    appWindow->clientCentre);
  AllocateRenderBuffers(&renderContext);
  lastAnimationTick = GetTickCount();
  return 0;
}

int32_t IdleTick() {
  ComposeFrame();
  // Unsigned difference: correct across the tick count's wrap.
  if (GetTickCount() - lastAnimationTick <= 20) return 0;
  // Read afresh, so a slow frame resumes with one step, not a burst.
  lastAnimationTick = GetTickCount();
  AnimateStep(rotationPaused, textureScrollPaused);
  return 0;
}
