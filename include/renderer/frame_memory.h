#pragma once
// Memory for frame targets, for callers without a window: a zero-filled
// frame buffer and a depth buffer, and a target that owns both.
#include <cstdint>
#include <memory>

#include "renderer/geometry.h"
#include "renderer/render.h"

namespace renderer {

// A zero-filled width x height pixel buffer whose untouched pages cost
// nothing; null for sizes that are not positive. Free it with
// ReleaseFrameBufferPixels.
uint32_t* AllocateFrameBufferPixels(int32_t width, int32_t height);

// Frees what AllocateFrameBufferPixels returned (null is allowed).
void ReleaseFrameBufferPixels(uint32_t* pixels);

// `entries` depth floats, every one reset to 9.0e20f; null for none.
// Free it with ReleaseDepthBuffer.
float* AllocateDepthBuffer(int64_t entries);

// Frees what AllocateDepthBuffer returned (null is allowed).
void ReleaseDepthBuffer(float* depth);

// Frees a pixel buffer; used by HeadlessTarget.
struct PixelsDeleter {
  void operator()(uint32_t* pixels) const { ReleaseFrameBufferPixels(pixels); }
};

// Frees a depth buffer; used by HeadlessTarget.
struct DepthDeleter {
  void operator()(float* depth) const { ReleaseDepthBuffer(depth); }
};

// A frame buffer and depth buffer in memory of its own, with a client area
// and its centre as a window would have them.
struct HeadlessTarget {
  FrameTarget target;     // over the memory below; clientRect included
  IntPoint clientCentre;  // (clientWidth >> 1, clientHeight >> 1)
  std::unique_ptr<uint32_t[], PixelsDeleter> pixels;
  std::unique_ptr<float[], DepthDeleter> depth;
};

// Gives `target` a bufferWidth x bufferHeight frame buffer and its depth
// buffer (kept when the size is unchanged) and a client area of
// clientWidth x clientHeight at the top left. Sizes that are not positive,
// or too wide for an int32 pitch, leave an empty 0 x 0 target.
void BindHeadlessTarget(HeadlessTarget& target, int32_t bufferWidth,
                        int32_t bufferHeight, int32_t clientWidth,
                        int32_t clientHeight);

}  // namespace renderer
