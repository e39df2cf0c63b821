// The textured fill's row kernel, written once and compiled for every
// Highway target (foreach_target.h re-includes this file per target). Each
// lane gives the results of the plain fill's IEEE operations in the plain
// fill's order: division, rounding to float, the depth tests, the two
// further divisions, truncation and wrap. The two further divisions are
// replaced by products with a reciprocal, with the proof of
// sure_quotient-inl.h that they truncate alike (the divisions run where
// they might not). The running sums need care too: they are formed per
// pixel when that is exact (exact_steps.h: a row of whole numbers, or a
// chunk whose sums keep one binade each) and otherwise added up one pixel
// after another as the plain fill does.
//
// A row is drawn in chunks, each in short passes (depth tests with texel
// addresses a step behind, then texel fetch and writes) rather than one
// long chain per step, so that the processor can overlap many steps.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "render/textured_row_kernel.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "render/exact_steps.h"
#include "render/row_kernels.h"
#include "render/row_lanes-inl.h"
#include "render/sure_quotient-inl.h"
#include "render/texel_words-inl.h"
#include "render/texel_wrap.h"

HWY_BEFORE_NAMESPACE();
namespace textured_row {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;
using renderer::StepsAreExact;
using renderer::StepsRoundAlike;
using renderer::TexelAt;
using renderer::TexturedRowKernel;
using renderer::TexturedRowPlane;
using renderer::TexturedRowStart;
using renderer::TexturedWay;
using renderer::WrapTexel;
using row_lanes::HWY_NAMESPACE::kChunkPixels;
using row_lanes::HWY_NAMESPACE::kMaxLanes;
using row_lanes::HWY_NAMESPACE::LoadFirst;
using row_lanes::HWY_NAMESPACE::MaskBits;
using row_lanes::HWY_NAMESPACE::MaskFromBits;
using row_lanes::HWY_NAMESPACE::StoreFirst;
using sure_quotient::HWY_NAMESPACE::DivisorInRange;
using sure_quotient::HWY_NAMESPACE::NumeratorInRange;
using sure_quotient::HWY_NAMESPACE::QuotientBounds;
using texel_words::HWY_NAMESPACE::TexelColoursAt;
using texel_words::HWY_NAMESPACE::TexelStarts;
using texel_words::HWY_NAMESPACE::WrapLanes;

using D = hn::ScalableTag<double>;
using DF = hn::Rebind<float, D>;
using DI = hn::Rebind<int32_t, D>;
using DU = hn::Rebind<uint32_t, D>;
using VD = hn::Vec<D>;
using MD = hn::Mask<D>;

// What the passes hand on within a chunk: each pixel's running sums, the
// reciprocal of its d where the kernel multiplies, its depth rounded to
// float and where its texel's word starts (TexelStarts); per step of lanes
// (as lane bits), which passed the depth tests and fetch their texel in
// the last pass.
struct Chunk {
  HWY_ALIGN double d[kChunkPixels];
  HWY_ALIGN double un[kChunkPixels];
  HWY_ALIGN double vn[kChunkPixels];
  HWY_ALIGN double r[kChunkPixels];
  HWY_ALIGN float z[kChunkPixels];
  HWY_ALIGN int32_t start[kChunkPixels];
  uint64_t pass[kChunkPixels];
  uint64_t fetch[kChunkPixels];
};

// The sums of `count` pixels formed per pixel: lane k gets
// start + k * step, for each of the three.
HWY_INLINE void DirectSums(const TexturedRowStart& start,
                           const TexturedRowStart& step, int64_t count,
                           Chunk* chunk) {
  const D d;
  const int64_t lanes = int64_t(hn::Lanes(d));
  const VD d0 = hn::Set(d, start.d);
  const VD un0 = hn::Set(d, start.un);
  const VD vn0 = hn::Set(d, start.vn);
  const VD dStep = hn::Set(d, step.d);
  const VD unStep = hn::Set(d, step.un);
  const VD vnStep = hn::Set(d, step.vn);
  const VD advance = hn::Set(d, double(lanes));
  VD k = hn::Iota(d, 0.0);
  for (int64_t i = 0; i < count; i += lanes) {
    hn::Store(hn::Add(d0, hn::Mul(k, dStep)), d, chunk->d + i);
    hn::Store(hn::Add(un0, hn::Mul(k, unStep)), d, chunk->un + i);
    hn::Store(hn::Add(vn0, hn::Mul(k, vnStep)), d, chunk->vn + i);
    k = hn::Add(k, advance);
  }
}

// The sums of `count` pixels, added one pixel after another as the plain
// fill adds them; afterwards `sums` holds the next pixel's. Lanes past
// `count` in the last step are zero.
HWY_INLINE void StepwiseSums(const TexturedRowPlane& p, TexturedRowStart* sums,
                             int64_t count, Chunk* chunk) {
  TexturedRowStart s = *sums;
  for (int64_t i = 0; i < count; ++i) {
    chunk->d[i] = s.d;
    chunk->un[i] = s.un;
    chunk->vn[i] = s.vn;
    s.un += p.unStep;
    s.vn += p.vnStep;
    s.d += p.dStep;
  }
  const int64_t lanes = int64_t(hn::Lanes(D()));
  for (int64_t i = count; i % lanes != 0; ++i) {
    chunk->d[i] = 0;
    chunk->un[i] = 0;
    chunk->vn[i] = 0;
  }
  *sums = s;
}

// The largest float not above `limit`: for a float z, z > limit exactly
// when z > FloatBelow(limit) (no float lies between the two). Not a number
// stays so.
inline float FloatBelow(double limit) {
  const float below = float(limit);
  return double(below) > limit ? std::nextafter(below, -HUGE_VALF) : below;
}

// The plain fill's steps after the division, up to truncation: u gets
// corner 0's u and the half-texel offset (which belongs to u alone), v
// corner 0's v.
HWY_INLINE VD UFrom(const TexturedRowPlane& p, VD quotient) {
  const D d;
  return hn::Add(hn::Add(quotient, hn::Set(d, p.u0)), hn::Set(d, 0.5));
}
HWY_INLINE VD VFrom(const TexturedRowPlane& p, VD quotient) {
  return hn::Add(quotient, hn::Set(D(), p.v0));
}

// The lanes with |u|, |v| < 2^31: inside the int32 path of WrapTexel
// (which also takes (-2^31 - 1, -2^31]; those few go one by one, drawn the
// same).
HWY_INLINE MD InInt32Range(VD u, VD v) {
  const VD limit = hn::Set(D(), 2147483648.0);
  return hn::And(hn::Lt(hn::Abs(u), limit), hn::Lt(hn::Abs(v), limit));
}

// u and v truncated (tu, tv) from r, the reciprocal of d that zd (1 / K)
// makes, as sure_quotient-inl.h proves, and which lanes have both inside
// the int32 range (|u|, |v| < 2^31, which depends on the truncated value
// alone). False when a lane of `passBits` is not sure of them, or outside
// that range. (Scalable vectors cannot be members of a struct: hence three
// results apart.)
HWY_INLINE bool SureTruncations(const TexturedRowPlane& p, const Chunk& chunk,
                                int64_t i, VD dv, uint64_t passBits, VD* tu,
                                VD* tv, MD* inRange) {
  const D d;
  const VD r = hn::Load(d, chunk.r + i);
  VD ua, ub, va, vb;
  QuotientBounds(d, hn::Mul(hn::Load(d, chunk.un + i), r), &ua, &ub);
  QuotientBounds(d, hn::Mul(hn::Load(d, chunk.vn + i), r), &va, &vb);
  *tu = hn::Trunc(UFrom(p, ua));
  *tv = hn::Trunc(VFrom(p, va));
  *inRange = InInt32Range(*tu, *tv);
  const MD alike = hn::And(hn::Eq(*tu, hn::Trunc(UFrom(p, ub))),
                           hn::Eq(*tv, hn::Trunc(VFrom(p, vb))));
  const MD sure = hn::And(hn::And(alike, *inRange), DivisorInRange(d, dv));
  return (passBits & ~MaskBits(d, sure)) == 0;
}

// Lanes whose u or v lies outside the int32 range (or is NaN), given as
// lane bits: one at a time with the plain wrap.
HWY_NOINLINE void DrawLanesOneByOne(const TexturedRowPlane& p,
                                    const Chunk& chunk, int64_t i, VD u, VD v,
                                    uint64_t lanes, float* depth,
                                    uint32_t* pixels) {
  const D d;
  HWY_ALIGN double us[kMaxLanes];
  HWY_ALIGN double vs[kMaxLanes];
  hn::Store(u, d, us);
  hn::Store(v, d, vs);
  for (size_t lane = 0; lane < hn::Lanes(d); ++lane) {
    if (((lanes >> lane) & 1) == 0) continue;
    const uint32_t colour =
        TexelAt(p.texels, p.width, WrapTexel(us[lane], p.width),
                WrapTexel(vs[lane], p.height));
    if (colour != 0x00FFFFFFu) {
      depth[i + lane] = chunk.z[i + lane];
      pixels[i + lane] = colour;
    }
  }
}

// u and v truncated by the plain fill's divisions, and which lanes have
// both inside the int32 range; the passing lanes outside it are drawn
// here, one by one.
HWY_NOINLINE void DividedTruncations(const TexturedRowPlane& p,
                                     const Chunk& chunk, int64_t i, VD dv,
                                     uint64_t passBits, float* depth,
                                     uint32_t* pixels, VD* tu, VD* tv,
                                     MD* inRange) {
  const D d;
  const VD u = UFrom(p, hn::Div(hn::Load(d, chunk.un + i), dv));
  const VD v = VFrom(p, hn::Div(hn::Load(d, chunk.vn + i), dv));
  *inRange = InInt32Range(u, v);
  const uint64_t outside = passBits & ~MaskBits(d, *inRange);
  if (outside != 0) {
    DrawLanesOneByOne(p, chunk, i, u, v, outside, depth, pixels);
  }
  *tu = hn::Trunc(u);
  *tv = hn::Trunc(v);
}

// The copy of the texture a row is in: the multiples of the width and
// height that the last step of lanes wrapped by. Texel coordinates move
// little from step to step, so the next step's are mostly the same.
struct Tile {
  double u = 0, v = 0;
  bool known = false;  // not before a row's first wrap
};

// The byte offsets of the texels of lanes in range (0 for the others, so
// that every read stays inside the texels), wrapped as WrapTexel wraps:
// by the tile's multiples where that puts every passing lane inside the
// texture, else by WrapLanes, which also moves the tile.
HWY_INLINE hn::Vec<DI> TexelOffsets(const TexturedRowPlane& p, VD tu, VD tv,
                                    MD inRange, uint64_t passBits,
                                    Tile* tile) {
  const D d;
  const DI di;
  const VD width = hn::Set(d, double(p.width));
  const VD height = hn::Set(d, double(p.height));
  const VD zero = hn::Zero(d);
  VD column = hn::Sub(tu, hn::Set(d, tile->u));
  VD row = hn::Sub(tv, hn::Set(d, tile->v));
  MD inside = hn::And(
      hn::And(hn::Ge(column, zero), hn::Lt(column, width)),
      hn::And(hn::Ge(row, zero), hn::Lt(row, height)));
  if (HWY_UNLIKELY(!tile->known || (passBits & ~MaskBits(d, inside)) != 0)) {
    column = WrapLanes(tu, width, hn::Set(d, 1.0 / double(p.width)));
    row = WrapLanes(tv, height, hn::Set(d, 1.0 / double(p.height)));
    inside = inRange;
    // The last lane's tile, for the steps that follow.
    const size_t last = hn::Lanes(d) - 1;
    const double tileU = hn::ExtractLane(hn::Sub(tu, column), last);
    const double tileV = hn::ExtractLane(hn::Sub(tv, row), last);
    if (std::fabs(tileU) < 2147483648.0 && std::fabs(tileV) < 2147483648.0) {
      *tile = {tileU, tileV, true};
    }
  }
  const VD offset =
      hn::Mul(hn::Add(hn::Mul(row, width), column), hn::Set(d, 3.0));
  return hn::DemoteTo(di, hn::IfThenElseZero(inside, offset));
}

// What passes 1 and 2 use throughout a row.
struct RowConstants {
  double k;
  double inverseK;  // 1 / K, for the reciprocal way
  float nearest;
  bool sure;  // K in range for the reciprocal way
};

RowConstants ConstantsOf(const TexturedRowPlane& p) {
  return {p.k, 1.0 / p.k, FloatBelow(std::max(1.0, p.nearZ)),
          NumeratorInRange(p.k)};
}

// Pass 1 for step i: z = K / d rounded to float, and the depth tests, made
// on floats: the plain fill compares z widened to double with the stored
// depth (also a float, so the order is the same) and with 1 and near z,
// which together are the one test z > max(1, near z), that is z >
// FloatBelow of it. The plain fill skips d = 0 before dividing; here the
// division runs on every lane and the test is left out, because it cannot
// change a result: a zero d gives an infinite or NaN z, which fails the
// depth test or the test against 1. With kReciprocal, also r = zd (1 / K),
// the reciprocal of d that pass 2 multiplies by. Returns how many passed.
template <bool kReciprocal>
HWY_INLINE int64_t TestDepths(const RowConstants& c, const float* depth,
                              int64_t count, int64_t i, Chunk* chunk) {
  const D d;
  const DF df;
  const int64_t lanes = int64_t(hn::Lanes(d));
  const size_t valid = size_t(std::min(count - i, lanes));
  const VD zd = hn::Div(hn::Set(d, c.k), hn::Load(d, chunk->d + i));
  const auto z = hn::DemoteTo(df, zd);
  const auto stored = LoadFirst(df, depth + i, valid);
  auto pass = hn::And(hn::Lt(z, stored), hn::Gt(z, hn::Set(df, c.nearest)));
  if (valid != size_t(lanes)) pass = hn::And(pass, hn::FirstN(df, valid));
  hn::Store(z, df, chunk->z + i);
  if (kReciprocal) {
    hn::Store(hn::Mul(zd, hn::Set(d, c.inverseK)), d, chunk->r + i);
  }
  const uint64_t bits = MaskBits(df, pass);
  chunk->pass[i / lanes] = bits;
  return std::popcount(bits);
}

// Pass 2 for step i: where the passing lanes' texels start. With
// kReciprocal, u and v come from r where that is sure
// (sure_quotient-inl.h), which leaves the divider to z while the other
// units take u and v; otherwise, and for steps that are not sure, from two
// more divisions, which is faster on processors whose divisions are cheap.
template <bool kReciprocal>
HWY_INLINE void AddressTexels(const TexturedRowPlane& p,
                              const RowConstants& c, int64_t i, Chunk* chunk,
                              Tile* tile, float* depth, uint32_t* pixels) {
  const D d;
  const DI di;
  const int64_t step = i / int64_t(hn::Lanes(d));
  const uint64_t passBits = chunk->pass[step];
  chunk->fetch[step] = 0;
  if (passBits == 0) return;
  const VD dv = hn::Load(d, chunk->d + i);
  VD tu, tv;
  MD inRange;
  if (!kReciprocal || !c.sure ||
      HWY_UNLIKELY(!SureTruncations(p, *chunk, i, dv, passBits, &tu, &tv,
                                    &inRange))) {
    DividedTruncations(p, *chunk, i, dv, passBits, depth, pixels, &tu, &tv,
                       &inRange);
  }
  hn::Store(TexelStarts(TexelOffsets(p, tu, tv, inRange, passBits, tile),
                        p.width * p.height),
            di, chunk->start + i);
  chunk->fetch[step] = passBits & MaskBits(d, inRange);
}

// Passes 1 and 2 over a chunk, pass 2 a step behind pass 1: the division
// of the step ahead then overlaps the addressing of the step behind.
template <bool kReciprocal>
HWY_INLINE int64_t TestAndAddress(const TexturedRowPlane& p,
                                  const RowConstants& c, int64_t count,
                                  Chunk* chunk, Tile* tile, float* depth,
                                  uint32_t* pixels) {
  const int64_t lanes = int64_t(hn::Lanes(D()));
  int64_t passed = 0;
  for (int64_t i = 0; i < count + lanes; i += lanes) {
    if (i < count) passed += TestDepths<kReciprocal>(c, depth, count, i, chunk);
    if (i > 0) {
      AddressTexels<kReciprocal>(p, c, i - lanes, chunk, tile, depth, pixels);
    }
  }
  return passed;
}

// Pass 3: fetch the texels (by gather where kGather) and write depth and
// colour where the texel is not pure white.
template <bool kGather>
HWY_INLINE void WriteTexels(const TexturedRowPlane& p, int64_t count,
                            const Chunk& chunk, float* depth,
                            uint32_t* pixels) {
  const DU du;
  const DF df;
  const int64_t lanes = int64_t(hn::Lanes(du));
  const auto white = hn::Set(du, 0x00FFFFFFu);
  for (int64_t i = 0; i < count; i += lanes) {
    const uint64_t fetchBits = chunk.fetch[i / lanes];
    if (fetchBits == 0) continue;
    const auto colour =
        TexelColoursAt<kGather>(p.texels, p.width * p.height, chunk.start + i);
    const auto write =
        hn::And(MaskFromBits(du, fetchBits), hn::Ne(colour, white));
    const size_t valid = size_t(std::min(count - i, lanes));
    StoreFirst(df, hn::Load(df, chunk.z + i), hn::RebindMask(df, write),
               depth + i, valid);
    StoreFirst(du, colour, write, pixels + i, valid);
  }
}

// For one of the sums of a chunk of n pixels from `start` on: the step by
// which it goes when every one of them is start + k * step exactly (a row
// of whole numbers, or one binade), as the plain fill's additions give.
HWY_INLINE bool ChunkStep(double start, double step, bool whole, int64_t n,
                          double* exact) {
  if (whole) {
    *exact = step;
    return true;
  }
  return StepsRoundAlike(start, step, n, exact);
}

template <bool kGather, bool kReciprocal>
int64_t DrawTexturedRow(const TexturedRowPlane& p,
                        const TexturedRowStart& start, int64_t count,
                        float* depth, uint32_t* pixels) {
  const int64_t lanes = int64_t(hn::Lanes(D()));
  const int64_t chunkPixels = int64_t(kChunkPixels) / lanes * lanes;
  const bool wholeD = StepsAreExact(start.d, p.dStep, count);
  const bool wholeUn = StepsAreExact(start.un, p.unStep, count);
  const bool wholeVn = StepsAreExact(start.vn, p.vnStep, count);
  const RowConstants constants = ConstantsOf(p);
  Chunk chunk;
  Tile tile;
  // The sums at the chunk's first pixel.
  TexturedRowStart sums = start;
  int64_t passed = 0;
  for (int64_t first = 0; first < count; first += chunkPixels) {
    const int64_t n = std::min(count - first, chunkPixels);
    TexturedRowStart step;
    if (ChunkStep(sums.d, p.dStep, wholeD, n, &step.d) &&
        ChunkStep(sums.un, p.unStep, wholeUn, n, &step.un) &&
        ChunkStep(sums.vn, p.vnStep, wholeVn, n, &step.vn)) {
      DirectSums(sums, step, n, &chunk);
      const double k = double(n);
      sums = {sums.d + k * step.d, sums.un + k * step.un,
              sums.vn + k * step.vn};
    } else {
      StepwiseSums(p, &sums, n, &chunk);
    }
    passed += TestAndAddress<kReciprocal>(p, constants, n, &chunk, &tile,
                                          depth + first, pixels + first);
    WriteTexels<kGather>(p, n, chunk, depth + first, pixels + first);
  }
  return passed;
}

// This target's kernel when asked for this target, in the given way.
TexturedRowKernel KernelFor(int64_t target, TexturedWay way) {
  if (target != HWY_TARGET) return nullptr;
  switch ((way.gather ? 1 : 0) + (way.reciprocal ? 2 : 0)) {
    case 0: return &DrawTexturedRow<false, false>;
    case 1: return &DrawTexturedRow<true, false>;
    case 2: return &DrawTexturedRow<false, true>;
    default: return &DrawTexturedRow<true, true>;
  }
}

}  // namespace HWY_NAMESPACE
}  // namespace textured_row
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace textured_row {
HWY_EXPORT(KernelFor);
}  // namespace textured_row

namespace renderer {

TexturedRowKernel TexturedRowKernelFor(int64_t target, TexturedWay way) {
  return KernelFromTable(textured_row::HWY_DISPATCH_TABLE(KernelFor), target,
                         way);
}

}  // namespace renderer
#endif  // HWY_ONCE
