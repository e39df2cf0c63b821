#include "app/frame_composer.h"

#include "platform/drawing.h"
#include "platform/text_out.h"
#include "platform/tick_count.h"
#include "renderer/int32.h"
#include "renderer/renderer.h"

namespace app {

using platform::DeviceContext;
using renderer::kInt32Max;
using renderer::SaturateToInt32;

const wchar_t kHelpLines[kHelpLineCount][kHelpLineSlot] = {
    L" 1 - toggle this text ",       L" F - show FPS ",
    L" Click & mousemove - rotate ", L" P - pause rotate ",
    L" O - pause texture ",          L" cursor arrows- z rotate/move",
    L" S - smooth/flat shading ",    L" B - bilinear/nearest texels ",
    L" A - samples 1/4/16 ",
};

namespace {

// Length up to the first zero character, at most `limit`.
int32_t TextLength(const wchar_t* text, int32_t limit) {
  int32_t length = 0;
  while (length < limit && text[length] != L'\0') ++length;
  return length;
}

void FillBitmapInfo(BitmapInfo* info, IntPoint size) {
  *info = BitmapInfo{};
  info->header.size = 40;
  info->header.width = size.x;
  info->header.height = SaturateToInt32(-int64_t{size.y});
  info->header.planes = 1;
  info->header.bitCount = 32;
  info->header.compression = 0;  // uncompressed RGB
  info->header.xPelsPerMeter = 5000;
  info->header.yPelsPerMeter = 5000;
}

void DrawHelpLines(DeviceContext* dc) {
  for (int32_t line = 0; line < kHelpLineCount; ++line) {
    platform::TextOut(dc, 10, 35 + 20 * line, kHelpLines[line],
                      TextLength(kHelpLines[line], kHelpLineSlot));
  }
}

// The frame buffer and depth buffer as the window record has them now: the
// depth rows are windowRect's width apart, read afresh each frame.
void RefreshFrameTarget(const AppWindow& w, const SceneState& shown,
                        renderer::FrameTarget* target) {
  target->pixels = w.pixels;
  target->pitch = w.pitch;
  target->width = w.frameBufferSize.x;
  target->height = w.frameBufferSize.y;
  target->depth = shown.depth.get();
  target->depthStride = int64_t{w.windowRect.right} - w.windowRect.left;
  target->depthEntries = shown.depthEntries;
  target->clientRect = w.clientRect;
}

}  // namespace

void ReleaseFrameBuffer(AppWindow& w) {
  renderer::ReleaseFrameBufferPixels(w.dibBitmap);
  w.dibBitmap = nullptr;
  w.pixels = nullptr;
  w.frameBufferSize = {0, 0};
  platform::DeleteDC(w.memoryDc);
  w.memoryDc = nullptr;
}

void CreateFrameBuffer(App& app) {
  AppWindow& w = app.window;
  ReleaseFrameBuffer(w);
  FillBitmapInfo(&w.bitmapInfo, w.desktopSize);
  w.memoryDc = platform::CreateCompatibleDC();

  // Rows must stay addressable in bytes as int32: 4 bytes per pixel.
  const IntPoint size = w.desktopSize;
  const bool fits = size.x > 0 && size.y > 0 && size.x <= kInt32Max / 4;
  w.dibBitmap = fits ? renderer::AllocateFrameBufferPixels(size.x, size.y) : nullptr;
  w.pixels = w.dibBitmap;
  if (w.pixels != nullptr) {
    w.frameBufferSize = size;
    w.pitch = size.x * 4;
  }
  platform::SelectPixels(w.memoryDc, w.pixels, w.frameBufferSize.x, w.frameBufferSize.y,
               w.pitch);
}

void ComposeFrame(App& app) {
  const AppWindow& w = app.window;
  SceneState& shown = app.scene;
  // Without a frame buffer there is nothing to draw into or to show.
  if (w.pixels == nullptr) return;
  renderer::FrameTarget& target = shown.target;
  RefreshFrameTarget(w, shown, &target);
  const Rect& client = w.clientRect;
  const int32_t lastRow =
      SaturateToInt32(int64_t{client.bottom} - client.top - 1);
  const int32_t lastColumn =
      SaturateToInt32(int64_t{client.right} - client.left - 1);
  if (shown.workspace == nullptr) {
    renderer::ClearFrame(target, lastRow, lastColumn);
  } else {
    renderer::ClearAndRenderFrame(shown.scene, shown.view, target, lastRow,
                                  lastColumn, *shown.workspace);
    // Only RenderFrame writes the depth buffer, so the next frame need
    // reset only what this one drew. The pixels get the help text and a
    // white fill after showing, so they are cleared whole every frame.
    target.depthKept = true;
  }
  if (app.helpVisible) DrawHelpLines(w.memoryDc);
  FpsCounter& fps = app.fps;
  if (fps.visible) {
    CountFpsFrame(fps, platform::GetTickCount(app.platform),
                  shown.workspace != nullptr
                      ? renderer::ThreadCount(*shown.workspace)
                      : 1);
    platform::TextOut(w.memoryDc, 10, 10, fps.text,
                      TextLength(fps.text, kFpsTextLength));
  }
  platform::PresentPixels(w.windowDc, w.memoryDc, w.windowSize.x,
                          w.windowSize.y);
  platform::FillWhite(w.memoryDc, w.windowSize.x, w.windowSize.y);
}

}  // namespace app
