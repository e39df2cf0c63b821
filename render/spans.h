#pragma once
// Triangle span setup: which pixels of each row a triangle covers.
#include "render/draw_area.h"

namespace renderer {

// One projected corner, in frame-buffer pixels (y grows downwards).
struct ScreenPoint {
  double x;
  double y;
};

// The corners' indices ordered top, middle, bottom by an exchange sort that
// never exchanges equal y values (yet is not stable: y (1, 0, 0) gives
// 1, 2, 0).
void OrderCornersByY(const ScreenPoint points[3], int order[3]);

// Writes the scratch record's firstRow, middleRow, lastRow and its span
// table's rows firstRow..lastRow for the triangle, clipped to `area`
// (inclusive bounds that the span table, frame buffer and depth buffer all
// hold; DrawableViewport gives them). firstRow > lastRow when no row is covered;
// a row with first > last covers no column.
void SetupTriangleSpans(WorkerScratch& scratch, const ScreenPoint points[3],
                        const PixelArea& area);

// The same, but writing only the rows of `band`: each written row equals
// the whole-area setup's, and firstRow..lastRow is cut to the band.
void SetupTriangleSpans(WorkerScratch& scratch, const ScreenPoint points[3],
                        const PixelArea& area, const RowBand& band);

// The same, clipped to the context's drawable area and band; the covered
// columns are noted in the context's drawn rows, when it has them. Returns
// false when no row has a column: the fills then have nothing to draw.
bool SetupTriangleSpans(DrawContext& context, const ScreenPoint points[3]);

}  // namespace renderer
