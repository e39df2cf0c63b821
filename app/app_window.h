#pragma once
// The window record: one per process, created on the heap before main runs
// and never freed, reached through `appWindow`.
#include <cstdint>

#include "platform/window_system.h"
#include "renderer/geometry.h"

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

constexpr int32_t kFpsTextLength = 40;

struct AppWindow {
  WindowHandle hwnd;
  DeviceContext* windowDc;
  InstanceHandle instance;
  const wchar_t* title;
  int32_t blockingLoop;
  uint32_t classStyle;
  uint32_t exStyle;
  uint32_t style;
  int32_t running;
  int32_t fpsVisible;
  int32_t fpsFrames;
  uint32_t fpsLastTick;
  wchar_t fpsText[kFpsTextLength];
  WindowHandle desktopWindow;
  Rect desktopRect;
  Rect windowRect;
  Rect clientRect;
  IntPoint desktopCentre;
  IntPoint windowCentre;
  IntPoint clientCentre;
  IntPoint dcOrigin;
  IntPoint desktopSize;
  IntPoint windowSize;
  IntPoint clientSize;
  int32_t consoleEnabled;
  DeviceContext* memoryDc;
  uint32_t* dibBitmap;  // the frame buffer's pixel memory, owned
  BitmapInfo bitmapInfo;
  uint32_t* pixels;
  int32_t pitch;
  // The frame buffer's allocated width and height, which every writer is
  // kept inside; (0, 0) until it exists.
  IntPoint frameBufferSize;
};

extern AppWindow* appWindow;

// The start-up defaults: a 750 x 650 window at (50, 50), titled "Renderer",
// styles of an ordinary application window, a console, no FPS display.
void SetAppWindowDefaults(AppWindow* window);
