#pragma once
// The frame drawn in row bands on the workspace's pool. The triangles are
// sorted once per frame into per-band lists (band_bins.h); every band walks
// its list and the shared one in scene order and writes only its own rows,
// with spans equal to the whole frame's (SetupTriangleSpans), so each pixel
// sees the same tests in the same order whatever the split and whichever
// thread draws the band. Bands are claimed from a counter, so a thread that is
// slow to start leaves its share to the others.
#include <cstdint>

#include "render/draw_area.h"
#include "render/drawn_rows.h"

namespace renderer {

// How many bands a frame over `area` is drawn in: 1 without a pool, for an
// empty area, or when the area has fewer than 2 x workspace.minBandRows
// rows; else up to kBandsPerWorker per worker, each at least minBandRows.
int32_t BandCount(const Workspace& workspace, const PixelArea& area);

// Bands per worker when the rows allow: several, so that the work evens
// out when the bands cost differently or a worker starts late.
constexpr int32_t kBandsPerWorker = 4;

// Band `index` of `bands` equal parts of rows top..bottom (a frame's first
// split, and the clears'); empty past `bands`.
RowBand BandOf(int32_t top, int32_t bottom, int32_t bands, int32_t index);

// A colour clear made with the frame: ClearFrame's rows 0..rows, columns
// 0..columns, every pixel or (drawnOnly) what the last frame drew.
struct ColourClearRows {
  int32_t rows;
  int32_t columns;
  bool drawnOnly;
  int64_t recordRows;  // the rows the last frame's record held (drawnOnly)
};

// The clear ClearFrame(target, lastRow, lastColumn, workspace) makes, its
// bounds cut to the buffer, noted in the workspace's record as made; false
// (nothing noted) when it clears nothing.
bool PlanColourClear(const FrameTarget& target, int32_t lastRow,
                     int32_t lastColumn, Workspace& workspace,
                     ColourClearRows* clear);

// Clears rows first..last of `clear`'s with `kernels`' stores.
void ClearColourRows(const ColourClearRows& clear, const FrameTarget& target,
                     const DrawnRows& drawn, const RowKernels* kernels,
                     int32_t first, int32_t last);

// One frame in `bands` bands on the workspace's pool, their rows split by
// what each cost last frame (band_layout.h): the transform and
// projection (in vertex ranges when the scene is large), the triangles
// sorted into the bands' lists, then per band the depth reset of its rows
// and its triangles. The objects are split after
// each object with lines into stretches: a stretch's lines are drawn, by
// whichever thread finishes the stretch's last band, before any band of
// the next stretch starts. `whole` is the frame's context (worker 0's);
// each worker draws with its own scratch record and counts there, lines
// included. With `clear`, each band first clears its rows of it (the first
// band also the rows above the area, the last those below), before its
// depth reset.
void DrawSceneInBands(const DrawContext& whole, const Scene& scene,
                      const FrameTarget& target, Workspace& workspace,
                      int32_t bands, const ColourClearRows* clear = nullptr);

// The clear `rows` in bands on the pool, with the workspace's fill
// version's stores: every pixel, or with drawnOnly the columns the
// workspace's record says the last frame wrote (ClearDrawnColour).
void ClearRowsInBands(const FrameTarget& target, const ColourClearRows& rows,
                      Workspace& workspace);

}  // namespace renderer
