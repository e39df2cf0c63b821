// Benchmark counters shared by the fills and the depth reset.
#include "render/render_stats.h"

#include <chrono>

RenderStats renderStats = {};

int64_t StatsClockNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void ResetRenderStats() {
  renderStats.pixelsPassed = 0;
  renderStats.depthResetNs = 0;
  renderStats.fillNs = 0;
}
