// Bounded views of the frame buffer and depth buffer.
#include "render/draw_area.h"

#include <algorithm>

#include "render/frame_target.h"
#include "render/int_convert.h"
#include "render/render_context.h"

FrameView CurrentFrameView() {
  FrameView view = {nullptr, 0, 0, 0};
  if (frame.pixels == nullptr || frame.pitch == nullptr ||
      frame.bufferSize == nullptr || *frame.pixels == nullptr) {
    return view;
  }
  const int32_t stride = *frame.pitch >> 2;
  const IntPoint size = *frame.bufferSize;
  if (stride <= 0 || size.x <= 0 || size.y <= 0) return view;
  view.pixels = *frame.pixels;
  view.stride = stride;
  view.columns = std::min(size.x, stride);
  view.rows = size.y;
  return view;
}

DepthView CurrentDepthView() {
  DepthView view = {nullptr, 0, 0, 0, 0};
  if (renderContext.zBuffer == nullptr || frame.windowRect == nullptr) {
    return view;
  }
  const Rect& rect = *frame.windowRect;
  const int64_t width = int64_t(rect.right) - rect.left;
  if (width <= 0 || width > kInt32Max) return view;
  view.depth = renderContext.zBuffer;
  view.stride = width;
  view.columns = int32_t(width);
  view.entries = renderContext.zBufferEntries;
  view.rows = SaturateToInt32(view.entries / width);
  return view;
}

PixelArea DrawableViewport(const FrameView& frameView,
                           const DepthView& depthView) {
  const RenderContext& c = renderContext;
  const int32_t tableRows = c.spanTable != nullptr ? c.spanTableRows : 0;
  PixelArea area;
  area.left = std::max(c.viewportLeft, 0);
  // Kept below the int32 maximum so that row arithmetic (top + 1) is safe.
  area.top = std::min(std::max(c.viewportTop, 0), kInt32Max - 1);
  area.right = std::min({c.viewportRight, frameView.columns - 1,
                         depthView.columns - 1});
  area.bottom = std::min({c.viewportBottom, frameView.rows - 1,
                          depthView.rows - 1, tableRows - 1});
  return area;
}
