#pragma once
// Texel coordinates: truncated toward zero, then wrapped into the texture
// as the non-negative remainder, so the image repeats without bound; and
// the texel at a place, as 0x00RRGGBB.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

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

// The texel at byte offset `offset` of `texels` (3 bytes: R, G, B) as
// 0x00RRGGBB. Offsets up to `lastWord` are read as one 4-byte word; later
// ones, whose word would pass the end of the texels, byte by byte.
inline uint32_t TexelAtOffset(const uint8_t* texels, int32_t offset,
                              int32_t lastWord) {
  const uint8_t* texel = texels + offset;
  if (offset > lastWord) {
    return (uint32_t{texel[0]} << 16) | (uint32_t{texel[1]} << 8) | texel[2];
  }
  uint32_t word;
  std::memcpy(&word, texel, 4);
  if constexpr (std::endian::native == std::endian::little) {
    word = __builtin_bswap32(word);
  }
  return word >> 8;
}

// The texel at (column, row), both already wrapped, as 0x00RRGGBB.
inline uint32_t TexelAt(const uint8_t* texels, int32_t width, int32_t column,
                        int32_t row) {
  const size_t index = size_t(row) * size_t(width) + size_t(column);
  const uint8_t* texel = texels + 3 * index;
  return (uint32_t{texel[0]} << 16) | (uint32_t{texel[1]} << 8) | texel[2];
}
