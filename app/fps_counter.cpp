#include "app/fps_counter.h"

#include <cstdint>
#include <limits>

#include "platform/wide_format.h"

namespace app {

void CountFpsFrame(FpsCounter& fps, uint32_t now, int32_t threads) {
  if (fps.frames < std::numeric_limits<int32_t>::max()) ++fps.frames;
  // Unsigned subtraction, then read as signed: a clock that went back
  // counts as no time passed.
  const int32_t elapsed = static_cast<int32_t>(now - fps.lastTick);
  if (elapsed <= 2000) return;
  const int32_t used = platform::FormatWide(fps.text, kFpsTextLength,
                                            L"FPS:  %d  ", fps.frames >> 1);
  platform::FormatWide(fps.text + used, kFpsTextLength - used,
                       L"threads: %d  ", threads);
  fps.frames = 0;
  fps.lastTick = now;
}

}  // namespace app
