// Smooth shading's level and lit-colour kernels, written once and compiled
// for every Highway target (foreach_target.h re-includes this file per
// target).
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
#include "render/texel_words-inl.h"

HWY_BEFORE_NAMESPACE();
namespace smooth_level {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;
using renderer::LightColourKernel;
using renderer::SmoothCamera;
using renderer::SmoothColourKernel;
using renderer::SmoothLevelKernel;
using renderer::SmoothLight;
using row_lanes::HWY_NAMESPACE::kMaxLanes;
using texel_words::HWY_NAMESPACE::Channel;
using texel_words::HWY_NAMESPACE::JoinChannels;

using D = hn::ScalableTag<double>;
using DI = hn::Rebind<int32_t, D>;
using DU = hn::Rebind<uint32_t, D>;
using VD = hn::Vec<D>;
using VU = hn::Vec<DU>;

// a . b summed x, y, z in that order, as DotOf does.
HWY_INLINE VD Dot3(VD ax, VD ay, VD az, VD bx, VD by, VD bz) {
  return hn::Add(hn::Add(hn::Mul(ax, bx), hn::Mul(ay, by)), hn::Mul(az, bz));
}

HWY_INLINE VD Splat(double value) { return hn::Set(D(), value); }

// The levels of one step of lanes, as whole numbers from 0 to 255.
HWY_INLINE VD LevelLanes(const SmoothLight& s, const SmoothCamera& c, VD x,
                         VD y, VD z) {
  const D d;
  const VD f = Splat(c.f);
  const VD px = hn::Div(hn::Mul(hn::Sub(x, Splat(c.centreX)), z), f);
  const VD py = hn::Div(hn::Mul(hn::Sub(y, Splat(c.centreY)), z), f);
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
  return hn::IfThenElseZero(lit, level);
}

// c x scale / 65025 truncated, in doubles: c x scale is a whole number
// below 2^24, exact; when the quotient is not whole it lies at least
// 1 / 65025 from the next whole number, far beyond the division's rounding
// error (below 2^-44), so its floor is the integer quotient.
HWY_INLINE VD LightChannel(VD channel, VD scale) {
  return hn::Floor(hn::Div(hn::Mul(channel, scale), Splat(65025.0)));
}

// Each channel of each lane's colour at its level (0 to 255).
HWY_INLINE VU LightLanes(VD level, VU colour) {
  // 89 x 255 + 166 x level.
  const VD scale = hn::Add(Splat(22695.0), hn::Mul(Splat(166.0), level));
  return JoinChannels(LightChannel(Channel<16>(colour), scale),
                      LightChannel(Channel<8>(colour), scale),
                      LightChannel(Channel<0>(colour), scale));
}

// The pixels in steps of lanes; the last, partial step through copies
// whose lanes past the end hold the point (0, 0, 1) and colour 0.
struct Step {
  HWY_ALIGN double x[kMaxLanes];
  HWY_ALIGN double y[kMaxLanes];
  HWY_ALIGN double z[kMaxLanes];
  HWY_ALIGN int32_t level[kMaxLanes];
  HWY_ALIGN uint32_t colour[kMaxLanes];
};

HWY_INLINE void CopyIn(const double* x, const double* y, const double* z,
                       int64_t n, Step* step) {
  for (int64_t k = 0; k < int64_t(hn::Lanes(D())); ++k) {
    step->x[k] = k < n ? x[k] : 0.0;
    step->y[k] = k < n ? y[k] : 0.0;
    step->z[k] = k < n ? z[k] : 1.0;
  }
}

// Works out the levels of the pixels a step of lanes at a time and hands
// each step on: each(step, levels, first, n) with its first pixel and its
// n <= lanes pixels.
template <class Each>
HWY_INLINE void ForEachLevelStep(const SmoothLight& s, const SmoothCamera& c,
                                 const double* x, const double* y,
                                 const double* z, int64_t count, Each each) {
  const D d;
  const int64_t lanes = int64_t(hn::Lanes(d));
  Step step;
  for (int64_t i = 0; i < count; i += lanes) {
    const int64_t n = std::min(lanes, count - i);
    CopyIn(x + i, y + i, z + i, n, &step);
    each(step, LevelLanes(s, c, hn::Load(d, step.x), hn::Load(d, step.y),
                          hn::Load(d, step.z)),
         i, n);
  }
}

void SmoothLevels(const SmoothLight& s, const SmoothCamera& c, const double* x,
                  const double* y, const double* z, int64_t count,
                  int32_t* levels) {
  ForEachLevelStep(
      s, c, x, y, z, count,
      [levels](Step& step, VD level, int64_t i, int64_t n) HWY_ATTR {
        const DI di;
        hn::Store(hn::DemoteTo(di, level), di, step.level);
        std::copy(step.level, step.level + n, levels + i);
      });
}

void LightColours(const int32_t* levels, int64_t count, uint32_t* colours) {
  const D d;
  const DI di;
  const DU du;
  const int64_t lanes = int64_t(hn::Lanes(d));
  Step step;
  for (int64_t i = 0; i < count; i += lanes) {
    const int64_t n = std::min(lanes, count - i);
    for (int64_t k = 0; k < lanes; ++k) {
      step.level[k] = k < n ? levels[i + k] : 0;
      step.colour[k] = k < n ? colours[i + k] : 0u;
    }
    const VD level = hn::PromoteTo(d, hn::Load(di, step.level));
    hn::Store(LightLanes(level, hn::Load(du, step.colour)), du, step.colour);
    std::copy(step.colour, step.colour + n, colours + i);
  }
}

void SmoothColours(const SmoothLight& s, const SmoothCamera& c,
                   const double* x, const double* y, const double* z,
                   int64_t count, uint32_t* colours) {
  ForEachLevelStep(
      s, c, x, y, z, count,
      [colours](Step& step, VD level, int64_t i, int64_t n) HWY_ATTR {
        const DU du;
        for (int64_t k = 0; k < int64_t(hn::Lanes(du)); ++k) {
          step.colour[k] = k < n ? colours[i + k] : 0u;
        }
        hn::Store(LightLanes(level, hn::Load(du, step.colour)), du,
                  step.colour);
        std::copy(step.colour, step.colour + n, colours + i);
      });
}

// This target's kernels when asked for this target.
SmoothLevelKernel LevelsFor(int64_t target) {
  return target == HWY_TARGET ? &SmoothLevels : nullptr;
}

LightColourKernel LightFor(int64_t target) {
  return target == HWY_TARGET ? &LightColours : nullptr;
}

SmoothColourKernel ColoursFor(int64_t target) {
  return target == HWY_TARGET ? &SmoothColours : nullptr;
}

}  // namespace HWY_NAMESPACE
}  // namespace smooth_level
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace smooth_level {
HWY_EXPORT(LevelsFor);
HWY_EXPORT(LightFor);
HWY_EXPORT(ColoursFor);
}  // namespace smooth_level

namespace renderer {

SmoothLevelKernel SmoothLevelKernelFor(int64_t target) {
  return KernelFromTable(smooth_level::HWY_DISPATCH_TABLE(LevelsFor), target);
}

LightColourKernel LightColourKernelFor(int64_t target) {
  return KernelFromTable(smooth_level::HWY_DISPATCH_TABLE(LightFor), target);
}

SmoothColourKernel SmoothColourKernelFor(int64_t target) {
  return KernelFromTable(smooth_level::HWY_DISPATCH_TABLE(ColoursFor),
                         target);
}

}  // namespace renderer
#endif  // HWY_ONCE
