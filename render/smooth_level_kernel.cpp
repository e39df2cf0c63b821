// Smooth shading's level kernel, written once and compiled for every
// Highway target (foreach_target.h re-includes this file per target).
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "render/smooth_level_kernel.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "render/row_kernels.h"
#include "render/row_lanes-inl.h"
#include "render/smooth_level_kernel.h"

HWY_BEFORE_NAMESPACE();
namespace smooth_level {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;
using renderer::SmoothLevelKernel;
using renderer::SmoothLight;
using renderer::SmoothRow;
using row_lanes::HWY_NAMESPACE::kMaxLanes;

using D = hn::ScalableTag<double>;
using DI = hn::Rebind<int32_t, D>;
using VD = hn::Vec<D>;

// a . b summed x, y, z in that order, as DotOf does.
HWY_INLINE VD Dot3(VD ax, VD ay, VD az, VD bx, VD by, VD bz) {
  return hn::Add(hn::Add(hn::Mul(ax, bx), hn::Mul(ay, by)), hn::Mul(az, bz));
}

HWY_INLINE VD Splat(double value) { return hn::Set(D(), value); }

// The levels of one step of lanes.
HWY_INLINE hn::Vec<DI> LevelLanes(const SmoothLight& s, const SmoothRow& r,
                                  VD x, VD z) {
  const D d;
  const VD f = Splat(r.f);
  const VD px = hn::Div(hn::Mul(hn::Sub(x, Splat(r.centreX)), z), f);
  const VD py =
      hn::Div(hn::Mul(hn::Sub(Splat(r.y), Splat(r.centreY)), z), f);
  const VD qx = hn::Sub(px, Splat(s.a0.x));
  const VD qy = hn::Sub(py, Splat(s.a0.y));
  const VD qz = hn::Sub(z, Splat(s.a0.z));
  const VD w1 = Dot3(qx, qy, qz, Splat(s.g1.x), Splat(s.g1.y), Splat(s.g1.z));
  const VD w2 = Dot3(qx, qy, qz, Splat(s.g2.x), Splat(s.g2.y), Splat(s.g2.z));
  const VD nx = hn::Add(hn::Add(Splat(s.n0.x), hn::Mul(w1, Splat(s.dn1.x))),
                        hn::Mul(w2, Splat(s.dn2.x)));
  const VD ny = hn::Add(hn::Add(Splat(s.n0.y), hn::Mul(w1, Splat(s.dn1.y))),
                        hn::Mul(w2, Splat(s.dn2.y)));
  const VD nz = hn::Add(hn::Add(Splat(s.n0.z), hn::Mul(w1, Splat(s.dn1.z))),
                        hn::Mul(w2, Splat(s.dn2.z)));
  const VD lx = hn::Sub(Splat(s.light.x), px);
  const VD ly = hn::Sub(Splat(s.light.y), py);
  const VD lz = hn::Sub(Splat(s.light.z), z);
  const VD cosine =
      hn::Div(Dot3(lx, ly, lz, nx, ny, nz),
              hn::Sqrt(hn::Mul(Dot3(nx, ny, nz, nx, ny, nz),
                               Dot3(lx, ly, lz, lx, ly, lz))));
  // Not a number compares false: level 0, as for a cosine not above 0.
  const auto lit = hn::Gt(cosine, hn::Zero(d));
  const VD level = hn::Min(hn::Trunc(hn::Mul(cosine, Splat(255.0))),
                           Splat(255.0));
  return hn::DemoteTo(DI(), hn::IfThenElseZero(lit, level));
}

void SmoothLevels(const SmoothLight& s, const SmoothRow& r, const double* x,
                  const double* z, int64_t count, int32_t* levels) {
  const D d;
  const DI di;
  const int64_t lanes = int64_t(hn::Lanes(d));
  int64_t i = 0;
  for (; i + lanes <= count; i += lanes) {
    hn::StoreU(LevelLanes(s, r, hn::LoadU(d, x + i), hn::LoadU(d, z + i)), di,
               levels + i);
  }
  if (i == count) return;
  // The last, partial step through copies: lanes past the row hold 1.
  HWY_ALIGN double xs[kMaxLanes];
  HWY_ALIGN double zs[kMaxLanes];
  HWY_ALIGN int32_t out[kMaxLanes];
  for (int64_t k = 0; k < lanes; ++k) {
    xs[k] = i + k < count ? x[i + k] : 0.0;
    zs[k] = i + k < count ? z[i + k] : 1.0;
  }
  hn::Store(LevelLanes(s, r, hn::Load(d, xs), hn::Load(d, zs)), di, out);
  for (int64_t k = 0; i + k < count; ++k) levels[i + k] = out[k];
}

// This target's kernel when asked for this target.
SmoothLevelKernel KernelFor(int64_t target) {
  return target == HWY_TARGET ? &SmoothLevels : nullptr;
}

}  // namespace HWY_NAMESPACE
}  // namespace smooth_level
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace smooth_level {
HWY_EXPORT(KernelFor);
}  // namespace smooth_level

namespace renderer {

SmoothLevelKernel SmoothLevelKernelFor(int64_t target) {
  return KernelFromTable(smooth_level::HWY_DISPATCH_TABLE(KernelFor), target);
}

}  // namespace renderer
#endif  // HWY_ONCE
