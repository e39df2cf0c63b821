#pragma once
// Texel coordinates: truncated toward zero, then wrapped into the texture
// as the non-negative remainder, so the image repeats without bound; and
// the texel at a place, as 0x00RRGGBB.
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace renderer {

// The non-negative remainder of trunc(value) modulo size (size >= 1). Exact
// for every finite value, also past the int32 range; NaN and infinities
// give 0.
inline int32_t WrapTexel(double value, int32_t size) {
  if (value > -2147483649.0 && value < 2147483648.0) {
    const int32_t remainder = int32_t(value) % size;
    return remainder < 0 ? remainder + size : remainder;
  }
  if (!std::isfinite(value)) return 0;
  double remainder = std::fmod(std::trunc(value), double(size));
  if (remainder < 0) remainder += double(size);
  return int32_t(remainder);
}

// The texel at (column, row), both already wrapped, as 0x00RRGGBB.
inline uint32_t TexelAt(const uint8_t* texels, int32_t width, int32_t column,
                        int32_t row) {
  const size_t index = size_t(row) * size_t(width) + size_t(column);
  const uint8_t* texel = texels + 3 * index;
  return (uint32_t{texel[0]} << 16) | (uint32_t{texel[1]} << 8) | texel[2];
}

}  // namespace renderer
