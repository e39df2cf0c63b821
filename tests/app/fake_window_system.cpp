#include "tests/app/fake_window_system.h"

#include "app/app_window.h"
#include "app/controls.h"
#include "app/demo.h"
#include "app/frame_composer.h"
#include "platform/drawing.h"
#include "platform/message_queue.h"
#include "platform/tick_count.h"
#include "renderer/renderer.h"

FakeWindowSystem fakeWindows;
uint32_t fakeTick = 0;

namespace {
int fakeWindowObject;
}

NativeWindow* FakeNativeWindow() {
  return reinterpret_cast<NativeWindow*>(&fakeWindowObject);
}

uint32_t FakeTickCount() { return fakeTick; }

void ResetEverything() {
  fakeWindows = FakeWindowSystem{};
  fakeTick = 100000;
  tickSource = FakeTickCount;
  ResetWindowSystem();
  // What the previous test's start-up allocated.
  renderer::ReleaseFrameBufferPixels(appWindow->dibBitmap);
  DeleteDC(appWindow->memoryDc);
  SetAppWindowDefaults(appWindow);
  appWindow->consoleEnabled = 0;
  helpVisible = 1;
  lastAnimationTick = 0;
  rotationPaused = 0;
  textureScrollPaused = 0;
  selectedObject = 0;
  dragging = 0;
  dragLast = {350, 350};
}

void QueueEvent(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  fakeWindows.events.push_back({FakeNativeWindow(), message, wParam, lParam});
}

uint32_t PresentedPixel(int32_t x, int32_t y) {
  return fakeWindows
      .presented[size_t(y) * size_t(fakeWindows.presentedWidth) + size_t(x)];
}

int32_t NativeStartVideo(const char*) {
  if (fakeWindows.videoFails) fakeWindows.lastError = "no display (fake)";
  return fakeWindows.videoFails ? 0 : 1;
}

NativeWindow* NativeCreateWindow(const char*, int32_t, int32_t, int32_t,
                                 int32_t) {
  if (fakeWindows.createFails) return nullptr;
  ++fakeWindows.windowsCreated;
  return FakeNativeWindow();
}

void NativeShowWindow(NativeWindow*, const PlatformRect*) {}

void NativeDestroyWindow(NativeWindow*) { ++fakeWindows.windowsDestroyed; }

int32_t NativeWindowFrame(NativeWindow*, PlatformRect* frame) {
  const PlatformRect& c = fakeWindows.client;
  *frame = {c.left - fakeWindows.frameLeft, c.top - fakeWindows.frameTop,
            c.right + fakeWindows.frameRight,
            c.bottom + fakeWindows.frameBottom};
  return 1;
}

int32_t NativeClientArea(NativeWindow*, PlatformRect* client) {
  *client = fakeWindows.client;
  return 1;
}

int32_t NativeDisplayBounds(NativeWindow*, PlatformRect* bounds) {
  *bounds = fakeWindows.display;
  return 1;
}

int32_t NativeReadEvents(int32_t, NativeEvent* events, int32_t capacity) {
  int32_t count = 0;
  while (count < capacity &&
         fakeWindows.nextEvent < fakeWindows.events.size()) {
    events[count++] = fakeWindows.events[fakeWindows.nextEvent++];
  }
  return count;
}

void NativePresent(NativeWindow*, const uint32_t* pixels, int32_t pitch,
                   int32_t width, int32_t height) {
  ++fakeWindows.presentCount;
  fakeWindows.presentedWidth = width;
  fakeWindows.presentedHeight = height;
  fakeWindows.presented.resize(size_t(width) * size_t(height));
  for (int32_t y = 0; y < height; ++y) {
    const uint32_t* row = pixels + size_t(y) * size_t(pitch / 4);
    for (int32_t x = 0; x < width; ++x) {
      fakeWindows.presented[size_t(y) * size_t(width) + size_t(x)] = row[x];
    }
  }
}

void NativeMessageBox(const char* text, const char* caption) {
  fakeWindows.messageBoxTexts.push_back(text);
  fakeWindows.messageBoxCaptions.push_back(caption);
}

const char* NativeLastError() { return fakeWindows.lastError.c_str(); }

void NativeShutdown() {}
