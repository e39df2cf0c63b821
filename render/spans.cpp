// Triangle span setup: corners ordered by y, rows from ceil(top y) to
// ceil(bottom y) - 1, each row's columns from ceil(left edge) to
// ceil(right edge) - 1, all clipped to the viewport.
#include "render/spans.h"

#include <algorithm>

#include "render/clamped_ceil.h"
#include "renderer/int32.h"

namespace renderer {

namespace {

// Which edge is on the left is decided row by row. Returns whether the
// row has a column, and notes the columns in `drawn` (when not null).
inline bool WriteSpan(Span* table, int32_t y, double p, double q,
                      const PixelArea& area, Span* drawn) {
  const double left = q < p ? q : p;
  const double right = q < p ? p : q;
  const int32_t first = CeilAtLeast(left, area.left);
  const int32_t last = CeilMinusOneAtMost(right, area.right);
  table[y] = Span{first, last};
  if (first > last) return false;
  if (drawn != nullptr) NoteDrawn(drawn, y, first, last);
  return true;
}

void SetRows(WorkerScratch& scratch, int32_t first, int32_t middle,
             int32_t last) {
  scratch.firstRow = first;
  scratch.middleRow = middle;
  scratch.lastRow = last;
}

}  // namespace

namespace {

// One step of the exchange sort, with masks and min/max rather than
// branches: corners i and j (y values yi, yj) exchange only when yi > yj.
inline void ExchangeIfGreater(int& i, int& j, double& yi, double& yj) {
  const int flip = (i ^ j) & -int(yi > yj);
  i ^= flip;
  j ^= flip;
  const double low = yj < yi ? yj : yi;
  const double high = yi > yj ? yi : yj;
  yi = low;
  yj = high;
}

// OrderCornersByY, inline for the setup.
inline void OrderByY(const ScreenPoint points[3], int order[3]) {
  int a = 0, b = 1, c = 2;
  double ya = points[0].y, yb = points[1].y, yc = points[2].y;
  ExchangeIfGreater(a, b, ya, yb);
  ExchangeIfGreater(a, c, ya, yc);
  ExchangeIfGreater(b, c, yb, yc);
  order[0] = a;
  order[1] = b;
  order[2] = c;
}

}  // namespace

void OrderCornersByY(const ScreenPoint points[3], int order[3]) {
  OrderByY(points, order);
}

namespace {

// The setup itself; returns whether some row has a column, and notes the
// columns in `drawn` (when not null).
bool SetupSpans(WorkerScratch& scratch, const ScreenPoint points[3],
                const PixelArea& area, const RowBand& band, Span* drawn) {
  int order[3];
  OrderByY(points, order);
  const ScreenPoint t = points[order[0]];
  const ScreenPoint m = points[order[1]];
  const ScreenPoint b = points[order[2]];
  // TruncateToInt32(ceil(t.y)), and of ceil(m.y) - 1 and ceil(b.y) - 1.
  int32_t firstRow = CeilAtLeast(t.y, kInt32Min);
  int32_t middleRow = CeilMinusOneAtMost(m.y, kInt32Max);
  int32_t lastRow = CeilMinusOneAtMost(b.y, kInt32Max);
  if (lastRow < area.top || firstRow > area.bottom) {
    SetRows(scratch, area.top + 1, area.top + 1, area.top);
    return false;
  }
  if (firstRow < area.top) firstRow = area.top;
  if (lastRow > area.bottom) lastRow = area.bottom;
  bool upperVisible = true;
  if (middleRow < area.top) {
    middleRow = area.top;
    upperVisible = false;
  }
  if (middleRow > area.bottom) middleRow = area.bottom;
  const int32_t endRow = std::min(lastRow, band.bottom);
  SetRows(scratch, std::max(firstRow, band.top), middleRow, endRow);
  if (scratch.firstRow > scratch.lastRow) return false;

  // Every row is stepped from firstRow as the whole frame steps it; only the
  // band's rows are written, so a band's spans equal the whole frame's. An
  // edge whose part has no row is not set up.
  Span* table = scratch.spanTable;
  bool covers = false;
  const double slopeLong = (b.x - t.x) / (b.y - t.y);
  double xLong = t.x + slopeLong * (firstRow - t.y);
  int32_t row = firstRow;
  if (m.y != t.y && upperVisible && row <= middleRow) {
    const double slopeUpper = (m.x - t.x) / (m.y - t.y);
    double xUpper = t.x + slopeUpper * (firstRow - t.y);
    for (; row <= middleRow; ++row) {
      if (row > band.bottom) return covers;
      if (row >= band.top) {
        covers |= WriteSpan(table, row, xLong, xUpper, area, drawn);
      }
      xLong += slopeLong;
      xUpper += slopeUpper;
    }
  }
  // The long edge carries on from where the upper part left it.
  if (m.y != b.y && row <= endRow) {
    const double slopeLower = (b.x - m.x) / (b.y - m.y);
    double xLower = m.x + slopeLower * (row - m.y);
    for (; row <= endRow; ++row) {
      if (row >= band.top) {
        covers |= WriteSpan(table, row, xLong, xLower, area, drawn);
      }
      xLong += slopeLong;
      xLower += slopeLower;
    }
  }
  return covers;
}

}  // namespace

bool SetupTriangleSpans(DrawContext& context, const ScreenPoint points[3]) {
  return SetupSpans(context.scratch, points, context.area, context.band,
                    context.drawn);
}

void SetupTriangleSpans(WorkerScratch& scratch, const ScreenPoint points[3],
                        const PixelArea& area) {
  SetupSpans(scratch, points, area, RowBand{area.top, area.bottom}, nullptr);
}

void SetupTriangleSpans(WorkerScratch& scratch, const ScreenPoint points[3],
                        const PixelArea& area, const RowBand& band) {
  SetupSpans(scratch, points, area, band, nullptr);
}

}  // namespace renderer
