// The guarded frame buffer of the soak tests.
#include "tests/soak/guarded_frame.h"

void BindGuardedFrame(GuardedFrame* target, int32_t width, int32_t height) {
  target->blockWidth = width + 2 * kGuardPixels;
  const int32_t blockHeight = height + 2 * kGuardPixels;
  target->block.assign(size_t(target->blockWidth) * size_t(blockHeight),
                       kGuardValue);
  target->pixels =
      target->block.data() + size_t(kGuardPixels) * target->blockWidth +
      kGuardPixels;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      target->pixels[size_t(y) * target->blockWidth + x] = 0;
    }
  }
  target->pitch = target->blockWidth * 4;
  target->bufferSize = IntPoint{width, height};
  target->windowRect = Rect{0, 0, width, height};
  target->clientRect = Rect{0, 0, width, height};
  target->clientCentre = IntPoint{width >> 1, height >> 1};
}

renderer::FrameTarget TargetOf(const GuardedFrame& frame, float* depth,
                               int64_t entries) {
  renderer::FrameTarget target;
  target.pixels = frame.pixels;
  target.pitch = frame.pitch;
  target.width = frame.bufferSize.x;
  target.height = frame.bufferSize.y;
  target.depth = depth;
  target.depthStride = int64_t{frame.windowRect.right} - frame.windowRect.left;
  target.depthEntries = entries;
  target.clientRect = frame.clientRect;
  return target;
}

std::string FindGuardDamage(const GuardedFrame& target) {
  const int32_t width = target.bufferSize.x;
  const int32_t height = target.bufferSize.y;
  const int32_t blockHeight = height + 2 * kGuardPixels;
  for (int32_t by = 0; by < blockHeight; ++by) {
    const bool guardRow = by < kGuardPixels || by >= kGuardPixels + height;
    for (int32_t bx = 0; bx < target.blockWidth; ++bx) {
      const bool guardColumn =
          bx < kGuardPixels || bx >= kGuardPixels + width;
      if (!guardRow && !guardColumn) {
        bx = kGuardPixels + width - 1;  // skip the frame's own pixels
        continue;
      }
      if (target.block[size_t(by) * target.blockWidth + bx] != kGuardValue) {
        return "guard pixel changed at column " +
               std::to_string(bx - kGuardPixels) + ", row " +
               std::to_string(by - kGuardPixels);
      }
    }
  }
  return "";
}
