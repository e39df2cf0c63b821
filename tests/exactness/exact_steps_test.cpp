// When a running sum may be formed per pixel: only when start + k * step
// is what k sequential additions give, for every k of the row.
#include "render/exact_steps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using renderer::StepsAreExact;
using renderer::StepsRoundAlike;

namespace {

// The property itself, checked the slow way.
bool SequentialMatchesDirect(double start, double step, int64_t count) {
  double sum = start;
  for (int64_t k = 0; k < count; ++k) {
    if (sum != start + double(k) * step) return false;
    sum += step;
  }
  return true;
}

TEST(ExactSteps, AcceptedRowsAddUpExactly) {
  std::mt19937_64 random(7);
  std::uniform_int_distribution<int> scale(0, 60);
  std::uniform_int_distribution<int64_t> count(1, 2000);
  int accepted = 0;
  for (int i = 0; i < 20000; ++i) {
    const double start = std::ldexp(
        std::uniform_real_distribution<double>(-1, 1)(random), scale(random));
    const double step = std::ldexp(
        std::uniform_real_distribution<double>(-1, 1)(random), scale(random));
    // Whole numbers most of the time, as the demo's sums are.
    const bool whole = i % 4 != 0;
    const double s0 = whole ? std::trunc(start) : start;
    const double ds = whole ? std::trunc(step) : step;
    const int64_t n = count(random);
    if (!StepsAreExact(s0, ds, n)) continue;
    ++accepted;
    ASSERT_TRUE(SequentialMatchesDirect(s0, ds, n))
        << s0 << " + k * " << ds << ", " << n << " steps";
  }
  EXPECT_GT(accepted, 5000);
}

TEST(ExactSteps, RefusesWhatCouldRound) {
  const double big = 4503599627370496.0;  // 2^52
  EXPECT_TRUE(StepsAreExact(-1000.0, 7.0, 800));
  EXPECT_TRUE(StepsAreExact(big - 1000.0, 1.0, 1000));
  EXPECT_FALSE(StepsAreExact(big - 1000.0, 1.0, 1001));  // would pass 2^52
  EXPECT_FALSE(StepsAreExact(0.5, 1.0, 10));             // not whole
  EXPECT_FALSE(StepsAreExact(1.0, 0.25, 10));
  EXPECT_FALSE(StepsAreExact(std::numeric_limits<double>::quiet_NaN(), 1, 4));
  EXPECT_FALSE(StepsAreExact(1.0, std::numeric_limits<double>::infinity(), 4));
  // At 2^53 the sums really do round: 2^53 + 1 stays 2^53 step after
  // step, while 2^53 + 3 rounds up to 2^53 + 4.
  EXPECT_FALSE(SequentialMatchesDirect(2 * big, 1.0, 4));
  EXPECT_FALSE(StepsAreExact(2 * big, 1.0, 4));
}

// Fractional sums within one binade: accepted ones must match k rounded
// additions for every k up to the count. The cases gather where rounding
// could differ from step to step: steps half-way between two multiples of
// the binade's spacing (ties, rounded to even, so alike only by chance),
// starts and ends right at the binade's edges, sign changes, steps far
// smaller than the spacing, and the demo's kind (sums near 10^8 to 10^11,
// steps near 10^8, thirds and ninety-ninths).
TEST(ExactSteps, BinadeStepsRoundAlike) {
  std::mt19937_64 random(11);
  std::uniform_int_distribution<int> kind(0, 6);
  std::uniform_int_distribution<int> scale(-40, 60);
  std::uniform_int_distribution<int64_t> count(1, 64);
  std::uniform_real_distribution<double> unit(-1, 1);
  int accepted = 0;
  int ties = 0;
  for (int i = 0; i < 200000; ++i) {
    const int e = scale(random);
    const double low = std::ldexp(1.0, e);
    const double spacing = std::ldexp(low, -52);
    double start = low * (1.5 + 0.5 * unit(random));
    double step = 0;
    switch (kind(random)) {
      case 0:  // a tie: an odd number of half spacings
        step = spacing * (2.0 * std::trunc(1000 * unit(random)) + 1) / 2;
        break;
      case 1:  // from right at the binade's floor or ceiling
        start = unit(random) < 0 ? low : 2 * low - spacing;
        step = low * 1e-3 * unit(random);
        break;
      case 2:  // far below the spacing
        step = spacing * 1e-3 * unit(random);
        break;
      case 4:  // a few spacings above the floor, down to it or past it
        start = low + spacing * double(1 + i % 8);
        step = -spacing * (double(1 + i % 4) + 0.45 * unit(random));
        break;
      case 3:  // the demo's kind
        start = -1e8 * std::trunc(1000 * unit(random)) / 99.0;
        step = -122900392.08080807 * (1 + unit(random) * 0.1);
        break;
      default:
        step = low * std::ldexp(unit(random), -kind(random) * 4);
        break;
    }
    if (unit(random) < 0) start = -start;
    const int64_t n = count(random);
    double rounded = 0;
    if (!StepsRoundAlike(start, step, n, &rounded)) continue;
    ++accepted;
    const bool tie =
        std::fabs(std::fmod(step / spacing, 1.0)) == 0.5 && start != 0;
    ties += tie;
    double sum = start;
    for (int64_t k = 1; k <= n; ++k) {
      sum += step;
      ASSERT_EQ(sum, start + double(k) * rounded)
          << start << " + " << k << " x " << step << " (case " << i << ")";
    }
  }
  EXPECT_GT(accepted, 40000);
  EXPECT_EQ(ties, 0);  // a tie must never be accepted
}

TEST(ExactSteps, BinadeStepsRefuseWhatCouldRoundOtherwise) {
  double r = 0;
  const double third = 1.0 / 3;
  EXPECT_TRUE(StepsRoundAlike(1.25, third * 1e-3, 64, &r));
  EXPECT_FALSE(StepsRoundAlike(1.25, third, 64, &r));   // leaves [1, 2)
  EXPECT_FALSE(StepsRoundAlike(1.0, -0x1p-60, 1, &r));  // below 1: finer
  EXPECT_FALSE(StepsRoundAlike(1.5, 0x1p-53, 4, &r));   // half a spacing
  // Down to 1 exactly, where the spacing below halves: 1 + 6u - 3.4u
  // rounds to 1 + 3u, but 1 + 3u - 3.4u to 1 - u / 2, not 1.
  const double u = 0x1p-52;
  EXPECT_TRUE(StepsRoundAlike(1 + 6 * u, -3.4 * u, 1, &r));
  EXPECT_FALSE(StepsRoundAlike(1 + 6 * u, -3.4 * u, 2, &r));
  EXPECT_FALSE(StepsRoundAlike(0.0, 1.0, 4, &r));
  EXPECT_FALSE(StepsRoundAlike(1e-300, 1e-310, 4, &r));  // spacing subnormal
  EXPECT_FALSE(StepsRoundAlike(1.5e308, 1e292, 4, &r));  // top binade
  EXPECT_TRUE(StepsRoundAlike(-1.5e300, 1e284, 4, &r));
  EXPECT_FALSE(
      StepsRoundAlike(1.5, std::numeric_limits<double>::quiet_NaN(), 1, &r));
  EXPECT_FALSE(StepsRoundAlike(1.5, 1e-6, 65, &r));
}

}  // namespace
