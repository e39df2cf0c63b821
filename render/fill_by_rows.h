#pragma once
// The two fills driven row by row through a vector target's row kernels
// (row_kernels.h): the triangle's spans, plane and colour or texture are set
// up as the plain fills set them up, and each row's start values formed as
// they form them; the kernel draws the row.
#include "render/clipped_triangle.h"
#include "render/draw_area.h"
#include "render/row_kernels.h"

namespace renderer {

void FillTexturedTriangleByRows(DrawContext& context,
                                const ClippedTriangle& triangle,
                                TexturedRowKernel kernel);
void FillFlatTriangleByRows(DrawContext& context,
                            const ClippedTriangle& triangle,
                            FlatRowKernel kernel);

// The pixels alone, over spans already set up (FillFlatSpans,
// FillTexturedSpans).
void FillTexturedSpansByRows(DrawContext& context,
                             const ClippedTriangle& triangle,
                             TexturedRowKernel kernel);
void FillFlatSpansByRows(DrawContext& context, const ClippedTriangle& triangle,
                         FlatRowKernel kernel);

}  // namespace renderer
