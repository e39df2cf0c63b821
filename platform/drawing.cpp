#include "platform/drawing.h"

#include "platform/native_window.h"

namespace platform {

namespace {

constexpr uint32_t kWhite = 0x00FFFFFFu;

int32_t Smaller(int32_t a, int32_t b) { return a < b ? a : b; }

// Pixels per row that may be touched: the width, never more than the pitch
// holds.
int32_t RowLength(const DeviceContext* dc) {
  return Smaller(dc->width, dc->pitch / 4);
}

}  // namespace

DeviceContext* CreateCompatibleDC() {
  return new DeviceContext{nullptr, nullptr, 0, 0, 0};
}

void DeleteDC(DeviceContext* dc) { delete dc; }

void SelectPixels(DeviceContext* dc, uint32_t* pixels, int32_t width,
                  int32_t height, int32_t pitch) {
  if (dc == nullptr) return;
  const bool usable =
      pixels != nullptr && width > 0 && height > 0 && pitch >= 4;
  dc->pixels = usable ? pixels : nullptr;
  dc->width = usable ? width : 0;
  dc->height = usable ? height : 0;
  dc->pitch = usable ? pitch : 0;
}

int32_t PresentPixels(DeviceContext* windowDc, DeviceContext* memoryDc,
                      int32_t width, int32_t height) {
  if (windowDc == nullptr || memoryDc == nullptr ||
      memoryDc->pixels == nullptr) {
    return 0;
  }
  NativeWindow* native = NativeOf(windowDc->window);
  const int32_t copyWidth = Smaller(width, RowLength(memoryDc));
  const int32_t copyHeight = Smaller(height, memoryDc->height);
  if (native == nullptr || copyWidth <= 0 || copyHeight <= 0) return 0;
  NativePresent(native, memoryDc->pixels, memoryDc->pitch, copyWidth,
                copyHeight);
  return 1;
}

void FillWhite(DeviceContext* dc, int32_t width, int32_t height) {
  if (dc == nullptr || dc->pixels == nullptr) return;
  const int32_t columns = Smaller(width, RowLength(dc));
  const int32_t rows = Smaller(height, dc->height);
  const int32_t stride = dc->pitch / 4;
  for (int32_t y = 0; y < rows; ++y) {
    uint32_t* row = dc->pixels + static_cast<int64_t>(y) * stride;
    for (int32_t x = 0; x < columns; ++x) row[x] = kWhite;
  }
}

}  // namespace platform
