// The textured fill, eight pixels per AVX-512 step: the same passes as the
// AVX2 version (fill_textured_avx2.cpp), with twice the lanes and masks in
// mask registers. Each lane runs the plain fill's IEEE operations in the
// plain fill's order, so the pixels and depth bits are the plain fill's.
#include <immintrin.h>

#include <cstring>

#include "render/fill_fast.h"
#include "render/fill_chunk.h"
#include "render/fill_textured.h"
#include "render/spans.h"
#include "render/texel_wrap.h"

#define RENDER_AVX512 __attribute__((target("avx512f,avx512vl")))

// GCC 12's AVX-512 headers start several conversions from a deliberately
// undefined vector, which its own uninitialised-use check then reports.
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"
#endif

namespace renderer {

namespace {

// Everything a step needs, broadcast once per triangle.
struct LaneConstants {
  __m512d k, one, nearZ, u0, half, v0;
  __m512d width, height, inverseWidth, inverseHeight;
  __m256i widthInt, heightInt;
  __m256i lastWordOffset;  // last byte offset a 4-byte read may start at
  const uint8_t* texels;
  const Texture* texture;
};

RENDER_AVX512 LaneConstants MakeLaneConstants(const TexturedPlane& p,
                                              const Texture& texture,
                                              double nearZ) {
  LaneConstants c;
  c.k = _mm512_set1_pd(p.k);
  c.one = _mm512_set1_pd(1.0);
  c.nearZ = _mm512_set1_pd(nearZ);
  c.u0 = _mm512_set1_pd(p.u0);
  c.half = _mm512_set1_pd(0.5);
  c.v0 = _mm512_set1_pd(p.v0);
  c.width = _mm512_set1_pd(double(texture.width));
  c.height = _mm512_set1_pd(double(texture.height));
  c.inverseWidth = _mm512_set1_pd(1.0 / double(texture.width));
  c.inverseHeight = _mm512_set1_pd(1.0 / double(texture.height));
  c.widthInt = _mm256_set1_epi32(texture.width);
  c.heightInt = _mm256_set1_epi32(texture.height);
  const int64_t bytes = int64_t{texture.width} * texture.height * 3;
  c.lastWordOffset = _mm256_set1_epi32(int32_t(bytes - 4));
  c.texels = texture.texels.data();
  c.texture = &texture;
  return c;
}

// Bits 0..count-1 set, for a chunk's last, partial step (count 1..8).
inline __mmask8 FirstLanes(int64_t count) {
  return count >= 8 ? __mmask8(0xFF) : __mmask8((1u << count) - 1);
}

// The sums of `count` pixels from pixel `first` of the row on, formed per
// pixel: lane k gets start + k * step.
RENDER_AVX512 void DirectSums(const TexturedPlane& p, const RowSums& start,
                              int64_t first, int64_t count, FillChunk* chunk) {
  const __m512d d0 = _mm512_set1_pd(start.d);
  const __m512d un0 = _mm512_set1_pd(start.un);
  const __m512d vn0 = _mm512_set1_pd(start.vn);
  const __m512d dd = _mm512_set1_pd(p.n.x);
  const __m512d dUn = _mm512_set1_pd(p.dUn);
  const __m512d dVn = _mm512_set1_pd(p.dVn);
  const __m512d eight = _mm512_set1_pd(8);
  __m512d k = _mm512_add_pd(_mm512_set1_pd(double(first)),
                            _mm512_setr_pd(0, 1, 2, 3, 4, 5, 6, 7));
  for (int64_t i = 0; i < count; i += 8) {
    _mm512_store_pd(chunk->d + i, _mm512_add_pd(d0, _mm512_mul_pd(k, dd)));
    _mm512_store_pd(chunk->un + i, _mm512_add_pd(un0, _mm512_mul_pd(k, dUn)));
    _mm512_store_pd(chunk->vn + i, _mm512_add_pd(vn0, _mm512_mul_pd(k, dVn)));
    k = _mm512_add_pd(k, eight);
  }
}

// Pass 1: z = K / d rounded to float, and the three depth tests.
RENDER_AVX512 int64_t TestDepths(const LaneConstants& c, const float* depth,
                                 int64_t count, FillChunk* chunk) {
  int64_t passed = 0;
  for (int64_t i = 0; i < count; i += 8) {
    const __mmask8 valid = FirstLanes(count - i);
    const __m512d d = _mm512_load_pd(chunk->d + i);
    const __m256 z = _mm512_cvtpd_ps(_mm512_div_pd(c.k, d));
    const __m256 stored = _mm256_maskz_loadu_ps(valid, depth + i);
    __mmask8 pass = _mm256_mask_cmp_ps_mask(valid, z, stored, _CMP_LT_OQ);
    const __m512d wide = _mm512_cvtps_pd(z);
    pass = _mm512_mask_cmp_pd_mask(pass, d, _mm512_setzero_pd(), _CMP_NEQ_UQ);
    pass = _mm512_mask_cmp_pd_mask(pass, wide, c.one, _CMP_GT_OQ);
    pass = _mm512_mask_cmp_pd_mask(pass, wide, c.nearZ, _CMP_GT_OQ);
    _mm256_store_ps(chunk->z + i, z);
    chunk->pass[i / 8] = pass;
    passed += __builtin_popcount(pass);
  }
  return passed;
}

// Lanes of `lanes` whose coordinate lies where WrapTexel takes its int32
// path.
RENDER_AVX512 inline __mmask8 InInt32Range(__mmask8 lanes, __m512d value) {
  lanes = _mm512_mask_cmp_pd_mask(lanes, value, _mm512_set1_pd(-2147483649.0),
                                  _CMP_GT_OQ);
  return _mm512_mask_cmp_pd_mask(lanes, value, _mm512_set1_pd(2147483648.0),
                                 _CMP_LT_OQ);
}

// The non-negative remainder of whole numbers t (|t| < 2^31) by size; see
// fill_textured_avx2.cpp for why one correction suffices.
RENDER_AVX512 inline __m256i WrapLanes(__m512d t, __m512d size, __m512d inverse,
                                       __m256i sizeInt) {
  const __m512d quotient = _mm512_roundscale_pd(
      _mm512_mul_pd(t, inverse), _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC);
  const __m256i r =
      _mm512_cvttpd_epi32(_mm512_sub_pd(t, _mm512_mul_pd(quotient, size)));
  return _mm256_mask_sub_epi32(r, _mm256_cmpeq_epi32_mask(r, sizeInt), r,
                               sizeInt);
}

// Lanes whose u or v lies outside the int32 range (or is NaN): one at a
// time with the plain wrap.
RENDER_AVX512 void DrawLanesOneByOne(const LaneConstants& c,
                                     const FillChunk& chunk, int64_t i,
                                     __m512d u, __m512d v, __mmask8 lanes,
                                     float* depth, uint32_t* pixels) {
  alignas(64) double us[8];
  alignas(64) double vs[8];
  _mm512_store_pd(us, u);
  _mm512_store_pd(vs, v);
  const Texture& texture = *c.texture;
  for (int lane = 0; lane < 8; ++lane) {
    if ((lanes & (1u << lane)) == 0) continue;
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
RENDER_AVX512 void AddressTexels(const LaneConstants& c, int64_t count,
                                 FillChunk* chunk, float* depth,
                                 uint32_t* pixels) {
  const int truncate = _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC;
  for (int64_t i = 0; i < count; i += 8) {
    const __mmask8 pass = chunk->pass[i / 8];
    chunk->fetch[i / 8] = 0;
    if (pass == 0) continue;
    const __m512d d = _mm512_load_pd(chunk->d + i);
    // The half-texel offset belongs to u alone.
    const __m512d u = _mm512_add_pd(
        _mm512_add_pd(_mm512_div_pd(_mm512_load_pd(chunk->un + i), d), c.u0),
        c.half);
    const __m512d v =
        _mm512_add_pd(_mm512_div_pd(_mm512_load_pd(chunk->vn + i), d), c.v0);
    const __mmask8 fetch = InInt32Range(InInt32Range(pass, u), v);
    if (fetch != pass) {
      DrawLanesOneByOne(c, *chunk, i, u, v, __mmask8(pass & ~fetch), depth,
                        pixels);
    }
    const __m256i column = WrapLanes(_mm512_roundscale_pd(u, truncate), c.width,
                                     c.inverseWidth, c.widthInt);
    const __m256i row = WrapLanes(_mm512_roundscale_pd(v, truncate), c.height,
                                  c.inverseHeight, c.heightInt);
    const __m256i index =
        _mm256_add_epi32(_mm256_mullo_epi32(row, c.widthInt), column);
    const __m256i offset =
        _mm256_add_epi32(index, _mm256_add_epi32(index, index));
    // Lanes not fetched read the first texel, so every read stays inside.
    _mm256_store_si256(reinterpret_cast<__m256i*>(chunk->offset + i),
                       _mm256_maskz_mov_epi32(fetch, offset));
    chunk->fetch[i / 8] = fetch;
  }
}

inline int32_t LoadWord(const uint8_t* bytes) {
  int32_t word;
  std::memcpy(&word, bytes, 4);
  return word;
}

// Eight 4-byte words at the given byte offsets, with plain loads: on some
// processors a gather of eight is slower than eight loads.
RENDER_AVX512 inline __m256i LoadWords(const uint8_t* base, const int32_t* at) {
  __m128i low = _mm_cvtsi32_si128(LoadWord(base + at[0]));
  __m128i high = _mm_cvtsi32_si128(LoadWord(base + at[4]));
  low = _mm_insert_epi32(low, LoadWord(base + at[1]), 1);
  high = _mm_insert_epi32(high, LoadWord(base + at[5]), 1);
  low = _mm_insert_epi32(low, LoadWord(base + at[2]), 2);
  high = _mm_insert_epi32(high, LoadWord(base + at[6]), 2);
  low = _mm_insert_epi32(low, LoadWord(base + at[3]), 3);
  high = _mm_insert_epi32(high, LoadWord(base + at[7]), 3);
  return _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
}

// Pass 3: fetch the texels and write depth and colour where the texel is
// not pure white. A read of four bytes at the very last texel would pass
// the end of the texels, so it starts one byte earlier and is shifted down.
RENDER_AVX512 void WriteTexels(const LaneConstants& c, int64_t count,
                               const FillChunk& chunk, float* depth,
                               uint32_t* pixels) {
  const __m256i order = _mm256_setr_epi8(
      2, 1, 0, -128, 6, 5, 4, -128, 10, 9, 8, -128, 14, 13, 12, -128, 2, 1, 0,
      -128, 6, 5, 4, -128, 10, 9, 8, -128, 14, 13, 12, -128);
  for (int64_t i = 0; i < count; i += 8) {
    const __mmask8 fetch = chunk.fetch[i / 8];
    if (fetch == 0) continue;
    const __m256i offset =
        _mm256_load_si256(reinterpret_cast<const __m256i*>(chunk.offset + i));
    const __mmask8 atEnd = _mm256_cmpgt_epi32_mask(offset, c.lastWordOffset);
    alignas(32) int32_t start[8];
    _mm256_store_si256(
        reinterpret_cast<__m256i*>(start),
        _mm256_mask_sub_epi32(offset, atEnd, offset, _mm256_set1_epi32(1)));
    __m256i words = LoadWords(c.texels, start);
    words = _mm256_mask_srli_epi32(words, atEnd, words, 8);
    // 0x00RRGGBB: bytes 2, 1, 0 of each little-endian word, top byte zero.
    const __m256i colour = _mm256_shuffle_epi8(words, order);
    const __mmask8 write = _mm256_mask_cmpneq_epi32_mask(
        fetch, colour, _mm256_set1_epi32(0x00FFFFFF));
    _mm256_mask_storeu_ps(depth + i, write, _mm256_load_ps(chunk.z + i));
    _mm256_mask_storeu_epi32(pixels + i, write, colour);
  }
}

}  // namespace

#define FILL_TARGET RENDER_AVX512
#define FILL_NAME FillTexturedTriangleAvx512
#include "render/fill_textured_rows.inc"

}  // namespace renderer
