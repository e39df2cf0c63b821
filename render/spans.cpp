// Triangle span setup: corners ordered by y, rows from ceil(top y) to
// ceil(bottom y) - 1, each row's columns from ceil(left edge) to
// ceil(right edge) - 1, all clipped to the viewport.
#include "render/spans.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "renderer/int32.h"

namespace renderer {

namespace {

// Which edge is on the left is decided row by row.
void WriteSpan(Span* table, int32_t y, double p, double q,
               const PixelArea& area) {
  const double left = q < p ? q : p;
  const double right = q < p ? p : q;
  int32_t first = TruncateToInt32(std::ceil(left));
  int32_t last = TruncateToInt32(std::ceil(right) - 1.0);
  if (first < area.left) first = area.left;
  if (last > area.right) last = area.right;
  table[y] = Span{first, last};
}

void SetRows(WorkerScratch& scratch, int32_t first, int32_t middle,
             int32_t last) {
  scratch.firstRow = first;
  scratch.middleRow = middle;
  scratch.lastRow = last;
}

}  // namespace

void OrderCornersByY(const ScreenPoint points[3], int order[3]) {
  order[0] = 0;
  order[1] = 1;
  order[2] = 2;
  for (int i = 0; i < 2; ++i) {
    for (int j = i + 1; j < 3; ++j) {
      if (points[order[i]].y > points[order[j]].y) std::swap(order[i], order[j]);
    }
  }
}

bool SetupTriangleSpans(DrawContext& context, const ScreenPoint points[3]) {
  WorkerScratch& scratch = context.scratch;
  SetupTriangleSpans(scratch, points, context.area, context.band);
  bool covers = false;
  for (int32_t y = scratch.firstRow; y <= scratch.lastRow; ++y) {
    const Span span = scratch.spanTable[y];
    if (span.first <= span.last) {
      covers = true;
      if (context.drawn != nullptr) {
        NoteDrawn(context.drawn, y, span.first, span.last);
      }
    }
  }
  return covers;
}

void SetupTriangleSpans(WorkerScratch& scratch, const ScreenPoint points[3],
                        const PixelArea& area) {
  SetupTriangleSpans(scratch, points, area, RowBand{area.top, area.bottom});
}

void SetupTriangleSpans(WorkerScratch& scratch, const ScreenPoint points[3],
                        const PixelArea& area, const RowBand& band) {
  int order[3];
  OrderCornersByY(points, order);
  const ScreenPoint t = points[order[0]];
  const ScreenPoint m = points[order[1]];
  const ScreenPoint b = points[order[2]];
  int32_t firstRow = TruncateToInt32(std::ceil(t.y));
  int32_t middleRow = TruncateToInt32(std::ceil(m.y) - 1.0);
  int32_t lastRow = TruncateToInt32(std::ceil(b.y) - 1.0);
  if (lastRow < area.top || firstRow > area.bottom) {
    SetRows(scratch, area.top + 1, area.top + 1, area.top);
    return;
  }
  if (firstRow < area.top) firstRow = area.top;
  if (lastRow > area.bottom) lastRow = area.bottom;
  bool upperVisible = true;
  if (middleRow < area.top) {
    middleRow = area.top;
    upperVisible = false;
  }
  if (middleRow > area.bottom) middleRow = area.bottom;
  SetRows(scratch, std::max(firstRow, band.top), middleRow,
          std::min(lastRow, band.bottom));
  if (scratch.firstRow > scratch.lastRow) return;

  // Every row is stepped from firstRow as the whole frame steps it; only the
  // band's rows are written, so a band's spans equal the whole frame's.
  const double slopeLong = (b.x - t.x) / (b.y - t.y);
  double xLong = t.x + slopeLong * (firstRow - t.y);
  int32_t row = firstRow;
  if (m.y != t.y && upperVisible) {
    const double slopeUpper = (m.x - t.x) / (m.y - t.y);
    double xUpper = t.x + slopeUpper * (firstRow - t.y);
    for (; row <= middleRow; ++row) {
      if (row > band.bottom) return;
      if (row >= band.top) {
        WriteSpan(scratch.spanTable, row, xLong, xUpper, area);
      }
      xLong += slopeLong;
      xUpper += slopeUpper;
    }
  }
  // The long edge carries on from where the upper part left it.
  if (m.y != b.y) {
    const double slopeLower = (b.x - m.x) / (b.y - m.y);
    double xLower = m.x + slopeLower * (row - m.y);
    for (; row <= lastRow && row <= band.bottom; ++row) {
      if (row >= band.top) {
        WriteSpan(scratch.spanTable, row, xLong, xLower, area);
      }
      xLong += slopeLong;
      xLower += slopeLower;
    }
  }
}

}  // namespace renderer
