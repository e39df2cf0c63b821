#pragma once
// Conversions to int32 that stay defined for every input: values past the
// int32 range saturate, and not-a-number gives 0. Inside the range they are
// the plain truncation toward zero the renderer's arithmetic asks for. Pixel
// coordinates, rectangles and viewports are int32; a caller that adds,
// subtracts or scales them (a window's size from its corners, say) holds the
// result in range with these.
#include <cstdint>
#include <limits>

namespace renderer {

constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();

// Truncates toward zero; saturates beyond the int32 range; NaN gives 0.
inline int32_t TruncateToInt32(double value) {
  if (value > -2147483649.0 && value < 2147483648.0) return int32_t(value);
  if (value >= 2147483648.0) return kInt32Max;
  if (value <= -2147483649.0) return kInt32Min;
  return 0;
}

// `value` held inside the int32 range.
inline int32_t SaturateToInt32(int64_t value) {
  if (value > kInt32Max) return kInt32Max;
  if (value < kInt32Min) return kInt32Min;
  return int32_t(value);
}

}  // namespace renderer
