// Frame and depth memory for callers without a window, and the target
// that owns both.
#include <cstddef>
#include <cstdlib>
#include <new>

#include "render/huge_pages.h"
#include "renderer/int32.h"
#include "render/word_fill.h"
#include "renderer/frame_memory.h"

namespace renderer {

// calloc rather than a zero-filled new[]: a large block comes zeroed from
// the system, so pages the frame never reaches are never touched.
uint32_t* AllocateFrameBufferPixels(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return nullptr;
  const size_t count = size_t(width) * size_t(height);
  void* pixels = std::calloc(count, sizeof(uint32_t));
  if (pixels == nullptr) throw std::bad_alloc();
  AdviseHugePages(pixels, count * sizeof(uint32_t));
  return static_cast<uint32_t*>(pixels);
}

void ReleaseFrameBufferPixels(uint32_t* pixels) { std::free(pixels); }

float* AllocateDepthBuffer(int64_t entries) {
  if (entries <= 0) return nullptr;
  float* depth = new float[size_t(entries)];
  AdviseHugePages(depth, size_t(entries) * sizeof(float));
  FillFloatBits(BestFillKernels(), depth, size_t(entries), kDepthClearBits);
  return depth;
}

void ReleaseDepthBuffer(float* depth) { delete[] depth; }

namespace {

// Keeps the memory when the size is unchanged, so a rebind costs nothing.
void ProvideMemory(HeadlessTarget* headless, int32_t width, int32_t height) {
  const FrameTarget& old = headless->target;
  if (headless->pixels != nullptr && old.width == width &&
      old.height == height) {
    return;
  }
  headless->pixels.reset();
  headless->depth.reset();
  headless->target = FrameTarget{};
  // The pitch must fit in int32: wider buffers are refused like empty ones.
  if (width <= 0 || height <= 0 || width > kInt32Max / 4) return;
  headless->pixels.reset(AllocateFrameBufferPixels(width, height));
  headless->depth.reset(AllocateDepthBuffer(DepthEntriesFor(width, height)));
  headless->target = MakeFrameTarget(headless->pixels.get(),
                                     headless->depth.get(), width, height);
}

}  // namespace

void BindHeadlessTarget(HeadlessTarget& target, int32_t bufferWidth,
                        int32_t bufferHeight, int32_t clientWidth,
                        int32_t clientHeight) {
  ProvideMemory(&target, bufferWidth, bufferHeight);
  target.target.clientRect = Rect{0, 0, clientWidth, clientHeight};
  target.clientCentre = IntPoint{clientWidth >> 1, clientHeight >> 1};
}

}  // namespace renderer
