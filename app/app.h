#pragma once
// The application record: everything the desktop program keeps between two
// messages. One is made in main and passed by reference to the window
// procedure (through its window's context) and to every handler.
#include <cstdint>

#include "app/app_window.h"
#include "app/fps_counter.h"
#include "app/scene_state.h"
#include "platform/platform.h"

namespace app {

struct App {
  explicit App(platform::Platform& platformRecord) : platform(platformRecord) {}

  platform::Platform& platform;
  AppWindow window;
  SceneState scene;
  FpsCounter fps;
  // Worker threads the workspace draws with (0: one per hardware thread),
  // from the command line.
  int32_t threadCount = 0;
  // The object the keys and the drag act on; may name none.
  int32_t selectedObject = 0;
  // A left-button drag: whether one is under way, and the cursor it last
  // turned the object to, relative to the client area's centre.
  int32_t dragging = 0;
  IntPoint dragLast = {350, 350};
  int32_t helpVisible = 1;
  int32_t rotationPaused = 0;
  int32_t textureScrollPaused = 0;
  // The tick count of the last animation step.
  uint32_t lastAnimationTick = 0;
};

}  // namespace app
