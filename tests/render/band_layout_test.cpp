// Splitting a banded frame's rows by last frame's band costs: every row in
// exactly one band, no band thinner than asked, and costly rows shared out
// in shares that shrink down the frame.
#include <gtest/gtest.h>

#include "render/band_layout.h"

namespace {

using renderer::BandLayout;
using renderer::PlanBands;

// Bands run top to bottom without gap or overlap, each minRows or more.
void ExpectCovers(const BandLayout& layout, int32_t top, int32_t bottom,
                  int32_t minRows) {
  ASSERT_EQ(layout.starts[0], top);
  ASSERT_EQ(layout.starts[size_t(layout.bands)], bottom + 1);
  for (int32_t i = 0; i < layout.bands; ++i) {
    EXPECT_GE(layout.starts[size_t(i) + 1] - layout.starts[size_t(i)],
              minRows)
        << "band " << i;
  }
}

// Cost per row: rows 300..399 cost 100 times as much as the others.
int64_t RowCost(int32_t row) { return row >= 300 && row < 400 ? 100 : 1; }

void NoteCosts(BandLayout& layout) {
  for (int32_t i = 0; i < layout.bands; ++i) {
    int64_t cost = 0;
    for (int32_t y = layout.starts[size_t(i)];
         y < layout.starts[size_t(i) + 1]; ++y) {
      cost += RowCost(y);
    }
    layout.costs[size_t(i)] = cost;
  }
}

TEST(BandLayout, FirstSplitIsEqualThenCostsShrinkDownTheFrame) {
  BandLayout layout;
  PlanBands(layout, 0, 999, 4, 16);
  ExpectCovers(layout, 0, 999, 16);
  EXPECT_EQ(layout.starts[1], 250);
  EXPECT_EQ(layout.starts[2], 500);
  for (int frame = 0; frame < 8; ++frame) {
    NoteCosts(layout);
    PlanBands(layout, 0, 999, 4, 16);
    ExpectCovers(layout, 0, 999, 16);
  }
  // 10 900 in all, in shares of 4, 3, 2 and 1 tenths: 4 360, 3 270, 2 180
  // and 1 090, none far off, each band costing less than the one above.
  NoteCosts(layout);
  for (int32_t i = 0; i < 4; ++i) {
    EXPECT_NEAR(double(layout.costs[size_t(i)]), 10900.0 * (4 - i) / 10, 400)
        << "band " << i;
  }
}

TEST(BandLayout, KeepsTheFewestRowsAndStartsOverWhenTheRowsChange) {
  BandLayout layout;
  PlanBands(layout, 10, 73, 4, 16);  // exactly 4 x 16 rows
  ExpectCovers(layout, 10, 73, 16);
  layout.costs = {1000000, 1, 1, 1};
  PlanBands(layout, 10, 73, 4, 16);
  ExpectCovers(layout, 10, 73, 16);
  layout.costs = {1000000, 1, 1, 1};
  PlanBands(layout, 10, 99, 4, 16);  // other rows: equal parts again
  ExpectCovers(layout, 10, 99, 16);
  EXPECT_EQ(layout.starts[1], 10 + 90 / 4);
  // A band that cost nothing (unknown) leaves the split as it was.
  layout.costs = {5, 0, 5, 5};
  PlanBands(layout, 10, 99, 4, 16);
  EXPECT_EQ(layout.starts[1], 10 + 90 / 4);
}

}  // namespace
