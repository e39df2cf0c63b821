#pragma once
// What the renderer may touch this frame: the frame buffer and depth buffer
// as bounded views, and the viewport cut down to the pixels both hold.
// Every writer goes through these, so no index can leave its buffer whatever
// the window geometry, the viewport or windowRect hold.
#include <cstdint>

// The frame buffer: `columns` x `rows` pixels, row y at pixels + y * stride.
// Empty (0 x 0) when the short-cuts are unbound or the buffer is missing.
struct FrameView {
  uint32_t* pixels;
  int64_t stride;  // pitch / 4
  int32_t columns;
  int32_t rows;
};

// The depth buffer: rows `stride` entries long (windowRect's width, read
// afresh), as many whole rows as the allocated entries hold.
struct DepthView {
  float* depth;
  int64_t stride;
  int32_t columns;  // the stride, or 0 for an unusable one
  int32_t rows;
  int64_t entries;  // allocated entries
};

// Inclusive pixel bounds; empty when right < left or bottom < top.
struct PixelArea {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

FrameView CurrentFrameView();
DepthView CurrentDepthView();

// The render context's viewport (inclusive), cut down to the columns and
// rows that the frame buffer, the depth buffer and the span table all hold.
// Equal to the viewport whenever the viewport fits in all three.
PixelArea DrawableViewport(const FrameView& frameView,
                           const DepthView& depthView);
