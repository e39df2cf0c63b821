#include "app/fps_counter.h"

#include <cstdint>
#include <limits>

#include "app/app_window.h"
#include "platform/tick_count.h"
#include "platform/wide_format.h"

void CountFpsFrame(int32_t threads) {
  AppWindow& w = *appWindow;
  if (w.fpsFrames < std::numeric_limits<int32_t>::max()) ++w.fpsFrames;
  const uint32_t now = GetTickCount();
  // Unsigned subtraction, then read as signed: a clock that went back
  // counts as no time passed.
  const int32_t elapsed = static_cast<int32_t>(now - w.fpsLastTick);
  if (elapsed <= 2000) return;
  const int32_t used =
      FormatWide(w.fpsText, kFpsTextLength, L"FPS:  %d  ", w.fpsFrames >> 1);
  FormatWide(w.fpsText + used, kFpsTextLength - used, L"threads: %d  ",
             threads);
  w.fpsFrames = 0;
  w.fpsLastTick = now;
}
