// FNV-1a 64 and frame hashes for the tests.
#include "tests/support/frame_hash.h"

uint64_t Fnv1a64(const void* data, size_t bytes, uint64_t hash) {
  const auto* p = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < bytes; ++i) {
    hash ^= p[i];
    hash *= 0x100000001b3ull;
  }
  return hash;
}

FrameHashes HashFrame(const renderer::FrameTarget& target) {
  const size_t count = size_t(target.width) * size_t(target.height);
  uint64_t pixels = kFnvOffsetBasis;
  for (int32_t y = 0; y < target.height; ++y) {
    pixels = Fnv1a64(target.pixels + int64_t{y} * (target.pitch / 4),
                     size_t(target.width) * 4, pixels);
  }
  return FrameHashes{pixels, Fnv1a64(target.depth, count * 4)};
}
