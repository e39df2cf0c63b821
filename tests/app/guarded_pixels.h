#pragma once
// A block of pixels with guard bands on every side, for catching writes
// that leave the area a drawing call was given.
#include <cstdint>
#include <vector>

#include "platform/drawing.h"

class GuardedPixels {
 public:
  static constexpr uint32_t kGuard = 0xDEADBEEFu;
  static constexpr int32_t kBand = 64;

  GuardedPixels(int32_t width, int32_t height, uint32_t fill)
      : width_(width),
        height_(height),
        stride_(width + 2 * kBand),
        memory_(size_t(stride_) * size_t(height + 2 * kBand), kGuard) {
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width; ++x) At(x, y) = fill;
    }
    dc_ = platform::DeviceContext{nullptr, &At(0, 0), width, height, stride_ * 4};
  }

  uint32_t& At(int32_t x, int32_t y) {
    return memory_[size_t(y + kBand) * size_t(stride_) + size_t(x + kBand)];
  }

  // True when every pixel outside the inner area still holds the guard.
  bool GuardsIntact() {
    for (int32_t y = -kBand; y < height_ + kBand; ++y) {
      for (int32_t x = -kBand; x < width_ + kBand; ++x) {
        const bool inside = x >= 0 && x < width_ && y >= 0 && y < height_;
        if (!inside && At(x, y) != kGuard) return false;
      }
    }
    return true;
  }

  int32_t Count(uint32_t colour) {
    int32_t count = 0;
    for (int32_t y = 0; y < height_; ++y) {
      for (int32_t x = 0; x < width_; ++x) count += At(x, y) == colour;
    }
    return count;
  }

  platform::DeviceContext* dc() { return &dc_; }

 private:
  int32_t width_;
  int32_t height_;
  int32_t stride_;
  std::vector<uint32_t> memory_;
  platform::DeviceContext dc_;
};
