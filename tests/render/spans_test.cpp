// Span setup: the worked examples of rows, columns, clamps and tie orders.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "render/spans.h"
#include "render_test_support.h"

namespace {

class SpanSetup : public ::testing::Test {
 protected:
  void SetUp() override {
    target.Bind();
    ResetObjects(1);
    AllocateRenderBuffers();
    SetProjection(400, 2, 0, 0, 0, 0, 100, 100);
    WorkerScratch& scratch = RigScratch();
    std::fill(scratch.spanTable,
              scratch.spanTable + scratch.spanTableRows, kUnwritten);
  }

  void SetUpSpans(ScreenPoint a, ScreenPoint b, ScreenPoint c) {
    const ScreenPoint points[3] = {a, b, c};
    SetupTriangleSpans(points);
  }

  static Span Row(int32_t y) { return RigScratch().spanTable[y]; }

  static int32_t WrittenRows() {
    int32_t count = 0;
    for (int32_t y = 0; y < RigScratch().spanTableRows; ++y) {
      count += Row(y).first != kUnwritten.first;
    }
    return count;
  }

  void ExpectRows(int32_t first, int32_t middle, int32_t last) {
    EXPECT_EQ(RigScratch().firstRow, first);
    EXPECT_EQ(RigScratch().middleRow, middle);
    EXPECT_EQ(RigScratch().lastRow, last);
  }

  static constexpr Span kUnwritten = {-999, -999};
  GuardedFrame target{200, 150};
};

TEST_F(SpanSetup, RightTriangleCoversTopAndLeftBoundariesOnly) {
  SetUpSpans({0.0, 0.0}, {10.0, 0.0}, {0.0, 10.0});
  // Flat top: middle row -1 is raised to the viewport top.
  ExpectRows(0, 0, 9);
  for (int32_t y = 0; y <= 9; ++y) {
    EXPECT_EQ(Row(y).first, 0) << "row " << y;
    EXPECT_EQ(Row(y).last, 9 - y) << "row " << y;
  }
  EXPECT_EQ(WrittenRows(), 10);  // row 10 is not covered
}

TEST_F(SpanSetup, HalfPixelShiftMovesRowsAndColumns) {
  SetUpSpans({0.5, 0.5}, {10.5, 0.5}, {0.5, 10.5});
  EXPECT_EQ(RigScratch().firstRow, 1);
  EXPECT_EQ(RigScratch().lastRow, 10);
  for (int32_t y = 1; y <= 10; ++y) {
    EXPECT_EQ(Row(y).first, 1) << "row " << y;
    EXPECT_EQ(Row(y).last, 10 - y) << "row " << y;
  }
  EXPECT_GT(Row(10).first, Row(10).last);  // written, but empty: 1..0
}

TEST_F(SpanSetup, TrianglesThatCoverNoRowWriteNoSpan) {
  SetUpSpans({0.0, -10.0}, {10.0, -10.0}, {0.0, -0.5});  // wholly above
  ExpectRows(1, 1, 0);
  SetUpSpans({0.0, 101.5}, {10.0, 101.5}, {0.0, 120.0});  // wholly below
  ExpectRows(1, 1, 0);
  SetUpSpans({0.0, 0.2}, {5.0, 0.5}, {0.0, 0.8});  // sliver between two rows
  EXPECT_EQ(RigScratch().firstRow, 1);
  EXPECT_EQ(RigScratch().lastRow, 0);
  SetUpSpans({0.0, 5.0}, {10.0, 5.0}, {20.0, 5.0});  // all three y equal
  EXPECT_GT(RigScratch().firstRow, RigScratch().lastRow);
  EXPECT_EQ(WrittenRows(), 0);
}

TEST_F(SpanSetup, InclusiveViewportReachesOnePastTheClientArea) {
  SetUpSpans({50.0, 50.0}, {300.0, 50.0}, {50.0, 300.0});
  ExpectRows(50, 49, 100);
  for (int32_t y = 50; y <= 100; ++y) {
    EXPECT_EQ(Row(y).first, 50) << "row " << y;
    EXPECT_EQ(Row(y).last, 100) << "row " << y;
  }
}

TEST_F(SpanSetup, RowsLeftOrRightOfTheViewportEndEmpty) {
  SetUpSpans({-50.0, 0.0}, {-10.0, 0.0}, {-30.0, 20.0});
  for (int32_t y = 0; y < 20; ++y) EXPECT_GT(Row(y).first, Row(y).last);
  SetUpSpans({110.0, 0.0}, {150.0, 0.0}, {130.0, 20.0});
  for (int32_t y = 0; y < 20; ++y) EXPECT_GT(Row(y).first, Row(y).last);
}

TEST_F(SpanSetup, MiddleCornerAboveTheViewportSkipsTheUpperPart) {
  // Long edge x = 0; lower edge from (20, -4) to (0, 12), slope -1.25, so at
  // row y it lies at 15 - 1.25 y (exact in binary).
  SetUpSpans({0.0, -10.0}, {20.0, -4.0}, {0.0, 12.0});
  ExpectRows(0, 0, 11);
  for (int32_t y = 0; y <= 11; ++y) {
    EXPECT_EQ(Row(y).first, 0) << "row " << y;
    EXPECT_EQ(Row(y).last, int32_t(std::ceil(15 - 1.25 * y)) - 1) << "row " << y;
  }
}

TEST_F(SpanSetup, ExchangeSortTieOrders) {
  int order[3];
  const ScreenPoint a[3] = {{0, 1}, {0, 1}, {0, 0}};
  OrderCornersByY(a, order);
  EXPECT_EQ((std::array<int, 3>{order[0], order[1], order[2]}),
            (std::array<int, 3>{2, 1, 0}));
  const ScreenPoint b[3] = {{0, 1}, {0, 0}, {0, 0}};
  OrderCornersByY(b, order);
  EXPECT_EQ((std::array<int, 3>{order[0], order[1], order[2]}),
            (std::array<int, 3>{1, 2, 0}));
  const ScreenPoint c[3] = {{0, 4}, {0, 4}, {0, 4}};
  OrderCornersByY(c, order);
  EXPECT_EQ((std::array<int, 3>{order[0], order[1], order[2]}),
            (std::array<int, 3>{0, 1, 2}));
}

TEST_F(SpanSetup, TiedCornersCoverTheSamePixelsInEveryInputOrder) {
  const ScreenPoint shapes[2][3] = {
      {{3.3, 1.5}, {12.7, 1.5}, {6.1, 9.25}},    // flat top
      {{1.2, 2.0}, {5.5, 8.5}, {19.75, 8.5}}};  // flat bottom
  for (const auto& shape : shapes) {
    int perm[3] = {0, 1, 2};
    std::vector<Span> reference;
    do {
      SetUpSpans(shape[perm[0]], shape[perm[1]], shape[perm[2]]);
      std::vector<Span> rows;
      const WorkerScratch& scratch = RigScratch();
      for (int32_t y = scratch.firstRow; y <= scratch.lastRow; ++y) {
        rows.push_back(Row(y));
      }
      if (reference.empty()) reference = rows;
      ASSERT_EQ(rows.size(), reference.size());
      for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].first, reference[i].first);
        EXPECT_EQ(rows[i].last, reference[i].last);
      }
    } while (std::next_permutation(perm, perm + 3));
  }
}

