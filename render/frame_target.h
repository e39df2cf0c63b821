#pragma once
// Where the renderer draws: short-cuts into the shell's window record.
// The shell (desktop program or headless tool) binds these once, before the
// first frame; the renderer reads them afresh whenever it uses them.
#include <cstdint>

struct Rect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

struct IntPoint {
  int32_t x;
  int32_t y;
};

struct FrameShortcuts {
  Rect* windowRect;       // the desktop's rectangle: the depth buffer's size
  Rect* clientRect;       // the client area
  IntPoint* clientCentre; // centre of the client area
  uint32_t** pixels;      // address of the frame buffer pointer
  int32_t* pitch;         // bytes per frame-buffer row
  IntPoint* bufferSize;   // allocated frame buffer width and height
};

extern FrameShortcuts frame;
