// When a running sum may be formed per pixel: only when start + k * step
// is what k sequential additions give, for every k of the row.
#include "render/exact_steps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using renderer::StepsAreExact;

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

}  // namespace
