#pragma once
// The window part of the application record: the window and its device
// contexts, its class and styles, the rectangles, sizes and centres kept in
// step with it, and the frame buffer it is drawn from.
#include <cstdint>

#include "platform/drawing.h"
#include "platform/window_system.h"
#include "renderer/geometry.h"

namespace app {

using renderer::IntPoint;
using renderer::Rect;

// Describes the frame buffer's pixels as the platform's bitmap header does.
struct BitmapInfoHeader {
  uint32_t size;
  int32_t width;
  int32_t height;  // negative: rows run top to bottom
  uint16_t planes;
  uint16_t bitCount;
  uint32_t compression;
  uint32_t sizeImage;
  int32_t xPelsPerMeter;
  int32_t yPelsPerMeter;
  uint32_t clrUsed;
  uint32_t clrImportant;
};

struct BitmapInfo {
  BitmapInfoHeader header;
  uint32_t colours[1];
};

// Starts as a 750 x 650 window at (50, 50), titled "Renderer", with the
// styles of an ordinary application window and a console.
struct AppWindow {
  platform::WindowHandle hwnd = nullptr;
  platform::DeviceContext* windowDc = nullptr;
  platform::InstanceHandle instance = nullptr;
  const wchar_t* title = L"Renderer";
  int32_t blockingLoop = 0;
  uint32_t classStyle = 3;     // redraw on vertical and horizontal size
  uint32_t exStyle = 0x40000;  // an application window on the task bar
  uint32_t style = 0xCF0000;   // an ordinary overlapped window
  int32_t running = 0;
  platform::WindowHandle desktopWindow = nullptr;
  Rect desktopRect = {};
  // Read by window creation as x, y, width and height.
  Rect windowRect = {50, 50, 750, 650};
  Rect clientRect = {0, 0, 800, 600};
  IntPoint desktopCentre = {};
  IntPoint windowCentre = {};
  IntPoint clientCentre = {};
  IntPoint dcOrigin = {};
  IntPoint desktopSize = {};
  IntPoint windowSize = {};
  IntPoint clientSize = {};
  int32_t consoleEnabled = 1;
  platform::DeviceContext* memoryDc = nullptr;  // owned
  uint32_t* dibBitmap = nullptr;  // the frame buffer's pixel memory, owned
  BitmapInfo bitmapInfo = {};
  uint32_t* pixels = nullptr;
  int32_t pitch = 0;
  // The frame buffer's allocated width and height, which every writer is
  // kept inside; (0, 0) until it exists.
  IntPoint frameBufferSize = {0, 0};
};

}  // namespace app
