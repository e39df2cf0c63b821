// The textured fill, four pixels per step. Each lane runs the plain fill's
// IEEE operations in the plain fill's order (division, rounding to float,
// the depth tests, the two further divisions, truncation and wrap), so the
// pixels and depth bits are the plain fill's. Only the running sums need
// care: they are formed per pixel when that is exact (exact_steps.h) and
// otherwise added up one pixel after another as the plain fill does.
#include <cstring>

#include "render/avx2_lanes.h"
#include "render/exact_steps.h"
#include "render/fill_avx2.h"
#include "render/fill_textured.h"
#include "render/render_context.h"
#include "render/render_stats.h"
#include "render/spans.h"
#include "render/texel_wrap.h"
#include "render/triangle_plane.h"

namespace {

// Per-triangle quantities, as the plain fill forms them.
struct TexturedPlane {
  Vec3 w1;   // A x E2: a = R . w1
  Vec3 w2;   // E1 x A: b = R . w2
  Vec3 n;    // E2 x E1: d = R . n
  double k;  // (A . N) f: z = K / d
  double u0, v0, du1, du2, dv1, dv2;
  double dUn, dVn;  // per-column steps of Un and Vn
};

TexturedPlane MakePlane(const ClippedTriangle& triangle, double f) {
  const ClipVertex* c = triangle.corners;
  const Vec3 a = CameraPosition(c[0]);
  const Vec3 e1 = CameraEdge(c[0], c[1]);
  const Vec3 e2 = CameraEdge(c[0], c[2]);
  TexturedPlane p;
  p.w1 = Cross(a, e2);
  p.w2 = Cross(e1, a);
  p.n = Cross(e2, e1);
  p.k = Dot(a, p.n) * f;
  p.u0 = c[0].u;
  p.v0 = c[0].v;
  p.du1 = c[1].u - c[0].u;
  p.du2 = c[2].u - c[0].u;
  p.dv1 = c[1].v - c[0].v;
  p.dv2 = c[2].v - c[0].v;
  p.dUn = p.w1.x * p.du1 + p.w2.x * p.du2;
  p.dVn = p.w1.x * p.dv1 + p.w2.x * p.dv2;
  return p;
}

// Everything a step of four pixels needs, broadcast once per triangle.
struct LaneConstants {
  __m256d k, one, nearZ, u0, half, v0;
  __m256d width, height, inverseWidth, inverseHeight;
  __m128i widthInt;
  __m128i lastWordOffset;  // last byte offset a 4-byte read may start at
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
  c.lastWordOffset = _mm_set1_epi32(texture.width * texture.height * 3 - 4);
  c.texture = &texture;
  return c;
}

// The non-negative remainder of whole numbers t (|t| < 2^31) by size, in
// doubles: the quotient estimate may be one off, so the remainder is
// brought into [0, size) by one correction each way. Every product and
// difference is a whole number below 2^33, hence exact.
RENDER_AVX2 inline __m256d WrapLanes(__m256d t, __m256d size,
                                     __m256d inverse) {
  const __m256d quotient = _mm256_floor_pd(_mm256_mul_pd(t, inverse));
  __m256d r = _mm256_sub_pd(t, _mm256_mul_pd(quotient, size));
  const __m256d zero = _mm256_setzero_pd();
  r = _mm256_add_pd(r, _mm256_and_pd(_mm256_cmp_pd(r, zero, _CMP_LT_OQ), size));
  r = _mm256_sub_pd(r, _mm256_and_pd(_mm256_cmp_pd(r, size, _CMP_GE_OQ), size));
  return r;
}

// Lanes whose coordinate lies where WrapTexel takes its int32 path.
RENDER_AVX2 inline int32_t InInt32Range(__m256d value) {
  const __m256d low = _mm256_set1_pd(-2147483649.0);
  const __m256d high = _mm256_set1_pd(2147483648.0);
  return _mm256_movemask_pd(
      _mm256_and_pd(_mm256_cmp_pd(value, low, _CMP_GT_OQ),
                    _mm256_cmp_pd(value, high, _CMP_LT_OQ)));
}

// 0x00RRGGBB from texels read as little-endian words: bytes 2, 1, 0 of each
// lane, top byte zero.
RENDER_AVX2 inline __m128i TexelWordsToPixels(__m128i words) {
  const __m128i order = _mm_setr_epi8(2, 1, 0, -128, 6, 5, 4, -128, 10, 9, 8,
                                      -128, 14, 13, 12, -128);
  return _mm_shuffle_epi8(words, order);
}

// Fetches the texels of the lanes in `lanes` (column and row already
// wrapped). A read of four bytes at the very last texel would pass the end
// of the texels, so it starts one byte earlier and is shifted down.
RENDER_AVX2 inline __m128i FetchLanes(const LaneConstants& c, __m256d column,
                                      __m256d row, int32_t lanes) {
  const __m128i col = _mm256_cvttpd_epi32(column);
  const __m128i rowIndex = _mm256_cvttpd_epi32(row);
  const __m128i index =
      _mm_add_epi32(_mm_mullo_epi32(rowIndex, c.widthInt), col);
  const __m128i offset = _mm_add_epi32(index, _mm_add_epi32(index, index));
  const __m128i atEnd = _mm_cmpgt_epi32(offset, c.lastWordOffset);
  const __m128i start = _mm_add_epi32(offset, atEnd);  // atEnd lanes are -1
  const __m128i words = _mm_mask_i32gather_epi32(
      _mm_setzero_si128(), reinterpret_cast<const int*>(c.texture->texels),
      start, LaneMask(lanes), 1);
  const __m128i shift = _mm_and_si128(atEnd, _mm_set1_epi32(8));
  return TexelWordsToPixels(_mm_srlv_epi32(words, shift));
}

uint32_t FetchTexel(const Texture& texture, int32_t column, int32_t row) {
  const uint8_t* texel =
      texture.texels + 3 * (size_t(row) * size_t(texture.width) + size_t(column));
  return (uint32_t{texel[0]} << 16) | (uint32_t{texel[1]} << 8) | texel[2];
}

// Lanes whose u or v lies outside the int32 range (or is NaN), one at a
// time with the plain wrap.
RENDER_AVX2 void DrawLanesOneByOne(const LaneConstants& c, float* depth,
                                   uint32_t* pixels, __m128 z, __m256d u,
                                   __m256d v, int32_t lanes) {
  alignas(32) double us[4];
  alignas(32) double vs[4];
  alignas(16) float zs[4];
  _mm256_store_pd(us, u);
  _mm256_store_pd(vs, v);
  _mm_store_ps(zs, z);
  const Texture& texture = *c.texture;
  for (int i = 0; i < 4; ++i) {
    if ((lanes & (1 << i)) == 0) continue;
    const uint32_t colour = FetchTexel(texture, WrapTexel(us[i], texture.width),
                                       WrapTexel(vs[i], texture.height));
    if (colour != 0x00FFFFFFu) {
      depth[i] = zs[i];
      pixels[i] = colour;
    }
  }
}

// Four pixels starting at depth[0] and pixels[0], given their d, Un and Vn;
// `valid` marks the lanes inside the span (all four when kWhole). Returns
// how many passed the depth tests. A whole step reads and writes its four
// depth and pixel entries with plain loads and stores, keeping the lanes
// that draw nothing as they were; masked stores are kept for a row's end.
template <bool kWhole>
RENDER_AVX2 inline __attribute__((always_inline)) int32_t DrawFour(
    const LaneConstants& c, float* depth, uint32_t* pixels, __m256d d,
    __m256d un, __m256d vn, int32_t valid) {
  const __m128 z = _mm256_cvtpd_ps(_mm256_div_pd(c.k, d));
  const __m128 stored =
      kWhole ? _mm_loadu_ps(depth) : _mm_maskload_ps(depth, LaneMask(valid));
  int32_t pass = valid & _mm_movemask_ps(_mm_cmp_ps(z, stored, _CMP_LT_OQ));
  if (pass == 0) return 0;
  const __m256d wide = _mm256_cvtps_pd(z);
  pass &= _mm256_movemask_pd(_mm256_and_pd(
      _mm256_cmp_pd(d, _mm256_setzero_pd(), _CMP_NEQ_UQ),
      _mm256_and_pd(_mm256_cmp_pd(wide, c.one, _CMP_GT_OQ),
                    _mm256_cmp_pd(wide, c.nearZ, _CMP_GT_OQ))));
  if (pass == 0) return 0;
  // The half-texel offset belongs to u alone.
  const __m256d u =
      _mm256_add_pd(_mm256_add_pd(_mm256_div_pd(un, d), c.u0), c.half);
  const __m256d v = _mm256_add_pd(_mm256_div_pd(vn, d), c.v0);
  const int32_t fast = pass & InInt32Range(u) & InInt32Range(v);
  if (fast != pass) DrawLanesOneByOne(c, depth, pixels, z, u, v, pass & ~fast);
  if (fast == 0) return __builtin_popcount(pass);
  const __m256d column = WrapLanes(_mm256_round_pd(u, _MM_FROUND_TO_ZERO),
                                   c.width, c.inverseWidth);
  const __m256d row = WrapLanes(_mm256_round_pd(v, _MM_FROUND_TO_ZERO),
                                c.height, c.inverseHeight);
  const __m128i colour = FetchLanes(c, column, row, fast);
  const __m128i white = _mm_cmpeq_epi32(colour, _mm_set1_epi32(0x00FFFFFF));
  const __m128i write = _mm_andnot_si128(white, LaneMask(fast));
  if (kWhole) {
    const __m128 writeFloats = _mm_castsi128_ps(write);
    _mm_storeu_ps(depth, _mm_blendv_ps(stored, z, writeFloats));
    const __m128 old = _mm_loadu_ps(reinterpret_cast<const float*>(pixels));
    _mm_storeu_ps(reinterpret_cast<float*>(pixels),
                  _mm_blendv_ps(old, _mm_castsi128_ps(colour), writeFloats));
  } else {
    _mm_maskstore_ps(depth, write, z);
    _mm_maskstore_epi32(reinterpret_cast<int*>(pixels), write, colour);
  }
  return __builtin_popcount(pass);
}

struct RowStart {
  double d, un, vn;
};

RowStart StartOfRow(const TexturedPlane& p, const RenderContext& rc, double f,
                    int32_t y, int32_t first) {
  const Vec3 ray = {first - rc.centreX, y - rc.centreY, f};
  const double a = Dot(ray, p.w1);
  const double b = Dot(ray, p.w2);
  return RowStart{Dot(ray, p.n), a * p.du1 + b * p.du2, a * p.dv1 + b * p.dv2};
}

// A row whose sums are exact per pixel: lane k gets start + k * step.
RENDER_AVX2 int64_t DrawRowDirect(const LaneConstants& c,
                                  const TexturedPlane& p, RowStart s,
                                  float* depth, uint32_t* pixels,
                                  int64_t count) {
  const __m256d d0 = _mm256_set1_pd(s.d);
  const __m256d un0 = _mm256_set1_pd(s.un);
  const __m256d vn0 = _mm256_set1_pd(s.vn);
  const __m256d dd = _mm256_set1_pd(p.n.x);
  const __m256d dUn = _mm256_set1_pd(p.dUn);
  const __m256d dVn = _mm256_set1_pd(p.dVn);
  __m256d k = _mm256_setr_pd(0, 1, 2, 3);
  const __m256d four = _mm256_set1_pd(4);
  int64_t passed = 0;
  int64_t i = 0;
  for (; i + 4 <= count; i += 4) {
    passed += DrawFour<true>(c, depth + i, pixels + i,
                             _mm256_add_pd(d0, _mm256_mul_pd(k, dd)),
                             _mm256_add_pd(un0, _mm256_mul_pd(k, dUn)),
                             _mm256_add_pd(vn0, _mm256_mul_pd(k, dVn)), 0xF);
    k = _mm256_add_pd(k, four);
  }
  if (i < count) {
    passed += DrawFour<false>(c, depth + i, pixels + i,
                              _mm256_add_pd(d0, _mm256_mul_pd(k, dd)),
                              _mm256_add_pd(un0, _mm256_mul_pd(k, dUn)),
                              _mm256_add_pd(vn0, _mm256_mul_pd(k, dVn)),
                              FirstLanes(count - i));
  }
  return passed;
}

// Any other row: the sums are added one pixel after another, as the plain
// fill does, then handed over four at a time.
RENDER_AVX2 int64_t DrawRowStepwise(const LaneConstants& c,
                                    const TexturedPlane& p, RowStart s,
                                    float* depth, uint32_t* pixels,
                                    int64_t count) {
  alignas(32) double d[4];
  alignas(32) double un[4];
  alignas(32) double vn[4];
  int64_t passed = 0;
  for (int64_t i = 0; i < count; i += 4) {
    const int32_t valid = FirstLanes(count - i);
    for (int lane = 0; lane < 4; ++lane) {
      d[lane] = s.d;
      un[lane] = s.un;
      vn[lane] = s.vn;
      s.un += p.dUn;
      s.vn += p.dVn;
      s.d += p.n.x;
    }
    passed += valid == 0xF
                  ? DrawFour<true>(c, depth + i, pixels + i, _mm256_load_pd(d),
                                   _mm256_load_pd(un), _mm256_load_pd(vn), valid)
                  : DrawFour<false>(c, depth + i, pixels + i,
                                    _mm256_load_pd(d), _mm256_load_pd(un),
                                    _mm256_load_pd(vn), valid);
  }
  return passed;
}

}  // namespace

