#pragma once
// The ceilings the span setup takes of each row's edge positions, held to
// the drawable columns, without a library call: the truncation gives the
// ceiling wherever a value lies inside int32, and values outside it take
// the saturated ends TruncateToInt32 gives.
#include <algorithm>
#include <cstdint>

#include "renderer/int32.h"

namespace renderer {

// max(TruncateToInt32(ceil(v)), low); not a number gives max(0, low).
inline int32_t CeilAtLeast(double v, int32_t low) {
  if (v > double(low)) {
    if (!(v < 2147483647.0)) return kInt32Max;
    const int32_t whole = int32_t(v);  // low < v < 2^31 - 1
    return double(whole) < v ? whole + 1 : whole;
  }
  if (v <= double(low)) return low;
  return std::max(0, low);
}

// min(TruncateToInt32(ceil(v) - 1), high); not a number gives
// min(0, high).
inline int32_t CeilMinusOneAtMost(double v, int32_t high) {
  if (v <= double(high) + 1.0) {
    if (!(v > -2147483648.0)) return kInt32Min;
    const int64_t whole = int64_t(v);  // -2^31 < v <= 2^31
    return int32_t((double(whole) < v ? whole + 1 : whole) - 1);
  }
  if (v > double(high) + 1.0) return high;
  return std::min(0, high);
}

}  // namespace renderer
