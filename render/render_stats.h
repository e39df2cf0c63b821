#pragma once
// Optional counters for benchmarks: how many pixels passed the depth tests
// and how long the depth reset and the fills took. Off by default; when off
// the renderer only tests one flag per triangle and per frame.
#include <cstdint>

struct RenderStats {
  int32_t timing;        // 1: measure the stage times below
  int64_t pixelsPassed;  // pixels that passed the depth tests (always counted)
  int64_t depthResetNs;  // time spent resetting the depth buffer
  int64_t fillNs;        // time spent in the two triangle fills
};

extern RenderStats renderStats;

// Monotonic nanoseconds, for the stage times.
int64_t StatsClockNs();

// Zeroes the counters and times, keeping the timing switch.
void ResetRenderStats();
