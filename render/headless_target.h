#pragma once
// A frame buffer and window geometry without a window: what render-scene,
// the tests and the benchmarks draw into.
#include <cstdint>

#include "render/frame_target.h"

struct HeadlessTarget {
  Rect windowRect;        // (0, 0, bufferWidth, bufferHeight)
  Rect clientRect;        // (0, 0, clientWidth, clientHeight)
  IntPoint clientCentre;  // (clientWidth >> 1, clientHeight >> 1)
  IntPoint bufferSize;
  uint32_t* pixels;       // owned, zero-filled at creation
  int32_t pitch;          // bufferWidth * 4
};

// Allocates the buffer (once; an existing buffer of another size is
// replaced) and binds the renderer's frame short-cuts to `target`, which must
// start zero-initialised. Sizes that are not positive, or too wide for an
// int32 pitch, leave no buffer (0 x 0), and nothing is drawn.
void BindHeadlessTarget(HeadlessTarget* target, int32_t bufferWidth,
                        int32_t bufferHeight, int32_t clientWidth,
                        int32_t clientHeight);
