#pragma once
// The frames-per-second counter: shown or not, the frames counted since its
// last update, that update's tick count and the text it shows.
#include <cstdint>

namespace app {

constexpr int32_t kFpsTextLength = 40;

struct FpsCounter {
  int32_t visible = 0;
  int32_t frames = 0;
  uint32_t lastTick = 0;
  wchar_t text[kFpsTextLength] = L"FPS: ";
};

// Counts one frame at tick count `now`; once more than 2000 ms (a signed
// 32-bit difference of tick counts) have passed since the last update,
// formats "FPS:  %d  threads: %d  " with half the frames counted since then
// and the renderer's thread count, and starts counting afresh.
void CountFpsFrame(FpsCounter& fps, uint32_t now, int32_t threads);

}  // namespace app
