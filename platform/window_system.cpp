// Window classes and windows over the native window system, kept in the
// platform record.
#include "platform/window_system.h"

#include <cstdio>
#include <cwchar>

#include "platform/drawing.h"
#include "platform/message_queue.h"
#include "platform/native_window.h"
#include "platform/platform_state.h"
#include "platform/text_encoding.h"

namespace platform {

namespace {

const char moduleMarker = 0;

const ClassEntry* FindClass(const Platform& platform, const wchar_t* name) {
  for (int32_t i = 0; i < platform.classCount; ++i) {
    if (std::wcscmp(platform.classes[i].name, name) == 0) {
      return &platform.classes[i];
    }
  }
  return nullptr;
}

// The display that matters is the one that holds the program's window.
NativeWindow* NewestLiveNative(const Platform& platform) {
  for (int32_t i = platform.windowCount - 1; i >= 0; --i) {
    if (IsLiveWindow(&platform.windows[i])) return platform.windows[i].native;
  }
  return nullptr;
}

}  // namespace

bool IsLiveWindow(const PlatformWindow* window) {
  return window != nullptr && window->alive != 0 && window->native != nullptr;
}

InstanceHandle GetModuleHandle() { return &moduleMarker; }

uint32_t RegisterClass(Platform& platform, const WindowClass* windowClass) {
  if (windowClass == nullptr || windowClass->className == nullptr ||
      windowClass->procedure == nullptr ||
      platform.classCount == kMaxClasses ||
      std::wcslen(windowClass->className) >= kClassNameLength) {
    return 0;
  }
  if (!platform.videoStarted) {
    char className[kClassNameLength * 4];
    WideToUtf8(windowClass->className, className, sizeof className);
    if (!NativeStartVideo(&platform.native, className)) return 0;
    platform.videoStarted = 1;
  }
  ClassEntry* entry = &platform.classes[platform.classCount];
  std::wcscpy(entry->name, windowClass->className);
  entry->procedure = windowClass->procedure;
  ++platform.classCount;
  return static_cast<uint32_t>(platform.classCount);
}

WindowHandle CreateWindowEx(Platform& platform, uint32_t,
                            const wchar_t* className, const wchar_t* title,
                            uint32_t, int32_t x, int32_t y, int32_t width,
                            int32_t height, InstanceHandle, void* context) {
  const ClassEntry* entry =
      className ? FindClass(platform, className) : nullptr;
  if (entry == nullptr || platform.windowCount == kMaxWindows) return nullptr;
  char utf8Title[256];
  WideToUtf8(title ? title : L"", utf8Title, sizeof utf8Title);
  NativeWindow* native =
      NativeCreateWindow(&platform.native, utf8Title, x, y, width, height);
  if (native == nullptr) return nullptr;

  WindowHandle window = &platform.windows[platform.windowCount++];
  *window = PlatformWindow{};
  window->alive = 1;
  window->native = native;
  window->procedure = entry->procedure;
  window->context = context;
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

WindowHandle GetDesktopWindow(Platform& platform) { return &platform.desktop; }

int32_t GetWindowRect(const Platform& platform, WindowHandle window,
                      PlatformRect* rect) {
  if (rect == nullptr) return 0;
  if (window == &platform.desktop) {
    return platform.videoStarted
               ? NativeDisplayBounds(NewestLiveNative(platform), rect)
               : 0;
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

void MessageBox(const Platform& platform, WindowHandle, const wchar_t* text,
                const wchar_t* caption) {
  char utf8Text[512];
  char utf8Caption[128];
  WideToUtf8(text ? text : L"", utf8Text, sizeof utf8Text);
  WideToUtf8(caption ? caption : L"", utf8Caption, sizeof utf8Caption);
  const char* reason = platform.native.lastError;
  if (reason[0] != '\0') {
    std::fprintf(stderr, "%s: %s\n", utf8Text, reason);
  } else {
    std::fprintf(stderr, "%s\n", utf8Text);
  }
  std::fflush(stderr);
  NativeMessageBox(platform.native, utf8Text, utf8Caption);
}

void ShutdownWindowSystem(Platform& platform) {
  if (platform.videoStarted) NativeShutdown();
  platform.videoStarted = 0;
}

WindowHandle WindowFromNative(Platform& platform, NativeWindow* native) {
  for (int32_t i = 0; i < platform.windowCount; ++i) {
    PlatformWindow& window = platform.windows[i];
    if (IsLiveWindow(&window) && window.native == native) return &window;
  }
  return nullptr;
}

NativeWindow* NativeOf(WindowHandle window) {
  return IsLiveWindow(window) ? window->native : nullptr;
}

}  // namespace platform
