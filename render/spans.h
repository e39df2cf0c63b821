#pragma once
// Triangle span setup: which pixels of each row a triangle covers.
#include "render/draw_area.h"

// One projected corner, in frame-buffer pixels (y grows downwards).
struct ScreenPoint {
  double x;
  double y;
};

// The corners' indices ordered top, middle, bottom by an exchange sort that
// never exchanges equal y values (yet is not stable: y (1, 0, 0) gives
// 1, 2, 0).
void OrderCornersByY(const ScreenPoint points[3], int order[3]);

// Writes renderContext.firstRow, middleRow, lastRow and the SpanTable rows
// firstRow..lastRow for the triangle, clipped to the drawable viewport.
// firstRow > lastRow when no row is covered; a row with first > last covers
// no column.
void SetupTriangleSpans(const ScreenPoint points[3]);

// The same, clipped to `area` (inclusive bounds that the span table, frame
// buffer and depth buffer all hold; DrawableViewport gives them).
void SetupTriangleSpans(const ScreenPoint points[3], const PixelArea& area);
