// The textured fill, four pixels per AVX2 step. Each lane runs the plain
// fill's IEEE operations in the plain fill's order (division, rounding to
// float, the depth tests, the two further divisions, truncation and wrap),
// so the pixels and depth bits are the plain fill's. Only the running sums
// need care: they are formed per pixel when that is exact (exact_steps.h)
// and otherwise added up one pixel after another as the plain fill does.
//
// A row is drawn in chunks of up to 64 pixels, each in three short passes
// (depth tests, texel addresses, texel fetch and writes) rather than one
// long chain per step, so that the processor can overlap many steps.
#include <cstring>

#include "render/avx2_lanes.h"
#include "render/fill_fast.h"
#include "render/fill_chunk.h"
#include "render/fill_textured.h"
#include "render/spans.h"
#include "render/texel_wrap.h"

namespace renderer {

namespace {

// Everything a step needs, broadcast once per triangle.
struct LaneConstants {
  __m256d k, one, nearZ, u0, half, v0;
  __m256d width, height, inverseWidth, inverseHeight;
  __m128i widthInt, heightInt;
  __m128i lastWordOffset;  // last byte offset a 4-byte read may start at
  const uint8_t* texels;
  const Texture* texture;
};

RENDER_AVX2 LaneConstants MakeLaneConstants(const TexturedPlane& p,
                                            const Texture& texture,
                                            double nearZ) {
  LaneConstants c;
  c.k = _mm256_set1_pd(p.k);
  c.one = _mm256_set1_pd(1.0);
  c.nearZ = _mm256_set1_pd(nearZ);
  c.u0 = _mm256_set1_pd(p.u0);
  c.half = _mm256_set1_pd(0.5);
  c.v0 = _mm256_set1_pd(p.v0);
  c.width = _mm256_set1_pd(double(texture.width));
  c.height = _mm256_set1_pd(double(texture.height));
  c.inverseWidth = _mm256_set1_pd(1.0 / double(texture.width));
  c.inverseHeight = _mm256_set1_pd(1.0 / double(texture.height));
  c.widthInt = _mm_set1_epi32(texture.width);
  c.heightInt = _mm_set1_epi32(texture.height);
  const int64_t bytes = int64_t{texture.width} * texture.height * 3;
  c.lastWordOffset = _mm_set1_epi32(int32_t(bytes - 4));
  c.texels = texture.texels.data();
  c.texture = &texture;
  return c;
}

// The sums of `count` pixels from pixel `first` of the row on, formed per
// pixel: lane k gets start + k * step.
RENDER_AVX2 void DirectSums(const TexturedPlane& p, const RowSums& start,
                            int64_t first, int64_t count, FillChunk* chunk) {
  const __m256d d0 = _mm256_set1_pd(start.d);
  const __m256d un0 = _mm256_set1_pd(start.un);
  const __m256d vn0 = _mm256_set1_pd(start.vn);
  const __m256d dd = _mm256_set1_pd(p.n.x);
  const __m256d dUn = _mm256_set1_pd(p.dUn);
  const __m256d dVn = _mm256_set1_pd(p.dVn);
  const __m256d four = _mm256_set1_pd(4);
  __m256d k =
      _mm256_add_pd(_mm256_set1_pd(double(first)), _mm256_setr_pd(0, 1, 2, 3));
  for (int64_t i = 0; i < count; i += 4) {
    _mm256_store_pd(chunk->d + i, _mm256_add_pd(d0, _mm256_mul_pd(k, dd)));
    _mm256_store_pd(chunk->un + i, _mm256_add_pd(un0, _mm256_mul_pd(k, dUn)));
    _mm256_store_pd(chunk->vn + i, _mm256_add_pd(vn0, _mm256_mul_pd(k, dVn)));
    k = _mm256_add_pd(k, four);
  }
}

// Pass 1: z = K / d rounded to float, and the three depth tests.
RENDER_AVX2 int64_t TestDepths(const LaneConstants& c, const float* depth,
                               int64_t count, FillChunk* chunk) {
  int64_t passed = 0;
  for (int64_t i = 0; i < count; i += 4) {
    const int32_t valid = FirstLanes(count - i);
    const __m256d d = _mm256_load_pd(chunk->d + i);
    const __m128 z = _mm256_cvtpd_ps(_mm256_div_pd(c.k, d));
    const __m128 stored = valid == 0xF
                              ? _mm_loadu_ps(depth + i)
                              : _mm_maskload_ps(depth + i, LaneMask(valid));
    const __m256d wide = _mm256_cvtps_pd(z);
    const __m256d tests =
        _mm256_and_pd(_mm256_cmp_pd(d, _mm256_setzero_pd(), _CMP_NEQ_UQ),
                      _mm256_and_pd(_mm256_cmp_pd(wide, c.one, _CMP_GT_OQ),
                                    _mm256_cmp_pd(wide, c.nearZ, _CMP_GT_OQ)));
    const int32_t pass = valid &
                         _mm_movemask_ps(_mm_cmp_ps(z, stored, _CMP_LT_OQ)) &
                         _mm256_movemask_pd(tests);
    _mm_store_ps(chunk->z + i, z);
    chunk->pass[i / 4] = uint8_t(pass);
    passed += __builtin_popcount(pass);
  }
  return passed;
}

// Lanes whose coordinate lies where WrapTexel takes its int32 path.
RENDER_AVX2 inline int32_t InInt32Range(__m256d value) {
  const __m256d low = _mm256_set1_pd(-2147483649.0);
  const __m256d high = _mm256_set1_pd(2147483648.0);
  return _mm256_movemask_pd(
      _mm256_and_pd(_mm256_cmp_pd(value, low, _CMP_GT_OQ),
                    _mm256_cmp_pd(value, high, _CMP_LT_OQ)));
}

// The non-negative remainder of whole numbers t (|t| < 2^31) by size, with
// q = floor(t * (1 / size)) standing for floor(t / size) and r = t - q size,
// all exact in doubles (whole numbers below 2^33). The estimate of t / size
// is off by less than 2^-52 |t / size| < 1 / size. When t / size is not a
// whole number it lies at least 1 / size from one, so q is right and r is
// in [1, size - 1]. When it is whole, q may come out one too small, giving
// r = size; that one case is corrected.
RENDER_AVX2 inline __m128i WrapLanes(__m256d t, __m256d size, __m256d inverse,
                                     __m128i sizeInt) {
  const __m256d quotient = _mm256_floor_pd(_mm256_mul_pd(t, inverse));
  const __m128i r =
      _mm256_cvttpd_epi32(_mm256_sub_pd(t, _mm256_mul_pd(quotient, size)));
  return _mm_sub_epi32(r, _mm_and_si128(_mm_cmpeq_epi32(r, sizeInt), sizeInt));
}

// Lanes whose u or v lies outside the int32 range (or is NaN): one at a
// time with the plain wrap.
RENDER_AVX2 void DrawLanesOneByOne(const LaneConstants& c,
                                   const FillChunk& chunk, int64_t i, __m256d u,
                                   __m256d v, int32_t lanes, float* depth,
                                   uint32_t* pixels) {
  alignas(32) double us[4];
  alignas(32) double vs[4];
  _mm256_store_pd(us, u);
  _mm256_store_pd(vs, v);
  const Texture& texture = *c.texture;
  for (int lane = 0; lane < 4; ++lane) {
    if ((lanes & (1 << lane)) == 0) continue;
    const uint32_t colour =
        TexelColour(texture, WrapTexel(us[lane], texture.width),
                    WrapTexel(vs[lane], texture.height));
    if (colour != 0x00FFFFFFu) {
      depth[i + lane] = chunk.z[i + lane];
      pixels[i + lane] = colour;
    }
  }
}

// Pass 2: u and v of the passing lanes, truncated and wrapped, as texel
// byte offsets.
RENDER_AVX2 void AddressTexels(const LaneConstants& c, int64_t count,
                               FillChunk* chunk, float* depth,
                               uint32_t* pixels) {
  for (int64_t i = 0; i < count; i += 4) {
    const int32_t pass = chunk->pass[i / 4];
    chunk->fetch[i / 4] = 0;
    if (pass == 0) continue;
    const __m256d d = _mm256_load_pd(chunk->d + i);
    // The half-texel offset belongs to u alone.
    const __m256d u = _mm256_add_pd(
        _mm256_add_pd(_mm256_div_pd(_mm256_load_pd(chunk->un + i), d), c.u0),
        c.half);
    const __m256d v =
        _mm256_add_pd(_mm256_div_pd(_mm256_load_pd(chunk->vn + i), d), c.v0);
    const int32_t fetch = pass & InInt32Range(u) & InInt32Range(v);
    if (fetch != pass) {
      DrawLanesOneByOne(c, *chunk, i, u, v, pass & ~fetch, depth, pixels);
    }
    const __m128i column = WrapLanes(_mm256_round_pd(u, _MM_FROUND_TO_ZERO),
                                     c.width, c.inverseWidth, c.widthInt);
    const __m128i row = WrapLanes(_mm256_round_pd(v, _MM_FROUND_TO_ZERO),
                                  c.height, c.inverseHeight, c.heightInt);
    const __m128i index =
        _mm_add_epi32(_mm_mullo_epi32(row, c.widthInt), column);
    const __m128i offset = _mm_add_epi32(index, _mm_add_epi32(index, index));
    // Lanes not fetched read the first texel, so every read stays inside.
    _mm_store_si128(reinterpret_cast<__m128i*>(chunk->offset + i),
                    _mm_and_si128(offset, LaneMask(fetch)));
    chunk->fetch[i / 4] = uint8_t(fetch);
  }
}

// 0x00RRGGBB from texels read as little-endian words: bytes 2, 1, 0 of each
// lane, top byte zero.
RENDER_AVX2 inline __m128i TexelWordsToPixels(__m128i words) {
  const __m128i order = _mm_setr_epi8(2, 1, 0, -128, 6, 5, 4, -128, 10, 9, 8,
                                      -128, 14, 13, 12, -128);
  return _mm_shuffle_epi8(words, order);
}

inline int32_t LoadWord(const uint8_t* bytes) {
  int32_t word;
  std::memcpy(&word, bytes, 4);
  return word;
}

// Four 4-byte words at the given byte offsets, with plain loads: on some
// processors a gather is slower than the loads it stands for.
RENDER_AVX2 inline __m128i LoadWords(const uint8_t* base, const int32_t* at) {
  __m128i words = _mm_cvtsi32_si128(LoadWord(base + at[0]));
  words = _mm_insert_epi32(words, LoadWord(base + at[1]), 1);
  words = _mm_insert_epi32(words, LoadWord(base + at[2]), 2);
  return _mm_insert_epi32(words, LoadWord(base + at[3]), 3);
}

// Pass 3: fetch the texels and write depth and colour where the texel is
// not pure white. A read of four bytes at the very last texel would pass
// the end of the texels, so it starts one byte earlier and is shifted down.
// Whole steps write their four entries with plain stores, keeping the
// lanes that draw nothing as they were.
RENDER_AVX2 void WriteTexels(const LaneConstants& c, int64_t count,
                             const FillChunk& chunk, float* depth,
                             uint32_t* pixels) {
  for (int64_t i = 0; i < count; i += 4) {
    const int32_t fetch = chunk.fetch[i / 4];
    if (fetch == 0) continue;
    const __m128i offset =
        _mm_load_si128(reinterpret_cast<const __m128i*>(chunk.offset + i));
    const __m128i atEnd = _mm_cmpgt_epi32(offset, c.lastWordOffset);
    alignas(16) int32_t start[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(start),
                    _mm_add_epi32(offset, atEnd));
    const __m128i words = LoadWords(c.texels, start);
    const __m128i shift = _mm_and_si128(atEnd, _mm_set1_epi32(8));
    const __m128i colour = TexelWordsToPixels(_mm_srlv_epi32(words, shift));
    const __m128i white = _mm_cmpeq_epi32(colour, _mm_set1_epi32(0x00FFFFFF));
    const __m128i write = _mm_andnot_si128(white, LaneMask(fetch));
    const __m128 z = _mm_load_ps(chunk.z + i);
    if (count - i >= 4) {
      const __m128 keep = _mm_castsi128_ps(write);
      _mm_storeu_ps(depth + i, _mm_blendv_ps(_mm_loadu_ps(depth + i), z, keep));
      float* pixelWords = reinterpret_cast<float*>(pixels + i);
      _mm_storeu_ps(pixelWords, _mm_blendv_ps(_mm_loadu_ps(pixelWords),
                                              _mm_castsi128_ps(colour), keep));
    } else {
      _mm_maskstore_ps(depth + i, write, z);
      _mm_maskstore_epi32(reinterpret_cast<int*>(pixels + i), write, colour);
    }
  }
}

}  // namespace

#define FILL_TARGET RENDER_AVX2
#define FILL_NAME FillTexturedTriangleAvx2
#include "render/fill_textured_rows.inc"

}  // namespace renderer
