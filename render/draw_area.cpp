// Bounded views of the frame buffer and depth buffer.
#include "render/draw_area.h"

#include <algorithm>

#include "renderer/int32.h"

namespace renderer {

FrameView FrameViewOf(const FrameTarget& target) {
  FrameView view = {nullptr, 0, 0, 0};
  const int32_t stride = target.pitch >> 2;
  if (target.pixels == nullptr || stride <= 0 || target.width <= 0 ||
      target.height <= 0) {
    return view;
  }
  view.pixels = target.pixels;
  view.stride = stride;
  view.columns = std::min(target.width, stride);
  view.rows = target.height;
  return view;
}

DepthView DepthViewOf(const FrameTarget& target) {
  DepthView view = {nullptr, 0, 0, 0, 0};
  const int64_t width = target.depthStride;
  if (target.depth == nullptr || width <= 0 || width > kInt32Max) return view;
  view.depth = target.depth;
  view.stride = width;
  view.columns = int32_t(width);
  view.entries = std::max<int64_t>(target.depthEntries, 0);
  view.rows = SaturateToInt32(view.entries / width);
  return view;
}

PixelArea DrawableViewport(const View& view, const FrameView& frameView,
                           const DepthView& depthView, int32_t tableRows) {
  PixelArea area;
  area.left = std::max(view.viewportLeft, 0);
  // Kept below the int32 maximum so that row arithmetic (top + 1) is safe.
  area.top = std::min(std::max(view.viewportTop, 0), kInt32Max - 1);
  area.right = std::min({view.viewportRight, frameView.columns - 1,
                         depthView.columns - 1});
  area.bottom = std::min({view.viewportBottom, frameView.rows - 1,
                          depthView.rows - 1, tableRows - 1});
  return area;
}

DrawContext MakeDrawContext(const View& view, const FrameTarget& target,
                            Workspace& workspace, const IntVertex& light) {
  const FrameView frameView = FrameViewOf(target);
  const DepthView depthView = DepthViewOf(target);
  WorkerScratch& scratch = workspace.workers[0];
  const int32_t tableRows =
      scratch.spanTable != nullptr ? scratch.spanTableRows : 0;
  const PixelArea area =
      DrawableViewport(view, frameView, depthView, tableRows);
  return DrawContext{view,
                     frameView,
                     depthView,
                     area,
                     RowBand{area.top, area.bottom},
                     light,
                     RowKernelsOf(workspace.fillPath),
                     workspace,
                     scratch};
}

}  // namespace renderer
