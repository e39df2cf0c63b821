#pragma once
// Small AVX2 helpers shared by the fast fills: lane masks from bit masks.
// Include only from files whose AVX2 functions carry RENDER_AVX2.
#include <immintrin.h>

#include <cstdint>

#define RENDER_AVX2 __attribute__((target("avx2")))

namespace renderer {

// The four-lane 32-bit mask whose lane i is all ones when bit i of `bits`
// (0..15) is set.
RENDER_AVX2 inline __m128i LaneMask(int32_t bits) {
  const __m128i bit = _mm_setr_epi32(1, 2, 4, 8);
  return _mm_cmpeq_epi32(_mm_and_si128(_mm_set1_epi32(bits), bit), bit);
}

// Bits 0..count-1 set, for a row's last, partial step (count 1..4).
inline int32_t FirstLanes(int64_t count) {
  return count >= 4 ? 0xF : (1 << count) - 1;
}

}  // namespace renderer
