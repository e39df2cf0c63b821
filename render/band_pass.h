#pragma once
// The frame drawn in row bands, one per worker of the workspace's pool.
// Every band walks every triangle in scene order and writes only its own
// rows, with spans equal to the whole frame's (SetupTriangleSpans), so each
// pixel sees the same tests in the same order whatever the split.
#include <cstdint>

#include "render/draw_area.h"

namespace renderer {

// How many bands a frame over `area` is drawn in: 1 without a pool, for an
// empty area, or when the area has too few rows for each worker to get
// workspace.minBandRows; else one per worker, at most.
int32_t BandCount(const Workspace& workspace, const PixelArea& area);

// Band `index` of `bands` equal parts of rows top..bottom (the last ones
// one row longer when the rows do not divide evenly); empty past `bands`.
RowBand BandOf(int32_t top, int32_t bottom, int32_t bands, int32_t index);

// One frame in `bands` bands on the workspace's pool: the depth reset, the
// transform and projection (vertex ranges per worker), then the triangles
// band by band. An object's lines are drawn by one worker between two
// barriers. Counters are added into `context.workspace`: pixels summed over
// the workers, stage times of the slowest one.
void RenderSceneInBands(DrawContext& context, const Scene& scene,
                        const FrameTarget& target, int32_t bands);

// ClearFrame's rows 0..rows, columns 0..columns in bands on the pool.
void ClearRowsInBands(const FrameView& frame, int32_t rows, int32_t columns,
                      Workspace& workspace);

}  // namespace renderer
