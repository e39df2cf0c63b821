// The span setup's ceilings without a library call give what the library's
// ceiling, TruncateToInt32 and the clamp to the drawable columns give: on
// whole numbers and a hair either side, fractions, the int32 ends, values
// far beyond them, infinities and not-a-number, against bounds anywhere.
#include "render/clamped_ceil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

using namespace renderer;

std::vector<double> AwkwardValues(std::mt19937_64& random) {
  const double inf = std::numeric_limits<double>::infinity();
  std::vector<double> values = {
      0.0, -0.0, 0.5, -0.5, 1.0, -1.0, 2147483646.5, 2147483647.0,
      2147483647.5, 2147483648.0, 2147483649.0, -2147483647.5,
      -2147483648.0, -2147483648.5, -2147483649.0, -2147483650.0, 1.0e300,
      -1.0e300, 4503599627370497.0, inf, -inf,
      std::numeric_limits<double>::quiet_NaN()};
  std::uniform_int_distribution<int64_t> whole(-3000, 3000);
  std::uniform_real_distribution<double> part(-3000, 3000);
  for (int i = 0; i < 3000; ++i) {
    const double w = double(whole(random));
    values.push_back(w);
    values.push_back(std::nextafter(w, inf));
    values.push_back(std::nextafter(w, -inf));
    values.push_back(part(random));
    values.push_back(part(random) * 1.0e6);
  }
  return values;
}

TEST(ClampedCeil, MatchesTheLibraryCeilingTruncatedAndClamped) {
  std::mt19937_64 random(16);
  const std::vector<double> values = AwkwardValues(random);
  const int32_t bounds[] = {0, 1, -1, 7, -3000, 2999, 1599, kInt32Min,
                            kInt32Max, kInt32Max - 1, kInt32Min + 1};
  for (const double v : values) {
    for (const int32_t bound : bounds) {
      EXPECT_EQ(CeilAtLeast(v, bound),
                std::max(TruncateToInt32(std::ceil(v)), bound))
          << v << " at least " << bound;
      EXPECT_EQ(CeilMinusOneAtMost(v, bound),
                std::min(TruncateToInt32(std::ceil(v) - 1.0), bound))
          << v << " at most " << bound;
    }
  }
}

}  // namespace
