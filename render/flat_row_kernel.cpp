// The untextured fill's row kernel, written once and compiled for every
// Highway target (foreach_target.h re-includes this file per target). Each
// lane divides, compares in double and rounds the stored depth to float
// exactly as the plain fill does; d is formed per pixel when that is exact
// (exact_steps.h) and otherwise added up one pixel after another.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "render/flat_row_kernel.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "render/exact_steps.h"
#include "render/row_kernels.h"
#include "render/row_lanes-inl.h"

HWY_BEFORE_NAMESPACE();
namespace flat_row {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;
using renderer::FlatRowKernel;
using renderer::FlatRowPlane;
using renderer::StepsAreExact;
using row_lanes::HWY_NAMESPACE::kMaxLanes;
using row_lanes::HWY_NAMESPACE::LoadFirst;
using row_lanes::HWY_NAMESPACE::MaskBits;
using row_lanes::HWY_NAMESPACE::MaskFromBits;
using row_lanes::HWY_NAMESPACE::StoreFirst;

using D = hn::ScalableTag<double>;
using DF = hn::Rebind<float, D>;
using DU = hn::Rebind<uint32_t, D>;
using VD = hn::Vec<D>;
using MD = hn::Mask<D>;

// One step of lanes from depth[0] and pixels[0] with their d, of which the
// first `valid` lie inside the row, given K, max(1, near z) and the colour
// in lanes (taken once per row). Returns how many passed the depth tests.
//
// The plain fill skips d = 0 before dividing; here the division runs on
// every lane and the test is left out, because it cannot change a result:
// a zero d gives z = K / d infinite or NaN, and an infinite or NaN z fails
// the depth test or the test against 1. Likewise z > 1 and z > near z
// together are the one test z > max(1, near z).
HWY_INLINE int64_t DrawStep(VD k, VD nearest, hn::Vec<DU> colour, VD dv,
                            size_t valid, float* depth, uint32_t* pixels) {
  const D d;
  const DF df;
  const DU du;
  const VD z = hn::Div(k, dv);
  const VD stored = hn::PromoteTo(d, LoadFirst(df, depth, valid));
  MD pass = hn::And(hn::Gt(stored, z), hn::Gt(z, nearest));
  if (valid != hn::Lanes(d)) pass = hn::And(pass, hn::FirstN(d, valid));
  const uint64_t bits = MaskBits(d, pass);
  if (bits == 0) return 0;
  const auto write = MaskFromBits(du, bits);
  StoreFirst(df, hn::DemoteTo(df, z), hn::RebindMask(df, write), depth, valid);
  StoreFirst(du, colour, write, pixels, valid);
  return std::popcount(bits);
}

int64_t DrawFlatRow(const FlatRowPlane& p, double d, int64_t count,
                    float* depth, uint32_t* pixels) {
  const D dd;
  const VD k = hn::Set(dd, p.k);
  const VD nearest = hn::Set(dd, std::max(1.0, p.nearZ));
  const auto colour = hn::Set(DU(), p.colour);
  const double dStep = p.dStep;
  const int64_t lanes = int64_t(hn::Lanes(dd));
  int64_t passed = 0;
  if (StepsAreExact(d, dStep, count)) {
    // Lane k gets d + k * N.x.
    const VD start = hn::Set(dd, d);
    const VD step = hn::Set(dd, dStep);
    const VD advance = hn::Set(dd, double(lanes));
    VD index = hn::Iota(dd, 0.0);
    for (int64_t i = 0; i < count; i += lanes) {
      passed +=
          DrawStep(k, nearest, colour, hn::Add(start, hn::Mul(index, step)),
                   size_t(std::min(count - i, lanes)), depth + i, pixels + i);
      index = hn::Add(index, advance);
    }
    return passed;
  }
  HWY_ALIGN double sums[kMaxLanes];
  for (int64_t i = 0; i < count; i += lanes) {
    for (int64_t lane = 0; lane < lanes; ++lane) {
      sums[lane] = d;
      d += dStep;
    }
    passed +=
        DrawStep(k, nearest, colour, hn::Load(dd, sums),
                 size_t(std::min(count - i, lanes)), depth + i, pixels + i);
  }
  return passed;
}

// This target's kernel when asked for this target.
FlatRowKernel KernelFor(int64_t target) {
  return target == HWY_TARGET ? &DrawFlatRow : nullptr;
}

}  // namespace HWY_NAMESPACE
}  // namespace flat_row
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace flat_row {
HWY_EXPORT(KernelFor);
}  // namespace flat_row

namespace renderer {

FlatRowKernel FlatRowKernelFor(int64_t target) {
  return KernelFromTable(flat_row::HWY_DISPATCH_TABLE(KernelFor), target);
}

}  // namespace renderer
#endif  // HWY_ONCE
