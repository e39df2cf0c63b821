#pragma once
// What the renderer may touch this frame: the frame buffer and depth buffer
// as bounded views, and the viewport cut down to the pixels both hold.
// Every writer goes through these, so no index can leave its buffer whatever
// the target, the viewport or the span table hold.
#include <cstdint>

#include "render/row_kernels.h"
#include "render/workspace.h"
#include "renderer/render.h"

namespace renderer {

// The frame buffer: `columns` x `rows` pixels, row y at pixels + y * stride.
// Empty (0 x 0) when the target has no usable pixels.
struct FrameView {
  uint32_t* pixels;
  int64_t stride;  // pitch / 4
  int32_t columns;
  int32_t rows;
};

// The depth buffer: rows `stride` entries long, as many whole rows as the
// entries hold.
struct DepthView {
  float* depth;
  int64_t stride;
  int32_t columns;  // the stride, or 0 for an unusable one
  int32_t rows;
  int64_t entries;
};

// Inclusive pixel bounds; empty when right < left or bottom < top.
struct PixelArea {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

FrameView FrameViewOf(const FrameTarget& target);
DepthView DepthViewOf(const FrameTarget& target);

// The view's viewport (inclusive), cut down to the columns and rows that
// the frame buffer, the depth buffer and a span table of `tableRows` rows
// all hold. Equal to the viewport whenever the viewport fits in all three.
PixelArea DrawableViewport(const View& view, const FrameView& frameView,
                           const DepthView& depthView, int32_t tableRows);

// The rows one worker draws, both inclusive: it writes no pixel or depth
// entry outside them.
struct RowBand {
  int32_t top;
  int32_t bottom;
};

// Everything the clipper, span setup, the fills and the lines need for one
// frame on one worker: the view, the bounded buffers, the drawable area,
// the light, the fill version's kernels (resolved once per frame) and the
// worker's scratch record.
struct DrawContext {
  const View& view;
  FrameView frame;
  DepthView depth;
  PixelArea area;
  RowBand band;     // the rows this context draws: the whole area, or a band
  IntVertex light;  // lights untextured triangles
  const RowKernels* kernels;  // null: the plain fills
  const Workspace& workspace;  // the owner: this frame's vertices and looks
  WorkerScratch& scratch;
  // Per depth row, the columns this frame wrote (DrawnRows), or null: the
  // fills and lines widen them.
  Span* drawn = nullptr;
};

// The context for one frame into `target` on worker 0, its band the whole
// area and its kernels the workspace's fill version; the span tables must
// already be sized (PrepareWorkspace).
DrawContext MakeDrawContext(const View& view, const FrameTarget& target,
                            Workspace& workspace, const IntVertex& light);

}  // namespace renderer
