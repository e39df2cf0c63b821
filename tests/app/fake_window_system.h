#pragma once
// A scripted window system underneath platform/: one display, one window
// whose client area the test places, events the test queues, and a record of
// what was presented, destroyed and shown in message boxes.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/native_window.h"

using platform::NativeEvent;
using platform::NativeWindow;
using platform::PlatformRect;

struct FakeWindowSystem {
  int32_t videoFails = 0;
  int32_t createFails = 0;
  PlatformRect display = {0, 0, 1920, 1080};
  PlatformRect client = {50, 50, 800, 700};  // screen coordinates
  int32_t frameLeft = 0, frameTop = 0, frameRight = 0, frameBottom = 0;
  std::vector<NativeEvent> events;  // handed out in order
  std::string droppedFile;  // reported with a kMsgDropFiles event
  size_t nextEvent = 0;
  int32_t windowsCreated = 0;
  int32_t windowsDestroyed = 0;
  int32_t presentCount = 0;
  std::vector<uint32_t> presented;  // the last presented pixels, packed
  int32_t presentedWidth = 0;
  int32_t presentedHeight = 0;
  std::vector<std::string> messageBoxTexts;
  std::vector<std::string> messageBoxCaptions;
};

extern FakeWindowSystem fakeWindows;

// The one native window the fake hands out.
NativeWindow* FakeNativeWindow();

// A fresh fake, and the tick count at 100000.
void ResetFakes();

// Queues an event for the fake window.
void QueueEvent(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);

extern uint32_t fakeTick;
uint32_t FakeTickCount();

// Presented pixel (x, y) of the last frame.
uint32_t PresentedPixel(int32_t x, int32_t y);
