#pragma once
// When a running sum may be evaluated per pixel instead of step by step.
//
// Two cases: every sum of the row is a whole number (no addition rounds),
// or, for a stretch of the row, every sum keeps one binade (each addition
// then rounds the step alike).
//
// The fills advance d, Un and Vn along a row by repeated double additions,
// each rounded. When the start and the step are whole numbers and every
// partial sum stays within 2^52 in magnitude, no addition rounds, so the
// sum after k steps is exactly start + k * step, and k * step is exact too.
// Then a pixel's values can be formed directly, several pixels at a time,
// with the bits the sequential additions give.
#include <bit>
#include <cmath>
#include <cstdint>

namespace renderer {

// True when start + k * step (k = 0 .. count - 1) equals the k-fold
// sequential sum for every k. NaN and infinities give false.
inline bool StepsAreExact(double start, double step, int64_t count) {
  constexpr double kLimit = 4503599627370496.0;  // 2^52
  if (!(std::fabs(start) <= kLimit && std::fabs(step) <= kLimit)) return false;
  if (start != std::trunc(start) || step != std::trunc(step)) return false;
  // Rounding in this bound can only raise it past 2^52 by a hair; anything
  // accepted stays below 2^53, where every whole number is a double.
  const double reach = std::fabs(start) + double(count) * std::fabs(step);
  return reach <= kLimit;
}

// True when `count` (1 to 64) further additions of `step`, each rounded,
// from `start` give exactly start + k * *rounded (k = 1 .. count), with
// *rounded the step as the first addition rounds it; each of those values
// is a double, and forming it so is exact.
//
// Let start lie in the binade [L, 2L) (in magnitude), where doubles are the
// multiples of u = L 2^-52, and r = fl(start + step) - start, a multiple of
// u (exact: both share sign and binade). When every y = start + k r lies
// strictly between L and 2L with start's sign, each y's neighbours are
// y -/+ u, so an addition s + step = y + (step - r) with |step - r| < u / 2
// rounds to y: by induction the k-th sum is start + k r. Checking k = 1 and
// k = count covers every k between. |r| < 2L / 64 keeps k r, for k up to
// 64, a multiple of u below 2^53 u: exact, as is start + k r, a multiple of
// u inside the binade (or, outside it, rounded no further in than 2L or L,
// which the check refuses).
inline bool StepsRoundAlike(double start, double step, int64_t count,
                            double* rounded) {
  // Starts far down (where half the spacing would not be a normal double)
  // and in the top binade (whose upper bound is not finite) are refused,
  // as are zero, infinities and not a number.
  if (count < 1 || count > 64 ||
      !(std::fabs(start) >= 0x1p-960 && std::fabs(start) < 0x1p1023)) {
    return false;
  }
  // L: start's bits with the sign and the significand cleared.
  const double low = std::bit_cast<double>(std::bit_cast<uint64_t>(start) &
                                           0x7FF0000000000000u);
  const double high = 2 * low;
  const auto inside = [&](double x) {
    return std::signbit(x) == std::signbit(start) && std::fabs(x) > low &&
           std::fabs(x) < high;
  };
  const double next = start + step;
  if (!inside(next)) return false;
  const double r = next - start;
  // Not a number fails this as well.
  if (!(std::fabs(step - r) < low * 0x1p-53)) return false;
  if (!(64 * std::fabs(r) < high)) return false;
  if (!inside(start + double(count) * r)) return false;
  *rounded = r;
  return true;
}

}  // namespace renderer
