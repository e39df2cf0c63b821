// The workspace's counters: pixels that passed the depth tests, and the
// optional stage times.
#include <chrono>

#include "render/workspace.h"

namespace renderer {

int64_t StatsClockNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

RenderStats& Stats(Workspace& workspace) { return workspace.stats; }

void ResetStats(Workspace& workspace) {
  workspace.stats.pixelsPassed = 0;
  workspace.stats.depthResetNs = 0;
  workspace.stats.fillNs = 0;
  workspace.stats.colourClearNs = 0;
}

}  // namespace renderer