RENDER_AVX2 void FillTexturedTriangleAvx2(ClippedTriangle triangle) {
  const Texture* found = sceneObjects[triangle.objectIndex]
                             .mesh->triangles[triangle.triangleIndex]
                             .texture;
  if (!TextureIsUsable(found)) return;
  // A one-texel image is too small for a four-byte read; the plain fill
  // draws it.
  if (int64_t{found->width} * found->height < 2) {
    FillTexturedTrianglePlain(triangle);
    return;
  }
  const Texture texture = *found;

  const FrameView frameView = CurrentFrameView();
  const DepthView depthView = CurrentDepthView();
  const ClipVertex* c = triangle.corners;
  const ScreenPoint points[3] = {{c[0].screenX, c[0].screenY},
                                 {c[1].screenX, c[1].screenY},
                                 {c[2].screenX, c[2].screenY}};
  SetupTriangleSpans(points, DrawableViewport(frameView, depthView));

  const RenderContext& rc = renderContext;
  const double f = double(rc.focalLength);
  const TexturedPlane p = MakePlane(triangle, f);
  const LaneConstants lanes = MakeLaneConstants(p, texture, double(rc.nearZ));
  int64_t passed = 0;
  for (int32_t y = rc.firstRow; y <= rc.lastRow; ++y) {
    const Span span = rc.spanTable[y];
    if (span.first > span.last) continue;
    const int64_t count = int64_t{span.last} - span.first + 1;
    uint32_t* pixels = frameView.pixels + y * frameView.stride + span.first;
    float* depth = depthView.depth + y * depthView.stride + span.first;
    const RowStart s = StartOfRow(p, rc, f, y, span.first);
    const bool direct = StepsAreExact(s.d, p.n.x, count) &&
                        StepsAreExact(s.un, p.dUn, count) &&
                        StepsAreExact(s.vn, p.dVn, count);
    passed += direct ? DrawRowDirect(lanes, p, s, depth, pixels, count)
                     : DrawRowStepwise(lanes, p, s, depth, pixels, count);
  }
  renderStats.pixelsPassed += passed;
}
