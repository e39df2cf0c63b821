#pragma once
// Device contexts: a window's client area, or a memory context that owns a
// selected block of 32-bit pixels (0x00RRGGBB, rows top-down).
#include <cstdint>

#include "platform/window_system.h"

namespace platform {

struct DeviceContext {
  WindowHandle window;  // window context: the window; memory context: null
  uint32_t* pixels;     // memory context: the selected pixels, or null
  int32_t width;
  int32_t height;
  int32_t pitch;  // bytes per row
};

// A memory context with nothing selected yet, and its release (the
// selected pixels are not the context's).
DeviceContext* CreateCompatibleDC();
void DeleteDC(DeviceContext* dc);

// Selects `pixels` (width x height, rows `pitch` bytes apart) into a memory
// context; null pixels deselect.
void SelectPixels(DeviceContext* dc, uint32_t* pixels, int32_t width,
                  int32_t height, int32_t pitch);

// Copies the memory context's top-left width x height pixels to the
// window's client area, clipped to both (a block copy with equal source and
// destination sizes). Returns 0 when there is nothing to copy between them.
int32_t PresentPixels(DeviceContext* windowDc, DeviceContext* memoryDc,
                      int32_t width, int32_t height);

// Fills the top-left width x height pixels with white, clipped to the
// selected pixels.
void FillWhite(DeviceContext* dc, int32_t width, int32_t height);

}  // namespace platform
