#pragma once
// The scene pass may draw a column and a row past the client area (the
// viewport's right and bottom are inclusive) and, with a scene file's
// viewport, further; the client clear does not reach there. Zeroing that
// part of the frame buffer before each frame makes every frame start as the
// first frame of a run does, from a zero-filled buffer, so that a frame is
// the same whichever frame a run starts from.
#include <cstdint>

struct FrameMargin {
  uint32_t* pixels;  // the frame buffer, rows `rowStride` pixels apart
  int32_t rowStride;
  int32_t width;  // frame buffer width and height
  int32_t height;
  int32_t clientWidth;
  int32_t clientHeight;
  // The viewport as the scene pass uses it: left and top inclusive, right
  // and bottom inclusive, clamped to the frame buffer here.
  int32_t viewportLeft;
  int32_t viewportTop;
  int32_t viewportRight;
  int32_t viewportBottom;
};

// Zeroes the pixels the viewport reaches outside the client area.
void ZeroFrameMargin(const FrameMargin& margin);
