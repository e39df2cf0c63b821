#pragma once
// When a running sum may be evaluated per pixel instead of step by step.
//
// The fills advance d, Un and Vn along a row by repeated double additions,
// each rounded. When the start and the step are whole numbers and every
// partial sum stays within 2^52 in magnitude, no addition rounds, so the
// sum after k steps is exactly start + k * step, and k * step is exact too.
// Then a pixel's values can be formed directly, several pixels at a time,
// with the bits the sequential additions give.
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

}  // namespace renderer
