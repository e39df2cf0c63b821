#pragma once
// The platform record's contents, for the platform layer's own code only:
// the application holds the record through platform/platform.h.
#include <signal.h>

#include <cstdint>
#include <string>

#include "platform/drawing.h"
#include "platform/native_window.h"
#include "platform/platform.h"
#include "platform/tick_count.h"
#include "platform/window_messages.h"
#include "platform/window_system.h"

namespace platform {

struct PlatformWindow {
  int32_t alive;
  int32_t destroying;
  int32_t shown;
  NativeWindow* native;  // null once destroyed, and for the desktop
  WindowProcedure procedure;
  void* context;  // handed to the procedure with every message
  PlatformRect requestedFrame;
  DeviceContext dc;
};

// A window that was created and not destroyed; never the desktop.
bool IsLiveWindow(const PlatformWindow* window);

constexpr int32_t kMaxClasses = 4;
constexpr int32_t kMaxWindows = 8;
constexpr size_t kClassNameLength = 64;

struct ClassEntry {
  wchar_t name[kClassNameLength];
  WindowProcedure procedure;
};

// A fixed ring of posted messages and a pending quit, handed out only once
// every other message has been taken.
constexpr int32_t kQueueCapacity = 256;
struct MessageQueue {
  PlatformMessage ring[kQueueCapacity];
  int32_t head = 0;
  int32_t count = 0;
  int32_t quitPosted = 0;
  int32_t quitCode = 0;
};

// The signal actions in place before the console caught SIGINT and SIGTERM,
// given back when it lets them go.
struct ConsoleSignals {
  struct sigaction previous[2] = {};
  int32_t exitHookSet = 0;
};

struct Platform {
  // Window handles point into `windows`, whose slots are never reused, so
  // a stale handle stays recognisably dead instead of naming a newer window.
  ClassEntry classes[kMaxClasses] = {};
  int32_t classCount = 0;
  int32_t videoStarted = 0;
  PlatformWindow windows[kMaxWindows] = {};
  int32_t windowCount = 0;
  PlatformWindow desktop = {1, 0, 1, nullptr, nullptr, nullptr, {0, 0, 0, 0},
                            {nullptr, nullptr, 0, 0, 0}};
  MessageQueue queue;
  std::string droppedFile;  // UTF-8; "" when none is waiting
  ConsoleSignals console;
  TickSource tickSource = SystemTickCount;
  NativeStatus native;
};

}  // namespace platform
