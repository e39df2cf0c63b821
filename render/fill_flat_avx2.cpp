// The untextured fill, four pixels per step. Each lane divides, compares in
// double and rounds the stored depth to float exactly as the plain fill
// does; d is formed per pixel when that is exact (exact_steps.h) and
// otherwise added up one pixel after another.
#include "render/avx2_lanes.h"
#include "render/exact_steps.h"
#include "render/fill_fast.h"
#include "render/fill_flat.h"
#include "render/spans.h"
#include "render/textured_plane.h"

namespace renderer {

namespace {

struct FlatLanes {
  __m256d k, one, nearZ;
  __m128i colour;
};

// Four pixels from depth[0] and pixels[0] with their d; `valid` marks the
// lanes inside the span. Returns how many passed the depth tests.
RENDER_AVX2 int32_t DrawFour(const FlatLanes& c, float* depth, uint32_t* pixels,
                             __m256d d, int32_t valid) {
  const __m256d z = _mm256_div_pd(c.k, d);
  const __m128i validMask = LaneMask(valid);
  const __m256d stored = _mm256_cvtps_pd(_mm_maskload_ps(depth, validMask));
  const __m256d tests = _mm256_and_pd(
      _mm256_and_pd(_mm256_cmp_pd(d, _mm256_setzero_pd(), _CMP_NEQ_UQ),
                    _mm256_cmp_pd(stored, z, _CMP_GT_OQ)),
      _mm256_and_pd(_mm256_cmp_pd(z, c.one, _CMP_GT_OQ),
                    _mm256_cmp_pd(z, c.nearZ, _CMP_GT_OQ)));
  const int32_t pass = valid & _mm256_movemask_pd(tests);
  if (pass == 0) return 0;
  const __m128i write = LaneMask(pass);
  _mm_maskstore_ps(depth, write, _mm256_cvtpd_ps(z));
  _mm_maskstore_epi32(reinterpret_cast<int*>(pixels), write, c.colour);
  return __builtin_popcount(pass);
}

// A row whose d is exact per pixel: lane k gets d + k * N.x.
RENDER_AVX2 int64_t DrawRowDirect(const FlatLanes& c, double d, double step,
                                  float* depth, uint32_t* pixels,
                                  int64_t count) {
  const __m256d d0 = _mm256_set1_pd(d);
  const __m256d dd = _mm256_set1_pd(step);
  __m256d k = _mm256_setr_pd(0, 1, 2, 3);
  const __m256d four = _mm256_set1_pd(4);
  int64_t passed = 0;
  for (int64_t i = 0; i < count; i += 4) {
    passed += DrawFour(c, depth + i, pixels + i,
                       _mm256_add_pd(d0, _mm256_mul_pd(k, dd)),
                       FirstLanes(count - i));
    k = _mm256_add_pd(k, four);
  }
  return passed;
}

// Any other row: d is added up one pixel after another.
RENDER_AVX2 int64_t DrawRowStepwise(const FlatLanes& c, double d, double step,
                                    float* depth, uint32_t* pixels,
                                    int64_t count) {
  alignas(32) double lanes[4];
  int64_t passed = 0;
  for (int64_t i = 0; i < count; i += 4) {
    for (double& lane : lanes) {
      lane = d;
      d += step;
    }
    passed += DrawFour(c, depth + i, pixels + i, _mm256_load_pd(lanes),
                       FirstLanes(count - i));
  }
  return passed;
}

// The per-triangle values every lane needs.
RENDER_AVX2 FlatLanes MakeFlatLanes(double k, double nearZ, uint32_t colour) {
  FlatLanes lanes;
  lanes.k = _mm256_set1_pd(k);
  lanes.one = _mm256_set1_pd(1.0);
  lanes.nearZ = _mm256_set1_pd(nearZ);
  lanes.colour = _mm_set1_epi32(int32_t(colour));
  return lanes;
}

}  // namespace

#define FILL_TARGET RENDER_AVX2
#define FILL_NAME FillFlatTriangleAvx2
#include "render/fill_flat_rows.inc"

}  // namespace renderer
