#pragma once
// Bilinear texel sampling. Texel centres lie where nearest sampling puts
// them (column i centred on u = i, row j on v = j + 0.5), so switching
// filters shifts nothing; the four texels wrap as nearest sampling's do.
#include <cmath>
#include <cstdint>

#include "render/texel_wrap.h"
#include "renderer/texture.h"

namespace renderer {

namespace bilinear_detail {

// One channel (shift 16, 8 or 0) blended and rounded to nearest.
inline uint32_t BlendChannel(uint32_t c00, uint32_t c10, uint32_t c01,
                             uint32_t c11, int shift, double fu, double fv) {
  const double a = double((c00 >> shift) & 0xFFu);
  const double b = double((c10 >> shift) & 0xFFu);
  const double c = double((c01 >> shift) & 0xFFu);
  const double d = double((c11 >> shift) & 0xFFu);
  const double top = a + (b - a) * fu;
  const double bottom = c + (d - c) * fu;
  const double value = std::floor(top + (bottom - top) * fv + 0.5);
  return uint32_t(std::fmin(std::fmax(value, 0.0), 255.0)) << shift;
}

// The texel, or `nearest` in place of a see-through one: no white fringe.
inline uint32_t Opaque(uint32_t texel, uint32_t nearest) {
  return texel == 0x00FFFFFFu ? nearest : texel;
}

}  // namespace bilinear_detail

// The blended colour at texel coordinates (u, v) (u without the half-texel
// offset nearest sampling adds); `nearest` is the texel nearest sampling
// picks there, not see-through. Not-finite coordinates give `nearest`.
inline uint32_t BilinearTexel(const uint8_t* texels, int32_t width,
                              int32_t height, double u, double v,
                              uint32_t nearest) {
  using bilinear_detail::BlendChannel;
  using bilinear_detail::Opaque;
  const double vs = v - 0.5;
  const double i = std::floor(u);
  const double j = std::floor(vs);
  const double fu = u - i;
  const double fv = vs - j;
  if (!std::isfinite(fu) || !std::isfinite(fv)) return nearest;
  const int32_t c0 = WrapTexel(i, width);
  const int32_t c1 = WrapTexel(i + 1.0, width);
  const int32_t r0 = WrapTexel(j, height);
  const int32_t r1 = WrapTexel(j + 1.0, height);
  const uint32_t t00 = Opaque(TexelAt(texels, width, c0, r0), nearest);
  const uint32_t t10 = Opaque(TexelAt(texels, width, c1, r0), nearest);
  const uint32_t t01 = Opaque(TexelAt(texels, width, c0, r1), nearest);
  const uint32_t t11 = Opaque(TexelAt(texels, width, c1, r1), nearest);
  return BlendChannel(t00, t10, t01, t11, 16, fu, fv) |
         BlendChannel(t00, t10, t01, t11, 8, fu, fv) |
         BlendChannel(t00, t10, t01, t11, 0, fu, fv);
}

}  // namespace renderer
