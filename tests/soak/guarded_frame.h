#pragma once
// A desktop-sized frame buffer inside a larger block whose border of guard
// pixels must never change, with the window geometry a desktop program
// would hold beside it.
#include <cstdint>
#include <string>
#include <vector>

#include "renderer/renderer.h"

using renderer::IntPoint;
using renderer::Rect;

constexpr int32_t kGuardPixels = 16;
constexpr uint32_t kGuardValue = 0xA5C3E1F7u;

struct GuardedFrame {
  std::vector<uint32_t> block;  // (width + 2g) x (height + 2g) pixels
  int32_t blockWidth;
  Rect windowRect;
  Rect clientRect;
  IntPoint clientCentre;
  IntPoint bufferSize;  // the desktop's width and height
  uint32_t* pixels;     // the interior: row y at pixels + y * blockWidth
  int32_t pitch;        // blockWidth * 4: rows run across the guard columns
};

// Sizes the block for a width x height desktop and fills the guards;
// windowRect and the client area are both the whole desktop.
void BindGuardedFrame(GuardedFrame* target, int32_t width, int32_t height);

// The frame target over the frame and `depth` (`entries` floats), its depth
// rows windowRect's width apart, as the desktop program forms it.
renderer::FrameTarget TargetOf(const GuardedFrame& frame, float* depth,
                               int64_t entries);

// "" when every guard pixel holds kGuardValue; else where the first stray
// write landed, relative to the frame's top-left pixel.
std::string FindGuardDamage(const GuardedFrame& target);
