#include "platform/tick_count.h"

#include <time.h>

#include "platform/platform_state.h"

namespace platform {

void SetTickSource(Platform& platform, TickSource source) {
  platform.tickSource = source;
}

uint32_t GetTickCount(const Platform& platform) {
  return platform.tickSource();
}

uint32_t SystemTickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  // Unsigned arithmetic: the count wraps instead of overflowing.
  const uint64_t milliseconds = static_cast<uint64_t>(now.tv_sec) * 1000u +
                                static_cast<uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<uint32_t>(milliseconds);
}

}  // namespace platform
