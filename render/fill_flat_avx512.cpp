// The untextured fill, eight pixels per AVX-512 step. Each lane divides,
// compares in double and rounds the stored depth to float exactly as the
// plain fill does; d is formed per pixel when that is exact
// (exact_steps.h) and otherwise added up one pixel after another.
#include <immintrin.h>

#include "render/exact_steps.h"
#include "render/fill_fast.h"
#include "render/fill_flat.h"
#include "render/spans.h"
#include "render/textured_plane.h"

#define RENDER_AVX512 __attribute__((target("avx512f,avx512vl")))

// GCC 12's AVX-512 headers start several conversions from a deliberately
// undefined vector, which its own uninitialised-use check then reports.
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"
#endif

namespace renderer {

namespace {

struct FlatLanes {
  __m512d k, one, nearZ;
  __m256i colour;
};

inline __mmask8 FirstLanes(int64_t count) {
  return count >= 8 ? __mmask8(0xFF) : __mmask8((1u << count) - 1);
}

// Eight pixels from depth[0] and pixels[0] with their d; `valid` marks the
// lanes inside the span. Returns how many passed the depth tests.
RENDER_AVX512 inline int32_t DrawEight(const FlatLanes& c, float* depth,
                                       uint32_t* pixels, __m512d d,
                                       __mmask8 valid) {
  const __m512d z = _mm512_div_pd(c.k, d);
  const __m512d stored = _mm512_cvtps_pd(_mm256_maskz_loadu_ps(valid, depth));
  __mmask8 pass =
      _mm512_mask_cmp_pd_mask(valid, d, _mm512_setzero_pd(), _CMP_NEQ_UQ);
  pass = _mm512_mask_cmp_pd_mask(pass, stored, z, _CMP_GT_OQ);
  pass = _mm512_mask_cmp_pd_mask(pass, z, c.one, _CMP_GT_OQ);
  pass = _mm512_mask_cmp_pd_mask(pass, z, c.nearZ, _CMP_GT_OQ);
  _mm256_mask_storeu_ps(depth, pass, _mm512_cvtpd_ps(z));
  _mm256_mask_storeu_epi32(pixels, pass, c.colour);
  return __builtin_popcount(pass);
}

// A row whose d is exact per pixel: lane k gets d + k * N.x.
RENDER_AVX512 int64_t DrawRowDirect(const FlatLanes& c, double d, double step,
                                    float* depth, uint32_t* pixels,
                                    int64_t count) {
  const __m512d d0 = _mm512_set1_pd(d);
  const __m512d dd = _mm512_set1_pd(step);
  const __m512d eight = _mm512_set1_pd(8);
  __m512d k = _mm512_setr_pd(0, 1, 2, 3, 4, 5, 6, 7);
  int64_t passed = 0;
  for (int64_t i = 0; i < count; i += 8) {
    passed += DrawEight(c, depth + i, pixels + i,
                        _mm512_add_pd(d0, _mm512_mul_pd(k, dd)),
                        FirstLanes(count - i));
    k = _mm512_add_pd(k, eight);
  }
  return passed;
}

// Any other row: d is added up one pixel after another.
RENDER_AVX512 int64_t DrawRowStepwise(const FlatLanes& c, double d, double step,
                                      float* depth, uint32_t* pixels,
                                      int64_t count) {
  alignas(64) double lanes[8];
  int64_t passed = 0;
  for (int64_t i = 0; i < count; i += 8) {
    for (double& lane : lanes) {
      lane = d;
      d += step;
    }
    passed += DrawEight(c, depth + i, pixels + i, _mm512_load_pd(lanes),
                        FirstLanes(count - i));
  }
  return passed;
}

// The per-triangle values every lane needs.
RENDER_AVX512 FlatLanes MakeFlatLanes(double k, double nearZ, uint32_t colour) {
  FlatLanes lanes;
  lanes.k = _mm512_set1_pd(k);
  lanes.one = _mm512_set1_pd(1.0);
  lanes.nearZ = _mm512_set1_pd(nearZ);
  lanes.colour = _mm256_set1_epi32(int32_t(colour));
  return lanes;
}

}  // namespace

#define FILL_TARGET RENDER_AVX512
#define FILL_NAME FillFlatTriangleAvx512
#include "render/fill_flat_rows.inc"

}  // namespace renderer
