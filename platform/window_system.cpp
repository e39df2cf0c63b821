// Window classes and windows over the native window system. Handles point
// into a fixed table whose slots are never reused, so a stale handle stays
// recognisably dead instead of naming a newer window.
#include "platform/window_system.h"

#include <cstdio>
#include <cwchar>

#include "platform/drawing.h"
#include "platform/message_queue.h"
#include "platform/native_window.h"
#include "platform/text_encoding.h"

struct PlatformWindow {
  int32_t alive;
  int32_t destroying;
  int32_t shown;
  NativeWindow* native;
  WindowProcedure procedure;
  PlatformRect requestedFrame;
  DeviceContext dc;
};

namespace {

constexpr int32_t kMaxClasses = 4;
constexpr int32_t kMaxWindows = 8;
constexpr size_t kClassNameLength = 64;

struct ClassEntry {
  wchar_t name[kClassNameLength];
  WindowProcedure procedure;
};

ClassEntry classes[kMaxClasses];
int32_t classCount = 0;
int32_t videoStarted = 0;
PlatformWindow windows[kMaxWindows];
int32_t windowCount = 0;
PlatformWindow desktop = {
    1, 0, 1, nullptr, nullptr, {0, 0, 0, 0}, {nullptr, nullptr, 0, 0, 0}};
const char moduleMarker = 0;

const ClassEntry* FindClass(const wchar_t* name) {
  for (int32_t i = 0; i < classCount; ++i) {
    if (std::wcscmp(classes[i].name, name) == 0) return &classes[i];
  }
  return nullptr;
}

bool IsLiveWindow(WindowHandle window) {
  for (int32_t i = 0; i < windowCount; ++i) {
    if (window == &windows[i]) return windows[i].alive != 0;
  }
  return false;
}

// The display that matters is the one that holds the program's window.
NativeWindow* NewestLiveNative() {
  for (int32_t i = windowCount - 1; i >= 0; --i) {
    if (windows[i].alive) return windows[i].native;
  }
  return nullptr;
}

}  // namespace

InstanceHandle GetModuleHandle() { return &moduleMarker; }

uint32_t RegisterClass(const WindowClass* windowClass) {
  if (windowClass == nullptr || windowClass->className == nullptr ||
      windowClass->procedure == nullptr || classCount == kMaxClasses ||
      std::wcslen(windowClass->className) >= kClassNameLength) {
    return 0;
  }
  if (!videoStarted) {
    char className[kClassNameLength * 4];
    WideToUtf8(windowClass->className, className, sizeof className);
    if (!NativeStartVideo(className)) return 0;
    videoStarted = 1;
  }
  ClassEntry* entry = &classes[classCount];
  std::wcscpy(entry->name, windowClass->className);
  entry->procedure = windowClass->procedure;
  ++classCount;
  return static_cast<uint32_t>(classCount);
}

WindowHandle CreateWindowEx(uint32_t, const wchar_t* className,
                            const wchar_t* title, uint32_t, int32_t x,
                            int32_t y, int32_t width, int32_t height,
                            InstanceHandle) {
  const ClassEntry* entry = className ? FindClass(className) : nullptr;
  if (entry == nullptr || windowCount == kMaxWindows) return nullptr;
  char utf8Title[256];
  WideToUtf8(title ? title : L"", utf8Title, sizeof utf8Title);
  NativeWindow* native = NativeCreateWindow(utf8Title, x, y, width, height);
  if (native == nullptr) return nullptr;

  WindowHandle window = &windows[windowCount++];
  *window = PlatformWindow{};
  window->alive = 1;
  window->native = native;
  window->procedure = entry->procedure;
  window->requestedFrame = {x, y, x + width, y + height};
  window->dc = DeviceContext{window, nullptr, 0, 0, 0};
  SendMessage(window, kMsgCreate, 0, 0);
  SendMessage(window, kMsgSize, 0, 0);
  SendMessage(window, kMsgMove, 0, 0);
  return IsLiveWindow(window) ? window : nullptr;
}

int32_t ShowWindow(WindowHandle window) {
  if (!IsLiveWindow(window)) return 0;
  const int32_t wasShown = window->shown;
  if (!wasShown) {
    NativeShowWindow(window->native, &window->requestedFrame);
    window->shown = 1;
    SendMessage(window, kMsgSize, 0, 0);
    SendMessage(window, kMsgMove, 0, 0);
  }
  return wasShown;
}

int32_t DestroyWindow(WindowHandle window) {
  if (!IsLiveWindow(window) || window->destroying) return 0;
  window->destroying = 1;
  SendMessage(window, kMsgDestroy, 0, 0);
  window->alive = 0;
  NativeDestroyWindow(window->native);
  window->native = nullptr;
  return 1;
}

WindowHandle GetDesktopWindow() { return &desktop; }

int32_t GetWindowRect(WindowHandle window, PlatformRect* rect) {
  if (rect == nullptr) return 0;
  if (window == &desktop) {
    return videoStarted ? NativeDisplayBounds(NewestLiveNative(), rect) : 0;
  }
  return IsLiveWindow(window) ? NativeWindowFrame(window->native, rect) : 0;
}

int32_t GetClientRect(WindowHandle window, PlatformRect* rect) {
  PlatformRect area;
  if (rect == nullptr || !IsLiveWindow(window) ||
      !NativeClientArea(window->native, &area)) {
    return 0;
  }
  *rect = {0, 0, area.right - area.left, area.bottom - area.top};
  return 1;
}

DeviceContext* GetDC(WindowHandle window) {
  return IsLiveWindow(window) ? &window->dc : nullptr;
}

int32_t ReleaseDC(WindowHandle, DeviceContext* dc) { return dc ? 1 : 0; }

int32_t GetDCOrgEx(DeviceContext* dc, PlatformPoint* origin) {
  PlatformRect area;
  if (dc == nullptr || origin == nullptr || !IsLiveWindow(dc->window) ||
      !NativeClientArea(dc->window->native, &area)) {
    return 0;
  }
  *origin = {area.left, area.top};
  return 1;
}

void MessageBox(WindowHandle, const wchar_t* text, const wchar_t* caption) {
  char utf8Text[512];
  char utf8Caption[128];
  WideToUtf8(text ? text : L"", utf8Text, sizeof utf8Text);
  WideToUtf8(caption ? caption : L"", utf8Caption, sizeof utf8Caption);
  const char* reason = NativeLastError();
  if (reason != nullptr && reason[0] != '\0') {
    std::fprintf(stderr, "%s: %s\n", utf8Text, reason);
  } else {
    std::fprintf(stderr, "%s\n", utf8Text);
  }
  std::fflush(stderr);
  NativeMessageBox(utf8Text, utf8Caption);
}

void ShutdownWindowSystem() {
  if (videoStarted) NativeShutdown();
  videoStarted = 0;
}

void ResetWindowSystem() {
  classCount = 0;
  videoStarted = 0;
  windowCount = 0;
  ResetMessageQueue();
}

WindowProcedure WindowProcedureOf(WindowHandle window) {
  return IsLiveWindow(window) ? window->procedure : nullptr;
}

WindowHandle WindowFromNative(NativeWindow* native) {
  for (int32_t i = 0; i < windowCount; ++i) {
    if (windows[i].alive && windows[i].native == native) return &windows[i];
  }
  return nullptr;
}

NativeWindow* NativeOf(WindowHandle window) {
  return IsLiveWindow(window) ? window->native : nullptr;
}
