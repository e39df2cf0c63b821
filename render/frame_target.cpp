// Frame targets over caller memory: their sizes, the colour clear and
// reading a depth back.
#include <algorithm>
#include <bit>

#include "render/band_pass.h"
#include "render/draw_area.h"
#include "renderer/int32.h"
#include "render/word_fill.h"
#include "renderer/render.h"

namespace renderer {

int64_t DepthEntriesFor(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return 0;
  return (int64_t{width} + 1) * (int64_t{height} + 1);
}

FrameTarget MakeFrameTarget(uint32_t* pixels, float* depth, int32_t width,
                            int32_t height) {
  FrameTarget target;
  const bool usable = width > 0 && height > 0 && width <= kInt32Max / 4;
  if (!usable) return target;
  target.pixels = pixels;
  target.pitch = width * 4;
  target.width = width;
  target.height = height;
  target.depth = depth;
  target.depthStride = width;
  target.depthEntries = depth != nullptr ? DepthEntriesFor(width, height) : 0;
  target.clientRect = Rect{0, 0, width, height};
  return target;
}

void ClearFrame(const FrameTarget& target, int32_t lastRow, int32_t lastColumn) {
  const FrameView view = FrameViewOf(target);
  // A client area larger than the buffer (possible while a border is being
  // dragged) is cut to the buffer.
  const int32_t rows = std::min(lastRow, view.rows - 1);
  const int32_t columns = std::min(lastColumn, view.columns - 1);
  if (columns < 0) return;
  FillRows(BestFillKernels(), view.pixels, view.stride, 0, rows,
           size_t(columns) + 1, kBackgroundColour);
}

void ClearFrame(const FrameTarget& target, int32_t lastRow, int32_t lastColumn,
                Workspace& workspace) {
  ColourClearRows clear;
  if (PlanColourClear(target, lastRow, lastColumn, workspace, &clear)) {
    ClearRowsInBands(target, clear, workspace);
  }
}

float DepthAt(const FrameTarget& target, int32_t x, int32_t y) {
  const DepthView view = DepthViewOf(target);
  if (x < 0 || y < 0 || x >= view.columns) return 0;
  const int64_t index = int64_t{y} * view.stride + x;
  if (index >= view.entries) return 0;
  return view.depth[index];
}

}  // namespace renderer
