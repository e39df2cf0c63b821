// The bilinear-texel kernel, written once and compiled for every Highway
// target (foreach_target.h re-includes this file per target). Each lane
// runs BilinearTexel's operations in its order, multiplies and adds kept
// apart.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "render/bilinear_kernel.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "render/bilinear.h"
#include "render/looks_kernels.h"
#include "render/row_kernels.h"
#include "render/row_lanes-inl.h"
#include "render/texel_words-inl.h"

HWY_BEFORE_NAMESPACE();
namespace bilinear_texels {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;
using renderer::BilinearKernel;
using renderer::BilinearTexture;
using row_lanes::HWY_NAMESPACE::kMaxLanes;
using row_lanes::HWY_NAMESPACE::MaskBits;
using texel_words::HWY_NAMESPACE::Channel;
using texel_words::HWY_NAMESPACE::JoinChannels;
using texel_words::HWY_NAMESPACE::TexelColours;
using texel_words::HWY_NAMESPACE::WrapLanes;

using D = hn::ScalableTag<double>;
using DI = hn::Rebind<int32_t, D>;
using DU = hn::Rebind<uint32_t, D>;
using VD = hn::Vec<D>;
using VU = hn::Vec<DU>;

HWY_INLINE VD Splat(double value) { return hn::Set(D(), value); }

// One channel blended and rounded to nearest, as BlendChannel does.
HWY_INLINE VD Blend(VD a, VD b, VD c, VD e, VD fu, VD fv) {
  const VD top = hn::Add(a, hn::Mul(hn::Sub(b, a), fu));
  const VD bottom = hn::Add(c, hn::Mul(hn::Sub(e, c), fu));
  const VD value =
      hn::Floor(hn::Add(hn::Add(top, hn::Mul(hn::Sub(bottom, top), fv)),
                        Splat(0.5)));
  return hn::Min(hn::Max(value, hn::Zero(D())), Splat(255.0));
}

template <int kShift>
HWY_INLINE VD BlendChannel(VU t00, VU t10, VU t01, VU t11, VD fu, VD fv) {
  return Blend(Channel<kShift>(t00), Channel<kShift>(t10),
               Channel<kShift>(t01), Channel<kShift>(t11), fu, fv);
}

// The texel at byte offset (row x width + column) x 3 of each lane, or the
// lane's nearest texel in place of a see-through one.
HWY_INLINE VU OpaqueTexels(const BilinearTexture& t, VD row, VD column,
                           VU nearest) {
  const DI di;
  const VD offset = hn::Mul(
      hn::Add(hn::Mul(row, Splat(double(t.width))), column), Splat(3.0));
  HWY_ALIGN int32_t offsets[kMaxLanes];
  hn::Store(hn::DemoteTo(di, offset), di, offsets);
  const VU texel = TexelColours(t.texels, t.width * t.height, offsets);
  return hn::IfThenElse(hn::Eq(texel, hn::Set(DU(), 0x00FFFFFFu)), nearest,
                        texel);
}

// One step of lanes: u, v and the nearest texels in, the blended colours
// out. Lanes whose texel column or row leaves the int32 range, or whose
// fractions are not finite, are left to BilinearTexel one by one.
HWY_INLINE void BilinearStep(const BilinearTexture& t, const double* us,
                             const double* vs, uint32_t* colours) {
  const D d;
  const DU du;
  const VD u = hn::Load(d, us);
  const VD v = hn::Sub(hn::Load(d, vs), Splat(0.5));
  const VD i = hn::Floor(u);
  const VD j = hn::Floor(v);
  const VD fu = hn::Sub(u, i);
  const VD fv = hn::Sub(v, j);
  // i and i + 1 (j and j + 1) inside the int32 path of WrapTexel; not a
  // number compares false.
  const VD limit = Splat(2147483647.0);
  const auto inRange =
      hn::And(hn::Lt(hn::Abs(i), limit), hn::Lt(hn::Abs(j), limit));
  const uint64_t slow =
      ~MaskBits(d, inRange) & ((uint64_t{1} << hn::Lanes(d)) - 1);
  const VD width = Splat(double(t.width));
  const VD height = Splat(double(t.height));
  const VD c0 = WrapLanes(hn::IfThenElseZero(inRange, i), width,
                          Splat(1.0 / double(t.width)));
  const VD r0 = WrapLanes(hn::IfThenElseZero(inRange, j), height,
                          Splat(1.0 / double(t.height)));
  // (c0 + 1) mod width, (r0 + 1) mod height.
  const VD one = Splat(1.0);
  const VD c1 = hn::IfThenZeroElse(hn::Eq(hn::Add(c0, one), width),
                                   hn::Add(c0, one));
  const VD r1 = hn::IfThenZeroElse(hn::Eq(hn::Add(r0, one), height),
                                   hn::Add(r0, one));
  const VU nearest = hn::Load(du, colours);
  const VU t00 = OpaqueTexels(t, r0, c0, nearest);
  const VU t10 = OpaqueTexels(t, r0, c1, nearest);
  const VU t01 = OpaqueTexels(t, r1, c0, nearest);
  const VU t11 = OpaqueTexels(t, r1, c1, nearest);
  const VU blended = JoinChannels(BlendChannel<16>(t00, t10, t01, t11, fu, fv),
                          BlendChannel<8>(t00, t10, t01, t11, fu, fv),
                          BlendChannel<0>(t00, t10, t01, t11, fu, fv));
  HWY_ALIGN uint32_t nearestTexels[kMaxLanes];
  hn::Store(nearest, du, nearestTexels);
  hn::Store(blended, du, colours);
  for (size_t lane = 0; lane < hn::Lanes(d); ++lane) {
    if (((slow >> lane) & 1) == 0) continue;
    colours[lane] = renderer::BilinearTexel(t.texels, t.width, t.height,
                                            us[lane], vs[lane],
                                            nearestTexels[lane]);
  }
}

void BilinearTexels(const BilinearTexture& t, const double* u,
                    const double* v, int64_t count, uint32_t* colours) {
  const int64_t texels = int64_t{t.width} * t.height;
  // The word reads need two texels at least and int32 byte offsets.
  if (texels < 2 || texels * 3 > 0x7FFFFFFF) {
    for (int64_t i = 0; i < count; ++i) {
      colours[i] = renderer::BilinearTexel(t.texels, t.width, t.height, u[i],
                                           v[i], colours[i]);
    }
    return;
  }
  const int64_t lanes = int64_t(hn::Lanes(D()));
  HWY_ALIGN double us[kMaxLanes];
  HWY_ALIGN double vs[kMaxLanes];
  HWY_ALIGN uint32_t cs[kMaxLanes];
  for (int64_t i = 0; i < count; i += lanes) {
    // Lanes past the end sample texel (0, 0).
    const int64_t n = std::min(lanes, count - i);
    for (int64_t k = 0; k < lanes; ++k) {
      us[k] = k < n ? u[i + k] : 0.0;
      vs[k] = k < n ? v[i + k] : 0.5;
      cs[k] = k < n ? colours[i + k] : 0u;
    }
    BilinearStep(t, us, vs, cs);
    for (int64_t k = 0; k < n; ++k) colours[i + k] = cs[k];
  }
}

// This target's kernel when asked for this target.
BilinearKernel KernelFor(int64_t target) {
  return target == HWY_TARGET ? &BilinearTexels : nullptr;
}

}  // namespace HWY_NAMESPACE
}  // namespace bilinear_texels
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace bilinear_texels {
HWY_EXPORT(KernelFor);
}  // namespace bilinear_texels

namespace renderer {

BilinearKernel BilinearKernelFor(int64_t target) {
  return KernelFromTable(bilinear_texels::HWY_DISPATCH_TABLE(KernelFor),
                         target);
}

}  // namespace renderer
#endif  // HWY_ONCE
