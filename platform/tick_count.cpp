#include "platform/tick_count.h"

#include <time.h>

TickSource tickSource = SystemTickCount;

uint32_t GetTickCount() { return tickSource(); }

uint32_t SystemTickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  // Unsigned arithmetic: the count wraps instead of overflowing.
  const uint64_t milliseconds = static_cast<uint64_t>(now.tv_sec) * 1000u +
                                static_cast<uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<uint32_t>(milliseconds);
}
