#pragma once
// What the renderer may touch this frame: the frame buffer and depth buffer
// as bounded views, and the viewport cut down to the pixels both hold.
// Every writer goes through these, so no index can leave its buffer whatever
// the target, the viewport or the span table hold.
#include <cstdint>

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
// the frame buffer, the depth buffer and the span table all hold. Equal to
// the viewport whenever the viewport fits in all three.
PixelArea DrawableViewport(const View& view, const FrameView& frameView,
                           const DepthView& depthView,
                           const Workspace& workspace);

// The rows one worker draws, both inclusive: it writes no pixel or depth
// entry outside them.
struct RowBand {
  int32_t top;
  int32_t bottom;
};

// Everything the scene pass, the clipper, span setup, the fills and the
// lines need for one frame: the view, the bounded buffers, the drawable
// area, the light, and the workspace they write their scratch state into.
struct DrawContext {
  const View& view;
  FrameView frame;
  DepthView depth;
  PixelArea area;
  RowBand band;     // the rows this context draws: the whole area, or a band
  IntVertex light;  // lights untextured triangles
  Workspace& workspace;
};

// The context for one frame into `target`, its band the whole area; the
// workspace's span table must already be sized (PrepareWorkspace).
DrawContext MakeDrawContext(const View& view, const FrameTarget& target,
                            Workspace& workspace, const IntVertex& light);

}  // namespace renderer
