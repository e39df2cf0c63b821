#pragma once
// Window geometry arrives as int32 values whose sums and differences may
// leave the int32 range; the shell holds them at its ends instead.
#include <cstdint>
#include <limits>

namespace app {

constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();

// `value` held inside the int32 range.
inline int32_t SaturateToInt32(int64_t value) {
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  if (value > kInt32Max) return kInt32Max;
  if (value < kMin) return static_cast<int32_t>(kMin);
  return static_cast<int32_t>(value);
}

}  // namespace app