TEST_F(SpanSetup, DegenerateViewports) {
  SetProjection(400, 2, 0, 0, 0, 10, 100, 5);  // bottom above top
  SetUpSpans({0.0, 0.0}, {50.0, 0.0}, {0.0, 50.0});
  EXPECT_GT(RigScratch().firstRow, RigScratch().lastRow);
  EXPECT_EQ(WrittenRows(), 0);

  SetProjection(400, 2, 0, 0, 0, 0, 0, 0);  // inclusive bounds: pixel (0, 0)
  SetUpSpans({-5.0, -5.0}, {10.0, -5.0}, {-5.0, 10.0});
  ExpectRows(0, 0, 0);
  EXPECT_EQ(Row(0).first, 0);
  EXPECT_EQ(Row(0).last, 0);
}

// A band writes exactly the whole area's spans for its own rows and nothing
// else: slopes with long binary fractions, so that a band that derived its
// first row afresh instead of stepping to it would differ in some column.
TEST_F(SpanSetup, BandsWriteTheWholeAreasSpansForTheirRowsOnly) {
  const PixelArea area = RigContext().area;
  const ScreenPoint shapes[][3] = {
      {{3.3, -7.1}, {97.9, 41.7}, {12.6, 140.2}},
      {{50.01, 0.49}, {0.3, 99.97}, {99.1, 70.3}},
      {{-20.7, 33.3}, {120.2, 33.3}, {41.1, 77.7}},
      {{10.0 / 3.0, 1.0 / 7.0}, {91.0 / 3.0, 600.0 / 7.0}, {7.7, 99.5}}};
  for (const auto& shape : shapes) {
    WorkerScratch& scratch = RigScratch();
    SetupTriangleSpans(scratch, shape, area);
    const std::vector<Span> whole(scratch.spanTable,
                                  scratch.spanTable + area.bottom + 1);
    const int32_t firstRow = scratch.firstRow, lastRow = scratch.lastRow;
    for (int32_t top = area.top; top <= area.bottom; top += 7) {
      const RowBand band{top, std::min(top + 9, area.bottom)};
      std::fill(scratch.spanTable,
                scratch.spanTable + scratch.spanTableRows, kUnwritten);
      SetupTriangleSpans(scratch, shape, area, band);
      EXPECT_EQ(scratch.firstRow, std::max(firstRow, band.top));
      EXPECT_EQ(scratch.lastRow, std::min(lastRow, band.bottom));
      for (int32_t y = area.top; y <= area.bottom; ++y) {
        const bool inside = y >= scratch.firstRow && y <= scratch.lastRow;
        const Span expected = inside ? whole[size_t(y)] : kUnwritten;
        EXPECT_EQ(Row(y).first, expected.first) << "band " << top << " row " << y;
        EXPECT_EQ(Row(y).last, expected.last) << "band " << top << " row " << y;
      }
    }
  }
}

}  // namespace
