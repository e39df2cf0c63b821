#include "tools/render_scene/frame_margin.h"

#include <algorithm>
#include <cstring>

void ZeroFrameMargin(const FrameMargin& margin) {
  const int32_t left = std::max(margin.viewportLeft, 0);
  const int32_t top = std::max(margin.viewportTop, 0);
  const int32_t right = std::min(margin.viewportRight, margin.width - 1);
  const int32_t bottom = std::min(margin.viewportBottom, margin.height - 1);
  for (int32_t row = top; row <= bottom; ++row) {
    // Inside the client's rows only the part right of the client is zeroed.
    const int32_t from =
        row < margin.clientHeight ? std::max(left, margin.clientWidth) : left;
    if (from > right) continue;
    uint32_t* pixels =
        margin.pixels + static_cast<size_t>(row) * margin.rowStride + from;
    std::memset(pixels, 0, static_cast<size_t>(right - from + 1) * 4);
  }
}
