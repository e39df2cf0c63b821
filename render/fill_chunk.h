#pragma once
// What the fast textured fills hand from pass to pass within a chunk of a
// row: each pixel's running sums d, Un and Vn, its depth rounded to float,
// and the byte offset of its texel; per step of lanes, which passed the
// depth tests and which of those fetch their texel in the last pass.
#include <cstdint>

#include "render/exact_steps.h"
#include "render/textured_plane.h"

namespace renderer {

constexpr int64_t kChunkPixels = 64;  // a multiple of every lane count

struct FillChunk {
  alignas(64) double d[kChunkPixels];
  alignas(64) double un[kChunkPixels];
  alignas(64) double vn[kChunkPixels];
  alignas(64) float z[kChunkPixels];
  alignas(64) int32_t offset[kChunkPixels];
  uint8_t pass[kChunkPixels / 4];  // one entry per step of lanes
  uint8_t fetch[kChunkPixels / 4];
};

// The sums at one pixel of a row.
struct RowSums {
  double d, un, vn;
};

// The sums of `count` pixels from `sums` on, added one pixel after another
// as the plain fill adds them; afterwards `sums` holds the next pixel's.
// Lanes past `count` in the last step of eight are set to zero, so that
// every lane a step loads holds a value (the masks leave them out).
inline void StepwiseSums(const TexturedPlane& p, RowSums* sums, int64_t count,
                         FillChunk* chunk) {
  RowSums s = *sums;
  for (int64_t i = 0; i < count; ++i) {
    chunk->d[i] = s.d;
    chunk->un[i] = s.un;
    chunk->vn[i] = s.vn;
    s.un += p.dUn;
    s.vn += p.dVn;
    s.d += p.n.x;
  }
  for (int64_t i = count; i % 8 != 0; ++i) {
    chunk->d[i] = 0;
    chunk->un[i] = 0;
    chunk->vn[i] = 0;
  }
  *sums = s;
}

// Whether a row of `count` pixels may form its sums per pixel
// (exact_steps.h) rather than step by step.
inline bool RowSumsAreExact(const TexturedPlane& p, const RowSums& start,
                            int64_t count) {
  return StepsAreExact(start.d, p.n.x, count) &&
         StepsAreExact(start.un, p.dUn, count) &&
         StepsAreExact(start.vn, p.dVn, count);
}

}  // namespace renderer
