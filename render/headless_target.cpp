// A frame buffer and window geometry without a window.
#include "render/headless_target.h"

#include "render/frame_buffer.h"
#include "render/int_convert.h"

namespace {

// Keeps the buffer when its size is unchanged, so a rebind costs nothing.
void ProvideBuffer(HeadlessTarget* target, int32_t width, int32_t height) {
  const bool sameSize = target->pixels != nullptr &&
                        target->bufferSize.x == width &&
                        target->bufferSize.y == height;
  if (sameSize) return;
  ReleaseFrameBufferPixels(target->pixels);
  // pitch must fit in int32: wider buffers are refused like empty ones.
  const bool usable = width > 0 && height > 0 && width <= kInt32Max / 4;
  target->pixels = usable ? AllocateFrameBufferPixels(width, height) : nullptr;
  target->bufferSize = usable ? IntPoint{width, height} : IntPoint{0, 0};
  target->pitch = usable ? width * 4 : 0;
}

}  // namespace

void BindHeadlessTarget(HeadlessTarget* target, int32_t bufferWidth,
                        int32_t bufferHeight, int32_t clientWidth,
                        int32_t clientHeight) {
  ProvideBuffer(target, bufferWidth, bufferHeight);
  target->windowRect = Rect{0, 0, bufferWidth, bufferHeight};
  target->clientRect = Rect{0, 0, clientWidth, clientHeight};
  target->clientCentre = IntPoint{clientWidth >> 1, clientHeight >> 1};
  frame = FrameShortcuts{&target->windowRect, &target->clientRect,
                         &target->clientCentre, &target->pixels, &target->pitch,
                         &target->bufferSize};
}
