// The frame buffer's pixel memory and the per-frame clear to grey.
#include "render/frame_buffer.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <new>

#include "render/draw_area.h"
#include "render/huge_pages.h"
#include "render/word_fill.h"

// calloc rather than a zero-filled new[]: a large block comes zeroed from
// the system, so pages the frame never reaches are never touched.
uint32_t* AllocateFrameBufferPixels(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return nullptr;
  const size_t count = size_t(width) * size_t(height);
  void* pixels = std::calloc(count, sizeof(uint32_t));
  if (pixels == nullptr) throw std::bad_alloc();
  AdviseHugePages(pixels, count * sizeof(uint32_t));
  return static_cast<uint32_t*>(pixels);
}

void ReleaseFrameBufferPixels(uint32_t* pixels) { std::free(pixels); }

void ClearFrame(int32_t lastRow, int32_t lastColumn) {
  const FrameView view = CurrentFrameView();
  // A client area larger than the buffer (possible while a border is being
  // dragged) is cut to the buffer.
  const int32_t rows = std::min(lastRow, view.rows - 1);
  const int32_t columns = std::min(lastColumn, view.columns - 1);
  if (columns < 0) return;
  for (int32_t y = 0; y <= rows; ++y) {
    FillWords(view.pixels + y * view.stride, size_t(columns) + 1,
              kBackgroundColour);
  }
}
