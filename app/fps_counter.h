#pragma once
// The frames-per-second counter of the window record.

#include <cstdint>

// Counts one frame; once more than 2000 ms (a signed 32-bit difference of
// tick counts) have passed since the last update, formats
// "FPS:  %d  threads: %d  " with half the frames counted since then and the
// renderer's thread count, and starts counting afresh.
void CountFpsFrame(int32_t threads);
