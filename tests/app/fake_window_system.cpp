#include "tests/app/fake_window_system.h"

#include <cstdio>

#include "platform/window_messages.h"

FakeWindowSystem fakeWindows;
uint32_t fakeTick = 0;

namespace {
int fakeWindowObject;
}

NativeWindow* FakeNativeWindow() {
  return reinterpret_cast<NativeWindow*>(&fakeWindowObject);
}

uint32_t FakeTickCount() { return fakeTick; }

void ResetFakes() {
  fakeWindows = FakeWindowSystem{};
  fakeTick = 100000;
}

void QueueEvent(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  fakeWindows.events.push_back({FakeNativeWindow(), message, wParam, lParam});
}

uint32_t PresentedPixel(int32_t x, int32_t y) {
  return fakeWindows
      .presented[size_t(y) * size_t(fakeWindows.presentedWidth) + size_t(x)];
}

namespace platform {

int32_t NativeStartVideo(NativeStatus* status, const char*) {
  if (!fakeWindows.videoFails) return 1;
  std::snprintf(status->lastError, sizeof status->lastError, "%s",
                "no display (fake)");
  return 0;
}

NativeWindow* NativeCreateWindow(NativeStatus*, const char*, int32_t,
                                 int32_t, int32_t, int32_t) {
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

int32_t NativeReadEvents(int32_t, NativeEvent* events, int32_t capacity,
                         std::string* droppedFile) {
  int32_t count = 0;
  while (count < capacity &&
         fakeWindows.nextEvent < fakeWindows.events.size()) {
    events[count] = fakeWindows.events[fakeWindows.nextEvent++];
    if (events[count].message == kMsgDropFiles) {
      *droppedFile = fakeWindows.droppedFile;
    }
    ++count;
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

void NativeMessageBox(const NativeStatus&, const char* text,
                      const char* caption) {
  fakeWindows.messageBoxTexts.push_back(text);
  fakeWindows.messageBoxCaptions.push_back(caption);
}

void NativeShutdown() {}

}  // namespace platform
